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
#include <stdexcept>
#include <thread>
#include <utility>

#include "core/text_encoding.h"
#include "temp_dir.h"

namespace kelbo {
namespace {

// The test's own thread is the user-interface thread: it runs what the worker posts.
class FakeUi : public UiExecutor {
public:
    void Post(std::function<void()> fn) override {
        std::lock_guard guard(lock_);
        queue_.push_back(std::move(fn));
        posted_.notify_all();
    }
    // Waits up to 10 s for a posted function; runs it when `run`.
    bool Next(bool run = true) {
        std::function<void()> fn;
        {
            std::unique_lock guard(lock_);
            if (!posted_.wait_for(guard, std::chrono::seconds(10), [&] { return !queue_.empty(); })) return false;
            if (!run) return true;
            fn = std::move(queue_.front());
            queue_.pop_front();
        }
        fn();
        return true;
    }
    void RunQueued() {
        while (Queued()) Next();
    }
    bool Queued() {
        std::lock_guard guard(lock_);
        return !queue_.empty();
    }

private:
    std::mutex lock_;
    std::condition_variable posted_;
    std::deque<std::function<void()>> queue_;
};

struct Panel : ThumbnailPanel {
    std::vector<std::string> events;
    int columns = 4;
    size_t actAt = 0;             // after this many events, `action` runs inside the step
    std::function<void()> action;
    void Note(std::string event) {
        events.push_back(std::move(event));
        if (events.size() == actAt && action) std::exchange(action, nullptr)();
    }
    void ClearThumbnails() override { Note("clear"); }
    int StartFill(int count) override {
        Note("start " + std::to_string(count));
        return columns;
    }
    void AddThumbnail(ThumbnailStep& s) override {
        const Size p = s.thumbnail.picture;
        Note(s.filePath + " " + std::to_string(s.count) + "/" + std::to_string(s.columns) + " " +
             (s.broken ? "broken: " + s.error : std::to_string(p.width) + "x" + std::to_string(p.height)));
    }
    void FillComplete(int count) override { Note("complete " + std::to_string(count)); }
    void WorkerStopped(std::string_view error) override {
        Note(error.empty() ? "stopped" : "stopped: " + std::string(error));
    }
};

std::atomic<int> threadsStarted{0};

ThumbnailSources FakeSources() {
    static const std::map<std::string, std::vector<std::string>> folders = {
        {"F", {"c.Bmp", "d.png", "A.jpeg", "bad.gif", "b.JPG", "e.tif", "B.ico"}}, {"G", {"x.gif", "y.bmp"}},
        {"E", {"notes.txt"}}};
    ThumbnailSources sources;
    sources.list = [](const std::string& folder) { return folders.at(folder); };
    sources.make = [](const std::string& path) {
        thread_local std::minstd_rand random(std::hash<std::string>{}(path));
        if (random() % 2) std::this_thread::yield();
        if (path.ends_with("bad.gif")) throw std::runtime_error("damaged");
        return Thumbnail{{40, 30}, Bitmap24(2, 1)};
    };
    sources.threadStart = [] { ++threadsStarted; };
    return sources;
}

const std::vector<std::string> kFillF = {
    "clear",           "start 5", "F\\A.jpeg 0/4 40x30", "F\\B.ico 1/4 40x30", "F\\b.JPG 2/4 40x30",
    "F\\bad.gif 3/4 broken: damaged", "F\\c.Bmp 4/4 40x30", "complete 5", "stopped"};
const std::vector<std::string> kFillG = {"clear", "start 2", "G\\x.gif 0/4 40x30", "G\\y.bmp 1/4 40x30",
                                         "complete 2", "stopped"};

TEST(ThumbnailWorker, FillsInOrderThenEndsAndPassesOnAStepsError) {
    const struct {
        std::string folder;
        int columns;
        size_t throwAt;
        std::vector<std::string> events;
    } cases[] = {
        {"F", 4, 0, kFillF},
        {"G", 4, 0, kFillG},
        {"E", 4, 0, {"clear", "start 0", "complete 0", "stopped"}},
        {"missing", 4, 0, {"clear", "start 0", "complete 0", "stopped"}},
        {"G", 0, 3, {"clear", "start 2", "G\\x.gif 0/1 40x30", "stopped: no window"}},
    };
    for (const auto& c : cases) {
        FakeUi ui;
        Panel panel;
        panel.columns = c.columns;
        panel.actAt = c.throwAt;
        panel.action = [] { throw std::runtime_error("no window"); };
        ThumbnailWorker worker(ui, panel, FakeSources());
        threadsStarted = 0;
        worker.ShowFolder(c.folder);
        while (worker.Running()) ASSERT_TRUE(ui.Next());
        EXPECT_EQ(panel.events, c.events) << c.folder;
        EXPECT_EQ(threadsStarted, 1);
    }
}

// Stops, restarts or destroys the worker after a random number of events,
// from inside a step or between steps: the old fill's events end there, and queued steps do nothing.
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
        if (inside) {
            panel.actAt = at;
            panel.action = halt;
        }
        while (worker && worker->Running() && (inside ? panel.action != nullptr : panel.events.size() < at)) {
            ASSERT_TRUE(ui.Next());
        }
        if (!inside) {
            // Every other time the worker is left waiting for its hand-off first.
            if (i % 4 == 0 && worker->Running()) {
                ASSERT_TRUE(ui.Next(false));
            }
            halt();
        }
        while (worker && worker->Running()) ASSERT_TRUE(ui.Next());
        ui.RunQueued();
        std::vector<std::string> expected(kFillF.begin(), kFillF.begin() + seen);
        if (wasRunning && how != 2) expected.push_back("stopped");
        if (how == 1) expected.insert(expected.end(), kFillG.begin(), kFillG.end());
        ASSERT_EQ(panel.events, expected) << "iteration " << i;
    }
}

TEST(ThumbnailWorker, ListFolderGivesEveryFileAndNoDirectory) {
    testing::TempDir dir;
    for (const char* name : {"a.BMP", ".hidden.gif", "notes.txt"}) std::ofstream(dir / name) << "x";
    std::filesystem::create_directory(dir / "sub.jpg");
    std::vector<std::string> names = ListFolder(PathToUtf8(dir.Path()));
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{".hidden.gif", "a.BMP", "notes.txt"}));
    EXPECT_TRUE(ListFolder(PathToUtf8(dir / "missing")).empty());
}

}  // namespace
}  // namespace kelbo
