// "Okrúhla fotografia". The inner border's distance r in the pixel's
// direction needs arctan, cos and sin in extended precision; pixels that lie
// surely inside the smaller semi-axis, or surely where the fade has reached
// white, are decided without them.
#include <algorithm>
#include <cmath>
#include <stdexcept>
#include <string>

#include "core/extended_precision.h"
#include "imaging/effects/effects.h"

namespace kelbo {
namespace {

void RaiseZeroes(std::uint8_t* p) {
    if (p[0] != 0 && p[1] != 0 && p[2] != 0) return;
    for (int ch = 0; ch < 3; ++ch)
        if (p[ch] != 255) ++p[ch];
}

class Fade {
public:
    explicit Fade(const RoundPhotoOptions& o)
        : o_(o), k_(256.0L / static_cast<long double>(o.outerX - o.innerX - 1)),
          surelyInside_(std::max(0.0L, static_cast<long double>(std::min(o.innerX, o.innerY)) - 1.0L)),
          surelyWhite_(static_cast<long double>(std::max(o.innerX, o.innerY)) +
                       static_cast<long double>(o.outerX - o.innerX - 1) + 1.0L) {}

    void Apply(std::uint8_t* p, int x, int y) const {
        RaiseZeroes(p);
        const long double ex = static_cast<long double>(o_.centreX) - x;
        const long double ey = static_cast<long double>(o_.centreY) - y;
        const long double distanceSquared = ex * ex + ey * ey;
        if (distanceSquared < surelyInside_ * surelyInside_) return;
        if (distanceSquared > surelyWhite_ * surelyWhite_) {
            p[0] = p[1] = p[2] = 255;
            return;
        }
        long double dx = std::fabs(ex);
        if (dx == 0.0L) dx = 0.001L;
        const long double theta = std::atan(std::fabs(ey) / dx);
        const long double bx = o_.innerX * std::cos(theta);
        const long double by = o_.innerY * std::sin(theta);
        const long double r = std::sqrt(bx * bx + by * by);
        const long double d = std::sqrt(distanceSquared);
        if (!(d > r)) return;
        const long double added = k_ * (d - r);
        for (int ch = 0; ch < 3; ++ch) {
            const std::int64_t v = RoundInScope(added + p[ch]);
            p[ch] = static_cast<std::uint8_t>(std::min<std::int64_t>(255, v));
        }
    }

private:
    RoundPhotoOptions o_;
    long double k_;
    long double surelyInside_;
    long double surelyWhite_;
};

}  // namespace

void RoundPhoto(PixelView picture, const RoundPhotoOptions& options, Progress* progress) {
    for (const int v : {options.innerX, options.innerY, options.outerX, options.outerY, options.centreX,
                        options.centreY}) {
        if (v < 0 || v > 65535) throw std::invalid_argument("Okrúhla fotografia: the values must lie in 0..65535");
    }
    if (options.outerX <= options.innerX + 1) {
        throw std::invalid_argument("\"Vonkajší okraj\" \"Os X\" (" + std::to_string(options.outerX) +
                                    ") must lie beyond \"Vnútorný okraj\" \"Os X\" + 1 (" +
                                    std::to_string(options.innerX + 1) + ")");
    }
    const ExtendedPrecisionScope scope;
    const Fade fade(options);
    const ProgressScope shown(progress, picture.Height());
    for (int y = 0; y < picture.Height(); ++y) {
        std::uint8_t* p = picture.Row(y);
        for (int x = 0; x < picture.Width(); ++x, p += 3) fade.Apply(p, x, y);
        shown.Set(y);
    }
}

}  // namespace kelbo
