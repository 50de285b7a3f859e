// Bitmaps drawn by DrawGraphic: at full coordinates, and through palettes
// on screens and printers that have them.  Wine's display and printer have
// none, so the device caps answer for one; the drawing is read back from a
// memory bitmap and from the records of a metafile context.
#include "preview/win/DrawGraphic.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>
#include <string>
#include <vector>

#include "classlib/win/GdiHandles.h"
#include "classlib/win/Printers.h"

namespace {

using namespace cl;

// RC_PALETTE as chosen: for the target context, and for every other one
// (the screen DrawGraphic reads the bitmap through).
class PaletteDevices {
public:
    PaletteDevices(HDC target, bool screen, bool printer) {
        SetDeviceCapsQuery([=](HDC dc, int index) {
            const int caps = GetDeviceCaps(dc, index);
            if (index != RASTERCAPS) return caps;
            return (dc == target ? printer : screen) ? caps | RC_PALETTE : caps & ~RC_PALETTE;
        });
    }
    ~PaletteDevices() { SetDeviceCapsQuery(nullptr); }
    PaletteDevices(const PaletteDevices&) = delete;
    PaletteDevices& operator=(const PaletteDevices&) = delete;
};

// 4 x 2 pixels: red on the left half, blue on the right.
void PaintRedBlue(TBitmap& bitmap, TPixelFormat format) {
    bitmap.SetPixelFormat(format);
    bitmap.SetSize(4, 2);
    TCanvas& c = *bitmap.Canvas();
    c.Brush()->SetColor(clRed);
    c.FillRect(Rect(0, 0, 2, 2));
    c.Brush()->SetColor(clBlue);
    c.FillRect(Rect(2, 0, 4, 2));
}

struct Record {
    DWORD type;
    std::vector<uint8_t> bytes;  // the whole record
};

int CALLBACK KeepRecord(HDC, HANDLETABLE*, const ENHMETARECORD* r, int, LPARAM records) {
    const auto* p = reinterpret_cast<const uint8_t*>(r);
    reinterpret_cast<std::vector<Record>*>(records)->push_back({r->iType, {p, p + r->nSize}});
    return 1;
}

// What DrawGraphic leaves in a metafile context.
std::vector<Record> Recorded(TBitmap& bitmap, bool paletteScreen, bool palettePrinter) {
    const ScreenDC screen;
    HDC dc = CreateEnhMetaFileW(screen.get(), nullptr, nullptr, nullptr);
    {
        const PaletteDevices devices(dc, paletteScreen, palettePrinter);
        DrawGraphic(dc, Rect(0, 0, 40, 20), &bitmap);
    }
    const OwnedEnhMetaFile emf(CloseEnhMetaFile(dc));
    std::vector<Record> records;
    EnumEnhMetaFile(nullptr, emf.get(), KeepRecord, &records, nullptr);
    return records;
}

const Record* Find(const std::vector<Record>& records, DWORD type) {
    for (const Record& r : records)
        if (r.type == type) return &r;
    return nullptr;
}

TEST(DrawGraphicTest, BitmapsAreDrawnWithFullCoordinates) {
    TBitmap target;
    target.SetPixelFormat(pf24bit);
    target.SetSize(100, 100);
    HDC dc = target.Canvas()->Handle();
    SetMapMode(dc, MM_ANISOTROPIC);
    SetWindowExtEx(dc, 100000, 100000, nullptr);
    SetViewportExtEx(dc, 100, 100, nullptr);
    TBitmap red;
    red.SetSize(4, 4);
    red.Canvas()->Brush()->SetColor(clRed);
    red.Canvas()->FillRect(Rect(0, 0, 4, 4));
    DrawGraphic(dc, Rect(40000, 50000, 90000, 90000), &red);
    SetMapMode(dc, MM_TEXT);
    EXPECT_EQ(target.Canvas()->Pixels(60, 70), clRed);
    EXPECT_EQ(target.Canvas()->Pixels(30, 70), clWhite);
    EXPECT_EQ(target.Canvas()->Pixels(60, 40), clWhite);
}

TEST(DrawGraphicTest, WinesScreenAndPrinterHaveNoPalette) {
    const ScreenDC screen;
    EXPECT_FALSE(IsPaletteDevice(screen.get()));
    EXPECT_FALSE(IsPaletteDevice(Printer()->Handle()));
}

// A palette screen gets 8 bits with a colour table of 256; else 24 bits.
TEST(DrawGraphicTest, APaletteScreenGetsTheBitmapInEightBits) {
    TBitmap bitmap;
    PaintRedBlue(bitmap, pf24bit);
    for (const bool paletteScreen : {false, true}) {
        SCOPED_TRACE(paletteScreen ? "palette screen" : "colour screen");
        const std::vector<Record> records = Recorded(bitmap, paletteScreen, false);
        const Record* stretch = Find(records, EMR_STRETCHDIBITS);
        ASSERT_NE(stretch, nullptr);
        EMRSTRETCHDIBITS s;
        std::memcpy(&s, stretch->bytes.data(), sizeof s);
        BITMAPINFOHEADER h;
        std::memcpy(&h, stretch->bytes.data() + s.offBmiSrc, sizeof h);
        EXPECT_EQ(h.biBitCount, paletteScreen ? 8 : 24);
        EXPECT_EQ(h.biClrUsed, paletteScreen ? 256u : 0u);
        EXPECT_EQ(h.biClrImportant, paletteScreen ? 256u : 0u);
        // Rows padded to four bytes: 4 of 8 bits, 12 of 24.
        EXPECT_EQ(s.cbBitsSrc, paletteScreen ? 8u : 24u);
        EXPECT_EQ(s.cxSrc, 4);
        EXPECT_EQ(s.cySrc, 2);
        EXPECT_EQ(s.cxDest, 40);
        EXPECT_EQ(Find(records, EMR_SELECTPALETTE), nullptr);  // no palette printer
    }
    // The colours come through the palette's indices.
    TBitmap target;
    target.SetPixelFormat(pf24bit);
    target.SetSize(40, 20);
    HDC dc = target.Canvas()->Handle();
    {
        const PaletteDevices devices(dc, true, false);
        DrawGraphic(dc, Rect(0, 0, 40, 20), &bitmap);
    }
    EXPECT_EQ(target.Canvas()->Pixels(5, 5), clRed);
    EXPECT_EQ(target.Canvas()->Pixels(35, 15), clBlue);
}

// On a palette printer the bitmap's palette (of its colour table) is
// selected for the call and the printer's own put back after it.  (Wine's
// metafile context does not record RealizePalette.)
TEST(DrawGraphicTest, APalettePrinterHasTheBitmapsPaletteSelectedAroundTheCall) {
    const struct {
        const char* what;
        TPixelFormat format;
        bool palettePrinter;
        std::vector<DWORD> expected;  // the palette and bitmap records, in order
    } cases[] = {
        {"8 bits, palette printer",
         pf8bit,
         true,
         {EMR_CREATEPALETTE, EMR_SELECTPALETTE, EMR_STRETCHDIBITS, EMR_SELECTPALETTE}},
        {"8 bits, colour printer", pf8bit, false, {EMR_STRETCHDIBITS}},
        {"24 bits have no palette", pf24bit, true, {EMR_STRETCHDIBITS}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        TBitmap bitmap;
        PaintRedBlue(bitmap, c.format);
        std::vector<DWORD> seen;
        DWORD selected = 0, restored = 0;
        for (const Record& r : Recorded(bitmap, false, c.palettePrinter)) {
            if (r.type != EMR_CREATEPALETTE && r.type != EMR_SELECTPALETTE && r.type != EMR_STRETCHDIBITS)
                continue;
            seen.push_back(r.type);
            if (r.type == EMR_SELECTPALETTE) {
                EMRSELECTPALETTE select;
                std::memcpy(&select, r.bytes.data(), sizeof select);
                (selected ? restored : selected) = select.ihPal;
            }
        }
        EXPECT_EQ(seen, c.expected);
        if (c.palettePrinter && c.format == pf8bit) {
            EXPECT_EQ(selected & ENHMETA_STOCK_OBJECT, 0u);  // the one created
            EXPECT_EQ(restored, ENHMETA_STOCK_OBJECT | DEFAULT_PALETTE);
        }
    }
}

}  // namespace
