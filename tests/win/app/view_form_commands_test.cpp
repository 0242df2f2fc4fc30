// The main window's own commands that reach outside the window.
#include <gtest/gtest.h>
#include <windows.h>

#include "main_window_fixture.h"

namespace kelbo::testing {
namespace {

std::wstring DesktopValue(const wchar_t* name) {
    wchar_t buffer[512]{};
    DWORD bytes = sizeof buffer;
    if (RegGetValueW(HKEY_CURRENT_USER, L"Control Panel\\desktop", name, RRF_RT_REG_SZ, nullptr, buffer, &bytes) !=
        ERROR_SUCCESS)
        return L"<none>";
    return buffer;
}

TEST_F(MainWindow, ClearWallpaperEmptiesTheRegistryValues) {
    HKEY key = nullptr;
    ASSERT_EQ(
        RegCreateKeyExW(HKEY_CURRENT_USER, L"Control Panel\\desktop", 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr),
        ERROR_SUCCESS);
    const wchar_t old[] = L"C:\\stara.bmp";
    const wchar_t one[] = L"1";
    RegSetValueExW(key, L"Wallpaper", 0, REG_SZ, reinterpret_cast<const BYTE*>(old), sizeof old);
    RegSetValueExW(key, L"TileWallpaper", 0, REG_SZ, reinterpret_cast<const BYTE*>(one), sizeof one);
    RegCloseKey(key);
    form_->RunCommand(istitapetu1);
    EXPECT_EQ(DesktopValue(L"Wallpaper"), L"");
    EXPECT_EQ(DesktopValue(L"TileWallpaper"), L"0");
}

TEST_F(MainWindow, WallpaperNeedsASavedBitmapDocument) {
    AddDocument(10, 10);  // "nepomenovaný": Save As would be asked, and nothing is set without it
    const std::wstring before = DesktopValue(L"Wallpaper");
    form_->RunCommand(Tapetavedaseba1);
    EXPECT_EQ(DesktopValue(L"Wallpaper"), before);
}

TEST_F(MainWindow, StretchTheProgramGoesPastTheScreenEdgesAndRaisingKeepsIt) {
    form_->ToolBar1.SetDown(MaximButton, true);
    form_->RunCommand(MaximButton);
    PumpMessages();
    const forms::Bounds stretched = form_->GetBounds();
    EXPECT_EQ(stretched.left, -4);
    EXPECT_EQ(stretched.top, -22);
    EXPECT_FALSE(IsZoomed(form_->Handle()));
    form_->ToolBar1.SetDown(MaximButton, false);
    form_->RunCommand(MaximButton);
    PumpMessages();
    EXPECT_EQ(form_->GetBounds(), stretched);
}

TEST_F(MainWindow, WakeUpMessageRestoresAMinimisedWindow) {
    ShowWindow(form_->Handle(), SW_MINIMIZE);
    PumpMessages();
    ASSERT_TRUE(IsIconic(form_->Handle()));
    SendMessageW(form_->Handle(), WM_USER, 0, 0);
    PumpMessages();
    EXPECT_FALSE(IsIconic(form_->Handle()));
    EXPECT_TRUE(IsWindowVisible(form_->Handle()));
}

}  // namespace
}  // namespace kelbo::testing
