#include "core/HotKeyNotice.h"

namespace core {
namespace {

// The names of the keys of the actions in `state`, joined with "、".
std::string NamesIn(const KeyStates& states, const KeyChoices& keys, KeyState state)
{
    std::string names;
    for (std::size_t i = 0; i < states.size(); ++i) {
        if (states[i] != state) continue;
        if (!names.empty()) names += "、";
        names += KeyName(keys[i]);
    }
    return names;
}

}  // namespace

bool WindowsTakesPrintScreen(std::optional<std::uint32_t> storedValue) { return storedValue == 1u; }

bool ShouldRegister(ChosenKey key, bool setting, bool windowsTakesPrintScreen)
{
    return setting && !key.None() && !(IsPlainPrintScreen(key) && windowsTakesPrintScreen);
}

std::string HotKeyNotice(const KeyStates& states, const KeyChoices& keys)
{
    std::string notice;
    if (const std::string held = NamesIn(states, keys, KeyState::HeldByAnotherProgram); !held.empty())
        notice += held + " は他のプログラムが使用中のため使えません。";
    if (const std::string windows = NamesIn(states, keys, KeyState::TakenByWindows); !windows.empty())
        notice += windows +
                  " は Windows が画面キャプチャに使っています。Windows の 設定 > アクセシビリティ > キーボード で"
                  "「Print Screen キーを使用して画面キャプチャを開く」をオフにすると使えます。";
    return notice;
}

}  // namespace core
