// Long double arithmetic as the program's formulas define it: the x87 unit
// at its full 64-bit precision, rounding to nearest with halves to even.
#pragma once

#include <cstdint>

#include "core/rounding.h"

namespace kelbo {

// Sets the x87 unit to full precision and rounding to nearest for its
// lifetime, whatever the thread had set (Windows starts threads at 53 bits),
// and restores the caller's setting afterwards.
class ExtendedPrecisionScope {
public:
    ExtendedPrecisionScope() noexcept {
#if defined(__GNUC__) && (defined(__i386__) || defined(__x86_64__))
        __asm__ volatile("fnstcw %0" : "=m"(saved_));
        const std::uint16_t full = static_cast<std::uint16_t>((saved_ & ~0x0F00u) | 0x0300u);
        __asm__ volatile("fldcw %0" : : "m"(full));
#endif
    }
    ~ExtendedPrecisionScope() {
#if defined(__GNUC__) && (defined(__i386__) || defined(__x86_64__))
        __asm__ volatile("fldcw %0" : : "m"(saved_));
#endif
    }
    ExtendedPrecisionScope(const ExtendedPrecisionScope&) = delete;
    ExtendedPrecisionScope& operator=(const ExtendedPrecisionScope&) = delete;

private:
    std::uint16_t saved_ = 0;
};

// The nearest integer, halves to even, in one x87 instruction; only inside an
// ExtendedPrecisionScope and for values well inside the 64-bit range.
inline std::int64_t RoundInScope(long double x) {
#if defined(__GNUC__) && (defined(__i386__) || defined(__x86_64__))
    std::int64_t whole;
    __asm__("fistpll %0" : "=m"(whole) : "t"(x) : "st");
    return whole;
#else
    return Round(x);
#endif
}

// The largest integer not above x, under the same conditions.
inline std::int64_t FloorInScope(long double x) {
    const std::int64_t nearest = RoundInScope(x);
    return static_cast<long double>(nearest) > x ? nearest - 1 : nearest;
}

}  // namespace kelbo
