#include "document/document_view.h"

#include "core/luminance.h"
#include "core/rounding.h"

namespace kelbo {

namespace {

int ClampToInt(std::int64_t v) {
    if (v > 0x7FFFFFFF) return 0x7FFFFFFF;
    if (v < 0) return 0;
    return static_cast<int>(v);
}

}  // namespace

Size ZoomedView(Size picture, int percent) {
    return {ClampToInt(std::int64_t{picture.width} * percent / 100),
            ClampToInt(std::int64_t{picture.height} * percent / 100)};
}

Size DocumentFrame(Size view, FrameKind kind) {
    const int extra = kind == FrameKind::kStandard ? 0 : 1;
    return {view.width + 8 + extra, view.height + 27 + extra};
}

PicturePoint PictureFromView(Size picture, Size view, int x, int y) {
    // A view squeezed to nothing has no positions; report the corner.
    if (view.width <= 0 || view.height <= 0) return {0, 0};
    const long double fx = static_cast<long double>(picture.width) / view.width;
    const long double fy = static_cast<long double>(picture.height) / view.height;
    return {Round(fx * x), Round(fy * y)};
}

std::string MainTitle(std::string_view fileName) {
    if (fileName.empty()) return "Kelbo";
    return "Kelbo [" + std::string(fileName) + "]";
}

std::string SizeText(Size picture) {
    return "[" + std::to_string(picture.width) + ", " + std::to_string(picture.height) + "]";
}

std::string PositionText(std::int64_t x, std::int64_t y) { return std::to_string(x) + " : " + std::to_string(y); }

std::string ColorInfoText(Color color) {
    const int r = RedOf(color), g = GreenOf(color), b = BlueOf(color);
    return "farba: \rR = " + std::to_string(r) + "\rG = " + std::to_string(g) + "\rB = " + std::to_string(b) +
           "\rI = " + std::to_string(Luminance(color));
}

SplitPath SplitFilePath(std::string_view path) {
    const size_t cut = path.find_last_of("\\/");
    if (cut == std::string_view::npos) return {"", std::string(path)};
    return {std::string(path.substr(0, cut + 1)), std::string(path.substr(cut + 1))};
}

}  // namespace kelbo
