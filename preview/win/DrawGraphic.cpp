#include "preview/win/DrawGraphic.h"

#include <cstdint>
#include <optional>
#include <utility>
#include <vector>

#include "classlib/win/GdiHandles.h"

using namespace cl;

namespace {

TDeviceCapsQuery& CapsQuery() {
    static TDeviceCapsQuery query;
    return query;
}

using OwnedPalette = OwnedGdiObject<HPALETTE>;

// A bitmap's pixels as a bottom-up DIB with room for 256 colours.
struct DibImage {
    struct {
        BITMAPINFOHEADER header;
        RGBQUAD colors[256];
    } info{};
    std::vector<uint8_t> bits;

    BITMAPINFO* Info() { return reinterpret_cast<BITMAPINFO*>(&info); }
};

// The pixels read through the screen's context: 24 bits, or 8 bits in the
// screen's system palette.
DibImage ReadImage(HDC screen, TBitmap& source, bool paletteScreen) {
    // GDI reads a bitmap that no context holds: the source's may.
    TBitmap copy;
    copy.Assign(&source);
    DibImage image;
    BITMAPINFOHEADER& h = image.info.header;
    h.biSize = sizeof h;
    h.biWidth = copy.Width();
    h.biHeight = copy.Height();
    h.biPlanes = 1;
    h.biBitCount = paletteScreen ? 8 : 24;
    h.biCompression = BI_RGB;
    if (paletteScreen) {
        PALETTEENTRY entries[256]{};
        GetSystemPaletteEntries(screen, 0, 256, entries);
        for (int i = 0; i < 256; ++i)
            image.info.colors[i] = {entries[i].peBlue, entries[i].peGreen, entries[i].peRed, 0};
        h.biClrUsed = h.biClrImportant = 256;
    }
    const UINT rows = static_cast<UINT>(copy.Height());
    // Without a buffer GDI fills in the image's size (rows padded to four
    // bytes); a driver may leave it 0, which BI_RGB allows.
    if (!GetDIBits(screen, copy.Handle(), 0, rows, nullptr, image.Info(), DIB_RGB_COLORS))
        throw EInvalidGraphic("Bitmap image is not valid");
    if (h.biSizeImage == 0) h.biSizeImage = ((h.biWidth * h.biBitCount + 31) / 32) * 4 * rows;
    image.bits.resize(h.biSizeImage);
    if (!GetDIBits(screen, copy.Handle(), 0, rows, image.bits.data(), image.Info(), DIB_RGB_COLORS))
        throw EInvalidGraphic("Bitmap image is not valid");
    // GDI gives back the colour table it mapped the pixels to, and may
    // count it as 0 (all of them).
    if (paletteScreen) h.biClrUsed = h.biClrImportant = 256;
    return image;
}

// The bitmap's palette: the colours of its colour table; none when it has
// no table.
OwnedPalette PaletteOf(TBitmap& bitmap) {
    const TPixelFormat format = bitmap.PixelFormat();
    if (format != pf1bit && format != pf4bit && format != pf8bit) return nullptr;
    RGBQUAD colors[256];
    const UINT count = GetDIBColorTable(bitmap.Canvas()->Handle(), 0, 256, colors);
    if (count == 0) return nullptr;
    std::vector<uint8_t> block(sizeof(LOGPALETTE) + count * sizeof(PALETTEENTRY));
    auto* palette = reinterpret_cast<LOGPALETTE*>(block.data());
    palette->palVersion = 0x300;
    palette->palNumEntries = static_cast<WORD>(count);
    for (UINT i = 0; i < count; ++i)
        palette->palPalEntry[i] = {colors[i].rgbRed, colors[i].rgbGreen, colors[i].rgbBlue, 0};
    return OwnedPalette(CreatePalette(palette));
}

// A palette selected into a context and realised for the scope.
class RealisedPalette {
public:
    RealisedPalette(HDC dc, HPALETTE palette) : dc_(dc), old_(SelectPalette(dc, palette, FALSE)) {
        RealizePalette(dc);
    }
    ~RealisedPalette() {
        if (old_) SelectPalette(dc_, old_, FALSE);
    }
    RealisedPalette(const RealisedPalette&) = delete;
    RealisedPalette& operator=(const RealisedPalette&) = delete;

private:
    HDC dc_;
    HPALETTE old_;
};

void StretchAsDib(HDC dc, const TRect& r, TBitmap& source) {
    DibImage image;
    {
        const ScreenDC screen;
        image = ReadImage(screen.get(), source, IsPaletteDevice(screen.get()));
    }
    const OwnedPalette palette = IsPaletteDevice(dc) ? PaletteOf(source) : nullptr;
    std::optional<RealisedPalette> realised;
    if (palette) realised.emplace(dc, palette.get());
    const int oldMode = SetStretchBltMode(dc, COLORONCOLOR);
    // Full 32-bit coordinates: a page in fine units exceeds 16 bits.
    StretchDIBits(dc, r.left, r.top, r.right - r.left, r.bottom - r.top, 0, 0, image.info.header.biWidth,
                  image.info.header.biHeight, image.bits.data(), image.Info(), DIB_RGB_COLORS, SRCCOPY);
    if (oldMode) SetStretchBltMode(dc, oldMode);
}

}  // namespace

bool IsPaletteDevice(HDC dc) {
    const TDeviceCapsQuery& query = CapsQuery();
    const int caps = query ? query(dc, RASTERCAPS) : GetDeviceCaps(dc, RASTERCAPS);
    return (caps & RC_PALETTE) != 0;
}

void SetDeviceCapsQuery(TDeviceCapsQuery query) {
    CapsQuery() = std::move(query);
}

void DrawGraphic(HDC dc, const TRect& r, TGraphic* graphic) {
    if (!graphic || graphic->Empty()) return;
    if (auto* metafile = dynamic_cast<TMetafile*>(graphic)) {
        TCanvas canvas(dc);
        metafile->Draw(canvas, r);
        return;
    }
    if (auto* bitmap = dynamic_cast<TBitmap*>(graphic)) return StretchAsDib(dc, r, *bitmap);
    TBitmap bitmap;
    try {
        bitmap.Assign(graphic);
    } catch (const Exception&) {
        // Not convertible as such: drawn onto a bitmap of its size instead.
        bitmap.SetSize(graphic->Width(), graphic->Height());
        bitmap.Canvas()->Draw(0, 0, graphic);
    }
    StretchAsDib(dc, r, bitmap);
}
