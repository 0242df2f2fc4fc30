#include "browser/ui/favourite_dlg.h"

#include <algorithm>

#include "app/commands.h"
#include "app/settings.h"
#include "document/picture_dialog_texts.h"
#include "forms/handle.h"
#include "forms/input_query.h"
#include "forms/text.h"

namespace kelbo {
namespace {

constexpr char kNewGroup[] = "Nová skupina";
constexpr char kDeleteGroupQuestion[] = "Chcete naozaj zmazať zložku %s?";

}  // namespace

TFavouriteDlg::TFavouriteDlg(CommandHost& host, std::function<void(const std::string&)> openPicture)
    : host_(host), openPicture_(std::move(openPicture)) {
    AskGroupName = [this](const std::string& name) {
        return forms::InputQuery(Handle(), "Obľúbené", "Meno zložky:", name);
    };
    CreateForm(L"TFavouriteDlg", "Obľúbené", {0, 0, kFullWidth, kFullHeight}, WS_POPUP | WS_CLIPCHILDREN,
               WS_EX_TOOLWINDOW | WS_EX_TOPMOST | WS_EX_CONTROLPARENT, host_.Owner());
    // At the right of the work area, below the palette's usual place.
    RECT work{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    SetWindowPos(Handle(), nullptr, work.right - kFullWidth - 16, work.top + 140, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void TFavouriteDlg::FormCreate() {
    Panel1.Create(Handle(), {0, 0, kFullWidth, kFullHeight}, "", false);
    const HWND p = Panel1.Handle();
    ClosePanel1.Create(p, {1, 1, kFullWidth - 2, controls::TClosePanel::kHeight});
    ClosePanel1.SetText("Obľúbené");
    title_.Attach();
    title_.OnClosed = [this] { host_.SetItemChecked(Obbensbory1, false); };

    // With a tab in it, so that its page starts below the tabs.
    TabControl1.Create(p, {7, 24, 273, 190}, {"Rodina"});
    const RECT page = TabControl1.PageArea();
    ListBox1.Create(p, {page.left + 4, page.top + 4, 153, 129});
    SetWindowPos(ListBox1.Handle(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    ListBox1.OnDblClick = [this] { OpenFile(); };
    TabControl1.OnChange = [this] { ShowGroup(); };
    ShowTabs();
}

LRESULT TFavouriteDlg::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_CONTEXTMENU) {
        PopupMenu1Popup({static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))});
        return 0;
    }
    return Form::HandleMessage(msg, wParam, lParam);
}

FavouriteGroup* TFavouriteDlg::ActiveGroup() {
    std::vector<FavouriteGroup>& groups = host_.ProgramSettings().Favourites;
    const int active = TabControl1.ActivePage();
    if (active < 0 || active >= static_cast<int>(groups.size())) return nullptr;
    return &groups[static_cast<std::size_t>(active)];
}

void TFavouriteDlg::ShowTabs() {
    while (TabControl1.TabCount() > 0) TabControl1.DeleteTab(0);
    for (const FavouriteGroup& group : host_.ProgramSettings().Favourites) TabControl1.AddTab(group.name);
    TabControl1.SetActivePage(0);  // shows its group
}

void TFavouriteDlg::ShowGroup() {
    ListBox1.Clear();
    if (const FavouriteGroup* group = ActiveGroup())
        for (const std::string& file : group->files) ListBox1.Add(file);
}

void TFavouriteDlg::PopupMenu1Popup(POINT screen) {
    const bool group = ActiveGroup() != nullptr;
    const bool file = group && ListBox1.ItemIndex() >= 0;
    forms::UniqueMenu menu(CreatePopupMenu());
    const auto add = [&](UINT id, const char* caption, bool enabled) {
        AppendMenuW(menu.get(), MF_STRING | (enabled ? 0 : MF_GRAYED), id, forms::Wide(caption).c_str());
    };
    add(Pridajskupinu1, "Pridaj zložku", true);
    add(Editujskupinu1, "Edituj zložku", group);
    add(Zmazloku1, "Zmaž zložku", group);
    AppendMenuW(menu.get(), MF_SEPARATOR, 0, nullptr);
    add(Pridajsbor1, "Pridaj súbor", group);
    add(Odobersbor1, "Odober súbor", file);
    if (screen.x == -1 && screen.y == -1) {  // from the keyboard
        RECT r{};
        GetWindowRect(TabControl1.Handle(), &r);
        screen = {r.left, r.top};
    }
    RunMenuItem(TrackPopupMenu(menu.get(), TPM_RETURNCMD | TPM_RIGHTBUTTON, screen.x, screen.y, 0, Handle(), nullptr));
}

void TFavouriteDlg::RunMenuItem(UINT item) {
    switch (item) {
    case Pridajskupinu1: AddGroup(); break;
    case Editujskupinu1: RenameGroup(); break;
    case Zmazloku1: DeleteGroup(); break;
    case Pridajsbor1: AddFiles(); break;
    case Odobersbor1: RemoveFile(); break;
    default: break;
    }
}

void TFavouriteDlg::AddGroup() {
    std::vector<FavouriteGroup>& groups = host_.ProgramSettings().Favourites;
    if (groups.size() >= kFavouriteGroupLimit) return;  // what the settings file keeps
    groups.push_back({kNewGroup, {}});
    TabControl1.AddTab(kNewGroup);
}

void TFavouriteDlg::RenameGroup() {
    FavouriteGroup* group = ActiveGroup();
    if (!group) return;
    const std::optional<std::string> name = AskGroupName(group->name);
    // An empty name would leave a tab no one can see to click.
    if (!name || name->empty()) return;
    group->name = *name;
    TabControl1.SetTabText(TabControl1.ActivePage(), *name);
}

void TFavouriteDlg::DeleteGroup() {
    const FavouriteGroup* group = ActiveGroup();
    if (!group) return;
    if (host_.Ask(forms::FormatOne(kDeleteGroupQuestion, group->name), MB_YESNO | MB_ICONQUESTION) != IDYES) return;
    std::vector<FavouriteGroup>& groups = host_.ProgramSettings().Favourites;
    groups.erase(groups.begin() + TabControl1.ActivePage());
    ShowTabs();
}

void TFavouriteDlg::AddFiles() {
    FavouriteGroup* group = ActiveGroup();
    if (!group) return;
    forms::FileDialog dialog;
    dialog.title = kOpenPictureTitle;
    dialog.filter = kPictureFileFilter;
    dialog.defaultExt = kPictureDefaultExt;
    dialog.multiSelect = true;
    if (!host_.ExecuteFileDialog(dialog, false)) return;
    std::vector<std::string> chosen = dialog.fileNames;
    if (chosen.empty() && !dialog.fileName.empty()) chosen.push_back(dialog.fileName);
    for (const std::string& file : chosen) {
        if (group->files.size() >= kFavouriteFileLimit) break;
        if (std::find(group->files.begin(), group->files.end(), file) == group->files.end())
            group->files.push_back(file);
    }
    ShowGroup();
}

void TFavouriteDlg::RemoveFile() {
    FavouriteGroup* group = ActiveGroup();
    const int index = ListBox1.ItemIndex();
    if (!group || index < 0 || index >= static_cast<int>(group->files.size())) return;
    group->files.erase(group->files.begin() + index);
    ShowGroup();
    ListBox1.SetItemIndex(std::min(index, ListBox1.Count() - 1));
}

void TFavouriteDlg::OpenFile() {
    const FavouriteGroup* group = ActiveGroup();
    const int index = ListBox1.ItemIndex();
    if (!group || index < 0 || index >= static_cast<int>(group->files.size())) return;
    if (openPicture_) openPicture_(group->files[static_cast<std::size_t>(index)]);
}

}  // namespace kelbo
