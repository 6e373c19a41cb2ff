#include "platform/Controls.h"
#include "platform/Peer.h"

#include <algorithm>
#include <unordered_map>

namespace {

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
    PerformOnTopLevel(CM_CONTROLREMOVED, 0, reinterpret_cast<LPARAM>(control));
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
    return TopLevelWindowOf(this) != nullptr;
}

bool TWinControl::Focused() const {
    return FPeer->Focused();
}

void TWinControl::SetFocus() {
    if (!CanFocus())
        throw EInvalidOperation("Cannot focus a disabled or invisible window");
    NotifyFocusChanged();
    FPeer->SetFocus();
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
    const TControlPeer* previous = nullptr;
    for (TControl* control : list)
        if (auto* window = dynamic_cast<TWinControl*>(control)) {
            if (previous)
                window->FPeer->FollowInTabOrder(*previous);
            previous = window->FPeer.get();
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

// Return and Escape go to the form as CM_DIALOGKEY for the default and cancel buttons, unless
// the control wants them (WM_GETDLGCODE).
bool LeavesDialogKey(TWinControl& control, WORD key, TShiftState shift) {
    if ((key != VK_RETURN && key != VK_ESCAPE) || !shift.Empty())
        return false;
    return (control.Perform(WM_GETDLGCODE, 0, 0) & DLGC_WANTALLKEYS) == 0;
}

} // namespace

void TWinControl::WndProc(TMessage& Message) {
    switch (Message.Msg) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN: {
        // Menu shortcuts and the dialog keys come before the control and its form see the key.
        auto key = static_cast<WORD>(Message.WParam);
        if (PerformOnTopLevel(CM_MENUKEY, key, reinterpret_cast<LPARAM>(this)) != 0)
            return;
        if (LeavesDialogKey(*this, key, CurrentShiftState()) &&
            PerformOnTopLevel(CM_DIALOGKEY, key, 0) != 0)
            return;
        if (DoKey(Message))
            return;
        // The system's own reaction to F1: a help request for the focused window.
        if (Message.WParam == VK_F1 && CurrentShiftState().Empty()) {
            Perform(WM_HELP, 0, 0);
            return;
        }
        break;
    }
    case WM_HELP:
        ShowHelp();
        return;
    case CM_DIALOGKEY:
        Broadcast(Message);
        return;
    case WM_KEYUP:
    case WM_SYSKEYUP:
    case WM_CHAR:
        if (DoKey(Message))
            return;
        break;
    case WM_SETFOCUS:
        NotifyFocusChanged();
        break;
    case CM_ENTER:
        DoEnter();
        return;
    case CM_EXIT:
        DoExit();
        return;
    default:
        break;
    }
    TControl::WndProc(Message);
}

// The form keeps track of the control with the focus.
void TWinControl::NotifyFocusChanged() {
    if (TWinControl* window = TopLevelWindowOf(this); window && window != this)
        window->Perform(CM_FOCUSCHANGED, 0, reinterpret_cast<LPARAM>(this));
}

// The help topic of the nearest control, going out through the parents, that has one; where
// none has, the help's contents, so that F1 always leads into the help.
void TWinControl::ShowHelp() {
    for (TControl* control = this; control; control = control->Parent())
        if (control->HelpContext() != 0) {
            PerformOnTopLevel(CM_INVOKEHELP, HELP_CONTEXT, control->HelpContext());
            return;
        }
    PerformOnTopLevel(CM_INVOKEHELP, HELP_FINDER, 0);
}

// With KeyPreview the form sees the key first; a handler that sets the key to 0 ends it there.
bool TWinControl::DoKey(TMessage& Message) {
    TWinControl* window = TopLevelWindowOf(this);
    if (window && window != this &&
        window->Perform(CM_PREVIEWKEY, 0, reinterpret_cast<LPARAM>(&Message)) != 0)
        return true;
    if (ControlStyle().Contains(csNoStdEvents))
        return false;
    RaiseKeyEvent(Message);
    return Message.WParam == 0;
}

// The event of a key message, whose key, as the handler leaves it, goes back into the message.
void TWinControl::RaiseKeyEvent(TMessage& Message) {
    if (Message.Msg == WM_CHAR) {
        auto key = static_cast<char>(Message.WParam);
        KeyPress(key);
        Message.WParam = static_cast<unsigned char>(key);
        return;
    }
    auto key = static_cast<WORD>(Message.WParam);
    if (Message.Msg == WM_KEYDOWN || Message.Msg == WM_SYSKEYDOWN)
        KeyDown(key, CurrentShiftState());
    else
        KeyUp(key, CurrentShiftState());
    Message.WParam = key;
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

// ---- Handles, messages, input state

TWinControl* TopLevelWindowOf(const TControl* control) {
    while (control && control->Parent())
        control = control->Parent();
    auto* window = dynamic_cast<TWinControl*>(const_cast<TControl*>(control));
    return window && window->IsTopLevel() ? window : nullptr;
}

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
        control->Peer().SetUpdatesEnabled(false);
        return 1;
    }
    if (TWinControl* control = FindControl(locked)) {
        control->Peer().SetUpdatesEnabled(true);
        control->Invalidate();
    }
    locked = nullptr;
    return 1;
}
