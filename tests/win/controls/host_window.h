// A shown top-level window to parent the controls under test, and a message
// pump that waits for a condition.
#pragma once

#include <windows.h>

#include <chrono>
#include <functional>

#include "forms/window.h"

namespace kelbo::testing {

class HostWindow : public forms::Window {
public:
    explicit HostWindow(int width = 400, int height = 300) {
        CreateHandle(L"KelboTestHost", 0, WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, "host", {50, 50, width, height},
                     nullptr, nullptr);
    }
    // Only tests that read pixels off the screen need the window shown.
    void Show() {
        ShowWindow(Handle(), SW_SHOWNOACTIVATE);
        UpdateWindow(Handle());
    }
};

// Dispatches messages until `done` holds or `timeout` passes; returns `done()`.
inline bool PumpUntil(const std::function<bool()>& done, std::chrono::milliseconds timeout) {
    const auto end = std::chrono::steady_clock::now() + timeout;
    for (;;) {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (msg.message == WM_QUIT) continue;
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
        if (done()) return true;
        if (std::chrono::steady_clock::now() >= end) return false;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 2, QS_ALLINPUT);
    }
}

// Dispatches messages for `duration`.
inline void PumpFor(std::chrono::milliseconds duration) {
    PumpUntil([] { return false; }, duration);
}

}  // namespace kelbo::testing
