#pragma once

#include <cstdint>
#include <vector>

#include "core/color.h"

namespace kelbo {

// The pixel format a picture had when it was read, kept with its document
// and restored only for writing: device-dependent, 1 ... 32 bits, custom bit
// fields. 15 is 16 bits of 5-5-5, 16 is 5-6-5; any other bit-field masks are
// custom. The values are the order of the format's enumeration; undo
// snapshots keep them as they are.
enum class PixelFormat : std::uint8_t { kDevice, k1, k4, k8, k15, k16, k24, k32, kCustom };

// "1 bit", "16 bits (5-6-5)", "custom bit fields" and so on.
const char* PixelFormatName(PixelFormat format);

// A colour table, in table order: what a picture of 1, 4 or 8 bits is
// stored with.
using Palette = std::vector<Color>;

}  // namespace kelbo
