#pragma once
// The help command ("目次(&C)", F1).
#include <windows.h>

#include <string>
#include <string_view>

#include "app/SystemShell.h"

namespace app {

// The path with its extension (if any) replaced.
std::wstring WithExtension(std::wstring path, std::wstring_view extension);

// Opens the help: the help engine on the old help file where there is one; otherwise the
// help page beside it (same name, ".html") with the user's program for it. Throws the
// system's error when there is neither, or the page cannot be opened.
void OpenHelpContents(SystemShell& shell, HWND owner, const std::wstring& helpFile);

}  // namespace app
