#include "app/settings.h"

#include <gtest/gtest.h>

#include "core/ini_file.h"

namespace kelbo {
namespace {

IniFile FromText(const std::string& text) { return IniFile::Parse(text); }

TEST(Settings, EmptyFileGivesTheDefaults) {
    const Settings s = ReadSettings(IniFile());
    EXPECT_FALSE(s.AutoMinimalize);
    EXPECT_TRUE(s.AutoRestore);
    EXPECT_EQ(s.MovieInterval, 20);
    EXPECT_TRUE(s.IncludeSubDirs);
    EXPECT_TRUE(s.ChangeNum);
    EXPECT_EQ(s.NWLineColor, Rgb(32, 32, 240));
    EXPECT_EQ(s.NWColor, Rgb(255, 255, 32));
    EXPECT_EQ(s.LWColor, Rgb(32, 255, 32));
    EXPECT_EQ(s.NWTextColor, Rgb(32, 32, 128));
    EXPECT_EQ(s.LWTextColor, Rgb(240, 240, 240));
    EXPECT_EQ(s.ZoomConst, 150);
    EXPECT_TRUE(s.DeleteQuestion);
    EXPECT_TRUE(s.SaveAsQuestion);
    EXPECT_EQ(s.FgColor, Rgb(0, 0, 0));
    EXPECT_EQ(s.BgColor, Rgb(255, 255, 255));
    EXPECT_EQ(s.BackUpFileName, "BAK");
    EXPECT_TRUE(s.InfoVisible);
    EXPECT_EQ(s.PaletteLeft, 50);
    EXPECT_EQ(s.ToolsTop, 2);
    EXPECT_EQ(s.Directory, "C:");
    EXPECT_EQ(s.WindowState, 0);
    EXPECT_EQ(s.Left, 100);
    EXPECT_EQ(s.Top, 100);
    EXPECT_EQ(s.Width, 450);
    EXPECT_EQ(s.Height, 300);
    EXPECT_TRUE(s.RecentFiles.empty());
}

TEST(Settings, ColourIsStoredAsThreeIntegers) {
    const Settings s = ReadSettings(FromText("[Colors]\r\nRed_FgColor=255\r\nGreen_FgColor=0\r\nBlue_FgColor=0\r\n"));
    EXPECT_EQ(s.FgColor, 0x0000FFu) << "pure red: red in the low byte";
    IniFile out;
    WriteSettings(s, out);
    EXPECT_EQ(out.ReadString("Colors", "Red_FgColor", ""), "255");
    EXPECT_EQ(out.ReadString("Colors", "Green_FgColor", ""), "0");
    EXPECT_EQ(out.ReadString("Colors", "Blue_BgColor", ""), "255");
    EXPECT_EQ(out.ReadString("Warping", "Blue_NWLineColor", ""), "240");
}

TEST(Settings, BooleansReadAnyNonZeroAsTrueAndWriteOneOrZero) {
    const Settings s = ReadSettings(FromText("[Config]\r\nExitQuestion=2\r\nSaveAsQuestion=0\r\n"
                                             "CloseQuestion=-1\r\nFullView=yes\r\n"));
    EXPECT_TRUE(s.ExitQuestion);
    EXPECT_FALSE(s.SaveAsQuestion);
    EXPECT_TRUE(s.CloseQuestion);
    EXPECT_FALSE(s.FullView) << "not a number: the default";
    IniFile out;
    WriteSettings(s, out);
    EXPECT_EQ(out.ReadString("Config", "ExitQuestion", ""), "1");
    EXPECT_EQ(out.ReadString("Config", "SaveAsQuestion", ""), "0");
}

TEST(Settings, HostileValuesAreBroughtIntoRange) {
    const Settings s = ReadSettings(FromText(
        "[Config]\r\nZoomConst=0\r\n[Browser\\FastView]\r\nMovieInterval=100000\r\n"
        "[OnStart]\r\nWindowState=7\r\nViewWinPos Width=-20\r\nViewWinPos Height=0\r\nViewWinPos Left=-99999\r\n"
        "[Warping]\r\nRed_NWColor=300\r\nGreen_NWColor=-4\r\n"));
    EXPECT_EQ(s.ZoomConst, 1);
    EXPECT_EQ(s.MovieInterval, 9999);
    EXPECT_EQ(s.WindowState, 0);
    EXPECT_EQ(s.Width, 450);
    EXPECT_EQ(s.Height, 300);
    EXPECT_EQ(s.Left, -32767);
    EXPECT_EQ(s.NWColor, Rgb(255, 0, 32));
    EXPECT_EQ(ReadSettings(FromText("[Config]\r\nZoomConst=300\r\n")).ZoomConst, 255);
    EXPECT_EQ(ReadSettings(FromText("[Browser\\FastView]\r\nMovieInterval=0\r\n")).MovieInterval, 1);
}

TEST(Settings, RoundTripKeepsEveryValue) {
    Settings s;
    s.ClickSound = true;
    s.ClickSoundPath = "C:\\Zvuky\\ťuk.wav";
    s.Movie = true;
    s.MovieInterval = 35;
    s.WriteNode = true;
    s.LWColor = Rgb(1, 2, 3);
    s.ZoomConst = 7;
    s.ExitQuestion = true;
    s.BackUpFileName = "ZAL";
    s.PaletteLeft = -40;
    s.ToolsVisible = false;
    s.Directory = "D:\\Obrázky";
    s.AutoLoadFile = true;
    s.AutoLoadFileName = "D:\\Obrázky\\čaj.bmp";
    s.WindowState = 2;
    s.Width = 640;
    s.RecentFiles = {"C:\\a.bmp", "C:\\Čítaj\\b.jpg"};
    IniFile ini;
    WriteSettings(s, ini);
    const Settings back = ReadSettings(IniFile::Parse(ini.Serialize()));
    EXPECT_EQ(back.ClickSoundPath, s.ClickSoundPath);
    EXPECT_EQ(back.MovieInterval, 35);
    EXPECT_TRUE(back.WriteNode);
    EXPECT_EQ(back.LWColor, Rgb(1, 2, 3));
    EXPECT_EQ(back.ZoomConst, 7);
    EXPECT_TRUE(back.ExitQuestion);
    EXPECT_EQ(back.BackUpFileName, "ZAL");
    EXPECT_EQ(back.PaletteLeft, -40);
    EXPECT_FALSE(back.ToolsVisible);
    EXPECT_EQ(back.Directory, "D:\\Obrázky");
    EXPECT_EQ(back.AutoLoadFileName, s.AutoLoadFileName);
    EXPECT_EQ(back.WindowState, 2);
    EXPECT_EQ(back.Width, 640);
    EXPECT_EQ(back.RecentFiles, s.RecentFiles);
}

TEST(Settings, RecentFilesAreWrittenOnlyForExistingEntries) {
    IniFile ini = FromText("[Menu Items]\r\nItem0=C:\\old0.bmp\r\nItem1=C:\\old1.bmp\r\nItem2=C:\\old2.bmp\r\n");
    Settings s;
    s.RecentFiles = {"C:\\new.bmp"};
    WriteSettings(s, ini);
    EXPECT_EQ(ini.ReadString("Menu Items", "Item0", ""), "C:\\new.bmp");
    EXPECT_FALSE(ini.HasKey("Menu Items", "Item1"));
    EXPECT_FALSE(ini.HasKey("Menu Items", "Item2"));
}

TEST(Settings, UnnamedRecentEntriesAreNone) {
    const Settings s = ReadSettings(
        FromText("[Menu Items]\r\nItem0=C:\\a.bmp\r\nItem1=nepomenovan\xFD\r\nItem3=C:\\d.bmp\r\n"));
    EXPECT_EQ(s.RecentFiles, (std::vector<std::string>{"C:\\a.bmp", "C:\\d.bmp"}));
}

TEST(Settings, NewFileHasTheSectionsInTheirOrder) {
    IniFile ini;
    WriteSettings(Settings{}, ini);
    EXPECT_EQ(ini.SectionNames(), (std::vector<std::string>{"Browser", "Browser\\FastView", "Warping", "Config",
                                                            "Colors", "BackUp", "Panels", "OnStart", "Favourites"}));
    const std::vector<std::string> keys = ini.KeyNames("OnStart");
    ASSERT_EQ(keys.size(), 10u);
    EXPECT_EQ(keys.front(), "Directory");
    EXPECT_EQ(keys.back(), "ViewWinPos Height");
}

TEST(Settings, FavouritesGoThroughTheFileAndHostileCountsAreCut) {
    EXPECT_EQ(ReadSettings(IniFile()).Favourites, (std::vector<FavouriteGroup>{{"Rodina", {}}}));
    Settings s;
    s.Favourites = {{"Rodina", {"C:\\a.bmp", "C:\\žltý kôň.gif"}}, {"Nová skupina", {}}};
    IniFile out;
    WriteSettings(s, out);
    EXPECT_EQ(ReadSettings(IniFile::Parse(out.Serialize())).Favourites, s.Favourites);
    s.Favourites = {{"Iná", {}}};
    WriteSettings(s, out);
    EXPECT_EQ(out.KeyNames("Favourites"), (std::vector<std::string>{"Groups", "Group0", "Group0Files"}));
    EXPECT_TRUE(ReadSettings(FromText("[Favourites]\r\nGroups=0\r\n")).Favourites.empty());
    const Settings hostile = ReadSettings(
        FromText("[Favourites]\r\nGroups=2147483647\r\nGroup0=x\r\nGroup0Files=-5\r\n"));
    EXPECT_EQ(hostile.Favourites.size(), 100u);
    EXPECT_TRUE(hostile.Favourites[0].files.empty());
}

}  // namespace
}  // namespace kelbo
