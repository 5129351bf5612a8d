#include "core/SettingsStore.h"

#include <gtest/gtest.h>

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

namespace {

core::CaptureMode Mode(int byte) { return static_cast<core::CaptureMode>(byte); }

using core::kRegDword;
using core::kRegExpandSz;
using core::kRegSz;
using Log = std::vector<std::string>;

constexpr std::uint32_t kRegMultiSz = 7;

struct Stored {
    std::uint32_t type;
    std::vector<char> data;
};

Stored Text(std::string_view text, std::uint32_t type = kRegSz)
{
    std::vector<char> data(text.begin(), text.end());
    data.push_back('\0');
    return {type, data};
}

Stored Bytes(std::uint32_t type, std::vector<char> data) { return {type, std::move(data)}; }

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

    core::SettingsValues Values() const
    {
        return {static_cast<core::CaptureMode>(capMode.value_or(0)), capTime.value_or(0), toolBarFlat.value_or(false)};
    }

private:
    Log& log_;
};

core::WritableSettings AllWritable()
{
    core::WritableSettings all;
    for (core::Setting s : {core::Setting::CapMode, core::Setting::CapTime, core::Setting::ToolBarFlat})
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

// ---- loading

TEST(SettingsLoad, FirstStartWithoutTheSectionGivesTheDefaultsAndCreatesNoSection)
{
    Registry registry;
    EXPECT_EQ(registry.Load(), "");
    EXPECT_EQ(registry.target.capMode, 0);
    EXPECT_EQ(registry.target.capTime, 5);
    EXPECT_EQ(registry.target.toolBarFlat, false);
    EXPECT_FALSE(registry.backend.sectionExists);
    EXPECT_EQ(registry.Entries("CreateSection"), Log{});
}

TEST(SettingsLoad, EachValueIsReadInItsOwnVisitToTheSectionAndAppliedBeforeTheNext)
{
    Registry registry;
    registry.Put("CapMode", Text("2"));
    registry.Put("CapTime", Text("12"));
    registry.Put("ToolBarFlat", Text("1"));
    EXPECT_EQ(registry.Load(), "");
    const Log expected = {
        "OpenStore",         "OpenSection",      "Query CapMode", "Read CapMode",     "CloseSection",  "SetCaptureMode 2",
        "OpenSection",       "Query CapTime",    "Read CapTime",  "CloseSection",     "SetCaptureDelay 12", "OpenSection",
        "Query ToolBarFlat", "Read ToolBarFlat", "CloseSection",  "SetFlatToolBar 1", "CloseStore",
    };
    EXPECT_EQ(registry.log, expected);
}

TEST(SettingsLoad, AMissingValueGivesItsDefaultWhileTheOthersAreRead)
{
    Registry registry;
    registry.Put("CapMode", Text("1"));
    registry.Put("ToolBarFlat", Text("1"));
    EXPECT_EQ(registry.Load(), "");
    EXPECT_EQ(registry.target.capMode, 1);
    EXPECT_EQ(registry.target.capTime, 5);
    EXPECT_EQ(registry.target.toolBarFlat, true);
}

TEST(SettingsLoad, ASectionThatCannotBeOpenedGivesTheDefaults)
{
    Registry registry;
    registry.Put("CapTime", Text("30"));
    registry.backend.openFails = true;
    EXPECT_EQ(registry.Load(), "");
    EXPECT_EQ(registry.target.capTime, 5);
    EXPECT_EQ(registry.Entries("CloseSection"), Log{});
}

TEST(SettingsLoad, StoredCapTimeGivesThisDelay)
{
    struct Row {
        std::string_view stored;
        std::int32_t passed;  // to SetCaptureDelay
        std::int32_t delay;   // what SetCaptureDelay keeps
    };
    const Row rows[] = {
        {"12", 12, 12}, {"1", 1, 1},  {"99", 99, 99}, {"0", 0, 5},    {"100", 100, 5}, {"-3", -3, 5}, {"abc", 5, 5},
        {"", 5, 5},     {"7 ", 5, 5}, {" 7", 7, 7},   {"$C", 12, 12}, {"0x9", 9, 9},   {"+5", 5, 5},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.stored);
        Registry registry;
        registry.Put("CapTime", Text(row.stored));
        EXPECT_EQ(registry.Load(), "");
        ASSERT_EQ(registry.target.capTime, row.passed);
        EXPECT_EQ(core::CaptureDelayOrDefault(*registry.target.capTime), row.delay);
    }
}

TEST(SettingsLoad, StoredCapModeKeepsItsLowEightBits)
{
    struct Row {
        std::string_view stored;
        std::uint8_t mode;
    };
    const Row rows[] = {
        {"2", 2}, {"258", 2},    {"-1", 255},        {"255", 255}, {"256", 0},
        {"7", 7}, {"$1FF", 255}, {"$FFFFFFFF", 255}, {"abc", 0},   {"", 0},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.stored);
        Registry registry;
        registry.Put("CapMode", Text(row.stored));
        EXPECT_EQ(registry.Load(), "");
        EXPECT_EQ(registry.target.capMode, row.mode);
    }
}

TEST(SettingsLoad, StoredToolBarFlatIsTrueForAnyNonZeroNumber)
{
    struct Row {
        std::string_view stored;
        bool flat;
    };
    const Row rows[] = {
        {"1", true},   {"2", true},    {"-1", true},    {"$10", true}, {"0", false},
        {"$0", false}, {"yes", false}, {"true", false}, {"", false},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.stored);
        Registry registry;
        registry.Put("ToolBarFlat", Text(row.stored));
        EXPECT_EQ(registry.Load(), "");
        EXPECT_EQ(registry.target.toolBarFlat, row.flat);
    }
}

TEST(SettingsLoad, AnEmptyValueGivesTheDefaultWhateverItsType)
{
    Registry registry;
    registry.Put("CapMode", Bytes(kRegDword, {}));
    registry.Put("CapTime", Bytes(kRegDword, {}));
    registry.Put("ToolBarFlat", Bytes(kRegMultiSz, {}));
    EXPECT_EQ(registry.Load(), "");
    EXPECT_EQ(registry.target.capMode, 0);
    EXPECT_EQ(registry.target.capTime, 5);
    EXPECT_EQ(registry.target.toolBarFlat, false);
    EXPECT_EQ(registry.Entries("Read"), Log{});
}

TEST(SettingsLoad, ADwordCapTimeIsATypeErrorAfterTheModeIsAppliedAndBeforeTheFlagIsRead)
{
    Registry registry;
    registry.Put("CapMode", Text("2"));
    registry.Put("CapTime", Bytes(kRegDword, {12, 0, 0, 0}));
    registry.Put("ToolBarFlat", Text("1"));
    EXPECT_EQ(registry.Load(), "'CapTime' のデータ型が不正です");
    EXPECT_EQ(registry.target.capMode, 2);
    EXPECT_EQ(registry.target.capTime, std::nullopt);
    EXPECT_EQ(registry.target.toolBarFlat, std::nullopt);
    EXPECT_FALSE(registry.Mentions("ToolBarFlat"));
}

TEST(SettingsLoad, AValueThatCannotBeReadStopsTheLoad)
{
    Registry registry;
    registry.Put("CapMode", Text("1"));
    registry.Put("CapTime", Text("12"));
    registry.backend.unreadable.insert("CapMode");
    EXPECT_EQ(registry.Load(), "'CapMode' の取得に失敗しました");
    EXPECT_EQ(registry.target.capMode, std::nullopt);
    EXPECT_EQ(registry.target.capTime, std::nullopt);
    EXPECT_FALSE(registry.Mentions("CapTime"));
}

TEST(SettingsLoad, AFailedReadIsReportedRatherThanTheWrongType)
{
    Registry registry;
    registry.Put("ToolBarFlat", Bytes(kRegDword, {1, 0, 0, 0}));
    registry.backend.unreadable.insert("ToolBarFlat");
    EXPECT_EQ(registry.Load(), "'ToolBarFlat' の取得に失敗しました");
    EXPECT_EQ(registry.target.capTime, 5);
}

TEST(SettingsLoad, ExpandableTextIsReadAsItStands)
{
    Registry registry;
    registry.Put("CapTime", Text("12", kRegExpandSz));
    registry.Put("CapMode", Text("%CAPMODE%", kRegExpandSz));
    EXPECT_EQ(registry.Load(), "");
    EXPECT_EQ(registry.target.capTime, 12);
    EXPECT_EQ(registry.target.capMode, 0);
}

TEST(SettingsLoad, TheTextEndsAtTheFirstNulOrWithTheData)
{
    struct Row {
        std::vector<char> data;
        std::int32_t capTime;
    };
    const Row rows[] = {
        {{'1', '2'}, 12},
        {{'3', '3', '\0', '\0'}, 33},
        {{'7', '\0', '9'}, 7},
        {{'\0', '7'}, 5},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(testing::PrintToString(std::string(row.data.begin(), row.data.end())));
        Registry registry;
        registry.Put("CapTime", Bytes(kRegSz, row.data));
        EXPECT_EQ(registry.Load(), "");
        EXPECT_EQ(registry.target.capTime, row.capTime);
    }
}

TEST(SettingsLoad, AnErrorFromASetterStillClosesTheStore)
{
    Registry registry;
    registry.Put("ToolBarFlat", Text("1"));
    registry.target.toolBarFails = true;
    EXPECT_EQ(registry.Load(), "(other error)");
    EXPECT_EQ(registry.log.back(), "CloseStore");
}

// ---- saving

TEST(SettingsSave, TheDefaultsAreWrittenAsThreeTextsInOrderEachInItsOwnVisit)
{
    Registry registry;
    EXPECT_EQ(registry.Save({Mode(0), 5, false}), "");
    const Log expected = {
        "OpenStore",     "CreateSection",       "OpenSection",     "Write CapMode=0", "CloseSection",
        "CreateSection", "OpenSection",         "Write CapTime=5", "CloseSection",    "CreateSection",
        "OpenSection",   "Write ToolBarFlat=0", "CloseSection",    "CloseStore",
    };
    EXPECT_EQ(registry.log, expected);
}

TEST(SettingsSave, NumbersAreWrittenAsPlainDecimalText)
{
    struct Row {
        core::SettingsValues values;
        Log writes;
    };
    const Row rows[] = {
        {{Mode(255), 99, true}, {"Write CapMode=255", "Write CapTime=99", "Write ToolBarFlat=1"}},
        {{Mode(3), 1, false}, {"Write CapMode=3", "Write CapTime=1", "Write ToolBarFlat=0"}},
        {{Mode(128), -3, true}, {"Write CapMode=128", "Write CapTime=-3", "Write ToolBarFlat=1"}},
        {{Mode(0), std::numeric_limits<std::int32_t>::min(), false},
         {"Write CapMode=0", "Write CapTime=-2147483648", "Write ToolBarFlat=0"}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.writes[1]);
        Registry registry;
        EXPECT_EQ(registry.Save(row.values), "");
        EXPECT_EQ(registry.Entries("Write"), row.writes);
    }
}

TEST(SettingsSave, TheFirstSaveCreatesTheSectionAndALoadReadsTheValuesBack)
{
    Registry registry;
    EXPECT_EQ(registry.Save({Mode(2), 42, true}), "");
    EXPECT_TRUE(registry.backend.sectionExists);
    EXPECT_EQ(registry.Load(), "");
    EXPECT_EQ(registry.target.capMode, 2);
    EXPECT_EQ(registry.target.capTime, 42);
    EXPECT_EQ(registry.target.toolBarFlat, true);
}

TEST(SettingsSave, OddStoredValuesAreSavedBackInTheirPlainForm)
{
    Registry registry;
    registry.Put("CapMode", Text("-1"));
    registry.Put("CapTime", Text("07"));
    registry.Put("ToolBarFlat", Text("2"));
    EXPECT_EQ(registry.Load(), "");
    EXPECT_EQ(registry.Save(registry.target.Values()), "");
    EXPECT_EQ(registry.Entries("Write"), (Log{"Write CapMode=255", "Write CapTime=7", "Write ToolBarFlat=1"}));
}

TEST(SettingsSave, ASectionThatCannotBeCreatedIsAnErrorBeforeAnyWrite)
{
    Registry registry;
    registry.backend.createFails = true;
    EXPECT_EQ(registry.Save({Mode(1), 10, true}), "キー Pixtrove の作成に失敗しました");
    EXPECT_EQ(registry.log, (Log{"OpenStore", "CreateSection", "CloseStore"}));
}

TEST(SettingsSave, ASectionThatCannotBeOpenedLeavesEachValueUnwrittenSilently)
{
    Registry registry;
    registry.backend.openFails = true;
    EXPECT_EQ(registry.Save({Mode(1), 10, true}), "");
    EXPECT_EQ(registry.Entries("Write"), Log{});
    EXPECT_EQ(registry.Entries("CreateSection").size(), 3u);
}

TEST(SettingsSave, AFailedWriteKeepsTheValuesBeforeItAndWritesNoneAfter)
{
    Registry registry;
    registry.backend.unwritable.insert("CapTime");
    EXPECT_EQ(registry.Save({Mode(1), 10, true}), "'CapTime' の設定に失敗しました");
    EXPECT_EQ(registry.Entries("Write"), (Log{"Write CapMode=1", "Write CapTime=10"}));
    EXPECT_TRUE(registry.backend.values.contains("CapMode"));
    EXPECT_FALSE(registry.Mentions("ToolBarFlat"));
}

// A load stopped by a value of the wrong type, then what the user set, then a save.
TEST(SettingsSave, AValueTheLoadNeverReachedIsKeptUnlessTheUserSetItSince)
{
    using enum core::Setting;
    struct Row {
        std::string_view wrongType;  // the stored value that is binary data
        std::vector<core::Setting> userSets;
        Log writes;
    };
    const Row rows[] = {
        {"", {}, {"Write CapMode=2", "Write CapTime=12", "Write ToolBarFlat=1"}},
        {"CapTime", {}, {"Write CapMode=2", "Write CapTime=0"}},
        {"CapTime", {CapTime, ToolBarFlat}, {"Write CapMode=2", "Write CapTime=9", "Write ToolBarFlat=0"}},
        {"CapTime", {ToolBarFlat}, {"Write CapMode=2", "Write CapTime=0", "Write ToolBarFlat=0"}},
        {"CapMode", {}, {"Write CapMode=0"}},
        {"CapMode", {CapMode}, {"Write CapMode=1"}},
        {"CapMode", {CapTime, ToolBarFlat}, {"Write CapMode=0", "Write CapTime=9", "Write ToolBarFlat=0"}},
        {"ToolBarFlat", {}, {"Write CapMode=2", "Write CapTime=12", "Write ToolBarFlat=0"}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(std::string(row.wrongType) + " with " + std::to_string(row.userSets.size()) + " set");
        Registry registry;
        registry.Put("CapMode", Text("2"));
        registry.Put("CapTime", Text("12"));
        registry.Put("ToolBarFlat", Text("1"));
        if (!row.wrongType.empty()) registry.Put(std::string(row.wrongType), Bytes(3, {1, 0}));  // REG_BINARY
        EXPECT_EQ(registry.Load(),
                  row.wrongType.empty() ? "" : "'" + std::string(row.wrongType) + "' のデータ型が不正です");
        // As the mode buttons and the settings dialog's apply do it.
        for (core::Setting s : row.userSets) {
            if (s == CapMode) registry.target.SetCaptureMode(Mode(1));
            if (s == CapTime) registry.target.SetCaptureDelay(9);
            if (s == ToolBarFlat) registry.target.SetFlatToolBar(false);
            registry.reached.Allow(s);
        }
        registry.log.clear();
        EXPECT_EQ(registry.Save(registry.target.Values(), registry.reached), "");
        EXPECT_EQ(registry.Entries("Write"), row.writes);
    }
}

TEST(SettingsSave, WithoutALoadNothingIsWritten)
{
    Registry registry;
    EXPECT_EQ(registry.Save({Mode(1), 10, true}, core::WritableSettings{}), "");
    EXPECT_EQ(registry.Entries("Write"), Log{});
    EXPECT_EQ(registry.Entries("CreateSection"), Log{});
}

// ---- the delay kept by SetCaptureDelay

TEST(CapTime, DelaysOutsideOneTo99BecomeFiveSeconds)
{
    struct Row {
        std::int32_t seconds, delay;
    };
    const Row rows[] = {
        {1, 1},
        {5, 5},
        {12, 12},
        {99, 99},
        {0, 5},
        {100, 5},
        {-3, 5},
        {-1, 5},
        {std::numeric_limits<std::int32_t>::min(), 5},
        {std::numeric_limits<std::int32_t>::max(), 5},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.seconds);
        EXPECT_EQ(core::CaptureDelayOrDefault(row.seconds), row.delay);
    }
}

}  // namespace
