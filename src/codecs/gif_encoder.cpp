#include "codecs/gif_encoder.h"

#include <algorithm>
#include <stdexcept>

#include "codecs/bmp_palette.h"
#include "core/file_io.h"

namespace kelbo {
namespace {

constexpr unsigned kTableSize = 4096;

void PutU16(std::vector<std::uint8_t>& out, int value) {
    out.push_back(static_cast<std::uint8_t>(value & 0xFF));
    out.push_back(static_cast<std::uint8_t>((value >> 8) & 0xFF));
}

}  // namespace

GifCodePacker& GifCodePacker::Code(unsigned code, unsigned width) {
    acc_ |= (code & ((1u << width) - 1)) << bits_;
    bits_ += width;
    while (bits_ >= 8) {
        bytes_.push_back(static_cast<std::uint8_t>(acc_ & 0xFF));
        acc_ >>= 8;
        bits_ -= 8;
    }
    return *this;
}

std::vector<std::uint8_t> GifCodePacker::Bytes() const {
    std::vector<std::uint8_t> out = bytes_;
    if (bits_ > 0) out.push_back(static_cast<std::uint8_t>(acc_ & 0xFF));
    return out;
}

std::vector<std::uint8_t> EncodeGifLzw(std::span<const std::uint8_t> indices, int minCodeSize,
                                       const GifLzwOptions& options) {
    if (minCodeSize < 2 || minCodeSize > 11) throw std::invalid_argument("GIF minimum code size must be 2 to 11");
    const unsigned clear = 1u << minCodeSize;
    const unsigned end = clear + 1;
    for (const std::uint8_t index : indices) {
        if (index >= clear) throw std::invalid_argument("GIF colour index beyond the code size");
    }
    unsigned width = 0;
    unsigned limit = 0;
    unsigned next = 0;
    // child[prefix * 256 + index]: the code of prefix + index, 0 when absent.
    // Only the slots in `used` are cleared on a reset: clearing all 2 MiB at
    // every full table would dominate the encoding of a large picture.
    std::vector<std::uint16_t> child(kTableSize * 256, 0);
    std::vector<std::uint32_t> used;
    used.reserve(kTableSize);
    auto reset = [&] {
        for (const std::uint32_t slot : used) child[slot] = 0;
        used.clear();
        next = clear + 2;
        width = static_cast<unsigned>(minCodeSize) + 1;
        limit = 1u << width;
    };
    reset();

    GifCodePacker out;
    // The decoder adds an entry (and may widen) after every code but the
    // first after a clear; the encoder adds its entry one code earlier, so it
    // widens when the free code before its own addition reaches the limit.
    auto emit = [&](unsigned code) {
        out.Code(code, width);
        if (next == limit && limit < kTableSize) {
            limit <<= 1;
            ++width;
        }
    };
    if (options.clearFirst) out.Code(clear, width);
    if (!indices.empty()) {
        unsigned current = indices[0];
        for (std::size_t i = 1; i < indices.size(); ++i) {
            const std::uint8_t index = indices[i];
            const std::uint32_t slot = current * 256 + index;
            const std::uint16_t known = child[slot];
            if (known != 0) {
                current = known;
                continue;
            }
            emit(current);
            if (next < kTableSize) {
                child[slot] = static_cast<std::uint16_t>(next++);
                used.push_back(slot);
            } else if (options.clearWhenFull) {
                out.Code(clear, width);
                reset();
            }
            current = index;
        }
        emit(current);
    }
    if (options.endCode) out.Code(end, width);
    return out.Bytes();
}

std::vector<std::uint8_t> GifSubBlocks(std::span<const std::uint8_t> data, std::size_t blockSize) {
    if (blockSize == 0 || blockSize > 255) throw std::invalid_argument("GIF sub-blocks hold 1 to 255 bytes");
    std::vector<std::uint8_t> out;
    out.reserve(data.size() + data.size() / blockSize + 2);
    for (std::size_t pos = 0; pos < data.size(); pos += blockSize) {
        const std::size_t n = std::min(blockSize, data.size() - pos);
        out.push_back(static_cast<std::uint8_t>(n));
        out.insert(out.end(), data.begin() + static_cast<std::ptrdiff_t>(pos),
                   data.begin() + static_cast<std::ptrdiff_t>(pos + n));
    }
    out.push_back(0);
    return out;
}

int GifTableBits(std::size_t count) {
    int bits = 1;
    while ((std::size_t{1} << bits) < count) ++bits;
    return bits;
}

GifIndexedPicture ReduceForGif(ConstPixelView pixels) {
    if (pixels.Empty()) throw std::invalid_argument("cannot write an empty picture as GIF");
    const int width = pixels.Width();
    const BmpPaletteChoice choice = ChooseBmpPalette(pixels, 8);
    GifIndexedPicture out;
    out.width = width;
    out.height = pixels.Height();
    out.palette = choice.colors;
    out.indices.resize(static_cast<std::size_t>(width) * static_cast<std::size_t>(out.height));
    IndexToPalette(pixels, choice, true, [&out, width](int y, const std::uint8_t* indices) {
        std::copy_n(indices, width, out.indices.data() + static_cast<std::size_t>(y) * width);
    });
    return out;
}

namespace {

void CheckPicture(int width, int height, const Palette& palette, std::size_t indices) {
    if (width <= 0 || height <= 0) throw std::invalid_argument("cannot write an empty picture as GIF");
    if (width > kMaxBitmapDimension || height > kMaxBitmapDimension)
        throw std::invalid_argument("a GIF picture is at most 65535 pixels wide and high");
    if (palette.empty() || palette.size() > 256)
        throw std::invalid_argument("a GIF colour table holds 1 to 256 colours");
    if (indices != static_cast<std::size_t>(width) * static_cast<std::size_t>(height))
        throw std::invalid_argument("GIF indices do not match the picture's size");
}

// Header, logical screen and the global table.
std::vector<std::uint8_t> GifScreen(int width, int height, const Palette& palette) {
    const int tableBits = GifTableBits(palette.size());
    std::vector<std::uint8_t> out = {'G', 'I', 'F', '8', '9', 'a'};
    PutU16(out, width);
    PutU16(out, height);
    // Global table present, 8 bits of colour resolution, its size.
    out.push_back(static_cast<std::uint8_t>(0x80 | 0x70 | (tableBits - 1)));
    out.push_back(0);  // background index
    out.push_back(0);  // no aspect ratio
    for (std::size_t i = 0; i < (std::size_t{1} << tableBits); ++i) {
        const Color c = i < palette.size() ? palette[i] : colors::kBlack;
        out.push_back(RedOf(c));
        out.push_back(GreenOf(c));
        out.push_back(BlueOf(c));
    }
    return out;
}

// One image at (0, 0) of the screen's size, not interlaced, on the global table.
void AppendGifImage(std::vector<std::uint8_t>& out, int width, int height, std::size_t paletteSize,
                    std::span<const std::uint8_t> indices) {
    out.push_back(0x2C);
    PutU16(out, 0);
    PutU16(out, 0);
    PutU16(out, width);
    PutU16(out, height);
    out.push_back(0);  // no local table, not interlaced
    const int minCodeSize = std::max(2, GifTableBits(paletteSize));
    out.push_back(static_cast<std::uint8_t>(minCodeSize));
    const std::vector<std::uint8_t> blocks = GifSubBlocks(EncodeGifLzw(indices, minCodeSize));
    out.insert(out.end(), blocks.begin(), blocks.end());
}

}  // namespace

std::vector<std::uint8_t> EncodeGif(const GifIndexedPicture& picture) {
    CheckPicture(picture.width, picture.height, picture.palette, picture.indices.size());
    std::vector<std::uint8_t> out = GifScreen(picture.width, picture.height, picture.palette);
    AppendGifImage(out, picture.width, picture.height, picture.palette.size(), picture.indices);
    out.push_back(0x3B);
    return out;
}

AnimatedGifEncoder::AnimatedGifEncoder(int width, int height, Palette palette, int delay)
    : width_(width), height_(height), palette_(std::move(palette)), delay_(delay) {
    CheckPicture(width, height, palette_, static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
    if (delay < 0 || delay > 65535) throw std::invalid_argument("a GIF frame delay is 0 to 65535 hundredths");
    bytes_ = GifScreen(width, height, palette_);
    // The looping extension: play over and over.
    const std::uint8_t loop[] = {0x21, 0xFF, 0x0B, 'N', 'E',  'T',  'S',  'C',  'A', 'P',
                                 'E',  '2',  '.',  '0', 0x03, 0x01, 0x00, 0x00, 0x00};
    bytes_.insert(bytes_.end(), std::begin(loop), std::end(loop));
}

void AnimatedGifEncoder::AddFrame(std::span<const std::uint8_t> indices) {
    CheckPicture(width_, height_, palette_, indices.size());
    // Graphic control: each frame stays until the next covers it, after the delay.
    bytes_.insert(bytes_.end(), {0x21, 0xF9, 0x04, 0x04});
    PutU16(bytes_, delay_);
    bytes_.insert(bytes_.end(), {0x00, 0x00});
    AppendGifImage(bytes_, width_, height_, palette_.size(), indices);
}

std::vector<std::uint8_t> AnimatedGifEncoder::Finish() {
    std::vector<std::uint8_t> out = std::move(bytes_);
    out.push_back(0x3B);
    return out;
}

std::vector<std::uint8_t> EncodeGif(ConstPixelView pixels) { return EncodeGif(ReduceForGif(pixels)); }

void WriteGif(const std::filesystem::path& path, ConstPixelView pixels) {
    const std::vector<std::uint8_t> bytes = EncodeGif(pixels);
    WriteFileAtomically(path, bytes);
}

}  // namespace kelbo
