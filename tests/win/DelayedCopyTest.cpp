// The copy keeps its picture until a program asks for it: what another program pastes, as a
// DIB or as a PNG file, whenever it pastes, and what stays behind when nobody does.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

#include "CaptureSupport.h"
#include "ClipboardDib.h"
#include "ClipboardPng.h"
#include "Process.h"
#include "WinTest.h"
#include "resource.h"

using namespace wintest;

namespace {

constexpr int kWidth = 64, kHeight = 48;

// The pattern, with a fourth byte in every pixel that is not 0, as a display may leave it.
std::unique_ptr<win::Picture> DirtyPatternPicture(int width, int height)
{
    std::unique_ptr<win::Picture> picture = PatternPicture(width, height);
    std::vector<std::uint32_t> values;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            values.push_back(PatternPixel(x, y) | static_cast<std::uint32_t>(0x80 + (x * 7 + y * 13) % 0x80) << 24);
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB};
    ::SetDIBits(picture->DC(), picture->Bitmap(), 0, static_cast<UINT>(height), values.data(), &info, DIB_RGB_COLORS);
    return picture;
}

// How many pixels of the picture's own bitmap have a fourth byte that is not 0.
int PixelsWithFourthByte(const win::Picture& picture)
{
    std::vector<std::uint32_t> values(static_cast<size_t>(picture.Width()) * picture.Height());
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), picture.Width(), -picture.Height(), 1, 32, BI_RGB};
    ::GetDIBits(picture.DC(), picture.Bitmap(), 0, static_cast<UINT>(picture.Height()), values.data(), &info,
                DIB_RGB_COLORS);
    return Dib{picture.Width(), picture.Height(), 32, values}.PixelsWithFourthByte();
}

class DelayedCopy : public ::testing::Test {
protected:
    DelayedCopy() { PutClipboardText(L"what another program put there"); }

    app::ShotWindow& MakeShot(int width, int height, const char* caption)
    {
        app::ShotWindow& made = app::ShotWindow::Create(program->main, DirtyPatternPicture(width, height), caption);
        Pump(20);
        return made;
    }

    void Copy(core::Rect area)
    {
        ShotProbe::PressPicture(shot, true, {area.left, area.top});
        ShotProbe::MoveOverPicture(shot, {area.right, area.bottom});
        ShotProbe::ReleasePicture(shot, true);
        ::SendMessageW(program->main.hwnd(), WM_COMMAND, MAKEWPARAM(IDM_COPY, 0), 0);
    }

    ScratchRegistry registry;
    ErrorReports reports;
    std::optional<Program> program{std::in_place};
    app::ShotWindow& shot = MakeShot(kWidth, kHeight, "Shot:1");
    const Pixels captured = PicturePixels(ShotProbe::Picture(shot));
};

// What happens between the copy and the paste.
enum class Before { Nothing, PictureChanges, ShotWindowCloses, ApplicationWindowGoes, SecondCopy };

struct PasteCase {
    const char* name;
    Before before;
    core::Rect pasted;
};

void PrintTo(const PasteCase& c, std::ostream* out) { *out << c.name; }

class Paste : public DelayedCopy, public ::testing::WithParamInterface<PasteCase> {};

// The PNG is asked for last: writing the DIB out must not let go of what the PNG is made from.
TEST_P(Paste, InAnotherProgramGivesTheSelectedPixelsOpaqueAsDibBitmapAndPng)
{
    ASSERT_EQ(PixelsWithFourthByte(ShotProbe::Picture(shot)), kWidth * kHeight) << "the picture should come dirty";
    Copy({10, 5, 40, 30});
    switch (GetParam().before) {
        case Before::Nothing: break;
        case Before::PictureChanges: ::PatBlt(ShotProbe::Picture(shot).DC(), 0, 0, kWidth, kHeight, BLACKNESS); break;
        case Before::ShotWindowCloses: CloseShot(program->main, shot); break;
        case Before::ApplicationWindowGoes:
            program.reset();
            EXPECT_EQ(::GetClipboardOwner(), nullptr);
            break;
        case Before::SecondCopy: Copy({3, 20, 60, 47}); break;
    }
    const Pixels expected = Crop(captured, GetParam().pasted);
    const std::optional<Dib> dib = ClipboardDibFromAnotherProcess();
    ASSERT_TRUE(dib.has_value());
    EXPECT_EQ(dib->bitCount, 32);
    EXPECT_EQ(dib->Colours(), expected) << Differences(expected, dib->Colours());
    EXPECT_EQ(dib->PixelsWithFourthByte(), 0);
    EXPECT_EQ(ClipboardBitmapFromAnotherProcess(), expected);
    const std::optional<Png> png = ClipboardPngFromAnotherProcess();
    ASSERT_TRUE(png.has_value());
    EXPECT_EQ(png->colours, expected) << Differences(expected, png->colours);
    EXPECT_EQ(png->translucentPixels, 0);
    EXPECT_TRUE(png->endsWithItsLastChunk);
    EXPECT_TRUE(reports.texts().empty());
}

INSTANTIATE_TEST_SUITE_P(
    Copies, Paste,
    ::testing::Values(PasteCase{"RightAfterTheCopy", Before::Nothing, {10, 5, 40, 30}},
                      PasteCase{"AfterThePictureChanged", Before::PictureChanges, {10, 5, 40, 30}},
                      PasteCase{"AfterTheShotWindowClosed", Before::ShotWindowCloses, {10, 5, 40, 30}},
                      PasteCase{"AfterTheApplicationWindowWent", Before::ApplicationWindowGoes, {10, 5, 40, 30}},
                      PasteCase{"AfterASecondCopy", Before::SecondCopy, {3, 20, 60, 47}}),
    [](const ::testing::TestParamInfo<PasteCase>& info) { return std::string(info.param.name); });

TEST_F(DelayedCopy, OffersThePngBeforeTheDib)
{
    Copy({10, 5, 40, 30});
    ASSERT_TRUE(OpenClipboardSoon(nullptr));
    std::vector<UINT> formats;
    for (UINT f = ::EnumClipboardFormats(0); f; f = ::EnumClipboardFormats(f))
        formats.push_back(f);
    ::CloseClipboard();
    const auto png = std::find(formats.begin(), formats.end(), PngFormat());
    ASSERT_NE(png, formats.end());
    EXPECT_LT(png, std::find(formats.begin(), formats.end(), CF_DIB));
}

// Browsers read the PNG first; when it cannot be made, they fall back on the DIB.
TEST_F(DelayedCopy, APngThatCannotBeMadeIsLeftEmptyAndTheDibStillPastes)
{
    const Pixels expected = Crop(captured, {10, 5, 40, 30});
    {
        RefusedImagingFactory refused;
        Copy({10, 5, 40, 30});
        EXPECT_FALSE(ClipboardPngFromAnotherProcess().has_value());
        EXPECT_GT(refused.asked(), 0);
        const std::optional<Dib> dib = ClipboardDibFromAnotherProcess();
        ASSERT_TRUE(dib.has_value());
        EXPECT_EQ(dib->Colours(), expected);
    }
    EXPECT_TRUE(reports.texts().empty()) << "a program's paste is no place for a message box";
    // The snapshot stays for a later request, which the encoder now answers.
    const std::optional<Png> png = ClipboardPngFromAnotherProcess();
    ASSERT_TRUE(png.has_value());
    EXPECT_EQ(png->colours, expected);
}

TEST_F(DelayedCopy, AnotherProgramTakingTheClipboardFreesTheSnapshot)
{
    const std::optional<int> before = GdiObjectCount();
    ASSERT_TRUE(before.has_value()) << "no way to count GDI objects here";
    Copy({10, 5, 40, 30});
    ASSERT_GT(GdiObjectCount(), before) << "the copy should keep its snapshot";
    PutClipboardText(L"taken over");
    EXPECT_EQ(GdiObjectCount(), before);
}

// What happens between one copy and the next.
enum class Between { Nothing, AnotherProgramTakesTheClipboard, AProgramPastes, AProgramPastesBothFormats };

struct CyclesCase {
    const char* name;
    Between between;
};

void PrintTo(const CyclesCase& c, std::ostream* out) { *out << c.name; }

class FiftyCopies : public DelayedCopy, public ::testing::WithParamInterface<CyclesCase> {};

TEST_P(FiftyCopies, LeaveNoObjectsOrMemoryBehind)
{
    app::ShotWindow& big = MakeShot(1024, 768, "Shot:2");
    ShotProbe::SelectAll(big);
    const auto cycle = [&] {
        ShotProbe::Copy(big);
        switch (GetParam().between) {
            case Between::Nothing: break;
            case Between::AnotherProgramTakesTheClipboard: PutClipboardText(L"taken over"); break;
            case Between::AProgramPastes: ASSERT_TRUE(ClipboardDib().has_value()); break;
            case Between::AProgramPastesBothFormats:
                ASSERT_TRUE(ClipboardPng().has_value());
                ASSERT_TRUE(ClipboardDib().has_value());
                break;
        }
    };
    for (int i = 0; i < 3; ++i)
        cycle();  // the first copies set up what stays for the run
    const std::optional<int> gdiBefore = GdiObjectCount();
    const std::size_t memoryBefore = PrivateBytes();
    for (int i = 0; i < 50; ++i)
        cycle();
    ASSERT_TRUE(gdiBefore.has_value()) << "no way to count GDI objects here";
    EXPECT_EQ(GdiObjectCount(), gdiBefore);
    // A snapshot left behind shows in the GDI objects; a CF_DIB block left behind would be 3 MB.
    EXPECT_LT(PrivateBytes(), memoryBefore + 2 * 1024 * 1024) << "private memory grew from " << memoryBefore;
    EXPECT_TRUE(reports.texts().empty());
}

INSTANTIATE_TEST_SUITE_P(Cycles, FiftyCopies,
                         ::testing::Values(CyclesCase{"EachReplacingTheLast", Between::Nothing},
                                           CyclesCase{"EachTakenOverByAnotherProgram",
                                                      Between::AnotherProgramTakesTheClipboard},
                                           CyclesCase{"EachPastedOnce", Between::AProgramPastes},
                                           CyclesCase{"EachPastedAsPngAndAsDib", Between::AProgramPastesBothFormats}),
                         [](const ::testing::TestParamInfo<CyclesCase>& info) { return std::string(info.param.name); });

// The real program, as a process of its own (see StartupTest.cpp for its settings key).
class RealProgram : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_FALSE(MutexExists("RorUruvodi")) << "a copy of the program is already running";
        ::RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\Kvn");
        WriteValue(kSection, "CapMode", Sz("2"));  // the window under the pointer
        WriteValue(kSection, "CapTime", Sz("1"));
    }

    RegistryBackup backup{L"Software\\Kvn"};
};

HWND ShotWindowOf(HWND main)
{
    return ::FindWindowExW(::FindWindowExW(main, nullptr, L"MDICLIENT", nullptr), nullptr, L"TfrmCap", nullptr);
}

bool OwnedByProcess(HWND hwnd, DWORD processId)
{
    DWORD owner = 0;
    return hwnd && ::GetWindowThreadProcessId(hwnd, &owner) && owner == processId;
}

TEST_F(RealProgram, APictureCopiedBeforeItEndsIsPastedAfterwards)
{
    const RECT area{200, 300, 296, 364};
    PatternWindow target(PatternWindow::Kind::TopmostPopup, area);
    const Pixels expected{96, 64, PatternPixels(96, 64)};
    ASSERT_EQ(ScreenShows(area, expected.values), "");
    RealMouse mouse;
    mouse.MoveTo({248, 332});
    ASSERT_EQ(::WindowFromPoint({248, 332}), target.hwnd());

    ChildProcess pixtrove(ProgramExe());
    const HWND main = WaitForVisibleWindow(pixtrove, L"TRorUruvodi");
    ASSERT_NE(main, nullptr);
    ::PostMessageW(main, WM_COMMAND, IDB_START_CAPTURE, 0);
    ASSERT_TRUE(PumpUntil([&] { return ShotWindowOf(main) != nullptr; }, 10000));
    ::PostMessageW(main, WM_COMMAND, MAKEWPARAM(IDM_COPY, 0), 0);
    ASSERT_TRUE(PumpUntil([&] { return OwnedByProcess(::GetClipboardOwner(), pixtrove.id()); }));
    ::PostMessageW(main, WM_CLOSE, 0, 0);
    ASSERT_TRUE(pixtrove.WaitForExit(10000));

    const std::optional<Dib> dib = ClipboardDib();
    ASSERT_TRUE(dib.has_value());
    EXPECT_EQ(dib->Colours(), expected) << Differences(expected, dib->Colours());
    EXPECT_EQ(dib->PixelsWithFourthByte(), 0);
    EXPECT_EQ(ClipboardBitmap(), expected);
    const std::optional<Png> png = ClipboardPng();
    ASSERT_TRUE(png.has_value());
    EXPECT_EQ(png->colours, expected) << Differences(expected, png->colours);
    EXPECT_EQ(png->translucentPixels, 0);
}

}  // namespace

// The test program doubles as the second process that reads the clipboard.
int main(int argc, char** argv)
{
    if (argc == 3 && std::strcmp(argv[1], kDumpClipboardArgument) == 0) return DumpClipboard(argv[2]);
    if (argc == 3 && std::strcmp(argv[1], kDumpDibArgument) == 0) return DumpClipboardDib(argv[2]);
    if (argc == 3 && std::strcmp(argv[1], kDumpPngArgument) == 0) return DumpClipboardBlock(PngFormat(), argv[2]);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
