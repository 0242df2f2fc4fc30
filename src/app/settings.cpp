#include "app/settings.h"

#include <algorithm>

namespace kelbo {

namespace {

constexpr char kBrowser[] = "Browser";
constexpr char kFastView[] = "Browser\\FastView";
constexpr char kWarping[] = "Warping";
constexpr char kConfig[] = "Config";
constexpr char kColors[] = "Colors";
constexpr char kBackUp[] = "BackUp";
constexpr char kPanels[] = "Panels";
constexpr char kOnStart[] = "OnStart";
constexpr char kMenuItems[] = "Menu Items";
constexpr char kFavourites[] = "Favourites";
constexpr char kNone[] = "nepomenovaný";

// Window coordinates beyond this are nonsense on any screen and overflow
// the platform's 16-bit drawing on old systems.
constexpr int kCoordinateLimit = 32767;

int Clamp(int v, int lo, int hi) { return std::clamp(v, lo, hi); }

Color ReadColor(const IniFile& ini, const char* section, const std::string& name, Color fallback) {
    const int r = Clamp(ini.ReadInteger(section, "Red_" + name, RedOf(fallback)), 0, 255);
    const int g = Clamp(ini.ReadInteger(section, "Green_" + name, GreenOf(fallback)), 0, 255);
    const int b = Clamp(ini.ReadInteger(section, "Blue_" + name, BlueOf(fallback)), 0, 255);
    return Rgb(static_cast<std::uint8_t>(r), static_cast<std::uint8_t>(g), static_cast<std::uint8_t>(b));
}

void WriteColor(IniFile& ini, const char* section, const std::string& name, Color c) {
    ini.WriteInteger(section, "Red_" + name, RedOf(c));
    ini.WriteInteger(section, "Green_" + name, GreenOf(c));
    ini.WriteInteger(section, "Blue_" + name, BlueOf(c));
}

int ReadCoordinate(const IniFile& ini, const char* section, const char* key, int fallback) {
    return Clamp(ini.ReadInteger(section, key, fallback), -kCoordinateLimit, kCoordinateLimit);
}

// A size that cannot be a window's falls back to the default.
int ReadExtent(const IniFile& ini, const char* key, int fallback) {
    const int v = ini.ReadInteger(kOnStart, key, fallback);
    return v >= 1 && v <= kCoordinateLimit ? v : fallback;
}

std::string GroupKey(std::size_t group, std::string_view what) {
    return "Group" + std::to_string(group) + std::string(what);
}

// "Groups" = n, then "Group<i>" = name, "Group<i>Files" = m and
// "Group<i>File<j>" = path; counts beyond the limits are cut to them.
std::vector<FavouriteGroup> ReadFavourites(const IniFile& ini, const std::vector<FavouriteGroup>& fallback) {
    if (!ini.HasSection(kFavourites)) return fallback;
    std::vector<FavouriteGroup> groups;
    const int count = Clamp(ini.ReadInteger(kFavourites, "Groups", 0), 0, kFavouriteGroupLimit);
    for (int g = 0; g < count; ++g) {
        FavouriteGroup group{ini.ReadString(kFavourites, GroupKey(g, ""), ""), {}};
        const int files = Clamp(ini.ReadInteger(kFavourites, GroupKey(g, "Files"), 0), 0, kFavouriteFileLimit);
        for (int f = 0; f < files; ++f) {
            const std::string path = ini.ReadString(kFavourites, GroupKey(g, "File" + std::to_string(f)), "");
            if (!path.empty()) group.files.push_back(path);
        }
        groups.push_back(std::move(group));
    }
    return groups;
}

void WriteFavourites(const std::vector<FavouriteGroup>& groups, IniFile& ini) {
    // Rewritten whole: groups and files taken away must not come back.
    ini.EraseSection(kFavourites);
    const std::size_t count = std::min<std::size_t>(groups.size(), kFavouriteGroupLimit);
    ini.WriteInteger(kFavourites, "Groups", static_cast<int>(count));
    for (std::size_t g = 0; g < count; ++g) {
        ini.WriteString(kFavourites, GroupKey(g, ""), groups[g].name);
        const std::size_t files = std::min<std::size_t>(groups[g].files.size(), kFavouriteFileLimit);
        ini.WriteInteger(kFavourites, GroupKey(g, "Files"), static_cast<int>(files));
        for (std::size_t f = 0; f < files; ++f)
            ini.WriteString(kFavourites, GroupKey(g, "File" + std::to_string(f)), groups[g].files[f]);
    }
}

}  // namespace

Settings ReadSettings(const IniFile& ini) {
    Settings s;
    const Settings d;
    s.AutoMinimalize = ini.ReadBool(kBrowser, "AutoMinimalize", d.AutoMinimalize);
    s.AutoRestore = ini.ReadBool(kBrowser, "AutoRestore", d.AutoRestore);
    s.ClickSound = ini.ReadBool(kBrowser, "ClickSound", d.ClickSound);
    s.ClickSoundPath = ini.ReadString(kBrowser, "ClickSoundPath", d.ClickSoundPath);
    s.DefaultOptions = ini.ReadBool(kFastView, "DefaultOptions", d.DefaultOptions);
    s.Movie = ini.ReadBool(kFastView, "Movie", d.Movie);
    s.MovieInterval = Clamp(ini.ReadInteger(kFastView, "MovieInterval", d.MovieInterval), 1, 9999);
    s.IncludeSubDirs = ini.ReadBool(kFastView, "IncludeSubDirs", d.IncludeSubDirs);

    s.WriteNode = ini.ReadBool(kWarping, "WriteNode", d.WriteNode);
    s.ChangeNum = ini.ReadBool(kWarping, "ChangeNum", d.ChangeNum);
    s.NWLineColor = ReadColor(ini, kWarping, "NWLineColor", d.NWLineColor);
    s.NWColor = ReadColor(ini, kWarping, "NWColor", d.NWColor);
    s.LWColor = ReadColor(ini, kWarping, "LWColor", d.LWColor);
    s.NWTextColor = ReadColor(ini, kWarping, "NWTextColor", d.NWTextColor);
    s.LWTextColor = ReadColor(ini, kWarping, "LWTextColor", d.LWTextColor);

    // The zoom tool divides by it and it is held in one byte.
    s.ZoomConst = static_cast<std::uint8_t>(Clamp(ini.ReadInteger(kConfig, "ZoomConst", d.ZoomConst), 1, 255));
    s.FgColor = ReadColor(ini, kColors, "FgColor", d.FgColor);
    s.BgColor = ReadColor(ini, kColors, "BgColor", d.BgColor);
    s.CloseQuestion = ini.ReadBool(kConfig, "CloseQuestion", d.CloseQuestion);
    s.ExitQuestion = ini.ReadBool(kConfig, "ExitQuestion", d.ExitQuestion);
    s.DeleteQuestion = ini.ReadBool(kConfig, "DeleteQuestion", d.DeleteQuestion);
    s.SaveAsQuestion = ini.ReadBool(kConfig, "SaveAsQuestion", d.SaveAsQuestion);
    s.FullView = ini.ReadBool(kConfig, "FullView", d.FullView);
    s.AutoOpenTools = ini.ReadBool(kConfig, "AutoOpenTools", d.AutoOpenTools);
    s.ShowHiddenFiles = ini.ReadBool(kConfig, "ShowHiddenFiles", d.ShowHiddenFiles);
    s.BackUpFiles = ini.ReadBool(kBackUp, "BackUpFiles", d.BackUpFiles);
    s.BackUpFileName = ini.ReadString(kBackUp, "FileName", d.BackUpFileName);

    s.InfoAutoRollType = ini.ReadBool(kPanels, "Info_AutoRollType", d.InfoAutoRollType);
    s.InfoVisible = ini.ReadBool(kPanels, "InfoVisible", d.InfoVisible);
    s.PaletteAutoRollType = ini.ReadBool(kPanels, "Palette_AutoRollType", d.PaletteAutoRollType);
    s.PaletteVisible = ini.ReadBool(kPanels, "PaletteVisible", d.PaletteVisible);
    s.PaletteLeft = ReadCoordinate(ini, kPanels, "PaletteLeft", d.PaletteLeft);
    s.PaletteTop = ReadCoordinate(ini, kPanels, "PaletteTop", d.PaletteTop);
    s.ToolsAutoRollType = ini.ReadBool(kPanels, "Tools_AutoRollType", d.ToolsAutoRollType);
    s.ToolsVisible = ini.ReadBool(kPanels, "ToolsVisible", d.ToolsVisible);
    s.ToolsLeft = ReadCoordinate(ini, kPanels, "ToolsLeft", d.ToolsLeft);
    s.ToolsTop = ReadCoordinate(ini, kPanels, "ToolsTop", d.ToolsTop);

    s.Directory = ini.ReadString(kOnStart, "Directory", d.Directory);
    s.BrowserAutoOpen = ini.ReadBool(kOnStart, "BrowserAutoOpen", d.BrowserAutoOpen);
    s.AutoLoadFile = ini.ReadBool(kOnStart, "AutoLoadFile", d.AutoLoadFile);
    s.AutoLoadFileName = ini.ReadString(kOnStart, "AutoLoadFileName", d.AutoLoadFileName);
    s.OpenInWarpWin = ini.ReadBool(kOnStart, "OpenInWarpWin", d.OpenInWarpWin);
    const int state = ini.ReadInteger(kOnStart, "WindowState", d.WindowState);
    s.WindowState = state >= 0 && state <= 2 ? state : d.WindowState;
    s.Left = ReadCoordinate(ini, kOnStart, "ViewWinPos Left", d.Left);
    s.Top = ReadCoordinate(ini, kOnStart, "ViewWinPos Top", d.Top);
    s.Width = ReadExtent(ini, "ViewWinPos Width", d.Width);
    s.Height = ReadExtent(ini, "ViewWinPos Height", d.Height);

    for (int i = 0; i < kRecentFileCount; ++i) {
        const std::string item = ini.ReadString(kMenuItems, "Item" + std::to_string(i), kNone);
        if (!item.empty() && item != kNone) s.RecentFiles.push_back(item);
    }
    s.Favourites = ReadFavourites(ini, d.Favourites);
    return s;
}

void WriteSettings(const Settings& s, IniFile& ini) {
    ini.WriteBool(kBrowser, "AutoMinimalize", s.AutoMinimalize);
    ini.WriteBool(kBrowser, "AutoRestore", s.AutoRestore);
    ini.WriteBool(kBrowser, "ClickSound", s.ClickSound);
    ini.WriteString(kBrowser, "ClickSoundPath", s.ClickSoundPath);
    ini.WriteBool(kFastView, "DefaultOptions", s.DefaultOptions);
    ini.WriteBool(kFastView, "Movie", s.Movie);
    ini.WriteInteger(kFastView, "MovieInterval", s.MovieInterval);
    ini.WriteBool(kFastView, "IncludeSubDirs", s.IncludeSubDirs);

    ini.WriteBool(kWarping, "WriteNode", s.WriteNode);
    ini.WriteBool(kWarping, "ChangeNum", s.ChangeNum);
    WriteColor(ini, kWarping, "NWLineColor", s.NWLineColor);
    WriteColor(ini, kWarping, "NWColor", s.NWColor);
    WriteColor(ini, kWarping, "LWColor", s.LWColor);
    WriteColor(ini, kWarping, "NWTextColor", s.NWTextColor);
    WriteColor(ini, kWarping, "LWTextColor", s.LWTextColor);

    ini.WriteInteger(kConfig, "ZoomConst", s.ZoomConst);
    ini.WriteBool(kConfig, "CloseQuestion", s.CloseQuestion);
    ini.WriteBool(kConfig, "ExitQuestion", s.ExitQuestion);
    ini.WriteBool(kConfig, "DeleteQuestion", s.DeleteQuestion);
    ini.WriteBool(kConfig, "SaveAsQuestion", s.SaveAsQuestion);
    ini.WriteBool(kConfig, "FullView", s.FullView);
    ini.WriteBool(kConfig, "AutoOpenTools", s.AutoOpenTools);
    ini.WriteBool(kConfig, "ShowHiddenFiles", s.ShowHiddenFiles);
    WriteColor(ini, kColors, "FgColor", s.FgColor);
    WriteColor(ini, kColors, "BgColor", s.BgColor);
    ini.WriteBool(kBackUp, "BackUpFiles", s.BackUpFiles);
    ini.WriteString(kBackUp, "FileName", s.BackUpFileName);

    ini.WriteBool(kPanels, "Info_AutoRollType", s.InfoAutoRollType);
    ini.WriteBool(kPanels, "InfoVisible", s.InfoVisible);
    ini.WriteBool(kPanels, "Palette_AutoRollType", s.PaletteAutoRollType);
    ini.WriteBool(kPanels, "PaletteVisible", s.PaletteVisible);
    ini.WriteInteger(kPanels, "PaletteLeft", s.PaletteLeft);
    ini.WriteInteger(kPanels, "PaletteTop", s.PaletteTop);
    ini.WriteBool(kPanels, "Tools_AutoRollType", s.ToolsAutoRollType);
    ini.WriteBool(kPanels, "ToolsVisible", s.ToolsVisible);
    ini.WriteInteger(kPanels, "ToolsLeft", s.ToolsLeft);
    ini.WriteInteger(kPanels, "ToolsTop", s.ToolsTop);

    ini.WriteString(kOnStart, "Directory", s.Directory);
    ini.WriteBool(kOnStart, "BrowserAutoOpen", s.BrowserAutoOpen);
    ini.WriteBool(kOnStart, "AutoLoadFile", s.AutoLoadFile);
    ini.WriteString(kOnStart, "AutoLoadFileName", s.AutoLoadFileName);
    ini.WriteBool(kOnStart, "OpenInWarpWin", s.OpenInWarpWin);
    ini.WriteInteger(kOnStart, "WindowState", s.WindowState);
    ini.WriteInteger(kOnStart, "ViewWinPos Left", s.Left);
    ini.WriteInteger(kOnStart, "ViewWinPos Top", s.Top);
    ini.WriteInteger(kOnStart, "ViewWinPos Width", s.Width);
    ini.WriteInteger(kOnStart, "ViewWinPos Height", s.Height);

    const int count = std::min(static_cast<int>(s.RecentFiles.size()), kRecentFileCount);
    for (int i = 0; i < count; ++i) ini.WriteString(kMenuItems, "Item" + std::to_string(i), s.RecentFiles[i]);
    // Entries beyond the list must not survive from an earlier, longer list.
    for (int i = count; i < kRecentFileCount; ++i) ini.EraseKey(kMenuItems, "Item" + std::to_string(i));
    WriteFavourites(s.Favourites, ini);
}

}  // namespace kelbo
