#pragma once
// A stand-in for the platform's text: every character a solid cell half as wide as the face is
// high, lines `pixelHeight` apart; it counts its calls and can be told to fail.
#include <algorithm>
#include <cstdint>
#include <stdexcept>
#include <string_view>

#include "core/MarkDrawing.h"

namespace marktest {

class BlockGlyphs : public core::GlyphSource {
public:
    core::Point Extent(std::u16string_view text, std::int32_t pixelHeight) const override
    {
        std::int32_t lines = 1, longest = 0, current = 0;
        for (const char16_t c : text) {
            if (c == u'\n') {
                ++lines;
                current = 0;
            } else {
                longest = std::max(longest, ++current);
            }
        }
        return {longest * (pixelHeight / 2), lines * pixelHeight};
    }

    core::Coverage Glyphs(std::u16string_view text, std::int32_t pixelHeight, core::Rect wanted) const override
    {
        ++calls;
        if (fail) throw std::runtime_error("no glyphs");
        const core::Point extent = Extent(text, pixelHeight);
        core::Coverage coverage{core::Intersect(wanted, {0, 0, extent.x, extent.y}), {}};
        coverage.alpha.assign(static_cast<size_t>(coverage.area.Width()) * static_cast<size_t>(coverage.area.Height()), 255);
        return coverage;
    }

    mutable int calls = 0;
    bool fail = false;
};

}  // namespace marktest
