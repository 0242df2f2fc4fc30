// The program's main window: an MDI frame that owns every other window.
#pragma once

#include <windows.h>

namespace kelbo {

class TViewForm {
public:
    static constexpr const wchar_t* kClassName = L"TViewForm";

    explicit TViewForm(HINSTANCE instance);
    ~TViewForm();
    TViewForm(const TViewForm&) = delete;
    TViewForm& operator=(const TViewForm&) = delete;

    // Creates the window hidden; throws std::runtime_error when Windows refuses.
    void Create();
    void Show(int showCommand);

    HWND Handle() const { return handle_; }
    HWND ClientHandle() const { return client_; }

    // Runs the message loop until the main window is gone; returns the exit code.
    int RunMessageLoop() const;

private:
    static LRESULT CALLBACK WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam);

    void FormCreate();
    void FormDestroy();

    HINSTANCE instance_;
    HWND handle_ = nullptr;
    HWND client_ = nullptr;
};

}  // namespace kelbo
