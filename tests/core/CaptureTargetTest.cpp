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

// A screen with one foreground window and one window under the pointer,
// noting each question it is asked.
class FakeProbe : public core::TargetProbe {
public:
    WindowId foreground = 0;
    WindowId underCursor = 0;
    std::optional<Rect> foregroundRect;
    std::optional<Rect> underCursorRect;
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
    std::optional<Rect> WindowRect(WindowId w) override
    {
        Note("WindowRect " + std::to_string(w));
        if (w != 0 && w == foreground) {
            return foregroundRect;
        }
        if (w != 0 && w == underCursor) {
            return underCursorRect;
        }
        return std::nullopt;
    }

private:
    void Note(std::string what) { asked.push_back(std::move(what)); }
};

struct TargetCase {
    const char* situation;
    std::uint8_t mode;
    WindowId foreground, underCursor;
    std::optional<Rect> foregroundRect, underCursorRect;
    ScreenRect target;
    std::vector<std::string> asked;
};

const Rect kEditor{100, 50, 900, 650};
const Rect kButton{-8, -30, 72, -6};

const std::vector<TargetCase> kTargets = {
    {"desktop", 0, 11, 22, kEditor, kButton, {0, 0, 1920, 1080}, {"ScreenWidth", "ScreenHeight"}},
    {"active window", 1, 11, 22, kEditor, kButton, {100, 50, 800, 600}, {"ForegroundWindow", "WindowRect 11"}},
    {"active window beyond the top-left",
     1,
     22,
     11,
     kButton,
     kEditor,
     {-8, -30, 80, 24},
     {"ForegroundWindow", "WindowRect 22"}},
    {"window under the pointer",
     2,
     11,
     22,
     kEditor,
     kButton,
     {-8, -30, 80, 24},
     {"WindowUnderCursor", "WindowRect 22"}},
    {"no foreground window", 1, 0, 22, std::nullopt, kButton, {0, 0, 0, 0}, {"ForegroundWindow"}},
    {"no window under the pointer", 2, 11, 0, kEditor, std::nullopt, {0, 0, 0, 0}, {"WindowUnderCursor"}},
    {"foreground window gone", 1, 11, 22, std::nullopt, kButton, {0, 0, 0, 0}, {"ForegroundWindow", "WindowRect 11"}},
    {"window under the pointer gone",
     2,
     11,
     22,
     kEditor,
     std::nullopt,
     {0, 0, 0, 0},
     {"WindowUnderCursor", "WindowRect 22"}},
    {"mode 3", 3, 11, 22, kEditor, kButton, {0, 0, 0, 0}, {}},
    {"mode 255", 255, 11, 22, kEditor, kButton, {0, 0, 0, 0}, {}},
};

TEST(CaptureTarget, FollowsTheModeAndAsksOnlyWhatTheModeNeeds)
{
    for (const TargetCase& c : kTargets) {
        FakeProbe probe;
        probe.foreground = c.foreground;
        probe.underCursor = c.underCursor;
        probe.foregroundRect = c.foregroundRect;
        probe.underCursorRect = c.underCursorRect;
        EXPECT_EQ(CaptureTargetRect(static_cast<core::CaptureMode>(c.mode), probe), c.target) << c.situation;
        EXPECT_EQ(probe.asked, c.asked) << c.situation;
    }
}

}  // namespace
