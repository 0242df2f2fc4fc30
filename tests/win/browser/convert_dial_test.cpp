// The conversion dialog over real files: each output format written beside
// the input and read back, and the inputs and outputs that write nothing.
#include <gtest/gtest.h>
#include <windows.h>

#include <filesystem>
#include <functional>
#include <string>

#include "../imaging/modal_helpers.h"
#include "app/commands.h"
#include "codecs/bmp_reader.h"
#include "codecs/bmp_writer.h"
#include "codecs/jpeg_coding.h"
#include "core/file_io.h"
#include "core/text_encoding.h"
#include "document/ui/metafile_picture.h"
#include "file_helpers.h"
#include "main_window_fixture.h"

namespace kelbo::testing {
namespace {

namespace fs = std::filesystem;

// 25 colours in blocks, few enough for a GIF to keep every one.
Bitmap24 Blocks(int width, int height) {
    Bitmap24 picture(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) picture.SetPixel(x, y, Rgb(x / 8 * 60, y / 6 * 60, (x + y) % 2 * 255));
    return picture;
}

class ConvertDial : public MainWindow {
protected:
    void SetUp() override {
        MainWindow::SetUp();
        wchar_t temp[MAX_PATH];
        GetTempPathW(MAX_PATH, temp);
        dir_ = fs::path(temp) / L"kelbo-convert-ľ";
        fs::remove_all(dir_);
        fs::create_directories(dir_);
        WriteBmp24(dir_ / L"a.bmp", picture_.View());
        SaveGifFile(picture_.View(), dir_ / L"c.gif");
        WriteBmp24(dir_ / L"big.bmp", Bitmap24(300, 300).View());
        WriteRaw(dir_ / L"bad.gif", "not a picture");
    }
    void TearDown() override {
        MainWindow::TearDown();
        fs::remove_all(dir_);
    }
    TConvertDial& Dial() { return *modules_->Converting().ConvertDial(); }

    // "&Konvertovanie": the input chosen through the button (none when
    // empty), the format chosen, "Konvertuj" pressed, "Zatvor" if still open.
    int Run(const fs::path& input, int format) {
        form_->FileDialogRunner = [&](forms::FileDialog& d, bool) {
            d.fileName = PathToUtf8(input);
            return true;
        };
        WhenModal([&] {
            if (!input.empty()) Dial().SpeedButton1.Click();
            Dial().ComboBox1.SetItemIndex(format);
            SendMessageW(Dial().Handle(), WM_COMMAND, MAKEWPARAM(0, CBN_SELCHANGE),
                         reinterpret_cast<LPARAM>(Dial().ComboBox1.Handle()));
            infoText_ = Dial().InfoText.Text();
            ClickButton(Dial().OKBtn.Handle());
            if (Dial().GetModalResult() != forms::mrOk) ClickButton(Dial().CancelBtn.Handle());
        });
        form_->RunCommand(Konvertovanie1);
        return Dial().GetModalResult();
    }

    const Bitmap24 picture_ = Blocks(40, 30);
    fs::path dir_;
    std::string infoText_;
};

Bitmap24 ReadBack(const fs::path& path) { return RenderMetafile(path)->ToBitmap(); }

std::size_t FileCount(const fs::path& dir) {
    return static_cast<std::size_t>(std::distance(fs::directory_iterator(dir), fs::directory_iterator()));
}

TEST_F(ConvertDial, EachFormatIsWrittenBesideTheInputAndWhatCannotBeReadOrWrittenWritesNothing) {
    EXPECT_EQ(Dial().ComboBox1.Text(), "GIF súbor (*.gif|");
    const std::vector<std::uint8_t> jpeg = EncodeJpeg(picture_.View(), JpegSettings{});
    ASSERT_EQ(JpegSettings{}.Quality, 75);
    const struct {
        const wchar_t* input;
        int format;
        const wchar_t* output;  // null: nothing written, an error reported
        std::function<void(const fs::path&)> check;
    } cases[] = {
        {L"c.gif", 0, L"c.bmp", [&](const fs::path& p) { EXPECT_TRUE(ReadBmp(p)->bitmap == picture_); }},
        {L"a.bmp", 2, L"a.jpg", [&](const fs::path& p) { EXPECT_EQ(ReadFileBytes(p), jpeg); }},
        {L"a.bmp", 5, L"a.emf", [&](const fs::path& p) { EXPECT_TRUE(ReadBack(p) == picture_); }},
        {L"a.bmp", 4, L"a.wmf", [&](const fs::path& p) { EXPECT_TRUE(ReadBack(p) == picture_); }},
        {L"big.bmp", 3, nullptr, {}},
        {L"bad.gif", 0, nullptr, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(PathToUtf8(c.input) + " " + std::to_string(c.format));
        reportedErrors_.clear();
        const fs::path input = dir_ / c.input;
        const std::size_t filesBefore = FileCount(dir_);
        const int result = Run(input, c.format);
        EXPECT_EQ(result, c.output ? forms::mrOk : forms::mrCancel);
        EXPECT_EQ(FileCount(dir_), filesBefore + (c.output ? 1 : 0));
        if (c.output) {
            EXPECT_TRUE(reportedErrors_.empty()) << reportedErrors_.front();
            EXPECT_EQ(infoText_, PathToUtf8(dir_ / c.output));
            c.check(dir_ / c.output);
        } else {
            // The preview read the input once and the conversion again, or the writer refused.
            EXPECT_EQ(reportedErrors_.size(), c.format == 3 ? 1u : 2u);
        }
    }
}

TEST_F(ConvertDial, WithNoInputTheOutputIsOnlyTheNewExtensionAndNothingIsWritten) {
    EXPECT_EQ(Run({}, 0), forms::mrCancel);
    EXPECT_EQ(infoText_, ".bmp");
    EXPECT_TRUE(reportedErrors_.empty());
    EXPECT_EQ(FileCount(dir_), 4u);
}

}  // namespace
}  // namespace kelbo::testing
