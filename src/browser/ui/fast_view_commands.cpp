#include "browser/ui/fast_view_commands.h"

#include <utility>

#include "app/commands.h"
#include "app/settings.h"
#include "browser/fast_view_files.h"
#include "browser/picture_names.h"
#include "browser/ui/disk_folder.h"

namespace kelbo {

FastViewCommands::FastViewCommands(CommandHost& host, std::function<std::string()> activeBrowserFolder)
    : host_(host), activeBrowserFolder_(std::move(activeBrowserFolder)) {
    host_.BindCommand(Rchleprezeranie1, [this] { Rchleprezeranie1Click(); });
    host_.BindCommand(Prehraakofilm1, [this] {
        if (movieDlg_) movieDlg_->ShowModal();
    });
}

FastViewCommands::~FastViewCommands() = default;

std::vector<WindowStep> FastViewCommands::Windows() {
    const HWND owner = host_.Owner();
    return {
        {"TFastViewFrm",
         [this, owner] { fastViewFrm_ = std::make_unique<TFastViewFrm>(owner, [this] { return host_.Codecs(); }); }},
        {"TSimpleWin", [this, owner] { simpleWin_ = std::make_unique<TSimpleWin>(owner); }},
        {"TFVOWin", [this, owner] { fvoWin_ = std::make_unique<TFVOWin>(owner); }},
        {"TMovieDlg",
         [this] {
             movieDlg_ = std::make_unique<TMovieDlg>(
                 host_, [this](std::vector<std::string> files) { PlayFilm(std::move(files)); });
         }},
    };
}

void FastViewCommands::Rchleprezeranie1Click() {
    const std::string folder = activeBrowserFolder_ ? activeBrowserFolder_() : std::string();
    if (folder.empty()) return;
    StartFastView(folder);
}

void FastViewCommands::SetViewColor() {
    const Settings& s = host_.ProgramSettings();
    fastViewFrm_->SetColor(s.FullView ? s.BgColor : Rgb(0, 0, 0));
}

std::optional<FastViewOptions> FastViewCommands::Options() {
    const Settings& s = host_.ProgramSettings();
    if (s.DefaultOptions) return FastViewOptions{s.IncludeSubDirs, s.Movie, s.MovieInterval};
    if (fvoWin_->ShowModal() != forms::mrOk) return std::nullopt;
    return fvoWin_->Options();
}

void FastViewCommands::StartFastView(const std::string& folder) {
    if (!fastViewFrm_ || !simpleWin_ || !fvoWin_) return;
    SetViewColor();
    const std::optional<FastViewOptions> options = Options();
    if (!options) return;
    simpleWin_->ShowCount(0);
    simpleWin_->ShowFolder(folder);
    simpleWin_->Show();
    FastViewSearch search;
    search.includeSubDirs = options->includeSubDirs;
    search.showHiddenFiles = host_.ProgramSettings().ShowHiddenFiles;
    search.onFolder = [this](const std::string& searched) { simpleWin_->ShowFolder(searched); };
    search.onFound = [this](std::size_t found) { simpleWin_->ShowCount(found); };
    std::vector<std::string> files;
    try {
        files = FastViewFiles(folder, ListDiskFolder, search);
    } catch (...) {
        simpleWin_->Hide();
        throw;
    }
    simpleWin_->Hide();
    fastViewFrm_->Start(std::move(files), *options);
}

void FastViewCommands::PlayFilm(std::vector<std::string> files) {
    if (!fastViewFrm_ || !fvoWin_ || files.empty()) return;
    SetViewColor();
    const std::optional<FastViewOptions> options = Options();
    if (!options) return;
    SortPictureNames(files);
    fastViewFrm_->Start(std::move(files), *options);
}

}  // namespace kelbo
