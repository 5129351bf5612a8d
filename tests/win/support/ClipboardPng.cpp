#include "ClipboardPng.h"

#include <wincodec.h>

#include <algorithm>
#include <stdexcept>

#include "ClipboardDib.h"
#include "win32/Com.h"
#include "win32/Wic.h"

namespace wintest {
namespace {

constexpr GUID kBgra32{0x6fddc324, 0x4e03, 0x4bfe, {0xb1, 0x85, 0x3d, 0x77, 0x76, 0x8d, 0xc9, 0x0f}};
constexpr BYTE kLastChunk[] = {0, 0, 0, 0, 'I', 'E', 'N', 'D', 0xAE, 0x42, 0x60, 0x82};

void Check(HRESULT hr, const char* what)
{
    if (FAILED(hr)) throw std::runtime_error(std::string("decoding the PNG: ") + what + " failed");
}

}  // namespace

UINT PngFormat() { return ::RegisterClipboardFormatW(L"PNG"); }

Png DecodePng(const std::vector<BYTE>& file)
{
    win::ComScope com;
    win::ComPtr<IWICImagingFactory> factory;
    Check(::CoCreateInstance(win::wic::kImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(factory.put())),
          "the factory");
    win::ComPtr<IWICStream> stream;
    Check(factory.get()->CreateStream(stream.put()), "the stream");
    Check(stream.get()->InitializeFromMemory(const_cast<BYTE*>(file.data()), static_cast<DWORD>(file.size())),
          "the stream");
    win::ComPtr<IWICBitmapDecoder> decoder;
    Check(factory.get()->CreateDecoderFromStream(stream.get(), nullptr, WICDecodeMetadataCacheOnDemand, decoder.put()),
          "the decoder");
    GUID container{};
    Check(decoder.get()->GetContainerFormat(&container), "the container");
    if (container != win::wic::kPng) throw std::runtime_error("the clipboard's PNG holds another format");
    win::ComPtr<IWICBitmapFrameDecode> frame;
    Check(decoder.get()->GetFrame(0, frame.put()), "the frame");
    win::ComPtr<IWICBitmapSource> bgra;
    Check(::WICConvertBitmapSource(kBgra32, frame.get(), bgra.put()), "the conversion");
    UINT width = 0, height = 0;
    Check(bgra.get()->GetSize(&width, &height), "the size");
    Png png{{static_cast<int>(width), static_cast<int>(height), {}}};
    png.colours.values.resize(static_cast<size_t>(width) * height);
    Check(bgra.get()->CopyPixels(nullptr, width * 4, static_cast<UINT>(png.colours.values.size() * 4),
                                 reinterpret_cast<BYTE*>(png.colours.values.data())),
          "reading the pixels");
    for (auto& v : png.colours.values) {
        png.translucentPixels += (v >> 24) != 0xFF;
        v &= 0x00FFFFFF;
    }
    png.endsWithItsLastChunk =
        file.size() >= sizeof(kLastChunk) &&
        std::equal(std::begin(kLastChunk), std::end(kLastChunk), file.end() - sizeof(kLastChunk));
    return png;
}

std::optional<Png> ClipboardPng()
{
    if (!OpenClipboardSoon(nullptr)) throw std::runtime_error("the clipboard cannot be opened to read it");
    const std::optional<std::vector<BYTE>> file = ClipboardBlock(PngFormat());
    ::CloseClipboard();
    if (!file) return std::nullopt;
    return DecodePng(*file);
}

std::optional<Png> ClipboardPngFromAnotherProcess()
{
    const std::optional<std::vector<BYTE>> file = SecondProcessOutput(kDumpPngArgument, L"pixtrove-png");
    if (!file) return std::nullopt;  // no PNG there
    return DecodePng(*file);
}

RefusedImagingFactory::RefusedImagingFactory()
    : initialised_(SUCCEEDED(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE)))
{
    if (FAILED(::CoRegisterClassObject(win::wic::kImagingFactory, this, CLSCTX_INPROC_SERVER, REGCLS_MULTIPLEUSE,
                                       &cookie_)))
        throw std::runtime_error("the refusing imaging factory could not be registered");
}

RefusedImagingFactory::~RefusedImagingFactory()
{
    ::CoRevokeClassObject(cookie_);
    if (initialised_) ::CoUninitialize();
}

HRESULT RefusedImagingFactory::QueryInterface(REFIID iid, void** out)
{
    if (iid == __uuidof(IUnknown) || iid == __uuidof(IClassFactory)) {
        *out = static_cast<IClassFactory*>(this);
        return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
}

HRESULT RefusedImagingFactory::CreateInstance(IUnknown*, REFIID, void** out)
{
    *out = nullptr;
    ++asked_;
    return E_OUTOFMEMORY;
}

}  // namespace wintest
