// The "Efekty" menu's artistic and distortion effects: emboss, rectangles and
// the round photo change the document itself; the others open their result
// in a new window.
#pragma once

#include <memory>
#include <vector>

#include "document/ui/command_host.h"
#include "imaging/effects/ui/earth_dial.h"
#include "imaging/effects/ui/mozaika_dial.h"
#include "imaging/effects/ui/painter_dial.h"
#include "imaging/effects/ui/point_dialog.h"
#include "imaging/effects/ui/rectanglize.h"
#include "imaging/effects/ui/round_photo_dial.h"
#include "imaging/effects/ui/wave_dial.h"

namespace kelbo {

class EffectCommands : public CommandModule {
public:
    explicit EffectCommands(CommandHost& host);
    ~EffectCommands() override;

    std::vector<WindowStep> Windows() override;

    TRectanglize* Rectanglize() const { return rectanglize_.get(); }
    TRoundPhoto* RoundPhoto() const { return roundPhoto_.get(); }
    TEarthDial* EarthDial() const { return earthDial_.get(); }
    TWaveDial* WaveDial() const { return waveDial_.get(); }
    TPainterDial* PainterDial() const { return painterDial_.get(); }
    TPointDialog* PointDialog() const { return pointDialog_.get(); }
    TMozaikaDial* MozaikaDial() const { return mozaikaDial_.get(); }

private:
    void VytlaenvzorEmboss1Click();
    void Premenatvorce1Click();
    void Okrhlafotografia1Click();
    void Mozaika1Click();
    void Pointilizmus1Click();
    void Malba1Click();
    void Efektzemetrasenie1Click();
    void Zvlnenieobrzku1Click();
    // The in-place pattern, but a value the operation refuses is told and
    // leaves the document as it was: no snapshot, no modified mark.
    void ChangeUnlessRefused(TChildWin& document, const InPlaceOperation& operation, bool snapshot);

    CommandHost& host_;
    std::unique_ptr<TRectanglize> rectanglize_;
    std::unique_ptr<TRoundPhoto> roundPhoto_;
    std::unique_ptr<TEarthDial> earthDial_;
    std::unique_ptr<TWaveDial> waveDial_;
    std::unique_ptr<TPainterDial> painterDial_;
    std::unique_ptr<TPointDialog> pointDialog_;
    std::unique_ptr<TMozaikaDial> mozaikaDial_;
};

}  // namespace kelbo
