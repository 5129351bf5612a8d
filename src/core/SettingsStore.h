#pragma once
#include <array>
#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

#include "core/CaptureTarget.h"
#include "core/KeyActions.h"

namespace core {

inline constexpr std::uint32_t kRegSz = 1, kRegExpandSz = 2, kRegDword = 4;  // Windows REG_* type codes

// The subkey of the store key that holds the values.
inline constexpr std::string_view kSectionName = "Pixtrove";

struct ValueInfo {
    std::uint32_t type;
    std::uint32_t size;
};

// Raw operations on HKCU\Software\Kvn (the store) and its subkey "Pixtrove" (the section).
class RegistryBackend {
public:
    virtual ~RegistryBackend() = default;
    virtual void OpenStore() = 0;  // RegCreateKeyExA(HKCU, "Software\\Kvn"); failure not reported
    virtual void CloseStore() noexcept = 0;
    virtual bool OpenSection() = 0;  // RegOpenKeyExA(store, "Pixtrove"); false on failure
    virtual void CloseSection() noexcept = 0;
    virtual bool CreateSection() = 0;  // RegCreateKeyExA(store, "Pixtrove") then close at once; false on failure
    virtual std::optional<ValueInfo> QueryValue(std::string_view name) = 0;  // type+size, no data; nullopt if fails
    virtual std::optional<std::vector<char>> ReadValue(std::string_view name,
                                                       std::uint32_t size) = 0;  // nullopt if read fails
    virtual bool WriteString(std::string_view name, std::string_view text) = 0;  // REG_SZ, data = text + NUL
};

// The store, open for one load or save: opened here, closed in the destructor,
// so an error that ends the work still closes it. Errors are AppError.
class SettingsStore {
public:
    explicit SettingsStore(RegistryBackend& backend);
    ~SettingsStore();
    SettingsStore(const SettingsStore&) = delete;
    SettingsStore& operator=(const SettingsStore&) = delete;

    std::int32_t ReadInteger(std::string_view name, std::int32_t defaultValue);
    bool ReadBool(std::string_view name, bool defaultValue);
    void WriteInteger(std::string_view name, std::int32_t value);
    void WriteBool(std::string_view name, bool value);

private:
    void WriteText(std::string_view name, std::string_view text);

    RegistryBackend& backend_;
};

// The main frame implements this (through core::Settings); LoadSettings passes each value through it.
struct SettingsTarget {
    virtual void SetCaptureMode(CaptureMode mode) = 0;
    virtual void SetCaptureDelay(std::int32_t seconds) = 0;  // receives the stored number as it is
    virtual void SetFlatToolBar(bool flat) = 0;
    virtual void SetHotKeys(bool on) = 0;  // the keys taken or let go
    virtual void SetKey(KeyAction action, ChosenKey key) = 0;
    virtual void SetRegionCopy(bool copy) = 0;
    virtual void SetCaptureCursor(bool drawn) = 0;
    virtual void SetKeepShots(bool on) = 0;  // the open shots kept for the next start, or their files deleted

protected:
    ~SettingsTarget() = default;
};

inline constexpr bool kDefaultHotKeys = true;
inline constexpr bool kDefaultRegionCopy = true;
inline constexpr bool kDefaultCaptureCursor = false;
inline constexpr bool kDefaultKeepShots = true;

struct SettingsValues {
    CaptureMode mode;
    std::int32_t delay;
    bool flatToolBar;
    bool hotKeys = kDefaultHotKeys;
    KeyChoices keys = kDefaultKeys;
    bool regionCopy = kDefaultRegionCopy;        // a region taken goes to the clipboard at once
    bool captureCursor = kDefaultCaptureCursor;  // the pointer is drawn into every picture
    bool keepShots = kDefaultKeepShots;          // open shots are kept for the next start
};

// The settings, named after their registry values; the keys in the order of kKeyActions.
enum class Setting : std::uint8_t {
    CapMode,
    CapTime,
    ToolBarFlat,
    HotKeys,
    HotKeyRegion,
    HotKeyTarget,
    HotKeyWindow,
    HotKeyDelayed,
    HotKeyScroll,
    RegionCopy,
    CaptureCursor,
    KeepShots,
};
inline constexpr std::size_t kSettingCount = 12;

// The setting that holds an action's key.
inline constexpr Setting KeySetting(KeyAction action) noexcept
{
    return static_cast<Setting>(static_cast<std::size_t>(Setting::HotKeyRegion) + Index(action));
}

// The settings a save may write: those a load has reached and those set since.
// A load that stops at an error leaves the later values unread, still as stored,
// while the program holds only their initial values; writing those would lose
// the user's settings. The settings object (core::Settings) allows a setting
// whenever its setter runs: the load's own calls come after it has reached the
// value, so only the user's add anything.
class WritableSettings {
public:
    void Allow(Setting setting) noexcept { allowed_[static_cast<std::size_t>(setting)] = true; }
    bool Allows(Setting setting) const noexcept { return allowed_[static_cast<std::size_t>(setting)]; }

private:
    std::array<bool, kSettingCount> allowed_{};
};

// Reads "CapMode", "CapTime", "ToolBarFlat", "HotKeys", "HotKeyRegion", "HotKeyTarget",
// "HotKeyWindow", "HotKeyDelayed", "HotKeyScroll", "RegionCopy", "CaptureCursor", "KeepShots" in that order,
// handing each to its setter before the next is read; an error leaves the later ones unread. Each
// value is allowed in `reached` before it is read, so the one that stops the load is written
// back by the next save, as the program's setting.
void LoadSettings(RegistryBackend& backend, SettingsTarget& target, WritableSettings& reached);

// A key value is the decimal text of the hot-key control's value (ChosenKeyFromValue); text that
// is no number, or a number that is no key, gives the action's default key.
//
// Writes the same values in the same order, each only where
// `writable` allows it; an error leaves the later ones unwritten.
void SaveSettings(RegistryBackend& backend, const SettingsValues& values, const WritableSettings& writable);

inline constexpr std::int32_t kDefaultCaptureDelay = 5;

// The delay SetCaptureDelay keeps: seconds outside 1..99 become the default 5.
std::int32_t CaptureDelayOrDefault(std::int32_t seconds);

}  // namespace core
