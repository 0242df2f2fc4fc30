#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <vector>

#include "core/bitmap24.h"
#include "core/color.h"
#include "core/pixel_format.h"

namespace kelbo {

// The colour table a picture is stored with at 1, 4 or 8 bits per pixel.
struct BmpPaletteChoice {
    Palette colors;  // at most 2^bits entries, in table order
    // Set for the black-and-white table made for a 1-bit picture of more than
    // two colours: a pixel is white when its Luminance is at least 128, black
    // otherwise. Clear: every pixel takes its nearest colour.
    bool luminanceThreshold = false;
};

// Chooses, in this order:
// 1. `preferred` (the table the picture was read with), when it has at most
//    2^bits entries and holds every colour of the picture; kept as it is,
//    unused entries and order included, so a file read and saved again keeps
//    its table;
// 2. the picture's own colours when there are at most 2^bits of them, darkest
//    first (by Luminance, then by colour value), so nothing is lost;
// 3. for 1 bit, black and white with the luminance threshold; for 4 and 8
//    bits, a median-cut table of 2^bits colours, each the mean of the pixels
//    it stands for.
// `bits` other than 1, 4 and 8 throws std::invalid_argument.
BmpPaletteChoice ChooseBmpPalette(ConstPixelView pixels, int bits, std::span<const Color> preferred = {});

// Maps pixels to table indices: the nearest entry by squared distance in
// red-green-blue (the lowest index among equals), so a colour that is in the
// table maps to it exactly; or by the luminance threshold of the choice.
class SmallColorMap;

class BmpPaletteIndexer {
public:
    // An empty table throws std::invalid_argument.
    explicit BmpPaletteIndexer(const BmpPaletteChoice& choice);
    ~BmpPaletteIndexer();
    BmpPaletteIndexer(BmpPaletteIndexer&&) noexcept = default;
    BmpPaletteIndexer& operator=(BmpPaletteIndexer&&) noexcept = default;

    // `bgr` holds `width` pixels of blue, green, red.
    void IndexRow(const std::uint8_t* bgr, int width, std::uint8_t* indices);
    std::uint8_t IndexOf(std::uint8_t r, std::uint8_t g, std::uint8_t b);

private:
    std::uint8_t Nearest(std::uint8_t r, std::uint8_t g, std::uint8_t b);
    void AppendCandidates(int r, int g, int b, int side, std::span<const std::uint8_t> from);
    void BuildFineCell(int cell);

    // Cubes of colours with, per cube, the entries that can be nearest to
    // some colour in it, built when a pixel first falls in it: coarse ones
    // of 16 x 16 x 16 colours, and inside them fine ones of 8 x 8 x 8, so
    // that a photograph's pixels each meet only a handful of entries.
    static constexpr int kCoarseBits = 4;
    static constexpr int kCoarseShift = 8 - kCoarseBits;
    static constexpr int kFineBits = 5;
    static constexpr int kFineShift = 8 - kFineBits;
    struct Cells {
        std::vector<std::int32_t> start;  // into candidates_; -1: not built yet
        std::vector<std::uint16_t> count;
    };

    std::vector<Color> colors_;
    bool threshold_;
    std::uint8_t whiteIndex_ = 0;
    std::uint8_t blackIndex_ = 0;
    Cells coarse_, fine_;
    std::vector<std::uint8_t> candidates_;
    std::unique_ptr<SmallColorMap> exact_;  // the table's own colours
    std::uint32_t lastKey_ = 0xFFFFFFFF;
    std::uint8_t lastIndex_ = 0;
};

// Maps every pixel to an entry of `choice`, rows top to bottom: the
// indexer's entry, of the colour itself or, when `diffuse`, of the colour
// plus the Floyd-Steinberg error carried to it (left to right on every row,
// 7/16 right and 3/16, 5/16, 1/16 below, errors in sixteenths truncated
// toward zero, each channel clamped to 0..255 before the lookup). A picture
// whose colours are all in the table maps to them exactly. `onRow(y,
// indices)` receives each row's `Width()` indices once the row is done, so it
// may overwrite that row of `pixels`.
void IndexToPalette(ConstPixelView pixels, const BmpPaletteChoice& choice, bool diffuse,
                    const std::function<void(int y, const std::uint8_t* indices)>& onRow);

}  // namespace kelbo
