#include "core/luminance.h"

#include <algorithm>
#include <cstddef>

#include "core/rounding.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif
#if (defined(__x86_64__) || defined(__i386__)) && defined(__GNUC__)
#include <immintrin.h>
#define KELBO_LUMINANCE_VBMI 1
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

#ifdef KELBO_LUMINANCE_VBMI
// GCC 12 warns of the "undefined" source operand its own AVX-512 headers
// pass to unmasked intrinsics (its bug 105593).
#if !defined(__clang__)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmaybe-uninitialized"
#endif
namespace {

#define KELBO_VBMI __attribute__((target("avx512f,avx512bw,avx512vbmi")))

bool HasVbmi() {
    static const bool vbmi = __builtin_cpu_supports("avx512f") && __builtin_cpu_supports("avx512bw") &&
                             __builtin_cpu_supports("avx512vbmi");
    return vbmi;
}

// Byte permutes that put pixel i of 16 (48 bytes) into 32-bit lane i: as
// B | R << 16 (the pair madd weighs with 114 and 299), and as G.
struct Gather {
    __m512i blueRed, green;
};

constexpr std::uint64_t kBlueRedBytes = 0x5555555555555555u;  // bytes 0 and 2 of each lane
constexpr std::uint64_t kGreenBytes = 0x1111111111111111u;    // byte 0

KELBO_VBMI Gather GatherIndices() {
    alignas(64) std::uint8_t blueRed[64] = {}, green[64] = {};
    for (int i = 0; i < 16; ++i) {
        blueRed[4 * i] = static_cast<std::uint8_t>(3 * i);
        blueRed[4 * i + 2] = static_cast<std::uint8_t>(3 * i + 2);
        green[4 * i] = static_cast<std::uint8_t>(3 * i + 1);
    }
    return {_mm512_load_si512(blueRed), _mm512_load_si512(green)};
}

// The same arithmetic as the SSE2 rows below, on 16 lanes of 32 bits whose
// upper halves stay zero, so the 16-bit products need no packing. The ties
// of a run of blocks are noted and patched after it through the extended
// computation, so that no call breaks the loop's registers.
KELBO_VBMI int LuminanceRowVbmi(const std::uint8_t* bgr, int width, std::uint8_t* out) {
    const Gather gather = GatherIndices();
    const __m512i redBlueWeights = _mm512_set1_epi32(114 | (299 << 16));
    const __m512i greenWeight = _mm512_set1_epi32(587);
    const __m512i half = _mm512_set1_epi32(500);
    const __m512i reciprocal = _mm512_set1_epi32(33555);
    const __m512i seven = _mm512_set1_epi32(7);
    const __m512i hundredTwentyFive = _mm512_set1_epi32(125);
    constexpr int kBlocks = 64;
    const int blocks = width / 16;
    for (int first = 0; first < blocks; first += kBlocks) {
        const int last = std::min(blocks, first + kBlocks);
        __mmask16 ties[kBlocks];
        for (int block = first; block < last; ++block) {
            const std::uint8_t* p = bgr + 48 * static_cast<std::ptrdiff_t>(block);
            // 48 bytes, none read beyond them.
            const __m512i bytes = _mm512_maskz_loadu_epi8((std::uint64_t{1} << 48) - 1, p);
            const __m512i blueRed = _mm512_maskz_permutexvar_epi8(kBlueRedBytes, gather.blueRed, bytes);
            const __m512i green = _mm512_maskz_permutexvar_epi8(kGreenBytes, gather.green, bytes);
            const __m512i n = _mm512_add_epi32(
                _mm512_add_epi32(_mm512_madd_epi16(blueRed, redBlueWeights), _mm512_madd_epi16(green, greenWeight)),
                half);
            const __m512i eighths = _mm512_srli_epi32(n, 3);
            const __m512i quotient = _mm512_srli_epi32(_mm512_mulhi_epu16(eighths, reciprocal), 6);
            _mm_storeu_si128(reinterpret_cast<__m128i*>(out + 16 * block), _mm512_cvtepi32_epi8(quotient));
            ties[block - first] = _mm512_testn_epi32_mask(n, seven) &
                                  _mm512_cmpeq_epi32_mask(eighths, _mm512_mullo_epi16(quotient, hundredTwentyFive));
        }
        for (int block = first; block < last; ++block) {
            for (unsigned left = ties[block - first]; left != 0; left &= left - 1) {
                const int x = 16 * block + __builtin_ctz(left);
                out[x] = LuminanceLongDouble(bgr[3 * x + 2], bgr[3 * x + 1], bgr[3 * x]);
            }
        }
    }
    return 16 * blocks;
}

}  // namespace
#if !defined(__clang__)
#pragma GCC diagnostic pop
#endif
#endif

// n = sum + 500 and n div 1000 = (n div 8) div 125. n div 8 < 2^15 fits a
// 16-bit lane, and (m * 33555) >> 22 equals m div 125 for every m < 2^15
// (the excess m / 125 * 1.7e-5 stays below 1/125), which is the high half
// of a 16-bit product shifted by 6. A tie is n divisible by 1000.
void LuminanceRow(const std::uint8_t* bgr, int width, std::uint8_t* out, bool wide) {
    int x = 0;
#ifdef KELBO_LUMINANCE_VBMI
    if (wide && HasVbmi()) x = LuminanceRowVbmi(bgr, width, out);
#else
    static_cast<void>(wide);
#endif
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
