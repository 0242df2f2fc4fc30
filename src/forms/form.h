// A form: a window with named controls as members and named handlers as
// methods. Common events arrive as virtual methods (FormCreate, FormShow,
// FormActivate ...); menu and accelerator commands go to the handler that
// the form registered for the command's identifier.
#pragma once

#include <windows.h>

#include <functional>
#include <map>
#include <string_view>

#include "forms/window.h"

namespace kelbo::forms {

enum ModalResult : int { mrNone = 0, mrOk = IDOK, mrCancel = IDCANCEL, mrYes = IDYES, mrNo = IDNO };

class Form : public Window {
public:
    // Shows the form modally over its owner; returns the modal result
    // (mrCancel when the form is closed any other way).
    int ShowModal();
    void SetModalResult(int result) { modalResult_ = result; }
    int GetModalResult() const { return modalResult_; }
    bool InModalLoop() const { return inModalLoop_; }

    void Show();
    void Hide();
    void Close() { SendMessageW(Handle(), WM_CLOSE, 0, 0); }
    void SetClientSize(int width, int height);
    void CenterOnScreen();

    // Runs a menu or accelerator command as if it had been chosen.
    bool RunCommand(UINT id);

protected:
    // Creates a top-level form (a dialog-like window unless the style says otherwise).
    void CreateForm(const wchar_t* className, std::string_view caption, const Bounds& b,
                    DWORD style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME,
                    DWORD exStyle = WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT, HWND owner = nullptr);

    void OnCommand(UINT id, std::function<void()> handler) { commands_[id] = std::move(handler); }

    virtual void FormCreate() {}
    virtual void FormShow() {}
    virtual void FormHide() {}
    virtual void FormActivate() {}
    virtual void FormDeactivate() {}
    virtual void FormResize() {}
    virtual void FormDestroy() {}
    // False keeps the form open.
    virtual bool FormCloseQuery() { return true; }
    // What closing does once allowed: hide (the default, as the program's
    // dialogs live for the whole run) or destroy.
    virtual void FormClose();

    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    std::map<UINT, std::function<void()>> commands_;
    int modalResult_ = mrNone;
    bool inModalLoop_ = false;
};

// Routes one queued message through the accelerators, the MDI system keys and
// dialog navigation of the program's windows; true when it was consumed.
bool PreTranslate(MSG& msg);

// The main window's accelerator table and MDI client, for PreTranslate.
void SetMainAccelerators(HWND frame, HACCEL accelerators, HWND mdiClient);

}  // namespace kelbo::forms
