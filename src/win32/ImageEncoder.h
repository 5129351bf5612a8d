#pragma once
// The program's one way to encode a picture (Windows Imaging Component): the save's files and
// the clipboard's PNG both go through it.
#include <windows.h>
#include <objidl.h>
#include <wincodec.h>

#include <functional>

#include "core/SaveName.h"
#include "win32/Com.h"

namespace win {

// The imaging component's factory on this thread (COM set up by the caller).
HRESULT MakeImagingFactory(ComPtr<IWICImagingFactory>& factory) noexcept;

// Draws rows [top, top + rows) of the picture into `band`, a DC whose bitmap is 24-bit, at
// (0, 0); false when it cannot.
using BandPainter = std::function<bool(HDC band, int top, int rows)>;

// Writes a width x height picture (neither 0) into `stream` as PNG, JPEG at quality 90 or BMP,
// from 24-bit rows, the one layout all three encoders take, which leaves no room for
// transparency: every pixel is opaque. The rows are drawn a band of about wic::kBandBytes at a
// time. The first failure is given back.
HRESULT EncodeImage(IWICImagingFactory& factory, IStream& stream, core::ImageFormat format, int width, int height,
                    const BandPainter& paint) noexcept;

}  // namespace win
