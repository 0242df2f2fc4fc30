#include "controls/ui_dispatch.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <atomic>
#include <chrono>
#include <memory>
#include <stdexcept>
#include <string>
#include <thread>

#include "controls/host_window.h"

namespace kelbo::controls {
namespace {

using namespace std::chrono_literals;
using testing::PumpFor;
using testing::PumpUntil;

UiDispatcher::ErrorSink Collect(std::string& errors) {
    return [&errors](std::string_view message) { errors += std::string(message) + ";"; };
}

TEST(UiDispatcherTest, SendRunsOnTheUserInterfaceThreadAndWaits) {
    std::string errors;
    UiDispatcher ui(Collect(errors));
    const DWORD uiThread = GetCurrentThreadId();
    EXPECT_EQ(ui.ThreadId(), uiThread);
    std::atomic<int> done{0};
    DWORD ranOn = 0;
    bool sent = false;
    std::thread worker([&] {
        int step = 0;
        sent = ui.Send([&] {
            ranOn = GetCurrentThreadId();
            step = 1;
        });
        done = step == 1 ? 1 : 2;  // the step has run when Send returns
    });
    ASSERT_TRUE(PumpUntil([&] { return done != 0; }, 2000ms));
    worker.join();
    EXPECT_TRUE(sent);
    EXPECT_EQ(done, 1);
    EXPECT_EQ(ranOn, uiThread);
}

TEST(UiDispatcherTest, SendOnTheUserInterfaceThreadRunsAtOnce) {
    std::string errors;
    UiDispatcher ui(Collect(errors));
    int runs = 0;
    EXPECT_TRUE(ui.Send([&] { ++runs; }));
    EXPECT_EQ(runs, 1);
}

TEST(UiDispatcherTest, SendRethrowsInTheWorker) {
    std::string errors;
    UiDispatcher ui(Collect(errors));
    std::string caught;
    std::atomic<bool> finished{false};
    std::thread worker([&] {
        try {
            ui.Send([] { throw std::runtime_error("zle"); });
        } catch (const std::exception& e) {
            caught = e.what();
        }
        finished = true;
    });
    ASSERT_TRUE(PumpUntil([&] { return finished.load(); }, 2000ms));
    worker.join();
    EXPECT_EQ(caught, "zle");
    EXPECT_EQ(errors, "");
}

TEST(UiDispatcherTest, PostRunsLaterInOrderAndReportsErrors) {
    std::string errors;
    UiDispatcher ui(Collect(errors));
    std::string order;
    std::thread worker([&] {
        ui.Post([&] { order += "a"; });
        ui.Post([] { throw std::runtime_error("posted"); });
        ui.Post([&] { order += "b"; });
    });
    worker.join();
    EXPECT_EQ(order, "");
    ASSERT_TRUE(PumpUntil([&] { return order == "ab"; }, 2000ms));
    EXPECT_EQ(errors, "posted;");
}

TEST(UiDispatcherTest, StopRequestEndsAWaitingSendWithoutRunningIt) {
    std::string errors;
    UiDispatcher ui(Collect(errors));
    StopFlag stop;
    std::atomic<int> result{-1};
    int runs = 0;
    std::thread worker([&] { result = ui.Send([&] { ++runs; }, &stop) ? 1 : 0; });
    Sleep(50);  // queued, not run: nothing pumps
    ui.RequestStop(stop);
    EXPECT_TRUE(stop.Requested());
    worker.join();  // must not hang
    EXPECT_EQ(result, 0);
    PumpFor(50ms);
    EXPECT_EQ(runs, 0);
}

// An owner destroyed inside the step stops its worker and joins it there.
TEST(UiDispatcherTest, StopFromInsideTheStepReleasesTheWorker) {
    std::string errors;
    UiDispatcher ui(Collect(errors));
    StopFlag stop;
    std::atomic<int> result{-1};
    bool joined = false;
    std::unique_ptr<std::thread> worker;
    worker = std::make_unique<std::thread>([&] {
        result = ui.Send(
                     [&] {
                         ui.RequestStop(stop);
                         worker->join();  // would never return if Send still waited
                         joined = true;
                     },
                     &stop)
                     ? 1
                     : 0;
    });
    ASSERT_TRUE(PumpUntil([&] { return joined; }, 2000ms));
    EXPECT_EQ(result, 0);
}

TEST(UiDispatcherTest, StoppedFlagRefusesNewSends) {
    std::string errors;
    UiDispatcher ui(Collect(errors));
    StopFlag stop;
    ui.RequestStop(stop);
    int runs = 0;
    EXPECT_FALSE(ui.Send([&] { ++runs; }, &stop));  // on this thread too
    std::thread worker([&] { EXPECT_FALSE(ui.Send([&] { ++runs; }, &stop)); });
    worker.join();
    PumpFor(20ms);
    EXPECT_EQ(runs, 0);
}

TEST(UiDispatcherTest, DestroyedDispatcherReleasesWaitingWorkers) {
    std::string errors;
    auto ui = std::make_unique<UiDispatcher>(Collect(errors));
    std::atomic<int> result{-1};
    int runs = 0;
    std::thread worker([&] { result = ui->Send([&] { ++runs; }) ? 1 : 0; });
    Sleep(50);
    ui.reset();
    worker.join();
    EXPECT_EQ(result, 0);
    PumpFor(50ms);
    EXPECT_EQ(runs, 0);
}

TEST(UiDispatcherTest, StepMayDestroyItsDispatcher) {
    std::string errors;
    auto ui = std::make_unique<UiDispatcher>(Collect(errors));
    ASSERT_TRUE(ui->Post([&] { ui.reset(); }));
    ASSERT_TRUE(PumpUntil([&] { return ui == nullptr; }, 2000ms));
    PumpFor(20ms);
}

}  // namespace
}  // namespace kelbo::controls
