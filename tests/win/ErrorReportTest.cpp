// The standard error report as a user meets it: a handler fails, the rest of that handler is
// skipped, a modal box captioned "Pixtrove!" with the error icon shows the message, and
// after OK the program goes on.
#include <gtest/gtest.h>

#include <new>
#include <ostream>
#include <string>
#include <thread>
#include <vector>

#include "CaptureSupport.h"
#include "WinTest.h"
#include "core/AppError.h"
#include "win32/ErrorReport.h"
#include "win32/Window.h"

using namespace wintest;

namespace {

constexpr UINT kFail = WM_APP + 1;       // the handler raises `failure`
constexpr UINT kPing = WM_APP + 2;       // answers 42
constexpr UINT kFailInner = WM_APP + 3;  // sends kFail to itself, then goes on

enum class Failure { AppError, OutOfMemory, Unknown };

// A window of the program's own kind whose handler can be made to fail.
class FailingWindow final : public win::Window {
public:
    FailingWindow()
    {
        Create({.name = L"PixtroveFailingWindow"}, 0, L"Failing", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
               {100, 100, 420, 300}, nullptr);
        ::SetForegroundWindow(hwnd_);
        Pump(50);
    }
    ~FailingWindow() override
    {
        if (hwnd_) ::DestroyWindow(hwnd_);
    }

    std::string message;
    Failure failure = Failure::AppError;
    std::vector<std::string> steps;

private:
    void Fail()
    {
        switch (failure) {
            case Failure::AppError: throw core::AppError(message);
            case Failure::OutOfMemory: throw std::bad_alloc();
            case Failure::Unknown: throw 42;
        }
    }

    LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override
    {
        switch (msg) {
            case kFail:
                steps.push_back("before");
                Fail();
                steps.push_back("after");
                return 1;
            case kFailInner:
                steps.push_back("outer before");
                ::SendMessageW(hwnd_, kFail, 0, 0);
                steps.push_back("outer after");
                return 2;
            case kPing: return 42;
        }
        return DefaultProc(msg, wp, lp);
    }
};

// What the report box showed, read from another thread while the box is up.
struct SeenBox {
    bool found = false;
    std::wstring caption;
    std::vector<std::wstring> texts;  // the static texts
    HICON icon = nullptr;             // of the static control with SS_ICON
    std::vector<int> buttons;         // ids of the visible push buttons
    HWND owner = nullptr;
    bool ownerEnabled = true;
    bool closedByEnter = false;
};

BOOL CALLBACK ReadControl(HWND control, LPARAM param)
{
    auto& seen = *reinterpret_cast<SeenBox*>(param);
    wchar_t kind[64]{};
    ::GetClassNameW(control, kind, 64);
    const LONG_PTR style = ::GetWindowLongPtrW(control, GWL_STYLE);
    if (std::wstring_view(kind) == L"Static") {
        if ((style & SS_TYPEMASK) == SS_ICON)
            seen.icon = reinterpret_cast<HICON>(::SendMessageW(control, STM_GETICON, 0, 0));
        else if (!WindowText(control).empty())
            seen.texts.push_back(WindowText(control));
    } else if (std::wstring_view(kind) == L"Button" && ::IsWindowVisible(control)) {
        seen.buttons.push_back(::GetDlgCtrlID(control));
    }
    return TRUE;
}

HWND FindReportBox()
{
    for (HWND w = ::FindWindowExW(nullptr, nullptr, L"#32770", nullptr); w;
         w = ::FindWindowExW(nullptr, w, L"#32770", nullptr)) {
        DWORD process = 0;
        ::GetWindowThreadProcessId(w, &process);
        if (process == ::GetCurrentProcessId() && ::IsWindowVisible(w)) return w;
    }
    return nullptr;
}

// Sends `msg` to the window (whose handler fails and shows the box in its modal loop) while
// another thread reads the box and closes it with the Enter key, as a user would.
SeenBox SendAndReadReport(HWND window, UINT msg, LRESULT* result = nullptr)
{
    SeenBox seen;
    std::thread reader([&] {
        HWND box = nullptr;
        for (int i = 0; i < 500 && !box; ++i) {
            box = FindReportBox();
            if (!box) ::Sleep(10);
        }
        if (!box) return;
        seen.found = true;
        seen.caption = WindowText(box);
        ::EnumChildWindows(box, &ReadControl, reinterpret_cast<LPARAM>(&seen));
        seen.owner = ::GetWindow(box, GW_OWNER);
        seen.ownerEnabled = seen.owner && ::IsWindowEnabled(seen.owner);
        ::SetForegroundWindow(box);
        PressKeys({VK_RETURN});
        for (int i = 0; i < 200 && ::IsWindow(box); ++i)
            ::Sleep(10);
        seen.closedByEnter = !::IsWindow(box);
        if (!seen.closedByEnter) ::PostMessageW(box, WM_COMMAND, IDOK, 0);
    });
    const LRESULT answer = ::SendMessageW(window, msg, 0, 0);
    reader.join();
    if (result) *result = answer;
    return seen;
}

struct ReportCase {
    const char* name;
    const char* message;
    const wchar_t* shown;
};

void PrintTo(const ReportCase& c, std::ostream* os) { *os << c.message; }

class ReportBox : public ::testing::TestWithParam<ReportCase> {};

TEST_P(ReportBox, ShowsTheMessageWithItsFullStopRuleCaptionedPixtroveWithTheErrorIconAndOk)
{
    FailingWindow window;
    window.message = GetParam().message;
    const SeenBox seen = SendAndReadReport(window.hwnd(), kFail);
    ASSERT_TRUE(seen.found) << "no report box appeared";
    EXPECT_EQ(seen.caption, L"Pixtrove!");
    EXPECT_EQ(seen.texts, std::vector<std::wstring>{GetParam().shown});
    EXPECT_EQ(seen.icon, ::LoadIconW(nullptr, IDI_ERROR));
    EXPECT_EQ(seen.buttons, std::vector<int>{IDOK});
    EXPECT_TRUE(seen.closedByEnter);
    // Modal: the window that was active owns the box and takes no input while it is up.
    EXPECT_EQ(seen.owner, window.hwnd());
    EXPECT_FALSE(seen.ownerEnabled);
}

INSTANTIATE_TEST_SUITE_P(
    Messages, ReportBox,
    ::testing::Values(ReportCase{"JapaneseTextGetsAFullStop", "クリップボードを開くことができません",
                                 L"クリップボードを開くことができません."},
                      ReportCase{"TextEndingInAFullStopGetsNoOther", "データが壊れています.", L"データが壊れています."},
                      ReportCase{"TextEndingInACharacterBeforeTheFullStopGetsNone", "Disk full!", L"Disk full!"},
                      ReportCase{"TextEndingInALetterGetsAFullStop", "end of file", L"end of file."}),
    [](const ::testing::TestParamInfo<ReportCase>& info) { return std::string(info.param.name); });

TEST(ErrorReport, AFailingHandlerStopsThereAndTheProgramGoesOnAfterOk)
{
    FailingWindow window;
    window.message = "クリップボードを開くことができません";
    LRESULT answer = -1;
    const SeenBox seen = SendAndReadReport(window.hwnd(), kFail, &answer);
    ASSERT_TRUE(seen.found);
    EXPECT_EQ(window.steps, std::vector<std::string>{"before"});
    EXPECT_EQ(answer, 0);
    // The window is usable again and answers.
    EXPECT_TRUE(::IsWindowEnabled(window.hwnd()));
    EXPECT_EQ(::SendMessageW(window.hwnd(), kPing, 0, 0), 42);
    EXPECT_EQ(FindReportBox(), nullptr);
}

// Each window procedure is a handler of its own: a failure in a message sent from another
// handler ends only the inner one.
TEST(ErrorReport, AFailureInAHandlerCalledFromAnotherEndsOnlyTheInnerOne)
{
    ErrorReports reports;
    FailingWindow window;
    window.message = "失敗しました";
    EXPECT_EQ(::SendMessageW(window.hwnd(), kFailInner, 0, 0), 2);
    EXPECT_EQ(window.steps, (std::vector<std::string>{"outer before", "before", "outer after"}));
    EXPECT_EQ(reports.texts(), std::vector<std::wstring>{L"失敗しました."});
}

TEST(ErrorReport, RunningOutOfMemoryOrAnUnknownFailureReportsTheResourceText)
{
    ErrorReports reports;
    FailingWindow window;
    window.failure = Failure::OutOfMemory;
    ::SendMessageW(window.hwnd(), kFail, 0, 0);
    window.failure = Failure::Unknown;
    ::SendMessageW(window.hwnd(), kFail, 0, 0);
    EXPECT_EQ(reports.texts(),
              (std::vector<std::wstring>{L"システム リソースが足りません.", L"システム リソースが足りません."}));
    EXPECT_EQ(window.steps, (std::vector<std::string>{"before", "before"}));
}

TEST(SystemError, IsTheSystemsTextWithoutItsLineBreakOrTheResourceTextWhenThereIsNone)
{
    const std::string known = win::SystemError(ERROR_FILE_NOT_FOUND).what();
    ASSERT_FALSE(known.empty());
    EXPECT_NE(known.back(), '\n');
    EXPECT_NE(known.back(), '\r');
    EXPECT_NE(known.back(), ' ');
    EXPECT_NE(known, core::kOutOfResources);
    EXPECT_STREQ(win::SystemError(0x2000BEEF).what(), core::kOutOfResources);
}

TEST(SystemError, KeepsTheSystemsCodeBesideItsText)
{
    const core::AppError shared = win::SystemError(ERROR_SHARING_VIOLATION);
    EXPECT_STREQ(shared.what(), "共有違反です。");
    EXPECT_EQ(shared.Code(), static_cast<std::uint32_t>(ERROR_SHARING_VIOLATION));
    const core::AppError save = win::SaveError(L"C:\\P\\a.png", ERROR_ACCESS_DENIED);
    EXPECT_STREQ(save.what(), "「C:\\P\\a.png」を保存できません。\nアクセスが拒否されました。");
    EXPECT_EQ(save.Code(), static_cast<std::uint32_t>(ERROR_ACCESS_DENIED));
    EXPECT_EQ(core::AppError("own words").Code(), 0u);
}

TEST(SystemError, ALastErrorOfSuccessStillRaisesTheOutOfMemoryText)
{
    ::SetLastError(ERROR_SUCCESS);
    try {
        win::ThrowLastError();
        FAIL() << "nothing raised";
    } catch (const core::AppError& e) {
        EXPECT_STREQ(e.what(), win::SystemError(ERROR_NOT_ENOUGH_MEMORY).what());
    }
}

}  // namespace
