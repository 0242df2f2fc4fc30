// Driving the program's modal dialogs from a test: the work is queued before
// ShowModal and runs from the dialog's own message loop.
#pragma once

#include <windows.h>

#include <functional>
#include <utility>

namespace kelbo::testing {

inline std::function<void()>& PendingModalWork() {
    static std::function<void()> work;
    return work;
}

// Runs `work` once, from the next message loop that dispatches thread timers.
inline void WhenModal(std::function<void()> work) {
    PendingModalWork() = std::move(work);
    SetTimer(nullptr, 0, 0, [](HWND, UINT, UINT_PTR id, DWORD) {
        KillTimer(nullptr, id);
        std::function<void()> work = std::move(PendingModalWork());
        PendingModalWork() = nullptr;
        if (work) work();
    });
}

inline void ClickButton(HWND button) { SendMessageW(button, BM_CLICK, 0, 0); }

}  // namespace kelbo::testing
