#include "win32/ReplacingFile.h"

#include <algorithm>
#include <cstdint>

#include "core/SaveName.h"
#include "win32/Text.h"

namespace win {
namespace {

// An IStream over a file handle, as the image encoders want one. Single-threaded.
class FileStream final : public IStream {
public:
    FileStream() noexcept = default;
    void Open(OwnedHandle file) noexcept { file_ = std::move(file); }
    DWORD Failure() const noexcept { return failure_; }
    bool Flush() noexcept { return ::FlushFileBuffers(file_.get()) != FALSE; }
    void Close() noexcept { file_.reset(); }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override
    {
        if (!out) return E_POINTER;
        *out = nullptr;
        if (iid != __uuidof(IUnknown) && iid != __uuidof(ISequentialStream) && iid != __uuidof(IStream))
            return E_NOINTERFACE;
        *out = static_cast<IStream*>(this);
        AddRef();
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }
    ULONG STDMETHODCALLTYPE Release() override
    {
        const ULONG left = --references_;
        if (left == 0) delete this;
        return left;
    }

    HRESULT STDMETHODCALLTYPE Read(void* data, ULONG size, ULONG* read) override
    {
        DWORD done = 0;
        if (!::ReadFile(file_.get(), data, size, &done, nullptr)) return Failed();
        if (read) *read = done;
        return done < size ? S_FALSE : S_OK;
    }
    HRESULT STDMETHODCALLTYPE Write(const void* data, ULONG size, ULONG* written) override
    {
        DWORD done = 0;
        const BOOL ok = ::WriteFile(file_.get(), data, size, &done, nullptr);
        if (written) *written = done;
        if (!ok) return Failed();
        return done < size ? Failed(ERROR_DISK_FULL) : S_OK;
    }
    HRESULT STDMETHODCALLTYPE Seek(LARGE_INTEGER move, DWORD origin, ULARGE_INTEGER* position) override
    {
        // STREAM_SEEK_SET, _CUR and _END are FILE_BEGIN, _CURRENT and _END.
        LARGE_INTEGER at{};
        if (!::SetFilePointerEx(file_.get(), move, &at, origin)) return Failed();
        if (position) position->QuadPart = static_cast<ULONGLONG>(at.QuadPart);
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE SetSize(ULARGE_INTEGER size) override
    {
        LARGE_INTEGER at{}, end{};
        end.QuadPart = static_cast<LONGLONG>(size.QuadPart);
        if (!::SetFilePointerEx(file_.get(), {}, &at, FILE_CURRENT) ||
            !::SetFilePointerEx(file_.get(), end, nullptr, FILE_BEGIN) || !::SetEndOfFile(file_.get()) ||
            !::SetFilePointerEx(file_.get(), at, nullptr, FILE_BEGIN))
            return Failed();
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE Stat(STATSTG* stat, DWORD) override
    {
        if (!stat) return STG_E_INVALIDPOINTER;
        *stat = STATSTG{};
        stat->type = STGTY_STREAM;
        stat->grfMode = STGM_READWRITE;
        LARGE_INTEGER size{};
        if (!::GetFileSizeEx(file_.get(), &size)) return Failed();
        stat->cbSize.QuadPart = static_cast<ULONGLONG>(size.QuadPart);
        return S_OK;
    }
    // Nothing is buffered here: Commit has nothing to do. The rest no encoder needs.
    HRESULT STDMETHODCALLTYPE Commit(DWORD) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE CopyTo(IStream*, ULARGE_INTEGER, ULARGE_INTEGER*, ULARGE_INTEGER*) override
    {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE Revert() override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE LockRegion(ULARGE_INTEGER, ULARGE_INTEGER, DWORD) override
    {
        return STG_E_INVALIDFUNCTION;
    }
    HRESULT STDMETHODCALLTYPE UnlockRegion(ULARGE_INTEGER, ULARGE_INTEGER, DWORD) override
    {
        return STG_E_INVALIDFUNCTION;
    }
    HRESULT STDMETHODCALLTYPE Clone(IStream**) override { return E_NOTIMPL; }

private:
    ~FileStream() = default;
    HRESULT Failed(DWORD error = ::GetLastError()) noexcept
    {
        if (error == ERROR_SUCCESS) error = ERROR_GEN_FAILURE;
        if (failure_ == ERROR_SUCCESS) failure_ = error;
        return HRESULT_FROM_WIN32(error);
    }

    OwnedHandle file_;
    DWORD failure_ = ERROR_SUCCESS;
    ULONG references_ = 1;
};

FileStream& Of(const ComPtr<IStream>& stream) { return *static_cast<FileStream*>(stream.get()); }

// A new file of a name no other file has, beside the target; a null handle when none can be
// made, with the system's error left for GetLastError.
OwnedHandle CreateTemporary(const std::wstring& target, std::wstring& path)
{
    const std::string narrowTarget = Narrow(target);
    std::uint32_t salt = ::GetTickCount() ^ (::GetCurrentProcessId() << 16);
    for (int attempt = 0; attempt < 64; ++attempt, salt = salt * 1664525u + 1013904223u) {
        path = Widen(core::TemporarySibling(narrowTarget, salt));
        const HANDLE file = ::CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                          FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file != INVALID_HANDLE_VALUE) return OwnedHandle(file);
        if (::GetLastError() != ERROR_FILE_EXISTS) break;
    }
    path.clear();
    return OwnedHandle();
}

}  // namespace

std::wstring ReplacingFile::LongPathForm(std::wstring path)
{
    if (path.size() < MAX_PATH || path.starts_with(L"\\\\?\\")) return path;
    std::replace(path.begin(), path.end(), L'/', L'\\');
    if (path.starts_with(L"\\\\")) return L"\\\\?\\UNC\\" + path.substr(2);
    if (path.size() > 2 && path[1] == L':' && path[2] == L'\\') return L"\\\\?\\" + path;
    return path;
}

ReplacingFile::ReplacingFile(std::wstring target)
    : shown_(std::move(target)), target_(LongPathForm(shown_)), stream_(new FileStream)
{
    // Nothing that can fail comes after the file is made, so the destructor always deletes it.
    OwnedHandle file = CreateTemporary(target_, temporary_);
    if (!file) Fail(::GetLastError());
    Of(stream_).Open(std::move(file));
}

void ReplacingFile::Fail(DWORD code) const { throw SaveError(shown_, code == ERROR_SUCCESS ? ERROR_GEN_FAILURE : code); }

ReplacingFile::~ReplacingFile()
{
    Of(stream_).Close();
    if (!committed_) ::DeleteFileW(temporary_.c_str());
}

IStream* ReplacingFile::Stream() const noexcept { return stream_.get(); }

DWORD ReplacingFile::StreamFailure() const noexcept { return Of(stream_).Failure(); }

void ReplacingFile::Commit()
{
    if (!Of(stream_).Flush()) Fail(::GetLastError());
    Of(stream_).Close();
    if (!::MoveFileExW(temporary_.c_str(), target_.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        Fail(::GetLastError());
    committed_ = true;
}

}  // namespace win
