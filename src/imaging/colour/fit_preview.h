#pragma once

#include "core/bitmap24.h"

namespace kelbo {

// The dialogs' preview thumbnail: `source` fitted into width x height on
// white, aspect ratio kept, nearest-neighbour, centred; a source smaller than
// the box in both directions is drawn unscaled.
Bitmap24 FitPreview(ConstPixelView source, int width, int height);

inline constexpr int kPreviewWidth = 144;
inline constexpr int kPreviewHeight = 107;

}  // namespace kelbo
