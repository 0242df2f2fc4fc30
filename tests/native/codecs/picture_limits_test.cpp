#include "core/picture_limits.h"

#include <gtest/gtest.h>
#include <png.h>

#include <cstdio>
#include <new>
#include <optional>
#include <string>
#include <vector>

#include "codecs/bmp_builder.h"
#include "codecs/gif_test_files.h"
#include "codecs/jpeg_test_files.h"
#include "codecs/picture_files.h"
#include "core/file_io.h"
#include "core/text_encoding.h"
#include "temp_dir.h"

namespace kelbo {
namespace {

using testing::BmpBuilder;
using testing::GifBuilder;

// Says what it was asked for, then has no memory, as a 32-bit program may not.
struct NoMemoryTarget : PictureTarget {
    PixelView Allocate(int width, int height) override {
        asked = {width, height};
        throw std::bad_alloc();
    }
    std::optional<std::pair<int, int>> asked;
};

// Signature, IHDR, an empty IDAT and IEND, written by libpng.
void WritePngHeader(const std::filesystem::path& path, std::uint32_t width, std::uint32_t height) {
    FILE* f = std::fopen(path.string().c_str(), "wb");
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    png_init_io(png, f);
    png_set_IHDR(png, info, width, height, 8, PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
                 PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    png_write_chunk(png, reinterpret_cast<png_const_bytep>("IDAT"), nullptr, 0);
    png_write_chunk(png, reinterpret_cast<png_const_bytep>("IEND"), nullptr, 0);
    png_destroy_write_struct(&png, &info);
    std::fclose(f);
}

std::vector<std::uint8_t> Bmp(std::int32_t width, std::int32_t height, std::uint16_t bits, std::uint32_t compression,
                              std::size_t dataBytes) {
    const std::uint32_t offset = 54 + (bits <= 8 ? 4 : 0);
    BmpBuilder bmp;
    bmp.FileHeader(static_cast<std::uint32_t>(offset + dataBytes), offset)
        .InfoHeader(40, width, height, bits, compression, 1);
    if (bits <= 8) bmp.Zeros(4);
    return bmp.Zeros(dataBytes).bytes;
}

// Padding past the end marker counts only towards the file's size.
std::vector<std::uint8_t> Jpeg(int width, int height, std::size_t padding) {
    auto jpeg = testing::WithSize(testing::EncodeWithLibrary(testing::ColourfulPicture(16, 16)), width, height);
    jpeg.resize(jpeg.size() + padding, 0);
    return jpeg;
}

struct LimitCase {
    std::string name;
    std::vector<std::uint8_t> bytes;  // empty: a PNG of pngSize
    std::pair<std::uint32_t, std::uint32_t> pngSize;
    std::string message;  // after "<path>: "
    std::optional<std::pair<int, int>> asked = std::nullopt;
};

// Through the one entry documents, the browser and kelbo-cli read by; the
// target is asked only for a picture within the limits.
TEST(PictureLimits, EveryReaderRefusesTheHeaderBeforeAskingForThePicture) {
    const std::string tooLarge = "picture too large: 10000 x 10000 pixels need 287 MiB, at most 256 MiB";
    const std::string side = " pixels, at most 65535 pixels a side";
    const std::string noMemory = "not enough memory for a picture of ";
    const std::string png = "damaged or refused PNG file: ";
    const auto gifScreen = GifBuilder().Header().Screen(10000, 10000).Trailer().bytes;
    const auto gifFrame = GifBuilder().Header().Screen(1, 1).ImageWithCodes(0, 0, 10000, 10000, false, 2, {}).bytes;
    const auto gifSmall = GifBuilder().Header().Screen(1, 1).Image(testing::FilledTestImage(0, 0, 1, 1, 0)).bytes;
    const std::vector<LimitCase> cases = {
        {"wide.bmp", Bmp(65536, 1, 24, 0, 0), {}, "picture too large: 65536 x 1" + side},
        {"high.bmp", Bmp(1, -65536, 1, 0, 0), {}, "picture too large: 1 x 65536" + side},
        {"big.bmp", Bmp(10000, 10000, 32, 0, 0), {}, tooLarge},
        {"big4.bmp", Bmp(10000, 10000, 4, 2, 0), {}, tooLarge},
        // Enough run-length data for 89 megapixels to be worth trying.
        {"within.bmp", Bmp(65535, 1365, 8, 1, 90000), {}, noMemory + "65535 x 1365 pixels", std::pair{65535, 1365}},
        {"screen.gif", gifScreen, {}, "logical screen too large: 10000 x 10000 pixels need 287 MiB, at most 256 MiB"},
        {"frame.gif", gifFrame, {}, "the GIF file holds no readable image (image 1: " + tooLarge + ")"},
        {"within.gif", gifSmall, {}, noMemory + "1 x 1 pixels", std::pair{1, 1}},
        {"wide.png", {}, {65536, 1}, png + "picture too large: 65536 x 1" + side},
        {"big.png", {}, {10000, 10000}, png + tooLarge},
        {"just.png", {}, {65535, 1366}, png + "picture too large: 65535 x 1366 pixels need 257 MiB, at most 256 MiB"},
        {"within.png", {}, {65535, 1365}, png + noMemory + "65535 x 1365 pixels", std::pair{65535, 1365}},
        {"wide.jpg", Jpeg(65535, 16, 0), {}, "Maximum supported image dimension is 65500 pixels"},
        {"big.jpg", Jpeg(10000, 10000, 0), {}, tooLarge},
        // Padded so as not to be refused as too short for its blocks.
        {"within.jpg", Jpeg(65500, 1365, 50000), {}, noMemory + "65500 x 1365 pixels", std::pair{65500, 1365}},
    };
    testing::TempDir dir;
    TJPEGImage jpeg;
    jpeg.SetNumOfColors(TNumOfColors::TrueColor);  // quantising would read the whole picture first
    for (const LimitCase& c : cases) {
        const std::filesystem::path path = dir / c.name;
        if (c.bytes.empty())
            WritePngHeader(path, c.pngSize.first, c.pngSize.second);
        else
            WriteFileAtomically(path, c.bytes);
        NoMemoryTarget target;
        try {
            LoadPictureFile(path, target, PictureCodecs{jpeg});
            ADD_FAILURE() << c.name << " was read";
        } catch (const std::exception& e) {
            EXPECT_EQ(e.what(), PathToUtf8(path) + ": " + c.message) << c.name;
        }
        EXPECT_EQ(target.asked, c.asked) << c.name;
    }
}

}  // namespace
}  // namespace kelbo
