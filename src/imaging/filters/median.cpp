// Horizontal median over packed pixels. Where the processor has AVX2, the
// columns whose window is whole go eight at a time through a network of
// minima and maxima that leaves the middle value in place. The others (and
// every column without AVX2) keep the window sorted, one value leaving and
// one entering per column; the value at index (count - 1) div 2 is the same
// as after a full sort.
#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <utility>
#include <vector>

#include "imaging/filters/filters.h"
#include "imaging/filters/filter_support.h"

#if (defined(__x86_64__) || defined(__i386__)) && defined(__GNUC__)
#include <immintrin.h>
#define KELBO_MEDIAN_AVX2 1
#endif

namespace kelbo {
namespace {

// B*65536 + G*256 + R: ordered by blue, then green, then red.
inline std::uint32_t Pack(const std::uint8_t* p) {
    return (static_cast<std::uint32_t>(p[0]) << 16) | (static_cast<std::uint32_t>(p[1]) << 8) | p[2];
}

class SortedWindow {
public:
    void Insert(std::uint32_t value) {
        std::uint32_t* end = values_.data() + count_;
        std::uint32_t* at = std::upper_bound(values_.data(), end, value);
        std::copy_backward(at, end, end + 1);
        *at = value;
        ++count_;
    }
    // The value is always present: it entered the window earlier.
    void Remove(std::uint32_t value) {
        std::uint32_t* end = values_.data() + count_;
        std::uint32_t* at = std::lower_bound(values_.data(), end, value);
        std::copy(at + 1, end, at);
        --count_;
    }
    // Remove(leaving) then Insert(entering) in one pass: the slot of the
    // leaving value takes the entering one, which then moves to its place.
    void Replace(std::uint32_t leaving, std::uint32_t entering) {
        std::uint32_t* first = values_.data();
        std::uint32_t* last = first + count_ - 1;
        std::uint32_t* at = std::lower_bound(first, last + 1, leaving);
        while (at < last && at[1] < entering) {
            at[0] = at[1];
            ++at;
        }
        while (at > first && at[-1] > entering) {
            at[0] = at[-1];
            --at;
        }
        *at = entering;
    }
    // The middle of an odd count, the lower middle of an even one.
    std::uint32_t LowerMiddle() const { return values_[static_cast<std::size_t>((count_ - 1) / 2)]; }

private:
    std::array<std::uint32_t, 2 * kMaxMedianRadius + 1> values_{};
    int count_ = 0;
};

void Unpack(std::uint32_t median, std::uint8_t* p) {
    p[0] = static_cast<std::uint8_t>(median >> 16);
    p[1] = static_cast<std::uint8_t>(median >> 8);
    p[2] = static_cast<std::uint8_t>(median);
}

// Columns [from, to) through the sorted window, built for column `from`.
void SlideWindow(const std::vector<std::uint32_t>& packed, std::uint8_t* out, int width, int radius, int from, int to) {
    SortedWindow window;
    for (int x = std::max(0, from - radius); x <= std::min(from + radius, width - 1); ++x) window.Insert(packed[x]);
    for (int x = from; x < to; ++x) {
        Unpack(window.LowerMiddle(), out + 3 * x);
        const bool leaves = x - radius >= 0;
        const bool enters = x + radius + 1 < width;
        if (leaves && enters) {
            window.Replace(packed[x - radius], packed[x + radius + 1]);
        } else if (leaves) {
            window.Remove(packed[x - radius]);
        } else if (enters) {
            window.Insert(packed[x + radius + 1]);
        }
    }
}

using Network = std::vector<std::pair<std::uint8_t, std::uint8_t>>;

// Compare-exchanges (smaller value to the first index) that leave the
// middle of n values at index (n - 1) / 2: Batcher's odd-even merge sort,
// whose exchanges beyond n would only meet values above all the others,
// pruned to those that reach the middle.
Network MiddleNetwork(int n) {
    Network sort;
    for (int p = 1; p < n; p <<= 1) {
        for (int k = p; k >= 1; k >>= 1) {
            for (int j = k % p; j + k < n; j += 2 * k) {
                for (int i = 0; i < std::min(k, n - j - k); ++i) {
                    if ((i + j) / (2 * p) == (i + j + k) / (2 * p)) sort.emplace_back(i + j, i + j + k);
                }
            }
        }
    }
    std::vector<bool> needed(static_cast<std::size_t>(n), false);
    needed[static_cast<std::size_t>((n - 1) / 2)] = true;
    Network middle;
    for (auto it = sort.rbegin(); it != sort.rend(); ++it) {
        if (!needed[it->first] && !needed[it->second]) continue;
        needed[it->first] = needed[it->second] = true;
        middle.push_back(*it);
    }
    std::reverse(middle.begin(), middle.end());
    return middle;
}

#ifdef KELBO_MEDIAN_AVX2
// Columns from `from` on, eight at a time while their windows are whole:
// lane i of value j is packed[x + i - radius + j]. Returns where it stopped.
__attribute__((target("avx2"))) int MiddlesAvx2(const std::uint32_t* packed, std::uint8_t* out, int width, int radius,
                                                const Network& network, int from) {
    const int n = 2 * radius + 1;
    // Unaligned loads and stores only: 64-bit Windows keeps its stack at 16 bytes.
    std::uint32_t lanes[2 * kMaxMedianRadius + 1][8];
    int x = from;
    for (; x + 7 + radius < width; x += 8) {
        for (int j = 0; j < n; ++j) std::memcpy(lanes[j], packed + x - radius + j, sizeof lanes[j]);
        for (const auto& [a, b] : network) {
            const __m256i first = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(lanes[a]));
            const __m256i second = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(lanes[b]));
            // Packed values stay below 2^24, so signed comparisons order them.
            _mm256_storeu_si256(reinterpret_cast<__m256i*>(lanes[a]), _mm256_min_epi32(first, second));
            _mm256_storeu_si256(reinterpret_cast<__m256i*>(lanes[b]), _mm256_max_epi32(first, second));
        }
        for (int i = 0; i < 8; ++i) Unpack(lanes[radius][i], out + 3 * (x + i));
    }
    return x;
}
#endif

void MedianRow(const std::uint8_t* in, std::uint8_t* out, int width, int radius, std::vector<std::uint32_t>& packed,
               const Network& network) {
    for (int x = 0; x < width; ++x) packed[static_cast<std::size_t>(x)] = Pack(in + 3 * x);
    int wholeFrom = std::min(radius, width);  // the first column whose window is whole
#ifdef KELBO_MEDIAN_AVX2
    static const bool avx2 = __builtin_cpu_supports("avx2");
    if (avx2 && wholeFrom + 7 + radius < width) {
        SlideWindow(packed, out, width, radius, 0, wholeFrom);
        wholeFrom = MiddlesAvx2(packed.data(), out, width, radius, network, wholeFrom);
        return SlideWindow(packed, out, width, radius, wholeFrom, width);
    }
#endif
    (void)network;
    SlideWindow(packed, out, width, radius, 0, width);
}

}  // namespace

void Median(ConstPixelView source, PixelView target, int radius, Progress* progress) {
    filter_support::CheckTarget(source, target);
    const ProgressScope scope(progress, source.Height() - 1);
    if (radius <= 0 || radius > kMaxMedianRadius || source.Empty()) {
        return CopyPixels(target, source);
    }
    const int width = source.Width();
    std::vector<std::uint32_t> packed(static_cast<std::size_t>(width));
    const Network network = MiddleNetwork(2 * radius + 1);
    for (int y = 0; y < source.Height(); ++y) {
        MedianRow(source.Row(y), target.Row(y), width, radius, packed, network);
        scope.Set(y);
    }
}

Bitmap24 Median(ConstPixelView source, int radius, Progress* progress) {
    Bitmap24 result(source.Width(), source.Height());
    Median(source, result.View(), radius, progress);
    return result;
}

}  // namespace kelbo
