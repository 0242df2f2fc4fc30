#include "codecs/gif_encoder.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <set>
#include <tuple>

#include "codecs/gif_decoder.h"
#include "core/file_io.h"
#include "temp_dir.h"

namespace kelbo {
namespace {

Bitmap24 FewColours(int width, int height, int colours) {
    Bitmap24 picture(width, height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const int k = (x * 7 + y * 3) % colours;
            picture.SetPixel(x, y,
                             Rgb(static_cast<std::uint8_t>(k), static_cast<std::uint8_t>(255 - k),
                                 static_cast<std::uint8_t>((k * 37) & 0xFF)));
        }
    }
    return picture;
}

Bitmap24 ManyColours(int width, int height) {
    Bitmap24 picture(width, height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            picture.SetPixel(
                x, y,
                Rgb(static_cast<std::uint8_t>(x * 255 / (width - 1)), static_cast<std::uint8_t>(y * 255 / (height - 1)),
                    static_cast<std::uint8_t>((x * y) & 0xFF)));
        }
    }
    return picture;
}

GifFile Decode(const std::vector<std::uint8_t>& bytes) {
    Result<GifFile> file = DecodeGif(bytes);
    EXPECT_TRUE(file) << (file ? "" : file.Error().message);
    return std::move(file).Value();
}

TEST(GifEncoder, APictureOfAtMost256ColoursComesBackExactly) {
    for (const int colours : {1, 2, 3, 17, 256}) {
        const Bitmap24 picture = FewColours(61, 37, colours);
        const std::vector<std::uint8_t> bytes = EncodeGif(picture.View());
        EXPECT_EQ(std::string(bytes.begin(), bytes.begin() + 6), "GIF89a");
        EXPECT_EQ(bytes.back(), 0x3B);
        const GifFile file = Decode(bytes);
        ASSERT_EQ(file.frames.size(), 1u);
        EXPECT_EQ(file.stop, GifStop::kTrailer);
        EXPECT_TRUE(file.frames[0].Complete());
        const Result<Bitmap24> back = GifFirstFrameBitmap(file);
        ASSERT_TRUE(back);
        EXPECT_TRUE(*back == picture) << colours << " colours";
    }
}

TEST(GifEncoder, ManyColoursAreDitheredToAt256WithTheSizeKept) {
    const Bitmap24 picture = ManyColours(300, 200);
    const GifFile file = Decode(EncodeGif(picture.View()));
    ASSERT_EQ(file.frames.size(), 1u);
    const Bitmap24 back = GifFirstFrameBitmap(file).Value();
    ASSERT_EQ(back.Width(), 300);
    ASSERT_EQ(back.Height(), 200);
    std::set<Color> seen;
    long long error = 0;
    for (int y = 0; y < 200; ++y) {
        for (int x = 0; x < 300; ++x) {
            const Color a = picture.Pixel(x, y);
            const Color b = back.Pixel(x, y);
            seen.insert(b);
            error += std::abs(RedOf(a) - RedOf(b)) + std::abs(GreenOf(a) - GreenOf(b)) +
                     std::abs(BlueOf(a) - BlueOf(b));
        }
    }
    EXPECT_LE(seen.size(), 256u);
    EXPECT_GT(seen.size(), 100u);
    // Averaged over the picture the dithered colours stay close (the blue
    // channel here is nearly noise, the hardest case for 256 colours).
    EXPECT_LT(static_cast<double>(error) / (300.0 * 200.0 * 3.0), 16.0);
}

TEST(GifEncoder, DitheringSpreadsTheErrorSoMeansArePreserved) {
    // Error diffusion keeps area means: the mean red of the reduced gradient
    // stays within 1 % of the source's.
    const Bitmap24 picture = ManyColours(256, 256);
    const GifIndexedPicture reduced = ReduceForGif(picture.View());
    ASSERT_EQ(reduced.palette.size(), 256u);
    long long sourceSum = 0;
    long long reducedSum = 0;
    for (int y = 0; y < 256; ++y) {
        for (int x = 0; x < 256; ++x) {
            sourceSum += RedOf(picture.Pixel(x, y));
            reducedSum += RedOf(reduced.palette[reduced.indices[static_cast<std::size_t>(y) * 256 + x]]);
        }
    }
    EXPECT_NEAR(static_cast<double>(reducedSum) / sourceSum, 1.0, 0.01);
}

TEST(GifEncoder, LargePicturesClearTheTableAndStillDecode) {
    Bitmap24 picture(500, 400);
    std::uint32_t noise = 99;
    for (int y = 0; y < 400; ++y) {
        for (int x = 0; x < 500; ++x) {
            noise = noise * 1103515245u + 12345u;
            const auto k = static_cast<std::uint8_t>((noise >> 16) & 0x0F);
            picture.SetPixel(x, y, Rgb(static_cast<std::uint8_t>(k * 16), k, 0));
        }
    }
    const Bitmap24 back = GifFirstFrameBitmap(Decode(EncodeGif(picture.View()))).Value();
    EXPECT_TRUE(back == picture);
}

TEST(GifEncoder, RefusesEmptyPicturesAndBadInput) {
    EXPECT_THROW(EncodeGif(ConstPixelView()), std::invalid_argument);
    const std::uint8_t tooBig[] = {4};
    EXPECT_THROW(EncodeGifLzw(tooBig, 2), std::invalid_argument);
    EXPECT_THROW(EncodeGifLzw(tooBig, 12), std::invalid_argument);
    GifIndexedPicture bad;
    bad.width = 2;
    bad.height = 2;
    bad.palette = {colors::kBlack};
    bad.indices = {0, 0, 0};
    EXPECT_THROW(EncodeGif(bad), std::invalid_argument);
}

TEST(GifEncoder, WriteGifWritesTheFile) {
    testing::TempDir dir;
    const Bitmap24 picture = FewColours(9, 5, 4);
    WriteGif(dir / "out.gif", picture.View());
    const Result<GifFile> file = ReadGifFile(dir / "out.gif");
    ASSERT_TRUE(file);
    EXPECT_TRUE(GifFirstFrameBitmap(*file).Value() == picture);
}

// The file is written row by row; its bytes are those of the whole encoding.
TEST(GifEncoder, WriteGifStreamsTheBytesEncodeGifGives) {
    testing::TempDir dir;
    std::uint32_t noise = 7;
    for (const auto& [w, h, levels] : {std::tuple{1, 1, 2}, {1, 97, 200}, {301, 1, 9}, {257, 131, 256}}) {
        Bitmap24 picture(w, h);
        for (int y = 0; y < h; ++y) {
            for (int x = 0; x < w * 3; ++x) {
                noise = noise * 1103515245u + 12345u;
                picture.Row(y)[x] = static_cast<std::uint8_t>((noise >> 16) % levels);
            }
        }
        WriteGif(dir / "out.gif", picture.View());
        EXPECT_EQ(ReadFileBytes(dir / "out.gif"), EncodeGif(picture.View())) << w << " x " << h;
    }
}

}  // namespace
}  // namespace kelbo
