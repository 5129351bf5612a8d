// What a click takes for a scrolling capture: the scrolled part of the window under the pointer,
// seen through its parents, else the window's client area.
#include <gtest/gtest.h>

#include <vector>

#include "core/ScrollPick.h"

using core::LaidWindow;
using core::Point;
using core::Rect;

namespace {

const Rect kScreen{0, 0, 1280, 1024};

// A program with a tool strip, a list with an item, and a page holding a scrolled frame, one
// child behind that frame and one hanging out of the page; behind it a window that scrolls as a
// whole, with a child outside its client area and one that is all scroll bar; last a window
// naming itself as its parent.
const std::vector<LaidWindow> kWindows{
    {{100, 100, 700, 600}, {108, 130, 692, 592}, -1, false},  // 0 the program
    {{108, 130, 692, 160}, {108, 130, 692, 160}, 0, false},   // 1 its tool strip
    {{108, 160, 300, 592}, {110, 162, 281, 590}, 0, true},    // 2 a list
    {{110, 162, 281, 186}, {110, 162, 281, 186}, 2, false},   // 3 the list's item
    {{300, 160, 692, 592}, {300, 160, 675, 592}, 0, true},    // 4 the page
    {{350, 300, 650, 450}, {350, 300, 633, 450}, 4, true},    // 5 a scrolled frame in the page
    {{340, 290, 500, 500}, {340, 290, 483, 500}, 4, true},    // 6 another, behind the frame
    {{600, 500, 800, 700}, {600, 500, 800, 700}, 4, false},   // 7 a child hanging out of the page
    {{50, 50, 400, 400}, {58, 80, 392, 392}, -1, true},       // 8 a window behind, scrolled whole
    {{52, 52, 70, 70}, {52, 52, 70, 70}, 8, true},            // 9 on its frame, never seen
    {{60, 200, 80, 300}, {60, 200, 60, 300}, 8, true},        // 10 all scroll bar
    {{900, 100, 1000, 200}, {905, 120, 995, 195}, 11, true},  // 11 its own parent
};

struct Pick {
    const char* where;
    Point at;
    Rect taken;
};

class ScrollPickAt : public ::testing::TestWithParam<Pick> {};

TEST_P(ScrollPickAt, TakesTheDeepestScrolledPartSeenThereOrTheWindowsClientArea)
{
    const Pick& pick = GetParam();
    EXPECT_EQ(core::PickAt(pick.at, core::ScrollPickAreas(kWindows), {}, kScreen), pick.taken) << pick.where;
}

INSTANTIATE_TEST_SUITE_P(
    Windows, ScrollPickAt,
    ::testing::Values(Pick{"the tool strip, which does not scroll", {200, 140}, {108, 130, 692, 592}},
                      Pick{"the title bar", {400, 110}, {108, 130, 692, 592}},
                      Pick{"the list's item", {150, 170}, {110, 162, 281, 590}},
                      Pick{"the list's scroll bar: the list inside its bar", {290, 300}, {110, 162, 281, 590}},
                      Pick{"the page", {400, 200}, {300, 160, 675, 592}},
                      Pick{"the frame inside the page, over the one behind it", {400, 350}, {350, 300, 633, 450}},
                      Pick{"the frame behind, where the front one leaves it", {345, 295}, {340, 290, 483, 500}},
                      Pick{"a child of the page where the page shows it", {650, 550}, {300, 160, 675, 592}},
                      Pick{"the page's bar beside that child", {680, 550}, {300, 160, 675, 592}},
                      Pick{"that child where the page hides it: the program", {650, 595}, {108, 130, 692, 592}},
                      Pick{"the window behind, beside the front one", {70, 350}, {58, 80, 392, 392}},
                      Pick{"a child outside its parent's client area", {60, 60}, {58, 80, 392, 392}},
                      Pick{"a scrolled child with no client area", {70, 250}, {58, 80, 392, 392}},
                      Pick{"a window naming itself its parent", {950, 150}, {905, 120, 995, 195}},
                      Pick{"no window", {1200, 900}, kScreen}),
    [](const ::testing::TestParamInfo<Pick>& info) { return std::to_string(info.index); });

TEST(ScrollPickAreas, OfNoWindowsAreNone) { EXPECT_TRUE(core::ScrollPickAreas({}).empty()); }

}  // namespace
