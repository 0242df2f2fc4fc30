#include "core/parallel.h"

#include <algorithm>
#include <cstdint>
#include <exception>
#include <thread>
#include <vector>

namespace kelbo {

void RunOnThreads(int threads, const std::function<void(int index)>& work) {
    threads = std::max(threads, 1);
    if (threads == 1) return work(0);
    std::vector<std::exception_ptr> failures(static_cast<std::size_t>(threads));
    const auto guarded = [&](int index) {
        try {
            work(index);
        } catch (...) {
            failures[static_cast<std::size_t>(index)] = std::current_exception();
        }
    };
    std::vector<std::thread> pool;
    pool.reserve(static_cast<std::size_t>(threads - 1));
    for (int i = 1; i < threads; ++i) pool.emplace_back(guarded, i);
    guarded(0);
    for (std::thread& t : pool) t.join();
    for (const std::exception_ptr& failure : failures) {
        if (failure) std::rethrow_exception(failure);
    }
}

void InParallelBands(int count, int threads, const std::function<void(int first, int end)>& work) {
    if (count <= 0) return;
    const int bands = std::clamp(threads, 1, count);
    RunOnThreads(bands, [&](int index) {
        const auto edge = [&](int i) { return static_cast<int>(std::int64_t{count} * i / bands); };
        work(edge(index), edge(index + 1));
    });
}

}  // namespace kelbo
