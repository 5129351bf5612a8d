#include "core/CaptureTarget.h"

namespace core {

namespace {

ScreenRect WindowTarget(WindowId window, TargetProbe& probe)
{
    if (window == 0) {
        return ScreenRect{};
    }
    const std::optional<Rect> r = probe.WindowRect(window);
    if (!r) {
        return ScreenRect{};
    }
    return ScreenRect{r->left, r->top, r->Width(), r->Height()};
}

}  // namespace

ScreenRect CaptureTargetRect(CaptureMode mode, TargetProbe& probe)
{
    switch (mode) {
        case CaptureMode::Desktop: {
            const std::int32_t width = probe.ScreenWidth();
            return ScreenRect{0, 0, width, probe.ScreenHeight()};
        }
        case CaptureMode::ActiveWindow: return WindowTarget(probe.ForegroundWindow(), probe);
        case CaptureMode::CursorWindow: return WindowTarget(probe.WindowUnderCursor(), probe);
        default: return ScreenRect{};
    }
}

}  // namespace core
