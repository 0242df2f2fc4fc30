#include "warp/warp_span.h"

#include "warp/bilinear_sample.h"

#if defined(__x86_64__) || defined(__i386__)
#include <immintrin.h>
#define KELBO_WARP_X86 1
#endif

namespace kelbo::warp_detail {
namespace {

inline bool Outside(const SpanMap& m, double sx, double sy) {
    return sx + 1 >= m.width || sy + 1 >= m.height || sx < 0 || sy < 0;
}

inline void White(std::uint8_t* p) { p[0] = p[1] = p[2] = 255; }

}  // namespace

void FillSpanPlain(const SpanMap& m, ConstPixelView clean, std::uint8_t* row, int from, int to) {
    for (int x = from; x <= to; ++x) {
        const double dx = x - m.ax;
        const double v = (m.dyE1x - dx * m.e1y) / m.det;
        const double u = (dx - m.e2x * v) / m.ex;
        const double sx = m.f1x * u + m.f2x * v + m.sax, sy = m.f1y * u + m.f2y * v + m.say;
        std::uint8_t* p = row + 3 * x;
        if (Outside(m, sx, sy))
            White(p);
        else
            SamplePlain(clean, sx, sy, p);
    }
}

#if defined(__SSE2__)

void FillSpanSse2(const SpanMap& m, ConstPixelView clean, std::uint8_t* row, int from, int to) {
    const __m128d e1y = _mm_set1_pd(m.e1y), e2x = _mm_set1_pd(m.e2x), det = _mm_set1_pd(m.det), ex = _mm_set1_pd(m.ex);
    int x = from;
    for (; x + 1 <= to; x += 2) {
        const double dx0 = x - m.ax;
        const __m128d dx = _mm_set_pd(dx0 + 1, dx0);
        const __m128d v = _mm_div_pd(_mm_sub_pd(_mm_set1_pd(m.dyE1x), _mm_mul_pd(dx, e1y)), det);
        const __m128d u = _mm_div_pd(_mm_sub_pd(dx, _mm_mul_pd(e2x, v)), ex);
        const __m128d sx = _mm_add_pd(_mm_add_pd(_mm_mul_pd(_mm_set1_pd(m.f1x), u), _mm_mul_pd(_mm_set1_pd(m.f2x), v)),
                                      _mm_set1_pd(m.sax));
        const __m128d sy = _mm_add_pd(_mm_add_pd(_mm_mul_pd(_mm_set1_pd(m.f1y), u), _mm_mul_pd(_mm_set1_pd(m.f2y), v)),
                                      _mm_set1_pd(m.say));
        double sxs[2], sys[2];
        _mm_storeu_pd(sxs, sx);
        _mm_storeu_pd(sys, sy);
        for (int i = 0; i < 2; ++i) {
            std::uint8_t* p = row + 3 * (x + i);
            if (Outside(m, sxs[i], sys[i]))
                White(p);
            else
                SampleSse2(clean, sxs[i], sys[i], p);
        }
    }
    FillSpanPlain(m, clean, row, x, to);
}

#else

void FillSpanSse2(const SpanMap& m, ConstPixelView clean, std::uint8_t* row, int from, int to) {
    FillSpanPlain(m, clean, row, from, to);
}

#endif

#if defined(KELBO_WARP_X86) && defined(__GNUC__)

namespace {

__attribute__((target("avx2"))) inline __m256d LoadPixelAvx2(const std::uint8_t* p) {
    const __m128i v = _mm_cvtsi32_si128(static_cast<int>(p[0] | (p[1] << 8) | (p[2] << 16)));
    return _mm256_cvtepi32_pd(_mm_cvtepu8_epi32(v));
}

// SamplePlain with blue, green, red (and 0) in the four lanes.
__attribute__((target("avx2"))) inline void SampleAvx2(ConstPixelView clean, int c, int r, double fxs, double fys,
                                                       std::uint8_t* bgr) {
    const __m256d fx = _mm256_set1_pd(fxs), fy = _mm256_set1_pd(fys);
    const __m256d gx = _mm256_set1_pd(1 - fxs), gy = _mm256_set1_pd(1 - fys);
    const std::uint8_t* top = clean.Row(r) + 3 * c;
    const std::uint8_t* bottom = clean.Row(r + 1) + 3 * c;
    __m256d sum = _mm256_mul_pd(_mm256_mul_pd(gx, LoadPixelAvx2(top)), gy);
    sum = _mm256_add_pd(sum, _mm256_mul_pd(_mm256_mul_pd(fx, LoadPixelAvx2(top + 3)), gy));
    sum = _mm256_add_pd(sum, _mm256_mul_pd(_mm256_mul_pd(gx, LoadPixelAvx2(bottom)), fy));
    sum = _mm256_add_pd(sum, _mm256_mul_pd(_mm256_mul_pd(fx, LoadPixelAvx2(bottom + 3)), fy));
    const __m256d shift = _mm256_set1_pd(kRoundShift);
    const __m128i ints = _mm256_cvttpd_epi32(_mm256_sub_pd(_mm256_add_pd(sum, shift), shift));
    const __m128i bytes = _mm_packus_epi16(_mm_packs_epi32(ints, ints), ints);
    const auto packed = static_cast<std::uint32_t>(_mm_cvtsi128_si32(bytes));
    bgr[0] = static_cast<std::uint8_t>(packed);
    bgr[1] = static_cast<std::uint8_t>(packed >> 8);
    bgr[2] = static_cast<std::uint8_t>(packed >> 16);
}

}  // namespace

__attribute__((target("avx2"))) void FillSpanAvx2(const SpanMap& m, ConstPixelView clean, std::uint8_t* row, int from,
                                                  int to) {
    const __m256d e1y = _mm256_set1_pd(m.e1y), e2x = _mm256_set1_pd(m.e2x);
    const __m256d det = _mm256_set1_pd(m.det), ex = _mm256_set1_pd(m.ex);
    const __m256d f1x = _mm256_set1_pd(m.f1x), f2x = _mm256_set1_pd(m.f2x), sax = _mm256_set1_pd(m.sax);
    const __m256d f1y = _mm256_set1_pd(m.f1y), f2y = _mm256_set1_pd(m.f2y), say = _mm256_set1_pd(m.say);
    const __m256d one = _mm256_set1_pd(1), zero = _mm256_setzero_pd();
    const __m256d width = _mm256_set1_pd(m.width), height = _mm256_set1_pd(m.height);
    const __m256d steps = _mm256_set_pd(3, 2, 1, 0);
    int x = from;
    for (; x + 3 <= to; x += 4) {
        const __m256d dx = _mm256_add_pd(_mm256_set1_pd(x - m.ax), steps);
        const __m256d v = _mm256_div_pd(_mm256_sub_pd(_mm256_set1_pd(m.dyE1x), _mm256_mul_pd(dx, e1y)), det);
        const __m256d u = _mm256_div_pd(_mm256_sub_pd(dx, _mm256_mul_pd(e2x, v)), ex);
        const __m256d sx = _mm256_add_pd(_mm256_add_pd(_mm256_mul_pd(f1x, u), _mm256_mul_pd(f2x, v)), sax);
        const __m256d sy = _mm256_add_pd(_mm256_add_pd(_mm256_mul_pd(f1y, u), _mm256_mul_pd(f2y, v)), say);
        const __m256d outside = _mm256_or_pd(
            _mm256_or_pd(_mm256_cmp_pd(_mm256_add_pd(sx, one), width, _CMP_GE_OQ),
                         _mm256_cmp_pd(_mm256_add_pd(sy, one), height, _CMP_GE_OQ)),
            _mm256_or_pd(_mm256_cmp_pd(sx, zero, _CMP_LT_OQ), _mm256_cmp_pd(sy, zero, _CMP_LT_OQ)));
        const int white = _mm256_movemask_pd(outside);
        // Columns and rows inside are below 65535, so the truncation fits 32 bits
        // (an outside lane's value is never used).
        const __m256d sxIn = _mm256_blendv_pd(sx, zero, outside), syIn = _mm256_blendv_pd(sy, zero, outside);
        const __m128i c = _mm256_cvttpd_epi32(sxIn), r = _mm256_cvttpd_epi32(syIn);
        // Unaligned stores: 64-bit Windows keeps the stack at 16 bytes only.
        double fx[4], fy[4];
        int cs[4], rs[4];
        _mm256_storeu_pd(fx, _mm256_sub_pd(sxIn, _mm256_cvtepi32_pd(c)));
        _mm256_storeu_pd(fy, _mm256_sub_pd(syIn, _mm256_cvtepi32_pd(r)));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(cs), c);
        _mm_storeu_si128(reinterpret_cast<__m128i*>(rs), r);
        for (int i = 0; i < 4; ++i) {
            std::uint8_t* p = row + 3 * (x + i);
            if (white & (1 << i))
                White(p);
            else
                SampleAvx2(clean, cs[i], rs[i], fx[i], fy[i], p);
        }
    }
    FillSpanPlain(m, clean, row, x, to);
}

FillSpanFunction BestFillSpan() {
    static const FillSpanFunction best = __builtin_cpu_supports("avx2") ? FillSpanAvx2 : FillSpanSse2;
    return best;
}

#else

void FillSpanAvx2(const SpanMap& m, ConstPixelView clean, std::uint8_t* row, int from, int to) {
    FillSpanSse2(m, clean, row, from, to);
}

FillSpanFunction BestFillSpan() { return FillSpanSse2; }

#endif

}  // namespace kelbo::warp_detail
