#pragma once

#include <cstdint>
#include <initializer_list>
#include <span>
#include <string>
#include <vector>

#include "codecs/gif_encoder.h"
#include "core/color.h"

// A GIF file builder for tests and benchmarks, so every byte of a test file
// is known. It writes what the format allows and, on request, what it does not.
namespace kelbo::testing {

// The encoder's pieces live in the codec; tests reach them here too.
using kelbo::EncodeGifLzw;
using kelbo::GifCodePacker;
using kelbo::GifLzwOptions;
using kelbo::GifSubBlocks;
using kelbo::GifTableBits;

// Rows in the order an interlaced image stores them.
std::vector<std::uint8_t> InterlaceRows(std::span<const std::uint8_t> indices, int width, int height);

struct GifTestImage {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> indices;  // width * height, rows from the top
    std::vector<Color> localTable;      // empty: none; padded with black to a power of 2
    bool interlaced = false;
    int minCodeSize = 0;  // 0: the smallest that holds every index, at least 2
    GifLzwOptions lzw;
};

// An image at (left, top) of the given pixels, with the file's tables.
GifTestImage TestImage(int left, int top, int width, int height, std::vector<std::uint8_t> indices);
// The same, every pixel `index`.
GifTestImage FilledTestImage(int left, int top, int width, int height, std::uint8_t index);

class GifBuilder {
public:
    std::vector<std::uint8_t> bytes;

    GifBuilder& Raw(std::initializer_list<std::uint8_t> raw);
    GifBuilder& Raw(std::span<const std::uint8_t> raw);
    GifBuilder& U16(std::uint16_t value);

    GifBuilder& Header(const std::string& version = "89a");
    // The logical screen descriptor and, when given, the global table.
    GifBuilder& Screen(int width, int height, const std::vector<Color>& globalTable = {}, std::uint8_t background = 0);
    GifBuilder& GraphicControl(int disposal, int delayHundredths, bool transparent, std::uint8_t transparentIndex);
    GifBuilder& Comment(const std::string& text);
    GifBuilder& Loop(std::uint16_t count);
    GifBuilder& PlainText(const std::string& text);
    GifBuilder& Application(const std::string& identifier, std::span<const std::uint8_t> data);
    // Image descriptor, local table and LZW data of the image.
    GifBuilder& Image(const GifTestImage& image);
    // Image descriptor without a local table, then the code size byte and
    // already packed codes in sub-blocks.
    GifBuilder& ImageWithCodes(int left, int top, int width, int height, bool interlaced, int minCodeSize,
                               const std::vector<std::uint8_t>& codes);
    GifBuilder& Trailer();
};

// A still GIF of one full-screen frame with a global table.
std::vector<std::uint8_t> MakeStillGif(int width, int height, const std::vector<Color>& table,
                                       const std::vector<std::uint8_t>& indices);

// An animation for benchmarks: `frames` full-screen frames of 256 colours,
// gradients with noise that move from frame to frame; every second frame is
// transparent where its index is 0.
std::vector<std::uint8_t> MakeAnimatedGif(int width, int height, int frames);

}  // namespace kelbo::testing
