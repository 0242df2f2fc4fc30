// Shear by whole percentages. The factors are hundredths, so the positions
// x + kx·y and the bilinear weights are exact in integers: a sample in
// hundredths of a pixel, weights over 100 · 100, one rounding.
#include <algorithm>
#include <cstring>
#include <stdexcept>

#include "core/parallel.h"
#include "imaging/geometry/geometry_support.h"
#include "imaging/geometry/transforms.h"

namespace kelbo {
namespace {

using geometry_support::CheckTarget;
using geometry_support::RoundQuotient;

constexpr int kBandColumns = 10;

// 50 % shears by 51 %, each factor by itself.
std::int64_t Hundredths(int percent) { return percent == 50 ? 51 : percent; }

// A position in hundredths as a whole pixel and hundredths 0..99 (floored).
struct SplitPosition {
    std::int64_t whole;
    int fraction;
};
SplitPosition Split(std::int64_t hundredths) {
    std::int64_t whole = hundredths / 100;
    std::int64_t fraction = hundredths - 100 * whole;
    if (fraction < 0) {
        --whole;
        fraction += 100;
    }
    return {whole, static_cast<int>(fraction)};
}

// sum / 10000 to the nearest integer, halves to even, for a weighted sum of bytes.
std::uint8_t RoundTenThousandths(unsigned sum) {
    unsigned q = (sum + 5000) / 10000;
    if (q * 10000 == sum + 5000 && (q & 1) != 0) --q;  // a half, rounded up to odd
    return static_cast<std::uint8_t>(q);
}

}  // namespace

ResultBox ShearedBox(Size picture, const ShearOptions& options) {
    const std::int64_t kx = Hundredths(options.alongX);
    const std::int64_t ky = Hundredths(options.alongY);
    const std::int64_t w = picture.width;
    const std::int64_t h = picture.height;
    geometry_support::Extents extents;
    for (const auto& [x, y] : {std::pair{std::int64_t{0}, std::int64_t{0}}, {w, 0}, {w, h}, {0, h}}) {
        extents.Add(RoundQuotient(100 * x + kx * y, 100), RoundQuotient(100 * y + ky * x, 100));
    }
    return extents.Box("Skosenie obrázku");
}

namespace {

// Fills `band` of the shear's result of `box`, with progress through
// `shown` or else on `threads` threads.
void FillShear(ConstPixelView source, RowBand band, const ShearOptions& options, const ResultBox& box,
               const ProgressScope* shown, int threads) {
    const Size picture{source.Width(), source.Height()};
    const std::int64_t kx = Hundredths(options.alongX);
    const std::int64_t ky = Hundredths(options.alongY);
    const std::int64_t ox = box.left + box.size.width - picture.width;
    const std::int64_t oy = box.top + box.size.height - picture.height;
    // Along a row sx grows by 100 and sy by ky: the column moves one pixel
    // with its fraction fixed, the row and its fraction step by ky.
    const auto fill = [&](int first, int end, int top, int bottom) {
        // Locals, which the byte stores below cannot alias.
        const std::uint8_t* const pixels = source.Row(0);
        const std::ptrdiff_t stride = source.Stride();
        const std::int64_t lastColumn = picture.width - 1, lastRow = picture.height - 1;
        const std::int64_t rowStep = ky / 100;
        const int fractionStep = static_cast<int>(ky % 100);
        const std::uint8_t background[3] = {BlueOf(options.background), GreenOf(options.background),
                                            RedOf(options.background)};
        for (int j = top; j < bottom; ++j) {
            const std::int64_t x = first - ox, y = j - oy;
            const SplitPosition columnAt = Split(100 * x + kx * y), rowAt = Split(100 * y + ky * x);
            const unsigned a = static_cast<unsigned>(columnAt.fraction);
            std::int64_t c = columnAt.whole, r = rowAt.whole;
            int b = rowAt.fraction;
            std::uint8_t* out = band.Row(j) + 3 * first;
            for (int i = first; i < end; ++i, ++c, out += 3) {
                if (c >= 0 && c < lastColumn && r >= 0 && r < lastRow) {
                    const std::uint8_t* p00 = pixels + r * stride + 3 * c;
                    const std::uint8_t* p01 = p00 + stride;
                    const unsigned ub = static_cast<unsigned>(b);
                    const unsigned w00 = (100 - a) * (100 - ub), w10 = a * (100 - ub);
                    const unsigned w01 = (100 - a) * ub, w11 = a * ub;
                    for (int ch = 0; ch < 3; ++ch) {
                        out[ch] = RoundTenThousandths(w00 * p00[ch] + w10 * p00[3 + ch] + w01 * p01[ch] +
                                                      w11 * p01[3 + ch]);
                    }
                } else {
                    std::memcpy(out, background, 3);
                }
                r += rowStep;
                b += fractionStep;
                if (b >= 100) {
                    b -= 100;
                    ++r;
                }
            }
        }
    };
    if (shown) return geometry_support::InColumnBands(box.size, kBandColumns, box.size.height, *shown, fill);
    const int tileRows = (band.rows.Height() + kRowTileSide - 1) / kRowTileSide;
    InParallelBands(tileRows, threads, [&](int first, int end) {
        geometry_support::InTiles(box.size.width, band.top + first * kRowTileSide,
                                  std::min(band.top + end * kRowTileSide, band.End()), kRowTileSide, fill);
    });
}

}  // namespace

void Shear(ConstPixelView source, PixelView target, const ShearOptions& options, Progress* progress, int threads) {
    if (!progress) return ShearRows(source, {target, 0}, options, threads);
    const ResultBox box = ShearedBox({source.Width(), source.Height()}, options);
    CheckTarget(source, target, box.size, "Skosenie obrázku");
    const ProgressScope shown(progress, box.size.width - 1);
    FillShear(source, {target, 0}, options, box, &shown, 1);
}

void ShearRows(ConstPixelView source, RowBand band, const ShearOptions& options, int threads) {
    const ResultBox box = ShearedBox({source.Width(), source.Height()}, options);
    geometry_support::CheckBand(source, band, box.size, "Skosenie obrázku");
    FillShear(source, band, options, box, nullptr, threads);
}

Bitmap24 Shear(ConstPixelView source, const ShearOptions& options, Progress* progress, int threads) {
    const Size size = ShearedBox({source.Width(), source.Height()}, options).size;
    Bitmap24 result(size.width, size.height);
    Shear(source, result.View(), options, progress, threads);
    return result;
}

namespace {

ShearOptions EarthquakeShear(const EarthquakeOptions& options) {
    for (const int percent : {options.changeX, options.changeY}) {
        if (percent < 0 || percent > 100)
            throw std::invalid_argument("Efekt \"zemetrasenie\": the changes must lie in 0..100 percent");
    }
    return {options.changeX, options.changeY, options.background};
}

}  // namespace

Size EarthquakeSize(Size picture, const EarthquakeOptions& options) {
    return ShearedBox(picture, EarthquakeShear(options)).size;
}

namespace {

// The blend of the earthquake over the sheared rows of `band`, of a result
// of `size`.
void BlendEarthquake(ConstPixelView source, RowBand band, const ShearOptions& shear, Size size,
                     const EarthquakeOptions& options, int threads) {
    const int w = source.Width();
    const int h = source.Height();
    const std::int64_t kx = Hundredths(shear.alongX);
    const std::int64_t ky = Hundredths(shear.alongY);
    const std::int64_t ox = size.width - w;
    const std::int64_t oy = size.height - h;
    const std::int64_t endX = 100 * (std::int64_t{w} - 1);
    const std::int64_t endY = 100 * (std::int64_t{h} - 1);
    const std::uint8_t background[3] = {BlueOf(options.background), GreenOf(options.background),
                                        RedOf(options.background)};
    InParallelBands(band.rows.Height(), threads, [&](int first, int end) {
        for (int j = band.top + first; j < band.top + end; ++j) {
            const std::int64_t y = j - oy;
            std::uint8_t* out = band.Row(j);
            const std::uint8_t* own = j < h ? source.Row(j) : nullptr;
            for (int i = 0; i < size.width; ++i, out += 3) {
                const std::int64_t x = i - ox;
                const std::int64_t sx = 100 * x + kx * y;
                const std::int64_t sy = 100 * y + ky * x;
                if (sx < 0 || sx >= endX || sy < 0 || sy >= endY) continue;  // the shear left the background
                const std::uint8_t* c2 = own && i < w ? own + 3 * static_cast<std::ptrdiff_t>(i) : background;
                for (int ch = 0; ch < 3; ++ch) out[ch] = static_cast<std::uint8_t>((out[ch] + c2[ch]) / 2);
            }
        }
    });
}

}  // namespace

void Earthquake(ConstPixelView source, PixelView target, const EarthquakeOptions& options, Progress* progress,
                int threads) {
    if (!progress) return EarthquakeRows(source, {target, 0}, options, threads);
    const ShearOptions shear = EarthquakeShear(options);
    Shear(source, target, shear, progress, 1);
    BlendEarthquake(source, {target, 0}, shear, {target.Width(), target.Height()}, options, 1);
}

void EarthquakeRows(ConstPixelView source, RowBand band, const EarthquakeOptions& options, int threads) {
    const ShearOptions shear = EarthquakeShear(options);
    ShearRows(source, band, shear, threads);
    BlendEarthquake(source, band, shear, ShearedBox({source.Width(), source.Height()}, shear).size, options, threads);
}

Bitmap24 Earthquake(ConstPixelView source, const EarthquakeOptions& options, Progress* progress, int threads) {
    const Size size = EarthquakeSize({source.Width(), source.Height()}, options);
    Bitmap24 result(size.width, size.height);
    Earthquake(source, result.View(), options, progress, threads);
    return result;
}

}  // namespace kelbo
