#include "imaging/colour/colour_count.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstdlib>
#include <stdexcept>

#include "codecs/bmp_palette.h"
#include "core/luminance.h"
#include "imaging/colour/progress_steps.h"

namespace kelbo {
namespace {

std::vector<Color> Greys(int count) {
    std::vector<Color> greys;
    const int step = 255 / (count - 1);
    for (int i = 0; i < count; ++i) {
        const auto v = static_cast<std::uint8_t>(i * step);
        greys.push_back(Rgb(v, v, v));
    }
    return greys;
}

// The sixteen colours of the Windows standard palette.
std::vector<Color> StandardSixteen() {
    return {Rgb(0, 0, 0),       Rgb(128, 0, 0),   Rgb(0, 128, 0),   Rgb(128, 128, 0),
            Rgb(0, 0, 128),     Rgb(128, 0, 128), Rgb(0, 128, 128), Rgb(192, 192, 192),
            Rgb(128, 128, 128), Rgb(255, 0, 0),   Rgb(0, 255, 0),   Rgb(255, 255, 0),
            Rgb(0, 0, 255),     Rgb(255, 0, 255), Rgb(0, 255, 255), Rgb(255, 255, 255)};
}

// A median cut into two: the channel with the widest spread of values is cut
// where half of the pixels lie on each side (both sides keep pixels), and
// each side stands for the mean of its pixels. Darker colour first.
std::vector<Color> TwoColoursFor(ConstPixelView picture) {
    const BmpPaletteChoice own = ChooseBmpPalette(picture, 1);
    if (!own.luminanceThreshold) return own.colors;          // two colours or fewer: its own
    std::array<std::array<std::uint64_t, 256>, 3> counts{};  // blue, green, red
    for (int y = 0; y < picture.Height(); ++y) {
        const std::uint8_t* p = picture.Row(y);
        for (int x = 0; x < picture.Width(); ++x, p += 3) {
            ++counts[0][p[0]];
            ++counts[1][p[1]];
            ++counts[2][p[2]];
        }
    }
    int channel = 0, widest = -1, lowest = 0, highest = 0;
    for (int c = 0; c < 3; ++c) {
        int lo = 0, hi = 255;
        while (counts[c][lo] == 0) ++lo;
        while (counts[c][hi] == 0) --hi;
        if (hi - lo > widest) {
            widest = hi - lo;
            channel = c;
            lowest = lo;
            highest = hi;
        }
    }
    const std::uint64_t total = std::uint64_t(picture.Width()) * std::uint64_t(picture.Height());
    int cut = lowest;  // values up to `cut` go to the first side
    for (std::uint64_t below = counts[channel][lowest]; 2 * below < total;) {
        below += counts[channel][++cut];
    }
    if (cut >= highest) {
        cut = highest - 1;
        while (counts[channel][cut] == 0) --cut;
    }
    std::uint64_t n[2] = {0, 0};
    std::uint64_t sums[2][3] = {};
    for (int y = 0; y < picture.Height(); ++y) {
        const std::uint8_t* p = picture.Row(y);
        for (int x = 0; x < picture.Width(); ++x, p += 3) {
            const int side = p[channel] > cut;
            ++n[side];
            for (int c = 0; c < 3; ++c) sums[side][c] += p[c];
        }
    }
    std::vector<Color> two;
    for (int side = 0; side < 2; ++side) {
        auto mean = [&](int c) { return static_cast<std::uint8_t>((sums[side][c] + n[side] / 2) / n[side]); };
        two.push_back(Rgb(mean(2), mean(1), mean(0)));
    }
    if (std::pair(Luminance(two[1]), two[1]) < std::pair(Luminance(two[0]), two[0])) {
        std::swap(two[0], two[1]);
    }
    return two;
}

// SplitMix64: a fixed sequence for every seed, 0 included, whatever the
// standard library.
class NoiseSource {
public:
    explicit NoiseSource(std::uint32_t seed) : state_(seed) {}
    std::uint32_t Next() {
        std::uint64_t z = (state_ += 0x9E3779B97F4A7C15u);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9u;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBu;
        return static_cast<std::uint32_t>((z ^ (z >> 31)) >> 32);
    }
    // Uniform in -spread div 2 .. spread - spread div 2.
    int Offset(int spread) {
        return static_cast<int>((std::uint64_t{Next()} * std::uint64_t(spread + 1)) >> 32) - spread / 2;
    }

private:
    std::uint64_t state_;
};

// How far apart the palette's colours lie: the mean, over its colours, of
// the largest channel difference to the nearest other colour. Black and
// white give 255, the sixteen greys 17, the 256 greys 1.
int PaletteSpacing(const std::vector<Color>& palette) {
    if (palette.size() < 2) return 0;
    std::uint64_t total = 0;
    for (std::size_t i = 0; i < palette.size(); ++i) {
        int nearest = 256;
        for (std::size_t j = 0; j < palette.size(); ++j) {
            if (j == i) continue;
            const int d = std::max({std::abs(RedOf(palette[i]) - RedOf(palette[j])),
                                    std::abs(GreenOf(palette[i]) - GreenOf(palette[j])),
                                    std::abs(BlueOf(palette[i]) - BlueOf(palette[j]))});
            nearest = std::min(nearest, d);
        }
        total += static_cast<std::uint64_t>(nearest);
    }
    return static_cast<int>((total + palette.size() / 2) / palette.size());
}

std::uint8_t Clamped(int v) { return static_cast<std::uint8_t>(std::clamp(v, 0, 255)); }

void Store(std::uint8_t* p, Color c) {
    p[0] = BlueOf(c);
    p[1] = GreenOf(c);
    p[2] = RedOf(c);
}

void RoundToPalette(PixelView picture, const std::vector<Color>& palette, BmpPaletteIndexer& nearest,
                    RowProgress& steps) {
    for (int y = 0; y < picture.Height(); ++y) {
        std::uint8_t* p = picture.Row(y);
        for (int x = 0; x < picture.Width(); ++x, p += 3) Store(p, palette[nearest.IndexOf(p[2], p[1], p[0])]);
        steps.RowDone(y);
    }
}

// One noise value per pixel, on all three channels, so the noise moves a
// colour along its brightness rather than tinting it.
void RandomDither(PixelView picture, const std::vector<Color>& palette, BmpPaletteIndexer& nearest, std::uint32_t seed,
                  RowProgress& steps) {
    const int spread = PaletteSpacing(palette);
    NoiseSource noise(seed);
    for (int y = 0; y < picture.Height(); ++y) {
        std::uint8_t* p = picture.Row(y);
        for (int x = 0; x < picture.Width(); ++x, p += 3) {
            const int offset = noise.Offset(spread);
            Store(p, palette[nearest.IndexOf(Clamped(p[2] + offset), Clamped(p[1] + offset), Clamped(p[0] + offset))]);
        }
        steps.RowDone(y);
    }
}

// Errors are kept in sixteenths, so no part of 7/16, 3/16, 5/16, 1/16 is
// lost; a pixel takes its accumulated error rounded to a whole level
// ((e + 8) >> 4, halves up). Error pushed past the picture's edges is dropped.
void FloydSteinberg(PixelView picture, const std::vector<Color>& palette, BmpPaletteIndexer& nearest,
                    RowProgress& steps) {
    const int width = picture.Width();
    // One spare pixel at each end of both rows takes the error off the edges.
    std::vector<int> current(3 * static_cast<std::size_t>(width + 2), 0);
    std::vector<int> next(current.size(), 0);
    for (int y = 0; y < picture.Height(); ++y) {
        std::uint8_t* p = picture.Row(y);
        std::fill(next.begin(), next.end(), 0);
        for (int x = 0; x < width; ++x, p += 3) {
            int* here = current.data() + 3 * (x + 1);
            int* below = next.data() + 3 * (x + 1);
            int wanted[3];
            for (int c = 0; c < 3; ++c) wanted[c] = Clamped(p[c] + ((here[c] + 8) >> 4));
            const Color chosen =
                palette[nearest.IndexOf(static_cast<std::uint8_t>(wanted[2]), static_cast<std::uint8_t>(wanted[1]),
                                        static_cast<std::uint8_t>(wanted[0]))];
            Store(p, chosen);
            for (int c = 0; c < 3; ++c) {
                const int error = wanted[c] - p[c];
                here[c + 3] += 7 * error;
                below[c - 3] += 3 * error;
                below[c] += 5 * error;
                below[c + 3] += error;
            }
        }
        std::swap(current, next);
        steps.RowDone(y);
    }
}

}  // namespace

PixelFormat DepthFormat(ColourDepth depth) {
    switch (depth) {
    case ColourDepth::kBlackWhite:
    case ColourDepth::kTwoColours: return PixelFormat::k1;
    case ColourDepth::kSixteen:
    case ColourDepth::kSixteenGreys: return PixelFormat::k4;
    case ColourDepth::k256:
    case ColourDepth::k256Greys: return PixelFormat::k8;
    case ColourDepth::kTrueColour: break;
    }
    return PixelFormat::k24;
}

Palette ReductionPalette(ConstPixelView picture, ColourDepth depth) {
    switch (depth) {
    case ColourDepth::kBlackWhite: return {colors::kBlack, colors::kWhite};
    case ColourDepth::kTwoColours: return TwoColoursFor(picture);
    case ColourDepth::kSixteen: return StandardSixteen();
    case ColourDepth::kSixteenGreys: return Greys(16);
    case ColourDepth::k256: return ChooseBmpPalette(picture, 8).colors;
    case ColourDepth::k256Greys: return Greys(256);
    case ColourDepth::kTrueColour: break;
    }
    return {};
}

void ReduceColours(PixelView picture, const Palette& palette, ReductionMethod method, Progress* progress,
                   std::uint32_t seed) {
    if (palette.empty()) return;
    BmpPaletteIndexer nearest(BmpPaletteChoice{palette, false});
    RowProgress steps(progress, picture.Height());
    switch (method) {
    case ReductionMethod::kRounding: RoundToPalette(picture, palette, nearest, steps); return;
    case ReductionMethod::kRandomDither: RandomDither(picture, palette, nearest, seed, steps); return;
    case ReductionMethod::kFloydSteinberg: FloydSteinberg(picture, palette, nearest, steps); return;
    }
}

std::size_t CountColours(ConstPixelView picture) {
    std::vector<std::uint64_t> seen(std::size_t{1} << 18, 0);  // one bit per colour
    std::size_t count = 0;
    for (int y = 0; y < picture.Height(); ++y) {
        const std::uint8_t* p = picture.Row(y);
        for (int x = 0; x < picture.Width(); ++x, p += 3) {
            const std::uint32_t key = std::uint32_t{p[0]} | (std::uint32_t{p[1]} << 8) | (std::uint32_t{p[2]} << 16);
            std::uint64_t& word = seen[key >> 6];
            const std::uint64_t bit = std::uint64_t{1} << (key & 63);
            count += (word & bit) == 0;
            word |= bit;
        }
    }
    return count;
}

}  // namespace kelbo
