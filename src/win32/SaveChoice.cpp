#include "win32/SaveChoice.h"

#include "core/SaveName.h"
#include "win32/Com.h"
#include "win32/ErrorReport.h"
#include "win32/Text.h"

namespace win {
namespace {

std::wstring ResultPath(IFileDialog& dialog)
{
    ComPtr<IShellItem> item;
    OwnedTaskString path;
    if (FAILED(dialog.GetResult(item.put())) || FAILED(item.get()->GetDisplayName(SIGDN_FILESYSPATH, path.put())))
        return {};
    return path.get();
}

std::wstring TypedName(IFileDialog& dialog)
{
    OwnedTaskString typed;
    if (FAILED(dialog.GetFileName(typed.put())) || !typed) return {};
    return typed.get();
}

HWND WindowOf(IFileDialog& dialog)
{
    ComPtr<IOleWindow> ole;
    HWND window = nullptr;
    if (FAILED(dialog.QueryInterface(IID_PPV_ARGS(ole.put()))) || FAILED(ole.get()->GetWindow(&window))) return nullptr;
    return window;
}

}  // namespace

bool SaveChoice::MayReplace(IFileDialog& dialog, const std::wstring& file)
{
    const DWORD attributes = ::GetFileAttributesW(file.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY)) return true;
    const std::wstring question = L"「" + file + L"」は既に存在します。\n上書きしますか?";
    return ::MessageBoxW(WindowOf(dialog), question.c_str(), kAppTitle, MB_YESNO | MB_ICONEXCLAMATION) == IDYES;
}

HRESULT STDMETHODCALLTYPE SaveChoice::OnFileOk(IFileDialog* dialog)
{
    if (!dialog) return S_OK;
    return Guarded(
        [&]() -> HRESULT {
            const std::wstring result = ResultPath(*dialog);
            if (result.empty()) return S_OK;  // nothing to judge: the dialog's own answer stands
            UINT entry = 1;
            if (FAILED(dialog->GetFileTypeIndex(&entry)) || entry == 0) entry = 1;
            const std::string typed = core::TypedSavePath(Narrow(result), Narrow(TypedName(*dialog)));
            const core::SavePlan plan = core::PlanSave(typed, entry - 1);
            if (!MayReplace(*dialog, Widen(plan.path))) return S_FALSE;
            path_ = Widen(typed);
            entry_ = entry - 1;
            return S_OK;
        },
        S_FALSE);
}

}  // namespace win
