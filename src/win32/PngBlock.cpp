#include "win32/PngBlock.h"

#include <cstdint>

#include "win32/Com.h"
#include "win32/ImageEncoder.h"

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

}  // namespace

OwnedGlobal EncodePngBlock(HBITMAP bitmap, int width, int height) noexcept
{
    if (width <= 0 || height <= 0) return OwnedGlobal();
    ComScope com;
    BlockStream stream;
    if (!stream.get()) return OwnedGlobal();
    MakeRoom(*stream.get(), width, height);
    ComPtr<IWICImagingFactory> factory;
    OwnedDC source(::CreateCompatibleDC(nullptr));
    if (!source || FAILED(MakeImagingFactory(factory))) return OwnedGlobal();
    const SelectedObject selected(source.get(), bitmap);
    const HRESULT hr = EncodeImage(*factory.get(), *stream.get(), core::ImageFormat::Png, width, height,
                                   [&](HDC band, int top, int rows) {
                                       return ::BitBlt(band, 0, 0, width, rows, source.get(), 0, top, SRCCOPY) != FALSE;
                                   });
    if (FAILED(hr)) return OwnedGlobal();
    return stream.TakeBlock(true);
}

}  // namespace win
