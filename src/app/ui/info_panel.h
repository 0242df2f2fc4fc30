// The information panel on the right of the main window: a title with roll
// and close buttons, the colour chart, the colour under the pointer and the
// painting colours.
#pragma once

#include <functional>
#include <memory>

#include "core/color.h"
#include "controls/close_panel.h"
#include "forms/controls.h"
#include "forms/panel.h"

namespace kelbo {

class InfoPanel : public forms::Panel {
public:
    static constexpr int kWidth = 56;
    static constexpr int kTitleHeight = 17;
    static constexpr int kRolledHeight = 19;

    void Create(HWND parent);

    controls::TClosePanel ClosePanel1;
    forms::PictureView Image1;  // the colour chart
    forms::Label ColorInfo;
    forms::Panel ColorBox;
    forms::Panel FgColor;
    forms::Panel BgColor;
    forms::Label WarpInfo;

    // Roll mode, kept by the title's roll button.
    bool Rolled() const { return ClosePanel1.RollType(); }
    void SetRolled(bool rolled) { ClosePanel1.SetRollType(rolled); }

    void ShowColor(Color color);
    void ClearColor();
    // The chart's colour at a point of the chart.
    Color ChartColorAt(int x, int y) const;
};

}  // namespace kelbo
