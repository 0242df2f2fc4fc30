#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <span>
#include <vector>

#include "core/bitmap24.h"
#include "core/color.h"
#include "core/pixel_format.h"

namespace kelbo {

// Packs variable-width codes least significant bit first, as GIF's LZW data
// stores them.
class GifCodePacker {
public:
    GifCodePacker& Code(unsigned code, unsigned width);
    // The bytes so far, the last one padded with zero bits.
    std::vector<std::uint8_t> Bytes() const;

private:
    std::vector<std::uint8_t> bytes_;
    std::uint32_t acc_ = 0;
    unsigned bits_ = 0;
};

struct GifLzwOptions {
    bool clearFirst = true;
    // False: a full table is kept as it is and codes stay 12 bits wide (the
    // format's deferred clear). Only tests need the other settings.
    bool clearWhenFull = true;
    bool endCode = true;
};

// The LZW codes of `indices` with the format's code-width rule. Every index
// must be below 2^minCodeSize; minCodeSize outside 2..11 throws
// std::invalid_argument (above 8 only some other writers go; the program's
// own files use 2..8).
std::vector<std::uint8_t> EncodeGifLzw(std::span<const std::uint8_t> indices, int minCodeSize,
                                       const GifLzwOptions& options = {});

// Splits data into sub-blocks of at most `blockSize` (1..255) bytes, with
// the terminator.
std::vector<std::uint8_t> GifSubBlocks(std::span<const std::uint8_t> data, std::size_t blockSize = 255);

// Bits of a colour table that holds `count` colours: the power of 2 at or
// above it, at least 2 entries.
int GifTableBits(std::size_t count);

// A picture reduced to at most 256 colours, ready for a GIF image.
struct GifIndexedPicture {
    int width = 0;
    int height = 0;
    Palette palette;                    // 1..256 entries
    std::vector<std::uint8_t> indices;  // width * height, rows from the top
};

// A picture of at most 256 colours keeps them exactly (ChooseBmpPalette's
// own-colours table); otherwise a median-cut table of 256 colours with
// Floyd-Steinberg error diffusion (left to right on every row, errors
// clamped to 0..255 per channel). An empty picture throws
// std::invalid_argument.
GifIndexedPicture ReduceForGif(ConstPixelView pixels);

// A still GIF89a: header, screen of the picture's size with the reduced
// picture's table as the global table, one image at (0, 0), not interlaced,
// the trailer. Throws std::invalid_argument for an empty picture.
std::vector<std::uint8_t> EncodeGif(ConstPixelView pixels);
std::vector<std::uint8_t> EncodeGif(const GifIndexedPicture& picture);

// An animated GIF89a whose frames share one table: the screen with the
// global table, the looping extension (endless), then per frame a graphic
// control extension (the delay, in hundredths of a second; the frame stays
// until the next) and one full-screen image. Bad sizes, tables or delays
// throw std::invalid_argument.
class AnimatedGifEncoder {
public:
    AnimatedGifEncoder(int width, int height, Palette palette, int delay);
    // `indices`: width * height entries of the table, rows from the top.
    void AddFrame(std::span<const std::uint8_t> indices);
    // The file's bytes, with the trailer; the encoder is spent afterwards.
    std::vector<std::uint8_t> Finish();

private:
    int width_;
    int height_;
    Palette palette_;
    int delay_;
    std::vector<std::uint8_t> bytes_;
};

// Writes EncodeGif atomically; throws FileError and what EncodeGif throws.
void WriteGif(const std::filesystem::path& path, ConstPixelView pixels);

}  // namespace kelbo
