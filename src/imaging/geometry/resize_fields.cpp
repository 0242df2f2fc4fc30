#include "imaging/geometry/resize_fields.h"

#include <cstdint>

#include "imaging/geometry/geometry_support.h"

namespace kelbo {
namespace {

using geometry_support::RoundQuotient;

std::int64_t Word(std::int64_t v) { return static_cast<std::uint16_t>(v); }

int Percent(std::int64_t pixels, std::int64_t original) { return static_cast<int>(Word(pixels) * 100 / original); }

}  // namespace

ResizeFields InitialResizeFields(Size picture) { return {picture.width, picture.height, 100, 100}; }

ResizeFields LinkResizeFields(ResizeFields f, ResizeField field, int value, Size original, bool keepRatio) {
    const std::int64_t w0 = Word(original.width);
    const std::int64_t h0 = Word(original.height);
    if (w0 == 0 || h0 == 0) return f;
    const std::int64_t v = Word(value);
    switch (field) {
    case ResizeField::kWidth:
        f.width = value;
        if (keepRatio) {
            f.height = static_cast<int>(RoundQuotient(h0 * v, w0));
            f.heightPercent = Percent(f.height, h0);
        }
        f.widthPercent = Percent(v, w0);
        break;
    case ResizeField::kHeight:
        f.height = value;
        if (keepRatio) {
            f.width = static_cast<int>(RoundQuotient(w0 * v, h0));
            f.widthPercent = Percent(f.width, w0);
        }
        f.heightPercent = Percent(v, h0);
        break;
    case ResizeField::kWidthPercent:
        f.widthPercent = value;
        f.width = static_cast<int>(v * w0 / 100);
        if (keepRatio) {
            f.height = static_cast<int>(RoundQuotient(Word(f.width) * h0, w0));
            f.heightPercent = Percent(f.height, h0);
        }
        break;
    case ResizeField::kHeightPercent:
        f.heightPercent = value;
        f.height = static_cast<int>(v * h0 / 100);
        if (keepRatio) {
            f.width = static_cast<int>(RoundQuotient(Word(f.height) * w0, h0));
            f.widthPercent = Percent(f.width, w0);
        }
        break;
    }
    return f;
}

}  // namespace kelbo
