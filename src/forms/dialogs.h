// The common dialogs (open, save, colour, font) and message boxes.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "core/bitmap24.h"
#include "core/color.h"

namespace kelbo::forms {

// "description|pattern|description|pattern" as the API wants it: parts
// separated and ended by NULs, the whole ended by a second NUL.
std::wstring FilterForApi(std::string_view filter);

// What a file dialog shows beside its list for the selected file: a picture,
// fitted into the preview box, and a line of text under it. Both empty clear
// the preview.
struct FilePreview {
    Bitmap24 picture;
    std::string text;
};

// Makes the preview of a file (UTF-8 path) for a box of the given size in
// pixels. It runs on every change of selection, from inside the dialog, so it
// shows no boxes: what it cannot read gives an empty preview.
using FilePreviewProvider = std::function<FilePreview(const std::string& path, int boxWidth, int boxHeight)>;

// The preview's controls in the dialog's own part, for tests that look at them.
inline constexpr int kFilePreviewPictureId = 0x3E0;
inline constexpr int kFilePreviewTextId = 0x3E1;

struct FileDialog {
    std::string title;
    std::string filter;      // the program's "description|pattern|..." form
    int filterIndex = 1;     // 1-based, as the API counts
    std::string defaultExt;  // without the dot
    std::string fileName;    // in: proposed; out: chosen (UTF-8)
    std::string initialDir;
    bool mustExist = true;               // open: the file must exist
    FilePreviewProvider preview;         // set: a preview beside the list
    bool multiSelect = false;            // open: several files may be chosen
    std::vector<std::string> fileNames;  // out with multiSelect: every chosen file, full paths

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
