// A new shot from the clipboard: each picture format another program may put there, which of
// them comes first, files copied in Explorer, and a clipboard with no picture or a broken one.
#include <gtest/gtest.h>

#include <wincodec.h>

#include <cstring>
#include <utility>

#include "OpenSupport.h"

using namespace wintest;

namespace {

HGLOBAL Block(const void* data, size_t size)
{
    const HGLOBAL block = ::GlobalAlloc(GMEM_MOVEABLE, size);
    std::memcpy(::GlobalLock(block), data, size);
    ::GlobalUnlock(block);
    return block;
}

// A CF_DIB: a 40-byte header, then 32-bit rows from the bottom (the fourth byte unused).
HGLOBAL Dib(const Frame& f)
{
    BITMAPINFOHEADER header{sizeof(header), f.width, f.height, 1, 32, BI_RGB};
    std::vector<char> bytes(reinterpret_cast<char*>(&header), reinterpret_cast<char*>(&header + 1));
    for (int y = f.height - 1; y >= 0; --y)
        for (int x = 0; x < f.width; ++x) {
            const std::uint32_t v = f.values[static_cast<size_t>(y * f.width + x)] & 0x00FFFFFFu;
            bytes.insert(bytes.end(), reinterpret_cast<const char*>(&v), reinterpret_cast<const char*>(&v + 1));
        }
    return Block(bytes.data(), bytes.size());
}

// A CF_DIBV5 with straight alpha in the fourth byte, which its masks name.
HGLOBAL DibV5(const Frame& f)
{
    BITMAPV5HEADER header{};
    header.bV5Size = sizeof(header);
    header.bV5Width = f.width;
    header.bV5Height = -f.height;  // rows from the top
    header.bV5Planes = 1;
    header.bV5BitCount = 32;
    header.bV5Compression = BI_BITFIELDS;
    header.bV5RedMask = 0x00FF0000;
    header.bV5GreenMask = 0x0000FF00;
    header.bV5BlueMask = 0x000000FF;
    header.bV5AlphaMask = 0xFF000000;
    header.bV5CSType = 0x73524742;  // LCS_sRGB, "sRGB"
    header.bV5SizeImage = static_cast<DWORD>(f.values.size() * 4);
    std::vector<char> bytes(reinterpret_cast<char*>(&header), reinterpret_cast<char*>(&header + 1));
    bytes.insert(bytes.end(), reinterpret_cast<const char*>(f.values.data()),
                 reinterpret_cast<const char*>(f.values.data() + f.values.size()));
    return Block(bytes.data(), bytes.size());
}

HGLOBAL Png(const Frame& f)
{
    const std::vector<char> file = EncodedFile(GUID_ContainerFormatPng, {f});
    return Block(file.data(), file.size());
}

HBITMAP Bitmap(const Frame& f)
{
    win::WindowDC screen(nullptr);
    const HBITMAP bitmap = ::CreateCompatibleBitmap(screen.get(), f.width, f.height);
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), f.width, -f.height, 1, 32, BI_RGB};
    ::SetDIBits(screen.get(), bitmap, 0, static_cast<UINT>(f.height), f.values.data(), &info, DIB_RGB_COLORS);
    return bitmap;
}

UINT PngFormat() { return ::RegisterClipboardFormatW(L"PNG"); }

// Empties the clipboard and puts each format there, as another program would.
void PutOnClipboard(const std::vector<std::pair<UINT, HANDLE>>& formats)
{
    ASSERT_TRUE(OpenClipboardSoon(nullptr));
    ::EmptyClipboard();
    for (const auto& [format, data] : formats) EXPECT_NE(::SetClipboardData(format, data), nullptr) << format;
    ::CloseClipboard();
}

class PasteNew : public OpenTest {
protected:
    void Paste()
    {
        const size_t before = Shots(program.main).size() + reports.texts().size();
        ::SendMessageW(program.main.hwnd(), WM_COMMAND, IDM_PASTE_NEW, 0);
        PumpUntil([&] { return Shots(program.main).size() + reports.texts().size() > before; }, 2000);
    }
    app::ShotWindow* Newest() const
    {
        const auto shots = Shots(program.main);
        return shots.empty() ? nullptr : shots.front();
    }
};

// The shot is captioned as a capture, with the next number.
TEST_F(PasteNew, EachPictureFormatBecomesANewShotCaptionedLikeACapture)
{
    const Frame pattern = PatternFrame(21, 13);
    Frame seeThrough = FlatFrame(3, 1, 0);
    seeThrough.values = {0x00FF0000, 0x80000000, 0xFF0000FF};
    const struct {
        const char* name;
        std::vector<std::pair<UINT, HANDLE>> formats;
        Pixels expected;
    } cases[] = {
        {"PNG", {{PngFormat(), Png(pattern)}}, OverWhite(pattern)},
        {"CF_DIBV5 with alpha", {{CF_DIBV5, DibV5(seeThrough)}}, {3, 1, {0xFFFFFF, 0x7F7F7F, 0x0000FF}}},
        {"CF_DIB", {{CF_DIB, Dib(pattern)}}, OverWhite(pattern)},
        {"CF_BITMAP", {{CF_BITMAP, Bitmap(pattern)}}, OverWhite(pattern)},
    };
    int number = 0;
    for (const auto& c : cases) {
        PutOnClipboard(c.formats);
        EXPECT_TRUE(app::MainFrame::CanPasteNew()) << c.name;
        Paste();
        ASSERT_TRUE(reports.texts().empty()) << c.name << ": " << testing::PrintToString(reports.texts().back());
        ASSERT_NE(Newest(), nullptr);
        EXPECT_EQ(Caption(*Newest()), L"Shot:" + std::to_wstring(++number)) << c.name;
        EXPECT_EQ(PixelsOf(*Newest()), c.expected) << c.name << " " << Differences(c.expected, PixelsOf(*Newest()));
    }
    EXPECT_EQ(FrameProbe::ShotCount(program.main), number);
}

TEST_F(PasteNew, PngComesBeforeTheBitmapsAndDibV5BeforeDib)
{
    const Frame red = FlatFrame(4, 4, 0xFFFF0000), green = FlatFrame(4, 4, 0xFF00FF00), blue = FlatFrame(4, 4, 0xFF0000FF);
    PutOnClipboard({{CF_DIB, Dib(blue)}, {PngFormat(), Png(red)}});
    Paste();
    ASSERT_NE(Newest(), nullptr);
    EXPECT_EQ(PixelsOf(*Newest()), OverWhite(red));
    PutOnClipboard({{CF_DIB, Dib(blue)}, {CF_DIBV5, DibV5(green)}});
    Paste();
    EXPECT_EQ(PixelsOf(*Newest()), OverWhite(green));
    EXPECT_TRUE(reports.texts().empty());
}

TEST_F(PasteNew, FilesCopiedInExplorerOpenAsFiles)
{
    const std::wstring file = Write(L"copied.bmp", EncodedFile(GUID_ContainerFormatBmp, {PatternFrame(9, 7)}));
    PutOnClipboard({{CF_HDROP, MakeDropList({file})}});
    EXPECT_TRUE(app::MainFrame::CanPasteNew());
    Paste();
    ASSERT_NE(Newest(), nullptr);
    EXPECT_EQ(Caption(*Newest()), L"copied.bmp");
    EXPECT_EQ(PixelsOf(*Newest()), OverWhite(PatternFrame(9, 7)));
    EXPECT_EQ(FrameProbe::ShotCount(program.main), 0);
}

TEST_F(PasteNew, AClipboardWithoutAPictureHasNothingToPasteAndSaysSo)
{
    PutClipboardText(L"just words");
    EXPECT_FALSE(app::MainFrame::CanPasteNew());
    Paste();
    EXPECT_TRUE(Shots(program.main).empty());
    EXPECT_EQ(reports.texts(), std::vector<std::wstring>{L"クリップボードに画像がありません。."});
}

// The item's state as the File menu opens, in the frame's menu and in a shot's.
UINT PasteItemState(HWND frame, HMENU bar)
{
    const HMENU file = ::GetSubMenu(bar, 0);
    ::SendMessageW(frame, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(file), 0);
    return ::GetMenuState(file, IDM_PASTE_NEW, MF_BYCOMMAND) & (MF_GRAYED | MF_DISABLED);
}

TEST_F(PasteNew, TheItemIsGreyedWhileTheClipboardHoldsNoPictureAndCtrlShiftVPastes)
{
    PutClipboardText(L"just words");
    EXPECT_NE(PasteItemState(program.main.hwnd(), ::GetMenu(program.main.hwnd())), 0u);
    PutOnClipboard({{CF_DIB, Dib(PatternFrame(5, 5))}});
    EXPECT_EQ(PasteItemState(program.main.hwnd(), ::GetMenu(program.main.hwnd())), 0u);
    ::SetForegroundWindow(program.main.hwnd());
    ASSERT_TRUE(PumpUntil([&] { return ::GetForegroundWindow() == program.main.hwnd(); }));
    PressKeys({VK_CONTROL, VK_SHIFT, 'V'});
    ASSERT_TRUE(PumpProgramUntil(program.main, [&] { return !Shots(program.main).empty(); }));
    EXPECT_EQ(PixelsOf(*Newest()), OverWhite(PatternFrame(5, 5)));
    // Now the shot's menu is on the bar.
    PutClipboardText(L"words again");
    EXPECT_NE(PasteItemState(program.main.hwnd(), ::GetMenu(program.main.hwnd())), 0u);
    EXPECT_EQ(::GetMenu(program.main.hwnd()), ShotProbe::Menu(*Newest()));
    EXPECT_TRUE(reports.texts().empty());
}

TEST_F(PasteNew, ABrokenPictureOnTheClipboardIsReportedAndChangesNothing)
{
    const char junk[] = "\x89PNG\r\n\x1a\n but nothing after";
    PutOnClipboard({{PngFormat(), Block(junk, sizeof junk)}});
    Paste();
    EXPECT_TRUE(Shots(program.main).empty());
    EXPECT_EQ(reports.texts(), std::vector<std::wstring>{
                                   L"クリップボードの画像を読めません。\n画像のファイルではないか、壊れています。."});
    EXPECT_EQ(FrameProbe::ShotCount(program.main), 0);
}

}  // namespace
