// Rotation by whole degrees, sampled bilinearly in extended precision.
#include <algorithm>
#include <cmath>
#include <vector>

#include "core/extended_precision.h"
#include "imaging/geometry/geometry_support.h"
#include "imaging/geometry/transforms.h"
#include "imaging/geometry/turn.h"

namespace kelbo {
namespace {

using geometry_support::CheckTarget;
using geometry_support::PutColor;

// With progress the target is filled in bands of this many columns, each
// from its top row to its bottom one, so the columns left of a band are done
// when its progress is told. Without, in square tiles, whose samples lie in
// a small patch of the source that stays in the cache.
constexpr int kBandColumns = 10;
constexpr int kTileSide = 64;

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

// Where the sample of a pixel lies along one axis.
enum class AxisPlace { kOutside, kInside, kUnsure };

// The source positions of the new pixels, in two precisions. The long double
// products are the program's; SampleExact uses them as its steps do. Their
// rounded double copies make SampleFast, which decides a pixel only when no
// rounding of either precision can change the decision (which cell, inside
// or not, which way a channel rounds), and gives up otherwise: then the
// pixel is sampled exactly. Both give the same picture; the fast one in a
// fraction of the time.
class RotationGrid {
public:
    RotationGrid(ConstPixelView source, const ResultBox& box, const TurnAngle& angle, const RotationOptions& options)
        : source_(source),
          background_(options.background),
          cx_(options.centreX),
          cy_(options.centreY),
          lastX_(source.Width() - 1),
          lastY_(source.Height() - 1) {
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

    // False when the pixel is too close to a decision to be sure of it.
    bool SampleFast(int i, int j, std::uint8_t* out) const {
        const double sx = cosDxFast_[i] - sinDyFast_[j] + static_cast<double>(cx_);
        const double sy = sinDxFast_[i] + cosDyFast_[j] + static_cast<double>(cy_);
        int c = 0, r = 0;
        double fx = 0.0, fy = 0.0;
        const AxisPlace px = Place(sx, lastX_, c, fx);
        const AxisPlace py = Place(sy, lastY_, r, fy);
        if (px == AxisPlace::kUnsure || py == AxisPlace::kUnsure) return false;
        if (px == AxisPlace::kOutside || py == AxisPlace::kOutside) {
            PutColor(out, background_);
            return true;
        }
        const std::uint8_t* row0 = source_.Row(r);
        const std::uint8_t* row1 = fy == 0.0 ? row0 : source_.Row(r + 1);
        const std::uint8_t* p00 = row0 + 3 * c;
        const std::uint8_t* p01 = row1 + 3 * c;
        const int next = fx == 0.0 ? 0 : 3;
        const double w00 = (1.0 - fx) * (1.0 - fy);
        const double w10 = fx * (1.0 - fy);
        const double w01 = (1.0 - fx) * fy;
        const double w11 = fx * fy;
        std::uint8_t bgr[3];
        for (int ch = 0; ch < 3; ++ch) {
            const double sum = w00 * p00[ch] + w10 * p00[next + ch] + w01 * p01[ch] + w11 * p01[next + ch];
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

private:
    // A double position differs from the program's long double one by less
    // than 1e-10 (magnitudes below 2^18, three roundings of 2^-53). Within
    // kSnap of a whole number the cell is unsure; inside the picture the
    // sample is then that column or row alone, which moves a channel by less
    // than 255 · 4 · kSnap; a channel within kTieMargin of a half is unsure.
    static constexpr double kSnap = 1e-9;
    static constexpr double kTieMargin = 1e-5;

    static AxisPlace Place(double s, int last, int& cell, double& fraction) {
        if (!(s > -0.5 && s < last + 0.5)) return AxisPlace::kOutside;
        const int nearest = static_cast<int>(s + 0.5);
        if (std::fabs(s - nearest) < kSnap) {
            // 0 and the last column are where the inside test turns.
            if (nearest == 0 || nearest == last) return AxisPlace::kUnsure;
            cell = nearest;
            fraction = 0.0;
            return AxisPlace::kInside;
        }
        if (s < 0.0 || s >= last) return AxisPlace::kOutside;
        cell = static_cast<int>(s);
        fraction = s - cell;
        return AxisPlace::kInside;
    }

    ConstPixelView source_;
    Color background_;
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

void Rotate(ConstPixelView source, PixelView target, const RotationOptions& options, Progress* progress) {
    const ResultBox box = RotatedBox({source.Width(), source.Height()}, options);
    CheckTarget(source, target, box.size, "Rotácia");
    const RotationGrid grid(source, box, TurnAngleOf(options.angle), options);
    const ProgressScope shown(progress, box.size.width - 1);
    const ExtendedPrecisionScope scope;
    const int band = progress ? kBandColumns : kTileSide;
    const int rows = progress ? box.size.height : kTileSide;
    geometry_support::InColumnBands(box.size, band, rows, shown, [&](int first, int end, int top, int bottom) {
        for (int j = top; j < bottom; ++j) {
            std::uint8_t* out = target.Row(j) + 3 * first;
            for (int i = first; i < end; ++i, out += 3) {
                if (!grid.SampleFast(i, j, out)) grid.SampleExact(i, j, out);
            }
        }
    });
}

Bitmap24 Rotate(ConstPixelView source, const RotationOptions& options, Progress* progress) {
    const Size size = RotatedBox({source.Width(), source.Height()}, options).size;
    Bitmap24 result(size.width, size.height);
    Rotate(source, result.View(), options, progress);
    return result;
}

}  // namespace kelbo
