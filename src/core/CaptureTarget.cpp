#include "core/CaptureTarget.h"

#include "core/WCCommon.h"

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

ScreenRect CaptureTargetRect(std::uint8_t mode, TargetProbe& probe)
{
    switch (mode) {
        case cmDesktop: {
            const std::int32_t width = probe.ScreenWidth();
            return ScreenRect{0, 0, width, probe.ScreenHeight()};
        }
        case cmActiveWindow: return WindowTarget(probe.ForegroundWindow(), probe);
        case cmCursorWindow: return WindowTarget(probe.WindowUnderCursor(), probe);
        default: return ScreenRect{};
    }
}

}  // namespace core
