// The histogram window's commands, equalization, and the number of colours.
#pragma once

#include <memory>
#include <vector>

#include "document/ui/command_host.h"
#include "imaging/colour/ui/color_num_dialog.h"
#include "imaging/colour/ui/histo_win.h"

namespace kelbo {

class HistogramCommands : public CommandModule {
public:
    explicit HistogramCommands(CommandHost& host);
    ~HistogramCommands() override;

    std::vector<WindowStep> Windows() override;
    void PointerOverFrame() override;

    THistoWin* HistoWin() const { return histoWin_.get(); }
    TColorNumDialog* ColorNumDialog() const { return colorNumDialog_.get(); }
    // The histogram window's link to the main window, its place and roll state.
    HistoHost HistogramHost();
    int HistoLeft = 100;
    int HistoTop = 100;
    bool HistoRolled = false;

private:
    void ToggleHistogram();
    void Ekvalizcia1Click();
    void PocetFarieb1Click();
    void Poetpouitchfarieb1Click();

    CommandHost& host_;
    std::unique_ptr<THistoWin> histoWin_;
    std::unique_ptr<TColorNumDialog> colorNumDialog_;
};

}  // namespace kelbo
