// TColorNumDialog ("Zmena počtu farieb"): the colour depth and the reduction
// method the main window reduces the current document to after "OK", and
// what the document holds now.
#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string>

#include "forms/controls.h"
#include "forms/form.h"
#include "imaging/colour/colour_count.h"

namespace kelbo {

class TColorNumDialog : public forms::Form {
public:
    explicit TColorNumDialog(HWND owner);

    forms::GroupBox RadioGroup1;  // "Počet farieb"
    std::array<forms::RadioButton, 7> DepthRadios;
    forms::GroupBox RadioGroup2;  // "Metóda"
    std::array<forms::RadioButton, 3> MethodRadios;
    forms::GroupBox GroupBox1;  // "Informácie"
    forms::Label Label1;        // "Počet farieb:"
    forms::Label DepthLabel;
    forms::Label Label2;  // "Počet použitých farieb:"
    forms::Label CountLabel;
    forms::Button OKBtn;
    forms::Button CancelBtn;

    ColourDepth Depth() const;
    // None until the user picks one.
    std::optional<ReductionMethod> Method() const;
    void SetDepth(ColourDepth depth);
    void SetMethod(std::optional<ReductionMethod> method);

    // The "Informácie" values: bits per pixel of the document and the number
    // of colours its picture uses.
    void SetInformation(int bits, std::size_t colours);

protected:
    void FormCreate() override;
};

// "24 bitov", "4 bity", "1 bit".
std::string BitsText(int bits);

}  // namespace kelbo
