// Commands of the "Filtre" menu: each filter's result opens in a new
// document; the dialogs' filters run only after "OK".
#include "app/ui/view_form.h"
#include "imaging/filters/filters.h"
#include "imaging/filters/ui/strength_dial.h"
#include "imaging/filters/ui/noise_dial.h"
#include "imaging/filters/ui/sobel_dial.h"

namespace kelbo {

void TViewForm::BindFilterCommands() {
    using Filter = std::function<void(ConstPixelView, PixelView, Progress*)>;
    const auto bind = [this](Command command, Filter filter) {
        OnCommand(command, [this, filter = std::move(filter)] {
            if (TChildWin* doc = ActiveImageDocument()) FilterIntoNewWindow(*doc, filter);
        });
    };
    bind(ZnenieGaussovhoumu1, [](ConstPixelView s, PixelView t, Progress* p) { GaussianSmooth(s, t, p); });
    bind(Robertsovmopertorom1, [](ConstPixelView s, PixelView t, Progress* p) { Roberts(s, t, false, p); });
    bind(N2robertsovmopertorom1, [](ConstPixelView s, PixelView t, Progress* p) { Roberts(s, t, true, p); });
    bind(Laplaceovmopertorom2,
         [](ConstPixelView s, PixelView t, Progress* p) { Laplace(s, t, LaplaceNeighbours::kFour, false, p); });
    bind(N2laplaceovmopertorom4okolie1,
         [](ConstPixelView s, PixelView t, Progress* p) { Laplace(s, t, LaplaceNeighbours::kFour, true, p); });
    bind(Laplaceovmopertorom1,
         [](ConstPixelView s, PixelView t, Progress* p) { Laplace(s, t, LaplaceNeighbours::kEight, false, p); });
    bind(N2laplaceovmopertorom8okolie1,
         [](ConstPixelView s, PixelView t, Progress* p) { Laplace(s, t, LaplaceNeighbours::kEight, true, p); });

    // The dialog opens on the active document, which becomes the current
    // one; "OK" reads the dialog's values and filters the current document.
    const auto bindDialog = [this](Command command, auto dialogOf, auto filterOf) {
        OnCommand(command, [this, dialogOf, filterOf] {
            auto* dialog = dialogOf();
            TChildWin* doc = ActiveImageDocument();
            if (!dialog || !doc) return;
            CurrentDocument = doc;
            if (dialog->ShowModal() != forms::mrOk || !CurrentDocument) return;
            FilterIntoNewWindow(*CurrentDocument, filterOf(*dialog));
        });
    };
    bindDialog(
        Obyajnpriemerovanie1, [this] { return imaging_.filter; },
        [](const TFilterDial& d) -> Filter {
            return [radius = d.Radius()](ConstPixelView s, PixelView t, Progress* p) { Average(s, t, radius, p); };
        });
    bindDialog(
        Filtrovaniemedinom1, [this] { return imaging_.median; },
        [](const TMedianDial& d) -> Filter {
            return [radius = d.Radius()](ConstPixelView s, PixelView t, Progress* p) { Median(s, t, radius, p); };
        });
    bindDialog(
        Sobelovmopertorom1, [this] { return imaging_.sobel; },
        [](const TSobelDial& d) -> Filter {
            return [options = d.Options()](ConstPixelView s, PixelView t, Progress* p) { Sobel(s, t, options, p); };
        });
    bindDialog(
        Odstrenieumu1, [this] { return imaging_.noise; },
        [](const TNoiseDial& d) -> Filter {
            return [method = d.Method(), strength = d.Strength()](ConstPixelView s, PixelView t, Progress* p) {
                RemoveNoise(s, t, method, strength, p);
            };
        });
}

}  // namespace kelbo
