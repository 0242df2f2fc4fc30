// The picture dialogs' preview: what it makes of files, and the dialog
// showing it beside the list.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <string>

#include "codecs/bmp_writer.h"
#include "codecs/picture_files.h"
#include "core/text_encoding.h"
#include "document/picture_dialog_texts.h"
#include "document/ui/picture_preview.h"
#include "forms/text.h"
#include "controls/host_window.h"
#include "imaging/modal_helpers.h"

namespace kelbo::testing {
namespace {

namespace fs = std::filesystem;

class PicturePreviewTest : public ::testing::Test {
protected:
    void SetUp() override {
        wchar_t temp[MAX_PATH];
        GetTempPathW(MAX_PATH, temp);
        dir_ = fs::path(temp) / L"kelbo-preview";
        fs::create_directories(dir_);
    }
    void TearDown() override {
        fs::current_path(dir_.parent_path());  // the dialog browses into its folder
        fs::remove_all(dir_);
    }

    std::string Bmp(const wchar_t* name, int width, int height) {
        WriteBmp(dir_ / name, Bitmap24(width, height, Rgb(0, 90, 200)).ConstView(), BmpPixelFormat::k24);
        return PathToUtf8(dir_ / name);
    }

    fs::path dir_;
};

TEST_F(PicturePreviewTest, ABitmapIsReducedIntoTheBoxKeepingItsProportions) {
    struct Case {
        int width, height, thumbWidth, thumbHeight;
    };
    for (const Case c : {Case{640, 480, 150, 113}, Case{480, 640, 98, 130}, Case{100, 50, 100, 50}}) {
        const forms::FilePreview p = PicturePreview(Bmp(L"a.bmp", c.width, c.height), 150, 130);
        EXPECT_EQ(p.text, std::to_string(c.width) + " x " + std::to_string(c.height));
        EXPECT_EQ(p.picture.Width(), c.thumbWidth);
        EXPECT_EQ(p.picture.Height(), c.thumbHeight);
        EXPECT_EQ(p.picture.Pixel(p.picture.Width() - 1, 0), Rgb(0, 90, 200));
    }
}

TEST_F(PicturePreviewTest, GifAndJpegShowTheirSize) {
    SaveGifFile(Bitmap24(7, 5, Rgb(255, 0, 0)).ConstView(), dir_ / L"b.GIF");
    const forms::FilePreview p = PicturePreview(PathToUtf8(dir_ / L"b.GIF"), 150, 130);
    EXPECT_EQ(p.text, "7 x 5");
    EXPECT_EQ(p.picture, Bitmap24(7, 5, Rgb(255, 0, 0)));
    SaveJpegFile(Bitmap24(300, 20).ConstView(), dir_ / L"c.jpeg");
    const forms::FilePreview jpeg = PicturePreview(PathToUtf8(dir_ / L"c.jpeg"), 150, 130);
    EXPECT_EQ(jpeg.text, "300 x 20");
    EXPECT_EQ(jpeg.picture.Width(), 150);
    EXPECT_EQ(jpeg.picture.Height(), 10);
}

TEST_F(PicturePreviewTest, WhatIsNoReadablePictureGivesAnEmptyPreview) {
    { std::ofstream(dir_ / L"bad.bmp", std::ios::binary) << "BM not really"; }
    { std::ofstream(dir_ / L"notes.txt") << "text"; }
    fs::create_directory(dir_ / L"folder.bmp");
    for (const wchar_t* name : {L"bad.bmp", L"notes.txt", L"folder.bmp", L"missing.jpg"}) {
        const forms::FilePreview p = PicturePreview(PathToUtf8(dir_ / name), 150, 130);
        EXPECT_TRUE(p.picture.Empty()) << PathToUtf8(name);
        EXPECT_EQ(p.text, "") << PathToUtf8(name);
    }
}

TEST_F(PicturePreviewTest, TheDialogShowsTheSelectedPicturesSizeBesideTheList) {
    Bmp(L"a.bmp", 64, 48);
    SaveGifFile(Bitmap24(7, 5).ConstView(), dir_ / L"b.gif");
    forms::FileDialog dialog = PictureFileDialog(kOpenPictureTitle);
    dialog.initialDir = PathToUtf8(dir_);
    dialog.fileName = "a.bmp";
    fs::create_directory(dir_ / L"sub");
    std::string atStart, afterSelection, onFolder = "?";
    RECT list{}, box{};
    WhenModal([&] {
        HWND window = FindWindowW(L"#32770", forms::Wide(kOpenPictureTitle).c_str());
        HWND pane = FindWindowExW(window, nullptr, L"#32770", nullptr);
        HWND view = FindWindowExW(window, nullptr, L"SHELLDLL_DefView", nullptr);
        atStart = forms::WindowText(GetDlgItem(pane, forms::kFilePreviewTextId));
        GetWindowRect(view, &list);
        GetWindowRect(GetDlgItem(pane, forms::kFilePreviewPictureId), &box);
        HWND items = FindWindowExW(view, nullptr, WC_LISTVIEWW, nullptr);
        LVFINDINFOW find{LVFI_PARTIAL, L"b", 0, {}, 0};
        const int gif = ListView_FindItem(items, -1, &find);
        ListView_SetItemState(items, gif, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
        HWND text = GetDlgItem(pane, forms::kFilePreviewTextId);
        PumpUntil([&] { return forms::WindowText(text) != atStart; }, std::chrono::seconds(3));
        afterSelection = forms::WindowText(text);
        ListView_SetItemState(items, gif, 0, LVIS_SELECTED | LVIS_FOCUSED);
        find.psz = L"sub";
        ListView_SetItemState(items, ListView_FindItem(items, -1, &find), LVIS_SELECTED | LVIS_FOCUSED,
                              LVIS_SELECTED | LVIS_FOCUSED);
        PumpUntil([&] { return forms::WindowText(text).empty(); }, std::chrono::seconds(1));
        onFolder = forms::WindowText(text);
        ClickButton(GetDlgItem(window, IDCANCEL));
    });
    EXPECT_FALSE(dialog.ExecuteOpen(nullptr));
    EXPECT_EQ(atStart, "64 x 48");
    EXPECT_EQ(afterSelection, "7 x 5");
    EXPECT_EQ(onFolder, "");
    EXPECT_GE(box.left, list.right) << "the preview stands beside the list";
    EXPECT_GT(box.right - box.left, 100);
}

}  // namespace
}  // namespace kelbo::testing
