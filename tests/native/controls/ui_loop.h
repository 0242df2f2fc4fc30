// A std::thread as the user-interface thread: one RunOne of its queue per
// wake-up. Waits are bounded so that a lost wake-up fails instead of hanging.
#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <string>
#include <thread>

#include "controls/threads/dispatch_queue.h"

namespace kelbo::controls::testing {

class UiLoop {
public:
    UiLoop() : thread_([this] { Loop(); }) {
        Await([&] { return started_; });
    }
    ~UiLoop() {
        Change([&] { quit_ = true; });
        thread_.join();
    }

    // Waits until `done` holds, looked at after every wake-up and every job.
    bool Await(const std::function<bool()>& done) {
        std::unique_lock guard(lock_);
        return changed_.wait_for(guard, std::chrono::seconds(10), done);
    }
    bool AwaitIdle() {
        return Await([&] { return pending_ == 0 && !busy_; });
    }
    bool OnUiThread() const { return std::this_thread::get_id() == id_; }

    DispatchQueue queue{[this] { return !refuseWakes && (Change([&] { ++pending_, ++wakes; }), true); },
                        [this] { return OnUiThread(); },
                        [this](std::string_view message) { errors += std::string(message) + ";"; }};
    std::string errors;  // the user-interface thread's; read when idle
    std::atomic<int> wakes{0};
    std::atomic<bool> refuseWakes{false};

private:
    void Change(const std::function<void()>& change) {
        std::lock_guard guard(lock_);
        change();
        changed_.notify_all();
    }
    void Loop() {
        Change([&] { id_ = std::this_thread::get_id(), started_ = true; });
        std::unique_lock guard(lock_);
        while (changed_.wait(guard, [&] { return pending_ > 0 || quit_; }), pending_ > 0) {
            --pending_, busy_ = true;
            guard.unlock();
            queue.RunOne();
            guard.lock();
            busy_ = false;
            changed_.notify_all();
        }
    }

    std::mutex lock_;
    std::condition_variable changed_;
    std::thread::id id_;
    bool started_ = false, quit_ = false, busy_ = false;
    int pending_ = 0;
    std::thread thread_;  // last: starts once the fields above exist
};

}  // namespace kelbo::controls::testing
