// Opening picture files as documents through the picture file routines.
#include <gtest/gtest.h>
#include <windows.h>

#include <filesystem>
#include <fstream>
#include <vector>

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
    WriteBmp(bmp, picture.ConstView(), PixelFormat::k8);
    const fs::path gif = TempFile(L"kelbo-open.gif");
    SaveGifFile(picture.ConstView(), gif);
    const fs::path jpg = TempFile(L"kelbo-open.jpg");
    SaveJpegFile(picture.ConstView(), jpg, PictureCodecs{form_->SharedJpeg});

    form_->OpenPicture(PathToUtf8(bmp));
    ASSERT_NE(form_->CurrentDocument, nullptr);
    EXPECT_EQ(form_->CurrentDocument->PictureSize(), (Size{7, 5}));
    EXPECT_EQ(form_->CurrentDocument->LoadedPixelFormat, PixelFormat::k8) << "Save writes 8 bits back";
    EXPECT_EQ(form_->StatusBar1.PanelText(2), "[7, 5]");
    form_->OpenPicture(PathToUtf8(gif));
    EXPECT_EQ(form_->CurrentDocument->PictureSize(), (Size{7, 5}));
    EXPECT_EQ(form_->CurrentDocument->LoadedPixelFormat, PixelFormat::k24);
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
    form_->OpenPicture("C:\\nikde\\obrazok.pcx");
    EXPECT_TRUE(reported.empty());
    EXPECT_EQ(form_->ChildCount(), 1);
}

}  // namespace
}  // namespace kelbo::testing

namespace kelbo::testing {
namespace {

// 0.01 mm of `pixels` on the screen, the unit of a metafile's frame.
LONG FrameUnits(int pixels, int sizeIndex, int resIndex) {
    HDC screen = GetDC(nullptr);
    const long long mm = GetDeviceCaps(screen, sizeIndex), res = GetDeviceCaps(screen, resIndex);
    ReleaseDC(nullptr, screen);
    return static_cast<LONG>(pixels * mm * 100 / res);
}

void DrawRedBlock(HDC dc) {
    HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
    const RECT block{10, 10, 30, 20};
    FillRect(dc, &block, red);
    DeleteObject(red);
}

void ExpectRedBlockPicture(const TChildWin& doc) {
    const Size size = doc.PictureSize();
    EXPECT_NEAR(size.width, 40, 1);
    EXPECT_NEAR(size.height, 30, 1);
    const auto& picture = doc.Image1.Picture();
    ASSERT_TRUE(picture);
    EXPECT_EQ(picture->View().Pixel(20, 15), Rgb(255, 0, 0));
    EXPECT_EQ(picture->View().Pixel(2, 2), Rgb(255, 255, 255)) << "played onto white";
    EXPECT_EQ(doc.LoadedPixelFormat, PixelFormat::k24);
}

TEST_F(MainWindow, AnEnhancedMetafileOpensAsAPictureOfItsSize) {
    const fs::path emf = TempFile(L"kelbo-open.emf");
    const RECT frame{0, 0, FrameUnits(40, HORZSIZE, HORZRES), FrameUnits(30, VERTSIZE, VERTRES)};
    HDC dc = CreateEnhMetaFileW(nullptr, emf.c_str(), &frame, nullptr);
    ASSERT_TRUE(dc);
    DrawRedBlock(dc);
    DeleteEnhMetaFile(CloseEnhMetaFile(dc));
    form_->OpenPicture(PathToUtf8(emf));
    EXPECT_TRUE(reportedErrors_.empty());
    ASSERT_NE(form_->CurrentDocument, nullptr);
    ExpectRedBlockPicture(*form_->CurrentDocument);
    fs::remove(emf);
}

TEST_F(MainWindow, APlaceableWindowsMetafileOpensAtItsStatedSize) {
    HDC dc = CreateMetaFileW(nullptr);
    ASSERT_TRUE(dc);
    SetMapMode(dc, MM_ANISOTROPIC);
    SetWindowOrgEx(dc, 0, 0, nullptr);
    SetWindowExtEx(dc, 40, 30, nullptr);
    DrawRedBlock(dc);
    HMETAFILE wmf = CloseMetaFile(dc);
    std::vector<std::uint8_t> bits(GetMetaFileBitsEx(wmf, 0, nullptr));
    GetMetaFileBitsEx(wmf, static_cast<UINT>(bits.size()), bits.data());
    DeleteMetaFile(wmf);
    // The placeable header: key, handle, bounds 0,0,40,30 at 96 units an inch, reserved, checksum.
    std::uint16_t header[11] = {0xCDD7, 0x9AC6, 0, 0, 0, 40, 30, 96, 0, 0, 0};
    for (int i = 0; i < 10; ++i) header[10] ^= header[i];
    const fs::path path = TempFile(L"kelbo-open.wmf");
    {
        std::ofstream out(path, std::ios::binary);
        out.write(reinterpret_cast<const char*>(header), sizeof header);
        out.write(reinterpret_cast<const char*>(bits.data()), static_cast<std::streamsize>(bits.size()));
    }
    form_->OpenPicture(PathToUtf8(path));
    EXPECT_TRUE(reportedErrors_.empty()) << (reportedErrors_.empty() ? "" : reportedErrors_[0]);
    ASSERT_NE(form_->CurrentDocument, nullptr);
    ExpectRedBlockPicture(*form_->CurrentDocument);
    fs::remove(path);
}

TEST_F(MainWindow, ADamagedOrMissingMetafileIsReportedAndItsWindowStays) {
    const fs::path bad = TempFile(L"kelbo-open-bad.emf");
    { std::ofstream(bad, std::ios::binary) << "not a metafile at all, just some text"; }
    form_->OpenPicture(PathToUtf8(bad));
    form_->OpenPicture("C:\\nikde\\obrazok.wmf");
    EXPECT_EQ(reportedErrors_.size(), 2u);
    EXPECT_EQ(form_->ChildCount(), 2);
    EXPECT_EQ(form_->CurrentDocument->PictureSize(), (Size{0, 0}));
    fs::remove(bad);
}

}  // namespace
}  // namespace kelbo::testing
