// The copy as a Linux program on the same X display pastes it: Wine's clipboard offers the
// "PNG" format there as image/png. Runs under Wine only, with xclip installed.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "CaptureSupport.h"
#include "ClipboardPng.h"
#include "WinTest.h"
#include "resource.h"

using namespace wintest;

namespace {

using UnixSpawn = LONG(__cdecl*)(char* const argv[], int wait);
using UnixFileName = char*(__cdecl*)(const wchar_t* dosName);

// A function of Wine's own that the SDK does not declare.
template <class Function>
Function WineExport(const wchar_t* module, const char* name)
{
    // Through the one function type that every other converts from without a warning.
    return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(::GetProcAddress(::GetModuleHandleW(module), name)));
}

// Reads what xclip offers and pastes as image/png into files of a fresh folder, without
// waiting: this thread owns the clipboard and must answer while xclip asks.
class XClip {
public:
    XClip()
    {
        const auto unixName = WineExport<UnixFileName>(L"kernel32", "wine_get_unix_file_name");
        spawn_ = WineExport<UnixSpawn>(L"ntdll", "__wine_unix_spawnvp");
        if (!unixName || !spawn_) throw std::runtime_error("not running under Wine");
        wchar_t temp[MAX_PATH]{};
        ::GetTempPathW(MAX_PATH, temp);
        folder_ = std::wstring(temp) + L"pixtrove-xclip-" + std::to_wstring(::GetCurrentProcessId());
        ::CreateDirectoryW(folder_.c_str(), nullptr);
        char* unixFolder = unixName(folder_.c_str());
        if (!unixFolder) throw std::runtime_error("no Unix name for the temporary folder");
        unixFolder_ = unixFolder;
        ::HeapFree(::GetProcessHeap(), 0, unixFolder);
    }

    // Starts the reading; true when xclip ran and ended within the time.
    bool Read()
    {
        // The display's owner of the clipboard changes a moment after the copy: wait for it.
        std::string script =
            "cd '" + unixFolder_ +
            "' || exit; "
            "for i in $(seq 50); do "
            "xclip -selection clipboard -t TARGETS -o >targets 2>&1 && grep -qx image/png targets && break; "
            "sleep 0.1; done; "
            "xclip -selection clipboard -t image/png -o >png 2>errors; echo $? >done.tmp; mv done.tmp done";
        char shell[] = "/bin/sh", option[] = "-c";
        char* argv[] = {shell, option, script.data(), nullptr};
        if (spawn_(argv, 0) != 0) return false;
        return PumpUntil([&] { return ::GetFileAttributesW(File(L"done").c_str()) != INVALID_FILE_ATTRIBUTES; }, 20000);
    }

    std::string Text(const wchar_t* name) const
    {
        std::string text;
        if (std::FILE* in = ::_wfopen(File(name).c_str(), L"rb")) {
            char buffer[65536];
            for (size_t n; (n = std::fread(buffer, 1, sizeof(buffer), in)) > 0;)
                text.append(buffer, n);
            std::fclose(in);
        }
        return text;
    }
    std::vector<BYTE> Bytes(const wchar_t* name) const
    {
        const std::string text = Text(name);
        return {text.begin(), text.end()};
    }

    ~XClip()
    {
        for (const wchar_t* name : {L"targets", L"png", L"errors", L"done"})
            ::DeleteFileW(File(name).c_str());
        ::RemoveDirectoryW(folder_.c_str());
    }

private:
    std::wstring File(const wchar_t* name) const { return folder_ + L"\\" + name; }

    UnixSpawn spawn_ = nullptr;
    std::wstring folder_;
    std::string unixFolder_;
};

TEST(X11Clipboard, AnXProgramPastesTheCopyAsImagePngWithTheSelectedPixelsOpaque)
{
    ScratchRegistry registry;
    ErrorReports reports;
    Program program;
    app::ShotWindow& shot = app::ShotWindow::Create(program.main, PatternPicture(64, 48), "Shot:1");
    Pump(20);
    const Pixels expected = Crop(PicturePixels(ShotProbe::Picture(shot)), {6, 9, 57, 40});
    ShotProbe::PressPicture(shot, true, {6, 9});
    ShotProbe::MoveOverPicture(shot, {57, 40});
    ShotProbe::ReleasePicture(shot, true);
    ::SendMessageW(program.main.hwnd(), WM_COMMAND, MAKEWPARAM(IDM_COPY, 0), 0);

    XClip xclip;
    ASSERT_TRUE(xclip.Read()) << "xclip did not end";
    EXPECT_NE(xclip.Text(L"targets").find("image/png\n"), std::string::npos) << xclip.Text(L"targets");
    ASSERT_EQ(xclip.Text(L"done"), "0\n") << xclip.Text(L"errors");
    const Png png = DecodePng(xclip.Bytes(L"png"));
    EXPECT_EQ(png.colours, expected) << Differences(expected, png.colours);
    EXPECT_EQ(png.translucentPixels, 0);
    EXPECT_TRUE(reports.texts().empty());
}

}  // namespace
