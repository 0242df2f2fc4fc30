// Sharing work among threads with results that do not depend on how many.
#pragma once

#include <functional>

namespace kelbo {

// Runs work(0) .. work(threads - 1) at once, work(0) on the calling thread,
// and returns when all have finished, rethrowing the failure of the lowest
// index that failed. threads < 1 counts as 1.
void RunOnThreads(int threads, const std::function<void(int index)>& work);

// Splits 0 .. count - 1 into min(threads, count) nearly equal bands and runs
// work(first, end) for each band on its own thread, as RunOnThreads does.
void InParallelBands(int count, int threads, const std::function<void(int first, int end)>& work);

}  // namespace kelbo
