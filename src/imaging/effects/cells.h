// The cell grid and the target check the effects share; not part of the public interface.
#pragma once

#include <algorithm>
#include <cstdint>
#include <deque>
#include <functional>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "core/bitmap24.h"
#include "core/color.h"

namespace kelbo::effect_cells {

// The effects that make a new picture write into a target of the source's
// size that is not the source itself (std::invalid_argument).
inline void CheckCopyTarget(ConstPixelView source, PixelView target, const char* what) {
    if (target.Width() != source.Width() || target.Height() != source.Height())
        throw std::invalid_argument(std::string(what) + ": the target does not have the picture's size");
    if (!source.Empty() && target.Row(0) == source.Row(0))
        throw std::invalid_argument(std::string(what) + ": the target cannot be the source");
}

// The two-picture form of an effect that draws over the picture itself: the
// source copied to the checked target, then drawn over there.
template <typename DrawOver>
void DrawOverACopy(ConstPixelView source, PixelView target, const char* what, DrawOver drawOver) {
    CheckCopyTarget(source, target, what);
    CopyPixels(target, source);
    drawOver(target);
}

// Columns x0 … x1 − 1 and rows y0 … y1 − 1.
struct Cell {
    int x0 = 0, y0 = 0, x1 = 0, y1 = 0;
};

// ((extent − 1) div size + 1) cells of `size` along an extent.
inline int CellCount(int extent, int size) { return extent <= 0 ? 0 : (extent - 1) / size + 1; }

inline Cell GridCell(ConstPixelView picture, int i, int j, int width, int height) {
    return {i * width, j * height, std::min((i + 1) * width, picture.Width()),
            std::min((j + 1) * height, picture.Height())};
}

// Per channel sums over the cell's pixels.
struct Sums {
    std::uint64_t b = 0, g = 0, r = 0;
};

inline Sums SumCell(ConstPixelView picture, const Cell& cell) {
    Sums s;
    for (int y = cell.y0; y < cell.y1; ++y) {
        const std::uint8_t* p = picture.Row(y) + 3 * static_cast<std::ptrdiff_t>(cell.x0);
        for (int x = cell.x0; x < cell.x1; ++x, p += 3) {
            s.b += p[0];
            s.g += p[1];
            s.r += p[2];
        }
    }
    return s;
}

// The sums divided by `area`, remainder dropped.
inline Color MeanOf(const Sums& s, std::uint64_t area) {
    return Rgb(static_cast<std::uint8_t>(s.r / area), static_cast<std::uint8_t>(s.g / area),
               static_cast<std::uint8_t>(s.b / area));
}

inline Color CellMean(ConstPixelView picture, const Cell& cell) {
    return MeanOf(SumCell(picture, cell),
                  static_cast<std::uint64_t>(cell.x1 - cell.x0) * static_cast<std::uint64_t>(cell.y1 - cell.y0));
}

// The mean colours of a grid's cell columns, each taken from the picture
// before anything is drawn over it, for the effects that draw each column of
// cells in turn over the picture itself. Drawing for column i reaches at most
// `reach` pixels right of its first pixel column, so before it is drawn every
// column starting within that reach has its means; columns behind are let go.
class MeansAhead {
public:
    // first(i): cell column i's first pixel column, growing with i;
    // fill(i, means): the `rows` means of cell column i.
    MeansAhead(int columns, int rows, int reach, std::function<int(int)> first,
               std::function<void(int, std::vector<Color>&)> fill)
        : columns_(columns), rows_(rows), reach_(reach), first_(std::move(first)), fill_(std::move(fill)) {}

    // Column i's means; i never smaller than the last call's.
    const std::vector<Color>& Column(int i) {
        while (!ahead_.empty() && front_ < i) {
            spare_ = std::move(ahead_.front());
            ahead_.pop_front();
            ++front_;
        }
        if (ahead_.empty()) front_ = next_ = std::max(next_, i);
        const std::int64_t limit = std::int64_t{first_(i)} + reach_;
        while (next_ < columns_ && (next_ == i || first_(next_) <= limit)) {
            std::vector<Color> means = std::move(spare_);
            means.resize(static_cast<std::size_t>(rows_));
            fill_(next_++, means);
            ahead_.push_back(std::move(means));
        }
        return ahead_[static_cast<std::size_t>(i - front_)];
    }

private:
    const int columns_, rows_, reach_;
    std::function<int(int)> first_;
    std::function<void(int, std::vector<Color>&)> fill_;
    std::deque<std::vector<Color>> ahead_;  // columns front_ .. next_ - 1
    std::vector<Color> spare_;
    int front_ = 0, next_ = 0;
};

}  // namespace kelbo::effect_cells
