#pragma once
// The system's Open dialog (the Common Item Dialog) for pictures: several files at once.
#include <windows.h>

#include <string>
#include <vector>

namespace win {

// The picture files the open dialog offers, and every file.
inline constexpr wchar_t kPictureFilesLabel[] = L"画像ファイル (*.png;*.jpg;*.jpeg;*.bmp;*.gif;*.tif;*.tiff;*.ico)";
inline constexpr wchar_t kPictureFilesPatterns[] = L"*.png;*.jpg;*.jpeg;*.bmp;*.gif;*.tif;*.tiff;*.ico";
inline constexpr wchar_t kAllFilesLabel[] = L"すべてのファイル (*.*)";

// Opens in the user's Pictures folder the first time and in the folder of the last choice
// after that.
class OpenDialog {
public:
    // The files chosen, in a window owned by `owner`; none when the user gives up.
    std::vector<std::wstring> Choose(HWND owner);

private:
    std::wstring folder_;
};

}  // namespace win
