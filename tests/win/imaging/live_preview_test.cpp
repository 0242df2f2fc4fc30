// The live preview redraws one interval after a change, and a preview that
// fails is reported once per change, not on every tick.
#include <gtest/gtest.h>
#include <windows.h>

#include <chrono>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "controls/host_window.h"
#include "imaging/ui/live_preview.h"

namespace kelbo::testing {
namespace {

using namespace std::chrono_literals;

class LivePreviewTest : public ::testing::Test {
protected:
    void SetUp() override {
        previous_ = forms::SetErrorReporter([this](HWND, std::string_view m) { reports.emplace_back(m); });
        picture_ = std::make_shared<forms::DibSection>(Bitmap24(40, 30, Rgb(10, 20, 30)).View());
        context_.currentPicture = [this] { return picture_; };
        preview_.Create(host_.Handle(), {0, 0, 144, 107}, {150, 0, 144, 107}, {0, 110, 150, 20}, "Rýchle prezeranie",
                        20);
    }
    void TearDown() override { forms::SetErrorReporter(std::move(previous_)); }

    HostWindow host_;
    LivePreview preview_;
    ImagingContext context_;
    std::shared_ptr<forms::DibSection> picture_;
    std::vector<std::string> reports;
    forms::ErrorReporter previous_;
};

TEST_F(LivePreviewTest, TheResultFollowsAChangeOnTheTimer) {
    preview_.Run = [](PixelView p, Progress*) { p.Fill(Rgb(200, 0, 0)); };
    preview_.Activate(context_);
    ASSERT_TRUE(PumpUntil([&] { return !preview_.OutOfDate(); }, 3000ms));
    EXPECT_EQ(preview_.Image2.Picture()->View().Pixel(10, 10), Rgb(200, 0, 0));
    EXPECT_EQ(preview_.Image1.Picture()->View().Pixel(10, 10), Rgb(10, 20, 30));  // a small picture is drawn unscaled
    preview_.Deactivate();
}

TEST_F(LivePreviewTest, AFailingPreviewIsReportedOncePerChange) {
    int runs = 0;
    preview_.Run = [&](PixelView, Progress*) {
        ++runs;
        throw std::runtime_error("náhľad zlyhal");
    };
    preview_.Activate(context_);
    PumpUntil([] { return false; }, 300ms);  // many ticks
    ASSERT_EQ(reports.size(), 1u);
    EXPECT_EQ(reports[0], "náhľad zlyhal");
    preview_.Changed();
    PumpUntil([] { return false; }, 300ms);
    EXPECT_EQ(reports.size(), 2u);
    EXPECT_EQ(runs, 2);
    preview_.Deactivate();
}

}  // namespace
}  // namespace kelbo::testing
