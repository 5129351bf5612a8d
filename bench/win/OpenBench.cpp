// How long opening a 3840 x 2160 PNG as a shot takes (the open of the file, the dialog aside,
// up to the shot window on screen), beside a bare decode of the same file by the imaging
// component into a 32-bit bitmap. The target: within 1.2 times the bare decode.
#include <windows.h>
#include <wincodec.h>

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "BenchSupport.h"
#include "win32/Com.h"
#include "win32/ImageDecoder.h"
#include "win32/Wic.h"

namespace {

constexpr int kWidth = 3840, kHeight = 2160, kRuns = 11;
// kBgra32, as the SDK gives it.
constexpr GUID kBgra32{0x6fddc324, 0x4e03, 0x4bfe, {0xb1, 0x85, 0x3d, 0x77, 0x76, 0x8d, 0xc9, 0x0f}};

void Check(HRESULT hr, const char* what)
{
    if (FAILED(hr)) {
        std::fprintf(stderr, "%s failed: 0x%08lx\n", what, static_cast<unsigned long>(hr));
        std::exit(1);
    }
}

std::wstring TempPath(const wchar_t* name)
{
    wchar_t folder[MAX_PATH]{};
    ::GetTempPathW(MAX_PATH, folder);
    return std::wstring(folder) + name;
}

// A screen-like picture: bands of flat colour with text-like detail, as PNG.
void WritePng(IWICImagingFactory& factory, const std::wstring& path)
{
    const UINT stride = kWidth * 3;
    std::vector<BYTE> rows(static_cast<size_t>(stride) * kHeight);
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x) {
            BYTE* p = &rows[static_cast<size_t>(y) * stride + static_cast<size_t>(x) * 3];
            const bool detail = ((x / 7) ^ (y / 11)) % 5 == 0;
            p[0] = static_cast<BYTE>(detail ? (x * 3) & 0xFF : 0xF0);
            p[1] = static_cast<BYTE>(detail ? (y * 5) & 0xFF : 0xF0 - (y / 200) * 8);
            p[2] = static_cast<BYTE>(detail ? (x ^ y) & 0xFF : 0xF0);
        }
    win::ComPtr<IWICStream> stream;
    Check(factory.CreateStream(stream.put()), "stream");
    Check(stream.get()->InitializeFromFilename(path.c_str(), GENERIC_WRITE), "file");
    win::ComPtr<IWICBitmapEncoder> encoder;
    Check(factory.CreateEncoder(win::wic::kPng, nullptr, encoder.put()), "encoder");
    Check(encoder.get()->Initialize(stream.get(), WICBitmapEncoderNoCache), "initialise");
    win::ComPtr<IWICBitmapFrameEncode> frame;
    Check(encoder.get()->CreateNewFrame(frame.put(), nullptr), "frame");
    Check(frame.get()->Initialize(nullptr), "frame initialise");
    Check(frame.get()->SetSize(kWidth, kHeight), "size");
    WICPixelFormatGUID format = win::wic::kBgr24;
    Check(frame.get()->SetPixelFormat(&format), "format");
    Check(frame.get()->WritePixels(kHeight, stride, static_cast<UINT>(rows.size()), rows.data()), "pixels");
    Check(frame.get()->Commit(), "commit");
    Check(encoder.get()->Commit(), "commit file");
}

// The bare decode: the file's first frame, converted to 32-bit BGRA, copied into a DIB section.
void BareDecode(IWICImagingFactory& factory, const std::wstring& path)
{
    win::ComPtr<IWICBitmapDecoder> decoder;
    Check(factory.CreateDecoderFromFilename(path.c_str(), nullptr, GENERIC_READ, WICDecodeMetadataCacheOnDemand,
                                            decoder.put()),
          "decoder");
    win::ComPtr<IWICBitmapFrameDecode> frame;
    Check(decoder.get()->GetFrame(0, frame.put()), "frame");
    UINT width = 0, height = 0;
    Check(frame.get()->GetSize(&width, &height), "size");
    win::ComPtr<IWICFormatConverter> converter;
    Check(factory.CreateFormatConverter(converter.put()), "converter");
    Check(converter.get()->Initialize(frame.get(), kBgra32, WICBitmapDitherTypeNone, nullptr, 0,
                                      WICBitmapPaletteTypeCustom),
          "convert");
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), static_cast<LONG>(width), -static_cast<LONG>(height), 1, 32, BI_RGB};
    void* bits = nullptr;
    win::OwnedBitmap bitmap(::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!bitmap) std::exit(1);
    Check(converter.get()->CopyPixels(nullptr, width * 4, width * height * 4, static_cast<BYTE*>(bits)), "copy");
}

}  // namespace

int main()
{
    win::ComScope com;
    win::ComPtr<IWICImagingFactory> factory;
    Check(::CoCreateInstance(win::wic::kImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(factory.put())),
          "factory");
    const std::wstring path = TempPath(L"pixtrove-open-bench.png");
    WritePng(*factory.get(), path);
    WIN32_FILE_ATTRIBUTE_DATA data{};
    ::GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data);
    std::printf("a %d x %d PNG of %lu KB\n", kWidth, kHeight, data.nFileSizeLow / 1024);

    bench::Program program;
    BareDecode(*factory.get(), path);  // the decoder's DLLs loaded before the clock
    std::vector<double> bare, open, read, window;
    for (int run = 0; run < kRuns; ++run) {
        bare.push_back(bench::Milliseconds([&] { BareDecode(*factory.get(), path); }));
        std::unique_ptr<win::Picture> picture;
        read.push_back(bench::Milliseconds([&] { picture = win::ReadPictureFile(path); }));
        window.push_back(bench::Milliseconds([&] {
            program.main.OpenShot(std::move(picture));
            bench::Pump();
        }));
        while (const HWND shot = bench::FrameProbe::ActiveShot(program.main)) ::SendMessageW(shot, WM_CLOSE, 0, 0);
        bench::Pump();
        open.push_back(bench::Milliseconds([&] {
            program.main.OnOpenFiles({path});
            bench::Pump();
        }));
        while (const HWND shot = bench::FrameProbe::ActiveShot(program.main)) ::SendMessageW(shot, WM_CLOSE, 0, 0);
        bench::Pump();
    }
    bench::Report("bare decode into a 32-bit bitmap", bare);
    bench::Report("open as a shot", open);
    bench::Report("  of which: the file read into a picture", read);
    bench::Report("  of which: the shot window for it", window);
    std::printf("open / bare: %.2f (target at most 1.20)\n", bench::Median(open) / bench::Median(bare));
    ::DeleteFileW(path.c_str());
    return program.errors == 0 ? 0 : 1;
}
