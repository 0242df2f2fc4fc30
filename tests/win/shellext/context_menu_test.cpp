// KelboMenu.dll through the real COM machinery: registered from the build's
// folder, created with CoCreateInstance, driven as Explorer drives it.
#include <gtest/gtest.h>
#include <windows.h>
#include <shlobj.h>

#include <atomic>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>

#include "file_data_object.h"
#include "shellext/clsid.h"

namespace kelbo::testing {
namespace {

std::wstring BinFolder() {
    wchar_t path[MAX_PATH];
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring folder = path;
    return folder.substr(0, folder.find_last_of(L'\\'));
}

CLSID Clsid() {
    const auto& g = shellext::kContextMenuClsid;
    CLSID id{g.data1, g.data2, g.data3, {}};
    for (int i = 0; i < 8; ++i) id.Data4[i] = g.data4[i];
    return id;
}

std::wstring ClassKey() {
    wchar_t text[64];
    StringFromGUID2(Clsid(), text, 64);
    return std::wstring(L"CLSID\\") + text;
}

bool KeyExists(const std::wstring& path) {
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_CLASSES_ROOT, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
    RegCloseKey(key);
    return true;
}

void SetRootDir(const wchar_t* value) {
    HKEY key = nullptr;
    RegCreateKeyExW(HKEY_LOCAL_MACHINE, L"SOFTWARE\\Kelbo", 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr);
    if (value) {
        RegSetValueExW(key, L"RootDir", 0, REG_SZ, reinterpret_cast<const BYTE*>(value),
                       static_cast<DWORD>((wcslen(value) + 1) * sizeof(wchar_t)));
    } else {
        RegDeleteValueW(key, L"RootDir");
    }
    RegCloseKey(key);
}

class ContextMenuServer : public ::testing::Test {
protected:
    void SetUp() override {
        CoInitialize(nullptr);
        library_ = LoadLibraryW((BinFolder() + L"\\KelboMenu.dll").c_str());
        ASSERT_NE(library_, nullptr);
        ASSERT_EQ(Call("DllRegisterServer"), S_OK);
    }
    void TearDown() override {
        EXPECT_EQ(Call("DllUnregisterServer"), S_OK);
        EXPECT_FALSE(KeyExists(ClassKey()));
        FreeLibrary(library_);
        CoUninitialize();
    }
    HRESULT Call(const char* name) {
        using Entry = HRESULT(STDAPICALLTYPE*)();
        return reinterpret_cast<Entry>(reinterpret_cast<void*>(GetProcAddress(library_, name)))();
    }
    // A context menu initialised with one file.
    IContextMenu* MenuFor(const std::wstring& file) {
        IShellExtInit* init = nullptr;
        EXPECT_EQ(CoCreateInstance(Clsid(), nullptr, CLSCTX_INPROC_SERVER, IID_IShellExtInit,
                                   reinterpret_cast<void**>(&init)),
                  S_OK);
        if (!init) return nullptr;
        FileDataObject data({file});
        EXPECT_EQ(init->Initialize(nullptr, &data, nullptr), S_OK);
        IContextMenu* menu = nullptr;
        init->QueryInterface(IID_IContextMenu, reinterpret_cast<void**>(&menu));
        init->Release();
        return menu;
    }
    HMODULE library_ = nullptr;
};

TEST_F(ContextMenuServer, RegistersInitialisesAndOffersItsItem) {
    EXPECT_TRUE(KeyExists(ClassKey() + L"\\InprocServer32"));
    IShellExtInit* init = nullptr;
    ASSERT_EQ(
        CoCreateInstance(Clsid(), nullptr, CLSCTX_INPROC_SERVER, IID_IShellExtInit, reinterpret_cast<void**>(&init)),
        S_OK);
    EXPECT_EQ(Call("DllCanUnloadNow"), S_FALSE);
    FileDataObject none({}), two({L"C:\\a.bmp", L"C:\\b.bmp"}), one({L"C:\\a.bmp"});
    EXPECT_EQ(init->Initialize(nullptr, nullptr, nullptr), E_FAIL);
    EXPECT_EQ(init->Initialize(nullptr, &none, nullptr), E_FAIL);
    EXPECT_EQ(init->Initialize(nullptr, &two, nullptr), E_FAIL);
    EXPECT_EQ(init->Initialize(nullptr, &one, nullptr), S_OK);

    IContextMenu* menu = nullptr;
    ASSERT_EQ(init->QueryInterface(IID_IContextMenu, reinterpret_cast<void**>(&menu)), S_OK);
    HMENU popup = CreatePopupMenu();
    AppendMenuW(popup, MF_STRING, 1, L"Otvoriť");
    AppendMenuW(popup, MF_STRING, 2, L"Tlačiť");
    EXPECT_EQ(menu->QueryContextMenu(popup, 1, 100, 200, CMF_NORMAL), MAKE_HRESULT(SEVERITY_SUCCESS, 0, 1));
    wchar_t caption[32] = {};
    GetMenuStringW(popup, 1, caption, 32, MF_BYPOSITION);
    EXPECT_STREQ(caption, L"Kelbo");
    EXPECT_EQ(GetMenuItemID(popup, 1), 100u);
    DestroyMenu(popup);

    char narrow[64] = {};
    wchar_t wide[64] = {};
    EXPECT_EQ(menu->GetCommandString(1, GCS_HELPTEXTA, nullptr, narrow, 64), E_INVALIDARG);
    EXPECT_EQ(menu->GetCommandString(0, GCS_HELPTEXTW, nullptr, reinterpret_cast<char*>(wide), 64), S_OK);
    EXPECT_STREQ(wide, L"Otvára obrázok v programe Kelbo.");
    EXPECT_EQ(menu->GetCommandString(0, GCS_HELPTEXTA, nullptr, narrow, 64), S_OK);
    char expected[64] = {};
    WideCharToMultiByte(CP_ACP, 0, L"Otvára obrázok v programe Kelbo.", -1, expected, 64, nullptr, nullptr);
    EXPECT_STREQ(narrow, expected);

    CMINVOKECOMMANDINFO info{};
    info.cbSize = sizeof(info);
    info.lpVerb = "open";
    EXPECT_EQ(menu->InvokeCommand(&info), E_FAIL);
    info.lpVerb = MAKEINTRESOURCEA(1);
    EXPECT_EQ(menu->InvokeCommand(&info), E_INVALIDARG);
    menu->Release();
    init->Release();
    EXPECT_EQ(Call("DllCanUnloadNow"), S_OK);
}

TEST_F(ContextMenuServer, StartsKelboWithTheFileAsOneArgument) {
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    const std::wstring folder = std::wstring(temp) + L"Kelbo test dir";
    CreateDirectoryW(folder.c_str(), nullptr);
    ASSERT_TRUE(CopyFileW((BinFolder() + L"\\kelbo-standin.exe").c_str(), (folder + L"\\kelbo.exe").c_str(), FALSE));
    const std::wstring out = folder + L"\\args.txt";
    SetEnvironmentVariableW(L"KELBO_STANDIN_OUT", out.c_str());
    const std::wstring picture = L"C:\\My pictures\\a b.bmp";
    const std::string pictureUtf8 = "C:\\My pictures\\a b.bmp\n";
    const auto run = [&](const std::wstring& rootDir) {
        DeleteFileW(out.c_str());
        SetRootDir(rootDir.c_str());
        IContextMenu* menu = MenuFor(picture);
        CMINVOKECOMMANDINFO info{};
        info.cbSize = sizeof(info);
        info.lpVerb = MAKEINTRESOURCEA(0);
        info.nShow = SW_SHOWNORMAL;
        EXPECT_EQ(menu->InvokeCommand(&info), S_OK);
        menu->Release();
        for (int i = 0; i < 100 && GetFileAttributesW(out.c_str()) == INVALID_FILE_ATTRIBUTES; ++i) Sleep(100);
        Sleep(200);
        std::ifstream file(std::filesystem::path(out), std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(file), {});
    };
    const std::string withSlash = run(folder + L"\\");
    EXPECT_EQ(withSlash.substr(0, 2), "2\n") << "two arguments, the program and the file: " << withSlash;
    EXPECT_NE(withSlash.find(pictureUtf8), std::string::npos) << withSlash;
    EXPECT_EQ(run(folder), withSlash);

    // No "RootDir": the start fails, the error box is shown (and closed here), the result is S_OK.
    SetRootDir(nullptr);
    std::atomic<bool> boxSeen = false;
    std::thread closer([&] {
        for (int i = 0; i < 100 && !boxSeen; ++i) {
            if (const HWND box = FindWindowW(L"#32770", L"Chyba")) {
                boxSeen = true;
                PostMessageW(box, WM_COMMAND, IDOK, 0);
            }
            Sleep(100);
        }
    });
    IContextMenu* menu = MenuFor(picture);
    CMINVOKECOMMANDINFO info{};
    info.cbSize = sizeof(info);
    info.lpVerb = MAKEINTRESOURCEA(0);
    EXPECT_EQ(menu->InvokeCommand(&info), S_OK);
    menu->Release();
    closer.join();
    EXPECT_TRUE(boxSeen);
    DeleteFileW(out.c_str());
    DeleteFileW((folder + L"\\kelbo.exe").c_str());
    RemoveDirectoryW(folder.c_str());
}

}  // namespace
}  // namespace kelbo::testing
