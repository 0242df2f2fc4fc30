// The "Farby" menu's commands that change the current document's colours,
// with their dialogs.
#pragma once

#include <memory>
#include <vector>

#include "document/ui/command_host.h"
#include "imaging/colour/ui/cmy_dial.h"
#include "imaging/colour/ui/gama_dial.h"
#include "imaging/colour/ui/hsl_dial.h"
#include "imaging/colour/ui/rgb_dial.h"
#include "imaging/colour/ui/thres_dial.h"

namespace kelbo {

class ColourCommands : public CommandModule {
public:
    explicit ColourCommands(CommandHost& host);
    ~ColourCommands() override;

    std::vector<WindowStep> Windows() override;

    TRGBDial* RgbDial() const { return rgbDial_.get(); }
    TCMYdial* CmyDial() const { return cmyDial_.get(); }
    TThresDial* ThresDial() const { return thresDial_.get(); }
    THSLDial* HslDial() const { return hslDial_.get(); }
    // The gamma dialog of the last "Gama korekcia", while it lives.
    TGamaDial* GammaDialog() const { return gamaDial_.get(); }
    void DocumentClosed(TChildWin& document) override;

private:
    void Prahovanie1Click();
    void Gamakorekcia1Click();
    void GammaApply();
    // The dialogs that change the document only when they end with "OK".
    template <typename Dialog, typename MakeOperation>
    void RunModal(Dialog* dialog, MakeOperation makeOperation);

    CommandHost& host_;
    std::unique_ptr<TRGBDial> rgbDial_;
    std::unique_ptr<TCMYdial> cmyDial_;
    std::unique_ptr<TThresDial> thresDial_;
    std::unique_ptr<THSLDial> hslDial_;
    // Made anew at each use and shown without blocking the main window.
    std::unique_ptr<TGamaDial> gamaDial_;
    // The document whose undo snapshot the open gamma dialog took.
    TChildWin* gammaSnapshotOf_ = nullptr;
};

}  // namespace kelbo
