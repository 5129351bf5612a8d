#include "win32/TextGlyphs.h"

#include <algorithm>

#include "win32/ErrorReport.h"

namespace win {
namespace {

constexpr UINT kLayout = DT_NOPREFIX | DT_EXPANDTABS | DT_NOCLIP;
constexpr std::size_t kFontsKept = 6;
constexpr std::size_t kSetsKept = 512;
constexpr std::int64_t kLargestKept = 512 * 1024;  // pixels of one text's coverage

// The core's UTF-16 is the system's.
const wchar_t* Wide(std::u16string_view text) { return reinterpret_cast<const wchar_t*>(text.data()); }
int Length(std::u16string_view text) { return static_cast<int>(std::min<std::size_t>(text.size(), INT32_MAX)); }

}  // namespace

OwnedFont MakeMarkFont(int pixelHeight)
{
    LOGFONTW lf{};
    lf.lfHeight = -pixelHeight;
    lf.lfWeight = FW_BOLD;
    lf.lfCharSet = SHIFTJIS_CHARSET;
    lf.lfQuality = ANTIALIASED_QUALITY;
    lstrcpynW(lf.lfFaceName, L"ＭＳ Ｐゴシック", LF_FACESIZE);
    return OwnedFont(ThrowLastErrorIfNull(::CreateFontIndirectW(&lf)));
}

TextGlyphs::TextGlyphs() : dc_(ThrowLastErrorIfNull(::CreateCompatibleDC(nullptr))) {}

HFONT TextGlyphs::FontOf(std::int32_t pixelHeight) const
{
    for (const auto& [height, font] : fonts_)
        if (height == pixelHeight) return font.get();
    OwnedFont font = MakeMarkFont(pixelHeight);
    if (fonts_.size() >= kFontsKept) fonts_.erase(fonts_.begin());
    fonts_.emplace_back(pixelHeight, std::move(font));
    return fonts_.back().second.get();
}

const TextGlyphs::Set& TextGlyphs::SetOf(std::u16string_view text, std::int32_t pixelHeight) const
{
    for (auto set = sets_.rbegin(); set != sets_.rend(); ++set)
        if (set->pixelHeight == pixelHeight && set->text == text) return *set;
    Set set{std::u16string(text), pixelHeight, {0, 0}, {}};
    {
        SelectedObject font(dc_.get(), FontOf(pixelHeight));
        RECT r{0, 0, 0, 0};
        ::DrawTextW(dc_.get(), Wide(text), Length(text), &r, kLayout | DT_CALCRECT);
        set.extent = {r.right - r.left, r.bottom - r.top};
    }
    if (std::int64_t{set.extent.x} * set.extent.y <= kLargestKept)
        set.whole = Render(text, pixelHeight, set.extent, {0, 0, set.extent.x, set.extent.y});
    if (sets_.size() >= kSetsKept) sets_.erase(sets_.begin());
    sets_.push_back(std::move(set));
    return sets_.back();
}

core::Point TextGlyphs::Extent(std::u16string_view text, std::int32_t pixelHeight) const
{
    return SetOf(text, pixelHeight).extent;
}

core::Coverage TextGlyphs::Glyphs(std::u16string_view text, std::int32_t pixelHeight, core::Rect wanted) const
{
    const Set& set = SetOf(text, pixelHeight);
    const core::Rect area = core::Intersect(wanted, {0, 0, set.extent.x, set.extent.y});
    if (area.Empty()) return {};
    if (set.whole.area.Empty()) return Render(text, pixelHeight, set.extent, area);
    core::Coverage part{area, {}};
    part.alpha.resize(static_cast<std::size_t>(area.Width()) * static_cast<std::size_t>(area.Height()));
    for (int y = area.top; y < area.bottom; ++y)
        std::copy_n(set.whole.alpha.data() + static_cast<std::size_t>(y) * set.extent.x + area.left, area.Width(),
                    part.alpha.data() + static_cast<std::size_t>(y - area.top) * area.Width());
    return part;
}

// White text on black in a grey-smoothed DIB: any one channel is the coverage.
core::Coverage TextGlyphs::Render(std::u16string_view text, std::int32_t pixelHeight, core::Point extent,
                                  core::Rect wanted) const
{
    core::Coverage coverage{core::Intersect(wanted, {0, 0, extent.x, extent.y}), {}};
    const int width = coverage.area.Width(), height = coverage.area.Height();
    if (coverage.area.Empty()) return {};
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB};
    void* bits = nullptr;
    OwnedBitmap bitmap(ThrowLastErrorIfNull(::CreateDIBSection(dc_.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0)));
    {
        SelectedObject into(dc_.get(), bitmap.get());
        SelectedObject font(dc_.get(), FontOf(pixelHeight));
        ::PatBlt(dc_.get(), 0, 0, width, height, BLACKNESS);
        ::SetBkMode(dc_.get(), TRANSPARENT);
        ::SetTextColor(dc_.get(), RGB(255, 255, 255));
        RECT r{-coverage.area.left, -coverage.area.top, extent.x - coverage.area.left, extent.y - coverage.area.top};
        ::DrawTextW(dc_.get(), Wide(text), Length(text), &r, kLayout);
        ::GdiFlush();
    }
    coverage.alpha.resize(static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
    const auto* pixels = static_cast<const std::uint32_t*>(bits);
    for (std::size_t i = 0; i < coverage.alpha.size(); ++i)
        coverage.alpha[i] = static_cast<std::uint8_t>((pixels[i] >> 8) & 0xFF);
    return coverage;
}

}  // namespace win
