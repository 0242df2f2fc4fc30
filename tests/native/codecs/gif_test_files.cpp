#include "codecs/gif_test_files.h"

#include <algorithm>
#include <stdexcept>

namespace kelbo::testing {
namespace {

constexpr unsigned kTableSize = 4096;

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

std::vector<std::uint8_t> EncodeGifLzw(std::span<const std::uint8_t> indices, int min_code_size,
                                       const GifLzwOptions& options) {
  if (min_code_size < 2 || min_code_size > 8) throw std::invalid_argument("min code size");
  const unsigned clear = 1u << min_code_size;
  const unsigned end = clear + 1;
  unsigned width = 0;
  unsigned limit = 0;
  unsigned next = 0;
  // child[prefix * 256 + index]: the code of prefix + index, 0 when absent.
  std::vector<std::uint16_t> child(kTableSize * 256, 0);
  auto reset = [&] {
    std::fill(child.begin(), child.end(), 0);
    next = clear + 2;
    width = static_cast<unsigned>(min_code_size) + 1;
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
  if (options.clear_first) out.Code(clear, width);
  if (!indices.empty()) {
    unsigned current = indices[0];
    for (std::size_t i = 1; i < indices.size(); ++i) {
      const std::uint8_t index = indices[i];
      const std::uint16_t known = child[current * 256 + index];
      if (known != 0) {
        current = known;
        continue;
      }
      emit(current);
      if (next < kTableSize) {
        child[current * 256 + index] = static_cast<std::uint16_t>(next++);
      } else if (options.clear_when_full) {
        out.Code(clear, width);
        reset();
      }
      current = index;
    }
    emit(current);
  }
  if (options.end_code) out.Code(end, width);
  return out.Bytes();
}

std::vector<std::uint8_t> GifSubBlocks(std::span<const std::uint8_t> data, std::size_t block_size) {
  std::vector<std::uint8_t> out;
  for (std::size_t pos = 0; pos < data.size(); pos += block_size) {
    const std::size_t n = std::min(block_size, data.size() - pos);
    out.push_back(static_cast<std::uint8_t>(n));
    out.insert(out.end(), data.begin() + static_cast<std::ptrdiff_t>(pos),
               data.begin() + static_cast<std::ptrdiff_t>(pos + n));
  }
  out.push_back(0);
  return out;
}

std::vector<std::uint8_t> InterlaceRows(std::span<const std::uint8_t> indices, int width,
                                        int height) {
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

int GifTableBits(std::size_t count) {
  int bits = 1;
  while ((std::size_t{1} << bits) < count) ++bits;
  return bits;
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

GifBuilder& GifBuilder::Screen(int width, int height, const std::vector<Color>& global_table,
                               std::uint8_t background) {
  U16(static_cast<std::uint16_t>(width));
  U16(static_cast<std::uint16_t>(height));
  std::uint8_t flags = 0x70;  // 8 bits of colour resolution
  if (!global_table.empty())
    flags = static_cast<std::uint8_t>(flags | 0x80 | (GifTableBits(global_table.size()) - 1));
  Raw({flags, background, 0});
  if (!global_table.empty()) AppendTable(bytes, global_table);
  return *this;
}

GifBuilder& GifBuilder::GraphicControl(int disposal, int delay_hundredths, bool transparent,
                                       std::uint8_t transparent_index) {
  const auto flags = static_cast<std::uint8_t>(((disposal & 7) << 2) | (transparent ? 1 : 0));
  Raw({0x21, 0xF9, 0x04, flags});
  U16(static_cast<std::uint16_t>(delay_hundredths));
  return Raw({transparent_index, 0x00});
}

GifBuilder& GifBuilder::Comment(const std::string& text) {
  Raw({0x21, 0xFE});
  const std::vector<std::uint8_t> data(text.begin(), text.end());
  return Raw(GifSubBlocks(data));
}

GifBuilder& GifBuilder::Loop(std::uint16_t count) {
  const std::uint8_t data[] = {0x01, static_cast<std::uint8_t>(count & 0xFF),
                               static_cast<std::uint8_t>(count >> 8)};
  return Application("NETSCAPE2.0", data);
}

GifBuilder& GifBuilder::PlainText(const std::string& text) {
  // Grid position and size, cell size, colours.
  Raw({0x21, 0x01, 12, 0, 0, 0, 0, 64, 0, 16, 0, 8, 16, 1, 0});
  const std::vector<std::uint8_t> data(text.begin(), text.end());
  return Raw(GifSubBlocks(data));
}

GifBuilder& GifBuilder::Application(const std::string& identifier,
                                    std::span<const std::uint8_t> data) {
  Raw({0x21, 0xFF, static_cast<std::uint8_t>(identifier.size())});
  bytes.insert(bytes.end(), identifier.begin(), identifier.end());
  return Raw(GifSubBlocks(data));
}

GifBuilder& GifBuilder::Image(const GifImageSpec& image) {
  if (image.indices.size() != static_cast<std::size_t>(image.width) * image.height)
    throw std::invalid_argument("GifImageSpec: indices do not match the size");
  Raw({0x2C});
  U16(static_cast<std::uint16_t>(image.left));
  U16(static_cast<std::uint16_t>(image.top));
  U16(static_cast<std::uint16_t>(image.width));
  U16(static_cast<std::uint16_t>(image.height));
  std::uint8_t flags = image.interlaced ? 0x40 : 0x00;
  if (!image.local_table.empty())
    flags = static_cast<std::uint8_t>(flags | 0x80 | (GifTableBits(image.local_table.size()) - 1));
  Raw({flags});
  if (!image.local_table.empty()) AppendTable(bytes, image.local_table);
  const int min_code_size =
      image.min_code_size != 0 ? image.min_code_size : BitsForIndices(image.indices);
  const std::vector<std::uint8_t> stored =
      image.interlaced ? InterlaceRows(image.indices, image.width, image.height) : image.indices;
  Raw({static_cast<std::uint8_t>(min_code_size)});
  return Raw(GifSubBlocks(EncodeGifLzw(stored, min_code_size, image.lzw)));
}

GifBuilder& GifBuilder::ImageWithCodes(int left, int top, int width, int height, bool interlaced,
                                       int min_code_size, const std::vector<std::uint8_t>& codes) {
  Raw({0x2C});
  U16(static_cast<std::uint16_t>(left));
  U16(static_cast<std::uint16_t>(top));
  U16(static_cast<std::uint16_t>(width));
  U16(static_cast<std::uint16_t>(height));
  Raw({static_cast<std::uint8_t>(interlaced ? 0x40 : 0x00),
       static_cast<std::uint8_t>(min_code_size)});
  return Raw(GifSubBlocks(codes));
}

GifBuilder& GifBuilder::Trailer() { return Raw({0x3B}); }

std::vector<std::uint8_t> MakeStillGif(int width, int height, const std::vector<Color>& table,
                                       const std::vector<std::uint8_t>& indices) {
  GifBuilder gif;
  gif.Header().Screen(width, height, table);
  GifImageSpec image;
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
    GifImageSpec image;
    image.width = width;
    image.height = height;
    image.indices.resize(static_cast<std::size_t>(width) * height);
    for (int y = 0; y < height; ++y) {
      for (int x = 0; x < width; ++x) {
        noise = noise * 1103515245u + 12345u;
        const int jitter = static_cast<int>((noise >> 16) % 3);
        image.indices[static_cast<std::size_t>(y) * width + x] =
            static_cast<std::uint8_t>((x + 3 * f) / 6 + y / 8 + jitter);
      }
    }
    gif.Image(image);
  }
  gif.Trailer();
  return gif.bytes;
}

}  // namespace kelbo::testing
