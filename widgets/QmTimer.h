#pragma once
// A timer whose ticks come from a worker thread of its own that sleeps for the interval and then
// runs the tick on the user-interface thread (or, if asked, on the worker itself); it can also
// tick from an ordinary window timer.

#include "platform/Classes.h"
#include "platform/Component.h"

#include <memory>

class TTimer;
class TTimerThread;
struct TTimerLink;

class TQmTimer : public TComponent {
public:
    explicit TQmTimer(TComponent* AOwner);
    ~TQmTimer() override;

    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool value);
    // Milliseconds between ticks; 0 stops them.
    unsigned Interval() const { return FInterval; }
    void SetInterval(unsigned value);
    // Threaded: the tick runs on the user-interface thread, the worker waiting for it; false runs
    // it on the worker, where it must not touch any window.
    bool SyncEvent() const { return FSyncEvent; }
    void SetSyncEvent(bool value);
    // False: the ticks come from a window timer.
    bool Threaded() const { return FThreaded; }
    void SetThreaded(bool value);
    TThreadPriority ThreadPriority() const { return FThreadPriority; }
    void SetThreadPriority(TThreadPriority value);
    const TNotifyEvent& OnTimer() const { return FOnTimer; }
    void SetOnTimer(TNotifyEvent value);

    // Whether ticks come at all: an interval above 0, enabled, and an event to fire.
    bool Running() const;
    // Whether the worker is waiting to tick (not suspended).
    bool WorkerRunning() const;
    // The window timer that ticks while not threaded; nullptr otherwise.
    TTimer* WindowTimer() const { return FWindowTimer.get(); }
    // One tick: OnTimer, while enabled and not being freed.
    virtual void FireTimer();

private:
    friend class TTimerThread;
    void UpdateTimer();
    void SuspendWorker();
    void TimerWindowProc(TObject* Sender);

    bool FEnabled = true;
    unsigned FInterval = 1000;
    bool FSyncEvent = true;
    bool FThreaded = true;
    TThreadPriority FThreadPriority = tpNormal;
    TNotifyEvent FOnTimer;
    std::shared_ptr<TTimerLink> FLink;
    TTimerThread* FThread = nullptr; // frees itself once told to end
    std::unique_ptr<TTimer> FWindowTimer;
};
