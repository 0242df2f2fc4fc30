#include "imaging/effects/ui/effect_commands.h"

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <stdexcept>

#include "app/commands.h"
#include "app/settings.h"
#include "document/ui/child_win.h"
#include "imaging/effects/effects.h"
#include "imaging/geometry/transforms.h"
#include "imaging/ui/repainting_progress.h"

namespace kelbo {
namespace {

using S = ConstPixelView;
using T = PixelView;

// The cell effects show their window growing every 5th cell column,
// pointillism the main window every 20th too; the earthquake every 10th
// column and the main window every 20th.
constexpr GrowingRepaints kPointillism{5, 20};
constexpr GrowingRepaints kPainting{5, 0};
constexpr GrowingRepaints kEarthquake{10, 20};

// Each run of the dots draws a new pattern.
std::uint32_t ClockSeed() {
    return static_cast<std::uint32_t>(std::chrono::system_clock::now().time_since_epoch().count());
}

}  // namespace

EffectCommands::EffectCommands(CommandHost& host) : host_(host) {
    host_.BindCommand(VytlaenvzorEmboss1, [this] { VytlaenvzorEmboss1Click(); });
    host_.BindCommand(Premenatvorce1, [this] { Premenatvorce1Click(); });
    // "Špirály" is in the menu but has no effect behind it.
    host_.BindCommand(pirly1, [] {});
    host_.BindCommand(Okrhlafotografia1, [this] { Okrhlafotografia1Click(); });
    host_.BindCommand(Mozaika1, [this] { Mozaika1Click(); });
    host_.BindCommand(Pointilizmus1, [this] { Pointilizmus1Click(); });
    host_.BindCommand(Malba1, [this] { Malba1Click(); });
    host_.BindCommand(Efektzemetrasenie1, [this] { Efektzemetrasenie1Click(); });
    host_.BindCommand(Zvlnenieobrzku1, [this] { Zvlnenieobrzku1Click(); });
}

EffectCommands::~EffectCommands() = default;

std::vector<WindowStep> EffectCommands::Windows() {
    const HWND owner = host_.Owner();
    return {
        {"TEarthDial", [this, owner] { earthDial_ = std::make_unique<TEarthDial>(owner); }},
        {"TRectanglize", [this, owner] { rectanglize_ = std::make_unique<TRectanglize>(owner); }},
        {"TRoundPhoto", [this, owner] { roundPhoto_ = std::make_unique<TRoundPhoto>(owner, host_.Imaging()); }},
        // The two painting techniques' dialogs come together.
        {"TPainterDial",
         [this, owner] {
             painterDial_ = std::make_unique<TPainterDial>(owner);
             pointDialog_ = std::make_unique<TPointDialog>(owner);
         }},
        {"TMozaikaDial", [this, owner] { mozaikaDial_ = std::make_unique<TMozaikaDial>(owner); }},
        {"TWaveDial", [this, owner] { waveDial_ = std::make_unique<TWaveDial>(owner, host_.Imaging()); }},
    };
}

void EffectCommands::ChangeUnlessRefused(TChildWin& document, const InPlaceOperation& operation, bool snapshot) {
    // The operations check their values before touching a pixel, so a run on
    // one spare pixel finds a refusal without risking the document.
    Bitmap24 probe(1, 1, colors::kWhite);
    try {
        operation(probe.View(), nullptr);
    } catch (const std::invalid_argument& e) {
        host_.ReportError(e.what());
        return;
    }
    host_.ChangeInPlace(document, operation, snapshot);
}

void EffectCommands::VytlaenvzorEmboss1Click() {
    TChildWin* doc = host_.ActiveImageDocument();
    if (!doc) return;
    host_.SetCurrent(doc);
    host_.ChangeInPlace(*doc, [](T picture, Progress* p) { Emboss(picture, p); });
}

void EffectCommands::Premenatvorce1Click() {
    TChildWin* doc = RunOperationDialog(host_, rectanglize_.get());
    if (!doc) return;
    const int x = rectanglize_->CellWidth();
    const int y = rectanglize_->CellHeight();
    // Painted over the document through its canvas: no undo step, and the
    // document shows the work every 5th cell column, the main window every 20th.
    ChangeUnlessRefused(
        *doc,
        [this, doc, x, y](T picture, Progress* p) {
            RepaintingProgress shown(
                p, [doc] { doc->Image1.Repaint(); }, [this] { host_.RepaintFrame(); }, 5, 20);
            kelbo::Rectanglize(picture, x, y, &shown);
        },
        false);
}

void EffectCommands::Okrhlafotografia1Click() {
    TChildWin* doc = RunOperationDialog(host_, roundPhoto_.get());
    if (!doc) return;
    ChangeUnlessRefused(
        *doc, [options = roundPhoto_->Options()](T picture, Progress* p) { kelbo::RoundPhoto(picture, options, p); },
        true);
}

void EffectCommands::Mozaika1Click() {
    TChildWin* doc = RunOperationDialog(host_, mozaikaDial_.get());
    if (!doc) return;
    const MosaicOptions options = mozaikaDial_->Options();
    // Progress counts pixel columns, i·X after tile column i.
    const int every = 5 * std::max(options.tileWidth, 1);
    host_.FilterIntoNewWindow(*doc, [options](S s, T t, Progress* p) { Mosaic(s, t, options, p); }, {every, every});
}

void EffectCommands::Pointilizmus1Click() {
    TChildWin* doc = RunOperationDialog(host_, pointDialog_.get());
    if (!doc) return;
    host_.FilterIntoNewWindow(
        *doc,
        [options = pointDialog_->Options()](S s, T t, Progress* p) {
            EffectRandom random(ClockSeed());
            Pointillism(s, t, options, random, p);
        },
        kPointillism);
}

void EffectCommands::Malba1Click() {
    TChildWin* doc = RunOperationDialog(host_, painterDial_.get());
    if (!doc) return;
    host_.FilterIntoNewWindow(
        *doc,
        [options = painterDial_->Options()](S s, T t, Progress* p) {
            EffectRandom random(ClockSeed());
            Painting(s, t, options, random, p);
        },
        kPainting);
}

void EffectCommands::Efektzemetrasenie1Click() {
    TChildWin* doc = RunOperationDialog(host_, earthDial_.get());
    if (!doc) return;
    const EarthquakeOptions options = earthDial_->Options(host_.ProgramSettings().BgColor);
    try {
        const Size size = EarthquakeSize(doc->PictureSize(), options);
        host_.RenderIntoNewWindow(
            *doc, size, [options](S s, T t, Progress* p) { Earthquake(s, t, options, p); }, kEarthquake);
    } catch (const std::exception& e) {
        host_.ReportError(e.what());
    }
}

void EffectCommands::Zvlnenieobrzku1Click() {
    TChildWin* doc = RunOperationDialog(host_, waveDial_.get());
    if (!doc) return;
    // By rows into a work picture: shown when it is done.
    host_.FilterIntoNewWindow(*doc,
                              [options = waveDial_->Options()](S s, T t, Progress* p) { Waves(s, t, options, p); });
}

}  // namespace kelbo
