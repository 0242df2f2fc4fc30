// The common dialogs (open, save, colour, font) and message boxes.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

#include "core/color.h"

namespace kelbo::forms {

// "description|pattern|description|pattern" as the API wants it: parts
// separated and ended by NULs, the whole ended by a second NUL.
std::wstring FilterForApi(std::string_view filter);

struct FileDialog {
    std::string title;
    std::string filter;        // the program's "description|pattern|..." form
    int filterIndex = 1;       // 1-based, as the API counts
    std::string defaultExt;    // without the dot
    std::string fileName;      // in: proposed; out: chosen (UTF-8)
    std::string initialDir;
    bool mustExist = true;     // open: the file must exist

    bool ExecuteOpen(HWND owner);
    bool ExecuteSave(HWND owner);
};

struct ColorDialog {
    Color color = 0;
    bool fullOpen = true;
    bool ExecuteDialog(HWND owner);  // true when OK
};

struct FontDialog {
    LOGFONTW font{};
    Color color = 0;
    bool ExecuteDialog(HWND owner);
};

// A message box with the program's texts; returns IDYES, IDNO, IDOK, IDCANCEL.
int MessageDlg(HWND owner, std::string_view text, std::string_view caption, UINT flags);

// "Chcete ... %s?" formatted with one text argument.
std::string FormatOne(std::string_view pattern, std::string_view argument);

// The application's general error box (the exception's message as text).
void ShowError(HWND owner, std::string_view message);

}  // namespace kelbo::forms
