#include "browser/palette_sliders.h"

#include "core/extended_precision.h"
#include "imaging/colour/hsl.h"

namespace kelbo {
namespace {

// One percent of the scale in extended precision, a little below 2.4, so the
// values whose quotient is a half (6, 18, 30 ...) round up.
constexpr long double kPercentStep = HSLRange * 0.01L;

int Position(int value) {
    const ExtendedPrecisionScope scope;
    return static_cast<int>(RoundInScope(value / kPercentStep));
}
int Value(int position) {
    const ExtendedPrecisionScope scope;
    return static_cast<int>(RoundInScope(position * kPercentStep));
}

}  // namespace

HslSliders HslSlidersOf(Color color) {
    const Hsl hsl = RGBToHSL(color);
    return {Position(hsl.h), Position(hsl.s), Position(hsl.l)};
}

Color ColorOfHslSliders(HslSliders sliders) { return HSLToRGB(Value(sliders.h), Value(sliders.s), Value(sliders.l)); }

}  // namespace kelbo
