#include "imaging/filters/ui/aritmetic_dial.h"

#include <cstdint>

#include "document/picture_dialog_texts.h"
#include "document/ui/picture_preview.h"
#include "imaging/filters/ui/picture_inputs.h"

namespace kelbo {
namespace {

constexpr const char* kMethodCaptions[TAritmeticDial::kMethodCount] = {
    "sčítanie", "odčítanie", "rozdieľ", "logické a (AND)", "logické alebo (OR)", "tmavší", "svetlejší", "priemer"};

constexpr int kBuiltInSide = 64;

// Two different gradients, so "OK" has something to combine before any file.
std::shared_ptr<forms::DibSection> BuiltInPicture(bool second) {
    auto picture = std::make_shared<forms::DibSection>(kBuiltInSide, kBuiltInSide);
    const PixelView view = picture->View();
    for (int y = 0; y < kBuiltInSide; ++y) {
        for (int x = 0; x < kBuiltInSide; ++x) {
            const auto across = static_cast<std::uint8_t>(x * 4);
            const auto down = static_cast<std::uint8_t>(y * 4);
            view.SetPixel(x, y, second ? Rgb(64, 255 - across, down) : Rgb(across, down, 128));
        }
    }
    return picture;
}

}  // namespace

TAritmeticDial::TAritmeticDial(HWND owner, CommandHost& host) : host_(host) {
    CreateForm(L"TAritmeticDial", "Aritmetické funkcie", {0, 0, 440, 360},
               WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME, WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT, owner);
}

void TAritmeticDial::FormCreate() {
    SetClientSize(424, 318);
    const HWND h = Handle();
    GroupBox1.Create(h, {8, 4, 408, 176}, "Vstup");
    Label1.Create(h, {18, 28, 60, 16}, "1. súbor");
    Edit1.Create(h, {80, 24, 262, 22}, "", ES_READONLY);
    Button1.Create(h, {348, 23, 60, 24}, "nájdi");
    Label2.Create(h, {18, 58, 60, 16}, "2. súbor");
    Edit2.Create(h, {80, 54, 262, 22}, "", ES_READONLY);
    Button2.Create(h, {348, 53, 60, 24}, "nájdi");
    Image1.Create(h, {80, 84, 120, 88});
    Image2.Create(h, {222, 84, 120, 88});
    Image1.SetPicture(BuiltInPicture(false));
    Image2.SetPicture(BuiltInPicture(true));

    RadioGroup1.Create(h, {8, 186, 408, 92}, "Použitá metóda");
    for (int i = 0; i < kMethodCount; ++i) {
        const int column = i / 4;
        const int row = i % 4;
        Methods[i].Create(h, {18 + column * 200, 204 + row * 18, 190, 18}, kMethodCaptions[i], i == 0);
    }
    Methods[0].SetChecked(true);

    OKBtn.Create(h, {254, 286, 78, 25}, "OK", true);
    CancelBtn.Create(h, {338, 286, 78, 25}, "Zatvor");
    Button1.OnClick = [this] { FindClick(Edit1, Image1); };
    Button2.OnClick = [this] { FindClick(Edit2, Image2); };
    OKBtn.OnClick = [this] { SetModalResult(forms::mrOk); };
    CancelBtn.OnClick = [this] { SetModalResult(forms::mrCancel); };
    CenterOnScreen();
}

void TAritmeticDial::FindClick(forms::Edit& field, forms::PictureView& image) {
    forms::FileDialog dialog = PictureFileDialog(kOpenPictureTitle);
    dialog.fileName = field.Text();
    AsideDialog(Handle(), [&] {
        if (host_.ExecuteFileDialog(dialog, false)) field.SetText(dialog.fileName);
        const std::string path = field.Text();
        if (path.empty()) return;
        if (std::shared_ptr<forms::DibSection> picture = ReadInputPicture(host_, path))
            image.SetPicture(std::move(picture));
    });
}

CombineMethod TAritmeticDial::Method() const {
    for (int i = 0; i < kMethodCount; ++i)
        if (Methods[i].Checked()) return static_cast<CombineMethod>(i);
    return CombineMethod::kAdd;
}

}  // namespace kelbo
