#include "imaging/colour/fit_preview.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "core/rounding.h"

namespace kelbo {

PreviewPlacement PlacePreview(int sourceWidth, int sourceHeight, int width, int height) {
    const int sw = std::max(sourceWidth, 1);
    const int sh = std::max(sourceHeight, 1);
    const long double s = sw > sh ? static_cast<long double>(width) / sw : static_cast<long double>(height) / sh;
    const int ox = static_cast<int>(std::max<std::int64_t>(Trunc((width - s * sw) * 0.5L), 0));
    const int oy = static_cast<int>(std::max<std::int64_t>(Trunc((height - s * sh) * 0.5L), 0));
    return {s, ox, oy};
}

Bitmap24 FitPreview(ConstPixelView source, int width, int height) {
    Bitmap24 work(std::max(width, 0), std::max(height, 0), colors::kWhite);
    // A source without pixels has nothing to draw; the thumbnail stays white.
    if (work.Empty() || source.Empty()) return work;
    const int w = work.Width();
    const int h = work.Height();
    const int sw = source.Width();
    const int sh = source.Height();
    const PreviewPlacement placement = PlacePreview(sw, sh, w, h);
    const long double s = placement.scale;
    const int ox = placement.offsetX;
    const int oy = placement.offsetY;

    if (w > sw && h > sh) {
        // The offsets come from the scaled size, so a small picture is not
        // necessarily centred; it always fits.
        const int columns = std::min(sw, w - ox);
        for (int y = 0; y < sh && oy + y < h; ++y) {
            std::memcpy(work.Row(oy + y) + 3 * ox, source.Row(y), 3 * static_cast<std::size_t>(columns));
        }
        return work;
    }

    const int columns = w - 2 * ox;
    const int rows = h - 2 * oy;
    if (columns <= 0 || rows <= 0) return work;
    std::vector<int> sourceX(static_cast<std::size_t>(columns));
    for (int i = 0; i < columns; ++i) {
        sourceX[i] = static_cast<int>(std::min<std::int64_t>(Round(i / s), sw - 1)) * 3;
    }
    for (int j = 0; j < rows; ++j) {
        const int sy = static_cast<int>(std::min<std::int64_t>(Round(j / s), sh - 1));
        const std::uint8_t* from = source.Row(sy);
        std::uint8_t* to = work.Row(oy + j) + 3 * ox;
        for (int i = 0; i < columns; ++i, to += 3) {
            const std::uint8_t* p = from + sourceX[i];
            to[0] = p[0];
            to[1] = p[1];
            to[2] = p[2];
        }
    }
    return work;
}

}  // namespace kelbo
