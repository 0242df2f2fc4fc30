// The options dialog: filled once from the settings, "OK" copies every
// control back, "Zatvor" copies nothing, the browser's radio group and the
// warping colours are stored at once, and the enabling rules of its pages.
#include "app/ui/options_dial.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "forms/text.h"

namespace kelbo::testing {
namespace {

void Pump() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) continue;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

// The notification a click of the control sends to the window that parents it.
void Notify(HWND control, WORD code) {
    SendMessageW(GetParent(control), WM_COMMAND, MAKEWPARAM(0, code), reinterpret_cast<LPARAM>(control));
}

void Click(forms::CheckBox& box) {
    box.SetChecked(!box.Checked());
    Notify(box.Handle(), BN_CLICKED);
}

// As a user's click: the group's other buttons go off.
void Click(forms::RadioButton& chosen, std::initializer_list<forms::RadioButton*> group) {
    for (forms::RadioButton* r : group) r->SetChecked(r == &chosen);
    Notify(chosen.Handle(), BN_CLICKED);
}

void Choose(forms::ListBox& list, int index) {
    list.SetItemIndex(index);
    Notify(list.Handle(), LBN_SELCHANGE);
}

// Posts a press of a button of the dialog; it arrives once the modal loop runs.
void PostClick(const TOptionsDial& dial, const forms::Button& button) {
    PostMessageW(dial.Handle(), WM_COMMAND, MAKEWPARAM(0, BN_CLICKED), reinterpret_cast<LPARAM>(button.Handle()));
}

// Settings that differ from the defaults in every field the dialog shows.
Settings Unusual() {
    Settings s;
    s.AutoMinimalize = true;
    s.AutoRestore = false;
    s.ClickSound = true;
    s.ClickSoundPath = "C:\\zvuky\\klik.wav";
    s.DefaultOptions = true;
    s.Movie = true;
    s.MovieInterval = 35;
    s.IncludeSubDirs = false;
    s.WriteNode = true;
    s.ChangeNum = false;
    s.NWLineColor = Rgb(1, 2, 3);
    s.NWColor = Rgb(4, 5, 6);
    s.LWColor = Rgb(7, 8, 9);
    s.NWTextColor = Rgb(10, 11, 12);
    s.LWTextColor = Rgb(13, 14, 15);
    s.ZoomConst = 200;
    s.CloseQuestion = true;
    s.ExitQuestion = true;
    s.DeleteQuestion = false;
    s.SaveAsQuestion = false;
    s.FullView = true;
    s.AutoOpenTools = true;
    s.ShowHiddenFiles = true;
    s.FgColor = Rgb(200, 0, 0);
    s.BgColor = Rgb(0, 0, 200);
    s.BackUpFiles = true;
    s.BackUpFileName = "OLD";
    s.BrowserAutoOpen = true;
    s.AutoLoadFile = true;
    s.AutoLoadFileName = "C:\\obrázky\\pes.bmp";
    s.OpenInWarpWin = true;
    return s;
}

class OptionsDial : public ::testing::Test {
protected:
    void Make(const Settings& s = {}) {
        settings_ = s;
        dial_ = std::make_unique<TOptionsDial>(nullptr, settings_);
        Pump();
    }
    void TearDown() override {
        dial_.reset();
        Pump();
    }

    Settings settings_;
    std::unique_ptr<TOptionsDial> dial_;
};

TEST_F(OptionsDial, CaptionTabsAndButtons) {
    Make();
    EXPECT_EQ(dial_->Text(), "Nastavenie");
    EXPECT_EQ(dial_->OKBtn.Text(), "OK");
    EXPECT_EQ(dial_->CancelBtn.Text(), "Zatvor");
    const std::vector<std::string> tabs = {"Štart", "Bezpečnosť", "Rôzne", "Warping", "Správca"};
    ASSERT_EQ(TabCtrl_GetItemCount(dial_->PageControl1.Handle()), 5);
    for (int i = 0; i < 5; ++i) {
        wchar_t text[64]{};
        TCITEMW item{};
        item.mask = TCIF_TEXT;
        item.pszText = text;
        item.cchTextMax = 64;
        TabCtrl_GetItem(dial_->PageControl1.Handle(), i, &item);
        EXPECT_EQ(forms::Narrow(text), tabs[static_cast<size_t>(i)]);
    }
    EXPECT_EQ(dial_->SaveAsQuestionCheck.Text(), "Pri \"Ulož ako\", kotrolovať, či súbor so zadaným menom existuje.");
    EXPECT_EQ(dial_->AfterChoiceGroup.Text(), "Po zvolení obrázku okno správcu: ");
    EXPECT_EQ(dial_->BackUpFilesCheck.Text(), "Vytvárať záložné súbory s príponou :");
    EXPECT_EQ(dial_->BackUpExtLabel.Text(), "*.");
    EXPECT_EQ(dial_->ZoomConstLabel.Text(), "Zoom konštanta :");
    EXPECT_EQ(dial_->ZoomPercentLabel.Text(), "%");
}

TEST_F(OptionsDial, ControlsAreFilledFromTheSettings) {
    Make(Unusual());
    EXPECT_TRUE(dial_->AutoLoadFileCheck.Checked());
    EXPECT_EQ(dial_->AutoLoadFileEdit.Text(), "C:\\obrázky\\pes.bmp");
    EXPECT_TRUE(dial_->OpenInWarpWinCheck.Checked());
    EXPECT_TRUE(dial_->BrowserAutoOpenCheck.Checked());
    EXPECT_TRUE(dial_->LastColorsCheck.Checked());
    EXPECT_EQ(dial_->StartFgColor(), Rgb(200, 0, 0));
    EXPECT_EQ(dial_->StartBgColor(), Rgb(0, 0, 200));
    EXPECT_TRUE(dial_->CloseQuestionCheck.Checked());
    EXPECT_TRUE(dial_->ExitQuestionCheck.Checked());
    EXPECT_FALSE(dial_->DeleteQuestionCheck.Checked());
    EXPECT_TRUE(dial_->BackUpFilesCheck.Checked());
    EXPECT_EQ(dial_->BackUpExtEdit.Text(), "OLD");
    EXPECT_FALSE(dial_->SaveAsQuestionCheck.Checked());
    EXPECT_EQ(dial_->ZoomConstEdit.Text(), "200");
    EXPECT_TRUE(dial_->FullViewCheck.Checked());
    EXPECT_TRUE(dial_->AutoOpenToolsCheck.Checked());
    EXPECT_TRUE(dial_->ShowHiddenFilesCheck.Checked());
    EXPECT_FALSE(dial_->NewVersionCheck.Checked());
    EXPECT_FALSE(dial_->ChangeNumCheck.Checked());
    EXPECT_TRUE(dial_->WriteNodeCheck.Checked());
    EXPECT_TRUE(dial_->ClickSoundCheck.Checked());
    EXPECT_EQ(dial_->ClickSoundEdit.Text(), "C:\\zvuky\\klik.wav");
    EXPECT_FALSE(dial_->KeepStateRadio.Checked());
    EXPECT_TRUE(dial_->MinimizeRadio.Checked());
    EXPECT_FALSE(dial_->RestoreRadio.Checked());
    EXPECT_TRUE(dial_->DefaultOptionsCheck.Checked());
    EXPECT_FALSE(dial_->IncludeSubDirsCheck.Checked());
    EXPECT_TRUE(dial_->MovieCheck.Checked());
    EXPECT_EQ(dial_->MovieIntervalEdit.Text(), "35");
}

TEST_F(OptionsDial, DefaultsChooseTheRestoreRadioAndTheFirstColour) {
    Make();
    EXPECT_FALSE(dial_->KeepStateRadio.Checked());
    EXPECT_FALSE(dial_->MinimizeRadio.Checked());
    EXPECT_TRUE(dial_->RestoreRadio.Checked());
    EXPECT_EQ(dial_->WarpColorList.Count(), 5);
    EXPECT_EQ(dial_->WarpColorList.ItemIndex(), 0);
    EXPECT_EQ(dial_->WarpColorBox.GetColor(), Rgb(32, 32, 240));
}

TEST_F(OptionsDial, OkCopiesEveryControlToTheSettings) {
    Make();
    dial_->AutoLoadFileCheck.SetChecked(true);
    dial_->AutoLoadFileEdit.SetText("D:\\a.jpg");
    dial_->OpenInWarpWinCheck.SetChecked(true);
    dial_->BrowserAutoOpenCheck.SetChecked(true);
    dial_->CloseQuestionCheck.SetChecked(true);
    dial_->ExitQuestionCheck.SetChecked(true);
    dial_->DeleteQuestionCheck.SetChecked(false);
    dial_->BackUpFilesCheck.SetChecked(true);
    dial_->SaveAsQuestionCheck.SetChecked(false);
    dial_->ZoomConstEdit.SetText("75");
    dial_->FullViewCheck.SetChecked(true);
    dial_->AutoOpenToolsCheck.SetChecked(true);
    dial_->ShowHiddenFilesCheck.SetChecked(true);
    dial_->NewVersionCheck.SetChecked(true);
    dial_->ChangeNumCheck.SetChecked(false);
    dial_->WriteNodeCheck.SetChecked(true);
    dial_->ClickSoundCheck.SetChecked(true);
    dial_->ClickSoundEdit.SetText("E:\\b.wav");
    dial_->DefaultOptionsCheck.SetChecked(true);
    dial_->IncludeSubDirsCheck.SetChecked(false);
    dial_->MovieCheck.SetChecked(true);
    dial_->MovieIntervalEdit.SetText("125");

    PostClick(*dial_, dial_->OKBtn);
    EXPECT_EQ(dial_->ShowModal(), forms::mrOk);
    EXPECT_FALSE(dial_->Visible());

    const Settings& s = settings_;
    EXPECT_TRUE(s.AutoLoadFile);
    EXPECT_EQ(s.AutoLoadFileName, "D:\\a.jpg");
    EXPECT_TRUE(s.OpenInWarpWin);
    EXPECT_TRUE(s.BrowserAutoOpen);
    EXPECT_TRUE(s.CloseQuestion);
    EXPECT_TRUE(s.ExitQuestion);
    EXPECT_FALSE(s.DeleteQuestion);
    EXPECT_TRUE(s.BackUpFiles);
    EXPECT_FALSE(s.SaveAsQuestion);
    EXPECT_EQ(s.ZoomConst, 75);
    EXPECT_TRUE(s.FullView);
    EXPECT_TRUE(s.AutoOpenTools);
    EXPECT_TRUE(s.ShowHiddenFiles);
    EXPECT_TRUE(dial_->SearchNewVersion);
    EXPECT_FALSE(s.ChangeNum);
    EXPECT_TRUE(s.WriteNode);
    EXPECT_TRUE(s.ClickSound);
    EXPECT_EQ(s.ClickSoundPath, "E:\\b.wav");
    EXPECT_TRUE(s.DefaultOptions);
    EXPECT_FALSE(s.IncludeSubDirs);
    EXPECT_TRUE(s.Movie);
    EXPECT_EQ(s.MovieInterval, 125);
}

TEST_F(OptionsDial, OkCopiesUncheckedBoxesToo) {
    Make(Unusual());
    for (forms::CheckBox* box : {&dial_->AutoLoadFileCheck, &dial_->OpenInWarpWinCheck, &dial_->BrowserAutoOpenCheck,
                                 &dial_->CloseQuestionCheck, &dial_->ExitQuestionCheck, &dial_->BackUpFilesCheck,
                                 &dial_->FullViewCheck, &dial_->AutoOpenToolsCheck, &dial_->ShowHiddenFilesCheck,
                                 &dial_->WriteNodeCheck, &dial_->DefaultOptionsCheck, &dial_->MovieCheck})
        box->SetChecked(false);
    PostClick(*dial_, dial_->OKBtn);
    EXPECT_EQ(dial_->ShowModal(), forms::mrOk);
    const Settings& s = settings_;
    EXPECT_FALSE(s.AutoLoadFile);
    EXPECT_FALSE(s.OpenInWarpWin);
    EXPECT_FALSE(s.BrowserAutoOpen);
    EXPECT_FALSE(s.CloseQuestion);
    EXPECT_FALSE(s.ExitQuestion);
    EXPECT_FALSE(s.BackUpFiles);
    EXPECT_FALSE(s.FullView);
    EXPECT_FALSE(s.AutoOpenTools);
    EXPECT_FALSE(s.ShowHiddenFiles);
    EXPECT_FALSE(s.WriteNode);
    EXPECT_FALSE(s.DefaultOptions);
    EXPECT_FALSE(s.Movie);
}

TEST_F(OptionsDial, UncheckingTheClickSoundAndOkTurnsTheSoundOff) {
    Make(Unusual());
    ASSERT_TRUE(settings_.ClickSound);
    dial_->PageControl1.SetActivePage(4);
    Click(dial_->ClickSoundCheck);
    PostClick(*dial_, dial_->OKBtn);
    EXPECT_EQ(dial_->ShowModal(), forms::mrOk);
    EXPECT_FALSE(settings_.ClickSound);
    EXPECT_EQ(settings_.ClickSoundPath, "C:\\zvuky\\klik.wav") << "the file name stays";
}

TEST_F(OptionsDial, ZatvorCopiesNothingAndTheControlsKeepTheirValues) {
    Make();
    const Settings before = settings_;
    dial_->CloseQuestionCheck.SetChecked(true);
    dial_->ZoomConstEdit.SetText("99");
    dial_->AutoLoadFileEdit.SetText("X:\\y.gif");
    dial_->MovieIntervalEdit.SetText("7");
    dial_->NewVersionCheck.SetChecked(true);

    PostClick(*dial_, dial_->CancelBtn);
    EXPECT_EQ(dial_->ShowModal(), forms::mrCancel);
    EXPECT_FALSE(dial_->Visible());
    EXPECT_EQ(settings_.CloseQuestion, before.CloseQuestion);
    EXPECT_EQ(settings_.ZoomConst, before.ZoomConst);
    EXPECT_EQ(settings_.AutoLoadFileName, before.AutoLoadFileName);
    EXPECT_EQ(settings_.MovieInterval, before.MovieInterval);
    EXPECT_FALSE(dial_->SearchNewVersion);

    // Shown again: what the user left is still there.
    PostClick(*dial_, dial_->CancelBtn);
    dial_->ShowModal();
    EXPECT_TRUE(dial_->CloseQuestionCheck.Checked());
    EXPECT_EQ(dial_->ZoomConstEdit.Text(), "99");
    EXPECT_EQ(dial_->AutoLoadFileEdit.Text(), "X:\\y.gif");
    EXPECT_EQ(dial_->MovieIntervalEdit.Text(), "7");
    EXPECT_TRUE(dial_->NewVersionCheck.Checked());
}

TEST_F(OptionsDial, ControlsAreNotRefilledWhenTheSettingsChangeLater) {
    Make();
    settings_.ExitQuestion = true;
    settings_.ZoomConst = 30;
    PostClick(*dial_, dial_->CancelBtn);
    dial_->ShowModal();
    EXPECT_FALSE(dial_->ExitQuestionCheck.Checked());
    EXPECT_EQ(dial_->ZoomConstEdit.Text(), "150");
}

TEST_F(OptionsDial, RadioGroupStoresAtOnce) {
    Make();
    auto& d = *dial_;
    const auto group = {&d.KeepStateRadio, &d.MinimizeRadio, &d.RestoreRadio};
    Click(d.MinimizeRadio, group);
    EXPECT_TRUE(settings_.AutoMinimalize);
    EXPECT_FALSE(settings_.AutoRestore);
    Click(d.KeepStateRadio, group);
    EXPECT_FALSE(settings_.AutoMinimalize);
    EXPECT_FALSE(settings_.AutoRestore);
    Click(d.RestoreRadio, group);
    EXPECT_FALSE(settings_.AutoMinimalize);
    EXPECT_TRUE(settings_.AutoRestore);

    // "Zatvor" does not take it back.
    Click(d.MinimizeRadio, group);
    PostClick(d, d.CancelBtn);
    EXPECT_EQ(d.ShowModal(), forms::mrCancel);
    EXPECT_TRUE(settings_.AutoMinimalize);
    EXPECT_FALSE(settings_.AutoRestore);
}

TEST_F(OptionsDial, RadioButtonsLieInTwoColumns) {
    Make();
    const forms::Bounds keep = dial_->KeepStateRadio.GetBounds();
    const forms::Bounds minimize = dial_->MinimizeRadio.GetBounds();
    const forms::Bounds restore = dial_->RestoreRadio.GetBounds();
    EXPECT_EQ(keep.left, minimize.left);
    EXPECT_GT(minimize.top, keep.top);
    EXPECT_EQ(restore.top, keep.top);
    EXPECT_GE(restore.left, keep.left + keep.width);
}

TEST_F(OptionsDial, StartColourFieldsAreReadOnlyAndFollowTheCheckBox) {
    Make();
    auto& d = *dial_;
    EXPECT_TRUE(GetWindowLongW(d.FgEdit.Handle(), GWL_STYLE) & ES_READONLY);
    EXPECT_TRUE(GetWindowLongW(d.BgEdit.Handle(), GWL_STYLE) & ES_READONLY);
    EXPECT_FALSE(d.FgEdit.Enabled());
    EXPECT_FALSE(d.BgEdit.Enabled());
    EXPECT_FALSE(d.FgLabel.Enabled());
    EXPECT_FALSE(d.BgLabel.Enabled());
    Click(d.LastColorsCheck);
    EXPECT_TRUE(d.FgEdit.Enabled());
    EXPECT_TRUE(d.BgEdit.Enabled());
    EXPECT_TRUE(d.FgLabel.Enabled());
    EXPECT_TRUE(d.BgLabel.Enabled());
    EXPECT_EQ(d.FgColorBtn.Text(), "farby");
    EXPECT_EQ(d.BgColorBtn.Text(), "farby");

    // Nothing beyond the dialog: OK leaves the colours alone.
    PostClick(d, d.OKBtn);
    d.ShowModal();
    EXPECT_EQ(settings_.FgColor, Rgb(0, 0, 0));
    EXPECT_EQ(settings_.BgColor, Rgb(255, 255, 255));
}

TEST_F(OptionsDial, AutoLoadFileEnablesItsFieldButtonAndWarpingBox) {
    Make();
    auto& d = *dial_;
    EXPECT_FALSE(d.AutoLoadFileEdit.Enabled());
    EXPECT_FALSE(d.AutoLoadFileBtn.Enabled());
    EXPECT_FALSE(d.OpenInWarpWinCheck.Enabled());
    Click(d.AutoLoadFileCheck);
    EXPECT_TRUE(d.AutoLoadFileEdit.Enabled());
    EXPECT_TRUE(d.AutoLoadFileBtn.Enabled());
    EXPECT_TRUE(d.OpenInWarpWinCheck.Enabled());
    Click(d.AutoLoadFileCheck);
    EXPECT_FALSE(d.AutoLoadFileEdit.Enabled());
    EXPECT_FALSE(d.AutoLoadFileBtn.Enabled());
    EXPECT_FALSE(d.OpenInWarpWinCheck.Enabled());
}

TEST_F(OptionsDial, BackUpExtensionFieldIsEnabledByItsBoxAndNotStored) {
    Make();
    auto& d = *dial_;
    EXPECT_EQ(d.BackUpExtEdit.Text(), "BAK");
    EXPECT_FALSE(d.BackUpExtEdit.Enabled());
    EXPECT_EQ(SendMessageW(d.BackUpExtEdit.Handle(), EM_GETLIMITTEXT, 0, 0), 10);
    Click(d.BackUpFilesCheck);
    EXPECT_TRUE(d.BackUpExtEdit.Enabled());
    EXPECT_TRUE(d.BackUpExtLabel.Enabled());
    d.BackUpExtEdit.SetText("TMP");
    PostClick(d, d.OKBtn);
    d.ShowModal();
    EXPECT_TRUE(settings_.BackUpFiles);
    EXPECT_EQ(settings_.BackUpFileName, "BAK");
}

TEST_F(OptionsDial, ClickSoundEnablesItsFieldAndButton) {
    Make();
    auto& d = *dial_;
    EXPECT_FALSE(d.ClickSoundEdit.Enabled());
    EXPECT_FALSE(d.ClickSoundBtn.Enabled());
    Click(d.ClickSoundCheck);
    EXPECT_TRUE(d.ClickSoundEdit.Enabled());
    EXPECT_TRUE(d.ClickSoundBtn.Enabled());
}

TEST_F(OptionsDial, DefaultOptionsAndMovieEnableWhatFollows) {
    Make();
    auto& d = *dial_;
    EXPECT_FALSE(d.IncludeSubDirsCheck.Enabled());
    EXPECT_FALSE(d.MovieCheck.Enabled());
    EXPECT_FALSE(d.MovieIntervalEdit.Enabled());
    Click(d.DefaultOptionsCheck);
    EXPECT_TRUE(d.IncludeSubDirsCheck.Enabled());
    EXPECT_TRUE(d.MovieCheck.Enabled());
    EXPECT_FALSE(d.IntervalLabel.Enabled());
    EXPECT_FALSE(d.MovieIntervalEdit.Enabled());
    EXPECT_FALSE(d.TenthsLabel.Enabled());
    Click(d.MovieCheck);
    EXPECT_TRUE(d.IntervalLabel.Enabled());
    EXPECT_TRUE(d.MovieIntervalEdit.Enabled());
    EXPECT_TRUE(d.TenthsLabel.Enabled());
    Click(d.DefaultOptionsCheck);
    EXPECT_FALSE(d.MovieCheck.Enabled());
    EXPECT_FALSE(d.MovieIntervalEdit.Enabled()) << "goes with the disabled box";
    EXPECT_EQ(SendMessageW(d.MovieIntervalEdit.Handle(), EM_GETLIMITTEXT, 0, 0), 4);
}

TEST_F(OptionsDial, ZoomConstIsKeptWithinOneTo255) {
    Make();
    auto& d = *dial_;
    const struct {
        const char* typed;
        int stored;
        const char* shown;
    } cases[] = {{"0", 1, "1"}, {"300", 255, "255"}, {"abc", 150, "150"}, {"", 150, "150"}, {"255", 255, "255"}};
    for (const auto& c : cases) {
        d.ZoomConstEdit.SetText(c.typed);
        PostClick(d, d.OKBtn);
        d.ShowModal();
        EXPECT_EQ(settings_.ZoomConst, c.stored) << c.typed;
        EXPECT_EQ(d.ZoomConstEdit.Text(), c.shown) << c.typed;
    }
}

TEST_F(OptionsDial, TimerPutsTheNumberFieldsBackInRange) {
    Make();
    auto& d = *dial_;
    d.ZoomConstEdit.SetText("0");
    d.MovieIntervalEdit.SetText("");
    d.Timer1.SetInterval(10);
    d.Timer1.SetEnabled(true);
    for (int i = 0; i < 50 && d.ZoomConstEdit.Text() != "1"; ++i) {
        Sleep(10);
        Pump();
    }
    d.Timer1.SetEnabled(false);
    EXPECT_EQ(d.ZoomConstEdit.Text(), "1");
    EXPECT_EQ(d.MovieIntervalEdit.Text(), "20");
    EXPECT_EQ(settings_.ZoomConst, 150) << "only OK stores";
}

TEST_F(OptionsDial, IntervalIsKeptWithinOneTo9999) {
    Make();
    auto& d = *dial_;
    d.MovieIntervalEdit.SetText("0");
    PostClick(d, d.OKBtn);
    d.ShowModal();
    EXPECT_EQ(settings_.MovieInterval, 1);
    d.MovieIntervalEdit.SetText("12345");
    PostClick(d, d.OKBtn);
    d.ShowModal();
    EXPECT_EQ(settings_.MovieInterval, 9999);
}

TEST_F(OptionsDial, ColourListShowsEachColour) {
    Make(Unusual());
    auto& d = *dial_;
    const char* items[] = {"spoj", "neoznačený bod", "označený bod", "neoznačené číslo bodu", "označené číslo bodu"};
    const Color colors[] = {Rgb(1, 2, 3), Rgb(4, 5, 6), Rgb(7, 8, 9), Rgb(10, 11, 12), Rgb(13, 14, 15)};
    EXPECT_EQ(d.WarpColorBox.GetColor(), colors[0]);
    for (int i : {3, 1, 4, 0, 2}) {
        EXPECT_EQ(d.WarpColorList.Item(i), items[i]);
        Choose(d.WarpColorList, i);
        EXPECT_EQ(d.WarpColorBox.GetColor(), colors[i]) << items[i];
    }
}

// What the screen shows at the middle of a window.
COLORREF ScreenColorAtMiddle(HWND hwnd) {
    RECT r{};
    GetWindowRect(hwnd, &r);
    HDC screen = GetDC(nullptr);
    const COLORREF c = GetPixel(screen, (r.left + r.right) / 2, (r.top + r.bottom) / 2);
    ReleaseDC(nullptr, screen);
    return c;
}

TEST_F(OptionsDial, ColourBoxIsPaintedWithTheChosenItemsColour) {
    Make(Unusual());
    auto& d = *dial_;
    d.Show();
    d.PageControl1.SetActivePage(3);
    for (int i : {0, 4}) {
        Choose(d.WarpColorList, i);
        RedrawWindow(d.Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
        Pump();
        EXPECT_EQ(ScreenColorAtMiddle(d.WarpColorBox.Handle()), static_cast<COLORREF>(d.WarpColor(i))) << i;
    }
    d.Hide();
}

TEST_F(OptionsDial, ChosenColourIsStoredAtOnceForTheChosenItem) {
    Make();
    auto& d = *dial_;
    Choose(d.WarpColorList, 2);
    d.SetWarpColor(Rgb(9, 99, 199));
    EXPECT_EQ(settings_.LWColor, Rgb(9, 99, 199));
    EXPECT_EQ(d.WarpColorBox.GetColor(), Rgb(9, 99, 199));
    EXPECT_EQ(settings_.NWColor, Rgb(255, 255, 32)) << "the other colours stay";
    PostClick(d, d.CancelBtn);
    d.ShowModal();
    EXPECT_EQ(settings_.LWColor, Rgb(9, 99, 199)) << "Zatvor does not take it back";
    Choose(d.WarpColorList, 0);
    Choose(d.WarpColorList, 2);
    EXPECT_EQ(d.WarpColorBox.GetColor(), Rgb(9, 99, 199));
}

// Closes the colour dialog that the colour box opens, with pure green chosen.
void CALLBACK AnswerColorDialog(HWND, UINT, UINT_PTR id, DWORD) {
    HWND box = nullptr;
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND hwnd, LPARAM found) {
            wchar_t cls[16]{};
            GetClassNameW(hwnd, cls, 16);
            if (IsWindowVisible(hwnd) && std::wstring(cls) == L"#32770") {
                *reinterpret_cast<HWND*>(found) = hwnd;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&box));
    if (!box) return;
    KillTimer(nullptr, id);
    // The red, green and blue fields of the full colour dialog.
    SetDlgItemInt(box, 706, 0, FALSE);
    SetDlgItemInt(box, 707, 255, FALSE);
    SetDlgItemInt(box, 708, 0, FALSE);
    SendMessageW(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(box, IDOK)));
}

TEST_F(OptionsDial, ClickingTheColourBoxStoresTheDialogsColour) {
    Make();
    auto& d = *dial_;
    d.Show();
    d.PageControl1.SetActivePage(3);
    Choose(d.WarpColorList, 1);
    Pump();
    const UINT_PTR timer = SetTimer(nullptr, 0, 50, AnswerColorDialog);
    SendMessageW(d.WarpColorBox.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    SendMessageW(d.WarpColorBox.Handle(), WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    KillTimer(nullptr, timer);
    EXPECT_EQ(settings_.NWColor, Rgb(0, 255, 0));
    EXPECT_EQ(d.WarpColorBox.GetColor(), Rgb(0, 255, 0));
    EXPECT_EQ(settings_.NWLineColor, Rgb(32, 32, 240));
}

TEST_F(OptionsDial, PictureAndSoundBrowseDialogs) {
    Make();
    EXPECT_EQ(dial_->OpenPictureDialog.title, "Otvorenie obrázku");
    EXPECT_EQ(dial_->OpenPictureDialog.defaultExt, "bmp");
    EXPECT_EQ(
        dial_->OpenPictureDialog.filter,
        "Všetky podporované|*.bmp;*.gif;*.jpg;*.jpeg;*.ico;*.emf;*.wmf|Ikony (*.ico)|*.ico|Metasúbory (*.emf)|*.emf|"
        "Metasúbory (*.wmf)|*.wmf|Bitmapové súbory (*.bmp)|*.bmp|GIF súbory (*.gif)|*.gif|"
        "JPEG súbory (*.jpg; *.jpeg)|*.jpg;*.jpeg|Všetky súbory (*.*)|*.*|PNG súbory (*.png)|*.png");
    EXPECT_TRUE(dial_->OpenPictureDialog.mustExist);
    EXPECT_EQ(dial_->OpenSoundDialog.filter, "*.wav|*.wav");
}

TEST_F(OptionsDial, EachTabShowsOnlyItsPage) {
    Make();
    auto& d = *dial_;
    OptionsPage* pages[] = {&d.StartPage, &d.SecurityPage, &d.MiscPage, &d.WarpingPage, &d.BrowserPage};
    d.Show();
    for (int active : {0, 3, 1, 4, 2}) {
        TabCtrl_SetCurSel(d.PageControl1.Handle(), active);
        NMHDR hdr{d.PageControl1.Handle(), 0, static_cast<UINT>(TCN_SELCHANGE)};
        SendMessageW(d.Handle(), WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&hdr));
        for (int i = 0; i < 5; ++i) EXPECT_EQ(pages[i]->Visible(), i == active) << active << " " << i;
    }
    EXPECT_TRUE(d.WarpColorList.Visible() == false);
    d.Hide();
}

// A control's caption in the dialog's font, in pixels.
int CaptionWidth(HWND control) {
    HDC dc = GetDC(control);
    HGDIOBJ old = SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageW(control, WM_GETFONT, 0, 0)));
    const std::wstring text = forms::Wide(forms::WindowText(control));
    SIZE size{};
    GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
    SelectObject(dc, old);
    ReleaseDC(control, dc);
    return size.cx;
}

TEST_F(OptionsDial, EveryControlFitsItsPageAndEveryCaptionItsControl) {
    Make();
    auto& d = *dial_;
    const int checkMark = GetSystemMetrics(SM_CXMENUCHECK) + 6;
    for (OptionsPage* page : {&d.StartPage, &d.SecurityPage, &d.MiscPage, &d.WarpingPage, &d.BrowserPage}) {
        const SIZE area = page->ClientSize();
        for (HWND c = GetWindow(page->Handle(), GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
            RECT r{};
            GetWindowRect(c, &r);
            MapWindowPoints(HWND_DESKTOP, page->Handle(), reinterpret_cast<POINT*>(&r), 2);
            const std::string text = forms::WindowText(c);
            EXPECT_GE(r.left, 0) << text;
            EXPECT_GE(r.top, 0) << text;
            EXPECT_LE(r.right, area.cx) << text;
            EXPECT_LE(r.bottom, area.cy) << text;
            wchar_t cls[32]{};
            GetClassNameW(c, cls, 32);
            const LONG style = GetWindowLongW(c, GWL_STYLE) & 0xF;
            if (_wcsicmp(cls, L"Button") == 0 && (style == BS_AUTOCHECKBOX || style == BS_AUTORADIOBUTTON)) {
                EXPECT_LE(CaptionWidth(c) + checkMark, r.right - r.left) << text;
            } else if (_wcsicmp(cls, L"Static") == 0) {
                EXPECT_LE(CaptionWidth(c), r.right - r.left) << text;
            }
        }
    }
    // The buttons below the pages stay in the client area.
    const SIZE client = d.ClientSize();
    const forms::Bounds cancel = d.CancelBtn.GetBounds();
    EXPECT_LE(cancel.left + cancel.width, client.cx);
    EXPECT_LE(cancel.top + cancel.height, client.cy);
}

}  // namespace
}  // namespace kelbo::testing
