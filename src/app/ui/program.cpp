#include "app/ui/program.h"

#include <shellapi.h>
#include <shlobj.h>

#include "forms/dialogs.h"
#include "forms/text.h"

namespace kelbo {

namespace {

struct Search {
    std::wstring ownModule;
    HWND found = nullptr;
};

BOOL CALLBACK CheckWindow(HWND hwnd, LPARAM lParam) {
    auto* search = reinterpret_cast<Search*>(lParam);
    wchar_t className[100]{};
    GetClassNameW(hwnd, className, 100);
    if (_wcsicmp(className, TViewForm::kClassName) != 0) return TRUE;
    // Both copies load the program at its fixed image base (linked without
    // address randomisation), so the other copy's instance handle names
    // our own module exactly when it runs the same program file.
    auto instance = reinterpret_cast<HMODULE>(GetWindowLongPtrW(hwnd, GWLP_HINSTANCE));
    wchar_t theirs[200]{};
    if (!GetModuleFileNameW(instance, theirs, 200)) return TRUE;
    if (_wcsicmp(theirs, search->ownModule.c_str()) != 0) return TRUE;
    search->found = hwnd;
    return FALSE;
}

}  // namespace

HWND FindRunningInstance() {
    Search search;
    wchar_t own[200]{};
    GetModuleFileNameW(nullptr, own, 200);
    search.ownModule = own;
    EnumWindows(&CheckWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

bool ApplySingleInstanceRule(HWND found) {
    if (!found) return true;
    if (forms::MessageDlg(nullptr, "Program je už raz spustený. Spustiť druhýkrát?", "Kelbo",
                          MB_YESNO | MB_ICONQUESTION) == IDYES)
        return true;
    // A minimised copy is restored as well as a hidden one.
    if (!IsWindowVisible(found) || IsIconic(found)) PostMessageW(found, kWakeUpMessage, 0, 0);
    SetForegroundWindow(found);
    return false;
}

std::vector<std::string> ProcessArguments() {
    int count = 0;
    LPWSTR* argv = CommandLineToArgvW(GetCommandLineW(), &count);
    std::vector<std::string> args;
    for (int i = 1; argv && i < count; ++i) args.push_back(forms::Narrow(argv[i]));
    if (argv) LocalFree(argv);
    return args;
}

Program::Program(StartOptions options) : options_(std::move(options)) {}

Program::~Program() = default;

void Program::CreateWindows() {
    viewForm_ = std::make_unique<TViewForm>(options_);
    viewForm_->Create();
    modules_ = std::make_unique<CommandModules>(*viewForm_);
    modules_->CreateWindows();
}

void Program::OpenStartFiles() {
    const Settings& settings = viewForm_->Options;
    if (settings.AutoLoadFile && settings.OpenInWarpWin) modules_->Warp().OpenWarpWindow(settings.AutoLoadFileName);
    if (settings.AutoLoadFile && !settings.OpenInWarpWin) modules_->Files().OpenPicture(settings.AutoLoadFileName);
    if (settings.BrowserAutoOpen) modules_->Browsing().OpenBrowser();  // after the picture: the browser ends up active
    for (const std::string& file : options_.files) {
        modules_->Files().OpenPicture(file);
        modules_->Files().AddRecentFile(file);
        viewForm_->ClearFirstActivation();
    }
}

int Program::Run() {
    // Files first: the first activation shows the splash unless they cleared the flag.
    OpenStartFiles();
    viewForm_->ShowAtStart();
    return viewForm_->RunMessageLoop();
}

}  // namespace kelbo
