#include "app/ui/command_modules.h"

#include <algorithm>
#include <map>
#include <stdexcept>
#include <string>

namespace kelbo {

const std::vector<std::string_view>& WindowCreationOrder() {
    static const std::vector<std::string_view> order = {
        "TAboutDial",  "TNoiseDial",   "TEarthDial",      "TTextDial",       "TRectanglize",   "TAlfaDial",
        "TFilterDial", "TToolsWin",    "TRoundPhoto",     "TConvertDial",    "TEditPointDial", "TRGBDial",
        "TCMYdial",    "TRotateDial",  "TShearDial",      "TAddBordersDial", "TPainterDial",   "TMedianDial",
        "TNewWinDial", "TZoomDial",    "TSobelDial",      "TResizeDial",     "TOptionsDial",   "TAritmeticDial",
        "TScrnFrm",    "TMozaikaDial", "TThresDial",      "TFastViewFrm",    "TSimpleWin",     "TFVOWin",
        "THSLDial",    "TWaveDial",    "TMovieDlg",       "TToolDlg",        "TPalWin",        "TFavouriteDlg",
        "THistoWin",   "TMovieDialog", "TColorNumDialog",
    };
    return order;
}

CommandModules::CommandModules(TViewForm& frame)
    : frame_(frame),
      windows_(frame),
      files_(frame),
      edit_(frame),
      geometry_(frame),
      colour_(frame),
      histogram_(frame),
      filters_(frame),
      combine_(frame),
      effects_(frame),
      warp_(frame, frame),
      paint_(frame, frame,
             [this](TChildWin& document, int x, int y) {
                 TTextDial* text = edit_.TextDial();
                 return text && text->PlaceText(document, x, y);
             }),
      browser_(frame, BrowserLinks{frame, [&frame](const std::string& path) { frame.OpenPicture(path); },
                                   [this](const std::string& path) { warp_.OpenWarpWindow(path); },
                                   [&frame](const std::string& path) { frame.AddRecentFile(path); },
                                   [&frame] { frame.BrowserWindowActivated(); }}),
      fastView_(frame, [this] { return browser_.ActiveBrowserFolder(); }),
      viewer_(frame, [&frame](const std::string& path) { frame.OpenPicture(path); }),
      convert_(frame) {
    for (CommandModule* module : All()) frame_.AddModule(*module);
    frame_.SetFileCommands(&files_);
}

CommandModules::~CommandModules() {
    // The frame may outlive the modules in tests; it must not call into them.
    frame_.SetFileCommands(nullptr);
    frame_.RemoveModules();
}

std::vector<CommandModule*> CommandModules::All() {
    return {&windows_, &files_, &edit_,  &geometry_, &colour_,  &histogram_, &filters_, &combine_,
            &effects_, &warp_,  &paint_, &fastView_, &browser_, &viewer_,    &convert_};
}

void CommandModules::CreateWindows() {
    std::map<std::string_view, std::function<void()>> steps;
    for (CommandModule* module : All()) {
        for (WindowStep& step : module->Windows()) {
            const auto& order = WindowCreationOrder();
            if (std::find(order.begin(), order.end(), step.className) == order.end())
                throw std::logic_error("The window " + std::string(step.className) + " has no place in the order");
            steps[step.className] = std::move(step.create);
        }
    }
    for (std::string_view name : WindowCreationOrder()) {
        auto step = steps.find(name);
        if (step != steps.end()) step->second();
    }
}

}  // namespace kelbo
