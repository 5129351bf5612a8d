#include "win32/ImageDecoder.h"

#include <algorithm>
#include <vector>

#include "core/OpenReport.h"
#include "core/Opaque.h"
#include "core/PictureHeader.h"
#include "win32/Com.h"
#include "win32/ImageEncoder.h"

namespace win {
namespace {

// GUID_WICPixelFormat32bppBGRA and GUID_ContainerFormatIco, as the SDK gives them.
constexpr GUID kBgra32{0x6fddc324, 0x4e03, 0x4bfe, {0xb1, 0x85, 0x3d, 0x77, 0x76, 0x8d, 0xc9, 0x0f}};
constexpr GUID kIco{0xa3a860c4, 0x338f, 0x4c17, {0x91, 0x9a, 0xfb, 0xa4, 0xb5, 0x62, 0x8f, 0x21}};

constexpr std::uint32_t kImagingFacility = 0x898;

[[noreturn]] void Refuse(const char* reason, std::uint32_t code = 0) { throw core::AppError(reason, code); }

// What a failed decoder call means to the user: the imaging component's own errors (no
// decoder, a bad header, data that ends early) and a stream that ran out say that the bytes
// are no picture; memory is memory; anything else is the system's.
void Check(HRESULT hr)
{
    if (SUCCEEDED(hr)) return;
    if (hr == E_OUTOFMEMORY) Refuse(core::kOutOfResources, static_cast<std::uint32_t>(hr));
    if (HRESULT_FACILITY(hr) == kImagingFacility || hr == E_FAIL || hr == E_INVALIDARG ||
        hr == HRESULT_FROM_WIN32(ERROR_HANDLE_EOF) || hr == STG_E_READFAULT || hr == E_UNEXPECTED)
        Refuse(core::kNotAPicture, static_cast<std::uint32_t>(hr));
    throw ComError(hr);
}

void JudgeSize(std::uint64_t width, std::uint64_t height)
{
    switch (core::JudgePictureSize(width, height)) {
        case core::SizeVerdict::Fits: return;
        case core::SizeVerdict::Empty: Refuse(core::kNotAPicture);
        case core::SizeVerdict::SideTooLong:
        case core::SizeVerdict::TooManyPixels: Refuse(core::kPictureTooLarge);
    }
}

ComPtr<IWICImagingFactory> Factory()
{
    ComPtr<IWICImagingFactory> factory;
    Check(MakeImagingFactory(factory));
    return factory;
}

// The pixels of a source, converted to 32-bit with straight alpha straight into the new
// picture, then laid over white.
std::unique_ptr<Picture> PictureOf(IWICImagingFactory& factory, IWICBitmapSource& source)
{
    UINT width = 0, height = 0;
    Check(source.GetSize(&width, &height));
    JudgeSize(width, height);
    ComPtr<IWICFormatConverter> converter;
    Check(factory.CreateFormatConverter(converter.put()));
    Check(converter.get()->Initialize(&source, kBgra32, WICBitmapDitherTypeNone, nullptr, 0,
                                      WICBitmapPaletteTypeCustom));
    std::unique_ptr<Picture> picture = Picture::Create(nullptr, static_cast<int>(width), static_cast<int>(height));
    const core::PixelView pixels = picture->Pixels();
    const UINT stride = width * 4;
    Check(converter.get()->CopyPixels(nullptr, stride, stride * height, reinterpret_cast<BYTE*>(pixels.pixels)));
    core::ComposeOverWhite(pixels);
    return picture;
}

// The first frame, but an icon's largest image.
ComPtr<IWICBitmapFrameDecode> ChosenFrame(IWICBitmapDecoder& decoder)
{
    GUID container{};
    UINT count = 0;
    Check(decoder.GetContainerFormat(&container));
    Check(decoder.GetFrameCount(&count));
    if (count == 0) Refuse(core::kNotAPicture);
    UINT chosen = 0;
    if (container == kIco) {
        std::uint64_t largest = 0;
        for (UINT i = 0; i < count; ++i) {
            ComPtr<IWICBitmapFrameDecode> frame;
            UINT width = 0, height = 0;
            if (FAILED(decoder.GetFrame(i, frame.put())) || FAILED(frame.get()->GetSize(&width, &height))) continue;
            if (std::uint64_t{width} * height > largest) {
                largest = std::uint64_t{width} * height;
                chosen = i;
            }
        }
    }
    ComPtr<IWICBitmapFrameDecode> frame;
    Check(decoder.GetFrame(chosen, frame.put()));
    return frame;
}

}  // namespace

std::unique_ptr<Picture> DecodePictureBytes(std::span<const std::uint8_t> file)
{
    if (file.empty()) Refuse(core::kEmptyFile);
    if (const auto claimed = core::ClaimedPictureSize(file)) JudgeSize(claimed->width, claimed->height);
    if (file.size() > MAXDWORD) Refuse(core::kPictureTooLarge);
    ComScope com;
    const ComPtr<IWICImagingFactory> factory = Factory();
    ComPtr<IWICStream> stream;
    Check(factory.get()->CreateStream(stream.put()));
    Check(stream.get()->InitializeFromMemory(const_cast<BYTE*>(file.data()), static_cast<DWORD>(file.size())));
    ComPtr<IWICBitmapDecoder> decoder;
    Check(factory.get()->CreateDecoderFromStream(stream.get(), nullptr, WICDecodeMetadataCacheOnDemand,
                                                 decoder.put()));
    const ComPtr<IWICBitmapFrameDecode> frame = ChosenFrame(*decoder.get());
    return PictureOf(*factory.get(), *frame.get());
}

std::unique_ptr<Picture> PictureOfBitmap(HBITMAP bitmap)
{
    ComScope com;
    const ComPtr<IWICImagingFactory> factory = Factory();
    ComPtr<IWICBitmap> source;
    Check(factory.get()->CreateBitmapFromHBITMAP(bitmap, nullptr, WICBitmapIgnoreAlpha, source.put()));
    return PictureOf(*factory.get(), *source.get());
}

// The header is judged from the file's first bytes before the rest is read, and a file larger
// than any picture a shot may hold (pixels at 4 bytes and some room) is refused unread.
std::unique_ptr<Picture> ReadPictureFile(const std::wstring& path)
{
    const DWORD attributes = ::GetFileAttributesW(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) ThrowLastError();
    if (attributes & FILE_ATTRIBUTE_DIRECTORY) Refuse(core::kFolderNotFile);
    const HANDLE opened = ::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                        FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
    if (opened == INVALID_HANDLE_VALUE) ThrowLastError();
    OwnedHandle file(opened);
    LARGE_INTEGER size{};
    if (!::GetFileSizeEx(file.get(), &size)) ThrowLastError();
    if (size.QuadPart == 0) Refuse(core::kEmptyFile);
    if (static_cast<std::uint64_t>(size.QuadPart) > core::kMostPixelBytes + (64u << 20)) Refuse(core::kPictureTooLarge);
    const auto total = static_cast<DWORD>(size.QuadPart);
    std::vector<std::uint8_t> bytes(std::min<std::size_t>(total, core::kHeaderBytes));
    DWORD read = 0;
    if (!::ReadFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr)) ThrowLastError();
    bytes.resize(read);
    if (const auto claimed = core::ClaimedPictureSize(bytes)) JudgeSize(claimed->width, claimed->height);
    if (read == bytes.size() && read < total) {
        bytes.resize(total);
        DWORD more = 0;
        if (!::ReadFile(file.get(), bytes.data() + read, total - read, &more, nullptr)) ThrowLastError();
        bytes.resize(read + more);
    }
    file.reset();
    return DecodePictureBytes(bytes);
}

}  // namespace win
