#include "widgets/QmHook.h"

#include "platform/Forms.h"

#include <algorithm>

namespace {

// Posted to the hook list's window, with the record in LParam.
constexpr UINT CM_REINSTALLHOOK = 0xB052;
constexpr UINT CM_RELEASEHOOK = 0xB053;

THookList* TheHookList = nullptr;

} // namespace

// The window procedure a record puts in front of its control's. It knows the record only through
// a weak link, so a procedure left in someone else's chain after its record was freed hands the
// messages straight to the control.
struct THookProcedure {
    std::weak_ptr<TControlHook> Record;
    TWinControl* Control;

    // Installing or removing procedures while a message runs frees this object: everything it
    // needs is copied out first.
    void operator()(TMessage& Message) const {
        std::shared_ptr<TControlHook> record = Record.lock();
        TWinControl* control = Control;
        if (record && record->FControl == control)
            record->HookWndProc(Message);
        else
            control->WndProc(Message);
    }
};

// The hidden window of the hook list. It belongs to the application, so the list goes when the
// application frees its components at the end of the program.
class THookListWindow : public TWinControl {
public:
    explicit THookListWindow(THookList& list) : TWinControl(Application), FList(&list) {}
    ~THookListWindow() override {
        if (FList) {
            FList->FWindow = nullptr;
            delete FList;
        }
    }
    void WndProc(TMessage& Message) override {
        if (FList && (Message.Msg == CM_REINSTALLHOOK || Message.Msg == CM_RELEASEHOOK))
            FList->WndProc(Message);
        else
            TWinControl::WndProc(Message);
    }

private:
    friend class THookList;
    THookList* FList;
};

// ---- TQmWindowHook

TQmWindowHook::TQmWindowHook(TComponent* AOwner) : TComponent(AOwner) {
    SetActive(true);
}

// Leaving the control first lets the record left behind be freed.
TQmWindowHook::~TQmWindowHook() {
    SetWinControl(nullptr);
    SetActive(false);
}

void TQmWindowHook::SetActive(bool value) {
    if (value == FActive)
        return;
    if (value)
        HookControl();
    else
        UnhookControl();
}

void TQmWindowHook::HookControl() {
    if (FWinControl && !IsDestroying())
        GetHookList().GetControlHook(FWinControl)->AddHook(this);
    FActive = true;
}

void TQmWindowHook::UnhookControl() {
    if (FControlHook)
        FControlHook->RemoveHook(this);
    FActive = false;
}

TWinControl* TQmWindowHook::WinControl() const {
    return FControlHook ? FControlHook->Control() : FWinControl;
}

void TQmWindowHook::SetWinControl(TWinControl* value) {
    if (value == WinControl())
        return;
    bool wasActive = FActive;
    TControlHook* left = FControlHook;
    UnhookControl();
    // Only the control watched now may clear the hook when it goes.
    if (FWinControl && FWinControl != Owner())
        RemoveFreeNotification(FWinControl);
    FWinControl = value;
    if (value)
        value->FreeNotification(this);
    if (left && left->HookCount() == 0)
        if (THookList* list = ExistingHookList())
            list->PostRelease(left);
    if (wasActive)
        HookControl();
}

bool TQmWindowHook::IsForm() const {
    TWinControl* control = WinControl();
    return control && control == Owner() && dynamic_cast<TForm*>(control);
}

void TQmWindowHook::SetIsForm(bool value) {
    if (value) {
        if (auto* form = dynamic_cast<TForm*>(Owner()))
            SetWinControl(form);
    } else if (IsForm()) {
        SetWinControl(nullptr);
    }
}

void TQmWindowHook::Notification(TComponent* AComponent, TOperation Operation) {
    TComponent::Notification(AComponent, Operation);
    if (Operation == opRemove && (AComponent == WinControl() || AComponent == Owner() || !Owner()))
        SetWinControl(nullptr);
}

void TQmWindowHook::FireBeforeMessage(TMessage& Msg, bool& Handled) {
    if (BeforeMessage)
        BeforeMessage(this, Msg, Handled);
}

void TQmWindowHook::FireAfterMessage(TMessage& Msg, bool& Handled) {
    if (AfterMessage)
        AfterMessage(this, Msg, Handled);
}

// ---- TControlHook

TControlHook::TControlHook() : FSelf(this, [](TControlHook*) {}) {}

TControlHook::~TControlHook() {
    FDestroying = true;
    if (TheHookList)
        std::erase(TheHookList->FItems, this);
    while (!FHooks.empty())
        RemoveHook(FHooks.back());
    SetControl(nullptr);
    FSelf.reset();
}

// A control being freed has no window left to give back.
bool TControlHook::ControlGone() const {
    return !FControl || FControl->IsDestroying();
}

bool TControlHook::IsInstalledOn(const TWinControl& control) const {
    const auto* procedure = control.WindowProc().target<THookProcedure>();
    return procedure && procedure->Record.lock().get() == this;
}

void TControlHook::SetControl(TWinControl* value) {
    if (value == FControl)
        return;
    Uninstall();
    FControl = value;
    if (!FHooks.empty())
        Install();
}

void TControlHook::AddHook(TQmWindowHook* hook) {
    if (std::find(FHooks.begin(), FHooks.end(), hook) == FHooks.end()) {
        FHooks.push_back(hook);
        hook->FControlHook = this;
        SetControl(hook->FWinControl);
    }
    Install();
}

void TControlHook::RemoveHook(TQmWindowHook* hook) {
    hook->FControlHook = nullptr;
    std::erase(FHooks, hook);
    if (FHooks.empty()) {
        Uninstall();
        // A freed control's address may come back for a new one, which must get a record of
        // its own.
        if (ControlGone())
            FControl = nullptr;
    }
}

void TControlHook::Install() {
    if (ControlGone() || FControl->ComponentState().Contains(csDesigning) || FDestroying)
        return;
    if (IsInstalledOn(*FControl))
        return;
    FPrevWndProc = FControl->WindowProc();
    FControl->SetWindowProc(THookProcedure{FSelf, FControl});
}

void TControlHook::Uninstall() {
    if (FPrevWndProc && !ControlGone() && IsInstalledOn(*FControl))
        FControl->SetWindowProc(FPrevWndProc);
    FPrevWndProc = nullptr;
}

void TControlHook::CallPrevious(TMessage& Message) {
    // A hook may uninstall the record while the previous procedure runs: call a copy.
    TWndMethod previous = FPrevWndProc;
    if (previous)
        previous(Message);
    else
        FControl->WndProc(Message);
}

void TControlHook::HookWndProc(TMessage& Message) {
    if (!FControl)
        return;
    bool handled = false;
    if (Message.Msg != WM_QUIT)
        NotifyHooks(false, Message, handled);
    if (!handled || Message.Msg == WM_DESTROY) {
        try {
            CallPrevious(Message);
        } catch (...) {
            NotifyHooks(true, Message, handled);
            throw;
        }
        NotifyHooks(true, Message, handled);
    }
    if (Message.Msg == WM_DESTROY) {
        Uninstall();
        // The control lives on: its window is only being made again.
        if (TheHookList && !FDestroying && !ControlGone())
            TheHookList->PostReinstall(this);
    }
}

// The hooks attached last hear first; a hook that sets Handled ends the walk. One freed or moved
// away by an earlier hook's event is left out.
void TControlHook::NotifyHooks(bool after, TMessage& Message, bool& Handled) {
    if (FHooks.empty() || FDestroying || ControlGone())
        return;
    std::vector<TQmWindowHook*> hooks = FHooks;
    for (auto it = hooks.rbegin(); it != hooks.rend(); ++it) {
        TQmWindowHook* hook = *it;
        if (std::find(FHooks.begin(), FHooks.end(), hook) == FHooks.end())
            continue;
        try {
            if (after)
                hook->FireAfterMessage(Message, Handled);
            else
                hook->FireBeforeMessage(Message, Handled);
        } catch (...) {
            if (Application)
                Application->HandleException(hook);
        }
        if (Handled)
            break;
    }
}

// ---- THookList

THookList::THookList() : FWindow(new THookListWindow(*this)) {}

THookList::~THookList() {
    if (TheHookList == this)
        TheHookList = nullptr;
    // A record takes itself out of the program's list only, and that is gone already.
    while (!FItems.empty()) {
        TControlHook* record = FItems.back();
        FItems.pop_back();
        delete record;
    }
    if (FWindow) {
        FWindow->FList = nullptr;
        FWindow->Free();
    }
}

TControlHook* THookList::FindControlHook(const TWinControl* control) const {
    if (!control)
        return nullptr;
    auto it = std::find_if(FItems.begin(), FItems.end(), [control](const TControlHook* record) {
        return record->Control() == control;
    });
    return it == FItems.end() ? nullptr : *it;
}

TControlHook* THookList::GetControlHook(TWinControl* control) {
    if (TControlHook* record = FindControlHook(control))
        return record;
    auto* record = new TControlHook;
    FItems.push_back(record);
    record->SetControl(control);
    return record;
}

bool THookList::Contains(const TControlHook* record) const {
    return std::find(FItems.begin(), FItems.end(), record) != FItems.end();
}

void THookList::PostReinstall(TControlHook* record) {
    PostMessage(FWindow->Handle(), CM_REINSTALLHOOK, 0, reinterpret_cast<LPARAM>(record));
}

void THookList::PostRelease(TControlHook* record) {
    PostMessage(FWindow->Handle(), CM_RELEASEHOOK, 0, reinterpret_cast<LPARAM>(record));
}

void THookList::WndProc(TMessage& Message) {
    auto* record = reinterpret_cast<TControlHook*>(Message.LParam);
    if (!Contains(record))
        return;
    try {
        if (Message.Msg == CM_REINSTALLHOOK)
            record->Install();
        else if (record->HookCount() == 0)
            delete record;
    } catch (...) {
        if (Application)
            Application->HandleException(FWindow);
    }
}

THookList& GetHookList() {
    if (!TheHookList)
        TheHookList = new THookList;
    return *TheHookList;
}

THookList* ExistingHookList() {
    return TheHookList;
}
