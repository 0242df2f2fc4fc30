// The main window reads kelbo.ini at creation and writes it at destruction,
// unless started with "-I".
#include <gtest/gtest.h>
#include <windows.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "app/ui/settings_location.h"
#include "app/ui/view_form.h"
#include "core/ini_file.h"
#include "main_window_fixture.h"

namespace kelbo::testing {
namespace {

std::string ReadAll(const std::filesystem::path& p) {
    std::ifstream in(p, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

void WriteAll(const std::filesystem::path& p, const std::string& bytes) {
    std::ofstream out(p, std::ios::binary | std::ios::trunc);
    out << bytes;
}

class SettingsAtStart : public ::testing::Test {
protected:
    void SetUp() override {
        path_ = SettingsFilePath();
        std::filesystem::remove(path_);
        GetCurrentDirectoryW(MAX_PATH, cwd_);
    }
    void TearDown() override {
        std::filesystem::remove(path_);
        SetCurrentDirectoryW(cwd_);
        PumpMessages();
    }
    static std::unique_ptr<TViewForm> Start(bool noSettings) {
        auto form = std::make_unique<TViewForm>(StartOptions{noSettings, true, true, {}});
        form->Create();
        return form;
    }
    std::filesystem::path path_;
    wchar_t cwd_[MAX_PATH]{};
};

TEST_F(SettingsAtStart, SwitchIUsesDefaultsAndLeavesTheFileUntouched) {
    const std::string text = "[Config]\r\nExitQuestion=1\r\n[Colors]\r\nRed_FgColor=255\r\n";
    WriteAll(path_, text);
    auto form = Start(true);
    EXPECT_FALSE(form->Options.ExitQuestion);
    EXPECT_EQ(form->Options.FgColor, Rgb(0, 0, 0));
    form->Options.ZoomConst = 9;
    form.reset();
    EXPECT_EQ(ReadAll(path_), text);
}

TEST_F(SettingsAtStart, StoredColoursReachTheColourBoxes) {
    WriteAll(path_, "[Colors]\r\nRed_FgColor=255\r\nGreen_FgColor=0\r\nBlue_FgColor=0\r\n"
                    "Red_BgColor=0\r\nGreen_BgColor=128\r\nBlue_BgColor=0\r\n");
    auto form = Start(false);
    EXPECT_EQ(form->Options.FgColor, Rgb(255, 0, 0));
    EXPECT_EQ(form->Panel1.FgColor.GetColor(), Rgb(255, 0, 0));
    EXPECT_EQ(form->Panel1.BgColor.GetColor(), Rgb(0, 128, 0));
}

TEST_F(SettingsAtStart, BoundsAreAppliedUnlessMaximised) {
    WriteAll(path_, "[OnStart]\r\nWindowState=0\r\nViewWinPos Left=30\r\nViewWinPos Top=40\r\n"
                    "ViewWinPos Width=500\r\nViewWinPos Height=350\r\n");
    {
        auto form = Start(false);
        EXPECT_EQ(form->GetBounds(), (forms::Bounds{30, 40, 500, 350}));
        form->Options.WindowState = 0;
    }
    WriteAll(path_, "[OnStart]\r\nWindowState=1\r\nViewWinPos Left=30\r\nViewWinPos Top=40\r\n"
                    "ViewWinPos Width=500\r\nViewWinPos Height=350\r\n");
    auto form = Start(false);
    EXPECT_NE(form->GetBounds(), (forms::Bounds{30, 40, 500, 350})) << "stored bounds not applied before maximising";
    form->ShowAtStart();
    PumpMessages();
    EXPECT_TRUE(IsZoomed(form->Handle()));
}

TEST_F(SettingsAtStart, ExitWritesTheSettingsAndARecentSlovakPathSurvives) {
    {
        auto form = Start(false);
        form->Options.RecentFiles = {"C:\\Obrázky\\ľščťžýáíé.bmp"};
        form->Options.ZoomConst = 77;
        form->RunCommand(Informanlita1);  // hide the information panel
    }
    ASSERT_TRUE(std::filesystem::exists(path_));
    const std::string bytes = ReadAll(path_);
    EXPECT_NE(bytes.find("Item0=C:\\Obr\xE1zky\\\xBE\x9A\xE8\x9D\x9E\xFD\xE1\xED\xE9.bmp"), std::string::npos)
        << "the file holds Windows-1250";
    EXPECT_NE(bytes.find("InfoVisible=0"), std::string::npos);
    auto again = Start(false);
    EXPECT_EQ(again->Options.RecentFiles, (std::vector<std::string>{"C:\\Obrázky\\ľščťžýáíé.bmp"}));
    EXPECT_EQ(again->Options.ZoomConst, 77);
    EXPECT_FALSE(again->Panel1.Visible());
}

TEST_F(SettingsAtStart, DirectoryIsEnteredAndAMissingOneIgnored) {
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    std::wstring dir(temp);
    if (!dir.empty() && dir.back() == L'\\') dir.pop_back();
    IniFile ini(path_);
    ini.WriteString("OnStart", "Directory", forms::Narrow(dir));
    ini.Save();
    auto form = Start(false);
    wchar_t now[MAX_PATH];
    GetCurrentDirectoryW(MAX_PATH, now);
    EXPECT_EQ(_wcsicmp(now, dir.c_str()), 0);
    form.reset();

    SetCurrentDirectoryW(cwd_);
    IniFile missing(path_);
    missing.WriteString("OnStart", "Directory", "Q:\\neexistuje");
    missing.Save();
    auto other = Start(false);
    GetCurrentDirectoryW(MAX_PATH, now);
    EXPECT_EQ(_wcsicmp(now, cwd_), 0);
}

}  // namespace
}  // namespace kelbo::testing
