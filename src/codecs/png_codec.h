// PNG files through libpng. Reading takes every colour type and depth,
// palettes with transparency, interlaced files; 16 bits are scaled to 8 and
// alpha is composed over white, as icons are. Gamma and colour profiles are
// not applied. Writing gives 24-bit RGB, or a palette for pictures of 1, 4
// or 8 bits.
#pragma once

#include <cstdint>
#include <filesystem>
#include <span>

#include "core/bitmap24.h"
#include "core/color.h"
#include "core/picture_target.h"
#include "core/pixel_format.h"
#include "core/progress.h"
#include "core/result.h"

namespace kelbo {

// What saving writes the picture back as: a palette file's depth (1, 4 for
// 2 and 4 bits, 8) with its table composed over white, else k24.
struct PngFormat {
    PixelFormat format = PixelFormat::k24;
    Palette palette;
};

// Asks `target` once for the picture's size, then fills it; a picture over
// the limits of core/picture_limits.h is refused before anything is
// allocated. A failure part way may leave part of the picture in the target.
Result<PngFormat> ReadPng(const std::filesystem::path& path, PictureTarget& target, Progress* progress = nullptr);

// Through the safe save: a failed write leaves any old file as it was.
// k1, k4 and k8 write that many bits of palette (the table `palette`
// when it holds every colour of the picture, else one chosen as the BMP
// writer chooses it); any other format writes RGB. Throws FileError, or
// std::runtime_error with libpng's reason.
void WritePng(const std::filesystem::path& path, ConstPixelView picture, PixelFormat format,
              std::span<const Color> palette = {});

}  // namespace kelbo
