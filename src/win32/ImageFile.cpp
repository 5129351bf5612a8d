#include "win32/ImageFile.h"

#include <wincodec.h>

#include <algorithm>
#include <optional>

#include "win32/Com.h"
#include "win32/ReplacingFile.h"

namespace win {
namespace {

// The ids as the SDK gives them (CLSID_WICImagingFactory, GUID_ContainerFormat*,
// GUID_WICPixelFormat24bppBGR): from the import library they would bring every other id of
// the component along, over 100 KB of the program.
constexpr GUID kImagingFactory{0xcacaf262, 0x9370, 0x4615, {0xa1, 0x3b, 0x9f, 0x55, 0x39, 0xda, 0x4c, 0x0a}};
constexpr GUID kPng{0x1b7cfaf4, 0x713f, 0x473c, {0xbb, 0xcd, 0x61, 0x37, 0x42, 0x5f, 0xae, 0xaf}};
constexpr GUID kJpeg{0x19e4a5aa, 0x5662, 0x4fc5, {0xa0, 0xc0, 0x17, 0x58, 0x02, 0x8e, 0x10, 0x57}};
constexpr GUID kBmp{0x0af1d87e, 0xfcfe, 0x4188, {0xbd, 0xeb, 0xa7, 0x90, 0x64, 0x71, 0xcb, 0xe3}};
constexpr GUID kBgr24{0x6fddc324, 0x4e03, 0x4bfe, {0xb1, 0x85, 0x3d, 0x77, 0x76, 0x8d, 0xc9, 0x0c}};

// The rows handed to the encoder at a time take about this much memory.
constexpr int kBandBytes = 4 << 20;
constexpr float kJpegQuality = 0.9f;

const GUID& Container(core::ImageFormat format)
{
    switch (format) {
        case core::ImageFormat::Jpeg: return kJpeg;
        case core::ImageFormat::Bmp: return kBmp;
        case core::ImageFormat::Png: break;
    }
    return kPng;
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

    void Fill(const Picture& picture, core::Rect part, core::Rect frame)
    {
        picture.DrawOwnPixels(dc_.get(), part, frame);
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
            core::Rect frame, core::ImageFormat format)
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

    const int bandRows = std::clamp(kBandBytes / std::max(1, area.Width() * 3), 1, area.Height());
    Band band(area.Width(), bandRows);
    for (int top = area.top; top < area.bottom; top += bandRows) {
        const int rows = std::min(bandRows, area.bottom - top);
        band.Fill(picture, {area.left, top, area.right, top + rows}, frame);
        check(image.get()->WritePixels(static_cast<UINT>(rows), band.Stride(), band.Stride() * static_cast<UINT>(rows),
                                       band.Bits()));
    }
    check(image.get()->Commit());
    check(encoder.get()->Commit());
}

}  // namespace

void SavePicture(const Picture& picture, core::Rect area, core::Rect frame, const std::wstring& path,
                 core::ImageFormat format)
{
    ComScope com;
    ComPtr<IWICImagingFactory> factory;
    const HRESULT made =
        ::CoCreateInstance(kImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(factory.put()));
    if (FAILED(made)) throw SaveError(path, ErrorCode(made));
    ReplacingFile file(path);
    Encode(*factory.get(), file, picture, area, frame, format);
    file.Commit();
}

}  // namespace win
