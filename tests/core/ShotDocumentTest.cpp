// One history of marks and pixel edits: undone and redone in order, back to the captured
// picture byte for byte; marks hidden with the pixels they lie over; within the memory bound.
#include <gtest/gtest.h>

#include <functional>
#include <new>
#include <random>
#include <utility>

#include "GlyphFake.h"
#include "LargeAllocations.h"
#include "PixelSupport.h"
#include "core/ShotDocument.h"

using namespace edittest;
using core::Mark;
using core::Point;
using core::Rect;

namespace {

constexpr std::int32_t kWidth = 61, kHeight = 43;
constexpr std::size_t kPictureBytes = kWidth * kHeight * 4;
const core::MarkStyle kRed{0xFF0000, 4};

struct State {
    std::vector<std::uint32_t> pixels;
    std::vector<Mark> marks;
    bool operator==(const State&) const = default;
};

State StateOf(const TestPicture& picture, const core::ShotDocument& document)
{
    return {picture.pixels, document.Marks().All()};
}

TEST(ShotDocument, UndoingMixedStepsGivesBackEachStateAndTheCapturedPictureByteForByte)
{
    std::mt19937 random(19);
    TestPicture picture = RandomPicture(random, kWidth, kHeight);
    core::ShotDocument document(4 * kPictureBytes);  // room for every step
    const marktest::BlockGlyphs glyphs;
    std::vector<State> states{StateOf(picture, document)};
    const auto step = [&](Rect changed) {
        EXPECT_FALSE(changed.Empty()) << "step " << states.size();
        states.push_back(StateOf(picture, document));
    };
    step(document.Place(core::ArrowMark({2, 2}, {40, 30}, kRed)));
    step(document.Place(core::BoxMark({30, 5}, {55, 20}, kRed)));
    step(document.ApplyEdit(core::Edit::BlackOut, {0, 30, 20, 43}, picture.View(), glyphs));
    step(document.Move(1, -4, 9));
    step(document.Place(core::NumberMark({10, 35}, document.Marks().NextNumber(), kRed)));
    step(document.ApplyEdit(core::Edit::Mosaic, {25, 10, 45, 25}, picture.View(), glyphs));  // takes the arrow and box in
    step(document.Restyle(0, {0x00FF00, 8}, glyphs));
    step(document.ApplyEdit(core::Edit::RedFrame, {-5, -5, 30, 30}, picture.View(), glyphs));
    step(document.Place(core::TextMark({5, 5}, u"\u65e5\u672c", {24, 24}, kRed)));
    step(document.Delete(0));
    step(document.Place(core::HighlighterMark({0, 0}, {61, 10}, core::DefaultStyle(core::MarkKind::Highlighter))));
    ASSERT_EQ(states.size(), 12u);
    EXPECT_NE(states[5].marks, states[6].marks);
    EXPECT_EQ(document.Revision(), 11u);
    EXPECT_EQ(document.PixelRevision(), 3u) << "the black-out, the mosaic and the red frame";
    for (size_t i = states.size() - 1; i-- > 0;) {
        ASSERT_TRUE(document.CanUndo());
        EXPECT_FALSE(document.Undo(picture.View()).Empty());
        ASSERT_EQ(StateOf(picture, document), states[i]) << "after undoing step " << i + 1;
    }
    EXPECT_FALSE(document.CanUndo());
    EXPECT_EQ(document.Undo(picture.View()), Rect{});
    for (size_t i = 1; i < states.size(); ++i) {
        ASSERT_TRUE(document.CanRedo());
        document.Redo(picture.View());
        ASSERT_EQ(StateOf(picture, document), states[i]) << "after redoing step " << i;
    }
    EXPECT_FALSE(document.CanRedo());
    EXPECT_EQ(document.Redo(picture.View()), Rect{});
    EXPECT_EQ(document.Revision(), 33u) << "each step made, undone and redone";
    EXPECT_EQ(document.PixelRevision(), 9u);
    EXPECT_TRUE(picture.SparesUntouched());
}

TEST(ShotDocument, ABlackOutDrawsTheMarksOverTheSelectionIntoThePixelsAndTakesThemFromTheList)
{
    TestPicture picture(kWidth, kHeight);
    for (std::uint32_t& p : picture.pixels)
        p = 0xFFFFFF;
    const TestPicture captured = picture;
    core::ShotDocument document(kPictureBytes);
    const marktest::BlockGlyphs glyphs;
    document.Place(core::BoxMark({10, 10}, {50, 30}, {0xFF0000, 2}));  // reaches into the selection
    document.Place(core::NumberMark({55, 5}, 1, kRed));                // does not
    const Rect changed = document.ApplyEdit(core::Edit::BlackOut, {5, 20, 20, 40}, picture.View(), glyphs);
    EXPECT_EQ(changed, (Rect{5, 10, 50, 40}));
    ASSERT_EQ(document.Marks().Count(), 1u);
    EXPECT_EQ(document.Marks()[0].kind, core::MarkKind::Number);
    for (std::int32_t y = 0; y < kHeight; ++y)
        for (std::int32_t x = 0; x < kWidth; ++x) {
            const bool black = Inside({5, 20, 20, 40}, x, y);
            const bool outline = Inside({10, 10, 50, 30}, x, y) && !Inside({12, 12, 48, 28}, x, y);
            ASSERT_EQ(picture.At(x, y), black ? 0x000000u : outline ? 0xFF0000u : 0xFFFFFFu) << x << ", " << y;
        }
    document.Undo(picture.View());
    EXPECT_EQ(picture.pixels, captured.pixels);
    ASSERT_EQ(document.Marks().Count(), 2u);
    EXPECT_EQ(document.Marks()[0].kind, core::MarkKind::Box);
}

TEST(ShotDocument, AMosaicOverAMarkHidesItAsIfItWereNeverThere)
{
    std::mt19937 random(7);
    const TestPicture original = RandomPicture(random, kWidth, kHeight);
    const marktest::BlockGlyphs glyphs;
    const Rect selection{10, 8, 50, 35};
    TestPicture plain = original;
    core::ShotDocument without(kPictureBytes);
    without.ApplyEdit(core::Edit::Mosaic, selection, plain.View(), glyphs);
    TestPicture marked = original;
    core::ShotDocument with(kPictureBytes);
    // Both wholly inside, so that the pixels around the selection are the same in both.
    with.Place(core::TextMark({15, 12}, u"sec", {27, 18}, {0xFF0000, 2}));
    with.Place(core::NumberMark({30, 21}, 1, {0xFF0000, 2}));
    with.ApplyEdit(core::Edit::Mosaic, selection, marked.View(), glyphs);
    EXPECT_EQ(with.Marks().Count(), 0u);
    for (std::int32_t y = selection.top; y < selection.bottom; ++y)
        for (std::int32_t x = selection.left; x < selection.right; ++x)
            ASSERT_EQ(marked.At(x, y), plain.At(x, y)) << x << ", " << y;
}

TEST(ShotDocument, ARedFrameLeavesTheMarksAsMarks)
{
    TestPicture picture(kWidth, kHeight);
    core::ShotDocument document(kPictureBytes);
    const marktest::BlockGlyphs glyphs;
    document.Place(core::ArrowMark({0, 0}, {30, 30}, kRed));
    document.ApplyEdit(core::Edit::RedFrame, {0, 0, 40, 40}, picture.View(), glyphs);
    EXPECT_EQ(document.Marks().Count(), 1u);
}

TEST(ShotDocument, AnEditWhollyOutsideThePictureChangesNothing)
{
    TestPicture picture(kWidth, kHeight);
    core::ShotDocument document(kPictureBytes);
    const marktest::BlockGlyphs glyphs;
    document.Place(core::BoxMark({-30, -30}, {-10, -10}, kRed));
    EXPECT_EQ(document.ApplyEdit(core::Edit::BlackOut, {-40, -40, -1, -1}, picture.View(), glyphs), Rect{});
    EXPECT_EQ(document.Marks().Count(), 1u);
    document.Undo(picture.View());
    EXPECT_FALSE(document.CanUndo());
}

TEST(ShotDocument, MarksThatPlaceNothingAndChangesThatChangeNothingMakeNoStep)
{
    core::ShotDocument document(kPictureBytes);
    const marktest::BlockGlyphs glyphs;
    EXPECT_EQ(document.Place(core::ArrowMark({4, 4}, {4, 4}, kRed)), Rect{});
    EXPECT_EQ(document.Place(core::BoxMark({4, 4}, {9, 4}, kRed)), Rect{});
    EXPECT_EQ(document.Place(core::TextMark({4, 4}, u"", {0, 0}, kRed)), Rect{});
    EXPECT_FALSE(document.CanUndo());
    EXPECT_EQ(document.Revision(), 0u) << "nothing changed";
    document.Place(core::BoxMark({4, 4}, {9, 9}, kRed));
    TestPicture picture(kWidth, kHeight);
    document.Undo(picture.View());
    document.Redo(picture.View());
    EXPECT_EQ(document.Revision(), 3u) << "a step, its undo and its redo each change the document";
    EXPECT_EQ(document.PixelRevision(), 0u) << "none of them the pixels";
    document.Redo(picture.View());
    EXPECT_EQ(document.Move(0, 0, 0), Rect{});
    EXPECT_EQ(document.Restyle(0, kRed, glyphs), Rect{});
    EXPECT_EQ(document.Move(1, 5, 5), Rect{});
    EXPECT_EQ(document.Delete(1), Rect{});
    EXPECT_EQ(document.Restyle(3, kRed, glyphs), Rect{});
    EXPECT_EQ(document.Restyle(1, kRed, glyphs), Rect{});  // one past the last
    EXPECT_EQ(document.Replace(1, core::BoxMark({1, 1}, {5, 5}, kRed)), Rect{});
    EXPECT_EQ(document.Replace(2, core::BoxMark({1, 1}, {5, 5}, kRed)), Rect{});
    EXPECT_EQ(document.Revision(), 3u) << "a redo with nothing to redo and changes of nothing";
    document.Undo(picture.View());
    EXPECT_FALSE(document.CanUndo());
}

TEST(ShotDocument, AMoveGivesBackWhereTheMarkWasAndWhereItIs)
{
    core::ShotDocument document(kPictureBytes);
    document.Place(core::BoxMark({4, 4}, {9, 9}, kRed));
    EXPECT_EQ(document.Move(0, 10, 2), (Rect{4, 4, 19, 11}));
    EXPECT_EQ(document.Marks()[0], core::BoxMark({14, 6}, {19, 11}, kRed));
}

TEST(ShotDocument, ATextTypedEmptyAgainIsDropped)
{
    core::ShotDocument document(kPictureBytes);
    document.Place(core::TextMark({4, 4}, u"a", {12, 24}, kRed));
    Mark emptied = document.Marks()[0];
    emptied.text.clear();
    EXPECT_FALSE(document.Replace(0, emptied).Empty());
    EXPECT_EQ(document.Marks().Count(), 0u);
    TestPicture picture(kWidth, kHeight);
    document.Undo(picture.View());
    EXPECT_EQ(document.Marks()[0].text, u"a");
}

TEST(ShotDocument, ATextGivenAnotherWidthTakesItsSize)
{
    core::ShotDocument document(kPictureBytes);
    const marktest::BlockGlyphs glyphs;
    Mark text = core::TextMark({4, 4}, u"ab\nc", {0, 0}, kRed);
    core::FitText(text, glyphs);
    document.Place(text);
    EXPECT_EQ(document.Marks()[0].b, (Point{28, 52}));
    document.Restyle(0, {0x0000FF, 8}, glyphs);
    EXPECT_EQ(document.Marks()[0].b, (Point{40, 76}));
    EXPECT_EQ(document.Marks()[0].style, (core::MarkStyle{0x0000FF, 8}));
}

TEST(ShotDocument, ANewStepAfterAnUndoDropsWhatCouldHaveBeenRedoneOfBothKinds)
{
    std::mt19937 random(5);
    TestPicture picture = RandomPicture(random, kWidth, kHeight);
    const TestPicture captured = picture;
    core::ShotDocument document(kPictureBytes);
    const marktest::BlockGlyphs glyphs;
    document.ApplyEdit(core::Edit::BlackOut, {0, 0, 30, 30}, picture.View(), glyphs);
    document.Place(core::BoxMark({1, 1}, {9, 9}, kRed));
    document.Undo(picture.View());
    document.Undo(picture.View());
    EXPECT_EQ(picture.pixels, captured.pixels);
    document.Place(core::NumberMark({3, 3}, 1, kRed));
    EXPECT_FALSE(document.CanRedo());
    EXPECT_EQ(document.PixelBytes(), 0u);  // the black-out's pixels are let go
    document.ApplyEdit(core::Edit::Mosaic, {10, 10, 20, 20}, picture.View(), glyphs);
    document.Undo(picture.View());
    document.Undo(picture.View());
    EXPECT_FALSE(document.CanUndo());
    EXPECT_EQ(picture.pixels, captured.pixels);
    EXPECT_EQ(document.Marks().Count(), 0u);
}

TEST(ShotDocument, PastThePicturesBytesTheOldestStepsGoAndWhatIsLeftStillUndoesRight)
{
    std::mt19937 random(11);
    TestPicture picture = RandomPicture(random, kWidth, kHeight);
    core::ShotDocument document(kPictureBytes);
    const marktest::BlockGlyphs glyphs;
    std::vector<State> states{StateOf(picture, document)};
    // Each black-out keeps half the picture: only the last two fit.
    for (int i = 0; i < 5; ++i) {
        document.Place(core::NumberMark({5 * i, 40}, i + 1, kRed));
        states.push_back(StateOf(picture, document));
        document.ApplyEdit(core::Edit::BlackOut, {0, 0, kWidth, kHeight / 2 + (i % 2)}, picture.View(), glyphs);
        states.push_back(StateOf(picture, document));
        picture.At(0, 0) = static_cast<std::uint32_t>(i);  // pixels the black-out keeps differ
        ASSERT_LE(document.PixelBytes(), kPictureBytes);
    }
    size_t undone = 0;
    while (document.CanUndo()) {
        picture.At(0, 0) = 0;
        document.Undo(picture.View());
        ++undone;
        EXPECT_EQ(document.Marks().All(), states[states.size() - 1 - undone].marks) << undone;
    }
    EXPECT_GE(undone, 3u);
    EXPECT_LT(undone, 10u);
}

TEST(ShotDocument, MarkStepsKeepWithinTheBoundToo)
{
    const std::size_t limit = 64 * 1024;
    core::ShotDocument document(limit);
    const std::u16string tenThousand(10000, u'x');
    for (int i = 0; i < 20; ++i) {
        document.Place(core::TextMark({i, i}, tenThousand, {120000, 24}, kRed));
        ASSERT_LE(document.MarkBytes(), limit);
    }
    EXPECT_EQ(document.Marks().Count(), 20u);
    TestPicture picture(1, 1);
    size_t undone = 0;
    while (document.Undo(picture.View()) != Rect{})
        ++undone;
    EXPECT_GE(undone, 2u);
    EXPECT_LT(undone, 20u);
    EXPECT_EQ(document.Marks().Count(), 20u - undone);
}

TEST(ShotDocument, AnEditPushedOutByMarkStepsGoesWithItsPixels)
{
    std::mt19937 random(2);
    TestPicture picture = RandomPicture(random, kWidth, kHeight);
    const marktest::BlockGlyphs glyphs;
    core::ShotDocument document(kPictureBytes);
    document.ApplyEdit(core::Edit::BlackOut, {0, 0, 10, 10}, picture.View(), glyphs);
    const std::vector<std::uint32_t> blackedOut = picture.pixels;
    // Marks of a third of the bound each: the black-out is the oldest step and goes first.
    const std::u16string text(kPictureBytes / 6, u'x');
    for (int i = 0; i < 3; ++i)
        document.Place(core::TextMark({i, i}, text, {10, 10}, kRed));
    EXPECT_EQ(document.PixelBytes(), 0u);
    size_t undone = 0;
    while (document.CanUndo()) {
        document.Undo(picture.View());
        ++undone;
    }
    EXPECT_EQ(undone, 2u);
    EXPECT_EQ(document.Marks().Count(), 1u);
    EXPECT_EQ(picture.pixels, blackedOut);
    while (document.CanRedo())
        document.Redo(picture.View());
    EXPECT_EQ(document.Marks().Count(), 3u);
    EXPECT_EQ(picture.pixels, blackedOut);
}

TEST(ShotDocument, AThousandNumbersAreUndoneToNone)
{
    core::ShotDocument document(kPictureBytes * 100);
    for (std::int32_t i = 0; i < 1000; ++i)
        document.Place(core::NumberMark({i % 60, i / 60}, document.Marks().NextNumber(), kRed));
    EXPECT_EQ(document.Marks().NextNumber(), 1001);
    TestPicture picture(kWidth, kHeight);
    while (document.CanUndo())
        document.Undo(picture.View());
    EXPECT_EQ(document.Marks().Count(), 0u);
    EXPECT_EQ(document.Marks().NextNumber(), 1);
}

TEST(ShotDocument, AnEditWhoseGlyphsFailLeavesEverythingAsItWas)
{
    std::mt19937 random(23);
    TestPicture picture = RandomPicture(random, kWidth, kHeight);
    core::ShotDocument document(kPictureBytes);
    marktest::BlockGlyphs glyphs;
    document.Place(core::TextMark({10, 10}, u"abc", {36, 24}, kRed));
    document.Undo(picture.View());
    document.Redo(picture.View());
    const State before = StateOf(picture, document);
    glyphs.fail = true;
    EXPECT_THROW(document.ApplyEdit(core::Edit::Mosaic, {5, 5, 30, 30}, picture.View(), glyphs), std::runtime_error);
    EXPECT_EQ(StateOf(picture, document), before);
    EXPECT_EQ(document.PixelBytes(), 0u);
    document.Undo(picture.View());
    EXPECT_EQ(document.Marks().Count(), 0u);
    EXPECT_FALSE(document.CanUndo());
}

TEST(ShotDocument, ACutOutsMarksStartItsOwnDocumentAndStayEditable)
{
    core::MarkList marks;
    marks.Reserve(1);
    marks.Insert(0, core::ArrowMark({20, 20}, {80, 20}, kRed));
    core::ShotDocument cut(kPictureBytes, core::MarksInCutOut(marks, {10, 10, 50, 50}, 100, 100));
    ASSERT_EQ(cut.Marks().Count(), 1u);
    EXPECT_EQ(cut.Marks()[0], core::ArrowMark({10, 10}, {70, 10}, kRed));
    EXPECT_FALSE(cut.CanUndo());
    cut.Move(0, 1, 1);
    EXPECT_EQ(cut.Marks()[0].a, (Point{11, 11}));
}

// Two documents that end with the same steps count the same bytes, however they got there:
// what a new step drops from the redo side is given back exactly.
TEST(ShotDocument, TheBytesCountedAreThoseOfTheStepsKeptWhateverWasUndoneBefore)
{
    const auto text = [](int length) { return core::TextMark({1, 1}, std::u16string(length, u'x'), {9, 9}, kRed); };
    core::ShotDocument fresh(kPictureBytes * 4);
    fresh.Place(text(3000));
    fresh.Place(text(1000));
    core::ShotDocument churned(kPictureBytes * 4);
    TestPicture picture(kWidth, kHeight);
    churned.Place(text(3000));
    churned.Place(text(7000));
    churned.Place(text(500));
    churned.Undo(picture.View());
    churned.Undo(picture.View());
    churned.Place(text(1000));
    EXPECT_EQ(churned.MarkBytes(), fresh.MarkBytes());
}

// A black-out that takes marks into its pixels is one step among the others: the steps before
// it stay, and undoing them all gives the captured picture and no marks.
TEST(ShotDocument, ABlackOutOverMarksKeepsTheStepsBeforeIt)
{
    std::mt19937 random(4);
    TestPicture picture = RandomPicture(random, kWidth, kHeight);
    const std::vector<std::uint32_t> captured = picture.pixels;
    const marktest::BlockGlyphs glyphs;
    core::ShotDocument document(kPictureBytes * 8);
    document.Place(core::NumberMark({10, 10}, 1, kRed));
    document.Place(core::NumberMark({30, 20}, 2, kRed));
    const core::Mark text = core::TextMark({40, 5}, std::u16string(5000, u'x'), {9, 9}, kRed);
    document.Place(text);
    const std::size_t before = document.MarkBytes();
    document.ApplyEdit(core::Edit::BlackOut, {0, 0, kWidth, kHeight}, picture.View(), glyphs);
    EXPECT_EQ(document.Marks().Count(), 0u);
    // The step holds the marks it took, for its undo, and counts them: the text's 10,000 bytes.
    EXPECT_GE(document.MarkBytes(), before + 10000);
    int undone = 0;
    while (document.CanUndo()) {
        document.Undo(picture.View());
        ++undone;
    }
    EXPECT_EQ(undone, 4);
    EXPECT_EQ(document.Marks().Count(), 0u);
    EXPECT_EQ(picture.pixels, captured);
}

// The pixel history holds one whole-picture edit here. When it lets the first go, the steps up
// to that edit go with it, the mark placed before it too; what is left (a mark and the second
// edit) undoes to the picture after the first edit.
TEST(ShotDocument, AnEditThePixelHistoryLetsGoTakesTheStepsBeforeItAlong)
{
    std::mt19937 random(6);
    TestPicture picture = RandomPicture(random, kWidth, kHeight);
    const marktest::BlockGlyphs glyphs;
    core::ShotDocument document(kPictureBytes);
    document.Place(core::NumberMark({5, 5}, 1, kRed));
    document.ApplyEdit(core::Edit::BlackOut, {0, 0, kWidth, kHeight}, picture.View(), glyphs);
    const std::vector<std::uint32_t> afterFirst = picture.pixels;
    document.Place(core::NumberMark({40, 30}, 1, kRed));
    document.ApplyEdit(core::Edit::Mosaic, {0, 0, kWidth, kHeight}, picture.View(), glyphs);
    int undone = 0;
    while (document.CanUndo()) {
        document.Undo(picture.View());
        ++undone;
    }
    EXPECT_EQ(undone, 2);
    EXPECT_EQ(picture.pixels, afterFirst);
    EXPECT_EQ(document.Marks().Count(), 0u);
    // It counts the bytes of the steps it kept, as a document made of those steps alone does.
    TestPicture other = RandomPicture(random, kWidth, kHeight);
    core::ShotDocument made(kPictureBytes);
    made.Place(core::NumberMark({40, 30}, 1, kRed));
    made.ApplyEdit(core::Edit::Mosaic, {0, 0, kWidth, kHeight}, other.View(), glyphs);
    while (document.CanRedo())
        document.Redo(picture.View());
    EXPECT_EQ(document.MarkBytes(), made.MarkBytes());
}

// One step larger than the whole bound is still kept, so that it can be undone.
TEST(ShotDocument, AStepLargerThanTheBoundIsStillUndone)
{
    core::ShotDocument document(64 * 1024);
    document.Place(core::NumberMark({5, 5}, 1, kRed));
    document.Place(core::TextMark({1, 1}, std::u16string(40000, u'x'), {9, 9}, kRed));
    EXPECT_TRUE(document.CanUndo());
    TestPicture picture(kWidth, kHeight);
    document.Undo(picture.View());
    EXPECT_EQ(document.Marks().Count(), 1u);
    EXPECT_FALSE(document.CanUndo());  // the number's step went to make room
}

// Every allocation a step makes fails once, in turn: each failure throws and leaves the
// document and the picture as they were; once nothing fails the step is made whole.
TEST(ShotDocument, AStepThatCannotGetMemoryLeavesEverythingAsItWas)
{
    std::mt19937 random(9);
    const marktest::BlockGlyphs glyphs;
    using Step = std::function<void(core::ShotDocument&, TestPicture&)>;
    const std::pair<const char*, Step> steps[] = {
        {"place", [](core::ShotDocument& d, TestPicture&) { d.Place(core::NumberMark({40, 30}, 3, kRed)); }},
        {"replace", [](core::ShotDocument& d, TestPicture&) {
             d.Replace(0, core::TextMark({2, 2}, u"longer text", {60, 20}, kRed));
         }},
        {"black-out over marks", [&](core::ShotDocument& d, TestPicture& p) {
             d.ApplyEdit(core::Edit::BlackOut, {0, 0, 30, 30}, p.View(), glyphs);
         }},
        {"mosaic", [&](core::ShotDocument& d, TestPicture& p) {
             d.ApplyEdit(core::Edit::Mosaic, {5, 5, 50, 40}, p.View(), glyphs);
         }},
    };
    for (const bool withRedo : {true, false})
        for (const auto& [name, step] : steps) {
            TestPicture picture = RandomPicture(random, kWidth, kHeight);
            core::ShotDocument document(kPictureBytes * 4);
            document.Place(core::TextMark({2, 2}, u"ab", {20, 20}, kRed));
            document.Place(core::NumberMark({20, 20}, 1, kRed));
            if (withRedo) document.Undo(picture.View());  // a step to redo, which a new step drops
            const State start = StateOf(picture, document);
            bool made = false;
            for (std::size_t allowed = 0; !made && allowed < 200; ++allowed) {
                const State before = StateOf(picture, document);
                const std::uint64_t revision = document.Revision();
                const std::size_t bytes = document.MarkBytes();
                try {
                    testsupport::FailingAllocation failing(allowed);
                    step(document, picture);
                    made = !failing.Failed();
                    ASSERT_TRUE(made) << name << ": a failed allocation was swallowed";
                } catch (const std::bad_alloc&) {
                    ASSERT_TRUE(StateOf(picture, document) == before) << name << " failing at allocation " << allowed;
                    ASSERT_EQ(document.Revision(), revision) << name;
                    ASSERT_EQ(document.MarkBytes(), bytes) << name;
                    ASSERT_EQ(document.CanRedo(), withRedo) << name;
                }
            }
            ASSERT_TRUE(made) << name;
            EXPECT_FALSE(document.CanRedo()) << name;
            // The step made is undone like any other, back to the state before it.
            document.Undo(picture.View());
            EXPECT_TRUE(StateOf(picture, document) == start) << name;
        }
}

}  // namespace
