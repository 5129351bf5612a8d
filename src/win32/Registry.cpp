#include "win32/Registry.h"

#include <string>

namespace win {
namespace {

constexpr char kStoreKey[] = "Software\\Kvn";

// Leaves `key` empty when the key can be neither opened nor made.
void CreateKey(HKEY parent, const char* name, OwnedKey& key) noexcept
{
    if (::RegCreateKeyExA(parent, name, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, nullptr, key.put(),
                          nullptr) != ERROR_SUCCESS)
        key.reset();
}

}  // namespace

void RegistryStore::OpenStore() { CreateKey(HKEY_CURRENT_USER, kStoreKey, store_); }

void RegistryStore::CloseStore() noexcept { store_.reset(); }

bool RegistryStore::OpenSection()
{
    if (!store_) return false;
    const std::string section(core::kSectionName);
    if (::RegOpenKeyExA(store_.get(), section.c_str(), 0, KEY_ALL_ACCESS, section_.put()) == ERROR_SUCCESS) return true;
    section_.reset();
    return false;
}

void RegistryStore::CloseSection() noexcept { section_.reset(); }

bool RegistryStore::CreateSection()
{
    if (!store_) return false;
    const std::string section(core::kSectionName);
    OwnedKey created;
    CreateKey(store_.get(), section.c_str(), created);
    return static_cast<bool>(created);
}

std::optional<core::ValueInfo> RegistryStore::QueryValue(std::string_view name)
{
    const std::string value(name);
    DWORD type = 0, size = 0;
    if (::RegQueryValueExA(section_.get(), value.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS)
        return std::nullopt;
    return core::ValueInfo{type, size};
}

std::optional<std::vector<char>> RegistryStore::ReadValue(std::string_view name, std::uint32_t size)
{
    const std::string value(name);
    std::vector<char> data(size);
    DWORD type = 0, read = size;
    if (::RegQueryValueExA(section_.get(), value.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(data.data()),
                           &read) != ERROR_SUCCESS)
        return std::nullopt;
    data.resize(read);
    return data;
}

bool RegistryStore::WriteString(std::string_view name, std::string_view text)
{
    const std::string value(name), data(text);
    return ::RegSetValueExA(section_.get(), value.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(data.c_str()),
                            static_cast<DWORD>(data.size() + 1)) == ERROR_SUCCESS;
}

}  // namespace win
