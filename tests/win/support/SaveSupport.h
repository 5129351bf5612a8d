#pragma once
// The save tests' fixture: the main window with one shot of a known pattern, a scratch folder,
// and a stand-in for the Save dialog that answers as told; and files read back as other
// programs read them.
#include <gtest/gtest.h>
#include <windows.h>
#include <wincodec.h>

#include <optional>
#include <string>
#include <vector>

#include "ClipboardProbe.h"
#include "WinTest.h"
#include "app/ShotWindow.h"
#include "resource.h"
#include "win32/SaveDialog.h"

namespace wintest {

inline constexpr size_t kPngEntry = 0, kJpegEntry = 1, kBmpEntry = 2;

struct DecodedImage {
    GUID container;  // GUID_ContainerFormat...
    bool opaque;     // every pixel's alpha is full
    Pixels pixels;
};
// What the system's decoders read in a file; nothing when they cannot.
std::optional<DecodedImage> DecodeImageFile(const std::wstring& path);

std::wstring NewFolder();  // a fresh scratch folder in the temporary folder
std::vector<std::wstring> FilesIn(const std::wstring& folder);  // sorted
std::optional<std::vector<char>> FileBytes(const std::wstring& path);
void WriteBytes(const std::wstring& path, const std::vector<char>& bytes);
// The system's texts, as Wine gives them in Japanese.
inline constexpr wchar_t kAccessDenied[] = L"アクセスが拒否されました。";
inline constexpr wchar_t kSharingViolation[] = L"共有違反です。";
inline constexpr wchar_t kPathNotFound[] = L"パスが見つかりません。";
inline constexpr wchar_t kWriteProtected[] = L"書き込み禁止です。";
inline constexpr wchar_t kNameTooLong[] = L"ファイル名が長すぎます。";
// What the user reads when a save of `file` failed with the system's text `reason`.
std::wstring ReportOf(const std::wstring& file, const std::wstring& reason);

class ShotSaveTest : public ::testing::Test, private win::SaveTargetChooser {
protected:
    ShotSaveTest();
    ~ShotSaveTest() override;

    app::ShotWindow& MakeShot(int width, int height, const char* caption);
    std::wstring InFolder(const std::wstring& name) const { return folder_ + L"\\" + name; }
    std::vector<std::wstring> Names() const { return FilesIn(folder_); }
    // The save as the menu item (and Ctrl+S) gives it; the stand-in answers `path` and `entry`.
    void SaveByMenu(const std::wstring& path, size_t entry = kPngEntry);
    void Drag(core::Point from, core::Point to);

    ScratchRegistry registry;
    ErrorReports reports;
    Program program;
    const std::wstring folder_;
    std::optional<win::SaveTarget> answer_;                 // nothing: the user gives up
    std::vector<std::pair<HWND, std::wstring>> questions_;  // owner and proposed name
    std::vector<std::wstring> proposedFolders_;             // empty: the chooser's own
    app::ShotWindow& shot = MakeShot(64, 48, "Shot:1");
    const Pixels captured = PicturePixels(ShotProbe::Picture(shot));

private:
    std::optional<win::SaveTarget> Choose(HWND owner, const std::wstring& name, const std::wstring& folder) override;
};

}  // namespace wintest
