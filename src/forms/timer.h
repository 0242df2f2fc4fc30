// A window timer on the user-interface thread.
#pragma once

#include <windows.h>

#include <functional>

namespace kelbo::forms {

class Timer {
public:
    Timer() = default;
    ~Timer();
    Timer(const Timer&) = delete;
    Timer& operator=(const Timer&) = delete;

    void SetInterval(UINT milliseconds);
    UINT Interval() const { return interval_; }
    void SetEnabled(bool enabled);
    bool Enabled() const { return enabled_; }

    std::function<void()> OnTimer;

private:
    static void CALLBACK Tick(HWND, UINT, UINT_PTR id, DWORD);
    void Restart();

    UINT interval_ = 1000;
    bool enabled_ = false;
    UINT_PTR id_ = 0;
};

}  // namespace kelbo::forms
