#pragma once

#include <cstdint>
#include <initializer_list>
#include <span>
#include <string>
#include <vector>

#include "core/color.h"

// A small GIF encoder for tests and benchmarks, so every byte of a test file
// is known. It writes what the format allows and, on request, what it does not.
namespace kelbo::testing {

// Packs codes least significant bit first, for hand-written LZW streams.
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
  bool clear_first = true;
  // False: a full table is kept as it is and codes stay 12 bits wide (the
  // format's deferred clear).
  bool clear_when_full = true;
  bool end_code = true;
};

// The LZW codes of `indices` with the format's code-width rule.
std::vector<std::uint8_t> EncodeGifLzw(std::span<const std::uint8_t> indices, int min_code_size,
                                       const GifLzwOptions& options = {});

// Splits data into sub-blocks of at most `block_size` bytes, with the terminator.
std::vector<std::uint8_t> GifSubBlocks(std::span<const std::uint8_t> data,
                                       std::size_t block_size = 255);

// Rows in the order an interlaced image stores them.
std::vector<std::uint8_t> InterlaceRows(std::span<const std::uint8_t> indices, int width,
                                        int height);

struct GifImageSpec {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
  std::vector<std::uint8_t> indices;  // width * height, rows from the top
  std::vector<Color> local_table;     // empty: none; padded with black to a power of 2
  bool interlaced = false;
  int min_code_size = 0;  // 0: the smallest that holds every index, at least 2
  GifLzwOptions lzw;
};

class GifBuilder {
 public:
  std::vector<std::uint8_t> bytes;

  GifBuilder& Raw(std::initializer_list<std::uint8_t> raw);
  GifBuilder& Raw(std::span<const std::uint8_t> raw);
  GifBuilder& U16(std::uint16_t value);

  GifBuilder& Header(const std::string& version = "89a");
  // The logical screen descriptor and, when given, the global table.
  GifBuilder& Screen(int width, int height, const std::vector<Color>& global_table = {},
                     std::uint8_t background = 0);
  GifBuilder& GraphicControl(int disposal, int delay_hundredths, bool transparent,
                             std::uint8_t transparent_index);
  GifBuilder& Comment(const std::string& text);
  GifBuilder& Loop(std::uint16_t count);
  GifBuilder& PlainText(const std::string& text);
  GifBuilder& Application(const std::string& identifier, std::span<const std::uint8_t> data);
  // Image descriptor, local table and LZW data of the image.
  GifBuilder& Image(const GifImageSpec& image);
  // Image descriptor without a local table, then the code size byte and
  // already packed codes in sub-blocks.
  GifBuilder& ImageWithCodes(int left, int top, int width, int height, bool interlaced,
                             int min_code_size, const std::vector<std::uint8_t>& codes);
  GifBuilder& Trailer();
};

// Table entries written for a table of `count` colours: the power of 2 at or
// above it, at least 2.
int GifTableBits(std::size_t count);

// A still GIF of one full-screen frame with a global table.
std::vector<std::uint8_t> MakeStillGif(int width, int height, const std::vector<Color>& table,
                                       const std::vector<std::uint8_t>& indices);

// An animation for benchmarks: `frames` full-screen frames of 256 colours,
// gradients with noise that move from frame to frame; every second frame is
// transparent where its index is 0.
std::vector<std::uint8_t> MakeAnimatedGif(int width, int height, int frames);

}  // namespace kelbo::testing
