#include "app/RegionOverlay.h"

#include <windowsx.h>

#include <iterator>
#include <string>
#include <utility>

#include "win32/Dpi.h"
#include "win32/ErrorReport.h"
#include "win32/Text.h"

namespace app {
namespace {

const win::WindowClass kOverlayClass{.name = L"TPixtroveRegion", .cursor = IDC_CROSS, .background = nullptr};

constexpr COLORREF kAccent = RGB(0, 120, 215);
constexpr COLORREF kPanel = RGB(32, 32, 32);
constexpr COLORREF kGrid = RGB(96, 96, 96);
constexpr BYTE kDimAlpha = 128;  // the black laid over what is not chosen
constexpr int kPad = 4;          // round the texts

RECT ToRect(const core::Rect& r) { return RECT{r.left, r.top, r.right, r.bottom}; }

// The overlay's keys, taken from the whole desktop while it is up: a window manager (openbox, as
// most Linux desktops) may leave the keyboard with the program that had it, and Windows may
// refuse a program the foreground after it went out of the way for a delayed capture. The
// overlay covers every screen, so no other program misses them meanwhile.
struct OverlayKey {
    UINT key;
    bool shift;
};
constexpr OverlayKey kOverlayKeys[] = {
    {VK_ESCAPE, false}, {VK_RETURN, false}, {VK_LEFT, false}, {VK_RIGHT, false}, {VK_UP, false},
    {VK_DOWN, false},   {VK_LEFT, true},    {VK_RIGHT, true}, {VK_UP, true},     {VK_DOWN, true},
};
constexpr int kFirstKeyId = 1;  // the hot-key ids of the overlay's window, one a key

}  // namespace

RegionOverlay& RegionOverlay::Open(RegionHost& host, std::unique_ptr<win::Picture> frozen, core::Rect bounds,
                                   std::vector<core::PickArea> areas, std::vector<core::Rect> monitors,
                                   Handing handing)
{
    POINT cursor{};
    ::GetCursorPos(&cursor);
    std::unique_ptr<RegionOverlay> overlay(new RegionOverlay(host, std::move(frozen), bounds, std::move(areas),
                                                             std::move(monitors), {cursor.x, cursor.y}, handing));
    overlay->Create(kOverlayClass, WS_EX_TOPMOST | WS_EX_TOOLWINDOW, L"", WS_POPUP, ToRect(bounds), nullptr);
    // From here the window owns the object and deletes it when it goes.
    RegionOverlay& shown = *overlay.release();
    ::ShowWindow(shown.hwnd_, SW_SHOW);
    ::SetForegroundWindow(shown.hwnd_);
    ::SetFocus(shown.hwnd_);
    shown.TakeKeys();
    ::UpdateWindow(shown.hwnd_);
    return shown;
}

RegionOverlay::RegionOverlay(RegionHost& host, std::unique_ptr<win::Picture> frozen, core::Rect bounds,
                             std::vector<core::PickArea> areas, std::vector<core::Rect> monitors, core::Point pointer,
                             Handing handing)
    : host_(host),
      frozen_(std::move(frozen)),
      bounds_(bounds),
      choice_(bounds, std::move(areas), std::move(monitors), pointer),
      handing_(handing)
{
}

LRESULT RegionOverlay::OnCreate()
{
    font_ = win::MakeUiFont(win::DpiOf(hwnd_));
    accent_.reset(win::ThrowLastErrorIfNull(::CreateSolidBrush(kAccent)));
    panel_.reset(win::ThrowLastErrorIfNull(::CreateSolidBrush(kPanel)));
    black_.reset(win::ThrowLastErrorIfNull(::CreateCompatibleDC(frozen_->DC())));
    blackPixel_.reset(win::ThrowLastErrorIfNull(::CreateCompatibleBitmap(frozen_->DC(), 1, 1)));
    blackSelected_ = std::make_unique<win::SelectedObject>(black_.get(), blackPixel_.get());
    ::PatBlt(black_.get(), 0, 0, 1, 1, BLACKNESS);
    measure_.reset(win::ThrowLastErrorIfNull(::CreateCompatibleDC(frozen_->DC())));
    measureFont_ = std::make_unique<win::SelectedObject>(measure_.get(), font_.get());
    TEXTMETRICW metrics{};
    ::GetTextMetricsW(measure_.get(), &metrics);
    lineHeight_ = metrics.tmHeight;
    const int side = core::kMagnified * core::kZoom + 2;
    magnifierSize_ = {side, side + 2 * lineHeight_ + 2 * kPad};
    view_ = ViewNow();
    return 0;
}

void RegionOverlay::Cancel() { Finish(false); }

void RegionOverlay::Dismiss() noexcept
{
    ending_ = true;
    if (hwnd_) ::DestroyWindow(hwnd_);
}

// The window goes before the host hears of it, so that whatever the host shows next is not
// under the overlay. Nothing of the object is touched once it is destroyed.
void RegionOverlay::Finish(bool take)
{
    if (ending_) return;
    ending_ = true;
    std::unique_ptr<win::Picture> part;
    RegionHost& host = host_;
    if (take && handing_ == Handing::Place) {
        const core::Rect chosen = choice_.Chosen();
        ::DestroyWindow(hwnd_);
        host.RegionChosen(chosen);
        return;
    }
    if (take) {
        const core::Rect chosen = choice_.Chosen();
        try {
            part = win::Picture::Create(frozen_->DC(), chosen.Width(), chosen.Height());
        } catch (...) {
            ::DestroyWindow(hwnd_);
            host.RegionCancelled();
            throw;
        }
        ::BitBlt(part->DC(), 0, 0, chosen.Width(), chosen.Height(), frozen_->DC(), chosen.left - bounds_.left,
                 chosen.top - bounds_.top, SRCCOPY);
    }
    ::DestroyWindow(hwnd_);
    if (part)
        host.RegionTaken(std::move(part));
    else
        host.RegionCancelled();
}

void RegionOverlay::Handle(core::RegionOutcome outcome)
{
    switch (outcome) {
        case core::RegionOutcome::Continue: ShowView(); return;
        case core::RegionOutcome::Take: Finish(true); return;
        case core::RegionOutcome::Cancel: Finish(false); return;
    }
}

core::Point RegionOverlay::ScreenPoint(LPARAM lp) const noexcept
{
    return {GET_X_LPARAM(lp) + bounds_.left, GET_Y_LPARAM(lp) + bounds_.top};
}

void RegionOverlay::TakeKeys() noexcept
{
    for (int i = 0; i < static_cast<int>(std::size(kOverlayKeys)); ++i) {
        const OverlayKey& k = kOverlayKeys[i];
        // One the system refuses (another program holds it) still comes while the overlay
        // has the keyboard.
        ::RegisterHotKey(hwnd_, kFirstKeyId + i, k.shift ? MOD_SHIFT : 0, k.key);
    }
    keysTaken_ = true;
}

void RegionOverlay::ReleaseKeys() noexcept
{
    if (!std::exchange(keysTaken_, false)) return;
    for (int i = 0; i < static_cast<int>(std::size(kOverlayKeys)); ++i)
        ::UnregisterHotKey(hwnd_, kFirstKeyId + i);
}

void RegionOverlay::OnKey(UINT key, bool shift)
{
    core::RegionKey regionKey{};
    switch (key) {
        case VK_LEFT: regionKey = core::RegionKey::Left; break;
        case VK_RIGHT: regionKey = core::RegionKey::Right; break;
        case VK_UP: regionKey = core::RegionKey::Up; break;
        case VK_DOWN: regionKey = core::RegionKey::Down; break;
        case VK_RETURN: regionKey = core::RegionKey::Enter; break;
        case VK_ESCAPE: regionKey = core::RegionKey::Escape; break;
        default: return;
    }
    const core::Point before = choice_.Pointer();
    const core::RegionOutcome outcome = choice_.Key(regionKey, shift);
    // The system's pointer goes where the keys put it, so that the mouse carries on from there.
    const core::Point after = choice_.Pointer();
    if (outcome == core::RegionOutcome::Continue && after != before) ::SetCursorPos(after.x, after.y);
    Handle(outcome);
}

core::OverlayView RegionOverlay::ViewNow() const
{
    const core::Point pointer = choice_.Pointer();
    const core::Rect chosen = choice_.Chosen();
    const core::Rect monitor = core::MonitorAt(pointer, choice_.Monitors(), bounds_);
    return {pointer, chosen, core::MagnifierPlace(pointer, magnifierSize_, choice_.Band(), monitor),
            core::LabelPlace(chosen, LabelSize(), monitor)};
}

core::Size RegionOverlay::LabelSize() const
{
    const core::Rect chosen = choice_.Chosen();
    const std::wstring text = win::Widen(core::SizeText({chosen.Width(), chosen.Height()}));
    SIZE extent{};
    ::GetTextExtentPoint32W(measure_.get(), text.c_str(), static_cast<int>(text.size()), &extent);
    return {extent.cx + 2 * kPad, extent.cy + 2 * kPad};
}

// Only what changed is painted again: a move costs what it repaints, not the screen's size.
void RegionOverlay::ShowView()
{
    const core::OverlayView next = ViewNow();
    for (const core::Rect& r : core::ChangedAreas(view_, next, bounds_)) {
        const RECT client{r.left - bounds_.left, r.top - bounds_.top, r.right - bounds_.left, r.bottom - bounds_.top};
        ::InvalidateRect(hwnd_, &client, FALSE);
    }
    view_ = next;
}

void RegionOverlay::OnPaint()
{
    win::OwnedRegion update(::CreateRectRgn(0, 0, 0, 0));
    const bool haveRegion = update && ::GetUpdateRgn(hwnd_, update.get(), FALSE) != ERROR;
    const win::PaintDC paint(hwnd_);
    const HDC dc = paint.get();
    const auto screen = [&](const RECT& r) {
        return core::Rect{r.left + bounds_.left, r.top + bounds_.top, r.right + bounds_.left, r.bottom + bounds_.top};
    };
    // The frozen picture and its dimming, rectangle by rectangle of what needs painting.
    std::vector<unsigned char> data;
    if (haveRegion) {
        const DWORD size = ::GetRegionData(update.get(), 0, nullptr);
        data.resize(size);
        if (size == 0 || ::GetRegionData(update.get(), size, reinterpret_cast<RGNDATA*>(data.data())) == 0)
            data.clear();
    }
    if (data.empty()) {
        PaintFrozen(dc, screen(paint.area()));
    } else {
        const auto* region = reinterpret_cast<const RGNDATA*>(data.data());
        const auto* rects = reinterpret_cast<const RECT*>(region->Buffer);
        for (DWORD i = 0; i < region->rdh.nCount; ++i)
            PaintFrozen(dc, screen(rects[i]));
    }
    PaintMarks(dc);
    PaintLabel(dc);
    PaintMagnifier(dc);
}

void RegionOverlay::PaintFrozen(HDC dc, const core::Rect& area) const
{
    const core::Rect part = core::Intersect(area, bounds_);
    if (part.Empty()) return;
    const int x = part.left - bounds_.left, y = part.top - bounds_.top;
    ::BitBlt(dc, x, y, part.Width(), part.Height(), frozen_->DC(), x, y, SRCCOPY);
    const BLENDFUNCTION blend{AC_SRC_OVER, 0, kDimAlpha, 0};
    for (const core::Rect& dim : core::Subtract(part, view_.chosen)) {
        ::GdiAlphaBlend(dc, dim.left - bounds_.left, dim.top - bounds_.top, dim.Width(), dim.Height(), black_.get(), 0,
                        0, 1, 1, blend);
    }
}

void RegionOverlay::FillScreenRect(HDC dc, const core::Rect& r, HBRUSH brush) const
{
    const RECT client{r.left - bounds_.left, r.top - bounds_.top, r.right - bounds_.left, r.bottom - bounds_.top};
    ::FillRect(dc, &client, brush);
}

// The chosen rectangle's frame and the crosshair; the paint's clipping keeps them to what changed.
void RegionOverlay::PaintMarks(HDC dc) const
{
    for (const core::Rect& r : core::ChosenFrame(view_.chosen))
        FillScreenRect(dc, r, accent_.get());
    for (const core::Rect& r : core::Crosshair(view_.pointer, bounds_))
        FillScreenRect(dc, r, accent_.get());
}

void RegionOverlay::PaintLabel(HDC dc) const
{
    if (view_.label.Empty()) return;
    FillScreenRect(dc, view_.label, panel_.get());
    const std::wstring text = win::Widen(core::SizeText({view_.chosen.Width(), view_.chosen.Height()}));
    const win::SelectedObject font(dc, font_.get());
    ::SetBkMode(dc, TRANSPARENT);
    ::SetTextColor(dc, RGB(255, 255, 255));
    ::TextOutW(dc, view_.label.left - bounds_.left + kPad, view_.label.top - bounds_.top + kPad, text.c_str(),
               static_cast<int>(text.size()));
}

void RegionOverlay::PaintMagnifier(HDC dc) const
{
    const core::Rect box = view_.magnifier;
    if (box.Empty()) return;
    const int left = box.left - bounds_.left, top = box.top - bounds_.top;
    const int side = core::kMagnified * core::kZoom;
    FillScreenRect(dc, box, panel_.get());
    const RECT image{left + 1, top + 1, left + 1 + side, top + 1 + side};
    ::FillRect(dc, &image, static_cast<HBRUSH>(::GetStockObject(BLACK_BRUSH)));
    const core::MagnifiedPart part = core::MagnifiedSource(view_.pointer, bounds_);
    if (!part.source.Empty()) {
        ::SetStretchBltMode(dc, COLORONCOLOR);
        ::StretchBlt(dc, image.left + part.offset.x * core::kZoom, image.top + part.offset.y * core::kZoom,
                     part.source.Width() * core::kZoom, part.source.Height() * core::kZoom, frozen_->DC(),
                     part.source.left - bounds_.left, part.source.top - bounds_.top, part.source.Width(),
                     part.source.Height(), SRCCOPY);
    }
    // The pixel grid, and the centre pixel framed.
    win::OwnedBrush grid(::CreateSolidBrush(kGrid));
    for (int i = 1; i < core::kMagnified; ++i) {
        const RECT column{image.left + i * core::kZoom, image.top, image.left + i * core::kZoom + 1, image.bottom};
        const RECT row{image.left, image.top + i * core::kZoom, image.right, image.top + i * core::kZoom + 1};
        ::FillRect(dc, &column, grid.get());
        ::FillRect(dc, &row, grid.get());
    }
    const int centre = core::kMagnified / 2 * core::kZoom;
    const RECT mark{image.left + centre - 1, image.top + centre - 1, image.left + centre + core::kZoom + 1,
                    image.top + centre + core::kZoom + 1};
    ::FrameRect(dc, &mark, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
    // The pointer's screen coordinates and the colour of its pixel.
    const core::Point at{view_.pointer.x - bounds_.left, view_.pointer.y - bounds_.top};
    const core::PixelView pixels = frozen_->Pixels();
    const std::uint32_t colour = pixels.Row(at.y)[at.x];
    const std::wstring where = win::Widen(core::PointText(view_.pointer));
    const std::wstring what = win::Widen(core::ColourText(colour));
    const win::SelectedObject font(dc, font_.get());
    ::SetBkMode(dc, TRANSPARENT);
    ::SetTextColor(dc, RGB(255, 255, 255));
    const int textTop = image.bottom + kPad;
    ::TextOutW(dc, left + kPad, textTop, where.c_str(), static_cast<int>(where.size()));
    ::TextOutW(dc, left + kPad, textTop + lineHeight_, what.c_str(), static_cast<int>(what.size()));
}

LRESULT RegionOverlay::HandleMessage(UINT msg, WPARAM wp, LPARAM lp)
{
    switch (msg) {
        case WM_PAINT: OnPaint(); return 0;
        case WM_ERASEBKGND: return 1;
        case WM_MOUSEMOVE: Handle(choice_.MoveTo(ScreenPoint(lp))); return 0;
        case WM_LBUTTONDOWN:
            ::SetCapture(hwnd_);
            Handle(choice_.LeftDown(ScreenPoint(lp)));
            return 0;
        case WM_LBUTTONUP: {
            const core::RegionOutcome outcome = choice_.LeftUp(ScreenPoint(lp));
            if (::GetCapture() == hwnd_) ::ReleaseCapture();
            Handle(outcome);
            return 0;
        }
        case WM_RBUTTONDOWN: Handle(choice_.RightDown()); return 0;
        case WM_KEYDOWN: OnKey(static_cast<UINT>(wp), ::GetKeyState(VK_SHIFT) < 0); return 0;
        case WM_HOTKEY: {
            const auto index = static_cast<std::size_t>(static_cast<int>(wp) - kFirstKeyId);
            if (index < std::size(kOverlayKeys)) OnKey(kOverlayKeys[index].key, kOverlayKeys[index].shift);
            return 0;
        }
        // The monitors it was made for are no more.
        case WM_DISPLAYCHANGE: Finish(false); return 0;
        case WM_DESTROY:
            ReleaseKeys();
            // Closed from outside (the system, the frame going): the host hears of it as a cancel.
            if (!ending_) {
                ending_ = true;
                host_.RegionCancelled();
            }
            return 0;
    }
    return DefaultProc(msg, wp, lp);
}

}  // namespace app
