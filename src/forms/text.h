// UTF-8 inside the program, UTF-16 at the API boundary.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

#include "core/text_encoding.h"

namespace kelbo::forms {

inline std::wstring Wide(std::string_view utf8) { return Utf8ToWide(utf8); }
inline std::string Narrow(std::wstring_view wide) { return WideToUtf8(wide); }

// Lines that end in carriage returns as edit fields and labels show them:
// each with a line feed.
inline std::string WithLineFeeds(std::string_view text) {
    std::string shown;
    for (char c : text) shown += c == '\r' ? std::string_view("\r\n") : std::string_view(&c, 1);
    return shown;
}

std::string WindowText(HWND hwnd);
void SetWindowTextUtf8(HWND hwnd, std::string_view utf8);

}  // namespace kelbo::forms
