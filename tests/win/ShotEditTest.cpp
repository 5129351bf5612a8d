// The edits of a shot window's selection, read back from the picture, the screen and the
// clipboard: the edit menu and its greying, each command and its key, undo and redo, the
// cut-out's new shot, and the arrow keys on a selection.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "CaptureSupport.h"
#include "ClipboardProbe.h"
#include "ShotFixture.h"
#include "WinTest.h"
#include "core/Edits.h"
#include "resource.h"

using namespace wintest;

namespace {

constexpr core::Rect kSelected{10, 5, 40, 30};

class ShotEdit : public ShotFixture {
protected:
    // The picture's pixels: the selection's frame is never among them.
    Pixels TruePixels() const { return PicturePixels(ShotProbe::Picture(shot)); }
    static Pixels Edited(Pixels pixels, core::Edit edit, core::Rect selection)
    {
        core::ApplyEdit(edit, {pixels.values.data(), pixels.width, pixels.height, pixels.width}, selection);
        return pixels;
    }
    void Keys(std::initializer_list<WORD> keys, const std::function<bool()>& done)
    {
        PressKeys(keys);
        ASSERT_TRUE(PumpProgramUntil(main, done));
        ASSERT_TRUE(
            PumpProgramUntil(main, [] { return ::GetKeyState(VK_CONTROL) >= 0 && ::GetKeyState(VK_SHIFT) >= 0; }));
    }
};

TEST_F(ShotEdit, TheEditMenuListsUndoRedoTheEditsTheZoomAndLastTheDrawingTools)
{
    const HMENU edit = ::GetSubMenu(::GetMenu(main.hwnd()), 1);
    std::vector<std::wstring> items;
    for (int i = 0; i < ::GetMenuItemCount(edit); ++i) {
        wchar_t text[128]{};
        ::GetMenuStringW(edit, static_cast<UINT>(i), text, 128, MF_BYPOSITION);
        items.emplace_back(text);
    }
    const std::vector<std::wstring> expected{L"全体をクリップボードへコピー(&C)\tCtrl+C",
                                             L"最前面に表示(&P)\tF3",
                                             L"",
                                             L"全て選択(&A)\tCtrl+A",
                                             L"選択範囲取り消し(&R)",
                                             L"",
                                             L"元に戻す(&U)\tCtrl+Z",
                                             L"やり直し(&Y)\tCtrl+Y",
                                             L"",
                                             L"黒で塗りつぶす(&B)\tCtrl+B",
                                             L"モザイクで隠す(&M)\tCtrl+M",
                                             L"赤枠で囲む(&H)\tCtrl+H",
                                             L"切り出す(&T)\tCtrl+T",
                                             L"",
                                             L"拡大(&I)\tCtrl++",
                                             L"縮小(&O)\tCtrl+-",
                                             L"100%(&Z)\tCtrl+0",
                                             L"ウィンドウに合わせる(&F)",
                                             L"",
                                             L"描く(&D)"};
    EXPECT_EQ(items, expected);
    const HMENU draw = ::GetSubMenu(edit, ::GetMenuItemCount(edit) - 1);
    ASSERT_NE(draw, nullptr);
    std::vector<std::wstring> tools;
    for (int i = 0; i < ::GetMenuItemCount(draw); ++i) {
        wchar_t text[64]{};
        ::GetMenuStringW(draw, static_cast<UINT>(i), text, 64, MF_BYPOSITION);
        tools.emplace_back(text);
    }
    EXPECT_EQ(tools, (std::vector<std::wstring>{L"選択(&S)", L"矢印(&A)", L"四角(&R)", L"テキスト(&T)", L"番号(&N)",
                                                L"蛍光ペン(&H)"}));
    // 選択 is the tool at first, and checked.
    EXPECT_TRUE(::GetMenuState(draw, IDM_TOOL_SELECT, MF_BYCOMMAND) & MF_CHECKED);
    EXPECT_FALSE(::GetMenuState(draw, IDM_TOOL_ARROW, MF_BYCOMMAND) & MF_CHECKED);
}

TEST_F(ShotEdit, CommandsAreGreyedWithNothingToActOnAndDoNothingThen)
{
    const UINT edits[] = {IDM_BLACK_OUT, IDM_MOSAIC, IDM_RED_FRAME, IDM_CUT_OUT};
    const auto editsGreyed = [&](bool greyed) {
        for (UINT id : edits)
            EXPECT_EQ(Greyed(id), greyed) << id;
    };
    editsGreyed(true);
    EXPECT_TRUE(Greyed(IDM_UNDO));
    EXPECT_TRUE(Greyed(IDM_REDO));
    for (UINT id : edits)
        Command(id);
    Command(IDM_UNDO);
    EXPECT_EQ(TruePixels(), captured);
    EXPECT_EQ(Shots(main).size(), 1u);

    Select(kSelected);
    editsGreyed(false);
    Command(IDM_BLACK_OUT);
    EXPECT_FALSE(Greyed(IDM_UNDO));
    EXPECT_TRUE(Greyed(IDM_REDO));
    Command(IDM_UNDO);
    EXPECT_TRUE(Greyed(IDM_UNDO));
    EXPECT_FALSE(Greyed(IDM_REDO));
    Select({20, 20, 20, 20});  // a click: a selection without pixels
    editsGreyed(true);
    Command(IDM_SELECT_CANCEL);
    editsGreyed(true);
    EXPECT_TRUE(reports.texts().empty());
}

TEST_F(ShotEdit, EachEditChangesTheTruePixelsOnScreenTooAndUndoAndRedoGiveThemBackByteForByte)
{
    Select(kSelected);
    std::vector<Pixels> after{captured};
    for (const auto& [id, edit] : {std::pair{IDM_MOSAIC, core::Edit::Mosaic},
                                   {IDM_BLACK_OUT, core::Edit::BlackOut},
                                   {IDM_RED_FRAME, core::Edit::RedFrame}}) {
        Command(id);
        after.push_back(Edited(after.back(), edit, kSelected));
        EXPECT_EQ(TruePixels(), after.back()) << Differences(after.back(), TruePixels());
        EXPECT_TRUE(ShotProbe::Selection(shot).Selected());  // still shown, ready for another edit
    }
    const Pixels shown = WithFrame(after.back(), kSelected);
    ::UpdateWindow(shot.hwnd());
    EXPECT_EQ(Differences(shown, WindowPixels(shot.hwnd(), kWidth, kHeight)), "");
    for (size_t i = after.size() - 1; i-- > 0;) {
        Command(IDM_UNDO);
        EXPECT_EQ(TruePixels(), after[i]) << "undone to step " << i;
    }
    for (size_t i = 1; i < after.size(); ++i) {
        Command(IDM_REDO);
        EXPECT_EQ(TruePixels(), after[i]) << "redone to step " << i;
    }
}

TEST_F(ShotEdit, CutOutOpensTheNextShotWithTheSelectedEditedPixelsAndLeavesTheSourceAsItWas)
{
    Select(kSelected);
    Command(IDM_RED_FRAME);
    const Pixels source = PicturePixels(ShotProbe::Picture(shot));
    Command(IDM_CUT_OUT);
    ASSERT_EQ(Shots(main).size(), 2u);
    app::ShotWindow& part = *ActiveShotWindow(main);
    EXPECT_EQ(WindowText(part.hwnd()), L"Shot:2");
    EXPECT_EQ(FrameProbe::ShotCount(main), 2);
    const Pixels expected = Crop(Edited(captured, core::Edit::RedFrame, kSelected), kSelected);
    EXPECT_EQ(PicturePixels(ShotProbe::Picture(part)), expected);
    EXPECT_FALSE(ShotProbe::Selection(part).Selected());
    EXPECT_EQ(PicturePixels(ShotProbe::Picture(shot)), source);
    EXPECT_TRUE(ShotProbe::Selection(shot).Selected());
    EXPECT_EQ(ShotProbe::Selection(shot).End(), (core::Point{kSelected.right, kSelected.bottom}));
}

TEST_F(ShotEdit, TheKeysWorkTheCommands)
{
    Select(kSelected);
    TakeKeyboard();
    Keys({VK_CONTROL, 'B'}, [&] { return TruePixels() != captured; });
    EXPECT_EQ(TruePixels(), Edited(captured, core::Edit::BlackOut, kSelected));
    Keys({VK_CONTROL, 'Z'}, [&] { return TruePixels() == captured; });
    Keys({VK_CONTROL, 'Y'}, [&] { return TruePixels() != captured; });
    Keys({VK_CONTROL, 'Z'}, [&] { return TruePixels() == captured; });
    Keys({VK_CONTROL, 'M'}, [&] { return TruePixels() != captured; });
    EXPECT_EQ(TruePixels(), Edited(captured, core::Edit::Mosaic, kSelected));
    const Pixels mosaic = TruePixels();
    Keys({VK_CONTROL, 'H'}, [&] { return TruePixels() != mosaic; });
    EXPECT_EQ(TruePixels(), Edited(mosaic, core::Edit::RedFrame, kSelected));
    Keys({VK_CONTROL, 'T'}, [&] { return Shots(main).size() == 2; });
    EXPECT_TRUE(reports.texts().empty());
}

TEST_F(ShotEdit, ArrowKeysMoveAndResizeTheSelectionUpToThePicturesEdgesWithTheReadOut)
{
    Select(kSelected);
    TakeKeyboard();
    const core::Selection& s = ShotProbe::Selection(shot);
    const auto readOut = [&] { return StatusText(FrameProbe::StatusBar(main), 0); };
    Keys({VK_RIGHT}, [&] { return s.Start().x == 11; });
    EXPECT_EQ(readOut(), L"X : 11 Y : 5 W : 30 H : 25");
    Keys({VK_CONTROL, VK_RIGHT}, [&] { return s.Start().x == 21; });
    Keys({VK_CONTROL, VK_RIGHT}, [&] { return s.Start().x == 31; });
    Keys({VK_CONTROL, VK_RIGHT}, [&] { return s.Start().x == 34; });  // stops at the right edge
    EXPECT_EQ(s.End(), (core::Point{kWidth, 30}));
    Keys({VK_CONTROL, VK_UP}, [&] { return s.Start().y == 0; });
    EXPECT_EQ(readOut(), L"X : 34 Y : 0 W : 30 H : 25");
    Keys({VK_SHIFT, VK_DOWN}, [&] { return s.End().y == 26; });
    EXPECT_EQ(readOut(), L"X : 64 Y : 26 W : 30 H : 26");
    Keys({VK_CONTROL, VK_SHIFT, VK_LEFT}, [&] { return s.End().x == 54; });
    EXPECT_EQ(PicturePixels(ShotProbe::Picture(shot)), captured);
    ::UpdateWindow(shot.hwnd());
    EXPECT_EQ(Differences(WithFrame(captured, {34, 0, 54, 26}), WindowPixels(shot.hwnd(), kWidth, kHeight)), "");
}

TEST_F(ShotEdit, ACopyAfterAnEditTakesTheEditedPixelsWithoutTheFrame)
{
    Select(kSelected);
    Command(IDM_BLACK_OUT);
    Select({5, 2, 50, 40});
    Command(IDM_COPY);
    const std::optional<Pixels> copy = ClipboardBitmap();
    ASSERT_TRUE(copy.has_value());
    EXPECT_EQ(*copy, Crop(Edited(captured, core::Edit::BlackOut, kSelected), {5, 2, 50, 40}));
}

}  // namespace
