#include "warp/ui/movie_dialog.h"

#include "imaging/ui/dial_parts.h"
#include "warp/movie_fields.h"

namespace kelbo {

TMovieDialog::TMovieDialog(HWND owner, std::function<std::string()> caption) : caption_(std::move(caption)) {
    CreateForm(L"TMovieDialog", "Animácia", {0, 0, 380, 260}, WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME,
               WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT, owner);
}

void TMovieDialog::FormCreate() {
    SetClientSize(364, 222);
    GroupBox1.Create(Handle(), {8, 4, 260, 104}, "Vlastnosti");
    Label1.Create(Handle(), {18, 26, 130, 16}, "Počet obrázkov");
    CreateNumberField(Edit1, UpDown1, Handle(), {160, 22, 90, 22}, "2", 0, 65535);
    Label2.Create(Handle(), {18, 52, 130, 16}, "Začiatočný obrázok");
    CreateNumberField(Edit2, UpDown2, Handle(), {160, 48, 90, 22}, "1", 0, 65535);
    Label3.Create(Handle(), {18, 78, 130, 16}, "Posledný obrázok");
    CreateNumberField(Edit3, UpDown3, Handle(), {160, 74, 90, 22}, "2", 0, 65535);
    GroupBox2.Create(Handle(), {8, 112, 348, 102}, "Výstup");
    Label4.Create(Handle(), {18, 134, 120, 16}, "Meno animácie");
    Edit4.Create(Handle(), {18, 152, 328, 22}, "");
    Label5.Create(Handle(), {18, 184, 110, 16}, "Grafický formát");
    ComboBox1.Create(Handle(), {136, 180, 210, 120});
    ComboBox1.Add("Bitmapový súbor (*.bmp)");
    ComboBox1.Add("JPEG súbor (*.jpg)");
    ComboBox1.SetItemIndex(0);
    OKBtn.Create(Handle(), {278, 10, 78, 25}, "OK", true);
    CancelBtn.Create(Handle(), {278, 42, 78, 25}, "Zatvor");
    OKBtn.OnClick = [this] { SetModalResult(forms::mrOk); };
    CancelBtn.OnClick = [this] { SetModalResult(forms::mrCancel); };
    Edit1.OnChange = [this] { Edit1Change(); };
    Edit2.OnChange = [this] { RestartTimer(); };
    Edit3.OnChange = [this] { Edit3Change(); };
    Timer1.SetInterval(1500);
    Timer1.OnTimer = [this] { Timer1Timer(); };
    CenterOnScreen();
}

void TMovieDialog::FormActivate() {
    Edit4.SetText(MovieBaseName(caption_ ? caption_() : std::string()));
    LastChosen = false;
    ComboBox1.SetItemIndex(0);
    Timer1.SetEnabled(true);
}

void TMovieDialog::FormDeactivate() { Timer1.SetEnabled(false); }

void TMovieDialog::RestartTimer() {
    if (!Timer1.Enabled()) return;
    Timer1.SetEnabled(false);
    Timer1.SetEnabled(true);
}

void TMovieDialog::Edit1Change() {
    const bool running = Timer1.Enabled();
    Timer1.SetEnabled(false);
    if (!LastChosen) Edit3.SetText(Edit1.Text());
    Timer1.SetEnabled(running);
}

void TMovieDialog::Edit3Change() {
    const bool running = Timer1.Enabled();
    Timer1.SetEnabled(false);
    if (Edit3.Focused()) LastChosen = true;
    Timer1.SetEnabled(running);
}

void TMovieDialog::Timer1Timer() {
    // Each correction sees what the one before wrote (and what that change did).
    const std::string frames = CorrectFrameCount(Edit1.Text());
    if (frames != Edit1.Text()) Edit1.SetText(frames);
    const std::string first = CorrectFirstFrame(Edit2.Text(), Edit1.Text());
    if (first != Edit2.Text()) Edit2.SetText(first);
    const std::string last = CorrectLastFrame(Edit3.Text(), Edit1.Text());
    if (last != Edit3.Text()) Edit3.SetText(last);
}

std::string TMovieDialog::Extension() const { return ComboBox1.ItemIndex() == 1 ? ".jpg" : ".bmp"; }

}  // namespace kelbo
