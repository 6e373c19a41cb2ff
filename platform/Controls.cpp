#include "platform/Controls.h"
#include "platform/Forms.h"
#include "platform/Menus.h"
#include "platform/Peer.h"

#include <algorithm>
#include <unordered_map>

namespace {

std::unique_ptr<TControlPeer> MakePlainPeer(TControl& control) {
    return std::make_unique<TControlPeer>(control, new QWidget);
}

// A window's area shows its colour.
std::unique_ptr<TControlPeer> MakeWindowPeer(TControl& control) {
    auto* widget = new QWidget;
    widget->setAutoFillBackground(true);
    return std::make_unique<TControlPeer>(control, widget);
}

// A control without a window lets its parent show through and never takes the focus.
std::unique_ptr<TControlPeer> MakeGraphicPeer(TControl& control) {
    auto* widget = new QWidget;
    widget->setFocusPolicy(Qt::NoFocus);
    return std::make_unique<TControlPeer>(control, widget);
}

std::unique_ptr<TControlPeer> MakeCustomPeer(TControl& control) {
    auto* widget = new QWidget;
    widget->setFocusPolicy(Qt::StrongFocus);
    return std::make_unique<TControlPeer>(control, widget);
}

// The control that has the mouse: set on a left press (the window system's own grab holds it
// until the release) or in code.
TControl* CapturedControl = nullptr;

// Handles are numbers given out once, so a handle kept after its window is freed names nothing.
struct WindowTable {
    std::unordered_map<uintptr_t, TWinControl*> Windows;
    uintptr_t Next = 0x100;
};

WindowTable& Windows() {
    static WindowTable table;
    return table;
}

uintptr_t RegisterWindow(TWinControl* control) {
    WindowTable& table = Windows();
    uintptr_t id = table.Next++;
    table.Windows[id] = control;
    return id;
}

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

TPoint TControl::ClientOrigin() const {
    return ClientToScreen(TPoint{0, 0});
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

void TControl::SetParentFont(bool value) {
    FParentFont = value;
    AdoptParentFont();
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
    if (value) {
        CapturedControl = this;
        FPeer->Widget()->grabMouse();
    } else {
        CapturedControl = nullptr;
        FPeer->Widget()->releaseMouse();
    }
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
        if (PopupContextMenu(*this, Message.LParam))
            return;
        break;
    case CM_MOUSEENTER:
        if (Application)
            Application->SetHint(GetLongHint(FHint));
        break;
    case CM_MOUSELEAVE:
        if (Application)
            Application->SetHint("");
        break;
    default:
        break;
    }
    DefaultHandler(Message);
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

void TControl::SendToBack() {
    if (FParent)
        FParent->MoveControl(this, 0);
    FPeer->SendToBack();
}

// ---- TWinControl

TWinControl::TWinControl(TComponent* AOwner) : TWinControl(AOwner, MakeWindowPeer) {}

TWinControl::TWinControl(TComponent* AOwner, const TPeerFactory& makePeer)
    : TControl(AOwner, makePeer), FHandle(RegisterWindow(this)) {}

// The children go first, while this control is still whole: the owned ones with their owner's
// order, the others as the framework frees a window's children.
TWinControl::~TWinControl() {
    DestroyComponents();
    while (!FControls.empty())
        FControls.back()->Free();
    Windows().Windows.erase(FHandle);
}

HWND TWinControl::Handle() const {
    return reinterpret_cast<HWND>(FHandle);
}

TControl* TWinControl::Controls(int index) const {
    if (index < 0 || index >= ControlCount())
        throw EListError("List index out of bounds (" + IntToStr(index) + ")");
    return FControls[index];
}

bool TWinControl::ContainsControl(const TControl* control) const {
    for (const TControl* c = control; c; c = c->FParent)
        if (c == this)
            return true;
    return false;
}

void TWinControl::InsertControl(TControl* control) {
    if (auto* window = dynamic_cast<TWinControl*>(control); window && window->ContainsControl(this))
        throw EInvalidOperation(
            "A control cannot have itself or one of its children as its parent");
    FControls.push_back(control);
    control->FParent = this;
    control->FPeer->SetParentPeer(FPeer.get());
    control->SyncPeer();
    control->AdoptParentFont();
    Perform(CM_CONTROLLISTCHANGE, reinterpret_cast<WPARAM>(control), 1);
    if (control->FAlign != alNone)
        Realign();
}

void TWinControl::RemoveControl(TControl* control) {
    auto it = std::find(FControls.begin(), FControls.end(), control);
    if (it == FControls.end())
        return;
    Perform(CM_CONTROLLISTCHANGE, reinterpret_cast<WPARAM>(control), 0);
    FControls.erase(it);
    control->FParent = nullptr;
    if (TForm* form = GetParentForm(this))
        form->ControlRemoved(control);
    control->FPeer->SetShown(false);
    control->FPeer->SetParentPeer(nullptr);
    if (control->FAlign != alNone && !IsDestroying())
        Realign();
}

void TWinControl::MoveControl(TControl* control, int index) {
    auto it = std::find(FControls.begin(), FControls.end(), control);
    if (it == FControls.end())
        return;
    FControls.erase(it);
    FControls.insert(FControls.begin() + std::clamp(index, 0, ControlCount()), control);
}

void TWinControl::Broadcast(TMessage& Message) {
    for (TControl* control : std::vector<TControl*>(FControls)) {
        control->WindowProc()(Message);
        if (Message.Result != 0)
            return;
    }
}

bool TWinControl::CanFocus() const {
    for (const TControl* c = this; c; c = c->FParent)
        if (!c->Visible() || !c->Enabled())
            return false;
    return GetParentForm(this) != nullptr;
}

bool TWinControl::Focused() const {
    return FPeer->Focused();
}

void TWinControl::SetFocus() {
    if (!CanFocus())
        throw EInvalidOperation("Cannot focus a disabled or invisible window");
    if (TForm* form = GetParentForm(this); form && form != this)
        form->FocusChanged(this);
    FPeer->SetFocus();
}

int TWinControl::TabOrder() const {
    if (!FParent)
        return -1;
    int order = 0;
    for (TControl* control : FParent->FControls) {
        if (control == this)
            return order;
        if (dynamic_cast<TWinControl*>(control))
            ++order;
    }
    return -1;
}

// Tab order is the order of the windowed children within their parent.
void TWinControl::SetTabOrder(int value) {
    if (!FParent)
        return;
    std::vector<TControl*>& list = FParent->FControls;
    std::erase(list, this);
    int order = 0;
    auto it = list.begin();
    for (; it != list.end(); ++it) {
        if (!dynamic_cast<TWinControl*>(*it))
            continue;
        if (order == value)
            break;
        ++order;
    }
    list.insert(it, this);
    QWidget* previous = nullptr;
    for (TControl* control : list)
        if (auto* window = dynamic_cast<TWinControl*>(control)) {
            if (previous)
                QWidget::setTabOrder(previous, window->FPeer->Widget());
            previous = window->FPeer->Widget();
        }
}

void TWinControl::EnableAlign() {
    if (FAlignLevel > 0)
        --FAlignLevel;
    if (FAlignLevel == 0 && FAlignPending)
        Realign();
}

void TWinControl::Realign() {
    if (FAlignLevel > 0 || FAligning || IsLoading()) {
        FAlignPending = true;
        return;
    }
    FAlignPending = false;
    FAligning = true;
    try {
        TRect rect = ClientRect();
        AdjustClientRect(rect);
        AlignControls(nullptr, rect);
    } catch (...) {
        FAligning = false;
        throw;
    }
    FAligning = false;
}

void TWinControl::AdjustClientRect(TRect& /*Rect*/) const {}

namespace {

// Whether a control of the group goes before another: by its edge nearest to the side they align
// to; ties keep the order of the children.
bool AlignsBefore(const TControl* a, const TControl* b, TAlign align) {
    switch (align) {
    case alTop:
        return a->Top() < b->Top();
    case alBottom:
        return a->Top() + a->Height() >= b->Top() + b->Height();
    case alLeft:
        return a->Left() < b->Left();
    case alRight:
        return a->Left() + a->Width() >= b->Left() + b->Width();
    default:
        return false;
    }
}

void PlaceAligned(TControl* control, TAlign align, TRect& rect) {
    int width = control->Width();
    int height = control->Height();
    switch (align) {
    case alTop:
        control->SetBounds(rect.Left, rect.Top, rect.Width(), height);
        rect.Top += height;
        break;
    case alBottom:
        rect.Bottom -= height;
        control->SetBounds(rect.Left, rect.Bottom, rect.Width(), height);
        break;
    case alLeft:
        control->SetBounds(rect.Left, rect.Top, width, rect.Height());
        rect.Left += width;
        break;
    case alRight:
        rect.Right -= width;
        control->SetBounds(rect.Right, rect.Top, width, rect.Height());
        break;
    case alClient:
        control->SetBounds(rect.Left, rect.Top, rect.Width(), rect.Height());
        break;
    default:
        break;
    }
}

} // namespace

// AControl, the control whose change asked for the layout, keeps its place against the others.
void TWinControl::AlignControls(TControl* AControl, TRect& Rect) {
    for (TAlign align : {alTop, alBottom, alLeft, alRight, alClient}) {
        std::vector<TControl*> group;
        if (AControl && AControl->Align() == align && AControl->Visible())
            group.push_back(AControl);
        for (TControl* control : FControls) {
            if (control == AControl || control->Align() != align || !control->Visible())
                continue;
            auto place = group.begin();
            while (place != group.end() && !AlignsBefore(control, *place, align))
                ++place;
            group.insert(place, control);
        }
        for (TControl* control : group)
            PlaceAligned(control, align, Rect);
    }
}

namespace {

// Return and Escape, unless the control wants them (WM_GETDLGCODE), go to its form as
// CM_DIALOGKEY for the default and cancel buttons; true when one of them took the key.
bool IsDialogKey(TWinControl& control, WORD key, TShiftState shift) {
    if ((key != VK_RETURN && key != VK_ESCAPE) || !shift.Empty())
        return false;
    if (control.Perform(WM_GETDLGCODE, 0, 0) & DLGC_WANTALLKEYS)
        return false;
    TForm* form = GetParentForm(&control);
    return form && form->Perform(CM_DIALOGKEY, key, 0) != 0;
}

} // namespace

void TWinControl::WndProc(TMessage& Message) {
    switch (Message.Msg) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
        // Menu shortcuts and the dialog keys come before the control and its form see the key.
        if (IsMenuKey(*this, static_cast<WORD>(Message.WParam), CurrentShiftState()) ||
            IsDialogKey(*this, static_cast<WORD>(Message.WParam), CurrentShiftState()))
            return;
        if (DoKeyDown(Message))
            return;
        // The system's own reaction to F1: a help request for the focused window.
        if (Message.WParam == VK_F1 && CurrentShiftState().Empty()) {
            Perform(WM_HELP, 0, 0);
            return;
        }
        break;
    case WM_HELP:
        ShowHelp();
        return;
    case CM_DIALOGKEY:
        Broadcast(Message);
        return;
    case WM_KEYUP:
    case WM_SYSKEYUP:
        if (DoKeyUp(Message))
            return;
        break;
    case WM_CHAR:
        if (DoKeyPress(Message))
            return;
        break;
    case WM_SETFOCUS:
        if (TForm* form = GetParentForm(this); form && form != this)
            form->FocusChanged(this);
        break;
    default:
        break;
    }
    TControl::WndProc(Message);
}

// The help topic of the nearest control, going out through the parents, that has one.
void TWinControl::ShowHelp() {
    for (TControl* control = this; control; control = control->Parent())
        if (control->HelpContext() != 0) {
            Application->HelpContext(control->HelpContext());
            return;
        }
}

// With KeyPreview the form sees the key first; a handler that sets the key to 0 ends it there.
bool TWinControl::DoKeyDown(TMessage& Message) {
    TForm* form = GetParentForm(this);
    if (form && form != this && form->KeyPreview() &&
        static_cast<TWinControl*>(form)->DoKeyDown(Message))
        return true;
    auto key = static_cast<WORD>(Message.WParam);
    if (!ControlStyle().Contains(csNoStdEvents)) {
        KeyDown(key, CurrentShiftState());
        Message.WParam = key;
        if (key == 0)
            return true;
    }
    return false;
}

bool TWinControl::DoKeyUp(TMessage& Message) {
    TForm* form = GetParentForm(this);
    if (form && form != this && form->KeyPreview() &&
        static_cast<TWinControl*>(form)->DoKeyUp(Message))
        return true;
    auto key = static_cast<WORD>(Message.WParam);
    if (!ControlStyle().Contains(csNoStdEvents)) {
        KeyUp(key, CurrentShiftState());
        Message.WParam = key;
        if (key == 0)
            return true;
    }
    return false;
}

bool TWinControl::DoKeyPress(TMessage& Message) {
    TForm* form = GetParentForm(this);
    if (form && form != this && form->KeyPreview() &&
        static_cast<TWinControl*>(form)->DoKeyPress(Message))
        return true;
    auto key = static_cast<char>(Message.WParam);
    if (!ControlStyle().Contains(csNoStdEvents)) {
        KeyPress(key);
        Message.WParam = static_cast<unsigned char>(key);
        if (key == 0)
            return true;
    }
    return false;
}

void TWinControl::KeyDown(WORD& Key, TShiftState Shift) {
    if (OnKeyDown)
        OnKeyDown(this, Key, Shift);
}

void TWinControl::KeyUp(WORD& Key, TShiftState Shift) {
    if (OnKeyUp)
        OnKeyUp(this, Key, Shift);
}

void TWinControl::KeyPress(char& Key) {
    if (OnKeyPress)
        OnKeyPress(this, Key);
}

void TWinControl::DoEnter() {
    if (OnEnter)
        OnEnter(this);
}

void TWinControl::DoExit() {
    if (OnExit)
        OnExit(this);
}

// ---- Controls that draw themselves

TGraphicControl::TGraphicControl(TComponent* AOwner) : TGraphicControl(AOwner, MakeGraphicPeer) {}

TGraphicControl::TGraphicControl(TComponent* AOwner, const TPeerFactory& makePeer)
    : TControl(AOwner, makePeer) {}

void TGraphicControl::WndProc(TMessage& Message) {
    if (Message.Msg == WM_PAINT) {
        Paint();
        return;
    }
    TControl::WndProc(Message);
}

TCustomControl::TCustomControl(TComponent* AOwner) : TCustomControl(AOwner, MakeCustomPeer) {}

TCustomControl::TCustomControl(TComponent* AOwner, const TPeerFactory& makePeer)
    : TWinControl(AOwner, makePeer) {}

void TCustomControl::WndProc(TMessage& Message) {
    if (Message.Msg == WM_PAINT) {
        Paint();
        return;
    }
    TWinControl::WndProc(Message);
}

// ---- Handles, messages, input state

TWinControl* FindControl(HWND handle) {
    WindowTable& table = Windows();
    auto it = table.Windows.find(reinterpret_cast<uintptr_t>(handle));
    return it == table.Windows.end() ? nullptr : it->second;
}

bool IsWindow(HWND handle) {
    return FindControl(handle) != nullptr;
}

LRESULT SendMessage(HWND handle, UINT Msg, WPARAM WParam, LPARAM LParam) {
    TWinControl* control = FindControl(handle);
    return control ? control->Perform(Msg, WParam, LParam) : 0;
}

BOOL LockWindowUpdate(HWND handle) {
    static HWND locked = nullptr;
    if (handle) {
        TWinControl* control = FindControl(handle);
        if (locked || !control)
            return 0;
        locked = handle;
        control->Peer().Widget()->setUpdatesEnabled(false);
        return 1;
    }
    if (TWinControl* control = FindControl(locked)) {
        control->Peer().Widget()->setUpdatesEnabled(true);
        control->Invalidate();
    }
    locked = nullptr;
    return 1;
}

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
