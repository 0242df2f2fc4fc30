// TFastViewFrm ("Rýchle prezeranie"): the borderless full-screen window that
// shows a list of pictures one at a time, stepped by the keys or the timer,
// closed by any other input.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "browser/fast_view_keys.h"
#include "browser/ui/fast_view_dialogs.h"
#include "browser/ui/watched_view.h"
#include "codecs/picture_files.h"
#include "core/color.h"
#include "core/geometry.h"
#include "forms/controls.h"
#include "forms/form.h"
#include "forms/panel.h"
#include "forms/timer.h"

namespace kelbo {

class TFastViewFrm : public WatchedView {
public:
    // `mainWindow` gets its size back when the view closes; `codecs` reads
    // the pictures.
    TFastViewFrm(HWND mainWindow, std::function<PictureCodecs()> codecs);
    ~TFastViewFrm() override;

    forms::PictureView Image1;
    forms::Panel PathText;
    forms::Label PosText;
    forms::Label StaticText2;
    // Stands in the picture's place when its file cannot be read.
    forms::Label Unreadable;
    forms::Timer MovieTimer;

    // Shows the view over `files` (already in their order), from the first;
    // false, and nothing shown, for an empty list.
    bool Start(std::vector<std::string> files, const FastViewOptions& options);
    void ShowPicture(std::size_t index);

    const std::vector<std::string>& Files() const { return files_; }
    std::size_t Current() const { return keys_ ? keys_->Current() : 0; }
    bool AutoAdvance() const { return keys_ && keys_->AutoAdvance(); }
    // The key handler, as WM_KEYDOWN runs it; false when the key goes on.
    bool FormKeyDown(int virtualKey);
    void MovieTimerTimer();

protected:
    void FormCreate() override;
    void FormResize() override;
    void FormClose() override;
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    void Perform(const FastViewResponse& response);
    void PathTextResize();

    std::function<PictureCodecs()> codecs_;
    std::vector<std::string> files_;
    std::optional<FastViewKeys> keys_;
};

}  // namespace kelbo
