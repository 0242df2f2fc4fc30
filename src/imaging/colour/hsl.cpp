#include "imaging/colour/hsl.h"

#include <algorithm>
#include <vector>

#include "core/rounding.h"
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

// Scaled, not turned: H + H * p div 100 with the division toward zero.
int Scaled(int value, int percent, int top) {
    const int p = std::clamp(percent, -1000, 100000);
    return std::clamp(value + value * p / 100, 0, top);
}

// Pictures repeat their colours a lot; a small direct-mapped cache of
// conversions skips most of the floating point.
class ConversionCache {
public:
    bool Find(std::uint32_t key, std::uint32_t& value) const {
        const Slot& slot = slots_[Hash(key)];
        if (slot.key != key) return false;
        value = slot.value;
        return true;
    }
    void Store(std::uint32_t key, std::uint32_t value) { slots_[Hash(key)] = {key, value}; }

private:
    static constexpr int kBits = 16;
    struct Slot {
        std::uint32_t key = 0xFFFFFFFF;  // no 24-bit colour
        std::uint32_t value = 0;
    };
    static std::size_t Hash(std::uint32_t key) { return (key * 2654435761u) >> (32 - kBits); }

    std::vector<Slot> slots_ = std::vector<Slot>(std::size_t{1} << kBits);
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

void ChangeHSL(PixelView picture, int huePercent, int saturationPercent, int lightnessPercent, Progress* progress) {
    RowProgress steps(progress, picture.Height());
    ConversionCache cache;
    const int width = picture.Width();
    for (int y = 0; y < picture.Height(); ++y) {
        std::uint8_t* p = picture.Row(y);
        for (int x = 0; x < width; ++x, p += 3) {
            const Color colour = Rgb(p[2], p[1], p[0]);
            Color changed;
            if (!cache.Find(colour, changed)) {
                const Hsl hsl = RGBToHSL(colour);
                changed = HSLToRGB(Scaled(hsl.h, huePercent, HSLRange - 1), Scaled(hsl.s, saturationPercent, HSLRange),
                                   Scaled(hsl.l, lightnessPercent, HSLRange));
                cache.Store(colour, changed);
            }
            p[0] = BlueOf(changed);
            p[1] = GreenOf(changed);
            p[2] = RedOf(changed);
        }
        steps.RowDone(y);
    }
}

}  // namespace kelbo
