#include "document/undo_history.h"

#include <gtest/gtest.h>

namespace kelbo {
namespace {

// A 2x1 picture whose first pixel's red byte tells the state apart.
Bitmap24 State(int n, int width = 2) { return Bitmap24(width, 1, Rgb(static_cast<std::uint8_t>(n), 0, 0)); }
int StateOf(const Bitmap24& b) { return RedOf(b.Pixel(0, 0)); }

struct Document {
    Bitmap24 picture = State(0);
    UndoHistory history;
    void Change(int n) {
        history.SnapshotForChange(picture.ConstView());
        picture = State(n);
    }
};

TEST(UndoHistory, TheWorkedExampleStepByStep) {
    Document d;
    EXPECT_EQ(d.history.Position(), 0);
    EXPECT_EQ(d.history.Top(), 0);
    EXPECT_FALSE(d.history.CanUndo());
    EXPECT_FALSE(d.history.CanRedo());
    d.Change(1);
    EXPECT_EQ(d.history.Position(), 1);
    EXPECT_EQ(d.history.Top(), 1);
    EXPECT_EQ(StateOf(*d.history.Slot(0)), 0);
    EXPECT_TRUE(d.history.CanUndo());
    ASSERT_TRUE(d.history.Undo(d.picture));
    EXPECT_EQ(StateOf(*d.history.Slot(1)), 1) << "the state after the change is kept for Redo";
    EXPECT_EQ(d.history.Top(), 2);
    EXPECT_EQ(d.history.Position(), 0);
    EXPECT_EQ(StateOf(d.picture), 0);
    EXPECT_FALSE(d.history.CanUndo());
    EXPECT_TRUE(d.history.CanRedo());  // 0 < 1
    ASSERT_TRUE(d.history.Redo(d.picture));
    EXPECT_EQ(d.history.Position(), 1);
    EXPECT_EQ(StateOf(d.picture), 1);
    EXPECT_FALSE(d.history.CanRedo());  // 1 < 1 is false
    EXPECT_TRUE(d.history.CanUndo());
}

TEST(UndoHistory, SevenChangesThenFiveUndoStepsShowTheSecondChange) {
    Document d;
    for (int n = 1; n <= 7; ++n) d.Change(n);
    EXPECT_EQ(d.history.Position(), 6);
    for (int i = 0; i < 5; ++i) ASSERT_TRUE(d.history.Undo(d.picture)) << i;
    EXPECT_EQ(StateOf(d.picture), 2);
    EXPECT_FALSE(d.history.CanUndo());
    EXPECT_FALSE(d.history.Undo(d.picture));
    EXPECT_EQ(StateOf(d.picture), 2);
}

TEST(UndoHistory, AChangeAfterUndoingDisablesRedo) {
    Document d;
    for (int n = 1; n <= 3; ++n) d.Change(n);
    d.history.Undo(d.picture);
    d.history.Undo(d.picture);
    EXPECT_TRUE(d.history.CanRedo());
    d.Change(9);
    EXPECT_FALSE(d.history.CanRedo());
    EXPECT_FALSE(d.history.Redo(d.picture));
    EXPECT_EQ(StateOf(d.picture), 9);
}

TEST(UndoHistory, UndoRedoUndoReturnsToTheSamePicture) {
    Document d;
    for (int n = 1; n <= 4; ++n) d.Change(n);
    d.history.Undo(d.picture);
    EXPECT_EQ(StateOf(d.picture), 3);
    d.history.Redo(d.picture);
    EXPECT_EQ(StateOf(d.picture), 4);
    d.history.Undo(d.picture);
    EXPECT_EQ(StateOf(d.picture), 3);
    d.history.Undo(d.picture);
    EXPECT_EQ(StateOf(d.picture), 2);
    d.history.Redo(d.picture);
    d.history.Redo(d.picture);
    EXPECT_EQ(StateOf(d.picture), 4);
    EXPECT_FALSE(d.history.CanRedo());
}

TEST(UndoHistory, UndoingAResizeRestoresTheOldSize) {
    Document d;
    d.history.SnapshotForChange(d.picture.ConstView());
    d.picture = State(5, 7);  // a resize
    ASSERT_TRUE(d.history.Undo(d.picture));
    EXPECT_EQ(d.picture.Width(), 2);
    EXPECT_EQ(StateOf(d.picture), 0);
    ASSERT_TRUE(d.history.Redo(d.picture));
    EXPECT_EQ(d.picture.Width(), 7);
    EXPECT_EQ(StateOf(d.picture), 5);
}

TEST(UndoHistory, SlotsKeepTheirOwnSizesAndShiftWhenFull) {
    Document d;
    for (int n = 1; n <= 8; ++n) {
        d.history.SnapshotForChange(d.picture.ConstView());
        d.picture = State(n, n + 1);
    }
    // Slots hold the states before changes 3..8, i.e. states 2..7.
    for (int i = 0; i < UndoHistory::kSlots; ++i) {
        ASSERT_NE(d.history.Slot(i), nullptr);
        EXPECT_EQ(StateOf(*d.history.Slot(i)), i + 2);
        EXPECT_EQ(d.history.Slot(i)->Width(), i + 3);
    }
    EXPECT_EQ(d.history.Top(), 6);
}

TEST(UndoHistory, TheSaveFormatTravelsWithItsSnapshot) {
    // A 24-bit picture reduced to 4 bits, then to 1 bit; each state keeps
    // the format Save would write it in, also across the shift of a full history.
    Bitmap24 picture = State(0);
    UndoHistory history;
    SaveFormat format{PixelFormat::k24, {}};
    const SaveFormat four{PixelFormat::k4, {Rgb(0, 0, 0), Rgb(255, 255, 255)}};
    const SaveFormat one{PixelFormat::k1, {Rgb(0, 0, 0)}};
    for (int n = 1; n <= 6; ++n) {  // six plain changes fill the slots
        history.SnapshotForChange(picture.ConstView(), format);
        picture = State(n);
    }
    history.SnapshotForChange(picture.ConstView(), format);
    picture = State(7);
    format = four;
    history.SnapshotForChange(picture.ConstView(), format);
    picture = State(8);
    format = one;

    ASSERT_TRUE(history.Undo(picture, &format));
    EXPECT_EQ(StateOf(picture), 7);
    EXPECT_EQ(format, four);
    ASSERT_TRUE(history.Undo(picture, &format));
    EXPECT_EQ(StateOf(picture), 6);
    EXPECT_EQ(format, (SaveFormat{PixelFormat::k24, {}}));
    ASSERT_TRUE(history.Redo(picture, &format));
    EXPECT_EQ(StateOf(picture), 7);
    EXPECT_EQ(format, four);
}

}  // namespace
}  // namespace kelbo
