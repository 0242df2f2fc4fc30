#include "codecs/icon.h"

#include <gtest/gtest.h>

#include "temp_dir.h"

namespace kelbo {
namespace {

void U16(std::vector<std::uint8_t>& out, std::uint32_t v) {
    out.push_back(static_cast<std::uint8_t>(v & 0xFF));
    out.push_back(static_cast<std::uint8_t>((v >> 8) & 0xFF));
}
void U32(std::vector<std::uint8_t>& out, std::uint32_t v) {
    U16(out, v & 0xFFFF);
    U16(out, v >> 16);
}

// An icon image: BITMAPINFOHEADER (height doubled), table, colour rows and
// AND mask rows, both bottom-up as stored. `rows` and `mask` are given from
// the top, one value per pixel (an index, or BGRA packed as 0xAARRGGBB).
struct IconImage {
    int width = 0;
    int height = 0;
    int bits = 32;
    std::vector<Color> table;
    std::vector<std::vector<std::uint32_t>> rows;
    std::vector<std::vector<int>> mask;  // empty: all clear
};

std::vector<std::uint8_t> BuildImage(const IconImage& im) {
    std::vector<std::uint8_t> out;
    U32(out, 40);
    U32(out, static_cast<std::uint32_t>(im.width));
    U32(out, static_cast<std::uint32_t>(im.height * 2));
    U16(out, 1);
    U16(out, static_cast<std::uint32_t>(im.bits));
    U32(out, 0);
    U32(out, 0);
    U32(out, 0);
    U32(out, 0);
    U32(out, static_cast<std::uint32_t>(im.table.size()));
    U32(out, 0);
    for (const Color c : im.table) {
        out.push_back(BlueOf(c));
        out.push_back(GreenOf(c));
        out.push_back(RedOf(c));
        out.push_back(0);
    }
    const std::size_t rowBytes = (static_cast<std::size_t>(im.width) * im.bits + 31) / 32 * 4;
    for (int y = im.height - 1; y >= 0; --y) {
        std::vector<std::uint8_t> row(rowBytes, 0);
        for (int x = 0; x < im.width; ++x) {
            const std::uint32_t v = im.rows[y][x];
            switch (im.bits) {
            case 1: row[x / 8] |= static_cast<std::uint8_t>((v & 1) << (7 - x % 8)); break;
            case 4: row[x / 2] |= static_cast<std::uint8_t>((v & 15) << (x % 2 ? 0 : 4)); break;
            case 8: row[x] = static_cast<std::uint8_t>(v); break;
            case 24:
                for (int c = 0; c < 3; ++c) row[x * 3 + c] = static_cast<std::uint8_t>(v >> (8 * c));
                break;
            default:
                for (int c = 0; c < 4; ++c) row[x * 4 + c] = static_cast<std::uint8_t>(v >> (8 * c));
            }
        }
        out.insert(out.end(), row.begin(), row.end());
    }
    const std::size_t maskRow = (static_cast<std::size_t>(im.width) + 31) / 32 * 4;
    for (int y = im.height - 1; y >= 0; --y) {
        std::vector<std::uint8_t> row(maskRow, 0);
        for (int x = 0; x < im.width && !im.mask.empty(); ++x) {
            if (im.mask[y][x]) row[x / 8] |= static_cast<std::uint8_t>(1 << (7 - x % 8));
        }
        out.insert(out.end(), row.begin(), row.end());
    }
    return out;
}

struct DirEntry {
    int width;
    int height;
    int bits;
    std::vector<std::uint8_t> data;
};

std::vector<std::uint8_t> BuildIcon(const std::vector<DirEntry>& entries) {
    std::vector<std::uint8_t> out;
    U16(out, 0);
    U16(out, 1);
    U16(out, static_cast<std::uint32_t>(entries.size()));
    std::uint32_t offset = 6 + 16 * static_cast<std::uint32_t>(entries.size());
    for (const DirEntry& e : entries) {
        out.push_back(static_cast<std::uint8_t>(e.width & 0xFF));
        out.push_back(static_cast<std::uint8_t>(e.height & 0xFF));
        out.push_back(0);
        out.push_back(0);
        U16(out, 1);
        U16(out, static_cast<std::uint32_t>(e.bits));
        U32(out, static_cast<std::uint32_t>(e.data.size()));
        U32(out, offset);
        offset += static_cast<std::uint32_t>(e.data.size());
    }
    for (const DirEntry& e : entries) out.insert(out.end(), e.data.begin(), e.data.end());
    return out;
}

IconImage Solid(int width, int height, int bits, std::uint32_t value) {
    IconImage im;
    im.width = width;
    im.height = height;
    im.bits = bits;
    im.rows.assign(height, std::vector<std::uint32_t>(width, value));
    if (bits <= 8) im.table = {Rgb(10, 20, 30), Rgb(200, 100, 50)};
    return im;
}

Bitmap24 Pattern(int width, int height) {
    Bitmap24 picture(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            picture.SetPixel(
                x, y,
                Rgb(static_cast<std::uint8_t>(x), static_cast<std::uint8_t>(y), static_cast<std::uint8_t>(x ^ y)));
    return picture;
}

TEST(IconWriter, RoundTripIsExactForEverySizeUpTo256) {
    for (const auto& [w, h] : {std::pair{1, 1}, {16, 16}, {33, 7}, {255, 256}, {256, 256}}) {
        const Bitmap24 picture = Pattern(w, h);
        const std::vector<std::uint8_t> bytes = EncodeIcon(picture.View());
        const Result<IconPicture> back = ReadIcon(bytes);
        ASSERT_TRUE(back) << back.Error().message;
        EXPECT_EQ(back->bitsPerPixel, 32);
        EXPECT_TRUE(back->bitmap == picture) << w << " x " << h;
        const Result<IconDirectory> dir = ReadIconDirectory(bytes);
        ASSERT_TRUE(dir);
        ASSERT_EQ(dir->entries.size(), 1u);
        EXPECT_EQ(dir->entries[0].width, w);
        EXPECT_EQ(dir->entries[0].height, h);
    }
}

TEST(IconWriter, RefusesPicturesAbove256WithAClearMessage) {
    const Bitmap24 wide(257, 10);
    try {
        EncodeIcon(wide.View());
        FAIL() << "a 257-pixel-wide icon was written";
    } catch (const std::invalid_argument& e) {
        EXPECT_NE(std::string(e.what()).find("at most 256 x 256"), std::string::npos) << e.what();
        EXPECT_NE(std::string(e.what()).find("257 x 10"), std::string::npos) << e.what();
    }
    EXPECT_THROW(EncodeIcon(Bitmap24(10, 300).View()), std::invalid_argument);
    EXPECT_THROW(EncodeIcon(ConstPixelView()), std::invalid_argument);
    testing::TempDir dir;
    EXPECT_THROW(WriteIcon(dir / "big.ico", wide.View()), std::invalid_argument);
    EXPECT_FALSE(std::filesystem::exists(dir / "big.ico"));
}

TEST(IconReader, PicksTheLargestImageThenTheDeepest) {
    const auto small = BuildImage(Solid(16, 16, 8, 0));
    const auto large4 = BuildImage(Solid(48, 48, 4, 1));
    const auto large24 = BuildImage(Solid(48, 48, 24, 0x0000FF));
    const auto mid = BuildImage(Solid(32, 32, 32, 0xFF00FF00));
    const Result<IconPicture> icon = ReadIcon(
        BuildIcon({{16, 16, 8, small}, {48, 48, 4, large4}, {48, 48, 24, large24}, {32, 32, 32, mid}}));
    ASSERT_TRUE(icon) << icon.Error().message;
    EXPECT_EQ(icon->entry, 2u);
    EXPECT_EQ(icon->bitsPerPixel, 24);
    EXPECT_EQ(icon->bitmap.Width(), 48);
    EXPECT_EQ(icon->bitmap.Height(), 48);
    EXPECT_EQ(icon->bitmap.Pixel(5, 5), Rgb(0, 0, 255));  // stored blue, green, red
}

TEST(IconReader, EveryDepthWithItsMask) {
    // Left half opaque colour, right half masked: white over black colour,
    // the inverse over any other.
    for (const int bits : {1, 4, 8, 24, 32}) {
        // Index 1 of the table, or the same colour stored directly.
        IconImage im = Solid(8, 2, bits, bits <= 8 ? 1u : 0x00C86432u);
        im.mask.assign(2, std::vector<int>{0, 0, 0, 0, 1, 1, 1, 1});
        im.rows[0][6] = im.rows[0][7] = 0;  // table entry 0, or black
        const Result<IconPicture> icon = ReadIcon(BuildIcon({{8, 2, bits, BuildImage(im)}}));
        ASSERT_TRUE(icon) << bits << ": " << icon.Error().message;
        const Color colour = Rgb(200, 100, 50);
        EXPECT_EQ(icon->bitmap.Pixel(0, 0), colour) << bits;
        EXPECT_EQ(icon->bitmap.Pixel(3, 1), colour) << bits;
        const Color underBlack = bits <= 8 ? Rgb(245, 235, 225) : colors::kWhite;
        EXPECT_EQ(icon->bitmap.Pixel(6, 0), underBlack) << bits;
        EXPECT_EQ(icon->bitmap.Pixel(5, 1), Rgb(55, 155, 205)) << bits;
    }
}

TEST(IconReader, AlphaBlendsOverWhite) {
    IconImage im = Solid(2, 1, 32, 0);
    im.rows[0][0] = 0xFF0000FFu;                // opaque blue
    im.rows[0][1] = 0x00000000u;                // fully transparent
    im.mask.assign(1, std::vector<int>{0, 0});  // alpha, not the mask, decides
    const Result<IconPicture> icon = ReadIcon(BuildIcon({{2, 1, 32, BuildImage(im)}}));
    ASSERT_TRUE(icon);
    EXPECT_EQ(icon->bitmap.Pixel(0, 0), Rgb(0, 0, 255));
    EXPECT_EQ(icon->bitmap.Pixel(1, 0), colors::kWhite);
    IconImage half = Solid(1, 1, 32, 0x80000000u);  // half-transparent black
    const Result<IconPicture> grey = ReadIcon(BuildIcon({{1, 1, 32, BuildImage(half)}}));
    ASSERT_TRUE(grey);
    EXPECT_EQ(grey->bitmap.Pixel(0, 0), Rgb(127, 127, 127));
}

TEST(IconReader, PngImagesAreRefusedClearly) {
    const std::vector<std::uint8_t> png = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A, 0, 0, 0, 13};
    const Result<IconPicture> icon = ReadIcon(BuildIcon({{0, 0, 32, png}}));
    ASSERT_FALSE(icon);
    EXPECT_EQ(icon.Error().kind, FailureKind::kUnsupported);
    EXPECT_EQ(icon.Error().message, "PNG icons are not supported");
}

TEST(IconReader, HostileDirectoriesAndImagesFail) {
    const auto good = BuildImage(Solid(4, 4, 24, 0x123456));
    const std::vector<std::uint8_t> file = BuildIcon({{4, 4, 24, good}});
    ASSERT_TRUE(ReadIcon(file));

    auto with = [&](std::size_t at, std::vector<std::uint8_t> bytes) {
        std::vector<std::uint8_t> f = file;
        std::copy(bytes.begin(), bytes.end(), f.begin() + static_cast<std::ptrdiff_t>(at));
        return f;
    };
    const std::vector<std::vector<std::uint8_t>> hostile = {
        {},
        {0, 0, 1},
        with(2, {2 + 5, 0}),                 // type 7
        with(4, {0, 0}),                     // no images
        with(4, {0xFF, 0xFF}),               // 65535 images
        with(4, {2, 0}),                     // two images, one entry
        with(14, {0xFF, 0xFF, 0xFF, 0x7F}),  // absurd image size
        with(18, {0xF0, 0xFF, 0xFF, 0xFF}),  // offset beyond the file
        with(18, {0, 0, 0, 0}),              // image inside the directory
        with(14, {0, 0, 0, 0}),              // empty image
        with(22, {12, 0, 0, 0}),             // core header
        with(22, {0xFF, 0xFF, 0xFF, 0xFF}),  // absurd header size
        with(26, {0xFF, 0xFF, 0, 0}),        // 65535 wide
        with(26, {0, 0, 0, 0x80}),           // negative width
        with(30, {0xFF, 0xFF, 0xFF, 0x7F}),  // absurd height
        with(30, {7, 0, 0, 0}),              // odd stored height
        with(30, {0xF8, 0xFF, 0xFF, 0xFF}),  // top-down
        with(36, {13, 0}),                   // 13 bits per pixel
        with(38, {1, 0, 0, 0}),              // run-length
        with(54, {0xFF, 0xFF, 0xFF, 0x0F}),  // huge colour table
        std::vector<std::uint8_t>(file.begin(), file.end() - 1),
    };
    for (std::size_t i = 0; i < hostile.size(); ++i) {
        EXPECT_FALSE(ReadIcon(hostile[i])) << "case " << i;
    }
    // Truncated at every length and with flipped bytes: errors or pictures,
    // never a crash.
    for (std::size_t n = 0; n < file.size(); ++n) {
        EXPECT_FALSE(ReadIcon(std::span<const std::uint8_t>(file.data(), n))) << n;
    }
    std::uint32_t noise = 7;
    for (int round = 0; round < 2000; ++round) {
        std::vector<std::uint8_t> f = file;
        for (int k = 0; k < 3; ++k) {
            noise = noise * 1103515245u + 12345u;
            f[(noise >> 8) % 70] = static_cast<std::uint8_t>(noise >> 24);
        }
        const Result<IconPicture> icon = ReadIcon(f);
        if (icon) {
            EXPECT_LE(icon->bitmap.Width(), 256);
        }
    }
}

TEST(IconReader, MissingFileIsAnIoFailure) {
    testing::TempDir dir;
    const Result<IconPicture> icon = ReadIcon(dir / "none.ico");
    ASSERT_FALSE(icon);
    EXPECT_EQ(icon.Error().kind, FailureKind::kIo);
}

}  // namespace
}  // namespace kelbo
