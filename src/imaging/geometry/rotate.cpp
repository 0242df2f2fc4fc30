// Rotation by whole degrees, sampled bilinearly in extended precision.
#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "core/extended_precision.h"
#include "core/parallel.h"
#include "imaging/geometry/geometry_support.h"
#include "imaging/geometry/transforms.h"
#include "imaging/geometry/turn.h"

namespace kelbo {
namespace {

using geometry_support::CheckTarget;
using geometry_support::PutColor;

// With progress the target is filled in bands of this many columns, each
// from its top row to its bottom one, so the columns left of a band are done
// when its progress is told. Without, in square tiles row after row, whose
// samples lie in a small patch of the source that stays in the cache.
constexpr int kBandColumns = 10;

// One channel of the weighted sum, in the order of the formula.
inline std::uint8_t Blend(long double w00, long double w10, long double w01, long double w11, const std::uint8_t* p00,
                          const std::uint8_t* p10, const std::uint8_t* p01, const std::uint8_t* p11, int channel) {
    const long double sum = w00 * p00[channel] + w10 * p10[channel] + w01 * p01[channel] + w11 * p11[channel];
    return static_cast<std::uint8_t>(RoundInScope(sum));
}

// SampleCanvasBilinear's body, inside an ExtendedPrecisionScope.
inline void SampleInto(ConstPixelView picture, long double sx, long double sy, std::uint8_t* out) {
    const std::int64_t c = FloorInScope(sx);
    const std::int64_t r = FloorInScope(sy);
    const long double fx = sx - static_cast<long double>(c);
    const long double fy = sy - static_cast<long double>(r);
    const std::int64_t c1 = c + 1 < picture.Width() ? c + 1 : c;
    const std::int64_t r1 = r + 1 < picture.Height() ? r + 1 : r;
    const std::uint8_t* row0 = picture.Row(static_cast<int>(r));
    const std::uint8_t* row1 = picture.Row(static_cast<int>(r1));
    const std::uint8_t* p00 = row0 + 3 * c;
    const std::uint8_t* p10 = row0 + 3 * c1;
    const std::uint8_t* p01 = row1 + 3 * c;
    const std::uint8_t* p11 = row1 + 3 * c1;
    const long double w00 = (1.0L - fx) * (1.0L - fy);
    const long double w10 = fx * (1.0L - fy);
    const long double w01 = (1.0L - fx) * fy;
    const long double w11 = fx * fy;
    for (int ch = 0; ch < 3; ++ch) out[ch] = Blend(w00, w10, w01, w11, p00, p10, p01, p11, ch);
}

// The source positions of the new pixels, in two precisions. The long double
// products are the program's; SampleExact uses them as its steps do. Their
// rounded double copies make FillRow's fast samples, which decide a pixel
// only when no rounding of either precision can change the decision (inside
// or not, which way a channel rounds), and hand it to SampleExact otherwise.
// Both give the same picture; the fast one in a fraction of the time.
class RotationGrid {
public:
    RotationGrid(ConstPixelView source, const ResultBox& box, const TurnAngle& angle, const RotationOptions& options)
        : source_(source),
          background_(options.background),
          cx_(options.centreX),
          cy_(options.centreY),
          lastX_(source.Width() - 1),
          lastY_(source.Height() - 1) {
        PutColor(backgroundBgr_, background_);
        const ExtendedPrecisionScope scope;
        // The products of the pixel form depend on one coordinate each: made once.
        for (int i = 0; i < box.size.width; ++i) {
            const long double dx = static_cast<long double>(i + box.left) - cx_;
            cosDx_.push_back(angle.cos * dx);
            sinDx_.push_back(angle.sin * dx);
        }
        for (int j = 0; j < box.size.height; ++j) {
            const long double dy = static_cast<long double>(j + box.top) - cy_;
            sinDy_.push_back(angle.sin * dy);
            cosDy_.push_back(angle.cos * dy);
        }
        cosDxFast_.assign(cosDx_.begin(), cosDx_.end());
        sinDxFast_.assign(sinDx_.begin(), sinDx_.end());
        sinDyFast_.assign(sinDy_.begin(), sinDy_.end());
        cosDyFast_.assign(cosDy_.begin(), cosDy_.end());
    }

    // The program's steps; inside an ExtendedPrecisionScope.
    void SampleExact(int i, int j, std::uint8_t* out) const {
        const long double sx = cosDx_[i] - sinDy_[j] + cx_;
        const long double sy = sinDx_[i] + cosDy_[j] + cy_;
        if (sx >= 0.0L && sx < lastX_ && sy >= 0.0L && sy < lastY_) {
            SampleInto(source_, sx, sy, out);
        } else {
            PutColor(out, background_);
        }
    }

    // Pixels first..end - 1 of row j, from `out` on; inside an ExtendedPrecisionScope.
    void FillRow(int j, int first, int end, std::uint8_t* out) const {
        const double sinDy = sinDyFast_[j];
        const double cosDy = cosDyFast_[j];
        const double cx = static_cast<double>(cx_);
        const double cy = static_cast<double>(cy_);
        const double insideX = lastX_ - kSnap, outsideX = lastX_ + kSnap;
        const double insideY = lastY_ - kSnap, outsideY = lastY_ + kSnap;
        for (int i = first; i < end; ++i, out += 3) {
            const double sx = cosDxFast_[i] - sinDy + cx;
            const double sy = sinDxFast_[i] + cosDy + cy;
            if (sx >= kSnap && sx <= insideX && sy >= kSnap && sy <= insideY) {
                if (BlendSingle(sx, sy, out) || BlendDouble(sx, sy, out)) continue;
            } else if (sx < -kSnap || sx >= outsideX || sy < -kSnap || sy >= outsideY) {
                std::memcpy(out, backgroundBgr_, 3);
                continue;
            }
            SampleExact(i, j, out);
        }
    }

private:
    // A double position differs from the program's long double one by less
    // than 2e-10 (magnitudes below 2^19, four roundings of 2^-53 relative),
    // so beyond kSnap of 0 and of the last column or row the inside test
    // cannot turn. The bilinear sum is continuous in the position and moves
    // by at most 255 per pixel of it, so whichever cell either precision
    // takes near a whole number, the two sums differ by less than 1e-7: a
    // channel within kTieMargin of a half is unsure. In single precision the
    // weights are off by up to 2^-25 and the eight roundings of the sum by up
    // to 2^-16 each, which reach the result at most ten times over: together
    // below 2e-4, so there kSingleTieMargin.
    static constexpr double kSnap = 1e-9;
    static constexpr double kTieMargin = 1e-5;
    static constexpr float kSingleTieMargin = 1e-3f;

    // The sum of all three channels at once in single precision; false, with
    // `out` untouched, when a channel is too close to a half.
    bool BlendSingle(double sx, double sy, std::uint8_t* out) const {
#if defined(__SSE2__)
        const int c = static_cast<int>(sx);
        const int r = static_cast<int>(sy);
        const __m128 fx = _mm_set1_ps(static_cast<float>(sx - c));
        const __m128 fy = _mm_set1_ps(static_cast<float>(sy - r));
        const std::uint8_t* p00 = source_.Row(r) + 3 * c;
        const __m128i zero = _mm_setzero_si128();
        // Blue, green, red of a pixel and of its right neighbour in the first
        // three lanes; the four bytes are read from within the two pixels.
        const auto pair = [zero](const std::uint8_t* p, __m128& left, __m128& right) {
            std::int32_t first, shifted;
            std::memcpy(&first, p, 4);
            std::memcpy(&shifted, p + 2, 4);
            const __m128i bytes = _mm_unpacklo_epi32(_mm_cvtsi32_si128(first),
                                                     _mm_srli_epi32(_mm_cvtsi32_si128(shifted), 8));
            const __m128i words = _mm_unpacklo_epi8(bytes, zero);
            left = _mm_cvtepi32_ps(_mm_unpacklo_epi16(words, zero));
            right = _mm_cvtepi32_ps(_mm_unpackhi_epi16(words, zero));
        };
        __m128 p00v, p10v, p01v, p11v;
        pair(p00, p00v, p10v);
        pair(p00 + source_.Stride(), p01v, p11v);
        const __m128 top = _mm_add_ps(p00v, _mm_mul_ps(fx, _mm_sub_ps(p10v, p00v)));
        const __m128 bottom = _mm_add_ps(p01v, _mm_mul_ps(fx, _mm_sub_ps(p11v, p01v)));
        const __m128 sum = _mm_add_ps(_mm_add_ps(top, _mm_mul_ps(fy, _mm_sub_ps(bottom, top))), _mm_set1_ps(0.5f));
        // Truncating sum + 1/2 rounds; a half shows as a fraction near 0 or 1.
        const __m128i whole = _mm_cvttps_epi32(sum);
        const __m128 fraction = _mm_sub_ps(sum, _mm_cvtepi32_ps(whole));
        const __m128 unsure = _mm_or_ps(_mm_cmplt_ps(fraction, _mm_set1_ps(kSingleTieMargin)),
                                        _mm_cmpgt_ps(fraction, _mm_set1_ps(1.0f - kSingleTieMargin)));
        if ((_mm_movemask_ps(unsure) & 7) != 0) return false;
        const std::uint32_t bgr = static_cast<std::uint32_t>(
            _mm_cvtsi128_si32(_mm_packus_epi16(_mm_packs_epi32(whole, whole), zero)));
        out[0] = static_cast<std::uint8_t>(bgr);
        out[1] = static_cast<std::uint8_t>(bgr >> 8);
        out[2] = static_cast<std::uint8_t>(bgr >> 16);
        return true;
#else
        (void)sx, (void)sy, (void)out;
        return false;
#endif
    }

    // The same in double precision, for what single precision left unsure.
    bool BlendDouble(double sx, double sy, std::uint8_t* out) const {
        const int c = static_cast<int>(sx);
        const int r = static_cast<int>(sy);
        const double fx = sx - c;
        const double fy = sy - r;
        const std::uint8_t* p00 = source_.Row(r) + 3 * c;
        const std::uint8_t* p01 = p00 + source_.Stride();
        std::uint8_t bgr[3];
        for (int ch = 0; ch < 3; ++ch) {
            const double top = p00[ch] + fx * (p00[3 + ch] - p00[ch]);
            const double bottom = p01[ch] + fx * (p01[3 + ch] - p01[ch]);
            const double sum = top + fy * (bottom - top);
            const int whole = static_cast<int>(sum);
            const double fraction = sum - whole;
            if (std::fabs(fraction - 0.5) < kTieMargin) return false;
            bgr[ch] = static_cast<std::uint8_t>(whole + (fraction > 0.5 ? 1 : 0));
        }
        out[0] = bgr[0];
        out[1] = bgr[1];
        out[2] = bgr[2];
        return true;
    }

    ConstPixelView source_;
    Color background_;
    std::uint8_t backgroundBgr_[3];
    long double cx_;
    long double cy_;
    int lastX_;
    int lastY_;
    std::vector<long double> cosDx_, sinDx_, sinDy_, cosDy_;
    std::vector<double> cosDxFast_, sinDxFast_, sinDyFast_, cosDyFast_;
};

}  // namespace

Color SampleCanvasBilinear(ConstPixelView picture, long double sx, long double sy) {
    if (!(sx >= 0.0L && sy >= 0.0L && sx < picture.Width() && sy < picture.Height())) {
        throw std::out_of_range("SampleCanvasBilinear: the position lies outside the picture");
    }
    const ExtendedPrecisionScope scope;
    std::uint8_t bgr[3];
    SampleInto(picture, sx, sy, bgr);
    return Rgb(bgr[2], bgr[1], bgr[0]);
}

ResultBox RotatedBox(Size picture, const RotationOptions& options) {
    const TurnAngle angle = TurnAngleOf(options.angle);
    geometry_support::Extents extents;
    const std::int64_t w = picture.width;
    const std::int64_t h = picture.height;
    for (const WholePoint corner : {WholePoint{0, 0}, WholePoint{w, 0}, WholePoint{w, h}, WholePoint{0, h}}) {
        const WholePoint turned = TurnCorner(corner.x, corner.y, options.centreX, options.centreY, angle);
        extents.Add(turned.x, turned.y);
    }
    return extents.Box("Rotácia");
}

void Rotate(ConstPixelView source, PixelView target, const RotationOptions& options, Progress* progress, int threads) {
    if (!progress) return RotateRows(source, {target, 0}, options, threads);
    const ResultBox box = RotatedBox({source.Width(), source.Height()}, options);
    CheckTarget(source, target, box.size, "Rotácia");
    const RotationGrid grid(source, box, TurnAngleOf(options.angle), options);
    const ProgressScope shown(progress, box.size.width - 1);
    const ExtendedPrecisionScope scope;
    geometry_support::InColumnBands(box.size, kBandColumns, box.size.height, shown,
                                    [&](int first, int end, int top, int bottom) {
                                        for (int j = top; j < bottom; ++j)
                                            grid.FillRow(j, first, end, target.Row(j) + 3 * first);
                                    });
}

void RotateRows(ConstPixelView source, RowBand band, const RotationOptions& options, int threads) {
    const ResultBox box = RotatedBox({source.Width(), source.Height()}, options);
    geometry_support::CheckBand(source, band, box.size, "Rotácia");
    const RotationGrid grid(source, box, TurnAngleOf(options.angle), options);
    // Bands of whole tiles, so that the tiles are those of one thread.
    const int tileRows = (band.rows.Height() + kRowTileSide - 1) / kRowTileSide;
    InParallelBands(tileRows, threads, [&](int first, int end) {
        const ExtendedPrecisionScope bandScope;  // the precision is the thread's own
        geometry_support::InTiles(box.size.width, band.top + first * kRowTileSide,
                                  std::min(band.top + end * kRowTileSide, band.End()), kRowTileSide,
                                  [&](int left, int right, int top, int bottom) {
                                      for (int j = top; j < bottom; ++j)
                                          grid.FillRow(j, left, right, band.Row(j) + 3 * left);
                                  });
    });
}

Bitmap24 Rotate(ConstPixelView source, const RotationOptions& options, Progress* progress, int threads) {
    const Size size = RotatedBox({source.Width(), source.Height()}, options).size;
    Bitmap24 result(size.width, size.height);
    Rotate(source, result.View(), options, progress, threads);
    return result;
}

}  // namespace kelbo
