#pragma once
// A long document for the scrolling tests, kept as plain rows, and the views of it a window
// would show: a sticky header and footer over a window of the content at a scroll position.
#include <cstdint>
#include <random>
#include <vector>

#include "core/PixelView.h"

namespace scrolltest {

struct Rows {
    std::int32_t width = 0, height = 0;
    std::vector<std::uint32_t> pixels;

    Rows(std::int32_t w, std::int32_t h) : width(w), height(h), pixels(static_cast<size_t>(w) * static_cast<size_t>(h))
    {
    }
    std::uint32_t* Row(std::int32_t y) { return pixels.data() + static_cast<size_t>(y) * static_cast<size_t>(width); }
    const std::uint32_t* Row(std::int32_t y) const
    {
        return pixels.data() + static_cast<size_t>(y) * static_cast<size_t>(width);
    }
    std::uint32_t& At(std::int32_t x, std::int32_t y) { return Row(y)[x]; }
    // A view with spare pixels after each row would hide nothing here: the rows are copied.
    core::PixelView View() { return {pixels.empty() ? nullptr : pixels.data(), width, height, width}; }
    void FillRow(std::int32_t y, std::uint32_t colour)
    {
        for (std::int32_t x = 0; x < width; ++x)
            At(x, y) = colour;
    }
    bool operator==(const Rows&) const = default;
};

inline Rows RandomRows(std::mt19937& random, std::int32_t width, std::int32_t height)
{
    Rows rows(width, height);
    std::uniform_int_distribution<std::uint32_t> colour(0, 0xFFFFFF);
    for (std::uint32_t& p : rows.pixels)
        p = colour(random);
    return rows;
}

// Rows of a few stripes that repeat every `period` rows, like a table of empty cells.
inline Rows PeriodicRows(std::int32_t width, std::int32_t height, std::int32_t period)
{
    Rows rows(width, height);
    for (std::int32_t y = 0; y < height; ++y)
        rows.FillRow(y, y % period == 0 ? 0x202020 : 0xF0F0F0);
    return rows;
}

// What a window shows: `header` rows, then the content from `scroll` on, then `footer` rows,
// `height` rows in all; past the content's end the background.
struct Window {
    const Rows* content;
    const Rows* header = nullptr;
    const Rows* footer = nullptr;
    std::int32_t height = 0;
    std::uint32_t background = 0xFFFFFF;

    std::int32_t HeaderRows() const { return header ? header->height : 0; }
    std::int32_t FooterRows() const { return footer ? footer->height : 0; }
    std::int32_t ContentRows() const { return height - HeaderRows() - FooterRows(); }

    Rows At(std::int32_t scroll) const
    {
        Rows view(content->width, height);
        for (std::int32_t y = 0; y < height; ++y) {
            const std::int32_t c = y - HeaderRows() + scroll;
            if (y < HeaderRows()) {
                std::copy_n(header->Row(y), view.width, view.Row(y));
            } else if (y >= height - FooterRows()) {
                std::copy_n(footer->Row(y - (height - FooterRows())), view.width, view.Row(y));
            } else if (c < content->height) {
                std::copy_n(content->Row(c), view.width, view.Row(y));
            } else {
                view.FillRow(y, background);
            }
        }
        return view;
    }

    // The whole document as one picture: the header, all the content (at least a window's
    // worth), the footer.
    Rows Whole() const
    {
        const std::int32_t contentRows = std::max(content->height, ContentRows());
        Rows whole(content->width, HeaderRows() + contentRows + FooterRows());
        for (std::int32_t y = 0; y < whole.height; ++y) {
            const std::int32_t c = y - HeaderRows();
            if (y < HeaderRows()) {
                std::copy_n(header->Row(y), whole.width, whole.Row(y));
            } else if (c >= contentRows) {
                std::copy_n(footer->Row(c - contentRows), whole.width, whole.Row(y));
            } else if (c < content->height) {
                std::copy_n(content->Row(c), whole.width, whole.Row(y));
            } else {
                whole.FillRow(y, background);
            }
        }
        return whole;
    }
};

// The first `rows` rows of a picture.
inline Rows Top(const Rows& picture, std::int32_t rows)
{
    Rows top(picture.width, rows);
    std::copy_n(picture.pixels.begin(), top.pixels.size(), top.pixels.begin());
    return top;
}

}  // namespace scrolltest
