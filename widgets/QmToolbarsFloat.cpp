// The floating toolbar's window: its frame, caption and close button, its place on screen, the
// sizes it can take, and its hiding while the program is not in use.

#include "widgets/QmToolbars.h"

#include "platform/Forms.h"
#include "platform/ToolWindow.h"
#include "platform/Win32Draw.h"

#include <algorithm>

// The classic small-caption metrics: the window manager draws nothing of these windows, so the
// values are the program's own.
int FloatingFrameSize() {
    return 4;
}

int FloatingCaptionHeight() {
    return 15;
}

TRect GrowRectByFloatingFrame(const TRect& rect) {
    const int frame = FloatingFrameSize();
    return Rect(rect.Left - frame, rect.Top, rect.Right + frame,
                rect.Bottom + 2 * frame + FloatingCaptionHeight());
}

TRect ShrinkRectByFloatingFrame(const TRect& rect) {
    const int frame = FloatingFrameSize();
    return Rect(rect.Left + frame, rect.Top, rect.Right - frame,
                rect.Bottom - 2 * frame - FloatingCaptionHeight());
}

TPoint TQmToolbar::ClientOffset() const {
    if (!FFloating)
        return TPoint{0, 0};
    return TPoint{FloatingFrameSize(), FloatingFrameSize() + FloatingCaptionHeight()};
}

TRect TQmToolbar::ClientRect() const {
    TRect shrunk = ShrinkRectByFloatingFrame(Bounds(0, 0, Width(), Height()));
    if (!FFloating)
        return TCustomControl::ClientRect();
    return Rect(0, 0, std::max(0, shrunk.Width()), std::max(0, shrunk.Height()));
}

bool TQmToolbar::WidgetShown() const {
    if (FFloating)
        return Visible() && !FHidden;
    return TCustomControl::WidgetShown();
}

// The toolbar becomes a window of its own above its form.
void TQmToolbar::StartFloating() {
    FFloating = true;
    MakeToolWindow(*this, *dynamic_cast<TControl*>(Owner()));
    SyncPeer();
}

TRect TQmToolbar::GetTrueBounds() const {
    return BoundsRect();
}

void TQmToolbar::SetTrueBoundsRect(const TRect& rect) {
    SetTrueBounds(rect.Left, rect.Top, rect.Width(), rect.Height());
}

void TQmToolbar::SetFloatingPlace(const TRect& rect, int wrapWidth) {
    FFloatingRect = rect;
    FFloatingWrapWidth = wrapWidth;
}

void TQmToolbar::SetDockPlace(int row, int pos) {
    FDockRow = row;
    FDockPos = pos;
}

// Right and bottom edges are pulled in first, so a window larger than the work area keeps its
// top-left corner in view.
void TQmToolbar::MoveOnScreen(bool onlyWhenOff) {
    if (!FFloating)
        return;
    const TRect area = Screen->WorkAreaRect();
    TRect bounds = GetTrueBounds();
    if (onlyWhenOff && !IsRectEmpty(Intersection(bounds, area)))
        return;
    int left = bounds.Left;
    int top = bounds.Top;
    if (left + bounds.Width() > area.Right)
        left = area.Right - bounds.Width();
    if (top + bounds.Height() > area.Bottom)
        top = area.Bottom - bounds.Height();
    left = std::max(left, area.Left);
    top = std::max(top, area.Top);
    SetTrueBounds(left, top, bounds.Width(), bounds.Height());
}

void TQmToolbar::SetHidden(bool value) {
    if (!Change(FHidden, value))
        return;
    SyncPeer();
}

void ShowHideFloatingToolbars(TComponent* form, bool show) {
    auto* window = dynamic_cast<TForm*>(form);
    const bool formAway = window && (!window->Visible() || window->WindowState() == wsMinimized);
    for (int i = 0; i < form->ComponentCount(); ++i)
        if (auto* toolbar = dynamic_cast<TQmToolbar*>(form->Components(i)))
            toolbar->SetHidden(toolbar->Floating() && (!show || formAway));
}

// ---- Frame, caption and close button

void TQmToolbar::SetCloseButton(bool value) {
    if (Change(FCloseButton, value) && FFloating)
        Invalidate();
}

TRect TQmToolbar::GetCaptionRect() const {
    const int caption = FloatingCaptionHeight();
    const int frame = FloatingFrameSize();
    TRect rect = Rect(0, 0, ClientWidth(), caption - 1);
    if (FCloseButton)
        rect.Right -= caption - 1;
    return Moved(rect, frame, frame);
}

TRect TQmToolbar::GetCloseButtonRect() const {
    const int caption = FloatingCaptionHeight();
    const int frame = FloatingFrameSize();
    TRect rect = Rect(0, 0, ClientWidth(), caption - 1);
    rect.Left = rect.Right - caption + 1;
    return Moved(rect, frame, frame);
}

namespace {

void FrameWith(TCanvas& canvas, const TRect& r, TColor color) {
    FillWith(canvas, Rect(r.Left, r.Top, r.Right, r.Top + 1), color);
    FillWith(canvas, Rect(r.Left, r.Bottom - 1, r.Right, r.Bottom), color);
    FillWith(canvas, Rect(r.Left, r.Top, r.Left + 1, r.Bottom), color);
    FillWith(canvas, Rect(r.Right - 1, r.Top, r.Right, r.Bottom), color);
}

} // namespace

// The caption always looks active: the toolbar belongs to the form the user works in.
void TQmToolbar::PaintFloatingFrame() {
    TCanvas& canvas = Canvas();
    TRect ring = Rect(0, 0, Width(), Height());
    DrawEdge(canvas, ring, EDGE_RAISED, BF_RECT | BF_ADJUST);
    for (int i = 3; i <= FloatingFrameSize(); ++i) {
        FrameWith(canvas, ring, clBtnFace);
        ring = Inset(ring, 1);
    }
    TRect caption = GetCaptionRect();
    FillWith(canvas, caption, clActiveCaption);
    TRect text = Rect(caption.Left + 1, caption.Top, caption.Right - 1, caption.Bottom);
    canvas.Brush().SetStyle(bsClear);
    canvas.Font().SetColor(clCaptionText);
    DrawText(canvas, Caption(), text, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
    FillWith(canvas, Rect(caption.Left, caption.Bottom, caption.Right, caption.Bottom + 1),
             clBtnFace);
    if (!FCloseButton)
        return;
    TRect button = GetCloseButtonRect();
    FrameWith(canvas, button, clActiveCaption);
    TRect face = Inset(button, 1);
    DrawEdge(canvas, face, FClosePressed ? EDGE_SUNKEN : EDGE_RAISED,
             BF_RECT | BF_MIDDLE | BF_ADJUST);
    const int shift = FClosePressed ? 1 : 0;
    canvas.Pen().SetColor(clBtnText);
    for (int d = 0; d < 2; ++d) {
        canvas.MoveTo(face.Left + 2 + shift + d, face.Top + 2 + shift);
        canvas.LineTo(face.Right - 2 + shift + d, face.Bottom - 2 + shift);
        canvas.MoveTo(face.Right - 3 + shift + d, face.Top + 2 + shift);
        canvas.LineTo(face.Left - 1 + shift + d, face.Bottom - 2 + shift);
    }
}

// Corners size vertically: the top and bottom edges are tested first.
TQmToolbar::TFrameHit TQmToolbar::FrameHitTest(int x, int y) const {
    const TPoint point{x, y};
    if (!FFloating)
        return fhClient;
    if (FCloseButton && GetCloseButtonRect().Contains(point))
        return fhClose;
    if (GetCaptionRect().Contains(point))
        return fhClient;
    const int frame = FloatingFrameSize();
    if (y >= 0 && y < frame)
        return fhTop;
    if (y >= Height() - frame - 1 && y < Height())
        return fhBottom;
    if (x >= 0 && x < frame)
        return fhLeft;
    if (x >= Width() - frame - 1 && x < Width())
        return fhRight;
    return fhNone;
}

// ---- Sizes of the wrap layouts

std::vector<TSize> TQmToolbar::BuildSizeList(bool vertical) {
    auto windowSize = [](TSize client) {
        TRect window = GrowRectByFloatingFrame(Rect(0, 0, client.cx, client.cy));
        return TSize{window.Width(), window.Height()};
    };
    std::vector<TSize> sizes;
    const TSize unwrapped = ArrangeControls(false, false, 0, nullptr);
    sizes.push_back(windowSize(unwrapped));
    int lastHeight = unwrapped.cy;
    int lastWidth = unwrapped.cx;
    const int narrowest = MeasureControls().LargestWidth + 8;
    for (int w = unwrapped.cx - 1; w >= narrowest; --w) {
        if (w > lastWidth)
            continue;
        const TSize layout = ArrangeControls(false, false, w, nullptr);
        if (layout.cx != w) {
            lastWidth = layout.cx;
            continue;
        }
        if (layout.cy == lastHeight && !sizes.empty())
            sizes.pop_back();
        const TSize size = windowSize(layout);
        if (std::find(sizes.begin(), sizes.end(), size) == sizes.end())
            sizes.push_back(size);
        lastHeight = layout.cy;
        lastWidth = w;
    }
    std::sort(sizes.begin(), sizes.end(),
              [vertical](TSize a, TSize b) { return vertical ? a.cy > b.cy : a.cx > b.cx; });
    return sizes;
}
