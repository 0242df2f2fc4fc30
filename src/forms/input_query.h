// A small modal dialog asking for one line of text.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <string_view>

namespace kelbo::forms {

// The text the user confirmed, starting from `value`; none when cancelled.
std::optional<std::string> InputQuery(HWND owner, std::string_view caption, std::string_view prompt,
                                      std::string_view value);

}  // namespace kelbo::forms
