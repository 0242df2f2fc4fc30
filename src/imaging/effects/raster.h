// The few shapes the effects draw, with the pixels the platform's GDI gives a
// one-pixel solid pen and a solid brush of one colour: a bounding box is put
// in order and excludes its right and bottom edges; a line excludes its last
// point. Everything is clipped to the picture.
#pragma once

#include "core/bitmap24.h"
#include "core/color.h"
#include "core/geometry.h"

namespace kelbo {

// Rectangle(left, top, right, bottom) with pen and brush of `color`. A box
// with a side of 0, or of 1 by 1, draws nothing.
void FillGdiRectangle(PixelView picture, int left, int top, int right, int bottom, Color color);

// Ellipse(left, top, right, bottom) with pen and brush of `color`: the
// ellipse of the box's pixels, filled row by row between its outline points.
// Boxes of a side of 0, or of 1 by 1, draw nothing; boxes 1 or 2 pixels wide
// or 1 pixel high fill the whole box. Sides are limited to 32767
// (std::invalid_argument).
void FillGdiEllipse(PixelView picture, int left, int top, int right, int bottom, Color color);

// MoveTo(from), LineTo(to) for a horizontal or vertical line (any other
// throws std::invalid_argument); `to` itself is not drawn. With a
// transparency T of 1..255 each pixel becomes ((255 − T)·color + T·pixel) / 255,
// rounded to the nearest (halves to even): 0 is opaque, 255 leaves the picture.
void DrawGdiLine(PixelView picture, Point from, Point to, Color color, int transparency = 0);

}  // namespace kelbo
