// Helpers shared by the filter sources; not part of the public interface.
#pragma once

#include <algorithm>
#include <cstdint>
#include <cstdlib>

#include <stdexcept>

#include "core/bitmap24.h"
#include "core/progress.h"

namespace kelbo::filter_support {

// The edge detectors and noise filters report columns, as the program's
// canvas loops did, but walk rows here for speed (no output pixel is read
// back, so the order does not change the result). The bar still runs from 0
// to width - 1.
class ColumnProgress {
public:
    ColumnProgress(Progress* progress, int width, int height) noexcept
        : scope_(progress, width - 1), width_(width), height_(height) {}

    void RowDone(int y) const noexcept {
        const std::int64_t columns = static_cast<std::int64_t>(width_ - 1) * (y + 1) / height_;
        scope_.Set(static_cast<int>(columns));
    }

private:
    ProgressScope scope_;
    int width_;
    int height_;
};

// A filter writes a picture of the source's size, never over the source
// itself (it reads neighbours that it would already have overwritten).
inline void CheckTarget(ConstPixelView source, PixelView target) {
    if (target.Width() != source.Width() || target.Height() != source.Height()) {
        throw std::invalid_argument("a filter's target must have the source's size");
    }
    if (!source.Empty() && target.Row(0) == source.Row(0)) {
        throw std::invalid_argument("a filter cannot write over its source");
    }
}

// A byte subtraction's magnitude, kept in int so the loops vectorise.
inline int AbsDiff(int a, int b) { return std::abs(a - b); }

}  // namespace kelbo::filter_support
