// The browser's thumbnails (MakeThumbnail).
#pragma once

#include "core/bitmap24.h"
#include "core/geometry.h"

namespace kelbo {

// The box a picture's thumbnail fills: a landscape picture 80 pixels wide
// and 80 · h div w high, any other 75 high and w · 75 div h wide (a side of
// 0 counts as 1).
Size ThumbnailBox(Size picture);

// The thumbnail on white: a picture smaller than the box both ways is put
// unscaled at its top left; any other is sampled by nearest neighbour, row
// Round(y / ky) and column Round(x / kx), with kx = box width / w and ky =
// box height / h each held, as the program holds them, in a 48-bit real
// (40-bit mantissa), which decides the halves. Throws std::invalid_argument
// for an empty picture or a box with a side of 0 (a picture 80 times as
// wide as high, or as high as wide).
Bitmap24 MakeThumbnail(ConstPixelView picture);

}  // namespace kelbo
