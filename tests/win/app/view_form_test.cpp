#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "app/ui/view_form.h"

namespace {

std::wstring ClassNameOf(HWND hwnd) {
    wchar_t buffer[100];
    int n = GetClassNameW(hwnd, buffer, 100);
    return std::wstring(buffer, n > 0 ? n : 0);
}

std::wstring TextOf(HWND hwnd) {
    wchar_t buffer[256];
    int n = GetWindowTextW(hwnd, buffer, 256);
    return std::wstring(buffer, n > 0 ? n : 0);
}

void DrainMessages() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) continue;
        DispatchMessageW(&msg);
    }
}

TEST(ViewForm, MainWindowHasItsClassCaptionAndEmptyMdiClient) {
    kelbo::TViewForm form(GetModuleHandleW(nullptr));
    form.Create();
    form.Show(SW_SHOWNORMAL);
    DrainMessages();

    HWND frame = form.Handle();
    ASSERT_TRUE(IsWindow(frame));
    EXPECT_EQ(ClassNameOf(frame), L"TViewForm");
    EXPECT_EQ(TextOf(frame), L"Kelbo");
    EXPECT_TRUE(IsWindowVisible(frame));
    EXPECT_EQ(FindWindowW(L"TViewForm", L"Kelbo"), frame);

    HWND client = form.ClientHandle();
    ASSERT_TRUE(IsWindow(client));
    EXPECT_EQ(GetParent(client), frame);
    EXPECT_EQ(_wcsicmp(ClassNameOf(client).c_str(), L"MDICLIENT"), 0);
    EXPECT_EQ(GetWindow(client, GW_CHILD), nullptr) << "no document is open at start";
}

TEST(ViewForm, DestroyingTheWindowEndsTheMessageLoop) {
    kelbo::TViewForm form(GetModuleHandleW(nullptr));
    form.Create();
    PostMessageW(form.Handle(), WM_CLOSE, 0, 0);
    EXPECT_EQ(form.RunMessageLoop(), 0);
    EXPECT_EQ(form.Handle(), nullptr);
}

}  // namespace
