// The speed button: pressing, groups, the drop-down menu, auto-repeat, the flat look that follows
// the mouse, and its face drawn in one piece.

#include "widgets/QmCtrls.h"

#include "platform/Events.h"
#include "platform/Forms.h"
#include "platform/Win32Draw.h"
#include "widgets/Vclutils.h"

#include <algorithm>

namespace {

// The buttons alive, and the pattern of pressed group buttons they share while any is.
int ButtonCount = 0;

std::unique_ptr<TBitmap>& PatternSlot() {
    static std::unique_ptr<TBitmap> pattern;
    return pattern;
}

const TBitmap& ExclusivePattern() {
    if (!PatternSlot())
        PatternSlot() = BuildCheckerPattern(clBtnFace, clBtnHighlight);
    return *PatternSlot();
}

// The desktop's own button frames are the new ones.
bool NewStyleControls() {
    return true;
}

void FrameLine(TCanvas& canvas, TRect& rect, TColor topLeft, TColor bottomRight) {
    Frame3D(canvas, rect, topLeft, bottomRight, 1);
}

// Stores a property's value; false when it already had it.
template <typename T> bool StoreIfNew(T& field, T value) {
    if (field == value)
        return false;
    field = value;
    return true;
}

} // namespace

TRect DrawSpeedButtonFrame(TCanvas& canvas, TRect rect, bool down, bool flat, TButtonStyle style) {
    const bool newStyle = style == bsNew || (style == bsAutoDetect && NewStyleControls());
    if (down && newStyle) {
        FrameLine(canvas, rect, clWindowFrame, clBtnHighlight);
        if (!flat)
            FrameLine(canvas, rect, clBtnShadow, clBtnFace);
    } else if (down) {
        if (flat) {
            FrameLine(canvas, rect, clWindowFrame, clBtnHighlight);
        } else {
            FrameLine(canvas, rect, clWindowFrame, clWindowFrame);
            canvas.Pen().SetColor(clBtnShadow);
            canvas.Polyline({Point(rect.Left, rect.Bottom - 1), Point(rect.Left, rect.Top),
                             Point(rect.Right, rect.Top)});
        }
    } else if (newStyle) {
        if (flat) {
            FrameLine(canvas, rect, clBtnHighlight, clBtnShadow);
        } else {
            FrameLine(canvas, rect, clBtnHighlight, clWindowFrame);
            FrameLine(canvas, rect, clBtnFace, clBtnShadow);
        }
    } else if (flat) {
        FrameLine(canvas, rect, clBtnHighlight, clWindowFrame);
    } else {
        FrameLine(canvas, rect, clWindowFrame, clWindowFrame);
        FrameLine(canvas, rect, clBtnHighlight, clBtnShadow);
    }
    return Inset(rect, 1);
}

TQmSpeedButton::TQmSpeedButton(TComponent* AOwner)
    : TGraphicControl(AOwner), FGlyph(std::make_unique<TQmButtonGlyph>()) {
    ++ButtonCount;
    SetBounds(0, 0, 25, 25);
    SetControlStyle(TControlStyle{csCaptureMouse, csOpaque, csDoubleClicks});
    SetShowHint(true);
    FGlyph->OnChange = [this](TObject*) { Invalidate(); };
}

TQmSpeedButton::~TQmSpeedButton() {
    FGlyph->OnChange = nullptr;
    FGlyph.reset();
    FRepeatTimer.reset();
    if (--ButtonCount == 0)
        PatternSlot().reset();
}

// ---- Properties

void TQmSpeedButton::SetAlignment(TAlignment value) {
    if (value == FGlyph->Alignment)
        return;
    FGlyph->Alignment = value;
    Invalidate();
}

void TQmSpeedButton::SetWordWrap(bool value) {
    if (value == FGlyph->WordWrap)
        return;
    FGlyph->WordWrap = value;
    Invalidate();
}

void TQmSpeedButton::SetLayout(TButtonLayout value) {
    if (StoreIfNew(FLayout, value))
        Invalidate();
}

void TQmSpeedButton::SetSpacing(int value) {
    if (StoreIfNew(FSpacing, value))
        Invalidate();
}

void TQmSpeedButton::SetMargin(int value) {
    if (value >= -1 && StoreIfNew(FMargin, value))
        Invalidate();
}

void TQmSpeedButton::SetFlat(bool value) {
    if (StoreIfNew(FFlat, value))
        Invalidate();
}

void TQmSpeedButton::SetStyle(TButtonStyle value) {
    if (StoreIfNew(FStyle, value))
        Invalidate();
}

void TQmSpeedButton::SetTransparent(bool value) {
    if (StoreIfNew(FTransparent, value))
        Invalidate();
}

void TQmSpeedButton::SetMarkDropDown(bool value) {
    if (StoreIfNew(FMarkDropDown, value))
        Invalidate();
}

void TQmSpeedButton::SetGrayedInactive(bool value) {
    if (StoreIfNew(FGrayedInactive, value))
        Invalidate();
}

void TQmSpeedButton::SetGlyph(const TBitmap& value) {
    FGlyph->SetGlyph(value);
    Invalidate();
}

void TQmSpeedButton::SetNumGlyphs(int value) {
    value = std::min(value, 5);
    if (value == FGlyph->NumGlyphs())
        return;
    FGlyph->SetNumGlyphs(value);
    Invalidate();
}

void TQmSpeedButton::SetGroupIndex(int value) {
    FGroupIndex = value;
    NotifyGroup();
}

void TQmSpeedButton::SetAllowAllUp(bool value) {
    FAllowAllUp = value;
    NotifyGroup();
}

void TQmSpeedButton::SetDropDownMenu(TPopupMenu* value) {
    FDropDownMenu = value;
    if (value)
        value->FreeNotification(this);
    if (FMarkDropDown)
        Invalidate();
}

void TQmSpeedButton::SetAllowTimer(bool value) {
    FAllowTimer = value;
    if (!value)
        FRepeatTimer.reset();
}

void TQmSpeedButton::SetDown(bool value) {
    if (FGroupIndex == 0)
        value = false;
    if (value == FDown || (FDown && !FAllowAllUp))
        return;
    FDown = value;
    if (value) {
        if (FState == sbsUp)
            Invalidate();
        FState = sbsExclusive;
    } else {
        FState = sbsUp;
    }
    Repaint();
    if (value)
        NotifyGroup();
    Invalidate();
}

// ---- Groups

void TQmSpeedButton::NotifyGroup() {
    if (FGroupIndex == 0 || !Parent())
        return;
    TMessage message{CM_QMBUTTONPRESSED, static_cast<WPARAM>(FGroupIndex),
                     reinterpret_cast<LPARAM>(this), 0};
    Parent()->Broadcast(message);
}

void TQmSpeedButton::GroupButtonPressed(const TMessage& Message) {
    auto* sender = reinterpret_cast<TQmSpeedButton*>(Message.LParam);
    if (static_cast<int>(Message.WParam) != FGroupIndex || !Parent() || sender == this)
        return;
    if (sender->FDown && FDown) {
        FDown = false;
        FState = sbsUp;
        Repaint();
    }
    FAllowAllUp = sender->FAllowAllUp;
}

// ---- Clicks

void TQmSpeedButton::Click() {
    if (TForm* form = GetParentForm(this))
        form->SetModalResult(FModalResult);
    TGraphicControl::Click();
}

void TQmSpeedButton::Loaded() {
    TGraphicControl::Loaded();
    PrepareStateImage();
}

void TQmSpeedButton::PrepareStateImage() {
    FGlyph->GetStateImage(!Enabled() ? sbsDisabled : FFlat ? sbsInactive : sbsUp);
}

void TQmSpeedButton::Notification(TComponent* AComponent, TOperation Operation) {
    TGraphicControl::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == FDropDownMenu)
        FDropDownMenu = nullptr;
}

// The pointer lies on the button.
bool TQmSpeedButton::OnButton(int X, int Y) const {
    return X >= 0 && X < ClientWidth() && Y >= 0 && Y < ClientHeight();
}

void TQmSpeedButton::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
    if (FMenuTracking)
        return;
    TGraphicControl::MouseDown(Button, Shift, X, Y);
    if (!Enabled())
        return;
    if (!FMouseInside) {
        FMouseInside = true;
        Repaint();
    }
    if (Button != mbLeft)
        return;
    if (!FDown) {
        FState = sbsDown;
        Repaint();
    }
    FDragging = true;
    FMenuTracking = true;
    try {
        if (ShowDropDownMenu(MenuAnchorPoint(), false))
            FinishPress(Button, X, Y);
        DropClosingClick();
    } catch (...) {
        FMenuTracking = false;
        throw;
    }
    FMenuTracking = false;
    if (FAllowTimer)
        StartRepeat();
}

// The press that closed the menu over the button must not press it again.
void TQmSpeedButton::DropClosingClick() {
    if (!Parent())
        return;
    const HWND window = Parent()->Handle();
    for (UINT press : {WM_LBUTTONDOWN, WM_LBUTTONDBLCLK}) {
        TMessage queued;
        if (!PeekPostedMessage(window, press, queued))
            continue;
        const int x = static_cast<short>(LOWORD(queued.LParam)) - Left();
        const int y = static_cast<short>(HIWORD(queued.LParam)) - Top();
        if (OnButton(x, y))
            DropQueuedMessage(window, press);
    }
}

void TQmSpeedButton::MouseMove(TShiftState Shift, int X, int Y) {
    TGraphicControl::MouseMove(Shift, X, Y);
    if (!FDragging)
        return;
    const SpeedButtonState state = FDown ? sbsExclusive : OnButton(X, Y) ? sbsDown : sbsUp;
    if (state != FState) {
        FState = state;
        Repaint();
    }
}

void TQmSpeedButton::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
    TGraphicControl::MouseUp(Button, Shift, X, Y);
    FinishPress(Button, X, Y);
    if (FRepeatTimer)
        FRepeatTimer->SetEnabled(false);
}

void TQmSpeedButton::FinishPress(TMouseButton Button, int X, int Y) {
    if (FDragging && Button == mbLeft) {
        FDragging = false;
        const bool inside = OnButton(X, Y);
        if (FGroupIndex == 0) {
            FState = sbsUp;
            FMouseInside = false;
            if (inside)
                Repaint();
            else
                Invalidate();
        } else if (inside) {
            SetDown(!FDown);
            if (FDown)
                Repaint();
        } else {
            if (FDown)
                FState = sbsExclusive;
            Repaint();
        }
        if (inside && !FMenuTracking)
            Click();
    }
    CheckMouseOver();
}

// ---- The drop-down menu

TPoint TQmSpeedButton::MenuAnchorPoint() const {
    if (!FDropDownMenu)
        return Point(0, 0);
    const TPopupAlignment alignment = FDropDownMenu->Alignment();
    if (FMenuPosition == dmpBottom) {
        switch (alignment) {
        case paLeft:
            return Point(-1, Height());
        case paRight:
            return Point(Width() + 1, Height());
        case paCenter:
            break;
        }
        return Point(Width() / 2, Height());
    }
    switch (alignment) {
    case paLeft:
        return Point(Width(), -1);
    case paRight:
        return Point(-1, -1);
    case paCenter:
        break;
    }
    return Point(Width() / 2, Height());
}

bool TQmSpeedButton::ShowDropDownMenu(const TPoint& point, bool forced) {
    if (!FDropDownMenu || (!forced && !FDropDownMenu->AutoPopup()))
        return false;
    SetMouseCapture(false);
    FDropDownMenu->SetPopupComponent(this);
    const TPoint at = ClientToScreen(point);
    FDropDownMenu->Popup(at.x, at.y);
    return true;
}

// ---- Auto-repeat

void TQmSpeedButton::StartRepeat() {
    if (!FRepeatTimer) {
        FRepeatTimer = std::make_unique<TTimer>(nullptr);
        FRepeatTimer->OnTimer = Handler(this, &TQmSpeedButton::RepeatTick);
    }
    FRepeatTimer->SetInterval(FInitPause);
    FRepeatTimer->SetEnabled(true);
}

void TQmSpeedButton::RepeatTick(TObject*) {
    FRepeatTimer->SetInterval(FRepeatInterval);
    if (FState != sbsDown || !MouseCapture())
        return;
    try {
        Click();
    } catch (...) {
        if (FRepeatTimer)
            FRepeatTimer->SetEnabled(false);
        throw;
    }
}

// ---- The mouse over the button

void TQmSpeedButton::CheckMouseOver() {
    TPoint cursor;
    GetCursorPos(&cursor);
    const bool inside = Enabled() && FindDragTarget(cursor, true) == this && IsActiveApplication();
    if (inside == FMouseInside)
        return;
    if (inside)
        MouseCameIn();
    else
        MouseWentOut();
}

void TQmSpeedButton::MouseCameIn() {
    FMouseInside = true;
    if (FFlat)
        Repaint();
    NotifyMouseIn();
}

void TQmSpeedButton::MouseWentOut() {
    FMouseInside = false;
    if (FFlat)
        Invalidate();
    NotifyMouseOut();
}

void TQmSpeedButton::NotifyMouseIn() {
    if (OnMouseEnter)
        OnMouseEnter(this);
}

void TQmSpeedButton::NotifyMouseOut() {
    if (OnMouseLeave)
        OnMouseLeave(this);
}

// ---- Messages

void TQmSpeedButton::WndProc(TMessage& Message) {
    switch (Message.Msg) {
    case WM_LBUTTONDBLCLK:
        if (FMenuTracking)
            return;
        TGraphicControl::WndProc(Message);
        if (FDown && OnDblClick)
            OnDblClick(this);
        return;
    case CM_DIALOGCHAR:
        if (IsAccel(static_cast<WORD>(Message.WParam), Caption()) && Enabled()) {
            Click();
            Message.Result = 1;
            return;
        }
        break;
    case CM_QMBUTTONPRESSED:
        GroupButtonPressed(Message);
        return;
    default:
        break;
    }
    TGraphicControl::WndProc(Message);
    switch (Message.Msg) {
    case CM_ENABLEDCHANGED:
        PrepareStateImage();
        CheckMouseOver();
        Repaint();
        break;
    case CM_VISIBLECHANGED:
        if (Visible())
            CheckMouseOver();
        break;
    case CM_MOUSEENTER:
        if (!FMouseInside && Enabled() && IsActiveApplication())
            MouseCameIn();
        break;
    case CM_MOUSELEAVE:
        if (FMouseInside && Enabled() && !FDragging)
            MouseWentOut();
        break;
    case CM_FONTCHANGED:
    case CM_TEXTCHANGED:
        Invalidate();
        break;
    case CM_SYSCOLORCHANGE:
        FGlyph->ReleaseImages();
        Invalidate();
        break;
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
        CheckMouseOver();
        break;
    default:
        break;
    }
}

// ---- Painting

void TQmSpeedButton::FillExclusivePattern(TCanvas& canvas, const TRect& rect) {
    const TBitmap& pattern = ExclusivePattern();
    for (int y = std::max(rect.Top, 0); y < std::min(rect.Bottom, FFace.Height()); ++y)
        for (int x = std::max(rect.Left, 0); x < std::min(rect.Right, FFace.Width()); ++x)
            canvas.SetPixels(x, y, pattern.PixelAt(x % 8, y % 8));
}

void TQmSpeedButton::Paint() {
    if (!Enabled()) {
        FState = sbsDisabled;
        FDragging = false;
    } else if (FState == sbsDisabled) {
        FState = FDown && FGroupIndex != 0 ? sbsExclusive : sbsUp;
    }
    const SpeedButtonState paintState = FFlat && !FMouseInside ? sbsInactive : FState;
    FFace.SetSize(Width(), Height());
    TCanvas& canvas = FFace.Canvas();
    canvas.Font().Assign(Font());
    canvas.Brush().SetStyle(bsSolid);
    FillWith(canvas, Rect(0, 0, Width(), Height()), clBtnFace);
    if (FTransparent)
        PaintBehindControl(this, canvas);
    TRect face = Rect(0, 0, Width(), Height());
    const bool pushed = FState == sbsDown || FState == sbsExclusive;
    if (paintState != sbsInactive || FState == sbsExclusive)
        face = DrawSpeedButtonFrame(canvas, face, pushed, FFlat, FStyle);
    else
        face = Inset(face, 2);
    if (FState == sbsExclusive && !FTransparent && (!FFlat || paintState == sbsInactive))
        FillExclusivePattern(canvas, Inset(face, -1));
    if (pushed)
        face = Moved(face, 1, 1);
    const SpeedButtonState handed = FGrayedInactive && FState != sbsDisabled ? paintState : FState;
    PaintContent(canvas, face, handed, FMarkDropDown && FDropDownMenu);
    Canvas().Draw(0, 0, FFace);
}

void TQmSpeedButton::PaintContent(TCanvas& canvas, const TRect& rect, SpeedButtonState state,
                                  bool drawMark) {
    FGlyph->PaintFace(canvas, rect, Caption(), FLayout, FMargin, FSpacing, drawMark, state,
                      AlignmentFormat(FGlyph->Alignment));
}
