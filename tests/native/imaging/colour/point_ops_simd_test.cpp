// The row kernels against the plain per-pixel tables they replaced, on every
// channel value, every colour and row widths that leave every possible tail,
// with and without the vector instructions where there are two paths.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <climits>
#include <cmath>
#include <cstdint>
#include <vector>

#include "core/luminance.h"
#include "core/rounding.h"
#include "imaging/colour/point_ops.h"

namespace kelbo {
namespace {

// ---- The table-driven operations as they were before the row kernels ----

using Table = std::array<std::uint8_t, 256>;

int OldClampPercent(int percent) { return std::clamp(percent, -1000, 100000); }
std::uint8_t OldClampChannel(int value) { return static_cast<std::uint8_t>(std::clamp(value, 0, 255)); }

Table OldScaleTable(int percent) {
    const int p = OldClampPercent(percent);
    Table table{};
    for (int v = 0; v < 256; ++v) table[v] = OldClampChannel(v * p / 100);
    return table;
}

Table OldComplementScaleTable(int percent) {
    const int p = OldClampPercent(percent);
    Table table{};
    for (int v = 0; v < 256; ++v) table[v] = static_cast<std::uint8_t>(255 - OldClampChannel((255 - v) * p / 100));
    return table;
}

Table OldGammaTable(int position) {
    const long double gamma = static_cast<long double>(position) * 0.01L;
    Table table{};
    for (int v = 0; v < 256; ++v) {
        const long double power = std::exp(gamma * std::log(static_cast<long double>(std::max(v, 1))));
        table[v] = static_cast<std::uint8_t>(Round(std::min(power, 255.0L)));
    }
    return table;
}

void OldMapChannels(PixelView picture, const Table& red, const Table& green, const Table& blue) {
    for (int y = 0; y < picture.Height(); ++y) {
        std::uint8_t* p = picture.Row(y);
        for (int x = 0; x < picture.Width(); ++x, p += 3) {
            p[0] = blue[p[0]];
            p[1] = green[p[1]];
            p[2] = red[p[2]];
        }
    }
}

void OldChangeRgb(PixelView picture, const RgbChange& change) {
    const Table red = OldScaleTable(change.red);
    const Table green = OldScaleTable(change.green);
    const Table blue = OldScaleTable(change.blue);
    if (!change.exceptWhite) {
        OldMapChannels(picture, red, green, blue);
        return;
    }
    const int e = 256 - std::clamp(change.range, -1, 257);
    for (int y = 0; y < picture.Height(); ++y) {
        std::uint8_t* p = picture.Row(y);
        for (int x = 0; x < picture.Width(); ++x, p += 3) {
            if (p[2] < e || p[1] < e || p[0] < e) {
                p[0] = blue[p[0]];
                p[1] = green[p[1]];
                p[2] = red[p[2]];
            }
        }
    }
}

void OldChangeCmy(PixelView picture, const CmyChange& change) {
    OldMapChannels(picture, OldComplementScaleTable(change.cyan), OldComplementScaleTable(change.magenta),
                   OldComplementScaleTable(change.yellow));
}

void OldCorrectGamma(PixelView picture, const GammaCorrection& gamma) {
    OldMapChannels(picture, OldGammaTable(gamma.red), OldGammaTable(gamma.green), OldGammaTable(gamma.blue));
}

void OldGreyScale(PixelView picture) {
    for (int y = 0; y < picture.Height(); ++y) {
        std::uint8_t* p = picture.Row(y);
        for (int x = 0; x < picture.Width(); ++x, p += 3) p[0] = p[1] = p[2] = Luminance(p[2], p[1], p[0]);
    }
}

void OldApplyThreshold(PixelView picture, const Threshold& threshold) {
    for (int y = 0; y < picture.Height(); ++y) {
        std::uint8_t* p = picture.Row(y);
        for (int x = 0; x < picture.Width(); ++x, p += 3) {
            const int l = Luminance(p[2], p[1], p[0]);
            Color c;
            if (threshold.start < l && l < threshold.breakPoint) {
                c = threshold.lower;
            } else if (threshold.breakPoint < l && l < threshold.end) {
                c = threshold.upper;
            } else {
                continue;
            }
            p[0] = BlueOf(c);
            p[1] = GreenOf(c);
            p[2] = RedOf(c);
        }
    }
}

// ---- Pictures ----

// At least 512 pixels: the first 256 give every channel every value (in a
// different order per channel), the rest sit near white, where the
// "except white" test decides.
Bitmap24 EveryValue(int width) {
    const int height = (512 + width - 1) / width;
    Bitmap24 picture(width, height);
    for (int y = 0; y < height; ++y) {
        std::uint8_t* p = picture.Row(y);
        for (int x = 0; x < width; ++x, p += 3) {
            const unsigned n = static_cast<unsigned>(y * width + x);
            if (n < 256) {
                p[0] = static_cast<std::uint8_t>(n * 7 + 3);
                p[1] = static_cast<std::uint8_t>(n);
                p[2] = static_cast<std::uint8_t>(n * 13 + 200);
            } else {
                p[0] = static_cast<std::uint8_t>(255 - n % 5);
                p[1] = static_cast<std::uint8_t>(255 - n * 3 % 7);
                p[2] = static_cast<std::uint8_t>(255 - n * 11 % 160);
            }
        }
    }
    return picture;
}

// All 2^24 colours, red outermost, in rows of `width` pixels (the last row
// padded with black).
Bitmap24 EveryColour(int width) {
    constexpr int kColours = 1 << 24;
    const int height = (kColours + width - 1) / width;
    Bitmap24 picture(width, height);
    for (int y = 0; y < height; ++y) {
        std::uint8_t* p = picture.Row(y);
        for (int x = 0; x < width; ++x, p += 3) {
            const std::int64_t n = std::int64_t{y} * width + x;
            if (n >= kColours) break;
            p[0] = static_cast<std::uint8_t>(n);
            p[1] = static_cast<std::uint8_t>(n >> 8);
            p[2] = static_cast<std::uint8_t>(n >> 16);
        }
    }
    return picture;
}

std::vector<int> Percents() {
    std::vector<int> percents;
    for (int p = 0; p <= 300; ++p) percents.push_back(p);
    for (const int p : {-5, -1, -99, -100, -1000, INT_MIN, 999, 25599, 25600, 25601, 100000, INT_MAX})
        percents.push_back(p);
    return percents;
}

constexpr bool kPaths[] = {true, false};

TEST(PointOpsKernels, DivisionByAHundredIsExactOverTheWholeRange) { EXPECT_EQ(detail::FirstWrongDivisionBy100(), -1); }

TEST(PointOpsKernels, ChangeRgbMatchesTheTablesForEveryPercentAndWidth) {
    const std::vector<int> percents = Percents();
    for (int width = 1; width <= 70; ++width) {
        const Bitmap24 original = EveryValue(width);
        for (std::size_t i = 0; i < percents.size(); ++i) {
            // Three different percentages, so every lane pattern is checked.
            const RgbChange change{percents[i], percents[(i + 7) % percents.size()],
                                   percents[(i + 100) % percents.size()]};
            Bitmap24 expected = original;
            OldChangeRgb(expected.View(), change);
            for (const bool vectors : kPaths) {
                Bitmap24 picture = original;
                detail::ChangeRgb(picture.View(), change, nullptr, vectors);
                ASSERT_EQ(picture, expected)
                    << "width " << width << " percent " << percents[i] << " vectors " << vectors;
            }
        }
    }
}

TEST(PointOpsKernels, ChangeRgbExceptWhiteMatchesTheTables) {
    const std::vector<int> percents = Percents();
    for (int width = 1; width <= 70; ++width) {
        const Bitmap24 original = EveryValue(width);
        for (const int range : {0, 1, 2, 30, 100, 255, 256, 257, -1, INT_MIN, INT_MAX}) {
            for (std::size_t i = 0; i < percents.size(); i += 9) {
                const RgbChange change{percents[i], percents[(i + 7) % percents.size()],
                                       percents[(i + 100) % percents.size()], true, range};
                Bitmap24 expected = original;
                OldChangeRgb(expected.View(), change);
                for (const bool vectors : kPaths) {
                    Bitmap24 picture = original;
                    detail::ChangeRgb(picture.View(), change, nullptr, vectors);
                    ASSERT_EQ(picture, expected) << "width " << width << " range " << range << " percent "
                                                 << percents[i] << " vectors " << vectors;
                }
            }
        }
    }
}

TEST(PointOpsKernels, ChangeCmyMatchesTheTablesForEveryPercentAndWidth) {
    const std::vector<int> percents = Percents();
    for (int width = 1; width <= 70; ++width) {
        const Bitmap24 original = EveryValue(width);
        for (std::size_t i = 0; i < percents.size(); ++i) {
            const CmyChange change{percents[i], percents[(i + 7) % percents.size()],
                                   percents[(i + 100) % percents.size()]};
            Bitmap24 expected = original;
            OldChangeCmy(expected.View(), change);
            for (const bool vectors : kPaths) {
                Bitmap24 picture = original;
                detail::ChangeCmy(picture.View(), change, nullptr, vectors);
                ASSERT_EQ(picture, expected)
                    << "width " << width << " percent " << percents[i] << " vectors " << vectors;
            }
        }
    }
}

TEST(PointOpsKernels, CorrectGammaMatchesTheTables) {
    for (int width = 1; width <= 70; ++width) {
        const Bitmap24 original = EveryValue(width);
        for (const GammaCorrection gamma :
             {GammaCorrection{}, GammaCorrection{80, 100, 120}, GammaCorrection{1, 250, 37},
              GammaCorrection{120, 80, 120}, GammaCorrection{50, 90, 90}, GammaCorrection{INT_MIN, 0, INT_MAX}}) {
            Bitmap24 expected = original;
            OldCorrectGamma(expected.View(), gamma);
            for (const bool vectors : kPaths) {
                Bitmap24 picture = original;
                detail::CorrectGamma(picture.View(), MakeGammaTables(gamma), nullptr, vectors);
                ASSERT_EQ(picture, expected) << "width " << width << " vectors " << vectors;
            }
        }
    }
}

// Row by row through LuminanceRow, whose blocks and tails every width
// below lands in differently.
TEST(PointOpsKernels, GreyScaleMatchesTheLuminanceOfEveryColour) {
    for (const int width : {4096, 4099}) {
        const Bitmap24 original = EveryColour(width);
        Bitmap24 expected = original;
        OldGreyScale(expected.View());
        for (const bool vectors : kPaths) {
            Bitmap24 picture = original;
            detail::GreyScale(picture.View(), nullptr, vectors);
            ASSERT_EQ(picture, expected) << "width " << width << " vectors " << vectors;
        }
    }
    for (int width = 1; width <= 140; ++width) {
        const Bitmap24 original = EveryValue(width);
        Bitmap24 expected = original;
        OldGreyScale(expected.View());
        for (const bool vectors : kPaths) {
            Bitmap24 picture = original;
            detail::GreyScale(picture.View(), nullptr, vectors);
            ASSERT_EQ(picture, expected) << "width " << width << " vectors " << vectors;
        }
    }
}

TEST(PointOpsKernels, ApplyThresholdMatchesForEveryColour) {
    const Threshold thresholds[] = {
        {40, 128, 220, colors::kBlue, colors::kWhite},
        {INT_MIN, 100, INT_MAX, Rgb(17, 0, 255), Rgb(0, 255, 17)},
    };
    for (const Threshold& threshold : thresholds) {
        const Bitmap24 original = EveryColour(4099);
        Bitmap24 expected = original;
        OldApplyThreshold(expected.View(), threshold);
        Bitmap24 picture = original;
        ApplyThreshold(picture.View(), threshold);
        ASSERT_EQ(picture, expected) << "start " << threshold.start;
    }
    for (int width = 1; width <= 70; ++width) {
        const Bitmap24 original = EveryValue(width);
        Bitmap24 expected = original;
        OldApplyThreshold(expected.View(), thresholds[0]);
        Bitmap24 picture = original;
        ApplyThreshold(picture.View(), thresholds[0]);
        ASSERT_EQ(picture, expected) << "width " << width;
    }
}

}  // namespace
}  // namespace kelbo
