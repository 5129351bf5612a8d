#include "app/OptionDlg.h"

#include <windowsx.h>

#include <algorithm>
#include <functional>
#include <iterator>
#include <memory>
#include <string>

#include "app/Main.h"
#include "core/SpinEditRules.h"
#include "win32/Dpi.h"
#include "win32/ErrorReport.h"
#include "win32/Handles.h"
#include "win32/Text.h"
#include "win32/ModalForm.h"

namespace app {
namespace {

constexpr wchar_t kClassName[] = L"TfrmOptionDlg";
constexpr wchar_t kSpinButtonClass[] = L"TSpinButton";
// Not WS_CLIPCHILDREN: the group box leaves its inside to the dialog's background.
constexpr DWORD kStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU;
constexpr DWORD kExStyle = WS_EX_DLGMODALFRAME | WS_EX_WINDOWEDGE | WS_EX_CONTROLPARENT;

// Sizes are at 96 dpi.
constexpr int kClientWidth = 274;
constexpr int kClientHeight = 142;
constexpr int kSpinButtonWidth = 15;
constexpr UINT kRepeatFirstMs = 400;
constexpr UINT kRepeatNextMs = 100;
constexpr UINT_PTR kRepeatTimerId = 1;

enum ControlId : int {
    kOKBtn = IDOK,
    kCancelBtn = IDCANCEL,
    kLabel1 = 100,
    kSeCaptureTime,
    kLabel2,
    kGbToolBar,
    kCbToolBarFlat,
    kUpdateBtn,
};

struct ControlLayout {
    ControlId id;
    const wchar_t* className;
    const wchar_t* text;
    DWORD style;
    DWORD exStyle;
    int left, top, width, height;
};

// Created in this order, which is also the drawing order; the check box sits in the group
// box at 8, 16 but is the group box's sibling, so that its notifications come to the dialog.
constexpr ControlLayout kControls[] = {
    {kLabel1, L"Static", L"画面取り込みまでの時間：", SS_LEFTNOWORDWRAP | SS_NOPREFIX, 0, 16, 20, 133, 12},
    {kSeCaptureTime, L"Edit", L"", WS_TABSTOP | WS_CLIPCHILDREN | ES_LEFT | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE, 152, 16,
     37, 21},
    {kLabel2, L"Static", L"秒", SS_LEFTNOWORDWRAP | SS_NOPREFIX, 0, 196, 20, 12, 12},
    {kGbToolBar, L"Button", L"ツールバー", BS_GROUPBOX, 0, 16, 48, 241, 41},
    {kCbToolBarFlat, L"Button", L"フラット型のボタンを使用する", WS_TABSTOP | BS_AUTOCHECKBOX, 0, 16 + 8, 48 + 16, 177,
     17},
    {kOKBtn, L"Button", L"OK", WS_TABSTOP | BS_DEFPUSHBUTTON, 0, 22, 108, 75, 25},
    {kCancelBtn, L"Button", L"ｷｬﾝｾﾙ", WS_TABSTOP | BS_PUSHBUTTON, 0, 106, 108, 75, 25},
    {kUpdateBtn, L"Button", L"更新(&A)", WS_TABSTOP | BS_PUSHBUTTON, 0, 191, 108, 73, 25},
};

BeepSound gBeep = &::MessageBeep;

HINSTANCE Instance() { return ::GetModuleHandleW(nullptr); }

char32_t UserDecimalSeparator()
{
    wchar_t separator[8]{};
    if (::GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, LOCALE_SDECIMAL, separator, 8) < 2) return U'.';
    return separator[0];
}

// The arrow pair inside the right edge of the delay field. A press steps at once; holding
// the button repeats the step, first after 400 ms and then every 100 ms, while the pointer
// stays on the pressed arrow.
class TSpinButton final : public win::Window {
public:
    using StepHandler = std::function<void(int delta)>;

    TSpinButton(HWND edit, StepHandler onStep) : FEdit(edit), FOnStep(std::move(onStep))
    {
        WNDCLASSEXW wc{};
        wc.hInstance = Instance();
        wc.lpszClassName = kSpinButtonClass;
        wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
        RegisterClassOnce(wc);
        if (!::CreateWindowExW(WS_EX_NOPARENTNOTIFY, kSpinButtonClass, nullptr, WS_CHILD | WS_VISIBLE, 0, 0, 0, 0, edit,
                               nullptr, Instance(), this))
            win::ThrowLastError();
    }

    ~TSpinButton() override
    {
        if (hwnd_) ::DestroyWindow(hwnd_);
    }

    // Along the right edge of the field's client area, its full height.
    void Place(int width)
    {
        RECT client{};
        ::GetClientRect(FEdit, &client);
        ::MoveWindow(hwnd_, client.right - width, 0, width, client.bottom, TRUE);
    }

private:
    LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override
    {
        switch (msg) {
            case WM_PAINT: Paint(); return 0;
            case WM_LBUTTONDOWN: Press(ArrowAt(lp)); return 0;
            case WM_MOUSEMOVE: Track(ArrowAt(lp) == FPressed); return 0;
            case WM_LBUTTONUP: ::ReleaseCapture(); return 0;
            case WM_CAPTURECHANGED: Stop(); return 0;
            case WM_TIMER:
                if (wp == kRepeatTimerId) Repeat();
                return 0;
        }
        return DefaultProc(msg, wp, lp);
    }

    // +1 for the upper arrow, -1 for the lower.
    int ArrowAt(LPARAM lp) const noexcept
    {
        RECT client{};
        ::GetClientRect(hwnd_, &client);
        return GET_Y_LPARAM(lp) < client.bottom / 2 ? 1 : -1;
    }

    void Press(int arrow)
    {
        if (::GetFocus() != FEdit) ::SetFocus(FEdit);
        FPressed = arrow;
        FOver = true;
        ::SetCapture(hwnd_);
        ::SetTimer(hwnd_, kRepeatTimerId, kRepeatFirstMs, nullptr);
        ::InvalidateRect(hwnd_, nullptr, FALSE);
        FOnStep(arrow);
    }

    void Track(bool over)
    {
        if (FPressed == 0 || over == FOver) return;
        FOver = over;
        ::InvalidateRect(hwnd_, nullptr, FALSE);
    }

    void Repeat()
    {
        ::SetTimer(hwnd_, kRepeatTimerId, kRepeatNextMs, nullptr);
        if (FPressed != 0 && FOver) FOnStep(FPressed);
    }

    void Stop() noexcept
    {
        ::KillTimer(hwnd_, kRepeatTimerId);
        if (FPressed == 0) return;
        FPressed = 0;
        ::InvalidateRect(hwnd_, nullptr, FALSE);
    }

    void Paint()
    {
        win::PaintDC dc(hwnd_);
        RECT client{};
        ::GetClientRect(hwnd_, &client);
        RECT upper{0, 0, client.right, client.bottom / 2};
        RECT lower{0, client.bottom / 2, client.right, client.bottom};
        const UINT pushedUp = FPressed == 1 && FOver ? DFCS_PUSHED : 0;
        const UINT pushedDown = FPressed == -1 && FOver ? DFCS_PUSHED : 0;
        ::DrawFrameControl(dc.get(), &upper, DFC_SCROLL, DFCS_SCROLLUP | pushedUp);
        ::DrawFrameControl(dc.get(), &lower, DFC_SCROLL, DFCS_SCROLLDOWN | pushedDown);
    }

    HWND FEdit;
    StepHandler FOnStep;
    int FPressed = 0;    // the arrow held down, 0 for none
    bool FOver = false;  // the pointer is on the arrow held down
};

class TfrmOptionDlg final : public win::ModalForm {
public:
    explicit TfrmOptionDlg(TRorUruvodi& main);
    ~TfrmOptionDlg() override;

    void ShowModal();

    void FormCreate();
    void OKBtnClick();
    void CancelBtnClick();
    void UpdateBtnClick();

private:
    enum class ModalResult { None, OK, Cancel };

    LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override;
    void CreateControls();
    void ApplyDpi(UINT dpi);
    bool OnCommand(int id, int code);
    void OnActivate(bool active);
    bool DialogKey(const MSG& msg) override;
    bool Closed() const noexcept override { return FModalResult != ModalResult::None; }
    void PressFocusedOrDefault(HWND focus);
    void SelectNext(HWND focus, bool forward);
    void FocusChanged(HWND focus);

    // The delay field.
    static LRESULT CALLBACK FieldProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR, DWORD_PTR self) noexcept;
    static LRESULT CALLBACK ButtonProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR, DWORD_PTR self) noexcept;
    LRESULT FieldMessage(UINT msg, WPARAM wp, LPARAM lp);
    void SetFieldText(const std::string& utf8);
    std::string FieldText() const;
    void StepField(int delta);
    void LeaveField();

    HWND Control(ControlId id) const noexcept { return ::GetDlgItem(hwnd_, id); }

    TRorUruvodi& FMain;
    HWND seCaptureTime = nullptr;
    HWND cbToolBarFlat = nullptr;
    HWND OKBtn = nullptr;
    HWND CancelBtn = nullptr;
    HWND UpdateBtn = nullptr;
    std::unique_ptr<TSpinButton> FSpinButton;
    win::OwnedFont FFont;
    char32_t FDecimalSeparator = UserDecimalSeparator();
    HWND FFocus = nullptr;         // the control to give the focus back to on activation
    bool FClickIntoField = false;  // the field is taking the focus from a mouse click into it
    ModalResult FModalResult = ModalResult::None;
};

TfrmOptionDlg::TfrmOptionDlg(TRorUruvodi& main) : FMain(main)
{
    CreateCentred(main.hwnd(), kClassName, L"環境設定", kStyle, kExStyle, kClientWidth, kClientHeight, [this] {
        CreateControls();
        FormCreate();
    });
}

TfrmOptionDlg::~TfrmOptionDlg()
{
    if (hwnd_) ::DestroyWindow(hwnd_);
}

void TfrmOptionDlg::CreateControls()
{
    for (const ControlLayout& c : kControls) {
        if (!::CreateWindowExW(c.exStyle, c.className, c.text, WS_CHILD | WS_VISIBLE | c.style, 0, 0, 0, 0, hwnd_,
                               reinterpret_cast<HMENU>(static_cast<INT_PTR>(c.id)), Instance(), nullptr))
            win::ThrowLastError();
    }
    seCaptureTime = Control(kSeCaptureTime);
    cbToolBarFlat = Control(kCbToolBarFlat);
    OKBtn = Control(kOKBtn);
    CancelBtn = Control(kCancelBtn);
    UpdateBtn = Control(kUpdateBtn);

    ::SendMessageW(seCaptureTime, EM_LIMITTEXT, core::kSpinEditMaxLength, 0);
    const auto self = reinterpret_cast<DWORD_PTR>(this);
    ::SetWindowSubclass(seCaptureTime, &FieldProc, 0, self);
    for (HWND button : {cbToolBarFlat, OKBtn, CancelBtn, UpdateBtn})
        ::SetWindowSubclass(button, &ButtonProc, 0, self);
    FSpinButton = std::make_unique<TSpinButton>(seCaptureTime, [this](int delta) { StepField(delta); });

    // The menu of a dialog frame: move and close.
    const HMENU menu = ::GetSystemMenu(hwnd_, FALSE);
    for (UINT command : {SC_RESTORE, SC_SIZE, SC_MINIMIZE, SC_MAXIMIZE})
        ::DeleteMenu(menu, command, MF_BYCOMMAND);

    ApplyDpi(win::DpiOf(hwnd_));
    const UINT dpi = win::DpiOf(hwnd_);
    const RECT at = win::CentredOver(FMain.hwnd(), win::Scale(kClientWidth, dpi), win::Scale(kClientHeight, dpi),
                                     kStyle, kExStyle, dpi);
    ::SetWindowPos(hwnd_, nullptr, at.left, at.top, at.right - at.left, at.bottom - at.top,
                   SWP_NOZORDER | SWP_NOACTIVATE);
}

// Everything whose size is given at 96 dpi.
void TfrmOptionDlg::ApplyDpi(UINT dpi)
{
    win::OwnedFont font = win::MakeUiFont(dpi);
    for (const ControlLayout& c : kControls) {
        const HWND control = Control(c.id);
        ::MoveWindow(control, win::Scale(c.left, dpi), win::Scale(c.top, dpi), win::Scale(c.width, dpi),
                     win::Scale(c.height, dpi), TRUE);
        ::SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font.get()), TRUE);
    }
    FFont = std::move(font);
    // Setting the font resets the field's margins; the text must stay clear of the arrows.
    const int arrows = win::Scale(kSpinButtonWidth, dpi);
    ::SendMessageW(seCaptureTime, EM_SETMARGINS, EC_RIGHTMARGIN, MAKELPARAM(0, arrows));
    FSpinButton->Place(arrows);
}

void TfrmOptionDlg::FormCreate()
{
    SetFieldText(core::SpinEditTextFor(FMain.CapTime()));
    Button_SetCheck(cbToolBarFlat, FMain.ToolBarFlat() ? BST_CHECKED : BST_UNCHECKED);
}

void TfrmOptionDlg::ShowModal() { RunModal(FMain.hwnd()); }

void TfrmOptionDlg::UpdateBtnClick()
{
    FMain.SetCapTime(core::SpinEditValue(FieldText()));
    FMain.SetToolBarFlat(Button_GetCheck(cbToolBarFlat) == BST_CHECKED);
    FMain.SaveSettings();
}

// The result is set first, so that the dialog closes even when the apply fails.
void TfrmOptionDlg::OKBtnClick()
{
    FModalResult = ModalResult::OK;
    UpdateBtnClick();
}

void TfrmOptionDlg::CancelBtnClick() { FModalResult = ModalResult::Cancel; }

// --- keys and focus -----------------------------------------------------------------

// The dialog's keys, taken before the focused control sees them: Enter, Esc and the
// accelerator of "更新(&A)" press their button without moving the focus; Tab and, outside
// the field, the arrow keys move the focus in the keyboard order.
bool TfrmOptionDlg::DialogKey(const MSG& msg)
{
    if (msg.hwnd != hwnd_ && !::IsChild(hwnd_, msg.hwnd)) return false;
    const HWND focus = ::GetFocus();
    const bool isAccelerator = msg.wParam == L'a' || msg.wParam == L'A';
    switch (msg.message) {
        case WM_KEYDOWN:
            switch (msg.wParam) {
                case VK_RETURN: PressFocusedOrDefault(focus); return true;
                case VK_ESCAPE: CancelBtnClick(); return true;
                case VK_TAB: SelectNext(focus, ::GetKeyState(VK_SHIFT) >= 0); return true;
                case VK_LEFT:
                case VK_UP:
                case VK_RIGHT:
                case VK_DOWN:
                    if (focus == seCaptureTime) return false;
                    SelectNext(focus, msg.wParam == VK_RIGHT || msg.wParam == VK_DOWN);
                    return true;
            }
            return false;
        case WM_SYSCHAR:
            if (!isAccelerator) return false;
            UpdateBtnClick();
            return true;
        case WM_CHAR:
            // A control that takes no characters passes the accelerator letter to the dialog.
            if (!isAccelerator || focus == seCaptureTime) return false;
            UpdateBtnClick();
            return true;
    }
    return false;
}

void TfrmOptionDlg::PressFocusedOrDefault(HWND focus)
{
    if (focus == CancelBtn)
        CancelBtnClick();
    else if (focus == UpdateBtn)
        UpdateBtnClick();
    else
        OKBtnClick();
}

void TfrmOptionDlg::SelectNext(HWND focus, bool forward)
{
    const HWND order[] = {seCaptureTime, cbToolBarFlat, OKBtn, CancelBtn, UpdateBtn};
    constexpr int count = static_cast<int>(std::size(order));
    int at = forward ? -1 : 0;
    for (int i = 0; i < count; ++i)
        if (order[i] == focus) at = i;
    ::SetFocus(order[(at + (forward ? 1 : count - 1)) % count]);
}

// The focused push button is the one Enter presses, and shows it; elsewhere it is "OK".
void TfrmOptionDlg::FocusChanged(HWND focus)
{
    const HWND pressed = focus == CancelBtn || focus == UpdateBtn ? focus : OKBtn;
    for (HWND button : {OKBtn, CancelBtn, UpdateBtn}) {
        const LONG_PTR wanted = button == pressed ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON;
        if ((::GetWindowLongPtrW(button, GWL_STYLE) & BS_TYPEMASK) != wanted)
            ::SendMessageW(button, BM_SETSTYLE, static_cast<WPARAM>(wanted), TRUE);
    }
}

void TfrmOptionDlg::OnActivate(bool active)
{
    if (!active) {
        const HWND focus = ::GetFocus();
        if (focus && ::IsChild(hwnd_, focus)) FFocus = focus;
        return;
    }
    ::SetFocus(FFocus && ::IsWindow(FFocus) ? FFocus : seCaptureTime);
}

bool TfrmOptionDlg::OnCommand(int id, int code)
{
    if (code != BN_CLICKED) return false;
    switch (id) {
        case kOKBtn: OKBtnClick(); return true;
        case kCancelBtn: CancelBtnClick(); return true;
        case kUpdateBtn: UpdateBtnClick(); return true;
    }
    return false;
}

LRESULT TfrmOptionDlg::HandleMessage(UINT msg, WPARAM wp, LPARAM lp)
{
    switch (msg) {
        case WM_COMMAND:
            if (OnCommand(LOWORD(wp), HIWORD(wp))) return 0;
            break;
        case WM_ACTIVATE: OnActivate(LOWORD(wp) != WA_INACTIVE); return 0;
        case WM_CLOSE: CancelBtnClick(); return 0;
        case WM_DPICHANGED: {
            ApplyDpi(HIWORD(wp));
            win::MoveToSuggestedRect(hwnd_, lp);
            return 0;
        }
    }
    return DefaultProc(msg, wp, lp);
}

// --- the delay field ----------------------------------------------------------------

std::string TfrmOptionDlg::FieldText() const { return win::Narrow(win::TextOf(seCaptureTime)); }

void TfrmOptionDlg::SetFieldText(const std::string& utf8) { ::SetWindowTextW(seCaptureTime, win::Widen(utf8).c_str()); }

void TfrmOptionDlg::StepField(int delta) { SetFieldText(core::SpinEditStep(FieldText(), delta)); }

void TfrmOptionDlg::LeaveField()
{
    if (const auto clamped = core::SpinEditTextOnLeave(FieldText())) SetFieldText(*clamped);
}

LRESULT TfrmOptionDlg::FieldMessage(UINT msg, WPARAM wp, LPARAM lp)
{
    const HWND field = seCaptureTime;
    switch (msg) {
        case WM_CHAR:
        case WM_IME_CHAR:
            if (core::IsSpinEditChar(static_cast<char32_t>(wp), FDecimalSeparator)) break;
            gBeep(0);
            return 0;
        case WM_KEYDOWN:
            if (wp != VK_UP && wp != VK_DOWN) break;
            StepField(wp == VK_UP ? 1 : -1);
            return 0;
        case WM_LBUTTONDOWN: {
            FClickIntoField = true;
            const LRESULT result = ::DefSubclassProc(field, msg, wp, lp);
            FClickIntoField = false;
            return result;
        }
        case WM_SETFOCUS: {
            const LRESULT result = ::DefSubclassProc(field, msg, wp, lp);
            if (!FClickIntoField) Edit_SetSel(field, 0, -1);
            FocusChanged(field);
            return result;
        }
        case WM_KILLFOCUS: {
            // Only a move to another control of the dialog is leaving the field; switching
            // to another window keeps the text as typed.
            const LRESULT result = ::DefSubclassProc(field, msg, wp, lp);
            const HWND next = reinterpret_cast<HWND>(wp);
            if (next && ::IsChild(hwnd_, next)) LeaveField();
            return result;
        }
    }
    return ::DefSubclassProc(field, msg, wp, lp);
}

LRESULT CALLBACK TfrmOptionDlg::FieldProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR, DWORD_PTR self) noexcept
{
    if (msg == WM_NCDESTROY) {
        ::RemoveWindowSubclass(hwnd, &FieldProc, 0);
        return ::DefSubclassProc(hwnd, msg, wp, lp);
    }
    auto* dialog = reinterpret_cast<TfrmOptionDlg*>(self);
    return win::Guarded([&] { return dialog->FieldMessage(msg, wp, lp); }, LRESULT{0});
}

LRESULT CALLBACK TfrmOptionDlg::ButtonProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR, DWORD_PTR self) noexcept
{
    if (msg == WM_NCDESTROY) ::RemoveWindowSubclass(hwnd, &ButtonProc, 0);
    const LRESULT result = ::DefSubclassProc(hwnd, msg, wp, lp);
    if (msg == WM_SETFOCUS) win::GuardedVoid([&] { reinterpret_cast<TfrmOptionDlg*>(self)->FocusChanged(hwnd); });
    return result;
}

}  // namespace

void SetSpinEditBeep(BeepSound beep) noexcept { gBeep = beep ? beep : &::MessageBeep; }

void ShowOptionDlg(TRorUruvodi& main)
{
    TfrmOptionDlg dialog(main);
    dialog.ShowModal();
}

}  // namespace app
