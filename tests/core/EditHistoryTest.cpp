// Undo and redo give back the pixels byte for byte; the history keeps within its bound.
#include <gtest/gtest.h>

#include <random>

#include "LargeAllocations.h"
#include "PixelSupport.h"
#include "core/EditHistory.h"
#include "core/Edits.h"

using namespace edittest;
using core::Rect;

namespace {

constexpr std::int32_t kWidth = 37, kHeight = 23;
constexpr std::size_t kPictureBytes = kWidth * kHeight * 4;

// One edit as the shot window makes it: the step's memory first, then the pixels kept, then the edit.
void Edit(core::EditHistory& history, TestPicture& picture, core::Edit edit, Rect selection)
{
    const Rect area = core::EditedArea(picture.View(), selection);
    core::EditStep step = history.Prepare(area);
    history.Record(std::move(step), picture.View());
    core::ApplyEdit(edit, picture.View(), selection);
}

Rect RandomSelectionOf(std::mt19937& random)
{
    std::uniform_int_distribution<std::int32_t> x(-3, kWidth + 3), y(-3, kHeight + 3);
    const std::int32_t a = x(random), b = x(random), c = y(random), d = y(random);
    return {std::min(a, b), std::min(c, d), std::max(a, b), std::max(c, d)};
}

TEST(EditHistory, UndoingEveryEditGivesBackTheCapturedPictureAndRedoingGivesBackEachEdit)
{
    std::mt19937 random(3);
    TestPicture picture = RandomPicture(random, kWidth, kHeight);
    const TestPicture captured = picture;
    core::EditHistory history(kPictureBytes);
    EXPECT_FALSE(history.CanUndo());
    std::vector<std::vector<std::uint32_t>> after;
    const Rect selections[] = {{2, 3, 12, 9}, {-4, 10, 8, 40}, {10, 0, 30, 8}, {5, 5, 25, 12}};
    const core::Edit edits[] = {core::Edit::Mosaic, core::Edit::BlackOut, core::Edit::RedFrame, core::Edit::Mosaic};
    for (size_t i = 0; i < std::size(edits); ++i) {
        Edit(history, picture, edits[i], selections[i]);
        after.push_back(picture.pixels);
    }
    for (size_t i = std::size(edits); i-- > 0;) {
        ASSERT_TRUE(history.CanUndo());
        EXPECT_EQ(history.Undo(picture.View()), core::EditedArea(picture.View(), selections[i]));
        EXPECT_EQ(picture.pixels, i ? after[i - 1] : captured.pixels) << "after undoing edit " << i;
    }
    EXPECT_FALSE(history.CanUndo());
    EXPECT_EQ(history.Undo(picture.View()), Rect{});
    for (size_t i = 0; i < std::size(edits); ++i) {
        ASSERT_TRUE(history.CanRedo());
        history.Redo(picture.View());
        EXPECT_EQ(picture.pixels, after[i]) << "after redoing edit " << i;
    }
    EXPECT_FALSE(history.CanRedo());
    EXPECT_TRUE(picture.SparesUntouched());
}

TEST(EditHistory, ANewEditAfterAnUndoDropsTheStepsThatCouldHaveBeenRedone)
{
    std::mt19937 random(4);
    TestPicture picture = RandomPicture(random, kWidth, kHeight);
    const TestPicture captured = picture;
    core::EditHistory history(kPictureBytes);
    Edit(history, picture, core::Edit::BlackOut, {0, 0, 10, 10});
    Edit(history, picture, core::Edit::RedFrame, {5, 5, 20, 20});
    history.Undo(picture.View());
    Edit(history, picture, core::Edit::Mosaic, {8, 2, 30, 9});
    EXPECT_FALSE(history.CanRedo());
    history.Undo(picture.View());
    history.Undo(picture.View());
    EXPECT_FALSE(history.CanUndo());
    EXPECT_EQ(picture.pixels, captured.pixels);
}

TEST(EditHistory, EachStepKeepsOnlyItsRectangleAndTheOldestGoPastThePicturesBytes)
{
    std::mt19937 random(5);
    TestPicture picture = RandomPicture(random, kWidth, kHeight);
    core::EditHistory history(kPictureBytes);
    Edit(history, picture, core::Edit::BlackOut, {0, 0, 10, 4});
    EXPECT_EQ(history.Bytes(), 10u * 4u * 4u);
    Edit(history, picture, core::Edit::BlackOut, {-5, -5, 50, 50});  // the whole picture, clipped
    EXPECT_EQ(history.Bytes(), kPictureBytes);                       // the first step went
    history.Undo(picture.View());
    EXPECT_FALSE(history.CanUndo());  // the step that went cannot be undone: undo is simply greyed
    history.Redo(picture.View());
    for (int i = 0; i < 30; ++i) {
        Edit(history, picture, core::Edit::Mosaic, RandomSelectionOf(random));
        ASSERT_LE(history.Bytes(), kPictureBytes);
    }
    EXPECT_TRUE(history.CanUndo());
}

TEST(EditHistory, StepsAsLargeAsThePictureTakeTheMemoryOfTheOneThatGoesAndStillUndoRight)
{
    std::mt19937 random(7);
    TestPicture picture = RandomPicture(random, kWidth, kHeight);
    core::EditHistory history(kPictureBytes);
    const Rect whole{0, 0, kWidth, kHeight};
    Edit(history, picture, core::Edit::Mosaic, {3, 3, 20, 20});
    Edit(history, picture, core::Edit::RedFrame, whole);
    const TestPicture framed = picture;
    Edit(history, picture, core::Edit::BlackOut, whole);
    EXPECT_EQ(history.Bytes(), kPictureBytes);
    history.Undo(picture.View());
    EXPECT_EQ(picture.pixels, framed.pixels);
    EXPECT_FALSE(history.CanUndo());
    history.Redo(picture.View());
    history.Undo(picture.View());
    Edit(history, picture, core::Edit::Mosaic, whole);  // takes the memory of the step that could have been redone
    const TestPicture grey = picture;
    history.Undo(picture.View());
    EXPECT_EQ(picture.pixels, framed.pixels);
    history.Redo(picture.View());
    EXPECT_EQ(picture.pixels, grey.pixels);
    EXPECT_EQ(history.Bytes(), kPictureBytes);
}

TEST(EditHistory, TwoEditsThatFillTheLimitExactlyBothUndo)
{
    std::mt19937 random(8);
    TestPicture picture = RandomPicture(random, kWidth, kHeight);
    const TestPicture captured = picture;
    core::EditHistory history(2 * 10 * 10 * 4);
    Edit(history, picture, core::Edit::BlackOut, {0, 0, 10, 10});
    Edit(history, picture, core::Edit::Mosaic, {5, 5, 15, 15});
    EXPECT_EQ(history.Bytes(), 2u * 10u * 10u * 4u);
    history.Undo(picture.View());
    ASSERT_TRUE(history.CanUndo());
    history.Undo(picture.View());
    EXPECT_EQ(picture.pixels, captured.pixels);
}

// A large edit after an undo needs no fresh memory: the step it drops is as large as its own.
TEST(EditHistory, AnEditAfterAnUndoTakesTheMemoryOfTheDroppedStepOfItsSize)
{
    std::mt19937 random(9);
    TestPicture picture = RandomPicture(random, kWidth, kHeight);
    const TestPicture captured = picture;
    core::EditHistory history(kPictureBytes);
    constexpr std::size_t kStepBytes = 20 * 15 * 4;
    {
        const testsupport::LargeAllocations fresh(kStepBytes);
        Edit(history, picture, core::Edit::BlackOut, {0, 0, 20, 15});
        EXPECT_EQ(fresh.Count(), 1u);  // the first step takes memory of its own
    }
    Edit(history, picture, core::Edit::RedFrame, {2, 2, 8, 8});
    history.Undo(picture.View());
    history.Undo(picture.View());
    {
        const testsupport::LargeAllocations fresh(kStepBytes);
        Edit(history, picture, core::Edit::Mosaic, {17, 3, 40, 18});  // 20 x 15 in the picture
        EXPECT_EQ(fresh.Count(), 0u);
    }
    EXPECT_EQ(history.Bytes(), kStepBytes);
    history.Undo(picture.View());
    EXPECT_EQ(picture.pixels, captured.pixels);
}

// The history worked out from what it promises: every picture along the way, of which
// undo and redo walk back and forth; a new edit drops those ahead, then the oldest go while
// the steps' pixels weigh more than the limit.
class HistoryModel {
public:
    HistoryModel(const TestPicture& captured, std::size_t limit) : limit_(limit), pictures_{captured.pixels} {}

    void Edit(std::size_t bytes, const std::vector<std::uint32_t>& after)
    {
        pictures_.resize(done_ + 1);
        bytes_.resize(done_);
        pictures_.push_back(after);
        bytes_.push_back(bytes);
        ++done_;
        std::size_t total = 0;
        for (std::size_t b : bytes_)
            total += b;
        while (total > limit_ && !bytes_.empty()) {
            total -= bytes_.front();
            bytes_.erase(bytes_.begin());
            pictures_.erase(pictures_.begin());
            --done_;
        }
    }
    void Undo() { done_ -= done_ > 0 ? 1 : 0; }
    void Redo() { done_ += done_ < bytes_.size() ? 1 : 0; }
    bool CanUndo() const { return done_ > 0; }
    bool CanRedo() const { return done_ < bytes_.size(); }
    const std::vector<std::uint32_t>& Picture() const { return pictures_[done_]; }
    std::size_t Bytes() const
    {
        std::size_t total = 0;
        for (std::size_t b : bytes_)
            total += b;
        return total;
    }

private:
    std::size_t limit_;
    std::vector<std::vector<std::uint32_t>> pictures_;  // before the first step kept, then after each
    std::vector<std::size_t> bytes_;
    std::size_t done_ = 0;
};

std::size_t PixelsInPicture(Rect s)
{
    const std::int32_t w = std::min(s.right, kWidth) - std::max(s.left, 0);
    const std::int32_t h = std::min(s.bottom, kHeight) - std::max(s.top, 0);
    return w > 0 && h > 0 ? static_cast<std::size_t>(w * h) : 0;
}

TEST(EditHistory, LongRunsOfEditsUndosAndRedosKeepTheStepsThePicturesAndTheBoundItPromises)
{
    std::mt19937 random(11);
    // Selections from a few sizes, so that steps of the same size meet often.
    const Rect sizes[] = {{0, 0, 10, 10}, {0, 0, 20, 5}, {0, 0, 20, 10}, {0, 0, 37, 23}, {0, 0, 6, 6}, {0, 0, 0, 3}};
    const core::Edit edits[] = {core::Edit::BlackOut, core::Edit::Mosaic, core::Edit::RedFrame};
    for (const std::size_t limit : {std::size_t{0}, std::size_t{400}, std::size_t{1200}, std::size_t{1600},
                                    std::size_t{2000}, kPictureBytes, 3 * kPictureBytes}) {
        TestPicture picture = RandomPicture(random, kWidth, kHeight);
        core::EditHistory history(limit);
        HistoryModel model(picture, limit);
        std::uniform_int_distribution<int> action(0, 5), shiftX(-3, 27), shiftY(-3, 13);
        for (int i = 0; i < 300; ++i) {
            const int a = action(random);
            if (a < 3) {
                const Rect size = sizes[std::uniform_int_distribution<std::size_t>(0, std::size(sizes) - 1)(random)];
                const std::int32_t dx = shiftX(random), dy = shiftY(random);
                const Rect selection{size.left + dx, size.top + dy, size.right + dx, size.bottom + dy};
                Edit(history, picture, edits[a], selection);
                model.Edit(PixelsInPicture(selection) * 4, picture.pixels);
            } else if (a < 5) {
                history.Undo(picture.View());
                model.Undo();
            } else {
                history.Redo(picture.View());
                model.Redo();
            }
            ASSERT_EQ(history.CanUndo(), model.CanUndo()) << "limit " << limit << ", action " << i;
            ASSERT_EQ(history.CanRedo(), model.CanRedo()) << "limit " << limit << ", action " << i;
            ASSERT_EQ(history.Bytes(), model.Bytes()) << "limit " << limit << ", action " << i;
            ASSERT_EQ(picture.pixels, model.Picture()) << "limit " << limit << ", action " << i;
        }
        ASSERT_TRUE(picture.SparesUntouched());
    }
}

// Steps that go at the limit lend their memory to a new step of their size: the history
// never holds more than its limit plus the new step, nor asks for a fresh block it need not.
TEST(EditHistory, AtItsLimitAnEditTakesTheMemoryOfAStepOfItsSizeThatGoes)
{
    struct Row {
        const char* what;
        std::size_t limit;
        std::vector<Rect> earlier;  // selections edited first, oldest first
        std::size_t going;          // how many of them the new edit drops
        Rect edit;                  // as many pixels as one of those that go
    };
    const std::vector<Row> rows = {
        {"the oldest of three", 3 * 400, {{0, 0, 10, 10}, {8, 0, 18, 10}, {16, 0, 26, 10}}, 1, {20, 10, 30, 20}},
        {"the second oldest, both going", 1200, {{0, 0, 5, 5}, {8, 0, 18, 10}, {16, 0, 26, 15}}, 2, {20, 10, 30, 20}},
    };
    for (const Row& row : rows) {
        std::mt19937 random(12);
        TestPicture picture = RandomPicture(random, kWidth, kHeight);
        core::EditHistory history(row.limit);
        std::vector<TestPicture> after;
        for (const Rect& selection : row.earlier) {
            Edit(history, picture, core::Edit::Mosaic, selection);
            after.push_back(picture);
        }
        {
            const testsupport::LargeAllocations fresh(PixelsInPicture(row.edit) * 4);
            Edit(history, picture, core::Edit::BlackOut, row.edit);
            EXPECT_EQ(fresh.Count(), 0u) << row.what;
        }
        for (std::size_t i = row.going; i < row.earlier.size(); ++i)
            history.Undo(picture.View());
        ASSERT_TRUE(history.CanUndo()) << row.what;
        history.Undo(picture.View());
        EXPECT_FALSE(history.CanUndo()) << row.what;
        EXPECT_EQ(picture.pixels, after[row.going - 1].pixels) << row.what;
    }
}

// Once its step is prepared an edit cannot run out of memory: recording it takes none.
TEST(EditHistory, RecordingAPreparedStepTakesNoMemory)
{
    std::mt19937 random(13);
    TestPicture picture = RandomPicture(random, kWidth, kHeight);
    core::EditHistory history(kPictureBytes);
    for (int i = 0; i < 40; ++i) {
        if (i % 3 == 2) history.Undo(picture.View());
        core::EditStep step = history.Prepare(core::EditedArea(picture.View(), RandomSelectionOf(random)));
        const testsupport::LargeAllocations any(1);
        history.Record(std::move(step), picture.View());
        ASSERT_EQ(any.Count(), 0u) << "edit " << i;
    }
}

// What lets an edit that cannot get its memory leave everything as it was: the memory is
// taken first, and taking it changes nothing.
TEST(EditHistory, PreparingAStepThatIsNeverRecordedChangesNothing)
{
    std::mt19937 random(6);
    TestPicture picture = RandomPicture(random, kWidth, kHeight);
    core::EditHistory history(kPictureBytes);
    Edit(history, picture, core::Edit::BlackOut, {0, 0, 10, 10});
    history.Undo(picture.View());
    const TestPicture before = picture;
    {
        core::EditStep unused = history.Prepare({0, 0, kWidth, kHeight});
    }
    EXPECT_TRUE(history.CanRedo());
    EXPECT_FALSE(history.CanUndo());
    EXPECT_EQ(history.Bytes(), 10u * 10u * 4u);
    EXPECT_EQ(picture.pixels, before.pixels);
}

}  // namespace
