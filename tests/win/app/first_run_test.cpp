// The first-run setup against the real (Wine) registry and file system.
#include <gtest/gtest.h>
#include <windows.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "app/ui/first_run.h"
#include "forms/text.h"

namespace kelbo {
namespace {

namespace fs = std::filesystem;

std::wstring ReadValue(HKEY root, const std::wstring& path, const wchar_t* name) {
    wchar_t buffer[1024]{};
    DWORD bytes = sizeof buffer;
    if (RegGetValueW(root, path.c_str(), name, RRF_RT_REG_SZ, nullptr, buffer, &bytes) != ERROR_SUCCESS)
        return L"<none>";
    return buffer;
}

class FirstRun : public ::testing::Test {
protected:
    void SetUp() override {
        RegDeleteTreeW(HKEY_LOCAL_MACHINE, kProgramKey);
        RegDeleteTreeW(HKEY_CLASSES_ROOT, kClassKey);
        RegDeleteTreeW(HKEY_CLASSES_ROOT, L".gif");
        RegDeleteTreeW(HKEY_CLASSES_ROOT, L"Kelbo.Image");
        wchar_t temp[MAX_PATH];
        GetTempPathW(MAX_PATH, temp);
        root_ = fs::path(temp) / L"kelbo-first-run";
        fs::remove_all(root_);
        fs::create_directories(root_ / L"program");
        fs::create_directories(root_ / L"windows");
        paths_.programDir = (root_ / L"program").wstring();
        paths_.windowsDir = (root_ / L"windows").wstring();
        paths_.programFile = paths_.programDir + L"\\kelbo.exe";
    }
    void TearDown() override {
        RegDeleteTreeW(HKEY_LOCAL_MACHINE, kProgramKey);
        fs::remove_all(root_);
    }
    void PlaceLibrary(const std::string& bytes) {
        std::ofstream out(fs::path(paths_.programDir) / L"KelboMenu.dll", std::ios::binary);
        out << bytes;
    }

    static constexpr const wchar_t* kClassKey = L"CLSID\\{64e4780e-1894-4ba0-8303-b3742f026881}";
    fs::path root_;
    FirstRunPaths paths_;
};

TEST_F(FirstRun, RecordsRegistersHooksAndCopies) {
    PlaceLibrary(std::string(20000, 'k') + "end");
    // An extension that already names a file type keeps it.
    HKEY bmp = nullptr;
    RegCreateKeyExW(HKEY_CLASSES_ROOT, L".bmp", 0, nullptr, 0, KEY_WRITE, nullptr, &bmp, nullptr);
    const wchar_t paint[] = L"Paint.Picture";
    RegSetValueExW(bmp, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(paint), sizeof paint);
    RegCloseKey(bmp);

    int maximised = 0;
    std::string reported;
    const FirstRunResult result = RunFirstRunSetup(
        paths_, [&](const std::string& m) { reported = m; }, [&] { ++maximised; });
    EXPECT_EQ(result, FirstRunResult::kDone) << reported;
    EXPECT_EQ(maximised, 1);
    EXPECT_TRUE(AlreadySetUp());
    EXPECT_EQ(ReadValue(HKEY_LOCAL_MACHINE, kProgramKey, L"RootDir"), paths_.programDir);
    EXPECT_EQ(ReadValue(HKEY_LOCAL_MACHINE, kProgramKey, L"Version"), L"2.0");
    EXPECT_EQ(ReadValue(HKEY_LOCAL_MACHINE, kProgramKey, L"BuiltOn"), L"25. april 2000");
    EXPECT_EQ(ReadValue(HKEY_CLASSES_ROOT, kClassKey, nullptr), L"Kelbo 2.0 Context Menu library");
    EXPECT_EQ(ReadValue(HKEY_CLASSES_ROOT, std::wstring(kClassKey) + L"\\InProcServer32", nullptr), L"KelboMenu.dll");
    EXPECT_EQ(ReadValue(HKEY_CLASSES_ROOT, std::wstring(kClassKey) + L"\\InProcServer32", L"ThreadingModel"),
              L"Apartment");
    EXPECT_EQ(ReadValue(HKEY_CLASSES_ROOT, L".bmp", nullptr), L"Paint.Picture");
    EXPECT_EQ(
        ReadValue(HKEY_CLASSES_ROOT,
                  L"Paint.Picture\\shellex\\ContextMenuHandlers\\{64e4780e-1894-4ba0-8303-b3742f026881}", nullptr),
        L"");
    EXPECT_EQ(ReadValue(HKEY_CLASSES_ROOT, L".gif", nullptr), L"Kelbo.Image");
    EXPECT_EQ(ReadValue(HKEY_CLASSES_ROOT,
                        L"Kelbo.Image\\shellex\\ContextMenuHandlers\\{64e4780e-1894-4ba0-8303-b3742f026881}", nullptr),
              L"");

    std::ifstream copied(fs::path(paths_.windowsDir) / L"KelboMenu.dll", std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(copied)), {});
    EXPECT_EQ(bytes, std::string(20000, 'k') + "end");

    EXPECT_EQ(RunFirstRunSetup(paths_, nullptr, [&] { ++maximised; }), FirstRunResult::kAlreadySetUp);
    EXPECT_EQ(maximised, 1) << "a set-up version does nothing";
}

TEST_F(FirstRun, MakesTheShortcuts) {
    PlaceLibrary("x");
    ASSERT_EQ(RunFirstRunSetup(paths_, nullptr, nullptr), FirstRunResult::kDone);
    const std::wstring desktop = ReadValue(
        HKEY_CURRENT_USER, L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders", L"Desktop");
    const std::wstring programs = ReadValue(
        HKEY_CURRENT_USER, L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders", L"Programs");
    ASSERT_NE(desktop, L"<none>");
    ASSERT_NE(programs, L"<none>");
    EXPECT_TRUE(fs::exists(fs::path(desktop) / L"Kelbo.lnk"));
    const fs::path folder = fs::path(programs) / L"Kelbo 2.0";
    EXPECT_TRUE(fs::exists(folder / L"Kelbo.lnk"));
    EXPECT_TRUE(fs::exists(folder / L"Nápoveda.lnk"));
    EXPECT_TRUE(fs::exists(folder / L"Čítaj ma.lnk"));
    fs::remove(fs::path(desktop) / L"Kelbo.lnk");
    fs::remove_all(folder);
}

TEST_F(FirstRun, AMissingLibraryStopsTheSetupSoTheNextStartTriesAgain) {
    std::string reported;
    EXPECT_EQ(RunFirstRunSetup(
                  paths_, [&](const std::string& m) { reported = m; }, nullptr),
              FirstRunResult::kCopyFailed);
    EXPECT_EQ(reported.rfind("Cannot open file ", 0), 0u) << reported;
    EXPECT_NE(reported.find("KelboMenu.dll"), std::string::npos);
    EXPECT_FALSE(AlreadySetUp());
    EXPECT_EQ(ReadValue(HKEY_LOCAL_MACHINE, kProgramKey, L"RootDir"), L"<none>");
}

TEST_F(FirstRun, AnUnwritableDestinationReportsCannotCreate) {
    PlaceLibrary("x");
    paths_.windowsDir = (root_ / L"missing" / L"deeper").wstring();
    std::string reported;
    EXPECT_EQ(RunFirstRunSetup(
                  paths_, [&](const std::string& m) { reported = m; }, nullptr),
              FirstRunResult::kCopyFailed);
    EXPECT_EQ(reported.rfind("Cannot create file ", 0), 0u) << reported;
}

}  // namespace
}  // namespace kelbo
