// What a browser window needs from the main window beyond the command host.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

#include "forms/dialogs.h"

namespace kelbo {

class BrowserHost {
public:
    virtual ~BrowserHost() = default;
    virtual void SetStatusPanel(int panel, std::string_view text) = 0;
    // A picture file as a new image document, or in a new warp window.
    virtual void OpenPicture(const std::string& path) = 0;
    virtual void OpenInWarpWindow(const std::string& path) = 0;
    // At the top of the recent-files menu.
    virtual void AddRecentFile(const std::string& path) = 0;
    // A browser became the active window (window kind 2).
    virtual void BrowserActivated() = 0;
    virtual void ReportError(std::string_view message) = 0;
    // A question in a standard message box; returns IDYES, IDNO or IDCANCEL.
    virtual int Ask(std::string_view text, UINT buttons) = 0;
    virtual bool ExecuteFileDialog(forms::FileDialog& dialog, bool save) = 0;
};

}  // namespace kelbo
