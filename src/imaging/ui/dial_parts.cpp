#include "imaging/ui/dial_parts.h"

#include <string>

#include "core/luminance.h"
#include "forms/handle.h"
#include "forms/text.h"
#include "imaging/colour/colour_fields.h"

namespace kelbo {

void CreateAccessLabel(forms::Label& label, HWND parent, const forms::Bounds& b, std::string_view caption) {
    label.Create(parent, b, caption);
    // Plain labels show "&" as it is; these ones underline the key.
    const LONG_PTR style = GetWindowLongPtrW(label.Handle(), GWL_STYLE);
    SetWindowLongPtrW(label.Handle(), GWL_STYLE, style & ~static_cast<LONG_PTR>(SS_NOPREFIX));
    InvalidateRect(label.Handle(), nullptr, TRUE);
}

void CreateNumberField(forms::Edit& edit, forms::UpDown& arrows, HWND parent, const forms::Bounds& b,
                       std::string_view text, int min, int max, int maxChars) {
    edit.Create(parent, b, text);
    if (maxChars > 0) edit.SetMaxLength(maxChars);
    arrows.Create(parent, edit, min, max, FieldNumber(text, min));
    // The arrows write their own position into the field; the default text stays.
    edit.SetText(text);
}

void ResetUnlessWhole(forms::Edit& edit, std::string_view fallback) {
    if (auto corrected = WholeNumberCorrection(edit.Text(), fallback)) edit.SetText(*corrected);
}

int FieldValue(const forms::Edit& edit, int fallback) { return FieldNumber(edit.Text(), fallback); }

void ColourSwatch::Create(HWND parent, const forms::Bounds& b, std::string_view caption, Color color) {
    color_ = color;
    // No WS_CLIPSIBLINGS: the group box around it comes first in the Z order,
    // and clipping it away would leave the swatch nothing to paint.
    CreateHandle(L"KelboColourSwatch", 0, WS_CHILD | WS_VISIBLE, caption, b, parent, nullptr);
}

void ColourSwatch::SetColor(Color color) {
    color_ = color;
    Invalidate();
}

void ColourSwatch::Paint() {
    forms::PaintScope paint(Handle());
    RECT r{};
    GetClientRect(Handle(), &r);
    forms::UniqueBrush brush(CreateSolidBrush(static_cast<COLORREF>(color_)));
    FillRect(paint.dc(), &r, brush.get());
    DrawEdge(paint.dc(), &r, EDGE_SUNKEN, BF_RECT);
    const std::wstring caption = forms::Wide(Text());
    forms::SelectGuard font(paint.dc(), forms::DefaultFont());
    SetBkMode(paint.dc(), TRANSPARENT);
    // The caption stays readable on dark and light colours alike.
    const bool dark = Luminance(RedOf(color_), GreenOf(color_), BlueOf(color_)) < 128;
    SetTextColor(paint.dc(), dark ? RGB(255, 255, 255) : RGB(0, 0, 0));
    DrawTextW(paint.dc(), caption.c_str(), -1, &r, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
}

LRESULT ColourSwatch::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    if (forms::HandleMouse(*this, Handle(), msg, wParam, lParam)) return 0;
    switch (msg) {
    case WM_PAINT: Paint(); return 0;
    case WM_ERASEBKGND: return 1;
    }
    return DefaultHandling(msg, wParam, lParam);
}

}  // namespace kelbo
