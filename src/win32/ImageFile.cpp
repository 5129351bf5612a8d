#include "win32/ImageFile.h"

#include <wincodec.h>

#include <algorithm>
#include <optional>

#include "win32/Com.h"
#include "win32/ReplacingFile.h"
#include "win32/Wic.h"

namespace win {
namespace {

using wic::kBgr24;
using wic::kImagingFactory;

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

// Rows of a picture as 24-bit top-down DIB rows, the one layout all three encoders take,
// which leaves no room for transparency.
class Band {
public:
    Band(int width, int rows) : stride_((width * 3 + 3) & ~3)
    {
        BITMAPINFO info{};
        info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -rows, 1, 24, BI_RGB};
        bitmap_.reset(ThrowLastErrorIfNull(::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits_, nullptr, 0)));
        dc_.reset(ThrowLastErrorIfNull(::CreateCompatibleDC(nullptr)));
        selected_.emplace(dc_.get(), bitmap_.get());
    }

    UINT Stride() const noexcept { return static_cast<UINT>(stride_); }
    BYTE* Bits() const noexcept { return static_cast<BYTE*>(bits_); }

    void Fill(const Picture& picture, core::Rect part)
    {
        picture.DrawPart(dc_.get(), part);
        ::GdiFlush();  // the encoder reads the bits directly
    }

private:
    int stride_;
    void* bits_ = nullptr;
    OwnedBitmap bitmap_;
    OwnedDC dc_;
    std::optional<SelectedObject> selected_;  // goes first
};

void SetJpegQuality(IPropertyBag2& options)
{
    wchar_t name[] = L"ImageQuality";
    PROPBAG2 option{};
    option.pstrName = name;
    VARIANT value{};
    value.vt = VT_R4;
    value.fltVal = kJpegQuality;
    ThrowIfFailed(options.Write(1, &option, &value));
}

// A failed encoder call, reported with what the file system said when the stream met an
// error, which is more telling than the encoder's own.
void Check(const ReplacingFile& file, HRESULT hr)
{
    if (SUCCEEDED(hr)) return;
    throw SaveError(file.Target(), file.StreamFailure() != ERROR_SUCCESS ? file.StreamFailure() : ErrorCode(hr));
}

void Encode(IWICImagingFactory& factory, const ReplacingFile& file, const Picture& picture, core::Rect area,
            core::ImageFormat format)
{
    const auto check = [&](HRESULT hr) { Check(file, hr); };
    ComPtr<IWICBitmapEncoder> encoder;
    check(factory.CreateEncoder(Container(format), nullptr, encoder.put()));
    check(encoder.get()->Initialize(file.Stream(), WICBitmapEncoderNoCache));
    ComPtr<IWICBitmapFrameEncode> image;
    ComPtr<IPropertyBag2> options;
    check(encoder.get()->CreateNewFrame(image.put(), options.put()));
    if (format == core::ImageFormat::Jpeg) SetJpegQuality(*options.get());
    check(image.get()->Initialize(options.get()));
    check(image.get()->SetSize(static_cast<UINT>(area.Width()), static_cast<UINT>(area.Height())));
    WICPixelFormatGUID pixels = kBgr24;
    check(image.get()->SetPixelFormat(&pixels));
    if (pixels != kBgr24) throw SaveError(file.Target(), ErrorCode(WINCODEC_ERR_UNSUPPORTEDPIXELFORMAT));

    const int bandRows = std::clamp(wic::kBandBytes / std::max(1, area.Width() * 3), 1, area.Height());
    Band band(area.Width(), bandRows);
    for (int top = area.top; top < area.bottom; top += bandRows) {
        const int rows = std::min(bandRows, area.bottom - top);
        band.Fill(picture, {area.left, top, area.right, top + rows});
        check(image.get()->WritePixels(static_cast<UINT>(rows), band.Stride(), band.Stride() * static_cast<UINT>(rows),
                                       band.Bits()));
    }
    check(image.get()->Commit());
    check(encoder.get()->Commit());
}

}  // namespace

void SavePicture(const Picture& picture, core::Rect area, const std::wstring& path, core::ImageFormat format)
{
    ComScope com;
    ComPtr<IWICImagingFactory> factory;
    const HRESULT made =
        ::CoCreateInstance(kImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(factory.put()));
    if (FAILED(made)) throw SaveError(path, ErrorCode(made));
    ReplacingFile file(path);
    Encode(*factory.get(), file, picture, area, format);
    file.Commit();
}

}  // namespace win
