// The scrolling capture against the test document (tests/win/helper/ScrollDocument.cpp) with
// real wheel input: the stitched shot equals the document's own rendering pixel for pixel in
// every case the capture claims, and ends with the reason in every case it refuses.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "CaptureSupport.h"
#include "MainWindowFixture.h"
#include "Process.h"
#include "WinTest.h"
#include "resource.h"
#include "win32/Text.h"

using namespace wintest;

namespace {

constexpr int kLeft = 560, kTop = 120, kWidth = 420, kHeight = 300;  // the document's client area

std::wstring DocumentExe()
{
    std::wstring path = L"Z:";
    for (const char* p = SCROLL_DOCUMENT_EXE; *p; ++p)
        path.push_back(*p == '/' ? L'\\' : static_cast<wchar_t>(*p));
    return path;
}

struct Rendering {
    int width = 0, height = 0;
    std::vector<std::uint32_t> pixels;
};

Rendering ReadRendering(const std::wstring& path)
{
    Rendering r;
    FILE* in = ::_wfopen(path.c_str(), L"rb");
    if (!in) return r;
    BITMAPFILEHEADER file{};
    BITMAPINFOHEADER info{};
    if (std::fread(&file, sizeof(file), 1, in) == 1 && std::fread(&info, sizeof(info), 1, in) == 1) {
        r.width = info.biWidth;
        r.height = -info.biHeight;
        r.pixels.resize(static_cast<size_t>(r.width) * static_cast<size_t>(r.height));
        if (std::fread(r.pixels.data(), 4, r.pixels.size(), in) != r.pixels.size()) r.pixels.clear();
    }
    std::fclose(in);
    for (std::uint32_t& p : r.pixels)
        p &= 0xFFFFFF;
    return r;
}

// The document running, its window shown, and its whole rendering read back. With "--child"
// the page is a child of a frame with a tool strip above it.
class Document {
public:
    explicit Document(const std::wstring& options)
        : file_(TempFile()),
          process_(DocumentExe(), ChildProcess::Start::Running,
                   std::to_wstring(kLeft) + L" " + std::to_wstring(kTop) + L" " + std::to_wstring(kWidth) + L" " +
                       std::to_wstring(kHeight) + L" " + options + L" --render " + file_)
    {
        const bool framed = options.find(L"--child") != std::wstring::npos;
        window_ = WaitForVisibleWindow(process_, framed ? L"PixtroveTestScrollFrame" : L"PixtroveTestScrollDocument");
        page_ = framed ? ::FindWindowExW(window_, nullptr, L"PixtroveTestScrollDocument", nullptr) : window_;
        rendering_ = ReadRendering(file_);
        // What it paints reaches the display a moment later under Wine.
        Pump(300);
    }
    ~Document() { ::DeleteFileW(file_.c_str()); }

    HWND window() const noexcept { return window_; }
    const Rendering& rendering() const noexcept { return rendering_; }
    // The page's client area: what scrolls.
    core::ScreenRect Client() const
    {
        const RECT r = ClientOnScreen(page_);
        return {r.left, r.top, r.right - r.left, r.bottom - r.top};
    }
    bool Running() const noexcept { return process_.Running(); }

private:
    static std::wstring TempFile()
    {
        wchar_t dir[MAX_PATH]{}, name[MAX_PATH]{};
        ::GetTempPathW(MAX_PATH, dir);
        ::GetTempFileNameW(dir, L"doc", 0, name);
        return name;
    }

    std::wstring file_;
    ChildProcess process_;
    HWND window_ = nullptr;  // the top-level window
    HWND page_ = nullptr;
    Rendering rendering_;
};

class ScrollCapture : public MainWindow {
protected:
    // Runs the capture over the document's client area; its shot, or nullptr.
    app::ShotWindow* Capture(const Document& document)
    {
        const int before = FrameProbe::ShotCount(main);
        main.StartScrollCapture(document.Client());
        if (FrameProbe::ShotCount(main) != before + 1) return nullptr;
        return ActiveShotWindow(main);
    }
    std::wstring Status() { return StatusText(FrameProbe::StatusBar(main), 0); }
};

// Whether a shot is the rendering's first `rows` rows exactly, but for a caret's box.
std::string CompareWithRendering(const app::ShotWindow& shot, const Rendering& rendering, int rows,
                                 RECT caret = {0, 0, 0, 0})
{
    const win::Picture& picture = ShotProbe::Picture(shot);
    if (picture.Width() != rendering.width) return "width " + std::to_string(picture.Width());
    if (picture.Height() != rows) return "height " + std::to_string(picture.Height()) + ", not " + std::to_string(rows);
    std::vector<std::uint32_t> actual = PicturePixels(shot);
    std::vector<std::uint32_t> expected(rendering.pixels.begin(),
                                        rendering.pixels.begin() + static_cast<std::ptrdiff_t>(rows) * rendering.width);
    for (int y = caret.top; y < caret.bottom && y < rows; ++y)
        for (int x = caret.left; x < caret.right; ++x)
            actual[static_cast<size_t>(y) * rendering.width + x] =
                expected[static_cast<size_t>(y) * rendering.width + x];
    return FirstDifference(actual, expected, rendering.width);
}

struct Claimed {
    const char* what;
    const wchar_t* options;
    RECT caret;
};

const Claimed kClaimed[] = {
    {"plain text", L"--lines 60", {}},
    {"a sticky header and footer", L"--lines 60 --sticky", {}},
    {"smooth scrolling", L"--lines 60 --smooth", {}},
    {"smooth scrolling under a sticky header and footer", L"--lines 40 --smooth --sticky", {}},
    {"a blinking caret", L"--lines 40 --caret", {100, 288, 102, 306}},
    {"lines of noise among the rows of an empty table", L"--lines 50 --noise", {}},
};

class ClaimedDocument : public ScrollCapture, public ::testing::WithParamInterface<Claimed> {};

TEST_P(ClaimedDocument, IsStitchedIntoOneShotEqualToItsOwnRendering)
{
    const Claimed& c = GetParam();
    Document document(c.options);
    ASSERT_NE(document.window(), nullptr);
    ASSERT_GT(document.rendering().height, kHeight);
    app::ShotWindow* shot = Capture(document);
    ASSERT_NE(shot, nullptr);
    EXPECT_EQ(WindowText(shot->hwnd()), L"Shot:1");
    EXPECT_EQ(CompareWithRendering(*shot, document.rendering(), document.rendering().height, c.caret), "");
    const std::wstring status = Status();
    EXPECT_EQ(status.rfind(L"最後まで取り込みました：", 0), 0u) << win::Narrow(status);
    EXPECT_NE(status.find(L"高さ " + std::to_wstring(document.rendering().height) + L" ピクセル"), std::wstring::npos)
        << win::Narrow(status);
    EXPECT_TRUE(FrameIsBack(main));
    EXPECT_TRUE(reports.texts().empty());
}

INSTANTIATE_TEST_SUITE_P(Modes, ClaimedDocument, ::testing::ValuesIn(kClaimed),
                         [](const ::testing::TestParamInfo<Claimed>& info) { return std::to_string(info.index); });

TEST_F(ScrollCapture, ContentShorterThanTheWindowIsOneScreenAndSaysItDoesNotScroll)
{
    Document document(L"--lines 5");
    ASSERT_EQ(document.rendering().height, kHeight);
    app::ShotWindow* shot = Capture(document);
    ASSERT_NE(shot, nullptr);
    EXPECT_EQ(CompareWithRendering(*shot, document.rendering(), kHeight), "");
    EXPECT_EQ(Status(), L"スクロールしないため 1 画面だけ取り込みました");
}

// Two screens of identical rows from line 20 on: the capture stops where a screen is all
// alike, keeping exactly the screens before, all of them rows of the document in order.
TEST_F(ScrollCapture, IdenticalRowsStopTheCaptureWithTheReasonAndKeepWhatWasSure)
{
    Document document(L"--lines 80 --repeat");
    app::ShotWindow* shot = Capture(document);
    ASSERT_NE(shot, nullptr);
    const int height = ShotProbe::Picture(*shot).Height();
    EXPECT_GE(height, 20 * 24) << "everything before the identical rows";
    EXPECT_LT(height, document.rendering().height);
    EXPECT_EQ(CompareWithRendering(*shot, document.rendering(), height), "");
    const std::wstring status = Status();
    EXPECT_NE(status.find(L" 画面目で止めました：同じ行が続くため位置を決められません"), std::wstring::npos)
        << win::Narrow(status);
}

// An animation never lets the window hold still after the first wheel step: the first screen
// is all that is sure.
TEST_F(ScrollCapture, AnAnimationStopsTheCaptureAtTheFirstStepWithTheFirstScreen)
{
    Document document(L"--lines 40 --animate");
    app::ShotWindow* shot = Capture(document);
    ASSERT_NE(shot, nullptr);
    EXPECT_EQ(CompareWithRendering(*shot, document.rendering(), kHeight, {10, 10, 30, 30}), "");
    EXPECT_EQ(Status(), L"2 画面目で止めました：画面が動き続けるため位置を決められません");
}

struct Interrupted {
    const char* what;
    const wchar_t* options;
    const wchar_t* reason;
};

const Interrupted kInterrupted[] = {
    {"the window closes", L"--lines 80 --close-after 3", L"ウィンドウが閉じたか動いたため"},
    {"the window moves", L"--lines 80 --move-after 3", L"ウィンドウが閉じたか動いたため"},
    {"Esc is pressed", L"--lines 80 --escape-after 3", L"Esc キーかクリックで終えたため"},
    {"content changes beside the move", L"--lines 80 --change-after 3", L"内容が変わったため位置を決められません"},
};

class InterruptedCapture : public ScrollCapture, public ::testing::WithParamInterface<Interrupted> {};

TEST_P(InterruptedCapture, EndsAndKeepsTheScreensTakenBefore)
{
    const Interrupted& c = GetParam();
    Document document(c.options);
    const Rendering rendering = document.rendering();
    app::ShotWindow* shot = Capture(document);
    ASSERT_NE(shot, nullptr);
    const int height = ShotProbe::Picture(*shot).Height();
    EXPECT_GE(height, kHeight);
    EXPECT_LT(height, rendering.height);
    EXPECT_EQ(CompareWithRendering(*shot, rendering, height), "");
    const std::wstring status = Status();
    EXPECT_NE(status.find(L" 画面目で止めました："), std::wstring::npos) << win::Narrow(status);
    EXPECT_NE(status.find(c.reason), std::wstring::npos) << win::Narrow(status);
    EXPECT_TRUE(reports.texts().empty());
}

INSTANTIATE_TEST_SUITE_P(Faults, InterruptedCapture, ::testing::ValuesIn(kInterrupted),
                         [](const ::testing::TestParamInfo<Interrupted>& info) { return std::to_string(info.index); });

// The mode's own road: its button, the start button, the countdown, and at the tick the
// overlay over the frozen screen, where the real mouse picks what to scroll.
class PickedOnTheOverlay : public ScrollCapture {
protected:
    bool OpenTheOverlay()
    {
        main.SetCaptureDelay(1);
        ::SendMessageW(main.hwnd(), WM_COMMAND, IDB_SCROLLING, 0);
        ::SendMessageW(main.hwnd(), WM_COMMAND, IDB_START_CAPTURE, 0);
        return PumpProgramUntil(main, [&] { return FrameProbe::Overlay(main) != nullptr; }, 4000);
    }
    core::Rect Shown() const { return OverlayProbe::Chosen(*FrameProbe::RegionOverlay(main)); }
};

struct Pick {
    const char* what;
    POINT from, to;  // in the page's client area; a click where they are the same
    RECT part;       // of the page, the rendering's rows scrolled through it
};

const Pick kPicks[] = {
    {"a click takes the scrolled page", {40, 40}, {40, 40}, {0, 0, kWidth, kHeight}},
    {"a drag takes its rectangle", {20, 50}, {300, 250}, {20, 50, 300, 250}},
};

class PickOnTheOverlay : public PickedOnTheOverlay, public ::testing::WithParamInterface<Pick> {};

// The highlight follows the pointer from the frame's tool strip to the page, and what is picked
// is stitched from the top of the document to its end: the rendering's rows that passed through
// the part, in its columns.
TEST_P(PickOnTheOverlay, ScrollsWhatItTakesIntoTheDocumentsRendering)
{
    const Pick& pick = GetParam();
    Document document(L"--lines 30 --child");
    const core::ScreenRect page = document.Client();
    const RECT frame = ClientOnScreen(document.window());
    ASSERT_TRUE(OpenTheOverlay());
    RealMouse mouse;
    mouse.MoveTo({page.left + 100, frame.top + 10});
    EXPECT_EQ(Shown(), (core::Rect{frame.left, frame.top, frame.right, frame.bottom})) << "the tool strip";
    const POINT from{page.left + pick.from.x, page.top + pick.from.y}, to{page.left + pick.to.x, page.top + pick.to.y};
    mouse.MoveTo(from);
    EXPECT_EQ(Shown(), (core::Rect{page.left, page.top, page.left + page.width, page.top + page.height}));
    mouse.LeftDown();
    if (to.x != from.x || to.y != from.y) mouse.MoveTo(to);
    mouse.LeftUp();

    ASSERT_TRUE(PumpUntil([&] { return FrameProbe::ShotCount(main) == 1 && FrameIsBack(main); }, 30000));
    app::ShotWindow* shot = ActiveShotWindow(main);
    ASSERT_NE(shot, nullptr);
    const Rendering& whole = document.rendering();
    const RECT rows{pick.part.left, pick.part.top, pick.part.right, whole.height - (kHeight - pick.part.bottom)};
    const win::Picture& picture = ShotProbe::Picture(*shot);
    ASSERT_EQ(picture.Width(), rows.right - rows.left);
    ASSERT_EQ(picture.Height(), rows.bottom - rows.top);
    std::vector<std::uint32_t> expected = Crop(whole.pixels, whole.width, rows);
    EXPECT_EQ(FirstDifference(PicturePixels(*shot), expected, picture.Width()), "");
    EXPECT_EQ(Status().rfind(L"最後まで取り込みました：", 0), 0u) << win::Narrow(Status());
    EXPECT_TRUE(reports.texts().empty());
}

INSTANTIATE_TEST_SUITE_P(Ways, PickOnTheOverlay, ::testing::ValuesIn(kPicks),
                         [](const ::testing::TestParamInfo<Pick>& info) { return std::to_string(info.index); });

TEST_F(PickedOnTheOverlay, EscOnTheOverlayScrollsNothingAndBringsTheProgramBack)
{
    Document document(L"--lines 30 --child");
    ASSERT_TRUE(OpenTheOverlay());
    EXPECT_TRUE(::IsIconic(main.hwnd())) << "the program stays out of the picture";
    PressKeys({VK_ESCAPE});
    ASSERT_TRUE(PumpProgramUntil(main, [&] { return FrameProbe::Overlay(main) == nullptr && FrameIsBack(main); }));
    Pump(300);
    EXPECT_EQ(FrameProbe::ShotCount(main), 0);
    EXPECT_EQ(::FindWindowW(L"PixtroveScrollStatus", nullptr), nullptr);
    EXPECT_TRUE(reports.texts().empty());
}

// What the document saw at its third wheel step: the status window beside it, outside the
// rectangle, telling the height so far and how to end.
TEST_F(ScrollCapture, WhileItRunsAStatusWindowBesideTheRectangleTellsTheHeightAndEsc)
{
    wchar_t dir[MAX_PATH]{}, file[MAX_PATH]{};
    ::GetTempPathW(MAX_PATH, dir);
    ::GetTempFileNameW(dir, L"sta", 0, file);
    std::string seen;
    {
        Document document(std::wstring(L"--lines 40 --status ") + file);
        app::ShotWindow* shot = Capture(document);
        ASSERT_NE(shot, nullptr);
        EXPECT_EQ(CompareWithRendering(*shot, document.rendering(), document.rendering().height), "");
        FILE* in = ::_wfopen(file, L"rb");
        ASSERT_NE(in, nullptr);
        char buffer[600]{};
        seen.assign(buffer, std::fread(buffer, 1, sizeof(buffer) - 1, in));
        std::fclose(in);
        const core::ScreenRect client = document.Client();
        long left = 0, top = 0, right = 0, bottom = 0;
        ASSERT_EQ(std::sscanf(seen.c_str(), "visible %ld %ld %ld %ld", &left, &top, &right, &bottom), 4) << seen;
        EXPECT_TRUE(right <= client.left || left >= client.left + client.width || bottom <= client.top ||
                    top >= client.top + client.height)
            << seen;
    }
    ::DeleteFileW(file);
    EXPECT_NE(seen.find("高さ "), std::string::npos) << seen;
    EXPECT_NE(seen.find(" ピクセル　Escで終了"), std::string::npos) << seen;
    EXPECT_EQ(::FindWindowW(L"PixtroveScrollStatus", nullptr), nullptr) << "gone with the capture";
}

TEST_F(ScrollCapture, AnEmptyRectangleIsTheEmptyGrab)
{
    main.StartScrollCapture({100, 100, 0, 0});
    ASSERT_EQ(FrameProbe::ShotCount(main), 1);
    app::ShotWindow* shot = ActiveShotWindow(main);
    ASSERT_NE(shot, nullptr);
    EXPECT_EQ(ShotProbe::Picture(*shot).Width(), 0);
    EXPECT_EQ(ShotProbe::Picture(*shot).Height(), 0);
}

}  // namespace
