// Which commands are enabled with no document, with a document, and with a
// window of another kind active.
#include <gtest/gtest.h>

#include "app/menu_state.h"
#include "forms/menu.h"
#include "main_window_fixture.h"

namespace kelbo::testing {
namespace {

TEST_F(MainWindow, WithoutDocumentsNothingWorkableIsEnabled) {
    form_->UpdateMenuItems();
    for (Command c : WorkableCommands()) EXPECT_FALSE(forms::ItemEnabled(Menu(), c)) << c;
    EXPECT_FALSE(forms::ItemEnabled(Menu(), Rchleprezeranie1));
    EXPECT_FALSE(forms::ItemEnabled(Menu(), Undokroksp1));
    EXPECT_FALSE(forms::ItemEnabled(Menu(), Redoodstrkroksp1));
    EXPECT_FALSE(form_->ToolBar1.ButtonEnabled(UndoButton));
    EXPECT_FALSE(form_->ToolBar1.ButtonEnabled(RedoButton));
    // Items outside the list keep their state.
    EXPECT_TRUE(forms::ItemEnabled(Menu(), Otvor1));
    EXPECT_TRUE(forms::ItemEnabled(Menu(), ZnenieGaussovhoumu1));
}

TEST_F(MainWindow, ADocumentMakesPicturesWorkable) {
    AddDocument(20, 10);
    for (Command c : WorkableCommands()) EXPECT_TRUE(forms::ItemEnabled(Menu(), c)) << c;
    EXPECT_FALSE(forms::ItemEnabled(Menu(), Rchleprezeranie1));
    EXPECT_FALSE(forms::ItemEnabled(Menu(), Undokroksp1)) << "a fresh document has nothing to undo";
}

TEST_F(MainWindow, ABrowserKindDisablesPicturesAndEnablesFastView) {
    AddDocument(20, 10);
    form_->ActiveKind = WindowKindId::kBrowser;
    form_->UpdateMenuItems();
    EXPECT_FALSE(forms::ItemEnabled(Menu(), Ulo1));
    EXPECT_FALSE(forms::ItemEnabled(Menu(), Negativ1));
    EXPECT_TRUE(forms::ItemEnabled(Menu(), Rchleprezeranie1));
}

TEST_F(MainWindow, UndoAndRedoFollowTheHistoryOfTheActiveDocument) {
    TChildWin& doc = AddDocument(20, 10);
    for (int i = 0; i < 3; ++i) doc.TakeUndoSnapshot();
    form_->RunCommand(Undokroksp1);
    form_->RunCommand(Undokroksp1);
    ASSERT_EQ(doc.UndoPosition(), 1);
    ASSERT_EQ(doc.UndoTop(), 4);
    EXPECT_TRUE(form_->ToolBar1.ButtonEnabled(UndoButton));
    EXPECT_TRUE(form_->ToolBar1.ButtonEnabled(RedoButton));
    EXPECT_TRUE(forms::ItemEnabled(Menu(), Undokroksp1));
    EXPECT_TRUE(forms::ItemEnabled(Menu(), Redoodstrkroksp1));
    form_->RunCommand(Redoodstrkroksp1);
    form_->RunCommand(Redoodstrkroksp1);
    EXPECT_EQ(doc.UndoPosition(), 3);  // not below 4 - 1
    EXPECT_FALSE(form_->ToolBar1.ButtonEnabled(RedoButton));
    EXPECT_FALSE(forms::ItemEnabled(Menu(), Redoodstrkroksp1));
}

TEST_F(MainWindow, ClosingTheLastDocumentDisablesPicturesAgain) {
    TChildWin& doc = AddDocument(20, 10);
    doc.Close();
    PumpMessages();
    EXPECT_EQ(form_->ChildCount(), 0);
    EXPECT_FALSE(forms::ItemEnabled(Menu(), Ulo1));
    EXPECT_EQ(form_->CurrentDocument, nullptr);
}

}  // namespace
}  // namespace kelbo::testing
