// Resizing. The source position of new pixel x is x·W / NW: kept as a whole
// cell and a fraction over NW / gcd(W, NW), so every method is exact.
#include <algorithm>
#include <cstring>
#include <numeric>
#include <stdexcept>
#include <vector>

#include "core/parallel.h"
#include "imaging/geometry/geometry_support.h"
#include "imaging/geometry/transforms.h"

namespace kelbo {
namespace {

using geometry_support::QuotientRounder;
using geometry_support::RoundQuotient;

constexpr int kBandColumns = 20;

// Where each new column (or row) samples the source: the cell, its right (or
// lower) neighbour, the last one standing in beyond the edge, and the
// neighbour's weight over `denominator`.
struct AxisSamples {
    std::int64_t denominator = 1;
    std::vector<int> cell;
    std::vector<int> next;
    std::vector<std::int64_t> weight;
};

AxisSamples SamplesAlong(int oldSize, int newSize) {
    const std::int64_t g = std::gcd(oldSize, newSize);
    const std::int64_t step = oldSize / g;
    AxisSamples s;
    s.denominator = newSize / g;
    for (std::int64_t x = 0; x < newSize; ++x) {
        const std::int64_t position = x * step;
        const int cell = static_cast<int>(position / s.denominator);
        s.cell.push_back(cell);
        s.next.push_back(std::min(cell + 1, oldSize - 1));
        s.weight.push_back(position % s.denominator);
    }
    return s;
}

// The nearest source index of each new one, limited to the last.
std::vector<int> NearestAlong(int oldSize, int newSize) {
    std::vector<int> nearest;
    for (std::int64_t x = 0; x < newSize; ++x) {
        nearest.push_back(static_cast<int>(std::min<std::int64_t>(RoundQuotient(x * oldSize, newSize), oldSize - 1)));
    }
    return nearest;
}

// Target rows [first, end) of SampleByIndex, its tables already checked.
void SampleRows(ConstPixelView source, RowBand band, std::span<const int> columns, std::span<const int> rows, int first,
                int end, const ProgressScope* shown = nullptr) {
    for (int y = first; y < end; ++y) {
        const std::uint8_t* in = source.Row(rows[y]);
        std::uint8_t* out = band.Row(y);
        for (const int column : columns) {
            std::memcpy(out, in + 3 * column, 3);
            out += 3;
        }
        if (shown) shown->Set(y);
    }
}

// `band` of a result with a row for each of `rows`. Without progress its
// rows are shared among the threads; with it (only for a band of the whole
// result), one thread fills them in the order the window shows them.
void SampleByIndexOn(ConstPixelView source, RowBand band, std::span<const int> columns, std::span<const int> rows,
                     Progress* progress, int threads) {
    const auto inside = [](std::span<const int> indices, int size) {
        return std::all_of(indices.begin(), indices.end(), [size](int i) { return i >= 0 && i < size; });
    };
    if (columns.size() != static_cast<std::size_t>(band.rows.Width()) || band.top < 0 ||
        rows.size() < static_cast<std::size_t>(band.End()) || !inside(columns, source.Width()) ||
        !inside(rows, source.Height())) {
        throw std::invalid_argument("SampleByIndex: the index tables do not fit the pictures");
    }
    if (progress) {
        const ProgressScope shown(progress, band.End() - 1);
        return SampleRows(source, band, columns, rows, 0, band.End(), &shown);
    }
    InParallelBands(band.rows.Height(), threads, [&](int first, int end) {
        SampleRows(source, band, columns, rows, band.top + first, band.top + end);
    });
}

void ResizeNearest(ConstPixelView source, RowBand band, Size size, Progress* progress, int threads) {
    SampleByIndexOn(source, band, NearestAlong(source.Width(), size.width), NearestAlong(source.Height(), size.height),
                    progress, threads);
}

// One source row weighed along x, not yet divided: (D - a)·p(c) + a·p(c + 1)
// per byte, below D · 255 < 2^24.
void WeighRow(const std::uint8_t* in, const AxisSamples& xs, std::vector<std::int32_t>& out) {
    for (std::size_t x = 0; x < xs.cell.size(); ++x) {
        const std::uint8_t* p0 = in + 3 * xs.cell[x];
        const std::uint8_t* p1 = in + 3 * xs.next[x];
        const auto a = static_cast<std::int32_t>(xs.weight[x]);
        const auto notA = static_cast<std::int32_t>(xs.denominator) - a;
        for (int ch = 0; ch < 3; ++ch) out[3 * x + ch] = notA * p0[ch] + a * p1[ch];
    }
}

// n / 2^shift rounded, halves to even.
inline std::int64_t ShiftRound(std::int64_t n, int shift) {
    const std::int64_t q = n >> shift, r = n & ((std::int64_t{1} << shift) - 1), half = std::int64_t{1} << shift >> 1;
    return q + (r > half || (r == half && (q & 1) != 0) ? 1 : 0);
}

// The same sums as the banded walk, row after row: each source row is
// weighed along x once and kept while new rows still use it.
void ResizeBilinearRows(ConstPixelView source, RowBand band, const AxisSamples& xs, const AxisSamples& ys, int first,
                        int end) {
    const std::int64_t d = xs.denominator * ys.denominator;
    const bool powerOfTwo = (d & (d - 1)) == 0;
    int shift = 0;
    while ((std::int64_t{1} << shift) < d) ++shift;
    const QuotientRounder rounder(d);
    const std::size_t bytes = 3 * static_cast<std::size_t>(band.rows.Width());
    std::vector<std::int32_t> upper(bytes), lower(bytes);
    int upperRow = -1, lowerRow = -1;
    for (int y = first; y < end; ++y) {
        if (ys.cell[y] != upperRow) {
            if (ys.cell[y] == lowerRow) {
                std::swap(upper, lower);
                std::swap(upperRow, lowerRow);
            } else {
                WeighRow(source.Row(ys.cell[y]), xs, upper);
                upperRow = ys.cell[y];
            }
        }
        if (ys.next[y] != lowerRow) {
            WeighRow(source.Row(ys.next[y]), xs, lower);
            lowerRow = ys.next[y];
        }
        const std::int64_t b = ys.weight[y], notB = ys.denominator - b;
        std::uint8_t* out = band.Row(y);
        if (powerOfTwo) {
            for (std::size_t k = 0; k < bytes; ++k)
                out[k] = static_cast<std::uint8_t>(ShiftRound(notB * upper[k] + b * lower[k], shift));
        } else {
            for (std::size_t k = 0; k < bytes; ++k)
                out[k] = static_cast<std::uint8_t>(rounder(notB * upper[k] + b * lower[k]));
        }
    }
}

void ResizeBilinear(ConstPixelView source, RowBand band, Size size, Progress* progress, int threads) {
    const AxisSamples xs = SamplesAlong(source.Width(), size.width);
    const AxisSamples ys = SamplesAlong(source.Height(), size.height);
    const QuotientRounder rounder(xs.denominator * ys.denominator);
    // Whole-number positions (50 %, 25 % ...) weigh one pixel alone.
    if (xs.denominator == 1 && ys.denominator == 1) {
        return SampleByIndexOn(source, band, xs.cell, ys.cell, progress, threads);
    }
    // Without progress nobody watches the window grow from the left.
    if (!progress) {
        return InParallelBands(band.rows.Height(), threads, [&](int first, int end) {
            ResizeBilinearRows(source, band, xs, ys, band.top + first, band.top + end);
        });
    }
    const PixelView target = band.rows;  // the whole result
    const ProgressScope shown(progress, target.Width() - 1);
    geometry_support::InColumnBands(
        {target.Width(), target.Height()}, kBandColumns, target.Height(), shown,
        [&](int first, int end, int firstRow, int endRow) {
            for (int y = firstRow; y < endRow; ++y) {
                const std::uint8_t* row0 = source.Row(ys.cell[y]);
                const std::uint8_t* row1 = source.Row(ys.next[y]);
                const std::int64_t b = ys.weight[y];
                const std::int64_t notB = ys.denominator - b;
                std::uint8_t* out = target.Row(y) + 3 * first;
                for (int x = first; x < end; ++x, out += 3) {
                    const std::uint8_t* p00 = row0 + 3 * xs.cell[x];
                    const std::uint8_t* p10 = row0 + 3 * xs.next[x];
                    const std::uint8_t* p01 = row1 + 3 * xs.cell[x];
                    const std::uint8_t* p11 = row1 + 3 * xs.next[x];
                    const std::int64_t a = xs.weight[x];
                    const std::int64_t notA = xs.denominator - a;
                    for (int ch = 0; ch < 3; ++ch) {
                        const std::int64_t top = notA * p00[ch] + a * p10[ch];
                        const std::int64_t bottom = notA * p01[ch] + a * p11[ch];
                        out[ch] = static_cast<std::uint8_t>(rounder(notB * top + b * bottom));
                    }
                }
            }
        });
}

// One source row interpolated along x and rounded to bytes.
void InterpolateRow(const std::uint8_t* in, const AxisSamples& xs, const QuotientRounder& rounder,
                    std::vector<std::uint8_t>& out) {
    for (std::size_t x = 0; x < xs.cell.size(); ++x) {
        const std::uint8_t* p0 = in + 3 * xs.cell[x];
        const std::uint8_t* p1 = in + 3 * xs.next[x];
        const std::int64_t a = xs.weight[x];
        for (int ch = 0; ch < 3; ++ch) {
            out[3 * x + ch] = static_cast<std::uint8_t>(rounder((xs.denominator - a) * p0[ch] + a * p1[ch]));
        }
    }
}

// Target rows [first, end) of the linear method.
void ResizeLinearRows(ConstPixelView source, RowBand band, const AxisSamples& xs, const AxisSamples& ys, int first,
                      int end, const ProgressScope* shown = nullptr) {
    const QuotientRounder alongX(xs.denominator);
    const QuotientRounder alongY(ys.denominator);
    // The two source rows of the current new row, already along x; new rows
    // move down the source, so each source row is interpolated once.
    const std::size_t bytes = 3 * static_cast<std::size_t>(band.rows.Width());
    std::vector<std::uint8_t> upper(bytes), lower(bytes);
    int upperRow = -1, lowerRow = -1;
    for (int y = first; y < end; ++y) {
        if (ys.cell[y] != upperRow) {
            if (ys.cell[y] == lowerRow) {
                std::swap(upper, lower);
                std::swap(upperRow, lowerRow);  // lower now holds the old upper row
            } else {
                InterpolateRow(source.Row(ys.cell[y]), xs, alongX, upper);
                upperRow = ys.cell[y];
            }
        }
        if (ys.next[y] != lowerRow) {
            InterpolateRow(source.Row(ys.next[y]), xs, alongX, lower);
            lowerRow = ys.next[y];
        }
        const std::int64_t b = ys.weight[y];
        std::uint8_t* out = band.Row(y);
        for (std::size_t k = 0; k < bytes; ++k) {
            out[k] = static_cast<std::uint8_t>(alongY((ys.denominator - b) * upper[k] + b * lower[k]));
        }
        if (shown) shown->Set(y);
    }
}

void ResizeLinear(ConstPixelView source, RowBand band, Size size, Progress* progress, int threads) {
    const AxisSamples xs = SamplesAlong(source.Width(), size.width);
    const AxisSamples ys = SamplesAlong(source.Height(), size.height);
    if (progress) {
        const ProgressScope shown(progress, size.height - 1);
        return ResizeLinearRows(source, band, xs, ys, 0, size.height, &shown);
    }
    InParallelBands(band.rows.Height(), threads, [&](int first, int end) {
        ResizeLinearRows(source, band, xs, ys, band.top + first, band.top + end);
    });
}

// `band` of a result of `size`, checked to lie in it; progress only for a
// band of the whole result.
void ResizeOn(ConstPixelView source, RowBand band, Size size, ResizeMethod method, Progress* progress, int threads) {
    if (source.Empty() || size.width < 1 || size.height < 1) {
        throw std::invalid_argument("Zmena veľkosti: a picture of 0 pixels cannot be resized, nor resized to");
    }
    geometry_support::CheckBand(source, band, size, "Zmena veľkosti");
    switch (method) {
    case ResizeMethod::kNearest: return ResizeNearest(source, band, size, progress, threads);
    case ResizeMethod::kLinear: return ResizeLinear(source, band, size, progress, threads);
    case ResizeMethod::kBilinear: return ResizeBilinear(source, band, size, progress, threads);
    }
    throw std::invalid_argument("Zmena veľkosti: unknown method");
}

}  // namespace

void SampleByIndex(ConstPixelView source, PixelView target, std::span<const int> columns, std::span<const int> rows,
                   Progress* progress) {
    if (rows.size() != static_cast<std::size_t>(target.Height())) {
        throw std::invalid_argument("SampleByIndex: the index tables do not fit the pictures");
    }
    SampleByIndexOn(source, {target, 0}, columns, rows, progress, 1);
}

void Resize(ConstPixelView source, PixelView target, ResizeMethod method, Progress* progress, int threads) {
    ResizeOn(source, {target, 0}, {target.Width(), target.Height()}, method, progress, threads);
}

void ResizeRows(ConstPixelView source, RowBand band, Size size, ResizeMethod method, int threads) {
    ResizeOn(source, band, size, method, nullptr, threads);
}

Bitmap24 Resize(ConstPixelView source, Size size, ResizeMethod method, Progress* progress, int threads) {
    if (size.width < 1 || size.height < 1) {
        throw std::invalid_argument("Zmena veľkosti: the new size must be at least 1 x 1 pixels");
    }
    Bitmap24 result(size.width, size.height);  // every method sets every pixel
    Resize(source, result.View(), method, progress, threads);
    return result;
}

}  // namespace kelbo
