// TToolsWin ("Náradie"): the floating window of the drawing attributes, and
// TToolDlg ("Výber útvaru") behind its "Útvar" page.
#pragma once

#include <functional>
#include <memory>

#include "controls/close_panel.h"
#include "core/color.h"
#include "forms/controls.h"
#include "forms/form.h"
#include "paint/paint_tools.h"

namespace kelbo {

struct Settings;

class TToolsWin : public forms::Form {
public:
    // Borderless, on top of `owner`; placed and rolled as `settings` say,
    // which it keeps up to date ("ToolsLeft", "ToolsTop", "Tools_AutoRollType").
    TToolsWin(HWND owner, Settings& settings);
    ~TToolsWin() override;

    // What the drawing step reads: shape kind, pen width, line style, fill.
    DrawingAttributes Attributes() const;

    // The colour boxes show the main window's colours; called by its setters.
    void RepaintFgColor();
    void RepaintBgColor();

    // Rolled up again when the pointer is over the main window.
    void PointerOverFrame();

    // Set by the owner of the window.
    std::function<Color()> FgColor, BgColor;
    // A click on a colour box: the main window's colour dialog for that colour.
    std::function<void()> FgColorClick, BgColorClick;
    // The pen width or line style changed: applied at once to the active document.
    std::function<void(const DrawingAttributes&)> OnPenChanged;
    // The close button hid the window: "Náradie..." is unchecked.
    std::function<void()> OnClosed;
    // "Kresli" on the "Útvar" page with the shape described there.
    std::function<void(const ToolShape&)> OnDrawShape;

    // The controls, by the pages "Typ", "Farby", "Útvar", "Dodatky"; see tools_win.cpp.
    // (public for the tests, as the other dialogs' controls are)
};

}  // namespace kelbo
