#include "browser/thumbnail_worker.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <deque>
#include <fstream>
#include <map>
#include <mutex>
#include <random>
#include <sstream>
#include <tuple>
#include <stdexcept>
#include <thread>
#include <utility>

#include "core/text_encoding.h"
#include "temp_dir.h"

namespace kelbo {
namespace {

using Events = std::vector<std::string>;

Events Split(const std::string& text) {
    Events events;
    std::istringstream in(text);
    for (std::string event; std::getline(in, event, ';');) events.push_back(event);
    return events;
}

// The test's own thread is the user-interface thread: it runs what the worker posts.
struct FakeUi : UiExecutor {
    void Post(std::function<void()> fn) override {
        std::lock_guard guard(lock_);
        queue_.push_back(std::move(fn));
        posted_.notify_all();
    }
    // Waits up to `wait` for a posted function and runs it when `run`.
    bool Next(bool run = true, std::chrono::milliseconds wait = std::chrono::seconds(10)) {
        std::unique_lock guard(lock_);
        if (!posted_.wait_for(guard, wait, [&] { return !queue_.empty(); })) return false;
        if (!run) return true;
        std::function<void()> fn = std::move(queue_.front());
        queue_.pop_front();
        guard.unlock();
        fn();
        return true;
    }
    std::mutex lock_;
    std::condition_variable posted_;
    std::deque<std::function<void()>> queue_;
};

struct Panel : ThumbnailPanel {
    Events events;
    int columns = 4;
    size_t actAt = 0;  // after this many events, `action` runs inside the step
    std::function<void()> action;
    void Note(std::string event) {
        events.push_back(std::move(event));
        if (events.size() == actAt && action) std::exchange(action, nullptr)();
    }
    void ClearThumbnails() override { Note("clear"); }
    int StartFill(int count) override { return Note("start " + std::to_string(count)), columns; }
    void AddThumbnail(ThumbnailStep& s) override {
        const Size p = s.thumbnail.picture;
        Note(s.filePath + " " + std::to_string(s.count) + "/" + std::to_string(s.columns) + " " +
             (s.broken ? "broken: " + s.error : std::to_string(p.width) + "x" + std::to_string(p.height)));
    }
    void FillComplete(int count) override { Note("complete " + std::to_string(count)); }
    void WorkerStopped(std::string_view error) override { Note("stopped" + std::string(error)); }
};

std::atomic<int> threadsStarted{0};

ThumbnailSources FakeSources() {
    static const std::map<std::string, Events> folders = {
        {"F", {"c.Bmp", "d.png", "A.jpeg", "bad.gif", "b.JPG", "e.tif", "B.ico"}}, {"G", {"x.gif", "y.bmp"}}};
    ThumbnailSources sources;
    sources.list = [](const std::string& folder) {
        return folder.find('/') != std::string::npos ? ListFolder(folder) : folders.at(folder);
    };
    sources.make = [](const std::string& path) {
        thread_local std::minstd_rand random(std::hash<std::string>{}(path));
        if (random() % 2) std::this_thread::yield();
        if (path.ends_with("bad.gif")) throw std::runtime_error("damaged");
        return Thumbnail{{40, 30}, Bitmap24(2, 1)};
    };
    sources.threadStart = [] { ++threadsStarted; };
    return sources;
}

const Events kFillF = Split(
    "clear;start 5;F\\A.jpeg 0/4 40x30;F\\B.ico 1/4 40x30;F\\b.JPG 2/4 40x30;F\\bad.gif 3/4 broken: damaged;"
    "F\\c.Bmp 4/4 40x30;complete 5;stopped");
const Events kFillG = Split("clear;start 2;G\\x.gif 0/4 40x30;G\\y.bmp 1/4 40x30;complete 2;stopped");

TEST(ThumbnailWorker, FillsInOrderThenEndsAndPassesOnAStepsError) {
    testing::TempDir dir;  // a real folder: hidden files are listed, directories are not
    for (const char* name : {"a.BMP", ".hidden.gif", "notes.txt"}) std::ofstream(dir / name) << "x";
    std::filesystem::create_directory(dir / "sub.jpg");
    const std::string d = PathToUtf8(dir.Path());
    const std::tuple<std::string, int, size_t, Events> cases[] = {
        {"F", 4, 0, kFillF},
        {d, 0, 0,
         Split("clear;start 2;" + d + "\\.hidden.gif 0/1 40x30;" + d + "\\a.BMP 1/1 40x30;complete 2;stopped")},
        {d + "/missing", 4, 0, Split("clear;start 0;complete 0;stopped")},
        {"unreadable", 4, 0, Split("clear;start 0;complete 0;stopped")},
        {"G", 4, 3, Split("clear;start 2;G\\x.gif 0/4 40x30;stoppedno window")},
    };
    for (const auto& [folder, columns, throwAt, events] : cases) {
        FakeUi ui;
        Panel panel;
        panel.columns = columns;
        panel.actAt = throwAt;
        panel.action = [] { throw std::runtime_error("no window"); };
        ThumbnailWorker worker(ui, panel, FakeSources());
        threadsStarted = 0;
        worker.ShowFolder(folder);
        while (worker.Running()) ASSERT_TRUE(ui.Next());
        EXPECT_EQ(panel.events, events) << folder;
        EXPECT_EQ(threadsStarted, 1);
    }
}

// Stops, restarts or destroys the worker after a random number of events,
// from inside a step or between steps (every other time while the worker
// waits for its hand-off): the old fill's events end there, queued steps do nothing.
TEST(ThumbnailWorker, HaltsCleanlyAtAnyPoint) {
    std::mt19937 random(7);
    for (int i = 0; i < 1200; ++i) {
        FakeUi ui;
        Panel panel;
        auto worker = std::make_unique<ThumbnailWorker>(ui, panel, FakeSources());
        const int how = i % 3;  // stop, restart, destroy
        const bool inside = i % 2;
        const size_t at = std::max<size_t>(random() % (kFillF.size() + 1), inside);
        size_t seen = 0;
        bool wasRunning = false;
        auto halt = [&] {
            seen = panel.events.size();
            wasRunning = worker->Running();
            if (how == 0) worker->StopWorker();
            if (how == 1) worker->ShowFolder("G");
            if (how == 2) worker.reset();
        };
        worker->ShowFolder("F");
        if (inside) std::tie(panel.actAt, panel.action) = std::pair(at, halt);
        while (worker && worker->Running() && (inside ? panel.action != nullptr : panel.events.size() < at)) {
            ASSERT_TRUE(ui.Next());
        }
        if (!inside && i % 4 == 0 && worker->Running()) ui.Next(false);
        if (!inside) halt();
        while (worker && worker->Running()) ASSERT_TRUE(ui.Next());
        while (ui.Next(true, {})) continue;
        Events expected(kFillF.begin(), kFillF.begin() + seen);
        if (wasRunning && how != 2) expected.push_back("stopped");
        if (how == 1) expected.insert(expected.end(), kFillG.begin(), kFillG.end());
        ASSERT_EQ(panel.events, expected) << "iteration " << i;
    }
}

}  // namespace
}  // namespace kelbo
