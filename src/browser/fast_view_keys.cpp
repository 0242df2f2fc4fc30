#include "browser/fast_view_keys.h"

#include <algorithm>
#include <stdexcept>

namespace kelbo {

using namespace fast_view_keys;

FastViewKeys::FastViewKeys(std::size_t fileCount, int interval, bool autoAdvance)
    : fileCount_(fileCount),
      interval_(std::clamp(interval, kMinFastViewInterval, kMaxFastViewInterval)),
      autoAdvance_(autoAdvance) {
    if (fileCount == 0) throw std::invalid_argument("the fast view needs at least one picture");
}

FastViewResponse FastViewKeys::KeyDown(int key) {
    if (key == kEscape || key == kF1) {
        autoAdvance_ = false;
        return {key == kEscape ? FastViewAction::kClose : FastViewAction::kShowHelp, false};
    }
    if ((key == kNumPadPlus || key == kPlus) && interval_ > kMinFastViewInterval) {
        --interval_;
        return {FastViewAction::kChangeInterval};
    }
    if ((key == kNumPadMinus || key == kMinus) && interval_ < kMaxFastViewInterval) {
        ++interval_;
        return {FastViewAction::kChangeInterval};
    }
    if (key != kDown && autoAdvance_) {
        autoAdvance_ = false;
        return {FastViewAction::kStopAdvance};
    }
    if (key == kEnd || key == kHome || key == kInsert || key == kUp) {
        autoAdvance_ = true;
        return {FastViewAction::kStartAdvance};
    }
    if (key == kBackspace) {
        current_ = current_ == 0 ? fileCount_ - 1 : current_ - 1;
    } else {
        current_ = current_ + 1 >= fileCount_ ? 0 : current_ + 1;
    }
    return {FastViewAction::kShowPicture};
}

}  // namespace kelbo
