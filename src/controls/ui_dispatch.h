// The one way worker threads reach the user-interface thread: a function is
// run there, either while the worker waits (Send) or without waiting (Post).
// Workers never touch a window themselves. The queue and its waiting are
// DispatchQueue's; this adds the window whose message wakes the thread.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <string_view>

#include "controls/threads/dispatch_queue.h"

namespace kelbo::controls {

class UiDispatcher final : public UiSender {
public:
    // Where exceptions from posted functions go (the application's error box).
    using ErrorSink = std::function<void(std::string_view message)>;

    // Create and destroy on the user-interface thread: functions run on the
    // thread that created the dispatcher. It must outlive every call made on
    // it; calls still waiting when it is destroyed return false.
    explicit UiDispatcher(ErrorSink onError);
    ~UiDispatcher();
    UiDispatcher(const UiDispatcher&) = delete;
    UiDispatcher& operator=(const UiDispatcher&) = delete;

    // Runs `fn` on the user-interface thread and waits for it; an exception
    // from `fn` is rethrown here. Returns false when `stop` is requested or
    // the dispatcher is destroyed first: a waiting `fn` then never runs, and
    // a running one is no longer waited for (the stop may come from inside
    // `fn`, whose caller then joins this thread), so `fn` must not use the
    // caller's locals after such a stop. Called on the user-interface thread
    // itself, it runs `fn` at once.
    bool Send(std::function<void()> fn, const StopFlag* stop = nullptr) override;

    // Sets `stop` and releases the Send calls waiting with it; any thread.
    void RequestStop(StopFlag& stop) override;

    // Queues `fn` for the user-interface thread and returns at once; false
    // when the dispatcher is closed or the queue is full.
    bool Post(std::function<void()> fn);

    DWORD ThreadId() const;

private:
    struct State;
    std::shared_ptr<State> state_;
};

}  // namespace kelbo::controls
