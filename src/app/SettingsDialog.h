#pragma once
// The settings dialog ("環境設定"), shown modally over the main window.
namespace app {

class MainFrame;

void ShowSettingsDialog(MainFrame& main);

}  // namespace app
