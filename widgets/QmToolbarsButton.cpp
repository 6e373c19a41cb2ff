#include "widgets/QmToolbars.h"

#include "platform/ExtCtrls.h"
#include "platform/Forms.h"
#include "platform/SysUtils.h"
#include "platform/Win32Draw.h"

#include <algorithm>

namespace {

// A control of a toolbar that changed its size or visibility asks the toolbar to lay its
// controls out again, as an aligned control asks its parent.
void RequestToolbarLayout(TControl& control) {
    if (auto* toolbar = dynamic_cast<TQmToolbar*>(control.Parent()))
        toolbar->Rearrange();
}

void DrawLine(TCanvas& canvas, TColor color, int x1, int y1, int x2, int y2) {
    canvas.Pen().SetColor(color);
    canvas.Pen().SetStyle(psSolid);
    canvas.Pen().SetWidth(1);
    canvas.MoveTo(x1, y1);
    canvas.LineTo(x2, y2);
}

// The button the pointer is over, watched by the hover timer, and the hook that takes its
// highlight off when the application loses the user's attention.
struct THoverState {
    TQmToolbarButton* Button = nullptr;
    std::unique_ptr<TTimer> Timer;
    int Hook = 0;
};

THoverState& Hover() {
    static THoverState state;
    return state;
}

} // namespace

TQmToolbarButton* TQmToolbarButton::HoverButton() {
    return Hover().Button;
}

TTimer* TQmToolbarButton::HoverTimer() {
    THoverState& hover = Hover();
    if (!hover.Timer) {
        hover.Timer = std::make_unique<TTimer>(nullptr);
        hover.Timer->SetEnabled(false);
        hover.Timer->SetInterval(125);
        hover.Timer->OnTimer = [](TObject*) { HoverTimerTick(); };
        hover.Hook = HookMainWindow(ButtonAppHook);
    }
    return hover.Timer.get();
}

void TQmToolbarButton::HoverTimerTick() {
    TQmToolbarButton* button = Hover().Button;
    if (!button)
        return;
    TPoint cursor;
    GetCursorPos(&cursor);
    if (FindDragTarget(cursor, true) != button)
        button->MouseExited();
}

bool TQmToolbarButton::ButtonAppHook(TMessage& Message) {
    if (Message.Msg == CM_DEACTIVATE && Hover().Button)
        Hover().Button->MouseExited();
    return false;
}

TQmToolbarButton::TQmToolbarButton(TComponent* AOwner)
    : TGraphicControl(AOwner), FGlyph(std::make_unique<TButtonGlyph>()) {
    HoverTimer();
    SetBounds(Left(), Top(), 23, 22);
    SetControlStyle(TControlStyle{csCaptureMouse, csDoubleClicks, csOpaque});
    SetColor(clBtnFace);
    FGlyph->OnChange = [this](TObject*) { Redraw(); };
}

TQmToolbarButton::~TQmToolbarButton() {
    if (Hover().Button == this) {
        HoverTimer()->SetEnabled(false);
        Hover().Button = nullptr;
    }
}

void TQmToolbarButton::Redraw() {
    Invalidate();
}

void TQmToolbarButton::NotifyGroup() {
    if (FGroupIndex == 0 || !Parent())
        return;
    TMessage message{CM_BUTTONPRESSED, static_cast<WPARAM>(FGroupIndex),
                     reinterpret_cast<LPARAM>(this), 0};
    Parent()->Broadcast(message);
}

bool TQmToolbarButton::UnderPointer(const TPoint& screenPoint) const {
    return FindDragTarget(screenPoint, true) == this;
}

void TQmToolbarButton::CheckMouseOver() {
    if (!Enabled())
        return;
    TPoint cursor;
    GetCursorPos(&cursor);
    if (UnderPointer(cursor)) {
        FMouseInside = false;
        MouseEntered();
    } else {
        FMouseInside = true;
        MouseExited();
    }
}

void TQmToolbarButton::MouseEntered() {
    if (!Enabled() || FMouseInside)
        return;
    FMouseInside = true;
    if (FState == bsUp)
        FState = bsHot;
    Redraw();
    if (OnMouseEnter)
        OnMouseEnter(this);
}

void TQmToolbarButton::MouseExited() {
    if (!Enabled() || !FMouseInside || FTracking)
        return;
    if (FState == bsHot || (FState == bsDown && !FInClick))
        FState = bsUp;
    FMouseInside = false;
    Redraw();
    if (Hover().Button == this) {
        HoverTimer()->SetEnabled(false);
        Hover().Button = nullptr;
    }
    if (OnMouseExit)
        OnMouseExit(this);
}

int TQmToolbarButton::MainPartWidth() const {
    return ClientWidth() - (HasComboArrow() ? 11 : 0);
}

void TQmToolbarButton::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
    TGraphicControl::MouseDown(Button, Shift, X, Y);
    if (!Enabled())
        return;
    if (Button != mbLeft) {
        MouseEntered();
        return;
    }
    if (!FMouseInside) {
        FMouseInside = true;
        if (OnMouseEnter)
            OnMouseEnter(this);
    }
    FDropdownPartPressed = FDropdownMenu && (!FDropdownCombo || X >= Width() - 11);
    if (!FDown) {
        FState = bsDown;
        Redraw();
    } else if (FAllowAllUp) {
        Redraw();
    }
    try {
        if (FDropdownPartPressed)
            Click();
        else
            FTracking = true;
    } catch (...) {
        FDropdownPartPressed = false;
        throw;
    }
    FDropdownPartPressed = false;
}

void TQmToolbarButton::MouseMove(TShiftState Shift, int X, int Y) {
    TGraphicControl::MouseMove(Shift, X, Y);
    THoverState& hover = Hover();
    if (UnderPointer(ClientToScreen(Point(X, Y))) && hover.Button != this) {
        if (hover.Button)
            hover.Button->MouseExited();
        TForm* active = Screen ? Screen->ActiveForm() : nullptr;
        if (Application && Application->Active() && (!active || active == GetParentForm(this))) {
            hover.Button = this;
            HoverTimer()->SetEnabled(true);
            MouseEntered();
        }
    }
    if (!FTracking)
        return;
    TToolbarButtonState state;
    if (FDown)
        state = bsExclusive;
    else if (X >= 0 && X < MainPartWidth() && Y >= 0 && Y < ClientHeight())
        state = bsDown;
    else
        state = bsUp;
    if (state != FState) {
        FState = state;
        Redraw();
    }
}

void TQmToolbarButton::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
    if (Button == mbRight && Enabled()) {
        FTracking = false;
        MouseExited();
    }
    TGraphicControl::MouseUp(Button, Shift, X, Y);
    if (Button != mbLeft || !FTracking)
        return;
    FTracking = false;
    const bool inside = X >= 0 && X < MainPartWidth() && Y >= 0 && Y < ClientHeight();
    if (FGroupIndex != 0) {
        if (inside)
            SetDown(!FDown);
        else if (FDown)
            FState = bsExclusive;
    }
    if (inside)
        Click();
    else
        CheckMouseOver();
}

void TQmToolbarButton::Click() {
    FInClick = true;
    if (FState == bsUp || FState == bsHot) {
        FState = bsDown;
        Redraw();
    }
    try {
        MouseExited();
        if (!FDropdownMenu || (FDropdownCombo && !FDropdownPartPressed))
            TGraphicControl::Click();
        else
            ShowDropdownMenu();
    } catch (...) {
        EndClick();
        throw;
    }
    EndClick();
}

void TQmToolbarButton::EndClick() {
    FInClick = false;
    if (FState == bsDown)
        FState = bsUp;
    if (IsDestroying())
        return;
    Redraw();
    CheckMouseOver();
}

// The menu opens below the button, or beside it, away from the edge, in a side dock.
void TQmToolbarButton::ShowDropdownMenu() {
    SetMouseCapture(false);
    TPopupMenu* menu = FDropdownMenu;
    const TPopupAlignment alignment = menu->Alignment();
    menu->SetAlignment(paLeft);
    TPoint at = Point(0, Height());
    TQmToolbar* toolbar = ToolbarOfControl(this);
    TQmDock* dock = toolbar ? toolbar->DockedTo() : nullptr;
    if (dock && dock->Vertical()) {
        if (dock->Position() == dpLeft) {
            at = Point(Width(), 0);
        } else {
            at = Point(0, 0);
            menu->SetAlignment(paRight);
        }
    }
    at = ClientToScreen(at);
    menu->SetPopupComponent(this);
    try {
        menu->Popup(at.x, at.y);
    } catch (...) {
        menu->SetAlignment(alignment);
        throw;
    }
    menu->SetAlignment(alignment);
}

void TQmToolbarButton::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
    TGraphicControl::SetBounds(ALeft, ATop, AWidth, AHeight);
    RequestToolbarLayout(*this);
}

void TQmToolbarButton::Loaded() {
    TGraphicControl::Loaded();
    PrepareStateImage();
}

void TQmToolbarButton::PrepareStateImage() {
    FGlyph->GetStateImage(Enabled() ? bsUp : bsDisabled);
}

void TQmToolbarButton::Notification(TComponent* AComponent, TOperation Operation) {
    TGraphicControl::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == FDropdownMenu)
        FDropdownMenu = nullptr;
}

void TQmToolbarButton::ButtonPressed(TMessage& Message) {
    auto* sender = reinterpret_cast<TQmToolbarButton*>(Message.LParam);
    if (static_cast<int>(Message.WParam) != FGroupIndex || !sender || sender == this)
        return;
    if (sender->FDown && FDown) {
        FDown = false;
        FState = bsUp;
        Redraw();
    }
    FAllowAllUp = sender->FAllowAllUp;
}

void TQmToolbarButton::WndProc(TMessage& Message) {
    switch (Message.Msg) {
    case WM_LBUTTONDBLCLK:
        TGraphicControl::WndProc(Message);
        if (FDown && OnDblClick)
            OnDblClick(this);
        return;
    case CM_DIALOGCHAR:
        if (IsAccel(static_cast<WORD>(Message.WParam), Caption()) && Enabled() && Visible()) {
            Click();
            Message.Result = 1;
            return;
        }
        break;
    case CM_BUTTONPRESSED:
        ButtonPressed(Message);
        return;
    default:
        break;
    }
    TGraphicControl::WndProc(Message);
    switch (Message.Msg) {
    case CM_ENABLEDCHANGED:
        PrepareStateImage();
        CheckMouseOver();
        Redraw();
        break;
    case CM_FONTCHANGED:
    case CM_TEXTCHANGED:
        Redraw();
        break;
    case CM_MOUSELEAVE:
        MouseExited();
        break;
    case CM_SYSCOLORCHANGE:
        FGlyph->ReleaseImages();
        PrepareStateImage();
        break;
    case CM_VISIBLECHANGED:
        RequestToolbarLayout(*this);
        break;
    default:
        break;
    }
}

void TQmToolbarButton::DrawFrames(TCanvas& canvas, TRect& content) {
    const bool pushed = FState == bsDown || FState == bsExclusive;
    const bool combo = HasComboArrow();
    const int w = Width();
    TRect main = Rect(0, 0, combo ? w - 11 : w, Height());
    if (!FFlat || pushed || (FMouseInside && FState != bsDisabled)) {
        auto frame = [this, &canvas](TRect rect, bool pressed) {
            if (FFlat)
                DrawEdge(canvas, rect, pressed ? BDR_SUNKENOUTER : BDR_RAISEDINNER, BF_RECT);
            else
                DrawEdge(canvas, rect, pressed ? EDGE_SUNKEN : EDGE_RAISED,
                         BF_RECT | BF_SOFT | BF_MIDDLE);
        };
        if (combo)
            frame(Rect(w - 11, 0, w - 2, Height()), pushed && FDropdownPartPressed);
        frame(main, pushed && !(combo && FDropdownPartPressed));
    }
    const int inset = FFlat ? 1 : 2;
    content = Inset(main, inset);
}

void TQmToolbarButton::Paint() {
    const bool buffered = FOpaque || !FFlat;
    TBitmap buffer;
    TCanvas* canvas = &Canvas();
    if (buffered) {
        buffer.SetSize(Width(), Height());
        canvas = &buffer.Canvas();
        FillWith(*canvas, Rect(0, 0, Width(), Height()), Color());
    }
    canvas->Font().Assign(Font());

    if (!Enabled()) {
        FState = bsDisabled;
        FTracking = false;
    } else if (FState == bsDisabled) {
        FState = FDown && FGroupIndex != 0 ? bsExclusive : bsUp;
    }

    TRect content;
    DrawFrames(*canvas, content);
    const bool pushed = FState == bsDown || FState == bsExclusive;
    const bool arrowPressed = HasComboArrow() && FDropdownPartPressed;
    TPoint offset = pushed && !arrowPressed ? Point(1, 1) : Point(0, 0);
    if (FState == bsExclusive && (!FFlat || !FMouseInside))
        for (int y = content.Top; y < content.Bottom; ++y)
            for (int x = content.Left; x < content.Right; ++x)
                canvas->SetPixels(x, y, (x + y) % 2 == 0 ? clBtnFace : clBtnHighlight);

    TButtonContent what;
    what.Caption = Caption();
    what.Layout = FLayout;
    what.Margin = FMargin;
    what.Spacing = FSpacing;
    what.State = FState;
    what.Transparent = true;
    what.DrawArrow = FDropdownArrow && !FDropdownCombo && FDropdownMenu;
    what.DrawGlyph = FDisplayMode != dmTextOnly;
    what.DrawText = FDisplayMode != dmGlyphOnly;
    what.WordWrap = FWordWrap;
    FGlyph->Draw(*canvas, content, offset, what);
    if (HasComboArrow())
        FGlyph->DrawArrow(*canvas, Width() - 13, FState, Height() / 2 - 1);

    if (buffered)
        Canvas().Draw(0, 0, buffer);
}

void TQmToolbarButton::SetAllowAllUp(bool value) {
    if (Change(FAllowAllUp, value))
        NotifyGroup();
}

void TQmToolbarButton::SetGroupIndex(int value) {
    if (Change(FGroupIndex, value))
        NotifyGroup();
}

void TQmToolbarButton::SetDown(bool value) {
    if (FGroupIndex == 0)
        value = false;
    if (value == FDown || (FDown && !FAllowAllUp))
        return;
    FDown = value;
    FState = value ? bsExclusive : bsUp;
    Redraw();
    if (value)
        NotifyGroup();
}

void TQmToolbarButton::SetDisplayMode(TButtonDisplayMode value) {
    if (Change(FDisplayMode, value))
        Redraw();
}

void TQmToolbarButton::SetDropdownArrow(bool value) {
    if (Change(FDropdownArrow, value))
        Redraw();
}

void TQmToolbarButton::SetDropdownCombo(bool value) {
    if (!Change(FDropdownCombo, value))
        return;
    if (IsLoading())
        return;
    if (value)
        SetWidth(Width() + 11);
    else
        SetWidth(Width() < 12 ? 1 : Width() - 11);
}

void TQmToolbarButton::SetDropdownMenu(TPopupMenu* value) {
    if (!Change(FDropdownMenu, value))
        return;
    if (value)
        value->FreeNotification(this);
    if (FDropdownArrow)
        Redraw();
}

void TQmToolbarButton::SetFlat(bool value) {
    if (Change(FFlat, value))
        SetOpaqueStyle();
}

void TQmToolbarButton::SetOpaque(bool value) {
    if (Change(FOpaque, value))
        SetOpaqueStyle();
}

void TQmToolbarButton::SetOpaqueStyle() {
    TControlStyle style = ControlStyle();
    if (FOpaque || !FFlat)
        style << csOpaque;
    else
        style >> csOpaque;
    SetControlStyle(style);
    Redraw();
}

void TQmToolbarButton::SetLayout(TButtonLayout value) {
    if (Change(FLayout, value))
        Redraw();
}

void TQmToolbarButton::SetMargin(int value) {
    if (value == FMargin || value < -1)
        return;
    FMargin = value;
    Redraw();
}

void TQmToolbarButton::SetNumGlyphs(int value) {
    FGlyph->SetNumGlyphs(std::clamp(value, 0, 5));
}

void TQmToolbarButton::SetOldDisabledStyle(bool value) {
    FGlyph->SetOldDisabledStyle(value);
    Redraw();
}

void TQmToolbarButton::SetSpacing(int value) {
    if (Change(FSpacing, value))
        Redraw();
}

void TQmToolbarButton::SetWordWrap(bool value) {
    if (Change(FWordWrap, value))
        Redraw();
}

// ---- Separators

TQmToolbarSep::TQmToolbarSep(TComponent* AOwner) : TGraphicControl(AOwner) {
    TControlStyle style = ControlStyle();
    style >> csCaptureMouse >> csOpaque;
    SetControlStyle(style);
}

void TQmToolbarSep::SetParent(TWinControl* value) {
    if (value && !dynamic_cast<TQmToolbar*>(value))
        throw EInvalidOperation("TQmToolbarSep can only be placed on a TQmToolbar");
    TGraphicControl::SetParent(value);
}

void TQmToolbarSep::SetBlank(bool value) {
    if (Change(FBlank, value))
        Invalidate();
}

void TQmToolbarSep::SetSizeHorz(int value) {
    value = std::max(1, value);
    if (Change(FSizeHorz, value))
        RequestToolbarLayout(*this);
}

void TQmToolbarSep::SetSizeVert(int value) {
    value = std::max(1, value);
    if (Change(FSizeVert, value))
        RequestToolbarLayout(*this);
}

// A press on a separator is a press on the toolbar, which can then be dragged by it.
void TQmToolbarSep::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
    TGraphicControl::MouseDown(Button, Shift, X, Y);
    if (auto* toolbar = dynamic_cast<TQmToolbar*>(Parent()))
        toolbar->MouseDown(Button, Shift, X + Left(), Y + Top());
}

void TQmToolbarSep::WndProc(TMessage& Message) {
    TGraphicControl::WndProc(Message);
    if (Message.Msg == CM_VISIBLECHANGED)
        RequestToolbarLayout(*this);
}

void TQmToolbarSep::Paint() {
    auto* toolbar = dynamic_cast<TQmToolbar*>(Parent());
    if (!toolbar || FBlank)
        return;
    TCanvas& canvas = Canvas();
    if (DockOrientation(toolbar->DockedTo()) == 2) {
        const int y = Height() / 2;
        DrawLine(canvas, clBtnShadow, 0, y - 1, Width(), y - 1);
        DrawLine(canvas, clBtnHighlight, 0, y, Width(), y);
    } else {
        const int x = Width() / 2;
        DrawLine(canvas, clBtnShadow, x - 1, 0, x - 1, Height());
        DrawLine(canvas, clBtnHighlight, x, 0, x, Height());
    }
}
