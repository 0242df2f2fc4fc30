// Pieces the imaging dialogs share: number fields with arrows, captions
// with access keys, and the threshold's colour swatches.
#pragma once

#include <windows.h>

#include <string_view>

#include "core/color.h"
#include "forms/controls.h"
#include "forms/panel.h"
#include "forms/window.h"

namespace kelbo {

// A label whose "&" marks the access key of the control made after it.
void CreateAccessLabel(forms::Label& label, HWND parent, const forms::Bounds& b, std::string_view caption);

// An edit field with its up-down arrows; `maxChars` 0 leaves the length free.
void CreateNumberField(forms::Edit& edit, forms::UpDown& arrows, HWND parent, const forms::Bounds& b,
                       std::string_view text, int min, int max, int maxChars = 0);

// Replaces the field's text by `fallback` unless it is a whole number.
void ResetUnlessWhole(forms::Edit& edit, std::string_view fallback);

// The field's whole number, or `fallback`.
int FieldValue(const forms::Edit& edit, int fallback);

// A sunken box in one colour with a centred caption; a click is OnClick.
class ColourSwatch : public forms::Window, public forms::MouseEvents {
public:
    void Create(HWND parent, const forms::Bounds& b, std::string_view caption, Color color);
    void SetColor(Color color);
    Color GetColor() const { return color_; }

protected:
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    void Paint();

    Color color_ = 0;
};

}  // namespace kelbo
