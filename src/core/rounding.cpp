#include "core/rounding.h"

#include <cmath>
#include <stdexcept>
#include <string>

namespace kelbo {
namespace {

// 2^63 is exact in long double; finite values strictly inside (-2^63-1, 2^63)
// truncate to a representable int64.
constexpr long double kTwoPow63 = 9223372036854775808.0L;

// Round stops half a unit lower: 2^63 - 0.5 would round up to 2^63.
void CheckRange(long double x, long double top, const char* who) {
    if (!(x > -kTwoPow63 - 1.0L && x < top)) {
        throw std::overflow_error(std::string(who) + ": value is not a number or out of range");
    }
}

}  // namespace

std::int64_t Round(long double x) {
    CheckRange(x, kTwoPow63 - 0.5L, "Round");
    std::int64_t whole = static_cast<std::int64_t>(x);  // toward zero
    // Exact: x and its truncation share sign and scale (Sterbenz), so an exact
    // half is recognised as one.
    const long double fraction = x - static_cast<long double>(whole);
    if (fraction > 0.5L || (fraction == 0.5L && (whole & 1) != 0)) {
        ++whole;
    } else if (fraction < -0.5L || (fraction == -0.5L && (whole & 1) != 0)) {
        --whole;
    }
    return whole;
}

std::int64_t Trunc(long double x) {
    CheckRange(x, kTwoPow63, "Trunc");
    return static_cast<std::int64_t>(std::trunc(x));
}

}  // namespace kelbo
