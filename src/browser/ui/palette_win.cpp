#include "browser/ui/palette_win.h"

#include <commctrl.h>

#include <string>

#include "app/commands.h"
#include "app/settings.h"

namespace kelbo {
namespace {

constexpr const char* kCaptions[] = {"&R:", "&G:", "&B:", "&H:", "&S:", "&L:"};

Color SystemColor(int index) { return static_cast<Color>(GetSysColor(index)); }

// The frames stay behind their colour boxes: their painting leaves them out.
void ClipSiblings(HWND window) {
    SetWindowLongPtrW(window, GWL_STYLE, GetWindowLongPtrW(window, GWL_STYLE) | WS_CLIPSIBLINGS);
}

}  // namespace

TPalWin::TPalWin(CommandHost& host) : host_(host) {
    CreateForm(L"TPalWin", "Farby", {0, 0, kFullWidth, kFullHeight}, WS_POPUP | WS_CLIPCHILDREN,
               WS_EX_TOOLWINDOW | WS_EX_TOPMOST | WS_EX_CONTROLPARENT, host_.Owner());
    const Settings& s = host_.ProgramSettings();
    SetWindowPos(Handle(), nullptr, s.PaletteLeft, s.PaletteTop, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    title_.SetRolled(s.PaletteAutoRollType);
    if (host_.ItemChecked(Paleta1)) ShowWindow(Handle(), SW_SHOWNA);
}

void TPalWin::FormCreate() {
    Panel1.Create(Handle(), {0, 0, kFullWidth, kFullHeight}, "", false);
    Panel1.OnMouseMove = [this](WPARAM, int, int) { Panel1MouseMove(); };
    const HWND p = Panel1.Handle();
    // The group boxes paint only their frames: the panel paints beneath them.
    SetWindowLongPtrW(p, GWL_STYLE, GetWindowLongPtrW(p, GWL_STYLE) & ~WS_CLIPCHILDREN);
    ClosePanel1.Create(p, {1, 1, kFullWidth - 2, controls::TClosePanel::kHeight});
    ClosePanel1.SetText("Farby");
    title_.Attach();
    title_.OnMoved = [this](int left, int top) {
        host_.ProgramSettings().PaletteLeft = left;
        host_.ProgramSettings().PaletteTop = top;
    };
    title_.OnRolled = [this](bool rolled) { host_.ProgramSettings().PaletteAutoRollType = rolled; };
    title_.OnClosed = [this] { host_.SetItemChecked(Paleta1, false); };

    const Settings& s = host_.ProgramSettings();
    Panel2.Create(p, {6, 25, 34, 34}, "", false);
    Panel3.Create(p, {6, 72, 34, 34}, "", false);
    for (forms::Panel* frame : {&Panel2, &Panel3}) {
        frame->SetColor(SystemColor(COLOR_HIGHLIGHT));
        ClipSiblings(frame->Handle());
    }
    Panel3.SetVisible(false);
    FgColor.Create(p, {8, 27, 30, 30}, "", s.FgColor);
    BgColor.Create(p, {8, 74, 30, 30}, "", s.BgColor);
    for (ColourSwatch* box : {&FgColor, &BgColor}) {
        SetWindowPos(box->Handle(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        box->OnMouseMove = [this, box](WPARAM, int, int) { ShowColorInfo(box->GetColor()); };
    }
    FgColor.OnClick = [this] { FgColorClick(); };
    BgColor.OnClick = [this] { BgColorClick(); };

    CreateGroup(GroupBox1, {46, 20, 222, 88}, "RGB", 0);
    CreateGroup(GroupBox2, {272, 20, 216, 88}, "HSL", 3);
}

void TPalWin::CreateGroup(forms::GroupBox& group, const forms::Bounds& b, const char* caption, int first) {
    const HWND p = Panel1.Handle();
    group.Create(p, b, caption);
    const bool rgb = first == 0;
    for (int i = first; i < first + 3; ++i) {
        const int y = b.top + 16 + (i - first) * 23;
        Labels[i].Create(p, {b.left + 8, y + 3, 20, 16}, kCaptions[i], SS_LEFT, true);
        TrackBars[i].Create(p, {b.left + 28, y, b.width - 70, 22}, 0, rgb ? 255 : 100, rgb ? 127 : 0);
        SendMessageW(TrackBars[i].Handle(), TBM_SETTICFREQ, rgb ? 20 : 10, 0);
        StaticTexts[i].Create(p, {b.left + b.width - 38, y + 3, 30, 16}, rgb ? "127" : "0");
        TrackBars[i].OnChange = [this, i, rgb] { rgb ? RgbChanged(i) : HslChanged(i - 3); };
        // Each control's place on top of the group box, which would paint over it.
        for (HWND control : {Labels[i].Handle(), TrackBars[i].Handle(), StaticTexts[i].Handle()})
            SetWindowPos(control, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }
}

void TPalWin::FormActivate() {
    ClosePanel1.SetColor(SystemColor(COLOR_ACTIVECAPTION));
    ShowForeground();
    ShowBackground();
}

void TPalWin::FormDeactivate() { ClosePanel1.SetColor(SystemColor(COLOR_INACTIVECAPTION)); }

void TPalWin::ShowForeground() { FgColor.SetColor(host_.ProgramSettings().FgColor); }

void TPalWin::ShowBackground() { BgColor.SetColor(host_.ProgramSettings().BgColor); }

void TPalWin::FgColorClick() { ChooseColor(true); }

void TPalWin::BgColorClick() { ChooseColor(false); }

void TPalWin::ChooseColor(bool foreground) {
    editing_ = foreground ? Editing::kForeground : Editing::kBackground;
    Panel2.SetVisible(foreground);
    Panel3.SetVisible(!foreground);
    const Color color = (foreground ? FgColor : BgColor).GetColor();
    ShowRgb(color);
    ShowHsl(color);
}

void TPalWin::RgbChanged(int slider) {
    StaticTexts[slider].SetText(std::to_string(TrackBars[slider].Position()));
    const Color color = Rgb(static_cast<std::uint8_t>(TrackBars[0].Position()),
                            static_cast<std::uint8_t>(TrackBars[1].Position()),
                            static_cast<std::uint8_t>(TrackBars[2].Position()));
    SetChosenColor(color);
    ShowHsl(color);
}

void TPalWin::HslChanged(int slider) {
    StaticTexts[3 + slider].SetText(std::to_string(TrackBars[3 + slider].Position()));
    const Color color = ColorOfHslSliders({TrackBars[3].Position(), TrackBars[4].Position(), TrackBars[5].Position()});
    SetChosenColor(color);
    ShowRgb(color);
}

void TPalWin::SetChosenColor(Color color) {
    if (editing_ == Editing::kForeground) {
        FgColor.SetColor(color);
        host_.SetFgColor(color);
    } else {
        BgColor.SetColor(color);
        host_.SetBgColor(color);
    }
}

// The other group follows quietly: its own handlers would set this group
// again from a colour that went once more through the conversions.
void TPalWin::ShowRgb(Color color) {
    const int values[] = {RedOf(color), GreenOf(color), BlueOf(color)};
    for (int i = 0; i < 3; ++i) {
        TrackBars[i].SetPositionQuietly(values[i]);
        StaticTexts[i].SetText(std::to_string(values[i]));
    }
}

void TPalWin::ShowHsl(Color color) {
    const HslSliders hsl = HslSlidersOf(color);
    const int values[] = {hsl.h, hsl.s, hsl.l};
    for (int i = 0; i < 3; ++i) {
        TrackBars[3 + i].SetPositionQuietly(values[i]);
        StaticTexts[3 + i].SetText(std::to_string(values[i]));
    }
}

void TPalWin::ShowColorInfo(Color color) { host_.ShowColorInfo(color); }

void TPalWin::Panel1MouseMove() {
    host_.SetStatusPanel(0, "");
    host_.ShowInfoText("");
}

}  // namespace kelbo
