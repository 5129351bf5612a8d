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
#include "core/ShotScene.h"
#include "core/Zoom.h"
#include "resource.h"
#include "win32/Clipboard.h"
#include "win32/ErrorReport.h"
#include "win32/Text.h"

namespace app {
namespace {

constexpr wchar_t kClassName[] = L"TfrmCap";
// No background brush: Paint fills what the picture does not cover.
// Double-clicks: a text mark is typed again.
const win::WindowClass kShotClass{
    .name = kClassName, .cursor = IDC_CROSS, .icon = IDI_SHOT, .background = nullptr, .style = CS_DBLCLKS};

COLORREF FaceColour() noexcept { return ::GetSysColor(COLOR_BTNFACE); }

}  // namespace

ShotWindow& ShotWindow::Create(ShotHost& host, std::unique_ptr<win::Picture> picture, const std::string& caption,
                               std::wstring origin, std::vector<core::Mark> marks)
{
    const int width = picture->Width(), height = picture->Height();
    auto shot = std::unique_ptr<ShotWindow>(
        new ShotWindow(host, std::move(picture), {width, height, nullptr, nullptr}, std::move(marks)));
    shot->origin_ = std::move(origin);
    shot->CreateWindowAs(caption);
    ShotWindow& made = *shot.release();
    made.OfferToKeep();
    return made;
}

ShotWindow& ShotWindow::Create(ShotHost& host, PendingPicture picture, const std::string& caption,
                               std::vector<core::Mark> marks)
{
    auto shot = std::unique_ptr<ShotWindow>(new ShotWindow(host, nullptr, std::move(picture), std::move(marks)));
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

ShotWindow::ShotWindow(ShotHost& host, std::unique_ptr<win::Picture> picture, PendingPicture pending,
                       std::vector<core::Mark> marks)
    : host_(host),
      picture_(std::move(picture)),
      pending_(std::move(pending)),
      pendingMarks_(std::move(marks)),
      selection_(*this, pending_.width, pending_.height)
{
    if (picture_) edits_.emplace(*picture_, std::move(pendingMarks_));
    menu_ = BuildShotMenu(windowMenu_);
}

// --- a picture read when it is first needed, and the keeping ------------------------------

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
    edits_.emplace(*read, std::move(pendingMarks_));
    picture_ = std::move(read);
    pending_.read = nullptr;
    pending_.readElsewhere = nullptr;
    ::InvalidateRect(hwnd_, nullptr, FALSE);  // parts painted while it was pending
    UpdateCommands();
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

void ShotWindow::Offer(bool withPixels)
{
    if (!EnsurePicture()) return;
    const core::ShotDocument& document = edits_->Marks();
    keptRevision_ = document.Revision();
    withPixels = withPixels || document.PixelRevision() != keptPixelRevision_;
    keptPixelRevision_ = document.PixelRevision();
    host_.ShotChanged(hwnd_, *picture_, document.Marks().All(), withPixels);
}

// After each message: a change of the pixels or the marks, done or undone, is kept.
void ShotWindow::KeepIfChanged()
{
    if (edits_ && edits_->Marks().Revision() != keptRevision_) Offer(false);
}

bool ShotWindow::NeedsPicture(UINT msg, WPARAM wp) noexcept
{
    switch (msg) {
        case WM_COMMAND:
            switch (LOWORD(wp)) {
                case IDM_CLOSE:
                case IDM_CASCADE:
                case IDM_TILE:
                case IDM_ZOOM_IN:
                case IDM_ZOOM_OUT:
                case IDM_ZOOM_FULL:
                case IDM_ZOOM_FIT:
                case IDM_TOOL_SELECT:
                case IDM_TOOL_ARROW:
                case IDM_TOOL_BOX:
                case IDM_TOOL_TEXT:
                case IDM_TOOL_NUMBER:
                case IDM_TOOL_HIGHLIGHTER: return false;
                default: return true;
            }
        case kMarkStyleChosen:
        case WM_LBUTTONDOWN:
        case WM_RBUTTONDOWN:
        case WM_MBUTTONDOWN:
        case WM_LBUTTONDBLCLK:
        case WM_KEYDOWN: return true;
        default: return false;
    }
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
    ShowShotCommandStates(menu_.get(), {selection_.HasArea(), edits_ && edits_->CanUndo(), edits_ && edits_->CanRedo(),
                                        core::ZoomIn(zoom_).has_value(), core::ZoomOut(zoom_).has_value()});
    const UINT tool = kToolCommands[static_cast<std::size_t>(host_.CurrentTool())];
    ::CheckMenuRadioItem(menu_.get(), IDM_TOOL_SELECT, IDM_TOOL_HIGHLIGHTER, tool, MF_BYCOMMAND);
}

// The window pixels that show `part`, and a margin for the smoothed edges of marks and the
// handles, which keep their size at every zoom.
void ShotWindow::RepaintPicture(core::Rect part)
{
    if (part.Empty()) return;
    const POINT at = view_.Position();
    const core::Point from = core::PictureToWindow({part.left, part.top}, {at.x, at.y}, zoom_);
    const core::Point to = core::PictureToWindow({part.right, part.bottom}, {at.x, at.y}, zoom_);
    constexpr int margin = core::kHandleSide + 2;
    const RECT r{from.x - margin, from.y - margin, to.x + margin + 1, to.y + margin + 1};
    ::InvalidateRect(hwnd_, &r, FALSE);
}

void ShotWindow::OnPictureButtonDown(bool primaryButton, core::Point p)
{
    // A click while a text is typed ends the typing, and does nothing else.
    if (typing_.IsOpen()) {
        EndTyping();
        return;
    }
    if (primaryButton) {
        const Press press = PressWithTool(p);
        if (press == Press::Done) return;
        if (press == Press::Drag) {
            primaryDrag_ = true;
            ::SetCapture(hwnd_);
            return;
        }
    }
    ChooseMark(std::nullopt);
    selection_.Press(p);
    UpdateCommands();
    if (primaryButton) {
        primaryDrag_ = true;
        ::SetCapture(hwnd_);
    }
}

void ShotWindow::OnPictureMouseMove(core::Point p)
{
    if (DragWithTool(p)) return;
    if (selection_.Dragging()) selection_.Move(p);
    host_.ShowReadOut(core::ReadOutText(p, selection_.Start(), selection_.End()));
}

void ShotWindow::OnPictureButtonUp(bool primaryButton)
{
    if (primaryButton && primaryDrag_) {
        primaryDrag_ = false;
        if (::GetCapture() == hwnd_) ::ReleaseCapture();
    }
    if (ReleaseWithTool()) return;
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
    if (source.Empty()) return;
    if (edits_->Marks().Marks().Count() == 0) {
        host_.Application().OfferOnClipboard(win::SnapshotOf(*picture_, source));
        return;
    }
    // The marks as they are drawn, over the pixels of the part copied.
    const std::unique_ptr<win::Picture> shown = edits_->AsShown(source);
    host_.Application().OfferOnClipboard(win::SnapshotOf(*shown, {0, 0, source.Width(), source.Height()}));
}

// --- edits ---------------------------------------------------------------------------

// The selection stays shown after each of these, ready for the next.
void ShotWindow::OnEdit(core::Edit edit)
{
    if (!selection_.HasArea() || drag_) return;
    // The marks' places in the list may change: a text being typed is done first, and no mark
    // stays chosen.
    if (typing_.IsOpen()) EndTyping();
    ChooseMark(std::nullopt);
    RepaintPicture(edits_->Apply(edit, selection_));
    UpdateCommands();
}

void ShotWindow::OnUndoOrRedo(bool undo)
{
    if (drag_) return;
    if (typing_.IsOpen()) EndTyping();
    ChooseMark(std::nullopt);
    RepaintPicture(undo ? edits_->Undo() : edits_->Redo());
    UpdateCommands();
}

void ShotWindow::OnCutOut()
{
    if (!selection_.HasArea()) return;
    ShotPart part = edits_->CutOut(selection_);
    host_.OpenShot(std::move(part.picture), std::move(part.marks));
}

// The selection, or the whole picture, pinned on top with its marks, where it lies on the
// screen now.
void ShotWindow::OnPin()
{
    if (typing_.IsOpen()) EndTyping();
    const core::Rect whole{0, 0, picture_->Width(), picture_->Height()};
    const core::Rect part = selection_.HasArea()
                                ? core::Intersect(core::NormalisedRect(selection_.Start(), selection_.End()), whole)
                                : whole;
    if (part.Empty()) return;
    const POINT at = view_.Position();
    const core::Point corner = core::PictureToWindow({part.left, part.top}, {at.x, at.y}, zoom_);
    POINT screen{corner.x, corner.y};
    ::ClientToScreen(hwnd_, &screen);
    if (edits_->Marks().Marks().Count() == 0) {
        PinWindow::Open(host_.Application(), *picture_, part, screen);
        return;
    }
    const std::unique_ptr<win::Picture> shown = edits_->AsShown(part);
    PinWindow::Open(host_.Application(), *shown, {0, 0, part.Width(), part.Height()}, screen);
}

// The read-out shows the corner that moved.
bool ShotWindow::OnKeyDown(UINT key)
{
    if (key == VK_DELETE && chosen_) {
        DeleteChosenMark();
        return true;
    }
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
        case IDM_SAVE: {
            // With marks, what is saved is the picture as it is shown.
            const std::unique_ptr<win::Picture> shown =
                edits_->Marks().Marks().Count() ? edits_->AsShown({0, 0, picture_->Width(), picture_->Height()}) : nullptr;
            SaveShot(host_.SaveTargets(), host_.FrameWindow(), win::Narrow(win::TextOf(hwnd_)), origin_,
                     shown ? *shown : *picture_,
                     selection_);
            return true;
        }
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
        case IDM_ZOOM_IN: ZoomStep(true, ClientCentre()); return true;
        case IDM_ZOOM_OUT: ZoomStep(false, ClientCentre()); return true;
        case IDM_ZOOM_FULL: SetZoom(core::kFullSize, ClientCentre()); return true;
        case IDM_ZOOM_FIT: ZoomToFit(); return true;
        case IDM_TOOL_SELECT:
        case IDM_TOOL_ARROW:
        case IDM_TOOL_BOX:
        case IDM_TOOL_TEXT:
        case IDM_TOOL_NUMBER:
        case IDM_TOOL_HIGHLIGHTER: OnToolChosen(); return true;
        default: return false;
    }
}

void ShotWindow::OnActivate()
{
    host_.ShowMenus(menu_.get(), windowMenu_);
    host_.ShowZoom(core::ZoomText(zoom_));
    UpdateCommands();
}

// The frame shows its own menus again unless another shot window takes over; the window
// list leaves this window's menu, which may be about to go.
void ShotWindow::OnDeactivate()
{
    if (::GetMenu(host_.FrameWindow()) == menu_.get()) host_.ShowFrameMenu();
}

// --- painting and scrolling ----------------------------------------------------------

// The part to paint is drawn whole in a buffer (picture at its zoom, marks, frame, handles),
// then copied to the window once.
void ShotWindow::Paint()
{
    win::PaintDC dc(hwnd_);
    const RECT& area = dc.area();
    const int width = area.right - area.left, height = area.bottom - area.top;
    if (width <= 0 || height <= 0) return;
    if (!picture_) {
        PaintPending(dc.get(), area);
        return;
    }
    const core::PixelView target = buffer_.Ready(dc.get(), width, height);
    core::Scene scene;
    scene.picture = picture_->Pixels();
    scene.percent = zoom_;
    scene.marks = &edits_->Marks().Marks().All();
    if (drag_) {
        scene.drawn = &drag_->Shown();
        if (drag_->Moves()) scene.moving = drag_->Index();
    }
    if (typing_.IsOpen() && retyped_) scene.moving = *retyped_;
    if (drag_ && drag_->Moves())
        scene.selected = &drag_->Shown();
    else if (chosen_ && *chosen_ < scene.marks->size())
        scene.selected = &(*scene.marks)[*chosen_];
    scene.frame = selection_.FrameStands();
    scene.frameStart = selection_.Start();
    scene.frameEnd = selection_.End();
    const COLORREF face = FaceColour();
    scene.face = (static_cast<std::uint32_t>(GetRValue(face)) << 16) | (GetGValue(face) << 8) | GetBValue(face);
    const POINT at = view_.Position();
    core::PaintScene(target, {area.left + at.x, area.top + at.y}, scene, edits_->Glyphs());
    ::BitBlt(dc.get(), area.left, area.top, width, height, buffer_.DC(), 0, 0, SRCCOPY);
}

// A pending picture is read when it shows: in the active window, or in more than the strip
// that a window beneath others shows of itself. Until it is there, the face colour.
void ShotWindow::PaintPending(HDC dc, const RECT& area)
{
    constexpr LONG kStrip = 64;
    const bool active = reinterpret_cast<HWND>(::SendMessageW(host_.MdiClient(), WM_MDIGETACTIVE, 0, 0)) == hwnd_;
    if (!unreadable_ && !arrival_ &&
        (active || (area.right - area.left > kStrip && area.bottom - area.top > kStrip))) {
        if (pending_.readElsewhere)
            ReadElsewhere();
        else if (EnsurePicture())
            return;  // painted again, with the picture
    }
    ::FillRect(dc, &area, ::GetSysColorBrush(COLOR_BTNFACE));
}

// --- mouse ---------------------------------------------------------------------------

core::Point ShotWindow::ToPicture(LPARAM lp) const noexcept
{
    const POINT at = view_.Position();
    return core::WindowToPicture({GET_X_LPARAM(lp), GET_Y_LPARAM(lp)}, {at.x, at.y}, zoom_);
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
    FitScrollView();
    return 0;
}

// Capture taken away mid-drag (another window, a key): the drag ends where it is.
void ShotWindow::OnCaptureLost(HWND newCapture)
{
    if (!primaryDrag_ || newCapture == hwnd_) return;
    primaryDrag_ = false;
    if (ReleaseWithTool()) return;
    if (!selection_.Dragging()) return;
    selection_.Release();
    UpdateCommands();
}

LRESULT ShotWindow::DefaultProc(UINT msg, WPARAM wp, LPARAM lp) { return ::DefMDIChildProcW(hwnd_, msg, wp, lp); }

LRESULT ShotWindow::HandleMessage(UINT msg, WPARAM wp, LPARAM lp)
{
    if (!picture_ && NeedsPicture(msg, wp) && !EnsurePicture()) return 0;
    const HWND hwnd = hwnd_;
    const LRESULT result = Handle(msg, wp, lp);
    // A close destroys the window, and the object with it, before Handle returns.
    if (::IsWindow(hwnd)) KeepIfChanged();
    return result;
}

LRESULT ShotWindow::Handle(UINT msg, WPARAM wp, LPARAM lp)
{
    switch (msg) {
        case WM_MDIACTIVATE:
            if (reinterpret_cast<HWND>(lp) == hwnd_)
                OnActivate();
            else if (reinterpret_cast<HWND>(wp) == hwnd_ && lp == 0)
                OnDeactivate();
            return 0;
        case WM_COMMAND:
            if (typing_.IsOpen() && reinterpret_cast<HWND>(lp) == typing_.Field()) {
                if (HIWORD(wp) == EN_CHANGE) typing_.Fit();
                return 0;
            }
            if (OnCommand(LOWORD(wp))) return 0;
            break;
        case WM_CTLCOLOREDIT:
            if (typing_.IsOpen() && reinterpret_cast<HWND>(lp) == typing_.Field())
                return typing_.Colours(reinterpret_cast<HDC>(wp));
            break;
        case kMarkStyleChosen: RestyleChosenMark(wp != 0, static_cast<std::uint32_t>(lp)); return 0;
        case kTypingEnds:
            if (typing_.IsOpen() && reinterpret_cast<HWND>(wp) == typing_.Field()) EndTyping();
            return 0;
        case WM_LBUTTONDBLCLK: {
            const core::Point p = ToPicture(lp);
            if (OverPicture(p)) OnDoubleClick(p);
            return 0;
        }
        case WM_PAINT: Paint(); return 0;
        case WM_ERASEBKGND: return 1;
        case WM_SIZE:
            FitScrollView();
            FollowScroll();
            break;
        case WM_HSCROLL:
            view_.OnScroll(hwnd_, SB_HORZ, LOWORD(wp));
            FollowScroll();
            return 0;
        case WM_VSCROLL:
            view_.OnScroll(hwnd_, SB_VERT, LOWORD(wp));
            FollowScroll();
            return 0;
        case WM_MOUSEWHEEL:
            if (GET_KEYSTATE_WPARAM(wp) & MK_CONTROL)
                OnZoomWheel(GET_WHEEL_DELTA_WPARAM(wp), {GET_X_LPARAM(lp), GET_Y_LPARAM(lp)});
            else
                view_.OnWheel(hwnd_, GET_WHEEL_DELTA_WPARAM(wp));
            FollowScroll();
            return 0;
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
