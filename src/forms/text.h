// UTF-8 inside the program, UTF-16 at the API boundary.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

#include "core/text_encoding.h"

namespace kelbo::forms {

inline std::wstring Wide(std::string_view utf8) { return Utf8ToWide(utf8); }
inline std::string Narrow(std::wstring_view wide) { return WideToUtf8(wide); }

std::string WindowText(HWND hwnd);
void SetWindowTextUtf8(HWND hwnd, std::string_view utf8);

}  // namespace kelbo::forms
