// Fitting a picture into a box for previews: the size that keeps its
// proportions, and the reduction to it.
#pragma once

#include "core/bitmap24.h"

namespace kelbo {

struct FitSize {
    int width = 0;
    int height = 0;
    bool operator==(const FitSize&) const = default;
};

// The largest size with the proportions of width x height (to the nearest
// pixel, at least 1 x 1) that fits in the box; a picture that already fits
// keeps its size. Empty for an empty picture or box.
FitSize FitWithin(int width, int height, int boxWidth, int boxHeight);

// `source` reduced to FitWithin(its size, box): each pixel the average of
// the source pixels it covers, so fine detail blends instead of flickering
// in and out. A source that fits is copied unchanged.
Bitmap24 ReduceToFit(ConstPixelView source, int boxWidth, int boxHeight);

}  // namespace kelbo
