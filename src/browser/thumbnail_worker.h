// The browser's worker (TBrowserThread): it lists a folder, makes one
// thumbnail per picture file and hands every change of the panel to the
// user-interface thread, waiting until it has run there, so the window stays
// usable between two files.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "browser/picture_names.h"
#include "core/bitmap24.h"
#include "core/geometry.h"

namespace kelbo {

// The names (UTF-8, without folder) of the folder's entries that are not
// directories, hidden and system files included; none when the folder cannot
// be read. A drive alone ("C:") is listed from its root.
std::vector<std::string> ListFolder(const std::string& folder);

// Runs functions on the user-interface thread. The Win32 side posts a message
// to the browser window; tests drain a queue.
class UiExecutor {
public:
    virtual ~UiExecutor() = default;
    // Queues `fn` to run once on the user-interface thread and returns at once:
    // the worker calls it while the user-interface thread may be stopping it.
    // A function dropped unrun (the window is gone) is harmless.
    virtual void Post(std::function<void()> fn) = 0;
};

// What the maker gives for one picture file.
struct Thumbnail {
    Size picture;    // PictureWidth, PictureHeight: the size as loaded
    Bitmap24 glyph;  // the thumbnail
};

// One button of a fill.
struct ThumbnailStep {
    int count = 0;         // the button's layout position (Count)
    int columns = 1;       // the fill's column count, fixed for the whole fill
    std::string name;      // the hint
    std::string filePath;  // folder + "\" + name
    Thumbnail thumbnail;
    bool broken = false;  // the maker failed: no glyph, the picture size 0 x 0
    std::string error;    // the maker's reason when broken
};

// The browser window's side of a fill; every call runs on the user-interface thread.
class ThumbnailPanel {
public:
    virtual ~ThumbnailPanel() = default;
    // ClearThumbnails: nothing when the panel has no button.
    virtual void ClearThumbnails() = 0;
    // StatusInfo's maximum := count and position 0, ButtonCount := 0; returns
    // the columns for the panel's width by the layout rule (below 1 counts as 1).
    virtual int StartFill(int count) = 0;
    // Creates the button after LastButton, places it, gives it the glyph (it
    // may move it out of `step`), shows it and advances StatusInfo by 1.
    virtual void AddThumbnail(ThumbnailStep& step) = 0;
    // ButtonCount := count, after the last button.
    virtual void FillComplete(int count) = 0;
    // StopWorker's own part (StatusInfo's position 0, repaint), after a stop or
    // at the end of a fill. `error` is why a step failed, empty when none did.
    virtual void WorkerStopped(std::string_view error) = 0;
};

// What the worker does off the user-interface thread, each on the worker thread.
struct ThumbnailSources {
    std::function<std::vector<std::string>(const std::string& folder)> list = ListFolder;
    std::function<bool(std::string_view, std::string_view)> less = PictureNameLess;
    // Reads and shrinks one file; it touches no window. An exception makes a
    // broken step. The worker's constructor throws std::invalid_argument
    // when this, `list` or `less` is empty.
    std::function<Thumbnail(const std::string& filePath)> make;
    // First thing on the thread (the Win32 side sets idle priority); may be empty.
    std::function<void()> threadStart;
};

// The browser window's Worker slot: at most one fill at a time. Every member
// is called on the user-interface thread; `ui` and `panel` outlive it.
class ThumbnailWorker {
public:
    ThumbnailWorker(UiExecutor& ui, ThumbnailPanel& panel, ThumbnailSources sources);
    // The window closes: the fill stops and the panel hears nothing more.
    ~ThumbnailWorker();
    ThumbnailWorker(const ThumbnailWorker&) = delete;
    ThumbnailWorker& operator=(const ThumbnailWorker&) = delete;

    // StopWorker, then a new fill of `folder` (no trailing backslash).
    void ShowFolder(const std::string& folder);
    // Nothing without a fill. Otherwise no step of the fill runs after this
    // returns, steps still queued do nothing, and the panel's WorkerStopped
    // follows. Never waits for a hand-off, so it may run inside a step; it
    // waits only for the worker's current file (listing or making one thumbnail).
    void StopWorker();
    bool Running() const { return fill_ != nullptr; }

private:
    struct Fill;
    // Ends the fill without telling the panel; false when there was none.
    bool Halt();
    void Ended(const std::shared_ptr<Fill>& fill, const std::string& error);

    UiExecutor& ui_;
    ThumbnailPanel& panel_;
    ThumbnailSources sources_;
    std::shared_ptr<Fill> fill_;
    std::thread thread_;
};

}  // namespace kelbo
