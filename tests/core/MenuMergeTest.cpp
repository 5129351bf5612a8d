#include <gtest/gtest.h>

#include <vector>

#include "core/MenuMerge.h"

using core::MenuSlot;
using core::MergeMenus;

namespace {

const std::vector<int> kFrame{0, 2, 9};  // File, Options, Help
const std::vector<int> kShot{0, 1, 8};   // File, Edit, Window

TEST(MenuMerge, ShotWindowMenusTakeTheirPlacesInTheFrameBar)
{
    const std::vector<MenuSlot> expected{{0, true, 0}, {1, true, 1}, {2, false, 1}, {8, true, 2}, {9, false, 2}};
    EXPECT_EQ(MergeMenus(kFrame, kShot), expected);
}

TEST(MenuMerge, WithoutAChildTheFrameBarStaysAsItIs)
{
    const std::vector<MenuSlot> expected{{0, false, 0}, {2, false, 1}, {9, false, 2}};
    EXPECT_EQ(MergeMenus(kFrame, {}), expected);
}

TEST(MenuMerge, AChildMenuReplacesEveryFrameMenuOfItsGroup)
{
    const std::vector<int> frame{0, 3, 3, 5};
    const std::vector<int> child{3};
    const std::vector<MenuSlot> expected{{0, false, 0}, {3, true, 0}, {5, false, 3}};
    EXPECT_EQ(MergeMenus(frame, child), expected);
}

TEST(MenuMerge, MenusOfOneGroupKeepTheirOrder)
{
    const std::vector<int> frame{4, 1};
    const std::vector<int> child{7, 2, 2, 0};
    const std::vector<MenuSlot> expected{{0, true, 3}, {1, false, 1}, {2, true, 1},
                                         {2, true, 2}, {4, false, 0}, {7, true, 0}};
    EXPECT_EQ(MergeMenus(frame, child), expected);
}

// Past sixteen menus a sort that is not stable starts to reorder equal groups.
TEST(MenuMerge, ManyMenusOfOneGroupKeepTheirOrder)
{
    const std::vector<int> frame(40, 3);
    const std::vector<int> child{1, 5};
    std::vector<MenuSlot> expected{{1, true, 0}};
    for (int i = 0; i < 40; ++i) expected.push_back({3, false, i});
    expected.push_back({5, true, 1});
    EXPECT_EQ(MergeMenus(frame, child), expected);
}

}  // namespace
