#include "app/SettingsDialog.h"

#include <windowsx.h>

#include <memory>
#include <optional>
#include <string>

#include "app/MainFrame.h"
#include "app/SettingsDialogLayout.h"
#include "core/SpinEditRules.h"
#include "win32/Dpi.h"
#include "win32/ErrorReport.h"
#include "win32/KeyField.h"
#include "win32/ModalForm.h"
#include "win32/SpinButton.h"
#include "win32/Text.h"

namespace app {
namespace {

const win::WindowClass kDialogClass{.name = L"TfrmOptionDlg"};
// Not WS_CLIPCHILDREN: the group box leaves its inside to the dialog's background.
constexpr DWORD kStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU;
constexpr DWORD kExStyle = WS_EX_DLGMODALFRAME | WS_EX_WINDOWEDGE | WS_EX_CONTROLPARENT;
using namespace settings;

char32_t UserDecimalSeparator()
{
    wchar_t separator[8]{};
    if (::GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, LOCALE_SDECIMAL, separator, 8) < 2) return U'.';
    return separator[0];
}

class SettingsDialog final : public win::ModalForm {
public:
    explicit SettingsDialog(MainFrame& main);
    ~SettingsDialog() override
    {
        if (hwnd_) ::DestroyWindow(hwnd_);
    }
    void ShowModal() { RunModal(main_.hwnd()); }

private:
    LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override;
    void OnButton(int id) override;
    void CreateControls();
    void ApplyDpi(UINT dpi);
    void OnActivate(bool active);
    void ShowSettings(const core::Settings& settings);
    // The settings as the dialog shows them; refused, with nothing applied, while one key is
    // given to two actions.
    core::Settings EditedSettings();
    void Apply(const core::Settings& edited);
    void ShowHotKeyNotice();
    bool Checked(ControlId id) const noexcept { return Button_GetCheck(Control(id)) == BST_CHECKED; }
    void Check(ControlId id, bool on) noexcept { Button_SetCheck(Control(id), on ? BST_CHECKED : BST_UNCHECKED); }

    // The delay field.
    static LRESULT CALLBACK FieldProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR, DWORD_PTR self) noexcept;
    // Any other control: its focus shows which push button Enter presses.
    static LRESULT CALLBACK ButtonProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR, DWORD_PTR self) noexcept;
    LRESULT FieldMessage(UINT msg, WPARAM wp, LPARAM lp);
    void SetFieldText(const std::string& utf8);
    std::string FieldText() const;
    void StepField(int delta);
    void LeaveField();

    HWND Control(ControlId id) const noexcept { return ::GetDlgItem(hwnd_, id); }

    MainFrame& main_;
    HWND field_ = nullptr;
    std::unique_ptr<win::SpinButton> arrows_;
    win::OwnedFont font_;
    char32_t decimalSeparator_ = UserDecimalSeparator();
    HWND lastFocus_ = nullptr;     // the control to give the focus back to on activation
    bool clickIntoField_ = false;  // the field is taking the focus from a mouse click into it
};

SettingsDialog::SettingsDialog(MainFrame& main) : main_(main)
{
    CreateCentred(main.hwnd(), kDialogClass, L"環境設定", kStyle, kExStyle, kClientWidth, kClientHeight, [this] {
        CreateControls();
        ShowSettings(main_.Settings());
        ShowHotKeyNotice();
    });
}

void SettingsDialog::ShowSettings(const core::Settings& settings)
{
    const core::SettingsValues& values = settings.Values();
    SetFieldText(core::SpinEditTextFor(values.delay));
    Check(kFlatCheckBox, values.flatToolBar);
    Check(kCursorCheckBox, values.captureCursor);
    Check(kRegionCopyCheckBox, values.regionCopy);
    Check(kHotKeysCheckBox, values.hotKeys);
    Check(kKeepShotsCheckBox, values.keepShots);
    for (core::KeyAction action : core::kKeyActions)
        win::ShowKey(Control(KeyField(action)), values.keys[core::Index(action)]);
}

void SettingsDialog::CreateControls()
{
    static const INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_HOTKEY_CLASS};
    ::InitCommonControlsEx(&icc);
    for (const ControlLayout& c : kLayout) {
        win::ThrowLastErrorIfNull(::CreateWindowExW(c.exStyle, c.className, c.text, WS_CHILD | WS_VISIBLE | c.style, 0,
                                                    0, 0, 0, hwnd_, reinterpret_cast<HMENU>(static_cast<INT_PTR>(c.id)),
                                                    win::Instance(), nullptr));
    }
    field_ = Control(kDelayField);
    SetKeyboard({kDelayField, kFlatCheckBox, kCursorCheckBox, kRegionCopyCheckBox, kHotKeysCheckBox, kRegionKeyField,
                 kTargetKeyField, kWindowKeyField, kDelayedKeyField, kScrollKeyField, kKeepShotsCheckBox, kOkButton, kCancelButton, kApplyButton},
                kOkButton, kCancelButton);
    ::SendMessageW(field_, EM_LIMITTEXT, core::kSpinEditMaxLength, 0);
    const auto self = reinterpret_cast<DWORD_PTR>(this);
    ::SetWindowSubclass(field_, &FieldProc, 0, self);
    for (ControlId id : kKeyFields)
        win::PrepareKeyField(Control(id));
    for (ControlId id : {kFlatCheckBox, kCursorCheckBox, kRegionCopyCheckBox, kHotKeysCheckBox, kRegionKeyField,
                         kTargetKeyField, kWindowKeyField, kDelayedKeyField, kScrollKeyField, kKeepShotsCheckBox, kOkButton, kCancelButton, kApplyButton})
        ::SetWindowSubclass(Control(id), &ButtonProc, 0, self);
    arrows_ = std::make_unique<win::SpinButton>(field_, [this](int delta) { StepField(delta); });

    // The menu of a dialog frame: move and close.
    const HMENU menu = ::GetSystemMenu(hwnd_, FALSE);
    for (UINT command : {SC_RESTORE, SC_SIZE, SC_MINIMIZE, SC_MAXIMIZE})
        ::DeleteMenu(menu, command, MF_BYCOMMAND);

    ApplyDpi(win::DpiOf(hwnd_));
    Recentre(main_.hwnd(), kClientWidth, kClientHeight);
}

// Everything whose size is given at 96 dpi.
void SettingsDialog::ApplyDpi(UINT dpi)
{
    win::OwnedFont font = win::MakeUiFont(dpi);
    for (const ControlLayout& c : kLayout) {
        const HWND control = Control(c.id);
        ::MoveWindow(control, win::Scale(c.left, dpi), win::Scale(c.top, dpi), win::Scale(c.width, dpi),
                     win::Scale(c.height, dpi), TRUE);
        ::SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font.get()), TRUE);
    }
    font_ = std::move(font);
    // Setting the font resets the field's margins; the text must stay clear of the arrows.
    const int arrows = win::Scale(kArrowsWidth, dpi);
    ::SendMessageW(field_, EM_SETMARGINS, EC_RIGHTMARGIN, MAKELPARAM(0, arrows));
    arrows_->Place(arrows);
}

core::Settings SettingsDialog::EditedSettings()
{
    core::KeyChoices keys{};
    for (core::KeyAction action : core::kKeyActions)
        keys[core::Index(action)] = win::KeyOf(Control(KeyField(action)));
    if (const std::optional<core::SharedKey> shared = core::FindSharedKey(keys)) {
        ::SetFocus(Control(KeyField(shared->second)));
        throw core::AppError(core::SharedKeyMessage(keys, *shared));
    }
    core::Settings edited = main_.Settings();
    edited.SetCaptureDelay(core::SpinEditValue(FieldText()));
    edited.SetFlatToolBar(Checked(kFlatCheckBox));
    edited.SetCaptureCursor(Checked(kCursorCheckBox));
    edited.SetRegionCopy(Checked(kRegionCopyCheckBox));
    edited.SetHotKeys(Checked(kHotKeysCheckBox));
    edited.SetKeepShots(Checked(kKeepShotsCheckBox));
    for (core::KeyAction action : core::kKeyActions)
        edited.SetKey(action, keys[core::Index(action)]);
    return edited;
}

void SettingsDialog::Apply(const core::Settings& edited)
{
    main_.ApplySettings(edited);
    ShowHotKeyNotice();
    main_.SaveSettings();
}

// The keys the program could not have, as the status bar tells them; else how a field takes a key.
void SettingsDialog::ShowHotKeyNotice()
{
    const std::string notice = main_.HotKeyNotice();
    ::SetWindowTextW(Control(kHotKeysNotice), notice.empty() ? kHotKeysLegend : win::Widen(notice).c_str());
}

void SettingsDialog::OnButton(int id)
{
    switch (id) {
        case kOkButton: {
            const core::Settings edited = EditedSettings();
            Close();  // before the apply, so that the dialog closes even when the save fails
            Apply(edited);
            break;
        }
        case kCancelButton: Close(); break;
        case kApplyButton: Apply(EditedSettings()); break;
    }
}

void SettingsDialog::OnActivate(bool active)
{
    if (!active) {
        const HWND focus = ::GetFocus();
        if (focus && ::IsChild(hwnd_, focus)) lastFocus_ = focus;
        return;
    }
    ::SetFocus(lastFocus_ && ::IsWindow(lastFocus_) ? lastFocus_ : field_);
}

LRESULT SettingsDialog::HandleMessage(UINT msg, WPARAM wp, LPARAM lp)
{
    switch (msg) {
        case WM_COMMAND:
            if (HIWORD(wp) != BN_CLICKED) break;
            OnButton(LOWORD(wp));
            return 0;
        case WM_ACTIVATE: OnActivate(LOWORD(wp) != WA_INACTIVE); return 0;
        case WM_CLOSE: Close(); return 0;
        case WM_DPICHANGED:
            ApplyDpi(HIWORD(wp));
            win::MoveToSuggestedRect(hwnd_, lp);
            return 0;
    }
    return DefaultProc(msg, wp, lp);
}

// --- the delay field ----------------------------------------------------------------

std::string SettingsDialog::FieldText() const { return win::Narrow(win::TextOf(field_)); }

void SettingsDialog::SetFieldText(const std::string& utf8) { ::SetWindowTextW(field_, win::Widen(utf8).c_str()); }

void SettingsDialog::StepField(int delta) { SetFieldText(core::SpinEditStep(FieldText(), delta)); }

void SettingsDialog::LeaveField()
{
    if (const auto clamped = core::SpinEditTextOnLeave(FieldText())) SetFieldText(*clamped);
}

LRESULT SettingsDialog::FieldMessage(UINT msg, WPARAM wp, LPARAM lp)
{
    switch (msg) {
        case WM_CHAR:
        case WM_IME_CHAR:
            if (core::IsSpinEditChar(static_cast<char32_t>(wp), decimalSeparator_)) break;
            main_.Shell().Beep(0);
            return 0;
        case WM_KEYDOWN:
            if (wp != VK_UP && wp != VK_DOWN) break;
            StepField(wp == VK_UP ? 1 : -1);
            return 0;
        case WM_LBUTTONDOWN: {
            clickIntoField_ = true;
            const LRESULT result = ::DefSubclassProc(field_, msg, wp, lp);
            clickIntoField_ = false;
            return result;
        }
        case WM_SETFOCUS: {
            const LRESULT result = ::DefSubclassProc(field_, msg, wp, lp);
            if (!clickIntoField_) Edit_SetSel(field_, 0, -1);
            ShowDefaultButtonFor(field_);
            return result;
        }
        case WM_KILLFOCUS: {
            // Only a move to another control of the dialog is leaving the field; switching
            // to another window keeps the text as typed.
            const LRESULT result = ::DefSubclassProc(field_, msg, wp, lp);
            const HWND next = reinterpret_cast<HWND>(wp);
            if (next && ::IsChild(hwnd_, next)) LeaveField();
            return result;
        }
    }
    return ::DefSubclassProc(field_, msg, wp, lp);
}

LRESULT CALLBACK SettingsDialog::FieldProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR, DWORD_PTR self) noexcept
{
    if (msg == WM_NCDESTROY) {
        ::RemoveWindowSubclass(hwnd, &FieldProc, 0);
        return ::DefSubclassProc(hwnd, msg, wp, lp);
    }
    auto* dialog = reinterpret_cast<SettingsDialog*>(self);
    return win::Guarded([&] { return dialog->FieldMessage(msg, wp, lp); }, LRESULT{0});
}

LRESULT CALLBACK SettingsDialog::ButtonProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR,
                                            DWORD_PTR self) noexcept
{
    if (msg == WM_NCDESTROY) ::RemoveWindowSubclass(hwnd, &ButtonProc, 0);
    const LRESULT result = ::DefSubclassProc(hwnd, msg, wp, lp);
    if (msg == WM_SETFOCUS)
        win::GuardedVoid([&] { reinterpret_cast<SettingsDialog*>(self)->ShowDefaultButtonFor(hwnd); });
    return result;
}

}  // namespace

void ShowSettingsDialog(MainFrame& main)
{
    SettingsDialog dialog(main);
    dialog.ShowModal();
}

}  // namespace app
