#pragma once

#include <array>
#include <cstdint>

#include "core/bitmap24.h"
#include "core/progress.h"

namespace kelbo {

using LevelCounts = std::array<std::uint32_t, 256>;

struct ChannelHistogram {
    LevelCounts red{};
    LevelCounts green{};
    LevelCounts blue{};
};

// Counts of every channel value. Progress counts rows.
ChannelHistogram CountChannels(ConstPixelView picture, Progress* progress = nullptr);

// Counts of every Luminance value.
LevelCounts CountLuminance(ConstPixelView picture);

// The histogram plot of 256 x 146: the y of each of the 256 points of a
// channel's curve, 142 - Round(142 / largest * count); the largest count over
// all three channels reaches the top (y 0). An empty histogram lies on 142.
std::array<int, 256> HistogramCurve(const LevelCounts& counts, std::uint32_t largest);
std::uint32_t LargestCount(const ChannelHistogram& histogram);

// "Ekvalizácia": equalizes the luminance histogram in place, scaling the
// three channels of each pixel by one factor (hue kept), limited to 255.
// Luminance L goes to the output level n where the middle of L's pixels falls
// when every level holds (width * height) / 255 of them; each channel becomes
// Round(channel * n / L) (n at least 1), and luminance 0 becomes the grey n.
// Progress counts columns.
void Equalize(PixelView picture, Progress* progress = nullptr);

}  // namespace kelbo
