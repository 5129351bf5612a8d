#include "win32/ImageFile.h"

#include "win32/Com.h"
#include "win32/ImageEncoder.h"
#include "win32/ReplacingFile.h"

namespace win {

// A failed encode is reported with what the file system said when the stream met an error,
// which is more telling than the encoder's own.
void SavePicture(const Picture& picture, core::Rect area, const std::wstring& path, core::ImageFormat format)
{
    ComScope com;
    ComPtr<IWICImagingFactory> factory;
    const HRESULT made = MakeImagingFactory(factory);
    if (FAILED(made)) throw SaveError(path, ErrorCode(made));
    ReplacingFile file(path);
    const HRESULT hr = EncodeImage(*factory.get(), *file.Stream(), format, area.Width(), area.Height(),
                                   [&](HDC band, int top, int rows) {
                                       picture.DrawPart(band, {area.left, area.top + top, area.right,
                                                               area.top + top + rows});
                                       return true;
                                   });
    if (FAILED(hr))
        throw SaveError(file.Target(), file.StreamFailure() != ERROR_SUCCESS ? file.StreamFailure() : ErrorCode(hr));
    file.Commit();
}

}  // namespace win
