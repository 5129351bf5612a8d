#pragma once
// What the user reads when pictures from outside cannot become shots: why, and for which file.
#include <span>
#include <string>
#include <string_view>

namespace core {

// Why a picture was refused, in the user's words, beside the system's own texts.
inline constexpr const char* kNotAPicture = "画像のファイルではないか、壊れています。";
inline constexpr const char* kEmptyFile = "空のファイルです。";
inline constexpr const char* kFolderNotFile = "フォルダーです。";
inline constexpr const char* kPictureTooLarge = "画像が大きすぎます (一辺 32767 ピクセル、全体で 1 GiB まで)。";
inline constexpr const char* kNoPictureOnClipboard = "クリップボードに画像がありません。";

struct OpenFailure {
    std::string file;    // as the user knows it, UTF-8
    std::string reason;  // one of the above, or the system's text
};

// One report for every file that could not be opened: "「file」を開けません。" and the reason
// under it for one; for several, "次のファイルを開けません。" and a line "「file」: reason" each.
// Empty when nothing failed.
std::string OpenReportText(std::span<const OpenFailure> failures);

// The report for a picture on the clipboard that could not be read.
std::string PasteReportText(std::string_view reason);

}  // namespace core
