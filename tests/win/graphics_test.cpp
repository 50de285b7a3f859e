// Colours, fonts, pens and brushes, the canvas's drawing and text, BMP files
// (round trips and corrupt headers), icons and the picture's file formats.
#include "classlib/win/Graphics.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>
#include <string>
#include <vector>

#include "tests/support/TempFolder.h"
#include "tests/win/GraphicsSupport.h"

namespace {

using namespace cl;
using gfxtest::Surface;

// ---- Colours and GDI objects ---------------------------------------------

TEST(Colors, ConstantsHaveTheClassLibraryValues) {
    const struct {
        TColor color;
        uint32_t value;
    } cases[] = {
        {clBlack, 0x000000},     {clMaroon, 0x000080},      {clGreen, 0x008000},    {clRed, 0x0000FF},
        {clBlue, 0xFF0000},      {clWhite, 0xFFFFFF},       {clSilver, 0xC0C0C0},   {clNone, 0x1FFFFFFF},
        {clDefault, 0x20000000}, {clBtnFace, 0x8000000F},   {clWindow, 0x80000005}, {clHighlight, 0x8000000D},
        {clInfoBk, 0x80000018},  {clScrollBar, 0x80000000},
    };
    for (const auto& c : cases) EXPECT_EQ(static_cast<uint32_t>(c.color), c.value);
}

TEST(Colors, SystemColoursBecomeTheirCurrentRgb) {
    EXPECT_EQ(static_cast<COLORREF>(ColorToRGB(clBtnFace)), GetSysColor(COLOR_BTNFACE));
    EXPECT_EQ(static_cast<COLORREF>(ColorToRGB(clWindowText)), GetSysColor(COLOR_WINDOWTEXT));
    EXPECT_EQ(ColorToRGB(clOlive), clOlive);
    EXPECT_EQ(ColorToRGB(clNone), clNone);
}

TEST(Font, DefaultsToMsSansSerifEightPointsAtNinetySixDpi) {
    ASSERT_EQ(ScreenLogPixels(), 96);
    TFont font;
    EXPECT_EQ(font.Name(), "MS Sans Serif");
    EXPECT_EQ(font.Height(), -11);
    EXPECT_EQ(font.Size(), 8);
    EXPECT_EQ(font.Color(), clBlack);
    EXPECT_EQ(font.Style(), 0);
    EXPECT_EQ(font.Charset(), DEFAULT_CHARSET);
}

TEST(Font, SizeAndHeightConvertThroughPixelsPerInch) {
    const struct {
        int ppi, size, height;
    } cases[] = {
        {96, 8, -11},  {96, 9, -12},   {96, 10, -13}, {96, 12, -16}, {96, 72, -96},
        {300, 8, -33}, {300, 10, -42}, {120, 8, -13}, {600, 1, -8},
    };
    for (const auto& c : cases) {
        TFont font;
        font.SetPixelsPerInch(c.ppi);
        font.SetSize(c.size);
        EXPECT_EQ(font.Height(), c.height) << c.ppi << " dpi, " << c.size << " pt";
        font.SetHeight(c.height);
        EXPECT_EQ(font.Size(), c.size) << c.ppi << " dpi, height " << c.height;
    }
}

TEST(Font, ChangingPixelsPerInchKeepsTheHeight) {
    TFont font;
    font.SetSize(10);
    font.SetPixelsPerInch(300);
    EXPECT_EQ(font.Height(), -13);
    EXPECT_EQ(font.Size(), 3);
}

TEST(Font, AssignKeepsPointSizeAcrossResolutionsAndHeightWithin) {
    TFont screen;
    screen.SetName("Arial");
    screen.SetSize(10);
    screen.SetStyle(fsBold | fsItalic);
    screen.SetColor(clRed);
    screen.SetCharset(EASTEUROPE_CHARSET);

    TFont printer;
    printer.SetPixelsPerInch(300);
    printer.Assign(&screen);
    EXPECT_EQ(printer.Size(), 10);
    EXPECT_EQ(printer.Height(), -42);
    EXPECT_EQ(printer.Name(), "Arial");
    EXPECT_EQ(printer.Style(), fsBold | fsItalic);
    EXPECT_EQ(printer.Color(), clRed);
    EXPECT_EQ(printer.Charset(), EASTEUROPE_CHARSET);

    TFont same;
    screen.SetHeight(-14);
    same.Assign(&screen);
    EXPECT_EQ(same.Height(), -14);
}

TEST(Font, HandleCarriesTheAttributesAndFollowsChanges) {
    TFont font;
    font.SetName("Arial");
    font.SetHeight(-20);
    font.SetStyle(fsBold | fsUnderline);
    LOGFONTW lf{};
    ASSERT_EQ(GetObjectW(font.Handle(), sizeof lf, &lf), static_cast<int>(sizeof lf));
    EXPECT_EQ(std::wstring(lf.lfFaceName), L"Arial");
    EXPECT_EQ(lf.lfHeight, -20);
    EXPECT_EQ(lf.lfWeight, FW_BOLD);
    EXPECT_TRUE(lf.lfUnderline);
    EXPECT_FALSE(lf.lfItalic);

    font.SetStyle(fsItalic);
    ASSERT_EQ(GetObjectW(font.Handle(), sizeof lf, &lf), static_cast<int>(sizeof lf));
    EXPECT_EQ(lf.lfWeight, FW_NORMAL);
    EXPECT_TRUE(lf.lfItalic);

    TFont copy;
    copy.SetHandle(font.Handle());
    EXPECT_EQ(copy.Name(), "Arial");
    EXPECT_EQ(copy.Height(), -20);
    EXPECT_EQ(copy.Style(), fsItalic);
}

TEST(GraphicsObjects, EveryRealChangeFiresOnChangeOnce) {
    TFont font;
    TPen pen;
    TBrush brush;
    int changes = 0;
    font.OnChange = pen.OnChange = brush.OnChange = [&](TObject*) { ++changes; };
    const std::vector<std::pair<const char*, std::function<void()>>> steps = {
        {"font name", [&] { font.SetName("Arial"); }},
        {"font size", [&] { font.SetSize(12); }},
        {"font style", [&] { font.SetStyle(fsBold); }},
        {"font colour", [&] { font.SetColor(clRed); }},
        {"font charset", [&] { font.SetCharset(EASTEUROPE_CHARSET); }},
        {"font pitch", [&] { font.SetPitch(fpFixed); }},
        {"pen colour", [&] { pen.SetColor(clBlue); }},
        {"pen width", [&] { pen.SetWidth(3); }},
        {"pen style", [&] { pen.SetStyle(psDot); }},
        {"pen mode", [&] { pen.SetMode(pmNotXor); }},
        {"brush colour", [&] { brush.SetColor(clYellow); }},
        {"brush style", [&] { brush.SetStyle(bsCross); }},
    };
    for (const auto& [name, step] : steps) {
        changes = 0;
        step();
        EXPECT_EQ(changes, 1) << name;
        step();  // the same value again
        EXPECT_EQ(changes, 1) << name << " repeated";
    }
}

TEST(Brush, ClNoneMakesItClearAndAColourMakesItSolidAgain) {
    TBrush brush;
    brush.SetColor(clNone);
    EXPECT_EQ(brush.Style(), bsClear);
    brush.SetColor(clRed);
    EXPECT_EQ(brush.Style(), bsSolid);
    brush.SetStyle(bsCross);
    brush.SetColor(clBlue);
    EXPECT_EQ(brush.Style(), bsCross);
}

// ---- Canvas ---------------------------------------------------------------

TEST(Canvas, FillRectPaintsExactlyTheRectangle) {
    Surface s(40, 30);
    s.Canvas().Brush()->SetColor(clRed);
    s.Canvas().FillRect(Rect(10, 5, 30, 20));
    EXPECT_EQ(s.At(10, 5), clRed);
    EXPECT_EQ(s.At(29, 19), clRed);
    EXPECT_EQ(s.At(30, 19), clWhite);
    EXPECT_EQ(s.At(29, 20), clWhite);
    EXPECT_EQ(s.At(9, 5), clWhite);
    EXPECT_EQ(s.Ink(Rect(0, 0, 40, 30)), 20 * 15);
}

TEST(Canvas, RectangleHasAPenBorderAndABrushInside) {
    Surface s(40, 30);
    s.Canvas().Pen()->SetColor(clBlue);
    s.Canvas().Brush()->SetColor(clLime);
    s.Canvas().Rectangle(5, 5, 25, 20);
    EXPECT_EQ(s.At(5, 5), clBlue);
    EXPECT_EQ(s.At(24, 19), clBlue);
    EXPECT_EQ(s.At(15, 12), clLime);
    EXPECT_EQ(s.At(25, 20), clWhite);
}

TEST(Canvas, ChangingTheBrushBetweenCallsUsesTheNewOne) {
    Surface s(30, 10);
    const TColor colors[] = {clRed, clGreen, clBlue};
    for (int i = 0; i < 3; ++i) {
        s.Canvas().Brush()->SetColor(colors[i]);
        s.Canvas().FillRect(Rect(i * 10, 0, i * 10 + 10, 10));
    }
    for (int i = 0; i < 3; ++i) EXPECT_EQ(s.At(i * 10 + 5, 5), colors[i]);
}

TEST(Canvas, NotXorRectangleDrawnTwiceRestoresTheBackground) {
    Surface s(60, 40);
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 60; ++x) s.Canvas().SetPixels(x, y, RGB(x * 4, y * 6, (x + y) * 2));
    const std::vector<TColor> before = s.All();

    TCanvas& c = s.Canvas();
    c.Pen()->SetMode(pmNotXor);
    c.Pen()->SetColor(clBlack);
    c.Pen()->SetWidth(0);
    c.Brush()->SetStyle(bsClear);
    c.Rectangle(10, 8, 50, 30);
    EXPECT_NE(s.All(), before);
    EXPECT_EQ(s.At(10, 8), static_cast<TColor>(~before[8 * 60 + 10] & 0xFFFFFF));
    c.Rectangle(10, 8, 50, 30);
    EXPECT_EQ(s.All(), before);
}

TEST(Canvas, PenModesCombineWithTheBackground) {
    const struct {
        TPenMode mode;
        TColor pen, background, result;
    } cases[] = {
        {pmCopy, clRed, clWhite, clRed},      {pmNot, clRed, clWhite, clBlack},
        {pmBlack, clWhite, clWhite, clBlack}, {pmWhite, clBlack, clBlack, clWhite},
        {pmXor, clRed, clWhite, clAqua},      {pmNotXor, clBlack, clWhite, clBlack},
        {pmMask, clRed, clYellow, clRed},     {pmMerge, clRed, clBlue, clFuchsia},
    };
    for (const auto& c : cases) {
        Surface s(10, 10);
        s.Canvas().Brush()->SetColor(c.background);
        s.Canvas().FillRect(Rect(0, 0, 10, 10));
        s.Canvas().Pen()->SetColor(c.pen);
        s.Canvas().Pen()->SetMode(c.mode);
        s.Canvas().MoveTo(0, 5);
        s.Canvas().LineTo(10, 5);
        EXPECT_EQ(s.At(5, 5), c.result) << "mode " << c.mode;
    }
}

TEST(Canvas, PolygonPolylineAndEllipseDraw) {
    Surface s(50, 50);
    TCanvas& c = s.Canvas();
    c.Brush()->SetColor(clRed);
    c.Pen()->SetColor(clRed);
    const TPoint triangle[] = {{0, 0}, {20, 0}, {0, 20}};
    c.Polygon(triangle);
    EXPECT_EQ(s.At(3, 3), clRed);
    EXPECT_EQ(s.At(18, 18), clWhite);

    c.Pen()->SetColor(clBlue);
    const std::vector<TPoint> line = {{30, 5}, {45, 5}, {45, 20}};
    c.Polyline(line);
    EXPECT_EQ(s.At(40, 5), clBlue);
    EXPECT_EQ(s.At(45, 15), clBlue);

    c.Brush()->SetColor(clLime);
    c.Ellipse(20, 25, 50, 50);
    EXPECT_EQ(s.At(35, 37), clLime);
    EXPECT_EQ(s.At(21, 26), clWhite);
}

TEST(Canvas, PixelsReadAndWrite) {
    Surface s(5, 5);
    s.Canvas().SetPixels(2, 3, clPurple);
    EXPECT_EQ(s.At(2, 3), clPurple);
    s.Canvas().SetPixels(1, 1, clBtnFace);
    EXPECT_EQ(s.At(1, 1), ColorToRGB(clBtnFace));
}

TEST(Canvas, TextExtentOfPolishTextMatchesTheWideApi) {
    Surface s(200, 50);
    TCanvas& c = s.Canvas();
    c.Font()->SetName("Arial");
    c.Font()->SetSize(10);
    const SIZE size = c.TextExtent("Zażółć");
    EXPECT_GT(size.cx, 30);
    EXPECT_LT(size.cx, 80);
    EXPECT_GE(size.cy, 13);
    EXPECT_LE(size.cy, 20);

    SIZE wide{};
    GetTextExtentPoint32W(c.Handle(), L"Zażółć", 6, &wide);
    EXPECT_EQ(size.cx, wide.cx);
    EXPECT_EQ(size.cy, wide.cy);
    EXPECT_EQ(c.TextWidth("Zażółć"), size.cx);
    EXPECT_EQ(c.TextHeight("Zażółć"), size.cy);
    EXPECT_EQ(c.TextWidth(""), 0);
}

TEST(Canvas, TextOutDrawsPolishTextInsideItsExtentAndMovesThePen) {
    Surface s(200, 50);
    TCanvas& c = s.Canvas();
    c.Font()->SetName("Arial");
    c.Font()->SetSize(14);
    c.Brush()->SetStyle(bsClear);
    const std::string text = "Zażółć gęślą";
    const SIZE size = c.TextExtent(text);
    c.TextOut(10, 10, text);
    const int ink = s.Ink(Rect(10, 10, 10 + size.cx, 10 + size.cy));
    EXPECT_GT(ink, 50);
    EXPECT_EQ(s.Ink(Rect(0, 0, 200, 50)), ink);
    EXPECT_EQ(c.PenPos().x, 10 + size.cx);
    EXPECT_EQ(c.PenPos().y, 10);

    // The same text drawn through the wide API directly gives the same pixels.
    Surface direct(200, 50);
    HDC dc = direct.Canvas().Handle();
    {
        const SelectedObject font(dc, c.Font()->Handle());
        SetBkMode(dc, TRANSPARENT);
        TextOutW(dc, 10, 10, L"Zażółć gęślą", 12);
    }
    EXPECT_EQ(s.All(), direct.All());
}

TEST(Canvas, TextRectClipsToItsRectangleAndFillsItWithTheBrush) {
    Surface s(100, 40);
    TCanvas& c = s.Canvas();
    c.Font()->SetName("Arial");
    c.Font()->SetSize(12);
    c.Brush()->SetColor(clYellow);
    c.TextRect(Rect(10, 10, 40, 30), 5, 10, "Bardzo długi tekst");
    EXPECT_EQ(s.At(12, 28), clYellow);
    EXPECT_EQ(s.Ink(Rect(40, 0, 100, 40)), 0);
    EXPECT_EQ(s.Ink(Rect(0, 0, 10, 40)), 0);
}

TEST(Canvas, TextRectWithAFormatPlacesTheTextAndClipsIt) {
    Surface s(100, 40);
    TCanvas& c = s.Canvas();
    c.Font()->SetName("Arial");
    c.Font()->SetSize(12);
    c.Brush()->SetColor(clYellow);
    c.TextRect(Rect(10, 10, 60, 30), "Bardzo długi tekst", DT_SINGLELINE | DT_VCENTER | DT_NOCLIP);
    EXPECT_EQ(s.At(58, 12), clYellow);
    EXPECT_EQ(s.Ink(Rect(60, 0, 100, 40)), 0);
    EXPECT_EQ(s.Ink(Rect(0, 0, 100, 10)), 0);

    Surface right(100, 40);
    right.Canvas().Font()->Assign(c.Font());
    right.Canvas().Brush()->SetStyle(bsClear);
    right.Canvas().TextRect(Rect(0, 0, 100, 40), "Ż", DT_RIGHT | DT_BOTTOM | DT_SINGLELINE);
    const SIZE size = right.Canvas().TextExtent("Ż");
    EXPECT_EQ(right.Ink(Rect(0, 0, 100 - size.cx, 40)), 0);
    EXPECT_EQ(right.Ink(Rect(0, 0, 100, 40 - size.cy)), 0);
    EXPECT_GT(right.Ink(Rect(100 - size.cx, 40 - size.cy, 100, 40)), 0);
}

TEST(Canvas, DrawTextCalcRectMeasuresWithoutDrawing) {
    Surface s(200, 100);
    TCanvas& c = s.Canvas();
    c.Font()->SetName("Arial");
    c.Font()->SetSize(10);
    TRect r = Rect(0, 0, 60, 0);
    const int height = c.DrawText("Żółw i źrebię", r, DT_CALCRECT | DT_WORDBREAK);
    EXPECT_EQ(s.Ink(Rect(0, 0, 200, 100)), 0);
    EXPECT_GT(height, c.TextHeight("Ż"));  // wrapped onto two lines
    EXPECT_EQ(r.bottom, height);

    TRect line = Rect(0, 0, 200, 30);
    c.Brush()->SetStyle(bsClear);
    c.DrawText("Żółw", line, DT_SINGLELINE | DT_RIGHT | DT_VCENTER);
    const int w = c.TextWidth("Żółw");
    EXPECT_EQ(s.Ink(Rect(0, 0, 200 - w - 1, 100)), 0);
    EXPECT_GT(s.Ink(Rect(200 - w, 0, 200, 30)), 0);
}

TEST(Canvas, ClipRectLimitsDrawingUntilReset) {
    Surface s(40, 40);
    TCanvas& c = s.Canvas();
    c.SetClipRect(Rect(10, 10, 20, 20));
    EXPECT_EQ(c.ClipRect().left, 10);
    EXPECT_EQ(c.ClipRect().bottom, 20);
    c.Brush()->SetColor(clRed);
    c.FillRect(Rect(0, 0, 40, 40));
    EXPECT_EQ(s.Ink(Rect(0, 0, 40, 40)), 100);
    c.ResetClip();
    c.FillRect(Rect(0, 0, 40, 40));
    EXPECT_EQ(s.Ink(Rect(0, 0, 40, 40)), 1600);
}

TEST(Canvas, ClipScopeIntersectsAndRestoresThePreviousClip) {
    Surface s(40, 40);
    TCanvas& c = s.Canvas();
    c.SetClipRect(Rect(0, 0, 20, 40));
    {
        TClipScope clip(c, Rect(10, 0, 40, 10));
        c.Brush()->SetColor(clRed);
        c.FillRect(Rect(0, 0, 40, 40));
        EXPECT_EQ(s.Ink(Rect(0, 0, 40, 40)), 10 * 10);
    }
    c.Brush()->SetColor(clBlue);
    c.FillRect(Rect(0, 0, 40, 40));
    EXPECT_EQ(s.Ink(Rect(0, 0, 40, 40)), 20 * 40);
    EXPECT_EQ(s.At(25, 5), clWhite);
}

TEST(Canvas, OverAForeignContextLeavesItWithItsOwnObjects) {
    Surface s(20, 20);
    const OwnedDC memory(CreateCompatibleDC(nullptr));
    const OwnedBitmap image(CreateCompatibleBitmap(s.Canvas().Handle(), 20, 20));
    const SelectedObject selected(memory.get(), image.get());
    HDC dc = memory.get();
    HGDIOBJ font = GetCurrentObject(dc, OBJ_FONT);
    HGDIOBJ pen = GetCurrentObject(dc, OBJ_PEN);
    HGDIOBJ brush = GetCurrentObject(dc, OBJ_BRUSH);
    {
        TCanvas canvas(dc);
        canvas.Brush()->SetColor(clRed);
        canvas.Rectangle(0, 0, 10, 10);
        canvas.TextOut(0, 0, "x");
        EXPECT_EQ(GetPixel(dc, 5, 5), static_cast<COLORREF>(clRed));
        EXPECT_NE(GetCurrentObject(dc, OBJ_BRUSH), brush);
    }
    EXPECT_EQ(GetCurrentObject(dc, OBJ_FONT), font);
    EXPECT_EQ(GetCurrentObject(dc, OBJ_PEN), pen);
    EXPECT_EQ(GetCurrentObject(dc, OBJ_BRUSH), brush);
    EXPECT_EQ(GetPixel(dc, 5, 5), static_cast<COLORREF>(clRed));  // the context still works
}

TEST(Canvas, WithoutAContextDrawingRaises) {
    TCanvas canvas;
    EXPECT_FALSE(canvas.HandleAllocated());
    EXPECT_THROW(canvas.FillRect(Rect(0, 0, 1, 1)), EInvalidOperation);
}

TEST(Canvas, DrawAndStretchDrawPlaceABitmap) {
    TBitmap red;
    red.SetPixelFormat(pf24bit);
    red.SetSize(4, 3);
    red.Canvas()->Brush()->SetColor(clRed);
    red.Canvas()->FillRect(Rect(0, 0, 4, 3));

    Surface s(30, 30);
    s.Canvas().Draw(2, 2, &red);
    EXPECT_EQ(s.Ink(Rect(0, 0, 30, 30)), 12);
    EXPECT_EQ(s.At(5, 4), clRed);
    s.Canvas().StretchDraw(Rect(10, 10, 30, 30), &red);
    EXPECT_EQ(s.Ink(Rect(10, 10, 30, 30)), 400);
    s.Canvas().Draw(0, 0, nullptr);  // nothing, no error
}

TEST(Canvas, TransparentBitmapLeavesItsTransparentColourOut) {
    TBitmap sprite;
    sprite.SetPixelFormat(pf24bit);
    sprite.SetSize(4, 4);
    sprite.Canvas()->Brush()->SetColor(clFuchsia);
    sprite.Canvas()->FillRect(Rect(0, 0, 4, 4));
    sprite.Canvas()->SetPixels(1, 1, clBlue);
    sprite.SetTransparent(true);
    EXPECT_EQ(sprite.TransparentColor(), clFuchsia);  // the bottom-left pixel

    Surface s(10, 10);
    s.Canvas().Brush()->SetColor(clYellow);
    s.Canvas().FillRect(Rect(0, 0, 10, 10));
    s.Canvas().Draw(3, 3, &sprite);
    EXPECT_EQ(s.At(4, 4), clBlue);
    EXPECT_EQ(s.At(3, 3), clYellow);
    EXPECT_EQ(s.At(6, 6), clYellow);
}

TEST(Canvas, CopyRectCopiesBetweenCanvases) {
    Surface from(10, 10), to(20, 20);
    from.Canvas().Brush()->SetColor(clTeal);
    from.Canvas().FillRect(Rect(0, 0, 5, 5));
    to.Canvas().CopyRect(Rect(10, 10, 20, 20), &from.Canvas(), Rect(0, 0, 10, 10));
    EXPECT_EQ(to.At(11, 11), clTeal);
    EXPECT_EQ(to.At(19, 19), clWhite);
    EXPECT_EQ(to.Ink(Rect(0, 0, 20, 20)), 25);
}

// ---- Bitmaps ----------------------------------------------------------------

TEST(Bitmap, NewSizeIsWhiteAndKeepsTheOverlappingImage) {
    TBitmap b;
    EXPECT_TRUE(b.Empty());
    EXPECT_EQ(b.PixelFormat(), pfDevice);
    b.SetSize(4, 4);
    EXPECT_EQ(b.HandleType(), bmDDB);
    b.Canvas()->SetPixels(1, 1, clRed);
    b.SetSize(8, 6);
    EXPECT_EQ(b.Canvas()->Pixels(1, 1), clRed);
    EXPECT_EQ(b.Canvas()->Pixels(7, 5), clWhite);
    EXPECT_EQ(b.Canvas()->Pixels(0, 0), clWhite);
    b.SetWidth(0);
    EXPECT_TRUE(b.Empty());
    EXPECT_EQ(b.Handle(), nullptr);
}

TEST(Bitmap, PixelFormatsConvertTheImage) {
    TBitmap b;
    b.SetSize(3, 1);
    b.Canvas()->SetPixels(0, 0, clBlack);
    b.Canvas()->SetPixels(1, 0, clRed);
    const struct {
        TPixelFormat format;
        TColor black, red;
    } cases[] = {
        {pf24bit, clBlack, clRed},  {pf32bit, clBlack, clRed}, {pf8bit, clBlack, clRed},
        {pf4bit, clBlack, clRed},   {pf16bit, clBlack, clRed}, {pf15bit, clBlack, clRed},
        {pf1bit, clBlack, clBlack},  // colours other than white turn black
    };
    for (const auto& c : cases) {
        TBitmap copy;
        copy.Assign(&b);
        copy.SetPixelFormat(c.format);
        EXPECT_EQ(copy.PixelFormat(), c.format);
        EXPECT_EQ(copy.HandleType(), bmDIB);
        EXPECT_EQ(copy.Monochrome(), c.format == pf1bit);
        EXPECT_EQ(copy.Canvas()->Pixels(0, 0), c.black) << c.format;
        EXPECT_EQ(copy.Canvas()->Pixels(1, 0), c.red) << c.format;
        EXPECT_EQ(copy.Canvas()->Pixels(2, 0), clWhite) << c.format;
    }
}

TEST(Bitmap, ScanLineAddressesRowsTopDown) {
    TBitmap b;
    b.SetPixelFormat(pf24bit);
    b.SetSize(2, 3);
    auto* row = static_cast<uint8_t*>(b.ScanLine(0));
    row[0] = 0xFF;  // blue of the top-left pixel
    row[1] = row[2] = 0;
    EXPECT_EQ(b.Canvas()->Pixels(0, 0), clBlue);
    EXPECT_EQ(b.RowBytes(), 8);
    EXPECT_THROW(b.ScanLine(3), EInvalidGraphic);
    EXPECT_THROW(b.ScanLine(-1), EInvalidGraphic);
    TBitmap device;
    device.SetSize(2, 2);
    EXPECT_THROW(device.ScanLine(0), EInvalidGraphic);
}

// Fills the image's bytes with a pattern and returns the rows.
std::vector<std::vector<uint8_t>> FillPattern(TBitmap& b) {
    std::vector<std::vector<uint8_t>> rows;
    for (int y = 0; y < b.Height(); ++y) {
        auto* row = static_cast<uint8_t*>(b.ScanLine(y));
        for (int i = 0; i < b.RowBytes(); ++i) row[i] = static_cast<uint8_t>(y * 37 + i * 11 + 5);
        rows.emplace_back(row, row + b.RowBytes());
    }
    return rows;
}

TEST(Bitmap, BmpRoundTripKeepsEveryFormatByteExact) {
    const struct {
        TPixelFormat format;
        int bits, colors;
    } cases[] = {
        {pf1bit, 1, 2},   {pf4bit, 4, 16},  {pf8bit, 8, 256}, {pf15bit, 16, 0},
        {pf16bit, 16, 0}, {pf24bit, 24, 0}, {pf32bit, 32, 0},
    };
    for (const auto& c : cases) {
        TBitmap b;
        b.SetPixelFormat(c.format);
        b.SetSize(13, 5);
        const auto rows = FillPattern(b);
        TMemoryStream stream;
        b.SaveToStream(stream);
        const auto bytes = gfxtest::BytesOf(stream);

        const uint32_t masks = c.format == pf16bit ? 12 : 0;
        const uint32_t offBits = 14 + 40 + masks + 4 * c.colors;
        ASSERT_GE(bytes.size(), 54u);
        EXPECT_EQ(bytes[0], 'B');
        EXPECT_EQ(bytes[1], 'M');
        EXPECT_EQ(gfxtest::Get32(bytes, 2), bytes.size()) << c.bits;
        EXPECT_EQ(gfxtest::Get32(bytes, 10), offBits) << c.bits;
        EXPECT_EQ(bytes[28], c.bits);
        EXPECT_EQ(bytes.size(), offBits + 5u * b.RowBytes());

        TBitmap loaded;
        stream.SetPosition(0);
        loaded.LoadFromStream(stream);
        EXPECT_EQ(stream.Position(), stream.Size());
        EXPECT_EQ(loaded.PixelFormat(), c.format);
        EXPECT_EQ(loaded.Width(), 13);
        EXPECT_EQ(loaded.Height(), 5);
        for (int y = 0; y < 5; ++y) {
            const auto* row = static_cast<const uint8_t*>(loaded.ScanLine(y));
            EXPECT_EQ(std::vector<uint8_t>(row, row + loaded.RowBytes()), rows[y]) << c.bits << " row " << y;
        }
        TMemoryStream again;
        loaded.SaveToStream(again);
        EXPECT_EQ(gfxtest::BytesOf(again), bytes) << c.bits;
    }
}

TEST(Bitmap, EmptyBitmapSavesNothing) {
    TBitmap b;
    TMemoryStream stream;
    b.SaveToStream(stream);
    EXPECT_EQ(stream.Size(), 0);
}

TEST(Bitmap, DeviceBitmapSavesAsTwentyFourBits) {
    TBitmap b;
    b.SetSize(3, 2);
    b.Canvas()->SetPixels(2, 1, clRed);
    TMemoryStream stream;
    b.SaveToStream(stream);
    const auto bytes = gfxtest::BytesOf(stream);
    EXPECT_EQ(bytes[28], 24);
    TBitmap loaded;
    stream.SetPosition(0);
    loaded.LoadFromStream(stream);
    EXPECT_EQ(loaded.PixelFormat(), pf24bit);
    EXPECT_EQ(loaded.Canvas()->Pixels(2, 1), clRed);
    EXPECT_EQ(loaded.Canvas()->Pixels(0, 0), clWhite);
}

// A hand-made BMP: file header, 40-byte info header, table, pixels.
std::vector<uint8_t> MakeBmp(int width, int height, int bits, uint32_t compression,
                             const std::vector<uint8_t>& table, const std::vector<uint8_t>& pixels) {
    std::vector<uint8_t> b(54);
    b[0] = 'B';
    b[1] = 'M';
    const uint32_t off = 54 + static_cast<uint32_t>(table.size());
    gfxtest::Put32(b, 2, off + static_cast<uint32_t>(pixels.size()));
    gfxtest::Put32(b, 10, off);
    gfxtest::Put32(b, 14, 40);
    gfxtest::Put32(b, 18, static_cast<uint32_t>(width));
    gfxtest::Put32(b, 22, static_cast<uint32_t>(height));
    gfxtest::Put16(b, 26, 1);
    gfxtest::Put16(b, 28, static_cast<uint16_t>(bits));
    gfxtest::Put32(b, 30, compression);
    b.insert(b.end(), table.begin(), table.end());
    b.insert(b.end(), pixels.begin(), pixels.end());
    return b;
}

TEST(Bitmap, TopDownRowsLoadInTheirOrder) {
    // Two rows of one pixel each, the first row stored first: red over blue.
    const auto bytes = MakeBmp(1, -2, 24, BI_RGB, {}, {0, 0, 255, 0, 255, 0, 0, 0});
    TMemoryStream stream;
    gfxtest::LoadBytes(stream, bytes);
    TBitmap b;
    b.LoadFromStream(stream);
    EXPECT_EQ(b.Height(), 2);
    EXPECT_EQ(b.Canvas()->Pixels(0, 0), clRed);
    EXPECT_EQ(b.Canvas()->Pixels(0, 1), clBlue);
}

TEST(Bitmap, CoreHeaderWithThreeByteColoursLoads) {
    std::vector<uint8_t> b = {'B',  'M', 0, 0,   0,   0,   0, 0, 0, 0, 32, 0, 0, 0,  // pixels at 14 + 12 + 6
                              12,   0,   0, 0,   2,   0,   1, 0, 1, 0, 1,  0,        // 2 x 1, 1 plane, 1 bit
                              0,    255, 0, 255, 255, 255,                           // green, white
                              0x40, 0,   0, 0};                                      // pixel 0 green, 1 white
    TMemoryStream stream;
    gfxtest::LoadBytes(stream, b);
    TBitmap bitmap;
    bitmap.LoadFromStream(stream);
    EXPECT_EQ(bitmap.PixelFormat(), pf1bit);
    EXPECT_EQ(bitmap.Canvas()->Pixels(0, 0), clLime);
    EXPECT_EQ(bitmap.Canvas()->Pixels(1, 0), clWhite);
}

TEST(Bitmap, BitfieldsWithStandardMasksLoad) {
    std::vector<uint8_t> masks(12);
    gfxtest::Put32(masks, 0, 0xFF0000);
    gfxtest::Put32(masks, 4, 0x00FF00);
    gfxtest::Put32(masks, 8, 0x0000FF);
    TMemoryStream stream;
    gfxtest::LoadBytes(stream, MakeBmp(1, 1, 32, BI_BITFIELDS, masks, {0x00, 0x80, 0xFF, 0}));
    TBitmap b;
    b.LoadFromStream(stream);
    EXPECT_EQ(b.PixelFormat(), pf32bit);
    EXPECT_EQ(b.Canvas()->Pixels(0, 0), static_cast<TColor>(RGB(0xFF, 0x80, 0x00)));
}

TEST(Bitmap, CorruptHeadersRaiseAndLeaveTheBitmapAsItWas) {
    // A valid 8-bit 5 x 3 file, then one field spoiled at a time.
    TBitmap source;
    source.SetPixelFormat(pf8bit);
    source.SetSize(5, 3);
    TMemoryStream saved;
    source.SaveToStream(saved);
    const auto valid = gfxtest::BytesOf(saved);
    ASSERT_EQ(valid.size(), 14u + 40 + 1024 + 3 * 8);

    const struct {
        const char* what;
        size_t at;
        int size;  // 2 or 4 bytes
        uint32_t value;
    } fields[] = {
        {"signature", 0, 2, 0x5858},
        {"header size 41", 14, 4, 41},
        {"header size 0", 14, 4, 0},
        {"header size huge", 14, 4, 0x7FFFFFFF},
        {"width 0", 18, 4, 0},
        {"width negative", 18, 4, static_cast<uint32_t>(-5)},
        {"width beyond the limit", 18, 4, 100000},
        {"height 0", 22, 4, 0},
        {"height most negative", 22, 4, 0x80000000},
        {"two planes", 26, 2, 2},
        {"bit count 3", 28, 2, 3},
        {"bit count 0", 28, 2, 0},
        {"bit count 64", 28, 2, 64},
        {"RLE8 compression", 30, 4, BI_RLE8},
        {"bitfields at 8 bits", 30, 4, BI_BITFIELDS},
        {"unknown compression", 30, 4, 77},
        {"more colours than 8 bits allow", 46, 4, 257},
        {"colour count huge", 46, 4, 0x40000000},
        {"pixel offset inside the palette", 10, 4, 100},
        {"pixel offset past the end", 10, 4, 100000},
        {"pixel offset at 4 GB", 10, 4, 0xFFFFFFFF},
        {"size beyond the limit", 18, 4, 65535},  // with the height below: 4 GB of pixels
    };
    auto expectRejected = [](const std::vector<uint8_t>& bytes, const std::string& what) {
        TBitmap b;
        b.SetPixelFormat(pf24bit);
        b.SetSize(2, 2);
        b.Canvas()->SetPixels(0, 0, clRed);
        TMemoryStream stream;
        gfxtest::LoadBytes(stream, bytes);
        EXPECT_THROW(b.LoadFromStream(stream), EInvalidGraphic) << what;
        EXPECT_EQ(b.Width(), 2) << what;
        EXPECT_EQ(b.PixelFormat(), pf24bit) << what;
        EXPECT_EQ(b.Canvas()->Pixels(0, 0), clRed) << what;
    };
    for (const auto& f : fields) {
        auto bytes = valid;
        if (f.size == 2)
            gfxtest::Put16(bytes, f.at, static_cast<uint16_t>(f.value));
        else
            gfxtest::Put32(bytes, f.at, f.value);
        if (std::string(f.what) == "size beyond the limit") gfxtest::Put32(bytes, 22, 65535);
        expectRejected(bytes, f.what);
    }
    for (size_t length : {size_t{0}, size_t{1}, size_t{13}, size_t{14}, size_t{20}, size_t{53}, size_t{54},
                          size_t{54 + 1023}, valid.size() - 1}) {
        expectRejected(std::vector<uint8_t>(valid.begin(), valid.begin() + length),
                       "cut to " + std::to_string(length) + " bytes");
    }

    std::vector<uint8_t> masks(12);
    const struct {
        const char* what;
        uint32_t red, green, blue;
    } badMasks[] = {
        {"overlapping masks", 0xFF00FF, 0x00FF00, 0x0000FF},
        {"a mask with a gap", 0xF0F000, 0x00000F, 0x000F00},
        {"a zero mask", 0, 0x00FF00, 0x0000FF},
    };
    for (const auto& m : badMasks) {
        gfxtest::Put32(masks, 0, m.red);
        gfxtest::Put32(masks, 4, m.green);
        gfxtest::Put32(masks, 8, m.blue);
        expectRejected(MakeBmp(1, 1, 32, BI_BITFIELDS, masks, {0, 0, 0, 0}), m.what);
    }
    gfxtest::Put32(masks, 0, 0x1F0000);
    expectRejected(MakeBmp(1, 1, 16, BI_BITFIELDS, masks, {0, 0, 0, 0}), "a 16-bit mask above 16 bits");
}

TEST(Bitmap, AssignCopiesTheImageIndependently) {
    TBitmap a;
    a.SetPixelFormat(pf8bit);
    a.SetSize(3, 3);
    a.Canvas()->SetPixels(1, 1, clRed);
    a.SetTransparent(true);
    TBitmap b;
    b.Assign(&a);
    EXPECT_EQ(b.PixelFormat(), pf8bit);
    EXPECT_TRUE(b.Transparent());
    EXPECT_EQ(b.Canvas()->Pixels(1, 1), clRed);
    a.Canvas()->SetPixels(1, 1, clBlue);
    EXPECT_EQ(b.Canvas()->Pixels(1, 1), clRed);
    b.Assign(nullptr);
    EXPECT_TRUE(b.Empty());
}

TEST(Bitmap, MonochromeDrawsBlackAndWhiteWhateverTheTargetColours) {
    TBitmap mono;
    mono.SetMonochrome(true);
    mono.SetSize(2, 1);
    mono.Canvas()->SetPixels(0, 0, clBlack);
    EXPECT_TRUE(mono.Monochrome());
    EXPECT_EQ(mono.HandleType(), bmDDB);
    Surface s(2, 1);
    s.Canvas().Font()->SetColor(clRed);
    s.Canvas().Brush()->SetColor(clBlue);
    s.Canvas().TextOut(5, 5, "");  // selects the colours into the context
    s.Canvas().Draw(0, 0, &mono);
    EXPECT_EQ(s.At(0, 0), clBlack);
    EXPECT_EQ(s.At(1, 0), clWhite);
}

// ---- Icons ------------------------------------------------------------------

// An .ico with one 16 x 16 32-bit image of one colour (BGRA).
std::vector<uint8_t> MakeIcon(uint32_t bgra) {
    std::vector<uint8_t> f(6 + 16);
    gfxtest::Put16(f, 2, 1);
    gfxtest::Put16(f, 4, 1);
    f[6] = 16;
    f[7] = 16;
    gfxtest::Put16(f, 6 + 4, 1);
    gfxtest::Put16(f, 6 + 6, 32);
    const uint32_t bytes = 40 + 16 * 16 * 4 + 16 * 4;
    gfxtest::Put32(f, 6 + 8, bytes);
    gfxtest::Put32(f, 6 + 12, 22);
    std::vector<uint8_t> dib(bytes);
    gfxtest::Put32(dib, 0, 40);
    gfxtest::Put32(dib, 4, 16);
    gfxtest::Put32(dib, 8, 32);
    gfxtest::Put16(dib, 12, 1);
    gfxtest::Put16(dib, 14, 32);
    for (int i = 0; i < 256; ++i) gfxtest::Put32(dib, 40 + 4 * i, bgra);
    f.insert(f.end(), dib.begin(), dib.end());
    return f;
}

TEST(Icon, LoadsDrawsAndSavesItsFile) {
    const auto file = MakeIcon(0xFF0000FF);  // opaque blue
    TMemoryStream stream;
    gfxtest::LoadBytes(stream, file);
    stream.SetPosition(0);
    TIcon icon;
    icon.LoadFromStream(stream);
    EXPECT_EQ(icon.Width(), 16);
    EXPECT_EQ(icon.Height(), 16);
    EXPECT_TRUE(icon.Transparent());
    EXPECT_THROW(icon.SetWidth(32), EInvalidGraphicOperation);

    Surface s(20, 20);
    s.Canvas().Draw(2, 2, &icon);
    EXPECT_EQ(s.At(10, 10), clBlue);
    EXPECT_EQ(s.At(1, 1), clWhite);

    TMemoryStream out;
    icon.SaveToStream(out);
    EXPECT_EQ(gfxtest::BytesOf(out), file);
}

TEST(Icon, TakesAHandleAndCannotSaveIt) {
    TIcon icon;
    icon.SetHandle(CopyIcon(LoadIconW(nullptr, MAKEINTRESOURCEW(32512))));  // IDI_APPLICATION
    EXPECT_FALSE(icon.Empty());
    EXPECT_EQ(icon.Width(), GetSystemMetrics(SM_CXICON));
    TMemoryStream out;
    EXPECT_THROW(icon.SaveToStream(out), EInvalidGraphic);
}

TEST(Icon, CorruptFilesRaise) {
    const auto valid = MakeIcon(0xFF00FF00);
    const struct {
        const char* what;
        size_t at;
        int size;
        uint32_t value;
    } fields[] = {
        {"reserved word", 0, 2, 1},
        {"cursor type", 2, 2, 2},
        {"no images", 4, 2, 0},
        {"more images than listed", 4, 2, 40},
        {"image size 0", 14, 4, 0},
        {"image past the end", 14, 4, 5000},
        {"image inside the directory", 18, 4, 10},
        {"image offset at 4 GB", 18, 4, 0xFFFFFFF0},
        {"header size too small", 22, 4, 12},
        {"width 0", 26, 4, 0},
        {"odd doubled height", 30, 4, 31},
        {"bit count 3", 36, 2, 3},
        {"compressed", 38, 4, BI_RLE8},
        {"image bigger than its bytes", 26, 4, 64},
    };
    for (const auto& f : fields) {
        auto bytes = valid;
        if (f.size == 2)
            gfxtest::Put16(bytes, f.at, static_cast<uint16_t>(f.value));
        else
            gfxtest::Put32(bytes, f.at, f.value);
        TMemoryStream stream;
        gfxtest::LoadBytes(stream, bytes);
        TIcon icon;
        EXPECT_THROW(icon.LoadFromStream(stream), EInvalidGraphic) << f.what;
        EXPECT_TRUE(icon.Empty()) << f.what;
    }
    for (size_t length : {size_t{0}, size_t{5}, size_t{21}, valid.size() - 1}) {
        TMemoryStream stream;
        gfxtest::LoadBytes(stream, std::vector<uint8_t>(valid.begin(), valid.begin() + length));
        TIcon icon;
        EXPECT_THROW(icon.LoadFromStream(stream), EInvalidGraphic) << length;
    }
}

// ---- Pictures -----------------------------------------------------------------

TEST(Picture, LoadsByExtensionWhateverItsCase) {
    cltest::TempFolder folder;
    TBitmap b;
    b.SetPixelFormat(pf24bit);
    b.SetSize(3, 2);
    b.SaveToFile(folder.Name("obraz.BMP"));
    TMemoryStream icon;
    gfxtest::LoadBytes(icon, MakeIcon(0xFF0000FF));
    icon.SaveToFile(folder.Name("ikona.ico"));

    TPicture picture;
    int changes = 0;
    picture.OnChange = [&](TObject*) { ++changes; };
    picture.LoadFromFile(folder.Name("obraz.BMP"));
    ASSERT_NE(dynamic_cast<TBitmap*>(picture.Graphic()), nullptr);
    EXPECT_EQ(picture.Width(), 3);
    EXPECT_EQ(picture.Height(), 2);
    EXPECT_EQ(changes, 1);
    picture.LoadFromFile(folder.Name("ikona.ico"));
    ASSERT_NE(dynamic_cast<TIcon*>(picture.Graphic()), nullptr);
    EXPECT_EQ(picture.Width(), 16);
}

TEST(Picture, UnknownExtensionRaisesWithItsName) {
    TPicture picture;
    try {
        picture.LoadFromFile("C:\\nie\\ma\\plik.xyz");
        FAIL() << "no exception";
    } catch (const EInvalidGraphic& e) {
        EXPECT_EQ(e.Message(), "Unknown picture file extension (.xyz)");
    }
    EXPECT_THROW(picture.LoadFromFile("C:\\kropka.w\\bez_rozszerzenia"), EInvalidGraphic);
}

TEST(Picture, RegisteredFormatsCreateTheirGraphic) {
    cltest::TempFolder folder;
    TBitmap b;
    b.SetSize(7, 1);
    b.SaveToFile(folder.Name("a.dib"));
    int made = 0;
    TPicture::RegisterFileFormat("DIB", "Device-independent bitmaps", TBitmap::StaticClassInfo(), [&] {
        ++made;
        return std::make_unique<TBitmap>();
    });
    TPicture picture;
    picture.LoadFromFile(folder.Name("a.dib"));
    EXPECT_EQ(made, 1);
    EXPECT_EQ(picture.Width(), 7);
    EXPECT_EQ(
        TPicture::GraphicFilter(),
        "All (*.bmp;*.dib;*.emf;*.ico;*.jpeg;*.jpg)|*.bmp;*.dib;*.emf;*.ico;*.jpeg;*.jpg"
        "|Bitmaps (*.bmp)|*.bmp|Device-independent bitmaps (*.dib)|*.dib|Enhanced Metafiles (*.emf)|*.emf"
        "|Icons (*.ico)|*.ico|JPEG Image File (*.jpeg)|*.jpeg|JPEG Image File (*.jpg)|*.jpg");
}

TEST(Picture, TypedAccessorsReplaceAGraphicOfAnotherClass) {
    TPicture picture;
    EXPECT_EQ(picture.Graphic(), nullptr);
    TMetafile* metafile = picture.Metafile();
    EXPECT_EQ(picture.Graphic(), metafile);
    EXPECT_EQ(picture.Metafile(), metafile);
    TBitmap* bitmap = picture.Bitmap();
    EXPECT_EQ(picture.Graphic(), bitmap);
    bitmap->SetSize(5, 5);

    TPicture copy;
    copy.Assign(&picture);
    ASSERT_NE(copy.Graphic(), nullptr);
    EXPECT_NE(copy.Graphic(), picture.Graphic());
    EXPECT_EQ(copy.Width(), 5);
    copy.Assign(nullptr);
    EXPECT_EQ(copy.Graphic(), nullptr);
}

TEST(Picture, ChangesOfItsGraphicAreReported) {
    TPicture picture;
    int changes = 0;
    picture.OnChange = [&](TObject*) { ++changes; };
    TBitmap* b = picture.Bitmap();
    changes = 0;
    b->SetSize(3, 3);
    EXPECT_EQ(changes, 1);
}

}  // namespace
