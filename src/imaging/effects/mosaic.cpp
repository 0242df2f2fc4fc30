// "Mozaika": tiles of their mean colour with shaded frames.
#include <algorithm>
#include <stdexcept>
#include <string>
#include <vector>

#include "imaging/effects/cells.h"
#include "imaging/effects/effects.h"
#include "imaging/effects/raster.h"

namespace kelbo {
namespace {

using effect_cells::Cell;

void Check(const MosaicOptions& o) {
    const auto require = [](bool ok, const std::string& message) {
        if (!ok) throw std::invalid_argument(message);
    };
    require(o.tileWidth >= 2, "\"X-ová os :\" must be at least 2, not " + std::to_string(o.tileWidth));
    require(o.tileHeight >= 2, "\"Y-ová os :\" must be at least 2, not " + std::to_string(o.tileHeight));
    require(o.thickness >= 1, "\"Hrúbka :\" must be at least 1, not " + std::to_string(o.thickness));
    require(o.transparency >= 0 && o.transparency <= 255,
            "\"Priehľadnosť\" must lie in 0..255, not " + std::to_string(o.transparency));
    require(!(o.stretch && o.transparentFrame),
            "\"Roztiahnuť obrázok\" cannot be used with \"Priehľadné orámovanie \"");
}

// Tile k's first column (or row) and the one past it.
struct Span {
    int first = 0, end = 0;
};

// The grid along one side: tiles of `size` from 0, the last one cut by the
// picture's edge, or with `stretch` max(1, extent div size) whole tiles.
class TileGrid {
public:
    TileGrid(int extent, int size, bool stretch)
        : extent_(extent),
          size_(size),
          stretch_(stretch),
          count_(stretch ? std::max(1, extent / size) : effect_cells::CellCount(extent, size)) {}
    int Count() const { return count_; }
    Span Tile(int k) const {
        if (!stretch_) return {k * size_, (k + 1) * size_};
        return {static_cast<int>(std::int64_t{k} * extent_ / count_),
                static_cast<int>(std::int64_t{k + 1} * extent_ / count_)};
    }

private:
    int extent_, size_;
    bool stretch_;
    int count_;
};

Color Grey(int level) {
    const auto g = static_cast<std::uint8_t>(level);
    return Rgb(g, g, g);
}

void DrawFrame(PixelView target, const Cell& tile, const MosaicOptions& o) {
    const int t = o.thickness;
    const int transparency = o.transparentFrame ? o.transparency : 0;
    for (int l = 1; l <= t; ++l) {
        const int x1 = tile.x0 + l - 1;
        const int x2 = tile.x1 - l;
        const int y1 = tile.y0 + l - 1;
        const int y2 = tile.y1 - l;
        const Color dark = Grey(80 + (l - 1) * 175 / t);
        const Color light = Grey(128 + (l - 1) * 127 / t);
        DrawGdiLine(target, {x2, y1}, {x2, y2}, dark, transparency);
        DrawGdiLine(target, {x2, y2}, {x1, y2}, dark, transparency);
        DrawGdiLine(target, {x1, y2}, {x1, y1}, light, transparency);
        DrawGdiLine(target, {x1, y1}, {x2, y1}, light, transparency);
    }
}

}  // namespace

void Mosaic(PixelView picture, const MosaicOptions& options, Progress* progress) {
    Check(options);
    const TileGrid columns(picture.Width(), options.tileWidth, options.stretch);
    const TileGrid rows(picture.Height(), options.tileHeight, options.stretch);
    // The rectangle and the frames of a tile reach at most its width, or the
    // frame's thickness, right of its first column.
    int widest = 0;
    for (int i = 0; i < columns.Count(); ++i) widest = std::max(widest, columns.Tile(i).end - columns.Tile(i).first);
    effect_cells::MeansAhead means(
        options.singleColour ? columns.Count() : 0, rows.Count(), std::max(widest, options.thickness),
        [&](int i) { return columns.Tile(i).first; },
        [&](int i, std::vector<Color>& out) {
            const Span across = columns.Tile(i);
            for (int j = 0; j < rows.Count(); ++j) {
                const Span down = rows.Tile(j);
                const Cell inside{across.first, down.first, std::min(across.end, picture.Width()),
                                  std::min(down.end, picture.Height())};
                const std::uint64_t area = static_cast<std::uint64_t>(across.end - across.first) *
                                           static_cast<std::uint64_t>(down.end - down.first);
                out[j] = effect_cells::MeanOf(effect_cells::SumCell(picture, inside), area);
            }
        });
    const ProgressScope shown(progress, picture.Width());
    for (int i = 0; i < columns.Count(); ++i) {
        const Span across = columns.Tile(i);
        const std::vector<Color>* mean = options.singleColour ? &means.Column(i) : nullptr;
        for (int j = 0; j < rows.Count(); ++j) {
            const Span down = rows.Tile(j);
            const Cell tile{across.first, down.first, across.end, down.end};
            if (mean) FillGdiRectangle(picture, tile.x0, tile.y0, tile.x1 - 1, tile.y1 - 1, (*mean)[j]);
            DrawFrame(picture, tile, options);
        }
        shown.Set(i * options.tileWidth);
    }
}

void Mosaic(ConstPixelView source, PixelView target, const MosaicOptions& options, Progress* progress) {
    Check(options);
    effect_cells::DrawOverACopy(source, target, "Mozaika", [&](PixelView copy) { Mosaic(copy, options, progress); });
}

}  // namespace kelbo
