#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>
#include <string>

#include "core/byte_reader.h"

namespace kelbo {

// The GIF format's LZW limits: codes of at most 12 bits, so at most 4096
// table entries. The format asks for minimum code sizes of 2 to 8, but some
// writers use up to 11 (the first code then already has 12 bits); those
// decode by the same rules. Sizes above 11 leave no room for a single table
// entry, and with 0 or 1 the first free code already equals 2^width, where
// the widening rule has no agreed meaning: both count as damaged data.
inline constexpr int kGifLzwMaxBits = 12;
inline constexpr int kGifLzwTableSize = 1 << kGifLzwMaxBits;
inline constexpr int kGifLzwMinCodeSizeLow = 2;
inline constexpr int kGifLzwMinCodeSizeHigh = 11;

// Why decoding ended.
enum class GifLzwEnd : std::uint8_t {
    kFilled,       // every pixel of the output was decoded
    kEndOfData,    // the sub-blocks ran out first (truncated data)
    kEndCode,      // an end code came before the last pixel
    kBadCode,      // a code after a clear code that names no string
    kBadIndex,     // a root code above 255 (code sizes 9 to 11): no colour table has it
    kBadCodeSize,  // the minimum code size is outside 2..11: nothing was decoded
    kAborted,      // the row callback asked to stop
};

struct GifLzwResult {
    std::size_t pixels = 0;  // written to the front of the output, in stream order
    int minCodeSize = 0;     // as read from the data
    GifLzwEnd end = GifLzwEnd::kFilled;
    unsigned badCode = 0;  // the code that stopped kBadCode and kBadIndex
};

// Why decoding stopped short of the last of `total` pixels, in words for the
// user; empty when it did not, or when only the data ran out (a truncated
// file keeps what it has without complaint).
std::string GifLzwProblem(const GifLzwResult& result, std::size_t total);

// Called after every completed run of `rowLength` pixels with the number of
// runs completed so far; returning false stops decoding at once.
using GifLzwRowCallback = std::function<bool(std::size_t rowsDone)>;

// Decodes one image's pixel data: the minimum code size byte and the data
// sub-blocks after it, codes packed least significant bit first. Fills `out`
// in stream order and stops when it is full, then skips the remaining
// sub-blocks; an end code does the same. Running out of data keeps what was
// decoded. Leaves `reader` after the block terminator, or at the end of the
// data when there is none.
//
// Table rules: the clear code resets the table and code width; a code not
// yet in the table stands for the previous string followed by that string's
// first index; entries are added while the table has fewer than 4096; the
// code widens by one bit when the next free code reaches 2^width, up to 12
// bits, and stays at 12 bits while the table is full until a clear code.
GifLzwResult DecodeGifLzw(ByteReader& reader, std::span<std::uint8_t> out, std::size_t rowLength = 0,
                          const GifLzwRowCallback& onRow = {});

// Skips a chain of data sub-blocks up to and including its terminator (or to
// the end of the data) and returns the number of data bytes it held.
std::size_t SkipGifSubBlocks(ByteReader& reader);

// The data bytes a chain of sub-blocks starting at `position` holds, without
// moving any reader.
std::size_t MeasureGifSubBlocks(std::span<const std::uint8_t> data, std::size_t position);

}  // namespace kelbo
