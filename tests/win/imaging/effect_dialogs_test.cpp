// The effect dialogs' field rules, and each kind of result: in place with and
// without an undo step, into a new window, and a refused value.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdint>
#include <string>

#include "imaging/effects/effects.h"
#include "imaging/effects/ui/effect_commands.h"
#include "main_window_fixture.h"
#include "modal_helpers.h"

namespace kelbo::testing {
namespace {

std::uint8_t Byte(int v) { return static_cast<std::uint8_t>(v & 0xFF); }

class EffectDialogs : public MainWindow {
protected:
    EffectCommands& Effects() { return modules_->Effects(); }

    // A document whose pixel (x, y) is (10x + y, 7y, 200 - x) in bytes, made the current one.
    TChildWin& Gradient(int width, int height) {
        TChildWin& doc = AddDocument(width, height);
        const PixelView view = doc.Image1.Picture()->View();
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x) view.SetPixel(x, y, Rgb(Byte(10 * x + y), Byte(7 * y), Byte(200 - x)));
        form_->CurrentDocument = &doc;
        return doc;
    }
    static Bitmap24 Copy(const TChildWin& doc) {
        Bitmap24 copy(doc.PictureSize().width, doc.PictureSize().height);
        CopyPixels(copy.View(), doc.Image1.Picture()->View());
        return copy;
    }
    void RunWithRectangles(const char* x, const char* y) {
        TRectanglize& d = *Effects().Rectanglize();
        WhenModal([&d, x, y] {
            d.Edit1.SetText(x);
            d.Edit2.SetText(y);
            ClickButton(d.OKBtn.Handle());
        });
        form_->RunCommand(Premenatvorce1);
        PumpMessages();
    }
};

TEST_F(EffectDialogs, MosaicTransparentFrameEnablesItsValueAndTheTimerCorrectsTheFields) {
    TMozaikaDial& d = *Effects().MozaikaDial();
    EXPECT_EQ(d.Text(), "Efekt \"Mozaika\"");
    EXPECT_EQ(d.Edit1.Text() + d.Edit2.Text() + d.Edit3.Text() + d.Edit4.Text(), "101010");
    EXPECT_TRUE(d.CheckBox3.Checked());
    const auto enabling = [&d] {
        return std::string{d.Label4.Enabled() ? 'L' : '-', d.Edit4.Enabled() ? 'E' : '-',
                           d.UpDown4.Enabled() ? 'U' : '-', d.CheckBox2.Enabled() ? 'S' : '-'};
    };
    EXPECT_EQ(enabling(), "---S");
    ClickButton(d.CheckBox1.Handle());
    EXPECT_EQ(enabling(), "LEU-");
    ClickButton(d.CheckBox1.Handle());
    EXPECT_EQ(enabling(), "---S");

    for (forms::Edit* edit : {&d.Edit1, &d.Edit2, &d.Edit3, &d.Edit4}) edit->SetText("x");
    d.Timer1Timer();
    EXPECT_EQ(d.Edit1.Text() + d.Edit2.Text() + d.Edit3.Text() + d.Edit4.Text(), "2210");
}

TEST_F(EffectDialogs, RoundPhotoCentresOnActivationAndRaisesAnOuterValueUnlessTyped) {
    Gradient(41, 30);
    TRoundPhoto& d = *Effects().RoundPhoto();
    std::string centre, raised, whileTyped, copied;
    WhenModal([&] {
        centre = d.Edit5.Text() + "," + d.Edit6.Text();
        d.Edit3.SetText("30");
        d.Edit4.SetFocus();
        d.Edit4.SetText("7");
        d.Timer1Timer();
        raised = d.Edit3.Text() + "," + d.Edit4.Text();
        d.Edit3.SetFocus();
        d.Edit3.SetText("");
        d.Edit2.SetText("9");
        d.Timer1Timer();
        copied = d.Edit3.Text() + "," + d.Edit4.Text();
        ClickButton(d.CancelBtn.Handle());
    });
    form_->RunCommand(Okrhlafotografia1);
    EXPECT_EQ(centre, "20,15");
    EXPECT_EQ(raised, "50,7");
    // Not a number: the inner value, even in the focused field; the other
    // outer value, no longer focused, is raised to its inner one.
    EXPECT_EQ(copied, "50,9");
}

TEST_F(EffectDialogs, EmbossChangesTheDocumentAfterAnUndoSnapshot) {
    TChildWin& doc = AddDocument(3, 3);
    const PixelView view = doc.Image1.Picture()->View();
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 3; ++x) view.SetPixel(x, y, Rgb(100, 100, 100));
    form_->RunCommand(VytlaenvzorEmboss1);
    EXPECT_EQ(view.Pixel(0, 0), Rgb(128, 128, 128));
    EXPECT_EQ(doc.UndoPosition(), 1);
    EXPECT_TRUE(doc.Modified);
}

TEST_F(EffectDialogs, RectanglesChangeTheDocumentWithoutAnUndoStep) {
    TChildWin& doc = Gradient(4, 2);
    Bitmap24 expected = Copy(doc);
    Rectanglize(expected.View(), 2, 2);
    RunWithRectangles("2", "2");
    EXPECT_TRUE(Copy(doc) == expected);
    // Red of the left cell: (0 + 1 + 10 + 11) div 4.
    EXPECT_EQ(RedOf(doc.Image1.Picture()->View().Pixel(0, 0)), 5);
    EXPECT_EQ(doc.UndoPosition(), 0);
    EXPECT_TRUE(doc.Modified);
}

TEST_F(EffectDialogs, RectanglesOfSizeZeroAreRefusedAndChangeNothing) {
    TChildWin& doc = Gradient(4, 2);
    const Bitmap24 before = Copy(doc);
    RunWithRectangles("0", "3");
    ASSERT_EQ(reportedErrors_.size(), 1u);
    EXPECT_NE(reportedErrors_[0].find("Rozmer X:"), std::string::npos);
    EXPECT_TRUE(Copy(doc) == before);
    EXPECT_EQ(doc.UndoPosition(), 0);
    EXPECT_FALSE(doc.Modified);
}

TEST_F(EffectDialogs, MosaicOpensTheMosaicOfTheSourceInANewWindow) {
    TChildWin& doc = Gradient(23, 17);
    const Bitmap24 source = Copy(doc);
    TMozaikaDial& d = *Effects().MozaikaDial();
    WhenModal([&d] {
        d.Edit1.SetText("4");
        d.Edit2.SetText("5");
        d.Edit3.SetText("2");
        ClickButton(d.OKBtn.Handle());
    });
    form_->RunCommand(Mozaika1);
    PumpMessages();
    TChildWin* result = form_->ActiveImageDocument();
    ASSERT_NE(result, &doc);
    ASSERT_NE(result, nullptr);
    EXPECT_EQ(result->Text(), "nepomenovaný");
    Bitmap24 expected(23, 17);
    Mosaic(source.View(), expected.View(), {4, 5, 2, true, false, 0, false});
    EXPECT_TRUE(Copy(*result) == expected);
    EXPECT_TRUE(Copy(doc) == source);
    EXPECT_EQ(doc.UndoPosition(), 0);
}

TEST_F(EffectDialogs, WavePreviewKeepsTheThumbnailWhenAScaledPeriodRoundsToZero) {
    Gradient(1000, 10);  // s = 144 / 1000
    TWaveDial& d = *Effects().WaveDial();
    bool same = false;
    WhenModal([&d, &same] {
        d.SpinEdit3.SetText("3");
        d.Preview.Tick();
        same = SamePixels(d.Preview.Image1.Picture()->View(), d.Preview.Image2.Picture()->View());
        ClickButton(d.CancelBtn.Handle());
    });
    form_->RunCommand(Zvlnenieobrzku1);
    EXPECT_TRUE(same);
    EXPECT_TRUE(reportedErrors_.empty());
}

}  // namespace
}  // namespace kelbo::testing
