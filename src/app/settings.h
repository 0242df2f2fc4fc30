// The user's settings as the program keeps them in "kelbo.ini": every key,
// its default, and the ranges a value is brought into when read.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "core/color.h"
#include "core/ini_file.h"

namespace kelbo {

inline constexpr int kRecentFileCount = 10;
// The most favourite groups, and files in a group, read back from the file.
inline constexpr int kFavouriteGroupLimit = 100;
inline constexpr int kFavouriteFileLimit = 1000;

// One tab of the favourites window: its name and its files.
struct FavouriteGroup {
    std::string name;
    std::vector<std::string> files;
    friend bool operator==(const FavouriteGroup&, const FavouriteGroup&) = default;
};

struct Settings {
    // "Browser"
    bool AutoMinimalize = false;
    bool AutoRestore = true;
    bool ClickSound = false;
    std::string ClickSoundPath;
    // "Browser\FastView"
    bool DefaultOptions = false;
    bool Movie = false;
    int MovieInterval = 20;  // tenths of a second, 1..9999
    bool IncludeSubDirs = true;
    // "Warping"
    bool WriteNode = false;
    bool ChangeNum = true;
    Color NWLineColor = Rgb(32, 32, 240);
    Color NWColor = Rgb(255, 255, 32);
    Color LWColor = Rgb(32, 255, 32);
    Color NWTextColor = Rgb(32, 32, 128);
    Color LWTextColor = Rgb(240, 240, 240);
    // "Config"
    std::uint8_t ZoomConst = 150;  // percent, 1..255
    bool CloseQuestion = false;
    bool ExitQuestion = false;
    bool DeleteQuestion = true;
    bool SaveAsQuestion = true;
    bool FullView = false;
    bool AutoOpenTools = false;
    bool ShowHiddenFiles = false;
    // "Colors"
    Color FgColor = Rgb(0, 0, 0);
    Color BgColor = Rgb(255, 255, 255);
    // "BackUp"
    bool BackUpFiles = false;
    std::string BackUpFileName = "BAK";
    // "Panels"
    bool InfoAutoRollType = false;
    bool InfoVisible = true;
    bool PaletteAutoRollType = false;
    bool PaletteVisible = true;
    int PaletteLeft = 50;
    int PaletteTop = 2;
    bool ToolsAutoRollType = false;
    bool ToolsVisible = true;
    int ToolsLeft = 50;
    int ToolsTop = 2;
    // "OnStart"
    std::string Directory = "C:";
    bool BrowserAutoOpen = false;
    bool AutoLoadFile = false;
    std::string AutoLoadFileName;
    bool OpenInWarpWin = false;
    int WindowState = 0;  // 0 normal, 1 maximised, 2 minimised
    int Left = 100;
    int Top = 100;
    int Width = 450;
    int Height = 300;
    // "Menu Items": the recent files, newest first, at most ten
    std::vector<std::string> RecentFiles;
    // "Favourites": the groups in the order of their tabs
    std::vector<FavouriteGroup> Favourites = {{"Rodina", {}}};
};

// Missing keys give the defaults; values that would break the program are
// brought into range.
Settings ReadSettings(const IniFile& ini);
// Every key in the file's order; recent files only for entries that exist.
void WriteSettings(const Settings& settings, IniFile& ini);

}  // namespace kelbo
