// A bitmap as a BMP file of a chosen pixel format.
#include <memory>

#include "classlib/win/GdiHandles.h"
#include "controls/XcBmpFile.h"
#include "controls/XcResources.h"
#include "controls/win/XcXCLUtils.h"
#include "frameworks/data/XcExceptions.h"

using namespace cl;

namespace {

std::unique_ptr<TMemoryStream> StreamOf(const std::vector<uint8_t>& bytes) {
    auto stream = std::make_unique<TMemoryStream>();
    stream->WriteBuffer(bytes.data(), static_cast<int32_t>(bytes.size()));
    stream->SetPosition(0);
    return stream;
}

// The bitmap's rows at the depth from the system (bottom-up, padded to 4),
// with the colour table the system chose for 1 to 8 bits.
std::vector<uint8_t> DibBits(TBitmap* bitmap, int bits, std::vector<TRgbQuad>& palette) {
    struct {
        BITMAPINFOHEADER header;
        RGBQUAD colors[256];
    } info{};
    info.header.biSize = sizeof info.header;
    info.header.biWidth = bitmap->Width();
    info.header.biHeight = bitmap->Height();
    info.header.biPlanes = 1;
    info.header.biBitCount = static_cast<WORD>(bits);
    info.header.biCompression = BI_RGB;
    std::vector<uint8_t> rows(static_cast<size_t>(DibRowBytes(bitmap->Width(), bits) * bitmap->Height()));
    // A copy: GetDIBits wants the bitmap out of any context.
    TBitmap copy;
    copy.Assign(bitmap);
    ScreenDC screen;
    if (!GetDIBits(screen.get(), copy.Handle(), 0, static_cast<UINT>(bitmap->Height()), rows.data(),
                   reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS))
        throw EInvalidGraphic("Bitmap image is not valid");
    palette.clear();
    if (bits <= 8) {
        for (int i = 0; i < (1 << bits); ++i)
            palette.push_back({info.colors[i].rgbBlue, info.colors[i].rgbGreen, info.colors[i].rgbRed, 0});
    }
    return rows;
}

}  // namespace

TPixelFormat GetBitmapPixelFormat(TBitmap* bitmap) {
    return bitmap->PixelFormat();
}

std::unique_ptr<TMemoryStream> BitmapToPixelFormatStream(TBitmap* bitmap, TPixelFormat format,
                                                         TColorReduction method) {
    if (!bitmap || bitmap->Empty()) throw EInvalidGraphic("Bitmap image is not valid");
    if (format == bitmap->PixelFormat() && method != rmGrayscale) {
        auto stream = std::make_unique<TMemoryStream>();
        bitmap->SaveToStream(*stream);
        stream->SetPosition(0);
        return stream;
    }
    const int w = bitmap->Width(), h = bitmap->Height();
    std::vector<TRgbQuad> palette;
    switch (format) {
        case pf1bit:
        case pf4bit: {
            const int bits = format == pf1bit ? 1 : 4;
            const std::vector<uint8_t> rows = DibBits(bitmap, bits, palette);
            return StreamOf(MakeBmpFile(w, h, bits, palette, rows));
        }
        case pf8bit: {
            const std::vector<uint8_t> rgb = DibBits(bitmap, 24, palette);
            const TIndexedImage indexed = ReduceColors(rgb.data(), w, h, method, 256);
            return StreamOf(MakeBmpFile(w, h, 8, indexed.palette, indexed.pixels));
        }
        case pf24bit:
            return StreamOf(MakeBmpFile(w, h, 24, {}, DibBits(bitmap, 24, palette)));
        default:
            throw EXCLException(rsBitmapPixelFormatNotImplemented);
    }
}

std::unique_ptr<TMemoryStream> BitmapStreamForColors(TBitmap* bitmap, int colors) {
    const TPixelFormat format = colors <= 2     ? pf1bit
                                : colors <= 16  ? pf4bit
                                : colors <= 256 ? pf8bit
                                                : pf24bit;
    return BitmapToPixelFormatStream(bitmap, format, rmMedianCut);
}
