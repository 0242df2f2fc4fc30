// TFavouriteDlg ("Obľúbené"): the floating window of the favourite picture
// files, one tab per group. The groups live in the settings, so they are
// kept in kelbo.ini between runs.
#pragma once

#include <functional>
#include <optional>
#include <string>

#include "controls/close_panel.h"
#include "controls/floating_title.h"
#include "document/ui/command_host.h"
#include "forms/controls.h"
#include "forms/form.h"
#include "forms/panel.h"

namespace kelbo {

struct FavouriteGroup;

class TFavouriteDlg : public forms::Form {
public:
    static constexpr int kFullWidth = 287;
    static constexpr int kFullHeight = 242;
    // The popup menu's items.
    enum : UINT { Pridajskupinu1 = 1, Editujskupinu1, Zmazloku1, Pridajsbor1, Odobersbor1 };

    // Hidden at start; `openPicture` opens a file as a document.
    TFavouriteDlg(CommandHost& host, std::function<void(const std::string&)> openPicture);

    forms::Panel Panel1;
    controls::TClosePanel ClosePanel1;
    forms::TabControl TabControl1;
    forms::ListBox ListBox1;

    // Asks for a group's new name; a modal query unless a test answers.
    std::function<std::optional<std::string>(const std::string& name)> AskGroupName;

    void PointerOverFrame() { title_.PointerOverFrame(); }
    bool Rolled() const { return title_.Rolled(); }

    // The popup menu's commands, on the active tab.
    void RunMenuItem(UINT item);
    void PopupMenu1Popup(POINT screen);

protected:
    void FormCreate() override;
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    // The active tab's group; null when there is none.
    FavouriteGroup* ActiveGroup();
    void ShowTabs();
    void ShowGroup();
    void AddGroup();
    void RenameGroup();
    void DeleteGroup();
    void AddFiles();
    void RemoveFile();
    void OpenFile();

    CommandHost& host_;
    std::function<void(const std::string&)> openPicture_;
    controls::FloatingTitle title_{*this, ClosePanel1, {kFullWidth, kFullHeight}};
};

}  // namespace kelbo
