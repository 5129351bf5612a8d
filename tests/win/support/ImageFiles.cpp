#include "ImageFiles.h"

#include <wincodec.h>

#include <algorithm>
#include <stdexcept>

#include "ClipboardProbe.h"
#include "win32/Com.h"

namespace wintest {
namespace {

void Check(HRESULT hr, const char* what)
{
    if (FAILED(hr)) throw std::runtime_error(std::string("the test's encoder failed: ") + what);
}

void PutLe(std::vector<char>& b, std::uint32_t v, int bytes)
{
    for (int i = 0; i < bytes; ++i) b.push_back(static_cast<char>(v >> (8 * i)));
}

void WriteFrame(IWICImagingFactory& factory, IWICBitmapEncoder& encoder, const GUID& container, const Frame& frame,
                bool alpha)
{
    win::ComPtr<IWICBitmapFrameEncode> image;
    win::ComPtr<IPropertyBag2> options;
    Check(encoder.CreateNewFrame(image.put(), options.put()), "frame");
    Check(image.get()->Initialize(options.get()), "initialise");
    Check(image.get()->SetSize(static_cast<UINT>(frame.width), static_cast<UINT>(frame.height)), "size");
    const auto w = static_cast<size_t>(frame.width), h = static_cast<size_t>(frame.height);
    if (container == GUID_ContainerFormatGif) {
        std::vector<std::uint32_t> colours;
        std::vector<BYTE> indices;
        for (std::uint32_t v : frame.values) {
            const std::uint32_t c = v | 0xFF000000u;
            auto at = std::find(colours.begin(), colours.end(), c);
            if (at == colours.end()) at = colours.insert(colours.end(), c);
            indices.push_back(static_cast<BYTE>(at - colours.begin()));
        }
        win::ComPtr<IWICPalette> palette;
        Check(factory.CreatePalette(palette.put()), "palette");
        Check(palette.get()->InitializeCustom(colours.data(), static_cast<UINT>(colours.size())), "colours");
        WICPixelFormatGUID format = GUID_WICPixelFormat8bppIndexed;
        Check(image.get()->SetPixelFormat(&format), "format");
        Check(image.get()->SetPalette(palette.get()), "set palette");
        Check(image.get()->WritePixels(static_cast<UINT>(h), static_cast<UINT>(w), static_cast<UINT>(w * h),
                                       indices.data()),
              "pixels");
    } else if (alpha) {
        WICPixelFormatGUID format = GUID_WICPixelFormat32bppBGRA;
        Check(image.get()->SetPixelFormat(&format), "format");
        if (format != GUID_WICPixelFormat32bppBGRA) throw std::runtime_error("no 32-bit encoder");
        std::vector<std::uint32_t> rows = frame.values;
        Check(image.get()->WritePixels(static_cast<UINT>(h), static_cast<UINT>(w * 4), static_cast<UINT>(w * h * 4),
                                       reinterpret_cast<BYTE*>(rows.data())),
              "pixels");
    } else {
        WICPixelFormatGUID format = GUID_WICPixelFormat24bppBGR;
        Check(image.get()->SetPixelFormat(&format), "format");
        if (format != GUID_WICPixelFormat24bppBGR) throw std::runtime_error("no 24-bit encoder");
        const size_t stride = (w * 3 + 3) & ~size_t{3};
        std::vector<BYTE> rows(stride * h);
        for (size_t y = 0; y < h; ++y)
            for (size_t x = 0; x < w; ++x)
                for (size_t c = 0; c < 3; ++c) rows[y * stride + x * 3 + c] = static_cast<BYTE>(frame.values[y * w + x] >> (8 * c));
        Check(image.get()->WritePixels(static_cast<UINT>(h), static_cast<UINT>(stride), static_cast<UINT>(rows.size()),
                                       rows.data()),
              "pixels");
    }
    Check(image.get()->Commit(), "commit frame");
}

}  // namespace

Frame FlatFrame(int width, int height, std::uint32_t colour)
{
    return {width, height, std::vector<std::uint32_t>(static_cast<size_t>(width) * static_cast<size_t>(height), colour)};
}

Frame PatternFrame(int width, int height)
{
    Frame frame{width, height, {}};
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) frame.values.push_back(0xFF000000u | PatternPixel(x, y));
    return frame;
}

std::vector<char> EncodedFile(const GUID& container, const std::vector<Frame>& frames, bool alpha)
{
    win::ComScope com;
    win::ComPtr<IWICImagingFactory> factory;
    Check(::CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(factory.put())),
          "factory");
    win::ComPtr<IStream> stream;
    Check(::CreateStreamOnHGlobal(nullptr, TRUE, stream.put()), "stream");
    win::ComPtr<IWICBitmapEncoder> encoder;
    Check(factory.get()->CreateEncoder(container, nullptr, encoder.put()), "encoder");
    Check(encoder.get()->Initialize(stream.get(), WICBitmapEncoderNoCache), "initialise encoder");
    for (const Frame& frame : frames) WriteFrame(*factory.get(), *encoder.get(), container, frame, alpha);
    Check(encoder.get()->Commit(), "commit");
    HGLOBAL block = nullptr;
    Check(::GetHGlobalFromStream(stream.get(), &block), "block");
    STATSTG stat{};
    Check(stream.get()->Stat(&stat, STATFLAG_NONAME), "size");
    const char* bytes = static_cast<const char*>(::GlobalLock(block));
    std::vector<char> file(bytes, bytes + stat.cbSize.QuadPart);
    ::GlobalUnlock(block);
    return file;
}

// Each image: a 40-byte header of twice the height (colour rows, then the mask), 32-bit rows
// from the bottom, then a mask of 1-bit rows that hides nothing.
std::vector<char> IconFile(const std::vector<Frame>& frames)
{
    std::vector<std::vector<char>> images;
    for (const Frame& f : frames) {
        std::vector<char> image;
        PutLe(image, 40, 4);
        PutLe(image, static_cast<std::uint32_t>(f.width), 4);
        PutLe(image, static_cast<std::uint32_t>(f.height * 2), 4);
        PutLe(image, 1, 2);
        PutLe(image, 32, 2);
        for (int i = 0; i < 6; ++i) PutLe(image, 0, 4);
        for (int y = f.height - 1; y >= 0; --y)
            for (int x = 0; x < f.width; ++x) PutLe(image, f.values[static_cast<size_t>(y * f.width + x)], 4);
        const int maskStride = ((f.width + 31) / 32) * 4;
        image.insert(image.end(), static_cast<size_t>(maskStride * f.height), '\0');
        images.push_back(std::move(image));
    }
    std::vector<char> file;
    PutLe(file, 0, 2);
    PutLe(file, 1, 2);
    PutLe(file, static_cast<std::uint32_t>(frames.size()), 2);
    std::uint32_t offset = 6 + 16 * static_cast<std::uint32_t>(frames.size());
    for (size_t i = 0; i < frames.size(); ++i) {
        file.push_back(static_cast<char>(frames[i].width == 256 ? 0 : frames[i].width));
        file.push_back(static_cast<char>(frames[i].height == 256 ? 0 : frames[i].height));
        PutLe(file, 0, 2);
        PutLe(file, 1, 2);
        PutLe(file, 32, 2);
        PutLe(file, static_cast<std::uint32_t>(images[i].size()), 4);
        PutLe(file, offset, 4);
        offset += static_cast<std::uint32_t>(images[i].size());
    }
    for (const auto& image : images) file.insert(file.end(), image.begin(), image.end());
    return file;
}

std::vector<char> PngHeaderOnly(std::uint32_t width, std::uint32_t height)
{
    std::vector<char> b{'\x89', 'P', 'N', 'G', '\r', '\n', '\x1a', '\n', 0, 0, 0, 13, 'I', 'H', 'D', 'R'};
    for (std::uint32_t v : {width, height})
        for (int s = 24; s >= 0; s -= 8) b.push_back(static_cast<char>(v >> s));
    b.insert(b.end(), {8, 6, 0, 0, 0, 0, 0, 0, 0});  // depth, colour type, methods; a CRC nobody reads
    return b;
}

std::vector<char> BmpHeaderOnly(std::int32_t width, std::int32_t height)
{
    std::vector<char> b{'B', 'M'};
    PutLe(b, 54, 4);
    PutLe(b, 0, 4);
    PutLe(b, 54, 4);
    PutLe(b, 40, 4);
    PutLe(b, static_cast<std::uint32_t>(width), 4);
    PutLe(b, static_cast<std::uint32_t>(height), 4);
    PutLe(b, 1, 2);
    PutLe(b, 32, 2);
    for (int i = 0; i < 6; ++i) PutLe(b, 0, 4);
    return b;
}

}  // namespace wintest
