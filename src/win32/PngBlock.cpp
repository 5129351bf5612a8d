#include "win32/PngBlock.h"

#include <wincodec.h>

#include <algorithm>
#include <cstdint>

#include "win32/Com.h"
#include "win32/Wic.h"

namespace win {
namespace {

// A stream that writes into a global memory block, which it leaves behind when it goes.
class BlockStream {
public:
    BlockStream() noexcept
    {
        if (FAILED(::CreateStreamOnHGlobal(nullptr, FALSE, stream_.put()))) stream_.reset();
    }
    BlockStream(const BlockStream&) = delete;
    BlockStream& operator=(const BlockStream&) = delete;
    ~BlockStream() { TakeBlock(); }

    IStream* get() const noexcept { return stream_.get(); }

    // The stream goes; its block, cut to what was written, is the caller's.
    OwnedGlobal TakeBlock(bool cutToPosition = false) noexcept
    {
        if (!stream_) return OwnedGlobal();
        ULARGE_INTEGER end{};
        const bool cut = cutToPosition && SUCCEEDED(stream_.get()->Seek({}, STREAM_SEEK_CUR, &end)) &&
                         SUCCEEDED(stream_.get()->SetSize(end));
        HGLOBAL block = nullptr;
        // The block may have moved as the stream grew: only the stream knows where it is now.
        if (FAILED(::GetHGlobalFromStream(stream_.get(), &block))) block = nullptr;
        stream_.reset();
        OwnedGlobal owned(block);
        if (cutToPosition && !cut) owned.reset();
        return owned;
    }

private:
    ComPtr<IStream> stream_;
};

// The stream grows its block by what each write needs, which copies the whole block every
// time it moves; room for the picture's raw rows is made at once instead, and the rest is
// cut off at the end. A PNG can exceed its raw size only by a few bytes a row.
void MakeRoom(IStream& stream, int width, int height) noexcept
{
    const std::uint64_t raw =
        (std::uint64_t{static_cast<std::uint32_t>(width)} * 3 + 1) * static_cast<std::uint32_t>(height);
    const std::uint64_t room = raw + raw / 64 + 65536;
    if (room < MAXDWORD) stream.SetSize(ULARGE_INTEGER{{static_cast<DWORD>(room), 0}});
}

// 24-bit top-down rows of the bitmap, a band at a time, for the encoder.
class Band {
public:
    Band(HBITMAP source, int width, int rows) noexcept : stride_((width * 3 + 3) & ~3), source_(source)
    {
        BITMAPINFO info{};
        info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -rows, 1, 24, BI_RGB};
        bitmap_.reset(::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits_, nullptr, 0));
        into_.reset(::CreateCompatibleDC(nullptr));
        from_.reset(::CreateCompatibleDC(nullptr));
    }

    explicit operator bool() const noexcept { return bitmap_ && into_ && from_ && bits_; }
    UINT Stride() const noexcept { return static_cast<UINT>(stride_); }
    BYTE* Bits() const noexcept { return static_cast<BYTE*>(bits_); }

    bool Fill(int width, int top, int rows) const noexcept
    {
        SelectedObject into(into_.get(), bitmap_.get());
        SelectedObject from(from_.get(), source_);
        const bool copied = ::BitBlt(into_.get(), 0, 0, width, rows, from_.get(), 0, top, SRCCOPY) != FALSE;
        ::GdiFlush();  // the encoder reads the bits directly
        return copied;
    }

private:
    int stride_;
    HBITMAP source_;
    void* bits_ = nullptr;
    OwnedBitmap bitmap_;
    OwnedDC into_;
    OwnedDC from_;
};

HRESULT WriteRows(IWICBitmapFrameEncode& image, HBITMAP bitmap, int width, int height) noexcept
{
    const int bandRows = std::clamp(wic::kBandBytes / std::max(1, width * 3), 1, height);
    const Band band(bitmap, width, bandRows);
    if (!band) return E_OUTOFMEMORY;
    for (int top = 0; top < height; top += bandRows) {
        const int rows = std::min(bandRows, height - top);
        if (!band.Fill(width, top, rows)) return E_FAIL;
        const HRESULT hr = image.WritePixels(static_cast<UINT>(rows), band.Stride(),
                                             band.Stride() * static_cast<UINT>(rows), band.Bits());
        if (FAILED(hr)) return hr;
    }
    return S_OK;
}

HRESULT Encode(IStream& stream, HBITMAP bitmap, int width, int height) noexcept
{
    ComPtr<IWICImagingFactory> factory;
    HRESULT hr = ::CoCreateInstance(wic::kImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(factory.put()));
    ComPtr<IWICBitmapEncoder> encoder;
    if (SUCCEEDED(hr)) hr = factory.get()->CreateEncoder(wic::kPng, nullptr, encoder.put());
    if (SUCCEEDED(hr)) hr = encoder.get()->Initialize(&stream, WICBitmapEncoderNoCache);
    ComPtr<IWICBitmapFrameEncode> image;
    if (SUCCEEDED(hr)) hr = encoder.get()->CreateNewFrame(image.put(), nullptr);
    if (SUCCEEDED(hr)) hr = image.get()->Initialize(nullptr);
    if (SUCCEEDED(hr)) hr = image.get()->SetSize(static_cast<UINT>(width), static_cast<UINT>(height));
    WICPixelFormatGUID pixels = wic::kBgr24;
    if (SUCCEEDED(hr)) hr = image.get()->SetPixelFormat(&pixels);
    if (SUCCEEDED(hr) && pixels != wic::kBgr24) hr = WINCODEC_ERR_UNSUPPORTEDPIXELFORMAT;
    if (SUCCEEDED(hr)) hr = WriteRows(*image.get(), bitmap, width, height);
    if (SUCCEEDED(hr)) hr = image.get()->Commit();
    if (SUCCEEDED(hr)) hr = encoder.get()->Commit();
    return hr;
}

}  // namespace

OwnedGlobal EncodePngBlock(HBITMAP bitmap, int width, int height) noexcept
{
    if (width <= 0 || height <= 0) return OwnedGlobal();
    ComScope com;
    BlockStream stream;
    if (!stream.get()) return OwnedGlobal();
    MakeRoom(*stream.get(), width, height);
    if (FAILED(Encode(*stream.get(), bitmap, width, height))) return OwnedGlobal();
    return stream.TakeBlock(true);
}

}  // namespace win
