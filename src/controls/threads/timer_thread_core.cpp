#include "controls/threads/timer_thread_core.h"

#include <utility>

namespace kelbo::controls {

TimerThreadCore::TimerThreadCore(UiSender& ui, Hooks hooks, ThreadPriority priority)
    : ui_(ui), hooks_(std::move(hooks)), priority_(priority), thread_([this] { Execute(); }) {}

TimerThreadCore::~TimerThreadCore() {
    destroying_ = true;
    {
        std::lock_guard guard(lock_);
        running_ = false;
        terminated_ = true;
        ++run_;
    }
    wake_.notify_all();
    // The thread may wait for a tick that the user-interface thread runs
    // right now: this very destructor may be called from inside that tick.
    ui_.RequestStop(stop_);
    thread_.join();
}

void TimerThreadCore::Pause() {
    {
        std::lock_guard guard(lock_);
        if (!running_) return;
        running_ = false;
        ++run_;
    }
    wake_.notify_all();
}

void TimerThreadCore::Resume() {
    {
        std::lock_guard guard(lock_);
        running_ = true;
        ++run_;
    }
    wake_.notify_all();
}

bool TimerThreadCore::Running() const {
    std::lock_guard guard(lock_);
    return running_;
}

void TimerThreadCore::SetPriority(ThreadPriority priority) {
    priority_ = priority;
    wake_.notify_all();
}

bool TimerThreadCore::Deliverable(std::uint64_t run) const {
    std::lock_guard guard(lock_);
    return running_ && run_ == run && !destroying_;
}

void TimerThreadCore::ApplyPriority() {
    const ThreadPriority wanted = priority_.load();
    if (wanted != applied_.load() && hooks_.applyPriority(wanted)) applied_ = wanted;
}

void TimerThreadCore::Execute() {
    ApplyPriority();
    std::unique_lock guard(lock_);
    while (!terminated_) {
        wake_.wait(guard, [&] { return running_ || terminated_; });
        if (terminated_) break;
        ApplyPriority();
        const std::uint64_t run = run_;
        // A pause, a resume or the end during the sleep starts over.
        if (wake_.wait_for(guard, hooks_.interval(), [&] { return run_ != run || terminated_; })) continue;
        if (destroying_) continue;
        guard.unlock();
        // Checked again on the user-interface thread: a pause may come
        // between the sleep and the tick.
        ui_.Send(
            [this, run] {
                if (!Deliverable(run)) return;
                const auto tick = hooks_.tick;  // survives the tick destroying this core
                tick();
            },
            &stop_);
        guard.lock();
    }
}

}  // namespace kelbo::controls
