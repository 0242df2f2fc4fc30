#include "core/progress.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <vector>

namespace kelbo {
namespace {

class RecordingProgress : public Progress {
public:
    void SetMax(int max) noexcept override { calls.push_back(-1000 - max); }
    void SetPosition(int position) noexcept override { calls.push_back(position); }
    std::vector<int> calls;  // maxima recorded as -1000 - max
};

TEST(ProgressScope, SetsMaxThenPositionsThenZero) {
    RecordingProgress progress;
    {
        ProgressScope scope(&progress, 2);
        scope.Set(1);
        scope.Set(2);
    }
    EXPECT_EQ(progress.calls, (std::vector<int>{-1002, 1, 2, 0}));
}

TEST(ProgressScope, ResetsToZeroWhenTheOperationThrows) {
    RecordingProgress progress;
    try {
        ProgressScope scope(&progress, 10);
        scope.Set(3);
        throw std::runtime_error("operation failed");
    } catch (const std::runtime_error&) {
    }
    EXPECT_EQ(progress.calls, (std::vector<int>{-1010, 3, 0}));
}

TEST(ProgressScope, NullReporterDoesNothing) {
    ProgressScope scope(nullptr, 5);
    scope.Set(4);
    SUCCEED();
}

}  // namespace
}  // namespace kelbo
