#pragma once
// Window hooks: a component that watches every message sent to one windowed control (or to the
// form that owns it) by putting its own window procedure in front of the control's, and offers
// each message to BeforeMessage before the window sees it and to AfterMessage afterwards.
//
// Hooks on the same control share one record, TControlHook, which holds the one replaced window
// procedure; every record is kept in the program's one THookList. A record is never freed or
// re-installed inside a message of its own window: both wait for a message posted to the hook
// list's hidden window.

#include "platform/Controls.h"

#include <functional>
#include <memory>
#include <vector>

class TControlHook;
class THookListWindow;

// Handled set by BeforeMessage keeps the message from the window; AfterMessage sees the result
// the window left in Msg.
using THookMessageEvent = std::function<void(TObject* Sender, TMessage& Msg, bool& Handled)>;

class TQmWindowHook : public TComponent {
public:
    explicit TQmWindowHook(TComponent* AOwner);
    ~TQmWindowHook() override;

    // Attached to its control's record (on by default).
    bool Active() const { return FActive; }
    void SetActive(bool value);
    // The control whose window is watched.
    TWinControl* WinControl() const;
    void SetWinControl(TWinControl* value);
    // True when the watched control is the owner and the owner is a form; setting it true makes
    // the owner form the watched control, false stops watching it.
    bool IsForm() const;
    void SetIsForm(bool value);

    THookMessageEvent BeforeMessage;
    THookMessageEvent AfterMessage;

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override;
    virtual void FireBeforeMessage(TMessage& Msg, bool& Handled);
    virtual void FireAfterMessage(TMessage& Msg, bool& Handled);

private:
    friend class TControlHook;
    void HookControl();
    void UnhookControl();

    bool FActive = false;
    TControlHook* FControlHook = nullptr;
    TWinControl* FWinControl = nullptr;
};

// One per watched control: the hooks attached to it, in the order they were attached, and the
// window procedure its own replaced.
class TControlHook : public TObject {
public:
    TControlHook();
    ~TControlHook() override;

    TWinControl* Control() const { return FControl; }
    void SetControl(TWinControl* value);
    int HookCount() const { return static_cast<int>(FHooks.size()); }
    void AddHook(TQmWindowHook* hook);
    void RemoveHook(TQmWindowHook* hook);
    // Puts the record's window procedure in front of the control's; harmless when it is there.
    void Install();
    // Gives the control back the procedure it had, unless someone has replaced the record's
    // own since.
    void Uninstall();

private:
    friend struct THookProcedure;
    bool ControlGone() const;
    bool IsInstalledOn(const TWinControl& control) const;
    void HookWndProc(TMessage& Message);
    void CallPrevious(TMessage& Message);
    void NotifyHooks(bool after, TMessage& Message, bool& Handled);

    TWinControl* FControl = nullptr;
    std::vector<TQmWindowHook*> FHooks;
    TWndMethod FPrevWndProc; // empty while the record's procedure is not installed
    // What the record's window procedure calls; it outlives the record only as an empty link.
    std::shared_ptr<TControlHook> FSelf;
    bool FDestroying = false;
};

// Every record of the program, and the hidden window that does what must wait until the current
// message is finished.
class THookList : public TObject {
public:
    THookList();
    ~THookList() override;

    int Count() const { return static_cast<int>(FItems.size()); }
    TControlHook* FindControlHook(const TWinControl* control) const;
    // The control's record, made when it has none.
    TControlHook* GetControlHook(TWinControl* control);
    bool Contains(const TControlHook* record) const;
    // Asks for the record's window procedure to be installed again, or for the record to be freed
    // when it has no hooks, once the messages waiting now have been handled.
    void PostReinstall(TControlHook* record);
    void PostRelease(TControlHook* record);

private:
    friend class TControlHook;
    friend class THookListWindow;
    void WndProc(TMessage& Message);

    std::vector<TControlHook*> FItems;
    THookListWindow* FWindow;
};

// The program's hook list, made on first need.
THookList& GetHookList();
// nullptr until something needed it.
THookList* ExistingHookList();
