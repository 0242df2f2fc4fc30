#include "controls/timer_ex.h"

#include <chrono>
#include <exception>
#include <stdexcept>

#include "forms/dialogs.h"

namespace kelbo::controls {

namespace {

constexpr UINT_PTR kTimerId = 1;

void ShowTimerError(std::string_view message) { forms::ShowError(nullptr, message); }

}  // namespace

int ToWin32Priority(ThreadPriority priority) {
    switch (priority) {
    case ThreadPriority::kIdle: return THREAD_PRIORITY_IDLE;
    case ThreadPriority::kLowest: return THREAD_PRIORITY_LOWEST;
    case ThreadPriority::kLower: return THREAD_PRIORITY_BELOW_NORMAL;
    case ThreadPriority::kNormal: return THREAD_PRIORITY_NORMAL;
    case ThreadPriority::kHigher: return THREAD_PRIORITY_ABOVE_NORMAL;
    case ThreadPriority::kHighest: return THREAD_PRIORITY_HIGHEST;
    case ThreadPriority::kTimeCritical: return THREAD_PRIORITY_TIME_CRITICAL;
    }
    return THREAD_PRIORITY_NORMAL;
}

// ---- TTimerThread ----------------------------------------------------------

TTimerThread::TTimerThread(TTimerEx& timer)
    : timer_(timer), ui_(ShowTimerError), priority_(timer.GetThreadPriority()), thread_([this] { Execute(); }) {}

TTimerThread::~TTimerThread() {
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

void TTimerThread::Pause() {
    {
        std::lock_guard guard(lock_);
        if (!running_) return;
        running_ = false;
        ++run_;
    }
    wake_.notify_all();
}

void TTimerThread::Resume() {
    {
        std::lock_guard guard(lock_);
        running_ = true;
        ++run_;  // a resume starts a fresh sleep of the current interval
    }
    wake_.notify_all();
}

bool TTimerThread::Running() const {
    std::lock_guard guard(lock_);
    return running_;
}

void TTimerThread::SetPriority(ThreadPriority priority) {
    priority_ = priority;
    wake_.notify_all();
}

bool TTimerThread::Deliverable(std::uint64_t run) const {
    std::lock_guard guard(lock_);
    return running_ && run_ == run && !destroying_;
}

void TTimerThread::ApplyPriority() {
    const int wanted = ToWin32Priority(priority_.load());
    if (wanted != applied_.load() && SetThreadPriority(GetCurrentThread(), wanted)) applied_ = wanted;
}

void TTimerThread::Execute() {
    ApplyPriority();
    std::unique_lock guard(lock_);
    while (!terminated_) {
        wake_.wait(guard, [&] { return running_ || terminated_; });
        if (terminated_) break;
        ApplyPriority();
        const std::uint64_t run = run_;
        const auto interval = std::chrono::milliseconds(timer_.Interval());
        // A pause, a resume or the end during the sleep starts over.
        if (wake_.wait_for(guard, interval, [&] { return run_ != run || terminated_; })) continue;
        if (destroying_) continue;
        guard.unlock();
        // Checked again on the user-interface thread: a pause may come
        // between the sleep and the tick.
        ui_.Send(
            [this, run] {
                if (Deliverable(run)) timer_.RunTick();
            },
            &stop_);
        guard.lock();
    }
}

// ---- TTimerEx's window ----------------------------------------------------

class TTimerEx::TickWindow : public forms::Window {
public:
    explicit TickWindow(TTimerEx& timer) : timer_(timer) {
        CreateHandle(L"KelboTimerExWindow", 0, 0, "", {}, HWND_MESSAGE, nullptr);
    }
    bool Start(UINT interval) {
        active_ = SetTimer(Handle(), kTimerId, interval, nullptr) != 0;
        return active_;
    }
    void Stop() {
        KillTimer(Handle(), kTimerId);
        active_ = false;
    }
    bool Active() const { return active_; }

protected:
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override {
        switch (msg) {
        case WM_TIMER:
            if (wParam == kTimerId) {
                timer_.RunTick();  // last: the tick may free this window
                return 0;
            }
            break;
        }
        return DefaultHandling(msg, wParam, lParam);
    }

private:
    TTimerEx& timer_;
    bool active_ = false;
};

// ---- TTimerEx ---------------------------------------------------------------

TTimerEx::TTimerEx() : OnError(ShowTimerError), tickThread_(std::make_unique<TTimerThread>(*this)) {}

TTimerEx::~TTimerEx() {
    enabled_ = false;
    if (tickThread_) {
        tickThread_->Pause();
        tickThread_->SetDestroying();
        tickThread_.reset();
    }
    if (tickWindow_) tickWindow_->Stop();
    tickWindow_.reset();
}

void TTimerEx::SetEnabled(bool enabled) {
    if (enabled == enabled_) return;
    enabled_ = enabled;
    UpdateTimer();
}

void TTimerEx::SetInterval(UINT milliseconds) {
    if (milliseconds == interval_.load()) return;
    interval_ = milliseconds;
    UpdateTimer();
}

void TTimerEx::SetThreaded(bool threaded) {
    if (threaded == threaded_) return;
    threaded_ = threaded;
    UpdateTimer();
}

void TTimerEx::SetThreadPriority(ThreadPriority priority) {
    if (priority == priority_) return;
    priority_ = priority;
    if (threaded_) UpdateTimer();
}

void TTimerEx::SetOnTimer(Handler handler) {
    // Handlers cannot be compared; every assignment counts as a change.
    onTimer_ = std::move(handler);
    UpdateTimer();
}

bool TTimerEx::Ticking() const {
    if (threaded_) return tickThread_ && tickThread_->Running();
    return tickWindow_ && tickWindow_->Active();
}

void TTimerEx::UpdateTimer() {
    if (tickThread_) tickThread_->Pause();
    if (tickWindow_) tickWindow_->Stop();
    if (threaded_) {
        tickWindow_.reset();
        if (!tickThread_) tickThread_ = std::make_unique<TTimerThread>(*this);
    } else {
        if (tickThread_) {
            tickThread_->SetDestroying();
            tickThread_.reset();
        }
        if (!tickWindow_) tickWindow_ = std::make_unique<TickWindow>(*this);
    }
    if (interval_.load() != 0 && enabled_ && onTimer_) {
        if (threaded_) {
            tickThread_->SetPriority(priority_);
            tickThread_->Resume();
        } else if (!tickWindow_->Start(interval_.load())) {
            throw std::runtime_error("No More Timers Available");
        }
    }
}

void TTimerEx::Timer() {
    if (!enabled_ || !onTimer_) return;
    const Handler handler = onTimer_;  // survives the handler freeing this timer
    handler(*this);
}

void TTimerEx::RunTick() {
    // Copied first: the handler may free this timer and then throw.
    const auto report = OnError;
    try {
        Timer();
    } catch (const std::exception& e) {
        if (report) report(e.what());
    } catch (...) {
        if (report) report("Unknown error");
    }
}

}  // namespace kelbo::controls
