#include "win32/Dpi.h"

#include "win32/ErrorReport.h"

namespace win {

UINT DpiOf(HWND hwnd) noexcept
{
    const UINT dpi = hwnd ? ::GetDpiForWindow(hwnd) : 0;
    return dpi ? dpi : ::GetDpiForSystem();
}

OwnedFont MakeFont(const wchar_t* face, int height96, BYTE charset, UINT dpi, int weight)
{
    LOGFONTW lf{};
    lf.lfHeight = Scale(height96, dpi);
    lf.lfWeight = weight;
    lf.lfCharSet = charset;
    lf.lfQuality = DEFAULT_QUALITY;
    lstrcpynW(lf.lfFaceName, face, LF_FACESIZE);
    OwnedFont font(ThrowLastErrorIfNull(::CreateFontIndirectW(&lf)));
    return font;
}

void MoveToSuggestedRect(HWND hwnd, LPARAM suggested) noexcept
{
    const RECT& r = *reinterpret_cast<const RECT*>(suggested);
    ::SetWindowPos(hwnd, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top, SWP_NOZORDER | SWP_NOACTIVATE);
}

OwnedFont MakeUiFont(UINT dpi) { return MakeFont(L"ＭＳ Ｐゴシック", -12, SHIFTJIS_CHARSET, dpi); }

}  // namespace win
