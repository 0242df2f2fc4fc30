// Edge detectors: Roberts cross, Laplace and the rotatable Sobel kernel.
// Each output pixel depends on source pixels only, so rows are walked here
// although the progress bar counts columns.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <numbers>
#include <vector>

#include "core/rounding.h"
#include "imaging/filters/filter_support.h"
#include "imaging/filters/filters.h"

namespace kelbo {
namespace {

using filter_support::AbsDiff;
using filter_support::ColumnProgress;

// 0 keeps a value, 255 turns it into 255 - value.
inline int InvertMask(bool inverted) { return inverted ? 255 : 0; }

// ---- Roberts ----------------------------------------------------------------

// The pixels right of the last column and below the last row do not exist;
// there the edge pixel stands in for them (x + 1 and y + 1 are clamped).
void RobertsRow(const std::uint8_t* row, const std::uint8_t* below, std::uint8_t* out, int width, int mask) {
    const int inner = 3 * (width - 1);
    for (int i = 0; i < inner; ++i) {
        const int d = AbsDiff(row[i], below[i + 3]) + AbsDiff(below[i], row[i + 3]);
        out[i] = static_cast<std::uint8_t>((d & 255) ^ mask);
    }
    for (int i = inner; i < 3 * width; ++i) {
        const int d = 2 * AbsDiff(row[i], below[i]);
        out[i] = static_cast<std::uint8_t>((d & 255) ^ mask);
    }
}

// ---- Laplace ----------------------------------------------------------------

constexpr int kNeighbourOffsets[8][2] = {{-1, 0},  {1, 0},  {0, -1}, {0, 1},
                                         {-1, -1}, {1, -1}, {-1, 1}, {1, 1}};  // {dx, dy}

// Edge pixels: only the neighbours inside the picture count.
void LaplacePixel(ConstPixelView source, int x, int y, int neighbours, int mask, std::uint8_t* out) {
    int sum[3] = {0, 0, 0};
    int n = 0;
    for (int k = 0; k < neighbours; ++k) {
        const int nx = x + kNeighbourOffsets[k][0];
        const int ny = y + kNeighbourOffsets[k][1];
        if (nx < 0 || ny < 0 || nx >= source.Width() || ny >= source.Height()) continue;
        const std::uint8_t* p = source.Row(ny) + 3 * nx;
        for (int c = 0; c < 3; ++c) sum[c] += p[c];
        ++n;
    }
    const std::uint8_t* centre = source.Row(y) + 3 * x;
    for (int c = 0; c < 3; ++c) {
        out[c] = static_cast<std::uint8_t>((std::abs(sum[c] - n * centre[c]) & 255) ^ mask);
    }
}

void LaplaceInteriorRow(const std::uint8_t* above, const std::uint8_t* row, const std::uint8_t* below,
                        std::uint8_t* out, int width, bool eight, int mask) {
    const int end = 3 * (width - 1);
    if (eight) {
        for (int i = 3; i < end; ++i) {
            const int sum = above[i - 3] + above[i] + above[i + 3] + row[i - 3] + row[i + 3] + below[i - 3] + below[i] +
                            below[i + 3];
            out[i] = static_cast<std::uint8_t>((std::abs(sum - 8 * row[i]) & 255) ^ mask);
        }
    } else {
        for (int i = 3; i < end; ++i) {
            const int sum = above[i] + row[i - 3] + row[i + 3] + below[i];
            out[i] = static_cast<std::uint8_t>((std::abs(sum - 4 * row[i]) & 255) ^ mask);
        }
    }
}

// ---- Sobel ------------------------------------------------------------------

// Sums stay within +-8 * 255, so 16 bits hold them (and double the lanes).
template <typename Sum>
void SobelFinish(const Sum* sums, const SobelOptions& options, std::uint8_t* out) {
    if (options.downOnly && !(sums[0] > 0 && sums[1] > 0 && sums[2] > 0)) {
        out[0] = out[1] = out[2] = 255;
        return;
    }
    const int mask = InvertMask(options.invert);
    for (int c = 0; c < 3; ++c) {
        out[c] = static_cast<std::uint8_t>(std::min(std::abs(sums[c]), 255) ^ mask);
    }
}

// Edge pixels: the kernel weights of the neighbours inside the picture.
void SobelPixel(ConstPixelView source, int x, int y, const SobelKernel& k, const SobelOptions& options,
                std::uint8_t* out) {
    int sums[3] = {0, 0, 0};
    for (int dy = -1; dy <= 1; ++dy) {
        const int ny = y + dy;
        if (ny < 0 || ny >= source.Height()) continue;
        for (int dx = -1; dx <= 1; ++dx) {
            const int nx = x + dx;
            if ((dx == 0 && dy == 0) || nx < 0 || nx >= source.Width()) continue;
            const int weight = k[static_cast<std::size_t>(dy + 1)][static_cast<std::size_t>(dx + 1)];
            const std::uint8_t* p = source.Row(ny) + 3 * nx;
            for (int c = 0; c < 3; ++c) sums[c] += weight * p[c];
        }
    }
    SobelFinish(sums, options, out);
}

// The sums of a whole row first (a loop without branches), then the
// per-pixel decision, which needs all three channels.
void SobelInteriorRow(const std::uint8_t* above, const std::uint8_t* row, const std::uint8_t* below, std::uint8_t* out,
                      int width, const SobelKernel& k, const SobelOptions& options, std::vector<std::int16_t>& sums) {
    const int k00 = k[0][0], k01 = k[0][1], k02 = k[0][2];
    const int k10 = k[1][0], k12 = k[1][2];
    const int k20 = k[2][0], k21 = k[2][1], k22 = k[2][2];
    const int end = 3 * (width - 1);
    std::int16_t* s = sums.data();
    for (int i = 3; i < end; ++i) {
        s[i] = static_cast<std::int16_t>(k00 * above[i - 3] + k01 * above[i] + k02 * above[i + 3] + k10 * row[i - 3] +
                                         k12 * row[i + 3] + k20 * below[i - 3] + k21 * below[i] + k22 * below[i + 3]);
    }
    if (options.downOnly) {
        for (int i = 3; i < end; i += 3) SobelFinish(s + i, options, out + i);
    } else {
        const int mask = InvertMask(options.invert);
        for (int i = 3; i < end; ++i) {
            out[i] = static_cast<std::uint8_t>(std::min(std::abs(s[i]), 255) ^ mask);
        }
    }
}

}  // namespace

void Roberts(ConstPixelView source, PixelView target, bool inverted, Progress* progress) {
    filter_support::CheckTarget(source, target);
    const int width = source.Width();
    const int height = source.Height();
    const ColumnProgress bar(progress, width, height);
    const int mask = InvertMask(inverted);
    for (int y = 0; y < height; ++y) {
        RobertsRow(source.Row(y), source.Row(std::min(y + 1, height - 1)), target.Row(y), width, mask);
        bar.RowDone(y);
    }
}

Bitmap24 Roberts(ConstPixelView source, bool inverted, Progress* progress) {
    Bitmap24 result(source.Width(), source.Height());
    Roberts(source, result.View(), inverted, progress);
    return result;
}

void Laplace(ConstPixelView source, PixelView target, LaplaceNeighbours neighbours, bool inverted, Progress* progress) {
    filter_support::CheckTarget(source, target);
    const int width = source.Width();
    const int height = source.Height();
    const ColumnProgress bar(progress, width, height);
    const int n = static_cast<int>(neighbours) == 8 ? 8 : 4;
    const int mask = InvertMask(inverted);
    for (int y = 0; y < height; ++y) {
        std::uint8_t* out = target.Row(y);
        if (y == 0 || y == height - 1 || width < 3) {
            for (int x = 0; x < width; ++x) LaplacePixel(source, x, y, n, mask, out + 3 * x);
        } else {
            LaplaceInteriorRow(source.Row(y - 1), source.Row(y), source.Row(y + 1), out, width, n == 8, mask);
            LaplacePixel(source, 0, y, n, mask, out);
            LaplacePixel(source, width - 1, y, n, mask, out + 3 * (width - 1));
        }
        bar.RowDone(y);
    }
}

Bitmap24 Laplace(ConstPixelView source, LaplaceNeighbours neighbours, bool inverted, Progress* progress) {
    Bitmap24 result(source.Width(), source.Height());
    Laplace(source, result.View(), neighbours, inverted, progress);
    return result;
}

// The entry at row i, column j (1..3) moves to row
// Round(cos t (i-2) - sin t (j-2)) + 2 and column Round(sin t (i-2) + cos t (j-2)) + 2.
// At odd multiples of 45 degrees a side entry lands on (+-0.707, +-0.707),
// which rounds to a corner, and a corner on (+-1.414, ~0), which rounds to a
// side: still a permutation, one place round the ring per step.
SobelKernel RotatedSobelKernel(int rotation) {
    constexpr SobelKernel kBase = {{{1, 0, -1}, {2, 0, -2}, {1, 0, -1}}};
    const int steps = std::clamp(rotation, 1, 8) - 1;
    const long double angle = steps * std::numbers::pi_v<long double> / 4;
    const long double c = std::cos(angle);
    const long double s = std::sin(angle);
    SobelKernel rotated{};
    for (int i = 1; i <= 3; ++i) {
        for (int j = 1; j <= 3; ++j) {
            const auto row = static_cast<std::size_t>(Round(c * (i - 2) - s * (j - 2)) + 1);
            const auto column = static_cast<std::size_t>(Round(s * (i - 2) + c * (j - 2)) + 1);
            rotated[row][column] = kBase[static_cast<std::size_t>(i - 1)][static_cast<std::size_t>(j - 1)];
        }
    }
    return rotated;
}

void Sobel(ConstPixelView source, PixelView target, const SobelOptions& options, Progress* progress) {
    filter_support::CheckTarget(source, target);
    const int width = source.Width();
    const int height = source.Height();
    const ColumnProgress bar(progress, width, height);
    const SobelKernel kernel = RotatedSobelKernel(options.rotation);
    std::vector<std::int16_t> sums(static_cast<std::size_t>(width) * 3);
    for (int y = 0; y < height; ++y) {
        std::uint8_t* out = target.Row(y);
        if (y == 0 || y == height - 1 || width < 3) {
            for (int x = 0; x < width; ++x) SobelPixel(source, x, y, kernel, options, out + 3 * x);
        } else {
            SobelInteriorRow(source.Row(y - 1), source.Row(y), source.Row(y + 1), out, width, kernel, options, sums);
            SobelPixel(source, 0, y, kernel, options, out);
            SobelPixel(source, width - 1, y, kernel, options, out + 3 * (width - 1));
        }
        bar.RowDone(y);
    }
}

Bitmap24 Sobel(ConstPixelView source, const SobelOptions& options, Progress* progress) {
    Bitmap24 result(source.Width(), source.Height());
    Sobel(source, result.View(), options, progress);
    return result;
}

}  // namespace kelbo
