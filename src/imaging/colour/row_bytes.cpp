// A table of 256 bytes is four registers of 64: two byte permutes look up
// the low and the high half, bit 7 picks between them. The channels of 64
// bytes of a row repeat every three bytes, and 64 bytes move that pattern on
// by one, so three masks per phase say which table each byte takes.
#include "imaging/colour/row_bytes.h"

#include <algorithm>
#include <array>
#include <cstddef>

#if (defined(__x86_64__) || defined(__i386__)) && defined(__GNUC__)
#include <immintrin.h>
#define KELBO_ROW_BYTES_VBMI 1
#endif

namespace kelbo::row_bytes {

#ifdef KELBO_ROW_BYTES_VBMI
namespace {

#define KELBO_VBMI __attribute__((target("avx512f,avx512bw,avx512vbmi")))

struct Registers {
    __m512i quarter[4];
};

KELBO_VBMI inline Registers Load(const std::uint8_t* table) {
    Registers r;
    for (int i = 0; i < 4; ++i) r.quarter[i] = _mm512_loadu_si512(table + 64 * i);
    return r;
}

KELBO_VBMI inline __m512i Look(const Registers& t, __m512i bytes, __mmask64 high) {
    const __m512i low = _mm512_permutex2var_epi8(t.quarter[0], bytes, t.quarter[1]);
    const __m512i upper = _mm512_permutex2var_epi8(t.quarter[2], bytes, t.quarter[3]);
    return _mm512_mask_blend_epi8(high, low, upper);
}

// Bit j of kChannel[phase][c]: byte j of a block whose first byte is channel
// `phase` belongs to channel c.
constexpr std::array<std::array<std::uint64_t, 3>, 3> ChannelMasks() {
    std::array<std::array<std::uint64_t, 3>, 3> masks{};
    for (int phase = 0; phase < 3; ++phase) {
        for (int j = 0; j < 64; ++j) masks[phase][(phase + j) % 3] |= std::uint64_t{1} << j;
    }
    return masks;
}
constexpr auto kChannel = ChannelMasks();

// Byte j of the k-th 64 bytes of 64 pixels is pixel (64 k + j) div 3's.
constexpr std::array<std::array<std::uint8_t, 64>, 3> SpreadIndices() {
    std::array<std::array<std::uint8_t, 64>, 3> indices{};
    for (int k = 0; k < 3; ++k) {
        for (int j = 0; j < 64; ++j) indices[k][j] = static_cast<std::uint8_t>((64 * k + j) / 3);
    }
    return indices;
}
constexpr auto kSpread = SpreadIndices();

}  // namespace

bool Available() {
    static const bool vbmi = __builtin_cpu_supports("avx512f") && __builtin_cpu_supports("avx512bw") &&
                             __builtin_cpu_supports("avx512vbmi");
    return vbmi;
}

KELBO_VBMI void MapRow(std::uint8_t* row, int width, const std::uint8_t* blue, const std::uint8_t* green,
                       const std::uint8_t* red) {
    const Registers b = Load(blue), g = Load(green), r = Load(red);
    const std::size_t bytes = 3 * static_cast<std::size_t>(std::max(width, 0));
    int phase = 0;
    for (std::size_t at = 0; at < bytes; at += 64, phase = (phase + 1) % 3) {
        const std::size_t count = std::min<std::size_t>(64, bytes - at);
        // Masked loads and stores go no further than the row.
        const __mmask64 live = count == 64 ? ~__mmask64{0} : (__mmask64{1} << count) - 1;
        const __m512i in = _mm512_maskz_loadu_epi8(live, row + at);
        const __mmask64 high = _mm512_movepi8_mask(in);
        __m512i out = Look(r, in, high);
        out = _mm512_mask_blend_epi8(kChannel[phase][1], out, Look(g, in, high));
        out = _mm512_mask_blend_epi8(kChannel[phase][0], out, Look(b, in, high));
        _mm512_mask_storeu_epi8(row + at, live, out);
    }
}

KELBO_VBMI int SpreadGreys(const std::uint8_t* grey, int width, std::uint8_t* row) {
    __m512i spread[3];
    for (int k = 0; k < 3; ++k) spread[k] = _mm512_loadu_si512(kSpread[k].data());
    int x = 0;
    for (; x + 64 <= width; x += 64) {
        const __m512i greys = _mm512_loadu_si512(grey + x);
        std::uint8_t* p = row + 3 * static_cast<std::size_t>(x);
        for (int k = 0; k < 3; ++k) _mm512_storeu_si512(p + 64 * k, _mm512_permutex2var_epi8(greys, spread[k], greys));
    }
    return x;
}

#else

bool Available() { return false; }
int SpreadGreys(const std::uint8_t*, int, std::uint8_t*) { return 0; }
void MapRow(std::uint8_t*, int, const std::uint8_t*, const std::uint8_t*, const std::uint8_t*) {}

#endif

}  // namespace kelbo::row_bytes
