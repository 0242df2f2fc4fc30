#include "browser/thumbnail.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>
#include <vector>

#include "core/extended_precision.h"
#include "imaging/geometry/transforms.h"

namespace kelbo {
namespace {

// A ratio as the program stores it: rounded to nearest with 40 significant bits.
long double AsReal48(long double ratio) {
    int exponent = 0;
    const long double mantissa = std::frexp(ratio, &exponent);  // in [0.5, 1)
    return std::ldexp(static_cast<long double>(RoundInScope(std::ldexp(mantissa, 40))), exponent - 40);
}

// The source index of each thumbnail index, limited to the picture.
std::vector<int> SourceIndices(int boxSide, int pictureSide) {
    const long double ratio = AsReal48(static_cast<long double>(boxSide) / pictureSide);
    std::vector<int> indices;
    for (int i = 0; i < boxSide; ++i) {
        const std::int64_t index = RoundInScope(static_cast<long double>(i) / ratio);
        indices.push_back(static_cast<int>(std::clamp<std::int64_t>(index, 0, pictureSide - 1)));
    }
    return indices;
}

}  // namespace

Size ThumbnailBox(Size picture) {
    const int w = std::max(picture.width, 1);
    const int h = std::max(picture.height, 1);
    if (w > h) return {80, static_cast<int>(80LL * h / w)};
    return {static_cast<int>(75LL * w / h), 75};
}

Bitmap24 MakeThumbnail(ConstPixelView picture) {
    if (picture.Empty()) throw std::invalid_argument("a picture of 0 pixels has no thumbnail");
    const Size box = ThumbnailBox({picture.Width(), picture.Height()});
    if (box.width == 0 || box.height == 0) {
        throw std::invalid_argument("the picture is too narrow for a thumbnail: its box would be " +
                                    std::to_string(box.width) + " x " + std::to_string(box.height));
    }
    Bitmap24 thumbnail(box.width, box.height, colors::kWhite);
    if (box.width > picture.Width() && box.height > picture.Height()) {
        const PixelView corner(thumbnail.Row(0), picture.Width(), picture.Height(),
                               static_cast<std::ptrdiff_t>(thumbnail.Stride()));
        CopyPixels(corner, picture);
        return thumbnail;
    }
    const ExtendedPrecisionScope scope;
    SampleByIndex(picture, thumbnail.View(), SourceIndices(box.width, picture.Width()),
                  SourceIndices(box.height, picture.Height()));
    return thumbnail;
}

}  // namespace kelbo
