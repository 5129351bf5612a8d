#include "win32/ImageEncoder.h"

#include <algorithm>

#include "win32/Wic.h"

namespace win {
namespace {

constexpr float kJpegQuality = 0.9f;

const GUID& Container(core::ImageFormat format)
{
    switch (format) {
        case core::ImageFormat::Jpeg: return wic::kJpeg;
        case core::ImageFormat::Bmp: return wic::kBmp;
        case core::ImageFormat::Png: break;
    }
    return wic::kPng;
}

// A band of 24-bit top-down DIB rows, selected into a DC of its own.
class Band {
public:
    Band(int width, int rows) noexcept : stride_((width * 3 + 3) & ~3)
    {
        BITMAPINFO info{};
        info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -rows, 1, 24, BI_RGB};
        bitmap_.reset(::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits_, nullptr, 0));
        dc_.reset(::CreateCompatibleDC(nullptr));
        if (bitmap_ && dc_) old_ = ::SelectObject(dc_.get(), bitmap_.get());
    }
    Band(const Band&) = delete;
    Band& operator=(const Band&) = delete;
    ~Band()
    {
        if (old_) ::SelectObject(dc_.get(), old_);
    }

    explicit operator bool() const noexcept { return old_ && bits_; }
    HDC DC() const noexcept { return dc_.get(); }
    UINT Stride() const noexcept { return static_cast<UINT>(stride_); }
    BYTE* Bits() const noexcept { return static_cast<BYTE*>(bits_); }

private:
    int stride_;
    void* bits_ = nullptr;
    OwnedBitmap bitmap_;
    OwnedDC dc_;
    HGDIOBJ old_ = nullptr;  // put back before either goes
};

HRESULT SetJpegQuality(IPropertyBag2& options) noexcept
{
    wchar_t name[] = L"ImageQuality";
    PROPBAG2 option{};
    option.pstrName = name;
    VARIANT value{};
    value.vt = VT_R4;
    value.fltVal = kJpegQuality;
    return options.Write(1, &option, &value);
}

HRESULT WriteRows(IWICBitmapFrameEncode& image, int width, int height, const BandPainter& paint) noexcept
{
    const int bandRows = std::clamp(wic::kBandBytes / std::max(1, width * 3), 1, height);
    const Band band(width, bandRows);
    if (!band) return E_OUTOFMEMORY;
    for (int top = 0; top < height; top += bandRows) {
        const int rows = std::min(bandRows, height - top);
        const bool painted = paint(band.DC(), top, rows);
        ::GdiFlush();  // the encoder reads the bits directly
        if (!painted) return E_FAIL;
        const HRESULT hr = image.WritePixels(static_cast<UINT>(rows), band.Stride(),
                                             band.Stride() * static_cast<UINT>(rows), band.Bits());
        if (FAILED(hr)) return hr;
    }
    return S_OK;
}

}  // namespace

HRESULT MakeImagingFactory(ComPtr<IWICImagingFactory>& factory) noexcept
{
    return ::CoCreateInstance(wic::kImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(factory.put()));
}

HRESULT EncodeImage(IWICImagingFactory& factory, IStream& stream, core::ImageFormat format, int width, int height,
                    const BandPainter& paint) noexcept
{
    if (width <= 0 || height <= 0) return E_INVALIDARG;
    ComPtr<IWICBitmapEncoder> encoder;
    HRESULT hr = factory.CreateEncoder(Container(format), nullptr, encoder.put());
    if (SUCCEEDED(hr)) hr = encoder.get()->Initialize(&stream, WICBitmapEncoderNoCache);
    ComPtr<IWICBitmapFrameEncode> image;
    ComPtr<IPropertyBag2> options;
    if (SUCCEEDED(hr)) hr = encoder.get()->CreateNewFrame(image.put(), options.put());
    if (SUCCEEDED(hr) && format == core::ImageFormat::Jpeg && options) hr = SetJpegQuality(*options.get());
    if (SUCCEEDED(hr)) hr = image.get()->Initialize(options.get());
    if (SUCCEEDED(hr)) hr = image.get()->SetSize(static_cast<UINT>(width), static_cast<UINT>(height));
    WICPixelFormatGUID pixels = wic::kBgr24;
    if (SUCCEEDED(hr)) hr = image.get()->SetPixelFormat(&pixels);
    if (SUCCEEDED(hr) && pixels != wic::kBgr24) hr = WINCODEC_ERR_UNSUPPORTEDPIXELFORMAT;
    if (SUCCEEDED(hr)) hr = WriteRows(*image.get(), width, height, paint);
    if (SUCCEEDED(hr)) hr = image.get()->Commit();
    if (SUCCEEDED(hr)) hr = encoder.get()->Commit();
    return hr;
}

}  // namespace win
