#pragma once
#include <windows.h>

#include <string>
#include <string_view>

namespace win {

// The core speaks UTF-8; the window layer speaks UTF-16.
std::wstring Widen(std::string_view utf8);
std::string Narrow(std::wstring_view utf16);

std::wstring TextOf(HWND hwnd);  // a window's text
std::wstring ProgramPath();      // the running program's file

}  // namespace win
