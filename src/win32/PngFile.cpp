#include "win32/PngFile.h"

#include <wincodec.h>

#include <string_view>

#include "win32/Com.h"
#include "win32/FolderFiles.h"
#include "win32/PngBlock.h"
#include "win32/Wic.h"

namespace win {

void WritePngFile(const Snapshot& pixels, const std::wstring& path)
{
    const OwnedGlobal block = pixels.RenderPng();
    if (!block) throw SaveError(path, ERROR_NOT_ENOUGH_MEMORY);
    const void* bytes = ::GlobalLock(block.get());
    if (!bytes) throw SaveError(path, ::GetLastError());
    const std::string_view file(static_cast<const char*>(bytes), ::GlobalSize(block.get()));
    try {
        WriteWholeFile(path, file);
    } catch (...) {
        ::GlobalUnlock(block.get());
        throw;
    }
    ::GlobalUnlock(block.get());
}

std::unique_ptr<Picture> ReadPngFile(const std::wstring& path, int width, int height) noexcept
{
    try {
        ComScope com;
        ComPtr<IWICImagingFactory> factory;
        ComPtr<IWICBitmapDecoder> decoder;
        ComPtr<IWICBitmapFrameDecode> frame;
        ComPtr<IWICFormatConverter> converter;
        if (FAILED(
                ::CoCreateInstance(wic::kImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(factory.put()))) ||
            FAILED(factory.get()->CreateDecoderFromFilename(path.c_str(), nullptr, GENERIC_READ,
                                                            WICDecodeMetadataCacheOnDemand, decoder.put())) ||
            FAILED(decoder.get()->GetFrame(0, frame.put())))
            return nullptr;
        UINT w = 0, h = 0;
        if (FAILED(frame.get()->GetSize(&w, &h)) || w != static_cast<UINT>(width) || h != static_cast<UINT>(height))
            return nullptr;
        if (FAILED(factory.get()->CreateFormatConverter(converter.put())) ||
            FAILED(converter.get()->Initialize(frame.get(), wic::kBgr32, WICBitmapDitherTypeNone, nullptr, 0.0,
                                               WICBitmapPaletteTypeCustom)))
            return nullptr;
        std::unique_ptr<Picture> picture = Picture::Create(nullptr, width, height);
        const core::PixelView pixels = picture->Pixels();
        const auto stride = static_cast<UINT>(pixels.stride * 4);
        if (FAILED(converter.get()->CopyPixels(nullptr, stride, stride * h, reinterpret_cast<BYTE*>(pixels.pixels))))
            return nullptr;
        return picture;
    } catch (...) {
        return nullptr;  // no memory for the picture: it stays unread
    }
}

}  // namespace win
