// Progress for operations that walk rows: by rows, or as the share of
// columns that the rows done so far stand for.
#pragma once

#include <algorithm>
#include <cstdint>

#include "core/progress.h"

namespace kelbo {

class RowProgress {
public:
    RowProgress(Progress* progress, int height) : scope_(progress, std::max(height - 1, 0)) {}
    void RowDone(int y) const { scope_.Set(y); }

private:
    ProgressScope scope_;
};

// Column-counting operations walk rows too, because a pixel's result never
// depends on another pixel; the bar still runs from 0 to width - 1, in step
// with the work done.
class ColumnShareProgress {
public:
    ColumnShareProgress(Progress* progress, int width, int height)
        : scope_(progress, std::max(width - 1, 0)), width_(width), height_(height) {}
    void RowDone(int y) {
        const int position = static_cast<int>(std::int64_t{y + 1} * std::max(width_ - 1, 0) / std::max(height_, 1));
        if (position != last_) {
            scope_.Set(position);
            last_ = position;
        }
    }

private:
    ProgressScope scope_;
    int width_;
    int height_;
    int last_ = 0;
};

}  // namespace kelbo
