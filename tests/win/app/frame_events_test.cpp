// The main window's reactions to the pointer, the information panel's roll
// mode and dropped files.
#include <gtest/gtest.h>
#include <windows.h>
#include <shlobj.h>

#include <cstring>
#include <filesystem>

#include "codecs/bmp_writer.h"
#include "core/bitmap24.h"
#include "main_window_fixture.h"

namespace kelbo::testing {
namespace {

void Click(HWND button) {
    SendMessageW(button, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    SendMessageW(button, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
}

void MoveOver(HWND frame, HWND over) {
    SendMessageW(frame, WM_SETCURSOR, reinterpret_cast<WPARAM>(over), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
}

TEST_F(MainWindow, PointerOverTheFrameClearsColourAndEndsTheStroke) {
    form_->ShowColorInfo(Rgb(1, 2, 3));
    form_->SetStatusPanel(0, "4 : 5");
    form_->Stroke.inProgress = true;
    form_->Stroke.button = 1;
    MoveOver(form_->Handle(), form_->ClientHandle());
    EXPECT_EQ(form_->Panel1.ColorInfo.Text(), "");
    EXPECT_FALSE(form_->Panel1.ColorBox.Visible());
    EXPECT_EQ(form_->StatusBar1.PanelText(0), "");
    EXPECT_FALSE(form_->Stroke.inProgress);
    EXPECT_EQ(form_->Stroke.button, 0);
}

TEST_F(MainWindow, RolledInformationPanelOpensUnderThePointerAndRollsBack) {
    SetWindowPos(form_->Handle(), nullptr, 0, 0, 640, 480, SWP_NOMOVE | SWP_NOZORDER);
    PumpMessages();
    Click(form_->Panel1.ClosePanel1.RollButton.Handle());
    PumpMessages();
    ASSERT_TRUE(form_->Panel1.Rolled());
    const SIZE client = form_->ClientSize();
    EXPECT_EQ(form_->Panel1.Height(), 19);
    EXPECT_EQ(form_->Panel1.GetBounds().left, client.cx - 56);

    SendMessageW(form_->Panel1.ClosePanel1.Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
    EXPECT_GT(form_->Panel1.Height(), 19);
    MoveOver(form_->Handle(), form_->ClientHandle());
    EXPECT_EQ(form_->Panel1.Height(), 19);

    Click(form_->Panel1.ClosePanel1.RollButton.Handle());
    PumpMessages();
    EXPECT_FALSE(form_->Panel1.Rolled());
    EXPECT_GT(form_->Panel1.Height(), 19);
}

TEST_F(MainWindow, ClosePanelButtonHidesThePanelAndUnchecksItsItem) {
    Click(form_->Panel1.ClosePanel1.CloseButton.Handle());
    PumpMessages();
    EXPECT_FALSE(form_->Panel1.Visible());
    EXPECT_FALSE(GetMenuState(Menu(), Informanlita1, MF_BYCOMMAND) & MF_CHECKED);
}

HGLOBAL MakeDrop(const std::vector<std::wstring>& files) {
    size_t chars = 1;
    for (const auto& f : files) chars += f.size() + 1;
    HGLOBAL memory = GlobalAlloc(GHND, sizeof(DROPFILES) + chars * sizeof(wchar_t));
    auto* drop = static_cast<DROPFILES*>(GlobalLock(memory));
    drop->pFiles = sizeof(DROPFILES);
    drop->fWide = TRUE;
    auto* out = reinterpret_cast<wchar_t*>(drop + 1);
    for (const auto& f : files) {
        std::memcpy(out, f.c_str(), (f.size() + 1) * sizeof(wchar_t));
        out += f.size() + 1;
    }
    *out = L'\0';
    GlobalUnlock(memory);
    return memory;
}

TEST_F(MainWindow, DroppedFilesOpenTheFirstAsADocument) {
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    const std::filesystem::path first = std::filesystem::path(temp) / L"kelbo-drop-prvý.bmp";
    const std::filesystem::path second = std::filesystem::path(temp) / L"kelbo-drop-2.bmp";
    Bitmap24 picture(3, 2, Rgb(10, 20, 30));
    WriteBmp24(first, picture.ConstView());
    WriteBmp24(second, picture.ConstView());
    SendMessageW(form_->Handle(), WM_DROPFILES, reinterpret_cast<WPARAM>(MakeDrop({first.wstring(), second.wstring()})),
                 0);
    PumpMessages();
    EXPECT_EQ(form_->ChildCount(), 1);
    ASSERT_NE(form_->CurrentDocument, nullptr);
    EXPECT_EQ(form_->CurrentDocument->PictureSize(), (Size{3, 2}));
    EXPECT_EQ(form_->CurrentDocument->FileName, "kelbo-drop-prvý.bmp");
    EXPECT_EQ(form_->Text(), "Kelbo [kelbo-drop-prvý.bmp]");
    std::filesystem::remove(first);
    std::filesystem::remove(second);
}

}  // namespace
}  // namespace kelbo::testing
