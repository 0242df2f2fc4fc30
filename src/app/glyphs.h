#pragma once

#include <array>
#include <cstddef>
#include <span>
#include <string_view>

#include "core/bitmap24.h"
#include "core/color.h"

namespace kelbo {

// One picture per tool-bar button of the main window, drawn in code so the
// program carries no icon files.
enum class Glyph {
    // ToolBar1
    kNew,
    kOpen,
    kWarping,
    kBrowser,
    kSave,
    kSaveAs,
    kUndo,
    kRedo,
    kCut,
    kCopy,
    kPaste,
    kHistogram,
    kTools,
    kView,
    kMaxim,
    // ToolBar2
    kArrow,
    kZoom,
    kPick,
    kPen,
    kLine,
    kFill,
    kShape,
    kCrop,
    kText,
    // ToolBar4
    kAdd,
    kDel,
    kEdit,
    kEditDial,
    kNoWarp,
    kWarp,
    kWarpNow,
    kMovie,
    kLoad,
    kSaveIt,
    kSwap,
};

inline constexpr int kGlyphSize = 16;
inline constexpr std::size_t kGlyphCount = static_cast<std::size_t>(Glyph::kSwap) + 1;

// Pixels of this colour are transparent: an image list made with it as the
// mask colour shows the tool bar through them.
inline constexpr Color kGlyphMaskColor = Rgb(255, 0, 255);

// The buttons of each tool bar in their order on the bar (separators left out).
inline constexpr std::array<Glyph, 15> kToolBar1Glyphs = {
    Glyph::kNew,    Glyph::kOpen,      Glyph::kWarping, Glyph::kBrowser, Glyph::kSave,
    Glyph::kSaveAs, Glyph::kUndo,      Glyph::kRedo,    Glyph::kCut,     Glyph::kCopy,
    Glyph::kPaste,  Glyph::kHistogram, Glyph::kTools,   Glyph::kView,    Glyph::kMaxim};
inline constexpr std::array<Glyph, 9> kToolBar2Glyphs = {Glyph::kArrow, Glyph::kZoom, Glyph::kPick,
                                                         Glyph::kPen,   Glyph::kLine, Glyph::kFill,
                                                         Glyph::kShape, Glyph::kCrop, Glyph::kText};
inline constexpr std::array<Glyph, 11> kToolBar4Glyphs = {
    Glyph::kAdd,     Glyph::kDel,   Glyph::kEdit, Glyph::kEditDial, Glyph::kNoWarp, Glyph::kWarp,
    Glyph::kWarpNow, Glyph::kMovie, Glyph::kLoad, Glyph::kSaveIt,   Glyph::kSwap};

// The button's name without "Button" ("New", "SaveIt"), for diagnostics.
std::string_view GlyphName(Glyph glyph);

// A kGlyphSize x kGlyphSize picture on kGlyphMaskColor. Throws
// std::invalid_argument for a value outside the enum.
Bitmap24 DrawGlyph(Glyph glyph);

// The glyphs side by side, glyph i at x = kGlyphSize * i: the layout of an
// image list's bitmap. An empty span gives an empty bitmap.
Bitmap24 GlyphStrip(std::span<const Glyph> glyphs);

}  // namespace kelbo
