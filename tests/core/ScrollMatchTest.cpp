// The matching of two grabs of a scrolled rectangle: the move told exactly, the bands that
// stay put, and a refusal wherever the move cannot be told for sure.
#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "ScrollSupport.h"
#include "core/ScrollMatch.h"

using namespace scrolltest;
using core::Bands;
using core::Move;
using core::StepMatch;

namespace core {
// GoogleTest shows a failed match by its parts.
void PrintTo(const StepMatch& m, std::ostream* out)
{
    *out << "{move " << static_cast<int>(m.move) << ", distance " << m.distance << ", bands " << m.bands.top << "/"
         << m.bands.bottom << "}";
}
}  // namespace core

namespace {

std::vector<std::uint64_t> Hashes(Rows& rows)
{
    std::vector<std::uint64_t> hashes(static_cast<size_t>(rows.height));
    core::HashRows(rows.View(), hashes);
    return hashes;
}

StepMatch Match(Rows previous, Rows next, std::int32_t expected = 0, Bands known = {})
{
    const std::vector<std::uint64_t> p = Hashes(previous), n = Hashes(next);
    return core::MatchStep({previous.View(), p}, {next.View(), n}, expected, known);
}

const StepMatch kStill{Move::Still, 0, {}};
const StepMatch kRepeated{Move::Repeated, 0, {}};
const StepMatch kChanged{Move::Changed, 0, {}};

StepMatch Moved(std::int32_t distance, Bands bands = {}) { return {Move::Moved, distance, bands}; }

TEST(ScrollMatch, TellsEveryMoveThatLeavesEnoughRowsInCommon)
{
    // The rows two grabs must share: a quarter of the window, and never fewer than 8.
    struct Case {
        std::int32_t window, longest;
    };
    const Case cases[] = {{100, 75}, {36, 27}, {20, 12}};
    std::mt19937 random(1);
    const Rows content = RandomRows(random, 37, 400);
    for (const Case& c : cases) {
        const Window window{&content, nullptr, nullptr, c.window};
        for (const std::int32_t distance : {1, 2, 17, 50, 74, 75}) {
            if (distance > c.longest) continue;
            EXPECT_EQ(Match(window.At(30), window.At(30 + distance)), Moved(distance)) << c.window << ": " << distance;
        }
        EXPECT_EQ(Match(window.At(30), window.At(30 + c.longest)), Moved(c.longest)) << c.window;
        EXPECT_EQ(Match(window.At(30), window.At(30 + c.longest + 1)), kChanged) << c.window << ": too few in common";
        EXPECT_EQ(Match(window.At(30), window.At(30 + 250)), kChanged) << c.window << ": nothing in common";
    }
}

TEST(ScrollMatch, StickyHeaderAndFooterAreBandsAndTheMoveIsTheContentsAlone)
{
    std::mt19937 random(2);
    const Rows content = RandomRows(random, 64, 500), header = RandomRows(random, 64, 20),
               footer = RandomRows(random, 64, 15);
    const Window window{&content, &header, &footer, 120};
    for (const std::int32_t distance : {1, 40, 55}) {
        EXPECT_EQ(Match(window.At(10), window.At(10 + distance)), Moved(distance, {20, 15})) << distance;
    }
    EXPECT_EQ(Match(window.At(10), window.At(10 + 56)), kChanged) << "85 rows of content: 30 must stay in common";
    const Window headerOnly{&content, &header, nullptr, 120};
    EXPECT_EQ(Match(headerOnly.At(0), headerOnly.At(33)), Moved(33, {20, 0}));
}

TEST(ScrollMatch, AMoveThatOnlyRowsStayingInPlaceWouldTellIsRefused)
{
    // Blocks of 20 rows, A A B, then A B B: a move of 20 would explain them, but so would a
    // header A and a footer B over a middle that changed wholly. The move matches the new
    // middle only with the old footer and the new header only with the old middle.
    std::mt19937 random(17);
    const Rows a = RandomRows(random, 20, 20), b = RandomRows(random, 20, 20);
    Rows previous(20, 60), next(20, 60);
    for (std::int32_t y = 0; y < 20; ++y) {
        std::copy_n(a.Row(y), 20, previous.Row(y));
        std::copy_n(a.Row(y), 20, previous.Row(20 + y));
        std::copy_n(b.Row(y), 20, previous.Row(40 + y));
        std::copy_n(a.Row(y), 20, next.Row(y));
        std::copy_n(b.Row(y), 20, next.Row(20 + y));
        std::copy_n(b.Row(y), 20, next.Row(40 + y));
    }
    EXPECT_EQ(Match(previous, next), kChanged);
    EXPECT_EQ(Match(previous, next, 20), kChanged) << "not even when the wheel should have moved it so";
}

TEST(ScrollMatch, TheExpectedDistanceOrdersTheSearchAndNeverChangesTheAnswer)
{
    std::mt19937 random(3);
    const Rows content = RandomRows(random, 9, 300);
    const Window window{&content, nullptr, nullptr, 80};
    for (const std::int32_t expected : {0, 1, 24, 25, 26, 72, 500, -5}) {
        EXPECT_EQ(Match(window.At(5), window.At(30), expected), Moved(25)) << expected;
        EXPECT_EQ(Match(window.At(5), window.At(200), expected), kChanged) << expected;
        EXPECT_EQ(Match(window.At(5), window.At(6), expected), Moved(1)) << "the shortest move, " << expected;
        EXPECT_EQ(Match(window.At(5), window.At(65), expected), Moved(60)) << "the longest move, " << expected;
    }
    // Content that repeats every 50 rows between a header and a footer, moved by 10: a move of
    // 60 fits as well but leaves 25 rows of content in common, fewer than a quarter. Searched
    // from a long expected move, it is met first and passed over.
    const Rows period = RandomRows(random, 9, 50);
    Rows repeating(9, 250);
    for (std::int32_t y = 0; y < repeating.height; ++y)
        std::copy_n(period.Row(y % 50), 9, repeating.Row(y));
    const Rows header = RandomRows(random, 9, 20), footer = RandomRows(random, 9, 15);
    const Window framed{&repeating, &header, &footer, 120};
    for (const std::int32_t expected : {0, 10, 60, 72, 500}) {
        EXPECT_EQ(Match(framed.At(0), framed.At(10), expected), Moved(10, {20, 15})) << expected;
    }
}

TEST(ScrollMatch, GrabsAlikeAreStillWhenAMoveWouldShow)
{
    std::mt19937 random(4);
    const Rows content = RandomRows(random, 21, 200);
    const Window window{&content, nullptr, nullptr, 60};
    EXPECT_EQ(Match(window.At(140), window.At(140)), kStill);
    // Content shorter than the window: a few rows above the background would still show a move.
    const Rows shortContent = RandomRows(random, 21, 12);
    const Window shortWindow{&shortContent, nullptr, nullptr, 60};
    EXPECT_EQ(Match(shortWindow.At(0), shortWindow.At(0)), kStill);
}

TEST(ScrollMatch, IdenticalRowsThatCouldHideAMoveAreRefused)
{
    Rows plain(30, 90);
    for (std::int32_t y = 0; y < plain.height; ++y)
        plain.FillRow(y, 0xFFFFFF);
    const Window window{&plain, nullptr, nullptr, 40};
    EXPECT_EQ(Match(window.At(10), window.At(20)), kRepeated) << "a plain page looks the same wherever it is";

    // A plain page between a header and a footer: the first step knows no bands, and the two
    // ends do not match themselves moved; once a move has shown the bands, the page between
    // them could have moved unseen.
    std::mt19937 random(5);
    const Rows header = RandomRows(random, 30, 6), footer = RandomRows(random, 30, 5);
    const Window framed{&plain, &header, &footer, 40};
    EXPECT_EQ(Match(framed.At(10), framed.At(20)), kStill);
    EXPECT_EQ(Match(framed.At(10), framed.At(20), 0, {6, 5}), kRepeated);
}

TEST(ScrollMatch, RowsRepeatingWithinTheWindowAreRefused)
{
    const Rows stripes = PeriodicRows(16, 400, 10);
    const Window window{&stripes, nullptr, nullptr, 100};
    EXPECT_EQ(Match(window.At(0), window.At(30)), kRepeated) << "30, 20, 40 ... all fit";
    EXPECT_EQ(Match(window.At(0), window.At(0)), kRepeated) << "a move by the period would not show";
}

Rows StripesWithNoise(std::int32_t first, std::int32_t every)
{
    Rows stripes = PeriodicRows(16, 400, 10);
    std::mt19937 random(6);
    std::uniform_int_distribution<std::uint32_t> colour(0, 0xFFFFFF);
    for (std::int32_t y = first; y < stripes.height; y += every)
        for (std::int32_t x = 0; x < stripes.width; ++x)
            stripes.At(x, y) = colour(random);
    return stripes;
}

TEST(ScrollMatch, LinesOfNoiseOnePixelTallTellTheMoveAmongRepeatingRows)
{
    const Rows stripes = StripesWithNoise(5, 30);
    const Window window{&stripes, nullptr, nullptr, 100};
    EXPECT_EQ(Match(window.At(0), window.At(30)), Moved(30));
    EXPECT_EQ(Match(window.At(0), window.At(7)), Moved(7));
    EXPECT_EQ(Match(window.At(0), window.At(0)), kStill);
}

TEST(ScrollMatch, OneLineOfNoiseAmongRepeatingRowsTellsTheMoveWhileItShows)
{
    // The rows alike in place reach from the top to the noise line and from it to the bottom:
    // the move is told by the one line and the rows it explains around it.
    const Rows stripes = StripesWithNoise(75, 1000);
    const Window window{&stripes, nullptr, nullptr, 100};
    EXPECT_EQ(Match(window.At(0), window.At(30)), Moved(30));
    EXPECT_EQ(Match(window.At(0), window.At(7)), Moved(7));
    // Moved by up to three quarters of the window, the line would have moved with it.
    EXPECT_EQ(Match(window.At(0), window.At(0)), kStill);
    // The line scrolled out of the top while the next grab is taken.
    EXPECT_EQ(Match(window.At(70), window.At(80)), kRepeated);
}

// Two grabs 60 rows tall of plain rows: the first with another colour in its top row, the second
// random from row `plainRows` on. Only a move of 60 - plainRows leaves the plain rows in common
// (a quarter or more), and those rows are all the same row.
struct Overlap {
    Rows previous, next;
};
Overlap UninformativeOverlap(std::int32_t width, std::int32_t plainRows, unsigned seed)
{
    Rows plain(width, 60);
    for (std::int32_t y = 0; y < plain.height; ++y)
        plain.FillRow(y, 0xC0C0C0);
    Overlap grabs{plain, plain};
    std::mt19937 random(seed);
    std::uniform_int_distribution<std::uint32_t> colour(0, 0xFFFFFF);
    for (std::int32_t y = plainRows; y < 60; ++y)
        for (std::int32_t x = 0; x < width; ++x)
            grabs.next.At(x, y) = colour(random);
    for (std::int32_t x = 0; x < width; ++x)
        grabs.previous.At(x, 0) = 0x123456;
    return grabs;
}

TEST(ScrollMatch, AnUninformativeOverlapIsRefusedEvenWhenOnlyOneDistanceFits)
{
    const Overlap grabs = UninformativeOverlap(12, 15, 7);
    EXPECT_EQ(Match(grabs.previous, grabs.next), kRepeated);
}

TEST(ScrollMatch, OneRowOfItsOwnAnywhereInTheOverlapTellsTheMove)
{
    // The overlap of a move of 45 is 15 rows; one of them, in both grabs, unlike the plain ones.
    for (const std::int32_t row : {0, 7, 14}) {
        Overlap grabs = UninformativeOverlap(12, 15, 7);
        grabs.next.FillRow(row, 0x654321);
        grabs.previous.FillRow(45 + row, 0x654321);
        EXPECT_EQ(Match(grabs.previous, grabs.next), Moved(45)) << row;
    }
}

TEST(ScrollMatch, ACaretInAnUninformativeOverlapMakesItNoMoreTelling)
{
    // 16 plain rows and a caret in the first row the two grabs share (a move of 44): the caret's
    // row is no content, and the rest are all one row.
    Overlap grabs = UninformativeOverlap(20, 16, 15);
    grabs.next.At(7, 0) = 0x000000;
    EXPECT_EQ(Match(grabs.previous, grabs.next), kRepeated);
}

TEST(ScrollMatch, AMoveHidesInGrabsAlikeOnlyWithAQuarterOfTheRowsTheSame)
{
    // The last quarter repeats the first but for a caret-sized difference in one row: moved
    // by three quarters, only 24 of the 25 rows in common would be the same.
    std::mt19937 random(16);
    Rows grab = RandomRows(random, 20, 100);
    for (std::int32_t y = 0; y < 25; ++y)
        std::copy_n(grab.Row(y), 20, grab.Row(75 + y));
    Rows exact = grab;
    EXPECT_EQ(Match(exact, exact), kRepeated) << "the first quarter again: a move of 75 would not show";
    grab.At(3, 80) ^= 0x0000FF;
    EXPECT_EQ(Match(grab, grab), kStill);
}

TEST(ScrollMatch, ContentThatChangedBesideTheMoveIsRefused)
{
    std::mt19937 random(8);
    const Rows content = RandomRows(random, 40, 300);
    const Window window{&content, nullptr, nullptr, 120};
    struct Change {
        const char* what;
        std::int32_t left, top, width, height;
        bool refused;
    };
    const Change changes[] = {
        {"a caret 2 px wide", 10, 30, 2, 18, false},    {"a caret 4 px wide, 64 tall", 36, 0, 4, 64, false},
        {"a caret at the top left", 0, 0, 1, 1, false}, {"5 px wide", 10, 30, 5, 18, true},
        {"65 rows tall", 10, 10, 1, 65, true},          {"a whole row", 0, 40, 40, 1, true},
        {"two carets far apart", 3, 5, 1, 1, true},
    };
    for (const Change& c : changes) {
        Rows next = window.At(40);
        for (std::int32_t y = c.top; y < c.top + c.height; ++y)
            for (std::int32_t x = c.left; x < c.left + c.width; ++x)
                next.At(x, y) ^= 0x00FF00;
        if (std::string(c.what) == "two carets far apart") next.At(30, 60) ^= 0x00FF00;
        EXPECT_EQ(Match(window.At(30), next), c.refused ? kChanged : Moved(10)) << c.what;
        // The same change between two grabs of a window that did not move.
        EXPECT_EQ(Match(window.At(40), next), c.refused ? kChanged : kStill) << c.what << ", in place";
    }
}

TEST(ScrollMatch, AChangeIsTakenForACaretOnlyInAGrabAtLeastSixteenWide)
{
    struct Case {
        std::int32_t width;
        bool refused;
    };
    const Case cases[] = {{15, true}, {16, false}, {17, false}};
    std::mt19937 random(18);
    for (const Case& c : cases) {
        const Rows content = RandomRows(random, c.width, 300);
        const Window window{&content, nullptr, nullptr, 120};
        Rows next = window.At(40);
        for (std::int32_t y = 30; y < 48; ++y)
            next.At(3, y) ^= 0x00FF00;
        EXPECT_EQ(Match(window.At(30), next), c.refused ? kChanged : Moved(10)) << c.width;
        EXPECT_EQ(Match(window.At(40), next), c.refused ? kChanged : kStill) << c.width << ", in place";
    }
}

TEST(ScrollMatch, AnyWidthAndHeightIsMatchedWithoutReadingPastTheRows)
{
    std::mt19937 random(9);
    for (const std::int32_t width : {1, 2, 3, 7, 8, 9, 15, 17}) {
        const Rows content = RandomRows(random, width, 120);
        const Window window{&content, nullptr, nullptr, 50};
        EXPECT_EQ(Match(window.At(0), window.At(13)), Moved(13)) << width;
    }
    Rows none(0, 50);
    EXPECT_EQ(Match(none, none), kRepeated) << "no width: nothing tells a move";
    EXPECT_EQ(Match(Rows(5, 0), Rows(5, 0)), kStill) << "no height";
    std::mt19937 again(10);
    const Rows one = RandomRows(again, 6, 1), other = RandomRows(again, 6, 1);
    EXPECT_EQ(Match(one, other), kChanged) << "one row, changed";
    EXPECT_EQ(Match(RandomRows(again, 6, 9), RandomRows(again, 6, 9)), kChanged) << "nine rows, all new";
}

TEST(ScrollMatch, GrabsOfDifferentSizesAreChanged)
{
    std::mt19937 random(11);
    EXPECT_EQ(Match(RandomRows(random, 6, 20), RandomRows(random, 7, 20)), kChanged);
    EXPECT_EQ(Match(RandomRows(random, 6, 20), RandomRows(random, 6, 21)), kChanged);
    Rows a = RandomRows(random, 6, 20);
    std::vector<std::uint64_t> shortHashes(10);
    EXPECT_EQ(core::MatchStep({a.View(), shortHashes}, {a.View(), shortHashes}, 0, {}), kChanged)
        << "hashes for fewer rows than the grab has";
}

TEST(ScrollMatch, RowHashesFollowThePixelsWhateverTheStride)
{
    std::mt19937 random(12);
    Rows rows = RandomRows(random, 13, 3);
    std::vector<std::uint32_t> wide(static_cast<size_t>(20 * 3), 0xABCDEF);
    for (std::int32_t y = 0; y < 3; ++y)
        std::copy_n(rows.Row(y), 13, wide.data() + y * 20);
    std::vector<std::uint64_t> tight(3), spaced(3);
    core::HashRows(rows.View(), tight);
    core::HashRows({wide.data(), 13, 3, 20}, spaced);
    EXPECT_EQ(tight, spaced);
    std::vector<std::uint64_t> fewer(2, 7);
    core::HashRows(rows.View(), fewer);
    EXPECT_EQ(fewer, (std::vector<std::uint64_t>{tight[0], tight[1]})) << "only as many rows as there is room for";
}

TEST(ScrollMatch, RowHashesDifferForAnyOneBitChanged)
{
    std::mt19937 random(13);
    for (const std::int32_t width : {1, 8, 11, 16}) {
        Rows row = RandomRows(random, width, 1);
        std::vector<std::uint64_t> original(1), changed(1);
        core::HashRows(row.View(), original);
        for (std::int32_t x = 0; x < width; ++x) {
            for (int bit = 0; bit < 32; ++bit) {
                row.At(x, 0) ^= 1u << bit;
                core::HashRows(row.View(), changed);
                row.At(x, 0) ^= 1u << bit;
                ASSERT_NE(changed, original) << width << " wide, pixel " << x << " bit " << bit;
            }
        }
    }
}

TEST(ScrollMatch, GrabsAlikeButForACaret)
{
    std::mt19937 random(14);
    const Rows a = RandomRows(random, 30, 70);
    Rows b = a;
    EXPECT_TRUE(core::GrabsAlike(Rows(a).View(), b.View()));
    for (std::int32_t y = 3; y < 3 + 64; ++y)
        b.At(29, y) = ~b.At(29, y);
    EXPECT_TRUE(core::GrabsAlike(Rows(a).View(), b.View())) << "a caret at the right edge";
    b.At(25, 3) ^= 1;
    EXPECT_FALSE(core::GrabsAlike(Rows(a).View(), b.View())) << "five columns";
    Rows c = a;
    c.At(0, 0) ^= 1;
    c.At(0, 64) ^= 1;
    EXPECT_FALSE(core::GrabsAlike(Rows(a).View(), c.View())) << "65 rows";
    EXPECT_FALSE(core::GrabsAlike(Rows(a).View(), RandomRows(random, 30, 69).View())) << "another size";
    // Another size, the rows both have the same.
    Rows shorter = Top(a, 69), narrower(29, 70);
    for (std::int32_t y = 0; y < 70; ++y)
        std::copy_n(a.Row(y), 29, narrower.Row(y));
    EXPECT_FALSE(core::GrabsAlike(Rows(a).View(), shorter.View())) << "its top rows";
    EXPECT_FALSE(core::GrabsAlike(shorter.View(), Rows(a).View())) << "its top rows, the other way";
    EXPECT_FALSE(core::GrabsAlike(narrower.View(), Rows(a).View())) << "its left columns";
}

TEST(ScrollMatch, GrabsOnePixelWideAreAlikeOnlyWhenTheSame)
{
    std::mt19937 random(19);
    const Rows a = RandomRows(random, 1, 5);
    Rows b = a;
    EXPECT_TRUE(core::GrabsAlike(Rows(a).View(), b.View()));
    b.At(0, 2) ^= 1;
    EXPECT_FALSE(core::GrabsAlike(Rows(a).View(), b.View()));
}

}  // namespace
