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

void GifCodePacker::FlushPartialByte() {
    if (bits_ > 0) bytes_.push_back(static_cast<std::uint8_t>(acc_ & 0xFF));
    acc_ = 0;
    bits_ = 0;
}

GifLzwEncoder::GifLzwEncoder(int minCodeSize, const GifLzwOptions& options)
    : options_(options), minCodeSize_(minCodeSize) {
    if (minCodeSize < 2 || minCodeSize > 11) throw std::invalid_argument("GIF minimum code size must be 2 to 11");
    clear_ = 1u << minCodeSize;
    child_.assign(std::size_t{kTableSize} * 256, 0);
    used_.reserve(kTableSize);
    Reset();
    if (options_.clearFirst) out_.Code(clear_, width_);
}

void GifLzwEncoder::Reset() {
    for (const std::uint32_t slot : used_) child_[slot] = 0;
    used_.clear();
    next_ = clear_ + 2;
    width_ = static_cast<unsigned>(minCodeSize_) + 1;
    limit_ = 1u << width_;
}

// The decoder adds an entry (and may widen) after every code but the first
// after a clear; the encoder adds its entry one code earlier, so it widens
// when the free code before its own addition reaches the limit.
void GifLzwEncoder::Emit(unsigned code) {
    out_.Code(code, width_);
    if (next_ == limit_ && limit_ < kTableSize) {
        limit_ <<= 1;
        ++width_;
    }
}

void GifLzwEncoder::Add(std::span<const std::uint8_t> indices) {
    for (const std::uint8_t index : indices) {
        if (index >= clear_) throw std::invalid_argument("GIF colour index beyond the code size");
    }
    std::size_t i = 0;
    if (!started_ && !indices.empty()) {
        current_ = indices[0];
        started_ = true;
        i = 1;
    }
    for (; i < indices.size(); ++i) {
        const std::uint8_t index = indices[i];
        const std::uint32_t slot = current_ * 256 + index;
        const std::uint16_t known = child_[slot];
        if (known != 0) {
            current_ = known;
            continue;
        }
        Emit(current_);
        if (next_ < kTableSize) {
            child_[slot] = static_cast<std::uint16_t>(next_++);
            used_.push_back(slot);
        } else if (options_.clearWhenFull) {
            out_.Code(clear_, width_);
            Reset();
        }
        current_ = index;
    }
}

void GifLzwEncoder::Finish() {
    if (started_) Emit(current_);
    if (options_.endCode) out_.Code(clear_ + 1, width_);
    out_.FlushPartialByte();
}

std::vector<std::uint8_t> EncodeGifLzw(std::span<const std::uint8_t> indices, int minCodeSize,
                                       const GifLzwOptions& options) {
    GifLzwEncoder encoder(minCodeSize, options);
    encoder.Add(indices);
    encoder.Finish();
    return std::move(encoder.Bytes());
}

void GifSubBlockWriter::Add(std::span<const std::uint8_t> data) {
    for (std::size_t pos = 0; pos < data.size();) {
        const std::size_t n = std::min(blockSize_ - block_.size(), data.size() - pos);
        block_.insert(block_.end(), data.begin() + static_cast<std::ptrdiff_t>(pos),
                      data.begin() + static_cast<std::ptrdiff_t>(pos + n));
        pos += n;
        if (block_.size() == blockSize_) Flush();
    }
}

void GifSubBlockWriter::Finish() {
    if (!block_.empty()) Flush();
    const std::uint8_t terminator = 0;
    sink_({&terminator, 1});
}

void GifSubBlockWriter::Flush() {
    const auto n = static_cast<std::uint8_t>(block_.size());
    sink_({&n, 1});
    sink_(block_);
    block_.clear();
}

std::vector<std::uint8_t> GifSubBlocks(std::span<const std::uint8_t> data, std::size_t blockSize) {
    std::vector<std::uint8_t> out;
    out.reserve(data.size() + data.size() / std::max<std::size_t>(blockSize, 1) + 2);
    GifSubBlockWriter blocks(
        [&out](std::span<const std::uint8_t> piece) { out.insert(out.end(), piece.begin(), piece.end()); }, blockSize);
    blocks.Add(data);
    blocks.Finish();
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

// The descriptor of one image at (0, 0) of the screen's size, not
// interlaced, on the global table, and the minimum code size; returns that.
int AppendGifImageDescriptor(std::vector<std::uint8_t>& out, int width, int height, std::size_t paletteSize) {
    out.push_back(0x2C);
    PutU16(out, 0);
    PutU16(out, 0);
    PutU16(out, width);
    PutU16(out, height);
    out.push_back(0);  // no local table, not interlaced
    const int minCodeSize = std::max(2, GifTableBits(paletteSize));
    out.push_back(static_cast<std::uint8_t>(minCodeSize));
    return minCodeSize;
}

void AppendGifImage(std::vector<std::uint8_t>& out, int width, int height, std::size_t paletteSize,
                    std::span<const std::uint8_t> indices) {
    const int minCodeSize = AppendGifImageDescriptor(out, width, height, paletteSize);
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

// EncodeGif's bytes, each row's indices encoded as the reduction gives them:
// neither the picture's indices nor its codes are ever held whole.
void WriteGif(const std::filesystem::path& path, ConstPixelView pixels) {
    if (pixels.Empty()) throw std::invalid_argument("cannot write an empty picture as GIF");
    const int width = pixels.Width(), height = pixels.Height();
    const BmpPaletteChoice choice = ChooseBmpPalette(pixels, 8);
    CheckPicture(width, height, choice.colors, static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
    BlockFileWriter file(path);
    std::vector<std::uint8_t> head = GifScreen(width, height, choice.colors);
    const int minCodeSize = AppendGifImageDescriptor(head, width, height, choice.colors.size());
    file.Write(head);
    GifLzwEncoder lzw(minCodeSize);
    GifSubBlockWriter blocks([&file](std::span<const std::uint8_t> piece) { file.Write(piece); });
    IndexToPalette(pixels, choice, true, [&](int, const std::uint8_t* indices) {
        lzw.Add({indices, static_cast<std::size_t>(width)});
        blocks.Add(lzw.Bytes());
        lzw.Bytes().clear();
    });
    lzw.Finish();
    blocks.Add(lzw.Bytes());
    blocks.Finish();
    const std::uint8_t trailer = 0x3B;
    file.Write({&trailer, 1});
    file.Commit();
}

}  // namespace kelbo
