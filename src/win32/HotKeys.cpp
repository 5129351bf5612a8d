#include "win32/HotKeys.h"

#include <cstdint>

namespace win {

std::optional<core::KeyAction> ActionFromHotKeyId(WPARAM id) noexcept
{
    for (core::KeyAction action : core::kKeyActions)
        if (static_cast<WPARAM>(HotKeyId(action)) == id) return action;
    return std::nullopt;
}

bool WindowsTakesPrintScreen()
{
    DWORD value = 0, size = sizeof(value);
    const LSTATUS status =
        ::RegGetValueW(HKEY_CURRENT_USER, L"Control Panel\\Keyboard", L"PrintScreenKeyForSnippingEnabled",
                       RRF_RT_REG_DWORD, nullptr, &value, &size);
    return core::WindowsTakesPrintScreen(status == ERROR_SUCCESS ? std::optional<std::uint32_t>(value) : std::nullopt);
}

const core::KeyStates& HotKeys::Apply(HWND window, bool on, const core::KeyChoices& keys, const HandledActions& handled)
{
    Release();
    window_ = window;
    keys_ = keys;
    const bool windowsTakes = on && WindowsTakesPrintScreen();
    for (core::KeyAction action : core::kKeyActions) {
        const std::size_t i = core::Index(action);
        const core::ChosenKey key = keys[i];
        if (!handled[i] || !core::ShouldRegister(key, on, windowsTakes)) {
            const bool keptByWindows = handled[i] && windowsTakes && core::IsPlainPrintScreen(key);
            states_[i] = keptByWindows ? core::KeyState::TakenByWindows : core::KeyState::Off;
            continue;
        }
        // No repeats: a key held down makes one capture, not a stream of them.
        const bool had =
            ::RegisterHotKey(window, HotKeyId(action), core::RegisterModifiers(key) | MOD_NOREPEAT, key.key);
        states_[i] = had ? core::KeyState::Had : core::KeyState::HeldByAnotherProgram;
    }
    return states_;
}

void HotKeys::Release() noexcept
{
    for (core::KeyAction action : core::kKeyActions) {
        const std::size_t i = core::Index(action);
        if (states_[i] == core::KeyState::Had) ::UnregisterHotKey(window_, HotKeyId(action));
        states_[i] = core::KeyState::Off;
    }
}

}  // namespace win
