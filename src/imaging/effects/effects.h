// The artistic and distortion effects of the "Efekty" menu. Each is one plain
// function that the dialogs, kelbo-cli and the benchmarks call; `progress`
// may be null. A value combination the effect cannot use (a cell of size 0,
// a wave period of 0, the round photo's outer border not beyond the inner
// one) throws std::invalid_argument with a message naming the field. The
// round photo and the waves told no progress share the rows among `threads`
// threads, with the same pixels.
#pragma once

#include "core/bitmap24.h"
#include "core/color.h"
#include "core/progress.h"
#include "imaging/effects/effect_random.h"

namespace kelbo {

// "Vytlačený vzor/Emboss", in place: every pixel becomes the grey
// (L1 − L2 + 256) div 2 of its Luminance L1 and the Luminance L2 of the bytes
// one further in the row below (the pixel below with the blue byte of its
// right neighbour). Rows go from the top, each reading the row below before
// it changes. The last row reads itself as its row below, and the byte past a
// row's last pixel repeats that pixel's blue byte. Progress: rows.
void Emboss(PixelView picture, Progress* progress = nullptr);

// "Premeň na pravouholníky...", in place: every cell of the cellWidth ×
// cellHeight grid becomes its mean colour. Progress: cell columns, maximum
// width div cellWidth.
void Rectanglize(PixelView picture, int cellWidth, int cellHeight, Progress* progress = nullptr);

// "Pointilizmus": over `target`, which starts as a copy of `source` (same
// size, a different picture), a dot of each cell's mean colour of the source,
// cell columns outer. Values are 0..255; a size of 0 is refused. Progress:
// cell columns.
struct PointillismOptions {
    int size = 3;    // "Veľkosť:"
    int shrink = 2;  // "Maximálne zmenšenie:"
    int shift = 5;   // "Maximálne posunutie:"
};
void Pointillism(ConstPixelView source, PixelView target, const PointillismOptions& options, EffectRandom& random,
                 Progress* progress = nullptr);
// The same over the picture itself: the picture is the copy.
void Pointillism(PixelView picture, const PointillismOptions& options, EffectRandom& random,
                 Progress* progress = nullptr);

// "Maľba": as pointillism, with a diagonal stroke of 1 … stroke dots a cell.
struct PaintingOptions {
    int size = 2;    // "Veľkosť štetca :"
    int shrink = 5;  // "Maximálne zmenšenie štetca :"
    int shift = 4;   // "Maximálne posunutie :"
    int stroke = 4;  // "Dĺžka ťahu štetcom :"
};
void Painting(ConstPixelView source, PixelView target, const PaintingOptions& options, EffectRandom& random,
              Progress* progress = nullptr);
void Painting(PixelView picture, const PaintingOptions& options, EffectRandom& random, Progress* progress = nullptr);

// "Mozaika", over `target`, which starts as a copy of `source`: each tile's
// mean colour is the sum over its pixels inside the picture divided by the
// full tile area, drawn as a rectangle without its last column and row
// ("Jednofarebná dlaždička"), then `thickness` rings of shaded frame.
// "Priehľadné orámovanie " blends each frame pixel with what lies under it,
// `transparency` / 255 of the under part (0 an opaque frame, 255 none).
// "Roztiahnuť obrázok" (not together with the transparent frame) stretches
// the grid to max(1, width div X) × max(1, height div Y) whole tiles covering
// the picture, tile k of n spanning k·width div n … (k + 1)·width div n − 1,
// each divided by its own area. Progress: tile columns, position i·X.
struct MosaicOptions {
    int tileWidth = 10;   // "X-ová os :", at least 2
    int tileHeight = 10;  // "Y-ová os :", at least 2
    int thickness = 1;    // "Hrúbka :", at least 1
    bool singleColour = true;
    bool transparentFrame = false;
    int transparency = 0;  // "Priehľadnosť", 0..255
    bool stretch = false;
};
void Mosaic(ConstPixelView source, PixelView target, const MosaicOptions& options, Progress* progress = nullptr);
// The same over the picture itself.
void Mosaic(PixelView picture, const MosaicOptions& options, Progress* progress = nullptr);

// "Okrúhla fotografia", in place: a pixel with a channel of 0 has every
// channel raised by 1 (255 stays); beyond the inner ellipse (innerX, innerY)
// around the centre it fades to white over outerX − innerX − 1 pixels.
// outerY is the dialog's and does not enter the computation. Progress: rows.
struct RoundPhotoOptions {
    int innerX = 50, innerY = 50;
    int outerX = 100, outerY = 100;
    int centreX = 0, centreY = 0;
};
void RoundPhoto(PixelView picture, const RoundPhotoOptions& options, Progress* progress = nullptr, int threads = 1);

// "Zvlnenie obrázku": target pixel (x, y) is the bilinear sample of the
// source at u = x − sin(y / yPeriod)·xPeriod, v = y − sin(x / yAmplitude)·xAmplitude,
// limited to the picture; the fields' names cross their roles. Target and
// source have one size and are different pictures. Progress: rows.
struct WaveOptions {
    int xPeriod = 10;     // "Os X" "&Perióda": amplitude of the horizontal shift
    int xAmplitude = 15;  // "Os X" "&Amplitúda": amplitude of the vertical shift
    int yPeriod = 10;     // "Os Y" "P&erióda": period of the horizontal shift
    int yAmplitude = 15;  // "Os Y" "A&mplitúda": period of the vertical shift
};
void Waves(ConstPixelView source, PixelView target, const WaveOptions& options, Progress* progress = nullptr,
           int threads = 1);
Bitmap24 Waves(ConstPixelView source, const WaveOptions& options, Progress* progress = nullptr, int threads = 1);
// One band of the result's rows, as the whole result has them.
void WavesRows(ConstPixelView source, RowBand band, const WaveOptions& options, int threads = 1);

}  // namespace kelbo
