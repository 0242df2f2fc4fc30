// The fast view over real files: the picture centred at its size, the keys,
// the input that closes it, an unreadable file, and the film's list.
#include <gtest/gtest.h>
#include <windows.h>

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "../imaging/modal_helpers.h"
#include "app/settings.h"
#include "browser/picture_names.h"
#include "codecs/bmp_writer.h"
#include "core/text_encoding.h"
#include "file_helpers.h"
#include "main_window_fixture.h"

namespace kelbo::testing {
namespace {

namespace fs = std::filesystem;

class FastView : public MainWindow {
protected:
    void SetUp() override {
        MainWindow::SetUp();
        wchar_t temp[MAX_PATH];
        GetTempPathW(MAX_PATH, temp);
        dir_ = fs::path(temp) / L"kelbo-fastview-ľ";
        fs::remove_all(dir_);
        fs::create_directories(dir_ / L"sub");
        WriteBmp24(dir_ / L"a.bmp", Bitmap24(40, 30, Rgb(200, 0, 0)).ConstView());
        WriteBmp24(dir_ / L"b.bmp", Bitmap24(20, 10, Rgb(0, 200, 0)).ConstView());
        WriteRaw(dir_ / L"bad.jpg", "not a picture");
        WriteBmp24(dir_ / L"sub" / L"c.bmp", Bitmap24(8, 8).ConstView());
        Settings& s = form_->ProgramSettings();
        s.DefaultOptions = true;
        s.IncludeSubDirs = false;
        s.Movie = false;
    }
    void TearDown() override {
        MainWindow::TearDown();
        fs::remove_all(dir_);
    }
    std::string PathOf(const wchar_t* name) const { return PathToUtf8(dir_ / name); }
    TFastViewFrm& View() { return *modules_->FastView().FastViewFrm(); }
    TMovieDlg& Movie() { return *modules_->FastView().MovieDlg(); }
    void StartView() {
        modules_->FastView().StartFastView(PathToUtf8(dir_));
        PumpMessages();
    }
    void Post(UINT message, WPARAM wParam, LPARAM lParam) {
        PostMessageW(View().Handle(), message, wParam, lParam);
        PumpMessages();
    }

    fs::path dir_;
};

TEST_F(FastView, ThePictureIsCentredAtItsSizeAndTheKeysStepThroughTheFilesPastAnUnreadableOne) {
    StartView();
    ASSERT_TRUE(IsWindowVisible(View().Handle()));
    EXPECT_EQ(View().Files(), (std::vector<std::string>{PathOf(L"a.bmp"), PathOf(L"b.bmp"), PathOf(L"bad.jpg")}));
    EXPECT_EQ(View().GetColor(), Rgb(0, 0, 0));
    const SIZE client = View().ClientSize();
    const auto centred = [&](int w, int h) { return forms::Bounds{(client.cx - w) / 2, (client.cy - h) / 2, w, h}; };
    struct Step {
        int key;  // 0: the view as it started
        std::size_t current;
        std::optional<forms::Bounds> picture;  // none: "?" in its place
        const char* position;
    };
    const Step steps[] = {
        {0, 0, centred(40, 30), "1/3"},     {VK_SPACE, 1, centred(20, 10), "2/3"},
        {VK_RIGHT, 2, std::nullopt, "3/3"}, {VK_SPACE, 0, centred(40, 30), "1/3"},
        {VK_BACK, 2, std::nullopt, "3/3"},  {VK_BACK, 1, centred(20, 10), "2/3"},
    };
    for (const Step& step : steps) {
        if (step.key) Post(WM_KEYDOWN, step.key, 0);
        SCOPED_TRACE(step.position);
        EXPECT_EQ(View().Current(), step.current);
        EXPECT_EQ(View().Image1.Visible(), step.picture.has_value());
        EXPECT_EQ(View().Unreadable.Visible(), !step.picture.has_value());
        if (step.picture) {
            EXPECT_EQ(View().Image1.GetBounds(), *step.picture);
        }
        EXPECT_EQ(View().PathText.Text(), View().Files()[step.current]);
        EXPECT_EQ(View().PosText.Text(), step.position);
    }
    Post(WM_KEYDOWN, VK_HOME, 0);
    EXPECT_TRUE(View().MovieTimer.Enabled());
    EXPECT_EQ(View().MovieTimer.Interval(), 2000u);
    Post(WM_KEYDOWN, VK_RETURN, 0);
    EXPECT_FALSE(View().MovieTimer.Enabled());
    EXPECT_TRUE(IsWindowVisible(View().Handle()));
}

TEST_F(FastView, APointerMoveOfSixPixelsOrAnyOtherInputClosesTheViewAndFiveDoesNot) {
    form_->ProgramSettings().IncludeSubDirs = true;
    form_->ProgramSettings().FullView = true;
    const struct {
        UINT message;
        int dx, dy;
        WPARAM key;
        bool closes;
    } cases[] = {
        {WM_MOUSEMOVE, 5, 0, 0, false},      {WM_MOUSEMOVE, -5, 5, 0, false}, {WM_MOUSEMOVE, 6, 0, 0, true},
        {WM_MOUSEMOVE, 0, -6, 0, true},      {WM_LBUTTONDOWN, 0, 0, 0, true}, {WM_SYSKEYDOWN, 0, 0, VK_MENU, true},
        {WM_KEYDOWN, 0, 0, VK_ESCAPE, true},
    };
    for (const auto& c : cases) {
        StartView();
        ASSERT_TRUE(IsWindowVisible(View().Handle()));
        POINT at{};
        GetCursorPos(&at);
        // The mouse over the picture, in its client coordinates; the keys to the view.
        const HWND target = c.key ? View().Handle() : View().Image1.Handle();
        ScreenToClient(target, &at);
        PostMessageW(target, c.message, c.key, MAKELPARAM(at.x + c.dx, at.y + c.dy));
        PumpMessages();
        EXPECT_EQ(!IsWindowVisible(View().Handle()), c.closes) << c.message << " " << c.dx << " " << c.dy;
        View().Close();
    }
    EXPECT_EQ(View().Files().size(), 4u) << "the subfolder's picture among the others";
    EXPECT_EQ(View().GetColor(), form_->ProgramSettings().BgColor);
}

TEST_F(FastView, WithoutTheStoredOptionsTheDialogDecidesAndItsCancelStartsNothing) {
    form_->ProgramSettings().DefaultOptions = false;
    TFVOWin& options = *modules_->FastView().FVOWin();
    std::string title;
    bool fieldEnabled = true;
    WhenModal([&] {
        fieldEnabled = IsWindowEnabled(options.SpinEdit1.Handle());
        ClickButton(options.CancelBtn.Handle());
    });
    StartView();
    EXPECT_FALSE(IsWindowVisible(View().Handle()));
    EXPECT_FALSE(fieldEnabled);
    WhenModal([&] {
        ClickButton(options.CheckBox1.Handle());
        fieldEnabled = IsWindowEnabled(options.SpinEdit1.Handle());
        options.SpinEdit1.SetText("5");
        SendMessageW(options.OKBtn.Handle(), WM_KEYDOWN, 'Q', 0);
        title = options.Text();
        ClickButton(options.OKBtn.Handle());
    });
    StartView();
    EXPECT_TRUE(fieldEnabled);
    EXPECT_EQ(title, "81");
    EXPECT_TRUE(IsWindowVisible(View().Handle()));
    EXPECT_TRUE(View().MovieTimer.Enabled());
    EXPECT_EQ(View().MovieTimer.Interval(), 500u);
}

TEST_F(FastView, TheFilmListGoesThroughATextFileInWindows1250AndStartsSorted) {
    const std::vector<std::string> chosen = {PathOf(L"f100.bmp"), PathOf(L"žltý kôň.bmp"), PathOf(L"f10.bmp"),
                                             PathOf(L"f11.bmp")};
    form_->FileDialogRunner = [&](forms::FileDialog& d, bool save) {
        if (save)
            d.fileName = PathOf(L"zoznam.txt");
        else
            d.fileNames = chosen;
        return true;
    };
    ClickButton(Movie().Button1.Handle());
    const std::vector<std::string> sorted = {chosen[2], chosen[0], chosen[3], chosen[1]};
    ASSERT_EQ(Movie().Entries(), sorted);
    ClickButton(Movie().Button6.Handle());
    std::string expected;
    for (const std::string& path : sorted) expected += Utf8ToCp1250(path) + "\r\n";
    EXPECT_EQ(ReadRaw(dir_ / L"zoznam.txt"), expected);
    EXPECT_NE(expected.find("\x9Elt\xFD k\xF4\xF2"), std::string::npos);
    ClickButton(Movie().Button3.Handle());
    EXPECT_TRUE(Movie().Entries().empty());
    ClickButton(Movie().OKBtn.Handle());
    PumpMessages();
    EXPECT_FALSE(IsWindowVisible(View().Handle())) << "an empty list plays nothing";
    ASSERT_TRUE(Movie().LoadList(PathOf(L"zoznam.txt")));
    EXPECT_EQ(Movie().Entries(), sorted);
    Movie().FileList.SetSelected(1, true);
    Movie().FileList.SetSelected(2, true);
    ClickButton(Movie().Button2.Handle());
    EXPECT_EQ(Movie().Entries(), (std::vector<std::string>{sorted[0], sorted[3]}));
    ClickButton(Movie().OKBtn.Handle());
    PumpMessages();
    EXPECT_TRUE(IsWindowVisible(View().Handle()));
    EXPECT_EQ(View().Files(), (std::vector<std::string>{sorted[0], sorted[3]}));
    EXPECT_EQ(View().PosText.Text(), "1/2");
    EXPECT_TRUE(View().Unreadable.Visible()) << "a missing frame shows \"?\"";
    View().Close();
    ClickButton(Movie().Button3.Handle());
    ClickButton(Movie().Button4.Handle());
    std::vector<std::string> all = Movie().Entries();
    SortPictureNames(all);
    EXPECT_EQ(all, (std::vector<std::string>{PathOf(L"a.bmp"), PathOf(L"b.bmp"), PathOf(L"bad.jpg")}))
        << "every picture of the folder chosen last, none of its subfolder";
    EXPECT_TRUE(reportedErrors_.empty());
}

}  // namespace
}  // namespace kelbo::testing
