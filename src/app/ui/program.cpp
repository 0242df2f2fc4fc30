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
    if (!IsWindowVisible(found) || IsIconic(found)) PostMessageW(found, WM_USER, 0, 0);
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
    HWND owner = viewForm_->Handle();
    // The program's fixed order of creation. Still to come in their places:
    // TEarthDial, TTextDial, TRectanglize, TAlfaDial between TNoiseDial and
    // TFilterDial; TToolsWin, TRoundPhoto, TConvertDial, TEditPointDial before
    // TRGBDial;
    // TRotateDial, TShearDial, TAddBordersDial, TPainterDial before
    // TMedianDial; TNewWinDial before TZoomDial; TResizeDial after TSobelDial;
    // TAritmeticDial, TScrnFrm, TMozaikaDial before TThresDial; TFastViewFrm,
    // TSimpleWin, TFVOWin before THSLDial; TWaveDial, TMovieDlg, TToolDlg,
    // TPalWin, TFavouriteDlg before THistoWin; TMovieDialog before
    // TColorNumDialog.
    aboutDial_ = std::make_unique<TAboutDial>(owner);
    noiseDial_ = std::make_unique<TNoiseDial>(owner);
    filterDial_ = std::make_unique<TFilterDial>(owner, viewForm_->Imaging());
    rgbDial_ = std::make_unique<TRGBDial>(owner, viewForm_->Imaging());
    cmyDial_ = std::make_unique<TCMYdial>(owner, viewForm_->Imaging());
    medianDial_ = std::make_unique<TMedianDial>(owner, viewForm_->Imaging());
    zoomDial_ = std::make_unique<TZoomDial>(owner);
    sobelDial_ = std::make_unique<TSobelDial>(owner);
    optionsDial_ = std::make_unique<TOptionsDial>(owner, viewForm_->Options);
    thresDial_ = std::make_unique<TThresDial>(owner);
    hslDial_ = std::make_unique<THSLDial>(owner, viewForm_->Imaging());
    histoWin_ = std::make_unique<THistoWin>(owner, viewForm_->HistogramHost());
    colorNumDialog_ = std::make_unique<TColorNumDialog>(owner);
    viewForm_->SetDialogs(zoomDial_.get(), aboutDial_.get(), optionsDial_.get());
    ImagingDialogs imaging;
    imaging.rgb = rgbDial_.get();
    imaging.cmy = cmyDial_.get();
    imaging.thres = thresDial_.get();
    imaging.hsl = hslDial_.get();
    imaging.colorNum = colorNumDialog_.get();
    imaging.histo = histoWin_.get();
    imaging.filter = filterDial_.get();
    imaging.median = medianDial_.get();
    imaging.sobel = sobelDial_.get();
    imaging.noise = noiseDial_.get();
    viewForm_->SetImagingDialogs(imaging);
}

void Program::OpenStartFiles() {
    for (const std::string& file : options_.files) {
        viewForm_->OpenPicture(file);
        viewForm_->AddRecentFile(file);
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
