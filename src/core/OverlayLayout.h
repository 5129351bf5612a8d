#pragma once
// Where the region overlay draws what lies over the frozen screen: the dimmed parts, the
// crosshair, the magnifier, the size label, and what a move has to repaint.
#include <cstdint>
#include <string>
#include <vector>

#include "core/Geometry.h"

namespace core {

struct Size {
    std::int32_t width, height;
    bool operator==(const Size&) const = default;
};

// `a` without `b`: up to four disjoint rectangles (above, below, left, right of `b`).
std::vector<Rect> Subtract(Rect a, Rect b);

// The monitor that holds `p`; the first one nearest to it where none does; `bounds` with no monitor.
Rect MonitorAt(Point p, const std::vector<Rect>& monitors, Rect bounds);

// The magnifier: kMagnified x kMagnified pixels round the pointer, each kZoom screen pixels wide.
inline constexpr std::int32_t kMagnified = 15;
inline constexpr std::int32_t kZoom = 8;
inline constexpr std::int32_t kMagnifierGap = 20;  // from the pointer: clear of the crosshair cursor

// Where a magnifier of `size` goes: clear of the pointer and of `band` (the rectangle being
// chosen; empty for none), wholly on `monitor`, nearest the pointer (right and below first).
// Where the monitor has no such room, the nearest place clear of the pointer, and at worst the
// monitor's corner farthest from the pointer.
Rect MagnifierPlace(Point pointer, Size size, Rect band, Rect monitor);

// The part of the screen the magnifier shows (round `pointer`, within `bounds`), and where
// that part's top-left lands in the magnifier's picture, in magnified pixels from its corner.
struct MagnifiedPart {
    Rect source;
    Point offset;
};
MagnifiedPart MagnifiedSource(Point pointer, Rect bounds);

// Where the size label of `size` goes beside `chosen`: below its left end, else above it,
// else inside its top-left corner; kept within `area` (the monitor) across.
Rect LabelPlace(Rect chosen, Size size, Rect area);
inline constexpr std::int32_t kLabelGap = 4;

// The frame drawn round the chosen rectangle, just outside it.
std::vector<Rect> ChosenFrame(Rect chosen);

// The crosshair through the pointer: a row and a column reaching kCrosshairArm pixels either
// side of it, within `bounds`. Of a fixed size, so that a move repaints the same whatever the
// screen's size (under Wine a window's changes reach the display as one rectangle round them
// all: lines across a 4K screen made every move cost a whole screen).
inline constexpr std::int32_t kCrosshairArm = 64;
std::vector<Rect> Crosshair(Point pointer, Rect bounds);

// What the overlay shows over the frozen screen at one moment.
struct OverlayView {
    Point pointer;
    Rect chosen;     // undimmed and framed; empty: everything dimmed
    Rect magnifier;  // empty: none
    Rect label;      // empty: none
    bool operator==(const OverlayView&) const = default;
};

// What must be painted again when the view goes from `before` to `after` within `bounds`: the
// crosshair, magnifier and label where they were and where they are, the frame's old and new
// rings, and the parts whose dimming changed. The whole screen is never asked for unless the
// dimming of all of it changed.
std::vector<Rect> ChangedAreas(const OverlayView& before, const OverlayView& after, Rect bounds);

// "W × H", the label's text (UTF-8).
std::string SizeText(Size size);
// "X, Y" and "#RRGGBB" (from 0x00RRGGBB), the magnifier's texts.
std::string PointText(Point p);
std::string ColourText(std::uint32_t rgb);

}  // namespace core
