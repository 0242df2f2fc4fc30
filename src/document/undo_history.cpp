#include "document/undo_history.h"

#include <utility>

namespace kelbo {

namespace {

// Reuses the slot's memory when the size is unchanged, as slots are meant to.
void CopyInto(Bitmap24& target, ConstPixelView source) {
    if (target.Width() != source.Width() || target.Height() != source.Height())
        target = Bitmap24(source.Width(), source.Height());
    CopyPixels(target.View(), source);
}

}  // namespace

void UndoHistory::Snapshot(ConstPixelView picture, bool forUndo) {
    if (position_ > 5) {
        for (int i = 0; i < kSlots - 1; ++i) slots_[i] = std::move(slots_[i + 1]);
        slots_[kSlots - 1].reset();
        position_ = 5;
    }
    std::optional<Bitmap24>& slot = slots_[position_];
    if (!slot) slot.emplace(0, 0);
    CopyInto(*slot, picture);
    ++position_;
    if (!forUndo || position_ >= top_) top_ = position_;
}

void UndoHistory::SnapshotForChange(ConstPixelView picture) { Snapshot(picture, false); }

void UndoHistory::Restore(Bitmap24& picture) const {
    const Bitmap24& saved = *slots_[position_];
    CopyInto(picture, saved.ConstView());
}

bool UndoHistory::Undo(Bitmap24& picture) {
    if (position_ == 0) return false;
    Snapshot(picture.ConstView(), true);
    position_ = static_cast<std::uint8_t>(position_ - 2);
    Restore(picture);
    return true;
}

bool UndoHistory::Redo(Bitmap24& picture) {
    if (!CanRedo() || position_ > 5) return false;
    ++position_;
    Restore(picture);
    return true;
}

const Bitmap24* UndoHistory::Slot(int index) const {
    if (index < 0 || index >= kSlots || !slots_[index]) return nullptr;
    return &*slots_[index];
}

}  // namespace kelbo
