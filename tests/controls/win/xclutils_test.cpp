// The graphics helpers on real device contexts: gradients, transparent and
// disabled drawing, and bitmaps through BMP streams.
#include <gtest/gtest.h>

#include <thread>

#include "controls/win/XcXCLUtils.h"
#include "frameworks/data/XcExceptions.h"
#include "tests/win/GraphicsSupport.h"

namespace {

using namespace cl;
using gfxtest::Surface;

TEST(FillRectGradient, PaintsTheBandsOfEachCase) {
    struct Case {
        const char* name;
        TRect r;
        TColor from, to;
        TFillDirection direction;
        int colors;
        std::vector<std::pair<TPoint, TColor>> expect;
    } cases[] = {
        {"four vertical bands",
         Rect(0, 0, 4, 8),
         clBlack,
         clRed,
         fdTopToBottom,
         4,
         {{{0, 0}, 0x000000}, {{3, 3}, 0x000055}, {{1, 5}, 0x0000AA}, {{2, 7}, 0x0000FF}}},
        {"one pixel high is the end colour",
         Rect(0, 2, 4, 3),
         clBlack,
         clBlue,
         fdTopToBottom,
         16,
         {{{0, 2}, clBlue}, {{3, 2}, clBlue}, {{0, 1}, clWhite}, {{0, 3}, clWhite}}},
        {"equal colours",
         Rect(1, 1, 3, 3),
         clLime,
         clLime,
         fdLeftToRight,
         64,
         {{{1, 1}, clLime}, {{2, 2}, clLime}}},
        {"right to left",
         Rect(0, 0, 2, 1),
         clBlack,
         clRed,
         fdRightToLeft,
         2,
         {{{0, 0}, clRed}, {{1, 0}, clBlack}}},
        {"system colour",
         Rect(0, 0, 2, 2),
         clBtnFace,
         clBtnFace,
         fdTopToBottom,
         2,
         {{{0, 0}, ColorToRGB(clBtnFace)}}},
        {"both none", Rect(0, 0, 4, 4), clNone, clNone, fdTopToBottom, 2, {{{0, 0}, clWhite}}},
    };
    for (const Case& c : cases) {
        Surface s(4, 8);
        FillRectGradient(&s.Canvas(), c.r, c.from, c.to, c.direction, static_cast<uint8_t>(c.colors));
        for (const auto& [p, color] : c.expect)
            EXPECT_EQ(s.At(p.x, p.y), color) << c.name << " " << p.x << "," << p.y;
    }
}

// A canvas over another's context that notes its lock count when it is
// first asked for the context.
class WatchedCanvas : public TCanvas {
public:
    explicit WatchedCanvas(HDC dc) : dc_(dc) {}
    int lockedAtHandle = -1;

protected:
    void CreateHandle() override {
        lockedAtHandle = LockCount();
        SetHandle(dc_);
    }

private:
    HDC dc_;
};

TEST(FillRectGradient, DrawsWithTheCanvasLocked) {
    Surface s(4, 8);
    WatchedCanvas canvas(s.Canvas().Handle());
    FillRectGradient(&canvas, Rect(0, 0, 4, 8), clBlack, clRed, fdTopToBottom, 4);
    EXPECT_EQ(canvas.lockedAtHandle, 1);
    EXPECT_EQ(canvas.LockCount(), 0);
    EXPECT_EQ(s.At(2, 7), clRed);
    // Another thread cannot take a locked canvas.
    canvas.Lock();
    bool taken = true;
    std::thread([&] { taken = canvas.TryLock(); }).join();
    canvas.Unlock();
    EXPECT_FALSE(taken);
}

// A 4x4 picture: red border key colour, a green 2x2 centre.
void Paint(TBitmap& b) {
    b.SetPixelFormat(pf24bit);
    b.SetSize(4, 4);
    b.Canvas()->Brush()->SetColor(clRed);
    b.Canvas()->FillRect(Rect(0, 0, 4, 4));
    b.Canvas()->Brush()->SetColor(clLime);
    b.Canvas()->FillRect(Rect(1, 1, 3, 3));
}

TEST(TransparentDrawing, LeavesOutTheKeyColourDefaultAndNone) {
    TBitmap picture;
    Paint(picture);
    struct Case {
        const char* name;
        TColor key;
        TColor corner;
    } cases[] = {
        {"explicit key", clRed, clBlue}, {"bottom-left pixel", clDefault, clBlue}, {"no key", clNone, clRed}};
    for (const Case& c : cases) {
        Surface s(6, 6);
        s.Canvas().Brush()->SetColor(clBlue);
        s.Canvas().FillRect(Rect(0, 0, 6, 6));
        DrawBitmapTransparent(&s.Canvas(), 1, 1, &picture, c.key);
        EXPECT_EQ(s.At(1, 1), c.corner) << c.name;
        EXPECT_EQ(s.At(2, 2), clLime) << c.name;
        EXPECT_EQ(s.At(0, 0), clBlue) << c.name;
    }
    Surface big(8, 8);
    StretchBltTransparent(big.Canvas().Handle(), 0, 0, 8, 8, picture.Canvas()->Handle(), Rect(0, 0, 4, 4),
                          clRed, nullptr);
    EXPECT_EQ(big.At(1, 1), clWhite);
    EXPECT_EQ(big.At(3, 3), clLime);
    EXPECT_EQ(big.At(5, 4), clLime);
    EXPECT_EQ(big.At(6, 7), clWhite);
}

TEST(DisabledBitmap, StampsTheMaskColourInShadowAndHighlight) {
    TBitmap glyph;
    glyph.SetPixelFormat(pf24bit);
    glyph.SetSize(6, 6);
    glyph.Canvas()->Brush()->SetColor(clWhite);
    glyph.Canvas()->FillRect(Rect(0, 0, 6, 6));
    glyph.Canvas()->Brush()->SetColor(clBlack);
    glyph.Canvas()->FillRect(Rect(1, 1, 3, 3));
    const auto disabled = MakeDisabledBitmap(&glyph, clBlack, clSilver, true, clGray, clWhite);
    TCanvas* c = disabled->Canvas();
    EXPECT_EQ(c->Pixels(0, 0), clSilver);
    EXPECT_EQ(c->Pixels(1, 1), clGray);
    EXPECT_EQ(c->Pixels(2, 2), clGray);
    EXPECT_EQ(c->Pixels(3, 3), clWhite);  // the highlight, one pixel down and right
    EXPECT_EQ(c->Pixels(3, 1), clSilver);
    const auto flat = MakeDisabledBitmap(&glyph, clBlack, clSilver, false, clGray, clWhite);
    EXPECT_EQ(flat->Canvas()->Pixels(3, 3), clSilver);
}

TEST(DisabledBitmap, ImageListItemsDrawAsTheirSilhouette) {
    TBitmap glyph;
    glyph.SetPixelFormat(pf24bit);
    glyph.SetSize(4, 4);
    glyph.Canvas()->Brush()->SetColor(clFuchsia);
    glyph.Canvas()->FillRect(Rect(0, 0, 4, 4));
    glyph.Canvas()->Brush()->SetColor(clRed);
    glyph.Canvas()->FillRect(Rect(0, 0, 2, 2));
    TImageList list(nullptr, 4, 4);
    ASSERT_EQ(list.AddMasked(&glyph, clFuchsia), 0);
    Surface s(6, 6);
    DrawImageListItemDisabled(&list, &s.Canvas(), 1, 1, 0, true, clGray, clBlue);
    EXPECT_EQ(s.At(1, 1), clGray);
    EXPECT_EQ(s.At(2, 2), clGray);
    EXPECT_EQ(s.At(3, 3), clBlue);
    EXPECT_EQ(s.At(4, 4), clWhite);
    EXPECT_EQ(s.Canvas().Brush()->Color(), clWhite);

    // Cell 3 of a 2 x 2 grid: the bottom-right quarter.
    TBitmap cell;
    CopyImageGridCell(&glyph, &cell, 2, 2, 3);
    EXPECT_EQ(cell.Width(), 2);
    EXPECT_EQ(cell.Canvas()->Pixels(0, 0), clFuchsia);
    CopyImageGridCell(&glyph, &cell, 2, 2, 0);
    EXPECT_EQ(cell.Canvas()->Pixels(1, 1), clRed);
}

TEST(BitmapStream, RoundTripsThroughEachPixelFormat) {
    TBitmap source;
    source.SetPixelFormat(pf24bit);
    source.SetSize(5, 3);
    const TColor colors[] = {clBlack, clWhite, clRed, clBlue, clLime};
    for (int x = 0; x < 5; ++x)
        for (int y = 0; y < 3; ++y) source.Canvas()->SetPixels(x, y, colors[(x + y) % 5]);
    struct Case {
        TPixelFormat format;
        TColorReduction method;
    } cases[] = {
        {pf24bit, rmMedianCut}, {pf8bit, rmQuantize666}, {pf8bit, rmPopularity}, {pf4bit, rmMedianCut}};
    for (const Case& c : cases) {
        const auto stream = BitmapToPixelFormatStream(&source, c.format, c.method);
        TBitmap back;
        back.LoadFromStream(*stream);
        EXPECT_EQ(back.PixelFormat(), c.format);
        for (int x = 0; x < 5; ++x)
            for (int y = 0; y < 3; ++y)
                EXPECT_EQ(back.Canvas()->Pixels(x, y), source.Canvas()->Pixels(x, y)) << x << "," << y;
    }
    const auto twoColours = BitmapStreamForColors(&source, 2);
    TBitmap mono;
    mono.LoadFromStream(*twoColours);
    EXPECT_EQ(mono.PixelFormat(), pf1bit);
    TBitmap empty;
    EXPECT_THROW(BitmapToPixelFormatStream(&empty, pf8bit, rmMedianCut), EInvalidGraphic);
    for (TPixelFormat format : {pf15bit, pf16bit, pf32bit}) {
        try {
            BitmapToPixelFormatStream(&source, format, rmMedianCut);
            ADD_FAILURE() << format;
        } catch (const EXCLException& e) {
            EXPECT_EQ(e.Message(), "BitmapToMemoryStream: pixel format not implemented");
        }
    }
}

TEST(SystemHelpers, ReportTheDisplayAndTheCheckBoxGlyph) {
    EXPECT_EQ(GetDisplayColorDepthClass(), 7);  // Wine's display is 32 bits
    const SIZE glyph = GetCheckBoxGlyphSize();
    EXPECT_GT(glyph.cx, 0);
    EXPECT_GT(glyph.cy, 0);
    EXPECT_FALSE(IsThreadWindowActive());
}

}  // namespace
