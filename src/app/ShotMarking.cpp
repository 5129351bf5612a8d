// A shot window's marks and zoom: the tools' presses, drags and releases, the mark chosen with
// 選択, typing a text in place, and zooming around a point. Everything the user points at is
// worked in picture pixels; only the paint pass sees the zoom.
#include <algorithm>
#include <string>
#include <utility>

#include "app/ShotWindow.h"
#include "core/MarkDrawing.h"
#include "core/ReadOut.h"
#include "core/ShotScene.h"
#include "core/Zoom.h"

namespace app {
namespace {

// How near a press must come to a mark to take it, in window pixels.
constexpr double kPressTolerance = 4;

COLORREF ColourRef(std::uint32_t colour) noexcept
{
    return RGB((colour >> 16) & 0xFF, (colour >> 8) & 0xFF, colour & 0xFF);
}

std::u16string Utf16(const std::wstring& text) { return {text.begin(), text.end()}; }
std::wstring Wide(const std::u16string& text) { return {text.begin(), text.end()}; }

}  // namespace

double ShotWindow::PressTolerance() const noexcept { return kPressTolerance * 100 / zoom_; }

void ShotWindow::RepaintMark(const core::Mark& mark) { RepaintPicture(core::MarkBounds(mark)); }

void ShotWindow::ChooseMark(std::optional<std::size_t> index)
{
    if (chosen_ == index) return;
    const core::MarkList& marks = edits_->Marks().Marks();
    if (chosen_ && *chosen_ < marks.Count()) RepaintMark(marks[*chosen_]);
    chosen_ = index;
    if (chosen_ && *chosen_ < marks.Count()) RepaintMark(marks[*chosen_]);
}

// A press with 選択 that is on no mark is the rubber band's; the other tools make marks.
ShotWindow::Press ShotWindow::PressWithTool(core::Point p)
{
    const core::Tool tool = host_.CurrentTool();
    const core::MarkStyle style = host_.Styles().For(tool);
    core::ShotDocument& document = edits_->Marks();
    switch (tool) {
        case core::Tool::Select: {
            const std::optional<std::size_t> hit = document.Marks().At(p, PressTolerance());
            if (!hit) return Press::RubberBand;
            ChooseMark(hit);
            drag_ = core::MarkDrag::Moving(*hit, document.Marks()[*hit], p);
            return Press::Drag;
        }
        case core::Tool::Arrow:
        case core::Tool::Box:
        case core::Tool::Highlighter:
            ChooseMark(std::nullopt);
            drag_ = core::MarkDrag::Drawing(*core::KindOf(tool), p, style);
            return Press::Drag;
        case core::Tool::Number:
            ChooseMark(std::nullopt);
            RepaintPicture(document.Place(core::NumberMark(p, document.Marks().NextNumber(), style)));
            UpdateCommands();
            return Press::Done;
        case core::Tool::Text:
            ChooseMark(std::nullopt);
            BeginTyping(p, std::nullopt);
            return Press::Done;
    }
    return Press::RubberBand;
}

bool ShotWindow::DragWithTool(core::Point p)
{
    if (!drag_) return false;
    RepaintMark(drag_->Shown());
    drag_->To(p);
    RepaintMark(drag_->Shown());
    const core::Mark& shown = drag_->Shown();
    if (drag_->Moves())
        host_.ShowReadOut(core::ReadOutText(p, selection_.Start(), selection_.End()));
    else
        host_.ShowReadOut(core::ReadOutText(p, shown.a, shown.b));
    return true;
}

bool ShotWindow::ReleaseWithTool()
{
    if (!drag_) return false;
    const core::MarkDrag drag = std::move(*drag_);
    drag_.reset();
    RepaintMark(drag.Shown());
    core::ShotDocument& document = edits_->Marks();
    if (drag.Moves()) {
        RepaintPicture(document.Move(drag.Index(), drag.Offset().x, drag.Offset().y));
    } else {
        RepaintPicture(document.Place(drag.Shown()));
    }
    UpdateCommands();
    return true;
}

void ShotWindow::OnDoubleClick(core::Point p)
{
    if (host_.CurrentTool() != core::Tool::Select) return;
    const core::MarkList& marks = edits_->Marks().Marks();
    const std::optional<std::size_t> hit = marks.At(p, PressTolerance());
    if (!hit || marks[*hit].kind != core::MarkKind::Text) return;
    ChooseMark(std::nullopt);
    BeginTyping(marks[*hit].a, hit);
}

void ShotWindow::DeleteChosenMark()
{
    const std::size_t index = *chosen_;
    chosen_.reset();
    RepaintPicture(edits_->Marks().Delete(index));
    UpdateCommands();
}

// A colour or width chosen while a mark is chosen changes it.
void ShotWindow::RestyleChosenMark(bool width, std::uint32_t value)
{
    if (!chosen_ || *chosen_ >= edits_->Marks().Marks().Count()) return;
    core::MarkStyle style = edits_->Marks().Marks()[*chosen_].style;
    if (width)
        style.width = static_cast<std::int32_t>(value);
    else
        style.colour = value;
    RepaintPicture(edits_->Marks().Restyle(*chosen_, style, edits_->Glyphs()));
    UpdateCommands();
}

// Another tool: a text being typed is done, and only 選択 keeps a mark chosen.
void ShotWindow::OnToolChosen()
{
    if (typing_.IsOpen()) EndTyping();
    if (host_.CurrentTool() != core::Tool::Select) ChooseMark(std::nullopt);
    UpdateCommands();
}

void ShotWindow::BeginTyping(core::Point at, std::optional<std::size_t> retyped)
{
    const core::MarkList& marks = edits_->Marks().Marks();
    const core::MarkStyle style = retyped ? marks[*retyped].style : host_.Styles().For(core::Tool::Text);
    const std::wstring text = retyped ? Wide(marks[*retyped].text) : std::wstring();
    const POINT scroll = view_.Position();
    const core::Point window = core::PictureToWindow(at, {scroll.x, scroll.y}, zoom_);
    const int height = std::max(1, core::TextPixelHeight(style.width) * zoom_ / 100);
    typedAt_ = at;
    retyped_ = retyped;
    typing_.Open(hwnd_, {window.x, window.y}, height, ColourRef(style.colour), text);
    if (retyped) RepaintMark(marks[*retyped]);
}

// The text typed becomes a mark (or the one typed again changes); an empty one is dropped.
// The field goes only once the mark is made: when its memory cannot be had, the report shows
// and the text stays in the field, typed.
void ShotWindow::EndTyping()
{
    if (!typing_.IsOpen()) return;
    const std::wstring text = typing_.Text();
    core::ShotDocument& document = edits_->Marks();
    const core::MarkStyle style = retyped_ ? document.Marks()[*retyped_].style : host_.Styles().For(core::Tool::Text);
    core::Mark mark = core::TextMark(typedAt_, Utf16(text), {0, 0}, style);
    if (!text.empty()) core::FitText(mark, edits_->Glyphs());
    if (retyped_) RepaintMark(document.Marks()[*retyped_]);
    const core::Rect changed = retyped_ ? document.Replace(*retyped_, std::move(mark)) : document.Place(std::move(mark));
    typing_.Close();
    retyped_.reset();
    RepaintPicture(changed);
    UpdateCommands();
}

// The field stays over the place of its text as the picture scrolls under it.
void ShotWindow::FollowScroll()
{
    if (!typing_.IsOpen()) return;
    const POINT scroll = view_.Position();
    const core::Point window = core::PictureToWindow(typedAt_, {scroll.x, scroll.y}, zoom_);
    typing_.MoveTo({window.x, window.y});
}

// --- zoom ----------------------------------------------------------------------------

POINT ShotWindow::ClientCentre() const noexcept
{
    RECT client{};
    ::GetClientRect(hwnd_, &client);
    return {client.right / 2, client.bottom / 2};
}

void ShotWindow::FitScrollView()
{
    view_.Fit(hwnd_, core::ZoomedLength(pending_.width, zoom_), core::ZoomedLength(pending_.height, zoom_));
}

void ShotWindow::SetZoom(std::int32_t percent, POINT pointer)
{
    if (typing_.IsOpen()) EndTyping();
    if (percent != zoom_) {
        const POINT scroll = view_.Position();
        const core::Point kept = core::ScrollKeeping({pointer.x, pointer.y}, {scroll.x, scroll.y}, zoom_, percent);
        zoom_ = percent;
        FitScrollView();
        view_.ScrollTo(hwnd_, kept.x, kept.y);
        ::InvalidateRect(hwnd_, nullptr, FALSE);
    }
    host_.ShowZoom(core::ZoomText(zoom_));
    UpdateCommands();
}

void ShotWindow::ZoomStep(bool in, POINT pointer)
{
    const std::optional<std::int32_t> next = in ? core::ZoomIn(zoom_) : core::ZoomOut(zoom_);
    if (next) SetZoom(*next, pointer);
}

void ShotWindow::ZoomToFit()
{
    RECT client{};
    ::GetClientRect(hwnd_, &client);
    SetZoom(core::FitZoom(pending_.width, pending_.height, client.right, client.bottom), {0, 0});
}

// A notch of the wheel (or several turns of a finer wheel) is a step.
void ShotWindow::OnZoomWheel(int delta, POINT screenPointer)
{
    POINT pointer = screenPointer;
    ::ScreenToClient(hwnd_, &pointer);
    for (int notches = zoomWheel_.Add(delta); notches != 0; notches += notches > 0 ? -1 : 1)
        ZoomStep(notches > 0, pointer);
}

}  // namespace app
