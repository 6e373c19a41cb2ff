#pragma once
// Docks along the edges of a form, the toolbars they hold in rows, the buttons and separators of
// toolbars and forms, and the glyphs the buttons show.

#include "platform/Buttons.h"
#include "platform/Controls.h"
#include "platform/Graphics.h"
#include "platform/ImgList.h"
#include "platform/Menus.h"
#include "widgets/GlyphList.h"

#include <array>
#include <functional>
#include <map>
#include <memory>
#include <vector>

class TQmToolbar;
class TQmToolbarButton;
class TScreenOutline;
class TInputHold;
class TTimer;

// The sizes a toolbar measures and a dock row takes from its toolbars: the largest child height
// and width (at least 8 each), and the thickness across a top or bottom dock (largest height
// + 4) and across a left or right dock (largest width + 4).
struct TRowSizeInfo {
    int LargestHeight = 0;
    int LargestWidth = 0;
    int HorzThickness = 0;
    int VertThickness = 0;
    friend bool operator==(const TRowSizeInfo&, const TRowSizeInfo&) = default;
};

enum TDockPosition { dpTop, dpBottom, dpLeft, dpRight };
enum TDockBoundLine { blTop, blBottom, blLeft, blRight };
using TDockBoundLines = TSet<TDockBoundLine>;

using TInsertRemoveEvent = std::function<void(TObject* Sender, bool Inserting, TQmToolbar* Bar)>;

// A strip along one edge of a form holding toolbars in rows; it takes the thickness of its rows.
// In a left or right dock the rows are columns and the toolbars run from top to bottom.
class TQmDock : public TCustomControl {
public:
    // The owner must be a form.
    explicit TQmDock(TComponent* AOwner);
    ~TQmDock() override;

    // Toolbars in this dock have a drag handle.
    bool AllowDrag() const { return FAllowDrag; }
    void SetAllowDrag(bool value);
    // A tile painted behind the dock and its toolbars, lined up with the parent's client area.
    TBitmap& Background() { return FBackground; }
    void SetBackground(const TBitmap& value) { FBackground.Assign(value); }
    // The background's own transparent colour shows the dock's Color.
    bool BackgroundTransparent() const { return FBackgroundTransparent; }
    void SetBackgroundTransparent(bool value);
    // One-pixel lines outside the client area: shadow at the top and left, highlight at the
    // bottom and right.
    TDockBoundLines BoundLines() const { return FBoundLines; }
    void SetBoundLines(TDockBoundLines value);
    // The client area lies inside the bound lines once the dock is at least 2 x 2.
    TRect ClientRect() const override;
    // Where the client area starts inside the bound lines.
    TPoint ClientOrigin() const;
    // An empty dock keeps 1 pixel instead of none.
    bool FixAlign() const { return FFixAlign; }
    void SetFixAlign(bool value);
    // Every toolbar goes into row 0 at the next arrangement.
    bool LimitToOneRow() const { return FLimitToOneRow; }
    void SetLimitToOneRow(bool value) { FLimitToOneRow = value; }
    // The form edge; it sets Align. Refused once the dock holds controls.
    TDockPosition Position() const { return FPosition; }
    void SetPosition(TDockPosition value);
    bool Vertical() const { return FPosition == dpLeft || FPosition == dpRight; }

    // A dock cannot sit on a toolbar or another dock.
    void SetParent(TWinControl* value) override;

    // While the update lock is held the dock does not arrange itself.
    void BeginUpdate() { ++FUpdateLock; }
    void EndUpdate() { --FUpdateLock; }
    // Sorts the toolbars by row and position, closes up empty rows, removes overlaps, pulls back
    // rows longer than the dock, places every toolbar and sizes the dock to its rows.
    void ArrangeToolbars();
    // Keeps the list of toolbars docked here and visible; a change arranges the dock.
    void InsertRemoveBar(bool inserting, TQmToolbar* bar, bool visible);
    // The docked, visible toolbars, by row and position after each arrangement.
    int ToolbarCount() const { return static_cast<int>(FToolbars.size()); }
    TQmToolbar* Toolbars(int index) const;

    // The sizes of a row when it has toolbars, else bar's own, else zeros.
    TRowSizeInfo GetRowSize(int row, const TQmToolbar* bar) const;
    void BuildRowSizes();
    // The highest row of the listed toolbars, -1 when there is none.
    int LastRowIndex() const;
    // The row for a toolbar dropped with its centre at across (client coordinates): the first
    // 5 pixels of the dock and 5 pixels on both sides of every row boundary ask for a new row
    // there (insert set).
    int RowAtPosition(int across, bool& insert) const;
    // Moves every toolbar of that row and the ones after it one row on.
    void OpenRow(int row);
    // Tiles the background over clip, a tile's top-left corner at tiles' top-left and then
    // every tile width and height while within tiles' right and bottom.
    void DrawBackground(TCanvas& canvas, const TRect& clip, const TRect& tiles);

    TInsertRemoveEvent OnInsertRemoveBar;

protected:
    void Loaded() override;
    void Paint() override;
    void VisibleChanging() override;
    void AlignControls(TControl* AControl, TRect& Rect) override;
    void WndProc(TMessage& Message) override;

private:
    void SortToolbars();
    void RemoveBlankRows();
    void RemoveOverlaps();
    void PullBackOverflowingRows();
    void PlaceToolbars();
    int LengthOf(const TQmToolbar* bar) const;
    void ResizeDock(int width, int height);
    void PaintBoundLines();
    void BackgroundChanged();
    void InvalidateBackgrounds();
    TBitmap& BackgroundTile();

    bool FAllowDrag = true;
    TBitmap FBackground;
    std::unique_ptr<TBitmap> FTransparentCache;
    bool FBackgroundTransparent = false;
    TDockBoundLines FBoundLines;
    bool FFixAlign = false;
    bool FLimitToOneRow = false;
    TDockPosition FPosition = dpTop;
    int FUpdateLock = 0;
    bool FArranging = false;
    std::vector<TQmToolbar*> FToolbars;
    std::map<int, TRowSizeInfo> FRowSizes;
};

// 0 for no dock (floating), 1 for a top or bottom dock, 2 for a left or right dock.
int DockOrientation(const TQmDock* dock);

// A toolbar of buttons, separators and other controls, laid out in one line along its dock.
class TQmToolbar : public TCustomControl {
public:
    // The owner must be a form.
    explicit TQmToolbar(TComponent* AOwner);
    ~TQmToolbar() override;

    bool CanDockLeftRight() const { return FCanDockLeftRight; }
    void SetCanDockLeftRight(bool value) { FCanDockLeftRight = value; }
    // The floating caption's close button.
    bool CloseButton() const { return FCloseButton; }
    void SetCloseButton(bool value);
    // The dock a floating toolbar returns to.
    TQmDock* DefaultDock() const { return FDefaultDock; }
    void SetDefaultDock(TQmDock* value);
    // The dock that holds the toolbar, nullptr when none does; setting it moves the toolbar.
    TQmDock* DockedTo() const;
    void SetDockedTo(TQmDock* value);
    int DockRow() const { return FDockRow; }
    void SetDockRow(int value);
    // Distance from the start of the row, in pixels.
    int DockPos() const { return FDockPos; }
    void SetDockPos(int value);
    // The sizes measured at the last layout.
    const TRowSizeInfo& RowSizeInfo() const { return FRowSize; }

    // Floating: a small window of its own with a caption (the toolbar's Caption), a frame by
    // which it is sized and, with CloseButton, a button that hides it.
    bool Floating() const { return FFloating; }
    // Where it floats, or last floated: the window on screen, frame and caption included; empty
    // until first needed.
    TRect FloatingRect() const { return FFloatingRect; }
    // The width at which the floating layout wraps its lines; 0 for one line.
    int FloatingWrapWidth() const { return FFloatingWrapWidth; }
    // Stored as they are, for the position store: the floating place takes effect at the next
    // floating, the dock place at the next arrangement.
    void SetFloatingPlace(const TRect& rect, int wrapWidth);
    void SetDockPlace(int row, int pos);
    // Shifts a floating toolbar into the desktop work area; with onlyWhenOff it stays where it
    // is while any of it lies in the work area.
    void MoveOnScreen(bool onlyWhenOff);
    // A floating toolbar hidden while its application is inactive or its form minimised or
    // hidden; its true bounds stay those of the shown window.
    bool Hidden() const { return FHidden; }
    void SetHidden(bool value);

    // The caption bar and its close button, in window coordinates.
    TRect GetCaptionRect() const;
    TRect GetCloseButtonRect() const;
    // The window sizes the floating toolbar can take when sized along one direction: one per
    // wrap layout, the narrowest layout of each height, sorted by height (vertical) or width.
    std::vector<TSize> BuildSizeList(bool vertical);

    // The drag under way: the outline, and the dock the toolbar would go into (nullptr:
    // floating).
    bool Dragging() const { return FDrag != nullptr; }
    const TScreenOutline* DragOutline() const;
    TQmDock* DragTarget() const;

    // Lays the children out for the dock the toolbar is in.
    void Rearrange();
    // Measures the children for dock (nullptr: floating, lines wrapped at wrapWidth when it is
    // above 0) and returns the client size the toolbar needs; apply places the children, resize
    // gives the toolbar that size. Docked toolbars keep their children in one line.
    TSize ArrangeControls(bool apply, bool resize, int wrapWidth, TQmDock* dock);

    // A separator that ended a line of a floating toolbar: where the next line starts across,
    // and whether the separator is blank.
    struct TLineSeparator {
        int Across;
        bool Blank;
        friend bool operator==(const TLineSeparator&, const TLineSeparator&) = default;
    };
    const std::vector<TLineSeparator>& LineSeparators() const { return FLineSeparators; }

    // The toolbar's place as its dock sets it, or its window's on screen; a hidden floating
    // toolbar reports where it will show again.
    TRect GetTrueBounds() const;
    void SetTrueBounds(int ALeft, int ATop, int AWidth, int AHeight);
    void SetTrueBoundsRect(const TRect& rect);
    // A floating toolbar's client area lies inside its frame and below its caption.
    TRect ClientRect() const override;

    // Only a dock takes a toolbar; the owner form, or none, leaves it undocked.
    void SetParent(TWinControl* value) override;
    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;

    TNotifyEvent OnClose;
    TNotifyEvent OnRecreating;
    TNotifyEvent OnRecreated;
    TNotifyEvent OnDockChanging;
    TNotifyEvent OnDockChanged;

protected:
    void Loaded() override;
    void Notification(TComponent* AComponent, TOperation Operation) override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    bool WidgetShown() const override;
    void Paint() override;
    void AlignControls(TControl* AControl, TRect& Rect) override;
    void WndProc(TMessage& Message) override;

private:
    friend class TQmDock;
    friend class TQmToolbarSep;
    struct TControlGroup;
    struct TDrag;
    enum TFrameHit { fhNone, fhClient, fhClose, fhTop, fhBottom, fhLeft, fhRight };

    std::vector<TControlGroup> BuildGroups() const;
    // The sizes of the visible children, separators left out.
    TRowSizeInfo MeasureControls() const;
    void SortOrderByPosition();
    bool LayoutSkipped() const;
    void PaintDragHandle();
    // Where the children start: inside the frame and below the caption while floating.
    TPoint ClientOffset() const;
    bool PointOnChildControl(int x, int y) const;
    void StartFloating();
    void FloatAtFormPlace();
    void MoveIntoDock(TQmDock* dock);
    void MoveToFloat();
    void PaintFloatingFrame();
    TFrameHit FrameHitTest(int x, int y) const;

    // The drag by the mouse: moving to another dock or floating, sizing the floating window, or
    // pressing its close button.
    void StartDrag(int kind);
    void BeginMoving(int x, int y);
    void BeginSizing(TFrameHit edge);
    void BeginClosePress();
    void DragMouseMoved(TPoint pointer);
    void SizingMouseMoved(TPoint pointer);
    void ClosePressMouseMoved(TPoint pointer);
    void DragKey(int virtualKey, bool down);
    void EndDrag(bool accepted);
    void ApplyDrag();
    void ApplySizing();
    void ApplyClosePress();
    TQmDock* FindDragTarget(TPoint pointer) const;
    bool DockHitTest(TQmDock* dock, TPoint pointer) const;
    TRect OutlineAt(TPoint pointer, TSize size) const;
    TSize DragSizeFor(TQmDock* dock) const;

    int FDockRow = 0;
    int FDockPos = -1;
    TRowSizeInfo FRowSize;
    std::vector<TControl*> FOrder;
    std::vector<TLineSeparator> FLineSeparators;
    int FLayoutLock = 0;
    int FHidingCount = 0;
    bool FCanDockLeftRight = true;
    bool FCloseButton = true;
    TQmDock* FDefaultDock = nullptr;
    bool FFloating = false;
    TRect FFloatingRect{};
    int FFloatingWrapWidth = 0;
    bool FHidden = false;
    bool FClosePressed = false;
    std::unique_ptr<TDrag> FDrag;
    int FAppHook = 0;
};

// The size of the floating window's frame on every side, and of its caption bar.
int FloatingFrameSize();
int FloatingCaptionHeight();
// The floating window around a client rectangle, and back: the frame on the left, right and
// bottom, the caption and the frame below the top (the top edge is the window's).
TRect GrowRectByFloatingFrame(const TRect& rect);
TRect ShrinkRectByFloatingFrame(const TRect& rect);
// Hides every floating toolbar of the form (show false, or the form minimised or hidden), or
// shows them again.
void ShowHideFloatingToolbars(TComponent* form, bool show);

// Where every toolbar of the form is, under keyPath of the current user's registry: one subkey
// per toolbar, named after it. Loading puts them back, leaving a toolbar whose stored dock is
// gone or whose stored place is damaged where the form put it.
void SaveToolbarPositions(TComponent* form, const String& keyPath);
void LoadToolbarPositions(TComponent* form, const String& keyPath);
// The same through any storage: (section, value name, value or default, data).
using TPositionIntegerProc =
    std::function<int(const String& section, const String& name, int value, void* data)>;
using TPositionStringProc = std::function<String(const String& section, const String& name,
                                                 const String& value, void* data)>;
void SaveToolbarPositionsEx(TComponent* form, const TPositionIntegerProc& writeInteger,
                            const TPositionStringProc& writeString, void* data);
void LoadToolbarPositionsEx(TComponent* form, const TPositionIntegerProc& readInteger,
                            const TPositionStringProc& readString, void* data);

// The toolbar that holds the control, directly or further out; nullptr when none does.
TQmToolbar* ToolbarOfControl(TControl* control);

// How a button shows its content.
enum TButtonDisplayMode { dmBoth, dmGlyphOnly, dmTextOnly };
// The looks of a toolbar button; also the order of the cells of its glyph.
enum TToolbarButtonState { bsUp, bsDisabled, bsDown, bsExclusive, bsHot };

// What a button asks its glyph to draw, and how.
struct TButtonContent {
    String Caption;
    TButtonLayout Layout = blGlyphLeft;
    int Margin = -1; // -1: centred
    int Spacing = 4; // between glyph and text; -1: spread evenly
    TToolbarButtonState State = bsUp;
    bool Transparent = true;
    bool DrawArrow = false;
    bool DrawGlyph = true;
    bool DrawText = true;
    bool WordWrap = false;
};

// Where a button's glyph, caption and drop-down arrow go.
struct TContentLayout {
    TPoint GlyphPos;
    TRect TextBounds;
    TPoint ArrowPos;
};

// A button's glyph: a strip of up to five cells (up, disabled, down, exclusive, hot), cut into
// state images on first need; a disabled image is embossed from the glyph when the strip has no
// cell of its own for it. The images sit in the glyph lists of the one shared glyph cache.
class TButtonGlyph : public TObject {
public:
    TButtonGlyph();
    ~TButtonGlyph() override;
    TButtonGlyph(const TButtonGlyph&) = delete;
    TButtonGlyph& operator=(const TButtonGlyph&) = delete;

    // The strip; a picture loaded into it drops the images made so far.
    TBitmap& Glyph() { return FOriginal; }
    // Copies the picture (nullptr or an empty one removes the glyph); a strip whose width is a
    // whole multiple of its height, fewer than 6 times, gives that many cells.
    void SetGlyph(const TBitmap* value);
    int NumGlyphs() const { return FNumGlyphs; }
    void SetNumGlyphs(int value);
    // Embosses a disabled image from every pixel that is not white or the transparent colour,
    // silver included.
    bool OldDisabledStyle() const { return FOldDisabledStyle; }
    void SetOldDisabledStyle(bool value);
    TColor TransparentColor() const { return FTransparentColor; }

    // Gives the images back to their list.
    void ReleaseImages();
    // The index of the state's image in ImageList, made when needed; -1 without a glyph.
    int GetStateImage(TToolbarButtonState state);
    TGlyphList* ImageList() const { return FList; }

    TContentLayout CalcLayout(TCanvas& canvas, const TRect& client, TPoint offset,
                              const TButtonContent& content);
    // Draws what content asks for in client, moved by offset; returns the caption's bounds.
    TRect Draw(TCanvas& canvas, const TRect& client, TPoint offset, const TButtonContent& content);
    // The small drop-down triangle at x + 4 .. x + 8, y .. y + 2; embossed when disabled.
    void DrawArrow(TCanvas& canvas, int x, TToolbarButtonState state, int y);

    // The images changed: the button repaints.
    TNotifyEvent OnChange;

private:
    void GlyphChanged();
    TSize GlyphSize() const;
    void CopyCell(TBitmap& target, int cell, TColor fill) const;
    int MakeDisabledFromCell(TBitmap& image);
    int MakeEmbossed(TBitmap& image);
    void DrawGlyph(TCanvas& canvas, TPoint pos, TToolbarButtonState state, bool transparent);
    void DrawCaption(TCanvas& canvas, const String& caption, TRect bounds,
                     TToolbarButtonState state, bool wordWrap);

    TBitmap FOriginal;
    TColor FTransparentColor = clOlive;
    int FNumGlyphs = 1;
    std::array<int, 5> FIndexes;
    TGlyphList* FList = nullptr;
    bool FOldDisabledStyle = false;
};

// The button of toolbars and forms: a glyph, a caption or both, flat until the pointer is over
// it, down as a member of a group, or opening a drop-down menu from the whole button or from an
// arrow part of 11 pixels at its right.
class TQmToolbarButton : public TGraphicControl {
public:
    explicit TQmToolbarButton(TComponent* AOwner);
    ~TQmToolbarButton() override;

    // A down group member may be released by clicking it.
    bool AllowAllUp() const { return FAllowAllUp; }
    void SetAllowAllUp(bool value);
    // 0: no group, and Down stays false.
    int GroupIndex() const { return FGroupIndex; }
    void SetGroupIndex(int value);
    TButtonDisplayMode DisplayMode() const { return FDisplayMode; }
    void SetDisplayMode(TButtonDisplayMode value);
    bool Down() const { return FDown; }
    void SetDown(bool value);
    // A whole-button drop-down shows a small arrow.
    bool DropdownArrow() const { return FDropdownArrow; }
    void SetDropdownArrow(bool value);
    // The menu opens only from the arrow part at the right; turning it on widens the button.
    bool DropdownCombo() const { return FDropdownCombo; }
    void SetDropdownCombo(bool value);
    TPopupMenu* DropdownMenu() const { return FDropdownMenu; }
    void SetDropdownMenu(TPopupMenu* value);
    bool Flat() const { return FFlat; }
    void SetFlat(bool value);
    TBitmap& Glyph() { return FGlyph->Glyph(); }
    void SetGlyph(const TBitmap* value) { FGlyph->SetGlyph(value); }
    TButtonLayout Layout() const { return FLayout; }
    void SetLayout(TButtonLayout value);
    // -1 centres the content.
    int Margin() const { return FMargin; }
    void SetMargin(int value);
    int NumGlyphs() const { return FGlyph->NumGlyphs(); }
    void SetNumGlyphs(int value);
    bool OldDisabledStyle() const { return FGlyph->OldDisabledStyle(); }
    void SetOldDisabledStyle(bool value);
    // A flat button paints its own background.
    bool Opaque() const { return FOpaque; }
    void SetOpaque(bool value);
    int Spacing() const { return FSpacing; }
    void SetSpacing(int value);
    bool WordWrap() const { return FWordWrap; }
    void SetWordWrap(bool value);

    // The look the button has now.
    TToolbarButtonState State() const { return FState; }
    TButtonGlyph& ButtonGlyph() { return *FGlyph; }

    void Click() override;
    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;

    // The button under the pointer that the hover timer watches, and that timer: it takes the
    // highlight off a button the pointer left without a leave message.
    static TQmToolbarButton* HoverButton();
    static TTimer* HoverTimer();

    TNotifyEvent OnMouseEnter;
    TNotifyEvent OnMouseExit;

protected:
    void Loaded() override;
    void Notification(TComponent* AComponent, TOperation Operation) override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void Paint() override;
    void WndProc(TMessage& Message) override;

private:
    static void HoverTimerTick();
    static bool ButtonAppHook(TMessage& Message);
    void Redraw();
    void SetOpaqueStyle();
    void NotifyGroup();
    void CheckMouseOver();
    void MouseEntered();
    void MouseExited();
    bool UnderPointer(const TPoint& screenPoint) const;
    bool HasComboArrow() const { return FDropdownCombo && FDropdownMenu; }
    int MainPartWidth() const;
    void ShowDropdownMenu();
    void PrepareStateImage();
    void ButtonPressed(TMessage& Message);
    void EndClick();
    void DrawFrames(TCanvas& canvas, TRect& content);

    bool FAllowAllUp = false;
    int FGroupIndex = 0;
    TButtonDisplayMode FDisplayMode = dmBoth;
    bool FDown = false;
    bool FDropdownArrow = true;
    bool FDropdownCombo = false;
    TPopupMenu* FDropdownMenu = nullptr;
    bool FFlat = true;
    TButtonLayout FLayout = blGlyphLeft;
    int FMargin = -1;
    bool FOpaque = true;
    int FSpacing = 4;
    bool FWordWrap = false;

    TToolbarButtonState FState = bsUp;
    bool FMouseInside = false;
    bool FTracking = false;
    bool FDropdownPartPressed = false;
    bool FInClick = false;
    std::unique_ptr<TButtonGlyph> FGlyph;
};

// The separator that ends a group of a toolbar's controls.
class TQmToolbarSep : public TGraphicControl {
public:
    explicit TQmToolbarSep(TComponent* AOwner);

    // No lines are drawn.
    bool Blank() const { return FBlank; }
    void SetBlank(bool value);
    // Its length in horizontal and in vertical layouts (at least 1).
    int SizeHorz() const { return FSizeHorz; }
    void SetSizeHorz(int value);
    int SizeVert() const { return FSizeVert; }
    void SetSizeVert(int value);

    // Only a toolbar takes a separator.
    void SetParent(TWinControl* value) override;

protected:
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void Paint() override;
    void WndProc(TMessage& Message) override;

private:
    bool FBlank = false;
    int FSizeHorz = 6;
    int FSizeVert = 6;
};
