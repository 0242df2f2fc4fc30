// The six-slot history of whole-picture snapshots behind Undo and Redo.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

#include "core/bitmap24.h"
#include "core/color.h"
#include "core/pixel_format.h"

namespace kelbo {

// How Save writes the picture (the pixel format and colour table it was read
// with, or that a colour reduction chose). Kept with each snapshot, so that
// Undo of a reduction to 16 colours does not leave Save writing 16 colours.
struct SaveFormat {
    PixelFormat pixelFormat = PixelFormat::kDevice;
    Palette palette;
    friend bool operator==(const SaveFormat&, const SaveFormat&) = default;
};

class UndoHistory {
public:
    static constexpr int kSlots = 6;

    // Before every change of the picture: the states that could have been
    // redone are gone.
    void SnapshotForChange(ConstPixelView picture, const SaveFormat& format = {});

    // Steps back: the current picture is kept for Redo, then `picture`
    // becomes the earlier state, its size included. False when there is
    // nothing to undo.
    // `format`, when given, is the current one going in and the restored
    // state's coming out.
    bool Undo(Bitmap24& picture, SaveFormat* format = nullptr);
    // Steps forward again; false when there is nothing to redo.
    bool Redo(Bitmap24& picture, SaveFormat* format = nullptr);

    bool CanUndo() const { return position_ != 0; }
    bool CanRedo() const { return position_ < top_ - 1; }  // signed, as counted
    std::uint8_t Position() const { return position_; }
    std::uint8_t Top() const { return top_; }
    // For inspection: the slot's bitmap, or nullptr while it was never used.
    const Bitmap24* Slot(int index) const;

private:
    void Snapshot(ConstPixelView picture, bool forUndo, const SaveFormat& format);
    void Restore(Bitmap24& picture, SaveFormat* format) const;

    std::array<std::optional<Bitmap24>, kSlots> slots_;
    std::array<SaveFormat, kSlots> formats_;
    std::uint8_t position_ = 0;
    std::uint8_t top_ = 0;
};

}  // namespace kelbo
