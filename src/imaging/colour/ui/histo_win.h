// THistoWin: the floating histogram window. It shows the counts of the red,
// green and blue values of the active document, drawn when refreshed.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "controls/close_panel.h"
#include "controls/floating_title.h"
#include "forms/controls.h"
#include "forms/dib.h"
#include "forms/form.h"
#include "forms/panel.h"
#include "imaging/colour/histogram.h"

namespace kelbo {

// What the window needs from the main window, which keeps its place and
// roll state and owns the colour read-out and the menu item.
struct HistoHost {
    // The active document's picture; null when no document is active.
    std::function<std::shared_ptr<forms::DibSection>()> activePicture;
    // Text for the colour information field; empty clears it.
    std::function<void(std::string_view text)> showInfo;
    // Whether the window menu's "Histogram" is checked.
    std::function<bool()> wanted;
    // The close button: the menu item loses its check mark.
    std::function<void()> closed;
    int* left = nullptr;
    int* top = nullptr;
    bool* rolled = nullptr;
};

class THistoWin : public forms::Form {
public:
    static constexpr int kWidth = 270;
    static constexpr int kHeight = 203;
    static constexpr int kRolledWidth = controls::FloatingTitle::kRolledWidth;
    static constexpr int kRolledHeight = controls::FloatingTitle::kRolledHeight;
    static constexpr int kPlotWidth = 256;
    static constexpr int kPlotHeight = 146;
    // The progress bar below the visible area is shown by growing this much.
    static constexpr int kProgressGrowth = 20;

    THistoWin(HWND owner, HistoHost host);

    controls::TClosePanel ClosePanel1;
    forms::Panel PlotFrame;
    forms::PictureView Image1;  // the plot
    forms::CheckBox RCheck;
    forms::CheckBox GCheck;
    forms::CheckBox BCheck;
    forms::CheckBox ICheck;    // kept for its place; it does not change the plot
    forms::Button RefreshBtn;  // "Obnov "
    forms::ProgressBar ProgressBar1;

    const ChannelHistogram& Counts() const { return counts_; }

    // "Obnov ": counts the active document's picture and draws the plot.
    void Refresh();
    // The main window's pointer rolls a window in roll mode back up.
    void RollUp() { title_.PointerOverFrame(); }
    bool Rolled() const { return ClosePanel1.RollType(); }
    // The read-out of the plot at x (0..255).
    std::string CountsText(int x) const;

protected:
    void FormCreate() override;
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    void DrawPlot();
    void Image1MouseMove(int x);
    void SetSize(int width, int height);

    HistoHost host_;
    ChannelHistogram counts_{};
    controls::FloatingTitle title_{*this, ClosePanel1, {kWidth, kHeight}};
};

}  // namespace kelbo
