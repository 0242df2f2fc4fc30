#pragma once

#include <optional>
#include <string_view>

namespace kelbo {

// A whole number typed as text: optional spaces, an optional sign, decimal
// digits, nothing else, within int. Dialog fields and the settings file
// both read numbers this way.
std::optional<int> ParseWholeNumber(std::string_view text);

}  // namespace kelbo
