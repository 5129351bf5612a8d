#include "app/Commands.h"

#include <algorithm>
#include <vector>

#include "resource.h"
#include "win32/ErrorReport.h"
#include "win32/Text.h"

namespace app {
namespace {

using Owner = CommandOwner;
using Need = CommandNeed;

constexpr core::KeyChord Ctrl(std::uint16_t key) { return {.ctrl = true, .virtualKey = key}; }
constexpr core::KeyChord Alt(std::uint16_t key) { return {.alt = true, .virtualKey = key}; }
constexpr core::KeyChord Plain(std::uint16_t key) { return {.virtualKey = key}; }
constexpr core::KeyChord kNoKey{};

constexpr Command kCommands[] = {
    // The frame's own.
    {IDM_EXIT, L"終了(&X)", Alt(VK_F4), Owner::Frame, Need::Nothing},
    {IDM_ENVIRONMENT, L"環境設定(&D)...", kNoKey, Owner::Frame, Need::Nothing},
    {IDM_CONTENTS, L"目次(&C)", Plain(VK_F1), Owner::Frame, Need::Nothing},
    {IDM_ABOUT, L"バージョン情報(&A)...", kNoKey, Owner::Frame, Need::Nothing},
    // The active shot window's.
    {IDM_SAVE, L"名前を付けて保存(&S)...", Ctrl('S'), Owner::Shot, Need::Nothing},
    {IDM_CLOSE, L"閉じる(&C)", kNoKey, Owner::Shot, Need::Nothing},
    {IDM_COPY, L"全体をクリップボードへコピー(&C)", Ctrl('C'), Owner::Shot, Need::Nothing},
    {IDM_SELECT_ALL, L"全て選択(&A)", Ctrl('A'), Owner::Shot, Need::Nothing},
    {IDM_SELECT_CANCEL, L"選択範囲取り消し(&R)", kNoKey, Owner::Shot, Need::Nothing},
    {IDM_UNDO, L"元に戻す(&U)", Ctrl('Z'), Owner::Shot, Need::Undo},
    {IDM_REDO, L"やり直し(&Y)", Ctrl('Y'), Owner::Shot, Need::Redo},
    {IDM_BLACK_OUT, L"黒で塗りつぶす(&B)", Ctrl('B'), Owner::Shot, Need::SelectionArea},
    {IDM_MOSAIC, L"モザイクで隠す(&M)", Ctrl('M'), Owner::Shot, Need::SelectionArea},
    {IDM_RED_FRAME, L"赤枠で囲む(&H)", Ctrl('H'), Owner::Shot, Need::SelectionArea},
    {IDM_CUT_OUT, L"切り出す(&T)", Ctrl('T'), Owner::Shot, Need::SelectionArea},
    {IDM_PIN, L"最前面に表示(&P)", Plain(VK_F3), Owner::Shot, Need::Nothing},
    {IDM_CASCADE, L"重ねて表示(&C)", kNoKey, Owner::Shot, Need::Nothing},
    {IDM_TILE, L"並べて表示(&T)", kNoKey, Owner::Shot, Need::Nothing},
};

BYTE AcceleratorFlags(const core::KeyChord& key)
{
    return static_cast<BYTE>(FVIRTKEY | (key.ctrl ? FCONTROL : 0) | (key.shift ? FSHIFT : 0) | (key.alt ? FALT : 0));
}

}  // namespace

std::span<const Command> Commands() noexcept { return kCommands; }

const Command* FindCommand(UINT id) noexcept
{
    const auto found = std::find_if(std::begin(kCommands), std::end(kCommands), [id](const Command& c) { return c.id == id; });
    return found == std::end(kCommands) ? nullptr : &*found;
}

std::wstring MenuText(const Command& command) { return MenuText(command, command.text); }

std::wstring MenuText(const Command& command, std::wstring_view text)
{
    std::wstring item(text);
    const std::string key = core::KeyText(command.key);
    if (!key.empty()) item += L'\t' + win::Widen(key);
    return item;
}

win::OwnedAccel MakeAccelerators()
{
    std::vector<ACCEL> keys;
    for (const Command& c : kCommands)
        if (c.key.virtualKey != 0) keys.push_back({AcceleratorFlags(c.key), c.key.virtualKey, static_cast<WORD>(c.id)});
    return win::OwnedAccel(
        win::ThrowLastErrorIfNull(::CreateAcceleratorTableW(keys.data(), static_cast<int>(keys.size()))));
}

bool CommandAvailable(CommandNeed need, const ShotCommandStates& states) noexcept
{
    switch (need) {
        case CommandNeed::SelectionArea: return states.selectionHasArea;
        case CommandNeed::Undo: return states.canUndo;
        case CommandNeed::Redo: return states.canRedo;
        case CommandNeed::Nothing: break;
    }
    return true;
}

void ShowShotCommandStates(HMENU menu, const ShotCommandStates& states)
{
    for (const Command& c : kCommands) {
        if (c.need == CommandNeed::Nothing) continue;
        ::EnableMenuItem(menu, c.id, MF_BYCOMMAND | (CommandAvailable(c.need, states) ? MF_ENABLED : MF_GRAYED));
    }
}

}  // namespace app
