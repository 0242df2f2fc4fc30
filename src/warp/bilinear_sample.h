// The warp's bilinear sample, written into blue, green, red bytes. The SSE2
// form computes the three channels side by side with the very operations,
// in the very order, of the plain one, so both give the same bytes.
#pragma once

#include <cstdint>

#include "core/bitmap24.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace kelbo::warp_detail {

// 1.5 * 2^52: adding and taking it away rounds |value| < 2^51 to the
// nearest integer, halves to even, as strict IEEE arithmetic keeps both steps.
inline constexpr double kRoundShift = 6755399441055744.0;

inline void SamplePlain(ConstPixelView picture, double sx, double sy, std::uint8_t* bgr) {
    const int c = static_cast<int>(sx), r = static_cast<int>(sy);
    const double fx = sx - c, fy = sy - r;
    const double gx = 1 - fx, gy = 1 - fy;
    const std::uint8_t* top = picture.Row(r) + 3 * c;
    const std::uint8_t* bottom = picture.Row(r + 1) + 3 * c;
    for (int ch = 0; ch < 3; ++ch) {
        const double value = gx * top[ch] * gy + fx * top[ch + 3] * gy + gx * bottom[ch] * fy +
                             fx * bottom[ch + 3] * fy;
        bgr[ch] = static_cast<std::uint8_t>((value + kRoundShift) - kRoundShift);
    }
}

#if defined(__SSE2__)

struct PixelLanes {
    __m128d blueGreen;
    __m128d red;  // and 0
};

inline PixelLanes LoadLanes(const std::uint8_t* p) {
    const __m128i zero = _mm_setzero_si128();
    __m128i v = _mm_cvtsi32_si128(static_cast<int>(p[0] | (p[1] << 8) | (p[2] << 16)));
    v = _mm_unpacklo_epi16(_mm_unpacklo_epi8(v, zero), zero);
    return {_mm_cvtepi32_pd(v), _mm_cvtepi32_pd(_mm_shuffle_epi32(v, _MM_SHUFFLE(3, 2, 3, 2)))};
}

// (gx · a) · gy + (fx · b) · gy + (gx · c) · fy + (fx · d) · fy, left to right.
inline __m128d Blend(__m128d gx, __m128d fx, __m128d gy, __m128d fy, __m128d a, __m128d b, __m128d c, __m128d d) {
    __m128d sum = _mm_mul_pd(_mm_mul_pd(gx, a), gy);
    sum = _mm_add_pd(sum, _mm_mul_pd(_mm_mul_pd(fx, b), gy));
    sum = _mm_add_pd(sum, _mm_mul_pd(_mm_mul_pd(gx, c), fy));
    return _mm_add_pd(sum, _mm_mul_pd(_mm_mul_pd(fx, d), fy));
}

inline __m128i RoundLanes(__m128d v) {
    const __m128d shift = _mm_set1_pd(kRoundShift);
    return _mm_cvttpd_epi32(_mm_sub_pd(_mm_add_pd(v, shift), shift));
}

inline void SampleSse2(ConstPixelView picture, double sx, double sy, std::uint8_t* bgr) {
    const int c = static_cast<int>(sx), r = static_cast<int>(sy);
    const double fxs = sx - c, fys = sy - r;
    const __m128d fx = _mm_set1_pd(fxs), fy = _mm_set1_pd(fys);
    const __m128d gx = _mm_set1_pd(1 - fxs), gy = _mm_set1_pd(1 - fys);
    const std::uint8_t* top = picture.Row(r) + 3 * c;
    const std::uint8_t* bottom = picture.Row(r + 1) + 3 * c;
    const PixelLanes p00 = LoadLanes(top), p10 = LoadLanes(top + 3);
    const PixelLanes p01 = LoadLanes(bottom), p11 = LoadLanes(bottom + 3);
    const __m128i bg = RoundLanes(Blend(gx, fx, gy, fy, p00.blueGreen, p10.blueGreen, p01.blueGreen, p11.blueGreen));
    const __m128i rr = RoundLanes(Blend(gx, fx, gy, fy, p00.red, p10.red, p01.red, p11.red));
    const __m128i bytes = _mm_packus_epi16(_mm_packs_epi32(_mm_unpacklo_epi64(bg, rr), _mm_setzero_si128()),
                                           _mm_setzero_si128());
    const std::uint32_t packed = static_cast<std::uint32_t>(_mm_cvtsi128_si32(bytes));
    bgr[0] = static_cast<std::uint8_t>(packed);
    bgr[1] = static_cast<std::uint8_t>(packed >> 8);
    bgr[2] = static_cast<std::uint8_t>(packed >> 16);
}

#endif

}  // namespace kelbo::warp_detail
