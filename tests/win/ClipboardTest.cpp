// The copy of a shot window's selection to the clipboard, read back as other programs see it.
#include <gtest/gtest.h>

#include <cstring>

#include "CaptureSupport.h"
#include "ClipboardProbe.h"
#include "WinTest.h"
#include "app/ShotWindow.h"
#include "resource.h"

using namespace wintest;

namespace {

constexpr wchar_t kBusy[] = L"クリップボードを開くことができません.";
constexpr wchar_t kWholeCaption[] = L"全体をクリップボードへコピー(&C)";
constexpr wchar_t kSelectionCaption[] = L"選択範囲をクリップボードへコピー(&C)";
constexpr wchar_t kEarlierText[] = L"what another program put there";

POINT Cursor()
{
    POINT p{};
    ::GetCursorPos(&p);
    return p;
}

std::wstring MenuCaption(const std::wstring& caption) { return caption + L"\tCtrl+C"; }

class ClipboardTestBase : public ::testing::Test {
protected:
    ClipboardTestBase() { PutClipboardText(kEarlierText); }

    // A copy as the frame's menu item (Ctrl+C's command) gives it.
    void CopyByMenu() { ::SendMessageW(program.main.hwnd(), WM_COMMAND, MAKEWPARAM(IDM_COPY, 0), 0); }

    // Nothing on the clipboard changed since the earlier text was put there.
    void ExpectEarlierTextUntouched(DWORD sequenceBefore)
    {
        EXPECT_EQ(::GetClipboardSequenceNumber(), sequenceBefore);
        EXPECT_EQ(ClipboardText(), std::wstring(kEarlierText));
        EXPECT_FALSE(ClipboardBitmap().has_value());
    }

    ScratchRegistry registry;
    ErrorReports reports;
    Program program;
};

class Copy : public ClipboardTestBase {
protected:
    static constexpr int kWidth = 64, kHeight = 48;
    static constexpr core::Rect kWhole{0, 0, kWidth, kHeight};

    static app::ShotWindow& MakeShot(app::MainFrame& main, int width, int height, const char* caption)
    {
        app::ShotWindow& shot = app::ShotWindow::Create(main, PatternPicture(width, height), caption);
        Pump(20);
        return shot;
    }

    void Drag(core::Point from, core::Point to)
    {
        ShotProbe::PressPicture(shot, true, from);
        ShotProbe::MoveOverPicture(shot, to);
        ShotProbe::ReleasePicture(shot, true);
    }

    // The copy expected of a selection: the picture's own pixels, as captured.
    Pixels Expected(core::Rect area) const { return Crop(captured, area); }
    // The picture holds its captured pixels and the window shows the frame of `frame` over them.
    std::string FrameShownOverTheCapture(core::Rect frame) const
    {
        const Pixels picture = PicturePixels(ShotProbe::Picture(shot));
        if (picture != captured) return "picture: " + Differences(captured, picture);
        ::UpdateWindow(shot.hwnd());
        Pump(20);
        return Differences(WithFrame(captured, frame), WindowPixels(shot.hwnd(), kWidth, kHeight));
    }

    app::ShotWindow& shot = MakeShot(program.main, kWidth, kHeight, "Shot:1");
    const Pixels captured = PicturePixels(ShotProbe::Picture(shot));
};

TEST_F(Copy, ThePictureHoldsThePatternItWasPaintedWith)
{
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x)
            ASSERT_EQ(captured.at(x, y), PatternPixel(x, y)) << x << ", " << y;
}

struct DragCase {
    const char* name;
    core::Point from, to;
    core::Rect copied;
};

void PrintTo(const DragCase& c, std::ostream* out) { *out << c.name; }

class DraggedSelection : public Copy, public ::testing::WithParamInterface<DragCase> {};

TEST_P(DraggedSelection, IsCopiedWithThePicturesOwnPixelsWhileTheFrameStaysOnScreen)
{
    const DragCase& c = GetParam();
    Drag(c.from, c.to);
    CopyByMenu();
    const std::optional<Pixels> copy = ClipboardBitmap();
    ASSERT_TRUE(copy.has_value());
    EXPECT_EQ(*copy, Expected(c.copied)) << Differences(Expected(c.copied), *copy);
    EXPECT_EQ(FrameShownOverTheCapture(c.copied), "");
    EXPECT_TRUE(reports.texts().empty());
}

// The picture is 64 x 48.
INSTANTIATE_TEST_SUITE_P(
    Drags, DraggedSelection,
    ::testing::Values(DragCase{"TowardsTheBottomRight", {10, 5}, {30, 25}, {10, 5, 30, 25}},
                      DragCase{"TowardsTheTopLeft", {30, 25}, {10, 5}, {10, 5, 30, 25}},
                      DragCase{"TowardsTheTopRight", {10, 25}, {30, 5}, {10, 5, 30, 25}},
                      DragCase{"PastTheRightAndBottomEdges", {40, 20}, {80, 70}, {40, 20, 64, 48}},
                      DragCase{"PastTheLeftAndTopEdges", {20, 15}, {-12, -7}, {0, 0, 20, 15}},
                      DragCase{"PastTheLeftAndBottomEdges", {20, 15}, {-5, 100}, {0, 15, 20, 48}},
                      DragCase{"FromTheLastPixelPastTheRightAndBottomEdges", {63, 47}, {90, 90}, {63, 47, 64, 48}},
                      DragCase{"OneColumnWide", {7, 3}, {8, 40}, {7, 3, 8, 40}},
                      DragCase{"TwoRowsHigh", {5, 9}, {50, 11}, {5, 9, 50, 11}}),
    [](const ::testing::TestParamInfo<DragCase>& info) { return std::string(info.param.name); });

TEST_F(Copy, SelectAllCopiesTheWholePicture)
{
    ShotProbe::SelectAll(shot);
    CopyByMenu();
    EXPECT_EQ(ClipboardBitmap(), captured);
    EXPECT_EQ(FrameShownOverTheCapture(kWhole), "");
}

TEST_F(Copy, WithNothingSelectedSelectsAllFirstAndCopiesTheWholePicture)
{
    EXPECT_EQ(MenuItemText(ShotProbe::Menu(shot), IDM_COPY), MenuCaption(kWholeCaption));
    EXPECT_EQ(FrameProbe::CopyHint(program.main), kWholeCaption);
    CopyByMenu();
    EXPECT_EQ(ClipboardBitmap(), captured);
    EXPECT_TRUE(ShotProbe::Selection(shot).Selected());
    EXPECT_EQ(ShotProbe::Selection(shot).Start(), (core::Point{0, 0}));
    EXPECT_EQ(ShotProbe::Selection(shot).End(), (core::Point{kWidth, kHeight}));
    EXPECT_EQ(FrameShownOverTheCapture(kWhole), "");
    EXPECT_EQ(MenuItemText(ShotProbe::Menu(shot), IDM_COPY), MenuCaption(kSelectionCaption));
    EXPECT_EQ(FrameProbe::CopyHint(program.main), kSelectionCaption);
}

TEST_F(Copy, ASecondProcessReadsTheSamePicture)
{
    Drag({12, 30}, {52, 3});
    CopyByMenu();
    const std::optional<Pixels> copy = ClipboardBitmapFromAnotherProcess();
    ASSERT_TRUE(copy.has_value());
    EXPECT_EQ(*copy, Expected({12, 3, 52, 30})) << Differences(Expected({12, 3, 52, 30}), *copy);
}

TEST_F(Copy, TheApplicationWindowOwnsTheClipboardAfterACopy)
{
    CopyByMenu();
    EXPECT_EQ(::GetClipboardOwner(), program.application.hwnd());
    EXPECT_NE(::GetClipboardOwner(), program.main.hwnd());
}

TEST_F(Copy, AClipboardHeldByAnotherThreadIsReportedAndKeepsItsContent)
{
    const DWORD before = ::GetClipboardSequenceNumber();
    {
        ClipboardHolder holder;
        ASSERT_TRUE(holder.holding());
        CopyByMenu();
    }
    ASSERT_EQ(reports.texts().size(), 1u);
    EXPECT_EQ(reports.texts()[0], kBusy);
    ExpectEarlierTextUntouched(before);
    // The Select all of the failed copy stays, and nothing stands in the way of the next copy.
    EXPECT_TRUE(ShotProbe::Selection(shot).Selected());
    EXPECT_EQ(MenuItemText(ShotProbe::Menu(shot), IDM_COPY), MenuCaption(kSelectionCaption));
    EXPECT_EQ(FrameShownOverTheCapture(kWhole), "");
    CopyByMenu();
    EXPECT_EQ(ClipboardBitmap(), captured);
    EXPECT_EQ(reports.texts().size(), 1u);
}

TEST_F(Copy, CopyingTwiceGivesTheSameBitmapAndLeavesThePictureAsItWas)
{
    Drag({3, 4}, {41, 33});
    CopyByMenu();
    const DWORD afterFirst = ::GetClipboardSequenceNumber();
    const std::optional<Pixels> first = ClipboardBitmap();
    EXPECT_EQ(FrameShownOverTheCapture({3, 4, 41, 33}), "");
    CopyByMenu();
    EXPECT_NE(::GetClipboardSequenceNumber(), afterFirst);
    const std::optional<Pixels> second = ClipboardBitmap();
    ASSERT_TRUE(first.has_value());
    EXPECT_EQ(*first, Expected({3, 4, 41, 33}));
    EXPECT_EQ(second, first);
    EXPECT_EQ(FrameShownOverTheCapture({3, 4, 41, 33}), "");
}

TEST_F(Copy, TheShotWindowStillShowsTheFrameAfterTheCopy)
{
    RECT client{};
    ::GetClientRect(shot.hwnd(), &client);
    ASSERT_GE(client.right, kWidth);
    ASSERT_GE(client.bottom, kHeight);
    Drag({8, 6}, {50, 40});
    CopyByMenu();
    ::UpdateWindow(shot.hwnd());
    Pump(20);
    const Pixels shown = WindowPixels(shot.hwnd(), kWidth, kHeight);
    EXPECT_EQ(shown, WithFrame(captured, {8, 6, 50, 40})) << Differences(WithFrame(captured, {8, 6, 50, 40}), shown);
}

TEST_F(Copy, AClickWithoutADragLeavesTheClipboardAsItWas)
{
    ShotProbe::PressPicture(shot, true, {20, 20});
    ShotProbe::ReleasePicture(shot, true);
    ASSERT_TRUE(ShotProbe::Selection(shot).Selected());
    const DWORD before = ::GetClipboardSequenceNumber();
    CopyByMenu();
    ExpectEarlierTextUntouched(before);
    EXPECT_EQ(PicturePixels(ShotProbe::Picture(shot)), captured);
    EXPECT_TRUE(reports.texts().empty());
}

TEST_F(Copy, AnEmptyPictureSelectsAllAndLeavesTheClipboardAsItWas)
{
    app::ShotWindow& empty = MakeShot(program.main, 0, 0, "Shot:2");
    ASSERT_EQ(FrameProbe::ActiveShot(program.main), empty.hwnd());
    const DWORD before = ::GetClipboardSequenceNumber();
    CopyByMenu();
    ExpectEarlierTextUntouched(before);
    EXPECT_TRUE(ShotProbe::Selection(empty).Selected());
    EXPECT_EQ(MenuItemText(ShotProbe::Menu(empty), IDM_COPY), MenuCaption(kSelectionCaption));
    EXPECT_FALSE(ShotProbe::Selection(shot).Selected());
    EXPECT_TRUE(reports.texts().empty());
}

TEST_F(Copy, TheToolButtonCopiesFromTheActiveShotWindow)
{
    app::ShotWindow& second = MakeShot(program.main, 30, 20, "Shot:2");
    ASSERT_EQ(FrameProbe::ActiveShot(program.main), second.hwnd());
    const Pixels secondCaptured = PicturePixels(ShotProbe::Picture(second));
    ::SendMessageW(program.main.hwnd(), WM_COMMAND, IDB_COPY_CLIPBOARD, 0);
    EXPECT_EQ(ClipboardBitmap(), secondCaptured);
    EXPECT_TRUE(ShotProbe::Selection(second).Selected());
    EXPECT_FALSE(ShotProbe::Selection(shot).Selected());
}

class NoShotWindow : public ClipboardTestBase {};

TEST_F(NoShotWindow, TheToolButtonAndTheMenuCommandDoNothing)
{
    ASSERT_EQ(FrameProbe::ActiveShot(program.main), nullptr);
    const DWORD before = ::GetClipboardSequenceNumber();
    ::SendMessageW(program.main.hwnd(), WM_COMMAND, IDB_COPY_CLIPBOARD, 0);
    CopyByMenu();
    ExpectEarlierTextUntouched(before);
    EXPECT_TRUE(reports.texts().empty());
}

// --- the three ways to the copy, by real input where there is some ----------------------

enum class Way { MenuItem, ToolButton, CtrlC };

const char* WayName(Way way)
{
    switch (way) {
        case Way::MenuItem: return "MenuItem";
        case Way::ToolButton: return "ToolButton";
        case Way::CtrlC: return "CtrlC";
    }
    return "";
}

void PrintTo(Way way, std::ostream* out) { *out << WayName(way); }

class CopyBy : public Copy, public ::testing::WithParamInterface<Way> {
protected:
    void SetUp() override
    {
        ::SetForegroundWindow(program.main.hwnd());
        ASSERT_TRUE(PumpUntil([&] { return ::GetForegroundWindow() == program.main.hwnd(); }));
    }

    void CopyTheWay()
    {
        const DWORD before = ::GetClipboardSequenceNumber();
        const auto copied = [&] { return ::GetClipboardSequenceNumber() != before; };
        switch (GetParam()) {
            case Way::MenuItem: CopyByMenu(); break;
            case Way::ToolButton: {
                RECT button{};
                ASSERT_TRUE(::SendMessageW(FrameProbe::ToolBar(program.main), TB_GETRECT, IDB_COPY_CLIPBOARD,
                                           reinterpret_cast<LPARAM>(&button)));
                POINT centre{(button.left + button.right) / 2, (button.top + button.bottom) / 2};
                ::ClientToScreen(FrameProbe::ToolBar(program.main), &centre);
                MovePointerTo(centre);
                PressPrimaryButton();
                ASSERT_TRUE(PumpUntil([&] {
                    return ::SendMessageW(FrameProbe::ToolBar(program.main), TB_ISBUTTONPRESSED, IDB_COPY_CLIPBOARD, 0) != 0;
                }));
                ReleasePrimaryButton();
                ASSERT_TRUE(PumpUntil(copied))
                    << "pointer at " << Cursor().x << ", " << Cursor().y << " for " << centre.x << ", " << centre.y;
                break;
            }
            case Way::CtrlC:
                PressCtrlKey('C');
                ASSERT_TRUE(PumpProgramUntil(program.main, copied));
                // Ctrl is up again before anything else reads the keyboard.
                ASSERT_TRUE(PumpProgramUntil(program.main, [] { return ::GetKeyState(VK_CONTROL) >= 0; }));
                break;
        }
    }
};

TEST_P(CopyBy, GivesTheSameCopyAsTheMenuItem)
{
    CopyTheWay();
    EXPECT_EQ(ClipboardBitmap(), captured);
    EXPECT_TRUE(ShotProbe::Selection(shot).Selected());
    EXPECT_EQ(FrameProbe::CopyHint(program.main), kSelectionCaption);

    Drag({5, 7}, {33, 44});
    CopyTheWay();
    EXPECT_EQ(ClipboardBitmap(), Expected({5, 7, 33, 44}));
    EXPECT_EQ(::GetClipboardOwner(), program.application.hwnd());
    EXPECT_TRUE(reports.texts().empty());
}

INSTANTIATE_TEST_SUITE_P(Ways, CopyBy, ::testing::Values(Way::MenuItem, Way::ToolButton, Way::CtrlC),
                         [](const ::testing::TestParamInfo<Way>& info) { return std::string(WayName(info.param)); });

// --- a drag with the real mouse, which the window captures past the picture's edges ---

struct RealDragCase {
    const char* name;
    core::Point from, to;
    core::Rect copied;
};

void PrintTo(const RealDragCase& c, std::ostream* out) { *out << c.name; }

class RealDrag : public Copy, public ::testing::WithParamInterface<RealDragCase> {
protected:
    POINT OnScreen(core::Point p) const
    {
        POINT s{p.x, p.y};
        ::ClientToScreen(shot.hwnd(), &s);
        return s;
    }
};

TEST_P(RealDrag, CopiesWhatTheReleaseSelected)
{
    const RealDragCase& c = GetParam();
    ::SetForegroundWindow(program.main.hwnd());
    ASSERT_TRUE(PumpUntil([&] { return ::GetForegroundWindow() == program.main.hwnd(); }));
    MovePointerTo(OnScreen(c.from));
    PressPrimaryButton();
    ASSERT_TRUE(PumpUntil([&] { return ShotProbe::Selection(shot).Dragging(); }));
    MovePointerTo(OnScreen(c.to));
    ASSERT_TRUE(PumpUntil([&] { return ShotProbe::Selection(shot).End() == c.to; }))
        << "pointer at " << Cursor().x << ", " << Cursor().y << " for " << OnScreen(c.to).x << ", " << OnScreen(c.to).y
        << "; end " << ShotProbe::Selection(shot).End().x << ", " << ShotProbe::Selection(shot).End().y;
    ReleasePrimaryButton();
    ASSERT_TRUE(PumpUntil([&] { return !ShotProbe::Selection(shot).Dragging(); }));
    CopyByMenu();
    const std::optional<Pixels> copy = ClipboardBitmap();
    ASSERT_TRUE(copy.has_value());
    EXPECT_EQ(*copy, Expected(c.copied)) << Differences(Expected(c.copied), *copy);
}

INSTANTIATE_TEST_SUITE_P(
    Mouse, RealDrag,
    ::testing::Values(RealDragCase{"PastTheRightEdgeTowardsTheTop", {50, 30}, {84, 5}, {50, 5, 64, 30}},
                      RealDragCase{"PastTheLeftAndTopEdges", {20, 15}, {-6, -4}, {0, 0, 20, 15}}),
    [](const ::testing::TestParamInfo<RealDragCase>& info) { return std::string(info.param.name); });

}  // namespace

// The test program doubles as the second process that reads the clipboard.
int main(int argc, char** argv)
{
    if (argc == 3 && std::strcmp(argv[1], kDumpClipboardArgument) == 0) return DumpClipboard(argv[2]);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
