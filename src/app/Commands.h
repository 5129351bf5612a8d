#pragma once
// The program's menu commands in one table: each command's id, menu text, key, the window
// that carries it out and what it needs to act on. The menus, the accelerator table and the
// greying are all made from it, so a new command is one row here and one handler.
#include <windows.h>

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "core/KeyText.h"
#include "resource.h"
#include "win32/Handles.h"

namespace app {

// The frame carries out its own commands; any other it hands to the active shot window.
enum class CommandOwner { Frame, Shot };

// What a command needs before it can be used; the menu greys it otherwise. A shot window
// knows its own states; whether the clipboard holds a picture is asked as a menu opens.
enum class CommandNeed { Nothing, SelectionArea, Undo, Redo, ZoomIn, ZoomOut, PictureOnClipboard };

struct Command {
    UINT id;
    const wchar_t* text;  // the menu item's text, without the key
    core::MenuKey key;   // none when its virtual key is 0
    CommandOwner owner;
    CommandNeed need;
};

std::span<const Command> Commands() noexcept;
// The row of `id`; nullptr for an id that is no menu command (a tool button, the window list).
const Command* FindCommand(UINT id) noexcept;

// A menu item's text: `text`, or the command's own, then a tab and its key when it has one.
std::wstring MenuText(const Command& command);
std::wstring MenuText(const Command& command, std::wstring_view text);

// The keys of every command that has one.
win::OwnedAccel MakeAccelerators();

// What a shot window has at the moment, for the greying of its commands.
struct ShotCommandStates {
    bool selectionHasArea;
    bool canUndo;
    bool canRedo;
    bool canZoomIn = true;
    bool canZoomOut = true;
};
bool CommandAvailable(CommandNeed need, const ShotCommandStates& states) noexcept;
// Enables or greys each command in `menu` that needs something of a shot window.
void ShowShotCommandStates(HMENU menu, const ShotCommandStates& states);
// Enables or greys each command in `menu` that needs a picture on the clipboard.
void ShowClipboardCommandStates(HMENU menu, bool pictureOnClipboard);

// The drawing tools' commands, in the order of core::Tool; the colours' and widths' with what
// they stand for.
inline constexpr UINT kToolCommands[] = {IDM_TOOL_SELECT, IDM_TOOL_ARROW,  IDM_TOOL_BOX,
                                         IDM_TOOL_TEXT,   IDM_TOOL_NUMBER, IDM_TOOL_HIGHLIGHTER};
struct ColourCommand {
    UINT id;
    std::uint32_t colour;  // 0x00RRGGBB
};
inline constexpr ColourCommand kColourCommands[] = {
    {IDM_COLOUR_RED, 0xFF0000},   {IDM_COLOUR_YELLOW, 0xFFFF00}, {IDM_COLOUR_GREEN, 0x00C000},
    {IDM_COLOUR_BLUE, 0x0000FF},  {IDM_COLOUR_BLACK, 0x000000},  {IDM_COLOUR_WHITE, 0xFFFFFF},
    {IDM_COLOUR_MAGENTA, 0xFF00FF}, {IDM_COLOUR_ORANGE, 0xFF8000},
};
struct WidthCommand {
    UINT id;
    std::int32_t width;
};
inline constexpr WidthCommand kWidthCommands[] = {{IDM_WIDTH_THIN, 2}, {IDM_WIDTH_NORMAL, 4}, {IDM_WIDTH_THICK, 8}};

}  // namespace app
