// Draws the start-up picture "splash.bmp": the program's name and version in
// block letters over a colour gradient crossed by a warped triangle mesh.
//
//   kelbo-make-splash <out.bmp>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <exception>
#include <string_view>
#include <vector>

#include "codecs/bmp_writer.h"
#include "core/bitmap24.h"
#include "core/color.h"
#include "core/rounding.h"

namespace kelbo {
namespace {

constexpr int kWidth = 400;
constexpr int kHeight = 250;

struct Rgbf {
    double r = 0, g = 0, b = 0;
};

Rgbf Mix(Rgbf a, Rgbf b, double t) { return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t}; }

// Hue in turns, full saturation and value, channels 0..1.
Rgbf HueColor(double hue) {
    hue -= std::floor(hue);
    const double h = hue * 6.0;
    const double f = h - std::floor(h);
    switch (static_cast<int>(h)) {
    case 0: return {1, f, 0};
    case 1: return {1 - f, 1, 0};
    case 2: return {0, 1, f};
    case 3: return {0, 1 - f, 1};
    case 4: return {f, 0, 1};
    default: return {1, 0, 1 - f};
    }
}

class Image {
public:
    Image() : px_(static_cast<std::size_t>(kWidth * kHeight)) {}

    Rgbf& At(int x, int y) { return px_[static_cast<std::size_t>(y * kWidth + x)]; }

    void Blend(int x, int y, Rgbf c, double alpha) {
        if (x < 0 || y < 0 || x >= kWidth || y >= kHeight || alpha <= 0) return;
        Rgbf& p = At(x, y);
        p = Mix(p, c, std::min(alpha, 1.0));
    }

    Bitmap24 ToBitmap() {
        Bitmap24 out(kWidth, kHeight);
        auto byte = [](double v) {
            return static_cast<std::uint8_t>(std::clamp<std::int64_t>(Round(v * 255.0L), 0, 255));
        };
        for (int y = 0; y < kHeight; ++y) {
            for (int x = 0; x < kWidth; ++x) {
                const Rgbf& p = At(x, y);
                out.SetPixel(x, y, Rgb(byte(p.r), byte(p.g), byte(p.b)));
            }
        }
        return out;
    }

private:
    std::vector<Rgbf> px_;
};

// Coverage gathered from points splatted along a curve, so thin lines come
// out smooth instead of stair-stepped.
class Coverage {
public:
    Coverage() : a_(static_cast<std::size_t>(kWidth * kHeight), 0.0) {}

    void Splat(double x, double y, double weight) {
        const int x0 = static_cast<int>(std::floor(x - 0.5)), y0 = static_cast<int>(std::floor(y - 0.5));
        const double fx = x - 0.5 - x0, fy = y - 0.5 - y0;
        Add(x0, y0, weight * (1 - fx) * (1 - fy));
        Add(x0 + 1, y0, weight * fx * (1 - fy));
        Add(x0, y0 + 1, weight * (1 - fx) * fy);
        Add(x0 + 1, y0 + 1, weight * fx * fy);
    }

    void Segment(double ax, double ay, double bx, double by) {
        const double len = std::hypot(bx - ax, by - ay);
        const int steps = std::max(1, static_cast<int>(len * 3));
        for (int i = 0; i < steps; ++i) {
            const double t = (i + 0.5) / steps;
            Splat(ax + (bx - ax) * t, ay + (by - ay) * t, len / steps);
        }
    }

    double At(int x, int y) const { return std::min(1.0, a_[static_cast<std::size_t>(y * kWidth + x)]); }

private:
    void Add(int x, int y, double w) {
        if (x >= 0 && y >= 0 && x < kWidth && y < kHeight) a_[static_cast<std::size_t>(y * kWidth + x)] += w;
    }
    std::vector<double> a_;
};

void Background(Image& img) {
    const Rgbf topLeft{0.05, 0.06, 0.22}, topRight{0.30, 0.04, 0.36};
    const Rgbf bottomLeft{0.02, 0.22, 0.36}, bottomRight{0.10, 0.05, 0.16};
    for (int y = 0; y < kHeight; ++y) {
        const double v = double(y) / (kHeight - 1);
        for (int x = 0; x < kWidth; ++x) {
            const double u = double(x) / (kWidth - 1);
            img.At(x, y) = Mix(Mix(topLeft, topRight, u), Mix(bottomLeft, bottomRight, u), v);
        }
    }
    // A soft rainbow band sweeping diagonally behind the title.
    for (int y = 0; y < kHeight; ++y) {
        for (int x = 0; x < kWidth; ++x) {
            const double across = (y - 0.35 * x - 70.0) / 60.0;
            const double weight = 0.55 * std::exp(-across * across);
            img.Blend(x, y, HueColor(0.55 + 0.55 * x / kWidth), weight);
        }
    }
}

struct Point {
    double x, y;
};

// The mesh after a warp: a lens swelling behind the title plus slow waves.
Point Warp(double gx, double gy) {
    const double cx = 200, cy = 105;
    const double dx = gx - cx, dy = gy - cy;
    const double swell = 1.0 + 0.45 * std::exp(-(dx * dx + dy * dy) / (2 * 95.0 * 95.0));
    return {cx + dx * swell + 7 * std::sin(gy / 37.0), cy + dy * swell + 6 * std::sin(gx / 45.0)};
}

void WarpedMesh(Image& img) {
    constexpr double kStep = 32;
    constexpr int kCols = 16, kRows = 11;
    auto node = [&](int i, int j) { return Warp(-56 + i * kStep, -40 + j * kStep); };
    Coverage lines;
    auto curve = [&](int i0, int j0, int i1, int j1) {
        // Links bend with the warp, so sample the warp along them.
        constexpr int kPieces = 12;
        Point prev = node(i0, j0);
        for (int k = 1; k <= kPieces; ++k) {
            const double t = double(k) / kPieces;
            const Point p = Warp(-56 + (i0 + (i1 - i0) * t) * kStep, -40 + (j0 + (j1 - j0) * t) * kStep);
            lines.Segment(prev.x, prev.y, p.x, p.y);
            prev = p;
        }
    };
    for (int j = 0; j <= kRows; ++j) {
        for (int i = 0; i <= kCols; ++i) {
            if (i < kCols) curve(i, j, i + 1, j);
            if (j < kRows) curve(i, j, i, j + 1);
            if (i < kCols && j < kRows) curve(i, j, i + 1, j + 1);
        }
    }
    for (int y = 0; y < kHeight; ++y) {
        for (int x = 0; x < kWidth; ++x) {
            img.Blend(x, y, Mix(HueColor(0.5 + 0.4 * x / kWidth), {1, 1, 1}, 0.55), 0.55 * lines.At(x, y));
        }
    }
    for (int j = 0; j <= kRows; ++j) {
        for (int i = 0; i <= kCols; ++i) {
            const Point p = node(i, j);
            const Rgbf c = HueColor(0.05 + 0.12 * std::sin(i * 0.7 + j * 0.4));
            for (int y = int(p.y) - 4; y <= int(p.y) + 4; ++y) {
                for (int x = int(p.x) - 4; x <= int(p.x) + 4; ++x) {
                    const double d = std::hypot(x + 0.5 - p.x, y + 0.5 - p.y);
                    img.Blend(x, y, c, std::clamp(3.0 - d, 0.0, 1.0) * 0.9);
                }
            }
        }
    }
}

// A bold block font: strokes two blocks wide, nine rows, lower-case letters
// three rows shorter than capitals.
constexpr int kFontRows = 9;

struct FontChar {
    char ch;
    int width;
    std::array<std::string_view, kFontRows> rows;
};

constexpr std::array<FontChar, 8> kFont = {{
    {'K', 7, {"XX...XX", "XX..XX.", "XX.XX..", "XXXX...", "XXX....", "XXXX...", "XX.XX..", "XX..XX.", "XX...XX"}},
    {'e', 7, {".......", ".......", ".......", ".XXXXX.", "XX...XX", "XXXXXXX", "XX.....", "XX...XX", ".XXXXX."}},
    {'l', 4, {"XXX.", ".XX.", ".XX.", ".XX.", ".XX.", ".XX.", ".XX.", ".XX.", "..XX"}},
    {'b', 7, {"XX.....", "XX.....", "XX.....", "XX.XXX.", "XXX..XX", "XX...XX", "XX...XX", "XXX..XX", "XX.XXX."}},
    {'o', 7, {".......", ".......", ".......", ".XXXXX.", "XX...XX", "XX...XX", "XX...XX", "XX...XX", ".XXXXX."}},
    {'2', 7, {".XXXXX.", "XX...XX", ".....XX", "....XX.", "...XX..", "..XX...", ".XX....", "XX.....", "XXXXXXX"}},
    {'.', 2, {"..", "..", "..", "..", "..", "..", "..", "XX", "XX"}},
    {'0', 7, {".XXXXX.", "XX...XX", "XX..XXX", "XX.XXXX", "XXXX.XX", "XXX..XX", "XX...XX", "XX...XX", ".XXXXX."}},
}};

const FontChar& Char(char ch) {
    for (const FontChar& f : kFont) {
        if (f.ch == ch) return f;
    }
    throw std::logic_error("make_splash: no letter for the character");
}

int TextWidth(std::string_view text, int cell) {
    int w = 0;
    for (char ch : text) w += (Char(ch).width + 1) * cell;
    return w - cell;
}

// Letters in the block font, filled with a gradient from top to bottom,
// bevelled along their own edges (not each block's), with a dark rim and a
// drop shadow.
void BlockText(Image& img, std::string_view text, int left, int top, int cell, Rgbf upper, Rgbf lower, int shadow) {
    std::vector<bool> ink(static_cast<std::size_t>(kWidth * kHeight), false);
    auto inked = [&](int x, int y) {
        return x >= 0 && y >= 0 && x < kWidth && y < kHeight && ink[static_cast<std::size_t>(y * kWidth + x)];
    };
    int x0 = left;
    for (char ch : text) {
        const FontChar& f = Char(ch);
        for (int r = 0; r < kFontRows; ++r) {
            for (int c = 0; c < f.width; ++c) {
                if (f.rows[static_cast<std::size_t>(r)][static_cast<std::size_t>(c)] != 'X') continue;
                for (int y = top + r * cell; y < top + (r + 1) * cell; ++y) {
                    for (int x = x0 + c * cell; x < x0 + (c + 1) * cell; ++x) {
                        if (x >= 0 && y >= 0 && x < kWidth && y < kHeight)
                            ink[static_cast<std::size_t>(y * kWidth + x)] = true;
                    }
                }
            }
        }
        x0 += (f.width + 1) * cell;
    }
    const int bevel = std::max(1, cell / 5);
    constexpr int kRim = 2;
    for (int y = 0; y < kHeight; ++y) {
        for (int x = 0; x < kWidth; ++x) {
            if (inked(x, y)) {
                const Rgbf base = Mix(upper, lower, double(y - top) / (kFontRows * cell));
                bool lit = false, dark = false;
                for (int k = 1; k <= bevel; ++k) {
                    lit = lit || !inked(x - k, y) || !inked(x, y - k);
                    dark = dark || !inked(x + k, y) || !inked(x, y + k);
                }
                img.At(x, y) = lit ? Mix(base, {1, 1, 1}, 0.5) : dark ? Mix(base, {0.3, 0, 0.1}, 0.35) : base;
                continue;
            }
            bool near = false;
            for (int dy = -kRim; dy <= kRim && !near; ++dy) {
                for (int dx = -kRim; dx <= kRim && !near; ++dx) near = inked(x + dx, y + dy);
            }
            if (near) {
                img.At(x, y) = {0.07, 0.02, 0.12};
            } else if (inked(x - shadow, y - shadow)) {
                img.Blend(x, y, {0, 0, 0.05}, 0.45);
            }
        }
    }
}

Bitmap24 MakeSplash() {
    Image img;
    Background(img);
    WarpedMesh(img);
    constexpr int kTitleCell = 9;
    const int titleWidth = TextWidth("Kelbo", kTitleCell);
    BlockText(img, "Kelbo", (kWidth - titleWidth) / 2, 48, kTitleCell, {1.0, 0.93, 0.45}, {1.0, 0.45, 0.18}, 6);
    constexpr int kVersionCell = 5;
    const int versionWidth = TextWidth("2.0", kVersionCell);
    BlockText(img, "2.0", (kWidth + titleWidth) / 2 - versionWidth, 48 + kFontRows * kTitleCell + 16, kVersionCell,
              {0.75, 1.0, 1.0}, {0.25, 0.75, 1.0}, 3);
    // A thin frame keeps the picture's edge crisp on any background.
    for (int x = 0; x < kWidth; ++x) {
        img.Blend(x, 0, {1, 1, 1}, 0.5);
        img.Blend(x, kHeight - 1, {0, 0, 0}, 0.6);
    }
    for (int y = 0; y < kHeight; ++y) {
        img.Blend(0, y, {1, 1, 1}, 0.5);
        img.Blend(kWidth - 1, y, {0, 0, 0}, 0.6);
    }
    return img.ToBitmap();
}

}  // namespace
}  // namespace kelbo

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: kelbo-make-splash <out.bmp>\n");
        return 2;
    }
    try {
        const kelbo::Bitmap24 splash = kelbo::MakeSplash();
        kelbo::WriteBmp24(argv[1], splash.View());
    } catch (const std::exception& e) {
        std::fprintf(stderr, "kelbo-make-splash: %s\n", e.what());
        return 1;
    }
    return 0;
}
