#include "controls/threads/timer_thread_core.h"

#include <gtest/gtest.h>

#include <memory>

#include "controls/ui_loop.h"

namespace kelbo::controls {
namespace {

using namespace std::chrono_literals;
using testing::UiLoop;

// A 1 ms timer whose ticks go through a UiLoop; the platform refuses kHighest.
struct Ticker {
    Ticker()
        : core(std::make_unique<TimerThreadCore>(
              ui.queue,
              TimerThreadCore::Hooks{[] { return 1ms; }, [](ThreadPriority p) { return p != ThreadPriority::kHighest; },
                                     [this] { ++ticks, onTick(); }},
              ThreadPriority::kNormal)) {}
    ~Ticker() {
        OnUi([&] { core.reset(); });
    }
    void OnUi(std::function<void()> fn) { EXPECT_TRUE(ui.queue.Send(std::move(fn))); }

    UiLoop ui;
    std::atomic<int> ticks{0};
    std::function<void()> onTick = [] {};   // set before the first Resume
    std::unique_ptr<TimerThreadCore> core;  // the user-interface thread's
};

// Pauses race the tick hand-offs: none is delivered while paused, and each
// resume applies the priority set before it unless the platform refuses it.
TEST(TimerThreadCore, TicksOnlyWhileRunningWithThePriorityGiven) {
    const ThreadPriority kAsked[] = {ThreadPriority::kLower, ThreadPriority::kHighest, ThreadPriority::kTimeCritical};
    const ThreadPriority kApplied[] = {ThreadPriority::kLower, ThreadPriority::kLower, ThreadPriority::kTimeCritical};
    Ticker t;
    bool paused = true;
    int whilePaused = 0;  // both the user-interface thread's
    t.onTick = [&] { whilePaused += paused || !t.core->Running(); };
    for (int round = 0; round < 300; ++round) {
        const int before = t.ticks;
        t.OnUi([&] {
            t.core->SetPriority(kAsked[round % 3]);
            t.core->Resume();
            paused = false;
        });
        ASSERT_TRUE(t.ui.Await([&] { return t.ticks > before; }));
        EXPECT_EQ(t.core->AppliedPriority(), kApplied[round % 3]) << round;
        t.OnUi([&] { t.core->Pause(), paused = true; });
    }
    t.OnUi([&] { EXPECT_EQ(whilePaused, 0); });
}

// Destroyed, paused or marked as being destroyed inside its third tick or
// while its first tick waits behind a busy user-interface thread: not one
// tick more, and no deadlock when the tick thread waits for that very tick.
TEST(TimerThreadCore, NoTickAfterItsEnd) {
    enum { kDestroy, kPause, kDestroying };
    const struct {
        bool inTick;
        int action, ticks;
    } cases[] = {{true, kDestroy, 3},  {true, kPause, 3},  {true, kDestroying, 3},
                 {false, kDestroy, 0}, {false, kPause, 0}, {false, kDestroying, 0}};
    for (const auto& c : cases) {
        Ticker t;
        const auto end = [&] {
            if (c.action == kDestroy) t.core.reset();
            if (c.action == kPause) t.core->Pause();
            if (c.action == kDestroying) t.core->SetDestroying();
        };
        t.onTick = [&] {
            if (c.inTick && t.ticks == 3) end();
        };
        if (c.inTick) {
            t.OnUi([&] { t.core->Resume(); });
            ASSERT_TRUE(t.ui.Await([&] { return t.ticks == 3; }));
        } else {
            const int wakes = t.ui.wakes;
            t.OnUi([&] {
                t.core->Resume();
                ASSERT_TRUE(t.ui.Await([&] { return t.ui.wakes == wakes + 2; }));  // the tick's hand-off
                end();
            });
        }
        t.OnUi([] {});  // after the queued tick
        EXPECT_EQ(t.ticks, c.ticks) << c.inTick << c.action;
    }
}

}  // namespace
}  // namespace kelbo::controls
