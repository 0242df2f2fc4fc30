#include "browser/ui/watched_view.h"

#include "forms/dialogs.h"
#include "forms/handle.h"

namespace kelbo {
namespace {

// The view being watched: a thread hook has no place for its own data.
WatchedView* g_watching = nullptr;

}  // namespace

WatchedView::~WatchedView() { StopWatching(); }

void WatchedView::SetColor(Color color) {
    color_ = color;
    Invalidate();
}

void WatchedView::FormShow() {
    POINT pointer{};
    GetCursorPos(&pointer);
    pointerStart_ = {pointer.x, pointer.y};
    if (!watch_) {
        g_watching = this;
        watch_ = SetWindowsHookExW(WH_GETMESSAGE, &WatchedView::InputWatch, nullptr, GetCurrentThreadId());
    }
    if (!pointerHidden_) {
        ShowCursor(FALSE);
        pointerHidden_ = true;
    }
}

void WatchedView::FormHide() { StopWatching(); }

void WatchedView::StopWatching() {
    if (watch_) {
        UnhookWindowsHookEx(watch_);
        watch_ = nullptr;
    }
    if (g_watching == this) g_watching = nullptr;
    if (pointerHidden_) {
        ShowCursor(TRUE);
        pointerHidden_ = false;
    }
}

void WatchedView::FormActivate() {
    // Moving the hidden window activates it too: only the shown view maximises.
    if (!IsWindowVisible(Handle())) return;
    RECT main{};
    if (mainWindow_ && GetWindowRect(mainWindow_, &main)) {
        SavedMainHeight = static_cast<std::uint16_t>(main.bottom - main.top);
        SavedMainWidth = static_cast<std::uint16_t>(main.right - main.left);
    }
    if (!IsZoomed(Handle())) ShowWindow(Handle(), SW_MAXIMIZE);
}

void WatchedView::FormClose() {
    RECT main{};
    if (SavedMainWidth && mainWindow_ && GetWindowRect(mainWindow_, &main) &&
        (main.right - main.left != SavedMainWidth || main.bottom - main.top != SavedMainHeight))
        SetWindowPos(mainWindow_, nullptr, 0, 0, SavedMainWidth, SavedMainHeight,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    forms::Form::FormClose();
}

LRESULT WatchedView::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_ERASEBKGND) {
        RECT r{};
        GetClientRect(Handle(), &r);
        forms::UniqueBrush brush(CreateSolidBrush(static_cast<COLORREF>(color_)));
        FillRect(reinterpret_cast<HDC>(wParam), &r, brush.get());
        return 1;
    }
    return forms::Form::HandleMessage(msg, wParam, lParam);
}

LRESULT CALLBACK WatchedView::InputWatch(int code, WPARAM wParam, LPARAM lParam) {
    WatchedView* view = g_watching;
    const HHOOK hook = view ? view->watch_ : nullptr;
    if (code == HC_ACTION && wParam == PM_REMOVE && view) {
        const MSG& message = *reinterpret_cast<const MSG*>(lParam);
        // The parameter is in the client coordinates of the window it goes
        // to (the picture, the path bar ...); the start is on the screen.
        const Point client = MessagePoint(static_cast<std::uint32_t>(message.lParam));
        POINT screen{client.x, client.y};
        if (message.hwnd) ClientToScreen(message.hwnd, &screen);
        if (InputClosesView(message.message, view->pointerStart_, {screen.x, screen.y}, view->keys_))
            forms::GuardHandler(
                view->Handle(),
                [view] {
                    view->Close();
                    return 0;
                },
                0);
    }
    return CallNextHookEx(hook, code, wParam, lParam);
}

}  // namespace kelbo
