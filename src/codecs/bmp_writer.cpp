#include "codecs/bmp_writer.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <limits>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>

#include "codecs/bmp_palette.h"
#include "core/byte_writer.h"
#include "core/checked_math.h"
#include "core/file_io.h"

namespace kelbo {
namespace {

constexpr std::uint32_t kInfoHeaderSize = 40;
constexpr std::int32_t kPixelsPerMeter = 2835;

void CheckEncodable(ConstPixelView pixels) {
    if (pixels.Empty()) {
        throw std::invalid_argument("a bitmap file cannot hold an empty picture (" + std::to_string(pixels.Width()) +
                                    " x " + std::to_string(pixels.Height()) + ")");
    }
}

// For each 8-bit value, the channel level of `bits` bits that reads back
// nearest to it (the lower one on a tie), so levels that can be read map back
// to themselves.
std::array<std::uint8_t, 256> LevelsOf(int bits) {
    const std::uint64_t max = (1u << bits) - 1;
    std::array<std::uint8_t, 256> levels{};
    for (int c = 0; c < 256; ++c) {
        int best = 256;
        for (std::uint64_t level = 0; level <= max; ++level) {
            const int distance = std::abs(int{BmpChannelTo8(level, max)} - c);
            if (distance < best) {
                best = distance;
                levels[c] = static_cast<std::uint8_t>(level);
            }
        }
    }
    return levels;
}

struct SixteenBitLayout {
    int redBits, greenBits;  // blue is always 5 bits at the bottom
    std::array<std::uint8_t, 256> red, green, blue;
};

SixteenBitLayout LayoutOf(PixelFormat format) {
    const bool sixGreen = format == PixelFormat::k16;
    return SixteenBitLayout{5, sixGreen ? 6 : 5, LevelsOf(5), LevelsOf(sixGreen ? 6 : 5), LevelsOf(5)};
}

bool UsesPalette(int bits) { return bits <= 8; }

// Where the parts of a bitmap file go; refuses a file that would pass 4 GiB.
struct BmpLayout {
    std::size_t stride = 0;  // bytes per stored row
    std::size_t offset = 0;  // of the pixels
    std::size_t imageSize = 0;
    std::size_t fileSize = 0;
};

BmpLayout LayoutFor(int width, int height, int bits, bool masks, std::size_t entries) {
    BmpLayout layout;
    layout.stride = static_cast<std::size_t>(*BmpRowBytes(static_cast<std::uint16_t>(bits), width));
    layout.offset = kBmpFileHeaderSize + kInfoHeaderSize + (masks ? 12 : 0) + 4 * entries;
    const auto imageSize = CheckedMul(layout.stride, static_cast<std::size_t>(height));
    const auto fileSize = imageSize ? CheckedAdd(*imageSize, layout.offset) : std::nullopt;
    if (!fileSize || *fileSize > std::numeric_limits<std::uint32_t>::max()) {
        throw std::length_error("picture too large for a bitmap file");
    }
    layout.imageSize = *imageSize;
    layout.fileSize = *fileSize;
    return layout;
}

// BITMAPFILEHEADER, BITMAPINFOHEADER, the masks of 5-6-5 and the colour table.
void AppendHeaders(std::vector<std::uint8_t>& out, int width, int height, int bits, bool masks,
                   std::span<const Color> colors, const BmpLayout& layout) {
    out.push_back('B');
    out.push_back('M');
    AppendU32Le(out, static_cast<std::uint32_t>(layout.fileSize));
    AppendU32Le(out, 0);  // two reserved words
    AppendU32Le(out, static_cast<std::uint32_t>(layout.offset));

    AppendU32Le(out, kInfoHeaderSize);
    AppendI32Le(out, width);
    AppendI32Le(out, height);  // positive: bottom-up, the common form
    AppendU16Le(out, 1);       // planes
    AppendU16Le(out, static_cast<std::uint16_t>(bits));
    AppendU32Le(out, static_cast<std::uint32_t>(masks ? BmpCompression::kBitfields : BmpCompression::kRgb));
    AppendU32Le(out, static_cast<std::uint32_t>(layout.imageSize));
    AppendI32Le(out, kPixelsPerMeter);
    AppendI32Le(out, kPixelsPerMeter);
    // 0 means the full 2^bits entries.
    AppendU32Le(out, colors.size() == (std::size_t{1} << bits) ? 0 : static_cast<std::uint32_t>(colors.size()));
    AppendU32Le(out, 0);  // colours important: all
    if (masks) {
        AppendU32Le(out, 0xF800);
        AppendU32Le(out, 0x07E0);
        AppendU32Le(out, 0x001F);
    }
    for (const Color c : colors) {
        out.push_back(BlueOf(c));
        out.push_back(GreenOf(c));
        out.push_back(RedOf(c));
        out.push_back(0);
    }
}

class Encoder {
public:
    Encoder(ConstPixelView pixels, PixelFormat format, std::span<const Color> palette)
        : pixels_(pixels), format_(format), bits_(BmpBitsPerPixel(format)) {
        CheckEncodable(pixels);
        if (UsesPalette(bits_)) choice_ = ChooseBmpPalette(pixels, bits_, palette);
    }

    // Hands the file to `sink` in pieces (the headers, then row by row), so a
    // file writer never holds more than it chooses to.
    void Encode(const std::function<void(std::span<const std::uint8_t>)>& sink) {
        const bool masks = format_ == PixelFormat::k16;
        const std::span<const Color> colors = UsesPalette(bits_) ? std::span<const Color>(choice_.colors)
                                                                 : std::span<const Color>();
        const BmpLayout layout = LayoutFor(pixels_.Width(), pixels_.Height(), bits_, masks, colors.size());
        fileSize_ = layout.fileSize;
        std::vector<std::uint8_t> headers;
        headers.reserve(layout.offset);
        AppendHeaders(headers, pixels_.Width(), pixels_.Height(), bits_, masks, colors, layout);
        sink(headers);
        WriteRows(sink, layout.stride);
    }

    std::size_t FileSize() const { return fileSize_; }

private:
    void WriteRows(const std::function<void(std::span<const std::uint8_t>)>& sink, std::size_t stride) {
        const int width = pixels_.Width();
        std::vector<std::uint8_t> packed(stride, 0);
        if (bits_ == 24) {
            const std::size_t rowBytes = static_cast<std::size_t>(width) * 3;
            const std::span<const std::uint8_t> padding(packed.data(), stride - rowBytes);
            for (int y = pixels_.Height() - 1; y >= 0; --y) {
                sink(std::span<const std::uint8_t>(pixels_.Row(y), rowBytes));
                if (!padding.empty()) sink(padding);
            }
            return;
        }
        std::vector<std::uint8_t> indices(UsesPalette(bits_) ? static_cast<std::size_t>(width) : 0);
        std::optional<BmpPaletteIndexer> indexer;
        if (UsesPalette(bits_)) indexer.emplace(choice_);
        const SixteenBitLayout layout = bits_ == 16 ? LayoutOf(format_) : SixteenBitLayout{};
        for (int y = pixels_.Height() - 1; y >= 0; --y) {
            const std::uint8_t* s = pixels_.Row(y);
            std::fill(packed.begin(), packed.end(), 0);
            if (indexer) {
                indexer->IndexRow(s, width, indices.data());
                PackIndices(indices, packed);
            } else if (bits_ == 16) {
                for (int x = 0; x < width; ++x, s += 3) {
                    const unsigned value = (unsigned{layout.red[s[2]]} << (5 + layout.greenBits)) |
                                           (unsigned{layout.green[s[1]]} << 5) | layout.blue[s[0]];
                    packed[2 * x] = static_cast<std::uint8_t>(value);
                    packed[2 * x + 1] = static_cast<std::uint8_t>(value >> 8);
                }
            } else {  // 32
                std::uint8_t* d = packed.data();
                for (int x = 0; x < width; ++x, s += 3, d += 4) std::memcpy(d, s, 3);
            }
            sink(packed);
        }
    }

    void PackIndices(const std::vector<std::uint8_t>& indices, std::vector<std::uint8_t>& packed) const {
        const std::size_t width = indices.size();
        if (bits_ == 8) {
            std::memcpy(packed.data(), indices.data(), width);
        } else if (bits_ == 4) {
            for (std::size_t x = 0; x < width; ++x)
                packed[x / 2] |= static_cast<std::uint8_t>(indices[x] << ((x % 2 == 0) ? 4 : 0));
        } else {
            for (std::size_t x = 0; x < width; ++x)
                packed[x / 8] |= static_cast<std::uint8_t>((indices[x] & 1) << (7 - x % 8));
        }
    }

    ConstPixelView pixels_;
    PixelFormat format_;
    int bits_;
    BmpPaletteChoice choice_;
    std::size_t fileSize_ = 0;
};

}  // namespace

int BmpBitsPerPixel(PixelFormat format) {
    switch (format) {
    case PixelFormat::k1: return 1;
    case PixelFormat::k4: return 4;
    case PixelFormat::k8: return 8;
    case PixelFormat::k15:
    case PixelFormat::k16: return 16;
    case PixelFormat::k32: return 32;
    case PixelFormat::k24:
    case PixelFormat::kDevice:
    case PixelFormat::kCustom: return 24;
    }
    return 24;
}

std::vector<std::uint8_t> EncodeBmp(ConstPixelView pixels, PixelFormat format, std::span<const Color> palette) {
    std::vector<std::uint8_t> out;
    Encoder encoder(pixels, format, palette);
    encoder.Encode([&out, &encoder](std::span<const std::uint8_t> piece) {
        if (out.empty()) out.reserve(encoder.FileSize());
        out.insert(out.end(), piece.begin(), piece.end());
    });
    return out;
}

void WriteBmp(const std::filesystem::path& path, ConstPixelView pixels, PixelFormat format,
              std::span<const Color> palette) {
    Encoder encoder(pixels, format, palette);  // refuses what it cannot write before the file is made
    BlockFileWriter file(path);
    encoder.Encode([&file](std::span<const std::uint8_t> piece) { file.Write(piece); });
    file.Commit();
}

void WriteBmpIndexed(const std::filesystem::path& path, int width, int height, std::span<const std::uint8_t> indices,
                     std::span<const Color> palette) {
    if (width <= 0 || height <= 0 || palette.empty() || palette.size() > 256 ||
        indices.size() != static_cast<std::size_t>(width) * static_cast<std::size_t>(height)) {
        throw std::invalid_argument("an 8-bit bitmap needs a picture, 1 to 256 colours and an index per pixel");
    }
    BmpRowWriter writer(path, width, height, BmpRowOrder::kStored, palette);
    for (int y = height - 1; y >= 0; --y) writer.WriteRow(indices.data() + static_cast<std::size_t>(y) * width);
    writer.Commit();
}

struct BmpRowWriter::State {
    explicit State(const std::filesystem::path& path) : file(path) {}
    AtomicFileWriter file;
    BmpRowOrder order = BmpRowOrder::kStored;
    int width = 0, height = 0;
    BmpLayout layout;
    std::size_t entries = 0;                // of the table; 0: 24 bits
    std::array<std::uint8_t, 256> first{};  // each index's first entry of its colour
    // Whole stored rows [blockLow, blockLow + blockSize), their padding zeros.
    std::vector<std::uint8_t> block;
    int blockRows = 1, blockLow = 0, blockSize = 0, inBlock = 0;
    int written = 0;

    int StoredIndex(int row) const { return order == BmpRowOrder::kStored ? row : height - 1 - row; }
};

BmpRowWriter::BmpRowWriter(const std::filesystem::path& path, int width, int height, BmpRowOrder order,
                           std::span<const Color> palette) {
    if (width <= 0 || height <= 0) {
        throw std::invalid_argument("a bitmap file cannot hold an empty picture (" + std::to_string(width) + " x " +
                                    std::to_string(height) + ")");
    }
    if (palette.size() > 256) throw std::invalid_argument("an 8-bit bitmap holds 1 to 256 colours");
    // As the table a picture is written with maps its colours: each to the
    // first entry of that colour.
    std::vector<Color> colors(palette.size());
    std::array<std::uint8_t, 256> first{};
    for (std::size_t i = 0; i < palette.size(); ++i) {
        colors[i] = palette[i] & 0xFFFFFF;
        first[i] = static_cast<std::uint8_t>(std::find(colors.begin(), colors.begin() + i, colors[i]) - colors.begin());
    }
    const int bits = palette.empty() ? 24 : 8;
    const BmpLayout layout = LayoutFor(width, height, bits, false, colors.size());
    std::vector<std::uint8_t> headers;
    AppendHeaders(headers, width, height, bits, false, colors, layout);
    state_ = std::make_unique<State>(path);
    State& s = *state_;
    s.order = order;
    s.width = width;
    s.height = height;
    s.layout = layout;
    s.entries = colors.size();
    s.first = first;
    s.blockRows = static_cast<int>(
        std::clamp<std::size_t>(kFileBlockBytes / layout.stride, 1, static_cast<std::size_t>(height)));
    s.block.assign(static_cast<std::size_t>(s.blockRows) * layout.stride, 0);
    s.file.Write(headers);
}

BmpRowWriter::~BmpRowWriter() = default;

void BmpRowWriter::WriteRow(const std::uint8_t* row) {
    State& s = *state_;
    if (s.written == s.height) throw std::logic_error("BmpRowWriter: more rows than the picture has");
    if (s.inBlock == 0) {
        s.blockSize = std::min(s.blockRows, s.height - s.written);
        const int firstStored = s.StoredIndex(s.written);
        s.blockLow = s.order == BmpRowOrder::kStored ? firstStored : firstStored - s.blockSize + 1;
    }
    std::uint8_t* out = s.block.data() +
                        static_cast<std::size_t>(s.StoredIndex(s.written) - s.blockLow) * s.layout.stride;
    if (s.entries == 0) {
        std::memcpy(out, row, static_cast<std::size_t>(s.width) * 3);
    } else {
        for (int x = 0; x < s.width; ++x) {
            if (row[x] >= s.entries) throw std::invalid_argument("a palette index beyond the table");
            out[x] = s.first[row[x]];
        }
    }
    ++s.written;
    if (++s.inBlock < s.blockSize) return;
    s.inBlock = 0;
    s.file.WriteAt(s.layout.offset + static_cast<std::uint64_t>(s.blockLow) * s.layout.stride,
                   {s.block.data(), static_cast<std::size_t>(s.blockSize) * s.layout.stride});
}

void BmpRowWriter::Commit() {
    if (state_->written != state_->height) throw std::logic_error("BmpRowWriter: rows missing");
    state_->file.Commit();
}

void ReduceToBmpFormat(PixelView pixels, PixelFormat format, std::span<const Color> palette) {
    if (pixels.Empty()) return;
    const int bits = BmpBitsPerPixel(format);
    if (UsesPalette(bits)) {
        const BmpPaletteChoice choice = ChooseBmpPalette(pixels, bits, palette);
        BmpPaletteIndexer indexer(choice);
        for (int y = 0; y < pixels.Height(); ++y) {
            std::uint8_t* p = pixels.Row(y);
            for (int x = 0; x < pixels.Width(); ++x, p += 3) {
                const Color c = choice.colors[indexer.IndexOf(p[2], p[1], p[0])];
                p[0] = BlueOf(c);
                p[1] = GreenOf(c);
                p[2] = RedOf(c);
            }
        }
        return;
    }
    if (bits != 16) return;
    const SixteenBitLayout layout = LayoutOf(format);
    const auto back = [](const std::array<std::uint8_t, 256>& levels, int levelBits) {
        std::array<std::uint8_t, 256> table{};
        const std::uint64_t max = (1u << levelBits) - 1;
        for (int c = 0; c < 256; ++c) table[c] = BmpChannelTo8(levels[c], max);
        return table;
    };
    const auto red = back(layout.red, layout.redBits);
    const auto green = back(layout.green, layout.greenBits);
    const auto blue = back(layout.blue, 5);
    for (int y = 0; y < pixels.Height(); ++y) {
        std::uint8_t* p = pixels.Row(y);
        for (int x = 0; x < pixels.Width(); ++x, p += 3) {
            p[0] = blue[p[0]];
            p[1] = green[p[1]];
            p[2] = red[p[2]];
        }
    }
}

std::vector<std::uint8_t> EncodeBmp24(ConstPixelView pixels) { return EncodeBmp(pixels, PixelFormat::k24); }

void WriteBmp24(const std::filesystem::path& path, ConstPixelView pixels) { WriteBmp(path, pixels, PixelFormat::k24); }

}  // namespace kelbo
