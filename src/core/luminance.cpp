#include "core/luminance.h"

#include "core/rounding.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace kelbo {

std::uint8_t LuminanceLongDouble(std::uint8_t r, std::uint8_t g, std::uint8_t b) {
    constexpr long double kRed = 0.299L;
    constexpr long double kGreen = 0.587L;
    constexpr long double kBlue = 0.114L;
    const long double sum = kRed * r + kGreen * g + kBlue * b;
    // The weights add up to 1 within a few ulps, so the sum never rounds past 255.
    return static_cast<std::uint8_t>(Round(sum));
}

#if defined(__SSE2__)
namespace {

// Four pixels starting at `bgr` as 32-bit lanes B | G << 8 | R << 16. Reads
// 14 bytes. Shifts and masks rather than byte shuffles, which most
// processors run on one port only.
__m128i FourPixels(const std::uint8_t* bgr) {
    const __m128i v = _mm_unpacklo_epi64(_mm_loadl_epi64(reinterpret_cast<const __m128i*>(bgr)),
                                         _mm_loadl_epi64(reinterpret_cast<const __m128i*>(bgr + 6)));
    // Each half holds two pixels at bytes 0 and 3; the second moves to byte 4.
    return _mm_or_si128(_mm_and_si128(v, _mm_set_epi32(0, 0xFFFFFF, 0, 0xFFFFFF)),
                        _mm_and_si128(_mm_slli_epi64(v, 8), _mm_set_epi32(0xFFFFFF, 0, 0xFFFFFF, 0)));
}

// 299 R + 587 G + 114 B + 500 in each 32-bit lane.
__m128i SumPlusHalf(__m128i pixels) {
    const __m128i blueRed = _mm_and_si128(pixels, _mm_set1_epi32(0x00FF00FF));
    const __m128i green = _mm_and_si128(_mm_srli_epi32(pixels, 8), _mm_set1_epi32(0xFF));
    const __m128i sum = _mm_add_epi32(_mm_madd_epi16(blueRed, _mm_set1_epi32(114 | (299 << 16))),
                                      _mm_madd_epi16(green, _mm_set1_epi32(587)));
    return _mm_add_epi32(sum, _mm_set1_epi32(500));
}

}  // namespace
#endif

// n = sum + 500 and n div 1000 = (n div 8) div 125. n div 8 < 2^15 fits a
// 16-bit lane, and (m * 33555) >> 22 equals m div 125 for every m < 2^15
// (the excess m / 125 * 1.7e-5 stays below 1/125), which is the high half
// of a 16-bit product shifted by 6. A tie is n divisible by 1000.
void LuminanceRow(const std::uint8_t* bgr, int width, std::uint8_t* out) {
    int x = 0;
#if defined(__SSE2__)
    const __m128i reciprocal = _mm_set1_epi16(static_cast<short>(33555));
    for (; x + 10 <= width; x += 8) {
        const std::uint8_t* p = bgr + 3 * x;
        const __m128i n0 = SumPlusHalf(FourPixels(p));
        const __m128i n1 = SumPlusHalf(FourPixels(p + 12));
        const __m128i eighths = _mm_packs_epi32(_mm_srli_epi32(n0, 3), _mm_srli_epi32(n1, 3));
        const __m128i quotient = _mm_srli_epi16(_mm_mulhi_epu16(eighths, reciprocal), 6);
        _mm_storel_epi64(reinterpret_cast<__m128i*>(out + x), _mm_packus_epi16(quotient, quotient));
        const __m128i lowBits = _mm_packs_epi32(_mm_and_si128(n0, _mm_set1_epi32(7)),
                                                _mm_and_si128(n1, _mm_set1_epi32(7)));
        const __m128i tie = _mm_and_si128(_mm_cmpeq_epi16(lowBits, _mm_setzero_si128()),
                                          _mm_cmpeq_epi16(eighths, _mm_mullo_epi16(quotient, _mm_set1_epi16(125))));
        if (_mm_movemask_epi8(tie) != 0) {
            for (int i = 0; i < 8; ++i) out[x + i] = Luminance(p[3 * i + 2], p[3 * i + 1], p[3 * i]);
        }
    }
#endif
    for (; x < width; ++x) out[x] = Luminance(bgr[3 * x + 2], bgr[3 * x + 1], bgr[3 * x]);
}

}  // namespace kelbo
