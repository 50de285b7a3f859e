// Transparent and disabled drawing of bitmaps and image-list images.
#include <memory>

#include "classlib/win/GdiHandles.h"
#include "controls/win/XcXCLUtils.h"

using namespace cl;

namespace {

constexpr DWORD kRopBrushWhereSource = 0xE20746;  // DSPDxax: the brush where the source is 1

bool IsMonochrome(HDC dc) {
    BITMAP bm{};
    HGDIOBJ bitmap = GetCurrentObject(dc, OBJ_BITMAP);
    return bitmap && GetObjectW(bitmap, sizeof bm, &bm) && bm.bmBitsPixel == 1;
}

// A bitmap like the context's of the size, selected into a memory context.
struct Scratch {
    Scratch(HDC like, int width, int height, bool monochrome)
        : bitmap(monochrome ? CreateBitmap(width, height, 1, 1, nullptr)
                            : CreateCompatibleBitmap(like, width, height)) {
        if (!bitmap) throw EOutOfResources("Out of system resources");
        dc = std::make_unique<MemoryDC>(bitmap.get());
    }
    HDC get() const { return dc->get(); }
    OwnedBitmap bitmap;
    std::unique_ptr<MemoryDC> dc;
};

// Stamps the 1 bits of a monochrome mask in the colour at (x, y).
void StampMask(HDC dc, int x, int y, int width, int height, HDC mask, TColor color, COLORREF text,
               COLORREF back) {
    const OwnedBrush brush(CreateSolidBrush(static_cast<COLORREF>(ColorToRGB(color))));
    const SelectedObject selected(dc, brush.get());
    const COLORREF oldText = SetTextColor(dc, text), oldBack = SetBkColor(dc, back);
    BitBlt(dc, x, y, width, height, mask, 0, 0, kRopBrushWhereSource);
    SetTextColor(dc, oldText);
    SetBkColor(dc, oldBack);
}

}  // namespace

void StretchBltTransparent(HDC dc, int x, int y, int width, int height, HDC source, const TRect& sourceRect,
                           TColor transparentColor, HPALETTE palette) {
    const int sw = sourceRect.right - sourceRect.left, sh = sourceRect.bottom - sourceRect.top;
    if (width < 1 || height < 1 || sw < 1 || sh < 1) return;
    HPALETTE oldPalette = nullptr;
    if (palette) {
        oldPalette = SelectPalette(dc, palette, FALSE);
        RealizePalette(dc);
    }
    const bool monochrome = IsMonochrome(source);
    const int oldMode = monochrome ? GetStretchBltMode(dc) : SetStretchBltMode(dc, COLORONCOLOR);
    if (transparentColor == clNone) {
        StretchBlt(dc, x, y, width, height, source, sourceRect.left, sourceRect.top, sw, sh, SRCCOPY);
    } else {
        COLORREF key = static_cast<COLORREF>(ColorToRGB(transparentColor));
        if (monochrome)
            key = RGB(255, 255, 255);
        else if (transparentColor == clDefault)
            key = GetPixel(source, sourceRect.left, sourceRect.bottom - 1);
        // mask: 1 where the source has the key colour.
        Scratch mask(dc, sw, sh, true);
        const COLORREF oldBack = SetBkColor(source, key);
        BitBlt(mask.get(), 0, 0, sw, sh, source, sourceRect.left, sourceRect.top, SRCCOPY);
        SetBkColor(source, oldBack);
        // The source with its key pixels black (mask 1 drawn as black).
        Scratch inked(dc, sw, sh, false);
        BitBlt(inked.get(), 0, 0, sw, sh, source, sourceRect.left, sourceRect.top, SRCCOPY);
        SetTextColor(inked.get(), RGB(255, 255, 255));
        SetBkColor(inked.get(), RGB(0, 0, 0));
        BitBlt(inked.get(), 0, 0, sw, sh, mask.get(), 0, 0, SRCAND);
        // The destination with the opaque pixels black (mask 0 drawn as
        // black), then the inked source over it.
        Scratch copy(dc, width, height, false);
        BitBlt(copy.get(), 0, 0, width, height, dc, x, y, SRCCOPY);
        SetTextColor(copy.get(), RGB(0, 0, 0));
        SetBkColor(copy.get(), RGB(255, 255, 255));
        SetStretchBltMode(copy.get(), COLORONCOLOR);
        StretchBlt(copy.get(), 0, 0, width, height, mask.get(), 0, 0, sw, sh, SRCAND);
        StretchBlt(copy.get(), 0, 0, width, height, inked.get(), 0, 0, sw, sh, SRCPAINT);
        BitBlt(dc, x, y, width, height, copy.get(), 0, 0, SRCCOPY);
    }
    SetStretchBltMode(dc, oldMode);
    if (palette) SelectPalette(dc, oldPalette, TRUE);
}

void DrawBitmapRectTransparent(TCanvas* canvas, int x, int y, const TRect& rect, TBitmap* bitmap,
                               TColor transparentColor) {
    if (!bitmap || bitmap->Empty()) return;
    if (transparentColor == clDefault) transparentColor = bitmap->Canvas()->Pixels(0, bitmap->Height() - 1);
    StretchBltTransparent(canvas->Handle(), x, y, rect.right - rect.left, rect.bottom - rect.top,
                          bitmap->Canvas()->Handle(), rect, transparentColor, nullptr);
}

void DrawBitmapTransparent(TCanvas* canvas, int x, int y, TBitmap* bitmap, TColor transparentColor) {
    if (!bitmap) return;
    DrawBitmapRectTransparent(canvas, x, y, Rect(0, 0, bitmap->Width(), bitmap->Height()), bitmap,
                              transparentColor);
}

std::unique_ptr<TBitmap> MakeDisabledBitmap(TBitmap* bitmap, TColor maskBackColor, TColor resultBackColor,
                                            bool drawHighlight, TColor shadowColor, TColor highlightColor) {
    auto result = std::make_unique<TBitmap>();
    if (!bitmap || bitmap->Empty()) return result;
    const int w = bitmap->Width(), h = bitmap->Height();
    // A colour copy first (a monochrome source as black and white), then
    // the mask: 1 where the copy has the mask background colour.
    ScreenDC screen;
    Scratch colour(screen.get(), w, h, false);
    SetTextColor(colour.get(), RGB(0, 0, 0));
    SetBkColor(colour.get(), RGB(255, 255, 255));
    BitBlt(colour.get(), 0, 0, w, h, bitmap->Canvas()->Handle(), 0, 0, SRCCOPY);
    Scratch mask(screen.get(), w, h, true);
    SetBkColor(colour.get(), static_cast<COLORREF>(ColorToRGB(maskBackColor)));
    BitBlt(mask.get(), 0, 0, w, h, colour.get(), 0, 0, SRCCOPY);

    result->SetSize(w, h);
    TCanvas* c = result->Canvas();
    c->Brush()->SetColor(resultBackColor);
    c->FillRect(Rect(0, 0, w, h));
    HDC dc = c->Handle();
    if (drawHighlight)
        StampMask(dc, 1, 1, w, h, mask.get(), highlightColor, RGB(0, 0, 0), RGB(255, 255, 255));
    StampMask(dc, 0, 0, w, h, mask.get(), shadowColor, RGB(0, 0, 0), RGB(255, 255, 255));
    return result;
}

void DrawImageListItemDisabled(TCustomImageList* list, TCanvas* canvas, int x, int y, int index,
                               bool drawHighlight, TColor shadowColor, TColor highlightColor) {
    if (!list || !canvas) return;
    const int w = list->Width(), h = list->Height();
    // The mask: 0 where the image is, 1 (white) elsewhere.
    Scratch mask(canvas->Handle(), w, h, true);
    PatBlt(mask.get(), 0, 0, w, h, WHITENESS);
    ImageList_Draw(list->Handle(), index, mask.get(), 0, 0, ILD_MASK);
    const TColor oldBrush = canvas->Brush()->Color();
    HDC dc = canvas->Handle();
    // Mask 0 becomes white: the brush goes where the image is.
    if (drawHighlight)
        StampMask(dc, x + 1, y + 1, w, h, mask.get(), highlightColor, RGB(255, 255, 255), RGB(0, 0, 0));
    StampMask(dc, x, y, w, h, mask.get(), shadowColor, RGB(255, 255, 255), RGB(0, 0, 0));
    canvas->Brush()->SetColor(oldBrush);
}
