// The main window on a 144 dpi screen: every size designed at 96 dpi grows by half. This
// program runs in a Wine prefix of its own whose screen is set to 144 dpi.
#include <gtest/gtest.h>

#include <cstdint>
#include <set>
#include <vector>

#include "WinTest.h"
#include "resource.h"
#include "win32/Dpi.h"

using namespace wintest;

namespace {

RECT RectIn(HWND parent, HWND child)
{
    RECT r{};
    ::GetWindowRect(child, &r);
    ::MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

RECT ItemRect(HWND toolBar, int index)
{
    RECT r{};
    ::SendMessageW(toolBar, TB_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&r));
    return r;
}

HIMAGELIST ToolBarImages(HWND toolBar)
{
    return reinterpret_cast<HIMAGELIST>(::SendMessageW(toolBar, TB_GETIMAGELIST, 0, 0));
}

class HighDpi : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(win::DpiOf(main.hwnd()), 144u) << "this prefix's screen is not at 144 dpi"; }

    ScratchRegistry registry;
    ErrorReports reports;
    Program program;
    app::MainFrame& main = program.main;
};

TEST_F(HighDpi, TheToolBarIsHalfAgainAsTallAndTheClientAreaStartsBelowIt)
{
    const RECT tools = RectIn(main.hwnd(), FrameProbe::ToolBar(main));
    const int height = tools.bottom - tools.top;
    EXPECT_TRUE(height == 43 || height == 44) << height;
    EXPECT_EQ(RectIn(main.hwnd(), main.MdiClient()).top, tools.bottom);
    EXPECT_EQ(RectIn(main.hwnd(), main.MdiClient()).bottom, RectIn(main.hwnd(), FrameProbe::StatusBar(main)).top);
}

TEST_F(HighDpi, GlyphsAre24PixelsAndSeparators12)
{
    const HIMAGELIST images = ToolBarImages(FrameProbe::ToolBar(main));
    ASSERT_NE(images, nullptr);
    int cx = 0, cy = 0;
    ::ImageList_GetIconSize(images, &cx, &cy);
    EXPECT_EQ(cx, 24);
    EXPECT_EQ(cy, 24);
    EXPECT_EQ(::ImageList_GetImageCount(images), 8);
    for (int separator : {5, 7}) {
        const RECT r = ItemRect(FrameProbe::ToolBar(main), separator);
        EXPECT_EQ(r.right - r.left, 12) << separator;
    }
    // Buttons are wide enough for their glyph and start at the scaled indent.
    const RECT first = ItemRect(FrameProbe::ToolBar(main), 0);
    EXPECT_TRUE(first.left == 4 || first.left == 5) << first.left;
    EXPECT_GE(first.right - first.left, 24 + 6);
    EXPECT_GE(first.bottom - first.top, 24 + 6);
}

// Nearest-pixel scaling: a 24-pixel glyph has exactly the colours of its 16-pixel original,
// nothing blended in between.
TEST_F(HighDpi, TheScaledGlyphsKeepTheColoursOfThePixelArt)
{
    const auto strip = static_cast<HBITMAP>(::LoadImageW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDB_TOOLBAR),
                                                         IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    ASSERT_NE(strip, nullptr);
    int sw = 0, sh = 0;
    const std::vector<std::uint32_t> original = BitmapPixels(strip, sw, sh);
    ::DeleteObject(strip);
    ASSERT_EQ(sw, 128);

    for (int glyph = 0; glyph < 8; ++glyph) {
        // The list keeps the transparent (magenta) pixels as black in its colour image.
        std::set<std::uint32_t> want;
        for (int y = 0; y < 16; ++y)
            for (int x = 0; x < 16; ++x) {
                const std::uint32_t c = original[static_cast<size_t>(y * sw + glyph * 16 + x)];
                want.insert(c == 0xFF00FF ? 0 : c);
            }
        IMAGEINFO info{};
        ASSERT_TRUE(::ImageList_GetImageInfo(ToolBarImages(FrameProbe::ToolBar(main)), glyph, &info));
        ASSERT_EQ(info.rcImage.right - info.rcImage.left, 24);
        int lw = 0, lh = 0;
        const std::vector<std::uint32_t> scaled = BitmapPixels(info.hbmImage, lw, lh);
        std::set<std::uint32_t> got;
        for (int y = 0; y < 24; ++y)
            for (int x = 0; x < 24; ++x)
                got.insert(scaled[static_cast<size_t>((info.rcImage.top + y) * lw + info.rcImage.left + x)]);
        EXPECT_EQ(got, want) << "glyph " << glyph;
    }
}

TEST_F(HighDpi, StatusPanelsEndAt300And375)
{
    int edges[4]{};
    ASSERT_EQ(::SendMessageW(FrameProbe::StatusBar(main), SB_GETPARTS, 4, reinterpret_cast<LPARAM>(edges)), 2);
    EXPECT_EQ(edges[0], 300);
    EXPECT_EQ(edges[1], 375);
}

TEST_F(HighDpi, TheUserInterfaceFontIs9PointsThat18PixelsHigh)
{
    LOGFONTW lf{};
    ::GetObjectW(reinterpret_cast<HFONT>(::SendMessageW(FrameProbe::StatusBar(main), WM_GETFONT, 0, 0)), sizeof(lf), &lf);
    EXPECT_EQ(lf.lfHeight, -18);
    EXPECT_STREQ(lf.lfFaceName, L"ＭＳ Ｐゴシック");
    EXPECT_EQ(lf.lfCharSet, SHIFTJIS_CHARSET);
}

}  // namespace
