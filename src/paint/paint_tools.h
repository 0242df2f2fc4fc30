// The painting tools' portable rules: the drawing attributes of the tools
// window, the shape entered by coordinates, and the geometry of the shape,
// crop and zoom steps.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "core/geometry.h"

namespace kelbo {

// "typ :" of the tools window, index 0 … 5.
enum class ShapeKind : std::uint8_t {
    kEllipse,         // "elipsa"
    kCircle,          // "kružnica"
    kRectangle,       // "obdĺžnik"
    kSquare,          // "štvorec"
    kRoundRectangle,  // "zrezaný obdĺžnik"
    kRoundSquare,     // "zrezaný štvorec"
};

// "čiara :", index 0 … 4, in the platform's pen style order.
enum class LineStyle : std::uint8_t {
    kSolid,       // "plná"
    kDash,        // "čiarko-čiarkovaná"
    kDot,         // "bodkovaná"
    kDashDot,     // "čiarko-bodkovaná"
    kDashDotDot,  // "čiarko-bodko-bodkovaná"
};

struct DrawingAttributes {
    ShapeKind shape = ShapeKind::kEllipse;
    int penWidth = 1;  // "hrúbka :", 1 … 50
    LineStyle lineStyle = LineStyle::kSolid;
    bool fill = false;  // "Vyplniť útvar"
};

// "hrúbka :": the pen width a text stands for, brought into 1 … 50; text
// that is no whole number stands for 1.
inline constexpr int kMinPenWidth = 1;
inline constexpr int kMaxPenWidth = 50;
int PenWidthOf(std::string_view text);

// A shape of TToolDlg's pages: "Elipsa" (centre a, radii b), "Obdĺžnik"
// (corners a, b), "Čiara" (start a, end b), "Bod" (point a).
struct ToolShape {
    enum class Kind : std::uint8_t { kEllipse, kRectangle, kLine, kPoint } kind = Kind::kEllipse;
    Point a, b;
};

// The description box's text, lines separated by carriage returns.
std::string DescribeShape(const ToolShape& shape);

// A view position on the picture through the view-to-picture ratios,
// each coordinate rounded to the nearest (halves to even).
Point ViewToPicture(Point view, Size viewSize, Size pictureSize);

// The circle's and squares' box: equal sides of the smaller of |dx| and |dy|
// from `start`, in the drag's direction; returns the box's other corner.
Point EqualSidesCorner(Point start, Point end);

// The corner ellipse of a rounded rectangle from start to end:
// ((start.x − end.x) div 2, (start.y − end.y) div 2).
Size RoundCorner(Point start, Point end);

// The crop step's rectangle: corners in order, clamped to the view (left and
// top at least 0, right and bottom at most the view's last column and row);
// the new picture is (right − left) × (bottom − top), the rectangle as the
// platform draws it. Empty when that has no pixel.
struct CropBox {
    int left = 0, top = 0, right = 0, bottom = 0;
    Size Result() const { return {right - left, bottom - top}; }
    bool Empty() const { return right <= left || bottom <= top; }
};
CropBox CropRectangle(Point start, Point end, Size view);

// The zoom step: each side round(side × Z) to enlarge or round(side / Z) to
// reduce, Z = zoomConst / 100 in extended precision, halves to even; at
// least 1 for a side that was not 0.
Size ZoomStep(Size view, int zoomConst, bool enlarge);

}  // namespace kelbo
