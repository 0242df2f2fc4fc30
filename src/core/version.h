#pragma once

#include <string_view>

namespace kelbo {

// The version the program reports and records in the registry at set-up.
inline constexpr std::string_view kVersion = "2.0";
inline constexpr std::string_view kBuiltOn = "25. april 2000";

}  // namespace kelbo
