#include "imaging/colour/point_ops.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <vector>

#include "core/luminance.h"
#include "core/rounding.h"
#include "imaging/colour/row_bytes.h"
#include "imaging/colour/progress_steps.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace kelbo {
namespace {

using Table = std::array<std::uint8_t, 256>;

// Percentages beyond these saturate every channel already (or give 0), so
// clamping keeps channel * percent far inside int.
constexpr int kLeastPercent = -1000;
constexpr int kMostPercent = 100000;

int ClampPercent(int percent) { return std::clamp(percent, kLeastPercent, kMostPercent); }

std::uint8_t ClampChannel(int value) { return static_cast<std::uint8_t>(std::clamp(value, 0, 255)); }

// channel * percent div 100, division truncating toward zero as in C++.
Table ScaleTable(int percent) {
    const int p = ClampPercent(percent);
    Table table{};
    for (int v = 0; v < 256; ++v) table[v] = ClampChannel(v * p / 100);
    return table;
}

Table ComplementScaleTable(int percent) {
    const int p = ClampPercent(percent);
    Table table{};
    for (int v = 0; v < 256; ++v) table[v] = static_cast<std::uint8_t>(255 - ClampChannel((255 - v) * p / 100));
    return table;
}

// The power is taken in extended precision, as the program's exp and ln were.
Table GammaTable(int position) {
    const long double gamma = static_cast<long double>(position) * 0.01L;
    Table table{};
    for (int v = 0; v < 256; ++v) {
        const long double power = std::exp(gamma * std::log(static_cast<long double>(std::max(v, 1))));
        // min(255, Round(x)) = Round(min(x, 255)); cutting first keeps huge
        // powers of out-of-range positions away from Round.
        table[v] = static_cast<std::uint8_t>(Round(std::min(power, 255.0L)));
    }
    return table;
}

// Each row's pixels through three channel tables.
template <typename Progression>
void MapChannels(PixelView picture, const Table& red, const Table& green, const Table& blue, Progression& steps) {
    const int width = picture.Width();
    for (int y = 0; y < picture.Height(); ++y) {
        std::uint8_t* p = picture.Row(y);
        for (int x = 0; x < width; ++x, p += 3) {
            p[0] = blue[p[0]];
            p[1] = green[p[1]];
            p[2] = red[p[2]];
        }
        steps.RowDone(y);
    }
}

// Pixels from `x` on through the tables, those kept by `e` (all three
// channels >= e) left alone.
void MapPixelsExcept(std::uint8_t* row, int x, int width, const Table& red, const Table& green, const Table& blue,
                     int e) {
    std::uint8_t* p = row + 3 * x;
    if (e > 255) {
        for (; x < width; ++x, p += 3) {
            p[0] = blue[p[0]];
            p[1] = green[p[1]];
            p[2] = red[p[2]];
        }
        return;
    }
    for (; x < width; ++x, p += 3) {
        if (p[2] < e || p[1] < e || p[0] < e) {
            p[0] = blue[p[0]];
            p[1] = green[p[1]];
            p[2] = red[p[2]];
        }
    }
}

// The largest channel * (percent mod 100) the vectors divide by 100.
constexpr int kLargestHundredthsProduct = 255 * 99;

#if defined(__SSE2__)

// The block helpers pass vectors by value; left as calls, they would go
// through memory.
#if defined(__GNUC__)
#define KELBO_VECTOR_INLINE [[gnu::always_inline]] inline
#else
#define KELBO_VECTOR_INLINE inline
#endif
// The three vectors of a block stay in registers only when their loops are
// unrolled, which -O2 leaves undone.
#if defined(__GNUC__)
#define KELBO_UNROLL_BLOCK _Pragma("GCC unroll 3")
#else
#define KELBO_UNROLL_BLOCK
#endif

// Vectors of 48 bytes, 16 pixels, so each lane keeps one channel.
struct Block {
    __m128i v[3];
};

KELBO_VECTOR_INLINE Block LoadBlock(const std::uint8_t* p) {
    return {{_mm_loadu_si128(reinterpret_cast<const __m128i*>(p)),
             _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + 16)),
             _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + 32))}};
}

KELBO_VECTOR_INLINE void StoreBlock(std::uint8_t* p, const Block& b) {
    _mm_storeu_si128(reinterpret_cast<__m128i*>(p), b.v[0]);
    _mm_storeu_si128(reinterpret_cast<__m128i*>(p + 16), b.v[1]);
    _mm_storeu_si128(reinterpret_cast<__m128i*>(p + 32), b.v[2]);
}

// Lane patterns of a block from blue, green, red values.
template <typename T, typename Lane>
void ChannelLanes(const T (&bgr)[3], Lane (&out)[48]) {
    for (int i = 0; i < 48; ++i) out[i] = static_cast<Lane>(bgr[i % 3]);
}

Block BytePattern(std::uint8_t blue, std::uint8_t green, std::uint8_t red) {
    const std::uint8_t bgr[3] = {blue, green, red};
    alignas(16) std::uint8_t lanes[48];
    ChannelLanes(bgr, lanes);
    return LoadBlock(lanes);
}

// x div 100 is the high half of x * 5243 shifted by 3 for every x up to
// 255 * 99, the largest channel * hundredths (FirstWrongDivisionBy100
// checks them all).
constexpr int kReciprocal100 = 5243;
constexpr int kReciprocalShift = 3;

KELBO_VECTOR_INLINE __m128i DivideBy100(__m128i x) {
    return _mm_srli_epi16(_mm_mulhi_epu16(x, _mm_set1_epi16(static_cast<short>(kReciprocal100))), kReciprocalShift);
}

// min(255, v * p div 100) as v * whole + v * hundredths div 100 in 16-bit
// lanes, p = 100 * whole + hundredths clamped to 0..25600: below 0 every
// channel gives 0 and from 25600 on every channel but 0 gives 255 already.
// The sum is v * p div 100 <= 65280, so nothing wraps.
class ChannelScaler {
public:
    ChannelScaler(int blue, int green, int red, bool complement)
        : flip_(complement ? _mm_set1_epi8(-1) : _mm_setzero_si128()) {
        int whole[3], hundredths[3];
        const int percents[3] = {blue, green, red};
        for (int c = 0; c < 3; ++c) {
            const int p = std::clamp(percents[c], 0, 25600);
            whole[c] = p / 100;
            hundredths[c] = p % 100;
        }
        alignas(16) std::int16_t lanes[48];
        ChannelLanes(whole, lanes);
        for (int i = 0; i < 6; ++i) whole_[i] = _mm_load_si128(reinterpret_cast<const __m128i*>(lanes + 8 * i));
        ChannelLanes(hundredths, lanes);
        for (int i = 0; i < 6; ++i) hundredths_[i] = _mm_load_si128(reinterpret_cast<const __m128i*>(lanes + 8 * i));
    }

    // CMY scales the complements and complements the result back.
    KELBO_VECTOR_INLINE Block Scale(const Block& in) const {
        Block out;
        KELBO_UNROLL_BLOCK
        for (int k = 0; k < 3; ++k) {
            const __m128i v = _mm_xor_si128(in.v[k], flip_);
            const __m128i low = Half(_mm_unpacklo_epi8(v, _mm_setzero_si128()), 2 * k);
            const __m128i high = Half(_mm_unpackhi_epi8(v, _mm_setzero_si128()), 2 * k + 1);
            out.v[k] = _mm_xor_si128(_mm_packus_epi16(low, high), flip_);
        }
        return out;
    }

private:
    KELBO_VECTOR_INLINE __m128i Half(__m128i v, int i) const {
        const __m128i sum = _mm_add_epi16(_mm_mullo_epi16(v, whole_[i]),
                                          DivideBy100(_mm_mullo_epi16(v, hundredths_[i])));
        return _mm_sub_epi16(sum, _mm_subs_epu16(sum, _mm_set1_epi16(255)));
    }

    __m128i flip_;
    __m128i whole_[6];
    __m128i hundredths_[6];
};

// Byte i + n (Next) or i - n (Previous) of the 48-byte stream, zero past
// the block's ends.
template <int n>
KELBO_VECTOR_INLINE Block Next(const Block& b) {
    return {{_mm_or_si128(_mm_srli_si128(b.v[0], n), _mm_slli_si128(b.v[1], 16 - n)),
             _mm_or_si128(_mm_srli_si128(b.v[1], n), _mm_slli_si128(b.v[2], 16 - n)), _mm_srli_si128(b.v[2], n)}};
}

template <int n>
KELBO_VECTOR_INLINE Block Previous(const Block& b) {
    return {{_mm_slli_si128(b.v[0], n), _mm_or_si128(_mm_slli_si128(b.v[1], n), _mm_srli_si128(b.v[0], 16 - n)),
             _mm_or_si128(_mm_slli_si128(b.v[2], n), _mm_srli_si128(b.v[1], 16 - n))}};
}

// All-ones in the bytes of pixels whose three channels are all >= e
// (1..255). A channel's two partners sit 1 and 2 bytes after it (blue), one
// before and one after (green) or 1 and 2 before (red); the masks let each
// lane take only its own pixel's neighbours.
class WhiteTest {
public:
    explicit WhiteTest(int e)
        : e_(_mm_set1_epi8(static_cast<char>(e))),
          // Lanes whose byte 1 after is another pixel's (red), 2 after (green,
          // red), 1 before (blue), 2 before (blue, green).
          next1Skip_(BytePattern(0, 0, 0xFF)),
          next2Skip_(BytePattern(0, 0xFF, 0xFF)),
          previous1Skip_(BytePattern(0xFF, 0, 0)),
          previous2Skip_(BytePattern(0xFF, 0xFF, 0)) {}

    KELBO_VECTOR_INLINE Block Kept(const Block& in) const {
        Block high;
        KELBO_UNROLL_BLOCK
        for (int k = 0; k < 3; ++k) high.v[k] = _mm_cmpeq_epi8(_mm_max_epu8(in.v[k], e_), in.v[k]);
        const Block n1 = Next<1>(high), n2 = Next<2>(high);
        const Block p1 = Previous<1>(high), p2 = Previous<2>(high);
        Block kept;
        KELBO_UNROLL_BLOCK
        for (int k = 0; k < 3; ++k) {
            __m128i all = _mm_and_si128(high.v[k], _mm_or_si128(n1.v[k], next1Skip_.v[k]));
            all = _mm_and_si128(all, _mm_or_si128(n2.v[k], next2Skip_.v[k]));
            all = _mm_and_si128(all, _mm_or_si128(p1.v[k], previous1Skip_.v[k]));
            kept.v[k] = _mm_and_si128(all, _mm_or_si128(p2.v[k], previous2Skip_.v[k]));
        }
        return kept;
    }

private:
    __m128i e_;
    Block next1Skip_, next2Skip_, previous1Skip_, previous2Skip_;
};

// kept ? a : b per byte.
KELBO_VECTOR_INLINE Block Select(const Block& kept, const Block& a, const Block& b) {
    Block out;
    KELBO_UNROLL_BLOCK
    for (int k = 0; k < 3; ++k)
        out.v[k] = _mm_or_si128(_mm_and_si128(kept.v[k], a.v[k]), _mm_andnot_si128(kept.v[k], b.v[k]));
    return out;
}

#undef KELBO_VECTOR_INLINE
#undef KELBO_UNROLL_BLOCK
#endif  // __SSE2__

}  // namespace

void Negative(PixelView picture, Progress* progress) {
    RowProgress steps(progress, picture.Height());
    const std::size_t bytes = 3 * static_cast<std::size_t>(picture.Width());
    for (int y = 0; y < picture.Height(); ++y) {
        std::uint8_t* p = picture.Row(y);
        // 255 - b is ~b: eight bytes per step.
        std::size_t i = 0;
        for (; i + 8 <= bytes; i += 8) {
            std::uint64_t word;
            std::memcpy(&word, p + i, 8);
            word = ~word;
            std::memcpy(p + i, &word, 8);
        }
        for (; i < bytes; ++i) p[i] = static_cast<std::uint8_t>(255 - p[i]);
        steps.RowDone(y);
    }
}

namespace detail {

int FirstWrongDivisionBy100() {
    for (int x = 0; x <= kLargestHundredthsProduct; ++x) {
#if defined(__SSE2__)
        const int quotient = _mm_cvtsi128_si32(DivideBy100(_mm_set1_epi16(static_cast<short>(x)))) & 0xFFFF;
#else
        const int quotient = x / 100;
#endif
        if (quotient != x / 100) return x;
    }
    return -1;
}

void ChangeRgb(PixelView picture, const RgbChange& change, Progress* progress, bool vectors) {
    const Table red = ScaleTable(change.red);
    const Table green = ScaleTable(change.green);
    const Table blue = ScaleTable(change.blue);
    RowProgress steps(progress, picture.Height());
    // e above 255 changes every pixel, e of 0 or less none; the clamp keeps
    // 256 - range from overflowing.
    const int e = change.exceptWhite ? 256 - std::clamp(change.range, -1, 257) : 256;
    const int width = picture.Width();
#if defined(__SSE2__)
    const ChannelScaler scaler(change.blue, change.green, change.red, false);
    const WhiteTest white(std::clamp(e, 1, 255));
#endif
    for (int y = 0; y < picture.Height(); ++y) {
        int x = e <= 0 ? width : 0;
#if defined(__SSE2__)
        std::uint8_t* p = picture.Row(y);
        if (vectors && e > 255) {
            for (; x + 16 <= width; x += 16, p += 48) StoreBlock(p, scaler.Scale(LoadBlock(p)));
        } else if (vectors) {
            for (; x + 16 <= width; x += 16, p += 48) {
                const Block in = LoadBlock(p);
                StoreBlock(p, Select(white.Kept(in), in, scaler.Scale(in)));
            }
        }
#else
        (void)vectors;
#endif
        MapPixelsExcept(picture.Row(y), x, width, red, green, blue, e);
        steps.RowDone(y);
    }
}

void ChangeCmy(PixelView picture, const CmyChange& change, Progress* progress, bool vectors) {
    const Table cyan = ComplementScaleTable(change.cyan);
    const Table magenta = ComplementScaleTable(change.magenta);
    const Table yellow = ComplementScaleTable(change.yellow);
    RowProgress steps(progress, picture.Height());
    const int width = picture.Width();
#if defined(__SSE2__)
    const ChannelScaler scaler(change.yellow, change.magenta, change.cyan, true);
#endif
    for (int y = 0; y < picture.Height(); ++y) {
        std::uint8_t* p = picture.Row(y);
        int x = 0;
#if defined(__SSE2__)
        for (; vectors && x + 16 <= width; x += 16, p += 48) StoreBlock(p, scaler.Scale(LoadBlock(p)));
#else
        (void)vectors;
#endif
        for (; x < width; ++x, p += 3) {
            p[0] = yellow[p[0]];
            p[1] = magenta[p[1]];
            p[2] = cyan[p[2]];
        }
        steps.RowDone(y);
    }
}

void CorrectGamma(PixelView picture, const GammaTables& tables, Progress* progress, bool vectors) {
    ColumnShareProgress steps(progress, picture.Width(), picture.Height());
    if (!vectors || !row_bytes::Available()) return MapChannels(picture, tables.red, tables.green, tables.blue, steps);
    for (int y = 0; y < picture.Height(); ++y) {
        row_bytes::MapRow(picture.Row(y), picture.Width(), tables.blue.data(), tables.green.data(), tables.red.data());
        steps.RowDone(y);
    }
}

void GreyScale(PixelView picture, Progress* progress, bool vectors) {
    RowProgress steps(progress, picture.Height());
    const int width = picture.Width();
    const bool spread = vectors && row_bytes::Available();
    std::vector<std::uint8_t> grey(static_cast<std::size_t>(width));
    for (int y = 0; y < picture.Height(); ++y) {
        std::uint8_t* row = picture.Row(y);
        LuminanceRow(row, width, grey.data(), vectors);
        int x = spread ? row_bytes::SpreadGreys(grey.data(), width, row) : 0;
        std::uint8_t* p = row + 3 * static_cast<std::ptrdiff_t>(x);
        // Four bytes per pixel, the fourth overwritten by the next pixel; the
        // last pixel stops at its own three.
        for (; x + 1 < width; ++x, p += 3) {
            const std::uint32_t word = grey[x] * 0x010101u;
            std::memcpy(p, &word, 4);
        }
        if (x < width) p[0] = p[1] = p[2] = grey[x];
        steps.RowDone(y);
    }
}

}  // namespace detail

void ChangeRgb(PixelView picture, const RgbChange& change, Progress* progress) {
    detail::ChangeRgb(picture, change, progress, true);
}

void ChangeCmy(PixelView picture, const CmyChange& change, Progress* progress) {
    detail::ChangeCmy(picture, change, progress, true);
}

void GreyScale(PixelView picture, Progress* progress) { detail::GreyScale(picture, progress, true); }

GammaTables MakeGammaTables(const GammaCorrection& gamma) {
    return {GammaTable(gamma.red), GammaTable(gamma.green), GammaTable(gamma.blue)};
}

void CorrectGamma(PixelView picture, const GammaCorrection& gamma, Progress* progress) {
    detail::CorrectGamma(picture, MakeGammaTables(gamma), progress, true);
}

void CorrectGamma(PixelView picture, const GammaTables& tables, Progress* progress) {
    detail::CorrectGamma(picture, tables, progress, true);
}

// Every pixel is decided by its own luminance before any change, so walking
// rows gives what walking columns through the canvas gives.
void ApplyThreshold(PixelView picture, const Threshold& threshold, Progress* progress) {
    enum : std::uint8_t { kKeep, kLower, kUpper };
    std::array<std::uint8_t, 256> action{};
    for (int l = 0; l < 256; ++l) {
        if (threshold.start < l && l < threshold.breakPoint) {
            action[l] = kLower;
        } else if (threshold.breakPoint < l && l < threshold.end) {
            action[l] = kUpper;
        } else {
            action[l] = kKeep;
        }
    }
    const std::uint8_t bgr[3][3] = {{0, 0, 0},
                                    {BlueOf(threshold.lower), GreenOf(threshold.lower), RedOf(threshold.lower)},
                                    {BlueOf(threshold.upper), GreenOf(threshold.upper), RedOf(threshold.upper)}};
    ColumnShareProgress steps(progress, picture.Width(), picture.Height());
    const int width = picture.Width();
    std::vector<std::uint8_t> luminance(static_cast<std::size_t>(width));
    for (int y = 0; y < picture.Height(); ++y) {
        std::uint8_t* p = picture.Row(y);
        LuminanceRow(p, width, luminance.data());
        for (int x = 0; x < width; ++x, p += 3) {
            const std::uint8_t what = action[luminance[x]];
            if (what != kKeep) {
                p[0] = bgr[what][0];
                p[1] = bgr[what][1];
                p[2] = bgr[what][2];
            }
        }
        steps.RowDone(y);
    }
}

}  // namespace kelbo
