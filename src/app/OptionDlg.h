#pragma once
// TfrmOptionDlg: the settings dialog ("環境設定"), shown modally over the main window.
#include <windows.h>

namespace app {

class TRorUruvodi;

void ShowOptionDlg(TRorUruvodi& main);

// The sound of a character the delay field refuses (MessageBeep); tests put a recorder in its place.
using BeepSound = BOOL(WINAPI*)(UINT type);
void SetSpinEditBeep(BeepSound beep) noexcept;

}  // namespace app
