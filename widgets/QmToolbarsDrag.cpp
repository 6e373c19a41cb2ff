// The user moves a toolbar with the mouse: from dock to dock and row to row or floating, sizes a
// floating toolbar through its wrap layouts, and presses its close button. Each is a drag that
// lasts from the press to the release of the left button; a second left press cancels it.

#include "widgets/QmToolbars.h"
#include "widgets/QmToolbarsPrivate.h"

#include "platform/Forms.h"
#include "platform/ToolWindow.h"
#include "platform/Win32Draw.h"

#include <algorithm>

namespace {

// a * b / c rounded, 0 for c = 0.
int MulDiv(int a, int b, int c) {
    if (c == 0)
        return 0;
    const long long product = static_cast<long long>(a) * b;
    return static_cast<int>((product + (product >= 0 ? c / 2 : -c / 2)) / c);
}

bool Intersects(const TRect& a, const TRect& b) {
    return !IsRectEmpty(Intersection(a, b));
}

TRect DockScreenRect(const TQmDock* dock) {
    const TPoint origin = dock->ClientToScreen(dock->ClientOrigin());
    return Bounds(origin.x, origin.y, dock->ClientWidth(), dock->ClientHeight());
}

} // namespace

const TScreenOutline* TQmToolbar::DragOutline() const {
    return FDrag ? &FDrag->Outline : nullptr;
}

TQmDock* TQmToolbar::DragTarget() const {
    return FDrag ? FDrag->Target : nullptr;
}

bool TQmToolbar::PointOnChildControl(int x, int y) const {
    for (int i = 0; i < ControlCount(); ++i) {
        TControl* control = Controls(i);
        if (control->Visible() && !dynamic_cast<TQmToolbarSep*>(control) &&
            control->BoundsRect().Contains(TPoint{x, y}))
            return true;
    }
    return false;
}

// A double click floats a docked toolbar and docks a floating one at the front of the first row
// of its default dock.
void TQmToolbar::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
    TCustomControl::MouseDown(Button, Shift, X, Y);
    if (Button != mbLeft)
        return;
    if (FDrag) {
        EndDrag(false);
        return;
    }
    if (TQmDock* dock = DockedTo(); dock && !dock->AllowDrag())
        return;
    if (PointOnChildControl(X, Y))
        return;
    if (Shift.Contains(ssDouble)) {
        if (DockedTo()) {
            SetDockedTo(nullptr);
        } else if (FDefaultDock) {
            FDockRow = 0;
            FDockPos = -8;
            SetDockedTo(FDefaultDock);
        }
        return;
    }
    switch (FrameHitTest(X, Y)) {
    case fhClient:
        BeginMoving(X, Y);
        break;
    case fhClose:
        BeginClosePress();
        break;
    case fhTop:
    case fhBottom:
    case fhLeft:
    case fhRight:
        BeginSizing(FrameHitTest(X, Y));
        break;
    case fhNone:
        break;
    }
}

void TQmToolbar::MouseMove(TShiftState Shift, int X, int Y) {
    TCustomControl::MouseMove(Shift, X, Y);
    if (!FDrag)
        return;
    const TPoint pointer = ClientToScreen(TPoint{X, Y});
    switch (FDrag->Kind) {
    case TDrag::dkMove:
        DragMouseMoved(pointer);
        break;
    case TDrag::dkSize:
        SizingMouseMoved(pointer);
        break;
    case TDrag::dkClose:
        ClosePressMouseMoved(pointer);
        break;
    }
}

void TQmToolbar::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
    TCustomControl::MouseUp(Button, Shift, X, Y);
    if (FDrag && Button == mbLeft)
        EndDrag(true);
}

// The drag holds the mouse and the keys; hints stay away meanwhile.
void TQmToolbar::StartDrag(int kind) {
    FDrag = std::make_unique<TDrag>();
    FDrag->Kind = static_cast<TDrag::TKind>(kind);
    FDrag->Hold = std::make_unique<TInputHold>(
        [this](int virtualKey, bool down) { DragKey(virtualKey, down); });
    FDrag->ShowHint = Application->ShowHint();
    Application->SetShowHint(false);
    SetMouseCapture(true);
}

void TQmToolbar::EndDrag(bool accepted) {
    std::unique_ptr<TDrag> drag = std::move(FDrag);
    SetMouseCapture(false);
    Application->SetShowHint(drag->ShowHint);
    drag->Outline.Hide();
    drag->Hold.reset();
    if (!accepted) {
        if (Change(FClosePressed, false))
            Invalidate();
        return;
    }
    FDrag = std::move(drag);
    try {
        switch (FDrag->Kind) {
        case TDrag::dkMove:
            ApplyDrag();
            break;
        case TDrag::dkSize:
            ApplySizing();
            break;
        case TDrag::dkClose:
            ApplyClosePress();
            break;
        }
    } catch (...) {
        FDrag.reset();
        throw;
    }
    FDrag.reset();
}

// ---- Moving

void TQmToolbar::BeginMoving(int x, int y) {
    StartDrag(TDrag::dkMove);
    TDrag& drag = *FDrag;
    drag.Grab = TPoint{x, y};
    drag.GrabSize = TSize{Width() - 1, Height() - 1};
    drag.NoDocking = GetKeyState(VK_CONTROL) < 0;
    const TSize floating = ArrangeControls(false, false, FFloatingWrapWidth, nullptr);
    const TRect window = GrowRectByFloatingFrame(Rect(0, 0, floating.cx, floating.cy));
    drag.Sizes.emplace_back(nullptr, TSize{window.Width(), window.Height()});
    for (int i = 0; i < Owner()->ComponentCount(); ++i)
        if (auto* dock = dynamic_cast<TQmDock*>(Owner()->Components(i)))
            drag.Sizes.emplace_back(dock, dock == DockedTo()
                                              ? TSize{ClientWidth(), ClientHeight()}
                                              : ArrangeControls(false, false, 0, dock));
    DragMouseMoved(ClientToScreen(drag.Grab));
}

TSize TQmToolbar::DragSizeFor(TQmDock* dock) const {
    for (const auto& [target, size] : FDrag->Sizes)
        if (target == dock)
            return size;
    return TSize{Width(), Height()};
}

// The outline keeps the grab point under the pointer, in proportion to its size.
TRect TQmToolbar::OutlineAt(TPoint pointer, TSize size) const {
    const TDrag& drag = *FDrag;
    const int left = pointer.x - MulDiv(size.cx - 1, drag.Grab.x, drag.GrabSize.cx);
    const int top = pointer.y - MulDiv(size.cy - 1, drag.Grab.y, drag.GrabSize.cy);
    return Bounds(left, top, size.cx, size.cy);
}

// The pointer must be near the dock, the nearer the further the grab point lies from the
// toolbar's middle, and the toolbar's outline in that dock must touch it.
bool TQmToolbar::DockHitTest(TQmDock* dock, TPoint pointer) const {
    const TDrag& drag = *FDrag;
    TRect r = DockScreenRect(dock);
    if (r.Width() == 0)
        ++r.Right;
    if (r.Height() == 0)
        ++r.Bottom;
    const int dx = MulDiv(32, drag.Grab.x, drag.GrabSize.cx);
    const int dy = MulDiv(20, drag.Grab.y, drag.GrabSize.cy);
    if (pointer.x < r.Left - 32 + dx || pointer.x > r.Right - 1 + dx)
        return false;
    if (dock->Vertical() && (pointer.y < r.Top || pointer.y >= r.Bottom))
        return false;
    if (pointer.y < r.Top - 20 + dy || pointer.y > r.Bottom - 1 + dy)
        return false;
    return Intersects(OutlineAt(pointer, DragSizeFor(dock)), r);
}

// Top and bottom docks come first; side docks only for a toolbar that may go there.
TQmDock* TQmToolbar::FindDragTarget(TPoint pointer) const {
    if (FDrag->NoDocking)
        return nullptr;
    for (bool sides : {false, true}) {
        if (sides && !FCanDockLeftRight)
            break;
        for (int i = 0; i < Owner()->ComponentCount(); ++i) {
            auto* dock = dynamic_cast<TQmDock*>(Owner()->Components(i));
            if (dock && dock->Vertical() == sides && dock->AllowDrag() &&
                DockHitTest(dock, pointer))
                return dock;
        }
    }
    return nullptr;
}

// A floating outline stays within reach: it keeps overlapping the work area.
void TQmToolbar::DragMouseMoved(TPoint pointer) {
    TDrag& drag = *FDrag;
    drag.Pointer = pointer;
    drag.Target = FindDragTarget(pointer);
    const TRect area = Screen->WorkAreaRect();
    if (!drag.Target) {
        pointer.x = std::clamp(pointer.x, area.Left, std::max(area.Left, area.Right - 1));
        pointer.y = std::clamp(pointer.y, area.Top, std::max(area.Top, area.Bottom - 1));
    }
    TRect outline = OutlineAt(pointer, DragSizeFor(drag.Target));
    if (!drag.Target) {
        const int margin = FloatingFrameSize() + 4;
        const TRect inner =
            Rect(area.Left + margin, area.Top + margin, area.Right - margin, area.Bottom - margin);
        if (outline.Bottom < inner.Top)
            outline = Moved(outline, 0, inner.Top - outline.Bottom);
        if (outline.Top > inner.Bottom)
            outline = Moved(outline, 0, inner.Bottom - outline.Top);
        if (outline.Right < inner.Left)
            outline = Moved(outline, inner.Left - outline.Right, 0);
        if (outline.Left > inner.Right)
            outline = Moved(outline, inner.Right - outline.Left, 0);
    }
    drag.Outline.Show(outline, drag.Target ? 1 : FloatingFrameSize());
}

// Ctrl held keeps the toolbar floating, and shows so at once.
void TQmToolbar::DragKey(int virtualKey, bool down) {
    if (!FDrag || FDrag->Kind != TDrag::dkMove || virtualKey != VK_CONTROL)
        return;
    if (FDrag->NoDocking == down)
        return;
    FDrag->NoDocking = down;
    DragMouseMoved(FDrag->Pointer);
}

void TQmToolbar::ApplyDrag() {
    const TDrag& drag = *FDrag;
    const TRect outline = drag.Outline.Rect();
    if (TQmDock* dock = drag.Target) {
        const TPoint origin = dock->ClientToScreen(dock->ClientOrigin());
        const TRect inDock = Moved(outline, -origin.x, -origin.y);
        const int across =
            dock->Vertical() ? (inDock.Left + inDock.Right) / 2 : (inDock.Top + inDock.Bottom) / 2;
        bool insert = false;
        const int row = dock->RowAtPosition(across, insert);
        if (insert)
            dock->OpenRow(row);
        FDockRow = row;
        FDockPos = dock->Vertical() ? inDock.Top : inDock.Left;
    } else {
        FFloatingRect = outline;
    }
    SetDockedTo(drag.Target);
    MoveOnScreen(true);
}

// ---- Sizing a floating toolbar

void TQmToolbar::BeginSizing(TFrameHit edge) {
    StartDrag(TDrag::dkSize);
    TDrag& drag = *FDrag;
    drag.Edge = edge;
    const bool vertical = edge == fhTop || edge == fhBottom;
    drag.SizeList = BuildSizeList(vertical);
    const TSize current{Width(), Height()};
    auto along = [vertical](TSize size) { return vertical ? size.cy : size.cx; };
    auto here = std::find(drag.SizeList.begin(), drag.SizeList.end(), current);
    if (here != drag.SizeList.end()) {
        if (here != drag.SizeList.begin())
            drag.Threshold = std::min(
                drag.Threshold, std::max(0, std::abs(along(*(here - 1)) - along(current)) - 1));
        if (here + 1 != drag.SizeList.end())
            drag.Threshold = std::min(
                drag.Threshold, std::max(0, std::abs(along(*(here + 1)) - along(current)) - 1));
    }
    drag.Start = GetTrueBounds();
    drag.Choice = current;
    drag.Outline.Show(drag.Start, FloatingFrameSize());
}

// The outline steps from one wrap layout to the next; a small move keeps the size.
void TQmToolbar::SizingMouseMoved(TPoint pointer) {
    TDrag& drag = *FDrag;
    const bool vertical = drag.Edge == fhTop || drag.Edge == fhBottom;
    int x = pointer.x - Left();
    int y = pointer.y - Top();
    if (drag.Edge == fhLeft)
        x = Width() - x;
    if (drag.Edge == fhTop)
        y = Height() - y;
    int d = vertical ? y : x;
    const int c = vertical ? Height() : Width();
    const bool shrinking = d < c;
    if (!drag.Moved || shrinking != drag.Shrinking) {
        drag.Moved = false;
        if (d >= c - drag.Threshold && d < c + drag.Threshold)
            d = c;
    }
    drag.Shrinking = shrinking;
    auto along = [vertical](TSize size) { return vertical ? size.cy : size.cx; };
    std::vector<TSize> sizes = drag.SizeList;
    std::sort(sizes.begin(), sizes.end(), [&](TSize a, TSize b) { return along(a) < along(b); });
    TSize choice = d > c ? sizes.back() : sizes.front();
    if (d > c) {
        for (auto it = sizes.rbegin(); it != sizes.rend(); ++it)
            if (along(*it) > d)
                choice = *it;
    } else {
        for (const TSize& size : sizes)
            if (along(size) <= d)
                choice = size;
    }
    drag.Choice = choice;
    TRect outline = drag.Start;
    switch (drag.Edge) {
    case fhRight:
        outline.Right = outline.Left + choice.cx;
        outline.Bottom = outline.Top + choice.cy;
        break;
    case fhLeft:
        outline.Left = outline.Right - choice.cx;
        outline.Bottom = outline.Top + choice.cy;
        break;
    case fhBottom:
        outline.Bottom = outline.Top + choice.cy;
        outline.Right = outline.Left + choice.cx;
        break;
    case fhTop:
        outline.Top = outline.Bottom - choice.cy;
        outline.Right = outline.Left + choice.cx;
        break;
    default:
        break;
    }
    if (outline != drag.Start)
        drag.Moved = true;
    if (outline != drag.Outline.Rect())
        drag.Outline.Show(outline, FloatingFrameSize());
}

// The wrap width is the chosen layout's client width, which gives that layout again.
void TQmToolbar::ApplySizing() {
    const TDrag& drag = *FDrag;
    FFloatingWrapWidth = drag.Choice.cx - 2 * FloatingFrameSize();
    FFloatingRect = drag.Outline.Rect();
    SetTrueBoundsRect(FFloatingRect);
    Rearrange();
    MoveOnScreen(true);
}

// ---- The close button

void TQmToolbar::BeginClosePress() {
    StartDrag(TDrag::dkClose);
    FClosePressed = true;
    Invalidate();
}

void TQmToolbar::ClosePressMouseMoved(TPoint pointer) {
    const TPoint at{pointer.x - Left(), pointer.y - Top()};
    if (Change(FClosePressed, GetCloseButtonRect().Contains(at)))
        Invalidate();
}

void TQmToolbar::ApplyClosePress() {
    const bool clicked = FClosePressed;
    FClosePressed = false;
    Invalidate();
    if (!clicked)
        return;
    SetVisible(false);
    if (OnClose)
        OnClose(this);
}
