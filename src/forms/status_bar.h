// The status bar with fixed and stretching panels.
#pragma once

#include <vector>

#include "forms/controls.h"

namespace kelbo::forms {

class StatusBar : public Control {
public:
    void Create(HWND parent);
    // Panel widths; the panels' right edges are laid out left to right.
    void SetPanelWidths(const std::vector<int>& widths);
    void SetPanelText(int panel, std::string_view text, bool centred = false);
    std::string PanelText(int panel) const;
    RECT PanelRect(int panel) const;
    int IdealHeight() const;
    // The bar sizes itself to the bottom of its parent.
    void FitToParent();
};

}  // namespace kelbo::forms
