// The tall picture put together from the screens of a scrolled window: the whole document
// exactly when every move is told, what was sure when one is not, and nothing lost when
// memory runs out.
#include <gtest/gtest.h>

#include <memory_resource>
#include <new>
#include <random>

#include "ScrollSupport.h"
#include "core/ScrollStitch.h"

using namespace scrolltest;
using core::ScrollStitch;
using core::ScrollStop;

namespace {

Rows Picture(const ScrollStitch& stitch)
{
    Rows picture(stitch.Width(), stitch.Height());
    stitch.CopyTo(picture.View());
    return picture;
}

// Scrolls the window by `step` rows at a time (less at the end, as a window stops at its last
// screen) and stitches every screen; then the last screen once more, as a window that no
// longer moves shows it.
ScrollStop ScrollThrough(ScrollStitch& stitch, const Window& window, std::int32_t step, std::int32_t limit = 1 << 30)
{
    const std::int32_t last = std::max(window.content->height - window.ContentRows(), 0);
    Rows first = window.At(0);
    stitch.Begin(first.View());
    std::int32_t scroll = 0;
    for (std::int32_t screens = 1; screens < limit; ++screens) {
        scroll = std::min(scroll + step, last);
        Rows next = window.At(scroll);
        if (!stitch.Add(next.View(), step)) break;
    }
    return stitch.Reason();
}

struct Layout {
    const char* what;
    std::int32_t width, contentRows, headerRows, footerRows, windowRows, step;
};

const Layout kLayouts[] = {
    {"plain", 33, 1000, 0, 0, 120, 50},
    {"sticky header and footer", 40, 900, 24, 17, 150, 60},
    {"header only", 16, 500, 30, 0, 100, 35},
    {"footer only, moves leaving a quarter", 17, 500, 0, 9, 100, 66},
    {"one row at a time", 5, 80, 2, 3, 30, 1},
    {"moves of three quarters", 19, 700, 0, 0, 100, 75},
    {"a last move shorter than the others", 21, 333, 10, 10, 110, 40},
    {"one pixel wide", 1, 300, 0, 0, 60, 20},
    {"a document of exactly the height limit", 2, 32767, 0, 0, 367, 200},
};

TEST(ScrollStitch, EveryScreenToldGivesTheWholeDocumentWithItsBandsOnce)
{
    std::mt19937 random(1);
    for (const Layout& l : kLayouts) {
        const Rows content = RandomRows(random, l.width, l.contentRows);
        const Rows header = RandomRows(random, l.width, l.headerRows),
                   footer = RandomRows(random, l.width, l.footerRows);
        const Window window{&content, l.headerRows ? &header : nullptr, l.footerRows ? &footer : nullptr, l.windowRows};
        ScrollStitch stitch;
        EXPECT_EQ(ScrollThrough(stitch, window, l.step), ScrollStop::End) << l.what;
        EXPECT_TRUE(Picture(stitch) == window.Whole()) << l.what;
        EXPECT_EQ(stitch.Height(), l.headerRows + l.contentRows + l.footerRows) << l.what;
    }
}

TEST(ScrollStitch, RepeatingRowsWithLinesOfNoiseAreStitchedExactly)
{
    Rows stripes(24, 800);
    std::mt19937 random(2);
    std::uniform_int_distribution<std::uint32_t> colour(0, 0xFFFFFF);
    for (std::int32_t y = 0; y < stripes.height; ++y) {
        stripes.FillRow(y, y % 6 == 0 ? 0x000000 : 0xEEEEEE);
        if (y % 40 == 3)
            for (std::int32_t x = 0; x < stripes.width; ++x)
                stripes.At(x, y) = colour(random);
    }
    const Window window{&stripes, nullptr, nullptr, 100};
    ScrollStitch stitch;
    EXPECT_EQ(ScrollThrough(stitch, window, 48), ScrollStop::End);
    EXPECT_TRUE(Picture(stitch) == window.Whole());
}

TEST(ScrollStitch, ABlinkingCaretShowsOnlyInItsOwnBox)
{
    std::mt19937 random(12);
    const Rows content = RandomRows(random, 40, 600);
    const Window window{&content, nullptr, nullptr, 120};
    // The caret stands at content rows 300-317, column 12, on every other screen.
    auto screen = [&](std::int32_t scroll, bool caret) {
        Rows view = window.At(scroll);
        for (std::int32_t y = 300; y < 318; ++y)
            if (caret && y - scroll >= 0 && y - scroll < view.height) view.At(12, y - scroll) = 0x000000;
        return view;
    };
    ScrollStitch stitch;
    Rows first = screen(0, false);
    stitch.Begin(first.View());
    bool caret = false;
    for (std::int32_t scroll = 50; scroll <= 500; scroll += 50) {
        caret = !caret;
        Rows next = screen(std::min(scroll, 480), caret);
        ASSERT_TRUE(stitch.Add(next.View(), 50)) << scroll;
    }
    Rows last = screen(480, !caret);
    EXPECT_FALSE(stitch.Add(last.View(), 50));
    EXPECT_EQ(stitch.Reason(), ScrollStop::End);
    const Rows picture = Picture(stitch), whole = window.Whole();
    ASSERT_EQ(picture.height, whole.height);
    for (std::int32_t y = 0; y < whole.height; ++y) {
        for (std::int32_t x = 0; x < whole.width; ++x) {
            if (x == 12 && y >= 300 && y < 318) continue;
            ASSERT_EQ(picture.Row(y)[x], whole.Row(y)[x]) << x << ", " << y;
        }
    }
}

TEST(ScrollStitch, AFooterThatAppearsWithTheFirstMoveIsKeptOnlyAtTheBottom)
{
    // The footer shows once the page has moved (as a "back to top" bar does), at first by
    // exactly its height: nothing of the first screen is new after that move.
    std::mt19937 random(14);
    const Rows content = RandomRows(random, 30, 300), footer = RandomRows(random, 30, 12);
    const Window plain{&content, nullptr, nullptr, 80}, footed{&content, nullptr, &footer, 80};
    for (const std::int32_t firstMove : {12, 19}) {
        ScrollStitch stitch;
        Rows first = plain.At(0);
        stitch.Begin(first.View());
        for (std::int32_t scroll = firstMove;; scroll = std::min(scroll + 12, 300 - 68)) {
            Rows next = footed.At(scroll);
            if (!stitch.Add(next.View(), 12)) break;
        }
        EXPECT_EQ(stitch.Reason(), ScrollStop::End) << firstMove;
        EXPECT_EQ(stitch.Height(), 312) << firstMove;
        EXPECT_TRUE(Picture(stitch) == footed.Whole()) << firstMove;
    }
}

TEST(ScrollStitch, ABandThatACaretInBlankRowsWidenedOnceIsNotKept)
{
    // A caret blinking in blank rows: the blank rows beside it stay in place while the caret
    // goes, so one move shows them as a band; the next move shows no band there.
    struct Case {
        const char* what;
        std::int32_t blankFrom, blankTo;  // content rows that are white
        std::int32_t scroll, caretScreen, caretTop;
        core::Bands first;
    };
    const Case cases[] = {
        {"blank rows at the top", 0, 40, 0, 0, 25, {25, 0}},
        {"blank rows at the bottom", 200, 300, 150, 1, 240, {0, 10}},
    };
    std::mt19937 random(15);
    for (const Case& c : cases) {
        Rows content = RandomRows(random, 20, 300);
        for (std::int32_t y = c.blankFrom; y < c.blankTo; ++y)
            content.FillRow(y, 0xFFFFFF);
        const Window window{&content, nullptr, nullptr, 100};
        auto screen = [&](std::int32_t index) {
            const std::int32_t scroll = c.scroll + 10 * index;
            Rows view = window.At(scroll);
            if (index == c.caretScreen)
                for (std::int32_t y = c.caretTop; y < c.caretTop + 10; ++y)
                    view.At(5, y - scroll) = 0x000000;
            return view;
        };
        ScrollStitch stitch;
        Rows first = screen(0), second = screen(1), third = screen(2);
        stitch.Begin(first.View());
        ASSERT_TRUE(stitch.Add(second.View(), 10)) << c.what;
        EXPECT_EQ(stitch.KnownBands(), c.first) << c.what;
        ASSERT_TRUE(stitch.Add(third.View(), 10)) << c.what;
        EXPECT_EQ(stitch.KnownBands(), core::Bands{}) << c.what;
    }
}

TEST(ScrollStitch, ContentShorterThanTheWindowIsOneScreenThatDoesNotScroll)
{
    std::mt19937 random(3);
    const Rows content = RandomRows(random, 30, 40);
    const Window window{&content, nullptr, nullptr, 100};
    ScrollStitch stitch;
    EXPECT_EQ(ScrollThrough(stitch, window, 30), ScrollStop::NoScroll);
    EXPECT_EQ(stitch.Screens(), 1);
    EXPECT_TRUE(Picture(stitch) == window.Whole());
    EXPECT_EQ(stitch.Height(), 100);
}

TEST(ScrollStitch, ARunOfIdenticalRowsStopsTheCaptureWithWhatWasSure)
{
    // Random rows, then 200 white ones, then random rows again: once a screen is all white
    // its place cannot be told.
    std::mt19937 random(4);
    Rows content = RandomRows(random, 20, 600);
    for (std::int32_t y = 150; y < 350; ++y)
        content.FillRow(y, 0xFFFFFF);
    const Window window{&content, nullptr, nullptr, 80};
    ScrollStitch stitch;
    EXPECT_EQ(ScrollThrough(stitch, window, 40), ScrollStop::Repeated);
    const Rows picture = Picture(stitch);
    // Kept: every screen before the refused one, whole.
    EXPECT_EQ(stitch.Height(), (stitch.Screens() - 1) * 40 + 80);
    EXPECT_TRUE(picture == Top(window.Whole(), stitch.Height()));
    EXPECT_GE(stitch.Height(), 150) << "everything before the white rows";
    EXPECT_LE(stitch.Height(), 350 + 20) << "nothing placed by guess";
    EXPECT_EQ(core::ScrollStopText(stitch.Reason(), stitch.Screens(), stitch.Height()),
              std::to_string(stitch.Screens() + 1) + " 画面目で止めました：同じ行が続くため位置を決められません");
}

TEST(ScrollStitch, AScreenThatChangedEndsTheCaptureAndKeepsTheScreensBefore)
{
    std::mt19937 random(5);
    const Rows content = RandomRows(random, 25, 500);
    const Window window{&content, nullptr, nullptr, 90};
    ScrollStitch stitch;
    Rows first = window.At(0), second = window.At(30), changed = window.At(60);
    for (std::int32_t x = 0; x < 25; ++x)
        changed.At(x, 20) ^= 0xFF;
    stitch.Begin(first.View());
    EXPECT_TRUE(stitch.Add(second.View(), 30));
    EXPECT_FALSE(stitch.Add(changed.View(), 30));
    EXPECT_EQ(stitch.Reason(), ScrollStop::Changed);
    EXPECT_EQ(stitch.Screens(), 2);
    EXPECT_TRUE(Picture(stitch) == Top(window.Whole(), 120));
    Rows third = window.At(60);
    EXPECT_FALSE(stitch.Add(third.View(), 30)) << "an ended capture takes nothing more";
    EXPECT_EQ(stitch.Height(), 120);
}

TEST(ScrollStitch, AGrabOfAnotherSizeIsAChangedScreen)
{
    std::mt19937 random(6);
    Rows a = RandomRows(random, 10, 40), b = RandomRows(random, 11, 40);
    ScrollStitch stitch;
    stitch.Begin(a.View());
    EXPECT_FALSE(stitch.Add(b.View(), 0));
    EXPECT_EQ(stitch.Reason(), ScrollStop::Changed);
    EXPECT_TRUE(Picture(stitch) == a);
}

TEST(ScrollStitch, TheDriversOwnReasonsEndTheCaptureAndTheFirstOneStays)
{
    std::mt19937 random(7);
    const Rows content = RandomRows(random, 18, 400);
    const Window window{&content, nullptr, nullptr, 60};
    ScrollStitch stitch;
    Rows first = window.At(0), second = window.At(20);
    stitch.Begin(first.View());
    EXPECT_TRUE(stitch.Add(second.View(), 20));
    stitch.End(ScrollStop::UserEnded);
    stitch.End(ScrollStop::WindowGone);
    EXPECT_EQ(stitch.Reason(), ScrollStop::UserEnded);
    Rows third = window.At(40);
    EXPECT_FALSE(stitch.Add(third.View(), 20));
    EXPECT_TRUE(Picture(stitch) == Top(window.Whole(), 80));
    // Begin starts afresh.
    EXPECT_EQ(stitch.LastDistance(), 20);
    stitch.Begin(third.View());
    EXPECT_EQ(stitch.Reason(), ScrollStop::None);
    EXPECT_EQ(stitch.Screens(), 1);
    EXPECT_EQ(stitch.LastDistance(), 0);
    EXPECT_EQ(stitch.KnownBands(), core::Bands{});
    EXPECT_TRUE(Picture(stitch) == third);
}

TEST(ScrollStitch, ADocumentTallerThanTheLimitIsCutThere)
{
    std::mt19937 random(8);
    const Rows content = RandomRows(random, 3, 40000);
    const Window window{&content, nullptr, nullptr, 400};
    ScrollStitch stitch;
    EXPECT_EQ(ScrollThrough(stitch, window, 250), ScrollStop::Limit);
    EXPECT_EQ(stitch.Height(), 32767);
    // The screen that reached the limit ended the capture itself.
    ScrollStitch again;
    Rows first = window.At(0);
    again.Begin(first.View());
    int goingOn = 0;
    for (std::int32_t scroll = 250; scroll < 40000 - 400; scroll += 250) {
        Rows next = window.At(scroll);
        if (!again.Add(next.View(), 250)) break;
        ++goingOn;
    }
    EXPECT_EQ(goingOn, 129);
    EXPECT_EQ(again.Reason(), ScrollStop::Limit);
    EXPECT_TRUE(Picture(stitch) == Top(window.Whole(), 32767));
    // 400 + 130 * 250 = 32900 rows on the last screen's bottom.
    EXPECT_EQ(stitch.Screens(), 131);
    EXPECT_EQ(core::ScrollStopText(ScrollStop::Limit, stitch.Screens(), stitch.Height()),
              "131 画面目で止めました：高さが上限の 32767 ピクセルに達したため、そこで切りました");
}

TEST(ScrollStitch, NoWidthOrNoHeightIsOneScreenOfItsSize)
{
    struct Case {
        std::int32_t width, height;
        ScrollStop why;
    };
    const Case cases[] = {{0, 50, ScrollStop::Repeated}, {5, 0, ScrollStop::NoScroll}, {0, 0, ScrollStop::NoScroll}};
    for (const Case& c : cases) {
        Rows none(c.width, c.height);
        ScrollStitch stitch;
        stitch.Begin(none.View());
        EXPECT_FALSE(stitch.Add(none.View(), 10));
        EXPECT_EQ(stitch.Reason(), c.why) << c.width << "x" << c.height;
        EXPECT_EQ(stitch.Width(), c.width);
        EXPECT_EQ(stitch.Height(), c.height);
        EXPECT_EQ(stitch.Screens(), 1);
    }
}

// Memory that runs out after a given number of allocations, and notes the largest block it gave.
class RationedMemory final : public std::pmr::memory_resource {
public:
    int allowed = 1 << 30;
    size_t largest = 0;

private:
    void* do_allocate(size_t bytes, size_t align) override
    {
        if (allowed-- <= 0) throw std::bad_alloc();
        largest = std::max(largest, bytes);
        return std::pmr::new_delete_resource()->allocate(bytes, align);
    }
    void do_deallocate(void* p, size_t bytes, size_t align) override
    {
        std::pmr::new_delete_resource()->deallocate(p, bytes, align);
    }
    bool do_is_equal(const memory_resource& other) const noexcept override { return this == &other; }
};

TEST(ScrollStitch, MemoryThatCannotBeHadLeavesTheStitchAsItWas)
{
    std::mt19937 random(10);
    const Rows content = RandomRows(random, 31, 2000);
    const Window window{&content, nullptr, nullptr, 100};
    for (int allowed = 0; allowed < 12; ++allowed) {
        RationedMemory memory;
        ScrollStitch stitch(&memory);
        Rows first = window.At(0);
        stitch.Begin(first.View());
        std::int32_t scroll = 0;
        Rows before = Picture(stitch);
        std::int32_t screensBefore = stitch.Screens();
        memory.allowed = allowed;
        bool failed = false;
        for (int step = 0; step < 12 && !failed; ++step) {
            Rows next = window.At(scroll + 60);
            try {
                ASSERT_TRUE(stitch.Add(next.View(), 60));
                scroll += 60;
                before = Picture(stitch);
                screensBefore = stitch.Screens();
            } catch (const std::bad_alloc&) {
                failed = true;
            }
        }
        ASSERT_TRUE(failed) << allowed;
        EXPECT_EQ(stitch.Reason(), ScrollStop::None) << allowed;
        EXPECT_EQ(stitch.Screens(), screensBefore) << allowed;
        EXPECT_TRUE(Picture(stitch) == before) << allowed;
        // With memory again it goes on where it was.
        memory.allowed = 1 << 30;
        Rows next = window.At(scroll + 60);
        EXPECT_TRUE(stitch.Add(next.View(), 60)) << allowed;
        EXPECT_TRUE(Picture(stitch) == Top(window.Whole(), scroll + 160)) << allowed;
    }
}

TEST(ScrollStitch, TheRowsKeptTakeAtMostTwiceTheRoomTheyNeed)
{
    std::mt19937 random(13);
    const Rows content = RandomRows(random, 31, 1000);
    const Window window{&content, nullptr, nullptr, 100};
    RationedMemory memory;
    ScrollStitch stitch(&memory);
    EXPECT_EQ(ScrollThrough(stitch, window, 50), ScrollStop::End);
    EXPECT_LE(memory.largest, 2u * 1000u * 31u * sizeof(std::uint32_t));
}

TEST(ScrollStitch, AFirstScreenWithoutMemoryKeepsTheOneBefore)
{
    std::mt19937 random(11);
    Rows a = RandomRows(random, 9, 30), b = RandomRows(random, 9, 40);
    RationedMemory memory;
    ScrollStitch stitch(&memory);
    stitch.Begin(a.View());
    for (int allowed = 0; allowed < 2; ++allowed) {
        memory.allowed = allowed;
        EXPECT_THROW(stitch.Begin(b.View()), std::bad_alloc);
        EXPECT_TRUE(Picture(stitch) == a);
        EXPECT_EQ(stitch.Screens(), 1);
    }
}

struct TextCase {
    ScrollStop why;
    std::int32_t screens, height;
    const char* text;
};

const TextCase kTexts[] = {
    {ScrollStop::None, 3, 900, ""},
    {ScrollStop::End, 7, 4210, "最後まで取り込みました：7 画面、高さ 4210 ピクセル"},
    {ScrollStop::NoScroll, 1, 600, "スクロールしないため 1 画面だけ取り込みました"},
    {ScrollStop::Repeated, 2, 1100, "3 画面目で止めました：同じ行が続くため位置を決められません"},
    {ScrollStop::Changed, 1, 500, "2 画面目で止めました：内容が変わったため位置を決められません"},
    {ScrollStop::Unsteady, 4, 2000, "5 画面目で止めました：画面が動き続けるため位置を決められません"},
    {ScrollStop::Limit, 60, 32767, "60 画面目で止めました：高さが上限の 32767 ピクセルに達したため、そこで切りました"},
    {ScrollStop::UserEnded, 5, 2500, "6 画面目で止めました：Esc キーかクリックで終えたため"},
    {ScrollStop::WindowGone, 2, 700, "3 画面目で止めました：ウィンドウが閉じたか動いたため"},
};

TEST(ScrollStitch, EveryEndIsToldWithTheScreenItStoppedAt)
{
    for (const TextCase& t : kTexts) {
        EXPECT_EQ(core::ScrollStopText(t.why, t.screens, t.height), t.text) << static_cast<int>(t.why);
    }
}

}  // namespace
