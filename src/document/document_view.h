// Sizes, titles and texts of an image document window.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "core/color.h"
#include "core/geometry.h"

namespace kelbo {

inline constexpr char kUnnamed[] = "nepomenovaný";

// The view's size at a zoom in percent: picture × percent div 100
// (so 50 % halves with the fraction dropped).
Size ZoomedView(Size picture, int percent);

// Outer size of a document window around its view: +8/+27 for pictures
// opened from files, new pictures and operation results, +9/+28 for the
// clipboard, warp-result and change-of-kind paths.
enum class FrameKind { kStandard, kScreenFormat };
Size DocumentFrame(Size view, FrameKind kind);

// The picture position under a point of the view:
// Round(picture / view × point) per axis.
struct PicturePoint {
    std::int64_t x = 0, y = 0;
    bool operator==(const PicturePoint&) const = default;
};
PicturePoint PictureFromView(Size picture, Size view, int x, int y);

// "Kelbo [name]" for a file name (without directory), "Kelbo" for none.
std::string MainTitle(std::string_view fileName);
// "[" + width + ", " + height + "]"
std::string SizeText(Size picture);
// x + " : " + y
std::string PositionText(std::int64_t x, std::int64_t y);
// "farba: " CR "R = r" CR "G = g" CR "B = b" CR "I = luminance"
std::string ColorInfoText(Color color);

struct SplitPath {
    std::string dir;   // with its trailing backslash, or empty
    std::string name;  // with extension
};
// Splits at the last '\\' or '/'.
SplitPath SplitFilePath(std::string_view path);

}  // namespace kelbo
