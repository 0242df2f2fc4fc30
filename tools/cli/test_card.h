#pragma once

#include "core/bitmap24.h"
#include "core/color.h"

namespace kelbo::cli {

// The corners carry these colours in their outermost pixel (and in an L-shaped
// mark around it), so a flipped or rotated copy of the card is easy to spot.
inline constexpr Color kTestCardTopLeft = Rgb(255, 0, 0);
inline constexpr Color kTestCardTopRight = Rgb(0, 255, 0);
inline constexpr Color kTestCardBottomLeft = Rgb(0, 0, 255);
inline constexpr Color kTestCardBottomRight = Rgb(255, 255, 0);

// Kelbo's test card on a view of any size: grey background with a white grid
// through the centre, a white-rimmed circle holding colour bars, a grey ramp,
// the name "KELBO 2.0" with the picture size, line gratings and grey steps, and
// the four corner marks. Tiny sizes get whatever fits.
void DrawTestCard(PixelView card);

// Adds to every channel its own noise, uniform in -amplitude .. amplitude and
// clamped to 0 .. 255, so that codecs and filters meet a photograph's entropy
// instead of flat areas. The noise depends on the position and channel only:
// the same card always gets the same pixels. Amplitude 0 keeps the card.
void AddTestCardNoise(PixelView card, int amplitude);

}  // namespace kelbo::cli
