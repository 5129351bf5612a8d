#pragma once
// The main window's tests share the program as it starts, with a scratch registry and the
// error reports collected.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "WinTest.h"

namespace wintest {

// This test program's path with another extension: where the program looks for files beside it.
inline std::wstring ModuleWithExtension(const wchar_t* extension)
{
    wchar_t path[MAX_PATH]{};
    ::GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring p = path;
    return p.substr(0, p.find_last_of(L'.')) + extension;
}

class MainWindow : public ::testing::Test {
protected:
    ScratchRegistry registry;
    ErrorReports reports;
    Program program;
    app::MainFrame& main = program.main;
};

}  // namespace wintest
