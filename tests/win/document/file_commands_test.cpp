// Save, the recent-files list and Delete on real files.
#include <gtest/gtest.h>
#include <windows.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <tuple>
#include <vector>

#include "codecs/bmp_info.h"
#include "codecs/bmp_writer.h"
#include "codecs/picture_files.h"
#include "core/file_io.h"
#include "core/text_encoding.h"
#include "forms/menu.h"
#include "main_window_fixture.h"

namespace kelbo::testing {
namespace {

namespace fs = std::filesystem;

class FileCommands : public MainWindow {
protected:
    void SetUp() override {
        MainWindow::SetUp();
        wchar_t temp[MAX_PATH];
        GetTempPathW(MAX_PATH, temp);
        dir_ = fs::path(temp) / L"kelbo-files-ľ";
        fs::remove_all(dir_);
        fs::create_directories(dir_);
        form_->ErrorBox = [this](std::string_view m) { errors_.emplace_back(m); };
    }
    void TearDown() override {
        MainWindow::TearDown();
        fs::remove_all(dir_);
    }
    std::string PathOf(const wchar_t* name) const { return PathToUtf8(dir_ / name); }
    static std::string Bytes(const std::string& path) {
        std::ifstream in(PathFromUtf8(path), std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }
    fs::path dir_;
    std::vector<std::string> errors_;
};

TEST_F(FileCommands, ALowerCaseJpegIsSavedAsJpeg) {
    const std::string path = PathOf(L"foto.jpeg");
    SaveJpegFile(Bitmap24(16, 8, Rgb(10, 200, 30)).ConstView(), PathFromUtf8(path), PictureCodecs{form_->SharedJpeg});
    form_->OpenPicture(path);
    ASSERT_EQ(form_->CurrentDocument->PictureSize(), (Size{16, 8}));
    fs::remove(PathFromUtf8(path));
    form_->RunCommand(Ulo1);
    const std::string bytes = Bytes(path);
    ASSERT_GE(bytes.size(), 2u);
    EXPECT_EQ(static_cast<unsigned char>(bytes[0]), 0xFF);
    EXPECT_EQ(static_cast<unsigned char>(bytes[1]), 0xD8);
    EXPECT_TRUE(errors_.empty());
}

TEST_F(FileCommands, AnEightBitBitmapStaysEightBitAndTheDocumentKeepsItsColours) {
    const std::string path = PathOf(L"paleta.bmp");
    Bitmap24 picture(4, 2, Rgb(0, 0, 0));
    picture.SetPixel(1, 0, Rgb(255, 0, 0));
    WriteBmp(PathFromUtf8(path), picture.ConstView(), PixelFormat::k8);
    form_->OpenPicture(path);
    TChildWin& doc = *form_->CurrentDocument;
    doc.Modified = true;
    form_->RunCommand(Ulo1);
    const auto info = ReadBmpInfo(PathFromUtf8(path));
    ASSERT_TRUE(info.Ok());
    EXPECT_EQ(info.Value().bitsPerPixel, 8);
    EXPECT_FALSE(doc.Modified);
    const std::uint8_t* row = doc.Image1.Picture()->View().Row(0);
    EXPECT_EQ(Rgb(row[5], row[4], row[3]), Rgb(255, 0, 0));
}

TEST_F(FileCommands, AFailedSaveKeepsTheOldFileAndTheDocument) {
    const std::string path = PathOf(L"stary.bmp");
    WriteBmp24(PathFromUtf8(path), Bitmap24(3, 3, Rgb(1, 2, 3)).ConstView());
    const std::string before = Bytes(path);
    form_->OpenPicture(path);
    TChildWin& doc = *form_->CurrentDocument;
    doc.Modified = true;
    doc.FileDir = PathToUtf8(dir_ / L"zmizol") + "\\";  // a folder that has vanished
    form_->RunCommand(Ulo1);
    EXPECT_EQ(errors_.size(), 1u);
    EXPECT_TRUE(doc.Modified);
    EXPECT_EQ(doc.FileName, "stary.bmp");
    EXPECT_EQ(Bytes(path), before);
}

TEST_F(FileCommands, SavingOverAReadOnlyFileKeepsItAndTheDocument) {
    const std::string path = PathOf(L"chraneny.bmp");
    WriteBmp24(PathFromUtf8(path), Bitmap24(3, 3, Rgb(1, 2, 3)).ConstView());
    const std::string before = Bytes(path);
    form_->OpenPicture(path);
    TChildWin& doc = *form_->CurrentDocument;
    form_->RunCommand(Negativ1);
    ASSERT_TRUE(doc.Modified);
    ASSERT_TRUE(SetFileAttributesW(PathFromUtf8(path).c_str(), FILE_ATTRIBUTE_READONLY));
    form_->RunCommand(Ulo1);
    SetFileAttributesW(PathFromUtf8(path).c_str(), FILE_ATTRIBUTE_NORMAL);
    EXPECT_EQ(errors_.size(), 1u);
    EXPECT_TRUE(doc.Modified);
    EXPECT_EQ(Bytes(path), before);
    EXPECT_EQ(std::distance(fs::directory_iterator(dir_), fs::directory_iterator()), 1) << "no temporary file left";
}

// Fails the write, the flush or the rename with `error`.
struct FailingCalls : FileSystemCalls {
    enum { kNone, kWrite, kSync, kRename } step = kNone;
    int error = 0;
    long Write(int fd, const std::uint8_t* data, std::size_t size) override {
        return step == kWrite ? (errno = error, -1) : FileSystemCalls::Write(fd, data, size);
    }
    int Sync(int fd) override { return step == kSync ? (errno = error, -1) : FileSystemCalls::Sync(fd); }
    std::error_code Rename(const fs::path& from, const fs::path& to) override {
        return step == kRename ? std::error_code(error, std::generic_category()) : FileSystemCalls::Rename(from, to);
    }
};

TEST_F(FileCommands, ASaveFailingUnderneathKeepsTheFileAndTheDocumentAndSaysWhy) {
    const std::string path = PathOf(L"obraz.png");
    SavePictureFile(PathFromUtf8(path), Bitmap24(3, 3, Rgb(1, 2, 3)).ConstView(), PixelFormat::k24, {},
                    PictureCodecs{form_->SharedJpeg});
    const std::string before = Bytes(path);
    form_->OpenPicture(path);
    TChildWin& doc = *form_->CurrentDocument;
    form_->RunCommand(Negativ1);
    FailingCalls calls;
    const ScopedFileSystemCalls installed(calls);
    form_->FileDialogRunner = [&](forms::FileDialog& d, bool) {
        d.fileName = PathOf(L"nove.png");
        return true;
    };
    for (const auto& [step, error, command] :
         {std::tuple(FailingCalls::kWrite, ENOSPC, Ulo1), std::tuple(FailingCalls::kSync, EIO, Ulo1),
          std::tuple(FailingCalls::kRename, EACCES, Uloako1)}) {
        calls.step = step;
        calls.error = error;
        errors_.clear();
        form_->RunCommand(command);
        const std::string target = command == Ulo1 ? path : PathOf(L"nove.png");
        EXPECT_EQ(errors_, std::vector<std::string>{"Cannot create file " + target + ": " + std::strerror(error)});
        EXPECT_TRUE(doc.Modified);
        EXPECT_EQ(doc.Text(), path);
        EXPECT_EQ(Bytes(path), before);
        EXPECT_EQ(std::distance(fs::directory_iterator(dir_), fs::directory_iterator()), 1) << "no temporary file left";
    }
    form_->Options.CloseQuestion = true;
    form_->Answer = [](std::string_view, UINT) { return IDYES; };
    doc.Close();
    PumpMessages();
    EXPECT_EQ(form_->ChildCount(), 1) << "Yes to the close question, and the save failed: the window stays";
    calls.step = FailingCalls::kNone;
    errors_.clear();
    form_->RunCommand(Ulo1);
    EXPECT_TRUE(errors_.empty());
    EXPECT_FALSE(doc.Modified);
    EXPECT_NE(Bytes(path), before);
}

TEST_F(FileCommands, RecentFilesIgnoreDuplicatesAndKeepTen) {
    for (int i = 0; i < 11; ++i) modules_->Files().AddRecentFile("C:\\obr\\" + std::to_string(i) + ".bmp");
    modules_->Files().AddRecentFile("C:\\obr\\10.bmp");
    ASSERT_EQ(modules_->Files().Recent().Count(), 10);
    EXPECT_EQ(modules_->Files().Recent().Entries().front(), "C:\\obr\\10.bmp");
    EXPECT_EQ(modules_->Files().Recent().Entries().back(), "C:\\obr\\1.bmp") << "the oldest was pushed out";
    EXPECT_EQ(form_->Options.RecentFiles, modules_->Files().Recent().Entries());
    HMENU file = GetSubMenu(Menu(), 0);
    EXPECT_EQ(forms::ItemCaption(file, kRecentFileFirst), "C:\\obr\\10.bmp");
    EXPECT_EQ(forms::ItemCaption(file, kRecentFileFirst + 9), "C:\\obr\\1.bmp");
    wchar_t text[64]{};
    GetMenuStringW(file, 17, text, 64, MF_BYPOSITION);
    EXPECT_STREQ(text, L"C:\\obr\\10.bmp") << "entries stand at position 17 on";
}

TEST_F(FileCommands, TheSameFileOpenedTwiceGivesTwoWindowsAndOneEntry) {
    const std::string path = PathOf(L"dva.bmp");
    WriteBmp24(PathFromUtf8(path), Bitmap24(3, 3).ConstView());
    for (int i = 0; i < 2; ++i) {
        form_->OpenPicture(path);
        modules_->Files().AddRecentFile(path);
    }
    EXPECT_EQ(form_->ChildCount(), 2);
    EXPECT_EQ(modules_->Files().Recent().Count(), 1);
    form_->RunCommand(kRecentFileFirst);
    EXPECT_EQ(form_->ChildCount(), 3) << "a click opens the entry";
}

TEST_F(FileCommands, DeleteClosesTheWindowAndRemovesTheFile) {
    const std::string path = PathOf(L"zmaz.bmp");
    WriteBmp24(PathFromUtf8(path), Bitmap24(3, 3).ConstView());
    form_->OpenPicture(path);
    std::string question;
    form_->Answer = [&](std::string_view text, UINT) {
        question = text;
        return IDYES;
    };
    form_->RunCommand(Zmaza1);
    PumpMessages();
    EXPECT_EQ(question, "Chcete naozaj zmazať súbor " + path + "?");
    EXPECT_EQ(form_->ChildCount(), 0);
    EXPECT_FALSE(fs::exists(PathFromUtf8(path)));
}

TEST_F(FileCommands, DeleteAnsweredNoKeepsEverything) {
    const std::string path = PathOf(L"nechaj.bmp");
    WriteBmp24(PathFromUtf8(path), Bitmap24(3, 3).ConstView());
    form_->OpenPicture(path);
    form_->Answer = [&](std::string_view, UINT) { return IDNO; };
    form_->RunCommand(Zmaza1);
    PumpMessages();
    EXPECT_EQ(form_->ChildCount(), 1);
    EXPECT_TRUE(fs::exists(PathFromUtf8(path)));
}

}  // namespace
}  // namespace kelbo::testing

namespace kelbo::testing {
namespace {

TEST_F(FileCommands, SaveAsAnsweredNoWritesNothingAndKeepsTheCaption) {
    const std::string old = PathOf(L"povodny.bmp");
    const std::string taken = PathOf(L"obsadeny.bmp");
    WriteBmp24(PathFromUtf8(old), Bitmap24(3, 3).ConstView());
    WriteBmp24(PathFromUtf8(taken), Bitmap24(5, 5).ConstView());
    const std::string before = Bytes(taken);
    form_->OpenPicture(old);
    std::string asked;
    form_->FileDialogRunner = [&](forms::FileDialog& d, bool save) {
        EXPECT_TRUE(save);
        EXPECT_EQ(d.title, "Uloženie súboru");
        EXPECT_EQ(d.defaultExt, "bmp");
        d.fileName = taken;
        return true;
    };
    form_->Answer = [&](std::string_view text, UINT) {
        asked = text;
        return IDNO;
    };
    form_->RunCommand(Uloako1);
    EXPECT_EQ(asked, "Súbor s menom " + taken + " už existuje. Chcete ho prepísať?");
    EXPECT_EQ(Bytes(taken), before);
    EXPECT_EQ(form_->CurrentDocument->Text(), old);
}

TEST_F(FileCommands, SaveAsToAMetafileNameWritesAWindowsBitmap) {
    const std::string old = PathOf(L"zdroj.bmp");
    const std::string target = PathOf(L"vysledok.wmf");
    WriteBmp24(PathFromUtf8(old), Bitmap24(3, 3).ConstView());
    form_->OpenPicture(old);
    form_->FileDialogRunner = [&](forms::FileDialog& d, bool) {
        d.fileName = target;
        return true;
    };
    form_->RunCommand(Uloako1);
    const std::string bytes = Bytes(target);
    ASSERT_GE(bytes.size(), 2u);
    EXPECT_EQ(bytes.substr(0, 2), "BM");
    EXPECT_EQ(form_->CurrentDocument->Text(), target);
    EXPECT_EQ(form_->CurrentDocument->FileName, "vysledok.wmf");
    EXPECT_EQ(form_->Text(), "Kelbo [vysledok.wmf]");
}

TEST_F(FileCommands, OpenUsesThePictureDialog) {
    const std::string path = PathOf(L"otvor.bmp");
    WriteBmp24(PathFromUtf8(path), Bitmap24(6, 4).ConstView());
    form_->FileDialogRunner = [&](forms::FileDialog& d, bool save) {
        EXPECT_FALSE(save);
        EXPECT_EQ(d.title, "Otvorenie obrázku");
        EXPECT_EQ(d.filter.rfind("Všetky podporované|*.bmp;", 0), 0u);
        d.fileName = path;
        return true;
    };
    form_->RunCommand(Otvor1);
    ASSERT_NE(form_->CurrentDocument, nullptr);
    EXPECT_EQ(form_->CurrentDocument->PictureSize(), (Size{6, 4}));
    EXPECT_EQ(modules_->Files().Recent().Entries().front(), path);
}

}  // namespace
}  // namespace kelbo::testing
