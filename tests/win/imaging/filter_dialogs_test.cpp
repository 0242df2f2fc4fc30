// The dialogs of the neighbourhood filters: their fields' corrections, and
// "OK" filtering the current document into a new window.
#include <gtest/gtest.h>

#include <stdexcept>
#include <windows.h>
#include <commctrl.h>

#include <memory>
#include <vector>

#include "imaging/colour/fit_preview.h"
#include "imaging/filters/ui/strength_dial.h"
#include "imaging/filters/ui/noise_dial.h"
#include "imaging/filters/ui/sobel_dial.h"
#include "imaging/ui/live_preview.h"
#include "main_window_fixture.h"
#include "modal_helpers.h"

namespace kelbo::testing {
namespace {

Color Grey(std::uint8_t v) { return Rgb(v, v, v); }

class FilterDialogs : public MainWindow {
protected:
    void SetUp() override {
        MainWindow::SetUp();
        noise_ = modules_->Filters().NoiseDial();
        filter_ = modules_->Filters().FilterDial();
        median_ = modules_->Filters().MedianDial();
        sobel_ = modules_->Filters().SobelDial();
    }

    // A document of one row of the given colours, made the current one.
    TChildWin& RowDocument(const std::vector<Color>& colours) {
        TChildWin& doc = AddDocument(static_cast<int>(colours.size()), 1);
        const PixelView view = doc.Image1.Picture()->View();
        for (size_t x = 0; x < colours.size(); ++x) view.SetPixel(static_cast<int>(x), 0, colours[x]);
        form_->CurrentDocument = &doc;
        return doc;
    }

    // The document "OK" opened, which is not `source`.
    TChildWin* Result(const TChildWin& source) {
        PumpMessages();
        TChildWin* result = form_->ActiveImageDocument();
        return result == &source ? nullptr : result;
    }

    static Color PreviewPixel(const LivePreview& preview, int x, int y) {
        return preview.Image2.Picture()->View().Pixel(x, y);
    }

    TNoiseDial* noise_ = nullptr;
    TFilterDial* filter_ = nullptr;
    TMedianDial* median_ = nullptr;
    TSobelDial* sobel_ = nullptr;
};

int UpDownMin(const forms::UpDown& u) {
    int lo = 0, hi = 0;
    SendMessageW(u.Handle(), UDM_GETRANGE32, reinterpret_cast<WPARAM>(&lo), reinterpret_cast<LPARAM>(&hi));
    return lo;
}
int UpDownMax(const forms::UpDown& u) {
    int lo = 0, hi = 0;
    SendMessageW(u.Handle(), UDM_GETRANGE32, reinterpret_cast<WPARAM>(&lo), reinterpret_cast<LPARAM>(&hi));
    return hi;
}
int TrackMin(const forms::TrackBar& t) { return static_cast<int>(SendMessageW(t.Handle(), TBM_GETRANGEMIN, 0, 0)); }
int TrackMax(const forms::TrackBar& t) { return static_cast<int>(SendMessageW(t.Handle(), TBM_GETRANGEMAX, 0, 0)); }

// The user drags the track bar to `position`.
void MoveTrackBar(const forms::Form& dialog, const forms::TrackBar& bar, int position) {
    SendMessageW(bar.Handle(), TBM_SETPOS, TRUE, position);
    SendMessageW(dialog.Handle(), WM_HSCROLL, MAKEWPARAM(TB_THUMBTRACK, position),
                 reinterpret_cast<LPARAM>(bar.Handle()));
}

// The thumbnail of a 3 x 1 picture is drawn unscaled at (0, 29): the box is
// 144 wide, so s = 48 and the offsets are 0 and Trunc((107 - 48) / 2) = 29.
constexpr int kThumbRow = 29;

TEST_F(FilterDialogs, AveragingCorrectsItsFieldOnEachTickAndPreviewsTheRadius) {
    EXPECT_EQ(filter_->Text(), "Obyčajná filtrácia");
    EXPECT_EQ(filter_->GroupBox1.Text(), "Vstupné hodnoty");
    EXPECT_EQ(filter_->Label1.Text(), "Sila filtrácie:");
    EXPECT_EQ(filter_->Edit1.Text(), "5");
    EXPECT_EQ(UpDownMin(filter_->UpDown1), 2);
    EXPECT_EQ(UpDownMax(filter_->UpDown1), 30);
    EXPECT_EQ(filter_->OKBtn.Text(), "OK");
    EXPECT_EQ(filter_->CancelBtn.Text(), "Zatvor");
    EXPECT_EQ(filter_->Preview.FastView.Text(), "Rýchle prezeranie");
    EXPECT_TRUE(filter_->Preview.FastView.Checked());
    EXPECT_EQ(filter_->Preview.Timer1.Interval(), 1500u);

    RowDocument({colors::kBlack, colors::kWhite, colors::kWhite});
    filter_->Preview.Activate(form_->Imaging());
    // Radius 5 at the black pixel: (0 + 5 * 255) div 6 = 212.
    filter_->Preview.Tick();
    EXPECT_EQ(filter_->Edit1.Text(), "5");
    EXPECT_EQ(PreviewPixel(filter_->Preview, 0, kThumbRow), Grey(212));

    filter_->Edit1.SetText("x5");
    filter_->Preview.Tick();
    EXPECT_EQ(filter_->Edit1.Text(), "0");
    EXPECT_EQ(PreviewPixel(filter_->Preview, 0, kThumbRow), colors::kBlack);
    filter_->Preview.Deactivate();
}

TEST_F(FilterDialogs, AveragingOkFiltersTheCurrentDocumentIntoANewWindow) {
    TChildWin& doc = RowDocument({colors::kBlack, colors::kWhite, colors::kBlack});
    WhenModal([this] {
        filter_->Edit1.SetText("1");
        ClickButton(filter_->OKBtn.Handle());
    });
    form_->RunCommand(Obyajnpriemerovanie1);
    TChildWin* result = Result(doc);
    ASSERT_NE(result, nullptr);
    EXPECT_EQ(result->Text(), "nepomenovaný");
    const ConstPixelView out = result->Image1.Picture()->View();
    // (0 + 255) div 2 at the ends, (0 + 255 + 0) div 3 in the middle.
    EXPECT_EQ(out.Pixel(0, 0), Grey(127));
    EXPECT_EQ(out.Pixel(1, 0), Grey(85));
    EXPECT_EQ(out.Pixel(2, 0), Grey(127));
    EXPECT_EQ(doc.Image1.Picture()->View().Pixel(1, 0), colors::kWhite);
    EXPECT_EQ(doc.UndoPosition(), 0);
}

TEST_F(FilterDialogs, ClosingADialogWithZatvorOpensNothing) {
    TChildWin& doc = RowDocument({colors::kBlack, colors::kWhite});
    const int before = form_->ChildCount();
    WhenModal([this] { ClickButton(filter_->CancelBtn.Handle()); });
    form_->RunCommand(Obyajnpriemerovanie1);
    WhenModal([this] { ClickButton(sobel_->CancelBtn.Handle()); });
    form_->RunCommand(Sobelovmopertorom1);
    PumpMessages();
    EXPECT_EQ(form_->ChildCount(), before);
    EXPECT_EQ(form_->ActiveImageDocument(), &doc);
}

TEST_F(FilterDialogs, MedianCorrectsItsFieldButPreviewsTheValueAsRead) {
    EXPECT_EQ(median_->Text(), "Filtrovanie mediánom...");
    EXPECT_EQ(median_->GroupBox1.Text(), "Vstupné hodnoty");
    EXPECT_EQ(median_->Label1.Text(), "Sila filtrácie:");
    EXPECT_EQ(median_->Edit1.Text(), "5");
    EXPECT_EQ(UpDownMin(median_->UpDown1), 2);
    EXPECT_EQ(UpDownMax(median_->UpDown1), 15);
    EXPECT_TRUE(median_->Preview.FastView.Checked());
    EXPECT_EQ(median_->Preview.Timer1.Interval(), 1000u);

    // The black pixel between two whites: radius 1 makes it white, radius 0
    // and radii above 15 leave it.
    RowDocument({colors::kWhite, colors::kBlack, colors::kWhite});
    median_->Preview.Activate(form_->Imaging());
    const auto tickWith = [this](const char* text) {
        median_->Edit1.SetText(text);
        median_->Preview.Tick();
        return PreviewPixel(median_->Preview, 1, kThumbRow);
    };
    EXPECT_EQ(tickWith("1"), colors::kWhite);
    EXPECT_EQ(median_->Edit1.Text(), "2");
    EXPECT_EQ(tickWith("abc"), colors::kBlack);
    EXPECT_EQ(median_->Edit1.Text(), "2");
    EXPECT_EQ(tickWith("25"), colors::kBlack);
    EXPECT_EQ(median_->Edit1.Text(), "18");
    EXPECT_EQ(tickWith("-3"), colors::kBlack);
    EXPECT_EQ(median_->Edit1.Text(), "2");
    EXPECT_EQ(tickWith("18"), colors::kBlack);
    EXPECT_EQ(median_->Edit1.Text(), "18");
    EXPECT_EQ(tickWith("3"), colors::kWhite);
    EXPECT_EQ(median_->Edit1.Text(), "3");
    median_->Preview.Deactivate();
}

TEST_F(FilterDialogs, MedianOkFiltersWithTheCorrectedRadius) {
    TChildWin& doc = RowDocument({Grey(10), Grey(200), Grey(30), Grey(40), Grey(50)});
    WhenModal([this] {
        median_->Edit1.SetText("1");  // below 2: filtered with 2
        ClickButton(median_->OKBtn.Handle());
    });
    form_->RunCommand(Filtrovaniemedinom1);
    TChildWin* result = Result(doc);
    ASSERT_NE(result, nullptr);
    const ConstPixelView out = result->Image1.Picture()->View();
    // Windows 10 200 30 | 10 200 30 40 | all five | 200 30 40 50 | 30 40 50,
    // each sorted and taken at (last - first) div 2.
    EXPECT_EQ(out.Pixel(0, 0), Grey(30));
    EXPECT_EQ(out.Pixel(1, 0), Grey(30));
    EXPECT_EQ(out.Pixel(2, 0), Grey(40));
    EXPECT_EQ(out.Pixel(3, 0), Grey(40));
    EXPECT_EQ(out.Pixel(4, 0), Grey(40));
}

TEST_F(FilterDialogs, SobelKeepsTrackBarAndFieldInStep) {
    EXPECT_EQ(sobel_->Text(), "Filtrovanie sobelovým operátorom...");
    EXPECT_EQ(sobel_->GroupBox1.Text(), " Rotácia matice ");
    EXPECT_EQ(sobel_->GroupBox2.Text(), " Vlastnosti filtrácie ");
    EXPECT_EQ(sobel_->CheckBox1.Text(), "Len zmena smerom dole");
    EXPECT_FALSE(sobel_->CheckBox1.Checked());
    EXPECT_EQ(sobel_->CheckBox2.Text(), "Obrátiť obrázok");
    EXPECT_TRUE(sobel_->CheckBox2.Checked());
    EXPECT_EQ(TrackMin(sobel_->TrackBar1), 1);
    EXPECT_EQ(TrackMax(sobel_->TrackBar1), 8);
    EXPECT_EQ(sobel_->TrackBar1.Position(), 1);
    EXPECT_EQ(sobel_->Edit1.Text(), "1");
    EXPECT_EQ(SendMessageW(sobel_->TrackBar1.Handle(), TBM_GETPAGESIZE, 0, 0), 1);

    MoveTrackBar(*sobel_, sobel_->TrackBar1, 5);
    EXPECT_EQ(sobel_->Edit1.Text(), "5");

    const struct {
        const char* typed;
        const char* shown;
        int position;
    } cases[] = {{"3", "3", 3}, {"abc", "1", 1}, {"0", "1", 1}, {"12", "8", 8}, {"-2", "1", 1}, {"8", "8", 8}};
    for (const auto& c : cases) {
        sobel_->Edit1.SetText(c.typed);
        EXPECT_EQ(sobel_->Edit1.Text(), c.shown) << c.typed;
        EXPECT_EQ(sobel_->TrackBar1.Position(), c.position) << c.typed;
        EXPECT_EQ(sobel_->Options().rotation, c.position) << c.typed;
    }
}

TEST_F(FilterDialogs, SobelOkOnAVerticalEdge) {
    // Columns 0 and 1 black, 2 and 3 white, three rows.
    TChildWin& doc = AddDocument(4, 3);
    const PixelView in = doc.Image1.Picture()->View();
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 2; ++x) in.SetPixel(x, y, colors::kBlack);
    form_->CurrentDocument = &doc;

    WhenModal([this] {
        sobel_->Edit1.SetText("1");
        sobel_->CheckBox2.SetChecked(false);
        ClickButton(sobel_->OKBtn.Handle());
    });
    form_->RunCommand(Sobelovmopertorom1);
    TChildWin* plain = Result(doc);
    ASSERT_NE(plain, nullptr);
    // At the edge column S = -(255 + 2 * 255 + 255), limited to 255; column 0
    // sees only black.
    const ConstPixelView out = plain->Image1.Picture()->View();
    EXPECT_EQ(out.Pixel(1, 1), colors::kWhite);
    EXPECT_EQ(out.Pixel(0, 1), colors::kBlack);

    // "Len zmena smerom dole": sums that are not all above 0 make white.
    form_->CurrentDocument = &doc;
    SendMessageW(form_->ClientHandle(), WM_MDIACTIVATE, reinterpret_cast<WPARAM>(doc.Handle()), 0);
    PumpMessages();
    WhenModal([this] {
        sobel_->CheckBox1.SetChecked(true);
        ClickButton(sobel_->OKBtn.Handle());
    });
    form_->RunCommand(Sobelovmopertorom1);
    TChildWin* down = Result(doc);
    ASSERT_NE(down, nullptr);
    ASSERT_NE(down, plain);
    EXPECT_EQ(down->Image1.Picture()->View().Pixel(0, 1), colors::kWhite);
}

TEST_F(FilterDialogs, NoiseDialogShowsTheStrengthAndFiltersOnOk) {
    EXPECT_EQ(noise_->Text(), "Odstránenie šumu");
    EXPECT_EQ(noise_->RadioGroup1.Text(), "Spôsob filtrovania");
    EXPECT_EQ(noise_->FrequencyRadio.Text(), "frekvenčná metóda");
    EXPECT_EQ(noise_->SpatialRadio.Text(), "priestorová metóda");
    EXPECT_TRUE(noise_->FrequencyRadio.Checked());
    EXPECT_FALSE(noise_->SpatialRadio.Checked());
    EXPECT_EQ(noise_->GroupBox1.Text(), "Sila filtrácie :");
    EXPECT_EQ(noise_->Label1.Text(), "minimum");
    EXPECT_EQ(noise_->Label2.Text(), "maximum");
    EXPECT_EQ(TrackMin(noise_->TrackBar1), 0);
    EXPECT_EQ(TrackMax(noise_->TrackBar1), 255);
    EXPECT_EQ(noise_->Strength(), 0);
    EXPECT_EQ(noise_->Method(), NoiseMethod::kFrequency);

    MoveTrackBar(*noise_, noise_->TrackBar1, 100);
    EXPECT_EQ(noise_->Panel1.Text(), "100");

    // White at (0, 0), black elsewhere. With the bar at 255 the limit is 0;
    // the Roberts measure there is 255, so (0, 0) takes the mean of its four
    // pixels: 255 div 4.
    TChildWin& doc = AddDocument(2, 2);
    const PixelView in = doc.Image1.Picture()->View();
    in.Fill(colors::kBlack);
    in.SetPixel(0, 0, colors::kWhite);
    form_->CurrentDocument = &doc;
    WhenModal([this] {
        MoveTrackBar(*noise_, noise_->TrackBar1, 255);
        ClickButton(noise_->OKBtn.Handle());
    });
    form_->RunCommand(Odstrenieumu1);
    TChildWin* result = Result(doc);
    ASSERT_NE(result, nullptr);
    EXPECT_EQ(result->Image1.Picture()->View().Pixel(0, 0), Grey(63));
    EXPECT_EQ(noise_->Panel1.Text(), "255");
}

TEST_F(FilterDialogs, TheResultWindowOpensFirstOnACopyAndAFailedFilterTakesItAway) {
    TChildWin& source = RowDocument({Grey(10), Grey(20), Grey(30)});
    int windowsDuring = 0;
    Color firstDuring = 0;
    form_->FilterIntoNewWindow(source, [&](ConstPixelView, PixelView target, Progress*) {
        windowsDuring = form_->ChildCount();
        firstDuring = target.Pixel(0, 0);
        target.Fill(Grey(99));
    });
    EXPECT_EQ(windowsDuring, 2) << "the window is there while the filter works";
    EXPECT_EQ(firstDuring, Grey(10)) << "it starts as a copy of the source";
    TChildWin* result = Result(source);
    ASSERT_NE(result, nullptr);
    EXPECT_EQ(result->Image1.Picture()->View().Pixel(2, 0), Grey(99));

    form_->FilterIntoNewWindow(
        source, [](ConstPixelView, PixelView, Progress*) { throw std::runtime_error("the filter failed"); });
    PumpMessages();
    EXPECT_EQ(form_->ChildCount(), 2) << "no half-made result stays";
    ASSERT_FALSE(reportedErrors_.empty());
    EXPECT_EQ(reportedErrors_.back(), "the filter failed");
}

}  // namespace
}  // namespace kelbo::testing
