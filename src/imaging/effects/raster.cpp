// The ellipse walks one quadrant's outline with an integer error term, the
// way the platform's own drawing does, and fills each row between the two
// mirrored outline points.
#include "imaging/effects/raster.h"

#include <algorithm>
#include <cstdint>
#include <stdexcept>
#include <utility>
#include <vector>

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

namespace {

// The ellipse of a box already in order, `span(y, x0, x1)` for each run of
// pixels, a row possibly more than once.
template <typename Span>
void WalkEllipse(std::int64_t left, std::int64_t top, std::int64_t right, std::int64_t bottom, Span span) {
    const std::int64_t width = right - left;
    const std::int64_t height = bottom - top;
    if (Degenerate(static_cast<int>(width), static_cast<int>(height))) return;
    if (width <= 2 || height == 1) {
        for (std::int64_t y = top; y < bottom; ++y) span(y, left, right - 1);
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
        span(lower, x0, x1);
        span(upper, x0, x1);
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
        span(lower++, x0 - 1, x1 + 1);
        span(upper--, x0 - 1, x1 + 1);
    }
}

// The dots of the effects are a few pixels across and drawn millions of
// times: their rows are walked once per box size and kept.
constexpr int kCachedSide = 64;

struct RowRun {
    std::int16_t first = 0, last = -1;  // columns from the box's left; last < first: nothing
};

class EllipseShapes {
public:
    EllipseShapes() : runs_(static_cast<std::size_t>(kCachedSide + 1) * (kCachedSide + 1) * kCachedSide) {
        for (int w = 0; w <= kCachedSide; ++w) {
            for (int h = 0; h <= kCachedSide; ++h) {
                RowRun* rows = Rows(w, h);
                WalkEllipse(0, 0, w, h, [rows](std::int64_t y, std::int64_t x0, std::int64_t x1) {
                    RowRun& run = rows[y];
                    if (run.last < run.first) {
                        run = {static_cast<std::int16_t>(x0), static_cast<std::int16_t>(x1)};
                    } else {
                        run.first = static_cast<std::int16_t>(std::min<std::int64_t>(run.first, x0));
                        run.last = static_cast<std::int16_t>(std::max<std::int64_t>(run.last, x1));
                    }
                });
            }
        }
    }
    const RowRun* Rows(int w, int h) const {
        return &runs_[(static_cast<std::size_t>(w) * (kCachedSide + 1) + h) * kCachedSide];
    }

private:
    RowRun* Rows(int w, int h) { return &runs_[(static_cast<std::size_t>(w) * (kCachedSide + 1) + h) * kCachedSide]; }
    std::vector<RowRun> runs_;
};

}  // namespace

void FillGdiEllipse(PixelView picture, int left, int top, int right, int bottom, Color color) {
    Order(left, right);
    Order(top, bottom);
    const std::int64_t width = std::int64_t{right} - left;
    const std::int64_t height = std::int64_t{bottom} - top;
    if (width > 32767 || height > 32767) throw std::invalid_argument("FillGdiEllipse: the box is too large");
    if (width <= kCachedSide && height <= kCachedSide) {
        static const EllipseShapes shapes;
        const RowRun* rows = shapes.Rows(static_cast<int>(width), static_cast<int>(height));
        for (int y = 0; y < height; ++y) {
            if (rows[y].last >= rows[y].first)
                FillSpan(picture, top + y, left + rows[y].first, left + rows[y].last, color);
        }
        return;
    }
    WalkEllipse(left, top, right, bottom, [&](std::int64_t y, std::int64_t x0, std::int64_t x1) {
        FillSpan(picture, static_cast<int>(y), static_cast<int>(x0), static_cast<int>(x1), color);
    });
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
