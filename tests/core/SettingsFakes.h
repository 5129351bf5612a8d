#pragma once
// The settings store's tests share a registry in memory that notes every call, and a main
// window that notes what each setter was given.
#include <array>
#include <cstdint>
#include <limits>
#include <map>
#include <optional>
#include <set>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "core/AppError.h"
#include "core/SettingsStore.h"

namespace settingstest {

inline core::CaptureMode Mode(int byte) { return static_cast<core::CaptureMode>(byte); }

using core::kRegDword;
using core::kRegExpandSz;
using core::kRegSz;
using Log = std::vector<std::string>;

inline constexpr std::uint32_t kRegMultiSz = 7;

struct Stored {
    std::uint32_t type;
    std::vector<char> data;
};

inline Stored Text(std::string_view text, std::uint32_t type = kRegSz)
{
    std::vector<char> data(text.begin(), text.end());
    data.push_back('\0');
    return {type, data};
}

inline Stored Bytes(std::uint32_t type, std::vector<char> data) { return {type, std::move(data)}; }

// HKCU\Software\Kvn in memory. Logs every call and notes every call made out
// of turn: a handle used while closed, opened twice, or left open at the end.
class FakeRegistry final : public core::RegistryBackend {
public:
    explicit FakeRegistry(Log& log) : log_(log) {}

    bool sectionExists = false;
    bool createFails = false;
    bool openFails = false;
    std::map<std::string, Stored, std::less<>> values;
    std::set<std::string, std::less<>> unreadable;
    std::set<std::string, std::less<>> unwritable;
    int storeOpens = 0;

    std::vector<std::string> Faults() const
    {
        auto faults = faults_;
        if (storeOpen_) faults.push_back("store left open");
        if (sectionOpen_) faults.push_back("section left open");
        return faults;
    }

    void OpenStore() override
    {
        Call("OpenStore", !storeOpen_, "store opened twice");
        storeOpen_ = true;
        ++storeOpens;
    }
    void CloseStore() noexcept override
    {
        Call("CloseStore", storeOpen_, "store closed while closed");
        Check(!sectionOpen_, "store closed before its section");
        storeOpen_ = false;
    }
    bool OpenSection() override
    {
        Call("OpenSection", storeOpen_, "section opened without the store");
        Check(!sectionOpen_, "section opened twice");
        sectionOpen_ = sectionExists && !openFails;
        return sectionOpen_;
    }
    void CloseSection() noexcept override
    {
        Call("CloseSection", sectionOpen_, "section closed while closed");
        sectionOpen_ = false;
    }
    bool CreateSection() override
    {
        Call("CreateSection", storeOpen_, "section created without the store");
        if (createFails) return false;
        sectionExists = true;
        return true;
    }
    std::optional<core::ValueInfo> QueryValue(std::string_view name) override
    {
        Call("Query " + std::string(name), sectionOpen_, "query with the section closed");
        const auto found = values.find(name);
        if (found == values.end()) return std::nullopt;
        return core::ValueInfo{found->second.type, static_cast<std::uint32_t>(found->second.data.size())};
    }
    std::optional<std::vector<char>> ReadValue(std::string_view name, std::uint32_t size) override
    {
        Call("Read " + std::string(name), sectionOpen_, "read with the section closed");
        const auto found = values.find(name);
        Check(found != values.end() && found->second.data.size() == size, "read of another size than queried");
        if (unreadable.contains(name) || found == values.end()) return std::nullopt;
        return found->second.data;
    }
    bool WriteString(std::string_view name, std::string_view text) override
    {
        Call("Write " + std::string(name) + "=" + std::string(text), sectionOpen_, "write with the section closed");
        if (unwritable.contains(name)) return false;
        values[std::string(name)] = Text(text);
        return true;
    }

private:
    void Call(std::string entry, bool inTurn, const char* fault)
    {
        log_.push_back(std::move(entry));
        Check(inTurn, fault);
    }
    void Check(bool ok, const char* fault)
    {
        if (!ok) faults_.push_back(fault);
    }

    Log& log_;
    bool storeOpen_ = false;
    bool sectionOpen_ = false;
    std::vector<std::string> faults_;
};

// Stands in for the main window: records what each setter was given.
class RecordingTarget final : public core::SettingsTarget {
public:
    explicit RecordingTarget(Log& log) : log_(log) {}

    std::optional<std::uint8_t> capMode;
    std::optional<std::int32_t> capTime;
    std::optional<bool> toolBarFlat;
    std::optional<bool> hotKeys;
    std::array<std::optional<core::ChosenKey>, core::kKeyActions.size()> keys;
    std::optional<bool> regionCopy;
    std::optional<bool> captureCursor;
    std::optional<bool> keepShots;
    bool toolBarFails = false;

    void SetCaptureMode(core::CaptureMode mode) override
    {
        const auto byte = static_cast<std::uint8_t>(mode);
        log_.push_back("SetCaptureMode " + std::to_string(byte));
        capMode = byte;
    }
    void SetCaptureDelay(std::int32_t seconds) override
    {
        log_.push_back("SetCaptureDelay " + std::to_string(seconds));
        capTime = seconds;
    }
    void SetFlatToolBar(bool flat) override
    {
        log_.push_back(flat ? "SetFlatToolBar 1" : "SetFlatToolBar 0");
        if (toolBarFails) throw std::runtime_error("tool bar");
        toolBarFlat = flat;
    }
    void SetHotKeys(bool on) override
    {
        log_.push_back(on ? "SetHotKeys 1" : "SetHotKeys 0");
        hotKeys = on;
    }
    // Logged as the action's place and the chord's bytes, key first: "SetKey 1 44 0".
    void SetKey(core::KeyAction action, core::ChosenKey key) override
    {
        const auto place = static_cast<std::size_t>(action);
        log_.push_back("SetKey " + std::to_string(place) + " " + std::to_string(key.key) + " " +
                       std::to_string(key.modifiers));
        keys.at(place) = key;
    }
    void SetRegionCopy(bool copy) override
    {
        log_.push_back(copy ? "SetRegionCopy 1" : "SetRegionCopy 0");
        regionCopy = copy;
    }
    void SetCaptureCursor(bool drawn) override
    {
        log_.push_back(drawn ? "SetCaptureCursor 1" : "SetCaptureCursor 0");
        captureCursor = drawn;
    }
    void SetKeepShots(bool on) override
    {
        log_.push_back(on ? "SetKeepShots 1" : "SetKeepShots 0");
        keepShots = on;
    }

    core::SettingsValues Values() const
    {
        core::KeyChoices chords{};
        for (std::size_t i = 0; i < chords.size(); ++i)
            chords[i] = keys[i].value_or(core::ChosenKey{});
        return {static_cast<core::CaptureMode>(capMode.value_or(0)),
                capTime.value_or(0),
                toolBarFlat.value_or(false),
                hotKeys.value_or(false),
                chords,
                regionCopy.value_or(false),
                captureCursor.value_or(false),
                keepShots.value_or(false)};
    }

private:
    Log& log_;
};

inline core::WritableSettings AllWritable()
{
    core::WritableSettings all;
    for (core::Setting s : {core::Setting::CapMode, core::Setting::CapTime, core::Setting::ToolBarFlat,
                            core::Setting::HotKeys, core::Setting::KeepShots})
        all.Allow(s);
    return all;
}

// One user's registry with the program's load and save run against it. Every
// run must open the store once and leave store and section closed, error or not.
struct Registry {
    Log log;
    FakeRegistry backend{log};
    RecordingTarget target{log};
    core::WritableSettings reached;  // by the loads so far

    void Put(const std::string& name, Stored value)
    {
        backend.sectionExists = true;
        backend.values[name] = std::move(value);
    }
    // The text of the AppError that ended the work; empty when there was none.
    std::string Load()
    {
        return Run([&] { core::LoadSettings(backend, target, reached); });
    }
    std::string Save(core::SettingsValues values, const core::WritableSettings& writable = AllWritable())
    {
        return Run([&] { core::SaveSettings(backend, values, writable); });
    }
    Log Entries(std::string_view prefix) const
    {
        Log found;
        for (const auto& entry : log) {
            if (entry.starts_with(prefix)) found.push_back(entry);
        }
        return found;
    }
    bool Mentions(std::string_view word) const
    {
        for (const auto& entry : log) {
            if (entry.find(word) != std::string::npos) return true;
        }
        return false;
    }

private:
    template <class Work>
    std::string Run(Work work)
    {
        const int opensBefore = backend.storeOpens;
        std::string error;
        try {
            work();
        } catch (const core::AppError& e) {
            error = e.what();
        } catch (const std::runtime_error&) {
            error = "(other error)";
        }
        EXPECT_EQ(backend.storeOpens, opensBefore + 1);
        EXPECT_EQ(backend.Faults(), std::vector<std::string>{});
        return error;
    }
};

}  // namespace settingstest
