#pragma once
// The clipboard's CF_DIB as a reader takes it, in this process or in a second one: its size,
// its depth and every pixel's four bytes as they are stored.
#include <windows.h>

#include <cstdint>
#include <optional>
#include <vector>

#include "ClipboardProbe.h"

namespace wintest {

struct Dib {
    int width = 0;
    int height = 0;
    int bitCount = 0;
    // 0xXXRRGGBB as stored, rows from the top; only for 32-bit BI_RGB (empty for others).
    std::vector<std::uint32_t> values;

    // The colours without the fourth byte.
    Pixels Colours() const;
    // How many pixels have a fourth byte that is not 0 (which some readers take for alpha).
    int PixelsWithFourthByte() const;
};

// The data of one format on the clipboard, as bytes (the whole global block); nothing when
// there is none. The clipboard must be open.
std::optional<std::vector<BYTE>> ClipboardBlock(UINT format);
// The second process's side: opens the clipboard and writes the format's block to the file;
// returns its exit code (2 when there is no data).
int DumpClipboardBlock(UINT format, const char* file);

// The clipboard's CF_DIB as this process reads it; nothing when there is none.
std::optional<Dib> ClipboardDib();

// The same, read by this test program started again with kDumpDibArgument and a file.
inline constexpr char kDumpDibArgument[] = "--dump-dib";
std::optional<Dib> ClipboardDibFromAnotherProcess();
// The second process's side: writes the CF_DIB block to the file; returns its exit code.
int DumpClipboardDib(const char* file);

}  // namespace wintest
