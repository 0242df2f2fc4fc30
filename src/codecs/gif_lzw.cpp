#include "codecs/gif_lzw.h"

#include <algorithm>
#include <array>
#include <limits>
#include <memory>

namespace kelbo {
namespace {

// Codes from a chain of sub-blocks, least significant bit first. A code may
// straddle two sub-blocks; a code cut off by the end of the data is lost.
class SubBlockBits {
public:
    explicit SubBlockBits(ByteReader& reader) : reader_(reader) {}

    bool Code(unsigned width, unsigned& code) {
        while (bitCount_ < width) {
            if (pos_ == block_.size() && !NextBlock()) return false;
            acc_ |= static_cast<std::uint32_t>(block_[pos_++]) << bitCount_;
            bitCount_ += 8;
        }
        code = acc_ & ((1u << width) - 1);
        acc_ >>= width;
        bitCount_ -= width;
        return true;
    }

    // The current sub-block is already taken from the reader as a whole.
    void SkipRest() {
        if (!ended_) SkipGifSubBlocks(reader_);
        ended_ = true;
    }

private:
    bool NextBlock() {
        while (!ended_) {
            if (reader_.AtEnd()) break;
            const std::size_t size = reader_.U8();
            if (size == 0) break;
            block_ = reader_.Bytes(std::min(size, reader_.Remaining()));
            pos_ = 0;
            if (!block_.empty()) return true;
        }
        ended_ = true;
        return false;
    }

    ByteReader& reader_;
    std::span<const std::uint8_t> block_;
    std::size_t pos_ = 0;
    std::uint32_t acc_ = 0;
    unsigned bitCount_ = 0;
    bool ended_ = false;
};

struct LzwTable {
    std::array<std::uint16_t, kGifLzwTableSize> prefix{};
    std::array<std::uint16_t, kGifLzwTableSize> length{};
    std::array<std::uint8_t, kGifLzwTableSize> suffix{};
    std::array<std::uint8_t, kGifLzwTableSize> first{};
    std::array<std::uint8_t, kGifLzwTableSize + 1> stack{};
};

}  // namespace

std::size_t SkipGifSubBlocks(ByteReader& reader) {
    std::size_t total = 0;
    while (!reader.AtEnd()) {
        const std::size_t size = reader.U8();
        if (size == 0) break;
        const std::size_t taken = std::min(size, reader.Remaining());
        reader.Skip(taken);
        total += taken;
    }
    return total;
}

std::size_t MeasureGifSubBlocks(std::span<const std::uint8_t> data, std::size_t position) {
    std::size_t total = 0;
    while (position < data.size()) {
        const std::size_t size = data[position++];
        if (size == 0) break;
        const std::size_t taken = std::min(size, data.size() - position);
        position += taken;
        total += taken;
    }
    return total;
}

GifLzwResult DecodeGifLzw(ByteReader& reader, std::span<std::uint8_t> out, std::size_t rowLength,
                          const GifLzwRowCallback& onRow) {
    GifLzwResult result;
    if (reader.AtEnd()) {
        if (!out.empty()) result.end = GifLzwEnd::kEndOfData;
        return result;
    }
    const int minCodeSize = reader.U8();
    result.minCodeSize = minCodeSize;
    if (minCodeSize < kGifLzwMinCodeSizeLow || minCodeSize > kGifLzwMinCodeSizeHigh) {
        result.end = GifLzwEnd::kBadCodeSize;
        SkipGifSubBlocks(reader);
        return result;
    }

    const unsigned clear = 1u << minCodeSize;
    const unsigned end = clear + 1;
    // Heap, not stack: the decoder may run on threads with small stacks.
    auto table = std::make_unique<LzwTable>();
    // Roots above 255 stop decoding before they are used.
    for (unsigned i = 0; i < std::min(clear, 256u); ++i) {
        table->suffix[i] = static_cast<std::uint8_t>(i);
        table->first[i] = static_cast<std::uint8_t>(i);
        table->length[i] = 1;
    }
    unsigned next = clear + 2;
    unsigned width = static_cast<unsigned>(minCodeSize) + 1;
    unsigned limit = 1u << width;
    bool havePrev = false;
    unsigned prev = 0;

    std::uint8_t* const dest = out.data();
    const std::size_t total = out.size();
    std::size_t pos = 0;
    const bool reportRows = onRow && rowLength > 0;
    std::size_t rowEnd = reportRows ? rowLength : std::numeric_limits<std::size_t>::max();
    std::size_t rowsDone = 0;

    SubBlockBits bits(reader);
    unsigned code = 0;
    const auto stop = [&](GifLzwEnd why) {
        result.end = why;
        result.badCode = code;
    };
    while (pos < total) {
        if (!bits.Code(width, code)) {
            result.end = GifLzwEnd::kEndOfData;
            break;
        }
        if (code == clear) {
            next = clear + 2;
            width = static_cast<unsigned>(minCodeSize) + 1;
            limit = 1u << width;
            havePrev = false;
            continue;
        }
        if (code == end) {
            stop(GifLzwEnd::kEndCode);
            break;
        }
        if (code < clear && code > 255) {
            stop(GifLzwEnd::kBadIndex);
            break;
        }

        unsigned entry = code;
        if (!havePrev) {
            // After a clear only the roots exist; any other code names nothing.
            if (code > end) {
                stop(GifLzwEnd::kBadCode);
                break;
            }
        } else {
            const bool known = code < next;
            // `next` < 4096 whenever a code is unknown: codes have at most 12 bits.
            if (next < kGifLzwTableSize) {
                table->prefix[next] = static_cast<std::uint16_t>(prev);
                table->suffix[next] = table->first[known ? code : prev];
                table->first[next] = table->first[prev];
                table->length[next] = static_cast<std::uint16_t>(table->length[prev] + 1);
                ++next;
                if (next == limit && limit < kGifLzwTableSize) {
                    limit <<= 1;
                    ++width;
                }
            }
            // An unknown code (KwKwK, or a damaged one beyond it) stands for the
            // string just added; naming that entry keeps every prefix chain
            // pointing to lower codes, so chains always end.
            if (!known) entry = next - 1;
        }
        prev = entry;
        havePrev = true;

        const std::size_t length = table->length[entry];
        if (length <= total - pos) {
            std::uint8_t* p = dest + pos + length - 1;
            unsigned c = entry;
            while (c >= clear) {
                *p-- = table->suffix[c];
                c = table->prefix[c];
            }
            *p = static_cast<std::uint8_t>(c);
            pos += length;
        } else {
            // The string runs past the last pixel: only its start is kept.
            std::uint8_t* p = table->stack.data() + length - 1;
            unsigned c = entry;
            while (c >= clear) {
                *p-- = table->suffix[c];
                c = table->prefix[c];
            }
            *p = static_cast<std::uint8_t>(c);
            std::copy_n(table->stack.data(), total - pos, dest + pos);
            pos = total;
        }

        while (pos >= rowEnd) {
            ++rowsDone;
            rowEnd += rowLength;
            if (!onRow(rowsDone)) {
                result.pixels = pos;
                result.end = GifLzwEnd::kAborted;
                return result;
            }
        }
    }
    bits.SkipRest();
    result.pixels = pos;
    return result;
}

std::string GifLzwProblem(const GifLzwResult& result, std::size_t total) {
    const std::string where = " after " + std::to_string(result.pixels) + " of " + std::to_string(total) + " pixels";
    switch (result.end) {
    case GifLzwEnd::kFilled:
    case GifLzwEnd::kEndOfData: return "";
    case GifLzwEnd::kEndCode: return "the LZW data ends (end code)" + where;
    case GifLzwEnd::kBadCode: return "LZW code " + std::to_string(result.badCode) + " names no string" + where;
    case GifLzwEnd::kBadIndex:
        return "LZW code " + std::to_string(result.badCode) + " is a colour index beyond any colour table" + where;
    case GifLzwEnd::kBadCodeSize:
        return "LZW minimum code size " + std::to_string(result.minCodeSize) + " is outside 2..11";
    case GifLzwEnd::kAborted: return "loading was aborted" + where;
    }
    return "";
}

}  // namespace kelbo
