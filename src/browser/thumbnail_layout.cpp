#include "browser/thumbnail_layout.h"

#include <algorithm>

namespace kelbo {

std::uint8_t ThumbnailColumns(int panelWidth) {
    // The program keeps the count in 8 bits: 25600 pixels and more wrap.
    const auto columns = static_cast<std::uint8_t>(std::max(panelWidth, 0) / 100);
    return std::max<std::uint8_t>(columns, 1);
}

Point ThumbnailPosition(std::size_t index, std::uint8_t columns) {
    const std::size_t perRow = std::max<std::uint8_t>(columns, 1);
    return {static_cast<int>(index % perRow) * 95 + 5, static_cast<int>(index / perRow) * 105 + 5};
}

}  // namespace kelbo
