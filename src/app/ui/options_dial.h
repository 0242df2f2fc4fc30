// TOptionsDial ("Nastavenie"): the program's options on five pages. The
// controls are filled from the settings once, when the dialog is created;
// "OK" copies them back, "Zatvor" leaves the settings as they were. The
// browser's radio group and the warping colours are stored at once.
#pragma once

#include <functional>

#include "app/settings.h"
#include "core/color.h"
#include "forms/controls.h"
#include "forms/dialogs.h"
#include "forms/form.h"
#include "forms/handle.h"
#include "forms/panel.h"
#include "forms/timer.h"

namespace kelbo {

// One page of the tab control: a plain panel that also lets its form choose
// the background of the read-only fields on it.
class OptionsPage : public forms::Panel {
public:
    // The brush for a read-only or disabled field, or nullptr for the default.
    std::function<HBRUSH(HWND field)> OnFieldColor;

protected:
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
};

class TOptionsDial : public forms::Form {
public:
    TOptionsDial(HWND owner, Settings& settings);

    forms::TabControl PageControl1;
    OptionsPage StartPage;
    OptionsPage SecurityPage;
    OptionsPage MiscPage;
    OptionsPage WarpingPage;
    OptionsPage BrowserPage;

    // "Štart"
    forms::GroupBox StartColorGroup;
    forms::Label FgLabel;
    forms::Edit FgEdit;
    forms::Button FgColorBtn;
    forms::Label BgLabel;
    forms::Edit BgEdit;
    forms::Button BgColorBtn;
    forms::CheckBox LastColorsCheck;
    forms::GroupBox PictureFileGroup;
    forms::CheckBox AutoLoadFileCheck;
    forms::Edit AutoLoadFileEdit;
    forms::Button AutoLoadFileBtn;
    forms::CheckBox OpenInWarpWinCheck;
    forms::CheckBox BrowserAutoOpenCheck;

    // "Bezpečnosť"
    forms::GroupBox ClosingGroup;
    forms::CheckBox CloseQuestionCheck;
    forms::CheckBox ExitQuestionCheck;
    forms::GroupBox FileWorkGroup;
    forms::CheckBox DeleteQuestionCheck;
    forms::CheckBox BackUpFilesCheck;
    forms::Label BackUpExtLabel;
    forms::Edit BackUpExtEdit;
    forms::CheckBox SaveAsQuestionCheck;

    // "Rôzne"
    forms::Label ZoomConstLabel;
    forms::Edit ZoomConstEdit;
    forms::Label ZoomPercentLabel;
    forms::CheckBox FullViewCheck;
    forms::CheckBox AutoOpenToolsCheck;
    forms::CheckBox ShowHiddenFilesCheck;
    forms::CheckBox NewVersionCheck;

    // "Warping"
    forms::CheckBox ChangeNumCheck;
    forms::CheckBox WriteNodeCheck;
    forms::GroupBox WarpColorsGroup;
    forms::ListBox WarpColorList;
    forms::Panel WarpColorBox;

    // "Správca"
    forms::CheckBox ClickSoundCheck;
    forms::Edit ClickSoundEdit;
    forms::Button ClickSoundBtn;
    forms::GroupBox AfterChoiceGroup;
    forms::RadioButton KeepStateRadio;
    forms::RadioButton MinimizeRadio;
    forms::RadioButton RestoreRadio;
    forms::GroupBox FastViewGroup;
    forms::CheckBox DefaultOptionsCheck;
    forms::CheckBox IncludeSubDirsCheck;
    forms::CheckBox MovieCheck;
    forms::Label IntervalLabel;
    forms::Edit MovieIntervalEdit;
    forms::Label TenthsLabel;

    forms::Button OKBtn;
    forms::Button CancelBtn;
    // Puts the number fields back in range while the dialog is active.
    forms::Timer Timer1;

    forms::FileDialog OpenPictureDialog;
    forms::FileDialog OpenSoundDialog;

    // "Ak je počítač pripojený na internet hľadať novšiu verziu", for this run
    // only: set by "OK".
    bool SearchNewVersion = false;

    // The colours the start-up colour fields show (nothing else uses them).
    Color StartFgColor() const { return startFg_; }
    Color StartBgColor() const { return startBg_; }

    // The warping colour of a list item (0 "spoj" ... 4 "označené číslo bodu").
    Color WarpColor(int item) const;
    // Stores a warping colour for the chosen list item and shows it.
    void SetWarpColor(Color color);

protected:
    void FormCreate() override;
    void FormActivate() override;
    void FormDeactivate() override;

private:
    void CreateStartPage();
    void CreateSecurityPage();
    void CreateMiscPage();
    void CreateWarpingPage();
    void CreateBrowserPage();
    void FillFromSettings();
    void CopyToSettings();
    void UpdateEnabled();

    void PageControl1Change();
    void OKBtnClick();
    void CancelBtnClick();
    void AutoLoadFileBtnClick();
    void ClickSoundBtnClick();
    void StartColorBtnClick(Color& shown, forms::Edit& field);
    void WarpColorListClick();
    void WarpColorBoxClick();
    void AfterChoiceClick();
    void Timer1Timer();
    HBRUSH StartFieldColor(HWND field);

    Settings& settings_;
    Color startFg_ = 0;
    Color startBg_ = 0;
    forms::UniqueBrush fgBrush_;
    forms::UniqueBrush bgBrush_;
};

}  // namespace kelbo
