#include "imaging/colour/hsl.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <memory>

#include "core/rounding.h"
#include "imaging/colour/hsl_vectors.h"
#include "imaging/colour/progress_steps.h"

namespace kelbo {
namespace {

std::uint8_t ChannelOf(double m1, double m2, double x) {
    if (x < 0) {
        x += 1;
    } else if (x > 1) {
        x -= 1;
    }
    double v;
    if (6 * x < 1) {
        v = m1 + (m2 - m1) * x * 6;
    } else if (2 * x < 1) {
        v = m2;
    } else if (3 * x < 2) {
        v = m1 + (m2 - m1) * (2.0 / 3.0 - x) * 6;
    } else {
        v = m1;
    }
    return static_cast<std::uint8_t>(std::clamp<std::int64_t>(Round(v * 255), 0, 255));
}

// Beyond these every component already ends at 0 or at its top.
int ClampedPercent(int percent) { return std::clamp(percent, -1000, 100000); }

// Scaled, not turned: H + H * p div 100 with the division toward zero.
int Scaled(int value, int percent, int top) {
    return std::clamp(value + value * ClampedPercent(percent) / 100, 0, top);
}

// Round to the nearest, halves to even, as Round does, for the doubles the
// conversions give (below 2^31): exact whatever the rounding mode, since
// truncation and the fraction left are both exact, and free of branches.
inline int RoundHalfEven(double x) {
    int r = static_cast<int>(x);
    const double fraction = x - r;
    r += static_cast<int>((fraction > 0.5) | ((fraction == 0.5) & ((r & 1) != 0)));
    return r;
}

inline std::uint8_t ChannelByte(double v) {
    return static_cast<std::uint8_t>(std::clamp(RoundHalfEven(v * 255), 0, 255));
}

// Choices the processor cannot mispredict.
inline int Larger(int a, int b) { return a ^ ((a ^ b) & -static_cast<int>(a < b)); }
inline int Smaller(int a, int b) { return b ^ ((a ^ b) & -static_cast<int>(a < b)); }

// a when c, else b.
inline double Pick(bool c, double a, double b) {
    const std::uint64_t mask = 0 - static_cast<std::uint64_t>(c);
    return std::bit_cast<double>((std::bit_cast<std::uint64_t>(a) & mask) | (std::bit_cast<std::uint64_t>(b) & ~mask));
}

// "Zmeň HSL" for one set of percentages, pixel by pixel with the very
// operations RGBToHSL, Scaled and HSLToRGB perform, in the same order on the
// same doubles, so every colour gives exactly their result (a test compares
// all 2^24). What depends on fewer than three channels comes from tables:
// lightness and saturation from the largest and smallest channel, the
// scaled components, and for each hue which piece of the channel curve
// applies and where on it. A photograph's colours seldom repeat, so the
// choices are made without branches.
class HslChanger {
public:
    HslChanger(int huePercent, int saturationPercent, int lightnessPercent) {
        for (int i = 0; i < 256; ++i) unit_[i] = i / 255.0;
        for (int max = 0; max < 256; ++max) {
            for (int min = 0; min <= max; ++min) {
                const double hi = unit_[max], lo = unit_[min];
                const double l = (hi + lo) / 2;
                double s = 0;
                if (max != min) s = l < 0.5 ? (hi - lo) / (hi + lo) : (hi - lo) / (2 - hi - lo);
                lightSat_[max * 256 + min] = {static_cast<std::uint8_t>(RoundHalfEven(HSLRange * l)),
                                              static_cast<std::uint8_t>(RoundHalfEven(HSLRange * s))};
            }
        }
        for (int v = 0; v <= HSLRange; ++v) {
            if (v < HSLRange) hue_[v] = static_cast<std::uint8_t>(Scaled(v, huePercent, HSLRange - 1));
            sat_[v] = static_cast<std::uint8_t>(Scaled(v, saturationPercent, HSLRange));
            light_[v] = static_cast<std::uint8_t>(Scaled(v, lightnessPercent, HSLRange));
            lightUnit_[v] = static_cast<double>(v) / HSLRange;
            satUnit_[v] = static_cast<double>(v) / HSLRange;
            grey_[v] = ChannelByte(lightUnit_[v]);
        }
        for (int h = 0; h < HSLRange; ++h) {
            const double hue = static_cast<double>(h) / (HSLRange - 1);
            pieces_[h][0] = PieceOf(hue + 1.0 / 3.0);
            pieces_[h][1] = PieceOf(hue);
            pieces_[h][2] = PieceOf(hue - 1.0 / 3.0);
        }
    }

    // Blue, green, red in place.
    void Change(std::uint8_t* p) const {
        const int b = p[0], g = p[1], r = p[2];
        const int max = Larger(Larger(r, g), b);
        const int min = Smaller(Smaller(r, g), b);
        const LightSat ls = lightSat_[max * 256 + min];
        int h = 0;
        if (max != min) {
            // (g - b) / d, (b - r) / d + 2 or (r - g) / d + 4 by the largest
            // channel, red first; adding 0 to the first changes no result.
            const int notRed = static_cast<int>(max != r), notGreen = static_cast<int>(max != g);
            const int sector = notRed + (notRed & notGreen);
            constexpr int kFrom[3][2] = {{1, 0}, {0, 2}, {2, 1}};  // into {b, g, r}
            const int channels[3] = {b, g, r};
            const double d = unit_[max] - unit_[min];
            double x = (unit_[channels[kFrom[sector][0]]] - unit_[channels[kFrom[sector][1]]]) / d + 2.0 * sector;
            x /= 6;
            x += Pick(x < 0, 1.0, 0.0);
            h = RoundHalfEven((HSLRange - 1) * x);
        }
        const int s = sat_[ls.s];
        const int l = light_[ls.l];
        if (s == 0) {
            p[0] = p[1] = p[2] = grey_[l];
            return;
        }
        const double lu = lightUnit_[l], su = satUnit_[s];
        const double m2 = Pick(lu <= 0.5, lu * (1 + su), lu + su - lu * su);
        const double m1 = 2 * lu - m2;
        const Piece* piece = pieces_[hue_[h]];
        p[2] = ChannelByte(piece[0].Value(m1, m2));
        p[1] = ChannelByte(piece[1].Value(m1, m2));
        p[0] = ChannelByte(piece[2].Value(m1, m2));
    }

private:
    struct LightSat {
        std::uint8_t l = 0, s = 0;
    };
    // One channel's place on the curve ChannelOf walks: on a slope (t is x
    // rising, 2/3 - x falling), or flat at m2 or at m1.
    struct Piece {
        bool slope = false;
        bool top = false;
        double t = 0;
        double Value(double m1, double m2) const { return Pick(slope, m1 + (m2 - m1) * t * 6, Pick(top, m2, m1)); }
    };
    static Piece PieceOf(double x) {
        if (x < 0) {
            x += 1;
        } else if (x > 1) {
            x -= 1;
        }
        if (6 * x < 1) return {true, false, x};
        if (2 * x < 1) return {false, true, 0};
        if (3 * x < 2) return {true, false, 2.0 / 3.0 - x};
        return {false, false, 0};
    }

    double unit_[256];
    LightSat lightSat_[256 * 256];
    std::uint8_t hue_[HSLRange], sat_[HSLRange + 1], light_[HSLRange + 1], grey_[HSLRange + 1];
    double lightUnit_[HSLRange + 1], satUnit_[HSLRange + 1];
    Piece pieces_[HSLRange][3];
};

}  // namespace

double MaxReal(double a, double b) { return a > b ? a : b; }
double MinReal(double a, double b) { return a < b ? a : b; }

HslReal RgbToHslReal(Color color) {
    const double r = RedOf(color) / 255.0;
    const double g = GreenOf(color) / 255.0;
    const double b = BlueOf(color) / 255.0;
    const double max = MaxReal(MaxReal(r, g), b);
    const double min = MinReal(MinReal(r, g), b);
    HslReal hsl;
    hsl.l = (max + min) / 2;
    if (max == min) return hsl;
    const double d = max - min;
    hsl.s = hsl.l < 0.5 ? d / (max + min) : d / (2 - max - min);
    double h;
    if (max == r) {
        h = (g - b) / d;
    } else if (max == g) {
        h = (b - r) / d + 2;
    } else {
        h = (r - g) / d + 4;
    }
    h /= 6;
    if (h < 0) h += 1;
    hsl.h = h;
    return hsl;
}

Color HslRealToRgb(double l, double s, double h) {
    if (s == 0) {
        const auto grey = static_cast<std::uint8_t>(std::clamp<std::int64_t>(Round(l * 255), 0, 255));
        return Rgb(grey, grey, grey);
    }
    const double m2 = l <= 0.5 ? l * (1 + s) : l + s - l * s;
    const double m1 = 2 * l - m2;
    return Rgb(ChannelOf(m1, m2, h + 1.0 / 3.0), ChannelOf(m1, m2, h), ChannelOf(m1, m2, h - 1.0 / 3.0));
}

Hsl RGBToHSL(Color color) {
    const HslReal real = RgbToHslReal(color);
    return Hsl{static_cast<int>(Round((HSLRange - 1) * real.h)), static_cast<int>(Round(HSLRange * real.s)),
               static_cast<int>(Round(HSLRange * real.l))};
}

Color HSLToRGB(int h, int s, int l) {
    return HslRealToRgb(static_cast<double>(l) / HSLRange, static_cast<double>(s) / HSLRange,
                        static_cast<double>(h) / (HSLRange - 1));
}

namespace detail {

void ChangeHSL(PixelView picture, int huePercent, int saturationPercent, int lightnessPercent, Progress* progress,
               int step) {
    RowProgress steps(progress, picture.Height());
    // Its tables take longer than the vectors do for a strip of rows, and
    // only the pixels the vectors leave need them.
    std::unique_ptr<HslChanger> changer;
    const hsl_vectors::Percents percents{ClampedPercent(huePercent), ClampedPercent(saturationPercent),
                                         ClampedPercent(lightnessPercent)};
    step = std::min(step, hsl_vectors::WidestStep());
    const int width = picture.Width();
    for (int y = 0; y < picture.Height(); ++y) {
        std::uint8_t* row = picture.Row(y);
        int x = step >= 4 ? hsl_vectors::ChangeRow(row, width, percents, step) : 0;
        if (x < width && !changer) {
            changer = std::make_unique<HslChanger>(huePercent, saturationPercent, lightnessPercent);
        }
        for (std::uint8_t* p = row + 3 * static_cast<std::ptrdiff_t>(x); x < width; ++x, p += 3) changer->Change(p);
        steps.RowDone(y);
    }
}

}  // namespace detail

void ChangeHSL(PixelView picture, int huePercent, int saturationPercent, int lightnessPercent, Progress* progress) {
    detail::ChangeHSL(picture, huePercent, saturationPercent, lightnessPercent, progress, hsl_vectors::WidestStep());
}

}  // namespace kelbo
