#include "SaveSupport.h"

#include <algorithm>
#include <fstream>
#include <iterator>

#include "win32/Com.h"
#include "win32/Text.h"

namespace wintest {

std::wstring NewFolder()
{
    wchar_t temp[MAX_PATH]{};
    ::GetTempPathW(MAX_PATH, temp);
    static int made = 0;
    const std::wstring path = std::wstring(temp) + L"pixtrove-save-" + std::to_wstring(::GetCurrentProcessId()) + L"-" +
                              std::to_wstring(++made);
    ::CreateDirectoryW(path.c_str(), nullptr);
    return path;
}

std::vector<std::wstring> FilesIn(const std::wstring& folder)
{
    std::vector<std::wstring> names;
    WIN32_FIND_DATAW found{};
    const HANDLE search = ::FindFirstFileW((folder + L"\\*").c_str(), &found);
    for (bool more = search != INVALID_HANDLE_VALUE; more; more = ::FindNextFileW(search, &found))
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) names.push_back(found.cFileName);
    if (search != INVALID_HANDLE_VALUE) ::FindClose(search);
    std::sort(names.begin(), names.end());
    return names;
}

std::optional<std::vector<char>> FileBytes(const std::wstring& path)
{
    std::ifstream in(path.c_str(), std::ios::binary);
    if (!in) return std::nullopt;
    return std::vector<char>(std::istreambuf_iterator<char>(in), {});
}

void WriteBytes(const std::wstring& path, const std::vector<char>& bytes)
{
    std::ofstream(path.c_str(), std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::optional<DecodedImage> DecodeImageFile(const std::wstring& path)
{
    win::ComScope com;
    win::ComPtr<IWICImagingFactory> factory;
    win::ComPtr<IWICBitmapDecoder> decoder;
    win::ComPtr<IWICBitmapFrameDecode> frame;
    win::ComPtr<IWICFormatConverter> converter;
    GUID container{};
    UINT width = 0, height = 0;
    if (FAILED(
            ::CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(factory.put()))) ||
        FAILED(factory.get()->CreateDecoderFromFilename(path.c_str(), nullptr, GENERIC_READ,
                                                        WICDecodeMetadataCacheOnDemand, decoder.put())) ||
        FAILED(decoder.get()->GetContainerFormat(&container)) || FAILED(decoder.get()->GetFrame(0, frame.put())) ||
        FAILED(frame.get()->GetSize(&width, &height)) ||
        FAILED(factory.get()->CreateFormatConverter(converter.put())) ||
        FAILED(converter.get()->Initialize(frame.get(), GUID_WICPixelFormat32bppBGRA, WICBitmapDitherTypeNone, nullptr,
                                           0, WICBitmapPaletteTypeCustom)))
        return std::nullopt;
    DecodedImage image{container, true, {static_cast<int>(width), static_cast<int>(height), {}}};
    image.pixels.values.resize(static_cast<size_t>(width) * height);
    if (FAILED(converter.get()->CopyPixels(nullptr, width * 4, width * height * 4,
                                           reinterpret_cast<BYTE*>(image.pixels.values.data()))))
        return std::nullopt;
    for (std::uint32_t& p : image.pixels.values) {
        image.opaque = image.opaque && (p >> 24) == 0xFF;
        p &= 0x00FFFFFF;
    }
    return image;
}

std::wstring ReportOf(const std::wstring& file, const std::wstring& reason)
{
    return L"「" + file + L"」を保存できません。\n" + reason + L".";
}

ShotSaveTest::ShotSaveTest() : folder_(NewFolder()) { FrameProbe::UseSaveTargets(program.main, this); }

ShotSaveTest::~ShotSaveTest()
{
    FrameProbe::UseSaveTargets(program.main, nullptr);
    for (const std::wstring& name : Names())
        ::DeleteFileW(InFolder(name).c_str());
    ::RemoveDirectoryW(folder_.c_str());
}

app::ShotWindow& ShotSaveTest::MakeShot(int width, int height, const char* caption)
{
    app::ShotWindow& made = app::ShotWindow::Create(program.main, PatternPicture(width, height), caption);
    Pump(20);
    return made;
}

std::optional<win::SaveTarget> ShotSaveTest::Choose(HWND owner, const std::wstring& name,
                                                    const std::wstring& folder)
{
    questions_.emplace_back(owner, name);
    proposedFolders_.push_back(folder);
    return answer_;
}

void ShotSaveTest::SaveByMenu(const std::wstring& path, size_t entry)
{
    answer_ = win::SaveTarget{path, entry};
    ::SendMessageW(program.main.hwnd(), WM_COMMAND, MAKEWPARAM(IDM_SAVE, 0), 0);
}

void ShotSaveTest::Drag(core::Point from, core::Point to)
{
    ShotProbe::PressPicture(shot, true, from);
    ShotProbe::MoveOverPicture(shot, to);
    ShotProbe::ReleasePicture(shot, true);
}

}  // namespace wintest
