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

void UndoHistory::Snapshot(ConstPixelView picture, bool forUndo, const SaveFormat& format) {
    if (position_ > 5) {
        for (int i = 0; i < kSlots - 1; ++i) {
            slots_[i] = std::move(slots_[i + 1]);
            formats_[i] = std::move(formats_[i + 1]);
        }
        slots_[kSlots - 1].reset();
        formats_[kSlots - 1] = {};
        position_ = 5;
    }
    std::optional<Bitmap24>& slot = slots_[position_];
    if (!slot) slot.emplace(0, 0);
    CopyInto(*slot, picture);
    formats_[position_] = format;
    ++position_;
    if (!forUndo || position_ >= top_) top_ = position_;
}

void UndoHistory::SnapshotForChange(ConstPixelView picture, const SaveFormat& format) {
    Snapshot(picture, false, format);
}

void UndoHistory::Restore(Bitmap24& picture, SaveFormat* format) const {
    const Bitmap24& saved = *slots_[position_];
    CopyInto(picture, saved.ConstView());
    if (format) *format = formats_[position_];
}

bool UndoHistory::Undo(Bitmap24& picture, SaveFormat* format) {
    if (position_ == 0) return false;
    Snapshot(picture.ConstView(), true, format ? *format : SaveFormat{});
    position_ = static_cast<std::uint8_t>(position_ - 2);
    Restore(picture, format);
    return true;
}

bool UndoHistory::Redo(Bitmap24& picture, SaveFormat* format) {
    if (!CanRedo() || position_ > 5) return false;
    ++position_;
    Restore(picture, format);
    return true;
}

const Bitmap24* UndoHistory::Slot(int index) const {
    if (index < 0 || index >= kSlots || !slots_[index]) return nullptr;
    return &*slots_[index];
}

}  // namespace kelbo
