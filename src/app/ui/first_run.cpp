#include "app/ui/first_run.h"

#include <objbase.h>
#include <shlobj.h>
#include <shobjidl.h>

#include <fstream>
#include <vector>

#include "core/file_io.h"
#include "core/text_encoding.h"
#include "shellext/clsid.h"

namespace kelbo {

namespace {

class RegKey {
public:
    RegKey(HKEY root, const std::wstring& path, bool create) {
        const LONG r = create ? RegCreateKeyExW(root, path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                                                KEY_READ | KEY_WRITE, nullptr, &key_, nullptr)
                              : RegOpenKeyExW(root, path.c_str(), 0, KEY_READ, &key_);
        if (r != ERROR_SUCCESS) key_ = nullptr;
    }
    ~RegKey() { if (key_) RegCloseKey(key_); }
    RegKey(const RegKey&) = delete;
    RegKey& operator=(const RegKey&) = delete;

    explicit operator bool() const { return key_ != nullptr; }

    std::wstring Read(const wchar_t* name) const {
        if (!key_) return {};
        DWORD type = 0, bytes = 0;
        if (RegQueryValueExW(key_, name, nullptr, &type, nullptr, &bytes) != ERROR_SUCCESS || type != REG_SZ)
            return {};
        std::wstring value(bytes / sizeof(wchar_t) + 1, L'\0');
        if (RegQueryValueExW(key_, name, nullptr, nullptr, reinterpret_cast<BYTE*>(value.data()), &bytes) !=
            ERROR_SUCCESS)
            return {};
        value.resize(wcsnlen(value.c_str(), value.size()));
        return value;
    }

    bool Write(const wchar_t* name, const std::wstring& value) {
        return key_ && RegSetValueExW(key_, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                                      static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t))) == ERROR_SUCCESS;
    }

private:
    HKEY key_ = nullptr;
};

std::wstring ClassIdText() { return Utf8ToWide(shellext::kContextMenuClsidText); }

std::wstring ShellFolder(const wchar_t* name, const wchar_t* fallback) {
    RegKey key(HKEY_CURRENT_USER, L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders", false);
    const std::wstring value = key.Read(name);
    return value.empty() ? fallback : value;
}

void RegisterClass() {
    const std::wstring classKey = L"CLSID\\" + ClassIdText();
    RegKey cls(HKEY_CLASSES_ROOT, classKey, true);
    cls.Write(nullptr, Utf8ToWide(shellext::kContextMenuDescription));
    RegKey server(HKEY_CLASSES_ROOT, classKey + L"\\InProcServer32", true);
    server.Write(nullptr, L"KelboMenu.dll");
    server.Write(L"ThreadingModel", L"Apartment");
}

void HookPictureTypes() {
    for (const wchar_t* extension : {L".bmp", L".gif", L".ico", L".jpg"}) {
        RegKey ext(HKEY_CLASSES_ROOT, extension, true);
        std::wstring type = ext.Read(nullptr);
        if (type.empty()) {
            type = L"Kelbo.Image";
            ext.Write(nullptr, type);
        }
        RegKey handler(HKEY_CLASSES_ROOT, type + L"\\shellex\\ContextMenuHandlers\\" + ClassIdText(), true);
        handler.Write(nullptr, L"");
    }
}

void MakeShortcuts(const FirstRunPaths& paths) {
    const std::wstring desktop = ShellFolder(L"Desktop", L"C:\\WINDOWS\\Desktop");
    MakeShortcut(desktop + L"\\Kelbo.lnk", paths.programFile, L"Kelbo 2.0");
    const std::wstring programs = ShellFolder(L"Programs", L"C:\\WINDOWS\\StartMenu\\Programs");
    const std::wstring folder = programs + L"\\Kelbo " + kVersion;
    CreateDirectoryW(folder.c_str(), nullptr);
    MakeShortcut(folder + L"\\Kelbo.lnk", paths.programFile, L"Kelbo");
    MakeShortcut(folder + L"\\Nápoveda.lnk", paths.programDir + L"\\kelboer.hlp", L"Nápoveda");
    MakeShortcut(folder + L"\\Čítaj ma.lnk", paths.programDir + L"\\readme.txt", L"Čítaj ma");
}

}  // namespace

FirstRunPaths CurrentPaths() {
    FirstRunPaths p;
    std::wstring exe(MAX_PATH, L'\0');
    exe.resize(GetModuleFileNameW(nullptr, exe.data(), static_cast<DWORD>(exe.size())));
    p.programFile = exe;
    p.programDir = exe.substr(0, exe.find_last_of(L'\\'));
    std::wstring win(MAX_PATH, L'\0');
    win.resize(GetWindowsDirectoryW(win.data(), static_cast<UINT>(win.size())));
    p.windowsDir = win;
    return p;
}

bool AlreadySetUp() {
    RegKey key(HKEY_LOCAL_MACHINE, kProgramKey, false);
    return key && !key.Read(L"RootDir").empty() && key.Read(L"Version") == kVersion &&
           key.Read(L"BuiltOn") == kBuiltOn;
}

void CopyFileBlocks(const std::wstring& source, const std::wstring& destination) {
    namespace fs = std::filesystem;
    fs::path to(destination);
    std::error_code ec;
    if (fs::is_directory(to, ec)) to /= fs::path(source).filename();
    std::ifstream in(fs::path(source), std::ios::binary);
    if (!in) throw FileError("Cannot open file " + WideToUtf8(source), fs::path(source));
    AtomicFileWriter out(to);
    std::vector<char> block(8192);
    while (in) {
        in.read(block.data(), static_cast<std::streamsize>(block.size()));
        const std::streamsize got = in.gcount();
        if (got > 0)
            out.Write(std::span(reinterpret_cast<const std::uint8_t*>(block.data()), static_cast<std::size_t>(got)));
    }
    if (in.bad()) throw FileError("Cannot open file " + WideToUtf8(source), fs::path(source));
    out.Commit();
}

bool MakeShortcut(const std::wstring& linkPath, const std::wstring& target, const std::wstring& description) {
    IShellLinkW* link = nullptr;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                reinterpret_cast<void**>(&link))))
        return false;
    bool ok = SUCCEEDED(link->SetPath(target.c_str())) && SUCCEEDED(link->SetDescription(description.c_str()));
    IPersistFile* file = nullptr;
    if (ok && SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file)))) {
        ok = SUCCEEDED(file->Save(linkPath.c_str(), TRUE));
        file->Release();
    } else {
        ok = false;
    }
    link->Release();
    return ok;
}

FirstRunResult RunFirstRunSetup(const FirstRunPaths& paths, const std::function<void(const std::string&)>& report,
                                const std::function<void()>& maximise) {
    if (AlreadySetUp()) return FirstRunResult::kAlreadySetUp;
    if (maximise) maximise();
    try {
        CopyFileBlocks(paths.programDir + L"\\KelboMenu.dll", paths.windowsDir);
    } catch (const std::exception& e) {
        if (report) report(e.what());
        return FirstRunResult::kCopyFailed;
    }
    {
        RegKey program(HKEY_LOCAL_MACHINE, kProgramKey, true);
        program.Write(L"RootDir", paths.programDir);
        program.Write(L"Version", kVersion);
        program.Write(L"BuiltOn", kBuiltOn);
    }
    RegisterClass();
    HookPictureTypes();
    MakeShortcuts(paths);
    return FirstRunResult::kDone;
}

}  // namespace kelbo
