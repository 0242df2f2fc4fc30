// The picture dialogs' preview: what it makes of files, and the dialog
// showing it beside the list.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "codecs/bmp_writer.h"
#include "controls/host_window.h"
#include "codecs/picture_files.h"
#include "core/text_encoding.h"
#include "document/picture_dialog_texts.h"
#include "document/ui/picture_preview.h"
#include "forms/text.h"
#include "imaging/modal_helpers.h"

namespace kelbo::testing {
namespace {

namespace fs = std::filesystem;

class PicturePreviewTest : public ::testing::Test {
protected:
    void SetUp() override { fs::create_directories(dir_); }
    void TearDown() override {
        fs::current_path(dir_.parent_path());  // the dialog browses into its folder
        fs::remove_all(dir_);
    }

    std::string Bmp(const wchar_t* name, int width, int height) {
        WriteBmp(dir_ / name, Bitmap24(width, height, Rgb(0, 90, 200)).ConstView(), PixelFormat::k24);
        return PathToUtf8(dir_ / name);
    }

    const fs::path dir_ = fs::temp_directory_path() / L"kelbo-preview";
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
    TJPEGImage writer;
    SaveJpegFile(Bitmap24(300, 20).ConstView(), dir_ / L"c.jpeg", PictureCodecs{writer});
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
    std::vector<std::string> shown;
    RECT list{}, box{};
    WhenModal([&] {
        HWND window = FindWindowW(L"#32770", forms::Wide(kOpenPictureTitle).c_str());
        HWND pane = FindWindowExW(window, nullptr, L"#32770", nullptr);
        HWND view = FindWindowExW(window, nullptr, L"SHELLDLL_DefView", nullptr);
        HWND items = FindWindowExW(view, nullptr, WC_LISTVIEWW, nullptr);
        HWND text = GetDlgItem(pane, forms::kFilePreviewTextId);
        GetWindowRect(view, &list);
        GetWindowRect(GetDlgItem(pane, forms::kFilePreviewPictureId), &box);
        for (const wchar_t* name : {L"b", L"sub"}) {
            shown.push_back(forms::WindowText(text));
            LVFINDINFOW find{LVFI_PARTIAL, name, 0, {}, 0};
            ListView_SetItemState(items, -1, 0, LVIS_SELECTED);
            ListView_SetItemState(items, ListView_FindItem(items, -1, &find), LVIS_SELECTED, LVIS_SELECTED);
            PumpUntil([&] { return forms::WindowText(text) != shown.back(); }, std::chrono::seconds(3));
        }
        shown.push_back(forms::WindowText(text));
        ClickButton(GetDlgItem(window, IDCANCEL));
    });
    EXPECT_FALSE(dialog.ExecuteOpen(nullptr));
    EXPECT_EQ(shown, (std::vector<std::string>{"64 x 48", "7 x 5", ""})) << "start, a GIF, a folder";
    EXPECT_GE(box.left, list.right) << "the preview stands beside the list";
}

}  // namespace
}  // namespace kelbo::testing
