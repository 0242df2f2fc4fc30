// Noise removal: the frequency method smooths where the Roberts measure is
// strong; the spatial method replaces pixels far from the picture's mean
// brightness by their left neighbour in the result.
#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "core/luminance.h"
#include "imaging/filters/filter_support.h"
#include "imaging/filters/filters.h"

namespace kelbo {
namespace {

using filter_support::AbsDiff;
using filter_support::ColumnProgress;

// Whether the weighted measure 0.299 D_R + 0.587 D_G + 0.114 D_B, in long
// double as Luminance weighs channels, is above the limit. The products are
// tabulated (each is the same rounded long double the expression forms) and
// added in the same order. The measure never falls as D_B grows, so for
// every (D_R, D_G) the smallest D_B that passes the limit is found once and
// each pixel needs only an integer comparison.
class MeasureAbove {
public:
    explicit MeasureAbove(int limit) : firstBlue_(256 * 256) {
        std::array<long double, 256> red{}, green{}, blue{};
        for (int d = 0; d < 256; ++d) {
            red[d] = 0.299L * d;
            green[d] = 0.587L * d;
            blue[d] = 0.114L * d;
        }
        for (int dR = 0; dR < 256; ++dR) {
            for (int dG = 0; dG < 256; ++dG) {
                const long double partial = red[dR] + green[dG];
                // The first D_B in 0..256 (256: none) with partial + blue[D_B] > limit.
                int low = 0, high = 256;
                while (low < high) {
                    const int mid = (low + high) / 2;
                    if (partial + blue[mid] > limit) {
                        high = mid;
                    } else {
                        low = mid + 1;
                    }
                }
                firstBlue_[static_cast<std::size_t>(dR * 256 + dG)] = static_cast<std::uint16_t>(low);
            }
        }
    }
    bool operator()(int dR, int dG, int dB) const { return dB >= firstBlue_[static_cast<std::size_t>(dR * 256 + dG)]; }

private:
    std::vector<std::uint16_t> firstBlue_;
};

// P1 = (x, y), P2 = (x+1, y+1), P3 = (x, y+1), P4 = (x+1, y). Beyond the
// last column and row the edge pixel stands in (x + 1 and y + 1 clamped),
// as in the Roberts filter.
void FrequencyRow(const std::uint8_t* row, const std::uint8_t* below, std::uint8_t* out, int width,
                  const MeasureAbove& above) {
    for (int x = 0; x < width; ++x) {
        const int i = 3 * x;
        const int right = x + 1 < width ? i + 3 : i;
        const std::uint8_t* p1 = row + i;
        const std::uint8_t* p2 = below + right;
        const std::uint8_t* p3 = below + i;
        const std::uint8_t* p4 = row + right;
        int d[3];
        for (int c = 0; c < 3; ++c) d[c] = (AbsDiff(p1[c], p2[c]) + AbsDiff(p3[c], p4[c])) & 255;
        // Stored B, G, R.
        if (above(d[2], d[1], d[0])) {
            for (int c = 0; c < 3; ++c) {
                out[i + c] = static_cast<std::uint8_t>((p1[c] + p2[c] + p3[c] + p4[c]) / 4);
            }
        } else {
            std::copy(p1, p1 + 3, out + i);
        }
    }
}

constexpr int kBlock = 30;

// The mean colour from 30 x 30 blocks: each block's mean per channel (sum
// div count), then the mean of the block means. A block cut off by the
// right or bottom edge averages only its pixels inside the picture; dividing
// its partial sum by 900 would darken the estimate for no reason.
Color BlockMeanColour(ConstPixelView source) {
    const int width = source.Width();
    const int height = source.Height();
    const int columns = (width - 1) / kBlock + 1;
    const int rows = (height - 1) / kBlock + 1;
    std::vector<std::uint32_t> blockSums(static_cast<std::size_t>(columns) * 3);
    std::uint64_t totals[3] = {0, 0, 0};
    for (int by = 0; by < rows; ++by) {
        std::fill(blockSums.begin(), blockSums.end(), 0u);
        const int top = by * kBlock;
        const int bottom = std::min(top + kBlock, height);
        for (int y = top; y < bottom; ++y) {
            const std::uint8_t* p = source.Row(y);
            for (int x = 0; x < width; ++x, p += 3) {
                std::uint32_t* sums = blockSums.data() + 3 * (x / kBlock);
                for (int c = 0; c < 3; ++c) sums[c] += p[c];
            }
        }
        for (int bx = 0; bx < columns; ++bx) {
            const int left = bx * kBlock;
            const auto count = static_cast<std::uint32_t>((std::min(left + kBlock, width) - left) * (bottom - top));
            for (int c = 0; c < 3; ++c) totals[c] += blockSums[static_cast<std::size_t>(3 * bx + c)] / count;
        }
    }
    const auto blocks = static_cast<std::uint64_t>(columns) * static_cast<std::uint64_t>(rows);
    return Rgb(static_cast<std::uint8_t>(totals[2] / blocks), static_cast<std::uint8_t>(totals[1] / blocks),
               static_cast<std::uint8_t>(totals[0] / blocks));
}

// A replaced pixel takes the result's pixel to its left, which may itself be
// a replacement, so a run repeats the last pixel before it. Only that left
// neighbour in the same row is read back, so rows left to right give what
// the columns-outer order gives. A first-column pixel has no left neighbour
// and keeps its own colour.
void SpatialRow(const std::uint8_t* row, std::uint8_t* out, int width, int meanLuminance, int limit) {
    std::copy(row, row + 3, out);
    for (int x = 1; x < width; ++x) {
        const std::uint8_t* p = row + 3 * x;
        const int luminance = Luminance(p[2], p[1], p[0]);
        const std::uint8_t* from = std::abs(luminance - meanLuminance) > limit ? out + 3 * (x - 1) : p;
        std::copy(from, from + 3, out + 3 * x);
    }
}

}  // namespace

void RemoveNoise(ConstPixelView source, PixelView target, NoiseMethod method, int strength, Progress* progress) {
    filter_support::CheckTarget(source, target);
    const int width = source.Width();
    const int height = source.Height();
    const ColumnProgress bar(progress, width, height);
    if (source.Empty()) return;
    const int limit = 255 - std::clamp(strength, 0, 255);
    if (method == NoiseMethod::kFrequency) {
        const MeasureAbove above(limit);
        for (int y = 0; y < height; ++y) {
            FrequencyRow(source.Row(y), source.Row(std::min(y + 1, height - 1)), target.Row(y), width, above);
            bar.RowDone(y);
        }
    } else {
        const int mean = Luminance(BlockMeanColour(source));
        for (int y = 0; y < height; ++y) {
            SpatialRow(source.Row(y), target.Row(y), width, mean, limit);
            bar.RowDone(y);
        }
    }
}

Bitmap24 RemoveNoise(ConstPixelView source, NoiseMethod method, int strength, Progress* progress) {
    Bitmap24 result(source.Width(), source.Height());
    RemoveNoise(source, result.View(), method, strength, progress);
    return result;
}

}  // namespace kelbo
