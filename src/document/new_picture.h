// The new-picture dialog's choices apart from its window: the colour depths
// it offers and the check of the typed size.
#pragma once

#include <array>
#include <string>
#include <string_view>

#include "core/geometry.h"
#include "core/pixel_format.h"

namespace kelbo {

struct NewPictureDepth {
    const char* caption;
    PixelFormat format;  // recorded for writing; the picture itself is 24-bit
};

// "Počet farieb:", in order; item 6 is the first choice.
extern const std::array<NewPictureDepth, 7> kNewPictureDepths;
inline constexpr int kNewPictureDefaultDepth = 6;

// The typed width and height as a picture size, or why they are none: the
// platform's conversion message for a text that is not a whole number, or
// a message for a negative side or one beyond a bitmap's 65535 pixels.
struct NewPictureSize {
    Size size;
    std::string error;  // empty when `size` holds
};
NewPictureSize ParseNewPictureSize(std::string_view width, std::string_view height);

}  // namespace kelbo
