#include "browser/thumbnail_worker.h"

#include "browser/picture_names.h"

#include <algorithm>
#include <condition_variable>
#include <exception>
#include <filesystem>
#include <mutex>
#include <optional>
#include <stdexcept>
#include <string>
#include <system_error>
#include <utility>

#include "codecs/picture_files.h"
#include "core/text_encoding.h"

namespace kelbo {
namespace {

std::string Reason(const std::exception_ptr& error) {
    try {
        std::rethrow_exception(error);
    } catch (const std::exception& e) {
        return e.what();
    } catch (...) {
        return "Unknown error";
    }
}

}  // namespace

std::vector<std::string> ListFolder(const std::string& folder) {
    // "C:" alone is the drive's current folder, not its root.
    const std::string path = folder.size() == 2 && folder[1] == ':' ? folder + '\\' : folder;
    std::vector<std::string> names;
    std::error_code error;
    for (std::filesystem::directory_iterator it(PathFromUtf8(path), error), end; !error && it != end;
         it.increment(error)) {
        std::error_code kindError;
        if (!it->is_directory(kindError)) names.push_back(PathToUtf8(it->path().filename()));
    }
    return names;
}

// One fill, shared by the worker thread and the steps it posts: a step that
// runs after its fill was stopped finds `stopped` set and does nothing.
struct ThumbnailWorker::Fill : std::enable_shared_from_this<Fill> {
    std::mutex lock;
    std::condition_variable changed;
    bool stopped = false;
    std::string folder;
    ThumbnailSources sources;
    UiExecutor* ui = nullptr;
    ThumbnailPanel* panel = nullptr;
    ThumbnailWorker* owner = nullptr;

    bool Stopped() {
        std::lock_guard guard(lock);
        return stopped;
    }

    void Stop() {
        {
            std::lock_guard guard(lock);
            stopped = true;
        }
        changed.notify_all();
    }

    // Runs `step` on the user-interface thread and waits for it; its failure
    // is thrown here again, with the same message. False when the fill was stopped first: the step then
    // never runs, or (stopped from inside) runs on without being waited for,
    // so it owns everything it uses.
    bool Handoff(std::function<void()> step) {
        // The failure crosses as its text: an exception object shared by two
        // threads is freed by whichever lets it go last, through a count the
        // thread checker cannot see.
        struct Job {
            bool done = false;
            std::optional<std::string> error;
        };
        auto job = std::make_shared<Job>();
        if (Stopped()) return false;
        ui->Post([self = shared_from_this(), job, step = std::move(step)] {
            if (self->Stopped()) return;
            std::optional<std::string> error;
            try {
                step();
            } catch (...) {
                error = Reason(std::current_exception());
            }
            {
                std::lock_guard guard(self->lock);
                job->done = true;
                job->error = std::move(error);
            }
            self->changed.notify_all();
        });
        std::unique_lock guard(lock);
        changed.wait(guard, [&] { return job->done || stopped; });
        if (stopped) return false;
        if (job->error) throw std::runtime_error(*job->error);
        return true;
    }

    // Names of the picture files in order; none when the folder cannot be read.
    std::vector<std::string> PictureNames() {
        std::vector<std::string> names;
        try {
            names = sources.list(folder);
        } catch (...) {
            return {};
        }
        std::erase_if(names, [](const std::string& name) { return !IsPictureFile(name); });
        std::stable_sort(names.begin(), names.end(), sources.less);
        return names;
    }

    std::shared_ptr<ThumbnailStep> MakeStep(int count, int columns, const std::string& name) {
        auto step = std::make_shared<ThumbnailStep>();
        step->count = count;
        step->columns = columns;
        step->name = name;
        step->filePath = folder + '\\' + name;
        try {
            step->thumbnail = sources.make(step->filePath);
        } catch (...) {
            // A damaged picture gets a broken button; the fill goes on.
            step->thumbnail = {};
            step->broken = true;
            step->error = Reason(std::current_exception());
        }
        return step;
    }

    void Run() {
        std::string error;
        try {
            if (sources.threadStart) sources.threadStart();
            if (!Handoff([this] { panel->ClearThumbnails(); })) return;
            const std::vector<std::string> names = PictureNames();
            const int count = static_cast<int>(names.size());
            auto columns = std::make_shared<int>(1);
            if (!Handoff([this, columns, count] { *columns = std::max(1, panel->StartFill(count)); })) return;
            for (int index = 0; index < count; ++index) {
                if (Stopped()) return;
                std::shared_ptr<ThumbnailStep> step = MakeStep(index, *columns, names[index]);
                if (!Handoff([this, step] { panel->AddThumbnail(*step); })) return;
            }
            if (!Handoff([this, count] { panel->FillComplete(count); })) return;
        } catch (...) {
            error = Reason(std::current_exception());
        }
        if (Stopped()) return;
        try {
            ui->Post([self = shared_from_this(), error] {
                if (!self->Stopped()) self->owner->Ended(self, error);
            });
        } catch (...) {
            // Nowhere to report the end; the browser's StopWorker still releases the fill.
        }
    }
};

ThumbnailWorker::ThumbnailWorker(UiExecutor& ui, ThumbnailPanel& panel, ThumbnailSources sources)
    : ui_(ui), panel_(panel), sources_(std::move(sources)) {
    if (!sources_.list || !sources_.less || !sources_.make) {
        throw std::invalid_argument("the thumbnail worker needs a lister, an order and a maker");
    }
}

ThumbnailWorker::~ThumbnailWorker() { Halt(); }

void ThumbnailWorker::ShowFolder(const std::string& folder) {
    StopWorker();
    auto fill = std::make_shared<Fill>();
    fill->folder = folder;
    fill->sources = sources_;
    fill->ui = &ui_;
    fill->panel = &panel_;
    fill->owner = this;
    thread_ = std::thread([fill] { fill->Run(); });
    fill_ = std::move(fill);
}

void ThumbnailWorker::StopWorker() {
    if (Halt()) panel_.WorkerStopped({});
}

bool ThumbnailWorker::Halt() {
    if (!fill_) return false;
    // Cleared first: the panel may start the next fill from inside WorkerStopped.
    const std::shared_ptr<Fill> fill = std::move(fill_);
    std::thread thread = std::move(thread_);
    fill->Stop();
    if (thread.joinable()) thread.join();
    return true;
}

void ThumbnailWorker::Ended(const std::shared_ptr<Fill>& fill, const std::string& error) {
    if (fill != fill_ || !Halt()) return;
    panel_.WorkerStopped(error);
}

}  // namespace kelbo
