// A colour channel with its alpha composed over white, as pictures with
// transparency are shown: round half to even of (c a + 255 (255 - a)) / 255.
#pragma once

#include <cstdint>

namespace kelbo {

inline std::uint8_t BlendOverWhite(std::uint8_t c, std::uint8_t alpha) {
    const unsigned n = unsigned{c} * alpha + 255u * (255u - alpha);
    unsigned q = n / 255;
    const unsigned r = n % 255;
    if (r * 2 > 255 || (r * 2 == 255 && (q & 1) != 0)) ++q;
    return static_cast<std::uint8_t>(q);
}

}  // namespace kelbo
