// The threaded timer: ticks come from its worker on the user-interface thread while it should
// run, and not otherwise; the window-timer mode; a failing tick; a tick that frees its timer.

#include "widgets/QmTimer.h"

#include "platform/ExtCtrls.h"
#include "platform/Forms.h"

#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <stdexcept>
#include <thread>

namespace {

// Lets the event loop run until the condition holds, for at most ten seconds of waiting (a
// machine under load may keep a worker waiting long); whether it holds then.
template <typename Condition> bool RunUntil(Condition condition) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (!condition() && std::chrono::steady_clock::now() < end) {
        Application->ProcessMessages();
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return condition();
}

} // namespace

TEST(QmTimerTest, TheWorkersTicksRunOnTheUserInterfaceThread) {
    TQmTimer timer(nullptr);
    EXPECT_TRUE(timer.Threaded());
    EXPECT_TRUE(timer.SyncEvent());
    EXPECT_EQ(timer.Interval(), 1000u);
    EXPECT_FALSE(timer.WorkerRunning()); // no event yet
    int ticks = 0;
    const auto uiThread = std::this_thread::get_id();
    bool elsewhere = false;
    timer.SetInterval(1);
    timer.SetOnTimer([&](TObject* Sender) {
        EXPECT_EQ(Sender, &timer);
        elsewhere = elsewhere || std::this_thread::get_id() != uiThread;
        ++ticks;
    });
    EXPECT_TRUE(timer.WorkerRunning());
    EXPECT_TRUE(RunUntil([&] { return ticks >= 3; }));
    EXPECT_FALSE(elsewhere);
}

TEST(QmTimerTest, TheWorkerWaitsWithoutIntervalEnablingOrEvent) {
    TQmTimer timer(nullptr);
    timer.SetOnTimer([](TObject*) {});
    EXPECT_TRUE(timer.WorkerRunning());
    timer.SetInterval(0);
    EXPECT_FALSE(timer.WorkerRunning());
    timer.SetInterval(50);
    EXPECT_TRUE(timer.WorkerRunning());
    timer.SetEnabled(false);
    EXPECT_FALSE(timer.WorkerRunning());
    timer.SetEnabled(true);
    timer.SetOnTimer(nullptr);
    EXPECT_FALSE(timer.WorkerRunning());
    EXPECT_FALSE(timer.Running());
}

TEST(QmTimerTest, WithoutThreadTheWindowTimerTicks) {
    TQmTimer timer(nullptr);
    int ticks = 0;
    timer.SetOnTimer([&](TObject*) { ++ticks; });
    timer.SetThreaded(false);
    EXPECT_FALSE(timer.WorkerRunning());
    ASSERT_NE(timer.WindowTimer(), nullptr);
    EXPECT_EQ(timer.WindowTimer()->Interval(), 1000);
    EXPECT_TRUE(TestHooks::FireTimer(*timer.WindowTimer()));
    EXPECT_EQ(ticks, 1);
    timer.SetEnabled(false);
    EXPECT_FALSE(TestHooks::FireTimer(*timer.WindowTimer()));
    timer.FireTimer(); // a tick that was on its way when the timer was disabled
    EXPECT_EQ(ticks, 1);
    timer.SetEnabled(true);
    timer.SetThreaded(true);
    EXPECT_EQ(timer.WindowTimer(), nullptr);
    EXPECT_TRUE(timer.WorkerRunning());
}

// The failure reaches the application's handler and the ticks go on.
TEST(QmTimerTest, AFailingTickIsReportedAndTheTimerGoesOn) {
    TQmTimer timer(nullptr);
    String reported;
    int ticks = 0;
    Application->OnException = [&](TObject*, const std::exception& E) { reported = E.what(); };
    timer.SetInterval(1);
    timer.SetOnTimer([&](TObject*) {
        if (++ticks == 1)
            throw std::runtime_error("tick failed");
    });
    EXPECT_TRUE(RunUntil([&] { return ticks >= 3; }));
    EXPECT_EQ(reported, "tick failed");
    Application->OnException = nullptr;
}

TEST(QmTimerTest, ATickMayFreeItsOwnTimer) {
    auto* owner = new TComponent(nullptr);
    auto* timer = new TQmTimer(owner);
    int ticks = 0;
    timer->SetInterval(1);
    timer->SetOnTimer([&](TObject*) {
        ++ticks;
        delete owner;
        owner = nullptr;
    });
    EXPECT_TRUE(RunUntil([&] { return owner == nullptr; }));
    // Nothing ticks once it is gone, though the worker may still have been waiting.
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    Application->ProcessMessages();
    EXPECT_EQ(ticks, 1);
}
