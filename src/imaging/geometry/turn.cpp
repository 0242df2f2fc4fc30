#include "imaging/geometry/turn.h"

#include <cmath>
#include <cstddef>

#include "core/extended_precision.h"

namespace kelbo {
namespace {

constexpr long double kPi = 3.14159265358979323846264338327950288L;
constexpr long double kOneOver180 = 1.0L / 180.0L;

// π/2 = kHalfPi1 + kHalfPi2 + kHalfPi3 to 170 bits; the first two have 53
// significant bits, so k·part is exact for the k of any 16-bit angle.
constexpr long double kHalfPi1 = 0x1.921fb54442d18p+0L;
constexpr long double kHalfPi2 = 0x1.1a62633145c07p-54L;
constexpr long double kHalfPi3 = -0x1.f1976b7ed8fbbaccp-110L;

// Taylor series on |x| <= π/4, to x^23 and x^22: the first term left out is
// below 1e-22 of the result. Coefficients of z = x², highest first:
// sin x = x - x·z·P(z), cos x = 1 - z·Q(z).
constexpr long double kSinTerms[] = {1.0L / 25852016738884976640000.0L,
                                     -1.0L / 51090942171709440000.0L,
                                     1.0L / 121645100408832000.0L,
                                     -1.0L / 355687428096000.0L,
                                     1.0L / 1307674368000.0L,
                                     -1.0L / 6227020800.0L,
                                     1.0L / 39916800.0L,
                                     -1.0L / 362880.0L,
                                     1.0L / 5040.0L,
                                     -1.0L / 120.0L,
                                     1.0L / 6.0L};
constexpr long double kCosTerms[] = {1.0L / 1124000727777607680000.0L,
                                     -1.0L / 2432902008176640000.0L,
                                     1.0L / 6402373705728000.0L,
                                     -1.0L / 20922789888000.0L,
                                     1.0L / 87178291200.0L,
                                     -1.0L / 479001600.0L,
                                     1.0L / 3628800.0L,
                                     -1.0L / 40320.0L,
                                     1.0L / 720.0L,
                                     -1.0L / 24.0L,
                                     1.0L / 2.0L};

template <std::size_t N>
long double Horner(const long double (&terms)[N], long double z) {
    long double sum = terms[0];
    for (std::size_t k = 1; k < N; ++k) sum = sum * z + terms[k];
    return sum;
}

long double SinReduced(long double x) { return x - x * (x * x) * Horner(kSinTerms, x * x); }
long double CosReduced(long double x) { return 1.0L - (x * x) * Horner(kCosTerms, x * x); }

}  // namespace

TurnAngle TurnAngleOf(int degrees) {
    const ExtendedPrecisionScope scope;
    const long double r = static_cast<long double>(degrees) * kPi * kOneOver180;
    const long double quarters = RoundInScope(r / (kHalfPi1 + kHalfPi2));
    const long double x = ((r - quarters * kHalfPi1) - quarters * kHalfPi2) - quarters * kHalfPi3;
    const long double s = SinReduced(x);
    const long double c = CosReduced(x);
    switch (static_cast<std::int64_t>(quarters) & 3) {
    case 0: return {c, s};
    case 1: return {-s, c};
    case 2: return {-c, -s};
    default: return {s, -c};
    }
}

RealPoint TurnPoint(long double x, long double y, long double cx, long double cy, const TurnAngle& angle) {
    const ExtendedPrecisionScope scope;
    const long double dx = x - cx;
    const long double dy = y - cy;
    return {angle.cos * dx - angle.sin * dy + cx, angle.sin * dx + angle.cos * dy + cy};
}

WholePoint TurnCorner(std::int64_t x, std::int64_t y, std::int64_t cx, std::int64_t cy, const TurnAngle& angle) {
    const ExtendedPrecisionScope scope;
    const long double dx = static_cast<long double>(x - cx);
    const long double dy = static_cast<long double>(y - cy);
    return {RoundInScope(angle.cos * dx - angle.sin * dy) + cx, RoundInScope(angle.sin * dx + angle.cos * dy) + cy};
}

}  // namespace kelbo
