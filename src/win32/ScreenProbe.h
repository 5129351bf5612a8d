#pragma once
// What the capture target is worked out from, asked of the running system.
#include "core/CaptureTarget.h"

namespace win {

class ScreenProbe final : public core::TargetProbe {
public:
    std::int32_t ScreenWidth() override;
    std::int32_t ScreenHeight() override;
    core::Rect VirtualScreen() override;
    core::WindowId ForegroundWindow() override;
    core::WindowId WindowUnderCursor() override;
    std::optional<core::Rect> WindowRect(core::WindowId window) override;
    bool IsTopLevel(core::WindowId window) override;
    bool IsMinimised(core::WindowId window) override;
    std::optional<core::Rect> FrameBounds(core::WindowId window) override;
};

}  // namespace win
