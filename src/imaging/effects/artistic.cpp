// Emboss, rectangles, pointillism and painting.
#include <algorithm>
#include <stdexcept>
#include <string>
#include <vector>

#include "core/luminance.h"
#include "imaging/effects/cells.h"
#include "imaging/effects/effects.h"
#include "imaging/effects/raster.h"

namespace kelbo {
namespace {

using effect_cells::CellCount;
using effect_cells::CellMean;
using effect_cells::GridCell;

void RequireSize(int value, int least, const char* field) {
    if (value < least)
        throw std::invalid_argument(std::string(field) + " must be at least " + std::to_string(least) + ", not " +
                                    std::to_string(value));
}

void RequireByte(int value, const char* field) {
    if (value < 0 || value > 255)
        throw std::invalid_argument(std::string(field) + " must lie in 0..255, not " + std::to_string(value));
}

// One row of emboss: `below` holds the original row underneath, with the
// byte past its last pixel repeating that pixel's blue byte.
void EmbossRow(std::uint8_t* row, const std::uint8_t* below, int width) {
    for (int x = 0; x < width; ++x, row += 3, below += 3) {
        const int l1 = Luminance(row[2], row[1], row[0]);
        const int l2 = Luminance(below[3], below[2], below[1]);
        const auto grey = static_cast<std::uint8_t>((l1 - l2 + 256) / 2);
        row[0] = row[1] = row[2] = grey;
    }
}

// The dots of one cell, drawn as the program's random draws place them, over
// the picture itself: each cell's mean is taken before any dot covers it,
// the dots reaching at most `reach` pixels right of their cell's start.
template <typename DrawDots>
void ForEachCell(PixelView picture, int size, int reach, Progress* progress, DrawDots draw) {
    const int columns = CellCount(picture.Width(), size);
    const int rows = CellCount(picture.Height(), size);
    effect_cells::MeansAhead means(
        columns, rows, reach, [size](int i) { return i * size; },
        [&](int i, std::vector<Color>& out) {
            for (int j = 0; j < rows; ++j) out[j] = CellMean(picture, GridCell(picture, i, j, size, size));
        });
    const ProgressScope shown(progress, columns);
    for (int i = 0; i < columns; ++i) {
        const std::vector<Color>& column = means.Column(i);
        for (int j = 0; j < rows; ++j) draw(i * size, j * size, column[j]);
        shown.Set(i);
    }
}

}  // namespace

void Emboss(PixelView picture, Progress* progress) {
    const int width = picture.Width();
    const ProgressScope shown(progress, picture.Height());
    if (width == 0) return;
    std::vector<std::uint8_t> below(3 * static_cast<std::size_t>(width) + 1);
    for (int y = 0; y < picture.Height(); ++y) {
        const int next = y + 1 < picture.Height() ? y + 1 : y;
        std::copy_n(picture.Row(next), 3 * static_cast<std::size_t>(width), below.begin());
        below.back() = below[3 * static_cast<std::size_t>(width) - 3];
        EmbossRow(picture.Row(y), below.data(), width);
        shown.Set(y);
    }
}

void Rectanglize(PixelView picture, int cellWidth, int cellHeight, Progress* progress) {
    RequireSize(cellWidth, 1, "\"Rozmer X:\"");
    RequireSize(cellHeight, 1, "\"Rozmer Y:\"");
    const int columns = CellCount(picture.Width(), cellWidth);
    const int rows = CellCount(picture.Height(), cellHeight);
    const ProgressScope shown(progress, picture.Width() / cellWidth);
    for (int i = 0; i < columns; ++i) {
        for (int j = 0; j < rows; ++j) {
            const effect_cells::Cell cell = GridCell(picture, i, j, cellWidth, cellHeight);
            const Color mean = CellMean(picture, cell);
            for (int y = cell.y0; y < cell.y1; ++y) {
                std::uint8_t* p = picture.Row(y) + 3 * static_cast<std::ptrdiff_t>(cell.x0);
                for (int x = cell.x0; x < cell.x1; ++x, p += 3) {
                    p[0] = BlueOf(mean);
                    p[1] = GreenOf(mean);
                    p[2] = RedOf(mean);
                }
            }
        }
        shown.Set(i);
    }
}

namespace {

void Check(const PointillismOptions& options) {
    RequireSize(options.size, 1, "\"Veľkosť:\"");
    RequireByte(options.size, "\"Veľkosť:\"");
    RequireByte(options.shrink, "\"Maximálne zmenšenie:\"");
    RequireByte(options.shift, "\"Maximálne posunutie:\"");
}

void Check(const PaintingOptions& options) {
    RequireSize(options.size, 1, "\"Veľkosť štetca :\"");
    RequireByte(options.size, "\"Veľkosť štetca :\"");
    RequireByte(options.shrink, "\"Maximálne zmenšenie štetca :\"");
    RequireByte(options.shift, "\"Maximálne posunutie :\"");
    RequireByte(options.stroke, "\"Dĺžka ťahu štetcom :\"");
}

}  // namespace

void Pointillism(PixelView picture, const PointillismOptions& options, EffectRandom& random, Progress* progress) {
    Check(options);
    // A dot's box ends at most shift - 1 + 6 pixels right of its cell's start.
    ForEachCell(picture, options.size, options.shift + 6, progress, [&](int x, int y, Color mean) {
        const int dx = random.Next(options.shift);
        const int dy = random.Next(options.shift);
        const int r1 = random.Next(options.shrink);
        const int r2 = random.Next(options.shrink);
        FillGdiEllipse(picture, x + dx, y + dy, x + dx + 6 - r1, y + dy + 6 - r2, mean);
    });
}

void Pointillism(ConstPixelView source, PixelView target, const PointillismOptions& options, EffectRandom& random,
                 Progress* progress) {
    Check(options);
    effect_cells::DrawOverACopy(source, target, "Pointilizmus",
                                [&](PixelView copy) { Pointillism(copy, options, random, progress); });
}

void Painting(PixelView picture, const PaintingOptions& options, EffectRandom& random, Progress* progress) {
    Check(options);
    // The stroke's last dot's box ends at most shift - 1 + stroke - 1 + 6
    // pixels right of its cell's start.
    ForEachCell(picture, options.size, options.shift + options.stroke + 6, progress, [&](int x, int y, Color mean) {
        const int dx = random.Next(options.shift);
        const int dy = random.Next(options.shift);
        const int sx = 2 * random.Next(2) - 1;
        const int sy = 2 * random.Next(2) - 1;
        const int count = random.Next(options.stroke) + 1;
        for (int k = 0; k < count; ++k) {
            const int r1 = random.Next(options.shrink);
            const int r2 = random.Next(options.shrink);
            const int left = x + dx + k * sx;
            const int top = y + dy + k * sy;
            FillGdiEllipse(picture, left, top, left + 6 - r1, top + 6 - r2, mean);
        }
    });
}

void Painting(ConstPixelView source, PixelView target, const PaintingOptions& options, EffectRandom& random,
              Progress* progress) {
    Check(options);
    effect_cells::DrawOverACopy(source, target, "Maľba",
                                [&](PixelView copy) { Painting(copy, options, random, progress); });
}

}  // namespace kelbo
