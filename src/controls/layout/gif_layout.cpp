#include "controls/layout/gif_layout.h"

#include <algorithm>
#include <cstdint>

#include "core/rounding.h"

namespace kelbo::controls {

std::vector<Rect> GifPaintTargets(int controlWidth, int controlHeight, int logicalWidth, int logicalHeight,
                                  const GifPaintModes& modes) {
    if (logicalWidth <= 0 || logicalHeight <= 0 || controlWidth <= 0 || controlHeight <= 0) return {};
    const bool sameSize = controlWidth == logicalWidth && controlHeight == logicalHeight;
    if ((modes.stretch || modes.stretchRatio) && !sameSize) {
        if (modes.stretch) return {{0, 0, controlWidth, controlHeight}};
        // Single precision, as the margins were always computed, so a picture
        // lands on the same pixels as before.
        const float fx = static_cast<float>(controlWidth) / static_cast<float>(logicalWidth);
        const float fy = static_cast<float>(controlHeight) / static_cast<float>(logicalHeight);
        if (fx > fy) {
            const float scaled = static_cast<float>(logicalWidth) * fy;
            const int margin = static_cast<int>(
                Round(static_cast<long double>((static_cast<float>(controlWidth) - scaled) * 0.5f)));
            return {{margin, 0, controlWidth - 2 * margin, controlHeight}};
        }
        const float scaled = static_cast<float>(logicalHeight) * fx;
        const int margin = static_cast<int>(
            Round(static_cast<long double>((static_cast<float>(controlHeight) - scaled) * 0.5f)));
        return {{0, margin, controlWidth, controlHeight - 2 * margin}};
    }
    if (modes.tile) {
        std::vector<Rect> tiles;
        for (int y = 0; y < controlHeight; y += logicalHeight)
            for (int x = 0; x < controlWidth; x += logicalWidth) tiles.push_back({x, y, logicalWidth, logicalHeight});
        return tiles;
    }
    if (modes.center) {
        return {{(controlWidth - logicalWidth) / 2, (controlHeight - logicalHeight) / 2, logicalWidth, logicalHeight}};
    }
    return {{0, 0, logicalWidth, logicalHeight}};
}

bool GifPaintOpaque(int controlWidth, int controlHeight, int logicalWidth, int logicalHeight, bool anyTransparent,
                    const GifPaintModes& modes) {
    if (anyTransparent || modes.stretchRatio) return false;
    if (logicalWidth <= 0 || logicalHeight <= 0) return false;
    return modes.tile || modes.stretch || (logicalWidth >= controlWidth && logicalHeight >= controlHeight);
}

unsigned GifFrameInterval(int delayMs, int speedPercent) {
    const std::int64_t speed = std::max(speedPercent, 1);
    const std::int64_t shown = std::max<std::int64_t>(delayMs, 50) * 100 / speed;
    return static_cast<unsigned>(std::clamp<std::int64_t>(shown, 1, 0x7FFFFFFF));
}

}  // namespace kelbo::controls
