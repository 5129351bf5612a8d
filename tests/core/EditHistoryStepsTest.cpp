// What a history of other steps needs of the pixel edits' history: how many can be undone,
// letting go of the redo steps, and of the oldest.
#include <gtest/gtest.h>

#include "PixelSupport.h"
#include "core/EditHistory.h"
#include "core/Edits.h"

using namespace edittest;
using core::Rect;

namespace {

class EditHistorySteps : public ::testing::Test {
protected:
    TestPicture picture{9, 7};
    core::EditHistory history{9 * 7 * 4};

    void BlackOut(Rect area)
    {
        core::EditStep step = history.Prepare(area);
        history.Record(std::move(step), picture.View());
        core::BlackOut(picture.View(), area);
    }
};

TEST_F(EditHistorySteps, TheUndoCountFollowsEditsUndoAndRedo)
{
    EXPECT_EQ(history.UndoCount(), 0u);
    BlackOut({0, 0, 2, 2});
    BlackOut({3, 3, 5, 5});
    EXPECT_EQ(history.UndoCount(), 2u);
    history.Undo(picture.View());
    EXPECT_EQ(history.UndoCount(), 1u);
    history.Redo(picture.View());
    EXPECT_EQ(history.UndoCount(), 2u);
}

TEST_F(EditHistorySteps, ForgettingTheRedoStepsFreesThemAndKeepsTheRest)
{
    BlackOut({0, 0, 2, 2});
    BlackOut({3, 3, 6, 6});
    history.Undo(picture.View());
    history.ForgetRedo();
    EXPECT_FALSE(history.CanRedo());
    EXPECT_TRUE(history.CanUndo());
    EXPECT_EQ(history.Bytes(), 2u * 2u * 4u);
    history.ForgetRedo();
    EXPECT_EQ(history.UndoCount(), 1u);
}

TEST_F(EditHistorySteps, DroppingTheOldestStepLeavesTheNewerOnesToUndo)
{
    BlackOut({0, 0, 2, 2});
    BlackOut({3, 3, 6, 6});
    history.DropOldest();
    EXPECT_EQ(history.UndoCount(), 1u);
    EXPECT_EQ(history.Bytes(), 3u * 3u * 4u);
    EXPECT_EQ(history.Undo(picture.View()), (Rect{3, 3, 6, 6}));
    EXPECT_FALSE(history.CanUndo());
    // With the one left undone, dropping it leaves nothing to redo either.
    history.DropOldest();
    EXPECT_FALSE(history.CanRedo());
    EXPECT_EQ(history.UndoCount(), 0u);
    history.DropOldest();
    EXPECT_EQ(history.Bytes(), 0u);

    BlackOut({0, 0, 1, 1});
    history.DropOldest();
    EXPECT_EQ(history.UndoCount(), 0u);
    EXPECT_FALSE(history.CanUndo());
    EXPECT_FALSE(history.CanRedo());
}

}  // namespace
