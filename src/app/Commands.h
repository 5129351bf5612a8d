#pragma once
// The program's menu commands in one table: each command's id, menu text, key, the window
// that carries it out and what it needs to act on. The menus, the accelerator table and the
// greying are all made from it, so a new command is one row here and one handler.
#include <windows.h>

#include <span>
#include <string>
#include <string_view>

#include "core/KeyText.h"
#include "win32/Handles.h"

namespace app {

// The frame carries out its own commands; any other it hands to the active shot window.
enum class CommandOwner { Frame, Shot };

// What a shot window's command needs before it can be used; the menu greys it otherwise.
enum class CommandNeed { Nothing, SelectionArea, Undo, Redo };

struct Command {
    UINT id;
    const wchar_t* text;  // the menu item's text, without the key
    core::KeyChord key;   // none when its virtual key is 0
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
};
bool CommandAvailable(CommandNeed need, const ShotCommandStates& states) noexcept;
// Enables or greys each command in `menu` that needs something.
void ShowShotCommandStates(HMENU menu, const ShotCommandStates& states);

}  // namespace app
