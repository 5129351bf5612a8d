#include "app/ShotWindow.h"

#include <windowsx.h>

#include <algorithm>
#include <mutex>

#include "app/ApplicationWindow.h"
#include "app/Commands.h"
#include "app/ShotSave.h"
#include "app/Menus.h"
#include "app/PinWindow.h"
#include "core/Geometry.h"
#include "core/ReadOut.h"
#include "resource.h"
#include "win32/Clipboard.h"
#include "win32/ErrorReport.h"
#include "win32/Text.h"

namespace app {
namespace {

constexpr wchar_t kClassName[] = L"TfrmCap";
// No background brush: Paint fills what the picture does not cover.
const win::WindowClass kShotClass{.name = kClassName, .cursor = IDC_CROSS, .icon = IDI_SHOT, .background = nullptr};

}  // namespace

ShotWindow& ShotWindow::Create(ShotHost& host, std::unique_ptr<win::Picture> picture, const std::string& caption)
{
    const int width = picture->Width(), height = picture->Height();
    auto shot = std::unique_ptr<ShotWindow>(new ShotWindow(host, std::move(picture), {width, height, nullptr}));
    shot->CreateWindowAs(caption);
    ShotWindow& made = *shot.release();
    made.OfferToKeep();
    return made;
}

ShotWindow& ShotWindow::Create(ShotHost& host, PendingPicture picture, const std::string& caption)
{
    auto shot = std::unique_ptr<ShotWindow>(new ShotWindow(host, nullptr, std::move(picture)));
    shot->CreateWindowAs(caption);
    return *shot.release();
}

void ShotWindow::CreateWindowAs(const std::string& caption)
{
    CreateMdiChild(kShotClass, host_.MdiClient(), win::Widen(caption).c_str(), WS_HSCROLL | WS_VSCROLL | WS_VISIBLE);
    ownsSelf_ = true;
}

ShotWindow* ShotWindow::FromHandle(HWND hwnd) noexcept
{
    if (!hwnd) return nullptr;
    wchar_t name[16]{};
    if (!::GetClassNameW(hwnd, name, static_cast<int>(std::size(name))) || lstrcmpW(name, kClassName) != 0)
        return nullptr;
    return reinterpret_cast<ShotWindow*>(::GetWindowLongPtrW(hwnd, GWLP_USERDATA));
}

ShotWindow::ShotWindow(ShotHost& host, std::unique_ptr<win::Picture> picture, PendingPicture pending)
    : host_(host),
      picture_(std::move(picture)),
      pending_(std::move(pending)),
      selection_(*this, pending_.width, pending_.height)
{
    if (picture_) edits_.emplace(*picture_);
    menu_ = BuildShotMenu(windowMenu_);
}

struct ShotWindow::Arrival {
    std::mutex lock;
    bool done = false;
    std::unique_ptr<win::Picture> picture;
};

bool ShotWindow::EnsurePicture()
{
    if (picture_ || unreadable_) return picture_ != nullptr;
    return TakePicture(pending_.read ? pending_.read() : nullptr);
}

// The pending picture as read, here or elsewhere; nothing: it cannot be read, and the window goes.
bool ShotWindow::TakePicture(std::unique_ptr<win::Picture> read)
{
    if (picture_ || unreadable_) return picture_ != nullptr;
    if (!read) {
        unreadable_ = true;
        host_.ShotUnreadable(hwnd_);
        ::PostMessageW(hwnd_, WM_CLOSE, 0, 0);
        return false;
    }
    picture_ = std::move(read);
    pending_.read = nullptr;
    pending_.readElsewhere = nullptr;
    edits_.emplace(*picture_);
    ::InvalidateRect(hwnd_, nullptr, FALSE);  // parts painted while it was pending
    return true;
}

// The window goes on answering while the picture is read; a message brings it.
void ShotWindow::ReadElsewhere()
{
    arrival_ = std::make_shared<Arrival>();
    // Only the window holds the arrival: once it is gone, nothing is read for it.
    pending_.readElsewhere(arrival_,
                           [arrival = std::weak_ptr(arrival_), hwnd = hwnd_](std::unique_ptr<win::Picture> picture) {
                               const std::shared_ptr<Arrival> here = arrival.lock();
                               if (!here) return;
                               {
                                   std::lock_guard lock(here->lock);
                                   here->picture = std::move(picture);
                                   here->done = true;
                               }
                               ::PostMessageW(hwnd, kPictureArrived, 0, 0);
                           });
}

void ShotWindow::OnPictureArrived()
{
    if (!arrival_) return;
    std::unique_ptr<win::Picture> picture;
    {
        std::lock_guard lock(arrival_->lock);
        if (!arrival_->done) return;
        picture = std::move(arrival_->picture);
    }
    arrival_.reset();
    TakePicture(std::move(picture));
}

void ShotWindow::OfferToKeep()
{
    if (EnsurePicture()) host_.ShotChanged(hwnd_, *picture_);
}

// --- the picture and the selection ---------------------------------------------------

// The frame is drawn over the picture as the window paints; the picture keeps its pixels.
void ShotWindow::InvertFrame(core::Point a, core::Point b)
{
    // Only the strips that changed are repainted, whatever the picture's size.
    const core::FrameStrips ring = core::FrameRing(a, b);
    for (int i = 0; i < ring.count; ++i)
        RepaintPicture(ring.strips[static_cast<size_t>(i)]);
}

void ShotWindow::UpdateCommands()
{
    const std::string_view caption = core::CopyCaption(selection_.Selected());
    host_.SetCopyHint(caption);
    const std::wstring item = MenuText(*FindCommand(IDM_COPY), win::Widen(caption));
    ::ModifyMenuW(menu_.get(), IDM_COPY, MF_BYCOMMAND | MF_STRING, IDM_COPY, item.c_str());
    ShowShotCommandStates(menu_.get(),
                          {selection_.HasArea(), edits_ && edits_->CanUndo(), edits_ && edits_->CanRedo()});
}

void ShotWindow::RepaintPicture(core::Rect part)
{
    if (part.Empty()) return;
    const POINT at = view_.Position();
    const RECT r{part.left - at.x, part.top - at.y, part.right - at.x, part.bottom - at.y};
    ::InvalidateRect(hwnd_, &r, FALSE);
}

void ShotWindow::OnPictureButtonDown(bool primaryButton, core::Point p)
{
    selection_.Press(p);
    UpdateCommands();
    if (primaryButton) {
        primaryDrag_ = true;
        ::SetCapture(hwnd_);
    }
}

void ShotWindow::OnPictureMouseMove(core::Point p)
{
    if (selection_.Dragging()) selection_.Move(p);
    host_.ShowReadOut(core::ReadOutText(p, selection_.Start(), selection_.End()));
}

void ShotWindow::OnPictureButtonUp(bool primaryButton)
{
    if (primaryButton && primaryDrag_) {
        primaryDrag_ = false;
        if (::GetCapture() == hwnd_) ::ReleaseCapture();
    }
    if (!selection_.Dragging()) return;
    selection_.Release();
    UpdateCommands();
}

void ShotWindow::OnSelectAll()
{
    selection_.SelectAll();
    UpdateCommands();
}

void ShotWindow::OnSelectCancel()
{
    selection_.Cancel();
    UpdateCommands();
}

void ShotWindow::OnCopy()
{
    if (!selection_.Selected()) OnSelectAll();
    const core::Rect source = core::NormalisedRect(selection_.Start(), selection_.End());
    // An empty selection (a click without a drag) has no picture to give: whatever the
    // clipboard holds stays there.
    if (source.Empty() || !EnsurePicture()) return;
    host_.Application().OfferOnClipboard(win::SnapshotOf(*picture_, source));
}

// --- edits ---------------------------------------------------------------------------

// The selection stays shown after each of these, ready for the next.
void ShotWindow::OnEdit(core::Edit edit)
{
    if (!selection_.HasArea() || !EnsurePicture()) return;
    const core::Rect changed = edits_->Apply(edit, selection_);
    RepaintPicture(changed);
    UpdateCommands();
    if (!changed.Empty()) OfferToKeep();
}

void ShotWindow::OnUndoOrRedo(bool undo)
{
    if (!edits_) return;  // nothing to undo before the picture is read
    const core::Rect changed = undo ? edits_->Undo() : edits_->Redo();
    RepaintPicture(changed);
    UpdateCommands();
    if (!changed.Empty()) OfferToKeep();
}

void ShotWindow::OnCutOut()
{
    if (selection_.HasArea() && EnsurePicture()) host_.OpenShot(edits_->CutOut(selection_));
}

// The selection, or the whole picture, pinned on top where it lies on the screen now.
void ShotWindow::OnPin()
{
    if (!EnsurePicture()) return;
    const core::Rect whole{0, 0, pending_.width, pending_.height};
    const core::Rect part = selection_.HasArea()
                                ? core::Intersect(core::NormalisedRect(selection_.Start(), selection_.End()), whole)
                                : whole;
    if (part.Empty()) return;
    const POINT at = view_.Position();
    POINT screen{part.left - at.x, part.top - at.y};
    ::ClientToScreen(hwnd_, &screen);
    PinWindow::Open(host_.Application(), *picture_, part, screen);
}

// The read-out shows the corner that moved.
bool ShotWindow::OnKeyDown(UINT key)
{
    constexpr UINT keys[] = {VK_LEFT, VK_RIGHT, VK_UP, VK_DOWN};  // in the order of core::Arrow
    const auto found = std::find(std::begin(keys), std::end(keys), key);
    if (found == std::end(keys)) return false;
    const bool shift = ::GetKeyState(VK_SHIFT) < 0;
    if (!selection_.ArrowKey(core::Arrow(found - std::begin(keys)), ::GetKeyState(VK_CONTROL) < 0, shift)) return true;
    const core::Point corner = shift ? selection_.End() : selection_.Start();
    host_.ShowReadOut(core::ReadOutText(corner, selection_.Start(), selection_.End()));
    UpdateCommands();
    return true;
}

// --- window commands -----------------------------------------------------------------

bool ShotWindow::OnCommand(UINT id)
{
    switch (id) {
        case IDM_SAVE:
            if (!EnsurePicture()) return true;
            SaveShot(host_.SaveTargets(), host_.FrameWindow(), win::Narrow(win::TextOf(hwnd_)), *picture_, selection_);
            return true;
        case IDM_CLOSE: ::SendMessageW(hwnd_, WM_CLOSE, 0, 0); return true;
        case IDM_COPY: OnCopy(); return true;
        case IDM_SELECT_ALL: OnSelectAll(); return true;
        case IDM_SELECT_CANCEL: OnSelectCancel(); return true;
        case IDM_CASCADE: ::SendMessageW(host_.MdiClient(), WM_MDICASCADE, 0, 0); return true;
        case IDM_TILE: ::SendMessageW(host_.MdiClient(), WM_MDITILE, MDITILE_HORIZONTAL, 0); return true;
        case IDM_UNDO: OnUndoOrRedo(true); return true;
        case IDM_REDO: OnUndoOrRedo(false); return true;
        case IDM_BLACK_OUT: OnEdit(core::Edit::BlackOut); return true;
        case IDM_MOSAIC: OnEdit(core::Edit::Mosaic); return true;
        case IDM_RED_FRAME: OnEdit(core::Edit::RedFrame); return true;
        case IDM_CUT_OUT: OnCutOut(); return true;
        case IDM_PIN: OnPin(); return true;
        default: return false;
    }
}

void ShotWindow::OnActivate()
{
    host_.ShowMenus(menu_.get(), windowMenu_);
    UpdateCommands();
}

// The frame shows its own menus again unless another shot window takes over; the window
// list leaves this window's menu, which may be about to go.
void ShotWindow::OnDeactivate()
{
    if (::GetMenu(host_.FrameWindow()) == menu_.get()) host_.ShowFrameMenu();
}

// --- painting and scrolling ----------------------------------------------------------

// A pending picture is read when it shows: in the active window, or in more than the strip
// that a window beneath others shows of itself.
void ShotWindow::Paint()
{
    constexpr LONG kStrip = 64;
    win::PaintDC dc(hwnd_);
    const RECT& area = dc.area();
    const bool active = reinterpret_cast<HWND>(::SendMessageW(host_.MdiClient(), WM_MDIGETACTIVE, 0, 0)) == hwnd_;
    if (!picture_ && !unreadable_ && !arrival_ &&
        (active || (area.right - area.left > kStrip && area.bottom - area.top > kStrip))) {
        if (pending_.readElsewhere)
            ReadElsewhere();
        else
            EnsurePicture();
    }
    if (!picture_) {
        ::FillRect(dc.get(), &area, ::GetSysColorBrush(COLOR_BTNFACE));
        return;
    }
    const POINT at = view_.Position();
    picture_->PaintAt(dc.get(), area, at);
    if (!selection_.FrameStands()) return;
    // The selection's frame: its ring of picture pixels shown inverted, where it meets the
    // part being painted.
    const core::Rect painted{area.left + at.x, area.top + at.y, area.right + at.x, area.bottom + at.y};
    const core::Rect picture{0, 0, picture_->Width(), picture_->Height()};
    const core::FrameStrips ring = core::FrameRing(selection_.Start(), selection_.End());
    for (int i = 0; i < ring.count; ++i) {
        const core::Rect s = core::Intersect(core::Intersect(ring.strips[static_cast<size_t>(i)], picture), painted);
        if (!s.Empty()) ::PatBlt(dc.get(), s.left - at.x, s.top - at.y, s.Width(), s.Height(), DSTINVERT);
    }
}

// --- mouse ---------------------------------------------------------------------------

core::Point ShotWindow::ToPicture(LPARAM lp) const noexcept
{
    const POINT at = view_.Position();
    return {GET_X_LPARAM(lp) + at.x, GET_Y_LPARAM(lp) + at.y};
}

bool ShotWindow::OverPicture(core::Point p) const noexcept
{
    return p.x >= 0 && p.y >= 0 && p.x < pending_.width && p.y < pending_.height;
}

void ShotWindow::OnButtonDown(bool primaryButton, LPARAM lp)
{
    const core::Point p = ToPicture(lp);
    if (OverPicture(p)) OnPictureButtonDown(primaryButton, p);
}

void ShotWindow::OnButtonUp(bool primaryButton, LPARAM lp)
{
    // While the pointer is captured the release counts wherever it happens.
    if ((primaryButton && primaryDrag_) || OverPicture(ToPicture(lp))) OnPictureButtonUp(primaryButton);
}

// --- messages ------------------------------------------------------------------------

LRESULT ShotWindow::OnCreate()
{
    view_.Fit(hwnd_, pending_.width, pending_.height);
    return 0;
}

// Capture taken away mid-drag (another window, a key): the drag ends where it is.
void ShotWindow::OnCaptureLost(HWND newCapture)
{
    if (!primaryDrag_ || newCapture == hwnd_) return;
    primaryDrag_ = false;
    if (!selection_.Dragging()) return;
    selection_.Release();
    UpdateCommands();
}

LRESULT ShotWindow::DefaultProc(UINT msg, WPARAM wp, LPARAM lp) { return ::DefMDIChildProcW(hwnd_, msg, wp, lp); }

LRESULT ShotWindow::HandleMessage(UINT msg, WPARAM wp, LPARAM lp)
{
    switch (msg) {
        case WM_MDIACTIVATE:
            if (reinterpret_cast<HWND>(lp) == hwnd_)
                OnActivate();
            else if (reinterpret_cast<HWND>(wp) == hwnd_ && lp == 0)
                OnDeactivate();
            return 0;
        case WM_COMMAND:
            if (OnCommand(LOWORD(wp))) return 0;
            break;
        case WM_PAINT: Paint(); return 0;
        case WM_ERASEBKGND: return 1;
        case WM_SIZE: view_.Fit(hwnd_, pending_.width, pending_.height); break;
        case WM_HSCROLL: view_.OnScroll(hwnd_, SB_HORZ, LOWORD(wp)); return 0;
        case WM_VSCROLL: view_.OnScroll(hwnd_, SB_VERT, LOWORD(wp)); return 0;
        case WM_MOUSEWHEEL: view_.OnWheel(hwnd_, GET_WHEEL_DELTA_WPARAM(wp)); return 0;
        case WM_LBUTTONDOWN: OnButtonDown(true, lp); return 0;
        case WM_RBUTTONDOWN:
        case WM_MBUTTONDOWN: OnButtonDown(false, lp); return 0;
        case WM_LBUTTONUP: OnButtonUp(true, lp); return 0;
        case WM_RBUTTONUP:
        case WM_MBUTTONUP: OnButtonUp(false, lp); return 0;
        case WM_MOUSEMOVE: {
            const core::Point p = ToPicture(lp);
            if (primaryDrag_ || OverPicture(p)) OnPictureMouseMove(p);
            return 0;
        }
        case WM_KEYDOWN:
            if (OnKeyDown(static_cast<UINT>(wp))) return 0;
            break;
        case WM_CAPTURECHANGED: OnCaptureLost(reinterpret_cast<HWND>(lp)); return 0;
        case kPictureArrived: OnPictureArrived(); return 0;
        case WM_CLOSE: host_.ShotClosed(hwnd_); break;  // not when the program ends: the shot stays kept
        case WM_DESTROY: OnDeactivate(); break;
    }
    return DefaultProc(msg, wp, lp);
}

}  // namespace app
