#include "app/ui/first_run.h"

#include <objbase.h>
#include <shlobj.h>
#include <shobjidl.h>

#include <fstream>
#include <vector>

#include "core/file_io.h"
#include "core/text_encoding.h"
#include "forms/registry.h"
#include "shellext/clsid.h"

namespace kelbo {

namespace {

std::wstring ClassIdText() { return Utf8ToWide(shellext::kContextMenuClsidText); }

std::wstring ShellFolder(const wchar_t* name, const wchar_t* fallback) {
    forms::RegistryKey key(HKEY_CURRENT_USER, L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders",
                           forms::RegistryKey::Mode::kRead);
    const std::wstring value = key.Read(name);
    return value.empty() ? fallback : value;
}

void RegisterClass() {
    const std::wstring classKey = L"CLSID\\" + ClassIdText();
    forms::RegistryKey cls(HKEY_CLASSES_ROOT, classKey, forms::RegistryKey::Mode::kCreate);
    cls.Write(nullptr, Utf8ToWide(shellext::kContextMenuDescription));
    forms::RegistryKey server(HKEY_CLASSES_ROOT, classKey + L"\\InProcServer32", forms::RegistryKey::Mode::kCreate);
    server.Write(nullptr, L"KelboMenu.dll");
    server.Write(L"ThreadingModel", L"Apartment");
}

void HookPictureTypes() {
    for (const wchar_t* extension : {L".bmp", L".gif", L".ico", L".jpg"}) {
        forms::RegistryKey ext(HKEY_CLASSES_ROOT, extension, forms::RegistryKey::Mode::kCreate);
        std::wstring type = ext.Read(nullptr);
        if (type.empty()) {
            type = L"Kelbo.Image";
            ext.Write(nullptr, type);
        }
        forms::RegistryKey handler(HKEY_CLASSES_ROOT, type + L"\\shellex\\ContextMenuHandlers\\" + ClassIdText(),
                                   forms::RegistryKey::Mode::kCreate);
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
    forms::RegistryKey key(HKEY_LOCAL_MACHINE, kProgramKey, forms::RegistryKey::Mode::kRead);
    return key && !key.Read(L"RootDir").empty() && key.Read(L"Version") == kVersion && key.Read(L"BuiltOn") == kBuiltOn;
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
        forms::RegistryKey program(HKEY_LOCAL_MACHINE, kProgramKey, forms::RegistryKey::Mode::kCreate);
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
