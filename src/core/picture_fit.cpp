#include "core/picture_fit.h"

#include <algorithm>
#include <cstdint>
#include <vector>

namespace kelbo {

FitSize FitWithin(int width, int height, int boxWidth, int boxHeight) {
    if (width <= 0 || height <= 0 || boxWidth <= 0 || boxHeight <= 0) return {};
    if (width <= boxWidth && height <= boxHeight) return {width, height};
    const std::int64_t w = width, h = height, bw = boxWidth, bh = boxHeight;
    // The side that meets the box first takes the box's length; the other is
    // scaled by the same factor and rounded, halves up.
    if (w * bh >= h * bw) {
        return {boxWidth, static_cast<int>(std::max<std::int64_t>((2 * h * bw + w) / (2 * w), 1))};
    }
    return {static_cast<int>(std::max<std::int64_t>((2 * w * bh + h) / (2 * h), 1)), boxHeight};
}

Bitmap24 ReduceToFit(ConstPixelView source, int boxWidth, int boxHeight) {
    const FitSize fit = FitWithin(source.Width(), source.Height(), boxWidth, boxHeight);
    Bitmap24 out(fit.width, fit.height);
    if (out.Empty()) return out;
    if (fit.width == source.Width() && fit.height == source.Height()) {
        CopyPixels(out.View(), source);
        return out;
    }
    const std::int64_t sw = source.Width(), sh = source.Height();
    // Target column i averages source columns first[i] .. first[i + 1] - 1;
    // the target is never wider than the source, so no span is empty.
    std::vector<int> first(static_cast<std::size_t>(fit.width) + 1);
    for (int i = 0; i <= fit.width; ++i) first[i] = static_cast<int>(i * sw / fit.width);
    // A span can hold every source pixel, up to 65535 x 65535 of them.
    std::vector<std::uint64_t> sums(3 * static_cast<std::size_t>(fit.width));
    for (int j = 0; j < fit.height; ++j) {
        const int y0 = static_cast<int>(j * sh / fit.height);
        const int y1 = static_cast<int>((j + 1) * sh / fit.height);
        std::fill(sums.begin(), sums.end(), 0);
        for (int y = y0; y < y1; ++y) {
            const std::uint8_t* row = source.Row(y);
            for (int i = 0; i < fit.width; ++i) {
                std::uint64_t b = 0, g = 0, r = 0;
                for (const std::uint8_t* p = row + 3 * first[i]; p < row + 3 * first[i + 1]; p += 3) {
                    b += p[0];
                    g += p[1];
                    r += p[2];
                }
                sums[3 * i] += b;
                sums[3 * i + 1] += g;
                sums[3 * i + 2] += r;
            }
        }
        std::uint8_t* to = out.Row(j);
        for (int i = 0; i < fit.width; ++i) {
            const std::uint64_t count = static_cast<std::uint64_t>(first[i + 1] - first[i]) * (y1 - y0);
            for (int c = 0; c < 3; ++c)
                to[3 * i + c] = static_cast<std::uint8_t>((sums[3 * i + c] + count / 2) / count);
        }
    }
    return out;
}

}  // namespace kelbo
