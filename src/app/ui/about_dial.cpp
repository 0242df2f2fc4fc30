#include "app/ui/about_dial.h"

#include <shellapi.h>

#include "codecs/bmp_reader.h"
#include "forms/dib.h"
#include "forms/text.h"

namespace kelbo {

namespace {

constexpr char kCredits[] = "Kelbo 2.0 — prehliadač, editor a warping obrázkov";
constexpr char kEmail[] = "autor@kelbo.example";

}  // namespace

std::wstring ProgramDirectory() {
    wchar_t exe[MAX_PATH]{};
    const DWORD n = GetModuleFileNameW(nullptr, exe, MAX_PATH);
    std::wstring path(exe, n);
    const size_t cut = path.find_last_of(L'\\');
    return cut == std::wstring::npos ? std::wstring() : path.substr(0, cut);
}

std::shared_ptr<forms::DibSection> LoadSplashPicture() {
    Result<BmpPicture> read = ReadBmp(std::filesystem::path(ProgramDirectory() + L"\\splash.bmp"));
    if (!read) return nullptr;
    return std::make_shared<forms::DibSection>(read.Value().bitmap.ConstView());
}

TAboutDial::TAboutDial(HWND owner) {
    CreateForm(L"TAboutDial", "Informácie", {0, 0, 420, 360}, WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME,
               WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT, owner);
}

void TAboutDial::FormCreate() {
    auto splash = LoadSplashPicture();
    const int pictureWidth = splash ? splash->Width() : 400;
    const int pictureHeight = splash ? splash->Height() : 250;
    const int width = pictureWidth + 16;
    Image1.Create(Handle(), {8, 8, pictureWidth, pictureHeight});
    Image1.SetPicture(std::move(splash));
    int y = 8 + pictureHeight + 8;
    Credits.Create(Handle(), {8, y, pictureWidth, 18}, kCredits, false);
    Credits.SetColor(0);
    Credits.SetCaptionColor(0xFFFFFF);
    y += 20;
    EmailLink.Create(Handle(), {8, y, pictureWidth, 18}, kEmail, false);
    EmailLink.SetColor(0);
    EmailLink.SetCaptionColor(0xFFFFFF);
    y += 28;
    OKBtn.Create(Handle(), {width / 2 - 84, y, 75, 25}, "OK", true);
    CancelBtn.Create(Handle(), {width / 2 + 9, y, 75, 25}, "Zatvor");
    OKBtn.OnClick = [this] { SetModalResult(forms::mrOk); };
    CancelBtn.OnClick = [this] { SetModalResult(forms::mrCancel); };

    EmailLink.OnMouseMove = [this](WPARAM, int, int) { EmailLink.SetUnderline(true); };
    EmailLink.OnClick = [this] { EmailLinkClick(); };
    Credits.OnMouseMove = [this](WPARAM, int, int) { EmailLink.SetUnderline(false); };
    Image1.OnMouseMove = [this](WPARAM, int, int) { EmailLink.SetUnderline(false); };
    SetClientSize(width, y + 25 + 10);
    CenterOnScreen();
}

void TAboutDial::EmailLinkClick() {
    const std::wstring target = L"mailto:" + forms::Wide(kEmail);
    ShellExecuteW(Handle(), L"open", target.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

LRESULT TAboutDial::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_ERASEBKGND) {
        RECT r{};
        GetClientRect(Handle(), &r);
        FillRect(reinterpret_cast<HDC>(wParam), &r, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
        return 1;
    }
    return Form::HandleMessage(msg, wParam, lParam);
}

}  // namespace kelbo
