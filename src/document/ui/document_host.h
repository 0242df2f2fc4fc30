// What a document window needs from the main window. The main window
// implements it; documents get it as a parameter, never through a global.
#pragma once

#include <windows.h>

#include <string_view>

#include "core/color.h"

namespace kelbo {

class TChildWin;

class DocumentHost {
public:
    virtual ~DocumentHost() = default;

    virtual HWND MdiClient() const = 0;
    // Title of the application and the main window from a file name.
    virtual void SetMainTitle(std::string_view fileName) = 0;
    virtual void SetStatusPanel(int panel, std::string_view text) = 0;
    virtual void ShowColorInfo(Color color) = 0;
    virtual void ResetProgress() = 0;
    virtual void ImageDocumentActivated(TChildWin& document) = 0;
    virtual void DocumentClosed(TChildWin& document) = 0;
    virtual bool CloseQuestion() const = 0;  // the "CloseQuestion" option
    virtual HCURSOR ToolCursor() const = 0;
    // A question in a standard message box; returns IDYES, IDNO or IDCANCEL.
    virtual int Ask(std::string_view text, UINT buttons) = 0;
    // Save, as the File menu's command does (Save As for an unnamed document).
    virtual void SaveDocument(TChildWin& document) = 0;
};

}  // namespace kelbo
