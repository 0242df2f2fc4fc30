#include "app/glyphs.h"

#include <algorithm>
#include <cmath>
#include <initializer_list>
#include <stdexcept>
#include <string>

namespace kelbo {
namespace {

// The sixteen colours of the classic system palette, fuchsia excepted: it is
// the mask.
namespace pal {
constexpr Color k = Rgb(0, 0, 0);
constexpr Color R = Rgb(128, 0, 0);
constexpr Color G = Rgb(0, 128, 0);
constexpr Color Y = Rgb(128, 128, 0);
constexpr Color B = Rgb(0, 0, 128);
constexpr Color P = Rgb(128, 0, 128);
constexpr Color T = Rgb(0, 128, 128);
constexpr Color s = Rgb(192, 192, 192);
constexpr Color d = Rgb(128, 128, 128);
constexpr Color r = Rgb(255, 0, 0);
constexpr Color g = Rgb(0, 255, 0);
constexpr Color y = Rgb(255, 255, 0);
constexpr Color b = Rgb(0, 0, 255);
constexpr Color c = Rgb(0, 255, 255);
constexpr Color w = Rgb(255, 255, 255);
}  // namespace pal

constexpr Color kMask = kGlyphMaskColor;

// '.' in art leaves the pixel as it is; 'm' cuts back to the mask.
Color PaletteColor(char ch) {
    switch (ch) {
    case 'k': return pal::k;
    case 'R': return pal::R;
    case 'G': return pal::G;
    case 'Y': return pal::Y;
    case 'B': return pal::B;
    case 'P': return pal::P;
    case 'T': return pal::T;
    case 's': return pal::s;
    case 'd': return pal::d;
    case 'r': return pal::r;
    case 'g': return pal::g;
    case 'y': return pal::y;
    case 'b': return pal::b;
    case 'c': return pal::c;
    case 'w': return pal::w;
    case 'm': return kMask;
    default: throw std::logic_error(std::string("glyph art: unknown colour '") + ch + "'");
    }
}

struct Pt {
    double x, y;
};

class Canvas {
public:
    Canvas() { px_.fill(kMask); }

    bool Inside(int x, int y) const { return x >= 0 && y >= 0 && x < kGlyphSize && y < kGlyphSize; }
    Color At(int x, int y) const { return Inside(x, y) ? px_[Index(x, y)] : kMask; }
    void Dot(int x, int y, Color c) {
        if (Inside(x, y)) px_[Index(x, y)] = c;
    }

    // Bresenham, so 1-pixel lines stay crisp.
    void Line(int x0, int y0, int x1, int y1, Color c) {
        const int dx = std::abs(x1 - x0), sx = x0 < x1 ? 1 : -1;
        const int dy = -std::abs(y1 - y0), sy = y0 < y1 ? 1 : -1;
        int err = dx + dy;
        for (;;) {
            Dot(x0, y0, c);
            if (x0 == x1 && y0 == y1) break;
            const int e2 = 2 * err;
            if (e2 >= dy) err += dy, x0 += sx;
            if (e2 <= dx) err += dx, y0 += sy;
        }
    }

    void Box(int x0, int y0, int x1, int y1, Color c) {
        Line(x0, y0, x1, y0, c);
        Line(x0, y1, x1, y1, c);
        Line(x0, y0, x0, y1, c);
        Line(x1, y0, x1, y1, c);
    }

    void FillBox(int x0, int y0, int x1, int y1, Color c) {
        for (int y = y0; y <= y1; ++y) {
            for (int x = x0; x <= x1; ++x) Dot(x, y, c);
        }
    }

    // Shapes in continuous coordinates take the pixels whose centres they cover.
    template <class Covers>
    void FillWhere(Covers covers, Color c) {
        for (int y = 0; y < kGlyphSize; ++y) {
            for (int x = 0; x < kGlyphSize; ++x) {
                if (covers(x + 0.5, y + 0.5)) Dot(x, y, c);
            }
        }
    }

    void Ellipse(Pt centre, double rx, double ry, Color c) {
        FillWhere(
            [&](double x, double y) {
                const double u = (x - centre.x) / rx, v = (y - centre.y) / ry;
                return u * u + v * v <= 1.0;
            },
            c);
    }

    // A band between two radii, from angle a0 to a1 in degrees, counted
    // counter-clockwise from east with y growing downward on screen.
    void Arc(Pt centre, double rIn, double rOut, double a0, double a1, Color c) {
        FillWhere(
            [&](double x, double y) {
                const double dx = x - centre.x, dy = centre.y - y;
                const double dist = std::hypot(dx, dy);
                if (dist < rIn || dist > rOut) return false;
                double a = std::atan2(dy, dx) * 180.0 / 3.14159265358979323846;
                if (a < a0) a += 360.0;
                return a <= a1;
            },
            c);
    }

    void Polygon(std::initializer_list<Pt> pts, Color c) {
        FillWhere(
            [&](double x, double y) {
                bool in = false;
                const Pt* prev = pts.end() - 1;
                for (const Pt& p : pts) {
                    if ((p.y > y) != (prev->y > y) && x < (prev->x - p.x) * (y - p.y) / (prev->y - p.y) + p.x) {
                        in = !in;
                    }
                    prev = &p;
                }
                return in;
            },
            c);
    }

    // A segment of the given width with round ends.
    void Stroke(Pt a, Pt b, double width, Color c) {
        const double half = width / 2.0;
        FillWhere(
            [&](double x, double y) {
                const double vx = b.x - a.x, vy = b.y - a.y;
                const double len2 = vx * vx + vy * vy;
                double t = len2 > 0 ? ((x - a.x) * vx + (y - a.y) * vy) / len2 : 0.0;
                t = std::clamp(t, 0.0, 1.0);
                return std::hypot(x - (a.x + t * vx), y - (a.y + t * vy)) <= half;
            },
            c);
    }

    void Art(int x0, int y0, std::initializer_list<std::string_view> rows) {
        const std::size_t width = rows.begin()->size();
        int y = y0;
        for (std::string_view row : rows) {
            if (row.size() != width) throw std::logic_error("glyph art: ragged rows");
            for (std::size_t i = 0; i < row.size(); ++i) {
                if (row[i] != '.') Dot(x0 + static_cast<int>(i), y, PaletteColor(row[i]));
            }
            ++y;
        }
    }

    // Rings everything drawn so far with a 1-pixel border, the way 16-colour
    // icons separate a shape from whatever the tool bar shows behind it.
    void Outline(Color c) {
        Canvas copy = *this;
        for (int y = 0; y < kGlyphSize; ++y) {
            for (int x = 0; x < kGlyphSize; ++x) {
                if (copy.At(x, y) != kMask) continue;
                if (copy.At(x - 1, y) != kMask || copy.At(x + 1, y) != kMask || copy.At(x, y - 1) != kMask ||
                    copy.At(x, y + 1) != kMask) {
                    Dot(x, y, c);
                }
            }
        }
    }

    void Paste(const Canvas& layer) {
        for (std::size_t i = 0; i < px_.size(); ++i) {
            if (layer.px_[i] != kMask) px_[i] = layer.px_[i];
        }
    }

    void MirrorX() {
        for (int y = 0; y < kGlyphSize; ++y) {
            std::reverse(px_.begin() + Index(0, y), px_.begin() + Index(0, y) + kGlyphSize);
        }
    }

    void CopyTo(PixelView out, int left) const {
        for (int y = 0; y < kGlyphSize; ++y) {
            for (int x = 0; x < kGlyphSize; ++x) out.SetPixel(left + x, y, px_[Index(x, y)]);
        }
    }

private:
    static std::size_t Index(int x, int y) { return static_cast<std::size_t>(y * kGlyphSize + x); }

    std::array<Color, kGlyphSize * kGlyphSize> px_{};
};

// ---- Pieces shared by several glyphs -------------------------------------

// A sheet of paper with its top-right corner folded down.
void Page(Canvas& c, int x0, int y0, int x1, int y1, int fold, bool lines) {
    c.FillBox(x0, y0, x1, y1, pal::w);
    c.Box(x0, y0, x1, y1, pal::k);
    for (int dy = 0; dy < fold; ++dy) {
        for (int x = x1 - fold + 1 + dy; x <= x1; ++x) c.Dot(x, y0 + dy, kMask);
    }
    for (int dy = 1; dy < fold; ++dy) {
        for (int x = x1 - fold + 1; x < x1 - fold + dy; ++x) c.Dot(x, y0 + dy, pal::s);
    }
    c.Line(x1 - fold, y0, x1, y0 + fold, pal::k);
    c.Line(x1 - fold, y0, x1 - fold, y0 + fold, pal::k);
    c.Line(x1 - fold, y0 + fold, x1, y0 + fold, pal::k);
    if (lines) {
        for (int y = y0 + fold + 2; y <= y1 - 2; y += 2) c.Line(x0 + 2, y, x1 - 2, y, pal::d);
    }
}

// An open folder, 16 x 10, its back olive and its front flap yellow.
void OpenFolder(Canvas& c, int y0) {
    c.Art(0, y0,
          {
              ".kkkk...........",
              "kYYYYk..........",
              "kYwwwYkkkkkkk...",
              "kYYYYYYYYYYYk...",
              "kYYYkkkkkkkkkkkk",
              "kYYYkwyyyyyyyyyk",
              "kYYkwyyyyyyyyyk.",
              "kYkyyyyyyyyyyk..",
              "kkyyyyyyyyyyk...",
              "kkkkkkkkkkkk....",
          });
}

void Floppy(Canvas& c) {
    c.Art(0, 0,
          {
              "................",
              ".kkkkkkkkkkkkk..",
              ".kBBsssssssBBbk.",
              ".kBBsssskksBBBk.",
              ".kBBsssskksBBBk.",
              ".kBBsssssssBBBk.",
              ".kBBBBBBBBBBBBk.",
              ".kBBBBBBBBBBBBk.",
              ".kBwwwwwwwwwwBk.",
              ".kBwddddddddwBk.",
              ".kBwwwwwwwwwwBk.",
              ".kBwddddddddwBk.",
              ".kBwwwwwwwwwwBk.",
              ".kBwwwwwwwwwwBk.",
              ".kkkkkkkkkkkkkk.",
              "................",
          });
}

void SmallFloppy(Canvas& c, int x0, int y0) {
    c.Art(x0, y0,
          {
              "kkkkkkkkkkk.",
              "kBBsssssBBBk",
              "kBBsskksBBBk",
              "kBBsssssBBBk",
              "kBBBBBBBBBBk",
              "kBwwwwwwwwBk",
              "kBwddddddwBk",
              "kBwwwwwwwwBk",
              "kBwddddddwBk",
              "kBwwwwwwwwBk",
              "kkkkkkkkkkkk",
          });
}

// A mesh node: the handle the user drags.
void Node(Canvas& c, int x, int y, Color fill) {
    c.Box(x - 1, y - 1, x + 1, y + 1, pal::k);
    c.Dot(x, y, fill);
}

// Nodes in rows of three; links along rows and columns and one diagonal per
// cell, as the warp's triangles join them.
void Mesh(Canvas& c, const std::array<Pt, 9>& n, Color link, Color node) {
    auto at = [&](int i, int j) { return n[static_cast<std::size_t>(j * 3 + i)]; };
    auto linkNodes = [&](Pt a, Pt b) {
        c.Line(static_cast<int>(a.x), static_cast<int>(a.y), static_cast<int>(b.x), static_cast<int>(b.y), link);
    };
    for (int j = 0; j < 3; ++j) {
        for (int i = 0; i < 3; ++i) {
            if (i < 2) linkNodes(at(i, j), at(i + 1, j));
            if (j < 2) linkNodes(at(i, j), at(i, j + 1));
            if (i < 2 && j < 2) linkNodes(at(i, j), at(i + 1, j + 1));
        }
    }
    for (const Pt& p : n) {
        const int x = static_cast<int>(p.x), y = static_cast<int>(p.y);
        c.FillBox(x - 1, y - 1, x + 1, y + 1, node);
    }
}

std::array<Pt, 9> RegularNodes(int first, int step) {
    std::array<Pt, 9> n{};
    for (int j = 0; j < 3; ++j) {
        for (int i = 0; i < 3; ++i) {
            n[static_cast<std::size_t>(j * 3 + i)] = {double(first + i * step), double(first + j * step)};
        }
    }
    return n;
}

// The same mesh after the user has dragged its inner nodes.
constexpr std::array<Pt, 9> kWarpedNodes = {
    {{1, 1}, {8, 2}, {14, 1}, {2, 7}, {10, 5}, {13, 8}, {1, 14}, {6, 12}, {14, 14}}};

// A small mesh: two triangles, the warp's building block.
void MiniMesh(Canvas& c, int x0, int y0) {
    c.Line(x0 + 1, y0 + 5, x0 + 4, y0 + 1, pal::B);
    c.Line(x0 + 4, y0 + 1, x0 + 7, y0 + 5, pal::B);
    c.Line(x0 + 1, y0 + 5, x0 + 7, y0 + 5, pal::B);
    c.Line(x0 + 4, y0 + 1, x0 + 6, y0 + 0, pal::B);
    c.Line(x0 + 6, y0 + 0, x0 + 7, y0 + 5, pal::B);
    Node(c, x0 + 1, y0 + 5, pal::r);
    Node(c, x0 + 4, y0 + 1, pal::r);
    Node(c, x0 + 7, y0 + 5, pal::r);
}

// ---- The glyphs -------------------------------------------------------------

Canvas DrawNew() {
    Canvas c;
    Page(c, 1, 1, 11, 15, 4, false);
    c.Art(11, 0,
          {
              "..y..",
              ".yyy.",
              "yywyy",
              ".yyy.",
              "..y..",
          });
    return c;
}

Canvas DrawOpen() {
    Canvas c;
    OpenFolder(c, 5);
    c.Art(8, 0,
          {
              "........",
              "..bbb...",
              ".b...b.b",
              "b.....bb",
              ".....bbb",
          });
    return c;
}

// A chequerboard bent by a sine along each axis: a picture after a warp.
void BentBoard(Canvas& c, int x0, int y0, int w, int h, double bend) {
    Canvas board;
    constexpr int kSteps = 160;
    const double pi = 3.14159265358979323846;
    for (int i = 0; i <= kSteps; ++i) {
        for (int j = 0; j <= kSteps; ++j) {
            const double u = double(i) / kSteps, v = double(j) / kSteps;
            const double x = x0 + u * w + bend * std::sin(pi * v);
            const double y = y0 + v * h + bend * std::sin(pi * u);
            const int cell = std::min(int(u * 4), 3) + std::min(int(v * 4), 3);
            board.Dot(int(x), int(y), cell % 2 == 0 ? pal::b : pal::w);
        }
    }
    board.Outline(pal::k);
    c.Paste(board);
}

Canvas DrawWarping() {
    Canvas c;
    BentBoard(c, 4, 1, 10, 9, 1.6);
    c.Art(0, 9,
          {
              ".kkk......",
              "kYYYkkkk..",
              "kYYYYYYYk.",
              "kYYkkkkkkk",
              "kYkyyyyyyk",
              "kkyyyyyyk.",
              "kkkkkkkk..",
          });
    return c;
}

Canvas DrawBrowser() {
    Canvas c;
    c.FillBox(0, 1, 15, 14, pal::s);
    c.Box(0, 1, 15, 14, pal::k);
    c.FillBox(1, 2, 14, 3, pal::B);
    c.FillBox(1, 4, 5, 13, pal::w);
    c.Line(6, 4, 6, 13, pal::d);
    for (int y : {5, 7, 9, 11}) {
        c.Dot(2, y, pal::y);
        c.Line(3, y, 4, y, pal::d);
    }
    c.FillBox(8, 5, 10, 8, pal::c);
    c.FillBox(8, 7, 10, 8, pal::G);
    c.FillBox(12, 5, 14, 8, pal::b);
    c.Dot(13, 6, pal::y);
    c.FillBox(8, 10, 10, 13, pal::r);
    c.FillBox(8, 12, 10, 13, pal::Y);
    c.FillBox(12, 10, 14, 13, pal::T);
    c.FillBox(12, 12, 14, 13, pal::g);
    return c;
}

Canvas DrawSave() {
    Canvas c;
    Floppy(c);
    return c;
}

// A pencil lying from top right to bottom left.
void Pencil(Canvas& c, int x0, int y0) {
    c.Art(x0, y0,
          {
              "......kk.",
              ".....krRk",
              "....kyrk.",
              "...kyyk..",
              "..kyyk...",
              ".ksyk....",
              ".kkk.....",
              "k........",
          });
}

Canvas DrawSaveAs() {
    Canvas c;
    SmallFloppy(c, 0, 5);
    Pencil(c, 7, 0);
    return c;
}

Canvas DrawUndo() {
    Canvas c;
    c.Polygon({{0.5, 6.5}, {6.5, 0.5}, {6.5, 12.5}}, pal::b);
    c.Arc({6.5, 12.0}, 2.6, 6.4, -60.0, 90.0, pal::b);
    c.Outline(pal::B);
    return c;
}

Canvas DrawRedo() {
    Canvas c = DrawUndo();
    c.MirrorX();
    return c;
}

Canvas DrawCut() {
    Canvas c;
    c.Stroke({4.5, 0.5}, {10.0, 9.5}, 1.5, pal::k);
    c.Stroke({11.5, 0.5}, {6.0, 9.5}, 1.5, pal::k);
    c.Arc({5.0, 12.0}, 1.2, 3.0, 0.0, 360.0, pal::r);
    c.Arc({11.0, 12.0}, 1.2, 3.0, 0.0, 360.0, pal::r);
    c.Dot(7, 5, pal::s);
    c.Dot(8, 5, pal::s);
    return c;
}

Canvas DrawCopy() {
    Canvas c;
    Page(c, 0, 0, 9, 11, 3, true);
    Page(c, 5, 4, 14, 15, 3, true);
    return c;
}

Canvas DrawPaste() {
    Canvas c;
    c.FillBox(1, 2, 12, 15, pal::Y);
    c.Box(1, 2, 12, 15, pal::k);
    c.FillBox(4, 0, 9, 3, pal::s);
    c.Box(4, 0, 9, 3, pal::k);
    c.Line(5, 1, 8, 1, pal::d);
    Page(c, 6, 5, 15, 15, 3, true);
    return c;
}

Canvas DrawHistogram() {
    Canvas c;
    constexpr std::array<int, 12> kHeights = {2, 4, 7, 10, 12, 11, 8, 6, 7, 9, 5, 2};
    for (std::size_t i = 0; i < kHeights.size(); ++i) {
        const int x = 3 + static_cast<int>(i);
        c.Line(x, 13 - kHeights[i] + 1, x, 13, i % 2 == 0 ? pal::B : pal::b);
    }
    c.Line(1, 1, 1, 14, pal::k);
    c.Line(1, 14, 15, 14, pal::k);
    c.Dot(0, 2, pal::k);
    c.Dot(14, 15, pal::k);
    return c;
}

Canvas DrawTools() {
    Canvas c;
    // A hammer and a screwdriver sticking out of a red tool box.
    c.FillBox(10, 3, 11, 8, pal::Y);
    c.FillBox(7, 1, 14, 3, pal::d);
    c.Box(7, 1, 14, 3, pal::k);
    c.Line(9, 3, 9, 7, pal::k);
    c.Line(12, 3, 12, 7, pal::k);
    c.Line(4, 0, 4, 4, pal::s);
    c.FillBox(3, 4, 5, 7, pal::y);
    c.Box(2, 4, 6, 8, pal::k);
    c.FillBox(0, 8, 15, 15, pal::r);
    c.Box(0, 8, 15, 15, pal::k);
    c.Line(1, 10, 14, 10, pal::R);
    c.FillBox(6, 10, 9, 11, pal::s);
    c.Box(6, 10, 9, 12, pal::k);
    return c;
}

Canvas DrawView() {
    Canvas c;
    c.FillBox(0, 0, 15, 11, pal::s);
    c.Box(0, 0, 15, 11, pal::k);
    c.FillBox(2, 2, 13, 9, pal::c);
    c.Polygon({{2, 10}, {2, 7}, {6, 4.5}, {10, 8}, {12, 6.5}, {14, 8}, {14, 10}}, pal::G);
    c.FillBox(10, 3, 11, 4, pal::y);
    c.Box(2, 2, 13, 9, pal::k);
    c.FillBox(6, 12, 9, 13, pal::d);
    c.FillBox(3, 14, 12, 15, pal::k);
    return c;
}

Canvas DrawMaxim() {
    Canvas c;
    c.FillBox(4, 4, 11, 11, pal::w);
    c.Box(4, 4, 11, 11, pal::k);
    c.FillBox(5, 5, 10, 6, pal::B);
    for (int flip = 0; flip < 4; ++flip) {
        Canvas corner;
        corner.Polygon({{0, 0}, {5, 0}, {0, 5}}, pal::k);
        corner.Line(1, 1, 3, 3, pal::k);
        if (flip & 1) corner.MirrorX();
        if (flip & 2) {
            Canvas turned;
            for (int y = 0; y < kGlyphSize; ++y) {
                for (int x = 0; x < kGlyphSize; ++x) turned.Dot(x, kGlyphSize - 1 - y, corner.At(x, y));
            }
            corner = turned;
        }
        c.Paste(corner);
    }
    return c;
}

Canvas DrawArrow() {
    Canvas c;
    c.Art(4, 0,
          {
              "k.........",
              "kk........",
              "kwk.......",
              "kwwk......",
              "kwwwk.....",
              "kwwwwk....",
              "kwwwwwk...",
              "kwwwwwwk..",
              "kwwwwwwwk.",
              "kwwwwwkkkk",
              "kwwkwwk...",
              "kwk.kwwk..",
              "kk..kwwk..",
              "k....kwwk.",
              ".....kwwk.",
              "......kk..",
          });
    return c;
}

Canvas DrawZoom() {
    Canvas c;
    c.Stroke({10.5, 10.5}, {14.0, 14.0}, 3.2, pal::k);
    c.Stroke({11.0, 11.0}, {13.8, 13.8}, 1.4, pal::Y);
    c.Ellipse({6.5, 6.5}, 6.0, 6.0, pal::k);
    c.Ellipse({6.5, 6.5}, 4.6, 4.6, pal::c);
    c.Art(3, 3,
          {
              ".ww",
              "ww.",
              "w..",
          });
    return c;
}

Canvas DrawPick() {
    Canvas c;
    Canvas tube;
    tube.Stroke({2.5, 13.5}, {9.0, 7.0}, 2.2, pal::w);
    tube.Stroke({3.0, 13.0}, {6.5, 9.5}, 1.2, pal::c);
    tube.Outline(pal::k);
    c.Paste(tube);
    c.Stroke({8.0, 5.5}, {10.5, 8.0}, 2.6, pal::d);
    c.Ellipse({12.0, 4.0}, 3.0, 3.0, pal::k);
    c.Dot(11, 3, pal::d);
    c.Dot(1, 15, pal::b);
    c.Dot(0, 15, pal::b);
    c.Dot(1, 14, pal::b);
    return c;
}

Canvas DrawPen() {
    Canvas c;
    Canvas brush;
    brush.Stroke({14.0, 2.0}, {9.0, 7.0}, 2.4, pal::R);
    brush.Stroke({9.0, 7.0}, {7.0, 9.0}, 3.0, pal::s);
    brush.Polygon({{5.0, 7.5}, {8.5, 11.0}, {3.0, 14.5}, {1.5, 13.0}}, pal::k);
    brush.Polygon({{3.0, 11.5}, {4.5, 13.0}, {3.0, 14.5}, {1.5, 13.0}}, pal::b);
    brush.Outline(pal::k);
    c.Paste(brush);
    return c;
}

Canvas DrawLine() {
    Canvas c;
    c.Stroke({2.5, 13.5}, {13.5, 2.5}, 1.6, pal::k);
    c.FillBox(1, 13, 3, 15, pal::b);
    c.FillBox(12, 0, 14, 2, pal::b);
    return c;
}

Canvas DrawFill() {
    Canvas c;
    // A bucket tipped 40 degrees to the right, pouring from its lip.
    const Pt mouth{8.5, 4.0};
    const double cs = std::cos(40.0 * 3.14159265358979323846 / 180.0);
    const double sn = std::sin(40.0 * 3.14159265358979323846 / 180.0);
    auto turn = [&](double x, double y) { return Pt{mouth.x + x * cs - y * sn, mouth.y + x * sn + y * cs}; };
    c.Arc(mouth, 4.6, 5.6, -40.0, 140.0, pal::k);
    Canvas bucket;
    bucket.Polygon({turn(-4.5, 0), turn(4.5, 0), turn(3, 8), turn(-3, 8)}, pal::w);
    bucket.Polygon({turn(1.5, 0), turn(4.5, 0), turn(3, 8), turn(1, 8)}, pal::s);
    bucket.FillWhere(
        [&](double x, double y) {
            const double u = ((x - mouth.x) * cs + (y - mouth.y) * sn) / 4.2;
            const double v = (-(x - mouth.x) * sn + (y - mouth.y) * cs) / 1.4;
            return u * u + v * v <= 1.0;
        },
        pal::b);
    bucket.Outline(pal::k);
    c.Paste(bucket);
    c.FillBox(12, 7, 13, 13, pal::b);
    c.FillBox(11, 14, 15, 15, pal::b);
    return c;
}

Canvas DrawShape() {
    Canvas c;
    c.FillBox(1, 6, 9, 14, pal::b);
    c.Box(0, 5, 9, 14, pal::k);
    Canvas ring;
    ring.Ellipse({10.5, 6.0}, 4.9, 4.9, pal::y);
    ring.Outline(pal::k);
    c.Paste(ring);
    return c;
}

Canvas DrawCrop() {
    Canvas c;
    c.FillBox(3, 0, 4, 12, pal::k);
    c.FillBox(3, 11, 15, 12, pal::k);
    c.FillBox(0, 3, 12, 4, pal::k);
    c.FillBox(11, 3, 12, 15, pal::k);
    c.FillBox(5, 5, 10, 10, pal::c);
    return c;
}

Canvas DrawText() {
    Canvas c;
    c.Art(1, 2,
          {
              "......kk......",
              ".....kkkk.....",
              ".....kkkk.....",
              "....kk.kkk....",
              "....kk..kk....",
              "...kk...kkk...",
              "...kkkkkkkk...",
              "..kk.....kkk..",
              "..kk......kk..",
              ".kk.......kkk.",
              "kkkk.....kkkkk",
          });
    c.Line(0, 14, 15, 14, pal::r);
    return c;
}

// The mesh in the top-left three quarters, leaving room for a badge.
Canvas BadgeMesh() {
    Canvas c;
    Mesh(c, RegularNodes(1, 5), pal::B, pal::r);
    return c;
}

Canvas DrawAdd() {
    Canvas c = BadgeMesh();
    c.Art(9, 9,
          {
              "..kkk..",
              "..kgk..",
              "kkkgkkk",
              "kgggggk",
              "kkkgkkk",
              "..kgk..",
              "..kkk..",
          });
    return c;
}

Canvas DrawDel() {
    Canvas c = BadgeMesh();
    c.Art(9, 10,
          {
              "mmmmmmm",
              "kkkkkkk",
              "krrrrrk",
              "krrrrrk",
              "kkkkkkk",
              "mmmmmmm",
          });
    return c;
}

Canvas DrawEdit() {
    Canvas c = BadgeMesh();
    c.Box(4, 4, 8, 8, pal::k);
    c.FillBox(5, 5, 7, 7, pal::y);
    c.Art(8, 8,
          {
              "k......",
              "kk.....",
              "kwk....",
              "kwwk...",
              "kwwwk..",
              "kwwwwk.",
              "kwwkkkk",
              "kkk....",
          });
    return c;
}

Canvas DrawEditDial() {
    Canvas c;
    c.FillBox(0, 1, 15, 14, pal::s);
    c.Box(0, 1, 15, 14, pal::k);
    c.FillBox(1, 2, 14, 3, pal::B);
    c.Dot(13, 2, pal::w);
    c.FillBox(2, 5, 6, 9, pal::w);
    c.Line(2, 9, 6, 5, pal::B);
    Node(c, 4, 7, pal::r);
    for (int y : {5, 8}) {
        c.FillBox(8, y, 13, y + 1, pal::w);
        c.Line(8, y, 13, y, pal::d);
    }
    c.FillBox(9, 11, 13, 12, pal::s);
    c.Box(8, 11, 14, 13, pal::k);
    c.Line(9, 11, 13, 11, pal::w);
    return c;
}

Canvas DrawNoWarp() {
    Canvas c;
    Mesh(c, RegularNodes(1, 7), pal::B, pal::r);
    return c;
}

Canvas DrawWarp() {
    Canvas c;
    Mesh(c, kWarpedNodes, pal::B, pal::r);
    return c;
}

Canvas DrawWarpNow() {
    Canvas c;
    Mesh(c, kWarpedNodes, pal::B, pal::r);
    c.Art(3, 0,
          {
              "....kkkkk",
              "...kyyyk.",
              "...kyyk..",
              "..kyyk...",
              "..kyykkkk",
              ".kyyyyyyk",
              ".kkkkyyk.",
              "...kyyk..",
              "...kyk...",
              "..kyk....",
              "..kk.....",
              ".kk......",
              ".k.......",
          });
    return c;
}

Canvas DrawMovie() {
    Canvas c;
    c.FillBox(2, 0, 13, 15, pal::k);
    for (int y = 1; y < kGlyphSize; y += 3) {
        c.Dot(3, y, pal::w);
        c.Dot(12, y, pal::w);
    }
    c.FillBox(5, 1, 10, 6, pal::c);
    c.FillBox(5, 5, 10, 6, pal::G);
    c.Dot(8, 3, pal::r);
    c.Dot(7, 4, pal::r);
    c.FillBox(5, 9, 10, 14, pal::c);
    c.FillBox(5, 13, 10, 14, pal::G);
    c.Dot(9, 11, pal::r);
    c.Dot(8, 12, pal::r);
    return c;
}

Canvas DrawLoad() {
    Canvas c;
    OpenFolder(c, 6);
    MiniMesh(c, 7, 0);
    return c;
}

Canvas DrawSaveIt() {
    Canvas c;
    SmallFloppy(c, 0, 5);
    MiniMesh(c, 7, 0);
    return c;
}

Canvas DrawSwap() {
    Canvas c;
    Canvas top;
    top.FillBox(1, 3, 10, 4, pal::b);
    top.Polygon({{10, 0.5}, {15, 4}, {10, 7.5}}, pal::b);
    top.Outline(pal::B);
    Canvas bottom;
    bottom.FillBox(5, 11, 14, 12, pal::r);
    bottom.Polygon({{6, 8.5}, {1, 12}, {6, 15.5}}, pal::r);
    bottom.Outline(pal::R);
    c.Paste(top);
    c.Paste(bottom);
    return c;
}

Canvas DrawCanvas(Glyph glyph) {
    switch (glyph) {
    case Glyph::kNew: return DrawNew();
    case Glyph::kOpen: return DrawOpen();
    case Glyph::kWarping: return DrawWarping();
    case Glyph::kBrowser: return DrawBrowser();
    case Glyph::kSave: return DrawSave();
    case Glyph::kSaveAs: return DrawSaveAs();
    case Glyph::kUndo: return DrawUndo();
    case Glyph::kRedo: return DrawRedo();
    case Glyph::kCut: return DrawCut();
    case Glyph::kCopy: return DrawCopy();
    case Glyph::kPaste: return DrawPaste();
    case Glyph::kHistogram: return DrawHistogram();
    case Glyph::kTools: return DrawTools();
    case Glyph::kView: return DrawView();
    case Glyph::kMaxim: return DrawMaxim();
    case Glyph::kArrow: return DrawArrow();
    case Glyph::kZoom: return DrawZoom();
    case Glyph::kPick: return DrawPick();
    case Glyph::kPen: return DrawPen();
    case Glyph::kLine: return DrawLine();
    case Glyph::kFill: return DrawFill();
    case Glyph::kShape: return DrawShape();
    case Glyph::kCrop: return DrawCrop();
    case Glyph::kText: return DrawText();
    case Glyph::kAdd: return DrawAdd();
    case Glyph::kDel: return DrawDel();
    case Glyph::kEdit: return DrawEdit();
    case Glyph::kEditDial: return DrawEditDial();
    case Glyph::kNoWarp: return DrawNoWarp();
    case Glyph::kWarp: return DrawWarp();
    case Glyph::kWarpNow: return DrawWarpNow();
    case Glyph::kMovie: return DrawMovie();
    case Glyph::kLoad: return DrawLoad();
    case Glyph::kSaveIt: return DrawSaveIt();
    case Glyph::kSwap: return DrawSwap();
    }
    throw std::invalid_argument("DrawGlyph: unknown glyph " + std::to_string(static_cast<int>(glyph)));
}

}  // namespace

std::string_view GlyphName(Glyph glyph) {
    switch (glyph) {
    case Glyph::kNew: return "New";
    case Glyph::kOpen: return "Open";
    case Glyph::kWarping: return "Warping";
    case Glyph::kBrowser: return "Browser";
    case Glyph::kSave: return "Save";
    case Glyph::kSaveAs: return "SaveAs";
    case Glyph::kUndo: return "Undo";
    case Glyph::kRedo: return "Redo";
    case Glyph::kCut: return "Cut";
    case Glyph::kCopy: return "Copy";
    case Glyph::kPaste: return "Paste";
    case Glyph::kHistogram: return "Histogram";
    case Glyph::kTools: return "Tools";
    case Glyph::kView: return "View";
    case Glyph::kMaxim: return "Maxim";
    case Glyph::kArrow: return "Arrow";
    case Glyph::kZoom: return "Zoom";
    case Glyph::kPick: return "Pick";
    case Glyph::kPen: return "Pen";
    case Glyph::kLine: return "Line";
    case Glyph::kFill: return "Fill";
    case Glyph::kShape: return "Shape";
    case Glyph::kCrop: return "Crop";
    case Glyph::kText: return "Text";
    case Glyph::kAdd: return "Add";
    case Glyph::kDel: return "Del";
    case Glyph::kEdit: return "Edit";
    case Glyph::kEditDial: return "EditDial";
    case Glyph::kNoWarp: return "NoWarp";
    case Glyph::kWarp: return "Warp";
    case Glyph::kWarpNow: return "WarpNow";
    case Glyph::kMovie: return "Movie";
    case Glyph::kLoad: return "Load";
    case Glyph::kSaveIt: return "SaveIt";
    case Glyph::kSwap: return "Swap";
    }
    return "?";
}

Bitmap24 DrawGlyph(Glyph glyph) {
    Bitmap24 out(kGlyphSize, kGlyphSize);
    DrawCanvas(glyph).CopyTo(out.View(), 0);
    return out;
}

Bitmap24 GlyphStrip(std::span<const Glyph> glyphs) {
    if (glyphs.empty()) return Bitmap24();
    Bitmap24 out(kGlyphSize * static_cast<int>(glyphs.size()), kGlyphSize);
    for (std::size_t i = 0; i < glyphs.size(); ++i) {
        DrawCanvas(glyphs[i]).CopyTo(out.View(), kGlyphSize * static_cast<int>(i));
    }
    return out;
}

}  // namespace kelbo
