#pragma once
// The open tests' fixture: the main window, a scratch folder for picture files, files dropped
// on the frame as Explorer drops them, and what the new shots hold.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "CaptureSupport.h"
#include "ClipboardProbe.h"
#include "ImageFiles.h"
#include "SaveSupport.h"
#include "WinTest.h"

namespace wintest {

// A real HDROP of the files, as a drop or Explorer's copy makes it (DROPFILES, wide names).
HGLOBAL MakeDropList(const std::vector<std::wstring>& files);

// The pixels a shot should hold for a frame: its colours laid over white by an independent
// model, 0x00RRGGBB.
Pixels OverWhite(const Frame& frame);

class OpenTest : public ::testing::Test {
protected:
    OpenTest();
    ~OpenTest() override;

    std::wstring InFolder(const std::wstring& name) const { return folder_ + L"\\" + name; }
    std::wstring Write(const std::wstring& name, const std::vector<char>& bytes);
    // Drops the files on the frame, as WM_DROPFILES brings them, and lets the frame handle it.
    void Drop(const std::vector<std::wstring>& files);
    std::vector<app::ShotWindow*> ShotsOldestFirst() const;
    static std::wstring Caption(const app::ShotWindow& shot) { return WindowText(shot.hwnd()); }
    static Pixels PixelsOf(const app::ShotWindow& shot) { return PicturePixels(ShotProbe::Picture(shot)); }

    ScratchRegistry registry;
    ErrorReports reports;
    Program program;
    const std::wstring folder_;
};

}  // namespace wintest
