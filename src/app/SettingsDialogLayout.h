#pragma once
// The settings dialog's controls: where each goes, at 96 dpi, and in which order they are made.
#include <windows.h>
#include <commctrl.h>

#include <array>

#include "core/KeyActions.h"

namespace app::settings {

constexpr int kClientWidth = 340;
constexpr int kClientHeight = 489;
constexpr int kArrowsWidth = 15;

enum ControlId : int {
    kOkButton = IDOK,
    kCancelButton = IDCANCEL,
    kDelayLabel = 100,
    kDelayField,
    kSecondsLabel,
    kToolBarGroup,
    kFlatCheckBox,
    kApplyButton,
    kHotKeysGroup,
    kHotKeysCheckBox,
    kHotKeysNotice,
    kCaptureGroup,
    kCursorCheckBox,
    kRegionCopyCheckBox,
    kRegionKeyLabel,  // a label and a key field for each action, in the order of core::kKeyActions
    kTargetKeyLabel,
    kWindowKeyLabel,
    kDelayedKeyLabel,
    kScrollKeyLabel,
    kRegionKeyField,
    kTargetKeyField,
    kWindowKeyField,
    kDelayedKeyField,
    kScrollKeyField,
    kKeepShotsCheckBox,
};

// The key field of an action.
constexpr ControlId KeyField(core::KeyAction action)
{
    return static_cast<ControlId>(kRegionKeyField + static_cast<int>(core::Index(action)));
}
constexpr std::array<ControlId, 5> kKeyFields{kRegionKeyField, kTargetKeyField, kWindowKeyField, kDelayedKeyField,
                                              kScrollKeyField};

struct ControlLayout {
    ControlId id;
    const wchar_t* className;
    const wchar_t* text;
    DWORD style;
    DWORD exStyle;
    int left, top, width, height;
};

// Under the key fields while every key asked for is had: how a field takes a key.
constexpr const wchar_t* kHotKeysLegend =
    L"欄を選んでキーを押すと、その操作のキーになります。Backspace キーで「なし」にできます。";

// Created in this order, which is also the drawing order; the check boxes and fields sit in
// their group boxes but are the group boxes' siblings, so that their notifications come to the
// dialog. The notice is made right after the keys' check box, whose text it explains. The
// groups lie one below the other, the kept shots' box below them, and the buttons below all.
constexpr int kKeysBottom = 418;
constexpr int kKeepTop = kKeysBottom + 8;
constexpr int kButtonsTop = kKeepTop + 17 + 12;
constexpr int kGroupWidth = 308;
constexpr int kCaptureTop = 96;
constexpr int kKeysTop = 166;
constexpr int kKeyRowsTop = kKeysTop + 39;
constexpr int kKeyRowStep = 26;
constexpr int kLabelWidth = 132;
constexpr int kFieldLeft = 16 + 8 + kLabelWidth + 4;
constexpr int kFieldWidth = 16 + kGroupWidth - 8 - kFieldLeft;
constexpr int Row(int i) { return kKeyRowsTop + i * kKeyRowStep; }

constexpr DWORD kLabelStyle = SS_LEFTNOWORDWRAP | SS_NOPREFIX;
constexpr DWORD kFieldStyle = WS_TABSTOP;

constexpr ControlLayout kLayout[] = {
    {kDelayLabel, L"Static", L"画面取り込みまでの時間：", kLabelStyle, 0, 16, 20, 133, 12},
    {kDelayField, L"Edit", L"", WS_TABSTOP | WS_CLIPCHILDREN | ES_LEFT | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE, 152, 16, 37,
     21},
    {kSecondsLabel, L"Static", L"秒", kLabelStyle, 0, 196, 20, 12, 12},
    {kToolBarGroup, L"Button", L"ツールバー", BS_GROUPBOX, 0, 16, 48, kGroupWidth, 41},
    {kFlatCheckBox, L"Button", L"フラット型のボタンを使用する", WS_TABSTOP | BS_AUTOCHECKBOX, 0, 16 + 8, 48 + 16, 177,
     17},
    {kCaptureGroup, L"Button", L"取り込み", BS_GROUPBOX, 0, 16, kCaptureTop, kGroupWidth, 62},
    {kCursorCheckBox, L"Button", L"マウスポインターも写す(&M)", WS_TABSTOP | BS_AUTOCHECKBOX, 0, 16 + 8,
     kCaptureTop + 16, kGroupWidth - 20, 17},
    {kRegionCopyCheckBox, L"Button", L"範囲を選んだらクリップボードにコピー(&C)", WS_TABSTOP | BS_AUTOCHECKBOX, 0,
     16 + 8, kCaptureTop + 37, kGroupWidth - 20, 17},
    {kHotKeysGroup, L"Button", L"ホットキー", BS_GROUPBOX, 0, 16, kKeysTop, kGroupWidth, kKeysBottom - kKeysTop},
    {kHotKeysCheckBox, L"Button", L"ホットキーで取り込む(&P)", WS_TABSTOP | BS_AUTOCHECKBOX, 0, 16 + 8, kKeysTop + 16,
     kGroupWidth - 20, 17},
    {kHotKeysNotice, L"Static", kHotKeysLegend, SS_LEFT | SS_NOPREFIX, 0, 16 + 8, Row(5) + 6, kGroupWidth - 18, 72},
    {kRegionKeyLabel, L"Static", L"範囲を指定", kLabelStyle, 0, 16 + 8, Row(0) + 4, kLabelWidth, 12},
    {kTargetKeyLabel, L"Static", L"選んだ対象", kLabelStyle, 0, 16 + 8, Row(1) + 4, kLabelWidth, 12},
    {kWindowKeyLabel, L"Static", L"アクティブウィンドウ", kLabelStyle, 0, 16 + 8, Row(2) + 4, kLabelWidth, 12},
    {kDelayedKeyLabel, L"Static", L"キャプチャー開始", kLabelStyle, 0, 16 + 8, Row(3) + 4, kLabelWidth, 12},
    {kScrollKeyLabel, L"Static", L"スクロールして取り込む", kLabelStyle, 0, 16 + 8, Row(4) + 4, kLabelWidth, 12},
    {kRegionKeyField, HOTKEY_CLASSW, L"", kFieldStyle, 0, kFieldLeft, Row(0), kFieldWidth, 21},
    {kTargetKeyField, HOTKEY_CLASSW, L"", kFieldStyle, 0, kFieldLeft, Row(1), kFieldWidth, 21},
    {kWindowKeyField, HOTKEY_CLASSW, L"", kFieldStyle, 0, kFieldLeft, Row(2), kFieldWidth, 21},
    {kDelayedKeyField, HOTKEY_CLASSW, L"", kFieldStyle, 0, kFieldLeft, Row(3), kFieldWidth, 21},
    {kScrollKeyField, HOTKEY_CLASSW, L"", kFieldStyle, 0, kFieldLeft, Row(4), kFieldWidth, 21},
    {kKeepShotsCheckBox, L"Button", L"閉じても次回また開く(&K)", WS_TABSTOP | BS_AUTOCHECKBOX, 0, 16, kKeepTop,
     kGroupWidth, 17},
    {kOkButton, L"Button", L"OK", WS_TABSTOP | BS_DEFPUSHBUTTON, 0, 88, kButtonsTop, 75, 25},
    {kCancelButton, L"Button", L"ｷｬﾝｾﾙ", WS_TABSTOP | BS_PUSHBUTTON, 0, 172, kButtonsTop, 75, 25},
    {kApplyButton, L"Button", L"更新(&A)", WS_TABSTOP | BS_PUSHBUTTON, 0, 257, kButtonsTop, 73, 25},
};

}  // namespace app::settings
