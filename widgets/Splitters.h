#pragma once
// Splitters: TSplitterWnd, a panel divided into panes laid one after another with a bar of fixed
// thickness between each two, where dragging a bar moves space between the panes beside it; and
// TSplitIt, a thin bar that shows a moving outline while dragged and reports the new position,
// leaving its owner to move its controls.
//
// The moving bars are drawn as an overlay control over the splitter (or the bar's parent), shown
// and hidden where the original inverted the screen: drawing the same rectangle twice takes it
// away again, just as an inverted rectangle drawn twice restores the screen.

#include "platform/ExtCtrls.h"

#include <functional>
#include <vector>

class TSplitterWnd;
class TDragOutline;

enum TOrientation { swHorizontal, swVertical };
enum TBarStyle { sbCheckered, sbSolid };

using TDrawDragRectEvent =
    std::function<void(TSplitterWnd* Sender, TRect& DrawRect, bool& OwnerDraw)>;

// One pane of a splitter: a box for controls whose extent along the splitter is PaneSize.
class TPane : public TCustomControl {
public:
    explicit TPane(TComponent* AOwner);
    ~TPane() override;

    TSplitterWnd* SplitterWnd() const { return FSplitterWnd; }
    void SetSplitterWnd(TSplitterWnd* value);
    // -1 outside a splitter.
    int PaneIndex() const { return FPaneIndex; }
    void SetPaneIndex(int value);
    // The extent along the splitter's orientation, the pane's share of the bars included.
    int PaneSize() const { return FPaneSize; }
    void SetPaneSize(int value);
    // The smallest size a drag leaves; 0 means twice a scroll bar's breadth.
    int MinPaneSize() const { return FMinPaneSize; }
    void SetMinPaneSize(int value) { FMinPaneSize = ClampSize(value); }
    bool EraseBkgnd() const { return FEraseBkgnd; }
    void SetEraseBkgnd(bool value) { FEraseBkgnd = value; }

    void WndProc(TMessage& Message) override;

private:
    friend class TSplitterWnd;
    static int ClampSize(int value);

    TSplitterWnd* FSplitterWnd = nullptr;
    int FPaneIndex = -1;
    int FPaneSize = 0;
    int FMinPaneSize = 0;
    bool FEraseBkgnd = true;
};

class TSplitterWnd : public TPanel {
public:
    explicit TSplitterWnd(TComponent* AOwner);
    ~TSplitterWnd() override;

    TOrientation Orientation() const { return FOrientation; }
    void SetOrientation(TOrientation value);
    int Thickness() const { return FThickness; }
    void SetThickness(int value);
    TCursor CursorHorz() const { return FCursorHorz; }
    void SetCursorHorz(TCursor value);
    TCursor CursorVert() const { return FCursorVert; }
    void SetCursorVert(TCursor value);
    bool ProportionalResize() const { return FProportionalResize; }
    void SetProportionalResize(bool value) { FProportionalResize = value; }
    TBarStyle BarStyle() const { return FBarStyle; }
    void SetBarStyle(TBarStyle value) { FBarStyle = value; }
    bool AllowSizing() const { return FAllowSizing; }
    void SetAllowSizing(bool value) { FAllowSizing = value; }

    int PaneCount() const { return static_cast<int>(FPanes.size()); }
    TPane* PaneAt(int index) const { return FPanes[index]; }

    // The bar being dragged, as the splitter draws it; for a test or a status line.
    bool DragBarShown() const;
    TRect DragBarRect() const;

    static int BarLeadingHalf(int thickness) { return thickness / 2; }
    // What the leading half leaves, so the bar and the panes always fill the splitter.
    static int BarTrailingHalf(int thickness) { return thickness - BarLeadingHalf(thickness); }

    TDrawDragRectEvent OnDrawDragRect;
    TDrawDragRectEvent OnEraseDragRect;

protected:
    void Loaded() override;
    void Resize() override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;

private:
    friend class TPane;
    void AddPane(TPane* pane);
    void RemovePane(TPane* pane);
    void MovePane(TPane* pane, int index);
    void RenumberPanes();
    int SumPaneSizes() const;
    int Extent() const;
    void FitLastPane();
    void ScalePanes(bool all);
    void LayoutPanes();
    int MinSizeOf(int index) const;
    // The split position after pane index: the sum of the sizes up to it.
    int SplitAt(int index) const;
    TRect BarRectAt(const TPoint& point) const;
    TRect BarRectAtSplit(int split) const;
    TPoint ClampDragPoint(const TPoint& point) const;
    int DragOffset(const TPoint& point) const;
    void ShowDragRect(const TPoint& point, const TDrawDragRectEvent& handler);
    void DrawDragBar(const TRect& rect);
    void ApplyCursor();

    std::vector<TPane*> FPanes;
    TOrientation FOrientation = swVertical;
    int FThickness = 3;
    TCursor FCursorHorz = crVSplit;
    TCursor FCursorVert = crHSplit;
    bool FProportionalResize = true;
    TBarStyle FBarStyle = sbCheckered;
    bool FAllowSizing = true;
    int FDragIndex = -1;
    TPoint FDragPoint;
    TDragOutline* FOutline = nullptr;
};

enum TSplitDirection { sdVertical, sdHorizontal };
using TPaintEvent = std::function<void(TObject* Sender, TCanvas& Canvas)>;
using TSplitEvent = std::function<void(TObject* Sender, int NewPos)>;

// A bar that is dragged to a new place: sdVertical moves up and down, sdHorizontal left and
// right. It only reports the place through OnSplit.
class TSplitIt : public TGraphicControl {
public:
    explicit TSplitIt(TComponent* AOwner);
    ~TSplitIt() override;

    int Min() const { return FMin; }
    void SetMin(int value) { FMin = value; }
    // 0: as far as the parent's client area allows.
    int Max() const { return FMax; }
    void SetMax(int value) { FMax = value; }
    TSplitDirection SplitDirection() const { return FSplitDirection; }
    void SetSplitDirection(TSplitDirection value);
    bool Dragging() const { return FDragging; }
    // The outline shown while dragging, in the parent's client coordinates.
    bool GhostShown() const;
    TRect GhostRect() const;

    TPaintEvent OnPaint;
    TSplitEvent OnSplit;
    TNotifyEvent OnStartSplit;

protected:
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void Paint() override;

private:
    int Origin() const;
    int Room() const;
    void DrawGhost();

    int FMin = 0;
    int FMax = 0;
    TSplitDirection FSplitDirection = sdVertical;
    bool FDragging = false;
    int FDragOffset = 0;
    TDragOutline* FOutline = nullptr;
};
