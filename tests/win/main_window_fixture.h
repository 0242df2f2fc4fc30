// A shown main window for the tests that drive it, with helpers to make
// documents and pump messages.
#pragma once

#include <gtest/gtest.h>
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "app/ui/command_modules.h"
#include "app/ui/view_form.h"
#include "forms/text.h"

namespace kelbo::testing {

inline void PumpMessages() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) continue;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

inline std::string ClassNameOf(HWND hwnd) {
    wchar_t buffer[100];
    const int n = GetClassNameW(hwnd, buffer, 100);
    return forms::Narrow(std::wstring_view(buffer, n > 0 ? static_cast<size_t>(n) : 0));
}

class MainWindow : public ::testing::Test {
protected:
    void SetUp() override {
        form_ = std::make_unique<TViewForm>(StartOptions{true, true, true, {}});
        form_->Create();
        // Nothing may wait for a person: dialogs are cancelled, questions
        // answered No and errors collected unless a test says otherwise.
        form_->FileDialogRunner = [](forms::FileDialog&, bool) { return false; };
        form_->Answer = [](std::string_view, UINT) { return IDNO; };
        form_->ErrorBox = [this](std::string_view m) { reportedErrors_.emplace_back(m); };
        modules_ = std::make_unique<CommandModules>(*form_);
        modules_->CreateWindows();
        form_->Show();
        PumpMessages();
    }
    void TearDown() override {
        modules_.reset();
        form_.reset();
        PumpMessages();
    }

    TChildWin& AddDocument(int width, int height) {
        auto& doc = form_->NewDocument(std::make_shared<forms::DibSection>(width, height), FrameKind::kStandard);
        PumpMessages();
        return doc;
    }

    HMENU Menu() const { return form_->MainMenu1.get(); }

    std::unique_ptr<TViewForm> form_;
    std::unique_ptr<CommandModules> modules_;
    std::vector<std::string> reportedErrors_;
};

}  // namespace kelbo::testing
