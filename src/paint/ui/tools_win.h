// TToolsWin ("Náradie"): the floating window of the drawing attributes, and
// TToolDlg ("Výber útvaru") behind its "Útvar" page.
#pragma once

#include <functional>
#include <memory>
#include <optional>

#include "controls/close_panel.h"
#include "controls/floating_title.h"
#include "core/color.h"
#include "forms/controls.h"
#include "forms/form.h"
#include "forms/panel.h"
#include "imaging/ui/dial_parts.h"
#include "paint/paint_tools.h"
#include "paint/ui/tool_dlg.h"

namespace kelbo {

struct Settings;

class TToolsWin : public forms::Form {
public:
    static constexpr int kWidth = 192;
    static constexpr int kHeight = 195;
    static constexpr int kRolledWidth = controls::FloatingTitle::kRolledWidth;
    static constexpr int kRolledHeight = controls::FloatingTitle::kRolledHeight;

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
    void PointerOverFrame() { title_.PointerOverFrame(); }

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

    // The controls, by the pages "Typ", "Farby", "Útvar", "Dodatky"
    // (public for the tests, as the other dialogs' controls are). The colour
    // boxes are FgColorBox and BgColorBox: FgColor and BgColor name the
    // colours' callbacks above.
    controls::TClosePanel ClosePanel1;
    forms::TabControl PageControl1;
    forms::Panel TypeSheet, ColorsSheet, ShapeSheet, ExtrasSheet;
    // "Typ"
    forms::Label ShapeLabel, PenWidthLabel, LineStyleLabel;  // "typ :", "hrúbka :", "čiara :"
    forms::ComboBox ShapeList;
    forms::Edit PenWidthEdit;
    forms::UpDown PenWidthArrows;
    forms::ComboBox LineStyleList;
    forms::CheckBox FillCheck;  // "Vyplniť útvar"
    // "Farby"; the sliders have no effect
    forms::GroupBox FgGroup, BgGroup;  // "Orámovanie, popredie", "Výplň, pozadie"
    ColourSwatch FgColorBox, BgColorBox;
    forms::TrackBar FgSlider1, FgSlider2, BgSlider1, BgSlider2;
    // "Útvar"
    forms::GroupBox ShapeGroup;  // "Útvar"
    forms::Edit ShapeText;       // the entered shape's description
    forms::Button ChangeBtn;     // "Zmeň"
    forms::Button DrawBtn;       // "Kresli"
    // "Dodatky"; the check box has no effect
    forms::GroupBox ExtrasGroup;        // "Dodatky"
    forms::CheckBox AntialiasingCheck;  // "Antialiasing"

    std::unique_ptr<TToolDlg> ToolDlg;  // behind "Zmeň"

    bool Rolled() const { return ClosePanel1.RollType(); }
    // The shape "Zmeň" entered last; none before the first.
    const std::optional<ToolShape>& EnteredShape() const { return shape_; }

    void ChangeBtnClick();
    void DrawBtnClick();

protected:
    void FormCreate() override;
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    void CreateTypePage();
    void CreateColorsPage();
    void CreateShapePage();
    void CreateExtrasPage();
    void ShowPage();
    void PenWidthEditChange();
    void PenWidthEditExit();
    void PenChanged();

    Settings& settings_;
    std::optional<ToolShape> shape_;
    controls::FloatingTitle title_{*this, ClosePanel1, {kWidth, kHeight}};
};

}  // namespace kelbo
