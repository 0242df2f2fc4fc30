#pragma once

#include "core/bitmap24.h"

namespace kelbo {

// The dialogs' preview thumbnail: `source` fitted into width x height on
// white, aspect ratio kept, nearest-neighbour, centred; a source smaller than
// the box in both directions is drawn unscaled.
Bitmap24 FitPreview(ConstPixelView source, int width, int height);

// Where FitPreview puts a source of `source` size: the scale factor and the
// offsets, for dialogs that scale their values to the thumbnail.
struct PreviewPlacement {
    long double scale = 1;
    int offsetX = 0;
    int offsetY = 0;
};
PreviewPlacement PlacePreview(int sourceWidth, int sourceHeight, int width, int height);

inline constexpr int kPreviewWidth = 144;
inline constexpr int kPreviewHeight = 107;

}  // namespace kelbo
