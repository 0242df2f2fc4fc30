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
    : timer_(timer),
      ui_(ShowTimerError),
      core_(ui_,
            {[this] { return std::chrono::milliseconds(timer_.Interval()); },
             [](ThreadPriority priority) {
                 return SetThreadPriority(GetCurrentThread(), ToWin32Priority(priority)) != 0;
             },
             [this] { timer_.RunTick(); }},
            timer.GetThreadPriority()) {}

TTimerThread::~TTimerThread() = default;

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
