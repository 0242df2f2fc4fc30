#include "codecs/bmp_writer.h"

#include <gtest/gtest.h>

#include "codecs/bmp_info.h"
#include "core/byte_reader.h"
#include "core/file_io.h"
#include "file_helpers.h"
#include "temp_dir.h"

namespace kelbo {
namespace {

TEST(EncodeBmp24, TwoByTwoHasTheseExactBytes) {
  Bitmap24 picture(2, 2);
  picture.SetPixel(0, 0, Rgb(255, 0, 0));      // top left red
  picture.SetPixel(1, 0, Rgb(0, 255, 0));      // top right green
  picture.SetPixel(0, 1, Rgb(0, 0, 255));      // bottom left blue
  picture.SetPixel(1, 1, Rgb(255, 255, 255));  // bottom right white
  const std::vector<std::uint8_t> expected = {
      'B',  'M',  70,  0,   0,    0,    0, 0, 0,  0, 54, 0,
      0,    0,                                               // file header: size 70, pixels at 54
      40,   0,    0,   0,   2,    0,    0, 0, 2,  0, 0,  0,  // info header size, width, height
      1,    0,    24,  0,   0,    0,    0, 0, 16, 0, 0,  0,  // planes, bits, BI_RGB, image size 16
      0x13, 0x0B, 0,   0,   0x13, 0x0B, 0, 0,                // 2835 pixels per metre twice
      0,    0,    0,   0,   0,    0,    0, 0,                // colours used, important
      255,  0,    0,   255, 255,  255,  0, 0,                // bottom row first: blue, white, pad
      0,    0,    255, 0,   255,  0,    0, 0,                // then the top row: red, green, pad
  };
  EXPECT_EQ(EncodeBmp24(picture.View()), expected);
}

TEST(EncodeBmp24, RowsAreStoredBottomUpWithZeroPadding) {
  for (int width = 1; width <= 5; ++width) {
    Bitmap24 picture(width, 3);
    for (int y = 0; y < 3; ++y) {
      for (int x = 0; x < width; ++x) picture.SetPixel(x, y, Rgb(x * 10, y * 20, 7));
    }
    const auto bytes = EncodeBmp24(picture.View());
    const std::size_t stride = Stride24(width);
    ASSERT_EQ(bytes.size(), 54 + stride * 3);
    for (int y = 0; y < 3; ++y) {
      const std::size_t row = 54 + stride * static_cast<std::size_t>(2 - y);
      for (int x = 0; x < width; ++x) {
        const std::size_t at = row + static_cast<std::size_t>(x) * 3;
        EXPECT_EQ(bytes[at], 7);
        EXPECT_EQ(bytes[at + 1], y * 20);
        EXPECT_EQ(bytes[at + 2], x * 10);
      }
      for (std::size_t pad = static_cast<std::size_t>(width) * 3; pad < stride; ++pad) {
        EXPECT_EQ(bytes[row + pad], 0);
      }
    }
  }
}

TEST(EncodeBmp24, ViewsOfForeignMemoryEncodeLikeBitmaps) {
  Bitmap24 picture(3, 2, Rgb(1, 2, 3));
  picture.SetPixel(2, 1, Rgb(9, 9, 9));
  std::vector<std::uint8_t> foreign(2 * 20, 0xEE);  // wide stride with junk padding
  const PixelView view(foreign.data(), 3, 2, 20);
  for (int y = 0; y < 2; ++y) std::copy_n(picture.Row(y), 9, view.Row(y));
  EXPECT_EQ(EncodeBmp24(view), EncodeBmp24(picture.View()));
}

TEST(EncodeBmp24, EmptyPicturesAreRefused) {
  EXPECT_THROW(EncodeBmp24(Bitmap24(0, 5).View()), std::invalid_argument);
  EXPECT_THROW(EncodeBmp24(Bitmap24(5, 0).View()), std::invalid_argument);
}

TEST(WriteBmp24, WrittenFilesReadBackWithTheSameInfo) {
  testing::TempDir dir;
  for (const auto& [w, h] : {std::pair{1, 1}, {2, 3}, {3, 2}, {5, 7}, {640, 480}}) {
    const auto path = dir / ("p" + std::to_string(w) + "x" + std::to_string(h) + ".bmp");
    WriteBmp24(path, Bitmap24(w, h, Rgb(10, 20, 30)).View());
    const auto info = ReadBmpInfo(path);
    ASSERT_TRUE(info) << info.Error().message;
    EXPECT_EQ(info->width, w);
    EXPECT_EQ(info->height, h);
    EXPECT_TRUE(info->bottom_up);
    EXPECT_EQ(info->bits_per_pixel, 24);
    EXPECT_EQ(info->compression, BmpCompression::kRgb);
    EXPECT_EQ(info->header_kind, BmpHeaderKind::kInfo);
    EXPECT_EQ(info->pixel_offset, 54u);
    EXPECT_EQ(info->image_size, Stride24(w) * static_cast<std::size_t>(h));
    EXPECT_EQ(std::filesystem::file_size(path), 54 + Stride24(w) * static_cast<std::size_t>(h));
  }
}

TEST(WriteBmp24, FileSizeFieldMatchesTheFile) {
  testing::TempDir dir;
  WriteBmp24(dir / "a.bmp", Bitmap24(3, 3).View());
  const auto bytes = ReadFileBytes(dir / "a.bmp");
  ByteReader r(bytes);
  r.Skip(2);
  EXPECT_EQ(r.U32Le(), bytes.size());
}

TEST(WriteBmp24, UnwritablePathThrowsFileError) {
  testing::TempDir dir;
  EXPECT_THROW(WriteBmp24(dir / "missing" / "a.bmp", Bitmap24(1, 1).View()), FileError);
}

}  // namespace
}  // namespace kelbo
