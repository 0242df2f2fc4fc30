#include "app/ui/view_form.h"

#include <stdexcept>

namespace kelbo {

namespace {

void RegisterFrameClass(HINSTANCE instance, WNDPROC proc) {
    WNDCLASSEXW wc{};
    if (GetClassInfoExW(instance, TViewForm::kClassName, &wc)) return;
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = proc;
    wc.hInstance = instance;
    wc.hIcon = LoadIconW(nullptr, reinterpret_cast<LPCWSTR>(IDI_APPLICATION));
    wc.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_APPWORKSPACE + 1);
    wc.lpszClassName = TViewForm::kClassName;
    if (!RegisterClassExW(&wc)) throw std::runtime_error("Cannot register the main window class");
}

}  // namespace

TViewForm::TViewForm(HINSTANCE instance) : instance_(instance) {}

TViewForm::~TViewForm() {
    if (handle_) DestroyWindow(handle_);
}

void TViewForm::Create() {
    RegisterFrameClass(instance_, &TViewForm::WindowProc);
    handle_ = CreateWindowExW(0, kClassName, L"Kelbo", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN,
                              100, 100, 450, 300, nullptr, nullptr, instance_, this);
    if (!handle_) throw std::runtime_error("Cannot create the main window");
}

void TViewForm::Show(int showCommand) {
    ShowWindow(handle_, showCommand);
    UpdateWindow(handle_);
}

void TViewForm::FormCreate() {
    CLIENTCREATESTRUCT ccs{};
    ccs.idFirstChild = 0xFF00;
    client_ = CreateWindowExW(WS_EX_CLIENTEDGE, L"MDICLIENT", nullptr,
                              WS_CHILD | WS_CLIPCHILDREN | WS_VSCROLL | WS_HSCROLL | WS_VISIBLE,
                              0, 0, 0, 0, handle_, nullptr, instance_, &ccs);
}

void TViewForm::FormDestroy() {
    client_ = nullptr;
    handle_ = nullptr;
    PostQuitMessage(0);
}

LRESULT CALLBACK TViewForm::WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_NCCREATE) {
        auto* cs = reinterpret_cast<CREATESTRUCTW*>(lParam);
        auto* self = static_cast<TViewForm*>(cs->lpCreateParams);
        self->handle_ = hwnd;
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<TViewForm*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (!self) return DefFrameProcW(hwnd, nullptr, msg, wParam, lParam);
    return self->HandleMessage(msg, wParam, lParam);
}

LRESULT TViewForm::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    HWND hwnd = handle_;
    HWND client = client_;
    switch (msg) {
    case WM_CREATE:
        FormCreate();
        if (!client_) return -1;
        return 0;
    case WM_NCDESTROY:
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
        FormDestroy();
        return DefFrameProcW(hwnd, nullptr, msg, wParam, lParam);
    }
    return DefFrameProcW(hwnd, client, msg, wParam, lParam);
}

int TViewForm::RunMessageLoop() const {
    MSG msg{};
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        if (client_ && TranslateMDISysAccel(client_, &msg)) continue;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return static_cast<int>(msg.wParam);
}

}  // namespace kelbo
