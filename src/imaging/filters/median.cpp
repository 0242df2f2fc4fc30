// Horizontal median over packed pixels. Instead of sorting every window,
// the window is kept sorted and one value leaves and one enters per column;
// the value at index (count - 1) div 2 is the same as after a full sort.
#include <algorithm>
#include <array>
#include <cstdint>
#include <vector>

#include "imaging/filters/filters.h"
#include "imaging/filters/filter_support.h"

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

void MedianRow(const std::uint8_t* in, std::uint8_t* out, int width, int radius, std::vector<std::uint32_t>& packed) {
    for (int x = 0; x < width; ++x) packed[static_cast<std::size_t>(x)] = Pack(in + 3 * x);
    SortedWindow window;
    for (int x = 0; x <= std::min(radius, width - 1); ++x) window.Insert(packed[x]);
    for (int x = 0; x < width; ++x) {
        const std::uint32_t median = window.LowerMiddle();
        std::uint8_t* p = out + 3 * x;
        p[0] = static_cast<std::uint8_t>(median >> 16);
        p[1] = static_cast<std::uint8_t>(median >> 8);
        p[2] = static_cast<std::uint8_t>(median);
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

}  // namespace

void Median(ConstPixelView source, PixelView target, int radius, Progress* progress) {
    filter_support::CheckTarget(source, target);
    const ProgressScope scope(progress, source.Height() - 1);
    if (radius <= 0 || radius > kMaxMedianRadius || source.Empty()) {
        return CopyPixels(target, source);
    }
    const int width = source.Width();
    std::vector<std::uint32_t> packed(static_cast<std::size_t>(width));
    for (int y = 0; y < source.Height(); ++y) {
        MedianRow(source.Row(y), target.Row(y), width, radius, packed);
        scope.Set(y);
    }
}

Bitmap24 Median(ConstPixelView source, int radius, Progress* progress) {
    Bitmap24 result(source.Width(), source.Height());
    Median(source, result.View(), radius, progress);
    return result;
}

}  // namespace kelbo
