#pragma once
// The version box ("ﾊﾞｰｼﾞｮﾝ情報"), shown modally over the main window.
#include <string>

namespace app {

class MainFrame;

void ShowAboutBox(MainFrame& main);

// The version line for a program file: "Version. " and its FileVersion, or
// "No version information found" for a file without version information.
std::wstring VersionText(const std::wstring& programPath);

}  // namespace app
