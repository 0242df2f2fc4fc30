#include "app/ui/info_panel.h"

#include "app/color_chart.h"
#include "document/document_view.h"

namespace kelbo {

void InfoPanel::Create(HWND parent) {
    forms::Panel::Create(parent, {0, 0, kWidth, 300}, "", true);
    ClosePanel1.Create(Handle(), {0, 0, kWidth, kTitleHeight});
    const Bitmap24 chart = MakeColorChart();
    Image1.Create(Handle(), {(kWidth - chart.Width()) / 2, kTitleHeight + 4, chart.Width(), chart.Height()});
    Image1.SetPicture(std::make_shared<forms::DibSection>(chart.ConstView()));
    const int below = kTitleHeight + 4 + chart.Height() + 6;
    ColorInfo.Create(Handle(), {4, below, kWidth - 8, 80}, "");
    ColorBox.Create(Handle(), {4, below + 82, kWidth - 8, 16}, "", false);
    ColorBox.SetVisible(false);
    FgColor.Create(Handle(), {4, below + 104, 22, 22}, "", true);
    BgColor.Create(Handle(), {kWidth - 26, below + 104, 22, 22}, "", true);
    WarpInfo.Create(Handle(), {4, below + 132, kWidth - 8, 60}, "");
}

void InfoPanel::ShowColor(Color color) {
    // The label shows carriage returns as line breaks only in pairs with a line feed.
    std::string text = ColorInfoText(color);
    std::string shown;
    for (char c : text) {
        if (c == '\r')
            shown += "\r\n";
        else
            shown += c;
    }
    ColorInfo.SetText(shown);
    ColorBox.SetColor(color);
    ColorBox.SetVisible(true);
}

void InfoPanel::ClearColor() {
    ColorInfo.SetText("");
    ColorBox.SetVisible(false);
}

Color InfoPanel::ChartColorAt(int x, int y) const {
    const auto& chart = Image1.Picture();
    if (!chart || x < 0 || y < 0 || x >= chart->Width() || y >= chart->Height()) return 0;
    const std::uint8_t* p = chart->View().Row(y) + 3 * x;
    return Rgb(p[2], p[1], p[0]);
}

}  // namespace kelbo
