#include "imaging/colour/histogram.h"

#include <algorithm>
#include <vector>

#include "core/luminance.h"
#include "core/rounding.h"
#include "imaging/colour/progress_steps.h"

namespace kelbo {
namespace {

// The table of output levels. Level L's pixels hold the places
// below(L) .. below(L) + count(L) - 1 of the N pixels sorted by luminance.
// An equalized picture gives every output level N / 255 of those places, so
// L goes to the level of its middle place:
//   n(L) = floor((below(L) + count(L) / 2) / (N / 255))
//        = (2 below(L) + count(L)) * 255 div (2 N),
// which stays below 255. The per-level target is kept as the fraction N / 255
// rather than N div 255: the whole-number target is 0 below 255 pixels and
// leaves small pictures dark, while for large ones both agree within a
// level. Crowded levels are pulled apart, sparse ones drawn together, and
// the table never decreases, so the order of brightness is kept.
std::array<int, 256> OutputLevels(const LevelCounts& counts, std::uint64_t pixels) {
    std::array<int, 256> table{};
    if (pixels == 0) return table;
    std::uint64_t below = 0;
    for (int l = 0; l < 256; ++l) {
        table[l] = static_cast<int>((2 * below + counts[l]) * 255 / (2 * pixels));
        below += counts[l];
    }
    return table;
}

// Round(value * n / l) exactly, halves to the even neighbour, at most 255.
std::uint8_t ScaledChannel(int value, int n, int l) {
    const int product = value * n;
    int q = product / l;
    const int twiceRest = 2 * (product % l);
    if (twiceRest > l || (twiceRest == l && (q & 1) != 0)) ++q;
    return static_cast<std::uint8_t>(std::min(q, 255));
}

}  // namespace

ChannelHistogram CountChannels(ConstPixelView picture, Progress* progress) {
    ChannelHistogram histogram;
    RowProgress steps(progress, picture.Height());
    for (int y = 0; y < picture.Height(); ++y) {
        const std::uint8_t* p = picture.Row(y);
        for (int x = 0; x < picture.Width(); ++x, p += 3) {
            ++histogram.blue[p[0]];
            ++histogram.green[p[1]];
            ++histogram.red[p[2]];
        }
        steps.RowDone(y);
    }
    return histogram;
}

LevelCounts CountLuminance(ConstPixelView picture) {
    // Four tables in turn, so runs of one level do not wait on one counter.
    std::array<LevelCounts, 4> partial{};
    std::vector<std::uint8_t> luminance(static_cast<std::size_t>(picture.Width()));
    for (int y = 0; y < picture.Height(); ++y) {
        LuminanceRow(picture.Row(y), picture.Width(), luminance.data());
        int x = 0;
        for (; x + 4 <= picture.Width(); x += 4) {
            ++partial[0][luminance[x]];
            ++partial[1][luminance[x + 1]];
            ++partial[2][luminance[x + 2]];
            ++partial[3][luminance[x + 3]];
        }
        for (; x < picture.Width(); ++x) ++partial[0][luminance[x]];
    }
    LevelCounts counts{};
    for (int l = 0; l < 256; ++l) counts[l] = partial[0][l] + partial[1][l] + partial[2][l] + partial[3][l];
    return counts;
}

std::array<int, 256> HistogramCurve(const LevelCounts& counts, std::uint32_t largest) {
    std::array<int, 256> curve;
    curve.fill(142);
    if (largest == 0) return curve;
    // The scale first, then its product with each count: the order decides
    // where exact halves fall.
    const long double scale = 142.0L / largest;
    for (int i = 0; i < 256; ++i) curve[i] = 142 - static_cast<int>(Round(scale * counts[i]));
    return curve;
}

std::uint32_t LargestCount(const ChannelHistogram& histogram) {
    std::uint32_t largest = 0;
    for (const LevelCounts* counts : {&histogram.red, &histogram.green, &histogram.blue}) {
        largest = std::max(largest, *std::max_element(counts->begin(), counts->end()));
    }
    return largest;
}

// Each pixel changes by its own luminance only, so rows give what columns
// through the canvas give.
void Equalize(PixelView picture, Progress* progress) {
    const LevelCounts counts = CountLuminance(picture);
    std::array<int, 256> table = OutputLevels(counts, std::uint64_t(picture.Width()) * std::uint64_t(picture.Height()));
    // A level that maps to 0 is raised to 1, except black: no factor lifts
    // (0, 0, 0), so luminance 0 becomes the grey of its level instead.
    for (int l = 1; l < 256; ++l) table[l] = std::max(table[l], 1);
    // Every channel value at every luminance: 64 KiB, cheaper than three
    // divisions per pixel.
    std::vector<std::uint8_t> scaled(256 * 256);
    for (int l = 0; l < 256; ++l) {
        for (int v = 0; v < 256; ++v) {
            scaled[l * 256 + v] = l == 0 ? static_cast<std::uint8_t>(table[0]) : ScaledChannel(v, table[l], l);
        }
    }
    ColumnShareProgress steps(progress, picture.Width(), picture.Height());
    std::vector<std::uint8_t> luminance(static_cast<std::size_t>(picture.Width()));
    for (int y = 0; y < picture.Height(); ++y) {
        std::uint8_t* p = picture.Row(y);
        LuminanceRow(p, picture.Width(), luminance.data());
        for (int x = 0; x < picture.Width(); ++x, p += 3) {
            const std::uint8_t* factor = scaled.data() + 256 * luminance[x];
            p[0] = factor[p[0]];
            p[1] = factor[p[1]];
            p[2] = factor[p[2]];
        }
        steps.RowDone(y);
    }
}

}  // namespace kelbo
