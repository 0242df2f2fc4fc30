#pragma once

namespace kelbo {

// Receives the progress of a long operation, as the status bar's progress bar
// does: a maximum, positions as the work goes, and 0 again at the end.
// noexcept so that resetting from a destructor can never terminate.
class Progress {
public:
    virtual ~Progress() = default;
    virtual void SetMax(int max) noexcept = 0;
    virtual void SetPosition(int position) noexcept = 0;
};

// Starts a progress run and sets the position back to 0 on every way out,
// exceptions included. A null reporter makes every call a no-op, so operations
// take `Progress*` and need no branches of their own.
class ProgressScope {
public:
    ProgressScope(Progress* progress, int max) noexcept : progress_(progress) {
        if (progress_) progress_->SetMax(max);
    }
    ~ProgressScope() {
        if (progress_) progress_->SetPosition(0);
    }
    ProgressScope(const ProgressScope&) = delete;
    ProgressScope& operator=(const ProgressScope&) = delete;

    void Set(int position) const noexcept {
        if (progress_) progress_->SetPosition(position);
    }

private:
    Progress* progress_;
};

}  // namespace kelbo
