#include "browser/thumbnail.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <stdexcept>
#include <vector>

#include "core/extended_precision.h"

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
        for (int y = 0; y < picture.Height(); ++y) {
            std::memcpy(thumbnail.Row(y), picture.Row(y), 3 * static_cast<std::size_t>(picture.Width()));
        }
        return thumbnail;
    }
    const ExtendedPrecisionScope scope;
    const std::vector<int> columns = SourceIndices(box.width, picture.Width());
    const std::vector<int> rows = SourceIndices(box.height, picture.Height());
    for (int y = 0; y < box.height; ++y) {
        const std::uint8_t* in = picture.Row(rows[y]);
        std::uint8_t* out = thumbnail.Row(y);
        for (const int column : columns) {
            std::memcpy(out, in + 3 * column, 3);
            out += 3;
        }
    }
    return thumbnail;
}

}  // namespace kelbo
