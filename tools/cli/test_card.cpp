#include "test_card.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace kelbo::cli {
namespace {

constexpr Color kBackground = Rgb(104, 104, 104);
constexpr Color kGrid = Rgb(232, 232, 232);
constexpr Color kRim = Rgb(255, 255, 255);

constexpr std::array<Color, 8> kBars = {Rgb(255, 255, 255), Rgb(255, 255, 0), Rgb(0, 255, 255), Rgb(0, 255, 0),
                                        Rgb(255, 0, 255),   Rgb(255, 0, 0),   Rgb(0, 0, 255),   Rgb(0, 0, 0)};

struct Glyph {
    char letter;
    std::array<std::uint8_t, 7> rows;  // 5 pixels each, bit 4 is the left one
};

constexpr std::array<Glyph, 17> kFont = {{
    {'K', {0x11, 0x12, 0x14, 0x18, 0x14, 0x12, 0x11}},
    {'E', {0x1F, 0x10, 0x10, 0x1E, 0x10, 0x10, 0x1F}},
    {'L', {0x10, 0x10, 0x10, 0x10, 0x10, 0x10, 0x1F}},
    {'B', {0x1E, 0x11, 0x11, 0x1E, 0x11, 0x11, 0x1E}},
    {'O', {0x0E, 0x11, 0x11, 0x11, 0x11, 0x11, 0x0E}},
    {'x', {0x00, 0x00, 0x11, 0x0A, 0x04, 0x0A, 0x11}},
    {'.', {0x00, 0x00, 0x00, 0x00, 0x00, 0x0C, 0x0C}},
    {'0', {0x0E, 0x11, 0x13, 0x15, 0x19, 0x11, 0x0E}},
    {'1', {0x04, 0x0C, 0x04, 0x04, 0x04, 0x04, 0x0E}},
    {'2', {0x0E, 0x11, 0x01, 0x02, 0x04, 0x08, 0x1F}},
    {'3', {0x1F, 0x02, 0x04, 0x02, 0x01, 0x11, 0x0E}},
    {'4', {0x02, 0x06, 0x0A, 0x12, 0x1F, 0x02, 0x02}},
    {'5', {0x1F, 0x10, 0x1E, 0x01, 0x01, 0x11, 0x0E}},
    {'6', {0x06, 0x08, 0x10, 0x1E, 0x11, 0x11, 0x0E}},
    {'7', {0x1F, 0x01, 0x02, 0x04, 0x08, 0x08, 0x08}},
    {'8', {0x0E, 0x11, 0x11, 0x0E, 0x11, 0x11, 0x0E}},
    {'9', {0x0E, 0x11, 0x11, 0x0F, 0x01, 0x02, 0x0C}},
}};

constexpr int kGlyphWidth = 5;
constexpr int kGlyphHeight = 7;
constexpr int kGlyphAdvance = 6;

struct Layout {
    int width, height;
    int cx, cy;      // centre
    int cell;        // grid spacing
    int radius;      // inner radius of the circle
    int rim;         // rim thickness
    int top;         // first row inside the circle
    int markLength;  // corner marks
    int markThickness;
};

Layout MakeLayout(int width, int height) {
    Layout l{};
    l.width = width;
    l.height = height;
    l.cx = width / 2;
    l.cy = height / 2;
    const int shorter = std::min(width, height);
    l.cell = std::max(4, shorter / 10);
    l.rim = std::max(1, shorter / 160);
    l.radius = std::max(0, shorter * 43 / 100);
    l.top = l.cy - l.radius;
    l.markLength = std::max(1, std::min({shorter / 8, width / 2, height / 2}));
    l.markThickness = std::max(1, std::min(shorter / 60, l.markLength));
    return l;
}

int FloorMod(int a, int m) { return ((a % m) + m) % m; }

Color Grey(int level) {
    const auto v = static_cast<std::uint8_t>(std::clamp(level, 0, 255));
    return Rgb(v, v, v);
}

Color BackgroundAt(const Layout& l, int x, int y) {
    const bool onGrid = FloorMod(x - l.cx, l.cell) == 0 || FloorMod(y - l.cy, l.cell) == 0;
    return onGrid ? kGrid : kBackground;
}

// Position across a span of the circle; beyond its ends the end values repeat.
int Across(int x, int left, int width) { return std::clamp(x - left, 0, width - 1); }

// Bands of the circle, top to bottom, in percent of its diameter. Bars and
// steps use the middle 85 % so that the circle does not hide their ends.
Color CircleAt(const Layout& l, int x, int y) {
    const int diameter = std::max(1, 2 * l.radius);
    const int inner = std::max(1, diameter * 85 / 100);
    const int full = Across(x, l.cx - l.radius, diameter);
    const int middle = Across(x, l.cx - inner / 2, inner);
    const int band = (y - l.top) * 100 / diameter;
    if (band < 24) return kBars[static_cast<std::size_t>(middle * 8 / inner)];
    if (band < 36) return Grey(full * 255 / std::max(1, diameter - 1));
    if (band < 64) return Rgb(0, 0, 0);
    if (band < 78) {
        const int group = full * 4 / diameter;  // line widths 1 to 4 pixels
        const int line = (full - group * diameter / 4) / (group + 1);
        return line % 2 == 0 ? Rgb(255, 255, 255) : Rgb(0, 0, 0);
    }
    return Grey(middle * 11 / inner * 255 / 10);
}

Color CardPixel(const Layout& l, int x, int y) {
    const long long dx = x - l.cx;
    const long long dy = y - l.cy;
    const long long d2 = dx * dx + dy * dy;
    const long long inner = static_cast<long long>(l.radius) * l.radius;
    const long long outer = static_cast<long long>(l.radius + l.rim) * (l.radius + l.rim);
    if (l.radius > 0 && d2 < inner) return CircleAt(l, x, y);
    if (l.radius > 0 && d2 < outer) return kRim;
    return BackgroundAt(l, x, y);
}

void FillRect(PixelView card, int x0, int y0, int x1, int y1, Color c) {
    x0 = std::max(x0, 0);
    y0 = std::max(y0, 0);
    x1 = std::min(x1, card.Width());
    y1 = std::min(y1, card.Height());
    for (int y = y0; y < y1; ++y) {
        for (int x = x0; x < x1; ++x) card.SetPixel(x, y, c);
    }
}

const Glyph* FindGlyph(char letter) {
    for (const Glyph& g : kFont) {
        if (g.letter == letter) return &g;
    }
    return nullptr;  // space and anything else draw nothing
}

int TextWidth(std::string_view text, int scale) {
    return text.empty() ? 0 : (static_cast<int>(text.size()) * kGlyphAdvance - 1) * scale;
}

void DrawText(PixelView card, std::string_view text, int left, int top, int scale, Color c) {
    for (std::size_t i = 0; i < text.size(); ++i) {
        const Glyph* glyph = FindGlyph(text[i]);
        if (!glyph) continue;
        const int gx = left + static_cast<int>(i) * kGlyphAdvance * scale;
        for (int row = 0; row < kGlyphHeight; ++row) {
            for (int col = 0; col < kGlyphWidth; ++col) {
                if (glyph->rows[static_cast<std::size_t>(row)] & (0x10 >> col)) {
                    FillRect(card, gx + col * scale, top + row * scale, gx + (col + 1) * scale, top + (row + 1) * scale,
                             c);
                }
            }
        }
    }
}

// The name in the black band, with the picture size below it if there is room.
void DrawCaption(PixelView card, const Layout& l) {
    const int bandTop = l.top + 2 * l.radius * 36 / 100;
    const int bandHeight = 2 * l.radius * 28 / 100;
    const std::string name = "KELBO 2.0";
    const std::string size = std::to_string(l.width) + "x" + std::to_string(l.height);
    const int room = l.radius * 3 / 2;
    const int scale = std::min(bandHeight * 45 / 100 / kGlyphHeight, room / TextWidth(name, 1));
    if (scale < 1) return;
    const int small = std::max(1, scale / 2);
    const int total = (kGlyphHeight * scale) + (kGlyphHeight * small) * 2;
    const int y = bandTop + (bandHeight - total) / 2;
    DrawText(card, name, l.cx - TextWidth(name, scale) / 2, y, scale, Rgb(255, 255, 255));
    DrawText(card, size, l.cx - TextWidth(size, small) / 2, y + scale * kGlyphHeight + small * kGlyphHeight, small,
             Rgb(255, 255, 0));
}

void DrawCornerMark(PixelView card, const Layout& l, bool right, bool bottom, Color c) {
    const int x0 = right ? l.width - l.markLength : 0;
    const int y0 = bottom ? l.height - l.markLength : 0;
    const int xt = right ? l.width - l.markThickness : 0;
    const int yt = bottom ? l.height - l.markThickness : 0;
    FillRect(card, x0, yt, x0 + l.markLength, yt + l.markThickness, c);  // horizontal arm
    FillRect(card, xt, y0, xt + l.markThickness, y0 + l.markLength, c);  // vertical arm
}

// A stateless integer hash (the finaliser of SplitMix64), so that the noise of a
// pixel does not depend on the order in which pixels are visited.
std::uint64_t Mix(std::uint64_t z) {
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
}

}  // namespace

void AddTestCardNoise(PixelView card, int amplitude) {
    if (amplitude <= 0) return;
    const auto span = static_cast<std::uint64_t>(2 * amplitude + 1);
    for (int y = 0; y < card.Height(); ++y) {
        std::uint8_t* p = card.Row(y);
        for (int x = 0; x < card.Width() * 3; ++x) {
            const std::uint64_t key = (static_cast<std::uint64_t>(y) << 32) | static_cast<std::uint32_t>(x);
            const int delta = static_cast<int>(Mix(key) % span) - amplitude;
            p[x] = static_cast<std::uint8_t>(std::clamp(p[x] + delta, 0, 255));
        }
    }
}

void DrawTestCard(PixelView card) {
    if (card.Empty()) return;
    const Layout l = MakeLayout(card.Width(), card.Height());
    for (int y = 0; y < card.Height(); ++y) {
        std::uint8_t* p = card.Row(y);
        for (int x = 0; x < card.Width(); ++x, p += 3) {
            const Color c = CardPixel(l, x, y);
            p[0] = BlueOf(c);
            p[1] = GreenOf(c);
            p[2] = RedOf(c);
        }
    }
    DrawCaption(card, l);
    DrawCornerMark(card, l, false, false, kTestCardTopLeft);
    DrawCornerMark(card, l, true, false, kTestCardTopRight);
    DrawCornerMark(card, l, false, true, kTestCardBottomLeft);
    DrawCornerMark(card, l, true, true, kTestCardBottomRight);
}

}  // namespace kelbo::cli
