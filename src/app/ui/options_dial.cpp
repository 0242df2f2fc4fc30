#include "app/ui/options_dial.h"

#include <iterator>
#include <string>

#include "app/options_fields.h"
#include "document/picture_dialog_texts.h"

namespace kelbo {

namespace {

// The warping colours in the order of the list's items.
constexpr Color Settings::*kWarpColors[] = {&Settings::NWLineColor, &Settings::NWColor, &Settings::LWColor,
                                            &Settings::NWTextColor, &Settings::LWTextColor};
constexpr int kWarpColorCount = static_cast<int>(std::size(kWarpColors));

}  // namespace

LRESULT OptionsPage::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    // Read-only and disabled edit fields ask with WM_CTLCOLORSTATIC.
    if ((msg == WM_CTLCOLORSTATIC || msg == WM_CTLCOLOREDIT) && OnFieldColor) {
        if (HBRUSH brush = OnFieldColor(reinterpret_cast<HWND>(lParam))) {
            LOGBRUSH lb{};
            GetObjectW(brush, sizeof lb, &lb);
            SetBkColor(reinterpret_cast<HDC>(wParam), lb.lbColor);
            return reinterpret_cast<LRESULT>(brush);
        }
    }
    return Panel::HandleMessage(msg, wParam, lParam);
}

TOptionsDial::TOptionsDial(HWND owner, Settings& settings) : settings_(settings) {
    CreateForm(L"TOptionsDial", "Nastavenie", {0, 0, 440, 370}, WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME,
               WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT, owner);
}

void TOptionsDial::FormCreate() {
    SetClientSize(420, 330);
    PageControl1.Create(Handle(), {8, 8, 404, 284}, {"Štart", "Bezpečnosť", "Rôzne", "Warping", "Správca"});
    const RECT area = PageControl1.PageArea();
    const forms::Bounds page{area.left, area.top, area.right - area.left, area.bottom - area.top};
    for (OptionsPage* p : {&StartPage, &SecurityPage, &MiscPage, &WarpingPage, &BrowserPage}) {
        p->Create(Handle(), page, {}, false);
        // Above the tab control, which would otherwise paint over the page.
        SetWindowPos(p->Handle(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }
    CreateStartPage();
    CreateSecurityPage();
    CreateMiscPage();
    CreateWarpingPage();
    CreateBrowserPage();

    OKBtn.Create(Handle(), {254, 299, 75, 25}, "OK", true);
    CancelBtn.Create(Handle(), {337, 299, 75, 25}, "Zatvor");
    OKBtn.OnClick = [this] { OKBtnClick(); };
    CancelBtn.OnClick = [this] { CancelBtnClick(); };
    PageControl1.OnChange = [this] { PageControl1Change(); };
    Timer1.SetInterval(1000);
    Timer1.OnTimer = [this] { Timer1Timer(); };

    OpenPictureDialog.title = kOpenPictureTitle;
    OpenPictureDialog.filter = kPictureFileFilter;
    OpenPictureDialog.defaultExt = kPictureDefaultExt;
    OpenPictureDialog.mustExist = true;
    OpenSoundDialog.filter = "*.wav|*.wav";
    OpenSoundDialog.mustExist = true;

    FillFromSettings();
    PageControl1.SetActivePage(0);
    CenterOnScreen();
}

void TOptionsDial::CreateStartPage() {
    const HWND p = StartPage.Handle();
    StartColorGroup.Create(p, {8, 4, 378, 80}, "Po spustení programu je farba nastavená");
    FgLabel.Create(p, {20, 28, 56, 16}, "Popredie");
    FgEdit.Create(p, {78, 24, 40, 22}, "");
    FgEdit.SetReadOnly(true);
    FgColorBtn.Create(p, {122, 23, 50, 24}, "farby");
    BgLabel.Create(p, {200, 28, 56, 16}, "Pozadie");
    BgEdit.Create(p, {258, 24, 40, 22}, "");
    BgEdit.SetReadOnly(true);
    BgColorBtn.Create(p, {302, 23, 50, 24}, "farby");
    LastColorsCheck.Create(p, {20, 56, 300, 20}, "ako pri poslednom vypnutí programu");
    PictureFileGroup.Create(p, {8, 90, 378, 104}, "Súbor-obrázok");
    AutoLoadFileCheck.Create(p, {20, 110, 300, 20}, "Automaticky otvárať súbor");
    AutoLoadFileEdit.Create(p, {20, 136, 322, 22}, "");
    AutoLoadFileBtn.Create(p, {346, 136, 28, 22}, "...");
    OpenInWarpWinCheck.Create(p, {20, 166, 300, 20}, "Vo warping okne");
    BrowserAutoOpenCheck.Create(p, {14, 206, 370, 20}, "Automaticky otvárať správcu obrázkov");

    StartPage.OnFieldColor = [this](HWND field) { return StartFieldColor(field); };
    FgColorBtn.OnClick = [this] { StartColorBtnClick(startFg_, FgEdit); };
    BgColorBtn.OnClick = [this] { StartColorBtnClick(startBg_, BgEdit); };
    LastColorsCheck.OnClick = [this] { UpdateEnabled(); };
    AutoLoadFileCheck.OnClick = [this] { UpdateEnabled(); };
    AutoLoadFileBtn.OnClick = [this] { AutoLoadFileBtnClick(); };
}

void TOptionsDial::CreateSecurityPage() {
    const HWND p = SecurityPage.Handle();
    ClosingGroup.Create(p, {8, 4, 378, 76}, "Pri zatváraní");
    CloseQuestionCheck.Create(p, {20, 24, 360, 20}, "Upozorniť na to, že súbor nebol uložený (odporučené)");
    ExitQuestionCheck.Create(p, {20, 50, 360, 20}, "Spýtať sa, či program má byť naozaj vypnutý");
    FileWorkGroup.Create(p, {8, 88, 378, 106}, "Práca so súborom");
    DeleteQuestionCheck.Create(p, {20, 108, 360, 20}, "Kontrolovať, či má byť súbor naozaj zmazaný");
    BackUpFilesCheck.Create(p, {20, 134, 214, 20}, "Vytvárať záložné súbory s príponou :");
    BackUpExtLabel.Create(p, {238, 137, 12, 16}, "*.");
    BackUpExtEdit.Create(p, {252, 133, 90, 22}, "");
    BackUpExtEdit.SetMaxLength(10);
    SaveAsQuestionCheck.Create(p, {20, 160, 360, 20},
                               "Pri \"Ulož ako\", kotrolovať, či súbor so zadaným menom existuje.");
    BackUpFilesCheck.OnClick = [this] { UpdateEnabled(); };
}

void TOptionsDial::CreateMiscPage() {
    const HWND p = MiscPage.Handle();
    ZoomConstLabel.Create(p, {14, 16, 96, 16}, "Zoom konštanta :");
    ZoomConstEdit.Create(p, {112, 12, 48, 22}, "", ES_NUMBER);
    ZoomConstEdit.SetMaxLength(3);
    ZoomPercentLabel.Create(p, {164, 16, 20, 16}, "%");
    FullViewCheck.Create(p, {14, 48, 370, 20}, "Pri prezeraní na celú obrazovku používať farbu pozadia");
    AutoOpenToolsCheck.Create(p, {14, 74, 370, 20}, "Pri kreslení rôznych útvarov automaticky otvárať Náradie");
    ShowHiddenFilesCheck.Create(p, {14, 100, 370, 20}, "Zobrazovať aj skryté súbory");
    NewVersionCheck.Create(p, {14, 126, 370, 20}, "Ak je počítač pripojený na internet hľadať novšiu verziu");
}

void TOptionsDial::CreateWarpingPage() {
    const HWND p = WarpingPage.Handle();
    ChangeNumCheck.Create(p, {14, 10, 370, 20}, "Zachovávať takú istú sieť aj po warpingu");
    WriteNodeCheck.Create(p, {14, 36, 370, 20}, "Označovať uzol jeho číslom");
    WarpColorsGroup.Create(p, {8, 66, 378, 150}, "Farby");
    WarpColorList.Create(p, {20, 88, 200, 114});
    for (const char* item : {"spoj", "neoznačený bod", "označený bod", "neoznačené číslo bodu", "označené číslo bodu"})
        WarpColorList.Add(item);
    WarpColorBox.Create(p, {240, 88, 80, 80});
    // Above the group box: a panel clips the siblings that lie over it.
    SetWindowPos(WarpColorBox.Handle(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    WarpColorList.OnClick = [this] { WarpColorListClick(); };
    WarpColorBox.OnClick = [this] { WarpColorBoxClick(); };
}

void TOptionsDial::CreateBrowserPage() {
    const HWND p = BrowserPage.Handle();
    ClickSoundCheck.Create(p, {14, 8, 370, 20}, "Po kliknutí na obrázok prehrať zvukový súbor");
    ClickSoundEdit.Create(p, {14, 32, 328, 22}, "");
    ClickSoundBtn.Create(p, {346, 32, 28, 22}, "...");
    AfterChoiceGroup.Create(p, {8, 62, 378, 66}, "Po zvolení obrázku okno správcu: ");
    KeepStateRadio.Create(p, {20, 80, 170, 20}, "nechať v pôvodnom stave", true);
    MinimizeRadio.Create(p, {20, 102, 170, 20}, "minimalizovať", false);
    RestoreRadio.Create(p, {196, 80, 184, 20}, "vrátiť do normálnej veľkosti", false);
    FastViewGroup.Create(p, {8, 134, 378, 112}, "Rýchle prezeranie");
    DefaultOptionsCheck.Create(p, {20, 152, 300, 20}, "Používať predvolené nastavenie:");
    IncludeSubDirsCheck.Create(p, {38, 174, 300, 20}, "Vrátane podadresárov");
    MovieCheck.Create(p, {38, 196, 300, 20}, "Automatické prezeranie");
    IntervalLabel.Create(p, {56, 222, 50, 16}, "Interval:");
    MovieIntervalEdit.Create(p, {108, 218, 50, 22}, "", ES_NUMBER);
    MovieIntervalEdit.SetMaxLength(4);
    TenthsLabel.Create(p, {164, 222, 120, 16}, "desatín sekúnd");

    ClickSoundCheck.OnClick = [this] { UpdateEnabled(); };
    ClickSoundBtn.OnClick = [this] { ClickSoundBtnClick(); };
    for (forms::RadioButton* r : {&KeepStateRadio, &MinimizeRadio, &RestoreRadio})
        r->OnClick = [this] { AfterChoiceClick(); };
    DefaultOptionsCheck.OnClick = [this] { UpdateEnabled(); };
    MovieCheck.OnClick = [this] { UpdateEnabled(); };
}

void TOptionsDial::FillFromSettings() {
    const Settings& s = settings_;
    startFg_ = s.FgColor;
    startBg_ = s.BgColor;
    LastColorsCheck.SetChecked(true);
    AutoLoadFileCheck.SetChecked(s.AutoLoadFile);
    AutoLoadFileEdit.SetText(s.AutoLoadFileName);
    OpenInWarpWinCheck.SetChecked(s.OpenInWarpWin);
    BrowserAutoOpenCheck.SetChecked(s.BrowserAutoOpen);

    CloseQuestionCheck.SetChecked(s.CloseQuestion);
    ExitQuestionCheck.SetChecked(s.ExitQuestion);
    DeleteQuestionCheck.SetChecked(s.DeleteQuestion);
    BackUpFilesCheck.SetChecked(s.BackUpFiles);
    BackUpExtEdit.SetText(s.BackUpFileName);
    SaveAsQuestionCheck.SetChecked(s.SaveAsQuestion);

    ZoomConstEdit.SetText(std::to_string(s.ZoomConst));
    FullViewCheck.SetChecked(s.FullView);
    AutoOpenToolsCheck.SetChecked(s.AutoOpenTools);
    ShowHiddenFilesCheck.SetChecked(s.ShowHiddenFiles);
    NewVersionCheck.SetChecked(SearchNewVersion);

    ChangeNumCheck.SetChecked(s.ChangeNum);
    WriteNodeCheck.SetChecked(s.WriteNode);
    WarpColorList.SetItemIndex(0);
    WarpColorBox.SetColor(WarpColor(0));

    ClickSoundCheck.SetChecked(s.ClickSound);
    ClickSoundEdit.SetText(s.ClickSoundPath);
    // Both flags set is not a choice of the group; minimising wins, as it is listed first.
    KeepStateRadio.SetChecked(!s.AutoMinimalize && !s.AutoRestore);
    MinimizeRadio.SetChecked(s.AutoMinimalize);
    RestoreRadio.SetChecked(!s.AutoMinimalize && s.AutoRestore);
    DefaultOptionsCheck.SetChecked(s.DefaultOptions);
    IncludeSubDirsCheck.SetChecked(s.IncludeSubDirs);
    MovieCheck.SetChecked(s.Movie);
    MovieIntervalEdit.SetText(std::to_string(s.MovieInterval));
    UpdateEnabled();
}

void TOptionsDial::CopyToSettings() {
    Settings& s = settings_;
    s.AutoLoadFile = AutoLoadFileCheck.Checked();
    s.AutoLoadFileName = AutoLoadFileEdit.Text();
    s.OpenInWarpWin = OpenInWarpWinCheck.Checked();
    s.BrowserAutoOpen = BrowserAutoOpenCheck.Checked();

    s.CloseQuestion = CloseQuestionCheck.Checked();
    s.ExitQuestion = ExitQuestionCheck.Checked();
    s.DeleteQuestion = DeleteQuestionCheck.Checked();
    s.BackUpFiles = BackUpFilesCheck.Checked();
    s.SaveAsQuestion = SaveAsQuestionCheck.Checked();

    // The timer may not have corrected the field yet.
    if (auto corrected = ZoomConstCorrection(ZoomConstEdit.Text())) ZoomConstEdit.SetText(*corrected);
    s.ZoomConst = ZoomConstFromText(ZoomConstEdit.Text());
    s.FullView = FullViewCheck.Checked();
    s.AutoOpenTools = AutoOpenToolsCheck.Checked();
    s.ShowHiddenFiles = ShowHiddenFilesCheck.Checked();
    SearchNewVersion = NewVersionCheck.Checked();

    s.ChangeNum = ChangeNumCheck.Checked();
    s.WriteNode = WriteNodeCheck.Checked();

    s.ClickSound = ClickSoundCheck.Checked();
    s.ClickSoundPath = ClickSoundEdit.Text();
    AfterChoiceClick();
    s.DefaultOptions = DefaultOptionsCheck.Checked();
    s.IncludeSubDirs = IncludeSubDirsCheck.Checked();
    s.Movie = MovieCheck.Checked();
    if (auto corrected = MovieIntervalCorrection(MovieIntervalEdit.Text())) MovieIntervalEdit.SetText(*corrected);
    s.MovieInterval = MovieIntervalFromText(MovieIntervalEdit.Text());
}

void TOptionsDial::UpdateEnabled() {
    const bool startColors = !LastColorsCheck.Checked();
    FgLabel.SetEnabled(startColors);
    FgEdit.SetEnabled(startColors);
    BgLabel.SetEnabled(startColors);
    BgEdit.SetEnabled(startColors);

    const bool autoLoad = AutoLoadFileCheck.Checked();
    AutoLoadFileEdit.SetEnabled(autoLoad);
    AutoLoadFileBtn.SetEnabled(autoLoad);
    OpenInWarpWinCheck.SetEnabled(autoLoad);

    const bool backUp = BackUpFilesCheck.Checked();
    BackUpExtLabel.SetEnabled(backUp);
    BackUpExtEdit.SetEnabled(backUp);

    const bool sound = ClickSoundCheck.Checked();
    ClickSoundEdit.SetEnabled(sound);
    ClickSoundBtn.SetEnabled(sound);

    const bool defaults = DefaultOptionsCheck.Checked();
    IncludeSubDirsCheck.SetEnabled(defaults);
    MovieCheck.SetEnabled(defaults);
    // A disabled "Automatické prezeranie" takes its interval with it.
    const bool movie = defaults && MovieCheck.Checked();
    IntervalLabel.SetEnabled(movie);
    MovieIntervalEdit.SetEnabled(movie);
    TenthsLabel.SetEnabled(movie);
}

void TOptionsDial::FormActivate() { Timer1.SetEnabled(true); }

void TOptionsDial::FormDeactivate() { Timer1.SetEnabled(false); }

void TOptionsDial::PageControl1Change() {
    const int active = PageControl1.ActivePage();
    OptionsPage* pages[] = {&StartPage, &SecurityPage, &MiscPage, &WarpingPage, &BrowserPage};
    for (int i = 0; i < static_cast<int>(std::size(pages)); ++i) pages[i]->SetVisible(i == active);
}

void TOptionsDial::OKBtnClick() {
    CopyToSettings();
    SetModalResult(forms::mrOk);
    if (!InModalLoop()) Hide();
}

void TOptionsDial::CancelBtnClick() {
    SetModalResult(forms::mrCancel);
    if (!InModalLoop()) Hide();
}

void TOptionsDial::AutoLoadFileBtnClick() {
    OpenPictureDialog.fileName = AutoLoadFileEdit.Text();
    if (OpenPictureDialog.ExecuteOpen(Handle())) AutoLoadFileEdit.SetText(OpenPictureDialog.fileName);
}

void TOptionsDial::ClickSoundBtnClick() {
    OpenSoundDialog.fileName = ClickSoundEdit.Text();
    if (OpenSoundDialog.ExecuteOpen(Handle())) ClickSoundEdit.SetText(OpenSoundDialog.fileName);
}

void TOptionsDial::StartColorBtnClick(Color& shown, forms::Edit& field) {
    forms::ColorDialog dialog;
    dialog.color = shown;
    if (!dialog.ExecuteDialog(Handle())) return;
    shown = dialog.color;
    InvalidateRect(field.Handle(), nullptr, TRUE);
}

HBRUSH TOptionsDial::StartFieldColor(HWND field) {
    // A brush per colour shown, made again only when the colour changed.
    const auto brushFor = [](forms::UniqueBrush& brush, Color color) {
        LOGBRUSH lb{};
        if (!brush || !GetObjectW(brush.get(), sizeof lb, &lb) || lb.lbColor != static_cast<COLORREF>(color))
            brush.reset(CreateSolidBrush(static_cast<COLORREF>(color)));
        return brush.get();
    };
    if (field == FgEdit.Handle()) return brushFor(fgBrush_, startFg_);
    if (field == BgEdit.Handle()) return brushFor(bgBrush_, startBg_);
    return nullptr;
}

Color TOptionsDial::WarpColor(int item) const {
    if (item < 0 || item >= kWarpColorCount) return 0;
    return settings_.*kWarpColors[item];
}

void TOptionsDial::SetWarpColor(Color color) {
    const int item = WarpColorList.ItemIndex();
    if (item < 0 || item >= kWarpColorCount) return;
    settings_.*kWarpColors[item] = color;
    WarpColorBox.SetColor(color);
}

void TOptionsDial::WarpColorListClick() { WarpColorBox.SetColor(WarpColor(WarpColorList.ItemIndex())); }

void TOptionsDial::WarpColorBoxClick() {
    forms::ColorDialog dialog;
    dialog.color = WarpColor(WarpColorList.ItemIndex());
    if (dialog.ExecuteDialog(Handle())) SetWarpColor(dialog.color);
}

void TOptionsDial::AfterChoiceClick() {
    settings_.AutoMinimalize = MinimizeRadio.Checked();
    settings_.AutoRestore = RestoreRadio.Checked();
}

void TOptionsDial::Timer1Timer() {
    if (auto corrected = ZoomConstCorrection(ZoomConstEdit.Text())) ZoomConstEdit.SetText(*corrected);
    if (auto corrected = MovieIntervalCorrection(MovieIntervalEdit.Text())) MovieIntervalEdit.SetText(*corrected);
}

}  // namespace kelbo
