// The point colour operations of the "Farby" menu: each pixel changes by
// itself. They work in place on rows; `progress` may be null.
#pragma once

#include <array>
#include <cstdint>

#include "core/bitmap24.h"
#include "core/color.h"
#include "core/progress.h"

namespace kelbo {

// Every byte b becomes 255 - b. Progress counts rows.
void Negative(PixelView picture, Progress* progress = nullptr);

// Every channel becomes the pixel's Luminance. Progress counts rows.
void GreyScale(PixelView picture, Progress* progress = nullptr);

// "Zmeň farbu...": channel * percent div 100, limited to 0..255. With
// `exceptWhite`, pixels whose three channels are all >= 256 - range keep
// their colour. Progress counts rows.
struct RgbChange {
    int red = 100;
    int green = 100;
    int blue = 100;
    bool exceptWhite = false;
    int range = 1;
};
void ChangeRgb(PixelView picture, const RgbChange& change, Progress* progress = nullptr);

// "Zmeň CMY": each channel's complement scaled by its percent, limited to
// 0..255, then complemented back. Progress counts rows.
struct CmyChange {
    int cyan = 100;
    int magenta = 100;
    int yellow = 100;
};
void ChangeCmy(PixelView picture, const CmyChange& change, Progress* progress = nullptr);

// "Gama korekcia": the track bar positions (1..250, gamma = position / 100)
// of each channel. v (0 read as 1) becomes min(255, Round(v ^ gamma)).
// Progress counts columns.
struct GammaCorrection {
    int red = 100;
    int green = 100;
    int blue = 100;
};
void CorrectGamma(PixelView picture, const GammaCorrection& gamma, Progress* progress = nullptr);

// The correction's channel tables, made once for a picture worked in parts:
// each takes 256 extended-precision powers.
struct GammaTables {
    std::array<std::uint8_t, 256> red{}, green{}, blue{};
};
GammaTables MakeGammaTables(const GammaCorrection& gamma);
void CorrectGamma(PixelView picture, const GammaTables& tables, Progress* progress = nullptr);

// "Prahovanie / Thresholding": with L the pixel's Luminance, start < L <
// breakPoint takes `lower`, breakPoint < L < end takes `upper`, others keep
// their colour. Progress counts columns.
struct Threshold {
    int start = 0;
    int breakPoint = 0;
    int end = 0;
    Color lower = colors::kBlack;
    Color upper = colors::kWhite;
};
void ApplyThreshold(PixelView picture, const Threshold& threshold, Progress* progress = nullptr);

// The same operations with the processor's vector instructions used where
// available (`vectors`) or not; both give the same pixels, which the tests
// check on builds that have the vectors.
namespace detail {
void ChangeRgb(PixelView picture, const RgbChange& change, Progress* progress, bool vectors);
void ChangeCmy(PixelView picture, const CmyChange& change, Progress* progress, bool vectors);
void CorrectGamma(PixelView picture, const GammaTables& tables, Progress* progress, bool vectors);
void GreyScale(PixelView picture, Progress* progress, bool vectors);
// The first product channel * (percent mod 100) whose vector division by 100
// is wrong, -1 for none.
int FirstWrongDivisionBy100();
}  // namespace detail

}  // namespace kelbo
