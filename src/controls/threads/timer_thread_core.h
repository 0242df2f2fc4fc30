// The extended timer's tick thread without Win32: sleeps the interval, then
// hands the tick to the user-interface thread and waits for it.
#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>
#include <thread>

#include "controls/threads/dispatch_queue.h"

namespace kelbo::controls {

enum class ThreadPriority { kIdle, kLowest, kLower, kNormal, kHigher, kHighest, kTimeCritical };

// Created paused. Pause, Resume, SetPriority, SetDestroying and the
// destructor are called on the user-interface thread.
class TimerThreadCore {
public:
    struct Hooks {
        // On the tick thread, before every sleep: read afresh each time.
        std::function<std::chrono::milliseconds()> interval;
        // On the tick thread: gives it the priority; false when refused.
        std::function<bool(ThreadPriority)> applyPriority;
        // On the user-interface thread; may destroy this core, must not throw.
        std::function<void()> tick;
    };

    // `ui` outlives the core.
    TimerThreadCore(UiSender& ui, Hooks hooks, ThreadPriority priority);
    // Stops and joins the thread; no tick is delivered after this begins,
    // even when it runs inside a tick.
    ~TimerThreadCore();
    TimerThreadCore(const TimerThreadCore&) = delete;
    TimerThreadCore& operator=(const TimerThreadCore&) = delete;

    void Pause();
    // Starts a fresh sleep of the current interval, also when running.
    void Resume();
    bool Running() const;
    void SetPriority(ThreadPriority priority);
    // The priority the thread last gave itself.
    ThreadPriority AppliedPriority() const { return applied_.load(); }
    void SetDestroying() { destroying_ = true; }
    bool Destroying() const { return destroying_; }

private:
    void Execute();
    void ApplyPriority();
    // On the user-interface thread: may the tick of this run still go out?
    bool Deliverable(std::uint64_t run) const;

    UiSender& ui_;
    const Hooks hooks_;
    mutable std::mutex lock_;
    std::condition_variable wake_;
    bool running_ = false;
    bool terminated_ = false;
    StopFlag stop_;          // releases a tick hand-off that waits for the UI thread
    std::uint64_t run_ = 0;  // changes at every pause and resume
    std::atomic<bool> destroying_{false};
    std::atomic<ThreadPriority> priority_;
    std::atomic<ThreadPriority> applied_{ThreadPriority::kNormal};
    std::thread thread_;  // last: starts once the fields above exist
};

}  // namespace kelbo::controls
