// Helpers shared by the geometry sources; not part of the public interface.
#pragma once

#include <algorithm>
#include <cstdint>
#include <limits>
#include <stdexcept>
#include <string>

#include "core/bitmap24.h"
#include "core/geometry.h"
#include "core/progress.h"
#include "imaging/geometry/transforms.h"

namespace kelbo::geometry_support {

// Widens a box by points, starting from nothing.
class Extents {
public:
    void Add(std::int64_t x, std::int64_t y) {
        left_ = std::min(left_, x);
        right_ = std::max(right_, x);
        top_ = std::min(top_, y);
        bottom_ = std::max(bottom_, y);
    }
    std::int64_t Right() const { return right_; }
    std::int64_t Bottom() const { return bottom_; }
    // Throws BitmapSizeError for a box that is empty or too large for a bitmap.
    ResultBox Box(const char* what) const {
        const std::int64_t width = right_ - left_;
        const std::int64_t height = bottom_ - top_;
        if (width < 1 || height < 1 || width > kMaxBitmapDimension || height > kMaxBitmapDimension) {
            throw BitmapSizeError(std::string(what) + ": the result would be " + std::to_string(width) + " x " +
                                  std::to_string(height) + " pixels; a picture has 1 to " +
                                  std::to_string(kMaxBitmapDimension) + " on each side");
        }
        return {left_, top_, {static_cast<int>(width), static_cast<int>(height)}};
    }

private:
    std::int64_t left_ = std::numeric_limits<std::int64_t>::max();
    std::int64_t top_ = std::numeric_limits<std::int64_t>::max();
    std::int64_t right_ = std::numeric_limits<std::int64_t>::min();
    std::int64_t bottom_ = std::numeric_limits<std::int64_t>::min();
};

inline void CheckTarget(ConstPixelView source, PixelView target, Size expected, const char* what) {
    if (target.Width() != expected.width || target.Height() != expected.height) {
        throw std::invalid_argument(std::string(what) + ": the target does not have the result's size");
    }
    if (!source.Empty() && !target.Empty() && target.Row(0) == source.Row(0)) {
        throw std::invalid_argument(std::string(what) + ": the target cannot be the source");
    }
}

// A band of a result of `expected` size, which must lie inside it.
inline void CheckBand(ConstPixelView source, RowBand band, Size expected, const char* what) {
    if (band.rows.Width() != expected.width || band.top < 0 || band.End() > expected.height) {
        throw std::invalid_argument(std::string(what) + ": the band does not lie in the result");
    }
    if (!source.Empty() && !band.rows.Empty() && band.rows.Row(0) == source.Row(0)) {
        throw std::invalid_argument(std::string(what) + ": the target cannot be the source");
    }
}

inline void PutColor(std::uint8_t* pixel, Color c) {
    pixel[0] = BlueOf(c);
    pixel[1] = GreenOf(c);
    pixel[2] = RedOf(c);
}

// Fills a target of `size` in bands of `band` columns from the left, each
// band from the top in chunks of `rows` rows: fill(first, end, top, bottom)
// does the columns first..end - 1 of the rows top..bottom - 1. Each band's
// last column is told as progress, with the columns left of it done.
template <typename Fill>
void InColumnBands(Size size, int band, int rows, const ProgressScope& shown, Fill fill) {
    for (int first = 0; first < size.width; first += band) {
        const int end = std::min(first + band, size.width);
        for (int top = 0; top < size.height; top += rows) fill(first, end, top, std::min(top + rows, size.height));
        shown.Set(end - 1);
    }
}

// Fills rows top..bottom - 1 of a target `width` wide in square tiles of
// `side`, a row of tiles at a time, so that the source reads of a turned or
// slanted picture stay near each other: fill(first, end, top, bottom) as in
// InColumnBands.
template <typename Fill>
void InTiles(int width, int top, int bottom, int side, Fill fill) {
    for (int tileTop = top; tileTop < bottom; tileTop += side) {
        const int tileBottom = std::min(tileTop + side, bottom);
        for (int first = 0; first < width; first += side)
            fill(first, std::min(first + side, width), tileTop, tileBottom);
    }
}

// The nearest integer to n / d (d > 0), halves to even, exactly.
inline std::int64_t RoundQuotient(std::int64_t n, std::int64_t d) {
    std::int64_t q = n / d;
    std::int64_t r = n - q * d;
    if (r < 0) {  // division truncates toward zero; the rule needs the floor
        --q;
        r += d;
    }
    if (2 * r > d || (2 * r == d && (q & 1) != 0)) ++q;
    return q;
}

// RoundQuotient for 0 <= n < 2^40 and a fixed d below 2^32, without an
// integer division: a double estimate of the quotient, off by at most one,
// is put right by the remainder.
class QuotientRounder {
public:
    explicit QuotientRounder(std::int64_t d) : d_(d), inverse_(1.0 / static_cast<double>(d)) {}
    std::int64_t operator()(std::int64_t n) const {
        std::int64_t q = static_cast<std::int64_t>(static_cast<double>(n) * inverse_);
        std::int64_t r = n - q * d_;
        if (r < 0) {
            --q;
            r += d_;
        } else if (r >= d_) {
            ++q;
            r -= d_;
        }
        if (2 * r > d_ || (2 * r == d_ && (q & 1) != 0)) ++q;
        return q;
    }

private:
    std::int64_t d_;
    double inverse_;
};

}  // namespace kelbo::geometry_support
