// Points, sizes and rectangles in pixels, shared by documents, windows,
// the GIF control and everything that places or measures pictures.
#pragma once

namespace kelbo {

struct Point {
    int x = 0, y = 0;
    bool operator==(const Point&) const = default;
};

struct Size {
    int width = 0, height = 0;
    bool operator==(const Size&) const = default;
};

// Left and top corner with a width and height; the right and bottom edges
// (left + width, top + height) lie outside.
struct Rect {
    int left = 0, top = 0, width = 0, height = 0;
    bool operator==(const Rect&) const = default;
};

}  // namespace kelbo
