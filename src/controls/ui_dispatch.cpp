#include "controls/ui_dispatch.h"

#include <condition_variable>
#include <deque>
#include <exception>
#include <mutex>
#include <stdexcept>
#include <utility>

#include "forms/handle.h"

namespace kelbo::controls {

namespace {

const wchar_t kClassName[] = L"KelboUiDispatcher";
constexpr UINT kRunOne = WM_APP + 1;

enum class Phase { kQueued, kRunning, kDone, kAbandoned };

struct Job {
    std::function<void()> fn;
    bool waited = false;
    Phase phase = Phase::kQueued;
    std::exception_ptr error;
};

using UniqueWindow = forms::UniqueHandle<HWND, forms::WindowDeleter>;

}  // namespace

struct UiDispatcher::State : std::enable_shared_from_this<State> {
    std::mutex lock;
    std::condition_variable changed;
    std::deque<std::shared_ptr<Job>> queue;
    bool closed = false;
    DWORD thread = 0;
    ErrorSink onError;
    UniqueWindow window;

    void RunOne();
    void Report(std::string_view message) const {
        if (!onError) return;
        try {
            onError(message);
        } catch (...) {
            // The error box itself failed; there is nowhere left to report to.
        }
    }

    static LRESULT CALLBACK Procedure(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
};

LRESULT CALLBACK UiDispatcher::State::Procedure(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == kRunOne) {
        auto* raw = reinterpret_cast<State*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
        // A strong reference: the function may destroy the dispatcher.
        if (raw) raw->shared_from_this()->RunOne();
        return 0;
    }
    return DefWindowProcW(hwnd, msg, wParam, lParam);
}

void UiDispatcher::State::RunOne() {
    std::shared_ptr<Job> job;
    {
        std::lock_guard guard(lock);
        while (!closed && !queue.empty() && !job) {
            job = std::move(queue.front());
            queue.pop_front();
            if (job->phase == Phase::kAbandoned) job.reset();
        }
        if (!job) return;
        job->phase = Phase::kRunning;
    }
    std::exception_ptr error;
    try {
        job->fn();
    } catch (...) {
        error = std::current_exception();
    }
    {
        std::lock_guard guard(lock);
        job->phase = Phase::kDone;
        job->error = job->waited ? error : nullptr;
    }
    changed.notify_all();
    if (!job->waited && error) {
        try {
            std::rethrow_exception(error);
        } catch (const std::exception& e) {
            Report(e.what());
        } catch (...) {
            Report("Unknown error");
        }
    }
}

UiDispatcher::UiDispatcher(ErrorSink onError) : state_(std::make_shared<State>()) {
    state_->thread = GetCurrentThreadId();
    state_->onError = std::move(onError);
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
    {
        std::lock_guard guard(state_->lock);
        state_->closed = true;
        for (auto& job : state_->queue) job->phase = Phase::kAbandoned;
        state_->queue.clear();
    }
    state_->changed.notify_all();
    SetWindowLongPtrW(state_->window.get(), GWLP_USERDATA, 0);
    state_->window.reset();
}

DWORD UiDispatcher::ThreadId() const { return state_->thread; }

void UiDispatcher::RequestStop(StopFlag& stop) {
    {
        // Under the lock: a Send between its check and its wait must not miss this.
        std::lock_guard guard(state_->lock);
        stop.requested_ = true;
    }
    state_->changed.notify_all();
}

bool UiDispatcher::Send(std::function<void()> fn, const StopFlag* stop) {
    if (!fn) return false;
    const auto stopped = [stop] { return stop && stop->Requested(); };
    if (GetCurrentThreadId() == state_->thread) {
        if (stopped()) return false;
        fn();
        return true;
    }
    std::shared_ptr<State> s = state_;
    auto job = std::make_shared<Job>();
    job->fn = std::move(fn);
    job->waited = true;
    std::unique_lock guard(s->lock);
    if (s->closed || stopped()) return false;
    s->queue.push_back(job);
    if (!PostMessageW(s->window.get(), kRunOne, 0, 0)) {
        s->queue.pop_back();
        return false;
    }
    s->changed.wait(guard, [&] { return job->phase == Phase::kDone || s->closed || stopped(); });
    if (job->phase == Phase::kDone) {
        if (job->error) std::rethrow_exception(job->error);
        return true;
    }
    if (job->phase == Phase::kQueued) job->phase = Phase::kAbandoned;
    return false;
}

bool UiDispatcher::Post(std::function<void()> fn) {
    if (!fn) return false;
    std::shared_ptr<State> s = state_;
    auto job = std::make_shared<Job>();
    job->fn = std::move(fn);
    std::lock_guard guard(s->lock);
    if (s->closed) return false;
    s->queue.push_back(job);
    if (!PostMessageW(s->window.get(), kRunOne, 0, 0)) {
        s->queue.pop_back();
        return false;
    }
    return true;
}

}  // namespace kelbo::controls
