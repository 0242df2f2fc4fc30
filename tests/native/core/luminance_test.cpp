#include "core/luminance.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace kelbo {
namespace {

TEST(Luminance, PrimariesWhiteAndBlack) {
    EXPECT_EQ(Luminance(255, 0, 0), 76);   // 76.245
    EXPECT_EQ(Luminance(0, 255, 0), 150);  // 149.685
    EXPECT_EQ(Luminance(0, 0, 255), 29);   // 29.07
    EXPECT_EQ(Luminance(255, 255, 255), 255);
    EXPECT_EQ(Luminance(0, 0, 0), 0);
}

TEST(Luminance, GreysKeepTheirValue) {
    for (int v = 0; v < 256; ++v) {
        const auto c = static_cast<std::uint8_t>(v);
        EXPECT_EQ(Luminance(c, c, c), v) << "grey " << v;
    }
}

TEST(Luminance, MixedColours) {
    EXPECT_EQ(Luminance(10, 20, 30), 18);     // 2.99 + 11.74 + 3.42 = 18.15
    EXPECT_EQ(Luminance(200, 100, 50), 124);  // 59.8 + 58.7 + 5.7 = 124.2
    EXPECT_EQ(Luminance(128, 64, 32), 79);    // 38.272 + 37.568 + 3.648 = 79.488
}

// In decimal these sums are exact halves, but 0.299, 0.587 and 0.114 are not
// exact in binary: the extended-precision sum lands exactly on the half, just
// above it or just below it, and Round follows what the sum really is.
TEST(Luminance, DecimalHalvesFollowTheExtendedPrecisionSum) {
    EXPECT_EQ(Luminance(0, 12, 4), 8);     // 7.04 + 0.456 = 7.5 exactly: to even
    EXPECT_EQ(Luminance(1, 13, 5), 8);     // 8.5 exactly: to even
    EXPECT_EQ(Luminance(7, 19, 11), 15);   // 14.5 decimal, 14.5 + 8.7e-19 in long double
    EXPECT_EQ(Luminance(52, 16, 40), 29);  // 29.5 decimal, 29.5 - 1.7e-18 in long double
}

// The fast path must agree with the extended-precision formula everywhere,
// ties included.
TEST(Luminance, FastPathMatchesTheLongDoubleFormulaForEveryColour) {
    int mismatches = 0;
    int ties = 0;
    for (int r = 0; r < 256; ++r) {
        for (int g = 0; g < 256; ++g) {
            for (int b = 0; b < 256; ++b) {
                const auto rr = static_cast<std::uint8_t>(r), gg = static_cast<std::uint8_t>(g),
                           bb = static_cast<std::uint8_t>(b);
                ties += (299 * r + 587 * g + 114 * b) % 1000 == 500;
                if (Luminance(rr, gg, bb) != LuminanceLongDouble(rr, gg, bb) && ++mismatches <= 5) {
                    ADD_FAILURE() << "colour " << r << ' ' << g << ' ' << b;
                }
            }
        }
    }
    EXPECT_EQ(mismatches, 0);
    EXPECT_GT(ties, 10000);  // the tie path was really exercised
}

// Rows of every width up to 40 (so each tail length is met) and rows holding
// all colours, against the extended-precision formula.
TEST(Luminance, RowsMatchTheLongDoubleFormulaForEveryColour) {
    std::vector<std::uint8_t> bgr(3 * 65536), out(65536);
    int mismatches = 0;
    for (int r = 0; r < 256; ++r) {
        for (int i = 0; i < 65536; ++i) {
            bgr[3 * i] = static_cast<std::uint8_t>(i);
            bgr[3 * i + 1] = static_cast<std::uint8_t>(i >> 8);
            bgr[3 * i + 2] = static_cast<std::uint8_t>(r);
        }
        for (const int width : {65536, 40 + r % 7}) {
            for (const bool wide : {false, true}) {
                LuminanceRow(bgr.data(), width, out.data(), wide);
                for (int i = 0; i < width; ++i) {
                    if (out[i] != LuminanceLongDouble(bgr[3 * i + 2], bgr[3 * i + 1], bgr[3 * i]) &&
                        ++mismatches <= 5) {
                        ADD_FAILURE() << "red " << r << " pixel " << i << " of " << width << " wide " << wide;
                    }
                }
            }
        }
    }
    EXPECT_EQ(mismatches, 0);
    // Each row in an allocation of its own size, for the sanitizers to see
    // any read past its end.
    for (int width = 0; width <= 40; ++width) {
        for (const bool wide : {false, true}) {
            std::fill(out.begin(), out.end(), 0xAB);
            std::vector<std::uint8_t> row(bgr.begin() + 3 * 1000, bgr.begin() + 3 * (1000 + width));
            LuminanceRow(row.data(), width, out.data(), wide);
            for (int i = 0; i < width; ++i) ASSERT_EQ(out[i], Luminance(row[3 * i + 2], row[3 * i + 1], row[3 * i]));
            ASSERT_EQ(out[width], 0xAB) << "wrote past the row of " << width;
        }
    }
}

TEST(Luminance, ColourValueOverloadSplitsInCOLORREFOrder) {
    EXPECT_EQ(Luminance(Rgb(255, 0, 0)), 76);
    EXPECT_EQ(Luminance(Color{0x0000FF}), 76);  // red is the low byte
    EXPECT_EQ(Luminance(Color{0xFF0000}), 29);  // blue is the third byte
}

}  // namespace
}  // namespace kelbo
