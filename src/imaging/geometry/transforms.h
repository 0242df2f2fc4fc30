// The geometric operations of the "Úpravy" menu: rotation, shear, resizing,
// mirrors and borders. Each is one function that the dialogs, kelbo-cli and
// the benchmarks call. An operation whose result opens in a new window comes
// in two forms: the size of the result, and a fill of a target of that size
// (so the program can open the window first and show the result growing);
// `progress` may be null. The source is never changed and never the target.
// Rotation, shear, the earthquake and resizing told no progress share the
// result's rows among `threads` threads, with the same pixels; their *Rows
// forms fill one band of the result's rows, the pixels the whole result has
// there, so a result written a band at a time need never be held whole.
#pragma once

#include <cstdint>
#include <span>

#include "core/bitmap24.h"
#include "core/color.h"
#include "core/geometry.h"
#include "core/progress.h"

namespace kelbo {

// RotateRows and ShearRows share a band among their threads a row of square
// tiles of this side at a time: bands of whole tiles keep every thread busy.
inline constexpr int kRowTileSide = 64;

// --- Rotation ("Rotácia") ------------------------------------------------

struct RotationOptions {
    int angle = 0;  // whole degrees; positive turns the content counter-clockwise on screen
    int centreX = 0;
    int centreY = 0;
    Color background = colors::kWhite;
};

// The box of the picture's outer corners (0, 0), (W, 0), (W, H), (0, H)
// turned by the corner form: its least x and y and its size. Throws
// BitmapSizeError when it does not fit a bitmap.
struct ResultBox {
    std::int64_t left = 0;
    std::int64_t top = 0;
    Size size;
};
ResultBox RotatedBox(Size picture, const RotationOptions& options);

// Each new pixel (i, j) samples the source bilinearly at the pixel form of
// (i + left, j + top) turned by +A; outside 0 <= sx < W - 1, 0 <= sy < H - 1
// it takes the background. Progress: columns, the target growing from the left.
void Rotate(ConstPixelView source, PixelView target, const RotationOptions& options, Progress* progress = nullptr,
            int threads = 1);
Bitmap24 Rotate(ConstPixelView source, const RotationOptions& options, Progress* progress = nullptr, int threads = 1);
void RotateRows(ConstPixelView source, RowBand band, const RotationOptions& options, int threads = 1);

// The bilinear sample of the program's rotation: cell Trunc(sx), Trunc(sy),
// the four weights (1 - fx)(1 - fy), fx(1 - fy), (1 - fx)fy, fx·fy in long
// double, each channel rounded to the nearest integer (halves to even). A
// neighbour beyond the last column or row repeats it. sx and sy must lie in
// [0, W) and [0, H).
Color SampleCanvasBilinear(ConstPixelView picture, long double sx, long double sy);

// --- Shear ("Skosenie obrázku") ------------------------------------------

struct ShearOptions {
    int alongX = 0;  // percent; 50 acts as 51
    int alongY = 0;
    Color background = colors::kWhite;
};

// The box of the corners sheared by x' = x + kx·y, y' = y + ky·x, each to
// the nearest integer (halves to even).
ResultBox ShearedBox(Size picture, const ShearOptions& options);

// Pixel (i, j): x = i - ox, y = j - oy with ox = right - W, oy = bottom - H;
// the source is sampled at (x + kx·y, y + ky·x). The factors are whole
// hundredths, so positions and weights are computed exactly in integers.
// Progress: columns.
void Shear(ConstPixelView source, PixelView target, const ShearOptions& options, Progress* progress = nullptr,
           int threads = 1);
Bitmap24 Shear(ConstPixelView source, const ShearOptions& options, Progress* progress = nullptr, int threads = 1);
void ShearRows(ConstPixelView source, RowBand band, const ShearOptions& options, int threads = 1);

// --- Earthquake (Efekt "zemetrasenie") -----------------------------------

// The shear with a blend: percentages 0..100 (std::invalid_argument beyond),
// 50 acting as 51.
struct EarthquakeOptions {
    int changeX = 0;  // "Zmena na osi X:"
    int changeY = 0;  // "Zmena na osi Y:"
    Color background = colors::kWhite;
};

// W × H, the largest coordinates of the sheared corners (the shear's box,
// whose left and top are 0 for these factors).
Size EarthquakeSize(Size picture, const EarthquakeOptions& options);

// Pixel (i, j) where the shear samples inside the picture is, per channel,
// (sample + c2) div 2 with c2 the picture's own pixel (i, j), or the
// background beyond the picture; elsewhere the background. Progress: columns.
void Earthquake(ConstPixelView source, PixelView target, const EarthquakeOptions& options, Progress* progress = nullptr,
                int threads = 1);
Bitmap24 Earthquake(ConstPixelView source, const EarthquakeOptions& options, Progress* progress = nullptr,
                    int threads = 1);
void EarthquakeRows(ConstPixelView source, RowBand band, const EarthquakeOptions& options, int threads = 1);

// --- Resizing ("Zmena veľkosti") -----------------------------------------

enum class ResizeMethod { kNearest = 0, kLinear = 1, kBilinear = 2 };

// New pixel (x, y) is taken from the source position (x·W / NW, y·H / NH),
// computed exactly as fractions:
//   nearest:  the source pixel at the nearest integers (halves to even),
//             limited to the last column and row;
//   bilinear: the four neighbours weighted as SampleCanvasBilinear does, the
//             exact sum rounded once (halves to even);
//   linear:   separable: each source row is first interpolated along x
//             between its two neighbouring columns and rounded to a byte,
//             then those rows along y, rounded again.
// A neighbour beyond the last column or row repeats it. Progress: rows for
// nearest and linear, columns for bilinear; told none, the rows are shared
// among `threads` threads, with the same pixels. Throws
// std::invalid_argument for a size of 0.
void Resize(ConstPixelView source, PixelView target, ResizeMethod method, Progress* progress = nullptr,
            int threads = 1);
Bitmap24 Resize(ConstPixelView source, Size size, ResizeMethod method, Progress* progress = nullptr, int threads = 1);
// `band` of the result of `size`.
void ResizeRows(ConstPixelView source, RowBand band, Size size, ResizeMethod method, int threads = 1);

// Nearest-neighbour sampling by tables: target pixel (x, y) is source pixel
// (columns[x], rows[y]). The tables must have the target's width and height
// and hold indices inside the source (std::invalid_argument). Progress: rows.
void SampleByIndex(ConstPixelView source, PixelView target, std::span<const int> columns, std::span<const int> rows,
                   Progress* progress = nullptr);

// --- Mirrors and borders ("Zrkadlo na osi X/Y", "Pridaj okraje") --------

// Upside down: row y exchanged with row H - 1 - y. Progress: rows of the top half.
void MirrorX(PixelView picture, Progress* progress = nullptr);
// Left and right exchanged in every row. Progress: rows.
void MirrorY(PixelView picture, Progress* progress = nullptr);

struct Borders {
    int left = 0;
    int right = 0;
    int top = 0;
    int bottom = 0;
};
// (L + W + R) × (T + H + B); throws BitmapSizeError when it does not fit.
Size BorderedSize(Size picture, const Borders& borders);
// The picture with its top left at (L, T) on white.
void AddBorders(ConstPixelView source, PixelView target, const Borders& borders);
Bitmap24 AddBorders(ConstPixelView source, const Borders& borders);

}  // namespace kelbo
