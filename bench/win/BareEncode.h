#pragma once
// The encoder on its own, as the benchmarks compare the program with it: COM, the factory and
// the PNG encoder, every 24-bit row in one call, into a stream that `open` points somewhere.
#include <windows.h>
#include <wincodec.h>

#include <functional>
#include <vector>

#include "win32/Com.h"

namespace bench {

inline void BareEncodePng(const std::function<void(IWICStream&)>& open, const std::vector<BYTE>& rows, UINT stride,
                          int width, int height)
{
    win::ComScope com;
    win::ComPtr<IWICImagingFactory> factory;
    win::ComPtr<IWICStream> stream;
    win::ComPtr<IWICBitmapEncoder> encoder;
    win::ComPtr<IWICBitmapFrameEncode> frame;
    WICPixelFormatGUID format = GUID_WICPixelFormat24bppBGR;
    win::ThrowIfFailed(
        ::CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(factory.put())));
    win::ThrowIfFailed(factory.get()->CreateStream(stream.put()));
    open(*stream.get());
    win::ThrowIfFailed(factory.get()->CreateEncoder(GUID_ContainerFormatPng, nullptr, encoder.put()));
    win::ThrowIfFailed(encoder.get()->Initialize(stream.get(), WICBitmapEncoderNoCache));
    win::ThrowIfFailed(encoder.get()->CreateNewFrame(frame.put(), nullptr));
    win::ThrowIfFailed(frame.get()->Initialize(nullptr));
    win::ThrowIfFailed(frame.get()->SetSize(static_cast<UINT>(width), static_cast<UINT>(height)));
    win::ThrowIfFailed(frame.get()->SetPixelFormat(&format));
    win::ThrowIfFailed(frame.get()->WritePixels(static_cast<UINT>(height), stride, static_cast<UINT>(rows.size()),
                                                const_cast<BYTE*>(rows.data())));
    win::ThrowIfFailed(frame.get()->Commit());
    win::ThrowIfFailed(encoder.get()->Commit());
}

}  // namespace bench
