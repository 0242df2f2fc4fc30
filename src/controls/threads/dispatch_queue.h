// The jobs that worker threads hand to the user-interface thread, and the
// waiting that goes with them. The owner wakes that thread and tells whether
// a caller is on it; the thread calls RunOne once per wake-up.
#pragma once

#include <atomic>
#include <condition_variable>
#include <deque>
#include <exception>
#include <functional>
#include <memory>
#include <mutex>
#include <string_view>

namespace kelbo::controls {

// Lets an owner end its worker while the worker may be waiting in Send:
// RequestStop sets it and wakes the waiting Send calls.
class StopFlag {
public:
    bool Requested() const { return requested_.load(); }

private:
    friend class DispatchQueue;
    std::atomic<bool> requested_{false};
};

// What a worker needs of the user-interface thread; see DispatchQueue.
class UiSender {
public:
    virtual bool Send(std::function<void()> fn, const StopFlag* stop = nullptr) = 0;
    virtual void RequestStop(StopFlag& stop) = 0;

protected:
    ~UiSender() = default;
};

class DispatchQueue final : public UiSender {
public:
    // Where exceptions from posted functions go.
    using ErrorSink = std::function<void(std::string_view message)>;

    // `wake` asks the user-interface thread for one RunOne call and is false
    // when it cannot (its queue is full); it is called under the queue's lock,
    // so it must not call back. `onUiThread` tells whether the caller is that
    // thread. The queue must outlive every call made on it, RunOne included:
    // a function run there may close the queue and free its owner.
    DispatchQueue(std::function<bool()> wake, std::function<bool()> onUiThread, ErrorSink onError);
    DispatchQueue(const DispatchQueue&) = delete;
    DispatchQueue& operator=(const DispatchQueue&) = delete;

    // Runs `fn` on the user-interface thread and waits for it; an exception
    // from `fn` is rethrown here. Returns false when `stop` is requested or
    // the queue is closed first: a waiting `fn` then never runs, and a
    // running one is no longer waited for (the stop may come from inside
    // `fn`, whose caller then joins this thread), so `fn` must not use the
    // caller's locals after such a stop. Called on the user-interface thread
    // itself, it runs `fn` at once.
    bool Send(std::function<void()> fn, const StopFlag* stop = nullptr) override;

    // Sets `stop` and releases the Send calls waiting with it; any thread.
    void RequestStop(StopFlag& stop) override;

    // Queues `fn` and returns at once; false when the queue is closed or the
    // wake-up cannot be sent.
    bool Post(std::function<void()> fn);

    // On the user-interface thread: runs the oldest job still wanted, if any.
    void RunOne();

    // Drops the queued jobs and refuses new ones; waiting Send calls return false.
    void Close();

private:
    enum class Phase { kQueued, kRunning, kDone, kAbandoned };
    struct Job {
        std::function<void()> fn;
        bool waited = false;
        const StopFlag* stop = nullptr;  // valid while queued and not abandoned: its Send still waits
        Phase phase = Phase::kQueued;
        std::exception_ptr error;
    };

    // Queues `job` and wakes the user-interface thread; false when closed or
    // the wake-up fails. Called under the lock.
    bool Enqueue(const std::shared_ptr<Job>& job);
    void Report(std::string_view message) const;

    std::function<bool()> wake_;
    std::function<bool()> onUiThread_;
    ErrorSink onError_;
    std::mutex lock_;
    std::condition_variable changed_;
    std::deque<std::shared_ptr<Job>> queue_;
    bool closed_ = false;
};

}  // namespace kelbo::controls
