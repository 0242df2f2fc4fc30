#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>

#include "core/bitmap24.h"
#include "core/progress.h"
#include "core/result.h"

namespace kelbo {

// One colour table entry as the pixels store it: blue, green, red.
struct BmpBgr {
    std::uint8_t b = 0, g = 0, r = 0;
};
using BmpColorLookup = std::array<BmpBgr, 256>;

// Decodes BI_RLE8 (`bits` 8) or BI_RLE4 (`bits` 4) data into `out`, whose rows
// the data fills from the bottom. Pixels the data never reaches are left as
// they are. Runs that pass the right edge lose the pixels beyond it; a delta
// or end of line above the top row ends the picture. Data that stops before
// the top row is kTruncated; stopping within the top row ends the picture,
// since some writers leave out the final end-of-bitmap mark.
std::optional<Failure> DecodeBmpRle(std::span<const std::uint8_t> data, int bits, const BmpColorLookup& colors,
                                    PixelView out, const ProgressScope& progress);

}  // namespace kelbo
