// The "Filtre" menu's commands: each filter's result opens in a new
// document; the dialogs' filters run only after "OK".
#pragma once

#include <memory>
#include <vector>

#include "document/ui/command_host.h"
#include "imaging/filters/ui/noise_dial.h"
#include "imaging/filters/ui/sobel_dial.h"
#include "imaging/filters/ui/strength_dial.h"

namespace kelbo {

class FilterCommands : public CommandModule {
public:
    explicit FilterCommands(CommandHost& host);
    ~FilterCommands() override;

    std::vector<WindowStep> Windows() override;

    TFilterDial* FilterDial() const { return filterDial_.get(); }
    TMedianDial* MedianDial() const { return medianDial_.get(); }
    TSobelDial* SobelDial() const { return sobelDial_.get(); }
    TNoiseDial* NoiseDial() const { return noiseDial_.get(); }

private:
    void Bind(UINT command, IntoNewWindowFilter filter, GrowingRepaints repaints);
    template <typename Dialog, typename FilterOf>
    void BindDialog(UINT command, const std::unique_ptr<Dialog>& dialog, FilterOf filterOf, GrowingRepaints repaints);

    CommandHost& host_;
    std::unique_ptr<TNoiseDial> noiseDial_;
    std::unique_ptr<TFilterDial> filterDial_;
    std::unique_ptr<TMedianDial> medianDial_;
    std::unique_ptr<TSobelDial> sobelDial_;
};

}  // namespace kelbo
