// kelbo-probe: looks at and acts on a running Kelbo from another process in
// the same Wine prefix, for the end-to-end tests.
//   kelbo-probe state            frames, their documents and the splash
//   kelbo-probe minimize         minimises every main window
//   kelbo-probe answer TEXT ID   presses button ID of the message box whose text contains TEXT
//   kelbo-probe command ID       runs a menu command of every main window
//   kelbo-probe menu CAPTION...  the same for the item at that caption path,
//                                e.g. menu "F&arby" "Negativ" (captions as in the menus)
//   kelbo-probe button NAME      puts a warping-bar button (AddButton ... WarpButton) or a tool
//                                button (ArrowButton, PenButton, LineButton, FillButton,
//                                ShapeButton, CropButton) down and runs it
//   kelbo-probe drag X1 Y1 X2 Y2 drags with the left button over the active warp window's or
//                                image document's picture
//   kelbo-probe hover X Y        moves the pointer over it without a button
//   kelbo-probe close CAPTION    closes the top-level window of that caption (a dialog)
//   kelbo-probe contextmenu FILE the registered context-menu class's item for FILE, and its library
// Buttons, drags and hovers are sent and waited for, so they happen in the order given.
#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/commands.h"
#include "shellext/clsid.h"
#include "../shellext/file_data_object.h"
#include "app/main_menu.h"
#include "core/text_encoding.h"

namespace {

std::string Utf8(const std::wstring& w) { return kelbo::WideToUtf8(w); }

std::wstring TextOf(HWND hwnd) {
    wchar_t buffer[512]{};
    // WM_GETTEXT crosses processes; GetWindowText would not for child windows.
    SendMessageTimeoutW(hwnd, WM_GETTEXT, 512, reinterpret_cast<LPARAM>(buffer), SMTO_ABORTIFHUNG, 2000, nullptr);
    return buffer;
}

std::wstring ClassOf(HWND hwnd) {
    wchar_t buffer[100]{};
    GetClassNameW(hwnd, buffer, 100);
    return buffer;
}

std::vector<HWND> TopLevel(const std::wstring& className) {
    std::vector<HWND> found;
    struct Ctx {
        const std::wstring* name;
        std::vector<HWND>* out;
    } ctx{&className, &found};
    EnumWindows(
        [](HWND h, LPARAM l) -> BOOL {
            auto* c = reinterpret_cast<Ctx*>(l);
            if (ClassOf(h) == *c->name) c->out->push_back(h);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&ctx));
    return found;
}

void PrintState() {
    for (HWND frame : TopLevel(L"TViewForm")) {
        std::printf("frame visible=%d iconic=%d caption=%s\n", IsWindowVisible(frame) ? 1 : 0, IsIconic(frame) ? 1 : 0,
                    Utf8(TextOf(frame)).c_str());
        for (HWND child = GetWindow(frame, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
            const std::wstring cls = ClassOf(child);
            if (_wcsicmp(cls.c_str(), L"MDICLIENT") == 0) {
                for (HWND doc = GetWindow(child, GW_CHILD); doc; doc = GetWindow(doc, GW_HWNDNEXT)) {
                    if (GetWindow(doc, GW_OWNER)) continue;
                    std::printf("document class=%s caption=%s\n", Utf8(ClassOf(doc)).c_str(),
                                Utf8(TextOf(doc)).c_str());
                }
            } else if (TextOf(child) == L"Splash") {
                std::printf("splash visible=%d\n", IsWindowVisible(child) ? 1 : 0);
            }
        }
    }
}

int Answer(const std::wstring& text, int button) {
    for (HWND box : TopLevel(L"#32770")) {
        bool matches = false;
        for (HWND c = GetWindow(box, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT))
            matches = matches || TextOf(c).find(text) != std::wstring::npos;
        if (!matches) continue;
        std::printf("answered %s\n", Utf8(TextOf(box)).c_str());
        PostMessageW(box, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), 0);
        return 0;
    }
    std::printf("no such question\n");
    return 1;
}

// Closes the top-level window of this caption, as its close box does.
int CloseWindowNamed(const std::wstring& caption) {
    const HWND window = FindWindowW(nullptr, caption.c_str());
    if (!window) {
        std::printf("no such window\n");
        return 1;
    }
    PostMessageW(window, WM_CLOSE, 0, 0);
    return 0;
}

// Explorer's steps on one file through the registered context-menu class:
// prints the item it offers and the library that answered.
int ContextMenuFor(const std::wstring& file) {
    CoInitialize(nullptr);
    const auto& g = kelbo::shellext::kContextMenuClsid;
    CLSID clsid{g.data1, g.data2, g.data3, {}};
    for (int i = 0; i < 8; ++i) clsid.Data4[i] = g.data4[i];
    IShellExtInit* init = nullptr;
    HRESULT r = CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IShellExtInit,
                                 reinterpret_cast<void**>(&init));
    if (FAILED(r)) {
        std::printf("CoCreateInstance failed: %08lx\n", static_cast<unsigned long>(r));
        return 1;
    }
    kelbo::testing::FileDataObject data({file});
    IContextMenu* menu = nullptr;
    if (init->Initialize(nullptr, &data, nullptr) != S_OK ||
        init->QueryInterface(IID_IContextMenu, reinterpret_cast<void**>(&menu)) != S_OK) {
        std::printf("Initialize failed\n");
        return 1;
    }
    HMENU popup = CreatePopupMenu();
    menu->QueryContextMenu(popup, 0, 1, 10, CMF_NORMAL);
    wchar_t caption[32] = {};
    GetMenuStringW(popup, 0, caption, 32, MF_BYPOSITION);
    wchar_t module[MAX_PATH] = {};
    GetModuleFileNameW(GetModuleHandleW(L"KelboMenu.dll"), module, MAX_PATH);
    std::printf("item %s from %s\n", Utf8(caption).c_str(), Utf8(module).c_str());
    DestroyMenu(popup);
    menu->Release();
    init->Release();
    CoUninitialize();
    return 0;
}

// The command at a path of captions through the main menu, or kNoCommand.
kelbo::Command CommandAt(const std::vector<std::string>& path) {
    const std::vector<kelbo::MenuNode>* level = &kelbo::MainMenuTree();
    const kelbo::MenuNode* found = nullptr;
    for (const std::string& caption : path) {
        found = nullptr;
        for (const kelbo::MenuNode& node : *level) {
            if (node.caption == caption) found = &node;
        }
        if (!found) return kelbo::kNoCommand;
        level = &found->children;
    }
    return found ? found->command : kelbo::kNoCommand;
}

void PostCommand(int id) {
    for (HWND frame : TopLevel(L"TViewForm")) PostMessageW(frame, WM_COMMAND, static_cast<WPARAM>(id), 0);
}

void SendWaiting(HWND to, UINT msg, WPARAM wParam, LPARAM lParam) {
    SendMessageTimeoutW(to, msg, wParam, lParam, SMTO_ABORTIFHUNG, 5000, nullptr);
}

int PressButton(const std::wstring& name) {
    struct Named {
        const wchar_t* name;
        kelbo::Command id;
    };
    static const Named kButtons[] = {{L"AddButton", kelbo::AddButton},   {L"DelButton", kelbo::DelButton},
                                     {L"EditButton", kelbo::EditButton}, {L"NoWarpButton", kelbo::NoWarpButton},
                                     {L"WarpButton", kelbo::WarpButton}, {L"ArrowButton", kelbo::ArrowButton},
                                     {L"PenButton", kelbo::PenButton},   {L"LineButton", kelbo::LineButton},
                                     {L"FillButton", kelbo::FillButton}, {L"ShapeButton", kelbo::ShapeButton},
                                     {L"CropButton", kelbo::CropButton}};
    int id = 0;
    for (const Named& b : kButtons)
        if (name == b.name) id = b.id;
    int pressed = 0;
    for (HWND frame : TopLevel(L"TViewForm")) {
        for (HWND bar = GetWindow(frame, GW_CHILD); bar; bar = GetWindow(bar, GW_HWNDNEXT)) {
            if (ClassOf(bar) != L"ToolbarWindow32" || SendMessageW(bar, TB_COMMANDTOINDEX, id, 0) < 0) continue;
            SendWaiting(bar, TB_CHECKBUTTON, id, TRUE);
            SendWaiting(frame, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(bar));
            ++pressed;
        }
    }
    if (pressed == 0) std::printf("no such button\n");
    return pressed > 0 ? 0 : 1;
}

// The shown picture of the active warp window.
// The picture view of the active warp window or image document.
HWND ActivePicture() {
    for (HWND frame : TopLevel(L"TViewForm")) {
        HWND client = FindWindowExW(frame, nullptr, L"MDICLIENT", nullptr);
        if (!client) continue;
        auto active = reinterpret_cast<HWND>(SendMessageW(client, WM_MDIGETACTIVE, 0, 0));
        if (!active || (ClassOf(active) != L"TWarpWin" && ClassOf(active) != L"TChildWin")) continue;
        for (HWND c = GetWindow(active, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT))
            if (ClassOf(c) == L"KelboPictureView" && IsWindowVisible(c)) return c;
    }
    std::printf("no active picture window\n");
    return nullptr;
}

int Drag(int x1, int y1, int x2, int y2) {
    HWND picture = ActivePicture();
    if (!picture) return 1;
    SendWaiting(picture, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x1, y1));
    constexpr int kSteps = 8;
    for (int i = 1; i <= kSteps; ++i)
        SendWaiting(picture, WM_MOUSEMOVE, MK_LBUTTON,
                    MAKELPARAM(x1 + (x2 - x1) * i / kSteps, y1 + (y2 - y1) * i / kSteps));
    SendWaiting(picture, WM_LBUTTONUP, 0, MAKELPARAM(x2, y2));
    return 0;
}

int Hover(int x, int y) {
    HWND picture = ActivePicture();
    if (!picture) return 1;
    SendWaiting(picture, WM_MOUSEMOVE, 0, MAKELPARAM(x, y));
    return 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    const std::wstring command = argc > 1 ? argv[1] : L"";
    if (command == L"state") {
        PrintState();
        return 0;
    }
    if (command == L"minimize") {
        for (HWND frame : TopLevel(L"TViewForm")) ShowWindow(frame, SW_MINIMIZE);
        return 0;
    }
    if (command == L"answer" && argc > 3) return Answer(argv[2], _wtoi(argv[3]));
    if (command == L"command" && argc > 2) {
        PostCommand(_wtoi(argv[2]));
        return 0;
    }
    if (command == L"menu" && argc > 2) {
        std::vector<std::string> path;
        for (int i = 2; i < argc; ++i) path.push_back(Utf8(argv[i]));
        const kelbo::Command id = CommandAt(path);
        if (id == kelbo::kNoCommand) {
            std::printf("no such menu item\n");
            return 1;
        }
        PostCommand(static_cast<int>(id));
        return 0;
    }
    if (command == L"button" && argc > 2) return PressButton(argv[2]);
    if (command == L"close" && argc > 2) return CloseWindowNamed(argv[2]);
    if (command == L"contextmenu" && argc > 2) return ContextMenuFor(argv[2]);
    if (command == L"drag" && argc > 5) return Drag(_wtoi(argv[2]), _wtoi(argv[3]), _wtoi(argv[4]), _wtoi(argv[5]));
    if (command == L"hover" && argc > 3) return Hover(_wtoi(argv[2]), _wtoi(argv[3]));
    std::fprintf(
        stderr,
        "usage: kelbo-probe state | minimize | close CAPTION | answer TEXT BUTTON-ID | command ID | menu CAPTION... |"
        " button NAME | drag X1 Y1 X2 Y2 | hover X Y\n");
    return 2;
}
