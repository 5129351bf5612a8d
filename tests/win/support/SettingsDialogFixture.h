#pragma once
// The settings dialog's test fixture: the program with a recording shell, the dialog's
// controls found by what a user reads on them, and a way to act inside its modal loop.
#include <windows.h>
#include <windowsx.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <array>
#include <functional>
#include <string>
#include <vector>

#include "DialogDriver.h"
#include "RecordingShell.h"
#include "WinTest.h"
#include "resource.h"
#include "win32/Text.h"

namespace wintest {

// The open dialog's controls, found by what a user reads on them.
struct Dialog {
    HWND window, field, arrows, check, ok, cancel, update, group, label1, label2, keysGroup, keysCheck, keysNotice;
    HWND captureGroup, cursorCheck, copyCheck, keepCheck;
    // The key fields, in the order of their labels: 範囲を指定, 選んだ対象, アクティブウィンドウ,
    // キャプチャー開始, スクロールして取り込む.
    std::array<HWND, 5> keyLabels{}, keyFields{};
    explicit Dialog(HWND dlg)
        : window(dlg),
          field(FindChild(dlg, L"Edit")),
          arrows(field ? FindChild(field, nullptr) : nullptr),
          check(FindChild(dlg, L"Button", L"フラット型のボタンを使用する")),
          ok(FindChild(dlg, L"Button", L"OK")),
          cancel(FindChild(dlg, L"Button", L"ｷｬﾝｾﾙ")),
          update(FindChild(dlg, L"Button", L"更新(&A)")),
          group(FindChild(dlg, L"Button", L"ツールバー")),
          label1(FindChild(dlg, L"Static", L"画面取り込みまでの時間：")),
          label2(FindChild(dlg, L"Static", L"秒")),
          keysGroup(FindChild(dlg, L"Button", L"ホットキー")),
          keysCheck(FindChild(dlg, L"Button", L"ホットキーで取り込む(&P)")),
          keysNotice(keysGroup ? ::GetWindow(keysCheck, GW_HWNDNEXT) : nullptr),
          captureGroup(FindChild(dlg, L"Button", L"取り込み")),
          cursorCheck(FindChild(dlg, L"Button", L"マウスポインターも写す(&M)")),
          copyCheck(FindChild(dlg, L"Button", L"範囲を選んだらクリップボードにコピー(&C)")),
          keepCheck(FindChild(dlg, L"Button", L"閉じても次回また開く(&K)"))
    {
        const wchar_t* labels[] = {L"範囲を指定", L"選んだ対象", L"アクティブウィンドウ", L"キャプチャー開始",
                                   L"スクロールして取り込む"};
        for (size_t i = 0; i < keyLabels.size(); ++i) {
            keyLabels[i] = FindChild(dlg, L"Static", labels[i]);
            keyFields[i] = keyLabels[i] ? KeyFieldBeside(dlg, keyLabels[i]) : nullptr;
        }
    }
    bool Complete() const
    {
        for (HWND h : {window, field, arrows, check, ok, cancel, update, group, label1, label2, keysGroup, keysCheck,
                       keysNotice, captureGroup, cursorCheck, copyCheck, keepCheck})
            if (!h) return false;
        for (size_t i = 0; i < keyLabels.size(); ++i)
            if (!keyLabels[i] || !keyFields[i]) return false;
        return true;
    }
    // The hot-key control whose row holds the label's middle, as a user pairs them.
    static HWND KeyFieldBeside(HWND dlg, HWND label)
    {
        RECT l{};
        ::GetWindowRect(label, &l);
        const LONG middle = (l.top + l.bottom) / 2;
        for (HWND c = ::GetWindow(dlg, GW_CHILD); c; c = ::GetWindow(c, GW_HWNDNEXT)) {
            wchar_t name[32]{};
            ::GetClassNameW(c, name, 32);
            RECT r{};
            ::GetWindowRect(c, &r);
            if (::lstrcmpiW(name, HOTKEY_CLASSW) == 0 && r.top <= middle && middle < r.bottom && r.left >= l.right)
                return c;
        }
        return nullptr;
    }
    std::wstring Text() const { return WindowText(field); }
    bool Open() const { return ::IsWindow(window) && ::IsWindowVisible(window); }
};

// Points of the arrow pair, in screen coordinates.
inline POINT UpperArrow(const Dialog& d)
{
    RECT r{};
    ::GetWindowRect(d.arrows, &r);
    return {(r.left + r.right) / 2, r.top + (r.bottom - r.top) / 4};
}
inline POINT LowerArrow(const Dialog& d)
{
    RECT r{};
    ::GetWindowRect(d.arrows, &r);
    return {(r.left + r.right) / 2, r.bottom - (r.bottom - r.top) / 4 - 1};
}

// Puts the text into the field the way a user would: the field's text is selected when the
// dialog opens, so typing replaces it; Backspace empties it.
inline void TypeIntoField(Script& s, const Dialog& d, const std::wstring& text)
{
    if (text.empty())
        PressKey(VK_BACK);
    else
        TypeText(text);
    s.Settle();
    EXPECT_EQ(d.Text(), text);
}

// A key field's key as the user chose it: the control's value without HOTKEYF_EXT, which only
// says how the key is named.
inline WORD FieldKey(HWND field) { return static_cast<WORD>(::SendMessageW(field, HKM_GETHOTKEY, 0, 0) & 0x7FF); }

inline bool SameRect(const RECT& a, const RECT& b)
{
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

inline std::string Describe(const RECT& r)
{
    return std::to_string(r.left) + "," + std::to_string(r.top) + " " + std::to_string(r.right - r.left) + "x" +
           std::to_string(r.bottom - r.top);
}

class SettingsDialog : public ::testing::Test {
protected:
    ScratchRegistry registry;
    ErrorReports reports;
    Program program;
    app::MainFrame& main = program.main;

    RecordingShell shell;
    std::vector<UINT>& beeps = shell.beeps;

    void SetUp() override { FrameProbe::UseShell(main, shell); }

    // Opens the dialog through the menu command and runs the body inside its modal loop;
    // returns when the dialog has closed.
    void RunDialog(const std::function<void(Script&, const Dialog&)>& body)
    {
        RunInBox<Dialog>(main.hwnd(), IDM_ENVIRONMENT, L"TfrmOptionDlg", body);
    }
};

}  // namespace wintest
