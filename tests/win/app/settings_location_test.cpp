// kelbo.ini lives where the profile functions put a file named without a
// directory, and our IniFile and the platform read each other's files.
#include <gtest/gtest.h>
#include <windows.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "app/ui/settings_location.h"
#include "core/ini_file.h"

namespace {

// "Čítaj ma ľščťžýáíé" in Windows-1250.
const std::string kSlovak1250 = "\xC8\xED\x74\x61\x6A\x20\x6D\x61\x20\xBE\x9A\xE8\x9D\x9E\xFD\xE1\xED\xE9";
const std::string kSlovakUtf8 = "Čítaj ma ľščťžýáíé";

class SettingsFile : public ::testing::Test {
protected:
    void SetUp() override {
        path_ = kelbo::SettingsFilePath();
        std::filesystem::remove(path_);
    }
    void TearDown() override {
        WritePrivateProfileStringA(nullptr, nullptr, nullptr, "kelbo.ini");  // drop the cache
        std::filesystem::remove(path_);
    }
    std::filesystem::path path_;
};

std::string PlatformRead(const char* section, const char* key) {
    char buffer[512];
    DWORD n = GetPrivateProfileStringA(section, key, "<missing>", buffer, sizeof buffer, "kelbo.ini");
    return std::string(buffer, n);
}

TEST_F(SettingsFile, LivesInTheWindowsDirectory) {
    wchar_t dir[MAX_PATH];
    UINT n = GetWindowsDirectoryW(dir, MAX_PATH);
    ASSERT_GT(n, 0u);
    EXPECT_EQ(path_.parent_path(), std::filesystem::path(std::wstring(dir, n)));
    EXPECT_EQ(path_.filename(), std::filesystem::path(L"kelbo.ini"));
}

TEST_F(SettingsFile, PlatformReadsWhatIniFileWrote) {
    kelbo::IniFile ini(path_);
    ini.WriteString("Menu Items", "Item0", "C:\\Obrázky\\" + kSlovakUtf8 + ".bmp");
    ini.WriteInteger("Config", "ZoomConst", 150);
    ini.WriteBool("Browser\\FastView", "Movie", true);
    ini.Save();

    EXPECT_EQ(PlatformRead("Menu Items", "Item0"), "C:\\Obr\xE1zky\\" + kSlovak1250 + ".bmp");
    EXPECT_EQ(PlatformRead("config", "ZOOMCONST"), "150");
    EXPECT_EQ(PlatformRead("browser\\fastview", "movie"), "1");
    EXPECT_EQ(PlatformRead("Config", "Absent"), "<missing>");
}

TEST_F(SettingsFile, IniFileReadsWhatThePlatformWrote) {
    ASSERT_TRUE(WritePrivateProfileStringA("OnStart", "AutoLoadFileName", kSlovak1250.c_str(), "kelbo.ini"));
    ASSERT_TRUE(WritePrivateProfileStringA("OnStart", "ViewWinPos Left", "100", "kelbo.ini"));
    WritePrivateProfileStringA(nullptr, nullptr, nullptr, "kelbo.ini");

    kelbo::IniFile ini(path_);
    EXPECT_EQ(ini.ReadString("onstart", "autoloadfilename", ""), kSlovakUtf8);
    EXPECT_EQ(ini.ReadInteger("ONSTART", "viewwinpos left", 0), 100);
    EXPECT_EQ(ini.ReadInteger("OnStart", "ViewWinPos Top", 77), 77);
}

TEST_F(SettingsFile, MissingFileGivesDefaults) {
    kelbo::IniFile ini(path_);
    EXPECT_EQ(ini.ReadInteger("Config", "ZoomConst", 150), 150);
    EXPECT_EQ(ini.ReadString("BackUp", "FileName", "BAK"), "BAK");
    EXPECT_FALSE(std::filesystem::exists(path_)) << "reading must not create the file";
}

}  // namespace
