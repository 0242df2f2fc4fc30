// The main window's own commands: windows, zoom, wallpaper, help, colours.
#include <windows.h>
#include <shellapi.h>

#include "app/ui/about_dial.h"
#include "app/ui/options_dial.h"
#include "app/ui/view_form.h"
#include "forms/dialogs.h"
#include "forms/menu.h"
#include "forms/text.h"
#include "imaging/geometry/ui/zoom_dial.h"

namespace kelbo {

namespace {

constexpr char kHomePage[] = "https://kelbo.example/";
constexpr char kUpdateArchive[] = "https://kelbo.example/update/kelbo-update.zip";
constexpr char kAuthorEmail[] = "autor@kelbo.example";
constexpr char kRefused[] = "Systém Windows odmietol túto funkciu.";

void OpenWithShell(HWND owner, std::string_view target) {
    ShellExecuteW(owner, L"open", forms::Wide(target).c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

std::string Trim(std::string s) {
    const size_t first = s.find_first_not_of(" \t\r\n");
    if (first == std::string::npos) return {};
    const size_t last = s.find_last_not_of(" \t\r\n");
    return s.substr(first, last - first + 1);
}

}  // namespace

void TViewForm::BindCommands() {
    OnCommand(N501, [this] { ZoomTo(50); });
    OnCommand(N1001, [this] { ZoomTo(100); });
    OnCommand(N2001, [this] { ZoomTo(200); });
    OnCommand(N3001, [this] { ZoomTo(300); });
    OnCommand(Invekos1, [this] { Invekos1Click(); });
    OnCommand(MaximButton, [this] { MaximButtonClick(); });
    OnCommand(Tapetavedaseba1, [this] { Wallpaper(true); });
    OnCommand(Tapetauprostred1, [this] { Wallpaper(false); });
    OnCommand(istitapetu1, [this] { istitapetu1Click(); });
    OnCommand(Priesvitnikony1, [this] { Priesvitnikony1Click(); });
    OnCommand(Kaskda1, [this] { Kaskda1Click(); });
    OnCommand(Dlaba1, [this] { Dlaba1Click(); });
    OnCommand(Zatvor1, [this] { Zatvor1Click(); });
    OnCommand(Zatvorvetky1, [this] { Zatvorvetky1Click(); });
    OnCommand(Zatvorvetkyokn1, [this] { Zatvorvetky1Click(); });
    OnCommand(Maximalizova1, [this] { Maximalizova1Click(); });
    OnCommand(Minimalizova1, [this] { Minimalizova1Click(); });
    OnCommand(Minimalizujvetky1, [this] { Minimalizujvetky1Click(); });
    OnCommand(Usporiadajikonky1, [this] { Usporiadajikonky1Click(); });
    OnCommand(Informanlita1, [this] { Informanlita1Click(); });
    OnCommand(Popisfunkci1, [this] { Popisfunkci1Click(); });
    OnCommand(Autorovahomepage1, [this] { Autorovahomepage1Click(); });
    OnCommand(Autorovahomepage2, [this] { Autorovahomepage1Click(); });
    OnCommand(Poliemailautorovi1, [this] { Poliemailautorovi1Click(); });
    OnCommand(Zaniupdate1, [this] { Zaniupdate1Click(); });
    OnCommand(Zaniupdate2, [this] { Zaniupdate1Click(); });
    OnCommand(Oprograme1, [this] { Oprograme1Click(); });
    OnCommand(Oprograme2, [this] { Oprograme1Click(); });
    OnCommand(ExitKoniec1, [this] { ExitKoniec1Click(); });
    for (Command undo : {Undokroksp1, Undokroksp2}) OnCommand(undo, [this] { UndoClick(); });
    for (Command redo : {Redoodstrkroksp1, Redoodstrkroksp2}) OnCommand(redo, [this] { RedoClick(); });
    OnCommand(Nastavenie2, [this] {
        if (optionsDial_) optionsDial_->ShowModal();
    });
}

void TViewForm::ToolButtonClick(UINT command) {
    switch (command) {
    case ArrowButton: case ZoomButton: case PickButton: case PenButton: case LineButton:
    case FillButton: case ShapeButton: case CropButton: case TextButton:
        CurrentTool = static_cast<std::uint8_t>(command - ArrowButton);
        return;
    case NewButton: RunCommand(Nov1); return;
    case OpenButton: RunCommand(Otvor1); return;
    case WarpingButton: RunCommand(OtvorpreWarping1); return;
    case BrowserButton: RunCommand(Sprvcaobrzkov1); return;
    case SaveButton: RunCommand(Ulo1); return;
    case SaveAsButton: RunCommand(Uloako1); return;
    case UndoButton: RunCommand(Undokroksp1); return;
    case RedoButton: RunCommand(Redoodstrkroksp1); return;
    case CutButton: RunCommand(Vybracut1); return;
    case CopyButton: RunCommand(Koprovacopy1); return;
    case PasteButton: RunCommand(Doaktulnehoobrzku1); return;
    case HistogramButton: RunCommand(Vytvor1); return;
    case ToolsButton: RunCommand(Nradie1); return;
    case ViewButton: RunCommand(Zobraznacelobrazovku1); return;
    default: RunCommand(command); return;
    }
}

void TViewForm::UndoClick() {
    TChildWin* doc = ActiveImageDocument();
    if (!doc) return;
    CurrentDocument = doc;
    doc->Undo();
    UpdateMenuItems();
}

void TViewForm::RedoClick() {
    TChildWin* doc = ActiveImageDocument();
    if (!doc) return;
    CurrentDocument = doc;
    doc->Redo();
    UpdateMenuItems();
}

void TViewForm::ZoomTo(int percent) {
    TChildWin* doc = ActiveImageDocument();
    if (!doc) return;
    CurrentDocument = doc;
    doc->SetViewSize(ZoomedView(doc->PictureSize(), percent));
}

void TViewForm::Invekos1Click() {
    TChildWin* doc = ActiveImageDocument();
    if (!doc || !zoomDial_) return;
    CurrentDocument = doc;
    if (zoomDial_->ShowModal() != forms::mrOk) return;
    const std::optional<int> percent = zoomDial_->Percent();
    if (!percent) return;
    doc->SetViewSize(ZoomedView(doc->PictureSize(), *percent));
}

void TViewForm::MaximButtonClick() {
    if (!ToolBar1.Down(MaximButton)) return;  // raising the button does nothing else
    ShowWindow(Handle(), SW_MAXIMIZE);
    const forms::Bounds maximised = GetBounds();
    ShowWindow(Handle(), SW_RESTORE);
    SetWindowPos(Handle(), nullptr, -4, -22, maximised.width + 8, maximised.height + 140, SWP_NOZORDER);
    Repaint();
}

void TViewForm::Wallpaper(bool tiled) {
    TChildWin* doc = ActiveImageDocument();
    if (!doc || ActiveKind != WindowKindId::kImage) return;
    CurrentDocument = doc;
    auto isBitmapFile = [doc] {
        const std::string& n = doc->FileName;
        if (n.size() < 4) return false;
        std::string ext = n.substr(n.size() - 4);
        for (char& c : ext) c = static_cast<char>(toupper(static_cast<unsigned char>(c)));
        return ext == ".BMP" && doc->Text() != kUnnamed;
    };
    if (!isBitmapFile()) RunCommand(Uloako1);
    if (!isBitmapFile()) return;
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, L"Control Panel\\desktop", 0, KEY_SET_VALUE, &key) != ERROR_SUCCESS) return;
    const std::wstring path = forms::Wide(doc->FileDir + doc->FileName);
    const std::wstring tile = tiled ? L"1" : L"0";
    RegSetValueExW(key, L"Wallpaper", 0, REG_SZ, reinterpret_cast<const BYTE*>(path.c_str()),
                   static_cast<DWORD>((path.size() + 1) * sizeof(wchar_t)));
    RegSetValueExW(key, L"TileWallpaper", 0, REG_SZ, reinterpret_cast<const BYTE*>(tile.c_str()),
                   static_cast<DWORD>((tile.size() + 1) * sizeof(wchar_t)));
    RegCloseKey(key);
    SystemParametersInfoW(SPI_SETDESKWALLPAPER, 0, nullptr, SPIF_SENDCHANGE);
}

void TViewForm::istitapetu1Click() {
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, L"Control Panel\\desktop", 0, KEY_SET_VALUE, &key) == ERROR_SUCCESS) {
        const wchar_t empty[] = L"";
        const wchar_t zero[] = L"0";
        RegSetValueExW(key, L"Wallpaper", 0, REG_SZ, reinterpret_cast<const BYTE*>(empty), sizeof empty);
        RegSetValueExW(key, L"TileWallpaper", 0, REG_SZ, reinterpret_cast<const BYTE*>(zero), sizeof zero);
        RegCloseKey(key);
    }
    SystemParametersInfoW(SPI_SETDESKWALLPAPER, 0, nullptr, SPIF_SENDCHANGE);
}

void TViewForm::Priesvitnikony1Click() {
    HWND list = FindWindowW(L"ProgMan", nullptr);
    if (list) list = GetWindow(list, GW_CHILD);
    if (list) list = GetWindow(list, GW_CHILD);
    wchar_t name[40]{};
    if (list) GetClassNameW(list, name, 40);
    if (std::wstring(name) != L"SysListView32") {
        forms::MessageDlg(Handle(), kRefused, "Kelbo", MB_OK | MB_ICONWARNING);
    } else {
        const LRESULT text = SendMessageW(list, LVM_GETTEXTCOLOR, 0, 0);
        SendMessageW(list, LVM_SETTEXTCOLOR, 0, text);
        const LRESULT back = SendMessageW(list, LVM_GETTEXTBKCOLOR, 0, 0);
        SendMessageW(list, LVM_SETTEXTBKCOLOR, 0, back);
        SendMessageW(list, LVM_SETTEXTBKCOLOR, 0, static_cast<LPARAM>(CLR_NONE));
    }
    if (HWND progman = FindWindowW(L"Progman", L"Program Manager")) SendMessageW(progman, WM_COMMAND, 41061, 0);
}

void TViewForm::Kaskda1Click() { SendMessageW(mdiClient_, WM_MDICASCADE, 0, 0); }
void TViewForm::Dlaba1Click() { SendMessageW(mdiClient_, WM_MDITILE, MDITILE_HORIZONTAL, 0); }

void TViewForm::Zatvor1Click() {
    HWND active = reinterpret_cast<HWND>(SendMessageW(mdiClient_, WM_MDIGETACTIVE, 0, 0));
    if (active) SendMessageW(active, WM_CLOSE, 0, 0);
}

void TViewForm::Zatvorvetky1Click() {
    // From the last in the child list to the first.
    std::vector<HWND> children;
    for (HWND h = GetWindow(mdiClient_, GW_CHILD); h; h = GetWindow(h, GW_HWNDNEXT))
        if (!GetWindow(h, GW_OWNER)) children.push_back(h);
    for (auto it = children.rbegin(); it != children.rend(); ++it)
        if (IsWindow(*it)) SendMessageW(*it, WM_CLOSE, 0, 0);
}

void TViewForm::Maximalizova1Click() {
    HWND active = reinterpret_cast<HWND>(SendMessageW(mdiClient_, WM_MDIGETACTIVE, 0, 0));
    if (active) SendMessageW(mdiClient_, WM_MDIMAXIMIZE, reinterpret_cast<WPARAM>(active), 0);
}

void TViewForm::Minimalizova1Click() {
    HWND active = reinterpret_cast<HWND>(SendMessageW(mdiClient_, WM_MDIGETACTIVE, 0, 0));
    if (active) ShowWindow(active, SW_MINIMIZE);
}

void TViewForm::Minimalizujvetky1Click() {
    for (HWND h = GetWindow(mdiClient_, GW_CHILD); h; h = GetWindow(h, GW_HWNDNEXT))
        if (!GetWindow(h, GW_OWNER)) ShowWindow(h, SW_MINIMIZE);
}

void TViewForm::Usporiadajikonky1Click() { SendMessageW(mdiClient_, WM_MDIICONARRANGE, 0, 0); }

void TViewForm::Informanlita1Click() {
    const bool show = !forms::ItemChecked(MainMenu1.get(), Informanlita1);
    forms::SetItemChecked(MainMenu1.get(), Informanlita1, show);
    Panel1.SetVisible(show);
    LayoutChildren();
}

void TViewForm::ClosePanel1CloseClick() {
    forms::SetItemChecked(MainMenu1.get(), Informanlita1, false);
    Panel1.SetVisible(false);
    LayoutChildren();
}

void TViewForm::ClosePanel1RollClick() {
    // The title's button has switched the roll mode already.
    LayoutChildren();
}

void TViewForm::Popisfunkci1Click() {
    wchar_t exe[MAX_PATH]{};
    GetModuleFileNameW(nullptr, exe, MAX_PATH);
    std::wstring help(exe);
    help = help.substr(0, help.find_last_of(L'\\') + 1) + L"kelboer.hlp";
    WinHelpW(Handle(), help.c_str(), HELP_CONTENTS, 0);
}

void TViewForm::Autorovahomepage1Click() { OpenWithShell(Handle(), kHomePage); }

void TViewForm::Poliemailautorovi1Click() {
    const std::string address = Trim(kAuthorEmail);
    if (address.empty() || address.find('@') == std::string::npos) {
        forms::MessageDlg(Handle(), "Zla adresa!", "Kelbo", MB_OK | MB_ICONWARNING);
        return;
    }
    OpenWithShell(Handle(), "mailto:" + address);
}

void TViewForm::Zaniupdate1Click() { OpenWithShell(Handle(), kUpdateArchive); }

void TViewForm::Oprograme1Click() {
    if (aboutDial_) aboutDial_->ShowModal();
}

void TViewForm::ExitKoniec1Click() { Close(); }

void TViewForm::FgColorClick() {
    forms::ColorDialog dialog;
    dialog.color = Options.FgColor;
    if (dialog.ExecuteDialog(Handle())) SetFgColor(dialog.color);
}

void TViewForm::BgColorClick() {
    forms::ColorDialog dialog;
    dialog.color = Options.BgColor;
    if (dialog.ExecuteDialog(Handle())) SetBgColor(dialog.color);
}

void TViewForm::Image1MouseDown(forms::MouseButton button, int x, int y) {
    const Color c = Panel1.ChartColorAt(x, y);
    if (button == forms::MouseButton::kLeft) SetFgColor(c);
    else if (button == forms::MouseButton::kRight) SetBgColor(c);
}

}  // namespace kelbo
