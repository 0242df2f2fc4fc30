// Progress that also shows the work advance: operations that the program
// describes column by column repaint the document every `documentEvery`
// steps and the main window every `frameEvery` (0: never). Positions may
// jump, so crossing a multiple counts.
#pragma once

#include <functional>
#include <utility>

#include "core/progress.h"

namespace kelbo {

class RepaintingProgress : public Progress {
public:
    RepaintingProgress(Progress* inner, std::function<void()> repaintDocument, std::function<void()> repaintFrame,
                       int documentEvery, int frameEvery)
        : inner_(inner),
          repaintDocument_(std::move(repaintDocument)),
          repaintFrame_(std::move(repaintFrame)),
          documentEvery_(documentEvery),
          frameEvery_(frameEvery) {}

    void SetMax(int max) noexcept override {
        last_ = 0;
        if (inner_) inner_->SetMax(max);
    }
    void SetPosition(int position) noexcept override {
        if (inner_) inner_->SetPosition(position);
        if (position <= last_) {
            last_ = position;
            return;
        }
        // A repaint that fails must not end the operation: nothing is lost by skipping it.
        try {
            if (Crossed(documentEvery_, position) && repaintDocument_) repaintDocument_();
            if (Crossed(frameEvery_, position) && repaintFrame_) repaintFrame_();
        } catch (...) {
        }
        last_ = position;
    }

private:
    bool Crossed(int every, int position) const { return every > 0 && (position + 1) / every > (last_ + 1) / every; }

    Progress* inner_;
    std::function<void()> repaintDocument_;
    std::function<void()> repaintFrame_;
    int documentEvery_;
    int frameEvery_;
    int last_ = 0;
};

}  // namespace kelbo
