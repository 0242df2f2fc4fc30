#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>

#include "core/byte_reader.h"

namespace kelbo {

// The GIF format's LZW limits: codes of at most 12 bits, so at most 4096
// table entries. Minimum code sizes outside 2..8 count as damaged data:
// above 8 the roots do not fit 8-bit indices, and with 1 the first free code
// already equals 2^width, where the widening rule has no agreed meaning (the
// format asks for 2 even for 2-colour pictures).
inline constexpr int kGifLzwMaxBits = 12;
inline constexpr int kGifLzwTableSize = 1 << kGifLzwMaxBits;
inline constexpr int kGifLzwMinCodeSizeLow = 2;
inline constexpr int kGifLzwMinCodeSizeHigh = 8;

struct GifLzwResult {
  std::size_t pixels = 0;      // written to the front of the output, in stream order
  int min_code_size = 0;       // as read from the data
  bool bad_code_size = false;  // outside 2..8: no pixels decoded, the sub-blocks skipped
  bool aborted = false;        // the row callback asked to stop
};

// Called after every completed run of `row_length` pixels with the number of
// runs completed so far; returning false stops decoding at once.
using GifLzwRowCallback = std::function<bool(std::size_t rows_done)>;

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
GifLzwResult DecodeGifLzw(ByteReader& reader, std::span<std::uint8_t> out,
                          std::size_t row_length = 0, const GifLzwRowCallback& on_row = {});

// Skips a chain of data sub-blocks up to and including its terminator (or to
// the end of the data) and returns the number of data bytes it held.
std::size_t SkipGifSubBlocks(ByteReader& reader);

// The data bytes a chain of sub-blocks starting at `position` holds, without
// moving any reader.
std::size_t MeasureGifSubBlocks(std::span<const std::uint8_t> data, std::size_t position);

}  // namespace kelbo
