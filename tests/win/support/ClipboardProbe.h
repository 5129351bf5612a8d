#pragma once
// What the copy to the clipboard is checked with: a picture with a known pattern, its pixels
// read back through its DC, the clipboard as another program reads it (in this process, in a
// second process, or held open by another thread), and real key presses through the frame's
// accelerators.
#include <windows.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "app/MainFrame.h"
#include "core/Geometry.h"
#include "win32/Picture.h"

namespace wintest {

// Pixels as 0x00RRGGBB, row by row from the top.
struct Pixels {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> values;

    std::uint32_t at(int x, int y) const { return values[static_cast<size_t>(y) * width + x]; }
    bool operator==(const Pixels&) const = default;
};
void PrintTo(const Pixels& pixels, std::ostream* out);  // the size only: Differences tells the rest

// A colour for every pixel that differs from its neighbours and from its own inverse.
std::uint32_t PatternPixel(int x, int y);

// A picture compatible with the screen, painted with the pattern.
std::unique_ptr<win::Picture> PatternPicture(int width, int height);

// The picture's bitmap as it stands, read through its DC.
Pixels PicturePixels(const win::Picture& picture);

// The part `area` of `pixels` (which must lie inside).
Pixels Crop(const Pixels& pixels, core::Rect area);

// `pixels` with the one-pixel ring of `area` inverted, as a selection frame inverts it.
Pixels WithFrame(Pixels pixels, core::Rect area);

// The client area of a window as it is on screen (after it has painted), `width` x `height`.
Pixels WindowPixels(HWND hwnd, int width, int height);

// Why a readable diff matters: the first pixels that differ, or "" when none do.
std::string Differences(const Pixels& expected, const Pixels& actual);

// Opens the clipboard, waiting a second at most while another thread or process has it open.
bool OpenClipboardSoon(HWND owner);

// The clipboard as this process reads it. Empty when there is no CF_BITMAP.
std::optional<Pixels> ClipboardBitmap();
std::optional<std::wstring> ClipboardText();
// Empties the clipboard and puts `text` there, owned by a helper window of the tests.
void PutClipboardText(const std::wstring& text);

// The clipboard's CF_BITMAP as a second process reads it: this test executable started
// with kDumpClipboardArgument and a file, into which it writes what it finds.
inline constexpr char kDumpClipboardArgument[] = "--dump-clipboard";
std::optional<Pixels> ClipboardBitmapFromAnotherProcess();
// The second process's side: returns its exit code.
int DumpClipboard(const char* file);

// Runs this test program again as `program argument file`, dispatching this thread's messages
// until it ends (this process may own the clipboard's data), and gives back what it wrote
// into the file: nothing when it ended with code 2 (nothing of the kind on the clipboard).
// Any other failure throws. `name` names the file, under the temporary folder.
std::optional<std::vector<BYTE>> SecondProcessOutput(const char* argument, const wchar_t* name);

// Holds the clipboard open from another thread, with a window of its own, until it goes.
class ClipboardHolder {
public:
    ClipboardHolder();
    ~ClipboardHolder();
    ClipboardHolder(const ClipboardHolder&) = delete;
    ClipboardHolder& operator=(const ClipboardHolder&) = delete;
    bool holding() const noexcept { return holding_; }

private:
    HANDLE opened_ = nullptr;
    HANDLE release_ = nullptr;
    HANDLE thread_ = nullptr;
    bool holding_ = false;
};

// Real input (SendInput): a key pressed with Ctrl held; the pointer moved to a screen point
// (returns once it is there); the primary button pressed or released where the pointer is.
void PressCtrlKey(WORD key);
void MovePointerTo(POINT screen);
void PressPrimaryButton();
void ReleasePrimaryButton();

}  // namespace wintest
