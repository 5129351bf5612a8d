// The program entry: one running copy per log-on, then the main window and its loop.
#include <windows.h>

#include "app/ApplicationWindow.h"
#include "app/MainFrame.h"
#include "app/ShotKeeper.h"
#include "win32/ErrorReport.h"
#include "win32/Handles.h"
#include "win32/SystemLibrary.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int show)
{
    // Before anything can load a DLL: nothing beside the program or in the current folder runs.
    win::RestrictDllSearchToSystem32();

    // The mutex only marks a running instance; nobody waits on it.
    win::OwnedHandle marker;
    bool anotherInstance = false;
    if (HANDLE running = ::OpenMutexA(MUTEX_ALL_ACCESS, FALSE, "RorUruvodi")) {
        ::CloseHandle(running);
        anotherInstance = true;
    } else {
        // Two starts at one moment can both miss the open; the one whose create finds the
        // mutex made is the second.
        marker.reset(::CreateMutexA(nullptr, FALSE, "RorUruvodi"));
        anotherInstance = ::GetLastError() == ERROR_ALREADY_EXISTS;
        if (anotherInstance) marker.reset();  // the mutex is the first copy's to hold
    }
    if (anotherInstance) ::PostQuitMessage(0);  // the loop ends at its first turn, without saving anything

    try {
        // A second copy touches nothing of the kept shots. The keeper goes last: it writes
        // what is still waiting before the program ends.
        const std::unique_ptr<app::ShotKeeper> keeper = anotherInstance ? nullptr : app::ShotKeeper::ForThisUser();
        app::ApplicationWindow application;
        app::MainFrame main(application, true, keeper.get());
        if (!anotherInstance) main.Show(show);
        return app::RunMessageLoop(main);
    } catch (...) {
        win::ReportCurrentException();
        return 1;
    }
}
