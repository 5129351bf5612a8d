#pragma once
// The settings store on the registry: HKEY_CURRENT_USER\Software\Kvn\Pixtrove, written
// with the ANSI functions, so that each value is text in the ANSI code page with its NUL.
#include "core/SettingsStore.h"
#include "win32/Handles.h"

namespace win {

class RegistryStore final : public core::RegistryBackend {
public:
    void OpenStore() override;
    void CloseStore() noexcept override;
    bool OpenSection() override;
    void CloseSection() noexcept override;
    bool CreateSection() override;
    std::optional<core::ValueInfo> QueryValue(std::string_view name) override;
    std::optional<std::vector<char>> ReadValue(std::string_view name, std::uint32_t size) override;
    bool WriteString(std::string_view name, std::string_view text) override;

private:
    OwnedKey store_;
    OwnedKey section_;
};

}  // namespace win
