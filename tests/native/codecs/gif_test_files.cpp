#include "codecs/gif_test_files.h"

#include <algorithm>
#include <stdexcept>

namespace kelbo::testing {
namespace {

void AppendTable(std::vector<std::uint8_t>& out, const std::vector<Color>& table) {
    const std::size_t entries = std::size_t{1} << GifTableBits(table.size());
    for (std::size_t i = 0; i < entries; ++i) {
        const Color c = i < table.size() ? table[i] : 0;
        out.push_back(RedOf(c));
        out.push_back(GreenOf(c));
        out.push_back(BlueOf(c));
    }
}

int BitsForIndices(std::span<const std::uint8_t> indices) {
    const std::uint8_t top = indices.empty() ? 0 : *std::max_element(indices.begin(), indices.end());
    int bits = 2;
    while ((1 << bits) <= top) ++bits;
    return bits;
}

}  // namespace

std::vector<std::uint8_t> InterlaceRows(std::span<const std::uint8_t> indices, int width, int height) {
    std::vector<std::uint8_t> out;
    out.reserve(indices.size());
    const int start[] = {0, 4, 2, 1};
    const int step[] = {8, 8, 4, 2};
    for (int pass = 0; pass < 4; ++pass) {
        for (int y = start[pass]; y < height; y += step[pass]) {
            const auto row = indices.begin() + static_cast<std::ptrdiff_t>(y) * width;
            out.insert(out.end(), row, row + width);
        }
    }
    return out;
}

GifBuilder& GifBuilder::Raw(std::initializer_list<std::uint8_t> raw) {
    bytes.insert(bytes.end(), raw.begin(), raw.end());
    return *this;
}

GifBuilder& GifBuilder::Raw(std::span<const std::uint8_t> raw) {
    bytes.insert(bytes.end(), raw.begin(), raw.end());
    return *this;
}

GifBuilder& GifBuilder::U16(std::uint16_t value) {
    return Raw({static_cast<std::uint8_t>(value & 0xFF), static_cast<std::uint8_t>(value >> 8)});
}

GifBuilder& GifBuilder::Header(const std::string& version) {
    Raw({'G', 'I', 'F'});
    bytes.insert(bytes.end(), version.begin(), version.end());
    return *this;
}

GifBuilder& GifBuilder::Screen(int width, int height, const std::vector<Color>& globalTable, std::uint8_t background) {
    U16(static_cast<std::uint16_t>(width));
    U16(static_cast<std::uint16_t>(height));
    std::uint8_t flags = 0x70;  // 8 bits of colour resolution
    if (!globalTable.empty()) flags = static_cast<std::uint8_t>(flags | 0x80 | (GifTableBits(globalTable.size()) - 1));
    Raw({flags, background, 0});
    if (!globalTable.empty()) AppendTable(bytes, globalTable);
    return *this;
}

GifBuilder& GifBuilder::GraphicControl(int disposal, int delayHundredths, bool transparent,
                                       std::uint8_t transparentIndex) {
    const auto flags = static_cast<std::uint8_t>(((disposal & 7) << 2) | (transparent ? 1 : 0));
    Raw({0x21, 0xF9, 0x04, flags});
    U16(static_cast<std::uint16_t>(delayHundredths));
    return Raw({transparentIndex, 0x00});
}

GifBuilder& GifBuilder::Comment(const std::string& text) {
    Raw({0x21, 0xFE});
    const std::vector<std::uint8_t> data(text.begin(), text.end());
    return Raw(GifSubBlocks(data));
}

GifBuilder& GifBuilder::Loop(std::uint16_t count) {
    const std::uint8_t data[] = {0x01, static_cast<std::uint8_t>(count & 0xFF), static_cast<std::uint8_t>(count >> 8)};
    return Application("NETSCAPE2.0", data);
}

GifBuilder& GifBuilder::PlainText(const std::string& text) {
    // Grid position and size, cell size, colours.
    Raw({0x21, 0x01, 12, 0, 0, 0, 0, 64, 0, 16, 0, 8, 16, 1, 0});
    const std::vector<std::uint8_t> data(text.begin(), text.end());
    return Raw(GifSubBlocks(data));
}

GifBuilder& GifBuilder::Application(const std::string& identifier, std::span<const std::uint8_t> data) {
    Raw({0x21, 0xFF, static_cast<std::uint8_t>(identifier.size())});
    bytes.insert(bytes.end(), identifier.begin(), identifier.end());
    return Raw(GifSubBlocks(data));
}

GifTestImage TestImage(int left, int top, int width, int height, std::vector<std::uint8_t> indices) {
    GifTestImage img;
    img.left = left;
    img.top = top;
    img.width = width;
    img.height = height;
    img.indices = std::move(indices);
    return img;
}

GifTestImage FilledTestImage(int left, int top, int width, int height, std::uint8_t index) {
    return TestImage(
        left, top, width, height,
        std::vector<std::uint8_t>(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), index));
}

GifBuilder& GifBuilder::Image(const GifTestImage& image) {
    if (image.indices.size() != static_cast<std::size_t>(image.width) * image.height)
        throw std::invalid_argument("GifTestImage: indices do not match the size");
    Raw({0x2C});
    U16(static_cast<std::uint16_t>(image.left));
    U16(static_cast<std::uint16_t>(image.top));
    U16(static_cast<std::uint16_t>(image.width));
    U16(static_cast<std::uint16_t>(image.height));
    std::uint8_t flags = image.interlaced ? 0x40 : 0x00;
    if (!image.localTable.empty())
        flags = static_cast<std::uint8_t>(flags | 0x80 | (GifTableBits(image.localTable.size()) - 1));
    Raw({flags});
    if (!image.localTable.empty()) AppendTable(bytes, image.localTable);
    const int minCodeSize = image.minCodeSize != 0 ? image.minCodeSize : BitsForIndices(image.indices);
    const std::vector<std::uint8_t> stored = image.interlaced ? InterlaceRows(image.indices, image.width, image.height)
                                                              : image.indices;
    Raw({static_cast<std::uint8_t>(minCodeSize)});
    return Raw(GifSubBlocks(EncodeGifLzw(stored, minCodeSize, image.lzw)));
}

GifBuilder& GifBuilder::ImageWithCodes(int left, int top, int width, int height, bool interlaced, int minCodeSize,
                                       const std::vector<std::uint8_t>& codes) {
    Raw({0x2C});
    U16(static_cast<std::uint16_t>(left));
    U16(static_cast<std::uint16_t>(top));
    U16(static_cast<std::uint16_t>(width));
    U16(static_cast<std::uint16_t>(height));
    Raw({static_cast<std::uint8_t>(interlaced ? 0x40 : 0x00), static_cast<std::uint8_t>(minCodeSize)});
    return Raw(GifSubBlocks(codes));
}

GifBuilder& GifBuilder::Trailer() { return Raw({0x3B}); }

std::vector<std::uint8_t> MakeStillGif(int width, int height, const std::vector<Color>& table,
                                       const std::vector<std::uint8_t>& indices) {
    GifBuilder gif;
    gif.Header().Screen(width, height, table);
    GifTestImage image;
    image.width = width;
    image.height = height;
    image.indices = indices;
    gif.Image(image).Trailer();
    return gif.bytes;
}

std::vector<std::uint8_t> MakeAnimatedGif(int width, int height, int frames) {
    std::vector<Color> table(256);
    for (int i = 0; i < 256; ++i) {
        table[i] = Rgb(static_cast<std::uint8_t>(i), static_cast<std::uint8_t>((i * 7) & 0xFF),
                       static_cast<std::uint8_t>(255 - i));
    }
    GifBuilder gif;
    gif.Header().Screen(width, height, table).Loop(0);
    std::uint32_t noise = 12345;
    for (int f = 0; f < frames; ++f) {
        const bool transparent = f % 2 == 1;
        gif.GraphicControl(1, 5, transparent, 0);
        GifTestImage image;
        image.width = width;
        image.height = height;
        image.indices.resize(static_cast<std::size_t>(width) * height);
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x) {
                noise = noise * 1103515245u + 12345u;
                const int jitter = static_cast<int>((noise >> 16) % 3);
                image.indices[static_cast<std::size_t>(y) * width + x] = static_cast<std::uint8_t>((x + 3 * f) / 6 +
                                                                                                   y / 8 + jitter);
            }
        }
        gif.Image(image);
    }
    gif.Trailer();
    return gif.bytes;
}

}  // namespace kelbo::testing
