// Averaging and Gaussian smoothing: both read the source rows and write a
// separate picture, so the source stays intact while the result grows.
#include <algorithm>
#include <cstdint>
#include <vector>

#include "imaging/filters/filters.h"
#include "imaging/filters/filter_support.h"

namespace kelbo {
namespace {

// floor(d / n) as (d * m) >> 16 for every window sum d up to 255 n, when
// that is exact (checked once; n up to 257, whose sums fit 16 bits): a
// multiplication the compiler does on many bytes at once.
class ShortDivider {
public:
    explicit ShortDivider(std::uint32_t n) {
        if (n < 2 || n > 257) return;
        multiplier_ = (65536 + n - 1) / n;
        for (std::uint32_t d = 0; d <= 255 * n; ++d) {
            if ((d * multiplier_) >> 16 != d / n) {
                multiplier_ = 0;
                return;
            }
        }
    }
    bool Exact() const { return multiplier_ != 0; }
    std::uint32_t Multiplier() const { return multiplier_; }

private:
    std::uint32_t multiplier_ = 0;
};

// Through sums of each channel from the row's start: prefix[3 (x + 1) + c]
// holds channel c of pixels 0 .. x, so a window's sum is one difference.
// The window of column x is max(0, x - r) .. min(width - 1, x + r).
void AverageRow(const std::uint8_t* in, std::uint8_t* out, int width, int radius, const ShortDivider& fast,
                std::vector<std::uint32_t>& prefix) {
    const std::size_t bytes = 3 * static_cast<std::size_t>(width);
    prefix.resize(bytes + 3);
    prefix[0] = prefix[1] = prefix[2] = 0;
    for (std::size_t k = 0; k < bytes; ++k) prefix[k + 3] = prefix[k] + in[k];
    const std::uint32_t* p = prefix.data();
    const auto clipped = [&](int x) {
        const int first = std::max(0, x - radius);
        const int last = std::min(width - 1, x + radius);
        const auto n = static_cast<std::uint32_t>(last - first + 1);
        for (int c = 0; c < 3; ++c) {
            out[3 * x + c] = static_cast<std::uint8_t>((p[3 * (last + 1) + c] - p[3 * first + c]) / n);
        }
    };
    const int interiorEnd = std::max(radius, width - radius);  // columns [radius, width - radius) see a full window
    for (int x = 0; x < std::min(radius, width); ++x) clipped(x);
    const std::size_t lead = 3 * static_cast<std::size_t>(radius) + 3, back = 3 * static_cast<std::size_t>(radius);
    const std::size_t firstByte = 3 * static_cast<std::size_t>(radius);
    const std::size_t endByte = 3 * static_cast<std::size_t>(interiorEnd);
    if (fast.Exact()) {
        const std::uint32_t m = fast.Multiplier();
        for (std::size_t k = firstByte; k < endByte; ++k) {
            out[k] = static_cast<std::uint8_t>(((p[k + lead] - p[k - back]) * m) >> 16);
        }
    } else {
        const auto n = static_cast<std::uint32_t>(2 * radius + 1);
        for (std::size_t k = firstByte; k < endByte; ++k) {
            out[k] = static_cast<std::uint8_t>((p[k + lead] - p[k - back]) / n);
        }
    }
    for (int x = std::max(radius, interiorEnd); x < width; ++x) clipped(x);
}

// Sixteenths to a whole value, exact halves to even: adding 7 for an even
// quotient and 8 for an odd one carries exactly when the remainder is above
// 8, or equal to 8 with an odd quotient.
inline std::uint8_t RoundSixteenths(unsigned sum) {
    return static_cast<std::uint8_t>((sum + 7 + ((sum >> 4) & 1)) >> 4);
}

// The weights 1/16, 1/8 and the centre's remainder are all multiples of
// 1/16, so the floating-point weighted sum is exactly (integer sum) / 16 and
// rounding it equals RoundSixteenths of the integer sum, edges included.
void GaussianPixel(ConstPixelView source, int x, int y, std::uint8_t* out) {
    unsigned sum[3] = {0, 0, 0};
    unsigned centreWeight = 16;
    for (int dy = -1; dy <= 1; ++dy) {
        const int ny = y + dy;
        if (ny < 0 || ny >= source.Height()) continue;
        const std::uint8_t* row = source.Row(ny);
        for (int dx = -1; dx <= 1; ++dx) {
            const int nx = x + dx;
            if ((dx == 0 && dy == 0) || nx < 0 || nx >= source.Width()) continue;
            const unsigned weight = (dx == 0 || dy == 0) ? 2 : 1;
            centreWeight -= weight;
            for (int c = 0; c < 3; ++c) sum[c] += weight * row[3 * nx + c];
        }
    }
    const std::uint8_t* centre = source.Row(y) + 3 * x;
    for (int c = 0; c < 3; ++c) out[c] = RoundSixteenths(sum[c] + centreWeight * centre[c]);
}

// 1 2 1 / 2 4 2 / 1 2 1 done as a vertical then a horizontal 1 2 1 pass.
void GaussianInteriorRow(const std::uint8_t* above, const std::uint8_t* row, const std::uint8_t* below,
                         std::uint8_t* out, int width, std::vector<std::uint16_t>& vertical) {
    const int bytes = 3 * width;
    std::uint16_t* v = vertical.data();
    for (int i = 0; i < bytes; ++i) {
        v[i] = static_cast<std::uint16_t>(above[i] + 2 * row[i] + below[i]);
    }
    for (int i = 3; i < bytes - 3; ++i) {
        out[i] = RoundSixteenths(static_cast<unsigned>(v[i - 3] + 2 * v[i] + v[i + 3]));
    }
}

}  // namespace

void Average(ConstPixelView source, PixelView target, int radius, Progress* progress) {
    filter_support::CheckTarget(source, target);
    const ProgressScope scope(progress, source.Height() - 1);
    if (radius <= 0 || source.Empty()) return CopyPixels(target, source);
    const int width = source.Width();
    // Beyond width - 1 every window is the whole row already.
    const int r = std::min(radius, width - 1);
    const ShortDivider fast(static_cast<std::uint32_t>(2 * r + 1));
    std::vector<std::uint32_t> prefix;
    for (int y = 0; y < source.Height(); ++y) {
        AverageRow(source.Row(y), target.Row(y), width, r, fast, prefix);
        scope.Set(y);
    }
}

Bitmap24 Average(ConstPixelView source, int radius, Progress* progress) {
    Bitmap24 result(source.Width(), source.Height());
    Average(source, result.View(), radius, progress);
    return result;
}

Bitmap24 GaussianSmooth(ConstPixelView source, Progress* progress) {
    Bitmap24 result(source.Width(), source.Height());
    GaussianSmooth(source, result.View(), progress);
    return result;
}

void GaussianSmooth(ConstPixelView source, PixelView target, Progress* progress) {
    filter_support::CheckTarget(source, target);
    const ProgressScope scope(progress, source.Height() - 1);
    const int width = source.Width();
    const int height = source.Height();
    std::vector<std::uint16_t> vertical(static_cast<std::size_t>(width) * 3);
    for (int y = 0; y < height; ++y) {
        std::uint8_t* out = target.Row(y);
        if (y == 0 || y == height - 1 || width < 3) {
            for (int x = 0; x < width; ++x) GaussianPixel(source, x, y, out + 3 * x);
        } else {
            GaussianInteriorRow(source.Row(y - 1), source.Row(y), source.Row(y + 1), out, width, vertical);
            GaussianPixel(source, 0, y, out);
            GaussianPixel(source, width - 1, y, out + 3 * (width - 1));
        }
        scope.Set(y);
    }
}

}  // namespace kelbo
