#include "core/bitmap24.h"

#include <gtest/gtest.h>

#include <array>
#include <limits>
#include <optional>
#include <utility>

#include "core/checked_math.h"

namespace kelbo {
namespace {

TEST(Stride24, PadsRowsToFourBytes) {
    EXPECT_EQ(Stride24(0), 0u);
    EXPECT_EQ(Stride24(1), 4u);   // 3 bytes + 1 padding
    EXPECT_EQ(Stride24(2), 8u);   // 6 + 2
    EXPECT_EQ(Stride24(3), 12u);  // 9 + 3
    EXPECT_EQ(Stride24(4), 12u);  // 12, no padding
    EXPECT_EQ(Stride24(5), 16u);  // 15 + 1
    EXPECT_EQ(Stride24(65535), 196608u);
}

TEST(Bitmap24, SizesAndRowsFollowTheDibLayout) {
    for (int width = 1; width <= 5; ++width) {
        Bitmap24 b(width, 3);
        EXPECT_EQ(b.Width(), width);
        EXPECT_EQ(b.Height(), 3);
        EXPECT_EQ(b.Stride() % 4, 0u);
        EXPECT_GE(b.Stride(), static_cast<std::size_t>(width) * 3);
        EXPECT_LT(b.Stride(), static_cast<std::size_t>(width) * 3 + 4);
        EXPECT_EQ(b.ByteSize(), b.Stride() * 3);
        EXPECT_EQ(b.Row(2) - b.Row(0), static_cast<std::ptrdiff_t>(2 * b.Stride()));
    }
}

TEST(Bitmap24, StartsBlackAndStoresBlueGreenRed) {
    Bitmap24 b(2, 2);
    EXPECT_EQ(b.Pixel(1, 1), colors::kBlack);
    b.SetPixel(1, 0, Rgb(10, 20, 30));
    const std::uint8_t* row = b.Row(0);
    EXPECT_EQ(row[3], 30);  // blue first
    EXPECT_EQ(row[4], 20);
    EXPECT_EQ(row[5], 10);
    EXPECT_EQ(b.Pixel(1, 0), Rgb(10, 20, 30));
}

TEST(Bitmap24, RowZeroIsTheTop) {
    Bitmap24 b(1, 2);
    b.SetPixel(0, 0, colors::kRed);
    EXPECT_EQ(b.Row(0)[2], 255);
    EXPECT_EQ(b.Row(1)[2], 0);
}

TEST(Bitmap24, FillLeavesPaddingAlone) {
    Bitmap24 b(1, 2, Rgb(1, 2, 3));
    EXPECT_EQ(b.Row(0)[0], 3);
    EXPECT_EQ(b.Row(0)[3], 0);
    EXPECT_EQ(b.Row(1)[2], 1);
}

TEST(Bitmap24, ZeroSizedBitmapsAreEmpty) {
    EXPECT_TRUE(Bitmap24().Empty());
    EXPECT_TRUE(Bitmap24(0, 10).Empty());
    EXPECT_TRUE(Bitmap24(10, 0).Empty());
    EXPECT_EQ(Bitmap24(10, 0).ByteSize(), 0u);
    EXPECT_EQ(Bitmap24(0, 10).ByteSize(), 0u);
}

TEST(Bitmap24, RejectsSidesBeyond16Bits) {
    EXPECT_THROW(Bitmap24(65536, 1), BitmapSizeError);
    EXPECT_THROW(Bitmap24(1, 65536), BitmapSizeError);
    EXPECT_THROW(Bitmap24(-1, 1), BitmapSizeError);
    EXPECT_THROW(Bitmap24(1, -5), BitmapSizeError);
    EXPECT_THROW(Stride24(65536), BitmapSizeError);
    EXPECT_NO_THROW(Bitmap24(65535, 1));
}

TEST(CheckedMath, ReportsOverflowInsteadOfWrapping) {
    constexpr std::size_t kMax = std::numeric_limits<std::size_t>::max();
    EXPECT_EQ(CheckedMul(65536, 65535), std::optional<std::size_t>(4294901760u));
    EXPECT_EQ(CheckedMul(kMax / 2 + 1, 2), std::nullopt);
    EXPECT_EQ(CheckedMul(0, kMax), std::optional<std::size_t>(0));
    EXPECT_EQ(CheckedAdd(kMax, 1), std::nullopt);
    EXPECT_EQ(CheckedAdd(kMax - 1, 1), std::optional<std::size_t>(kMax));
}

TEST(Bitmap24, PixelAccessIsBoundsChecked) {
    Bitmap24 b(2, 2);
    EXPECT_THROW(b.Pixel(2, 0), std::out_of_range);
    EXPECT_THROW(b.Pixel(0, -1), std::out_of_range);
    EXPECT_THROW(b.SetPixel(-1, 0, 0), std::out_of_range);
}

TEST(Bitmap24, CopiesAreDeepAndMovesEmptyTheSource) {
    Bitmap24 a(3, 2, Rgb(9, 8, 7));
    Bitmap24 copy = a;
    copy.SetPixel(0, 0, colors::kWhite);
    EXPECT_EQ(a.Pixel(0, 0), Rgb(9, 8, 7));
    EXPECT_FALSE(copy == a);

    Bitmap24 moved = std::move(a);
    EXPECT_EQ(moved.Pixel(2, 1), Rgb(9, 8, 7));
    EXPECT_TRUE(a.Empty());  // NOLINT: checking the moved-from state on purpose
    EXPECT_EQ(a.Width(), 0);
    EXPECT_EQ(a.ByteSize(), 0u);
}

TEST(PixelView, ViewsForeignMemoryWithItsOwnStride) {
    std::array<std::uint8_t, 2 * 8> memory{};  // 2 rows of 2 pixels, stride 8
    PixelView view(memory.data(), 2, 2, 8);
    view.SetPixel(1, 1, Rgb(1, 2, 3));
    EXPECT_EQ(memory[8 + 3], 3);
    EXPECT_EQ(memory[8 + 5], 1);
}

TEST(PixelView, NegativeStrideViewsABottomUpBufferTopDown) {
    std::array<std::uint8_t, 2 * 4> memory{};  // bottom-up: memory row 0 is the bottom
    PixelView view(memory.data() + 4, 1, 2, -4);
    view.SetPixel(0, 0, Rgb(50, 0, 0));
    EXPECT_EQ(memory[4 + 2], 50);
    EXPECT_EQ(memory[2], 0);
}

TEST(PixelView, RejectsInconsistentArguments) {
    std::array<std::uint8_t, 16> memory{};
    EXPECT_THROW(PixelView(memory.data(), 2, 1, 5), std::invalid_argument);  // stride < 6
    EXPECT_THROW(PixelView(nullptr, 1, 1, 4), std::invalid_argument);
    EXPECT_THROW(PixelView(memory.data(), 70000, 1, 300000), std::invalid_argument);
    EXPECT_NO_THROW(PixelView(nullptr, 0, 0, 0));
}

TEST(Bitmap24, CopyOfAViewDropsForeignPadding) {
    std::array<std::uint8_t, 2 * 10> memory{};
    memory[0] = 1;
    memory[10 + 2] = 2;
    const ConstPixelView view(memory.data(), 1, 2, 10);
    const Bitmap24 copy = Bitmap24::CopyOf(view);
    EXPECT_EQ(copy.Stride(), 4u);
    EXPECT_EQ(copy.Pixel(0, 0), Rgb(0, 0, 1));
    EXPECT_EQ(copy.Pixel(0, 1), Rgb(2, 0, 0));
    EXPECT_TRUE(SamePixels(copy.View(), view));
}

}  // namespace
}  // namespace kelbo

namespace kelbo {
namespace {

TEST(CopyPixels, CopiesRowsBetweenStridesAndRefusesOtherSizes) {
    Bitmap24 source(5, 3, Rgb(1, 2, 3));
    source.SetPixel(4, 2, Rgb(9, 8, 7));
    // A target with a wider stride than the picture needs, as a DIB view may have.
    std::vector<std::uint8_t> memory(3 * 32, 0xEE);
    PixelView target(memory.data(), 5, 3, 32);
    CopyPixels(target, source.ConstView());
    EXPECT_EQ(target.Pixel(0, 0), Rgb(1, 2, 3));
    EXPECT_EQ(target.Pixel(4, 2), Rgb(9, 8, 7));
    EXPECT_EQ(memory[15], 0xEE) << "padding beyond the pixels is left alone";
    Bitmap24 other(4, 3);
    EXPECT_THROW(CopyPixels(other.View(), source.ConstView()), std::invalid_argument);
}

}  // namespace
}  // namespace kelbo
