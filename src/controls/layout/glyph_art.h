// The title panel's button glyphs as pixel masks ('#' foreground, '.'
// background), shared by tools/art, which writes them as the 16-colour
// bitmap resources, and by the panel, which draws them itself when a
// resource is missing. Portable: no windows.h.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

namespace kelbo::controls {

struct GlyphArt {
    std::string_view name;  // the bitmap resource's name
    int width;
    int height;
    std::array<std::string_view, 7> rows;  // top row first
};

// Bottom-left pixel is background: speed buttons take that pixel's colour as transparent.
// The rows stay drawn one under another: the formatter leaves them so.
// clang-format off
inline constexpr GlyphArt kRollDownArt{"ROLLDOWN", 9, 7,
                                       {".........",
                                        "#########",
                                        ".#######.",
                                        "..#####..",
                                        "...###...",
                                        "....#....",
                                        "........."}};

inline constexpr GlyphArt kRollUpArt{"ROLLUP", 9, 7,
                                     {".........",
                                      "....#....",
                                      "...###...",
                                      "..#####..",
                                      ".#######.",
                                      "#########",
                                      "........."}};

inline constexpr GlyphArt kCrossArt{"CROSS", 8, 7,
                                    {"##....##",
                                     ".##..##.",
                                     "..####..",
                                     "..####..",
                                     ".##..##.",
                                     "##....##",
                                     "........"}};
// clang-format on

inline constexpr std::array<const GlyphArt*, 3> kAllGlyphArt{&kRollDownArt, &kRollUpArt, &kCrossArt};

// Colours as 0xRRGGBB: black on the button face's silver.
inline constexpr std::uint32_t kGlyphForeground = 0x000000;
inline constexpr std::uint32_t kGlyphBackground = 0xC0C0C0;

inline bool GlyphPixelSet(const GlyphArt& art, int x, int y) {
    return y >= 0 && y < art.height && x >= 0 && x < art.width &&
           static_cast<size_t>(x) < art.rows[static_cast<size_t>(y)].size() &&
           art.rows[static_cast<size_t>(y)][static_cast<size_t>(x)] == '#';
}

}  // namespace kelbo::controls
