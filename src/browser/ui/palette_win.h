// TPalWin ("Farby"): the floating window in which the painting colours are
// set by red, green and blue or by hue, saturation and lightness sliders.
// The colours belong to the main window; this window reads them and sets
// them through its setters.
#pragma once

#include <array>

#include "browser/palette_sliders.h"
#include "controls/close_panel.h"
#include "controls/floating_title.h"
#include "document/ui/command_host.h"
#include "forms/controls.h"
#include "forms/form.h"
#include "forms/panel.h"
#include "imaging/ui/dial_parts.h"

namespace kelbo {

class TPalWin : public forms::Form {
public:
    static constexpr int kFullWidth = 494;
    static constexpr int kFullHeight = 113;

    // Placed and rolled by the settings ("PaletteLeft", "PaletteTop",
    // "Palette_AutoRollType"), which it keeps up to date; shown when the
    // menu item "Paleta" is checked.
    explicit TPalWin(CommandHost& host);

    forms::Panel Panel1;
    controls::TClosePanel ClosePanel1;
    forms::Panel Panel2, Panel3;  // the frames of the colour being edited
    ColourSwatch FgColor, BgColor;
    forms::GroupBox GroupBox1, GroupBox2;
    std::array<forms::Label, 6> Labels;
    // R, G, B (0..255), then H, S, L (0..100), and their read-outs.
    std::array<forms::TrackBar, 6> TrackBars;
    std::array<forms::Label, 6> StaticTexts;

    // The main window's colours changed.
    void ShowForeground();
    void ShowBackground();
    void PointerOverFrame() { title_.PointerOverFrame(); }
    bool Rolled() const { return title_.Rolled(); }

    void FgColorClick();
    void BgColorClick();

protected:
    void FormCreate() override;
    void FormActivate() override;
    void FormDeactivate() override;

private:
    void CreateGroup(forms::GroupBox& group, const forms::Bounds& b, const char* caption, int first);
    // Which colour the sliders edit: true foreground, false background.
    void ChooseColor(bool foreground);
    void RgbChanged(int slider);
    void HslChanged(int slider);
    // The chosen colour goes to its box and to the main window.
    void SetChosenColor(Color color);
    void ShowRgb(Color color);
    void ShowHsl(Color color);
    void ShowColorInfo(Color color);
    void Panel1MouseMove();

    // The frame shown: the foreground's at start.
    enum class Editing { kForeground, kBackground };
    Editing editing_ = Editing::kForeground;
    CommandHost& host_;
    controls::FloatingTitle title_{*this, ClosePanel1, {kFullWidth, kFullHeight}};
};

}  // namespace kelbo
