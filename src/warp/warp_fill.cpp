// Filling the target triangles. The inside test depends on the row only,
// so it is solved once per row as up to three column intervals; every
// accepted pixel is then computed with the very expressions of the
// per-pixel steps, so the result is the same to the bit.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

#include "core/parallel.h"
#include "warp/bilinear_sample.h"
#include "warp/warp_span.h"
#include "warp/warp.h"

namespace kelbo {

Color SampleBilinear(ConstPixelView picture, double sx, double sy) {
    std::uint8_t bgr[3];
    warp_detail::SamplePlain(picture, sx, sy, bgr);
    return Rgb(bgr[2], bgr[1], bgr[0]);
}

namespace {

struct Span {
    int from = 0;
    int to = -1;  // inclusive
};

// One target triangle, with everything that does not change from pixel to pixel.
class TriangleFill {
public:
    TriangleFill(MeshPoint ta, MeshPoint tb, MeshPoint tc, MeshPoint sa, MeshPoint sb, MeshPoint sc, int width,
                 int height)
        : a_(ta), b_(tb), c_(tc), sa_(sa) {
        e1x_ = NonZero(std::int64_t{tb.x} - ta.x);
        e1y_ = NonZero(std::int64_t{tb.y} - ta.y);
        e2x_ = NonZero(std::int64_t{tc.x} - ta.x);
        e2y_ = NonZero(std::int64_t{tc.y} - ta.y);
        f1x_ = static_cast<double>(sb.x) - sa.x;
        f1y_ = static_cast<double>(sb.y) - sa.y;
        f2x_ = static_cast<double>(sc.x) - sa.x;
        f2y_ = static_cast<double>(sc.y) - sa.y;
        det_ = static_cast<double>(e1x_ * e2y_ - e2x_ * e1y_);
        if (-0.01 < det_ && det_ < 0.01) det_ = 1.0;
        ex_ = static_cast<double>(e1x_);
        if (-0.01 < ex_ && ex_ < 0.01) ex_ = 1.0;
        left_ = std::max(std::min({ta.x, tb.x, tc.x}), 0);
        top_ = std::max(std::min({ta.y, tb.y, tc.y}), 0);
        right_ = std::max({ta.x, tb.x, tc.x});
        bottom_ = std::max({ta.y, tb.y, tc.y});
        if (right_ >= width) right_ = width - 1;
        if (bottom_ >= height) bottom_ = height - 1;
        width_ = width;
        height_ = height;
    }

    int Top() const { return top_; }
    int Bottom() const { return bottom_; }

    // The inside test's columns of row y, in order, without repeats.
    int RowSpans(int y, Span (&spans)[3]) const {
        if (right_ < left_) return 0;
        if ((a_.y == b_.y && y == a_.y) || (b_.y == c_.y && y == b_.y) || (a_.y == c_.y && y == a_.y)) {
            spans[0] = {left_, right_};
            return 1;
        }
        double x1 = Crossing(b_, c_, y), x2 = Crossing(b_, a_, y), x3 = Crossing(a_, c_, y);
        if (top_ < y && y < bottom_) {
            if (x1 == x2) x1 = kNone;
            if (x2 == x3) x2 = kNone;
            if (x1 == x3) x3 = kNone;
        }
        Span found[3] = {Between(std::max(x1, x2), x3), Between(std::max(x1, x3), x2), Between(std::max(x2, x3), x1)};
        std::sort(found, found + 3, [](const Span& p, const Span& q) { return p.from < q.from; });
        int count = 0;
        for (const Span& s : found) {
            if (s.to < s.from) continue;
            if (count > 0 && s.from <= spans[count - 1].to + 1) {
                spans[count - 1].to = std::max(spans[count - 1].to, s.to);
            } else {
                spans[count++] = s;
            }
        }
        return count;
    }

    void FillSpan(ConstPixelView clean, std::uint8_t* row, int y, Span span) const {
        // Whole numbers far below 2^53, so the doubles hold the integer steps exactly.
        const warp_detail::SpanMap map{static_cast<double>((std::int64_t{y} - a_.y) * e1x_),
                                       static_cast<double>(e1y_),
                                       static_cast<double>(e2x_),
                                       det_,
                                       ex_,
                                       f1x_,
                                       f1y_,
                                       f2x_,
                                       f2y_,
                                       static_cast<double>(sa_.x),
                                       static_cast<double>(sa_.y),
                                       static_cast<double>(a_.x),
                                       static_cast<double>(width_),
                                       static_cast<double>(height_)};
        fillSpan_(map, clean, row, span.from, span.to);
    }

private:
    static std::int64_t NonZero(std::int64_t v) { return v == 0 ? 1 : v; }

    // Where row y meets the edge from p to q, or kNone outside it.
    static double Crossing(MeshPoint p, MeshPoint q, int y) {
        double den = static_cast<double>(q.y) - p.y;
        if (den == 0) den = 0.0000000001;
        const double t = (static_cast<double>(y) - p.y) / den;
        if (!(0 <= t && t <= 1)) return kNone;
        return p.x + t * (static_cast<double>(q.x) - p.x);
    }

    // The box's columns x with lo <= x <= hi.
    Span Between(double lo, double hi) const {
        const double from = std::max(std::ceil(lo), static_cast<double>(left_));
        const double to = std::min(std::floor(hi), static_cast<double>(right_));
        if (to < from) return {};
        return {static_cast<int>(from), static_cast<int>(to)};
    }

    MeshPoint a_, b_, c_, sa_;
    std::int64_t e1x_, e1y_, e2x_, e2y_;
    double f1x_, f1y_, f2x_, f2y_, det_, ex_;
    int left_, top_, right_, bottom_, width_, height_;
    warp_detail::FillSpanFunction fillSpan_ = warp_detail::BestFillSpan();
};

// The counter of accepted pixels: a step after 32, then after every 31.
class PixelProgress {
public:
    explicit PixelProgress(ProgressScope* scope) : scope_(scope) {}
    void Add(int pixels) {
        if (!scope_) return;
        accepted_ += pixels;
        const long long position = accepted_ < 32 ? 0 : 1 + (accepted_ - 32) / 31;
        // Every step is reported, as one per pixel counted would be.
        while (position_ < position) scope_->Set(static_cast<int>(++position_));
    }

private:
    ProgressScope* scope_;
    long long accepted_ = 0;
    long long position_ = 0;
};

std::vector<TriangleFill> Fills(const WarpMesh& mesh, int width, int height) {
    std::vector<TriangleFill> fills;
    const auto source = [&mesh](int n) { return NodePosition(mesh, MeshSide::kSource, n); };
    const auto target = [&mesh](int n) { return NodePosition(mesh, MeshSide::kTarget, n); };
    for (const MeshTriangle& t : MeshTriangles(mesh)) {
        fills.emplace_back(target(t[0]), target(t[1]), target(t[2]), source(t[0]), source(t[1]), source(t[2]), width,
                           height);
    }
    return fills;
}

constexpr int kBandRows = 16;

// The columns of one row that a later triangle has written already:
// sorted, disjoint, not touching.
using Covered = std::vector<Span>;

// Calls fill(part) for each piece of `span` not in `covered`, then adds the span to it.
template <typename Fill>
void FillUncovered(Covered& covered, Span span, Fill fill) {
    int x = span.from;
    auto it = covered.begin();
    while (it != covered.end() && it->to < span.from - 1) ++it;
    const auto first = it;
    Span merged = span;
    for (; it != covered.end() && it->from <= span.to + 1; ++it) {
        if (x < it->from) fill(Span{x, std::min(span.to, it->from - 1)});
        x = std::max(x, it->to + 1);
        merged = {std::min(merged.from, it->from), std::max(merged.to, it->to)};
    }
    if (x <= span.to) fill(Span{x, span.to});
    covered.insert(covered.erase(first, it), merged);
}

// Rows whose band of kBandRows belongs to thread `part` of `parts`. Where
// triangles overlap the later one wins, so they are taken last to first and
// each pixel is computed once, by the triangle that keeps it.
void FillRows(const std::vector<TriangleFill>& fills, ConstPixelView clean, PixelView out, int part, int parts,
              PixelProgress& progress) {
    std::vector<Covered> covered(static_cast<std::size_t>(out.Height()));
    for (auto fill = fills.rbegin(); fill != fills.rend(); ++fill) {
        for (int y = fill->Top(); y <= fill->Bottom(); ++y) {
            if ((y / kBandRows) % parts != part) continue;
            Span spans[3];
            const int count = fill->RowSpans(y, spans);
            for (int s = 0; s < count; ++s) {
                FillUncovered(covered[y], spans[s], [&](Span piece) { fill->FillSpan(clean, out.Row(y), y, piece); });
                progress.Add(spans[s].to - spans[s].from + 1);
            }
        }
    }
}

}  // namespace

void WarpTriangles(const WarpMesh& mesh, ConstPixelView clean, PixelView out, Progress* progress, int threads) {
    if (out.Width() != clean.Width() || out.Height() != clean.Height())
        throw std::invalid_argument("the warp's output must have the picture's size");
    const std::vector<TriangleFill> fills = Fills(mesh, clean.Width(), clean.Height());
    if (threads <= 1) {
        ProgressScope scope(progress, static_cast<int>(std::int64_t{clean.Width()} * clean.Height() / 32));
        PixelProgress counter(&scope);
        FillRows(fills, clean, out, 0, 1, counter);
        return;
    }
    RunOnThreads(threads, [&](int t) {
        PixelProgress none(nullptr);
        FillRows(fills, clean, out, t, threads, none);
    });
}

Bitmap24 WarpPicture(ConstPixelView clean, WarpMesh& mesh, const WarpOptions& options) {
    const auto phase = [&options](std::string_view text) {
        if (options.phase) options.phase(text);
    };
    Bitmap24 out(clean.Width(), clean.Height(), colors::kWhite);
    MakeTarget(mesh);
    const std::uint16_t before = mesh.LinkCount;
    try {
        phase("Úprava siete");
        CompleteTriangles(mesh, options.progress);
        phase("Prepočet bodov");
        WarpTriangles(mesh, clean, out.View(), options.progress, options.threads);
    } catch (...) {
        mesh.LinkCount = before;
        phase("");
        throw;
    }
    if (options.changeNum) mesh.LinkCount = before;
    phase("");
    return out;
}

}  // namespace kelbo
