#pragma once
// Pixels kept for the clipboard: a 32-bit DIB section whose rows lie as CF_DIB lays them
// (from the bottom up), drawn into through its own DC, and written out as a CF_DIB block.
#include <windows.h>

#include <cstdint>

#include "win32/Handles.h"

namespace win {

class DibSnapshot {
public:
    // A width x height snapshot, all black; throws the system's error when it cannot be made.
    DibSnapshot(int width, int height);
    DibSnapshot(const DibSnapshot&) = delete;
    DibSnapshot& operator=(const DibSnapshot&) = delete;
    ~DibSnapshot() = default;

    int Width() const noexcept { return width_; }
    int Height() const noexcept { return height_; }
    HDC DC() const noexcept { return dc_.get(); }

    // A CF_DIB block of the pixels: a BITMAPINFOHEADER, then the rows. Every pixel is opaque
    // (its fourth byte 0), whatever the display left there. Nothing when memory runs out.
    OwnedGlobal Render() const noexcept;

private:
    int width_;
    int height_;
    std::uint32_t* bits_ = nullptr;
    OwnedDC dc_;
    OwnedBitmap bitmap_;
    SelectedObject selected_;  // released first: the bitmap leaves the DC before either goes
};

}  // namespace win
