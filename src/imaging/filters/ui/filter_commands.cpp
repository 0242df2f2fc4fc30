#include "imaging/filters/ui/filter_commands.h"

#include "app/commands.h"
#include "imaging/filters/filters.h"

namespace kelbo {

namespace {

// The filters that work column by column show the result growing: the new
// window every 5th column (the noise filters every 10th), the main window
// every 20th. The row filters show it when they are done.
constexpr GrowingRepaints kByRows{};
constexpr GrowingRepaints kByColumns{5, 20};
constexpr GrowingRepaints kNoise{10, 20};

}  // namespace

FilterCommands::FilterCommands(CommandHost& host) : host_(host) {
    using S = ConstPixelView;
    using T = PixelView;
    Bind(
        ZnenieGaussovhoumu1, [](S s, T t, Progress* p) { GaussianSmooth(s, t, p); }, kByRows);
    Bind(
        Robertsovmopertorom1, [](S s, T t, Progress* p) { Roberts(s, t, false, p); }, kByColumns);
    Bind(
        N2robertsovmopertorom1, [](S s, T t, Progress* p) { Roberts(s, t, true, p); }, kByColumns);
    Bind(
        Laplaceovmopertorom2, [](S s, T t, Progress* p) { Laplace(s, t, LaplaceNeighbours::kFour, false, p); },
        kByColumns);
    Bind(
        N2laplaceovmopertorom4okolie1, [](S s, T t, Progress* p) { Laplace(s, t, LaplaceNeighbours::kFour, true, p); },
        kByColumns);
    Bind(
        Laplaceovmopertorom1, [](S s, T t, Progress* p) { Laplace(s, t, LaplaceNeighbours::kEight, false, p); },
        kByColumns);
    Bind(
        N2laplaceovmopertorom8okolie1, [](S s, T t, Progress* p) { Laplace(s, t, LaplaceNeighbours::kEight, true, p); },
        kByColumns);

    BindDialog(
        Obyajnpriemerovanie1, filterDial_,
        [](const TFilterDial& d) -> IntoNewWindowFilter {
            return [radius = d.Radius()](S s, T t, Progress* p) { Average(s, t, radius, p); };
        },
        kByRows);
    BindDialog(
        Filtrovaniemedinom1, medianDial_,
        [](const TMedianDial& d) -> IntoNewWindowFilter {
            return [radius = d.Radius()](S s, T t, Progress* p) { Median(s, t, radius, p); };
        },
        kByRows);
    BindDialog(
        Sobelovmopertorom1, sobelDial_,
        [](const TSobelDial& d) -> IntoNewWindowFilter {
            return [options = d.Options()](S s, T t, Progress* p) { Sobel(s, t, options, p); };
        },
        kByColumns);
    BindDialog(
        Odstrenieumu1, noiseDial_,
        [](const TNoiseDial& d) -> IntoNewWindowFilter {
            return [method = d.Method(), strength = d.Strength()](S s, T t, Progress* p) {
                RemoveNoise(s, t, method, strength, p);
            };
        },
        kNoise);
}

FilterCommands::~FilterCommands() = default;

std::vector<WindowStep> FilterCommands::Windows() {
    const HWND owner = host_.Owner();
    return {
        {"TNoiseDial", [this, owner] { noiseDial_ = std::make_unique<TNoiseDial>(owner); }},
        {"TFilterDial", [this, owner] { filterDial_ = std::make_unique<TFilterDial>(owner, host_.Imaging()); }},
        {"TMedianDial", [this, owner] { medianDial_ = std::make_unique<TMedianDial>(owner, host_.Imaging()); }},
        {"TSobelDial", [this, owner] { sobelDial_ = std::make_unique<TSobelDial>(owner); }},
    };
}

void FilterCommands::Bind(UINT command, IntoNewWindowFilter filter, GrowingRepaints repaints) {
    host_.BindCommand(command, [this, filter = std::move(filter), repaints] {
        if (TChildWin* doc = host_.ActiveImageDocument()) host_.FilterIntoNewWindow(*doc, filter, repaints);
    });
}

template <typename Dialog, typename FilterOf>
void FilterCommands::BindDialog(UINT command, const std::unique_ptr<Dialog>& dialog, FilterOf filterOf,
                                GrowingRepaints repaints) {
    host_.BindCommand(command, [this, &dialog, filterOf, repaints] {
        if (TChildWin* doc = RunOperationDialog(host_, dialog.get()))
            host_.FilterIntoNewWindow(*doc, filterOf(*dialog), repaints);
    });
}

}  // namespace kelbo
