#include "forms/form.h"

#include "forms/controls.h"

namespace kelbo::forms {

namespace {

HWND g_frame = nullptr;
HACCEL g_accelerators = nullptr;
HWND g_mdiClient = nullptr;

}  // namespace

void SetMainAccelerators(HWND frame, HACCEL accelerators, HWND mdiClient) {
    g_frame = frame;
    g_accelerators = accelerators;
    g_mdiClient = mdiClient;
}

bool PreTranslate(MSG& msg) {
    if (g_mdiClient && IsWindow(g_mdiClient) && TranslateMDISysAccel(g_mdiClient, &msg)) return true;
    if (g_accelerators && g_frame && IsWindow(g_frame)) {
        // Only keys typed into the main window or its documents are its shortcuts.
        HWND root = GetAncestor(msg.hwnd, GA_ROOT);
        if (root == g_frame && TranslateAcceleratorW(g_frame, g_accelerators, &msg)) return true;
    }
    HWND active = GetActiveWindow();
    if (active && active != g_frame && (GetWindowLongW(active, GWL_EXSTYLE) & WS_EX_CONTROLPARENT) &&
        IsDialogMessageW(active, &msg))
        return true;
    return false;
}

void Form::CreateForm(const wchar_t* className, std::string_view caption, const Bounds& b, DWORD style, DWORD exStyle,
                      HWND owner) {
    CreateHandle(className, exStyle, style, caption, b, owner, nullptr);
}

void Form::Show() {
    ShowWindow(Handle(), SW_SHOW);
    SetForegroundWindow(Handle());
}

void Form::Hide() { ShowWindow(Handle(), SW_HIDE); }

void Form::SetClientSize(int width, int height) {
    RECT r{0, 0, width, height};
    AdjustWindowRectEx(&r, GetWindowLongW(Handle(), GWL_STYLE), GetMenu(Handle()) != nullptr,
                       GetWindowLongW(Handle(), GWL_EXSTYLE));
    SetWindowPos(Handle(), nullptr, 0, 0, r.right - r.left, r.bottom - r.top, SWP_NOMOVE | SWP_NOZORDER);
}

void Form::CenterOnScreen() {
    const Bounds b = GetBounds();
    const int x = (GetSystemMetrics(SM_CXSCREEN) - b.width) / 2;
    const int y = (GetSystemMetrics(SM_CYSCREEN) - b.height) / 2;
    SetWindowPos(Handle(), nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
}

int Form::ShowModal() {
    HWND owner = GetWindow(Handle(), GW_OWNER);
    const bool ownerWasEnabled = owner && IsWindowEnabled(owner);
    if (ownerWasEnabled) EnableWindow(owner, FALSE);
    modalResult_ = mrNone;
    inModalLoop_ = true;
    Show();
    MSG msg;
    while (modalResult_ == mrNone && Visible()) {
        const BOOL got = GetMessageW(&msg, nullptr, 0, 0);
        if (got <= 0) {
            if (got == 0) PostQuitMessage(static_cast<int>(msg.wParam));  // leave WM_QUIT for the main loop
            if (modalResult_ == mrNone) modalResult_ = mrCancel;
            break;
        }
        if (!PreTranslate(msg)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
    }
    if (modalResult_ == mrNone) modalResult_ = mrCancel;
    inModalLoop_ = false;
    if (ownerWasEnabled) EnableWindow(owner, TRUE);
    if (Exists()) Hide();
    if (owner) SetActiveWindow(owner);
    return modalResult_;
}

bool Form::RunCommand(UINT id) {
    auto it = commands_.find(id);
    if (it == commands_.end() || !it->second) return false;
    it->second();
    return true;
}

void Form::FormClose() { Hide(); }

LRESULT Form::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    LRESULT routed = 0;
    if (RouteControlMessage(msg, wParam, lParam, routed)) return routed;
    switch (msg) {
    case WM_CREATE: FormCreate(); return 0;
    case WM_SHOWWINDOW:
        if (wParam)
            FormShow();
        else
            FormHide();
        break;
    case WM_ACTIVATE:
        if (LOWORD(wParam) == WA_INACTIVE)
            FormDeactivate();
        else
            FormActivate();
        break;
    case WM_SIZE: FormResize(); break;
    case WM_COMMAND:
        if (lParam == 0 && RunCommand(LOWORD(wParam))) return 0;
        break;
    case WM_CLOSE:
        if (!FormCloseQuery()) return 0;
        if (inModalLoop_ && modalResult_ == mrNone) modalResult_ = mrCancel;
        FormClose();
        return 0;
    case WM_DESTROY: FormDestroy(); break;
    }
    return DefaultHandling(msg, wParam, lParam);
}

}  // namespace kelbo::forms
