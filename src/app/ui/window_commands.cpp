#include "app/ui/window_commands.h"

#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>

#include "app/commands.h"
#include "app/settings.h"
#include "codecs/picture_files.h"
#include "core/text_encoding.h"
#include "document/document_view.h"
#include "document/ui/child_win.h"
#include "forms/dialogs.h"
#include "forms/registry.h"
#include "forms/text.h"

namespace kelbo {

namespace {

constexpr char kHomePage[] = "https://kelbo.example/";
constexpr char kUpdateArchive[] = "https://kelbo.example/update/kelbo-update.zip";
constexpr char kAuthorEmail[] = "autor@kelbo.example";
constexpr char kRefused[] = "Systém Windows odmietol túto funkciu.";
constexpr wchar_t kDesktopKey[] = L"Control Panel\\desktop";

void OpenWithShell(HWND owner, std::string_view target) {
    ShellExecuteW(owner, L"open", forms::Wide(target).c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

std::string Trim(std::string s) {
    const size_t first = s.find_first_not_of(" \t\r\n");
    if (first == std::string::npos) return {};
    const size_t last = s.find_last_not_of(" \t\r\n");
    return s.substr(first, last - first + 1);
}

// A named Windows bitmap: what the desktop can show as its wallpaper.
bool IsBitmapFile(const TChildWin& doc) {
    return UpperExtension(PathFromUtf8(doc.FileName)) == ".BMP" && doc.Text() != kUnnamed;
}

}  // namespace

WindowCommands::WindowCommands(CommandHost& host) : host_(host) {
    const HWND client = host_.MdiClient();
    host_.BindCommand(Tapetavedaseba1, [this] { Wallpaper(true); });
    host_.BindCommand(Tapetauprostred1, [this] { Wallpaper(false); });
    host_.BindCommand(istitapetu1, [this] { istitapetu1Click(); });
    host_.BindCommand(Priesvitnikony1, [this] { Priesvitnikony1Click(); });
    host_.BindCommand(Kaskda1, [client] { SendMessageW(client, WM_MDICASCADE, 0, 0); });
    host_.BindCommand(Dlaba1, [client] { SendMessageW(client, WM_MDITILE, MDITILE_HORIZONTAL, 0); });
    host_.BindCommand(Zatvor1, [client] {
        if (HWND active = forms::ActiveMdiChild(client)) SendMessageW(active, WM_CLOSE, 0, 0);
    });
    host_.BindCommand(Zatvorvetky1, [this] { Zatvorvetky1Click(); });
    host_.BindCommand(Zatvorvetkyokn1, [this] { Zatvorvetky1Click(); });
    host_.BindCommand(Maximalizova1, [client] {
        if (HWND active = forms::ActiveMdiChild(client))
            SendMessageW(client, WM_MDIMAXIMIZE, reinterpret_cast<WPARAM>(active), 0);
    });
    host_.BindCommand(Minimalizova1, [client] {
        if (HWND active = forms::ActiveMdiChild(client)) ShowWindow(active, SW_MINIMIZE);
    });
    host_.BindCommand(Minimalizujvetky1, [client] {
        for (HWND h : forms::MdiChildren(client)) ShowWindow(h, SW_MINIMIZE);
    });
    host_.BindCommand(Usporiadajikonky1, [client] { SendMessageW(client, WM_MDIICONARRANGE, 0, 0); });
    host_.BindCommand(Popisfunkci1, [this] { Popisfunkci1Click(); });
    for (Command c : {Autorovahomepage1, Autorovahomepage2})
        host_.BindCommand(c, [this] { OpenWithShell(host_.Owner(), kHomePage); });
    host_.BindCommand(Poliemailautorovi1, [this] { Poliemailautorovi1Click(); });
    for (Command c : {Zaniupdate1, Zaniupdate2})
        host_.BindCommand(c, [this] { OpenWithShell(host_.Owner(), kUpdateArchive); });
    for (Command c : {Oprograme1, Oprograme2}) {
        host_.BindCommand(c, [this] {
            if (aboutDial_) aboutDial_->ShowModal();
        });
    }
    host_.BindCommand(Nastavenie2, [this] {
        if (optionsDial_) optionsDial_->ShowModal();
    });
    host_.BindCommand(ExitKoniec1, [this] { SendMessageW(host_.Owner(), WM_CLOSE, 0, 0); });
}

WindowCommands::~WindowCommands() = default;

std::vector<WindowStep> WindowCommands::Windows() {
    const HWND owner = host_.Owner();
    return {
        {"TAboutDial", [this, owner] { aboutDial_ = std::make_unique<TAboutDial>(owner); }},
        {"TOptionsDial",
         [this, owner] { optionsDial_ = std::make_unique<TOptionsDial>(owner, host_.ProgramSettings()); }},
    };
}

void WindowCommands::Zatvorvetky1Click() {
    // From the last in the child list to the first.
    const std::vector<HWND> children = forms::MdiChildren(host_.MdiClient());
    for (auto it = children.rbegin(); it != children.rend(); ++it)
        if (IsWindow(*it)) SendMessageW(*it, WM_CLOSE, 0, 0);
}

void WindowCommands::Wallpaper(bool tiled) {
    TChildWin* doc = host_.ActiveImageDocument();
    if (!doc) return;
    host_.SetCurrent(doc);
    if (!IsBitmapFile(*doc)) SendMessageW(host_.Owner(), WM_COMMAND, Uloako1, 0);
    if (!IsBitmapFile(*doc)) return;  // Save As failed or was cancelled
    forms::RegistryKey key(HKEY_CURRENT_USER, kDesktopKey, forms::RegistryKey::Mode::kWrite);
    if (!key) return;
    key.Write(L"Wallpaper", forms::Wide(doc->FileDir + doc->FileName));
    key.Write(L"TileWallpaper", tiled ? L"1" : L"0");
    SystemParametersInfoW(SPI_SETDESKWALLPAPER, 0, nullptr, SPIF_SENDCHANGE);
}

void WindowCommands::istitapetu1Click() {
    forms::RegistryKey key(HKEY_CURRENT_USER, kDesktopKey, forms::RegistryKey::Mode::kWrite);
    if (key) {
        key.Write(L"Wallpaper", L"");
        key.Write(L"TileWallpaper", L"0");
    }
    SystemParametersInfoW(SPI_SETDESKWALLPAPER, 0, nullptr, SPIF_SENDCHANGE);
}

void WindowCommands::Priesvitnikony1Click() {
    HWND list = FindWindowW(L"ProgMan", nullptr);
    if (list) list = GetWindow(list, GW_CHILD);
    if (list) list = GetWindow(list, GW_CHILD);
    wchar_t name[40]{};
    if (list) GetClassNameW(list, name, 40);
    if (std::wstring(name) != L"SysListView32") {
        forms::MessageDlg(host_.Owner(), kRefused, "Kelbo", MB_OK | MB_ICONWARNING);
    } else {
        const LRESULT text = SendMessageW(list, LVM_GETTEXTCOLOR, 0, 0);
        SendMessageW(list, LVM_SETTEXTCOLOR, 0, text);
        const LRESULT back = SendMessageW(list, LVM_GETTEXTBKCOLOR, 0, 0);
        SendMessageW(list, LVM_SETTEXTBKCOLOR, 0, back);
        SendMessageW(list, LVM_SETTEXTBKCOLOR, 0, static_cast<LPARAM>(CLR_NONE));
    }
    if (HWND progman = FindWindowW(L"Progman", L"Program Manager")) SendMessageW(progman, WM_COMMAND, 41061, 0);
}

void WindowCommands::Popisfunkci1Click() {
    wchar_t exe[MAX_PATH]{};
    GetModuleFileNameW(nullptr, exe, MAX_PATH);
    std::wstring help(exe);
    help = help.substr(0, help.find_last_of(L'\\') + 1) + L"kelboer.hlp";
    WinHelpW(host_.Owner(), help.c_str(), HELP_CONTENTS, 0);
}

void WindowCommands::Poliemailautorovi1Click() {
    const std::string address = Trim(kAuthorEmail);
    if (address.empty() || address.find('@') == std::string::npos) {
        forms::MessageDlg(host_.Owner(), "Zla adresa!", "Kelbo", MB_OK | MB_ICONWARNING);
        return;
    }
    OpenWithShell(host_.Owner(), "mailto:" + address);
}

}  // namespace kelbo
