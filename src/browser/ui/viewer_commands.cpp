#include "browser/ui/viewer_commands.h"

#include "app/commands.h"
#include "app/settings.h"
#include "document/ui/child_win.h"

namespace kelbo {

ViewerCommands::ViewerCommands(CommandHost& host, std::function<void(const std::string&)> openPicture)
    : host_(host), openPicture_(std::move(openPicture)) {
    host_.BindCommand(Paleta1, [this] { Paleta1Click(); });
    host_.BindCommand(Obbensbory1, [this] { Obbensbory1Click(); });
    host_.BindCommand(Zobraznacelobrazovku1, [this] { Zobraznacelobrazovku1Click(); });
}

ViewerCommands::~ViewerCommands() = default;

std::vector<WindowStep> ViewerCommands::Windows() {
    return {
        {"TScrnFrm", [this] { scrnFrm_ = std::make_unique<TScrnFrm>(host_.Owner()); }},
        {"TPalWin", [this] { palWin_ = std::make_unique<TPalWin>(host_); }},
        {"TFavouriteDlg", [this] { favouriteDlg_ = std::make_unique<TFavouriteDlg>(host_, openPicture_); }},
    };
}

void ViewerCommands::PointerOverFrame() {
    if (palWin_) palWin_->PointerOverFrame();
    if (favouriteDlg_) favouriteDlg_->PointerOverFrame();
}

void ViewerCommands::ColorsChanged() {
    if (!palWin_) return;
    palWin_->ShowForeground();
    palWin_->ShowBackground();
}

void ViewerCommands::Paleta1Click() {
    const bool show = !host_.ItemChecked(Paleta1);
    host_.SetItemChecked(Paleta1, show);
    if (palWin_) ShowWindow(palWin_->Handle(), show ? SW_SHOWNA : SW_HIDE);
}

void ViewerCommands::Obbensbory1Click() {
    const bool show = !host_.ItemChecked(Obbensbory1);
    host_.SetItemChecked(Obbensbory1, show);
    if (favouriteDlg_) ShowWindow(favouriteDlg_->Handle(), show ? SW_SHOWNA : SW_HIDE);
}

void ViewerCommands::Zobraznacelobrazovku1Click() {
    const TChildWin* document = host_.ActiveImageDocument();
    if (!scrnFrm_ || !document || !document->Image1.Picture()) return;
    const Settings& s = host_.ProgramSettings();
    try {
        // A copy: the document may change while the view is shown, and must not by it.
        auto copy = std::make_shared<forms::DibSection>(document->Image1.Picture()->View());
        scrnFrm_->ShowPicture(std::move(copy), s.FullView ? s.BgColor : Rgb(0, 0, 0));
    } catch (const std::exception& e) {
        host_.ReportError(e.what());
    }
}

}  // namespace kelbo
