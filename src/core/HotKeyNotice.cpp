#include "core/HotKeyNotice.h"

namespace core {
namespace {

// The names of the keys in `states` that are in `state`, joined with "、".
std::string NamesIn(const KeyStates& states, KeyState state)
{
    std::string names;
    for (std::size_t i = 0; i < kHotKeys.size(); ++i) {
        if (states[i] != state) continue;
        if (!names.empty()) names += "、";
        names += HotKeyName(kHotKeys[i]);
    }
    return names;
}

}  // namespace

std::string_view HotKeyName(HotKey key)
{
    switch (key) {
        case HotKey::PrintScreen: return "Print Screen";
        case HotKey::AltPrintScreen: return "Alt+Print Screen";
        case HotKey::CtrlPrintScreen: return "Ctrl+Print Screen";
        case HotKey::ShiftPrintScreen: return "Shift+Print Screen";
    }
    return {};
}

bool WindowsTakesPrintScreen(std::optional<std::uint32_t> storedValue) { return storedValue == 1u; }

bool ShouldRegister(HotKey key, bool setting, bool windowsTakesPrintScreen)
{
    return setting && !(key == HotKey::PrintScreen && windowsTakesPrintScreen);
}

std::string HotKeyNotice(const KeyStates& states)
{
    std::string notice;
    if (const std::string held = NamesIn(states, KeyState::HeldByAnotherProgram); !held.empty())
        notice += held + " は他のプログラムが使用中のため使えません。";
    if (const std::string windows = NamesIn(states, KeyState::TakenByWindows); !windows.empty())
        notice += windows +
                  " は Windows が画面キャプチャに使っています。Windows の 設定 > アクセシビリティ > キーボード で"
                  "「Print Screen キーを使用して画面キャプチャを開く」をオフにすると使えます。";
    return notice;
}

}  // namespace core
