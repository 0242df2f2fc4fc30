// Averaging and Gaussian smoothing: both read the source rows and write a
// separate picture, so the source stays intact while the result grows.
#include <algorithm>
#include <cstdint>
#include <vector>

#include "imaging/filters/filters.h"
#include "imaging/filters/filter_support.h"

namespace kelbo {
namespace {

// Division by a fixed count through one multiplication. Exact for
// dividends up to 255 * d and d below 2^17: the reciprocal's error of at
// most 2^-44 per unit adds less than 255 * d^2 / 2^44 < 1/d to the quotient,
// which never carries it past the next whole number.
class CountDivider {
public:
    explicit CountDivider(std::uint32_t d) : multiplier_((std::uint64_t{1} << kShift) / d + 1) {}
    std::uint32_t operator()(std::uint32_t sum) const {
        return static_cast<std::uint32_t>((sum * multiplier_) >> kShift);
    }

private:
    static constexpr int kShift = 44;
    std::uint64_t multiplier_;
};

void AverageRow(const std::uint8_t* in, std::uint8_t* out, int width, int radius) {
    // Running sums over the clipped window; the window of column x is
    // max(0, x - r) .. min(width - 1, x + r).
    std::uint32_t sumB = 0, sumG = 0, sumR = 0;
    for (int x = 0; x <= radius; ++x) {
        sumB += in[3 * x];
        sumG += in[3 * x + 1];
        sumR += in[3 * x + 2];
    }
    const int full = 2 * radius + 1;
    const CountDivider divideFull(static_cast<std::uint32_t>(full));
    for (int x = 0; x < width; ++x) {
        const int first = std::max(0, x - radius);
        const int last = std::min(width - 1, x + radius);
        const int count = last - first + 1;
        std::uint8_t* p = out + 3 * x;
        if (count == full) {
            p[0] = static_cast<std::uint8_t>(divideFull(sumB));
            p[1] = static_cast<std::uint8_t>(divideFull(sumG));
            p[2] = static_cast<std::uint8_t>(divideFull(sumR));
        } else {
            const auto n = static_cast<std::uint32_t>(count);
            p[0] = static_cast<std::uint8_t>(sumB / n);
            p[1] = static_cast<std::uint8_t>(sumG / n);
            p[2] = static_cast<std::uint8_t>(sumR / n);
        }
        if (x - radius >= 0) {
            const std::uint8_t* leaving = in + 3 * (x - radius);
            sumB -= leaving[0];
            sumG -= leaving[1];
            sumR -= leaving[2];
        }
        if (x + radius + 1 < width) {
            const std::uint8_t* entering = in + 3 * (x + radius + 1);
            sumB += entering[0];
            sumG += entering[1];
            sumR += entering[2];
        }
    }
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
    for (int y = 0; y < source.Height(); ++y) {
        AverageRow(source.Row(y), target.Row(y), width, r);
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
