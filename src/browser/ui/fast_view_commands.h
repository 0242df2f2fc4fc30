// The commands "Rýchle prezeranie" and "Prehrať ako film": the fast view, its
// options and search windows, and the film's list. The module owns them.
#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "browser/ui/fast_view_dialogs.h"
#include "browser/ui/fast_view_frm.h"
#include "browser/ui/movie_dlg.h"
#include "document/ui/command_host.h"

namespace kelbo {

class FastViewCommands : public CommandModule {
public:
    // `activeBrowserFolder` gives the folder selected in the active browser
    // window's tree; empty when no browser window is active or its root is
    // selected.
    FastViewCommands(CommandHost& host, std::function<std::string()> activeBrowserFolder);
    ~FastViewCommands() override;

    std::vector<WindowStep> Windows() override;

    // The view over the folder's pictures, asking for the options unless the
    // stored ones are used; nothing when it holds none or the options were
    // not confirmed.
    void StartFastView(const std::string& folder);
    // The film: the view over `files` in their sorted order.
    void PlayFilm(std::vector<std::string> files);

    TFastViewFrm* FastViewFrm() const { return fastViewFrm_.get(); }
    TFVOWin* FVOWin() const { return fvoWin_.get(); }
    TSimpleWin* SimpleWin() const { return simpleWin_.get(); }
    TMovieDlg* MovieDlg() const { return movieDlg_.get(); }

private:
    void Rchleprezeranie1Click();
    // The options of one run; none when the options dialog was cancelled.
    std::optional<FastViewOptions> Options();
    void SetViewColor();

    CommandHost& host_;
    std::function<std::string()> activeBrowserFolder_;
    std::unique_ptr<TFastViewFrm> fastViewFrm_;
    std::unique_ptr<TSimpleWin> simpleWin_;
    std::unique_ptr<TFVOWin> fvoWin_;
    std::unique_ptr<TMovieDlg> movieDlg_;
};

}  // namespace kelbo
