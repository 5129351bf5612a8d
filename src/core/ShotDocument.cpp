// The pixel steps live in an EditHistory of their own, in the same order as the steps here
// that have pixels: undoing such a step undoes the newest applied one there, redoing it
// redoes the first that could be redone. A new step here without pixels drops that history's
// redo steps too, so both always agree.
#include "core/ShotDocument.h"

#include <utility>

namespace core {
namespace {

Rect Enclosing(Rect a, Rect b)
{
    if (a.Empty()) return b;
    if (b.Empty()) return a;
    return {std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right), std::max(a.bottom, b.bottom)};
}

std::size_t BytesOf(const Mark& mark) { return sizeof(Mark) + mark.text.capacity() * sizeof(char16_t); }

// Hiding a selection hides the marks over it too; a red frame is drawn over them.
bool Hides(Edit edit) { return edit == Edit::BlackOut || edit == Edit::Mosaic; }

}  // namespace

ShotDocument::ShotDocument(std::size_t limitBytes, std::vector<Mark> marks)
    : marks_(std::move(marks)), pixels_(limitBytes), limitBytes_(limitBytes)
{
}

Rect ShotDocument::Single(Change::Kind kind, std::size_t index, Mark mark, Rect area)
{
    Step step;
    step.bytes = sizeof(Step) + sizeof(Change) + BytesOf(mark);
    step.area = area;
    step.changes.push_back({kind, index, std::move(mark)});
    steps_.reserve(done_ + 1);
    return Record(std::move(step));
}

Rect ShotDocument::Place(Mark mark)
{
    if (!Places(mark)) return {};
    marks_.Reserve(marks_.Count() + 1);
    const Rect area = MarkBounds(mark);
    return Single(Change::Kind::Placed, marks_.Count(), std::move(mark), area);
}

Rect ShotDocument::Replace(std::size_t index, Mark mark)
{
    if (index >= marks_.Count() || mark == marks_[index]) return {};
    if (!Places(mark)) return Delete(index);
    const Rect area = Enclosing(MarkBounds(marks_[index]), MarkBounds(mark));
    return Single(Change::Kind::Changed, index, std::move(mark), area);
}

Rect ShotDocument::Move(std::size_t index, std::int32_t dx, std::int32_t dy)
{
    if (index >= marks_.Count()) return {};
    return Replace(index, Moved(marks_[index], dx, dy));
}

Rect ShotDocument::Restyle(std::size_t index, MarkStyle style, const GlyphSource& glyphs)
{
    if (index >= marks_.Count()) return {};
    Mark mark = marks_[index];
    mark.style = style;
    if (mark.kind == MarkKind::Text) FitText(mark, glyphs);
    return Replace(index, std::move(mark));
}

Rect ShotDocument::Delete(std::size_t index)
{
    if (index >= marks_.Count()) return {};
    return Single(Change::Kind::Removed, index, Mark{}, MarkBounds(marks_[index]));
}

Rect ShotDocument::ApplyEdit(Edit edit, Rect selection, const PixelView& picture, const GlyphSource& glyphs)
{
    const Rect edited = EditedArea(picture, selection);
    if (edited.Empty()) return {};
    const ViewTransform view{1, {0, 0}, picture.width, picture.height};
    Step step;
    step.pixels = true;
    step.bytes = sizeof(Step);
    Rect changed = edited;
    std::vector<MarkGlyphs> shown;
    if (Hides(edit)) {
        // Removed from the last to the first, so that each index still holds when it goes and
        // undoing puts each back where it was.
        for (std::size_t i = marks_.Count(); i-- > 0;) {
            if (!Touches(marks_[i], edited)) continue;
            const Rect bounds = MarkBounds(marks_[i]);
            step.changes.push_back({Change::Kind::Removed, i, Mark{}});
            step.bytes += sizeof(Change) + BytesOf(marks_[i]);
            changed = Enclosing(changed, Intersect(bounds, picture.Bounds()));
        }
        shown.reserve(step.changes.size());
        for (auto change = step.changes.rbegin(); change != step.changes.rend(); ++change)
            shown.push_back(GlyphsFor(marks_[change->index], view, changed, glyphs));
    }
    step.area = changed;
    steps_.reserve(done_ + 1);
    MosaicRoom room = edit == Edit::Mosaic ? MosaicRoomFor(picture, selection) : MosaicRoom{};
    EditStep pixels = pixels_.Prepare(changed);  // the last thing that can fail
    pixels_.Record(std::move(pixels), picture);
    // Drawn in the order they lay, only over the pixels the step keeps.
    std::size_t k = 0;
    for (auto change = step.changes.rbegin(); change != step.changes.rend(); ++change, ++k)
        DrawMark(picture, view, changed, marks_[change->index], shown[k]);
    core::ApplyEdit(edit, picture, selection, room);
    return Record(std::move(step));
}

void ShotDocument::Forward(Step& step) noexcept
{
    for (Change& change : step.changes) {
        switch (change.kind) {
            case Change::Kind::Placed: marks_.Insert(change.index, std::move(change.mark)); break;
            case Change::Kind::Changed: marks_.Exchange(change.index, change.mark); break;
            case Change::Kind::Removed: marks_.Remove(change.index, change.mark); break;
        }
    }
}

void ShotDocument::Backward(Step& step) noexcept
{
    for (auto change = step.changes.rbegin(); change != step.changes.rend(); ++change) {
        switch (change->kind) {
            case Change::Kind::Placed: marks_.Remove(change->index, change->mark); break;
            case Change::Kind::Changed: marks_.Exchange(change->index, change->mark); break;
            case Change::Kind::Removed: marks_.Insert(change->index, std::move(change->mark)); break;
        }
    }
}

void ShotDocument::ForgetRedo() noexcept
{
    for (std::size_t i = done_; i < steps_.size(); ++i)
        markBytes_ -= steps_[i].bytes;
    steps_.erase(steps_.begin() + static_cast<std::ptrdiff_t>(done_), steps_.end());
}

void ShotDocument::DropOldest() noexcept
{
    if (steps_.front().pixels) pixels_.DropOldest();
    markBytes_ -= steps_.front().bytes;
    steps_.erase(steps_.begin());
    --done_;
}

// The pixels of a step with pixels are already recorded in pixels_ (which dropped its own redo
// steps and, past its bound, its oldest); the steps here follow.
Rect ShotDocument::Record(Step step) noexcept
{
    if (!step.pixels) pixels_.ForgetRedo();
    ForgetRedo();
    Forward(step);
    const Rect area = step.area;
    markBytes_ += step.bytes;
    pixelRevision_ += step.pixels ? 1 : 0;
    steps_.push_back(std::move(step));
    done_ = steps_.size();
    ++revision_;
    std::size_t withPixels = 0;
    for (const Step& kept : steps_)
        withPixels += kept.pixels ? 1 : 0;
    while (withPixels > pixels_.UndoCount()) {
        withPixels -= steps_.front().pixels ? 1 : 0;
        // pixels_ has let its step go already.
        markBytes_ -= steps_.front().bytes;
        steps_.erase(steps_.begin());
        --done_;
    }
    while (markBytes_ > limitBytes_ && steps_.size() > 1)
        DropOldest();
    return area;
}

Rect ShotDocument::Undo(const PixelView& picture) noexcept
{
    if (!CanUndo()) return {};
    Step& step = steps_[--done_];
    ++revision_;
    pixelRevision_ += step.pixels ? 1 : 0;
    Backward(step);
    if (step.pixels) pixels_.Undo(picture);
    return step.area;
}

Rect ShotDocument::Redo(const PixelView& picture) noexcept
{
    if (!CanRedo()) return {};
    Step& step = steps_[done_++];
    ++revision_;
    pixelRevision_ += step.pixels ? 1 : 0;
    if (step.pixels) pixels_.Redo(picture);
    Forward(step);
    return step.area;
}

}  // namespace core
