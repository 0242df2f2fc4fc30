#include "imaging/colour/ui/colour_commands.h"

#include "app/commands.h"
#include "document/ui/child_win.h"
#include "imaging/colour/hsl.h"
#include "imaging/colour/point_ops.h"
#include "imaging/ui/repainting_progress.h"

namespace kelbo {

ColourCommands::ColourCommands(CommandHost& host) : host_(host) {
    host_.BindCommand(Negativ1, [this] {
        if (TChildWin* doc = host_.ActiveImageDocument())
            host_.ChangeInPlace(*doc, [](PixelView p, Progress* pr) { Negative(p, pr); });
    });
    host_.BindCommand(Lenodtieneedej1, [this] {
        if (TChildWin* doc = host_.ActiveImageDocument())
            host_.ChangeInPlace(*doc, [](PixelView p, Progress* pr) { GreyScale(p, pr); });
    });
    host_.BindCommand(PrahovanieThresholding1, [this] { Prahovanie1Click(); });
    host_.BindCommand(Gamakorekcia1, [this] { Gamakorekcia1Click(); });
    host_.BindCommand(ZmeRGB1, [this] {
        RunModal(rgbDial_.get(),
                 [](RgbChange change) { return [change](PixelView p, Progress* pr) { ChangeRgb(p, change, pr); }; });
    });
    host_.BindCommand(ZmeCMYK1, [this] {
        RunModal(cmyDial_.get(),
                 [](CmyChange change) { return [change](PixelView p, Progress* pr) { ChangeCmy(p, change, pr); }; });
    });
    host_.BindCommand(ZmeHSL1, [this] {
        RunModal(hslDial_.get(), [](HslChange change) {
            return [change](PixelView p, Progress* pr) {
                ChangeHSL(p, change.hue, change.saturation, change.lightness, pr);
            };
        });
    });
}

ColourCommands::~ColourCommands() = default;

std::vector<WindowStep> ColourCommands::Windows() {
    const HWND owner = host_.Owner();
    return {
        {"TRGBDial", [this, owner] { rgbDial_ = std::make_unique<TRGBDial>(owner, host_.Imaging()); }},
        {"TCMYdial", [this, owner] { cmyDial_ = std::make_unique<TCMYdial>(owner, host_.Imaging()); }},
        {"TThresDial", [this, owner] { thresDial_ = std::make_unique<TThresDial>(owner); }},
        {"THSLDial", [this, owner] { hslDial_ = std::make_unique<THSLDial>(owner, host_.Imaging()); }},
    };
}

void ColourCommands::DocumentClosed(TChildWin& document) {
    if (gammaSnapshotOf_ == &document) gammaSnapshotOf_ = nullptr;
}

template <typename Dialog, typename MakeOperation>
void ColourCommands::RunModal(Dialog* dialog, MakeOperation makeOperation) {
    if (TChildWin* doc = RunOperationDialog(host_, dialog)) host_.ChangeInPlace(*doc, makeOperation(dialog->Values()));
}

void ColourCommands::Prahovanie1Click() {
    TChildWin* doc = host_.ActiveImageDocument();
    if (!doc || !thresDial_) return;
    // Before the dialog, so that closing it with "Zatvor" still leaves a step to undo.
    doc->TakeUndoSnapshot();
    host_.UpdateMenuItems();
    TChildWin* target = RunOperationDialog(host_, thresDial_.get());
    if (!target) return;
    const Threshold threshold = thresDial_->Values();
    host_.ChangeInPlace(
        *target,
        [this, target, threshold](PixelView p, Progress* pr) {
            RepaintingProgress shown(
                pr, [target] { target->Image1.Repaint(); }, [this] { host_.RepaintFrame(); }, 20, 20);
            ApplyThreshold(p, threshold, &shown);
        },
        target != doc);
}

void ColourCommands::Gamakorekcia1Click() {
    TChildWin* doc = host_.ActiveImageDocument();
    if (!doc) return;
    host_.SetCurrent(doc);
    doc->TakeUndoSnapshot();
    gammaSnapshotOf_ = doc;
    host_.UpdateMenuItems();
    gamaDial_ = std::make_unique<TGamaDial>(host_.Owner());
    gamaDial_->OnApply = [this] { GammaApply(); };
    gamaDial_->Show();
}

void ColourCommands::GammaApply() {
    // The document active when "O&K" is pressed, which need not be the one
    // that took the snapshot; a different one takes its own, so the change
    // can always be undone.
    TChildWin* target = host_.ActiveImageDocument();
    if (!target || !gamaDial_) return;
    const GammaCorrection gamma = gamaDial_->Values();
    const bool snapshot = target != gammaSnapshotOf_;
    gammaSnapshotOf_ = nullptr;
    host_.ChangeInPlace(
        *target,
        [this, target, gamma](PixelView p, Progress* pr) {
            RepaintingProgress shown(
                pr, [target] { target->Image1.Repaint(); }, [this] { host_.RepaintFrame(); }, 20, 30);
            CorrectGamma(p, gamma, &shown);
        },
        snapshot);
}

}  // namespace kelbo
