// The linked fields of the resize dialog: typing into one of the four sets
// the others, as the dialog and kelbo-cli's resize both do.
#pragma once

#include "core/geometry.h"

namespace kelbo {

enum class ResizeField { kWidth, kHeight, kWidthPercent, kHeightPercent };

struct ResizeFields {
    int width = 0;  // "Absolútna hodnota (v bodoch)"
    int height = 0;
    int widthPercent = 100;  // "Relatívna hodnota (v %)"
    int heightPercent = 100;
    friend bool operator==(const ResizeFields&, const ResizeFields&) = default;
};

// The fields as the dialog shows them on a picture: its size, 100 and 100.
ResizeFields InitialResizeFields(Size picture);

// The fields after `field` took `value`, with `original` the picture's size
// when the dialog opened (W0, H0). Values enter the products as unsigned
// 16-bit numbers; "the nearest integer" is exact, halves to even; div drops
// the remainder:
//   width v:          [ratio: height := nearest(H0 / W0 · v), height % := height · 100 div H0]
//                     width % := v · 100 div W0
//   height v:         [ratio: width := nearest(W0 / H0 · v), width % := width · 100 div W0]
//                     height % := v · 100 div H0
//   width percent v:  width := v · W0 div 100
//                     [ratio: height := nearest(width · H0 / W0), height % := height · 100 div H0]
//   height percent v: height := v · H0 div 100
//                     [ratio: width := nearest(height · W0 / H0), width % := width · 100 div W0]
// Nothing changes while W0 or H0 is 0.
ResizeFields LinkResizeFields(ResizeFields fields, ResizeField field, int value, Size original, bool keepRatio);

}  // namespace kelbo
