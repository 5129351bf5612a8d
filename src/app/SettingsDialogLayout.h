#pragma once
// The settings dialog's controls: where each goes, at 96 dpi, and in which order they are made.
#include <windows.h>

namespace app::settings {

constexpr int kClientWidth = 274;
constexpr int kClientHeight = 281;
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
    kKeepShotsCheckBox,
};

struct ControlLayout {
    ControlId id;
    const wchar_t* className;
    const wchar_t* text;
    DWORD style;
    DWORD exStyle;
    int left, top, width, height;
};

// Under the check box while every key is had: what each key does.
constexpr const wchar_t* kHotKeysLegend =
    L"Print Screen：選んだ対象をすぐ取り込む\r\nAlt+Print Screen：アクティブウィンドウ\r\n"
    L"Ctrl+Print Screen：キャプチャー開始と同じ";

// Created in this order, which is also the drawing order; the check boxes sit in their group
// boxes at 8, 16 but are the group boxes' siblings, so that their notifications come to the
// dialog. The keys' group lies below the tool bar's, the kept shots' box below it, and the
// buttons below all.
constexpr int kButtonsTop = 247;
constexpr ControlLayout kLayout[] = {
    {kDelayLabel, L"Static", L"画面取り込みまでの時間：", SS_LEFTNOWORDWRAP | SS_NOPREFIX, 0, 16, 20, 133, 12},
    {kDelayField, L"Edit", L"", WS_TABSTOP | WS_CLIPCHILDREN | ES_LEFT | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE, 152, 16, 37,
     21},
    {kSecondsLabel, L"Static", L"秒", SS_LEFTNOWORDWRAP | SS_NOPREFIX, 0, 196, 20, 12, 12},
    {kToolBarGroup, L"Button", L"ツールバー", BS_GROUPBOX, 0, 16, 48, 241, 41},
    {kFlatCheckBox, L"Button", L"フラット型のボタンを使用する", WS_TABSTOP | BS_AUTOCHECKBOX, 0, 16 + 8, 48 + 16, 177,
     17},
    {kHotKeysGroup, L"Button", L"ホットキー", BS_GROUPBOX, 0, 16, 96, 241, 118},
    {kHotKeysCheckBox, L"Button", L"Print Screen キーで取り込む(&P)", WS_TABSTOP | BS_AUTOCHECKBOX, 0, 16 + 8, 96 + 16,
     209, 17},
    {kHotKeysNotice, L"Static", kHotKeysLegend, SS_LEFT | SS_NOPREFIX, 0, 16 + 8, 96 + 38, 225, 72},
    {kKeepShotsCheckBox, L"Button", L"閉じても次回また開く(&K)", WS_TABSTOP | BS_AUTOCHECKBOX, 0, 16, 222, 241, 17},
    {kOkButton, L"Button", L"OK", WS_TABSTOP | BS_DEFPUSHBUTTON, 0, 22, kButtonsTop, 75, 25},
    {kCancelButton, L"Button", L"ｷｬﾝｾﾙ", WS_TABSTOP | BS_PUSHBUTTON, 0, 106, kButtonsTop, 75, 25},
    {kApplyButton, L"Button", L"更新(&A)", WS_TABSTOP | BS_PUSHBUTTON, 0, 191, kButtonsTop, 73, 25},
};

}  // namespace app::settings
