// The neighbourhood filters of the "Filtre" menu. Each reads `source` only
// and returns a new picture of the same size, or writes it into `target`
// (of the source's size, not the source itself: std::invalid_argument), so
// a caller can have the result made where it will live; `progress` may be null.
#pragma once

#include <array>

#include "core/bitmap24.h"
#include "core/progress.h"

namespace kelbo {

// "Obyčajné priemerovanie": horizontal mean over columns x - r .. x + r,
// clipped to the picture, remainder dropped. Radius 0 or below (the dialog's
// value for text that is not a number) copies. Progress: rows.
Bitmap24 Average(ConstPixelView source, int radius, Progress* progress = nullptr);
void Average(ConstPixelView source, PixelView target, int radius, Progress* progress = nullptr);

// "Zníženie Gaussovho šumu": 1 2 1 / 2 4 2 / 1 2 1 over 16 inside; at the
// edges the centre takes the weight of the missing neighbours. Progress: rows.
Bitmap24 GaussianSmooth(ConstPixelView source, Progress* progress = nullptr);
void GaussianSmooth(ConstPixelView source, PixelView target, Progress* progress = nullptr);

// "Filtrovanie mediánom...": horizontal median of the packed values
// B*65536 + G*256 + R over the clipped window; index (last - first) div 2.
// Radius 0 or above kMaxMedianRadius copies. Progress: rows.
inline constexpr int kMaxMedianRadius = 15;
Bitmap24 Median(ConstPixelView source, int radius, Progress* progress = nullptr);
void Median(ConstPixelView source, PixelView target, int radius, Progress* progress = nullptr);

// Roberts cross, modulo 256; `inverted` writes 255 - value. The last column
// and the last row have no pixel to their right or below: the edge pixel
// stands in for it. Progress: columns.
Bitmap24 Roberts(ConstPixelView source, bool inverted, Progress* progress = nullptr);
void Roberts(ConstPixelView source, PixelView target, bool inverted, Progress* progress = nullptr);

// Laplace over the 4 or 8 neighbours inside the picture, modulo 256.
// Progress: columns.
enum class LaplaceNeighbours { kFour = 4, kEight = 8 };
Bitmap24 Laplace(ConstPixelView source, LaplaceNeighbours neighbours, bool inverted, Progress* progress = nullptr);
void Laplace(ConstPixelView source, PixelView target, LaplaceNeighbours neighbours, bool inverted,
             Progress* progress = nullptr);

// "Filtrovanie sobelovým operátorom...": the kernel 1 0 -1 / 2 0 -2 / 1 0 -1
// turned by (rotation - 1) * 45 degrees (rotation clamped to 1..8), summed
// over the eight neighbours inside the picture. Progress: columns.
struct SobelOptions {
    int rotation = 1;       // track bar position 1..8, 45 degrees a step
    bool downOnly = false;  // "Len zmena smerom dole"
    bool invert = true;     // "Obrátiť obrázok"
};
using SobelKernel = std::array<std::array<int, 3>, 3>;  // [row][column]
SobelKernel RotatedSobelKernel(int rotation);
Bitmap24 Sobel(ConstPixelView source, const SobelOptions& options, Progress* progress = nullptr);
void Sobel(ConstPixelView source, PixelView target, const SobelOptions& options, Progress* progress = nullptr);

// "Odstránenie šumu" with the track bar position 0..255 (limit 255 - position;
// positions outside are clamped). The frequency method repeats the edge
// pixel beyond the last column and row, as Roberts does; the spatial method
// averages a block cut off by the picture's edge over its own pixels, and a
// first-column pixel it would replace keeps its colour. Progress: columns.
enum class NoiseMethod { kFrequency, kSpatial };
Bitmap24 RemoveNoise(ConstPixelView source, NoiseMethod method, int strength, Progress* progress = nullptr);
void RemoveNoise(ConstPixelView source, PixelView target, NoiseMethod method, int strength,
                 Progress* progress = nullptr);

}  // namespace kelbo
