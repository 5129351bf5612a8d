// The tools: what each makes, the styles they draw with, and a drag that draws or moves a mark.
#include <gtest/gtest.h>

#include "GlyphFake.h"
#include "PixelSupport.h"
#include "core/MarkTool.h"

using core::Mark;
using core::MarkKind;
using core::Point;
using core::Tool;

namespace {

TEST(MarkTool, EachToolButSelectMakesItsKindOfMark)
{
    EXPECT_EQ(core::KindOf(Tool::Select), std::nullopt);
    EXPECT_EQ(core::KindOf(Tool::Arrow), MarkKind::Arrow);
    EXPECT_EQ(core::KindOf(Tool::Box), MarkKind::Box);
    EXPECT_EQ(core::KindOf(Tool::Text), MarkKind::Text);
    EXPECT_EQ(core::KindOf(Tool::Number), MarkKind::Number);
    EXPECT_EQ(core::KindOf(Tool::Highlighter), MarkKind::Highlighter);
}

TEST(MarkTool, TheHighlighterKeepsItsOwnStyleTheOthersShareOne)
{
    core::ToolStyles styles;
    EXPECT_EQ(styles.For(Tool::Arrow), (core::MarkStyle{0xFF0000, 4}));
    EXPECT_EQ(styles.For(Tool::Highlighter), (core::MarkStyle{0xFFFF00, 4}));
    styles.SetColour(Tool::Box, 0x0000FF);
    styles.SetWidth(Tool::Text, 8);
    EXPECT_EQ(styles.For(Tool::Arrow), (core::MarkStyle{0x0000FF, 8}));
    EXPECT_EQ(styles.For(Tool::Number), (core::MarkStyle{0x0000FF, 8}));
    EXPECT_EQ(styles.For(Tool::Highlighter), (core::MarkStyle{0xFFFF00, 4}));
    styles.SetColour(Tool::Highlighter, 0x00FF00);
    styles.SetWidth(Tool::Highlighter, 2);
    EXPECT_EQ(styles.For(Tool::Highlighter), (core::MarkStyle{0x00FF00, 2}));
    EXPECT_EQ(styles.For(Tool::Select), (core::MarkStyle{0x0000FF, 8}));
}

TEST(MarkTool, ADrawingDragRunsFromThePressToThePointer)
{
    core::MarkDrag drag = core::MarkDrag::Drawing(MarkKind::Box, {10, 20}, {0x00FF00, 2});
    EXPECT_FALSE(drag.Moves());
    EXPECT_FALSE(core::Places(drag.Shown()));  // a press alone places nothing
    drag.To({40, 5});
    drag.To({30, 50});
    EXPECT_EQ(drag.Shown(), core::BoxMark({10, 20}, {30, 50}, {0x00FF00, 2}));
    EXPECT_EQ(drag.Offset(), (Point{20, 30}));
}

TEST(MarkTool, AMovingDragCarriesTheWholeMarkWithThePointer)
{
    const Mark arrow = core::ArrowMark({10, 10}, {50, 30}, {0xFF0000, 4});
    core::MarkDrag drag = core::MarkDrag::Moving(3, arrow, {20, 15});
    EXPECT_TRUE(drag.Moves());
    EXPECT_EQ(drag.Index(), 3u);
    EXPECT_EQ(drag.Shown(), arrow);
    drag.To({100, 100});
    drag.To({25, 5});
    EXPECT_EQ(drag.Shown(), core::ArrowMark({15, 0}, {55, 20}, {0xFF0000, 4}));
    EXPECT_EQ(drag.Offset(), (Point{5, -10}));
}

TEST(MarkTool, HandlesStandAtAnArrowsEndsAndTheCornersOfTheRest)
{
    EXPECT_EQ(core::HandlePoints(core::ArrowMark({1, 2}, {30, 40}, {})), (std::vector<Point>{{1, 2}, {30, 40}}));
    EXPECT_EQ(core::HandlePoints(core::BoxMark({30, 40}, {1, 2}, {})),
              (std::vector<Point>{{1, 2}, {30, 2}, {1, 40}, {30, 40}}));
    EXPECT_EQ(core::HandlePoints(core::NumberMark({50, 50}, 1, {0xFF0000, 4})),
              (std::vector<Point>{{35, 35}, {66, 35}, {35, 66}, {66, 66}}));
}

TEST(MarkTool, AMarkBeingMovedIsLeftOutOfTheListsDrawing)
{
    const std::vector<Mark> marks = {core::BoxMark({0, 0}, {4, 4}, {0xFF0000, 2}),
                                     core::BoxMark({5, 0}, {9, 4}, {0x0000FF, 2})};
    edittest::TestPicture picture(10, 5);
    for (std::uint32_t& p : picture.pixels)
        p = 0xFFFFFF;
    core::DrawMarks(picture.View(), {1, {0, 0}, 10, 5}, picture.View().Bounds(), marks, marktest::BlockGlyphs{}, 1);
    EXPECT_EQ(picture.At(0, 0), 0xFF0000u);
    EXPECT_EQ(picture.At(5, 0), 0xFFFFFFu);
}

}  // namespace
