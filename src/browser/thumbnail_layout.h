// Where the thumbnail buttons stand on the browser's panel.
#pragma once

#include <cstddef>
#include <cstdint>

#include "core/geometry.h"

namespace kelbo {

inline constexpr Size kThumbnailButtonSize{90, 100};

// The panel's width div 100 taken as an 8-bit value, at least 1 (a width
// below 0 counts as 0).
std::uint8_t ThumbnailColumns(int panelWidth);

// The top-left corner of button `index` (0 for the first): left
// (index mod columns) · 95 + 5, top (index div columns) · 105 + 5. Columns of
// 0 count as 1.
Point ThumbnailPosition(std::size_t index, std::uint8_t columns);

}  // namespace kelbo
