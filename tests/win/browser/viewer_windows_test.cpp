// The palette and favourites windows and the full-screen view, driven as a
// user drives them.
#include <gtest/gtest.h>
#include <windows.h>

#include <filesystem>
#include <string>
#include <vector>

#include "app/commands.h"
#include "app/settings.h"
#include "browser/palette_sliders.h"
#include "browser/ui/viewer_commands.h"
#include "codecs/bmp_writer.h"
#include "core/ini_file.h"
#include "core/text_encoding.h"
#include "main_window_fixture.h"

namespace kelbo::testing {
namespace {

namespace fs = std::filesystem;

std::vector<int> Place(const forms::Window& w) {
    const forms::Bounds b = w.GetBounds();
    return {b.left, b.top, b.width, b.height};
}

void Mouse(HWND over, UINT msg, WPARAM keys = 0) { SendMessageW(over, msg, keys, MAKELPARAM(20, 5)); }

class Viewer : public MainWindow {
protected:
    TPalWin& Palette() { return *modules_->Viewer().PalWin(); }
    TFavouriteDlg& Favourites() { return *modules_->Viewer().FavouriteDlg(); }
    TScrnFrm& Screen() { return *modules_->Viewer().ScrnFrm(); }
    // R, G, B, H, S, L as the sliders stand.
    std::vector<int> Sliders() {
        std::vector<int> at;
        for (const forms::TrackBar& t : Palette().TrackBars) at.push_back(t.Position());
        return at;
    }
    static std::vector<int> Expected(Color c, HslSliders h) { return {RedOf(c), GreenOf(c), BlueOf(c), h.h, h.s, h.l}; }
    std::vector<std::string> Tabs() {
        std::vector<std::string> tabs;
        for (int i = 0; i < Favourites().TabControl1.TabCount(); ++i)
            tabs.push_back(Favourites().TabControl1.TabText(i));
        return tabs;
    }
    std::vector<std::string> Files() {
        std::vector<std::string> files;
        for (int i = 0; i < Favourites().ListBox1.Count(); ++i) files.push_back(Favourites().ListBox1.Item(i));
        return files;
    }
};

TEST_F(Viewer, ThePaletteSetsTheChosenColourByEitherGroupAndTheOtherFollowsQuietly) {
    TPalWin& pal = Palette();
    form_->SetFgColor(Rgb(10, 20, 30));
    form_->SetBgColor(Rgb(201, 13, 77));
    pal.BgColorClick();
    EXPECT_EQ(Sliders(), Expected(Rgb(201, 13, 77), HslSlidersOf(Rgb(201, 13, 77))));

    // A colour the HSL scale cannot hold: the RGB sliders stay where the user put them.
    const Color chosen = Rgb(201, 14, 77);
    ASSERT_NE(ColorOfHslSliders(HslSlidersOf(chosen)), chosen);
    pal.TrackBars[1].SetPosition(14);
    EXPECT_EQ(form_->ProgramSettings().BgColor, chosen);
    EXPECT_EQ(form_->ProgramSettings().FgColor, Rgb(10, 20, 30)) << "only the framed colour changes";
    EXPECT_EQ(Sliders(), Expected(chosen, HslSlidersOf(chosen)));
    EXPECT_EQ((std::vector<std::string>{pal.StaticTexts[1].Text(), pal.StaticTexts[5].Text()}),
              (std::vector<std::string>{"14", std::to_string(HslSlidersOf(chosen).l)}));
    EXPECT_EQ(pal.BgColor.GetColor(), chosen);
    EXPECT_EQ(form_->Panel1.BgColor.GetColor(), chosen);

    pal.FgColorClick();
    const HslSliders start = HslSlidersOf(Rgb(10, 20, 30));
    pal.TrackBars[5].SetPosition(80);
    const Color light = ColorOfHslSliders({start.h, start.s, 80});
    EXPECT_EQ(form_->ProgramSettings().FgColor, light);
    EXPECT_EQ(Sliders(), Expected(light, {start.h, start.s, 80}));

    form_->SetFgColor(Rgb(255, 0, 0));  // the main window's setter refreshes the box
    EXPECT_EQ(pal.FgColor.GetColor(), Rgb(255, 0, 0));
    Mouse(pal.FgColor.Handle(), WM_MOUSEMOVE);
    EXPECT_EQ(form_->Panel1.ColorInfo.Text(), "farba: \r\nR = 255\r\nG = 0\r\nB = 0\r\nI = 76");
    EXPECT_EQ(form_->Panel1.ColorBox.GetColor(), Rgb(255, 0, 0));
    Mouse(pal.Panel1.Handle(), WM_MOUSEMOVE);
    EXPECT_EQ(form_->Panel1.ColorInfo.Text(), "");
}

TEST_F(Viewer, ThePaletteDragsByItsTitleRollsClosesAndComesBackByTheMenu) {
    TPalWin& pal = Palette();
    const std::vector<int> start = Place(pal);
    EXPECT_EQ(start, (std::vector<int>{50, 2, 494, 113}));
    SetCursorPos(300, 300);
    Mouse(pal.ClosePanel1.Handle(), WM_LBUTTONDOWN, MK_LBUTTON);
    SetCursorPos(330, 290);
    Mouse(pal.ClosePanel1.Handle(), WM_MOUSEMOVE, MK_LBUTTON);
    Mouse(pal.ClosePanel1.Handle(), WM_LBUTTONUP);
    EXPECT_EQ(Place(pal), (std::vector<int>{80, -8, 494, 113}));
    const Settings& s = form_->ProgramSettings();
    EXPECT_EQ((std::vector<int>{s.PaletteLeft, s.PaletteTop}), (std::vector<int>{80, -8}));
    pal.ClosePanel1.RollButton.Click();
    EXPECT_EQ(Place(pal), (std::vector<int>{80, -8, 80, 22}));
    EXPECT_TRUE(s.PaletteAutoRollType);
    pal.ClosePanel1.CloseButton.Click();
    EXPECT_FALSE(pal.Visible());
    EXPECT_FALSE(form_->ItemChecked(Paleta1));
    SendMessageW(form_->Handle(), WM_COMMAND, Paleta1, 0);
    EXPECT_TRUE(pal.Visible());
    EXPECT_TRUE(form_->ItemChecked(Paleta1));
}

TEST_F(Viewer, FavouriteGroupsAndFilesWorkAndSurviveARestart) {
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    const fs::path dir = fs::path(temp) / L"kelbo-favourites";
    fs::create_directories(dir);
    const std::string a = PathToUtf8(dir / L"a.bmp"), b = PathToUtf8(dir / L"čierny.bmp");
    for (const std::string& path : {a, b}) WriteBmp24(PathFromUtf8(path), Bitmap24(8, 6).ConstView());

    SendMessageW(form_->Handle(), WM_COMMAND, Obbensbory1, 0);
    EXPECT_TRUE(Favourites().Visible());
    Favourites().RunMenuItem(TFavouriteDlg::Pridajskupinu1);
    Favourites().RunMenuItem(TFavouriteDlg::Pridajskupinu1);
    EXPECT_EQ(Tabs(), (std::vector<std::string>{"Rodina", "Nová skupina", "Nová skupina"}));
    Favourites().TabControl1.SetActivePage(1);
    Favourites().AskGroupName = [](const std::string& name) { return name == "Nová skupina" ? "Výlet" : ""; };
    Favourites().RunMenuItem(TFavouriteDlg::Editujskupinu1);
    Favourites().TabControl1.SetActivePage(2);
    form_->Answer = [](std::string_view, UINT) { return IDYES; };
    Favourites().RunMenuItem(TFavouriteDlg::Zmazloku1);
    EXPECT_EQ(Tabs(), (std::vector<std::string>{"Rodina", "Výlet"}));

    form_->FileDialogRunner = [&](forms::FileDialog& d, bool save) {
        d.fileNames = {a, b, a};
        return !save && d.multiSelect;
    };
    Favourites().RunMenuItem(TFavouriteDlg::Pridajsbor1);
    Favourites().RunMenuItem(TFavouriteDlg::Pridajsbor1);  // no file twice
    EXPECT_EQ(Files(), (std::vector<std::string>{a, b}));
    Favourites().ListBox1.SetItemIndex(0);
    Favourites().RunMenuItem(TFavouriteDlg::Odobersbor1);
    EXPECT_EQ(Files(), (std::vector<std::string>{b}));
    Favourites().ListBox1.SetItemIndex(0);
    Favourites().ListBox1.OnDblClick();
    PumpMessages();
    ASSERT_NE(form_->ActiveImageDocument(), nullptr);
    EXPECT_EQ(form_->ActiveImageDocument()->FileName, "čierny.bmp");

    // Through kelbo.ini into a new run's window.
    IniFile ini;
    WriteSettings(form_->ProgramSettings(), ini);
    modules_.reset();
    form_->ProgramSettings() = ReadSettings(IniFile::Parse(ini.Serialize()));
    modules_ = std::make_unique<CommandModules>(*form_);
    modules_->CreateWindows();
    EXPECT_EQ(Tabs(), (std::vector<std::string>{"Rodina", "Výlet"}));
    EXPECT_EQ(Files(), (std::vector<std::string>{b}));
    fs::remove_all(dir);
}

TEST_F(Viewer, TheFullScreenViewShowsACopyAtTheTopLeftUntilAMoveOfSixPixelsOrAKey) {
    TChildWin& doc = AddDocument(40, 30);
    form_->ProgramSettings().FullView = true;
    form_->SetBgColor(Rgb(0, 128, 0));
    SetWindowPos(form_->Handle(), nullptr, 0, 0, 500, 400, SWP_NOMOVE | SWP_NOZORDER);
    const struct {
        UINT message;
        int dx, dy;
        bool closes;
    } cases[] = {{WM_MOUSEMOVE, 5, -5, false}, {WM_MOUSEMOVE, 6, 0, true}, {WM_MOUSEMOVE, 0, -6, true},
                 {WM_KEYDOWN, 0, 0, true},     {WM_KEYUP, 0, 0, true},     {WM_RBUTTONDOWN, 0, 0, true}};
    for (const auto& c : cases) {
        SendMessageW(form_->Handle(), WM_COMMAND, Zobraznacelobrazovku1, 0);
        PumpMessages();
        ASSERT_TRUE(Screen().Visible());
        EXPECT_EQ(Place(Screen().Image1), (std::vector<int>{0, 0, 40, 30}));
        EXPECT_NE(Screen().Image1.Picture(), doc.Image1.Picture()) << "a copy";
        EXPECT_EQ(Screen().GetColor(), Rgb(0, 128, 0));
        POINT at{};
        GetCursorPos(&at);
        ScreenToClient(Screen().Image1.Handle(), &at);
        const HWND target = c.message == WM_MOUSEMOVE || c.message == WM_RBUTTONDOWN ? Screen().Image1.Handle()
                                                                                     : Screen().Handle();
        PostMessageW(target, c.message, 'A', MAKELPARAM(at.x + c.dx, at.y + c.dy));
        PumpMessages();
        EXPECT_EQ(!Screen().Visible(), c.closes) << c.message << " " << c.dx << " " << c.dy;
        Screen().Close();
        PumpMessages();
    }
    EXPECT_EQ(Place(*form_)[2], 500) << "the main window's size back";
    form_->ProgramSettings().FullView = false;
    SendMessageW(form_->Handle(), WM_COMMAND, Zobraznacelobrazovku1, 0);
    EXPECT_EQ(Screen().GetColor(), Rgb(0, 0, 0));
    Screen().Close();
}

}  // namespace
}  // namespace kelbo::testing
