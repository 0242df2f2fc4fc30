#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <stdexcept>
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
    // The whole bytes so far, for a caller that takes them away as they come.
    std::vector<std::uint8_t>& Whole() { return bytes_; }
    // Pads the last codes to a whole byte: after the last code.
    void FlushPartialByte();

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

// The LZW codes of indices given a piece at a time, with the format's
// code-width rule, packed as GIF stores them. Bytes() holds the packed bytes
// not yet taken: a caller may empty it after each Add, so that a picture's
// codes never need to be held whole. Bad sizes and indices throw as
// EncodeGifLzw does.
class GifLzwEncoder {
public:
    explicit GifLzwEncoder(int minCodeSize, const GifLzwOptions& options = {});
    void Add(std::span<const std::uint8_t> indices);
    // After the last Add: the last code, the end code, the last byte padded.
    void Finish();
    std::vector<std::uint8_t>& Bytes() { return out_.Whole(); }

private:
    void Reset();
    void Emit(unsigned code);

    GifLzwOptions options_;
    int minCodeSize_;
    unsigned clear_ = 0, width_ = 0, limit_ = 0, next_ = 0;
    unsigned current_ = 0;
    bool started_ = false;
    // child_[prefix * 256 + index]: the code of prefix + index, 0 when absent.
    // Only the slots in used_ are cleared on a reset: clearing all 2 MiB at
    // every full table would dominate the encoding of a large picture.
    std::vector<std::uint16_t> child_;
    std::vector<std::uint32_t> used_;
    GifCodePacker out_;
};

// The LZW codes of `indices` with the format's code-width rule. Every index
// must be below 2^minCodeSize; minCodeSize outside 2..11 throws
// std::invalid_argument (above 8 only some other writers go; the program's
// own files use 2..8).
std::vector<std::uint8_t> EncodeGifLzw(std::span<const std::uint8_t> indices, int minCodeSize,
                                       const GifLzwOptions& options = {});

// Data cut into sub-blocks of at most `blockSize` (1..255, else
// std::invalid_argument) bytes as it comes, each handed to `sink` with its
// length byte; Finish adds the terminator.
class GifSubBlockWriter {
public:
    using Sink = std::function<void(std::span<const std::uint8_t>)>;
    explicit GifSubBlockWriter(Sink sink, std::size_t blockSize = 255) : sink_(std::move(sink)), blockSize_(blockSize) {
        if (blockSize == 0 || blockSize > 255) throw std::invalid_argument("GIF sub-blocks hold 1 to 255 bytes");
        block_.reserve(blockSize);
    }
    void Add(std::span<const std::uint8_t> data);
    void Finish();

private:
    void Flush();
    Sink sink_;
    std::size_t blockSize_;
    std::vector<std::uint8_t> block_;
};

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
