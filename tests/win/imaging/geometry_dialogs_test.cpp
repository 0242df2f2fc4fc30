// The geometry dialogs' linked fields and choices, and their results.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "imaging/geometry/ui/geometry_commands.h"
#include "main_window_fixture.h"
#include "modal_helpers.h"

namespace kelbo::testing {
namespace {

class GeometryDialogs : public MainWindow {
protected:
    GeometryCommands& Geometry() { return modules_->Geometry(); }

    // Types `text` into a field that has the focus, as the user does.
    static void Type(forms::Edit& field, const char* text) {
        field.SetFocus();
        field.SetText(text);
    }

    Size ResultSize(const TChildWin& source) {
        PumpMessages();
        TChildWin* result = form_->ActiveImageDocument();
        if (!result || result == &source) return {};
        return result->PictureSize();
    }
};

TEST_F(GeometryDialogs, ResizeLinksItsFieldsAndResizesToThePixelFields) {
    TChildWin& doc = AddDocument(640, 480);
    TResizeDial& d = *Geometry().ResizeDial();
    std::string shown, linked;
    WhenModal([&] {
        shown = d.Edit1.Text() + " " + d.Edit2.Text() + " " + d.Edit3.Text() + " " + d.Edit4.Text();
        d.RatioBox.SetChecked(true);
        Type(d.Edit1, "320");
        linked = d.Edit2.Text() + " " + d.Edit3.Text() + " " + d.Edit4.Text();
        ClickButton(d.CancelBtn.Handle());
    });
    form_->RunCommand(Zmenavekosti1);
    EXPECT_EQ(shown, "640 480 100 100");
    EXPECT_EQ(linked, "240 50 50");
    WhenModal([&] {
        d.RatioBox.SetChecked(false);
        Type(d.Edit3, "50");
        linked = d.Edit1.Text() + " " + d.Edit2.Text() + " " + d.Edit4.Text();
        ClickButton(d.OKBtn.Handle());
    });
    form_->RunCommand(Zmenavekosti1);
    EXPECT_EQ(linked, "320 480 100");
    EXPECT_EQ(ResultSize(doc), (Size{320, 480}));
}

TEST_F(GeometryDialogs, BordersSameOnAllSidesCopiesTheTypedField) {
    TChildWin& doc = AddDocument(100, 50);
    TAddBordersDial& d = *Geometry().AddBordersDial();
    std::string emptied, copied;
    WhenModal([&] {
        ClickButton(d.Check.Handle());
        emptied = d.Edit1.Text() + "|" + d.Edit4.Text();
        Type(d.Edit4, "7");
        copied = d.Edit1.Text() + d.Edit2.Text() + d.Edit3.Text() + d.Edit4.Text();
        ClickButton(d.OKBtn.Handle());
    });
    form_->RunCommand(Pridajokraje1);
    EXPECT_EQ(emptied, "|");
    EXPECT_EQ(copied, "7777");
    EXPECT_EQ(ResultSize(doc), (Size{114, 64}));
}

TEST_F(GeometryDialogs, RotationRadioGroupFillsTheAngleAndTypingClearsIt) {
    TChildWin& doc = AddDocument(6, 4);
    TRotateDial& d = *Geometry().RotateDial();
    std::string centre, chosen, typed;
    WhenModal([&] {
        centre = d.Edit1.Text() + "," + d.Edit2.Text();
        ClickButton(d.RadioItems[1].Handle());
        chosen = d.Edit3.Text() + " " + std::to_string(d.RadioIndex());
        Type(d.Edit3, "30");
        typed = std::to_string(d.RadioIndex());
        ClickButton(d.RadioItems[1].Handle());
        ClickButton(d.OKBtn.Handle());
    });
    form_->RunCommand(Rotcia1);
    EXPECT_EQ(centre, "3,2");
    EXPECT_EQ(chosen, "90 1");
    EXPECT_EQ(typed, "-1");
    EXPECT_EQ(ResultSize(doc), (Size{4, 6}));
}

TEST_F(GeometryDialogs, MirrorTurnsTheDocumentUpsideDownWithAnUndoStep) {
    TChildWin& doc = AddDocument(2, 2);
    const PixelView view = doc.Image1.Picture()->View();
    view.SetPixel(0, 0, colors::kRed);
    form_->RunCommand(ZrkadlonaosiX1);
    PumpMessages();
    EXPECT_EQ(doc.Image1.Picture()->View().Pixel(0, 1), colors::kRed);
    EXPECT_EQ(doc.UndoPosition(), 1);
}

}  // namespace
}  // namespace kelbo::testing
