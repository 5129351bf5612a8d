#pragma once
// The clipboard's "PNG" format as a reader takes it, in this process or in a second one,
// decoded by the system's decoder; and an imaging component that refuses to work, to see
// what a copy does when its PNG cannot be made.
#include <windows.h>
#include <objbase.h>

#include <optional>
#include <vector>

#include "ClipboardProbe.h"

namespace wintest {

struct Png {
    Pixels colours;                     // 0x00RRGGBB
    int translucentPixels = 0;          // pixels whose alpha is below 255
    bool endsWithItsLastChunk = false;  // nothing follows the file's IEND chunk
};

// The registered format "PNG".
UINT PngFormat();

// The file decoded; throws when it is no PNG the decoder reads.
Png DecodePng(const std::vector<BYTE>& file);

// The clipboard's PNG as this process reads it; nothing when there is none.
std::optional<Png> ClipboardPng();

// The same, read by this test program started again with kDumpPngArgument and a file
// (main() answers it with DumpClipboardBlock(PngFormat(), file)).
inline constexpr char kDumpPngArgument[] = "--dump-png";
std::optional<Png> ClipboardPngFromAnotherProcess();

// While it lives, this thread's COM hands out no imaging factory: every encoder and decoder
// of the system fails here. Counts how often one was asked for.
class RefusedImagingFactory final : public IClassFactory {
public:
    RefusedImagingFactory();
    ~RefusedImagingFactory();
    RefusedImagingFactory(const RefusedImagingFactory&) = delete;
    RefusedImagingFactory& operator=(const RefusedImagingFactory&) = delete;

    int asked() const noexcept { return asked_; }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override;
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; }  // lives on the test's stack
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
    HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID iid, void** out) override;
    HRESULT STDMETHODCALLTYPE LockServer(BOOL) override { return S_OK; }

private:
    bool initialised_ = false;
    DWORD cookie_ = 0;
    int asked_ = 0;
};

}  // namespace wintest
