// The same doubles as the pixel-by-pixel change, operation for operation and
// in the same order, four lanes at a time: every division and rounding is
// IEEE-exact in both (a constant divisor's quotient correctly rounded
// through its reciprocal), so the lanes give the same bytes. Nothing here is read
// from tables, so a photograph's scattered colours cost no cache misses.
#include "imaging/colour/hsl_vectors.h"

#include <cstring>

#if (defined(__x86_64__) || defined(__i386__)) && defined(__GNUC__)
#include <immintrin.h>
#define KELBO_HSL_AVX2 1
#endif

namespace kelbo::hsl_vectors {

#ifdef KELBO_HSL_AVX2
namespace {

#define KELBO_AVX2 __attribute__((target("avx2,fma"), always_inline)) inline

// A 32-bit lane mask widened to the four double lanes.
KELBO_AVX2 __m256d Wide(__m128i mask) { return _mm256_castsi256_pd(_mm256_cvtepi32_epi64(mask)); }

KELBO_AVX2 __m256d Pick(__m256d mask, __m256d a, __m256d b) { return _mm256_blendv_pd(b, a, mask); }

KELBO_AVX2 __m256d Doubles(__m128i v) { return _mm256_cvtepi32_pd(v); }

// v / divisor, correctly rounded, for a divisor whose reciprocal is given:
// one fused correction of the product (Markstein).
KELBO_AVX2 __m256d Over(__m256d v, double divisor, double reciprocal) {
    const __m256d q = _mm256_mul_pd(v, _mm256_set1_pd(reciprocal));
    return _mm256_fmadd_pd(_mm256_fnmadd_pd(q, _mm256_set1_pd(divisor), v), _mm256_set1_pd(reciprocal), q);
}

// Round to the nearest, halves to even, whatever the rounding mode; exact
// for the non-negative values rounded here, and for negative ones the
// channels clamp to 0 as the scalar rounding does.
KELBO_AVX2 __m128i Rounded(__m256d v) {
    return _mm256_cvttpd_epi32(_mm256_round_pd(v, _MM_FROUND_TO_NEAREST_INT | _MM_FROUND_NO_EXC));
}

KELBO_AVX2 __m128i Clamped(__m128i v, int top) {
    return _mm_min_epi32(_mm_max_epi32(v, _mm_setzero_si128()), _mm_set1_epi32(top));
}

// value + value * percent div 100, toward zero, within 0..top. The product
// is below 2^25 in size, so its quotient is exact to 1e-10, and one that is
// not whole lies at least 0.01 from the next whole number: a nudge of 1e-7
// away from zero makes truncation exact even for the whole ones.
KELBO_AVX2 __m128i Scaled(__m128i value, int percent, int top) {
    const __m256d product = Doubles(_mm_mullo_epi32(value, _mm_set1_epi32(percent)));
    const __m256d nudge = _mm256_set1_pd(percent < 0 ? -1e-7 : 1e-7);
    const __m128i quotient = _mm256_cvttpd_epi32(_mm256_add_pd(_mm256_mul_pd(product, _mm256_set1_pd(0.01)), nudge));
    return Clamped(_mm_add_epi32(value, quotient), top);
}

KELBO_AVX2 __m128i ChannelByte(__m256d v) { return Clamped(Rounded(_mm256_mul_pd(v, _mm256_set1_pd(255))), 255); }

// One channel of HSLToRGB at x = hue + offset, on the curve from m1 to m2.
KELBO_AVX2 __m128i Channel(__m256d x, __m256d m1, __m256d m2) {
    const __m256d one = _mm256_set1_pd(1);
    x = Pick(_mm256_cmp_pd(x, _mm256_setzero_pd(), _CMP_LT_OQ), _mm256_add_pd(x, one),
             Pick(_mm256_cmp_pd(x, one, _CMP_GT_OQ), _mm256_sub_pd(x, one), x));
    const __m256d rising = _mm256_cmp_pd(_mm256_mul_pd(_mm256_set1_pd(6), x), one, _CMP_LT_OQ);
    const __m256d top = _mm256_cmp_pd(_mm256_mul_pd(_mm256_set1_pd(2), x), one, _CMP_LT_OQ);
    const __m256d falling = _mm256_cmp_pd(_mm256_mul_pd(_mm256_set1_pd(3), x), _mm256_set1_pd(2), _CMP_LT_OQ);
    const __m256d t = Pick(rising, x, _mm256_sub_pd(_mm256_set1_pd(2.0 / 3.0), x));
    const __m256d slope = _mm256_add_pd(m1, _mm256_mul_pd(_mm256_mul_pd(_mm256_sub_pd(m2, m1), t), _mm256_set1_pd(6)));
    const __m256d v = Pick(rising, slope, Pick(top, m2, Pick(falling, slope, m1)));
    return ChannelByte(v);
}

struct Bgr {
    __m128i b, g, r;
};

KELBO_AVX2 Bgr ChangeFour(const Bgr& in, const Percents& percents) {
    const __m256d one = _mm256_set1_pd(1);
    // RGBToHSL.
    const __m256d ub = Over(Doubles(in.b), 255, 1.0 / 255);
    const __m256d ug = Over(Doubles(in.g), 255, 1.0 / 255);
    const __m256d ur = Over(Doubles(in.r), 255, 1.0 / 255);
    const __m128i max = _mm_max_epi32(_mm_max_epi32(in.r, in.g), in.b);
    const __m128i min = _mm_min_epi32(_mm_min_epi32(in.r, in.g), in.b);
    const __m128i grey = _mm_cmpeq_epi32(max, min);
    const __m256d hi = _mm256_max_pd(_mm256_max_pd(ur, ug), ub);
    const __m256d lo = _mm256_min_pd(_mm256_min_pd(ur, ug), ub);
    const __m256d sum = _mm256_add_pd(hi, lo);
    const __m256d l = _mm256_mul_pd(sum, _mm256_set1_pd(0.5));  // exactly sum / 2
    const __m256d d = _mm256_sub_pd(hi, lo);
    const __m256d below = _mm256_cmp_pd(l, _mm256_set1_pd(0.5), _CMP_LT_OQ);
    const __m256d s = _mm256_div_pd(d, Pick(below, sum, _mm256_sub_pd(_mm256_sub_pd(_mm256_set1_pd(2), hi), lo)));
    // Hue by the largest channel, red first.
    const __m128i notRed = _mm_xor_si128(_mm_cmpeq_epi32(max, in.r), _mm_set1_epi32(-1));
    const __m128i notGreen = _mm_xor_si128(_mm_cmpeq_epi32(max, in.g), _mm_set1_epi32(-1));
    const __m128i sector = _mm_sub_epi32(_mm_setzero_si128(), _mm_add_epi32(notRed, _mm_and_si128(notRed, notGreen)));
    const __m256d first = Pick(Wide(notRed), Pick(Wide(notGreen), ur, ub), ug);
    const __m256d second = Pick(Wide(notRed), Pick(Wide(notGreen), ug, ur), ub);
    __m256d x = _mm256_add_pd(_mm256_div_pd(_mm256_sub_pd(first, second), d),
                              _mm256_mul_pd(_mm256_set1_pd(2), Doubles(sector)));
    x = Over(x, 6, 1.0 / 6);
    x = _mm256_add_pd(x, _mm256_and_pd(_mm256_cmp_pd(x, _mm256_setzero_pd(), _CMP_LT_OQ), one));
    const __m128i h = _mm_andnot_si128(grey, Rounded(_mm256_mul_pd(_mm256_set1_pd(239), x)));
    const __m128i sat = _mm_andnot_si128(grey, Rounded(_mm256_mul_pd(_mm256_set1_pd(240), s)));
    const __m128i light = Rounded(_mm256_mul_pd(_mm256_set1_pd(240), l));
    // Scaled, then HSLToRGB.
    const __m128i h2 = Scaled(h, percents.hue, 239);
    const __m128i s2 = Scaled(sat, percents.saturation, 240);
    const __m128i l2 = Scaled(light, percents.lightness, 240);
    const __m256d lu = Over(Doubles(l2), 240, 1.0 / 240);
    const __m256d su = Over(Doubles(s2), 240, 1.0 / 240);
    const __m256d m2 = Pick(_mm256_cmp_pd(lu, _mm256_set1_pd(0.5), _CMP_LE_OQ),
                            _mm256_mul_pd(lu, _mm256_add_pd(one, su)),
                            _mm256_sub_pd(_mm256_add_pd(lu, su), _mm256_mul_pd(lu, su)));
    const __m256d m1 = _mm256_sub_pd(_mm256_mul_pd(_mm256_set1_pd(2), lu), m2);
    const __m256d hue = Over(Doubles(h2), 239, 1.0 / 239);
    const __m128i noSat = _mm_cmpeq_epi32(s2, _mm_setzero_si128());
    const __m128i greyByte = ChannelByte(lu);
    return {_mm_blendv_epi8(Channel(_mm256_sub_pd(hue, _mm256_set1_pd(1.0 / 3.0)), m1, m2), greyByte, noSat),
            _mm_blendv_epi8(Channel(hue, m1, m2), greyByte, noSat),
            _mm_blendv_epi8(Channel(_mm256_add_pd(hue, _mm256_set1_pd(1.0 / 3.0)), m1, m2), greyByte, noSat)};
}

}  // namespace

int WidestStep() {
    static const int step = EightAvailable()                                                  ? 8
                            : __builtin_cpu_supports("avx2") && __builtin_cpu_supports("fma") ? 4
                                                                                              : 0;
    return step;
}

__attribute__((target("avx2,fma"))) int ChangeRow(std::uint8_t* row, int width, const Percents& percents, int step) {
    const __m128i takeB = _mm_setr_epi8(0, -1, -1, -1, 3, -1, -1, -1, 6, -1, -1, -1, 9, -1, -1, -1);
    const __m128i takeG = _mm_setr_epi8(1, -1, -1, -1, 4, -1, -1, -1, 7, -1, -1, -1, 10, -1, -1, -1);
    const __m128i takeR = _mm_setr_epi8(2, -1, -1, -1, 5, -1, -1, -1, 8, -1, -1, -1, 11, -1, -1, -1);
    const __m128i pack = _mm_setr_epi8(0, 1, 2, 4, 5, 6, 8, 9, 10, 12, 13, 14, -1, -1, -1, -1);
    int x = step == 8 ? ChangeEightAtATime(row, width, percents) : 0;
    for (; x + 4 <= width; x += 4) {
        std::uint8_t* p = row + 3 * static_cast<std::ptrdiff_t>(x);
        // Twelve bytes in and out: the next pixels are not yet read.
        std::uint8_t bytes[16] = {};
        std::memcpy(bytes, p, 12);
        const __m128i in = _mm_loadu_si128(reinterpret_cast<const __m128i*>(bytes));
        const Bgr out = ChangeFour(
            {_mm_shuffle_epi8(in, takeB), _mm_shuffle_epi8(in, takeG), _mm_shuffle_epi8(in, takeR)}, percents);
        const __m128i joined = _mm_or_si128(_mm_or_si128(out.b, _mm_slli_epi32(out.g, 8)), _mm_slli_epi32(out.r, 16));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(bytes), _mm_shuffle_epi8(joined, pack));
        std::memcpy(p, bytes, 12);
    }
    return x;
}

#else

int WidestStep() { return 0; }
int ChangeRow(std::uint8_t*, int, const Percents&, int) { return 0; }

#endif

}  // namespace kelbo::hsl_vectors
