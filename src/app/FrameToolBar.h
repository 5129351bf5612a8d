#pragma once
// The frame's tool bar: the five target buttons (one radio group), start and copy, with
// their glyphs at the screen's DPI and their tool tips.
#include <windows.h>
#include <commctrl.h>

#include <string>

#include "core/CaptureTarget.h"
#include "win32/Handles.h"

namespace app {

class FrameToolBar {
public:
    void Create(HWND frame);
    HWND hwnd() const noexcept { return hwnd_; }

    // Glyphs, button sizes and separators for the DPI.
    void ApplyDpi(UINT dpi);
    // Raised buttons are drawn without the visual style, which would always draw them flat.
    void SetFlat(bool flat);
    // Checks the target button of the mode; none for a mode without one.
    void ShowMode(core::CaptureMode mode);
    // Raised buttons get their edges drawn here: a tool bar with common controls 6 may draw
    // every button flat, whatever its style says.
    LRESULT OnCustomDraw(const NMTBCUSTOMDRAW& draw) const;
    // Fills in a tool tip's text: the hint up to "|", or the copy command's caption.
    void FillTip(NMTTDISPINFOW& tip, const std::wstring& copyHint);

private:
    void ShowThemeFor(bool flat);
    bool IsFlat() const noexcept;

    HWND hwnd_ = nullptr;  // a child of the frame, destroyed with it
    win::OwnedImageList images_;
    std::wstring tipText_;  // what the tool tip shows, kept while it shows it
};

}  // namespace app
