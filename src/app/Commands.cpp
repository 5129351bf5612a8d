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

constexpr core::MenuKey Ctrl(std::uint16_t key) { return {.ctrl = true, .virtualKey = key}; }
constexpr core::MenuKey Alt(std::uint16_t key) { return {.alt = true, .virtualKey = key}; }
constexpr core::MenuKey Plain(std::uint16_t key) { return {.virtualKey = key}; }
constexpr core::MenuKey CtrlShift(std::uint16_t key) { return {.ctrl = true, .shift = true, .virtualKey = key}; }
constexpr core::MenuKey kNoKey{};

constexpr Command kCommands[] = {
    // The frame's own.
    {IDM_OPEN, L"開く(&O)...", Ctrl('O'), Owner::Frame, Need::Nothing},
    {IDM_PASTE_NEW, L"クリップボードから新規(&V)", CtrlShift('V'), Owner::Frame, Need::PictureOnClipboard},
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
    {IDM_ZOOM_IN, L"拡大(&I)", Ctrl(VK_OEM_PLUS), Owner::Shot, Need::ZoomIn},
    {IDM_ZOOM_OUT, L"縮小(&O)", Ctrl(VK_OEM_MINUS), Owner::Shot, Need::ZoomOut},
    {IDM_ZOOM_FULL, L"100%(&Z)", Ctrl('0'), Owner::Shot, Need::Nothing},
    {IDM_ZOOM_FIT, L"ウィンドウに合わせる(&F)", kNoKey, Owner::Shot, Need::Nothing},
    // The drawing tools, their colours and widths: the frame keeps them for every shot.
    {IDM_TOOL_SELECT, L"選択(&S)", kNoKey, Owner::Frame, Need::Nothing},
    {IDM_TOOL_ARROW, L"矢印(&A)", kNoKey, Owner::Frame, Need::Nothing},
    {IDM_TOOL_BOX, L"四角(&R)", kNoKey, Owner::Frame, Need::Nothing},
    {IDM_TOOL_TEXT, L"テキスト(&T)", kNoKey, Owner::Frame, Need::Nothing},
    {IDM_TOOL_NUMBER, L"番号(&N)", kNoKey, Owner::Frame, Need::Nothing},
    {IDM_TOOL_HIGHLIGHTER, L"蛍光ペン(&H)", kNoKey, Owner::Frame, Need::Nothing},
    {IDM_COLOUR_RED, L"赤", kNoKey, Owner::Frame, Need::Nothing},
    {IDM_COLOUR_YELLOW, L"黄", kNoKey, Owner::Frame, Need::Nothing},
    {IDM_COLOUR_GREEN, L"緑", kNoKey, Owner::Frame, Need::Nothing},
    {IDM_COLOUR_BLUE, L"青", kNoKey, Owner::Frame, Need::Nothing},
    {IDM_COLOUR_BLACK, L"黒", kNoKey, Owner::Frame, Need::Nothing},
    {IDM_COLOUR_WHITE, L"白", kNoKey, Owner::Frame, Need::Nothing},
    {IDM_COLOUR_MAGENTA, L"マゼンタ", kNoKey, Owner::Frame, Need::Nothing},
    {IDM_COLOUR_ORANGE, L"オレンジ", kNoKey, Owner::Frame, Need::Nothing},
    {IDM_COLOUR_OTHER, L"その他...", kNoKey, Owner::Frame, Need::Nothing},
    {IDM_WIDTH_THIN, L"細い", kNoKey, Owner::Frame, Need::Nothing},
    {IDM_WIDTH_NORMAL, L"普通", kNoKey, Owner::Frame, Need::Nothing},
    {IDM_WIDTH_THICK, L"太い", kNoKey, Owner::Frame, Need::Nothing},
    {IDM_CASCADE, L"重ねて表示(&C)", kNoKey, Owner::Shot, Need::Nothing},
    {IDM_TILE, L"並べて表示(&T)", kNoKey, Owner::Shot, Need::Nothing},
};

BYTE AcceleratorFlags(const core::MenuKey& key)
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
        case CommandNeed::ZoomIn: return states.canZoomIn;
        case CommandNeed::ZoomOut: return states.canZoomOut;
        case CommandNeed::Nothing:
        case CommandNeed::PictureOnClipboard: break;
    }
    return true;
}

void ShowShotCommandStates(HMENU menu, const ShotCommandStates& states)
{
    for (const Command& c : kCommands) {
        if (c.need == CommandNeed::Nothing || c.need == CommandNeed::PictureOnClipboard) continue;
        ::EnableMenuItem(menu, c.id, MF_BYCOMMAND | (CommandAvailable(c.need, states) ? MF_ENABLED : MF_GRAYED));
    }
}

void ShowClipboardCommandStates(HMENU menu, bool pictureOnClipboard)
{
    for (const Command& c : kCommands)
        if (c.need == CommandNeed::PictureOnClipboard)
            ::EnableMenuItem(menu, c.id, MF_BYCOMMAND | (pictureOnClipboard ? MF_ENABLED : MF_GRAYED));
}

}  // namespace app
