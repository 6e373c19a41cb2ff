#include "widgets/QmTimer.h"

#include "platform/ExtCtrls.h"
#include "platform/Forms.h"

#include <atomic>
#include <mutex>

// What the worker reads of its timer. The timer sets these on the user-interface thread; the
// worker reads them between its sleeps, and touches the timer itself only on the user-interface
// thread (after checking that it is still there) or, unsynchronised, under FireLock.
struct TTimerLink {
    std::atomic<bool> OwnerGone{false};
    std::atomic<bool> Enabled{true};
    std::atomic<bool> SyncEvent{true};
    std::atomic<unsigned> Interval{1000};
    std::mutex FireLock;
    TQmTimer* Owner = nullptr;
};

class TTimerThread : public TThread {
public:
    explicit TTimerThread(std::shared_ptr<TTimerLink> link) : FLink(std::move(link)) {
        SetFreeOnTerminate(true);
    }

protected:
    void Execute() override {
        while (!Terminated()) {
            if (ShouldStop()) {
                Sleep(60000); // nothing fires any more: only the end is waited for
                continue;
            }
            Sleep(FLink->Interval);
            if (ShouldStop() || !FLink->Enabled)
                continue;
            if (FLink->SyncEvent)
                FireOnUiThread();
            else
                FireHere();
        }
    }

private:
    bool ShouldStop() const { return Terminated() || FLink->OwnerGone; }

    // The timer may have been freed while this call waited for its turn; only the user-interface
    // thread frees it, so the check there is sure.
    void FireOnUiThread() {
        std::shared_ptr<TTimerLink> link = FLink;
        Synchronize([link] {
            if (link->OwnerGone || Application->Terminated())
                return;
            try {
                link->Owner->FireTimer();
            } catch (...) {
                Application->HandleException(link->Owner);
            }
        });
    }

    void FireHere() {
        std::lock_guard lock(FLink->FireLock);
        if (FLink->OwnerGone)
            return;
        try {
            FLink->Owner->FireTimer();
        } catch (const EAbort&) {
        } catch (const std::exception& E) {
            ReportException(E);
        }
    }

    // An exception of a tick run here cannot be shown from this thread: the user-interface
    // thread shows it, as the application would.
    void ReportException(const std::exception& E) {
        String message = E.what();
        Synchronize([message] {
            Exception shown(message);
            if (Application->OnException)
                Application->OnException(Application, shown);
            else
                Application->ShowException(shown);
        });
    }

    std::shared_ptr<TTimerLink> FLink;
};

TQmTimer::TQmTimer(TComponent* AOwner) : TComponent(AOwner), FLink(std::make_shared<TTimerLink>()) {
    FLink->Owner = this;
    FThread = new TTimerThread(FLink);
}

TQmTimer::~TQmTimer() {
    FEnabled = false;
    FOnTimer = nullptr;
    FLink->Enabled = false;
    {
        std::lock_guard lock(FLink->FireLock);
        FLink->OwnerGone = true;
    }
    FThread->Resume();
    FThread->Terminate();
    FWindowTimer.reset();
}

void TQmTimer::SetEnabled(bool value) {
    if (!Change(FEnabled, value))
        return;
    FLink->Enabled = value;
    UpdateTimer();
}

void TQmTimer::SetInterval(unsigned value) {
    if (!Change(FInterval, value))
        return;
    UpdateTimer();
}

void TQmTimer::SetSyncEvent(bool value) {
    FSyncEvent = value;
    FLink->SyncEvent = value;
}

void TQmTimer::SetThreaded(bool value) {
    if (Change(FThreaded, value))
        UpdateTimer();
}

void TQmTimer::SetThreadPriority(TThreadPriority value) {
    if (Change(FThreadPriority, value) && FThreaded)
        UpdateTimer();
}

void TQmTimer::SetOnTimer(TNotifyEvent value) {
    bool wasAssigned = static_cast<bool>(FOnTimer);
    FOnTimer = std::move(value);
    if (wasAssigned != static_cast<bool>(FOnTimer))
        UpdateTimer();
}

bool TQmTimer::Running() const {
    return FInterval != 0 && FEnabled && FOnTimer;
}

bool TQmTimer::WorkerRunning() const {
    return !FThread->Suspended();
}

// The event is called from a copy: a tick may free its own timer.
void TQmTimer::FireTimer() {
    if (!FEnabled || IsDestroying() || !FOnTimer)
        return;
    TNotifyEvent event = FOnTimer;
    event(this);
}

void TQmTimer::SuspendWorker() {
    if (!FThread->Suspended())
        FThread->Suspend();
}

// Every change stops the ticks and starts them again when they should come, so a new interval
// holds from the next wait on.
void TQmTimer::UpdateTimer() {
    SuspendWorker();
    if (FThreaded) {
        FWindowTimer.reset();
        FLink->Interval = FInterval;
        if (Running()) {
            FThread->SetPriority(FThreadPriority);
            FThread->Resume();
        }
        return;
    }
    if (!FWindowTimer) {
        FWindowTimer = std::make_unique<TTimer>(nullptr);
        FWindowTimer->OnTimer = [this](TObject* Sender) { TimerWindowProc(Sender); };
    }
    FWindowTimer->SetEnabled(false);
    if (Running()) {
        FWindowTimer->SetInterval(static_cast<int>(FInterval));
        FWindowTimer->SetEnabled(true);
    }
}

// The window timer hands an exception of the tick to the application itself.
void TQmTimer::TimerWindowProc(TObject* /*Sender*/) {
    FireTimer();
}
