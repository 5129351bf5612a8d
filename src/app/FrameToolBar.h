#pragma once
// The frame's tool bar: the five target buttons (one radio group), start and copy, the
// drawing tools (another radio group) with the colour and width they draw with, with their
// glyphs at the screen's DPI and their tool tips.
#include <windows.h>
#include <commctrl.h>

#include <string>

#include "core/CaptureTarget.h"
#include "core/MarkTool.h"
#include "core/Marks.h"
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
    // The drawing tools: the one in use checked, the colour in use on the colour button, and
    // all of them greyed while no shot is active.
    void ShowTool(core::Tool tool);
    void ShowStyle(const core::MarkStyle& style);
    void EnableMarkTools(bool on);
    // Fills in a tool tip's text: the hint up to "|", or the copy command's caption.
    void FillTip(NMTTDISPINFOW& tip, const std::wstring& copyHint);

private:
    void ShowThemeFor(bool flat);
    void PaintSwatch(const NMTBCUSTOMDRAW& draw) const;
    bool IsFlat() const noexcept;

    HWND hwnd_ = nullptr;  // a child of the frame, destroyed with it
    win::OwnedImageList images_;
    std::wstring tipText_;  // what the tool tip shows, kept while it shows it
    COLORREF swatch_ = RGB(255, 0, 0);
};

}  // namespace app
