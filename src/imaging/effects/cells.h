// The cell grid and the target check the effects share; not part of the public interface.
#pragma once

#include <algorithm>
#include <cstdint>
#include <stdexcept>
#include <string>

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

}  // namespace kelbo::effect_cells
