#include "codecs/bmp_writer.h"

#include <cstring>
#include <limits>
#include <stdexcept>

#include "codecs/bmp_info.h"
#include "core/byte_writer.h"
#include "core/checked_math.h"
#include "core/file_io.h"

namespace kelbo {
namespace {

constexpr std::uint32_t kInfoHeaderSize = 40;
constexpr std::int32_t kPixelsPerMeter = 2835;

void CheckEncodable(ConstPixelView pixels) {
  if (pixels.Empty()) {
    throw std::invalid_argument("a bitmap file cannot hold an empty picture (" +
                                std::to_string(pixels.Width()) + " x " +
                                std::to_string(pixels.Height()) + ")");
  }
}

}  // namespace

std::vector<std::uint8_t> EncodeBmp24(ConstPixelView pixels) {
  CheckEncodable(pixels);
  const std::size_t stride = Stride24(pixels.Width());
  const auto image_size = CheckedMul(stride, static_cast<std::size_t>(pixels.Height()));
  const std::size_t offset = kBmpFileHeaderSize + kInfoHeaderSize;
  const auto file_size = image_size ? CheckedAdd(*image_size, offset) : std::nullopt;
  if (!file_size || *file_size > std::numeric_limits<std::uint32_t>::max()) {
    throw std::length_error("picture too large for a bitmap file");
  }
  std::vector<std::uint8_t> out;
  out.reserve(*file_size);
  out.push_back('B');
  out.push_back('M');
  AppendU32Le(out, static_cast<std::uint32_t>(*file_size));
  AppendU32Le(out, 0);  // two reserved words
  AppendU32Le(out, static_cast<std::uint32_t>(offset));

  AppendU32Le(out, kInfoHeaderSize);
  AppendI32Le(out, pixels.Width());
  AppendI32Le(out, pixels.Height());  // positive: bottom-up, the common form
  AppendU16Le(out, 1);                // planes
  AppendU16Le(out, 24);
  AppendU32Le(out, static_cast<std::uint32_t>(BmpCompression::kRgb));
  AppendU32Le(out, static_cast<std::uint32_t>(*image_size));
  AppendI32Le(out, kPixelsPerMeter);
  AppendI32Le(out, kPixelsPerMeter);
  AppendU32Le(out, 0);  // colours used
  AppendU32Le(out, 0);  // colours important

  const std::size_t row_bytes = static_cast<std::size_t>(pixels.Width()) * 3;
  for (int y = pixels.Height() - 1; y >= 0; --y) {
    const std::uint8_t* row = pixels.Row(y);
    out.insert(out.end(), row, row + row_bytes);
    out.insert(out.end(), stride - row_bytes, 0);  // padding is always zero
  }
  return out;
}

void WriteBmp24(const std::filesystem::path& path, ConstPixelView pixels) {
  const std::vector<std::uint8_t> bytes = EncodeBmp24(pixels);
  WriteFileAtomically(path, bytes);
}

}  // namespace kelbo
