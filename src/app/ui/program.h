// Program start: the single-instance rule, the windows created in their
// fixed order, the automatic and command-line opening, the message loop.
#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "app/command_line.h"
#include "app/ui/about_dial.h"
#include "app/ui/options_dial.h"
#include "app/ui/view_form.h"
#include "imaging/colour/ui/cmy_dial.h"
#include "imaging/colour/ui/color_num_dialog.h"
#include "imaging/colour/ui/histo_win.h"
#include "imaging/colour/ui/hsl_dial.h"
#include "imaging/colour/ui/rgb_dial.h"
#include "imaging/colour/ui/thres_dial.h"
#include "imaging/filters/ui/strength_dial.h"
#include "imaging/filters/ui/noise_dial.h"
#include "imaging/filters/ui/sobel_dial.h"
#include "imaging/geometry/ui/zoom_dial.h"

namespace kelbo {

// The main window of another running copy of this program, or nullptr.
HWND FindRunningInstance();

// Asks whether to start a second copy; when not, wakes the first one.
// Returns true when this copy should go on starting.
bool ApplySingleInstanceRule(HWND found);

class Program {
public:
    explicit Program(StartOptions options);
    ~Program();

    // Creates every window in the program's fixed order.
    void CreateWindows();
    // The automatic opening of the settings and the command-line files.
    void OpenStartFiles();
    int Run();

    TViewForm& ViewForm() { return *viewForm_; }

private:
    StartOptions options_;
    std::unique_ptr<TViewForm> viewForm_;
    // Created once at start, in this order; the later ones join as they are built.
    std::unique_ptr<TAboutDial> aboutDial_;
    std::unique_ptr<TZoomDial> zoomDial_;
    std::unique_ptr<TOptionsDial> optionsDial_;
    std::unique_ptr<TNoiseDial> noiseDial_;
    std::unique_ptr<TFilterDial> filterDial_;
    std::unique_ptr<TMedianDial> medianDial_;
    std::unique_ptr<TSobelDial> sobelDial_;
    std::unique_ptr<THistoWin> histoWin_;
    std::unique_ptr<TColorNumDialog> colorNumDialog_;
    std::unique_ptr<TRGBDial> rgbDial_;
    std::unique_ptr<TCMYdial> cmyDial_;
    std::unique_ptr<TThresDial> thresDial_;
    std::unique_ptr<THSLDial> hslDial_;
};

// UTF-8 arguments of this process without the program name.
std::vector<std::string> ProcessArguments();

}  // namespace kelbo
