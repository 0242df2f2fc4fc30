// "Zvlnenie obrázku". The horizontal shift depends on the row only and the
// vertical one on the column only, so each sine is taken once per row or
// column. The sample is continuous in (u, v), so computing it in double
// changes it by far less than 1e-6; only a sum that close to a half, where
// the rounding could go either way, is computed again in extended precision.
#include <algorithm>
#include <cmath>
#include <stdexcept>
#include <string>
#include <vector>

#include "core/extended_precision.h"
#include "core/parallel.h"
#include "imaging/effects/cells.h"
#include "imaging/effects/effects.h"
#include "imaging/geometry/geometry_support.h"
#include "imaging/geometry/transforms.h"

namespace kelbo {
namespace {

void Check(const WaveOptions& o) {
    if (o.yPeriod == 0)
        throw std::invalid_argument("\"Os Y\" \"P&erióda\" is the period of the horizontal shift and cannot be 0");
    if (o.yAmplitude == 0)
        throw std::invalid_argument("\"Os Y\" \"A&mplitúda\" is the period of the vertical shift and cannot be 0");
}

// SampleCanvasBilinear's sample in double; false when its rounding is not certain.
bool SampleFast(ConstPixelView source, double u, double v, std::uint8_t* out) {
    const auto x0 = static_cast<int>(u);
    const auto y0 = static_cast<int>(v);
    const double fx = u - x0;
    const double fy = v - y0;
    const int x1 = x0 + 1 < source.Width() ? x0 + 1 : x0;
    const int y1 = y0 + 1 < source.Height() ? y0 + 1 : y0;
    const std::uint8_t* p00 = source.Row(y0) + 3 * x0;
    const std::uint8_t* p10 = source.Row(y0) + 3 * x1;
    const std::uint8_t* p01 = source.Row(y1) + 3 * x0;
    const std::uint8_t* p11 = source.Row(y1) + 3 * x1;
    const double w00 = (1.0 - fx) * (1.0 - fy);
    const double w10 = fx * (1.0 - fy);
    const double w01 = (1.0 - fx) * fy;
    const double w11 = fx * fy;
    int rounded[3];
    for (int ch = 0; ch < 3; ++ch) {
        const double sum = w00 * p00[ch] + w10 * p10[ch] + w01 * p01[ch] + w11 * p11[ch];
        const double whole = std::floor(sum);
        const double above = sum - whole;
        if (std::fabs(above - 0.5) < 1e-6) return false;
        rounded[ch] = static_cast<int>(whole) + (above > 0.5 ? 1 : 0);
    }
    for (int ch = 0; ch < 3; ++ch) out[ch] = static_cast<std::uint8_t>(rounded[ch]);
    return true;
}

// Target row y, in extended precision; downShift[x] is the vertical shift of
// column x, also in double.
void WaveRow(ConstPixelView source, std::uint8_t* out, int y, const std::vector<long double>& downShift,
             const std::vector<double>& downShiftFast, const WaveOptions& options) {
    const int width = source.Width();
    const long double lastColumn = width - 1;
    const long double lastRow = source.Height() - 1;
    const long double acrossShift = std::sin(static_cast<long double>(y) / options.yPeriod) * options.xPeriod;
    const auto acrossShiftFast = static_cast<double>(acrossShift);
    for (int x = 0; x < width; ++x, out += 3) {
        const double uFast = std::clamp(x - acrossShiftFast, 0.0, static_cast<double>(width - 1));
        const double vFast = std::clamp(y - downShiftFast[x], 0.0, static_cast<double>(lastRow));
        if (SampleFast(source, uFast, vFast, out)) continue;
        const long double u = std::clamp(x - acrossShift, 0.0L, lastColumn);
        const long double v = std::clamp(y - downShift[x], 0.0L, lastRow);
        const Color c = SampleCanvasBilinear(source, u, v);
        out[0] = BlueOf(c);
        out[1] = GreenOf(c);
        out[2] = RedOf(c);
    }
}

// The rows of `band`, told as progress through `shown` (then on one thread).
void FillWaves(ConstPixelView source, RowBand band, const WaveOptions& options, const ProgressScope& shown,
               int threads) {
    const int width = source.Width();
    if (source.Empty()) return;
    const ExtendedPrecisionScope scope;
    std::vector<long double> downShift(static_cast<std::size_t>(width));
    for (int x = 0; x < width; ++x)
        downShift[x] = std::sin(static_cast<long double>(x) / options.yAmplitude) * options.xAmplitude;
    const std::vector<double> downShiftFast(downShift.begin(), downShift.end());
    InParallelBands(band.rows.Height(), threads, [&](int first, int end) {
        const ExtendedPrecisionScope bandScope;  // Windows starts a thread at double precision
        for (int y = band.top + first; y < band.top + end; ++y) {
            WaveRow(source, band.Row(y), y, downShift, downShiftFast, options);
            shown.Set(y);
        }
    });
}

}  // namespace

void Waves(ConstPixelView source, PixelView target, const WaveOptions& options, Progress* progress, int threads) {
    Check(options);
    effect_cells::CheckCopyTarget(source, target, "Zvlnenie obrázku");
    const ProgressScope shown(progress, source.Height());
    // With progress the rows go in order on this thread, as the window shows them.
    FillWaves(source, {target, 0}, options, shown, progress ? 1 : threads);
}

void WavesRows(ConstPixelView source, RowBand band, const WaveOptions& options, int threads) {
    Check(options);
    geometry_support::CheckBand(source, band, {source.Width(), source.Height()}, "Zvlnenie obrázku");
    FillWaves(source, band, options, ProgressScope(nullptr, 0), threads);
}

Bitmap24 Waves(ConstPixelView source, const WaveOptions& options, Progress* progress, int threads) {
    Bitmap24 result(source.Width(), source.Height());
    Waves(source, result.View(), options, progress, threads);
    return result;
}

}  // namespace kelbo
