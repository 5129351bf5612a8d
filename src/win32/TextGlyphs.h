#pragma once
// The glyphs of the marks' texts and numbers: the program's UI face set by GDI, smoothed in
// grey (never in colour, which would fringe over the picture), read back as coverage for the
// core to lay over the picture in the mark's colour.
#include <windows.h>

#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "core/MarkDrawing.h"
#include "win32/Handles.h"

namespace win {

// The face the marks' texts are set in, as the glyphs and the field they are typed in use it:
// the program's UI face, bold, `pixelHeight` pixels high, smoothed.
OwnedFont MakeMarkFont(int pixelHeight);

class TextGlyphs final : public core::GlyphSource {
public:
    TextGlyphs();

    core::Point Extent(std::u16string_view text, std::int32_t pixelHeight) const override;
    core::Coverage Glyphs(std::u16string_view text, std::int32_t pixelHeight, core::Rect wanted) const override;

private:
    // A text as set whole, kept for the next paints while it is small: every paint of the
    // window asks again for the same few texts.
    struct Set {
        std::u16string text;
        std::int32_t pixelHeight;
        core::Point extent;
        core::Coverage whole;  // empty when the text is too large to keep
    };
    HFONT FontOf(std::int32_t pixelHeight) const;
    const Set& SetOf(std::u16string_view text, std::int32_t pixelHeight) const;
    core::Coverage Render(std::u16string_view text, std::int32_t pixelHeight, core::Point extent, core::Rect wanted) const;

    OwnedDC dc_;
    mutable std::vector<std::pair<std::int32_t, OwnedFont>> fonts_;  // the last few sizes asked for
    mutable std::vector<Set> sets_;                                   // the last texts asked for, newest last
};

}  // namespace win
