// The version box, opened from the main window's menu command and driven from inside its
// modal loop.
#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "DialogDriver.h"
#include "WinTest.h"
#include "app/AboutBox.h"
#include "resource.h"

using namespace wintest;

namespace {

struct Box {
    HWND window, icon, name, version, rights, producer, ok;
    explicit Box(HWND box)
        : window(box),
          icon(FindChild(box, L"Static", L"")),
          name(FindChild(box, L"Static", L"Pixtrove!")),
          version(FindChild(box, L"Static", L"Version. 2.0.0.5")),
          rights(FindChild(box, L"Static", L"Copyright (C) 2026 Kvn. All rights reserved.")),
          producer(FindChild(box, L"Static", L"Produced by Kvn")),
          ok(FindChild(box, L"Button", L"OK"))
    {
    }
    bool Complete() const
    {
        for (HWND h : {window, icon, name, version, rights, producer, ok})
            if (!h) return false;
        return true;
    }
    bool Open() const { return ::IsWindow(window) && ::IsWindowVisible(window); }
};

LOGFONTW FontOf(HWND control)
{
    LOGFONTW font{};
    ::GetObjectW(reinterpret_cast<HFONT>(::SendMessageW(control, WM_GETFONT, 0, 0)), sizeof(font), &font);
    return font;
}

// The size of a label's text in the label's own font.
SIZE TextSize(HWND label)
{
    const std::wstring text = WindowText(label);
    HDC dc = ::GetDC(label);
    const HGDIOBJ old = ::SelectObject(dc, reinterpret_cast<HFONT>(::SendMessageW(label, WM_GETFONT, 0, 0)));
    SIZE size{};
    ::GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
    ::SelectObject(dc, old);
    ::ReleaseDC(label, dc);
    return size;
}

COLORREF PixelAt(HWND window, int x, int y)
{
    POINT p{x, y};
    ::ClientToScreen(window, &p);
    HDC screen = ::GetDC(nullptr);
    const COLORREF colour = ::GetPixel(screen, p.x, p.y);
    ::ReleaseDC(nullptr, screen);
    return colour;
}

class About : public ::testing::Test {
protected:
    ScratchRegistry registry;
    ErrorReports reports;
    Program program;
    app::MainFrame& main = program.main;

    void RunBox(const std::function<void(Script&, const Box&)>& body)
    {
        RunInBox<Box>(main.hwnd(), IDM_ABOUT, L"TfrmAbout", body);
        EXPECT_TRUE(reports.texts().empty());
    }
};

TEST_F(About, ShowsTheNameTheVersionTheRightsAndTheProducerWithTheFocusOnOk)
{
    RunBox([&](Script&, const Box& b) {
        EXPECT_EQ(WindowText(b.window), L"ﾊﾞｰｼﾞｮﾝ情報");
        EXPECT_EQ(::GetWindow(b.window, GW_OWNER), main.hwnd());
        EXPECT_FALSE(::IsWindowEnabled(main.hwnd()));
        EXPECT_EQ(::GetFocus(), b.ok);
        EXPECT_TRUE(::GetWindowLongPtrW(b.ok, GWL_STYLE) & BS_DEFPUSHBUTTON);
        EXPECT_TRUE(::GetWindowLongPtrW(b.window, GWL_EXSTYLE) & WS_EX_TOPMOST);
        EXPECT_FALSE(::GetWindowLongPtrW(b.window, GWL_STYLE) & (WS_SYSMENU | WS_THICKFRAME));
        const HICON icon = reinterpret_cast<HICON>(::SendMessageW(b.icon, STM_GETICON, 0, 0));
        EXPECT_NE(icon, nullptr);
        PressKey(VK_RETURN);
    });
}

TEST_F(About, IsLaidOutToThePixelAt96Dpi)
{
    RunBox([&](Script&, const Box& b) {
        ASSERT_EQ(::GetDpiForWindow(b.window), 96u);
        const RECT client = ClientSize(b.window);
        EXPECT_EQ(client.right, 250);
        EXPECT_EQ(client.bottom, 140);

        const struct {
            HWND control;
            POINT at;
        } labels[] = {{b.name, {103, 8}}, {b.version, {106, 32}}, {b.rights, {11, 60}}, {b.producer, {49, 80}}};
        for (const auto& l : labels) {
            const RECT r = RectInParent(l.control);
            const SIZE text = TextSize(l.control);
            EXPECT_EQ(r.left, l.at.x) << WindowText(l.control);
            EXPECT_EQ(r.top, l.at.y) << WindowText(l.control);
            EXPECT_EQ(r.right - r.left, text.cx) << WindowText(l.control);
            EXPECT_EQ(r.bottom - r.top, text.cy) << WindowText(l.control);
        }
        const RECT icon = RectInParent(b.icon);
        EXPECT_EQ(icon.left, 59);
        EXPECT_EQ(icon.top, 12);
        EXPECT_EQ(icon.right - icon.left, 32);
        EXPECT_EQ(icon.bottom - icon.top, 32);
        const RECT ok = RectInParent(b.ok);
        EXPECT_EQ(ok.left, 87);
        EXPECT_EQ(ok.top, 105);
        EXPECT_EQ(ok.right - ok.left, 75);
        EXPECT_EQ(ok.bottom - ok.top, 25);

        for (HWND control : {b.version, b.rights, b.producer, b.ok}) {
            const LOGFONTW font = FontOf(control);
            EXPECT_STREQ(font.lfFaceName, L"Arial");
            EXPECT_EQ(font.lfHeight, -12);
            EXPECT_EQ(font.lfCharSet, ANSI_CHARSET);
        }
        const LOGFONTW name = FontOf(b.name);
        EXPECT_STREQ(name.lfFaceName, L"Tahoma");
        EXPECT_EQ(name.lfHeight, -16);

        // Centred over the main window.
        const POINT boxCentre = CentreOf(b.window), mainCentre = CentreOf(main.hwnd());
        EXPECT_LE(std::abs(boxCentre.x - mainCentre.x), 1);
        EXPECT_LE(std::abs(boxCentre.y - mainCentre.y), 1);
        PressKey(VK_RETURN);
    });
}

// The top 53 pixels are a white panel whose edge is sunk: shadow above and left, light below and right.
TEST_F(About, DrawsAWhitePanelWithALoweredEdgeAboveTheFace)
{
    RunBox([&](Script& s, const Box& b) {
        s.Settle();
        const COLORREF white = RGB(255, 255, 255);
        EXPECT_EQ(PixelAt(b.window, 5, 5), white);
        EXPECT_EQ(PixelAt(b.window, 240, 45), white);
        EXPECT_EQ(PixelAt(b.window, 104, 35), white) << "the version label is on white";
        EXPECT_EQ(PixelAt(b.window, 0, 20), ::GetSysColor(COLOR_BTNSHADOW));
        EXPECT_EQ(PixelAt(b.window, 120, 0), ::GetSysColor(COLOR_BTNSHADOW));
        EXPECT_EQ(PixelAt(b.window, 249, 20), ::GetSysColor(COLOR_BTNHIGHLIGHT));
        EXPECT_EQ(PixelAt(b.window, 120, 52), ::GetSysColor(COLOR_BTNHIGHLIGHT));
        EXPECT_EQ(PixelAt(b.window, 120, 54), ::GetSysColor(COLOR_BTNFACE));
        EXPECT_EQ(PixelAt(b.window, 5, 135), ::GetSysColor(COLOR_BTNFACE));
        PressKey(VK_RETURN);
    });
}

TEST_F(About, ClosesWithAClickOnOkOrSpaceButNotWithEsc)
{
    RunBox([&](Script&, const Box& b) { ClickAt(CentreOf(b.ok)); });
    RunBox([&](Script&, const Box&) { PressKey(VK_SPACE); });
    RunBox([&](Script& s, const Box& b) {
        PressKey(VK_ESCAPE);
        s.Settle();
        EXPECT_TRUE(b.Open());
        PressKey(VK_RETURN);
    });
}

TEST_F(About, StaysAboveAnotherWindowBroughtToTheFront)
{
    RunBox([&](Script& s, const Box& b) {
        const HWND other = ::CreateWindowExW(0, L"Static", L"another program", WS_POPUP | WS_VISIBLE | WS_BORDER, 0, 0,
                                             1280, 1024, nullptr, nullptr, nullptr, nullptr);
        ASSERT_NE(other, nullptr);
        ::SetWindowPos(other, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
        ::SetForegroundWindow(other);
        s.Settle();
        // Labels let the pointer through to the box; the button takes it.
        EXPECT_EQ(::GetAncestor(::WindowFromPoint(CentreOf(b.name)), GA_ROOT), b.window);
        EXPECT_EQ(::GetAncestor(::WindowFromPoint(CentreOf(b.version)), GA_ROOT), b.window);
        EXPECT_EQ(::WindowFromPoint(CentreOf(b.ok)), b.ok);
        ::DestroyWindow(other);
        s.Settle();
        ::SetForegroundWindow(b.window);
        s.WaitUntil([&] { return ::GetFocus() == b.ok; });
        PressKey(VK_RETURN);
    });
}

}  // namespace
