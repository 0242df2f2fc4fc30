#include "imaging/colour/ui/histogram_commands.h"

#include <string>

#include "app/commands.h"
#include "document/ui/child_win.h"
#include "imaging/colour/colour_count.h"
#include "imaging/colour/histogram.h"
#include "imaging/ui/repainting_progress.h"

namespace kelbo {

namespace {

// What "Počet farieb:" shows for the format a document is saved in; the
// screen's and unknown formats are held in 24 bits.
int BitsOfFormat(PixelFormat format) {
    switch (format) {
    case PixelFormat::k1: return 1;
    case PixelFormat::k4: return 4;
    case PixelFormat::k8: return 8;
    case PixelFormat::k15: return 15;
    case PixelFormat::k16: return 16;
    case PixelFormat::k32: return 32;
    default: return 24;
    }
}

// "1 farbu", "3 farby", "1234 farieb".
std::string ColoursText(std::size_t count) {
    const char* word = count == 1 ? " farbu" : count >= 2 && count <= 4 ? " farby" : " farieb";
    return std::to_string(count) + word;
}

}  // namespace

HistogramCommands::HistogramCommands(CommandHost& host) : host_(host) {
    host_.BindCommand(Vytvor1, [this] { ToggleHistogram(); });
    host_.BindCommand(Oknohistogramu1, [this] { ToggleHistogram(); });
    host_.BindCommand(Ekvalizcia1, [this] { Ekvalizcia1Click(); });
    host_.BindCommand(PocetFarieb1, [this] { PocetFarieb1Click(); });
    host_.BindCommand(Poetpouitchfarieb1, [this] { Poetpouitchfarieb1Click(); });
}

HistogramCommands::~HistogramCommands() = default;

std::vector<WindowStep> HistogramCommands::Windows() {
    const HWND owner = host_.Owner();
    return {
        {"THistoWin", [this, owner] { histoWin_ = std::make_unique<THistoWin>(owner, HistogramHost()); }},
        {"TColorNumDialog", [this, owner] { colorNumDialog_ = std::make_unique<TColorNumDialog>(owner); }},
    };
}

HistoHost HistogramCommands::HistogramHost() {
    HistoHost host;
    host.activePicture = [this]() -> std::shared_ptr<forms::DibSection> {
        TChildWin* doc = host_.ActiveImageDocument();
        return doc ? doc->Image1.Picture() : nullptr;
    };
    host.showInfo = [this](std::string_view text) { host_.ShowInfoText(text); };
    host.wanted = [this] { return host_.ItemChecked(Oknohistogramu1); };
    host.closed = [this] { host_.SetItemChecked(Oknohistogramu1, false); };
    host.left = &HistoLeft;
    host.top = &HistoTop;
    host.rolled = &HistoRolled;
    return host;
}

void HistogramCommands::PointerOverFrame() {
    if (histoWin_ && histoWin_->Visible()) histoWin_->RollUp();
}

void HistogramCommands::ToggleHistogram() {
    const bool show = !host_.ItemChecked(Oknohistogramu1);
    host_.SetItemChecked(Oknohistogramu1, show);
    if (!histoWin_) return;
    if (show)
        ShowWindow(histoWin_->Handle(), SW_SHOWNA);
    else
        histoWin_->Hide();
}

void HistogramCommands::Ekvalizcia1Click() {
    TChildWin* doc = host_.ActiveImageDocument();
    if (!doc) return;
    // Neither an undo snapshot nor progress on the status bar; the document
    // shows the work advance every 5th column.
    host_.ChangeInPlace(
        *doc,
        [doc](PixelView p, Progress*) {
            RepaintingProgress shown(
                nullptr, [doc] { doc->Image1.Repaint(); }, nullptr, 5, 0);
            Equalize(p, &shown);
        },
        false);
}

void HistogramCommands::PocetFarieb1Click() {
    TChildWin* doc = host_.ActiveImageDocument();
    if (!doc || !colorNumDialog_) return;
    const std::shared_ptr<forms::DibSection>& picture = doc->Image1.Picture();
    if (!picture || picture->Empty()) return;
    GdiFlush();
    colorNumDialog_->SetInformation(BitsOfFormat(doc->LoadedPixelFormat), CountColours(picture->View()));
    TChildWin* target = RunOperationDialog(host_, colorNumDialog_.get());
    if (!target) return;
    const ColourDepth depth = colorNumDialog_->Depth();
    // "OK" without a method rounds to the nearest colour of the palette.
    const ReductionMethod method = colorNumDialog_->Method().value_or(ReductionMethod::kRounding);
    std::vector<Color> palette;
    if (depth != ColourDepth::kTrueColour) {
        host_.ChangeInPlace(*target, [&](PixelView p, Progress* progress) {
            palette = ReductionPalette(p, depth);
            ReduceColours(p, palette, method, progress);
        });
    } else {
        target->Modified = true;
    }
    // Saving writes the chosen depth; the picture itself stays 24-bit.
    target->LoadedPixelFormat = DepthFormat(depth);
    target->LoadedPalette = std::move(palette);
}

void HistogramCommands::Poetpouitchfarieb1Click() {
    TChildWin* doc = host_.ActiveImageDocument();
    if (!doc) return;
    const std::shared_ptr<forms::DibSection>& picture = doc->Image1.Picture();
    if (!picture || picture->Empty()) return;
    GdiFlush();
    host_.ShowInformation("Obrázok používa " + ColoursText(CountColours(picture->View())) + ".");
}

}  // namespace kelbo
