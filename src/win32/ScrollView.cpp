#include "win32/ScrollView.h"

#include <algorithm>

namespace win {
namespace {

constexpr int kLineStep = 16;
constexpr int kWheelStep = 48;

}  // namespace

void ScrollView::Fit(HWND hwnd, int contentWidth, int contentHeight)
{
    contentWidth_ = contentWidth;
    contentHeight_ = contentHeight;
    // Showing one bar narrows the client area and may call for the other: settle in two rounds.
    for (int round = 0; round < 2; ++round) {
        RECT client{};
        ::GetClientRect(hwnd, &client);
        SCROLLINFO si{sizeof(si), SIF_RANGE | SIF_PAGE | SIF_POS};
        si.nMax = contentWidth_ - 1;
        si.nPage = static_cast<UINT>(client.right);
        si.nPos = position_.x;
        ::SetScrollInfo(hwnd, SB_HORZ, &si, TRUE);
        si.nMax = contentHeight_ - 1;
        si.nPage = static_cast<UINT>(client.bottom);
        si.nPos = position_.y;
        ::SetScrollInfo(hwnd, SB_VERT, &si, TRUE);
    }
    ScrollTo(hwnd, position_.x, position_.y);
}

void ScrollView::ScrollTo(HWND hwnd, int x, int y)
{
    RECT client{};
    ::GetClientRect(hwnd, &client);
    x = std::clamp<int>(x, 0, std::max<int>(0, contentWidth_ - client.right));
    y = std::clamp<int>(y, 0, std::max<int>(0, contentHeight_ - client.bottom));
    if (x == position_.x && y == position_.y) return;
    position_ = {x, y};
    ::InvalidateRect(hwnd, nullptr, FALSE);
    ::SetScrollPos(hwnd, SB_HORZ, x, TRUE);
    ::SetScrollPos(hwnd, SB_VERT, y, TRUE);
}

void ScrollView::OnScroll(HWND hwnd, int bar, WORD request)
{
    SCROLLINFO si{sizeof(si), SIF_ALL};
    ::GetScrollInfo(hwnd, bar, &si);
    int pos = si.nPos;
    const int page = static_cast<int>(si.nPage);
    switch (request) {
        case SB_LINEUP: pos -= kLineStep; break;
        case SB_LINEDOWN: pos += kLineStep; break;
        case SB_PAGEUP: pos -= page; break;
        case SB_PAGEDOWN: pos += page; break;
        case SB_THUMBTRACK:
        case SB_THUMBPOSITION: pos = si.nTrackPos; break;
        case SB_TOP: pos = si.nMin; break;
        case SB_BOTTOM: pos = si.nMax; break;
        default: return;
    }
    if (bar == SB_HORZ)
        ScrollTo(hwnd, pos, position_.y);
    else
        ScrollTo(hwnd, position_.x, pos);
}

void ScrollView::OnWheel(HWND hwnd, int delta)
{
    ScrollTo(hwnd, position_.x, position_.y - delta * kWheelStep / WHEEL_DELTA);
}

}  // namespace win
