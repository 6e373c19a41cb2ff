#include "platform/Controls.h"
#include "platform/Peer.h"

namespace {

// The control that has the mouse: set on a left press (the window system's own grab holds it
// until the release) or in code.
TControl* CapturedControl = nullptr;

} // namespace

// ---- TControl

TControl::TControl(TComponent* AOwner) : TControl(AOwner, MakePlainPeer) {}

TControl::TControl(TComponent* AOwner, const TPeerFactory& makePeer) : TComponent(AOwner) {
    FPeer = makePeer(*this);
    FWindowProc = [this](TMessage& message) { WndProc(message); };
    FFont.OnChange = [this](TObject*) { FontChanged(); };
    FPeer->SetFont(FFont);
    FPeer->SetColor(FColor);
    FPeer->SetShown(false);
}

TControl::~TControl() {
    FPeer->Detach();
    if (CapturedControl == this)
        CapturedControl = nullptr;
    if (FParent)
        FParent->RemoveControl(this);
}

void TControl::SetParent(TWinControl* value) {
    if (value == FParent)
        return;
    if (auto* self = dynamic_cast<TWinControl*>(this);
        self && value && self->ContainsControl(value))
        throw EInvalidOperation(
            "A control cannot have itself or one of its children as its parent");
    if (FParent)
        FParent->RemoveControl(this);
    if (value)
        value->InsertControl(this);
}

void TControl::SyncPeer() {
    FPeer->SetGeometry(BoundsRect());
    FPeer->SetShown(WidgetShown());
}

bool TControl::WidgetShown() const {
    return FVisible && FParent;
}

bool TControl::Showing() const {
    return FVisible && FParent && FParent->Showing();
}

void TControl::SetLeft(int value) {
    SetBounds(value, FTop, FWidth, FHeight);
}

void TControl::SetTop(int value) {
    SetBounds(FLeft, value, FWidth, FHeight);
}

void TControl::SetWidth(int value) {
    SetBounds(FLeft, FTop, value, FHeight);
}

void TControl::SetHeight(int value) {
    SetBounds(FLeft, FTop, FWidth, value);
}

void TControl::SetBoundsRect(const TRect& rect) {
    SetBounds(rect.Left, rect.Top, rect.Width(), rect.Height());
}

void TControl::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
    if (ALeft == FLeft && ATop == FTop && AWidth == FWidth && AHeight == FHeight)
        return;
    bool resized = AWidth != FWidth || AHeight != FHeight;
    FLeft = ALeft;
    FTop = ATop;
    FWidth = AWidth;
    FHeight = AHeight;
    FPeer->SetGeometry(BoundsRect());
    BoundsChanged(resized);
}

// What follows a change of bounds, whether the program or the window system made it.
void TControl::BoundsChanged(bool resized) {
    if (FAlign != alNone)
        RequestAlign();
    if (!resized)
        return;
    if (auto* window = dynamic_cast<TWinControl*>(this))
        window->Realign();
    // A control being freed loses its menu and parts first; its handlers must not see that.
    if (!IsLoading() && !IsDestroying())
        Resize();
}

void TControl::BoundsSetByPeer(int ALeft, int ATop, int AWidth, int AHeight) {
    bool resized = AWidth != FWidth || AHeight != FHeight;
    if (!resized && ALeft == FLeft && ATop == FTop)
        return;
    FLeft = ALeft;
    FTop = ATop;
    FWidth = AWidth;
    FHeight = AHeight;
    BoundsChanged(resized);
}

void TControl::RequestAlign() {
    if (FParent)
        FParent->Realign();
}

TRect TControl::ClientRect() const {
    return Rect(0, 0, FWidth, FHeight);
}

void TControl::SetClientWidth(int value) {
    SetWidth(value + FWidth - ClientWidth());
}

void TControl::SetClientHeight(int value) {
    SetHeight(value + FHeight - ClientHeight());
}

// Screen positions are where the window system put the windows, frames included.
TPoint TControl::ClientToScreen(const TPoint& point) const {
    return FPeer->ClientToScreen(point);
}

TPoint TControl::ScreenToClient(const TPoint& point) const {
    return FPeer->ScreenToClient(point);
}

void TControl::SetAlign(TAlign value) {
    if (Change(FAlign, value))
        RequestAlign();
}

void TControl::SetVisible(bool value) {
    if (value == FVisible)
        return;
    VisibleChanging();
    FVisible = value;
    FPeer->SetShown(WidgetShown());
    Perform(CM_VISIBLECHANGED, value, 0);
    if (FAlign != alNone)
        RequestAlign();
}

void TControl::SetEnabled(bool value) {
    if (!Change(FEnabled, value))
        return;
    FPeer->SetEnabled(value);
    Perform(CM_ENABLEDCHANGED, 0, 0);
}

void TControl::SetText(const String& value) {
    if (!Change(FText, value))
        return;
    FPeer->SetText(value);
    Perform(CM_TEXTCHANGED, 0, 0);
}

void TControl::SetHint(const String& value) {
    FHint = value;
}

void TControl::SetShowHint(bool value) {
    FShowHint = value;
    FParentShowHint = false;
}

bool TControl::HintShowing() const {
    if (FParentShowHint && FParent)
        return FParent->HintShowing();
    return FShowHint;
}

// A font set on the control itself ends its taking the parent's font; the parent's font passes
// on to the children that still take it.
void TControl::FontChanged() {
    if (!FAdoptingParentFont)
        FParentFont = false;
    FPeer->SetFont(FFont);
    Perform(CM_FONTCHANGED, 0, 0);
    if (auto* window = dynamic_cast<TWinControl*>(this))
        for (int i = 0; i < window->ControlCount(); ++i)
            window->Controls(i)->AdoptParentFont();
}

void TControl::AdoptParentFont() {
    if (!FParentFont || !FParent)
        return;
    FAdoptingParentFont = true;
    FFont.Assign(FParent->Font());
    FAdoptingParentFont = false;
}

void TControl::SetColor(TColor value) {
    if (!Change(FColor, value))
        return;
    FPeer->SetColor(value);
    Perform(CM_COLORCHANGED, 0, 0);
    Invalidate();
}

void TControl::SetCursor(TCursor value) {
    if (Change(FCursor, value))
        FPeer->SetCursor(value);
}

bool TControl::MouseCapture() const {
    return CapturedControl == this;
}

void TControl::SetMouseCapture(bool value) {
    if (value == MouseCapture())
        return;
    CapturedControl = value ? this : nullptr;
    FPeer->SetMouseGrab(value);
}

HWND GetCapture() {
    if (!CapturedControl)
        return nullptr;
    if (auto* window = dynamic_cast<TWinControl*>(CapturedControl))
        return window->Handle();
    return CapturedControl->Parent() ? CapturedControl->Parent()->Handle() : nullptr;
}

LRESULT TControl::Perform(UINT Msg, WPARAM WParam, LPARAM LParam) {
    TMessage message{Msg, WParam, LParam, 0};
    FWindowProc(message);
    return message.Result;
}

void TControl::SetWindowProc(TWndMethod value) {
    if (value)
        FWindowProc = std::move(value);
    else
        FWindowProc = [this](TMessage& message) { WndProc(message); };
}

void TControl::DefaultHandler(TMessage& Message) {
    FPeer->DefaultReached(Message);
}

void TControl::WndProc(TMessage& Message) {
    switch (Message.Msg) {
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDBLCLK:
        // Without double clicks a control sees the second click as a plain one.
        if (!FControlStyle.Contains(csDoubleClicks))
            Message.Msg -= WM_LBUTTONDBLCLK - WM_LBUTTONDOWN;
        break;
    default:
        break;
    }
    switch (Message.Msg) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP:
    case WM_MBUTTONDBLCLK:
    case WM_MOUSEMOVE:
        DefaultHandler(Message);
        HandleMouseMessage(Message);
        return;
    case WM_CONTEXTMENU:
        if (PerformOnTopLevel(CM_CONTEXTPOPUP, reinterpret_cast<WPARAM>(this), Message.LParam))
            return;
        break;
    case CM_MOUSEENTER:
        PerformOnTopLevel(CM_HINTCONTROL, 0, reinterpret_cast<LPARAM>(this));
        break;
    case CM_MOUSELEAVE:
        PerformOnTopLevel(CM_HINTCONTROL, 0, 0);
        break;
    default:
        break;
    }
    DefaultHandler(Message);
}

// The form looks after the popup menus and hints of the controls inside it.
LRESULT TControl::PerformOnTopLevel(UINT Msg, WPARAM WParam, LPARAM LParam) const {
    TWinControl* window = TopLevelWindowOf(this);
    return window ? window->Perform(Msg, WParam, LParam) : 0;
}

namespace {

struct MouseMessage {
    UINT Msg;
    TMouseButton Button;
    bool Down;
    bool Double;
};

constexpr MouseMessage MouseMessages[] = {
    {WM_LBUTTONDOWN, mbLeft, true, false},    {WM_LBUTTONUP, mbLeft, false, false},
    {WM_LBUTTONDBLCLK, mbLeft, true, true},   {WM_RBUTTONDOWN, mbRight, true, false},
    {WM_RBUTTONUP, mbRight, false, false},    {WM_RBUTTONDBLCLK, mbRight, true, true},
    {WM_MBUTTONDOWN, mbMiddle, true, false},  {WM_MBUTTONUP, mbMiddle, false, false},
    {WM_MBUTTONDBLCLK, mbMiddle, true, true},
};

} // namespace

// A left press that is released inside the control clicks it, before OnMouseUp runs; a double
// click raises OnDblClick and then OnMouseDown with ssDouble.
void TControl::HandleMouseMessage(TMessage& Message) {
    int x = GET_X_LPARAM(Message.LParam);
    int y = GET_Y_LPARAM(Message.LParam);
    TShiftState shift = KeysToShiftState(Message.WParam);
    bool standardEvents = !FControlStyle.Contains(csNoStdEvents);
    if (Message.Msg == WM_MOUSEMOVE) {
        if (standardEvents)
            MouseMove(shift, x, y);
        return;
    }
    for (const MouseMessage& mouse : MouseMessages) {
        if (mouse.Msg != Message.Msg)
            continue;
        if (mouse.Down) {
            if (mouse.Button == mbLeft && FControlStyle.Contains(csCaptureMouse))
                CapturedControl = this;
            if (mouse.Button == mbLeft && FControlStyle.Contains(csClickEvents)) {
                if (mouse.Double)
                    DblClick();
                else
                    FClickPending = true;
            }
            if (mouse.Double)
                shift << ssDouble;
            if (standardEvents)
                MouseDown(mouse.Button, shift, x, y);
        } else {
            if (mouse.Button == mbLeft)
                SetMouseCapture(false);
            if (mouse.Button == mbLeft && FClickPending) {
                FClickPending = false;
                if (ClientRect().Contains(TPoint{x, y}))
                    Click();
            }
            if (standardEvents)
                MouseUp(mouse.Button, shift, x, y);
        }
        return;
    }
}

void TControl::Click() {
    if (OnClick)
        OnClick(this);
}

void TControl::DblClick() {
    if (OnDblClick)
        OnDblClick(this);
}

void TControl::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
    if (OnMouseDown)
        OnMouseDown(this, Button, Shift, X, Y);
}

void TControl::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
    if (OnMouseUp)
        OnMouseUp(this, Button, Shift, X, Y);
}

void TControl::MouseMove(TShiftState Shift, int X, int Y) {
    if (OnMouseMove)
        OnMouseMove(this, Shift, X, Y);
}

void TControl::Resize() {
    if (OnResize)
        OnResize(this);
}

void TControl::Loaded() {
    TComponent::Loaded();
    if (auto* window = dynamic_cast<TWinControl*>(this))
        window->Realign();
}

void TControl::Invalidate() {
    FPeer->Invalidate();
}

void TControl::InvalidateRect(const TRect& rect) {
    FPeer->InvalidateRect(rect);
}

void TControl::Update() {
    FPeer->Update();
}

void TControl::Repaint() {
    FPeer->Repaint();
}

void TControl::BringToFront() {
    if (FParent)
        FParent->MoveControl(this, FParent->ControlCount() - 1);
    FPeer->BringToFront();
}

// ---- Hints and input state

String GetShortHint(const String& hint) {
    size_t bar = hint.find('|');
    return bar == String::npos ? hint : hint.substr(0, bar);
}

String GetLongHint(const String& hint) {
    size_t bar = hint.find('|');
    return bar == String::npos ? hint : hint.substr(bar + 1);
}

TShiftState KeysToShiftState(WPARAM keys) {
    TShiftState shift;
    if (keys & MK_SHIFT)
        shift << ssShift;
    if (keys & MK_CONTROL)
        shift << ssCtrl;
    if (keys & MK_LBUTTON)
        shift << ssLeft;
    if (keys & MK_RBUTTON)
        shift << ssRight;
    if (keys & MK_MBUTTON)
        shift << ssMiddle;
    if (GetKeyState(VK_MENU) < 0)
        shift << ssAlt;
    return shift;
}

TShiftState CurrentShiftState() {
    TShiftState shift;
    if (GetKeyState(VK_SHIFT) < 0)
        shift << ssShift;
    if (GetKeyState(VK_CONTROL) < 0)
        shift << ssCtrl;
    if (GetKeyState(VK_MENU) < 0)
        shift << ssAlt;
    return shift;
}
