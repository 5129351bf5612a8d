#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "core/CaptureTarget.h"

using core::CaptureTargetRect;
using core::Rect;
using core::ScreenRect;
using core::WindowId;

namespace {

// A window as the fake screen knows it.
struct FakeWindow {
    std::optional<Rect> outer;  // nothing: the window has gone
    std::optional<Rect> frame;  // nothing: the window manager gives no answer
    bool topLevel = true;
    bool minimised = false;
};

// A screen with one foreground window and one window under the pointer,
// noting each question it is asked.
class FakeProbe : public core::TargetProbe {
public:
    WindowId foreground = 0;
    WindowId underCursor = 0;
    Rect virtualScreen{0, 0, 1920, 1080};
    FakeWindow foregroundWindow, underCursorWindow;
    std::vector<std::string> asked;

    std::int32_t ScreenWidth() override
    {
        Note("ScreenWidth");
        return 1920;
    }
    std::int32_t ScreenHeight() override
    {
        Note("ScreenHeight");
        return 1080;
    }
    Rect VirtualScreen() override
    {
        Note("VirtualScreen");
        return virtualScreen;
    }
    WindowId ForegroundWindow() override
    {
        Note("ForegroundWindow");
        return foreground;
    }
    WindowId WindowUnderCursor() override
    {
        Note("WindowUnderCursor");
        return underCursor;
    }
    std::optional<Rect> WindowRect(WindowId w) override { return Ask("WindowRect", w).outer; }
    bool IsTopLevel(WindowId w) override { return Ask("IsTopLevel", w).topLevel; }
    bool IsMinimised(WindowId w) override { return Ask("IsMinimised", w).minimised; }
    std::optional<Rect> FrameBounds(WindowId w) override { return Ask("FrameBounds", w).frame; }

private:
    void Note(std::string what) { asked.push_back(std::move(what)); }
    const FakeWindow& Ask(const char* question, WindowId w)
    {
        static const FakeWindow kUnknown{};
        Note(question + (" " + std::to_string(w)));
        if (w != 0 && w == foreground) {
            return foregroundWindow;
        }
        if (w != 0 && w == underCursor) {
            return underCursorWindow;
        }
        return kUnknown;
    }
};

struct TargetCase {
    const char* situation;
    std::uint8_t mode;
    WindowId foreground, underCursor;
    FakeWindow foregroundWindow, underCursorWindow;
    ScreenRect target;
    std::vector<std::string> asked;
};

// A top-level window whose outer rectangle has 7-pixel resize borders left, right and
// below, and the same window where the window manager does not answer (Wine, no composition).
const FakeWindow kEditor{Rect{100, 50, 900, 650}, Rect{107, 50, 893, 643}};
const FakeWindow kEditorNoAnswer{Rect{100, 50, 900, 650}, std::nullopt};
const FakeWindow kDialogBeyondTopLeft{Rect{-20, -40, 300, 200}, Rect{-13, -40, 293, 193}};
const FakeWindow kButton{Rect{-8, -30, 72, -6}, Rect{0, 0, 5, 5}, false};
const FakeWindow kMinimised{Rect{-32000, -32000, -31840, -31972}, Rect{-32000, -32000, -31840, -31972}, true, true};
const FakeWindow kNoSize{Rect{300, 200, 300, 200}, Rect{293, 200, 307, 207}};
const FakeWindow kGone{std::nullopt, Rect{0, 0, 5, 5}};

const std::vector<std::string> kAskActive = {"ForegroundWindow", "WindowRect 11", "IsMinimised 11", "FrameBounds 11"};
const std::vector<std::string> kAskTopLevelUnderCursor = {"WindowUnderCursor", "WindowRect 22", "IsTopLevel 22",
                                                          "IsMinimised 22", "FrameBounds 22"};

const std::vector<TargetCase> kTargets = {
    {"desktop", 0, 11, 22, kEditor, kButton, {0, 0, 1920, 1080}, {"ScreenWidth", "ScreenHeight"}},
    {"active window, drawn frame", 1, 11, 22, kEditor, kButton, {107, 50, 786, 593}, kAskActive},
    {"active window, no answer", 1, 11, 22, kEditorNoAnswer, kButton, {100, 50, 800, 600}, kAskActive},
    {"active window beyond the top-left", 1, 11, 22, kDialogBeyondTopLeft, kButton, {-13, -40, 306, 233}, kAskActive},
    {"active window minimised",
     1,
     11,
     22,
     kMinimised,
     kButton,
     {0, 0, 0, 0},
     {"ForegroundWindow", "WindowRect 11", "IsMinimised 11"}},
    {"active window of no size",
     1,
     11,
     22,
     kNoSize,
     kButton,
     {300, 200, 0, 0},
     {"ForegroundWindow", "WindowRect 11", "IsMinimised 11"}},
    {"child window under the pointer",
     2,
     11,
     22,
     kEditor,
     kButton,
     {-8, -30, 80, 24},
     {"WindowUnderCursor", "WindowRect 22", "IsTopLevel 22"}},
    {"top-level window under the pointer, drawn frame",
     2,
     11,
     22,
     kButton,
     kEditor,
     {107, 50, 786, 593},
     kAskTopLevelUnderCursor},
    {"top-level window under the pointer, no answer",
     2,
     11,
     22,
     kButton,
     kEditorNoAnswer,
     {100, 50, 800, 600},
     kAskTopLevelUnderCursor},
    {"no foreground window", 1, 0, 22, kGone, kButton, {0, 0, 0, 0}, {"ForegroundWindow"}},
    {"no window under the pointer", 2, 11, 0, kEditor, kGone, {0, 0, 0, 0}, {"WindowUnderCursor"}},
    {"foreground window gone", 1, 11, 22, kGone, kButton, {0, 0, 0, 0}, {"ForegroundWindow", "WindowRect 11"}},
    {"window under the pointer gone", 2, 11, 22, kEditor, kGone, {0, 0, 0, 0}, {"WindowUnderCursor", "WindowRect 22"}},
    {"mode 3: all screens", 3, 11, 22, kEditor, kButton, {0, 0, 1920, 1080}, {"VirtualScreen"}},
    {"mode 4: the region, chosen on the overlay", 4, 11, 22, kEditor, kButton, {0, 0, 0, 0}, {}},
    {"mode 5: the scrolling capture, chosen on the overlay", 5, 11, 22, kEditor, kButton, {0, 0, 0, 0}, {}},
    {"mode 6", 6, 11, 22, kEditor, kButton, {0, 0, 0, 0}, {}},
    {"mode 128", 128, 11, 22, kEditor, kButton, {0, 0, 0, 0}, {}},
    {"mode 255", 255, 11, 22, kEditor, kButton, {0, 0, 0, 0}, {}},
};

TEST(CaptureMode, IsStoredAsItsNumber)
{
    EXPECT_EQ(core::CaptureMode{3}, core::CaptureMode::AllScreens);
    EXPECT_EQ(core::CaptureMode{4}, core::CaptureMode::Region);
    EXPECT_EQ(core::CaptureMode{5}, core::CaptureMode::Scrolling);
}

TEST(CaptureTarget, FollowsTheModeAndAsksOnlyWhatTheAnswerNeeds)
{
    for (const TargetCase& c : kTargets) {
        FakeProbe probe;
        probe.foreground = c.foreground;
        probe.underCursor = c.underCursor;
        probe.foregroundWindow = c.foregroundWindow;
        probe.underCursorWindow = c.underCursorWindow;
        EXPECT_EQ(CaptureTargetRect(static_cast<core::CaptureMode>(c.mode), probe), c.target) << c.situation;
        EXPECT_EQ(probe.asked, c.asked) << c.situation;
    }
}

// Monitors left of and above the primary screen give the virtual screen negative edges.
TEST(CaptureTarget, AllScreensTakeTheVirtualScreenWithItsNegativeOrigin)
{
    struct Row {
        const char* layout;
        Rect virtualScreen;
        ScreenRect target;
    };
    const Row rows[] = {
        {"one screen", {0, 0, 1280, 1024}, {0, 0, 1280, 1024}},
        {"second screen on the left", {-1920, 0, 1280, 1080}, {-1920, 0, 3200, 1080}},
        {"second screen above, taller", {0, -1440, 2560, 1024}, {0, -1440, 2560, 2464}},
        {"screens all round", {-1024, -768, 3000, 2000}, {-1024, -768, 4024, 2768}},
        {"no screen reported", {0, 0, 0, 0}, {0, 0, 0, 0}},
        {"a rectangle turned inside out", {10, 10, -10, 5}, {0, 0, 0, 0}},
    };
    for (const Row& row : rows) {
        FakeProbe probe;
        probe.virtualScreen = row.virtualScreen;
        EXPECT_EQ(CaptureTargetRect(core::CaptureMode::AllScreens, probe), row.target) << row.layout;
        FakeProbe desktop;
        desktop.virtualScreen = row.virtualScreen;
        EXPECT_EQ(CaptureTargetRect(core::CaptureMode::Desktop, desktop), (ScreenRect{0, 0, 1920, 1080}))
            << "the desktop stays the primary screen: " << row.layout;
    }
}

}  // namespace
