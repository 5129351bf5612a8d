#include "core/SettingsStore.h"

#include <array>
#include <string>

#include "core/AppError.h"
#include "core/IntText.h"

namespace core {
namespace {

std::string ValueMessage(std::string_view name, std::string_view what)
{
    std::string message = "'";
    message += name;
    message += "' ";
    message += what;
    return message;
}

// Closes the section that the caller has just opened, on every way out.
class OpenedSection {
public:
    explicit OpenedSection(RegistryBackend& backend) noexcept : backend_(backend) {}
    ~OpenedSection() { backend_.CloseSection(); }
    OpenedSection(const OpenedSection&) = delete;
    OpenedSection& operator=(const OpenedSection&) = delete;

private:
    RegistryBackend& backend_;
};

constexpr std::array<std::string_view, kKeyActions.size()> kKeyValueNames{
    "HotKeyRegion", "HotKeyTarget", "HotKeyWindow", "HotKeyDelayed", "HotKeyScroll"};

ChosenKey ReadKey(SettingsStore& store, KeyAction action)
{
    const ChosenKey fallback = kDefaultKeys[Index(action)];
    return ChosenKeyFromValue(store.ReadInteger(kKeyValueNames[Index(action)], StoredValue(fallback)))
        .value_or(fallback);
}

}  // namespace

SettingsStore::SettingsStore(RegistryBackend& backend) : backend_(backend) { backend_.OpenStore(); }

SettingsStore::~SettingsStore() { backend_.CloseStore(); }

std::int32_t SettingsStore::ReadInteger(std::string_view name, std::int32_t defaultValue)
{
    if (!backend_.OpenSection()) return defaultValue;
    OpenedSection section(backend_);

    const auto info = backend_.QueryValue(name);
    if (!info) return defaultValue;
    // An empty value is empty text whatever its type, so it never raises the type error.
    if (info->size == 0) return defaultValue;

    const auto data = backend_.ReadValue(name, info->size);
    if (!data) throw AppError(ValueMessage(name, "の取得に失敗しました"));
    if (info->type != kRegSz && info->type != kRegExpandSz) {
        throw AppError(ValueMessage(name, "のデータ型が不正です"));
    }
    // Stored data need not end in a NUL; REG_EXPAND_SZ is taken unexpanded.
    std::string_view text(data->data(), data->size());
    text = text.substr(0, text.find('\0'));
    return ParseInt32(text).value_or(defaultValue);
}

bool SettingsStore::ReadBool(std::string_view name, bool defaultValue)
{
    return ReadInteger(name, defaultValue ? 1 : 0) != 0;
}

void SettingsStore::WriteInteger(std::string_view name, std::int32_t value) { WriteText(name, std::to_string(value)); }

void SettingsStore::WriteBool(std::string_view name, bool value) { WriteText(name, value ? "1" : "0"); }

void SettingsStore::WriteText(std::string_view name, std::string_view text)
{
    if (!backend_.CreateSection()) {
        std::string message = "キー ";
        message += kSectionName;
        message += " の作成に失敗しました";
        throw AppError(message);
    }
    // The section was just created, so failing to open it is not worth a report.
    if (!backend_.OpenSection()) return;
    OpenedSection section(backend_);
    if (!backend_.WriteString(name, text)) throw AppError(ValueMessage(name, "の設定に失敗しました"));
}

void LoadSettings(RegistryBackend& backend, SettingsTarget& target, WritableSettings& reached)
{
    SettingsStore store(backend);
    // The mode is one byte: a larger stored number keeps its low 8 bits ("258" is 2, "-1" is 255).
    reached.Allow(Setting::CapMode);
    target.SetCaptureMode(static_cast<CaptureMode>(store.ReadInteger("CapMode", 0) & 0xFF));
    reached.Allow(Setting::CapTime);
    target.SetCaptureDelay(store.ReadInteger("CapTime", kDefaultCaptureDelay));
    reached.Allow(Setting::ToolBarFlat);
    target.SetFlatToolBar(store.ReadBool("ToolBarFlat", false));
    reached.Allow(Setting::HotKeys);
    target.SetHotKeys(store.ReadBool("HotKeys", kDefaultHotKeys));
    for (KeyAction action : kKeyActions) {
        reached.Allow(KeySetting(action));
        target.SetKey(action, ReadKey(store, action));
    }
    reached.Allow(Setting::RegionCopy);
    target.SetRegionCopy(store.ReadBool("RegionCopy", kDefaultRegionCopy));
    reached.Allow(Setting::CaptureCursor);
    target.SetCaptureCursor(store.ReadBool("CaptureCursor", kDefaultCaptureCursor));
    reached.Allow(Setting::KeepShots);
    target.SetKeepShots(store.ReadBool("KeepShots", kDefaultKeepShots));
}

void SaveSettings(RegistryBackend& backend, const SettingsValues& values, const WritableSettings& writable)
{
    SettingsStore store(backend);
    if (writable.Allows(Setting::CapMode)) store.WriteInteger("CapMode", static_cast<std::uint8_t>(values.mode));
    if (writable.Allows(Setting::CapTime)) store.WriteInteger("CapTime", values.delay);
    if (writable.Allows(Setting::ToolBarFlat)) store.WriteBool("ToolBarFlat", values.flatToolBar);
    if (writable.Allows(Setting::HotKeys)) store.WriteBool("HotKeys", values.hotKeys);
    for (KeyAction action : kKeyActions) {
        if (writable.Allows(KeySetting(action)))
            store.WriteInteger(kKeyValueNames[Index(action)], StoredValue(values.keys[Index(action)]));
    }
    if (writable.Allows(Setting::RegionCopy)) store.WriteBool("RegionCopy", values.regionCopy);
    if (writable.Allows(Setting::CaptureCursor)) store.WriteBool("CaptureCursor", values.captureCursor);
    if (writable.Allows(Setting::KeepShots)) store.WriteBool("KeepShots", values.keepShots);
}

std::int32_t CaptureDelayOrDefault(std::int32_t seconds)
{
    return seconds < 1 || seconds > 99 ? kDefaultCaptureDelay : seconds;
}

}  // namespace core
