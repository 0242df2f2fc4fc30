#include "forms/window.h"

#include <algorithm>
#include <stdexcept>
#include <utility>

#include "forms/dialogs.h"
#include "forms/text.h"

namespace kelbo::forms {

namespace {

// Marks windows created by this layer so a foreign handle's user data is never
// taken for one of our objects.
const wchar_t kOwnerProp[] = L"kelbo.window";

ErrorReporter& Reporter() {
    static ErrorReporter reporter;
    return reporter;
}

}  // namespace

ErrorReporter SetErrorReporter(ErrorReporter reporter) { return std::exchange(Reporter(), std::move(reporter)); }

void ReportUnhandledError(HWND window, std::string_view message) noexcept {
    static bool reporting = false;
    if (reporting) return;
    reporting = true;
    try {
        if (Reporter()) {
            Reporter()(window, message);
        } else {
            ShowError(window ? GetAncestor(window, GA_ROOT) : nullptr, message);
        }
    } catch (...) {
        // The report itself failed; there is nowhere left to show it.
    }
    reporting = false;
}

HINSTANCE ModuleInstance() { return GetModuleHandleW(nullptr); }

std::string WindowText(HWND hwnd) {
    const int n = GetWindowTextLengthW(hwnd);
    std::wstring text(static_cast<size_t>(n) + 1, L'\0');
    const int got = GetWindowTextW(hwnd, text.data(), n + 1);
    text.resize(got > 0 ? static_cast<size_t>(got) : 0);
    return Narrow(text);
}

void SetWindowTextUtf8(HWND hwnd, std::string_view utf8) { SetWindowTextW(hwnd, Wide(utf8).c_str()); }

Window* WindowFromHandle(HWND hwnd) {
    if (!hwnd || !GetPropW(hwnd, kOwnerProp)) return nullptr;
    return reinterpret_cast<Window*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
}

Window::~Window() { Destroy(); }

void Window::Destroy() {
    if (hwnd_) DestroyWindow(hwnd_);  // WM_NCDESTROY clears hwnd_
}

void Window::CreateHandle(const wchar_t* className, DWORD exStyle, DWORD style, std::string_view caption,
                          const Bounds& b, HWND parent, HMENU menuOrId, WindowKind kind, UINT classStyle,
                          HBRUSH background) {
    HINSTANCE instance = ModuleInstance();
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    if (!GetClassInfoExW(instance, className, &wc)) {
        wc = WNDCLASSEXW{};
        wc.cbSize = sizeof wc;
        wc.style = classStyle;
        wc.lpfnWndProc = &Window::Procedure;
        wc.hInstance = instance;
        wc.hIcon = LoadIconW(instance, L"MAINICON");
        if (!wc.hIcon) wc.hIcon = LoadIconW(nullptr, reinterpret_cast<LPCWSTR>(IDI_APPLICATION));
        wc.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
        wc.hbrBackground = background ? background : reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
        wc.lpszClassName = className;
        if (!RegisterClassExW(&wc)) throw std::runtime_error("Cannot register a window class");
    }
    kind_ = kind;
    const std::wstring text = Wide(caption);
    HWND made = nullptr;
    if (kind == WindowKind::kMdiChild) {
        MDICREATESTRUCTW mcs{};
        mcs.szClass = className;
        mcs.szTitle = text.c_str();
        mcs.hOwner = instance;
        mcs.x = b.left;
        mcs.y = b.top;
        mcs.cx = b.width;
        mcs.cy = b.height;
        mcs.style = style;
        mcs.lParam = reinterpret_cast<LPARAM>(this);
        made = reinterpret_cast<HWND>(SendMessageW(parent, WM_MDICREATE, 0, reinterpret_cast<LPARAM>(&mcs)));
    } else {
        made = CreateWindowExW(exStyle, className, text.c_str(), style, b.left, b.top, b.width, b.height, parent,
                               menuOrId, instance, this);
    }
    if (!made) throw std::runtime_error("Cannot create a window");
}

LRESULT CALLBACK Window::Procedure(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_NCCREATE) {
        auto* cs = reinterpret_cast<CREATESTRUCTW*>(lParam);
        Window* self = nullptr;
        if (cs->dwExStyle & WS_EX_MDICHILD)
            self = reinterpret_cast<Window*>(reinterpret_cast<MDICREATESTRUCTW*>(cs->lpCreateParams)->lParam);
        else
            self = static_cast<Window*>(cs->lpCreateParams);
        if (self) {
            self->hwnd_ = hwnd;
            SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
            SetPropW(hwnd, kOwnerProp, reinterpret_cast<HANDLE>(1));
        }
    }
    Window* self = WindowFromHandle(hwnd);
    if (!self) return DefWindowProcW(hwnd, msg, wParam, lParam);
    if (msg == WM_NCDESTROY) {
        LRESULT r = Dispatch(*self, hwnd, msg, wParam, lParam);
        RemovePropW(hwnd, kOwnerProp);
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
        self->hwnd_ = nullptr;
        self->mdiClient_ = nullptr;
        return r;
    }
    return Dispatch(*self, hwnd, msg, wParam, lParam);
}

LRESULT Window::Dispatch(Window& self, HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) noexcept {
    try {
        return self.HandleMessage(msg, wParam, lParam);
    } catch (const std::exception& e) {
        ReportUnhandledError(hwnd, e.what());
    } catch (...) {
        ReportUnhandledError(hwnd, "Unexpected error");
    }
    // A paint that failed would be asked for again at once; its children
    // keep their own.
    if (msg == WM_PAINT) RedrawWindow(hwnd, nullptr, nullptr, RDW_VALIDATE | RDW_NOCHILDREN);
    // A window whose creation failed is not made at all.
    return msg == WM_CREATE ? -1 : 0;
}

LRESULT Window::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) { return DefaultHandling(msg, wParam, lParam); }

LRESULT Window::DefaultHandling(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (kind_) {
    case WindowKind::kMdiFrame: return DefFrameProcW(hwnd_, mdiClient_, msg, wParam, lParam);
    case WindowKind::kMdiChild: return DefMDIChildProcW(hwnd_, msg, wParam, lParam);
    default: return DefWindowProcW(hwnd_, msg, wParam, lParam);
    }
}

void Window::SetBounds(const Bounds& b) {
    if (hwnd_) MoveWindow(hwnd_, b.left, b.top, b.width, b.height, TRUE);
}

Bounds Window::GetBounds() const {
    RECT r{};
    GetWindowRect(hwnd_, &r);
    HWND parent = (GetWindowLongW(hwnd_, GWL_STYLE) & WS_CHILD) ? GetParent(hwnd_) : nullptr;
    if (parent) MapWindowPoints(HWND_DESKTOP, parent, reinterpret_cast<POINT*>(&r), 2);
    return {r.left, r.top, r.right - r.left, r.bottom - r.top};
}

SIZE Window::ClientSize() const {
    RECT r{};
    GetClientRect(hwnd_, &r);
    return {r.right, r.bottom};
}

void Window::SetVisible(bool visible) {
    if (hwnd_) ShowWindow(hwnd_, visible ? SW_SHOW : SW_HIDE);
}

bool Window::Visible() const { return hwnd_ && IsWindowVisible(hwnd_); }

void Window::SetEnabled(bool enabled) {
    if (hwnd_) EnableWindow(hwnd_, enabled);
}

void Window::SetText(std::string_view utf8) {
    if (hwnd_) SetWindowTextUtf8(hwnd_, utf8);
}

std::string Window::Text() const { return hwnd_ ? WindowText(hwnd_) : std::string(); }

void Window::Invalidate() {
    if (hwnd_) InvalidateRect(hwnd_, nullptr, FALSE);
}

void Window::Repaint() {
    if (hwnd_) RedrawWindow(hwnd_, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
}

void SetScrollRanges(HWND window, int maxX, int maxY) {
    RECT client{};
    GetClientRect(window, &client);
    SCROLLINFO si{};
    si.cbSize = sizeof si;
    si.fMask = SIF_RANGE | SIF_PAGE;
    si.nMax = maxX;
    si.nPage = static_cast<UINT>(client.right - client.left);
    SetScrollInfo(window, SB_HORZ, &si, TRUE);
    si.nMax = maxY;
    si.nPage = static_cast<UINT>(client.bottom - client.top);
    SetScrollInfo(window, SB_VERT, &si, TRUE);
}

std::optional<int> ScrollBarTo(HWND window, int bar, WORD code) {
    SCROLLINFO si{};
    si.cbSize = sizeof si;
    si.fMask = SIF_ALL;
    GetScrollInfo(window, bar, &si);
    int pos = si.nPos;
    const int page = static_cast<int>(si.nPage);
    switch (code) {
    case SB_LINELEFT: pos -= 8; break;
    case SB_LINERIGHT: pos += 8; break;
    case SB_PAGELEFT: pos -= page; break;
    case SB_PAGERIGHT: pos += page; break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: pos = si.nTrackPos; break;
    case SB_LEFT: pos = si.nMin; break;
    case SB_RIGHT: pos = si.nMax; break;
    default: return std::nullopt;
    }
    pos = std::clamp(pos, 0, std::max(0, si.nMax - page + 1));
    si.fMask = SIF_POS;
    si.nPos = pos;
    SetScrollInfo(window, bar, &si, TRUE);
    return pos;
}

std::vector<HWND> MdiChildren(HWND client) {
    std::vector<HWND> children;
    for (HWND h = client ? GetWindow(client, GW_CHILD) : nullptr; h; h = GetWindow(h, GW_HWNDNEXT))
        if (!GetWindow(h, GW_OWNER)) children.push_back(h);
    return children;
}

HWND ActiveMdiChild(HWND client) {
    return client ? reinterpret_cast<HWND>(SendMessageW(client, WM_MDIGETACTIVE, 0, 0)) : nullptr;
}

}  // namespace kelbo::forms
