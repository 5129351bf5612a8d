// A shot window as the user works it: the rubber band dragged with the real mouse, the
// read-out in the status bar, the copy captions, select all and cancel through the
// program's keys and menu commands, and the picture on screen, scrolled or not.
#include <gtest/gtest.h>

#include <string>

#include "CaptureSupport.h"
#include "WinTest.h"
#include "resource.h"

using namespace wintest;

namespace {

constexpr wchar_t kWholeCaption[] = L"全体をクリップボードへコピー(&C)";
constexpr wchar_t kSelectionCaption[] = L"選択範囲をクリップボードへコピー(&C)";
constexpr int kWidth = 200, kHeight = 150;  // the pattern picture

std::wstring BeforeTab(const std::wstring& text) { return text.substr(0, text.find(L'\t')); }

class ShotWindow : public ::testing::Test {
protected:
    ScratchRegistry registry;
    ErrorReports reports;
    Program program;
    app::MainFrame& main = program.main;

    // A shot of a pattern painted on screen, away from the frame; the pattern's own
    // window is gone again before the test goes on.
    app::ShotWindow& PatternShot()
    {
        {
            PatternWindow pattern(PatternWindow::Kind::TopmostPopup, {1000, 780, 1000 + kWidth, 780 + kHeight});
            FrameProbe::CaptureScreenRect(main, 1000, 780, kWidth, kHeight);
        }
        Pump(0);
        app::ShotWindow* shot = ActiveShotWindow(main);
        if (!shot) throw std::runtime_error("no shot window");
        ::UpdateWindow(shot->hwnd());
        return *shot;
    }

    std::wstring ReadOut() const { return StatusText(FrameProbe::StatusBar(main), 0); }
    std::wstring BarCopyCaption() const { return BeforeTab(MenuItemText(::GetMenu(main.hwnd()), IDM_COPY)); }

    // A point of the shot's client area on screen.
    static POINT At(const app::ShotWindow& shot, int x, int y)
    {
        POINT p{x, y};
        ::ClientToScreen(shot.hwnd(), &p);
        return p;
    }
};

TEST_F(ShotWindow, ShowsTheCapturedPixelsAtTheTopLeftAndFaceColourBeside)
{
    app::ShotWindow& shot = PatternShot();
    EXPECT_EQ(FirstDifference(PicturePixels(shot), PatternPixels(kWidth, kHeight), kWidth), "");
    const RECT client = ClientOnScreen(shot.hwnd());
    ASSERT_GT(client.right - client.left, kWidth);
    ASSERT_GT(client.bottom - client.top, kHeight);
    // The picture at the top left, the face colour beside and below it.
    const COLORREF face = ::GetSysColor(COLOR_BTNFACE);
    const std::uint32_t faceRgb = (GetRValue(face) << 16) | (GetGValue(face) << 8) | GetBValue(face);
    std::vector<std::uint32_t> expected;
    for (int y = 0; y < client.bottom - client.top; ++y)
        for (int x = 0; x < client.right - client.left; ++x)
            expected.push_back(x < kWidth && y < kHeight ? PatternColour(x, y) : faceRgb);
    EXPECT_EQ(ScreenShows(client, expected), "");
    // No scroll bars for a picture that fits.
    EXPECT_FALSE(::GetWindowLongPtrW(shot.hwnd(), GWL_STYLE) & (WS_HSCROLL | WS_VSCROLL));
}

TEST_F(ShotWindow, ARealDragPastTheRightAndBottomEdgesSelectsUpToTheEdgesWithTheReadOutAtEachStep)
{
    app::ShotWindow& shot = PatternShot();
    const std::vector<std::uint32_t> captured = PicturePixels(shot);
    ASSERT_EQ(FirstDifference(captured, PatternPixels(kWidth, kHeight), kWidth), "");
    EXPECT_EQ(FrameProbe::CopyHint(main), kWholeCaption);
    RealMouse mouse;

    mouse.MoveTo(At(shot, 12, 10));
    EXPECT_EQ(ReadOut(), L"X : 12 Y : 10 W : 0 H : 0");
    mouse.LeftDown();
    EXPECT_TRUE(ShotProbe::Selection(shot).Dragging());
    EXPECT_EQ(FrameProbe::CopyHint(main), kWholeCaption);

    mouse.MoveTo(At(shot, 60, 45));
    EXPECT_EQ(ReadOut(), L"X : 60 Y : 45 W : 48 H : 35");
    EXPECT_EQ(ShotShows(shot, captured, WithRingInverted(captured, kWidth, {12, 10, 60, 45})), "");

    mouse.MoveTo(At(shot, kWidth + 30, kHeight + 20));
    EXPECT_EQ(ReadOut(), L"X : 230 Y : 170 W : 218 H : 160");

    // Beyond the shot window altogether: the captured pointer still reports to it.
    RECT outer{};
    ::GetWindowRect(shot.hwnd(), &outer);
    POINT beyond{outer.right + 25, outer.bottom + 15};
    mouse.MoveTo(beyond);
    ::ScreenToClient(shot.hwnd(), &beyond);
    EXPECT_EQ(ReadOut(), L"X : " + std::to_wstring(beyond.x) + L" Y : " + std::to_wstring(beyond.y) + L" W : " +
                             std::to_wstring(beyond.x - 12) + L" H : " + std::to_wstring(beyond.y - 10));
    EXPECT_EQ(FrameProbe::CopyHint(main), kWholeCaption);

    mouse.LeftUp();
    EXPECT_FALSE(ShotProbe::Selection(shot).Dragging());
    EXPECT_TRUE(ShotProbe::Selection(shot).Selected());
    EXPECT_EQ(ShotProbe::Selection(shot).Start(), (core::Point{12, 10}));
    EXPECT_EQ(ShotProbe::Selection(shot).End(), (core::Point{kWidth, kHeight}));
    EXPECT_EQ(
        ShotShows(shot, captured, WithRingInverted(captured, kWidth, {12, 10, kWidth, kHeight})),
        "");
    EXPECT_EQ(FrameProbe::CopyHint(main), kSelectionCaption);
    EXPECT_EQ(BarCopyCaption(), kSelectionCaption);
    EXPECT_EQ(::GetCapture(), nullptr);

    // Without a drag the read-out follows the pointer and shows the selection's size.
    mouse.MoveTo(At(shot, 30, 31));
    EXPECT_EQ(ReadOut(), L"X : 30 Y : 31 W : 188 H : 140");
    EXPECT_TRUE(reports.texts().empty());
}

TEST_F(ShotWindow, ARealDragPastTheLeftAndTopEdgesStartsTheSelectionAtTheOrigin)
{
    app::ShotWindow& shot = PatternShot();
    const std::vector<std::uint32_t> captured = PicturePixels(shot);
    RealMouse mouse;
    mouse.MoveTo(At(shot, 50, 40));
    mouse.LeftDown();
    mouse.MoveTo(At(shot, -5, -7));
    EXPECT_EQ(ReadOut(), L"X : -5 Y : -7 W : 55 H : 47");
    mouse.LeftUp();
    EXPECT_EQ(ShotProbe::Selection(shot).Start(), (core::Point{0, 0}));
    EXPECT_EQ(ShotProbe::Selection(shot).End(), (core::Point{50, 40}));
    EXPECT_EQ(ShotShows(shot, captured, WithRingInverted(captured, kWidth, {0, 0, 50, 40})), "");
}

TEST_F(ShotWindow, ADragTowardsTheTopLeftShowsPositiveSizesAndEndsNormalised)
{
    app::ShotWindow& shot = PatternShot();
    const std::vector<std::uint32_t> captured = PicturePixels(shot);
    RealMouse mouse;
    mouse.MoveTo(At(shot, 150, 120));
    mouse.LeftDown();
    mouse.MoveTo(At(shot, 40, 30));
    EXPECT_EQ(ReadOut(), L"X : 40 Y : 30 W : 110 H : 90");
    mouse.LeftUp();
    EXPECT_EQ(ShotProbe::Selection(shot).Start(), (core::Point{40, 30}));
    EXPECT_EQ(ShotProbe::Selection(shot).End(), (core::Point{150, 120}));
    EXPECT_EQ(ShotShows(shot, captured, WithRingInverted(captured, kWidth, {40, 30, 150, 120})), "");
}

TEST_F(ShotWindow, AClickWithoutMovingSelectsAnEmptyAreaAndLeavesThePictureAlone)
{
    app::ShotWindow& shot = PatternShot();
    const std::vector<std::uint32_t> captured = PicturePixels(shot);
    RealMouse mouse;
    mouse.Click(At(shot, 70, 60));
    EXPECT_TRUE(ShotProbe::Selection(shot).Selected());
    EXPECT_EQ(ShotProbe::Selection(shot).Start(), (core::Point{70, 60}));
    EXPECT_EQ(ShotProbe::Selection(shot).End(), (core::Point{70, 60}));
    EXPECT_EQ(FirstDifference(PicturePixels(shot), captured, kWidth), "");
    EXPECT_EQ(FrameProbe::CopyHint(main), kSelectionCaption);
    EXPECT_EQ(ReadOut(), L"X : 70 Y : 60 W : 0 H : 0");
}

TEST_F(ShotWindow, APressWhileASelectionIsShownTakesItsFrameAwayFirst)
{
    app::ShotWindow& shot = PatternShot();
    const std::vector<std::uint32_t> captured = PicturePixels(shot);
    ::SendMessageW(main.hwnd(), WM_COMMAND, IDM_SELECT_ALL, 0);
    ASSERT_EQ(ShotShows(shot, captured, WithRingInverted(captured, kWidth, {0, 0, kWidth, kHeight})), "");
    RealMouse mouse;
    mouse.MoveTo(At(shot, 20, 25));
    mouse.LeftDown();
    EXPECT_EQ(ShotShows(shot, captured, captured), "");
    EXPECT_EQ(FrameProbe::CopyHint(main), kWholeCaption);
    EXPECT_EQ(BarCopyCaption(), kWholeCaption);
    mouse.LeftUp();
    EXPECT_EQ(FirstDifference(PicturePixels(shot), captured, kWidth), "");
}

TEST_F(ShotWindow, SelectAllByCtrlAAndCancelByTheMenuCommandFrameAndUnframeThePicture)
{
    app::ShotWindow& shot = PatternShot();
    const std::vector<std::uint32_t> captured = PicturePixels(shot);
    const std::vector<std::uint32_t> framed = WithRingInverted(captured, kWidth, {0, 0, kWidth, kHeight});

    PressKeys({VK_CONTROL, 'A'});
    ASSERT_TRUE(PumpProgramUntil(main, [&] { return ShotProbe::Selection(shot).Selected(); }));
    EXPECT_EQ(ShotProbe::Selection(shot).Start(), (core::Point{0, 0}));
    EXPECT_EQ(ShotProbe::Selection(shot).End(), (core::Point{kWidth, kHeight}));
    EXPECT_EQ(ShotShows(shot, captured, framed), "");
    EXPECT_EQ(FrameProbe::CopyHint(main), kSelectionCaption);
    EXPECT_EQ(BarCopyCaption(), kSelectionCaption);

    // Twice in a row still leaves one frame.
    PressKeys({VK_CONTROL, 'A'});
    PumpProgramUntil(
        main, [] { return ::GetAsyncKeyState(VK_CONTROL) >= 0; }, 500);
    PumpProgramUntil(
        main, [] { return false; }, 100);
    EXPECT_EQ(ShotShows(shot, captured, framed), "");

    ::SendMessageW(main.hwnd(), WM_COMMAND, IDM_SELECT_CANCEL, 0);
    EXPECT_FALSE(ShotProbe::Selection(shot).Selected());
    EXPECT_EQ(ShotProbe::Selection(shot).End(), (core::Point{0, 0}));
    EXPECT_EQ(FirstDifference(PicturePixels(shot), captured, kWidth), "");
    EXPECT_EQ(FrameProbe::CopyHint(main), kWholeCaption);
    EXPECT_EQ(BarCopyCaption(), kWholeCaption);

    // Cancel with nothing selected changes nothing in the picture.
    ::SendMessageW(main.hwnd(), WM_COMMAND, IDM_SELECT_CANCEL, 0);
    EXPECT_EQ(FirstDifference(PicturePixels(shot), captured, kWidth), "");
    EXPECT_EQ(FrameProbe::CopyHint(main), kWholeCaption);

    // The frame goes from the screen too.
    EXPECT_EQ(ShotShows(shot, captured, captured), "");
}

TEST_F(ShotWindow, EachShotKeepsItsOwnSelectionAndTheHintFollowsTheShotActivatedLast)
{
    app::ShotWindow& first = PatternShot();
    app::ShotWindow& second = PatternShot();
    ASSERT_EQ(ActiveShotWindow(main), &second);
    ::SendMessageW(main.hwnd(), WM_COMMAND, IDM_SELECT_ALL, 0);
    EXPECT_TRUE(ShotProbe::Selection(second).Selected());
    EXPECT_FALSE(ShotProbe::Selection(first).Selected());
    EXPECT_EQ(FrameProbe::CopyHint(main), kSelectionCaption);

    ::SendMessageW(main.MdiClient(), WM_MDIACTIVATE, reinterpret_cast<WPARAM>(first.hwnd()), 0);
    ASSERT_EQ(ActiveShotWindow(main), &first);
    EXPECT_EQ(FrameProbe::CopyHint(main), kWholeCaption);
    EXPECT_EQ(BarCopyCaption(), kWholeCaption);
    EXPECT_EQ(BeforeTab(MenuItemText(ShotProbe::Menu(second), IDM_COPY)), kSelectionCaption);

    // The pointer over the picture of the shot behind reads out from that shot's selection.
    RealMouse mouse;
    ::SendMessageW(main.hwnd(), WM_COMMAND, IDM_TILE, 0);
    mouse.MoveTo(At(second, 5, 6));
    EXPECT_EQ(ReadOut(), L"X : 5 Y : 6 W : 200 H : 150");

    ::SendMessageW(main.MdiClient(), WM_MDIACTIVATE, reinterpret_cast<WPARAM>(second.hwnd()), 0);
    EXPECT_EQ(FrameProbe::CopyHint(main), kSelectionCaption);
    EXPECT_EQ(BarCopyCaption(), kSelectionCaption);
}

TEST_F(ShotWindow, ABigPictureScrollsKeepsItsFrameOnScreenAndADragThereReportsPictureCoordinates)
{
    const int width = ::GetSystemMetrics(SM_CXSCREEN), height = ::GetSystemMetrics(SM_CYSCREEN);
    FrameProbe::CaptureScreenRect(main, 0, 0, width, height);
    app::ShotWindow* shotPtr = ActiveShotWindow(main);
    ASSERT_NE(shotPtr, nullptr);
    app::ShotWindow& shot = *shotPtr;
    ::UpdateWindow(shot.hwnd());
    const LONG_PTR style = ::GetWindowLongPtrW(shot.hwnd(), GWL_STYLE);
    EXPECT_TRUE(style & WS_HSCROLL);
    EXPECT_TRUE(style & WS_VSCROLL);
    RECT client{};
    ::GetClientRect(shot.hwnd(), &client);
    SCROLLINFO h{sizeof(h), SIF_ALL}, v{sizeof(v), SIF_ALL};
    ::GetScrollInfo(shot.hwnd(), SB_HORZ, &h);
    ::GetScrollInfo(shot.hwnd(), SB_VERT, &v);
    EXPECT_EQ(h.nMax - h.nMin + 1, width);
    EXPECT_EQ(static_cast<int>(h.nPage), client.right);
    EXPECT_EQ(v.nMax - v.nMin + 1, height);
    EXPECT_EQ(static_cast<int>(v.nPage), client.bottom);

    const std::vector<std::uint32_t> captured = PicturePixels(shot);
    RealMouse mouse;
    mouse.MoveTo(At(shot, 100, 80));
    mouse.LeftDown();
    mouse.MoveTo(At(shot, 400, 300));
    mouse.LeftUp();
    const std::vector<std::uint32_t> framed = WithRingInverted(captured, width, {100, 80, 400, 300});
    ASSERT_EQ(FirstDifference(PicturePixels(shot), captured, width), "");

    for (int i = 0; i < 5; ++i) ::SendMessageW(shot.hwnd(), WM_HSCROLL, SB_LINEDOWN, 0);
    for (int i = 0; i < 3; ++i) ::SendMessageW(shot.hwnd(), WM_VSCROLL, SB_LINEDOWN, 0);
    const POINT scroll = ShotProbe::ScrollPosition(shot);
    ASSERT_GT(scroll.x, 0);
    ASSERT_GT(scroll.y, 0);
    EXPECT_EQ(::GetScrollPos(shot.hwnd(), SB_HORZ), scroll.x);
    EXPECT_EQ(::GetScrollPos(shot.hwnd(), SB_VERT), scroll.y);
    EXPECT_EQ(ScreenShows(ClientOnScreen(shot.hwnd()),
                          Crop(framed, width, {scroll.x, scroll.y, scroll.x + client.right, scroll.y + client.bottom})),
              "");

    mouse.MoveTo(At(shot, 30, 40));
    mouse.LeftDown();
    mouse.MoveTo(At(shot, 130, 90));
    EXPECT_EQ(ReadOut(), L"X : " + std::to_wstring(130 + scroll.x) + L" Y : " + std::to_wstring(90 + scroll.y) +
                             L" W : 100 H : 50");
    mouse.LeftUp();
    EXPECT_EQ(ShotProbe::Selection(shot).Start(), (core::Point{30 + scroll.x, 40 + scroll.y}));
    EXPECT_EQ(ShotProbe::Selection(shot).End(), (core::Point{130 + scroll.x, 90 + scroll.y}));
    EXPECT_EQ(FirstDifference(PicturePixels(shot), captured, width), "");
    const std::vector<std::uint32_t> reframed =
        WithRingInverted(captured, width, {30 + scroll.x, 40 + scroll.y, 130 + scroll.x, 90 + scroll.y});
    EXPECT_EQ(ScreenShows(ClientOnScreen(shot.hwnd()),
                          Crop(reframed, width, {scroll.x, scroll.y, scroll.x + client.right, scroll.y + client.bottom})),
              "");
}

}  // namespace
