// The mosaic hides what it covers by never reading it. Each block is coloured from the ring
// of pixels just outside the selection (the row above, the row below, the column on each
// side), weighted by the block's distance to each side; sides that lie beyond the picture
// have no say, and with no side at all the blocks are a neutral grey. The grid starts at the
// selection's top-left corner, so it too depends on nothing but where the selection is.
#include <algorithm>
#include <array>
#include <cstddef>
#include <vector>

#include "core/Edits.h"

namespace core {
namespace {

using Colour = std::array<double, 3>;  // blue, green, red

Colour Channels(std::uint32_t pixel)
{
    return {static_cast<double>(pixel & 0xFF), static_cast<double>((pixel >> 8) & 0xFF),
            static_cast<double>((pixel >> 16) & 0xFF)};
}

// The blocks' side: a sixth of the shorter side of the selection, from 8 to 64 pixels.
std::int32_t BlockSide(Rect area) { return std::clamp(std::min(area.Width(), area.Height()) / 6, 8, 64); }

// The mean colour of `count` ring pixels, `step` apart, from `first`.
Colour Mean(const std::uint32_t* first, std::int32_t count, std::ptrdiff_t step)
{
    Colour sum{};
    for (std::int32_t i = 0; i < count; ++i) {
        const Colour c = Channels(first[i * step]);
        for (size_t k = 0; k < 3; ++k)
            sum[k] += c[k];
    }
    for (double& s : sum)
        s /= count;
    return sum;
}

std::int32_t Blocks(std::int32_t length, std::int32_t block) { return (length + block - 1) / block; }

// One side of the ring, averaged over each block's span along it, into `means`.
const Colour* RingSide(const std::uint32_t* start, std::int32_t length, std::ptrdiff_t step, std::int32_t block,
                       Colour* means) noexcept
{
    for (std::int32_t at = 0, i = 0; at < length; at += block, ++i)
        means[i] = Mean(start + at * step, std::min(block, length - at), step);
    return means;
}

std::uint32_t Blend(const std::array<const Colour*, 4>& colours, const std::array<double, 4>& weights)
{
    Colour sum{};
    double total = 0;
    for (size_t i = 0; i < 4; ++i) {
        if (!colours[i]) continue;
        total += weights[i];
        for (size_t k = 0; k < 3; ++k)
            sum[k] += weights[i] * (*colours[i])[k];
    }
    if (total == 0) return kNeutralGrey;
    std::uint32_t pixel = 0;
    for (size_t k = 0; k < 3; ++k)
        pixel |= static_cast<std::uint32_t>(std::clamp(sum[k] / total + 0.5, 0.0, 255.0)) << (8 * k);
    return pixel;
}

}  // namespace

MosaicRoom MosaicRoomFor(const PixelView& picture, Rect selection)
{
    const Rect a = EditedArea(picture, selection);
    if (a.Empty()) return {};
    const std::int32_t block = BlockSide(a);
    return {std::vector<Colour>(2 * static_cast<size_t>(Blocks(a.Width(), block) + Blocks(a.Height(), block)))};
}

void Mosaic(const PixelView& picture, Rect selection)
{
    MosaicRoom room = MosaicRoomFor(picture, selection);
    Mosaic(picture, selection, room);
}

void Mosaic(const PixelView& picture, Rect selection, MosaicRoom& room) noexcept
{
    const Rect a = EditedArea(picture, selection);
    if (a.Empty()) return;
    const std::int32_t block = BlockSide(a);
    const std::int32_t across = Blocks(a.Width(), block), down = Blocks(a.Height(), block);
    if (room.means.size() != 2 * static_cast<size_t>(across + down)) return;
    const std::ptrdiff_t stride = picture.stride;
    Colour* const topRoom = room.means.data();
    Colour* const bottomRoom = topRoom + across;
    Colour* const leftRoom = bottomRoom + across;
    Colour* const rightRoom = leftRoom + down;
    // Sides beyond the picture have no colours.
    const Colour* top = a.top > 0 ? RingSide(picture.Row(a.top - 1) + a.left, a.Width(), 1, block, topRoom) : nullptr;
    const Colour* bottom =
        a.bottom < picture.height ? RingSide(picture.Row(a.bottom) + a.left, a.Width(), 1, block, bottomRoom) : nullptr;
    const Colour* left =
        a.left > 0 ? RingSide(picture.Row(a.top) + a.left - 1, a.Height(), stride, block, leftRoom) : nullptr;
    const Colour* right = a.right < picture.width
                              ? RingSide(picture.Row(a.top) + a.right, a.Height(), stride, block, rightRoom)
                              : nullptr;

    const auto at = [](const Colour* side, size_t i) { return side ? side + i : nullptr; };
    for (std::int32_t y = 0, row = 0; y < a.Height(); y += block, ++row) {
        const std::int32_t h = std::min(block, a.Height() - y);
        const double fromTop = y + h / 2.0 + 0.5, fromBottom = a.Height() - y - h / 2.0 + 0.5;
        for (std::int32_t x = 0, column = 0; x < a.Width(); x += block, ++column) {
            const std::int32_t w = std::min(block, a.Width() - x);
            const double fromLeft = x + w / 2.0 + 0.5, fromRight = a.Width() - x - w / 2.0 + 0.5;
            const auto c = static_cast<size_t>(column), r = static_cast<size_t>(row);
            const std::uint32_t colour = Blend({at(top, c), at(bottom, c), at(left, r), at(right, r)},
                                               {1 / fromTop, 1 / fromBottom, 1 / fromLeft, 1 / fromRight});
            FillRect(picture, {a.left + x, a.top + y, a.left + x + w, a.top + y + h}, colour);
        }
    }
}

}  // namespace core
