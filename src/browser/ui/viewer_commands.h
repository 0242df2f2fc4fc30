// The viewing windows of the main menu: "Paleta" and "Obľúbené súbory"
// (floating windows that stay for the whole run) and "Zobraz na celú
// obrazovku". The module owns them.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "browser/ui/favourite_dlg.h"
#include "browser/ui/palette_win.h"
#include "browser/ui/scrn_frm.h"
#include "document/ui/command_host.h"

namespace kelbo {

class ViewerCommands : public CommandModule {
public:
    // `openPicture` opens a favourite file as a document.
    ViewerCommands(CommandHost& host, std::function<void(const std::string&)> openPicture);
    ~ViewerCommands() override;

    std::vector<WindowStep> Windows() override;
    void PointerOverFrame() override;
    void ColorsChanged() override;

    TPalWin* PalWin() const { return palWin_.get(); }
    TFavouriteDlg* FavouriteDlg() const { return favouriteDlg_.get(); }
    TScrnFrm* ScrnFrm() const { return scrnFrm_.get(); }

private:
    void Paleta1Click();
    void Obbensbory1Click();
    void Zobraznacelobrazovku1Click();

    CommandHost& host_;
    std::function<void(const std::string&)> openPicture_;
    std::unique_ptr<TPalWin> palWin_;
    std::unique_ptr<TFavouriteDlg> favouriteDlg_;
    std::unique_ptr<TScrnFrm> scrnFrm_;
};

}  // namespace kelbo
