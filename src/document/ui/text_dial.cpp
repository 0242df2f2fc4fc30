#include "document/ui/text_dial.h"

#include <cstdint>
#include <cwchar>
#include <memory>
#include <stdexcept>

#include "app/settings.h"
#include "document/ui/child_win.h"
#include "forms/dialogs.h"
#include "forms/text.h"

namespace kelbo {
namespace {

constexpr char kSample[] = "AaBbCcDdEe";

// The font dialog's first font: Times New Roman, Central European, 16 pixels.
LOGFONTW DefaultTextFont() {
    LOGFONTW font{};
    font.lfHeight = -16;
    font.lfWeight = FW_NORMAL;
    font.lfCharSet = EASTEUROPE_CHARSET;
    std::wcsncpy(font.lfFaceName, L"Times New Roman", LF_FACESIZE - 1);
    return font;
}

}  // namespace

void TextPreview::Create(HWND parent, const forms::Bounds& b) {
    CreateHandle(L"KelboTextPreview", WS_EX_CLIENTEDGE, WS_CHILD | WS_VISIBLE, kSample, b, parent, nullptr);
}

void TextPreview::SetFont(const LOGFONTW& font) {
    font_ = font;
    handle_.reset(CreateFontIndirectW(&font_));
    Invalidate();
}

void TextPreview::SetFontColor(Color color) {
    color_ = color;
    Invalidate();
}

void TextPreview::Paint() {
    forms::PaintScope paint(Handle());
    RECT r{};
    GetClientRect(Handle(), &r);
    FillRect(paint.dc(), &r, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    const std::wstring text = forms::Wide(Text());
    forms::SelectGuard font(paint.dc(), handle_ ? static_cast<HGDIOBJ>(handle_.get()) : forms::DefaultFont());
    SetBkMode(paint.dc(), TRANSPARENT);
    SetTextColor(paint.dc(), static_cast<COLORREF>(color_));
    DrawTextW(paint.dc(), text.c_str(), -1, &r, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
}

LRESULT TextPreview::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_PAINT: Paint(); return 0;
    case WM_ERASEBKGND: return 1;
    }
    return DefaultHandling(msg, wParam, lParam);
}

TTextDial::TTextDial(HWND owner, const Settings& settings) : settings_(settings) {
    CreateForm(L"TTextDial", "Text", {0, 0, 380, 230}, WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME,
               WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT, owner);
}

void TTextDial::FormCreate() {
    SetClientSize(364, 196);
    const HWND h = Handle();
    CreateAccessLabel(Label1, h, {12, 16, 50, 16}, "&Text :");
    Edit1.Create(h, {64, 12, 200, 22}, "");
    Edit1.OnChange = [this] { Edit1Change(); };
    PreView.Create(h, {12, 44, 252, 70});
    PreView.SetFont(DefaultTextFont());
    FontBtn.Create(h, {12, 124, 75, 25}, "&Font");
    FontBtn.OnClick = [this] { FontBtnClick(); };
    StaticText1.Create(h, {100, 124, 50, 25}, "", settings_.FgColor);
    StaticText2.Create(h, {156, 124, 50, 25}, "", settings_.BgColor);
    StaticText3.Create(h, {214, 124, 50, 25}, "", settings_.FgColor);
    StaticText1.OnClick = [this] { CopyColourClick(StaticText1); };
    StaticText2.OnClick = [this] { CopyColourClick(StaticText2); };
    StaticText3.OnClick = [this] { StaticText3Click(); };
    OKBtn.Create(h, {278, 12, 75, 25}, "O&K", true);
    CancelBtn.Create(h, {278, 44, 75, 25}, "&Zatvor");
    OKBtn.OnClick = [this] { SetModalResult(forms::mrOk); };
    CancelBtn.OnClick = [this] { SetModalResult(forms::mrCancel); };
    OKBtn.SetEnabled(false);
    FontPicker = [this](LOGFONTW& font, Color& color) {
        forms::FontDialog dialog;
        dialog.font = font;
        dialog.color = color;
        if (!dialog.ExecuteDialog(Handle())) return false;
        font = dialog.font;
        color = dialog.color;
        return true;
    };
    ColorPicker = [this](Color& color) {
        forms::ColorDialog dialog;
        dialog.color = color;
        if (!dialog.ExecuteDialog(Handle())) return false;
        color = dialog.color;
        return true;
    };
    CenterOnScreen();
}

void TTextDial::FormShow() {
    PreView.SetFontColor(settings_.FgColor);
    StaticText1.SetColor(settings_.FgColor);
    StaticText2.SetColor(settings_.BgColor);
    StaticText3.SetColor(settings_.FgColor);
    Edit1.SetFocus();
}

void TTextDial::Edit1Change() {
    const std::string text = Edit1.Text();
    PreView.SetText(text.empty() ? kSample : text);
    PreView.Invalidate();
    OKBtn.SetEnabled(!text.empty());
}

void TTextDial::CopyColourClick(const ColourSwatch& box) {
    StaticText3.SetColor(box.GetColor());
    PreView.SetFontColor(box.GetColor());
}

void TTextDial::StaticText3Click() {
    Color color = StaticText3.GetColor();
    if (!ColorPicker || !ColorPicker(color)) return;
    StaticText3.SetColor(color);
    PreView.SetFontColor(color);
}

void TTextDial::FontBtnClick() {
    LOGFONTW font = PreView.Font();
    Color color = PreView.FontColor();
    if (!FontPicker || !FontPicker(font, color)) return;
    PreView.SetFont(font);
    // The font dialog chooses the colour too; the text-colour box shows it.
    PreView.SetFontColor(color);
    StaticText3.SetColor(color);
}

bool TTextDial::PlaceText(TChildWin& document, int x, int y) {
    const int left = static_cast<std::uint16_t>(x);
    const int top = static_cast<std::uint16_t>(y);
    if (ShowModal() != forms::mrOk || Edit1.Text().empty()) return false;
    const std::shared_ptr<forms::DibSection> picture = document.Image1.Picture();
    if (!picture || picture->Empty()) return false;
    WriteText(*picture, left, top);
    document.Image1.Repaint();
    return true;
}

void TTextDial::WriteText(forms::DibSection& picture, int x, int y) const {
    const std::wstring text = forms::Wide(Edit1.Text());
    const LOGFONTW& chosen = PreView.Font();
    forms::UniqueFont font(CreateFontIndirectW(&chosen));
    if (!font) throw std::runtime_error("Cannot create the font");
    GdiFlush();
    forms::DibCanvas canvas(picture);
    forms::SelectGuard selected(canvas.dc(), font.get());
    // A clear brush: the picture stays as it was around the glyphs.
    const int oldMode = SetBkMode(canvas.dc(), TRANSPARENT);
    SetTextColor(canvas.dc(), static_cast<COLORREF>(PreView.FontColor()));
    TextOutW(canvas.dc(), x, y, text.c_str(), static_cast<int>(text.size()));
    SetBkMode(canvas.dc(), oldMode);
}

}  // namespace kelbo
