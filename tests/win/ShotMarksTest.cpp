// Marks over a shot, made with the tools as a user makes them: with real input, read back from
// the shot's marks, its picture (which keeps its own pixels), the clipboard and a saved file;
// a cut-out carrying them, a mosaic hiding them, and the zoom.
#include <gtest/gtest.h>
#include <windows.h>
#include <imm.h>

#include <functional>
#include <string>
#include <vector>

#include "CaptureSupport.h"
#include "ClipboardProbe.h"
#include "SaveSupport.h"
#include "ShotFixture.h"
#include "WinTest.h"
#include "core/Edits.h"
#include "core/Marks.h"
#include "resource.h"

using namespace wintest;

namespace {

constexpr std::uint32_t kRed = 0xFF0000;
const core::MarkStyle kNormalRed{kRed, 4};

// A box of 普通 in red over `pixels`: its outline four pixels wide along the inside of `r`.
Pixels WithBox(Pixels pixels, core::Rect r)
{
    for (int y = r.top; y < r.bottom; ++y)
        for (int x = r.left; x < r.right; ++x)
            if (x < r.left + 4 || x >= r.right - 4 || y < r.top + 4 || y >= r.bottom - 4)
                pixels.values[static_cast<size_t>(y) * pixels.width + x] = kRed;
    return pixels;
}

class ShotMarks : public ShotFixture {
protected:
    const core::MarkList& Marks() const { return ShotProbe::Marks(shot); }
    // A point of the shot's client area on screen.
    POINT At(int x, int y) const
    {
        POINT p{x, y};
        ::ClientToScreen(shot.hwnd(), &p);
        return p;
    }
};

TEST_F(ShotMarks, ABoxDrawnWithTheToolLiesOverThePixelsAndTheCopyTakesItAsDrawn)
{
    Command(IDM_TOOL_BOX);
    Drag({10, 5}, {40, 30});
    ASSERT_EQ(Marks().Count(), 1u);
    EXPECT_EQ(Marks()[0], core::BoxMark({10, 5}, {40, 30}, kNormalRed));
    EXPECT_EQ(PicturePixels(ShotProbe::Picture(shot)), captured);  // the picture keeps its own pixels
    EXPECT_FALSE(Greyed(IDM_UNDO));
    Command(IDM_SELECT_ALL);
    Command(IDM_COPY);
    const std::optional<Pixels> copy = ClipboardBitmap();
    ASSERT_TRUE(copy.has_value());
    const Pixels expected = WithBox(captured, {10, 5, 40, 30});
    EXPECT_EQ(*copy, expected) << Differences(expected, *copy);
    Command(IDM_UNDO);
    EXPECT_EQ(Marks().Count(), 0u);
}

TEST_F(ShotMarks, ACutOutCarriesTheMarksInTheSelectionStillMarksOverItsOwnPixels)
{
    Command(IDM_TOOL_BOX);
    Drag({10, 5}, {40, 30});
    Command(IDM_TOOL_NUMBER);
    ShotProbe::PressPicture(shot, true, {60, 44});  // outside the cut-out, far enough
    ShotProbe::ReleasePicture(shot, true);
    ASSERT_EQ(Marks().Count(), 2u);
    Command(IDM_TOOL_SELECT);
    Drag({5, 0}, {30, 20});  // a press beside the box: the rubber band
    ASSERT_TRUE(ShotProbe::Selection(shot).HasArea());
    Command(IDM_CUT_OUT);
    ASSERT_TRUE(PumpUntil([&] { return Shots(main).size() == 2; }));
    const app::ShotWindow& part = *ActiveShotWindow(main);
    ASSERT_NE(&part, &shot);
    ASSERT_EQ(ShotProbe::Marks(part).Count(), 1u);
    EXPECT_EQ(ShotProbe::Marks(part)[0], core::BoxMark({5, 5}, {35, 30}, kNormalRed));
    EXPECT_EQ(PicturePixels(ShotProbe::Picture(part)), Crop(captured, {5, 0, 30, 20}));
    EXPECT_EQ(Marks().Count(), 2u);  // the source keeps its own
}

TEST_F(ShotMarks, AMosaicOverAMarkHidesItAndUndoBringsTheMarkBack)
{
    Command(IDM_TOOL_NUMBER);
    ShotProbe::PressPicture(shot, true, {25, 17});
    ShotProbe::ReleasePicture(shot, true);
    ASSERT_EQ(Marks().Count(), 1u);
    EXPECT_EQ(Marks()[0], core::NumberMark({25, 17}, 1, kNormalRed));
    Command(IDM_TOOL_SELECT);
    Drag({5, 2}, {50, 40});
    Command(IDM_MOSAIC);
    EXPECT_EQ(Marks().Count(), 0u);
    // The mark lay wholly inside: the mosaic is made from the pixels around it alone.
    Pixels mosaic = captured;
    core::Mosaic({mosaic.values.data(), mosaic.width, mosaic.height, mosaic.width}, {5, 2, 50, 40});
    EXPECT_EQ(PicturePixels(ShotProbe::Picture(shot)), mosaic);
    Command(IDM_UNDO);
    EXPECT_EQ(Marks().Count(), 1u);
    EXPECT_EQ(PicturePixels(ShotProbe::Picture(shot)), captured);
}

TEST_F(ShotMarks, AtTwoHundredPercentARealDragOfAHundredWindowPixelsReadsFifty)
{
    Command(IDM_ZOOM_IN);
    EXPECT_EQ(ShotProbe::Zoom(shot), 200);
    EXPECT_EQ(StatusText(FrameProbe::StatusBar(main), 2), L"200%");
    RealMouse mouse;
    mouse.MoveTo(At(20, 10));
    mouse.LeftDown();
    mouse.MoveTo(At(120, 70));
    EXPECT_EQ(StatusText(FrameProbe::StatusBar(main), 0), L"X : 60 Y : 35 W : 50 H : 30");
    mouse.LeftUp();
    EXPECT_EQ(core::NormalisedRect(ShotProbe::Selection(shot).Start(), ShotProbe::Selection(shot).End()),
              (core::Rect{10, 5, 60, 35}));
}

TEST_F(ShotMarks, TheZoomGoesByItsStepsAndGreysAStepPastTheLast)
{
    for (const int percent : {200, 400, 800, 1600}) {
        EXPECT_FALSE(Greyed(IDM_ZOOM_IN)) << percent;
        Command(IDM_ZOOM_IN);
        EXPECT_EQ(ShotProbe::Zoom(shot), percent);
    }
    EXPECT_TRUE(Greyed(IDM_ZOOM_IN));
    Command(IDM_ZOOM_FULL);
    EXPECT_EQ(ShotProbe::Zoom(shot), 100);
    Command(IDM_ZOOM_OUT);
    Command(IDM_ZOOM_OUT);
    EXPECT_EQ(ShotProbe::Zoom(shot), 25);
    EXPECT_TRUE(Greyed(IDM_ZOOM_OUT));
    EXPECT_EQ(StatusText(FrameProbe::StatusBar(main), 2), L"25%");
}

TEST_F(ShotMarks, ARealDragWithTheArrowToolPlacesAnArrowFromTailToHead)
{
    Command(IDM_TOOL_ARROW);
    RealMouse mouse;
    mouse.MoveTo(At(5, 6));
    mouse.LeftDown();
    mouse.MoveTo(At(30, 20));
    mouse.MoveTo(At(50, 40));
    mouse.LeftUp();
    ASSERT_EQ(Marks().Count(), 1u);
    EXPECT_EQ(Marks()[0], core::ArrowMark({5, 6}, {50, 40}, kNormalRed));
    EXPECT_FALSE(ShotProbe::Selection(shot).Selected());
}

TEST_F(ShotMarks, RealClicksWithTheNumberToolCountOn)
{
    Command(IDM_TOOL_NUMBER);
    RealMouse mouse;
    mouse.Click(At(10, 10));
    mouse.Click(At(40, 30));
    ASSERT_EQ(Marks().Count(), 2u);
    EXPECT_EQ(Marks()[0], core::NumberMark({10, 10}, 1, kNormalRed));
    EXPECT_EQ(Marks()[1], core::NumberMark({40, 30}, 2, kNormalRed));
}

TEST_F(ShotMarks, TextTypedInPlaceBecomesATextMarkWithItsLinesAndEscEndsIt)
{
    TakeKeyboard();
    Command(IDM_TOOL_TEXT);
    RealMouse mouse;
    mouse.Click(At(8, 9));
    ASSERT_TRUE(PumpProgramUntil(main, [&] { return ShotProbe::TextField(shot) != nullptr; }));
    ASSERT_TRUE(PumpProgramUntil(main, [&] { return ::GetFocus() == ShotProbe::TextField(shot); }));
    PressKeys({'A'});
    PressKeys({'B'});
    PressKeys({VK_RETURN});
    PressKeys({'C'});
    // What an input method hands over when a word is chosen: its characters, not keys.
    INPUT nichi[2]{};
    for (INPUT& input : nichi) {
        input.type = INPUT_KEYBOARD;
        input.ki.wScan = 0x65E5;  // 日
        input.ki.dwFlags = KEYEVENTF_UNICODE;
    }
    nichi[1].ki.dwFlags |= KEYEVENTF_KEYUP;
    ASSERT_EQ(::SendInput(2, nichi, sizeof(INPUT)), 2u);
    ASSERT_TRUE(PumpProgramUntil(main, [&] { return WindowText(ShotProbe::TextField(shot)) == L"ab\r\nc日"; }));
    PressKeys({VK_ESCAPE});
    ASSERT_TRUE(PumpProgramUntil(main, [&] { return ShotProbe::TextField(shot) == nullptr; }));
    ASSERT_EQ(Marks().Count(), 1u);
    EXPECT_EQ(Marks()[0].kind, core::MarkKind::Text);
    EXPECT_EQ(Marks()[0].a, (core::Point{8, 9}));
    EXPECT_EQ(Marks()[0].text, u"ab\nc日");
    EXPECT_GT(Marks()[0].b.x, 8);
    EXPECT_GT(Marks()[0].b.y, 9 + 24);  // two lines of the 普通 size
}

// The input method at work in the field: a word composed, then chosen, arrives as its
// characters, and the text mark holds them.
TEST_F(ShotMarks, AWordComposedWithTheInputMethodBecomesTheTextOnceChosen)
{
    TakeKeyboard();
    Command(IDM_TOOL_TEXT);
    RealMouse mouse;
    mouse.Click(At(8, 9));
    ASSERT_TRUE(PumpProgramUntil(main, [&] { return ::GetFocus() == ShotProbe::TextField(shot); }));
    const HWND field = ShotProbe::TextField(shot);
    PressKeys({'A'});
    ASSERT_TRUE(PumpProgramUntil(main, [&] { return WindowText(field) == L"a"; }));

    const HIMC context = ::ImmGetContext(field);
    ASSERT_NE(context, nullptr);
    ::ImmSetOpenStatus(context, TRUE);
    wchar_t word[] = L"日本語";
    ASSERT_TRUE(::ImmSetCompositionStringW(context, SCS_SETSTR, word, sizeof word - sizeof(wchar_t), nullptr, 0));
    PumpProgramUntil(main, [] { return false; }, 200);
    // Still composing (Wine's field shows the word in place, as Windows' own may): the typing
    // goes on and no mark is made.
    EXPECT_EQ(ShotProbe::TextField(shot), field);
    EXPECT_EQ(Marks().Count(), 0u);
    ASSERT_TRUE(::ImmNotifyIME(context, NI_COMPOSITIONSTR, CPS_COMPLETE, 0));
    ::ImmReleaseContext(field, context);
    ASSERT_TRUE(PumpProgramUntil(main, [&] { return WindowText(field) == L"a日本語"; }));

    PressKeys({VK_ESCAPE});
    ASSERT_TRUE(PumpProgramUntil(main, [&] { return ShotProbe::TextField(shot) == nullptr; }));
    ASSERT_EQ(Marks().Count(), 1u);
    EXPECT_EQ(Marks()[0].text, u"a日本語");
}

TEST_F(ShotMarks, TheTextFieldStaysOverItsPlaceAsTheShotScrolls)
{
    main.OpenShot(PatternPicture(1500, 1500));
    Pump(20);
    app::ShotWindow& big = *ActiveShotWindow(main);
    Command(IDM_TOOL_TEXT);
    ShotProbe::PressPicture(big, true, {100, 200});
    const HWND field = ShotProbe::TextField(big);
    ASSERT_NE(field, nullptr);
    const auto place = [&] {
        RECT r{};
        ::GetWindowRect(field, &r);
        POINT p{r.left, r.top};
        ::ScreenToClient(big.hwnd(), &p);
        return p;
    };
    EXPECT_EQ(place().x, 100);
    EXPECT_EQ(place().y, 200);
    for (int i = 0; i < 3; ++i) {
        ::SendMessageW(big.hwnd(), WM_VSCROLL, SB_LINEDOWN, 0);
        ::SendMessageW(big.hwnd(), WM_HSCROLL, SB_LINERIGHT, 0);
    }
    ::SendMessageW(big.hwnd(), WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-WHEEL_DELTA)), 0);
    const POINT scroll = ShotProbe::ScrollPosition(big);
    ASSERT_GT(scroll.x, 0);
    ASSERT_GT(scroll.y, 0);
    EXPECT_EQ(place().x, 100 - scroll.x);
    EXPECT_EQ(place().y, 200 - scroll.y);
    EXPECT_EQ(ShotProbe::TextField(big), field) << "still typing";
}

TEST_F(ShotMarks, AnEmptyTextIsDropped)
{
    Command(IDM_TOOL_TEXT);
    ShotProbe::PressPicture(shot, true, {8, 9});
    ASSERT_NE(ShotProbe::TextField(shot), nullptr);
    ShotProbe::PressPicture(shot, true, {30, 30});  // a click elsewhere ends the typing
    EXPECT_EQ(ShotProbe::TextField(shot), nullptr);
    EXPECT_EQ(Marks().Count(), 0u);
    EXPECT_TRUE(Greyed(IDM_UNDO));
}

TEST_F(ShotMarks, WithSelectAPressOnAMarkMovesItAndDeleteRemovesIt)
{
    Command(IDM_TOOL_BOX);
    Drag({10, 5}, {40, 30});
    Command(IDM_TOOL_SELECT);
    Drag({11, 15}, {21, 18});  // on its left side
    ASSERT_EQ(Marks().Count(), 1u);
    EXPECT_EQ(Marks()[0], core::BoxMark({20, 8}, {50, 33}, kNormalRed));
    EXPECT_FALSE(ShotProbe::Selection(shot).Selected());
    Command(IDM_COLOUR_BLUE);
    EXPECT_EQ(Marks()[0].style.colour, 0x0000FFu);
    TakeKeyboard();
    PressKeys({VK_DELETE});
    ASSERT_TRUE(PumpProgramUntil(main, [&] { return Marks().Count() == 0; }));
    Command(IDM_UNDO);
    EXPECT_EQ(Marks().Count(), 1u);
}

TEST_F(ShotMarks, ADoubleClickOnATextWithSelectTypesItAgain)
{
    ShotProbe::PlaceMark(shot, core::TextMark({10, 10}, u"ab", {0, 0}, kNormalRed));
    TakeKeyboard();
    ::SendMessageW(shot.hwnd(), WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(14, 16));
    ASSERT_NE(ShotProbe::TextField(shot), nullptr);
    EXPECT_EQ(WindowText(ShotProbe::TextField(shot)), L"ab");
    ASSERT_TRUE(PumpProgramUntil(main, [&] { return ::GetFocus() == ShotProbe::TextField(shot); }));
    PressKeys({'C'});
    ASSERT_TRUE(PumpProgramUntil(main, [&] { return WindowText(ShotProbe::TextField(shot)) == L"abc"; }));
    PressKeys({VK_ESCAPE});
    ASSERT_TRUE(PumpProgramUntil(main, [&] { return ShotProbe::TextField(shot) == nullptr; }));
    ASSERT_EQ(Marks().Count(), 1u);
    EXPECT_EQ(Marks()[0].text, u"abc");
    EXPECT_EQ(Marks()[0].a, (core::Point{10, 10}));
    Command(IDM_UNDO);
    EXPECT_EQ(Marks()[0].text, u"ab");
}

TEST_F(ShotMarks, CtrlAndTheWheelZoomAroundThePointer)
{
    // A picture larger than the window, so that the view can scroll to keep the point.
    main.OpenShot(PatternPicture(1600, 1200));
    Pump(20);
    app::ShotWindow& big = *ActiveShotWindow(main);
    ASSERT_NE(&big, &shot);
    POINT pointer{150, 100};
    ::ClientToScreen(big.hwnd(), &pointer);
    ::SendMessageW(big.hwnd(), WM_MOUSEWHEEL, MAKEWPARAM(MK_CONTROL, WHEEL_DELTA), MAKELPARAM(pointer.x, pointer.y));
    EXPECT_EQ(ShotProbe::Zoom(big), 200);
    // Picture pixel 150, 100 was under the pointer; at 200 % it still is.
    const POINT scroll = ShotProbe::ScrollPosition(big);
    EXPECT_EQ((150 + scroll.x) / 2, 150);
    EXPECT_EQ((100 + scroll.y) / 2, 100);
    ::SendMessageW(big.hwnd(), WM_MOUSEWHEEL, MAKEWPARAM(MK_CONTROL, -WHEEL_DELTA), MAKELPARAM(pointer.x, pointer.y));
    EXPECT_EQ(ShotProbe::Zoom(big), 100);
    // Without Ctrl the wheel scrolls as before.
    ::SendMessageW(big.hwnd(), WM_MOUSEWHEEL, MAKEWPARAM(0, -WHEEL_DELTA), MAKELPARAM(pointer.x, pointer.y));
    EXPECT_EQ(ShotProbe::Zoom(big), 100);
}

TEST_F(ShotMarks, FittingShowsTheWholePictureInTheWindow)
{
    main.OpenShot(PatternPicture(1600, 1200));
    Pump(20);
    app::ShotWindow& big = *ActiveShotWindow(main);
    Command(IDM_ZOOM_FIT);
    RECT client{};
    ::GetClientRect(big.hwnd(), &client);
    const int zoom = ShotProbe::Zoom(big);
    EXPECT_LT(zoom, 100);
    EXPECT_LE(1600 * zoom / 100, client.right);
    EXPECT_LE(1200 * zoom / 100, client.bottom);
}

TEST_F(ShotMarks, TheToolButtonsAreGreyedWhileNoShotIsActive)
{
    const HWND bar = FrameProbe::ToolBar(main);
    EXPECT_TRUE(::SendMessageW(bar, TB_ISBUTTONENABLED, IDM_TOOL_ARROW, 0));
    EXPECT_TRUE(::SendMessageW(bar, TB_ISBUTTONENABLED, IDB_MARK_COLOUR, 0));
    Command(IDM_TOOL_ARROW);
    EXPECT_TRUE(ButtonChecked(bar, IDM_TOOL_ARROW));
    EXPECT_FALSE(ButtonChecked(bar, IDM_TOOL_SELECT));
    EXPECT_TRUE(::GetMenuState(::GetMenu(main.hwnd()), IDM_TOOL_ARROW, MF_BYCOMMAND) & MF_CHECKED);
    CloseShot(main, shot);
    EXPECT_FALSE(::SendMessageW(bar, TB_ISBUTTONENABLED, IDM_TOOL_ARROW, 0));
    EXPECT_FALSE(::SendMessageW(bar, TB_ISBUTTONENABLED, IDM_TOOL_SELECT, 0));
    EXPECT_FALSE(::SendMessageW(bar, TB_ISBUTTONENABLED, IDB_MARK_WIDTH, 0));
}

using MarkedSave = ShotSaveTest;

TEST_F(MarkedSave, TheSavedFileHoldsTheMarksAsDrawnAndThePictureKeepsItsPixels)
{
    ::SendMessageW(program.main.hwnd(), WM_COMMAND, IDM_TOOL_BOX, 0);
    Drag({10, 5}, {40, 30});
    ::SendMessageW(program.main.hwnd(), WM_COMMAND, IDM_TOOL_SELECT, 0);
    SaveByMenu(InFolder(L"Shot1.png"));
    const std::optional<DecodedImage> image = DecodeImageFile(InFolder(L"Shot1.png"));
    ASSERT_TRUE(image.has_value());
    const Pixels expected = WithBox(captured, {10, 5, 40, 30});
    EXPECT_EQ(image->pixels, expected) << Differences(expected, image->pixels);
    EXPECT_EQ(PicturePixels(ShotProbe::Picture(shot)), captured);
    EXPECT_TRUE(reports.texts().empty());
}

}  // namespace
