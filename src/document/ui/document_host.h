// What a document window needs from the main window. The main window
// implements it; documents get it as a parameter, never through a global.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string_view>

#include "core/color.h"
#include "core/geometry.h"

namespace kelbo {

class TChildWin;

// A press, move or release of the pointer over a document's view, in view
// coordinates; button 0 left, 1 right, 2 middle.
struct ViewPointerEvent {
    enum class Kind : std::uint8_t { kDown, kMove, kUp } kind = Kind::kMove;
    int button = 0;
    Point at;
};

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
    // False when the file could not be written (the error was shown); a
    // cancelled save dialog is not a failure.
    virtual bool SaveDocument(TChildWin& document) = 0;
    // The pointer over the view, for the painting tools.
    virtual void ViewPointer(TChildWin& document, const ViewPointerEvent& event) = 0;
};

}  // namespace kelbo
