// Where the GIF control draws its picture, as plain arithmetic so the paint
// modes can be checked without a screen. No windows.h here.
#pragma once

#include <vector>

#include "core/geometry.h"

namespace kelbo::controls {

struct GifPaintModes {
    bool stretch = false;
    bool stretchRatio = false;
    bool center = false;
    bool tile = false;
};

struct Rect {
    int left = 0, top = 0, width = 0, height = 0;
    bool operator==(const Rect&) const = default;
};

// The rectangles of the control that each receive one whole copy of the
// logical picture (scaled to the rectangle). Scaling applies only when the
// control's size differs from the logical size; Stretch then wins over
// StretchRatio, and scaling over Tile over Center. Tiles start at (0, 0) and
// cover the control; the last row and column may be cut off by the control.
std::vector<Rect> GifPaintTargets(int controlWidth, int controlHeight, int logicalWidth, int logicalHeight,
                                  const GifPaintModes& modes);

// Whether the picture alone covers the control, so nothing under it need be
// drawn first: no transparency, no ratio stretch, and tiling, stretching or
// a picture at least as large as the control.
bool GifPaintOpaque(int controlWidth, int controlHeight, int logicalWidth, int logicalHeight, bool anyTransparent,
                    const GifPaintModes& modes);

// The timer interval after showing a frame of `delayMs`: short delays are
// raised to 50 ms (browsers' habit, so a delay of 0 is not a busy loop),
// then scaled by the speed in percent; never below 1 ms.
unsigned GifFrameInterval(int delayMs, int speedPercent);

}  // namespace kelbo::controls
