#include "platform/Classes.h"

#include <QCoreApplication>
#include <QMetaObject>
#include <QThread>

#include <condition_variable>
#include <exception>
#include <mutex>
#include <thread>

#include <sys/resource.h>
#include <unistd.h>

struct TThreadState {
    std::mutex Mutex;
    std::condition_variable Changed;
    bool Suspended = true;
    bool Terminated = false;
    bool Started = false;
    bool FreeOnTerminate = false;
    TThreadPriority Priority = tpNormal;
    pid_t Id = 0;
    std::thread Worker;
};

namespace {

// The framework's priorities as nice values; raising one above normal needs a privilege that a
// user seldom has, and then the thread simply keeps the normal one.
int NiceOf(TThreadPriority priority) {
    static const int values[] = {19, 10, 5, 0, -5, -10, -15};
    return values[priority];
}

void ApplyPriority(const TThreadState& state) {
    if (state.Id != 0)
        setpriority(PRIO_PROCESS, static_cast<id_t>(state.Id), NiceOf(state.Priority));
}

} // namespace

TThread::TThread() : FState(std::make_shared<TThreadState>()) {}

// A thread that frees itself ends on its own; any other is ended here and waited for.
TThread::~TThread() {
    std::unique_lock lock(FState->Mutex);
    if (!FState->Started)
        return;
    if (FState->Worker.get_id() == std::this_thread::get_id()) {
        FState->Worker.detach();
        return;
    }
    FState->Terminated = true;
    FState->Changed.notify_all();
    lock.unlock();
    FState->Worker.join();
}

void TThread::Run(TThread* thread, std::shared_ptr<TThreadState> state) {
    {
        std::lock_guard lock(state->Mutex);
        state->Id = gettid();
        ApplyPriority(*state);
    }
    thread->WaitWhileSuspended();
    if (!thread->Terminated())
        thread->Execute();
    bool freeIt;
    {
        std::lock_guard lock(state->Mutex);
        freeIt = state->FreeOnTerminate;
    }
    if (freeIt)
        delete thread;
}

void TThread::Resume() {
    std::lock_guard lock(FState->Mutex);
    FState->Suspended = false;
    if (!FState->Started) {
        FState->Started = true;
        FState->Worker = std::thread(&TThread::Run, this, FState);
    }
    FState->Changed.notify_all();
}

void TThread::Suspend() {
    std::lock_guard lock(FState->Mutex);
    FState->Suspended = true;
}

bool TThread::Suspended() const {
    std::lock_guard lock(FState->Mutex);
    return FState->Suspended;
}

void TThread::Terminate() {
    std::lock_guard lock(FState->Mutex);
    FState->Terminated = true;
    FState->Changed.notify_all();
}

bool TThread::Terminated() const {
    std::lock_guard lock(FState->Mutex);
    return FState->Terminated;
}

TThreadPriority TThread::Priority() const {
    std::lock_guard lock(FState->Mutex);
    return FState->Priority;
}

void TThread::SetPriority(TThreadPriority value) {
    std::lock_guard lock(FState->Mutex);
    FState->Priority = value;
    ApplyPriority(*FState);
}

bool TThread::FreeOnTerminate() const {
    std::lock_guard lock(FState->Mutex);
    return FState->FreeOnTerminate;
}

void TThread::SetFreeOnTerminate(bool value) {
    std::lock_guard lock(FState->Mutex);
    FState->FreeOnTerminate = value;
}

void TThread::Sleep(unsigned milliseconds) {
    {
        std::unique_lock lock(FState->Mutex);
        FState->Changed.wait_for(lock, std::chrono::milliseconds(milliseconds),
                                 [this] { return FState->Terminated; });
    }
    WaitWhileSuspended();
}

void TThread::WaitWhileSuspended() {
    std::unique_lock lock(FState->Mutex);
    FState->Changed.wait(lock, [this] { return !FState->Suspended || FState->Terminated; });
}

bool TThread::Synchronize(const std::function<void()>& method) {
    QCoreApplication* application = QCoreApplication::instance();
    if (!application || QCoreApplication::closingDown())
        return false;
    if (QThread::currentThread() == application->thread()) {
        method();
        return true;
    }
    std::exception_ptr failure;
    QMetaObject::invokeMethod(
        application,
        [&] {
            try {
                method();
            } catch (...) {
                failure = std::current_exception();
            }
        },
        Qt::BlockingQueuedConnection);
    if (failure)
        std::rethrow_exception(failure);
    return true;
}
