// The two dialogs that combine pictures from files: the alpha dialog's
// fields, preview and sequence, and the arithmetic dialog's result.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <vector>

#include "codecs/bmp_writer.h"
#include "core/text_encoding.h"
#include "document/ui/child_win.h"
#include "imaging/filters/combine.h"
#include "main_window_fixture.h"
#include "modal_helpers.h"

namespace kelbo::testing {
namespace {

namespace fs = std::filesystem;

constexpr Color kFirst = Rgb(200, 100, 0);
constexpr Color kSecond = Rgb(0, 50, 250);

class CombineDialogs : public MainWindow {
protected:
    void SetUp() override {
        MainWindow::SetUp();
        alfa_ = modules_->Combining().AlfaDial();
        arit_ = modules_->Combining().AritmeticDial();
        dir_ = fs::temp_directory_path() / L"kelbo-combine-ľ";
        fs::create_directories(dir_);
        WriteBmp24(dir_ / "first.bmp", Bitmap24(6, 4, kFirst).ConstView());
        WriteBmp24(dir_ / "second.bmp", Bitmap24(5, 7, kSecond).ConstView());
        std::ofstream(dir_ / "broken.bmp") << "no picture";
        form_->FileDialogRunner = [this](forms::FileDialog& d, bool) {
            d.fileName = PathToUtf8(dir_ / chosen_);
            return true;
        };
        form_->Inform = [this](std::string_view t) { informed_.emplace_back(t); };
    }
    void TearDown() override {
        MainWindow::TearDown();
        fs::remove_all(dir_);
    }
    void Choose(const char* name, forms::Button& button) {
        chosen_ = name;
        ClickButton(button.Handle());
    }
    void LoadBoth() {
        Choose("first.bmp", alfa_->Button1);
        Choose("second.bmp", alfa_->Button2);
    }
    std::vector<TChildWin*> Documents() {
        PumpMessages();
        std::vector<TChildWin*> docs;
        for (HWND h : forms::MdiChildren(form_->ClientHandle()))
            if (auto* doc = dynamic_cast<TChildWin*>(forms::WindowFromHandle(h))) docs.push_back(doc);
        return docs;
    }
    static Color Mixed(int alpha) {
        return Rgb(AlphaMixChannel(200, 0, alpha), AlphaMixChannel(100, 50, alpha), AlphaMixChannel(0, 250, alpha));
    }

    TAlfaDial* alfa_ = nullptr;
    TAritmeticDial* arit_ = nullptr;
    fs::path dir_;
    const char* chosen_ = "";
    std::vector<std::string> informed_;
};

TEST_F(CombineDialogs, TheSequencePanelGrowsTheDialogAndEnablesItsControls) {
    EXPECT_EQ(alfa_->Text(), "Alfa miešanie...");
    EXPECT_EQ(alfa_->InfoLabel.Text(), "<0,255>");
    EXPECT_FALSE(alfa_->Edit4.Enabled());
    EXPECT_NE(GetWindowLongPtrW(alfa_->TrackBar1.Handle(), GWL_STYLE) & TBS_NOTICKS, 0);
    EXPECT_EQ(SendMessageW(alfa_->TrackBar1.Handle(), TBM_GETLINESIZE, 0, 0), 5);
    const forms::Bounds before = alfa_->GetBounds();
    ClickButton(alfa_->SequenceBtn.Handle());
    const forms::Bounds grown = alfa_->GetBounds();
    EXPECT_EQ(grown.height, before.height + 110);
    EXPECT_EQ(grown.top, before.top - 55);
    forms::Control* const panel[] = {&alfa_->Edit4, &alfa_->Edit5, &alfa_->Edit6, &alfa_->GenerateSequenceBtn};
    for (forms::Control* c : panel) EXPECT_TRUE(c->Enabled());
    ClickButton(alfa_->SequenceBtn.Handle());
    EXPECT_TRUE(alfa_->GetBounds() == before);
    EXPECT_FALSE(alfa_->Edit5.Enabled());
}

TEST_F(CombineDialogs, AlphaFieldsCorrectThemselvesAndKeepTheIntervalInOrder) {
    const struct {
        forms::Edit& edit;
        const char* typed;
        const char* shown;
    } cases[] = {{alfa_->Edit3, "300", "255"}, {alfa_->Edit3, "x", "0"},   {alfa_->Edit3, "77", "77"},
                 {alfa_->Edit5, "255", "254"}, {alfa_->Edit5, "a", "0"},   {alfa_->Edit6, "256", "255"},
                 {alfa_->Edit6, "1.5", "0"},   {alfa_->Edit5, "40", "40"}, {alfa_->Edit6, "30", "30"}};
    for (const auto& c : cases) {
        c.edit.SetText(c.typed);
        EXPECT_EQ(c.edit.Text(), c.shown) << c.typed;
    }
    EXPECT_EQ(alfa_->TrackBar1.Position(), 77);
    EXPECT_EQ(alfa_->InfoLabel.Text(), "dĺžka intervalu <40,30>\r");
    WhenModal([this] {
        ClickButton(alfa_->SequenceBtn.Handle());
        alfa_->Edit6.SetFocus();
        alfa_->Edit5.SetFocus();  // the end lost the focus: start = end - 1
        EXPECT_EQ(alfa_->Edit5.Text(), "29");
        alfa_->Edit5.SetText("50");
        alfa_->Edit6.SetFocus();  // the start lost it: end = start + 1
        EXPECT_EQ(alfa_->Edit6.Text(), "51");
        ClickButton(alfa_->SequenceBtn.Handle());
        ClickButton(alfa_->CancelBtn.Handle());
    });
    alfa_->ShowModal();
}

TEST_F(CombineDialogs, ThePreviewMixesTheCommonTopLeftRegionAndAFailedReadKeepsThePicture) {
    LoadBoth();
    const auto preview = [this](int x, int y) { return alfa_->Image3.Picture()->View().Pixel(x, y); };
    EXPECT_EQ(preview(4, 3), Mixed(128));
    EXPECT_EQ(preview(5, 0), colors::kWhite);
    EXPECT_EQ(preview(0, 4), colors::kWhite);
    const auto first = alfa_->Image1.Picture();
    Choose("broken.bmp", alfa_->Button1);
    EXPECT_EQ(alfa_->Image1.Picture(), first);
    EXPECT_EQ(reportedErrors_.size(), 1u);
    alfa_->Edit3.SetText("255");
    EXPECT_TRUE(alfa_->PreviewOutOfDate());
    alfa_->Timer1Timer();
    EXPECT_EQ(preview(0, 0), kFirst);
}

TEST_F(CombineDialogs, ASequenceOpensOneWindowPerAlphaAndACountOfZeroIsRefused) {
    LoadBoth();
    const size_t before = Documents().size();
    WhenModal([this] {
        ClickButton(alfa_->SequenceBtn.Handle());
        ClickButton(alfa_->GenerateSequenceBtn.Handle());  // count "0"
        EXPECT_EQ(reportedErrors_.size(), 1u);
        ClickButton(alfa_->HelpBtn.Handle());
        EXPECT_EQ(informed_.size(), 1u);
        alfa_->Edit4.SetText("5");
        alfa_->Edit6.SetText("255");
        ClickButton(alfa_->GenerateSequenceBtn.Handle());
    });
    form_->RunCommand(Alfamieanie1);
    const std::vector<TChildWin*> docs = Documents();
    ASSERT_EQ(docs.size(), before + 5);
    std::vector<Color> got;
    for (TChildWin* doc : docs) {
        EXPECT_EQ(doc->PictureSize(), (Size{5, 4}));
        EXPECT_EQ(doc->Text(), "nepomenovaný");
        got.push_back(doc->Image1.Picture()->View().Pixel(4, 3));
    }
    std::vector<Color> expected;
    for (int alpha : {0, 51, 102, 153, 204}) expected.push_back(Mixed(alpha));
    std::sort(got.begin(), got.end());
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(got, expected);
    EXPECT_EQ(form_->Text(), "Kelbo [nepomenovaný]");
}

TEST_F(CombineDialogs, ArithmeticCombinesTheBuiltInAndAFilePictureInTheCommonSize) {
    EXPECT_EQ(arit_->Text(), "Aritmetické funkcie");
    EXPECT_EQ(arit_->Methods[0].Text(), "sčítanie");
    EXPECT_TRUE(arit_->Methods[0].Checked());
    EXPECT_EQ(arit_->Methods[7].Text(), "priemer");
    WhenModal([this] {
        Choose("second.bmp", arit_->Button2);
        arit_->Methods[0].SetChecked(false);
        arit_->Methods[2].SetChecked(true);
        ClickButton(arit_->OKBtn.Handle());
    });
    form_->RunCommand(Aritmetickfunkcie1);
    TChildWin* result = form_->ActiveImageDocument();
    ASSERT_NE(result, nullptr);
    EXPECT_EQ(arit_->Edit2.Text(), PathToUtf8(dir_ / "second.bmp"));
    const Bitmap24 expected = Combine(arit_->Image1.Picture()->View(), arit_->Image2.Picture()->View(),
                                      CombineMethod::kDifference);
    EXPECT_EQ(expected.Width(), 5);
    EXPECT_EQ(expected.Height(), 7);
    EXPECT_TRUE(SamePixels(result->Image1.Picture()->View(), expected.View()));
    EXPECT_EQ(form_->Text(), "Kelbo [nepomenovaný]");
}

}  // namespace
}  // namespace kelbo::testing
