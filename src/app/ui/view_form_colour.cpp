// Commands of the "Farby" menu that change the current document's colours.
#include "app/ui/view_form.h"
#include "imaging/colour/hsl.h"
#include "imaging/colour/point_ops.h"
#include "imaging/colour/ui/cmy_dial.h"
#include "imaging/colour/ui/gama_dial.h"
#include "imaging/colour/ui/hsl_dial.h"
#include "imaging/colour/ui/rgb_dial.h"
#include "imaging/colour/ui/thres_dial.h"

namespace kelbo {

namespace {

// Gamma and threshold count columns; every `documentEvery` columns the
// document shows how far the work has come, and every `frameEvery` the main
// window too. Positions may jump, so crossing a multiple counts.
class RepaintingProgress : public Progress {
public:
    RepaintingProgress(Progress* inner, forms::Window& document, forms::Window& frame, int documentEvery,
                       int frameEvery)
        : inner_(inner), document_(document), frame_(frame), documentEvery_(documentEvery),
          frameEvery_(frameEvery) {}

    void SetMax(int max) noexcept override {
        last_ = 0;
        if (inner_) inner_->SetMax(max);
    }
    void SetPosition(int position) noexcept override {
        if (inner_) inner_->SetPosition(position);
        if (position <= last_) {
            last_ = position;
            return;
        }
        if ((position + 1) / documentEvery_ > (last_ + 1) / documentEvery_) document_.Repaint();
        if ((position + 1) / frameEvery_ > (last_ + 1) / frameEvery_) frame_.Repaint();
        last_ = position;
    }

private:
    Progress* inner_;
    forms::Window& document_;
    forms::Window& frame_;
    int documentEvery_;
    int frameEvery_;
    int last_ = 0;
};

}  // namespace

void TViewForm::BindColourCommands() {
    OnCommand(Negativ1, [this] {
        if (TChildWin* doc = ActiveImageDocument())
            ChangeInPlace(*doc, [](PixelView p, Progress* pr) { Negative(p, pr); });
    });
    OnCommand(Lenodtieneedej1, [this] {
        if (TChildWin* doc = ActiveImageDocument())
            ChangeInPlace(*doc, [](PixelView p, Progress* pr) { GreyScale(p, pr); });
    });

    OnCommand(PrahovanieThresholding1, [this] {
        TChildWin* doc = ActiveImageDocument();
        if (!doc || !imaging_.thres) return;
        CurrentDocument = doc;
        // Before the dialog, so that closing it with "Zatvor" still leaves a step to undo.
        doc->TakeUndoSnapshot();
        UpdateMenuItems();
        if (imaging_.thres->ShowModal() != forms::mrOk || CurrentDocument != doc) return;
        const Threshold threshold = imaging_.thres->Values();
        ChangeInPlace(
            *doc,
            [this, doc, threshold](PixelView p, Progress* pr) {
                RepaintingProgress shown(pr, doc->Image1, *this, 20, 20);
                ApplyThreshold(p, threshold, &shown);
            },
            false);
    });

    OnCommand(Gamakorekcia1, [this] {
        TChildWin* doc = ActiveImageDocument();
        if (!doc) return;
        CurrentDocument = doc;
        doc->TakeUndoSnapshot();
        gammaSnapshotOf_ = doc;
        UpdateMenuItems();
        gamaDial_ = std::make_unique<TGamaDial>(Handle());
        gamaDial_->OnApply = [this] {
            // The document active when "O&K" is pressed, which need not be the
            // one that took the snapshot; a different one takes its own, so the
            // change can always be undone.
            TChildWin* target = ActiveImageDocument();
            if (!target || !gamaDial_) return;
            const GammaCorrection gamma = gamaDial_->Values();
            const bool snapshot = target != gammaSnapshotOf_;
            gammaSnapshotOf_ = nullptr;
            ChangeInPlace(
                *target,
                [this, target, gamma](PixelView p, Progress* pr) {
                    RepaintingProgress shown(pr, target->Image1, *this, 20, 30);
                    CorrectGamma(p, gamma, &shown);
                },
                snapshot);
        };
        gamaDial_->Show();
    });

    // The dialogs that change the document only when they end with "OK".
    const auto runModal = [this](auto* dialog, auto makeOperation) {
        TChildWin* doc = ActiveImageDocument();
        if (!doc || !dialog) return;
        CurrentDocument = doc;
        if (dialog->ShowModal() != forms::mrOk || CurrentDocument != doc) return;
        ChangeInPlace(*doc, makeOperation(dialog->Values()));
    };
    OnCommand(ZmeRGB1, [this, runModal] {
        runModal(imaging_.rgb, [](RgbChange change) {
            return [change](PixelView p, Progress* pr) { ChangeRgb(p, change, pr); };
        });
    });
    OnCommand(ZmeCMYK1, [this, runModal] {
        runModal(imaging_.cmy, [](CmyChange change) {
            return [change](PixelView p, Progress* pr) { ChangeCmy(p, change, pr); };
        });
    });
    OnCommand(ZmeHSL1, [this, runModal] {
        runModal(imaging_.hsl, [](HslChange change) {
            return [change](PixelView p, Progress* pr) {
                ChangeHSL(p, change.hue, change.saturation, change.lightness, pr);
            };
        });
    });
}

}  // namespace kelbo
