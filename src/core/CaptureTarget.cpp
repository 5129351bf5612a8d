#include "core/CaptureTarget.h"

namespace core {

namespace {

ScreenRect FromRect(const Rect& r) { return ScreenRect{r.left, r.top, r.Width(), r.Height()}; }

// Since Windows 10 the outer rectangle of a top-level window takes in invisible
// resize borders, so it would show slivers of what lies behind the window.
ScreenRect TopLevelTarget(WindowId window, const Rect& outer, TargetProbe& probe)
{
    if (probe.IsMinimised(window)) {
        return ScreenRect{};
    }
    if (outer.Empty()) {
        return FromRect(outer);
    }
    return FromRect(probe.FrameBounds(window).value_or(outer));
}

ScreenRect WindowTarget(WindowId window, bool topLevel, TargetProbe& probe)
{
    if (window == 0) {
        return ScreenRect{};
    }
    const std::optional<Rect> r = probe.WindowRect(window);
    if (!r) {
        return ScreenRect{};
    }
    if (topLevel || probe.IsTopLevel(window)) {
        return TopLevelTarget(window, *r, probe);
    }
    return FromRect(*r);
}

}  // namespace

ScreenRect CaptureTargetRect(CaptureMode mode, TargetProbe& probe)
{
    switch (mode) {
        case CaptureMode::Desktop: {
            const std::int32_t width = probe.ScreenWidth();
            return ScreenRect{0, 0, width, probe.ScreenHeight()};
        }
        case CaptureMode::ActiveWindow: return WindowTarget(probe.ForegroundWindow(), true, probe);
        case CaptureMode::CursorWindow: return WindowTarget(probe.WindowUnderCursor(), false, probe);
        case CaptureMode::AllScreens: {
            const Rect all = probe.VirtualScreen();
            return all.Empty() ? ScreenRect{} : FromRect(all);
        }
        default: return ScreenRect{};
    }
}

}  // namespace core
