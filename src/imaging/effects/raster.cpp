// The ellipse walks one quadrant's outline with an integer error term, the
// way the platform's own drawing does, and fills each row between the two
// mirrored outline points.
#include "imaging/effects/raster.h"

#include <algorithm>
#include <cstdint>
#include <stdexcept>
#include <utility>

namespace kelbo {
namespace {

void Order(int& low, int& high) {
    if (low > high) std::swap(low, high);
}

void FillSpan(PixelView picture, int y, int x0, int x1, Color color) {
    if (y < 0 || y >= picture.Height()) return;
    x0 = std::max(x0, 0);
    x1 = std::min(x1, picture.Width() - 1);
    std::uint8_t* p = picture.Row(y) + 3 * static_cast<std::ptrdiff_t>(x0);
    for (int x = x0; x <= x1; ++x, p += 3) {
        p[0] = BlueOf(color);
        p[1] = GreenOf(color);
        p[2] = RedOf(color);
    }
}

// ((255 − t)·c + t·under) / 255 per channel, halves to even.
void BlendSpan(PixelView picture, int y, int x0, int x1, Color color, int t) {
    if (y < 0 || y >= picture.Height()) return;
    x0 = std::max(x0, 0);
    x1 = std::min(x1, picture.Width() - 1);
    const int c[3] = {BlueOf(color), GreenOf(color), RedOf(color)};
    std::uint8_t* p = picture.Row(y) + 3 * static_cast<std::ptrdiff_t>(x0);
    for (int x = x0; x <= x1; ++x, p += 3) {
        for (int ch = 0; ch < 3; ++ch) {
            const int n = (255 - t) * c[ch] + t * p[ch];
            int q = n / 255;
            const int r = n - 255 * q;
            if (2 * r > 255 || (2 * r == 255 && (q & 1))) ++q;
            p[ch] = static_cast<std::uint8_t>(q);
        }
    }
}

void FillBox(PixelView picture, int left, int top, int right, int bottom, Color color) {
    for (int y = std::max(top, 0); y < std::min(bottom, picture.Height()); ++y)
        FillSpan(picture, y, left, right - 1, color);
}

// Nothing for a side of 0 or a single pixel; the whole box when `filled` says.
bool Degenerate(int width, int height) { return width == 0 || height == 0 || (width == 1 && height == 1); }

}  // namespace

void FillGdiRectangle(PixelView picture, int left, int top, int right, int bottom, Color color) {
    Order(left, right);
    Order(top, bottom);
    if (Degenerate(right - left, bottom - top)) return;
    FillBox(picture, left, top, right, bottom, color);
}

void FillGdiEllipse(PixelView picture, int left, int top, int right, int bottom, Color color) {
    Order(left, right);
    Order(top, bottom);
    const std::int64_t width = std::int64_t{right} - left;
    const std::int64_t height = std::int64_t{bottom} - top;
    if (width > 32767 || height > 32767) throw std::invalid_argument("FillGdiEllipse: the box is too large");
    if (Degenerate(static_cast<int>(width), static_cast<int>(height))) return;
    if (width <= 2 || height == 1) {
        FillBox(picture, left, top, right, bottom, color);
        return;
    }
    // Diameters between the outline's first and last pixels.
    const std::int64_t a = width - 1;
    const std::int64_t b = height - 1;
    const std::int64_t odd = b & 1;
    std::int64_t dx = 4 * (1 - a) * b * b;
    std::int64_t dy = 4 * (odd + 1) * a * a;
    std::int64_t err = dx + dy + odd * a * a;
    const std::int64_t stepX = 8 * b * b;
    const std::int64_t stepY = 8 * a * a;
    std::int64_t x0 = left;
    std::int64_t x1 = right - 1;
    std::int64_t lower = top + (b + 1) / 2;
    std::int64_t upper = lower - odd;
    do {
        FillSpan(picture, static_cast<int>(lower), static_cast<int>(x0), static_cast<int>(x1), color);
        FillSpan(picture, static_cast<int>(upper), static_cast<int>(x0), static_cast<int>(x1), color);
        const std::int64_t e2 = 2 * err;
        if (e2 <= dy) {
            ++lower;
            --upper;
            err += dy += stepY;
        }
        if (e2 >= dx) {
            ++x0;
            --x1;
            err += dx += stepX;
        }
    } while (x0 <= x1);
    // A flat ellipse's tips, left by the walk.
    while (lower - upper < b) {
        FillSpan(picture, static_cast<int>(lower++), static_cast<int>(x0 - 1), static_cast<int>(x1 + 1), color);
        FillSpan(picture, static_cast<int>(upper--), static_cast<int>(x0 - 1), static_cast<int>(x1 + 1), color);
    }
}

void DrawGdiLine(PixelView picture, Point from, Point to, Color color, int transparency) {
    if (transparency < 0 || transparency > 255)
        throw std::invalid_argument("DrawGdiLine: the transparency must lie in 0..255");
    const auto span = [&](int y, int x0, int x1) {
        if (transparency == 0) {
            FillSpan(picture, y, x0, x1, color);
        } else {
            BlendSpan(picture, y, x0, x1, color, transparency);
        }
    };
    if (from.y == to.y) {
        if (from.x == to.x) return;
        const int last = from.x < to.x ? to.x - 1 : to.x + 1;
        span(from.y, std::min(from.x, last), std::max(from.x, last));
    } else if (from.x == to.x) {
        const int low = from.y < to.y ? from.y : to.y + 1;
        const int high = from.y < to.y ? to.y - 1 : from.y;
        for (int y = std::max(low, 0); y <= std::min(high, picture.Height() - 1); ++y) span(y, from.x, from.x);
    } else {
        throw std::invalid_argument("DrawGdiLine: only horizontal and vertical lines are drawn");
    }
}

}  // namespace kelbo
