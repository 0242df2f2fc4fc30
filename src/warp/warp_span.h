// One row piece of a target triangle: the pixel's coordinates in the
// triangle's basis, its source position, and the sample or white. The SIMD
// forms run several pixels through the very same IEEE operations as the
// plain one, so every form gives the same bytes.
#pragma once

#include <cstdint>

#include "core/bitmap24.h"

namespace kelbo::warp_detail {

struct SpanMap {
    double dyE1x;  // dy · e1.x, a whole number
    double e1y, e2x, det, ex;
    double f1x, f1y, f2x, f2y;
    double sax, say;
    double ax;  // Ta.x
    double width, height;
};

// Pixels from .. to (inclusive) of `row`.
void FillSpanPlain(const SpanMap& map, ConstPixelView clean, std::uint8_t* row, int from, int to);
void FillSpanSse2(const SpanMap& map, ConstPixelView clean, std::uint8_t* row, int from, int to);
void FillSpanAvx2(const SpanMap& map, ConstPixelView clean, std::uint8_t* row, int from, int to);

// The fastest form this processor runs.
using FillSpanFunction = void (*)(const SpanMap&, ConstPixelView, std::uint8_t*, int, int);
FillSpanFunction BestFillSpan();

}  // namespace kelbo::warp_detail
