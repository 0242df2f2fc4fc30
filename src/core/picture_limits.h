#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "core/picture_target.h"
#include "core/result.h"

namespace kelbo {

// What any picture file may make a reader hold, whatever its header claims.
// The side is the program's 16-bit loop counters; the bytes are the decoded
// picture in its working 24-bit form (Stride24(width) * height), so a
// picture that passes fits a 32-bit address space with room to spare.
inline constexpr int kMaxPictureSide = 65535;
inline constexpr std::uint64_t kMaxPictureBytes = std::uint64_t{256} << 20;
// A file's images beyond this many are ignored.
inline constexpr std::size_t kMaxGifFrames = 256;
// Every scan of a progressive JPEG walks the whole picture again.
inline constexpr int kMaxJpegScans = 100;

// Stride24(width) * height, for sides below 2^31 (not only those Stride24 takes).
std::uint64_t PictureBytes(std::uint64_t width, std::uint64_t height);

// Why a picture of this size may not be read ("picture too large: ...",
// with `what` for "picture"), or nothing when it may.
std::optional<std::string> PictureSizeProblem(std::uint64_t width, std::uint64_t height,
                                              std::string_view what = "picture");

// Asks `target` for the picture once the limits allow it. A refusal, and a
// target that cannot make the picture (BitmapSizeError, std::bad_alloc),
// come back as kUnsupported with the reason.
Result<PixelView> AllocatePicture(PictureTarget& target, int width, int height);

}  // namespace kelbo
