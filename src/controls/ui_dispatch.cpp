#include "controls/ui_dispatch.h"

#include <stdexcept>
#include <utility>

#include "forms/handle.h"

namespace kelbo::controls {

namespace {

const wchar_t kClassName[] = L"KelboUiDispatcher";
constexpr UINT kRunOne = WM_APP + 1;

using UniqueWindow = forms::UniqueHandle<HWND, forms::WindowDeleter>;

}  // namespace

// Shared: a waiting Send and a running function keep it alive past the
// dispatcher, which such a function may destroy.
struct UiDispatcher::State : std::enable_shared_from_this<State> {
    explicit State(ErrorSink onError)
        : thread(GetCurrentThreadId()),
          queue([this] { return PostMessageW(window.get(), kRunOne, 0, 0) != 0; },
                [this] { return GetCurrentThreadId() == thread; }, std::move(onError)) {}

    const DWORD thread;
    UniqueWindow window;  // before the queue: its wake-up posts here
    DispatchQueue queue;

    static LRESULT CALLBACK Procedure(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
};

LRESULT CALLBACK UiDispatcher::State::Procedure(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == kRunOne) {
        auto* raw = reinterpret_cast<State*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
        // A strong reference: the function may destroy the dispatcher.
        if (raw) raw->shared_from_this()->queue.RunOne();
        return 0;
    }
    return DefWindowProcW(hwnd, msg, wParam, lParam);
}

UiDispatcher::UiDispatcher(ErrorSink onError) : state_(std::make_shared<State>(std::move(onError))) {
    HINSTANCE instance = GetModuleHandleW(nullptr);
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    if (!GetClassInfoExW(instance, kClassName, &wc)) {
        wc = WNDCLASSEXW{};
        wc.cbSize = sizeof wc;
        wc.lpfnWndProc = &State::Procedure;
        wc.hInstance = instance;
        wc.lpszClassName = kClassName;
        if (!RegisterClassExW(&wc)) throw std::runtime_error("Cannot register a window class");
    }
    state_->window.reset(CreateWindowExW(0, kClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, instance, nullptr));
    if (!state_->window) throw std::runtime_error("Cannot create a window");
    SetWindowLongPtrW(state_->window.get(), GWLP_USERDATA, reinterpret_cast<LONG_PTR>(state_.get()));
}

UiDispatcher::~UiDispatcher() {
    state_->queue.Close();
    SetWindowLongPtrW(state_->window.get(), GWLP_USERDATA, 0);
    state_->window.reset();
}

DWORD UiDispatcher::ThreadId() const { return state_->thread; }

void UiDispatcher::RequestStop(StopFlag& stop) { state_->queue.RequestStop(stop); }

bool UiDispatcher::Send(std::function<void()> fn, const StopFlag* stop) {
    const std::shared_ptr<State> s = state_;
    return s->queue.Send(std::move(fn), stop);
}

bool UiDispatcher::Post(std::function<void()> fn) {
    const std::shared_ptr<State> s = state_;
    return s->queue.Post(std::move(fn));
}

}  // namespace kelbo::controls
