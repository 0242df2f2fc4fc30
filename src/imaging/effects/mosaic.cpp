// "Mozaika": tiles of their mean colour with shaded frames.
#include <stdexcept>
#include <string>

#include "imaging/effects/cells.h"
#include "imaging/effects/effects.h"
#include "imaging/effects/raster.h"

namespace kelbo {
namespace {

using effect_cells::Cell;

void Check(const MosaicOptions& o, ConstPixelView source, PixelView target) {
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
    effect_cells::CheckCopyTarget(source, target, "Mozaika");
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

void Mosaic(ConstPixelView source, PixelView target, const MosaicOptions& options, Progress* progress) {
    Check(options, source, target);
    CopyPixels(target, source);
    const TileGrid columns(source.Width(), options.tileWidth, options.stretch);
    const TileGrid rows(source.Height(), options.tileHeight, options.stretch);
    const ProgressScope shown(progress, source.Width());
    for (int i = 0; i < columns.Count(); ++i) {
        const Span across = columns.Tile(i);
        for (int j = 0; j < rows.Count(); ++j) {
            const Span down = rows.Tile(j);
            const Cell tile{across.first, down.first, across.end, down.end};
            if (options.singleColour) {
                const Cell inside{tile.x0, tile.y0, std::min(tile.x1, source.Width()),
                                  std::min(tile.y1, source.Height())};
                const std::uint64_t area = static_cast<std::uint64_t>(tile.x1 - tile.x0) *
                                           static_cast<std::uint64_t>(tile.y1 - tile.y0);
                const Color mean = effect_cells::MeanOf(effect_cells::SumCell(source, inside), area);
                FillGdiRectangle(target, tile.x0, tile.y0, tile.x1 - 1, tile.y1 - 1, mean);
            }
            DrawFrame(target, tile, options);
        }
        shown.Set(i * options.tileWidth);
    }
}

}  // namespace kelbo
