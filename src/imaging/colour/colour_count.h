// "Zmena počtu farieb": reduces a picture to a colour depth, and counts the
// colours a picture uses.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "core/bitmap24.h"
#include "core/color.h"
#include "core/pixel_format.h"
#include "core/progress.h"

namespace kelbo {

// The items of "Počet farieb", in their order.
enum class ColourDepth : std::uint8_t {
    kBlackWhite,    // "2 farby (čierna a biela, 1 bit) "
    kTwoColours,    // "2 rôzne farby (1 bit)": two colours made for the picture
    kSixteen,       // "16 farieb  (4 bity)": the 16 standard colours
    kSixteenGreys,  // "16 odtieňov čiernej (4 bity)"
    k256,           // "256 farieb  (8 bitov)": 256 colours made for the picture
    k256Greys,      // "256 odtieňov čiernej (8 bitov)"
    kTrueColour,    // "16.7 milióna farieb (24 bitov)": nothing to reduce
};

// The items of "Metóda", in their order.
enum class ReductionMethod : std::uint8_t {
    kRounding,        // "Zaokrúhlenie": nearest colour of the palette
    kRandomDither,    // "Náhodné rozptýlenie"
    kFloydSteinberg,  // "Distribúcia chyby (Floyd-Steinberg)"
};

// The bitmap format a depth is saved in: 1, 4, 8 or 24 bits.
PixelFormat DepthFormat(ColourDepth depth);

// The palette a depth reduces `picture` to (empty for kTrueColour).
Palette ReductionPalette(ConstPixelView picture, ColourDepth depth);

// Rewrites every pixel with a colour of `palette` (at most 256 colours,
// std::invalid_argument otherwise) by `method`:
// - rounding: the nearest colour by squared red-green-blue distance, the
//   lowest index among equals;
// - random dither: one uniform offset per pixel, as wide as the palette's
//   colours lie apart, added to all three channels before rounding; seeded
//   with `seed`, so a reduction can be repeated exactly;
// - Floyd-Steinberg: 7/16, 3/16, 5/16, 1/16 of each channel's error to the
//   right, below left, below and below right, rows left to right.
// Progress counts rows. An empty palette leaves the picture alone.
void ReduceColours(PixelView picture, const Palette& palette, ReductionMethod method, Progress* progress = nullptr,
                   std::uint32_t seed = 1);

// Number of distinct colours in the picture.
std::size_t CountColours(ConstPixelView picture);

}  // namespace kelbo
