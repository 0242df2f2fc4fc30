#include "controls/timer_ex.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <chrono>
#include <memory>
#include <stdexcept>
#include <string>

#include "controls/host_window.h"

namespace kelbo::controls {
namespace {

using namespace std::chrono_literals;
using testing::PumpFor;
using testing::PumpUntil;

// A timer whose errors are collected instead of shown in a message box.
std::unique_ptr<TTimerEx> MakeTimer(std::string* errors = nullptr) {
    auto timer = std::make_unique<TTimerEx>();
    timer->OnError = [errors](std::string_view message) {
        if (errors)
            *errors += std::string(message) + ";";
        else
            ADD_FAILURE() << message;
    };
    return timer;
}

TEST(TimerExTest, Defaults) {
    TTimerEx timer;
    EXPECT_TRUE(timer.Enabled());
    EXPECT_EQ(timer.Interval(), 1000u);
    EXPECT_TRUE(timer.Threaded());
    EXPECT_EQ(timer.GetThreadPriority(), ThreadPriority::kNormal);
    EXPECT_FALSE(timer.OnTimer());
    ASSERT_NE(timer.TickThread(), nullptr);  // made at once, paused
    EXPECT_FALSE(timer.TickThread()->Running());
    EXPECT_FALSE(timer.Ticking());
}

TEST(TimerExTest, IntervalZeroNeverTicks) {
    for (bool threaded : {true, false}) {
        auto timer = MakeTimer();
        timer->SetThreaded(threaded);
        int ticks = 0;
        timer->SetInterval(0);
        timer->SetOnTimer([&](TTimerEx&) { ++ticks; });
        EXPECT_FALSE(timer->Ticking());
        PumpFor(150ms);
        EXPECT_EQ(ticks, 0) << "threaded " << threaded;
    }
}

TEST(TimerExTest, WithoutOnTimerNeverTicks) {
    for (bool threaded : {true, false}) {
        auto timer = MakeTimer();
        timer->SetThreaded(threaded);
        timer->SetInterval(5);
        EXPECT_FALSE(timer->Ticking());
        int ticks = 0;
        timer->SetOnTimer([&](TTimerEx&) { ++ticks; });
        EXPECT_TRUE(timer->Ticking());
        timer->SetOnTimer(nullptr);
        EXPECT_FALSE(timer->Ticking());
        PumpFor(150ms);
        EXPECT_EQ(ticks, 0) << "threaded " << threaded;
    }
}

TEST(TimerExTest, ThreadedTicksRunOnTheUserInterfaceThread) {
    auto timer = MakeTimer();
    const DWORD uiThread = GetCurrentThreadId();
    int ticks = 0, elsewhere = 0;
    TTimerEx* sender = nullptr;
    timer->SetInterval(5);
    timer->SetOnTimer([&](TTimerEx& t) {
        ++ticks;
        sender = &t;
        if (GetCurrentThreadId() != uiThread) ++elsewhere;
    });
    EXPECT_TRUE(timer->Ticking());
    ASSERT_TRUE(PumpUntil([&] { return ticks >= 5; }, 3000ms));
    EXPECT_EQ(elsewhere, 0);
    EXPECT_EQ(sender, timer.get());
}

TEST(TimerExTest, NoTicksWithoutPumping) {
    // Every tick waits for the user-interface thread: none runs behind its back.
    auto timer = MakeTimer();
    int ticks = 0;
    timer->SetInterval(1);
    timer->SetOnTimer([&](TTimerEx&) { ++ticks; });
    Sleep(100);
    EXPECT_EQ(ticks, 0);
    ASSERT_TRUE(PumpUntil([&] { return ticks >= 1; }, 2000ms));
}

TEST(TimerExTest, DisabledTimerStopsTicking) {
    for (bool threaded : {true, false}) {
        auto timer = MakeTimer();
        timer->SetThreaded(threaded);
        int ticks = 0;
        timer->SetInterval(threaded ? 2 : 10);
        timer->SetOnTimer([&](TTimerEx&) { ++ticks; });
        ASSERT_TRUE(PumpUntil([&] { return ticks >= 3; }, 3000ms)) << "threaded " << threaded;
        // A tick may already be waiting for this thread when it disables the timer.
        Sleep(30);
        timer->SetEnabled(false);
        EXPECT_FALSE(timer->Ticking());
        const int stopped = ticks;
        PumpFor(150ms);
        EXPECT_EQ(ticks, stopped) << "threaded " << threaded;
        timer->SetEnabled(true);
        ASSERT_TRUE(PumpUntil([&] { return ticks > stopped; }, 3000ms)) << "threaded " << threaded;
    }
}

TEST(TimerExTest, PausedThreadDeliversNoWaitingTick) {
    auto timer = MakeTimer();
    int ticks = 0;
    timer->SetInterval(1);
    timer->SetOnTimer([&](TTimerEx&) { ++ticks; });
    ASSERT_TRUE(PumpUntil([&] { return ticks >= 1; }, 2000ms));
    Sleep(30);              // the next tick waits for this thread
    timer->SetInterval(0);  // still enabled and with a handler, but paused
    const int paused = ticks;
    PumpFor(100ms);
    EXPECT_EQ(ticks, paused);
}

TEST(TimerExTest, DisabledFromItsOwnTickStopsAtOnce) {
    auto timer = MakeTimer();
    int ticks = 0;
    timer->SetInterval(1);
    timer->SetOnTimer([&](TTimerEx& t) {
        ++ticks;
        t.SetEnabled(false);
    });
    ASSERT_TRUE(PumpUntil([&] { return ticks >= 1; }, 2000ms));
    PumpFor(100ms);
    EXPECT_EQ(ticks, 1);
}

TEST(TimerExTest, DestroyedWhileTickingNeitherHangsNorCrashes) {
    for (int round = 0; round < 30; ++round) {
        auto timer = MakeTimer();
        int ticks = 0;
        timer->SetInterval(round % 3 == 0 ? 1 : 5);
        timer->SetOnTimer([&](TTimerEx&) { ++ticks; });
        ASSERT_TRUE(PumpUntil([&] { return ticks >= 2; }, 3000ms)) << "round " << round;
        if (round % 2) Sleep(10);  // let a tick wait for this thread
        timer.reset();
    }
    PumpFor(50ms);  // hand-offs left in the queue must do nothing
}

TEST(TimerExTest, DestroyedWhileATickWaitsInTheQueue) {
    int ticks = 0;
    {
        auto timer = MakeTimer();
        timer->SetInterval(1);
        timer->SetOnTimer([&](TTimerEx&) { ++ticks; });
        Sleep(50);  // the thread has handed a tick over and waits
    }
    PumpFor(50ms);
    EXPECT_EQ(ticks, 0);
}

TEST(TimerExTest, HandlerMayDestroyItsTimer) {
    for (bool threaded : {true, false}) {
        auto timer = MakeTimer();
        timer->SetThreaded(threaded);
        int ticks = 0;
        timer->SetInterval(threaded ? 1 : 10);
        timer->SetOnTimer([&](TTimerEx&) {
            ++ticks;
            timer.reset();
        });
        ASSERT_TRUE(PumpUntil([&] { return timer == nullptr; }, 3000ms)) << "threaded " << threaded;
        PumpFor(50ms);
        EXPECT_EQ(ticks, 1);
    }
}

TEST(TimerExTest, HandlerMaySwitchTheTickSource) {
    auto timer = MakeTimer();
    int threadTicks = 0, windowTicks = 0;
    timer->SetInterval(10);
    timer->SetOnTimer([&](TTimerEx& t) {
        if (t.Threaded()) {
            ++threadTicks;
            t.SetThreaded(false);  // releases the very thread that delivered this tick
        } else {
            ++windowTicks;
        }
    });
    ASSERT_TRUE(PumpUntil([&] { return windowTicks >= 2; }, 3000ms));
    EXPECT_EQ(threadTicks, 1);
    EXPECT_EQ(timer->TickThread(), nullptr);
    timer->SetThreaded(true);
    EXPECT_NE(timer->TickThread(), nullptr);
    EXPECT_TRUE(timer->Ticking());
}

TEST(TimerExTest, WindowTimerTicks) {
    auto timer = MakeTimer();
    timer->SetThreaded(false);
    EXPECT_EQ(timer->TickThread(), nullptr);
    const DWORD uiThread = GetCurrentThreadId();
    int ticks = 0, elsewhere = 0;
    timer->SetInterval(10);
    timer->SetOnTimer([&](TTimerEx&) {
        ++ticks;
        if (GetCurrentThreadId() != uiThread) ++elsewhere;
    });
    EXPECT_TRUE(timer->Ticking());
    ASSERT_TRUE(PumpUntil([&] { return ticks >= 3; }, 3000ms));
    EXPECT_EQ(elsewhere, 0);
}

TEST(TimerExTest, ErrorsFromOnTimerGoToTheErrorBox) {
    for (bool threaded : {true, false}) {
        std::string errors;
        auto timer = MakeTimer(&errors);
        timer->SetThreaded(threaded);
        int ticks = 0;
        timer->SetInterval(10);
        timer->SetOnTimer([&](TTimerEx&) {
            if (++ticks <= 2) throw std::runtime_error("Chyba " + std::to_string(ticks));
        });
        ASSERT_TRUE(PumpUntil([&] { return ticks >= 3; }, 3000ms)) << "threaded " << threaded;
        EXPECT_EQ(errors, "Chyba 1;Chyba 2;");  // and the timer goes on
    }
}

TEST(TimerExTest, IntervalIsReadAfreshForEachSleep) {
    auto timer = MakeTimer();
    int ticks = 0;
    timer->SetInterval(100000);
    timer->SetOnTimer([&](TTimerEx&) { ++ticks; });
    PumpFor(100ms);
    EXPECT_EQ(ticks, 0);
    timer->SetInterval(5);
    ASSERT_TRUE(PumpUntil([&] { return ticks >= 2; }, 2000ms));
}

TEST(TimerExTest, ThreadTakesThePriority) {
    auto timer = MakeTimer();
    timer->SetThreadPriority(ThreadPriority::kLowest);
    timer->SetInterval(5);
    int ticks = 0;
    timer->SetOnTimer([&](TTimerEx&) { ++ticks; });
    ASSERT_TRUE(PumpUntil([&] { return ticks >= 1; }, 2000ms));
    EXPECT_EQ(timer->TickThread()->AppliedPriority(), THREAD_PRIORITY_LOWEST);
    timer->SetThreadPriority(ThreadPriority::kHigher);
    const int before = ticks;
    ASSERT_TRUE(PumpUntil([&] { return ticks > before; }, 2000ms));
    EXPECT_EQ(timer->TickThread()->AppliedPriority(), THREAD_PRIORITY_ABOVE_NORMAL);
}

}  // namespace
}  // namespace kelbo::controls
