// "Okrúhla fotografia". The inner border's distance r in the pixel's
// direction is defined through arctan, cos and sin in extended precision.
// Pixels surely inside the smaller semi-axis, or surely where the fade has
// reached white, need none of it; the others first take r from
// cos θ = dx / h, sin θ = dy / h in double, within 1e-9 of the extended
// value, and only a pixel whose decision (beyond the border or not, which way
// a channel rounds) lies that close goes through the extended formula.
#include <algorithm>
#include <cmath>
#include <stdexcept>
#include <string>

#include "core/extended_precision.h"
#include "core/parallel.h"
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
        : o_(o),
          k_(256.0L / static_cast<long double>(o.outerX - o.innerX - 1)),
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
        if (ApplyFast(p, static_cast<double>(ex), static_cast<double>(ey))) return;
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
    bool ApplyFast(std::uint8_t* p, double ex, double ey) const {
        double dx = std::fabs(ex);
        if (dx == 0.0) dx = 0.001;
        const double dy = std::fabs(ey);
        const double hypotenuse = std::sqrt(dx * dx + dy * dy);
        const double bx = o_.innerX * (dx / hypotenuse);
        const double by = o_.innerY * (dy / hypotenuse);
        const double r = std::sqrt(bx * bx + by * by);
        const double d = std::sqrt(ex * ex + ey * ey);
        if (std::fabs(d - r) < 1e-7) return false;
        if (d < r) return true;
        const double added = static_cast<double>(k_) * (d - r);
        int rounded[3];
        for (int ch = 0; ch < 3; ++ch) {
            const double v = added + p[ch];
            const double whole = std::floor(v);
            if (std::fabs(v - whole - 0.5) < 1e-6) return false;
            rounded[ch] = std::min(255, static_cast<int>(whole) + (v - whole > 0.5 ? 1 : 0));
        }
        for (int ch = 0; ch < 3; ++ch) p[ch] = static_cast<std::uint8_t>(rounded[ch]);
        return true;
    }

    RoundPhotoOptions o_;
    long double k_;
    long double surelyInside_;
    long double surelyWhite_;
};

}  // namespace

void RoundPhoto(PixelView picture, const RoundPhotoOptions& options, Progress* progress, int threads) {
    for (const int v :
         {options.innerX, options.innerY, options.outerX, options.outerY, options.centreX, options.centreY}) {
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
    // With progress the rows go in order on this thread, as the window shows them.
    InParallelBands(picture.Height(), progress ? 1 : threads, [&](int first, int end) {
        const ExtendedPrecisionScope bandScope;  // Windows starts a thread at double precision
        for (int y = first; y < end; ++y) {
            std::uint8_t* p = picture.Row(y);
            for (int x = 0; x < picture.Width(); ++x, p += 3) fade.Apply(p, x, y);
            shown.Set(y);
        }
    });
}

}  // namespace kelbo
