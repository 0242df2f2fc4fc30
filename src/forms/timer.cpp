#include "forms/timer.h"

#include <map>

#include "forms/window.h"

namespace kelbo::forms {

namespace {

std::map<UINT_PTR, Timer*>& Timers() {
    static std::map<UINT_PTR, Timer*> timers;
    return timers;
}

}  // namespace

Timer::~Timer() {
    enabled_ = false;
    Restart();
}

void Timer::SetInterval(UINT milliseconds) {
    interval_ = milliseconds;
    Restart();
}

void Timer::SetEnabled(bool enabled) {
    enabled_ = enabled;
    Restart();
}

void Timer::Restart() {
    if (id_) {
        KillTimer(nullptr, id_);
        Timers().erase(id_);
        id_ = 0;
    }
    if (enabled_ && interval_ > 0) {
        id_ = SetTimer(nullptr, 0, interval_, &Timer::Tick);
        if (id_) Timers()[id_] = this;
    }
}

void CALLBACK Timer::Tick(HWND, UINT, UINT_PTR id, DWORD) {
    auto it = Timers().find(id);
    if (it == Timers().end() || !it->second->OnTimer) return;
    Timer* timer = it->second;
    GuardHandler(
        nullptr,
        [timer] {
            timer->OnTimer();
            return true;
        },
        false);
}

}  // namespace kelbo::forms
