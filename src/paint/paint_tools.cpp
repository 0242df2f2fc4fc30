#include "paint/paint_tools.h"

#include <algorithm>
#include <cstdlib>
#include <optional>
#include <stdexcept>

#include "core/extended_precision.h"
#include "core/whole_number.h"

namespace kelbo {
namespace {

std::string Pair(Point p) { return "[" + std::to_string(p.x) + "," + std::to_string(p.y) + "]"; }

int RoundInExtended(long double v) { return static_cast<int>(Round(v)); }

}  // namespace

int PenWidthOf(std::string_view text) {
    const std::optional<int> width = ParseWholeNumber(text);
    return width ? std::clamp(*width, kMinPenWidth, kMaxPenWidth) : kMinPenWidth;
}

std::string DescribeShape(const ToolShape& shape) {
    switch (shape.kind) {
    case ToolShape::Kind::kEllipse: return "Elipsa\rStred " + Pair(shape.a) + "\rPolomer " + Pair(shape.b);
    case ToolShape::Kind::kRectangle:
        return "Obdĺžnik\rPrvý vrchol " + Pair(shape.a) + "\rDruhý vrchol " + Pair(shape.b);
    case ToolShape::Kind::kLine: return "Čiara\rZačiatok " + Pair(shape.a) + "\rKoniec " + Pair(shape.b);
    case ToolShape::Kind::kPoint: return "Bod\rSúradnice " + Pair(shape.a);
    }
    return {};
}

Point ViewToPicture(Point view, Size viewSize, Size pictureSize) {
    if (viewSize.width <= 0 || viewSize.height <= 0) return view;
    const ExtendedPrecisionScope scope;
    const long double rx = static_cast<long double>(pictureSize.width) / viewSize.width;
    const long double ry = static_cast<long double>(pictureSize.height) / viewSize.height;
    return {RoundInExtended(view.x * rx), RoundInExtended(view.y * ry)};
}

Point EqualSidesCorner(Point start, Point end) {
    const int dx = end.x - start.x;
    const int dy = end.y - start.y;
    const int side = std::min(std::abs(dx), std::abs(dy));
    return {start.x + (dx < 0 ? -side : side), start.y + (dy < 0 ? -side : side)};
}

Size RoundCorner(Point start, Point end) { return {(start.x - end.x) / 2, (start.y - end.y) / 2}; }

CropBox CropRectangle(Point start, Point end, Size view) {
    CropBox box{std::min(start.x, end.x), std::min(start.y, end.y), std::max(start.x, end.x), std::max(start.y, end.y)};
    box.left = std::max(box.left, 0);
    box.top = std::max(box.top, 0);
    box.right = std::min(box.right, view.width - 1);
    box.bottom = std::min(box.bottom, view.height - 1);
    return box;
}

Size ZoomStep(Size view, int zoomConst, bool enlarge) {
    if (zoomConst < 1 || zoomConst > 255) throw std::invalid_argument("ZoomConst must lie in 1..255");
    const ExtendedPrecisionScope scope;
    const long double z = zoomConst / 100.0L;
    const auto side = [&](int s) {
        if (s == 0) return 0;
        const int v = RoundInExtended(enlarge ? s * z : s / z);
        return std::max(v, 1);
    };
    return {side(view.width), side(view.height)};
}

}  // namespace kelbo
