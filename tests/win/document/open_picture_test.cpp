// Opening picture files as documents through the picture file routines.
#include <gtest/gtest.h>
#include <windows.h>

#include <filesystem>
#include <fstream>

#include "codecs/bmp_writer.h"
#include "codecs/picture_files.h"
#include "core/bitmap24.h"
#include "core/text_encoding.h"
#include "main_window_fixture.h"

namespace kelbo::testing {
namespace {

namespace fs = std::filesystem;

fs::path TempFile(const wchar_t* name) {
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    return fs::path(temp) / name;
}

TEST_F(MainWindow, OpensEachKindWithItsSizeAndFormat) {
    Bitmap24 picture(7, 5, Rgb(200, 10, 10));
    const fs::path bmp = TempFile(L"kelbo-open-8.bmp");
    WriteBmp(bmp, picture.ConstView(), BmpPixelFormat::k8);
    const fs::path gif = TempFile(L"kelbo-open.gif");
    SaveGifFile(picture.ConstView(), gif);
    const fs::path jpg = TempFile(L"kelbo-open.jpg");
    SaveJpegFile(picture.ConstView(), jpg);

    form_->OpenPicture(PathToUtf8(bmp));
    ASSERT_NE(form_->CurrentDocument, nullptr);
    EXPECT_EQ(form_->CurrentDocument->PictureSize(), (Size{7, 5}));
    EXPECT_EQ(form_->CurrentDocument->LoadedPixelFormat, PixelFormatId::k8) << "Save writes 8 bits back";
    EXPECT_EQ(form_->StatusBar1.PanelText(2), "[7, 5]");
    form_->OpenPicture(PathToUtf8(gif));
    EXPECT_EQ(form_->CurrentDocument->PictureSize(), (Size{7, 5}));
    EXPECT_EQ(form_->CurrentDocument->LoadedPixelFormat, PixelFormatId::k24);
    form_->OpenPicture(PathToUtf8(jpg));
    EXPECT_EQ(form_->CurrentDocument->PictureSize(), (Size{7, 5}));
    EXPECT_EQ(form_->ChildCount(), 3);
    for (const fs::path& p : {bmp, gif, jpg}) fs::remove(p);
}

TEST_F(MainWindow, ADamagedFileLeavesItsWindowOpenAndReportsWhy) {
    const fs::path bad = TempFile(L"kelbo-open-bad.gif");
    { std::ofstream(bad, std::ios::binary) << "GIF89a\x05"; }
    std::string reported;
    form_->ErrorBox = [&](std::string_view m) { reported = m; };
    form_->OpenPicture(PathToUtf8(bad));
    EXPECT_FALSE(reported.empty());
    EXPECT_EQ(form_->ChildCount(), 1);
    EXPECT_EQ(form_->CurrentDocument->PictureSize(), (Size{0, 0}));
    EXPECT_EQ(form_->CurrentDocument->FileName, "kelbo-open-bad.gif");
    fs::remove(bad);
}

TEST_F(MainWindow, AnUnreadKindOpensAnEmptyDocumentWithoutAnError) {
    std::string reported;
    form_->ErrorBox = [&](std::string_view m) { reported = m; };
    form_->OpenPicture("C:\\nikde\\obrazok.wmf");
    EXPECT_TRUE(reported.empty());
    EXPECT_EQ(form_->ChildCount(), 1);
}

}  // namespace
}  // namespace kelbo::testing
