#include "browser/ui/fast_view_dialogs.h"

#include <commctrl.h>

#include <algorithm>
#include <cstdlib>
#include <string>

#include "browser/fast_view_files.h"
#include "browser/fast_view_keys.h"
#include "forms/dialogs.h"
#include "forms/text.h"
#include "imaging/ui/dial_parts.h"

namespace kelbo {

namespace {
constexpr UINT_PTR kOKBtnSubclassId = 1;
constexpr char kExplanation[] =
    "Vyberte si z nasledujúcich možností, ako má rýchle prezeranie pracovať. \rAk nechcete vždy odpovedať na túto "
    "otázku, zvoľte v nastavení programu predvolené nastavenie.";
}  // namespace

TFVOWin::TFVOWin(HWND owner) {
    CreateForm(L"TFVOWin", "Rýchle prezeranie", {0, 0, 360, 230}, WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME,
               WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT, owner);
}

TFVOWin::~TFVOWin() {
    if (OKBtn.Exists()) RemoveWindowSubclass(OKBtn.Handle(), &TFVOWin::OKBtnSubclass, kOKBtnSubclassId);
}

void TFVOWin::FormCreate() {
    SetClientSize(344, 192);
    StaticText2.Create(Handle(), {8, 8, 328, 60}, "", SS_CENTER);
    CheckBox1.Create(Handle(), {16, 76, 200, 20}, "Automatické prezeranie");
    Label3.Create(Handle(), {36, 104, 50, 16}, "Interval:");
    CreateNumberField(SpinEdit1, SpinEdit1Arrows, Handle(), {90, 100, 70, 22}, "20", kMinFastViewInterval,
                      kMaxFastViewInterval, 4);
    StaticText1.Create(Handle(), {168, 104, 100, 16}, "desatín sekúnd");
    CheckBox2.Create(Handle(), {16, 130, 200, 20}, "Vrátane podadresárov");
    CheckBox2.SetChecked(true);
    OKBtn.Create(Handle(), {8, 160, 100, 25}, "OK", true);
    CancelBtn.Create(Handle(), {122, 160, 100, 25}, "Zatvor");
    Button1.Create(Handle(), {236, 160, 100, 25}, "Ovládanie");
    OKBtn.OnClick = [this] { SetModalResult(forms::mrOk); };
    SetWindowSubclass(OKBtn.Handle(), &TFVOWin::OKBtnSubclass, kOKBtnSubclassId, reinterpret_cast<DWORD_PTR>(this));
    CancelBtn.OnClick = [this] { SetModalResult(forms::mrCancel); };
    Button1.OnClick = [this] {
        forms::MessageDlg(Handle(), kFastViewKeyHelp, "Rýchle prezeranie", MB_OK | MB_ICONINFORMATION);
    };
    CheckBox1.OnClick = [this] { CheckBox1Click(); };
    CheckBox1Click();
    CenterOnScreen();
}

void TFVOWin::FormShow() { StaticText2.SetText(forms::WithLineFeeds(kExplanation)); }

void TFVOWin::CheckBox1Click() {
    const bool on = CheckBox1.Checked();
    Label3.SetEnabled(on);
    SpinEdit1.SetEnabled(on);
    SpinEdit1Arrows.SetEnabled(on);
    StaticText1.SetEnabled(on);
}

void TFVOWin::OKBtnKeyDown(WPARAM key) { SetText(std::to_string(key)); }

LRESULT CALLBACK TFVOWin::OKBtnSubclass(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR self) {
    if (msg == WM_KEYDOWN) {
        auto* dialog = reinterpret_cast<TFVOWin*>(self);
        forms::GuardHandler(
            dialog->Handle(),
            [&] {
                dialog->OKBtnKeyDown(wParam);
                return 0;
            },
            0);
    }
    return DefSubclassProc(hwnd, msg, wParam, lParam);
}

FastViewOptions TFVOWin::Options() const {
    // A typed value out of range or not a number is taken at the nearer end
    // (or the default) rather than refused: the run starts either way.
    const std::string text = SpinEdit1.Text();
    char* end = nullptr;
    const long typed = std::strtol(text.c_str(), &end, 10);
    const int interval = end == text.c_str()
                             ? 20
                             : static_cast<int>(std::clamp<long>(typed, kMinFastViewInterval, kMaxFastViewInterval));
    return {CheckBox2.Checked(), CheckBox1.Checked(), interval};
}

TSimpleWin::TSimpleWin(HWND owner) {
    CreateForm(L"TSimpleWin", SearchCaption(0), {0, 0, 318, 83}, WS_POPUP | WS_CAPTION | DS_MODALFRAME,
               WS_EX_DLGMODALFRAME, owner);
}

void TSimpleWin::FormCreate() {
    const SIZE client = ClientSize();
    StaticText.Create(Handle(), {4, 4, client.cx - 8, client.cy - 8}, "", SS_CENTER);
    CenterOnScreen();
}

void TSimpleWin::ShowFolder(const std::string& folder) {
    StaticText.SetText(forms::WithLineFeeds(SearchText(folder)));
    Repaint();
    UpdateWindow(StaticText.Handle());
}

void TSimpleWin::ShowCount(std::size_t found) { SetText(SearchCaption(found)); }

}  // namespace kelbo
