#include "win32/HotKeys.h"
#include <cstdint>

namespace win {
namespace {

UINT Modifiers(core::HotKey key) noexcept
{
    switch (key) {
        case core::HotKey::AltPrintScreen: return MOD_ALT;
        case core::HotKey::CtrlPrintScreen: return MOD_CONTROL;
        case core::HotKey::ShiftPrintScreen: return MOD_SHIFT;
        case core::HotKey::PrintScreen: break;
    }
    return 0;
}

}  // namespace

std::optional<core::HotKey> HotKeyFromId(WPARAM id) noexcept
{
    for (core::HotKey key : core::kHotKeys)
        if (static_cast<WPARAM>(HotKeyId(key)) == id) return key;
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

const core::KeyStates& HotKeys::Apply(HWND window, bool on)
{
    Release();
    window_ = window;
    const bool windowsTakes = on && WindowsTakesPrintScreen();
    for (std::size_t i = 0; i < core::kHotKeys.size(); ++i) {
        const core::HotKey key = core::kHotKeys[i];
        if (!core::ShouldRegister(key, on, windowsTakes)) {
            states_[i] = on ? core::KeyState::TakenByWindows : core::KeyState::Off;
            continue;
        }
        // No repeats: a key held down makes one capture, not a stream of them.
        const bool had = ::RegisterHotKey(window, HotKeyId(key), Modifiers(key) | MOD_NOREPEAT, VK_SNAPSHOT);
        states_[i] = had ? core::KeyState::Had : core::KeyState::HeldByAnotherProgram;
    }
    return states_;
}

void HotKeys::Release() noexcept
{
    for (std::size_t i = 0; i < core::kHotKeys.size(); ++i) {
        if (states_[i] == core::KeyState::Had) ::UnregisterHotKey(window_, HotKeyId(core::kHotKeys[i]));
        states_[i] = core::KeyState::Off;
    }
}

}  // namespace win
