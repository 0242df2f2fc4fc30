#include "controls/threads/dispatch_queue.h"

#include <exception>
#include <utility>

namespace kelbo::controls {

DispatchQueue::DispatchQueue(std::function<bool()> wake, std::function<bool()> onUiThread, ErrorSink onError)
    : wake_(std::move(wake)), onUiThread_(std::move(onUiThread)), onError_(std::move(onError)) {}

void DispatchQueue::Report(std::string_view message) const {
    if (!onError_) return;
    try {
        onError_(message);
    } catch (...) {
        // The error box itself failed; there is nowhere left to report to.
    }
}

bool DispatchQueue::Enqueue(const std::shared_ptr<Job>& job) {
    if (closed_) return false;
    queue_.push_back(job);
    if (!wake_()) {
        queue_.pop_back();
        return false;
    }
    return true;
}

void DispatchQueue::RunOne() {
    std::shared_ptr<Job> job;
    {
        std::lock_guard guard(lock_);
        while (!closed_ && !queue_.empty() && !job) {
            job = std::move(queue_.front());
            queue_.pop_front();
            // A stopped Send may not have marked its job yet; it must not start all the same.
            if (job->phase == Phase::kAbandoned || (job->stop && job->stop->Requested())) job.reset();
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
        std::lock_guard guard(lock_);
        job->phase = Phase::kDone;
        // The sender alone holds what it rethrows, and frees it on its own thread.
        if (job->waited) job->error = std::move(error);
    }
    changed_.notify_all();
    if (error) {
        try {
            std::rethrow_exception(error);
        } catch (const std::exception& e) {
            Report(e.what());
        } catch (...) {
            Report("Unknown error");
        }
    }
}

void DispatchQueue::Close() {
    {
        std::lock_guard guard(lock_);
        closed_ = true;
        for (auto& job : queue_) job->phase = Phase::kAbandoned;
        queue_.clear();
    }
    changed_.notify_all();
}

void DispatchQueue::RequestStop(StopFlag& stop) {
    {
        // Under the lock: a Send between its check and its wait must not miss this.
        std::lock_guard guard(lock_);
        stop.requested_ = true;
    }
    changed_.notify_all();
}

bool DispatchQueue::Send(std::function<void()> fn, const StopFlag* stop) {
    if (!fn) return false;
    const auto stopped = [stop] { return stop && stop->Requested(); };
    if (onUiThread_()) {
        if (stopped()) return false;
        fn();
        return true;
    }
    auto job = std::make_shared<Job>();
    job->fn = std::move(fn);
    job->waited = true;
    job->stop = stop;
    std::unique_lock guard(lock_);
    if (stopped() || !Enqueue(job)) return false;
    changed_.wait(guard, [&] { return job->phase == Phase::kDone || closed_ || stopped(); });
    if (job->phase == Phase::kDone) {
        if (job->error) std::rethrow_exception(std::exchange(job->error, nullptr));
        return true;
    }
    if (job->phase == Phase::kQueued) job->phase = Phase::kAbandoned;
    return false;
}

bool DispatchQueue::Post(std::function<void()> fn) {
    if (!fn) return false;
    auto job = std::make_shared<Job>();
    job->fn = std::move(fn);
    std::lock_guard guard(lock_);
    return Enqueue(job);
}

}  // namespace kelbo::controls
