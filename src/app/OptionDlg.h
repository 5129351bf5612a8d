#pragma once
// TfrmOptionDlg: the settings dialog ("環境設定"), shown modally over the main window.
namespace app {

class TRorUruvodi;

void ShowOptionDlg(TRorUruvodi& main);

}  // namespace app
