// The capture sequence around the grab: shot numbers, pictures too large to be made, the
// program coming back before a report, empty targets, a second start press, and what fifty
// captures leave behind.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "CaptureFixture.h"
#include "CaptureSupport.h"
#include "WinTest.h"
#include "resource.h"
#include "win32/ErrorReport.h"

using namespace wintest;

namespace {

// The screen is read into no picture longer than 32767 pixels a side: the system's text for
// a parameter out of range, as Wine gives it in Japanese.
const std::wstring kTooLongASide = L"パラメーターは正しくありません。.";

// Records, with each report, whether the program was back when the user got to read it.
class ReportsWithState {
public:
    explicit ReportsWithState(const app::MainFrame& main)
    {
        win::SetErrorReportSink([this, &main](const std::wstring& text) {
            texts.push_back(text);
            backAtReport.push_back(FrameIsBack(main));
        });
    }
    ~ReportsWithState() { win::SetErrorReportSink(nullptr); }
    std::vector<std::wstring> texts;
    std::vector<bool> backAtReport;
};

TEST_F(Capture, AShotMadeWhileTheProgramIsMinimisedGetsTheUsualWindowSize)
{
    Program program;
    app::MainFrame& main = program.main;
    main.SetCaptureDelay(1);
    FrameProbe::CaptureScreenRect(main, 0, 0, 64, 48);
    app::ShotWindow* usual = ActiveShotWindow(main);
    ASSERT_NE(usual, nullptr);
    RECT usualRect{};
    ::GetWindowRect(usual->hwnd(), &usualRect);
    CloseShot(main, *usual);

    ::SendMessageW(main.hwnd(), WM_COMMAND, IDB_START_CAPTURE, 0);
    ASSERT_TRUE(WaitForShot(main, 2));
    app::ShotWindow* shot = ActiveShotWindow(main);
    ASSERT_NE(shot, nullptr);
    RECT rect{};
    ::GetWindowRect(shot->hwnd(), &rect);
    EXPECT_EQ(rect.right - rect.left, usualRect.right - usualRect.left);
    EXPECT_EQ(rect.bottom - rect.top, usualRect.bottom - usualRect.top);
    const RECT client = ClientOnScreen(shot->hwnd());
    EXPECT_GT(client.bottom - client.top, 48) << "the picture cannot be seen";
}

TEST_F(Capture, ShotsAreNumberedFromOneAndAClosedShotsNumberIsNotGivenBack)
{
    Program program;
    app::MainFrame& main = program.main;
    FrameProbe::CaptureScreenRect(main, 0, 0, 64, 48);
    FrameProbe::CaptureScreenRect(main, 0, 0, 64, 48);
    app::ShotWindow* second = ActiveShotWindow(main);
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(WindowText(second->hwnd()), L"Shot:2");
    CloseShot(main, *second);

    FrameProbe::CaptureScreenRect(main, 0, 0, 64, 48);
    std::vector<std::wstring> captions;
    for (app::ShotWindow* shot : Shots(main))
        captions.push_back(WindowText(shot->hwnd()));
    EXPECT_EQ(captions, (std::vector<std::wstring>{L"Shot:3", L"Shot:1"}));
    EXPECT_EQ(FrameProbe::ShotCount(main), 3);
}

struct Refused {
    int width, height;
};

class RefusedPicture : public Capture, public ::testing::WithParamInterface<Refused> {};

TEST_P(RefusedPicture, IsReportedAndLeavesNoWindowAndNoNumberUsed)
{
    const Refused size = GetParam();
    const std::wstring expected = kTooLongASide;
    Program program;
    app::MainFrame& main = program.main;
    FrameProbe::CaptureScreenRect(main, 0, 0, 32, 32);

    // As the capture tick runs it: inside the handler guard, which reports what the grab raised.
    win::GuardedVoid([&] { FrameProbe::CaptureScreenRect(main, 0, 0, size.width, size.height); });
    EXPECT_EQ(reports.texts(), std::vector<std::wstring>{expected});
    EXPECT_EQ(Shots(main).size(), 1u);
    EXPECT_EQ(FrameProbe::ShotCount(main), 1);

    FrameProbe::CaptureScreenRect(main, 0, 0, 32, 32);
    ASSERT_NE(ActiveShotWindow(main), nullptr);
    EXPECT_EQ(WindowText(ActiveShotWindow(main)->hwnd()), L"Shot:2");
}

INSTANTIATE_TEST_SUITE_P(HugeRectangles, RefusedPicture,
                         ::testing::Values(Refused{100000, 100000}, Refused{0x7FFFFFF, 1}, Refused{1, 32768}),
                         [](const ::testing::TestParamInfo<Refused>& info) {
                             return std::to_string(info.param.width) + "x" + std::to_string(info.param.height);
                         });

TEST_F(Capture, WhenTheGrabFailsTheProgramIsBackBeforeTheErrorIsReported)
{
    Program program;
    app::MainFrame& main = program.main;
    main.SetCaptureDelay(1);
    ::SendMessageW(main.hwnd(), WM_COMMAND, IDB_ACTIVE_WINDOW, 0);
    ReportsWithState seen(main);
    const std::wstring expected = kTooLongASide;

    ::SendMessageW(main.hwnd(), WM_COMMAND, IDB_START_CAPTURE, 0);
    // A window far larger than any picture can be is in front at the tick.
    const HWND huge = ::CreateWindowExW(0, L"STATIC", L"", WS_POPUP | WS_VISIBLE, 0, 0, 100000, 100000, nullptr,
                                        nullptr, ::GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(huge, nullptr);
    ::SetForegroundWindow(huge);
    ASSERT_TRUE(PumpUntil([&] { return ::GetForegroundWindow() == huge; }));

    EXPECT_TRUE(PumpUntil([&] { return !seen.texts.empty(); }, kTickWait));
    ::DestroyWindow(huge);
    ASSERT_EQ(seen.texts, std::vector<std::wstring>{expected});
    EXPECT_TRUE(seen.backAtReport[0]) << "the report came while the program was still minimised";
    EXPECT_TRUE(Shots(main).empty());
    EXPECT_EQ(FrameProbe::ShotCount(main), 0);
    EXPECT_FALSE(FrameProbe::CaptureTimer(main).Enabled());
}

TEST_F(Capture, AnEmptyRectangleMakesANumberedShotWithAnEmptyPicture)
{
    Program program;
    app::MainFrame& main = program.main;
    FrameProbe::CaptureScreenRect(main, 0, 0, 0, 0);
    app::ShotWindow* shot = ActiveShotWindow(main);
    ASSERT_NE(shot, nullptr);
    EXPECT_EQ(WindowText(shot->hwnd()), L"Shot:1");
    EXPECT_EQ(ShotProbe::Picture(*shot).Width(), 0);
    EXPECT_EQ(ShotProbe::Picture(*shot).Height(), 0);
    // The window shows nothing but its face colour.
    const COLORREF face = ::GetSysColor(COLOR_BTNFACE);
    const std::uint32_t faceRgb = (GetRValue(face) << 16) | (GetGValue(face) << 8) | GetBValue(face);
    const RECT client = ClientOnScreen(shot->hwnd());
    const auto area = static_cast<size_t>(client.right - client.left) * static_cast<size_t>(client.bottom - client.top);
    EXPECT_EQ(ScreenShows(client, std::vector<std::uint32_t>(area, faceRgb)), "");
    EXPECT_TRUE(reports.texts().empty());
}

TEST_F(Capture, AModeWithNoTargetGivesAShotWithAnEmptyPictureAfterTheDelay)
{
    Program program;
    app::MainFrame& main = program.main;
    main.SetCaptureDelay(1);
    FrameProbe::SetCaptureMode(main, 6);
    ::SendMessageW(main.hwnd(), WM_COMMAND, IDB_START_CAPTURE, 0);
    ASSERT_TRUE(WaitForShot(main, 1));
    app::ShotWindow* shot = ActiveShotWindow(main);
    ASSERT_NE(shot, nullptr);
    EXPECT_EQ(WindowText(shot->hwnd()), L"Shot:1");
    EXPECT_EQ(ShotProbe::Picture(*shot).Width(), 0);
    EXPECT_EQ(ShotProbe::Picture(*shot).Height(), 0);
    EXPECT_TRUE(reports.texts().empty());
}

TEST_F(Capture, ASecondStartPressDuringTheWaitKeepsTheFirstDeadlineAndMakesOneShot)
{
    Program program;
    app::MainFrame& main = program.main;
    main.SetCaptureDelay(1);
    FrameProbe::SetCaptureMode(main, 6);  // an empty picture: the quickest grab
    ::SendMessageW(main.hwnd(), WM_COMMAND, IDB_START_CAPTURE, 0);
    const ULONGLONG pressed = ::GetTickCount64();
    Pump(600);
    // The user brings the program back and presses start again.
    ::ShowWindow(main.hwnd(), SW_RESTORE);
    ::SendMessageW(main.hwnd(), WM_COMMAND, IDB_START_CAPTURE, 0);
    EXPECT_TRUE(::IsIconic(main.hwnd()));

    ASSERT_TRUE(WaitForShot(main, 1));
    const ULONGLONG waited = ::GetTickCount64() - pressed;
    EXPECT_GE(waited, 950u);
    EXPECT_LT(waited, 1450u) << "the second press restarted the countdown";
    Pump(1200);
    EXPECT_EQ(FrameProbe::ShotCount(main), 1);
    EXPECT_EQ(Shots(main).size(), 1u);
    EXPECT_FALSE(FrameProbe::CaptureTimer(main).Enabled());
}

TEST_F(Capture, FiftyCaptureAndCloseCyclesLeaveNoObjectsOrMemoryBehind)
{
    Program program;
    app::MainFrame& main = program.main;
    const int width = ::GetSystemMetrics(SM_CXSCREEN), height = ::GetSystemMetrics(SM_CYSCREEN);
    const auto cycle = [&] {
        FrameProbe::CaptureScreenRect(main, 0, 0, width, height);
        app::ShotWindow* shot = ActiveShotWindow(main);
        ASSERT_NE(shot, nullptr);
        ::SendMessageW(main.hwnd(), WM_COMMAND, IDM_SELECT_ALL, 0);
        ::SendMessageW(main.hwnd(), WM_COMMAND, IDM_CLOSE, 0);
        Pump(0);
    };
    for (int i = 0; i < 3; ++i)
        cycle();  // the first shots set up what stays for the run
    const std::optional<int> gdiBefore = GdiObjectCount();
    const std::optional<int> menusBefore = MenuCount();
    const std::size_t memoryBefore = PrivateBytes();

    for (int i = 0; i < 50; ++i)
        cycle();

    EXPECT_TRUE(Shots(main).empty());
    EXPECT_EQ(FrameProbe::ShotCount(main), 53);
    ASSERT_TRUE(gdiBefore.has_value()) << "no way to count GDI objects here";
    EXPECT_EQ(GdiObjectCount(), gdiBefore);
    if (menusBefore) {
        EXPECT_EQ(MenuCount(), menusBefore);
    }
    // One leaked picture alone would be 5 MB at 1280 x 1024.
    const std::size_t memoryAfter = PrivateBytes();
    EXPECT_LT(memoryAfter, memoryBefore + 4 * 1024 * 1024)
        << "private memory grew from " << memoryBefore << " to " << memoryAfter;
    EXPECT_TRUE(reports.texts().empty());
}

}  // namespace
