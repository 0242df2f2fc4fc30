// What a handler throws ends at the application's general handler instead of
// crossing Windows' message dispatch, and the program goes on.
#include <gtest/gtest.h>
#include <windows.h>

#include <chrono>
#include <stdexcept>
#include <string>
#include <vector>

#include "controls/host_window.h"
#include "forms/form.h"
#include "forms/timer.h"
#include "main_window_fixture.h"

namespace kelbo::testing {
namespace {

using namespace std::chrono_literals;

class ThrowingForm : public forms::Form {
public:
    ThrowingForm() {
        CreateForm(L"KelboThrowingForm", "skúška", {0, 0, 200, 100}, WS_OVERLAPPEDWINDOW, 0, nullptr);
        OnCommand(100, [] { throw std::runtime_error("Súbor sa nedá prečítať"); });
        OnCommand(101, [this] { ++calls; });
    }
    int calls = 0;
};

class ErrorReporting : public ::testing::Test {
protected:
    void SetUp() override {
        previous_ = forms::SetErrorReporter([this](HWND, std::string_view m) { reports.emplace_back(m); });
    }
    void TearDown() override { forms::SetErrorReporter(std::move(previous_)); }
    std::vector<std::string> reports;
    forms::ErrorReporter previous_;
};

TEST_F(ErrorReporting, AThrowingCommandIsReportedAndTheWindowGoesOn) {
    ThrowingForm form;
    EXPECT_EQ(SendMessageW(form.Handle(), WM_COMMAND, 100, 0), 0);
    ASSERT_EQ(reports.size(), 1u);
    EXPECT_EQ(reports[0], "Súbor sa nedá prečítať");
    EXPECT_TRUE(IsWindow(form.Handle()));
    SendMessageW(form.Handle(), WM_COMMAND, 101, 0);
    EXPECT_EQ(form.calls, 1);
}

TEST_F(ErrorReporting, AThrowingTimerIsReported) {
    forms::Timer timer;
    timer.SetInterval(10);
    timer.OnTimer = [&] {
        timer.SetEnabled(false);
        throw std::runtime_error("tick");
    };
    timer.SetEnabled(true);
    EXPECT_TRUE(PumpUntil([&] { return !reports.empty(); }, 3000ms));
    ASSERT_EQ(reports.size(), 1u);
    EXPECT_EQ(reports[0], "tick");
}

class ThrowingPaint : public forms::Window {
public:
    ThrowingPaint() {
        CreateHandle(L"KelboThrowingPaint", 0, WS_OVERLAPPEDWINDOW, "maľba", {40, 40, 120, 80}, nullptr, nullptr);
    }

protected:
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override {
        if (msg == WM_PAINT) throw std::runtime_error("paint");
        return Window::HandleMessage(msg, wParam, lParam);
    }
};

TEST_F(ErrorReporting, AFailedPaintIsReportedOnceNotAskedForAgainAndAgain) {
    ThrowingPaint window;
    ShowWindow(window.Handle(), SW_SHOWNOACTIVATE);
    UpdateWindow(window.Handle());
    PumpUntil([] { return false; }, 300ms);
    EXPECT_EQ(reports.size(), 1u);
}

TEST_F(ErrorReporting, AReporterThatFailsItselfIsSurvived) {
    forms::SetErrorReporter([](HWND, std::string_view) { throw std::runtime_error("the box failed too"); });
    ThrowingForm form;
    SendMessageW(form.Handle(), WM_COMMAND, 100, 0);
    SendMessageW(form.Handle(), WM_COMMAND, 101, 0);
    EXPECT_EQ(form.calls, 1);
}

TEST_F(MainWindow, WhatEscapesAHandlerGoesToTheErrorBox) {
    // The main window installs itself as the general handler: a throwing
    // handler of any window reaches the same error box as other failures.
    ThrowingForm form;
    SendMessageW(form.Handle(), WM_COMMAND, 100, 0);
    ASSERT_EQ(reportedErrors_.size(), 1u);
    EXPECT_EQ(reportedErrors_[0], "Súbor sa nedá prečítať");
}

}  // namespace
}  // namespace kelbo::testing
