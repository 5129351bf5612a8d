#pragma once
// Small owners of Win32 handles. Each type says at the line that makes a handle who
// releases it; copies are impossible, moves hand ownership on.
#include <windows.h>
#include <commctrl.h>

#include <utility>

namespace win {

template <class H, auto Close, H Null = H{}>
class Owned {
public:
    explicit Owned(H h = Null) noexcept : h_(h) {}
    Owned(Owned&& o) noexcept : h_(std::exchange(o.h_, Null)) {}
    Owned& operator=(Owned&& o) noexcept
    {
        reset(std::exchange(o.h_, Null));
        return *this;
    }
    Owned(const Owned&) = delete;
    Owned& operator=(const Owned&) = delete;
    ~Owned() { reset(); }

    H get() const noexcept { return h_; }
    explicit operator bool() const noexcept { return h_ != Null; }
    H release() noexcept { return std::exchange(h_, Null); }
    // For functions that return a handle through a pointer: frees what is held, then lends
    // the slot, e.g. ::RegOpenKeyExW(..., key.put()).
    H* put() noexcept
    {
        reset();
        return &h_;
    }
    void reset(H h = Null) noexcept
    {
        if (h_ != Null) Close(h_);
        h_ = h;
    }

private:
    H h_;
};

inline void DeleteGdiObject(HGDIOBJ h) noexcept { ::DeleteObject(h); }
inline void CloseKernelHandle(HANDLE h) noexcept { ::CloseHandle(h); }
inline void CloseRegKey(HKEY k) noexcept { ::RegCloseKey(k); }
inline void DestroyMenuHandle(HMENU m) noexcept { ::DestroyMenu(m); }
inline void DestroyIconHandle(HICON i) noexcept { ::DestroyIcon(i); }
inline void DestroyAccelerators(HACCEL a) noexcept { ::DestroyAcceleratorTable(a); }
inline void DestroyImageList(HIMAGELIST l) noexcept { ::ImageList_Destroy(l); }
inline void FreeGlobalMemory(HGLOBAL g) noexcept { ::GlobalFree(g); }

using OwnedDC = Owned<HDC, &::DeleteDC>;  // CreateDC / CreateCompatibleDC
using OwnedBitmap = Owned<HBITMAP, &DeleteGdiObject>;
using OwnedFont = Owned<HFONT, &DeleteGdiObject>;
using OwnedBrush = Owned<HBRUSH, &DeleteGdiObject>;
using OwnedRegion = Owned<HRGN, &DeleteGdiObject>;
using OwnedHandle = Owned<HANDLE, &CloseKernelHandle>;
using OwnedKey = Owned<HKEY, &CloseRegKey>;
using OwnedMenu = Owned<HMENU, &DestroyMenuHandle>;
using OwnedIcon = Owned<HICON, &DestroyIconHandle>;
using OwnedAccel = Owned<HACCEL, &DestroyAccelerators>;
using OwnedImageList = Owned<HIMAGELIST, &DestroyImageList>;
using OwnedGlobal = Owned<HGLOBAL, &FreeGlobalMemory>;  // GlobalAlloc, until the clipboard takes it

// A window's DC from GetDC, given back with ReleaseDC.
class WindowDC {
public:
    explicit WindowDC(HWND hwnd) noexcept : hwnd_(hwnd), dc_(::GetDC(hwnd)) {}
    WindowDC(const WindowDC&) = delete;
    WindowDC& operator=(const WindowDC&) = delete;
    ~WindowDC()
    {
        if (dc_) ::ReleaseDC(hwnd_, dc_);
    }
    HDC get() const noexcept { return dc_; }
    explicit operator bool() const noexcept { return dc_ != nullptr; }

private:
    HWND hwnd_;
    HDC dc_;
};

// BeginPaint .. EndPaint.
class PaintDC {
public:
    explicit PaintDC(HWND hwnd) noexcept : hwnd_(hwnd) { dc_ = ::BeginPaint(hwnd, &ps_); }
    PaintDC(const PaintDC&) = delete;
    PaintDC& operator=(const PaintDC&) = delete;
    ~PaintDC() { ::EndPaint(hwnd_, &ps_); }
    HDC get() const noexcept { return dc_; }
    const RECT& area() const noexcept { return ps_.rcPaint; }

private:
    HWND hwnd_;
    PAINTSTRUCT ps_{};
    HDC dc_;
};

// Saves a DC's state (its clip region among it) and restores it when it goes.
class SavedDCState {
public:
    explicit SavedDCState(HDC dc) noexcept : dc_(dc), saved_(::SaveDC(dc)) {}
    SavedDCState(const SavedDCState&) = delete;
    SavedDCState& operator=(const SavedDCState&) = delete;
    ~SavedDCState()
    {
        if (saved_) ::RestoreDC(dc_, saved_);
    }
    explicit operator bool() const noexcept { return saved_ != 0; }

private:
    HDC dc_;
    int saved_;
};

// Selects an object into a DC and puts the displaced one back when it goes.
class SelectedObject {
public:
    SelectedObject(HDC dc, HGDIOBJ object) noexcept : dc_(dc), old_(::SelectObject(dc, object)) {}
    SelectedObject(const SelectedObject&) = delete;
    SelectedObject& operator=(const SelectedObject&) = delete;
    ~SelectedObject()
    {
        if (old_ && old_ != HGDI_ERROR) ::SelectObject(dc_, old_);
    }

private:
    HDC dc_;
    HGDIOBJ old_;
};

}  // namespace win
