#include "imaging/filters/combine.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <stdexcept>

#include "core/extended_precision.h"
#include "core/luminance.h"

namespace kelbo {
namespace {

using ChannelTable = std::array<std::uint8_t, 256 * 256>;

// Every per-channel method as a table of (A, B), built once per call.
ChannelTable TableOf(CombineMethod method) {
    ChannelTable table{};
    for (int a = 0; a < 256; ++a) {
        for (int b = 0; b < 256; ++b) {
            int v = 0;
            switch (method) {
            case CombineMethod::kAdd: v = std::min(255, a + b); break;
            case CombineMethod::kSubtract: v = std::max(0, a - b); break;
            case CombineMethod::kDifference: v = std::abs(a - b); break;
            case CombineMethod::kAnd: v = a & b; break;
            case CombineMethod::kOr: v = a | b; break;
            case CombineMethod::kAverage: v = (a + b) / 2; break;
            case CombineMethod::kDarker:
            case CombineMethod::kLighter: break;  // whole colours, not per channel
            }
            table[a * 256 + b] = static_cast<std::uint8_t>(v);
        }
    }
    return table;
}

// The rows of the common size, `pixel(a, b, out, width)` on each pair of rows.
template <typename RowOp>
Bitmap24 PairRows(ConstPixelView a, ConstPixelView b, Progress* progress, RowOp rowOp) {
    if (a.Empty() || b.Empty()) throw std::invalid_argument("two pictures with pixels are needed");
    const Size size = CommonSize(a, b);
    Bitmap24 out(size.width, size.height);
    const ProgressScope shown(progress, size.height - 1);
    for (int y = 0; y < size.height; ++y) {
        rowOp(a.Row(y), b.Row(y), out.Row(y), size.width);
        shown.Set(y);
    }
    return out;
}

// Inside an ExtendedPrecisionScope.
std::uint8_t MixInScope(long double weight, int a, int b) {
    return static_cast<std::uint8_t>(RoundInScope(weight * a + (1 - weight) * b));
}

void CheckAlpha(int alpha) {
    if (alpha < 0 || alpha > 255) throw std::invalid_argument("the alpha is 0 to 255");
}

}  // namespace

Size CommonSize(ConstPixelView a, ConstPixelView b) {
    return {std::min(a.Width(), b.Width()), std::min(a.Height(), b.Height())};
}

Bitmap24 Combine(ConstPixelView a, ConstPixelView b, CombineMethod method, Progress* progress) {
    if (method == CombineMethod::kDarker || method == CombineMethod::kLighter) {
        const bool darker = method == CombineMethod::kDarker;
        return PairRows(a, b, progress,
                        [darker](const std::uint8_t* pa, const std::uint8_t* pb, std::uint8_t* out, int width) {
                            for (int x = 0; x < width; ++x, pa += 3, pb += 3, out += 3) {
                                const bool aDarker = Luminance(pa[2], pa[1], pa[0]) < Luminance(pb[2], pb[1], pb[0]);
                                const std::uint8_t* take = (aDarker == darker) ? pa : pb;
                                std::copy_n(take, 3, out);
                            }
                        });
    }
    const ChannelTable table = TableOf(method);
    return PairRows(a, b, progress,
                    [&table](const std::uint8_t* pa, const std::uint8_t* pb, std::uint8_t* out, int width) {
                        for (int i = 0; i < 3 * width; ++i) out[i] = table[pa[i] * 256 + pb[i]];
                    });
}

std::uint8_t AlphaMixChannel(std::uint8_t a, std::uint8_t b, int alpha) {
    CheckAlpha(alpha);
    const ExtendedPrecisionScope extended;
    return MixInScope(static_cast<long double>(alpha) / 255, a, b);
}

Bitmap24 AlphaMix(ConstPixelView a, ConstPixelView b, int alpha, Progress* progress) {
    CheckAlpha(alpha);
    ChannelTable table{};
    {
        const ExtendedPrecisionScope extended;
        const long double weight = static_cast<long double>(alpha) / 255;
        for (int x = 0; x < 256; ++x)
            for (int y = 0; y < 256; ++y) table[x * 256 + y] = MixInScope(weight, x, y);
    }
    return PairRows(a, b, progress,
                    [&table](const std::uint8_t* pa, const std::uint8_t* pb, std::uint8_t* out, int width) {
                        for (int i = 0; i < 3 * width; ++i) out[i] = table[pa[i] * 256 + pb[i]];
                    });
}

std::vector<int> AlphaSequence(int count, int start, int end) {
    if (count <= 0 || count > 255) throw std::invalid_argument("Počet obrázkov postupnosti musí byť 1 až 255.");
    const int step = (end - start) / count;
    std::vector<int> alphas;
    for (int k = 0; k < count; ++k) alphas.push_back(static_cast<std::uint8_t>(start + k * step));
    return alphas;
}

}  // namespace kelbo
