#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdlib>

#include "filter_pictures.h"
#include "imaging/filters/filters.h"

namespace kelbo {
namespace {

using testing::ChannelRows;
using testing::GreyPicture;
using testing::RandomPicture;
using Rows = std::vector<std::vector<int>>;

TEST(Roberts, SumsWrapAndTheLastColumnAndRowRepeatTheEdge) {
    // (0,0): |200 - 0| + |100 - 0| = 300 -> 44. (1,0) and (1,1) see only
    // zeros; (0,1) on the last row compares 100 with 0 twice: 200.
    const Bitmap24 picture = GreyPicture({{200, 0}, {100, 0}});
    EXPECT_EQ(ChannelRows(Roberts(picture.View(), false)), (Rows{{44, 0}, {200, 0}}));
    EXPECT_EQ(ChannelRows(Roberts(picture.View(), true)), (Rows{{211, 255}, {55, 255}}));
}

TEST(Laplace, UniformPicturesGiveBlackAndTheInvertedVariantWhite) {
    const Bitmap24 uniform(7, 5, Rgb(90, 3, 250));
    for (auto n : {LaplaceNeighbours::kFour, LaplaceNeighbours::kEight}) {
        EXPECT_EQ(Laplace(uniform.View(), n, false), Bitmap24(7, 5, colors::kBlack));
        EXPECT_EQ(Laplace(uniform.View(), n, true), Bitmap24(7, 5, colors::kWhite));
    }
}

TEST(Laplace, OnlyNeighboursInsideCountAndSumsWrap) {
    const Bitmap24 dot = GreyPicture({{0, 0, 0}, {0, 255, 0}, {0, 0, 0}});
    // Centre: |0 - 4*255| = 1020 -> 252; a side pixel has 3 neighbours, one
    // of them white: 255; a corner sees only black.
    EXPECT_EQ(ChannelRows(Laplace(dot.View(), LaplaceNeighbours::kFour, false)),
              (Rows{{0, 255, 0}, {255, 252, 255}, {0, 255, 0}}));
    // |0 - 8*255| = 2040 -> 248; every border pixel has the white one among its neighbours.
    EXPECT_EQ(ChannelRows(Laplace(dot.View(), LaplaceNeighbours::kEight, false)),
              (Rows{{255, 255, 255}, {255, 248, 255}, {255, 255, 255}}));
    EXPECT_EQ(ChannelRows(Laplace(dot.View(), LaplaceNeighbours::kFour, true)),
              (Rows{{255, 0, 255}, {0, 3, 0}, {255, 0, 255}}));
    // One row: the ends have one neighbour each, the middle two: |10 + 30 - 2*5| = 30.
    EXPECT_EQ(ChannelRows(Laplace(GreyPicture({{10, 5, 30}}).View(), LaplaceNeighbours::kEight, false)),
              (Rows{{5, 30, 25}}));
}

TEST(Sobel, KernelRotations) {
    EXPECT_EQ(RotatedSobelKernel(1), (SobelKernel{{{1, 0, -1}, {2, 0, -2}, {1, 0, -1}}}));
    // 45 degrees: (-1,0) goes to Round(-0.707), Round(-0.707) = the top-left
    // corner; (-1,-1) to Round(0), Round(-1.414) = the left side.
    EXPECT_EQ(RotatedSobelKernel(2), (SobelKernel{{{0, -1, -2}, {1, 0, -1}, {2, 1, 0}}}));
    EXPECT_EQ(RotatedSobelKernel(3), (SobelKernel{{{-1, -2, -1}, {0, 0, 0}, {1, 2, 1}}}));
    EXPECT_EQ(RotatedSobelKernel(5), (SobelKernel{{{-1, 0, 1}, {-2, 0, 2}, {-1, 0, 1}}}));
    EXPECT_EQ(RotatedSobelKernel(0), RotatedSobelKernel(1));
    EXPECT_EQ(RotatedSobelKernel(9), RotatedSobelKernel(8));
}

TEST(Sobel, EachStepMovesTheRingOnePlace) {
    // The outer entries clockwise from the top-left corner.
    constexpr std::array<std::array<int, 2>, 8> kRing = {
        {{0, 0}, {0, 1}, {0, 2}, {1, 2}, {2, 2}, {2, 1}, {2, 0}, {1, 0}}};
    for (int position = 1; position < 8; ++position) {
        const SobelKernel before = RotatedSobelKernel(position);
        const SobelKernel after = RotatedSobelKernel(position + 1);
        EXPECT_EQ(after[1][1], 0);
        for (std::size_t p = 0; p < 8; ++p) {
            const auto [row, column] = kRing[p];
            const auto [fromRow, fromColumn] = kRing[(p + 1) % 8];
            EXPECT_EQ(after[row][column], before[fromRow][fromColumn]) << position << " " << p;
        }
    }
}

TEST(Sobel, VerticalEdgeFromBlackToWhite) {
    const Bitmap24 edge = GreyPicture({{0, 0, 255, 255}, {0, 0, 255, 255}, {0, 0, 255, 255}});
    // At (1,1): 1*0 + 2*0 + 1*0 - (255 + 2*255 + 255) = -1020, limited to 255.
    // (2,1) sees the same. At (3,1) only the white left column is inside:
    // +1020. At (0,1) only the black right column: 0.
    SobelOptions plain{.rotation = 1, .downOnly = false, .invert = false};
    EXPECT_EQ(ChannelRows(Sobel(edge.View(), plain))[1], (std::vector<int>{0, 255, 255, 255}));
    SobelOptions inverted{.rotation = 1, .downOnly = false, .invert = true};
    EXPECT_EQ(ChannelRows(Sobel(edge.View(), inverted))[1], (std::vector<int>{255, 0, 0, 0}));
    // Down only: every sum that is not above 0 gives white; (3,1) keeps its edge.
    SobelOptions down{.rotation = 1, .downOnly = true, .invert = true};
    EXPECT_EQ(ChannelRows(Sobel(edge.View(), down))[1], (std::vector<int>{255, 255, 255, 0}));
}

TEST(Sobel, DownOnlyNeedsAllThreeSumsAboveZero) {
    // Position 3: lower row minus upper row. The blue and green channels grow
    // downwards, red does not.
    Bitmap24 picture(3, 3);
    for (int x = 0; x < 3; ++x) {
        picture.SetPixel(x, 0, Rgb(50, 0, 0));
        picture.SetPixel(x, 1, Rgb(50, 0, 0));
        picture.SetPixel(x, 2, Rgb(50, 10, 20));
    }
    SobelOptions down{.rotation = 3, .downOnly = true, .invert = false};
    EXPECT_EQ(Sobel(picture.View(), down).Pixel(1, 1), colors::kWhite);
    picture.SetPixel(0, 2, Rgb(60, 10, 20));  // red 60 - 50 at weight 1: +10
    EXPECT_EQ(Sobel(picture.View(), down).Pixel(1, 1), Rgb(10, 40, 80));
}

// The row loops and the edge cases against the per-pixel definitions.
TEST(EdgeFilters, EqualTheNeighbourDefinitionsOnRandomPictures) {
    for (const auto& [width, height] : {std::pair{1, 1}, {1, 4}, {4, 1}, {2, 2}, {3, 5}, {17, 9}}) {
        const Bitmap24 picture = RandomPicture(width, height, static_cast<unsigned>(width * 7 + height));
        auto at = [&](int x, int y, int c) { return static_cast<int>(picture.Row(y)[3 * x + c]); };
        auto inside = [&](int x, int y) { return x >= 0 && y >= 0 && x < width && y < height; };
        const Bitmap24 roberts = Roberts(picture.View(), false);
        const Bitmap24 laplace4 = Laplace(picture.View(), LaplaceNeighbours::kFour, true);
        const Bitmap24 laplace8 = Laplace(picture.View(), LaplaceNeighbours::kEight, false);
        for (int rotation = 1; rotation <= 8; ++rotation) {
            const SobelKernel k = RotatedSobelKernel(rotation);
            const Bitmap24 sobel = Sobel(picture.View(), {.rotation = rotation, .downOnly = false, .invert = false});
            const Bitmap24 down = Sobel(picture.View(), {.rotation = rotation, .downOnly = true, .invert = true});
            for (int y = 0; y < height; ++y) {
                for (int x = 0; x < width; ++x) {
                    int sums[3] = {0, 0, 0};
                    for (int c = 0; c < 3; ++c) {
                        for (int dy = -1; dy <= 1; ++dy) {
                            for (int dx = -1; dx <= 1; ++dx) {
                                if ((dx != 0 || dy != 0) && inside(x + dx, y + dy))
                                    sums[c] += k[dy + 1][dx + 1] * at(x + dx, y + dy, c);
                            }
                        }
                        ASSERT_EQ(sobel.Row(y)[3 * x + c], std::min(std::abs(sums[c]), 255)) << rotation;
                    }
                    const bool white = !(sums[0] > 0 && sums[1] > 0 && sums[2] > 0);
                    for (int c = 0; c < 3; ++c) {
                        ASSERT_EQ(down.Row(y)[3 * x + c], white ? 255 : 255 - std::min(sums[c], 255)) << rotation;
                    }
                }
            }
        }
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x) {
                const int right = std::min(x + 1, width - 1);
                const int down = std::min(y + 1, height - 1);
                for (int c = 0; c < 3; ++c) {
                    const int d = std::abs(at(x, y, c) - at(right, down, c)) +
                                  std::abs(at(x, down, c) - at(right, y, c));
                    ASSERT_EQ(roberts.Row(y)[3 * x + c], d % 256);
                    int sum4 = 0, n4 = 0, sum8 = 0, n8 = 0;
                    for (int dy = -1; dy <= 1; ++dy) {
                        for (int dx = -1; dx <= 1; ++dx) {
                            if ((dx == 0 && dy == 0) || !inside(x + dx, y + dy)) continue;
                            sum8 += at(x + dx, y + dy, c);
                            ++n8;
                            if (dx == 0 || dy == 0) {
                                sum4 += at(x + dx, y + dy, c);
                                ++n4;
                            }
                        }
                    }
                    ASSERT_EQ(laplace4.Row(y)[3 * x + c], 255 - std::abs(sum4 - n4 * at(x, y, c)) % 256);
                    ASSERT_EQ(laplace8.Row(y)[3 * x + c], std::abs(sum8 - n8 * at(x, y, c)) % 256);
                }
            }
        }
    }
}

TEST(EdgeFilters, ProgressCountsColumnsToTheLastAndEndsAtZero) {
    const Bitmap24 picture = RandomPicture(9, 4, 2);
    for (int filter = 0; filter < 3; ++filter) {
        testing::RecordingProgress progress;
        if (filter == 0) Roberts(picture.View(), false, &progress);
        if (filter == 1) Laplace(picture.View(), LaplaceNeighbours::kFour, false, &progress);
        if (filter == 2) Sobel(picture.View(), SobelOptions{}, &progress);
        EXPECT_EQ(progress.max, 8);
        ASSERT_GE(progress.positions.size(), 2u);
        EXPECT_TRUE(std::is_sorted(progress.positions.begin(), progress.positions.end() - 1));
        EXPECT_EQ(progress.positions[progress.positions.size() - 2], 8);
        EXPECT_EQ(progress.positions.back(), 0);
    }
}

TEST(EdgeFilters, EmptyPicturesGiveEmptyResults) {
    const Bitmap24 empty(0, 0);
    EXPECT_TRUE(Roberts(empty.View(), true).Empty());
    EXPECT_TRUE(Laplace(empty.View(), LaplaceNeighbours::kEight, true).Empty());
    EXPECT_TRUE(Sobel(empty.View(), SobelOptions{}).Empty());
}

}  // namespace
}  // namespace kelbo
