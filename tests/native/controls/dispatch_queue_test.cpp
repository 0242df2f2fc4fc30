#include "controls/threads/dispatch_queue.h"

#include <gtest/gtest.h>

#include <future>
#include <numeric>
#include <stdexcept>
#include <vector>

#include "controls/ui_loop.h"

namespace kelbo::controls {
namespace {

using testing::UiLoop;

TEST(DispatchQueue, RunsEveryWorkersJobsOnTheUiThreadInTheirOrder) {
    constexpr int kWorkers = 4, kJobs = 300;
    UiLoop ui;
    std::vector<std::vector<int>> seen(kWorkers);  // the user-interface thread's
    std::atomic<int> failures{0};
    std::vector<std::thread> workers;
    for (int w = 0; w < kWorkers; ++w) {
        workers.emplace_back([&, w] {
            for (int j = 0; j < kJobs; ++j) {
                const auto record = [&seen, &ui, w, j] { seen[w].push_back(ui.OnUiThread() ? j : -1); };
                int ran = -1;  // set there, read here once Send has returned
                if (j % 3 ? !ui.queue.Post(record) : !ui.queue.Send([&] { record(), ran = j; }) || ran != j) ++failures;
            }
        });
    }
    for (auto& worker : workers) worker.join();
    ui.refuseWakes = true;  // as a full message queue does: nothing is queued
    EXPECT_FALSE(ui.queue.Post([&] { seen[0].push_back(-2); }));
    EXPECT_FALSE(ui.queue.Send([&] { seen[0].push_back(-2); }));
    ui.refuseWakes = false;
    ASSERT_TRUE(ui.AwaitIdle());
    std::vector<int> expected(kJobs);
    std::iota(expected.begin(), expected.end(), 0);
    for (const auto& jobs : seen) EXPECT_EQ(jobs, expected);
    EXPECT_EQ(failures, 0);
}

// A stop or a close while a Send waits, its job still queued behind a busy
// user-interface thread or already running there: Send returns false at
// once, a queued job never runs, and a close drops the posted jobs too.
TEST(DispatchQueue, StopOrCloseReleasesAWaitingSend) {
    const struct {
        bool running, close;
        int runs;
    } cases[] = {{false, false, 2}, {false, true, 0}, {true, false, 1}, {true, true, 1}};
    for (const auto& c : cases) {
        UiLoop ui;
        StopFlag stop;
        std::atomic<int> runs{0};
        std::promise<bool> sent;
        const std::shared_future<bool> result = sent.get_future().share();
        const auto halt = [&] { c.close ? ui.queue.Close() : ui.queue.RequestStop(stop); };
        if (!c.running) {
            // Busy until the Send and two posts are queued behind it.
            ui.queue.Post([&] {
                ASSERT_TRUE(ui.Await([&] { return ui.wakes == 4; }));
                halt();
            });
        }
        std::thread sender([&] {
            sent.set_value(ui.queue.Send(
                [&, result] {
                    ++runs;
                    if (!c.running) return;
                    halt();
                    EXPECT_EQ(result.wait_for(std::chrono::seconds(10)), std::future_status::ready);
                },
                &stop));
        });
        if (!c.running) {
            ASSERT_TRUE(ui.Await([&] { return ui.wakes == 2; }));
            for (int i = 0; i < 2; ++i) ui.queue.Post([&] { ++runs; });
        }
        sender.join();
        EXPECT_FALSE(result.get());
        EXPECT_FALSE(ui.queue.Send([&] { ++runs; }, &stop));
        EXPECT_EQ(ui.queue.Send([&] {}), !c.close);
        EXPECT_EQ(ui.queue.Post([&] { ++runs; }), !c.close);
        ASSERT_TRUE(ui.AwaitIdle());
        EXPECT_EQ(runs, c.runs + !c.close) << c.running << c.close;
    }
}

TEST(DispatchQueue, SendRethrowsInTheCallerAndPostReports) {
    const struct {
        int how;  // Send from a worker, Post, Send on the user-interface thread
        bool standard;
        const char *caught, *errors;
    } cases[] = {{0, true, "zle", ""},
                 {0, false, "other", ""},
                 {1, true, "", "zle;"},
                 {1, false, "", "Unknown error;"},
                 {2, true, "zle", ""}};
    for (const auto& c : cases) {
        UiLoop ui;
        std::string caught;
        const auto fail = [&c] { c.standard ? throw std::runtime_error("zle") : throw 7; };
        const auto send = [&] {
            try {
                ui.queue.Send(fail);
            } catch (const std::exception& e) {
                caught = e.what();
            } catch (int) {
                caught = "other";
            }
        };
        if (c.how == 0) std::thread(send).join();
        ASSERT_TRUE(c.how == 0 || ui.queue.Post(c.how == 1 ? std::function<void()>(fail) : send));
        ASSERT_TRUE(ui.AwaitIdle());
        EXPECT_EQ(caught, c.caught) << c.how;
        EXPECT_EQ(ui.errors, c.errors) << c.how;
    }
}

}  // namespace
}  // namespace kelbo::controls
