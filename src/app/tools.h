// The painting tools' numbers, chosen on tool bar 2.
#pragma once

#include <cstdint>
#include <optional>

#include "app/commands.h"

namespace kelbo {

enum class ToolNumber : std::uint8_t {
    kArrow = 0,
    kZoom = 1,
    kPick = 2,
    kBrush = 3,
    kLine = 4,
    kFill = 5,
    kShape = 6,
    kText = 7,
    kCrop = 8
};

// The tool a button of tool bar 2 selects; nothing for other commands. The
// buttons stand in another order than the numbers (crop before text).
std::optional<ToolNumber> ToolOfButton(unsigned command);

}  // namespace kelbo
