// The commands of mesh warping: opening pictures in warp windows, the
// warping tool bar, the change of window kind, and their dialogs. The
// module owns the warp windows.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "document/ui/command_host.h"
#include "forms/timer.h"
#include "warp/ui/edit_point_dial.h"
#include "warp/ui/movie_dialog.h"
#include "warp/ui/warp_host.h"
#include "warp/ui/warp_win.h"
#include "warp/warp.h"

namespace kelbo {

class WarpCommands : public CommandModule {
public:
    WarpCommands(CommandHost& host, WarpHost& warpHost);
    ~WarpCommands() override;

    std::vector<WindowStep> Windows() override;

    // Opens a picture file in a new warp window; a file that cannot be read
    // is reported and opens no window.
    TWarpWin* OpenWarpWindow(const std::string& path);
    // A new warp window on a copy of `picture` with the rectangle mesh.
    TWarpWin& NewWarpWindow(ConstPixelView picture, std::string_view caption);
    // The active document window when it is a warp window.
    TWarpWin* ActiveWarpWindow() const;
    int WarpWindowCount() const { return static_cast<int>(windows_.size()); }

    TEditPointDial* EditPointDial() const { return editPointDial_.get(); }
    TMovieDialog* MovieDialog() const { return movieDialog_.get(); }

private:
    void Sieovwarping1Click();
    void WarpButtonClick();
    void LoadButtonClick();
    void SaveItButtonClick();
    void SpeedButton1Click();
    void EditDialButtonClick();
    void WarpNowButtonClick();
    void MovieButtonClick();
    void Zmedruhokna1Click();
    void RenderMovie(TWarpWin& window);
    // Nothing folds at frames first..last of the morph, or the user goes on anyway.
    bool FoldsAccepted(const WarpMesh& mesh, int frames, int first, int last);
    WarpOptions Options(Progress* progress);
    void WindowClosed(TWarpWin& window);

    CommandHost& host_;
    WarpHost& warpHost_;
    WarpGesture gesture_;
    std::vector<std::unique_ptr<TWarpWin>> windows_;
    std::vector<std::unique_ptr<TWarpWin>> closed_;  // freed once their messages are done
    forms::Timer reaper_;
    bool shuttingDown_ = false;
    std::unique_ptr<TEditPointDial> editPointDial_;
    std::unique_ptr<TMovieDialog> movieDialog_;
};

}  // namespace kelbo
