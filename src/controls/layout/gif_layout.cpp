#include "controls/layout/gif_layout.h"

#include <algorithm>
#include <cstdint>

#include "core/rounding.h"

namespace kelbo::controls {

std::vector<Rect> GifPaintTargets(int control_width, int control_height, int logical_width,
                                     int logical_height, const GifPaintModes& modes) {
    if (logical_width <= 0 || logical_height <= 0 || control_width <= 0 || control_height <= 0)
        return {};
    const bool same_size = control_width == logical_width && control_height == logical_height;
    if ((modes.stretch || modes.stretch_ratio) && !same_size) {
        if (modes.stretch) return {{0, 0, control_width, control_height}};
        // Single precision, as the margins were always computed, so a picture
        // lands on the same pixels as before.
        const float fx = static_cast<float>(control_width) / static_cast<float>(logical_width);
        const float fy = static_cast<float>(control_height) / static_cast<float>(logical_height);
        if (fx > fy) {
            const float scaled = static_cast<float>(logical_width) * fy;
            const int margin = static_cast<int>(
                Round(static_cast<long double>((static_cast<float>(control_width) - scaled) * 0.5f)));
            return {{margin, 0, control_width - 2 * margin, control_height}};
        }
        const float scaled = static_cast<float>(logical_height) * fx;
        const int margin = static_cast<int>(
            Round(static_cast<long double>((static_cast<float>(control_height) - scaled) * 0.5f)));
        return {{0, margin, control_width, control_height - 2 * margin}};
    }
    if (modes.tile) {
        std::vector<Rect> tiles;
        for (int y = 0; y < control_height; y += logical_height)
            for (int x = 0; x < control_width; x += logical_width)
                tiles.push_back({x, y, logical_width, logical_height});
        return tiles;
    }
    if (modes.center) {
        return {{(control_width - logical_width) / 2, (control_height - logical_height) / 2,
                 logical_width, logical_height}};
    }
    return {{0, 0, logical_width, logical_height}};
}

bool GifPaintOpaque(int control_width, int control_height, int logical_width, int logical_height,
                    bool any_transparent, const GifPaintModes& modes) {
    if (any_transparent || modes.stretch_ratio) return false;
    if (logical_width <= 0 || logical_height <= 0) return false;
    return modes.tile || modes.stretch ||
           (logical_width >= control_width && logical_height >= control_height);
}

unsigned GifFrameInterval(int delay_ms, int speed_percent) {
    const std::int64_t speed = std::max(speed_percent, 1);
    const std::int64_t shown = std::max<std::int64_t>(delay_ms, 50) * 100 / speed;
    return static_cast<unsigned>(std::clamp<std::int64_t>(shown, 1, 0x7FFFFFFF));
}

}  // namespace kelbo::controls
