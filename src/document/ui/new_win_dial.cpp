#include "document/ui/new_win_dial.h"

#include <exception>
#include <memory>

#include "app/settings.h"
#include "document/new_picture.h"
#include "document/ui/child_win.h"
#include "forms/dialogs.h"
#include "forms/handle.h"

namespace kelbo {
namespace {

constexpr int kGridSide = 4;

}  // namespace

const std::array<Color, 16> ColourGrid::kColours = {
    Rgb(0, 0, 0),     Rgb(128, 0, 0),     Rgb(0, 128, 0),     Rgb(128, 128, 0),   Rgb(0, 0, 128), Rgb(128, 0, 128),
    Rgb(0, 128, 128), Rgb(128, 128, 128), Rgb(192, 192, 192), Rgb(255, 0, 0),     Rgb(0, 255, 0), Rgb(255, 255, 0),
    Rgb(0, 0, 255),   Rgb(255, 0, 255),   Rgb(0, 255, 255),   Rgb(255, 255, 255),
};

void ColourGrid::Create(HWND parent, const forms::Bounds& b) {
    CreateHandle(L"KelboColourGrid", 0, WS_CHILD | WS_VISIBLE, "", b, parent, nullptr);
}

RECT ColourGrid::CellRect(int index) const {
    const SIZE client = ClientSize();
    const int column = index % kGridSide;
    const int row = index / kGridSide;
    return {column * client.cx / kGridSide, row * client.cy / kGridSide, (column + 1) * client.cx / kGridSide,
            (row + 1) * client.cy / kGridSide};
}

int ColourGrid::CellAt(int x, int y) const {
    const SIZE client = ClientSize();
    if (x < 0 || y < 0 || x >= client.cx || y >= client.cy) return -1;
    return (y * kGridSide / client.cy) * kGridSide + x * kGridSide / client.cx;
}

void ColourGrid::Paint() {
    forms::PaintScope paint(Handle());
    for (int n = 0; n < 16; ++n) {
        RECT r = CellRect(n);
        forms::UniqueBrush brush(CreateSolidBrush(static_cast<COLORREF>(kColours[static_cast<size_t>(n)])));
        FillRect(paint.dc(), &r, brush.get());
        DrawEdge(paint.dc(), &r, n == selected_ ? EDGE_SUNKEN : BDR_RAISEDINNER, BF_RECT);
    }
}

LRESULT ColourGrid::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_PAINT: Paint(); return 0;
    case WM_ERASEBKGND: return 1;
    case WM_LBUTTONDOWN: {
        const int cell = CellAt(static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam)));
        if (cell < 0) return 0;
        selected_ = cell;
        Invalidate();
        if (OnChange) OnChange();
        return 0;
    }
    }
    return DefaultHandling(msg, wParam, lParam);
}

TNewWinDial::TNewWinDial(HWND owner, CommandHost& host) : host_(host) {
    CreateForm(L"TNewWinDial", "Nový obrázok", {0, 0, 420, 300}, WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME,
               WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT, owner);
}

void TNewWinDial::FormCreate() {
    SetClientSize(404, 262);
    const HWND h = Handle();
    GroupBox1.Create(h, {8, 6, 200, 86}, "Rozmery");
    Label1.Create(h, {18, 30, 60, 16}, "rozmer X:");
    CreateNumberField(EditX, UpDownX, h, {80, 26, 70, 22}, "0", 0, 100);
    Label2.Create(h, {156, 30, 44, 16}, "bodov");
    Label3.Create(h, {18, 60, 60, 16}, "rozmer Y:");
    CreateNumberField(EditY, UpDownY, h, {80, 56, 70, 22}, "0", 0, 100);
    Label4.Create(h, {156, 60, 44, 16}, "bodov");

    GroupBox2.Create(h, {8, 98, 200, 120}, "Vlastnosti/farby");
    Label5.Create(h, {18, 120, 100, 16}, "Farba pozadia:");
    ColorGrid1.Create(h, {18, 140, 72, 72});
    ColorGrid1.OnChange = [this] { StaticText3.SetColor(ColorGrid1.SelectedColor()); };
    StaticText3.Create(h, {110, 150, 80, 40}, "", colors::kBlack);
    StaticText3.OnClick = [this] { StaticText3Click(); };
    ColorPicker = [this](Color& color) {
        forms::ColorDialog dialog;
        dialog.color = color;
        if (!dialog.ExecuteDialog(Handle())) return false;
        color = dialog.color;
        return true;
    };

    RadioGroup1.Create(h, {216, 6, 180, 212}, "Počet farieb:");
    for (size_t n = 0; n < RadioItems.size(); ++n) {
        RadioItems[n].Create(h, {224, 28 + 26 * static_cast<int>(n), 168, 20}, kNewPictureDepths[n].caption, n == 0);
    }
    RadioItems[kNewPictureDefaultDepth].SetChecked(true);

    OKBtn.Create(h, {236, 228, 75, 25}, "OK", true);
    CancelBtn.Create(h, {318, 228, 75, 25}, "Zatvor");
    OKBtn.OnClick = [this] { OKBtnClick(); };
    CancelBtn.OnClick = [this] { Close(); };
    CenterOnScreen();
}

int TNewWinDial::ItemIndex() const {
    for (size_t n = 0; n < RadioItems.size(); ++n) {
        if (RadioItems[n].Checked()) return static_cast<int>(n);
    }
    return kNewPictureDefaultDepth;
}

PixelFormat TNewWinDial::ChosenFormat() const { return kNewPictureDepths[static_cast<size_t>(ItemIndex())].format; }

void TNewWinDial::StaticText3Click() {
    // The dialog starts from the main window's background colour and sets it.
    Color color = host_.ProgramSettings().BgColor;
    if (!ColorPicker || !ColorPicker(color)) return;
    StaticText3.SetColor(color);
    host_.SetBgColor(color);
}

void TNewWinDial::OKBtnClick() {
    const NewPictureSize typed = ParseNewPictureSize(EditX.Text(), EditY.Text());
    if (!typed.error.empty()) {
        host_.ReportError(typed.error);
        return;
    }
    std::shared_ptr<forms::DibSection> picture;
    try {
        picture = std::make_shared<forms::DibSection>(typed.size.width, typed.size.height);
    } catch (const std::exception& e) {
        host_.ReportError(e.what());
        return;
    }
    picture->View().Fill(StaticText3.GetColor());
    TChildWin& doc = host_.NewImageDocument(picture);
    doc.LoadedPixelFormat = ChosenFormat();
    doc.Image1.Repaint();
    Close();
}

}  // namespace kelbo
