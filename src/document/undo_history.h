// The six-slot history of whole-picture snapshots behind Undo and Redo.
#pragma once

#include <array>
#include <cstdint>
#include <optional>

#include "core/bitmap24.h"

namespace kelbo {

class UndoHistory {
public:
    static constexpr int kSlots = 6;

    // Before every change of the picture: the states that could have been
    // redone are gone.
    void SnapshotForChange(ConstPixelView picture);

    // Steps back: the current picture is kept for Redo, then `picture`
    // becomes the earlier state, its size included. False when there is
    // nothing to undo.
    bool Undo(Bitmap24& picture);
    // Steps forward again; false when there is nothing to redo.
    bool Redo(Bitmap24& picture);

    bool CanUndo() const { return position_ != 0; }
    bool CanRedo() const { return position_ < top_ - 1; }  // signed, as counted
    std::uint8_t Position() const { return position_; }
    std::uint8_t Top() const { return top_; }
    // For inspection: the slot's bitmap, or nullptr while it was never used.
    const Bitmap24* Slot(int index) const;

private:
    void Snapshot(ConstPixelView picture, bool forUndo);
    void Restore(Bitmap24& picture) const;

    std::array<std::optional<Bitmap24>, kSlots> slots_;
    std::uint8_t position_ = 0;
    std::uint8_t top_ = 0;
};

}  // namespace kelbo
