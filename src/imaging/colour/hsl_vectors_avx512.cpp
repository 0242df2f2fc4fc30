// The HSL change eight pixels at a time with AVX-512: the same doubles as
// the pixel-by-pixel change, in the same order. Only the two divisions by a
// value of the pixel are divisions; the others have a constant divisor and
// take its rounded reciprocal with one fused correction, which gives the
// correctly rounded quotient (Markstein), so the same double. The test of
// all 2^24 colours holds both paths to that.
#include <cstdint>

#include "imaging/colour/hsl_vectors.h"

#if (defined(__x86_64__) || defined(__i386__)) && defined(__GNUC__)
#include <immintrin.h>
#define KELBO_HSL_AVX512 1
#endif

namespace kelbo::hsl_vectors {

#ifdef KELBO_HSL_AVX512
// GCC 12 warns of the "undefined" source operand its own AVX-512 headers
// pass to unmasked intrinsics (its bug 105593).
#if !defined(__clang__)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmaybe-uninitialized"
#endif
namespace {

#define KELBO_AVX512_TARGET "avx512f,avx512bw,avx512vl,avx2,fma"
#define KELBO_AVX512 __attribute__((target(KELBO_AVX512_TARGET), always_inline)) inline

KELBO_AVX512 __m512d Doubles(__m256i v) { return _mm512_cvtepi32_pd(v); }
KELBO_AVX512 __m512d All(double v) { return _mm512_set1_pd(v); }

// v / divisor, correctly rounded, for a divisor whose reciprocal is given.
KELBO_AVX512 __m512d Over(__m512d v, double divisor, double reciprocal) {
    const __m512d q = _mm512_mul_pd(v, All(reciprocal));
    return _mm512_fmadd_pd(_mm512_fnmadd_pd(q, All(divisor), v), All(reciprocal), q);
}

// Round to the nearest, halves to even, whatever the rounding mode.
KELBO_AVX512 __m256i Rounded(__m512d v) {
    return _mm512_cvt_roundpd_epi32(v, _MM_FROUND_TO_NEAREST_INT | _MM_FROUND_NO_EXC);
}

KELBO_AVX512 __m256i Clamped(__m256i v, int top) {
    return _mm256_min_epi32(_mm256_max_epi32(v, _mm256_setzero_si256()), _mm256_set1_epi32(top));
}

// value + value * percent div 100, toward zero, within 0..top. The product
// is below 2^25 in size, so its quotient is exact to 1e-10, and one that is
// not whole lies at least 0.01 from the next whole number: a nudge of 1e-7
// away from zero makes truncation exact even for the whole ones.
KELBO_AVX512 __m256i Scaled(__m256i value, int percent, int top) {
    const __m512d product = Doubles(_mm256_mullo_epi32(value, _mm256_set1_epi32(percent)));
    const __m512d nudge = All(percent < 0 ? -1e-7 : 1e-7);
    const __m256i quotient = _mm512_cvttpd_epi32(_mm512_add_pd(_mm512_mul_pd(product, All(0.01)), nudge));
    return Clamped(_mm256_add_epi32(value, quotient), top);
}

KELBO_AVX512 __m256i ChannelByte(__m512d v) { return Clamped(Rounded(_mm512_mul_pd(v, All(255))), 255); }

// One channel of HSLToRGB at x = hue + offset, on the curve from m1 to m2.
KELBO_AVX512 __m256i Channel(__m512d x, __m512d m1, __m512d m2) {
    const __m512d one = All(1);
    x = _mm512_mask_blend_pd(_mm512_cmp_pd_mask(x, one, _CMP_GT_OQ), x, _mm512_sub_pd(x, one));
    x = _mm512_mask_blend_pd(_mm512_cmp_pd_mask(x, _mm512_setzero_pd(), _CMP_LT_OQ), x, _mm512_add_pd(x, one));
    const __mmask8 rising = _mm512_cmp_pd_mask(_mm512_mul_pd(All(6), x), one, _CMP_LT_OQ);
    const __mmask8 top = _mm512_cmp_pd_mask(_mm512_mul_pd(All(2), x), one, _CMP_LT_OQ);
    const __mmask8 falling = _mm512_cmp_pd_mask(_mm512_mul_pd(All(3), x), All(2), _CMP_LT_OQ);
    const __m512d t = _mm512_mask_blend_pd(rising, _mm512_sub_pd(All(2.0 / 3.0), x), x);
    const __m512d slope = _mm512_add_pd(m1, _mm512_mul_pd(_mm512_mul_pd(_mm512_sub_pd(m2, m1), t), All(6)));
    const __m512d flat = _mm512_mask_blend_pd(top, _mm512_mask_blend_pd(falling, m1, slope), m2);
    return ChannelByte(_mm512_mask_blend_pd(rising, flat, slope));
}

struct Bgr {
    __m256i b, g, r;
};

KELBO_AVX512 Bgr ChangeEight(const Bgr& in, const Percents& percents) {
    // RGBToHSL.
    const __m512d ub = Over(Doubles(in.b), 255, 1.0 / 255);
    const __m512d ug = Over(Doubles(in.g), 255, 1.0 / 255);
    const __m512d ur = Over(Doubles(in.r), 255, 1.0 / 255);
    const __m256i max = _mm256_max_epi32(_mm256_max_epi32(in.r, in.g), in.b);
    const __m256i min = _mm256_min_epi32(_mm256_min_epi32(in.r, in.g), in.b);
    const __mmask8 grey = _mm256_cmpeq_epi32_mask(max, min);
    const __m512d hi = _mm512_max_pd(_mm512_max_pd(ur, ug), ub);
    const __m512d lo = _mm512_min_pd(_mm512_min_pd(ur, ug), ub);
    const __m512d sum = _mm512_add_pd(hi, lo);
    const __m512d l = _mm512_mul_pd(sum, All(0.5));  // exactly sum / 2
    const __m512d d = _mm512_sub_pd(hi, lo);
    const __mmask8 below = _mm512_cmp_pd_mask(l, All(0.5), _CMP_LT_OQ);
    const __m512d s = _mm512_div_pd(d, _mm512_mask_blend_pd(below, _mm512_sub_pd(_mm512_sub_pd(All(2), hi), lo), sum));
    // Hue by the largest channel, red first.
    const __mmask8 notRed = _mm256_cmpneq_epi32_mask(max, in.r);
    const __mmask8 notGreen = _mm256_cmpneq_epi32_mask(max, in.g);
    const __m512d first = _mm512_mask_blend_pd(notRed, ug, _mm512_mask_blend_pd(notGreen, ub, ur));
    const __m512d second = _mm512_mask_blend_pd(notRed, ub, _mm512_mask_blend_pd(notGreen, ur, ug));
    // Sector 0, 1 or 2 as 2 * sector: 0, 2 or 4.
    const __m512d twiceSector = _mm512_add_pd(_mm512_maskz_mov_pd(notRed, All(2)),
                                              _mm512_maskz_mov_pd(notRed & notGreen, All(2)));
    __m512d x = _mm512_add_pd(_mm512_div_pd(_mm512_sub_pd(first, second), d), twiceSector);
    x = Over(x, 6, 1.0 / 6);
    x = _mm512_mask_add_pd(x, _mm512_cmp_pd_mask(x, _mm512_setzero_pd(), _CMP_LT_OQ), x, All(1));
    const __m256i h = _mm256_maskz_mov_epi32(~grey, Rounded(_mm512_mul_pd(All(239), x)));
    const __m256i sat = _mm256_maskz_mov_epi32(~grey, Rounded(_mm512_mul_pd(All(240), s)));
    const __m256i light = Rounded(_mm512_mul_pd(All(240), l));
    // Scaled, then HSLToRGB.
    const __m256i h2 = Scaled(h, percents.hue, 239);
    const __m256i s2 = Scaled(sat, percents.saturation, 240);
    const __m256i l2 = Scaled(light, percents.lightness, 240);
    const __m512d lu = Over(Doubles(l2), 240, 1.0 / 240);
    const __m512d su = Over(Doubles(s2), 240, 1.0 / 240);
    const __m512d one = All(1);
    const __m512d m2 = _mm512_mask_blend_pd(_mm512_cmp_pd_mask(lu, All(0.5), _CMP_LE_OQ),
                                            _mm512_sub_pd(_mm512_add_pd(lu, su), _mm512_mul_pd(lu, su)),
                                            _mm512_mul_pd(lu, _mm512_add_pd(one, su)));
    const __m512d m1 = _mm512_sub_pd(_mm512_mul_pd(All(2), lu), m2);
    const __m512d hue = Over(Doubles(h2), 239, 1.0 / 239);
    const __mmask8 noSat = _mm256_cmpeq_epi32_mask(s2, _mm256_setzero_si256());
    const __m256i greyByte = ChannelByte(lu);
    return {_mm256_mask_blend_epi32(noSat, Channel(_mm512_sub_pd(hue, All(1.0 / 3.0)), m1, m2), greyByte),
            _mm256_mask_blend_epi32(noSat, Channel(hue, m1, m2), greyByte),
            _mm256_mask_blend_epi32(noSat, Channel(_mm512_add_pd(hue, All(1.0 / 3.0)), m1, m2), greyByte)};
}

}  // namespace

bool EightAvailable() {
    static const bool avx512 = __builtin_cpu_supports("avx512f") && __builtin_cpu_supports("avx512bw") &&
                               __builtin_cpu_supports("avx512vl") && __builtin_cpu_supports("fma");
    return avx512;
}

__attribute__((target(KELBO_AVX512_TARGET))) int ChangeEightAtATime(std::uint8_t* row, int width,
                                                                    const Percents& percents) {
    // The 24 bytes of eight pixels widened to 32-bit lanes 0..23; each
    // channel's eight gathered from them.
    const __m512i takeB = _mm512_setr_epi32(0, 3, 6, 9, 12, 15, 18, 21, 0, 0, 0, 0, 0, 0, 0, 0);
    const __m512i takeG = _mm512_setr_epi32(1, 4, 7, 10, 13, 16, 19, 22, 0, 0, 0, 0, 0, 0, 0, 0);
    const __m512i takeR = _mm512_setr_epi32(2, 5, 8, 11, 14, 17, 20, 23, 0, 0, 0, 0, 0, 0, 0, 0);
    // Lane i's low three bytes to bytes 3i .. 3i + 2 of its 128-bit half.
    const __m256i pack = _mm256_setr_epi8(0, 1, 2, 4, 5, 6, 8, 9, 10, 12, 13, 14, -1, -1, -1, -1, 0, 1, 2, 4, 5, 6, 8,
                                          9, 10, 12, 13, 14, -1, -1, -1, -1);
    int x = 0;
    for (; x + 8 <= width; x += 8) {
        std::uint8_t* p = row + 3 * static_cast<std::ptrdiff_t>(x);
        // 24 bytes in and out: the next pixels are not yet read.
        const __m256i bytes = _mm256_maskz_loadu_epi8(0xFFFFFF, p);
        const __m512i low = _mm512_cvtepu8_epi32(_mm256_castsi256_si128(bytes));
        const __m512i high = _mm512_cvtepu8_epi32(_mm256_extracti128_si256(bytes, 1));
        const Bgr in{_mm512_castsi512_si256(_mm512_permutex2var_epi32(low, takeB, high)),
                     _mm512_castsi512_si256(_mm512_permutex2var_epi32(low, takeG, high)),
                     _mm512_castsi512_si256(_mm512_permutex2var_epi32(low, takeR, high))};
        const Bgr out = ChangeEight(in, percents);
        const __m256i joined = _mm256_or_si256(_mm256_or_si256(out.b, _mm256_slli_epi32(out.g, 8)),
                                               _mm256_slli_epi32(out.r, 16));
        const __m256i packed = _mm256_shuffle_epi8(joined, pack);
        _mm_mask_storeu_epi8(p, 0xFFF, _mm256_castsi256_si128(packed));
        _mm_mask_storeu_epi8(p + 12, 0xFFF, _mm256_extracti128_si256(packed, 1));
    }
    return x;
}

#if !defined(__clang__)
#pragma GCC diagnostic pop
#endif
#else

bool EightAvailable() { return false; }
int ChangeEightAtATime(std::uint8_t*, int, const Percents&) { return 0; }

#endif

}  // namespace kelbo::hsl_vectors
