// What the warp windows need from the main window beyond CommandHost: the
// warping tool bar, the information panel's read-outs, the status bar and
// the title. The main window implements it.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

#include "core/color.h"
#include "forms/toolbar.h"

namespace kelbo {

class WarpHost {
public:
    virtual ~WarpHost() = default;

    virtual HWND MdiClient() const = 0;
    // ToolBar4: its buttons hold the mode and the tool.
    virtual forms::ToolBar& WarpToolBar() = 0;
    // ToolBar4 takes ToolBar2's place when it is hidden.
    virtual void ShowWarpToolBar() = 0;
    // The active document kind becomes the warp window.
    virtual void WarpWindowActivated() = 0;
    // WarpInfo's text; CR breaks lines, empty clears it.
    virtual void ShowWarpInfo(std::string_view text) = 0;
    virtual void SetMainTitle(std::string_view fileName) = 0;
    virtual void SetStatusPanel(int panel, std::string_view text) = 0;
    // ColorInfo with the colour's read-out and ColorBox in the colour.
    virtual void ShowColorInfo(Color color) = 0;
    virtual void ResetProgress() = 0;
    // The File menu's recent files and the shell's recent documents.
    virtual void AddRecentFile(const std::string& path) = 0;
};

}  // namespace kelbo
