// The warp transcribed step by step, without any of the library's caching or
// row solving, to compare the optimised warp with.
#pragma once

#include "core/bitmap24.h"
#include "warp/warp.h"

namespace kelbo::reference {

inline bool AllLinked(const WarpMesh& m, int i, int j, int k) {
    return LinkExists(m, i, j) && LinkExists(m, i, k) && LinkExists(m, k, j);
}

inline void CompleteTriangles(WarpMesh& m) {
    const int n = m.NodeCount;
    for (int i = 0; i <= n - 3; ++i)
        for (int j = i + 1; j <= n - 2; ++j)
            for (int k = j + 1; k <= n - 1; ++k) {
                if (AllLinked(m, i, j, k)) continue;
                const int l1 = m.LinkCount;
                AddFreeLink(m, i, j);
                AddFreeLink(m, i, k);
                AddFreeLink(m, j, k);
                if (!AllLinked(m, i, j, k)) m.LinkCount = static_cast<std::uint16_t>(l1);
            }
}

struct Box {
    int left, top, right, bottom;
};

inline bool InsideTriangle(MeshPoint a, MeshPoint b, MeshPoint c, int x, int y, const Box& box) {
    const auto den = [](double d) { return d == 0 ? 0.0000000001 : d; };
    const double t1 = (y - b.y) / den(c.y - b.y), t2 = (y - b.y) / den(a.y - b.y), t3 = (y - a.y) / den(c.y - a.y);
    double x1 = (0 <= t1 && t1 <= 1) ? b.x + t1 * (c.x - b.x) : kNone;
    double x2 = (0 <= t2 && t2 <= 1) ? b.x + t2 * (a.x - b.x) : kNone;
    double x3 = (0 <= t3 && t3 <= 1) ? a.x + t3 * (c.x - a.x) : kNone;
    if (box.top < y && y < box.bottom) {
        if (x1 == x2) x1 = kNone;
        if (x2 == x3) x2 = kNone;
        if (x1 == x3) x3 = kNone;
    }
    if ((x1 <= x && x2 <= x && x <= x3) || (x1 <= x && x3 <= x && x <= x2) || (x2 <= x && x3 <= x && x <= x1))
        return true;
    return (a.y == b.y && y == a.y) || (b.y == c.y && y == b.y) || (a.y == c.y && y == a.y);
}

inline void WarpTriangle(const WarpMesh& m, ConstPixelView clean, PixelView out, int a, int b, int c) {
    const int w = clean.Width(), h = clean.Height();
    const MeshPoint ta = NodePosition(m, MeshSide::kTarget, a), tb = NodePosition(m, MeshSide::kTarget, b),
                    tc = NodePosition(m, MeshSide::kTarget, c);
    const MeshPoint sa = NodePosition(m, MeshSide::kSource, a), sb = NodePosition(m, MeshSide::kSource, b),
                    sc = NodePosition(m, MeshSide::kSource, c);
    MeshPoint e1{tb.x - ta.x, tb.y - ta.y}, e2{tc.x - ta.x, tc.y - ta.y};
    for (std::int32_t* v : {&e1.x, &e1.y, &e2.x, &e2.y})
        if (*v == 0) *v = 1;
    const MeshPoint f1{sb.x - sa.x, sb.y - sa.y}, f2{sc.x - sa.x, sc.y - sa.y};
    Box box{std::min({ta.x, tb.x, tc.x}), std::min({ta.y, tb.y, tc.y}), std::max({ta.x, tb.x, tc.x}),
            std::max({ta.y, tb.y, tc.y})};
    if (box.top < 0) box.top = 0;
    if (box.left < 0) box.left = 0;
    if (box.right >= w) box.right = w - 1;
    if (box.bottom >= h) box.bottom = h - 1;
    for (int y = box.top; y <= box.bottom; ++y)
        for (int x = box.left; x <= box.right; ++x) {
            if (!InsideTriangle(ta, tb, tc, x, y, box)) continue;
            const int dx = x - ta.x, dy = y - ta.y;
            double det = static_cast<double>(e1.x * e2.y - e2.x * e1.y);
            if (-0.01 < det && det < 0.01) det = 1.0;
            double ex = e1.x;
            if (-0.01 < ex && ex < 0.01) ex = 1.0;
            const double v = (dy * e1.x - dx * e1.y) / det;
            const double u = (dx - e2.x * v) / ex;
            const double sx = f1.x * u + f2.x * v + sa.x, sy = f1.y * u + f2.y * v + sa.y;
            if (sx + 1 >= w || sy + 1 >= h || sx < 0 || sy < 0)
                out.SetPixel(x, y, colors::kWhite);
            else
                out.SetPixel(x, y, SampleBilinear(clean, sx, sy));
        }
}

inline Bitmap24 WarpPicture(ConstPixelView clean, WarpMesh& m) {
    Bitmap24 out(clean.Width(), clean.Height(), colors::kWhite);
    MakeTarget(m);
    const int before = m.LinkCount;
    reference::CompleteTriangles(m);
    const int n = m.NodeCount;
    for (int i = 0; i <= n - 3; ++i)
        for (int j = i + 1; j <= n - 2; ++j)
            for (int k = j + 1; k <= n - 1; ++k)
                if (AllLinked(m, i, j, k)) WarpTriangle(m, clean, out.View(), i, j, k);
    m.LinkCount = static_cast<std::uint16_t>(before);
    return out;
}

}  // namespace kelbo::reference
