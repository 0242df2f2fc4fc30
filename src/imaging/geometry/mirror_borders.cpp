// The mirrors, in place, and the borders on a white picture.
#include <algorithm>
#include <string>
#include <utility>

#include "imaging/geometry/geometry_support.h"
#include "imaging/geometry/transforms.h"

namespace kelbo {

void MirrorX(PixelView picture, Progress* progress) {
    const int height = picture.Height();
    const ProgressScope shown(progress, (height - 1) / 2);
    const std::size_t bytes = 3 * static_cast<std::size_t>(picture.Width());
    for (int y = 0; y <= (height - 1) / 2; ++y) {
        std::swap_ranges(picture.Row(y), picture.Row(y) + bytes, picture.Row(height - 1 - y));
        shown.Set(y);
    }
}

void MirrorY(PixelView picture, Progress* progress) {
    const int width = picture.Width();
    const ProgressScope shown(progress, picture.Height() - 1);
    for (int y = 0; y < picture.Height(); ++y) {
        std::uint8_t* left = picture.Row(y);
        std::uint8_t* right = left + 3 * (static_cast<std::ptrdiff_t>(width) - 1);
        for (; left < right; left += 3, right -= 3) {
            std::swap(left[0], right[0]);
            std::swap(left[1], right[1]);
            std::swap(left[2], right[2]);
        }
        shown.Set(y);
    }
}

Size BorderedSize(Size picture, const Borders& borders) {
    for (const int side : {borders.left, borders.right, borders.top, borders.bottom}) {
        if (side < 0) throw std::invalid_argument("Pridaj okraje: a border cannot be narrower than 0 pixels");
    }
    geometry_support::Extents extents;
    extents.Add(0, 0);
    extents.Add(std::int64_t{borders.left} + picture.width + borders.right,
                std::int64_t{borders.top} + picture.height + borders.bottom);
    return extents.Box("Pridaj okraje").size;
}

void AddBorders(ConstPixelView source, PixelView target, const Borders& borders) {
    const Size size = BorderedSize({source.Width(), source.Height()}, borders);
    geometry_support::CheckTarget(source, target, size, "Pridaj okraje");
    target.Fill(colors::kWhite);
    const PixelView inner(target.Row(borders.top) + 3 * static_cast<std::ptrdiff_t>(borders.left), source.Width(),
                          source.Height(), target.Stride());
    CopyPixels(inner, source);
}

Bitmap24 AddBorders(ConstPixelView source, const Borders& borders) {
    const Size size = BorderedSize({source.Width(), source.Height()}, borders);
    Bitmap24 result(size.width, size.height);
    AddBorders(source, result.View(), borders);
    return result;
}

}  // namespace kelbo
