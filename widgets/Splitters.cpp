#include "widgets/Splitters.h"

#include "platform/Graphics.h"
#include "platform/Messages.h"

#include <algorithm>
#include <cmath>

namespace {

// A scroll bar's breadth, the unit of a pane's smallest size when none is set.
constexpr int ScrollBarBreadth = 16;
constexpr int MaxPaneSize = 0xFFFF;

} // namespace

// The moving bar: a control laid over the others, shown where the bar is drawn and hidden when
// the same rectangle is drawn again.
class TDragOutline : public TCustomControl {
public:
    explicit TDragOutline(TComponent* AOwner) : TCustomControl(AOwner) { SetVisible(false); }

    void Toggle(TWinControl* parent, const TRect& rect, bool checkered) {
        if (Visible() && rect == BoundsRect() && Parent() == parent) {
            SetVisible(false);
            return;
        }
        FCheckered = checkered;
        SetParent(parent);
        SetBoundsRect(rect);
        SetVisible(true);
        BringToFront();
        Invalidate();
    }
    void Hide() { SetVisible(false); }

protected:
    void Paint() override {
        TCanvas& canvas = Canvas();
        canvas.Brush().SetColor(clBlack);
        canvas.Brush().SetStyle(bsSolid);
        if (!FCheckered) {
            canvas.FillRect(Rect(0, 0, Width(), Height()));
            return;
        }
        for (int y = 0; y < Height(); ++y)
            for (int x = (Left() + Top() + y) % 2; x < Width(); x += 2)
                canvas.SetPixels(x, y, clBlack);
    }

private:
    bool FCheckered = true;
};

// ---- TPane ----

TPane::TPane(TComponent* AOwner) : TCustomControl(AOwner) {}

TPane::~TPane() {
    if (FSplitterWnd)
        FSplitterWnd->RemovePane(this);
}

int TPane::ClampSize(int value) {
    return std::clamp(value, 0, MaxPaneSize);
}

void TPane::SetSplitterWnd(TSplitterWnd* value) {
    if (value == FSplitterWnd)
        return;
    if (FSplitterWnd)
        FSplitterWnd->RemovePane(this);
    if (value) {
        SetParent(value);
        value->AddPane(this);
    }
}

void TPane::SetPaneIndex(int value) {
    if (FSplitterWnd && value != FPaneIndex)
        FSplitterWnd->MovePane(this, value);
}

void TPane::SetPaneSize(int value) {
    value = ClampSize(value);
    TSplitterWnd* splitter = FSplitterWnd;
    if (!splitter || splitter->IsLoading()) {
        FPaneSize = value;
        return;
    }
    if (splitter->PaneCount() == 1) {
        FPaneSize = splitter->Extent();
    } else if (FPaneIndex < splitter->PaneCount() - 1) {
        TPane* next = splitter->PaneAt(FPaneIndex + 1);
        int pair = FPaneSize + next->FPaneSize;
        int most = pair - splitter->Thickness() - splitter->MinSizeOf(FPaneIndex + 1);
        int least = splitter->MinSizeOf(FPaneIndex);
        value = std::max(std::min(value, most), least);
        FPaneSize = ClampSize(value);
        next->FPaneSize = ClampSize(pair - FPaneSize);
    }
    splitter->FitLastPane();
    splitter->LayoutPanes();
}

void TPane::WndProc(TMessage& Message) {
    if (Message.Msg == WM_ERASEBKGND && !FEraseBkgnd) {
        Message.Result = 0;
        return;
    }
    TCustomControl::WndProc(Message);
}

// ---- TSplitterWnd ----

TSplitterWnd::TSplitterWnd(TComponent* AOwner) : TPanel(AOwner) {
    SetBevelOuter(bvNone);
    SetCaption("");
    SetHeight(200);
    SetWidth(400);
    FOutline = new TDragOutline(this);
    ApplyCursor();
}

TSplitterWnd::~TSplitterWnd() {
    for (TPane* pane : FPanes) {
        pane->FSplitterWnd = nullptr;
        pane->FPaneIndex = -1;
    }
}

void TSplitterWnd::Loaded() {
    TPanel::Loaded();
    FitLastPane();
    LayoutPanes();
}

void TSplitterWnd::AddPane(TPane* pane) {
    FPanes.push_back(pane);
    if (pane->FPaneSize == 0)
        pane->FPaneSize = FOrientation == swHorizontal ? 50 : 75;
    pane->FSplitterWnd = this;
    pane->FPaneIndex = PaneCount() - 1;
    if (!IsLoading())
        ScalePanes(false);
}

void TSplitterWnd::RemovePane(TPane* pane) {
    auto found = std::find(FPanes.begin(), FPanes.end(), pane);
    if (found == FPanes.end())
        return;
    pane->FSplitterWnd = nullptr;
    pane->FPaneIndex = -1;
    FPanes.erase(found);
    RenumberPanes();
    if (IsDestroying())
        return;
    if (FProportionalResize)
        ScalePanes(true);
    else
        FitLastPane();
}

void TSplitterWnd::MovePane(TPane* pane, int index) {
    auto found = std::find(FPanes.begin(), FPanes.end(), pane);
    if (found == FPanes.end())
        return;
    FPanes.erase(found);
    index = std::clamp(index, 0, PaneCount());
    FPanes.insert(FPanes.begin() + index, pane);
    RenumberPanes();
    LayoutPanes();
}

void TSplitterWnd::RenumberPanes() {
    for (int index = 0; index < PaneCount(); ++index)
        FPanes[index]->FPaneIndex = index;
}

int TSplitterWnd::SumPaneSizes() const {
    int sum = 0;
    for (const TPane* pane : FPanes)
        sum += pane->FPaneSize;
    return sum;
}

int TSplitterWnd::Extent() const {
    return FOrientation == swHorizontal ? Height() : Width();
}

void TSplitterWnd::FitLastPane() {
    if (FPanes.empty())
        return;
    int others = SumPaneSizes() - FPanes.back()->FPaneSize;
    // A splitter smaller than the other panes leaves the last one empty, never "negative".
    FPanes.back()->FPaneSize = TPane::ClampSize(Extent() - others);
}

void TSplitterWnd::ScalePanes(bool all) {
    if (FPanes.empty())
        return;
    int count = all ? PaneCount() : PaneCount() - 1;
    double space = Extent() - (all ? 0 : FPanes.back()->FPaneSize);
    double sum = 0;
    for (int index = 0; index < count; ++index)
        sum += FPanes[index]->FPaneSize;
    for (int index = 0; index < count; ++index) {
        // Panes that have all shrunk to nothing share the space evenly again.
        double share = sum > 0 ? FPanes[index]->FPaneSize * space / sum : space / count;
        FPanes[index]->FPaneSize = TPane::ClampSize(static_cast<int>(std::lround(share)));
    }
    FitLastPane();
    LayoutPanes();
}

void TSplitterWnd::LayoutPanes() {
    if (FPanes.empty())
        return;
    auto place = [this](TPane* pane, int start, int extent) {
        extent = std::max(0, extent);
        if (FOrientation == swHorizontal)
            pane->SetBounds(0, start, Width(), extent);
        else
            pane->SetBounds(start, 0, extent, Height());
    };
    if (PaneCount() == 1) {
        place(FPanes[0], 0, Extent());
        return;
    }
    int leading = BarLeadingHalf(FThickness);
    int trailing = BarTrailingHalf(FThickness);
    int start = 0;
    for (int index = 0; index < PaneCount(); ++index) {
        TPane* pane = FPanes[index];
        int extent = pane->FPaneSize - FThickness;
        if (index == 0)
            extent = pane->FPaneSize - leading;
        else if (index == PaneCount() - 1)
            extent = pane->FPaneSize - trailing;
        if (index > 0)
            start += FThickness;
        place(pane, start, extent);
        start += std::max(0, extent);
    }
}

void TSplitterWnd::Resize() {
    if (FProportionalResize)
        ScalePanes(true);
    else {
        FitLastPane();
        LayoutPanes();
    }
    TPanel::Resize();
}

int TSplitterWnd::MinSizeOf(int index) const {
    int size = FPanes[index]->FMinPaneSize;
    return size != 0 ? size : 2 * ScrollBarBreadth;
}

int TSplitterWnd::SplitAt(int index) const {
    int split = 0;
    for (int k = 0; k <= index && k < PaneCount(); ++k)
        split += FPanes[k]->FPaneSize;
    return split;
}

TRect TSplitterWnd::BarRectAtSplit(int split) const {
    int from = split - BarLeadingHalf(FThickness);
    int to = split + BarTrailingHalf(FThickness) + 1;
    return FOrientation == swHorizontal ? Rect(0, from, Width(), to) : Rect(from, 0, to, Height());
}

TRect TSplitterWnd::BarRectAt(const TPoint& point) const {
    return BarRectAtSplit(FOrientation == swHorizontal ? point.y : point.x);
}

TPoint TSplitterWnd::ClampDragPoint(const TPoint& point) const {
    int least = (FDragIndex > 0 ? SplitAt(FDragIndex - 1) : 0) + MinSizeOf(FDragIndex);
    int most = SplitAt(FDragIndex + 1) - MinSizeOf(FDragIndex + 1);
    TPoint clamped = point;
    int& along = FOrientation == swHorizontal ? clamped.y : clamped.x;
    along = std::max(least, std::min(along, most));
    return clamped;
}

int TSplitterWnd::DragOffset(const TPoint& point) const {
    return (FOrientation == swHorizontal ? point.y : point.x) - SplitAt(FDragIndex);
}

void TSplitterWnd::ShowDragRect(const TPoint& point, const TDrawDragRectEvent& handler) {
    TRect rect = BarRectAt(point);
    bool ownerDraw = true;
    if (handler)
        handler(this, rect, ownerDraw);
    if (ownerDraw)
        DrawDragBar(rect);
}

void TSplitterWnd::DrawDragBar(const TRect& rect) {
    FOutline->Toggle(this, rect, FBarStyle == sbCheckered);
}

bool TSplitterWnd::DragBarShown() const {
    return FOutline->Visible();
}

TRect TSplitterWnd::DragBarRect() const {
    return FOutline->BoundsRect();
}

void TSplitterWnd::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
    TPanel::MouseDown(Button, Shift, X, Y);
    FDragIndex = -1;
    if (!FAllowSizing)
        return;
    for (int k = 0; k + 1 < PaneCount(); ++k)
        if (BarRectAtSplit(SplitAt(k)).Contains({X, Y}))
            FDragIndex = k;
    // A press beside every bar draws nothing: nothing would ever take that bar away again.
    if (FDragIndex == -1)
        return;
    FDragPoint = {X, Y};
    ShowDragRect(FDragPoint, OnDrawDragRect);
}

void TSplitterWnd::MouseMove(TShiftState Shift, int X, int Y) {
    TPanel::MouseMove(Shift, X, Y);
    if (FDragIndex == -1)
        return;
    TPoint point = ClampDragPoint({X, Y});
    if (BarRectAt(point) != BarRectAt(FDragPoint)) {
        ShowDragRect(FDragPoint, OnEraseDragRect);
        ShowDragRect(point, OnDrawDragRect);
    }
    FDragPoint = point;
}

void TSplitterWnd::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
    if (FDragIndex != -1) {
        ShowDragRect(FDragPoint, OnEraseDragRect);
        TPane* pane = FPanes[FDragIndex];
        int offset = DragOffset(FDragPoint);
        FDragIndex = -1;
        pane->SetPaneSize(pane->FPaneSize + offset);
    }
    TPanel::MouseUp(Button, Shift, X, Y);
}

void TSplitterWnd::SetOrientation(TOrientation value) {
    if (value == FOrientation)
        return;
    FOrientation = value;
    if (FPanes.empty())
        return;
    double from = value == swHorizontal ? Width() : Height();
    double to = value == swHorizontal ? Height() : Width();
    // An unsized splitter has nothing to convert from: the sizes stay as they are.
    if (from > 0)
        for (TPane* pane : FPanes)
            pane->FPaneSize =
                TPane::ClampSize(static_cast<int>(std::lround(pane->FPaneSize / from * to)));
    ApplyCursor();
    FitLastPane();
    LayoutPanes();
}

void TSplitterWnd::SetThickness(int value) {
    FThickness = std::clamp(value, 1, 255);
    LayoutPanes();
}

void TSplitterWnd::SetCursorHorz(TCursor value) {
    FCursorHorz = value;
    ApplyCursor();
}

void TSplitterWnd::SetCursorVert(TCursor value) {
    FCursorVert = value;
    ApplyCursor();
}

void TSplitterWnd::ApplyCursor() {
    SetCursor(FOrientation == swHorizontal ? FCursorHorz : FCursorVert);
}

// ---- TSplitIt ----

TSplitIt::TSplitIt(TComponent* AOwner) : TGraphicControl(AOwner) {
    SetColor(clActiveBorder);
    SetCursor(crVSplit);
    SetWidth(100);
    SetHeight(4);
}

TSplitIt::~TSplitIt() = default;

void TSplitIt::SetSplitDirection(TSplitDirection value) {
    if (value == FSplitDirection)
        return;
    FSplitDirection = value;
    SetCursor(value == sdVertical ? crVSplit : crHSplit);
}

int TSplitIt::Origin() const {
    return FSplitDirection == sdHorizontal ? Left() : Top();
}

// The furthest the bar may go: Max when it is set and fits, else the parent's client extent
// less the bar's own.
int TSplitIt::Room() const {
    int clientExtent = 0;
    if (Parent())
        clientExtent =
            FSplitDirection == sdHorizontal ? Parent()->ClientWidth() : Parent()->ClientHeight();
    int room = clientExtent - (FSplitDirection == sdHorizontal ? Width() : Height());
    return FMax != 0 && FMax <= room ? FMax : room;
}

void TSplitIt::DrawGhost() {
    if (!Parent())
        return;
    if (!FOutline)
        FOutline = new TDragOutline(this);
    TRect rect = BoundsRect();
    if (FSplitDirection == sdHorizontal) {
        rect.Left += FDragOffset;
        rect.Right += FDragOffset;
    } else {
        rect.Top += FDragOffset;
        rect.Bottom += FDragOffset;
    }
    FOutline->Toggle(Parent(), rect, false);
}

bool TSplitIt::GhostShown() const {
    return FOutline && FOutline->Visible();
}

TRect TSplitIt::GhostRect() const {
    return FOutline ? FOutline->BoundsRect() : TRect{};
}

void TSplitIt::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
    if (FDragging)
        return;
    if (OnStartSplit)
        OnStartSplit(this);
    FDragOffset = 0;
    DrawGhost();
    FDragging = true;
    TGraphicControl::MouseDown(Button, Shift, X, Y);
}

void TSplitIt::MouseMove(TShiftState Shift, int X, int Y) {
    if (FDragging) {
        DrawGhost();
        if (FMin < 0)
            FMin = 0;
        int offset = FSplitDirection == sdHorizontal ? X : Y;
        int position = std::max(FMin, std::min(Origin() + offset, Room()));
        FDragOffset = position - Origin();
        DrawGhost();
    }
    TGraphicControl::MouseMove(Shift, X, Y);
}

void TSplitIt::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
    if (FDragging) {
        DrawGhost();
        if (OnSplit)
            OnSplit(this, Origin() + FDragOffset);
        FDragging = false;
    }
    TGraphicControl::MouseUp(Button, Shift, X, Y);
}

void TSplitIt::Paint() {
    if (OnPaint) {
        OnPaint(this, Canvas());
        return;
    }
    Canvas().Brush().SetColor(Color());
    Canvas().Pen().SetStyle(psClear);
    Canvas().Rectangle(0, 0, Width() + 1, Height() + 1);
}
