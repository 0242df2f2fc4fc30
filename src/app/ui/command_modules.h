// Every subsystem's command module, bound to one main window, and the
// windows they own, created once in the program's fixed order.
#pragma once

#include <memory>
#include <vector>

#include "app/ui/view_form.h"
#include "app/ui/window_commands.h"
#include "browser/ui/browser_commands.h"
#include "browser/ui/convert_commands.h"
#include "browser/ui/fast_view_commands.h"
#include "browser/ui/viewer_commands.h"
#include "document/ui/edit_commands.h"
#include "document/ui/file_commands.h"
#include "imaging/colour/ui/colour_commands.h"
#include "imaging/colour/ui/histogram_commands.h"
#include "imaging/filters/ui/combine_commands.h"
#include "imaging/effects/ui/effect_commands.h"
#include "imaging/filters/ui/filter_commands.h"
#include "imaging/geometry/ui/geometry_commands.h"
#include "paint/ui/paint_commands.h"
#include "warp/ui/warp_commands.h"

namespace kelbo {

// The program's windows after the main one, in the order they are created
// (later windows read state that earlier ones set). A module's window is
// made when its name comes; the names of windows still to be built wait
// here in their places.
const std::vector<std::string_view>& WindowCreationOrder();

class CommandModules {
public:
    // Binds every module's commands in `frame`; no window is created yet.
    explicit CommandModules(TViewForm& frame);
    ~CommandModules();
    CommandModules(const CommandModules&) = delete;
    CommandModules& operator=(const CommandModules&) = delete;

    // Creates the modules' windows in WindowCreationOrder. Throws
    // std::logic_error for a window that has no place in the order.
    void CreateWindows();

    WindowCommands& Windows() { return windows_; }
    FileCommands& Files() { return files_; }
    EditCommands& Edit() { return edit_; }
    GeometryCommands& Geometry() { return geometry_; }
    ColourCommands& Colour() { return colour_; }
    HistogramCommands& Histogram() { return histogram_; }
    FilterCommands& Filters() { return filters_; }
    CombineCommands& Combining() { return combine_; }
    EffectCommands& Effects() { return effects_; }
    WarpCommands& Warp() { return warp_; }
    PaintCommands& Painting() { return paint_; }
    BrowserCommands& Browsing() { return browser_; }
    FastViewCommands& FastView() { return fastView_; }
    ViewerCommands& Viewer() { return viewer_; }
    ConvertCommands& Converting() { return convert_; }

private:
    std::vector<CommandModule*> All();

    TViewForm& frame_;
    WindowCommands windows_;
    FileCommands files_;
    EditCommands edit_;
    GeometryCommands geometry_;
    ColourCommands colour_;
    HistogramCommands histogram_;
    FilterCommands filters_;
    CombineCommands combine_;
    EffectCommands effects_;
    WarpCommands warp_;
    PaintCommands paint_;
    BrowserCommands browser_;
    FastViewCommands fastView_;
    ViewerCommands viewer_;
    ConvertCommands convert_;
};

}  // namespace kelbo
