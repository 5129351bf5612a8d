// The frame's part in marking shots: the tool chosen, the colour and width the tools draw with,
// the colour and width pop-ups of the tool bar and the system's colour dialog.
#include <windows.h>
#include <commdlg.h>

#include <iterator>

#include "app/Commands.h"
#include "app/MainFrame.h"
#include "app/ShotWindow.h"
#include "resource.h"
#include "win32/ErrorReport.h"
#include "win32/Handles.h"

namespace app {

void MainFrame::TellActiveShot(UINT msg, WPARAM wp, LPARAM lp)
{
    if (const HWND shot = ActiveShot()) ::SendMessageW(shot, msg, wp, lp);
}

bool MainFrame::OnMarkCommand(UINT id)
{
    for (size_t i = 0; i < std::size(kToolCommands); ++i) {
        if (kToolCommands[i] != id) continue;
        tool_ = static_cast<core::Tool>(i);
        toolBar_.ShowTool(tool_);
        toolBar_.ShowStyle(styles_.For(tool_));
        TellActiveShot(WM_COMMAND, id, 0);
        return true;
    }
    std::optional<std::uint32_t> colour;
    for (const ColourCommand& c : kColourCommands)
        if (c.id == id) colour = c.colour;
    if (id == IDM_COLOUR_OTHER) {
        colour = ChooseOtherColour();
        if (!colour) return true;
    }
    if (colour) {
        styles_.SetColour(tool_, *colour);
        toolBar_.ShowStyle(styles_.For(tool_));
        TellActiveShot(kMarkStyleChosen, 0, static_cast<LPARAM>(*colour));
        return true;
    }
    for (const WidthCommand& w : kWidthCommands) {
        if (w.id != id) continue;
        styles_.SetWidth(tool_, w.width);
        TellActiveShot(kMarkStyleChosen, 1, w.width);
        return true;
    }
    return false;
}

// The pop-up under the colour or width button, the current one checked.
void MainFrame::ShowMarkPopup(const NMTOOLBARW& button)
{
    const core::MarkStyle style = styles_.For(tool_);
    win::OwnedMenu popup(win::ThrowLastErrorIfNull(::CreatePopupMenu()));
    const auto add = [&](UINT id, bool checked) {
        win::ThrowLastErrorIfNull(
            ::AppendMenuW(popup.get(), MF_STRING | (checked ? MF_CHECKED : 0), id, FindCommand(id)->text));
    };
    if (button.iItem == IDB_MARK_COLOUR) {
        for (const ColourCommand& c : kColourCommands)
            add(c.id, c.colour == style.colour);
        win::ThrowLastErrorIfNull(::AppendMenuW(popup.get(), MF_SEPARATOR, 0, nullptr));
        add(IDM_COLOUR_OTHER, false);
    } else if (button.iItem == IDB_MARK_WIDTH) {
        for (const WidthCommand& w : kWidthCommands)
            add(w.id, w.width == style.width);
    } else {
        return;
    }
    POINT at{button.rcButton.left, button.rcButton.bottom};
    ::ClientToScreen(toolBar_.hwnd(), &at);
    const UINT chosen = static_cast<UINT>(
        ::TrackPopupMenu(popup.get(), TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RETURNCMD, at.x, at.y, 0, hwnd_, nullptr));
    if (chosen) OnMarkCommand(chosen);
}

// The system's colour dialog, starting from the colour in use; nothing when it is cancelled.
std::optional<std::uint32_t> MainFrame::ChooseOtherColour()
{
    const std::uint32_t now = styles_.For(tool_).colour;
    CHOOSECOLORW choice{sizeof(choice)};
    choice.hwndOwner = hwnd_;
    choice.rgbResult = RGB((now >> 16) & 0xFF, (now >> 8) & 0xFF, now & 0xFF);
    choice.lpCustColors = customColours_;
    choice.Flags = CC_FULLOPEN | CC_RGBINIT;
    if (!::ChooseColorW(&choice)) return std::nullopt;
    const COLORREF c = choice.rgbResult;
    return (static_cast<std::uint32_t>(GetRValue(c)) << 16) | (GetGValue(c) << 8) | GetBValue(c);
}

}  // namespace app
