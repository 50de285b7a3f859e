// The preview's document: the life of a recording with its events, the
// mapping of every canvas it hands out, abort, failures inside a document,
// the paper properties and units, and placing graphics with PaintGraphicEx.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "tests/preview/win/PreviewSupport.h"

namespace {

using namespace cl;
using namespace cltest;
using previewtest::A4Page;
using previewtest::PageDrawing;
using previewtest::PreviewTest;

using DocumentTest = PreviewTest;

// Every document event, in order, with the state and page count at the time.
std::vector<std::string>* Trace(TPrintPreview* p, std::vector<std::string>& log) {
    auto note = [p, &log](const char* what) {
        return [p, &log, what](TObject*) {
            log.push_back(std::string(what) + " " + std::to_string(p->State()) + "/" +
                          std::to_string(p->TotalPages()));
        };
    };
    p->OnBeginDoc = note("begin");
    p->OnNewPage = note("new");
    p->OnEndPage = note("end-page");
    p->OnEndDoc = note("end");
    p->OnAbort = note("abort");
    p->OnChange = note("change");
    return &log;
}

TEST_F(DocumentTest, RecordingWithoutAddedPagesLeavesTheStoreEmpty) {
    Record(2);
    std::vector<std::string> log;
    Trace(preview, log);
    preview->BeginDoc();
    EXPECT_EQ(preview->State(), psRecording);
    preview->NewPage();
    preview->NewPage();
    preview->EndDoc();
    EXPECT_EQ(log, (std::vector<std::string>{"change 0/0", "begin 1/0", "new 1/0", "end-page 1/0", "new 1/0",
                                             "end-page 1/0", "new 1/0", "end-page 1/0", "end 1/0"}));
    EXPECT_EQ(preview->State(), psIdle);
    EXPECT_EQ(preview->TotalPages(), 0);
    EXPECT_EQ(preview->CurrentPage(), 0);
    EXPECT_FALSE(preview->PaperPreview()->Visible());
    EXPECT_EQ(preview->Canvas(), nullptr);
}

TEST_F(DocumentTest, AddedPagesShowTheFirstPageOnTheSheet) {
    std::vector<std::string> log;
    Trace(preview, log);
    Record(2);
    EXPECT_EQ(log,
              (std::vector<std::string>{"change 0/0", "begin 1/0", "new 1/0", "change 1/1", "end-page 1/1",
                                        "new 1/1", "change 1/2", "end-page 1/2", "end 1/2"}));
    EXPECT_EQ(preview->CurrentPage(), 1);
    EXPECT_TRUE(preview->PaperPreview()->Visible());
    // Pages can be added outside a document too.
    preview->AddPage(A4Page({}).get());
    EXPECT_EQ(preview->TotalPages(), 3);
    EXPECT_EQ(preview->CurrentPage(), 1);
    preview->Clear();
    EXPECT_EQ(preview->CurrentPage(), 0);
    EXPECT_FALSE(preview->PaperPreview()->Visible());
}

TEST_F(DocumentTest, DocumentCallsOutOfTurnDoNothing) {
    preview->NewPage();
    preview->EndDoc();
    preview->Abort();
    EXPECT_EQ(preview->State(), psIdle);
    EXPECT_FALSE(preview->Aborted());
    preview->BeginDoc();
    int begins = 0;
    preview->OnBeginDoc = [&](TObject*) { ++begins; };
    preview->BeginDoc();  // already recording
    EXPECT_EQ(begins, 0);
    preview->EndDoc();
}

// Drawers work in Units from the paper's corner, on every canvas handed out.
TEST_F(DocumentTest, RecordingCanvasIsMappedToUnitsWithTheFontInUnits) {
    for (TUnits units : {mmHiMetric, mmLoMetric, mmHiEnglish, mmTWIPS, mmPoints, mmPixel}) {
        preview->SetUnits(units);
        preview->BeginDoc();
        TCanvas* c = preview->Canvas();
        ASSERT_NE(c, nullptr);
        EXPECT_EQ(preview->GetCanvas(), c);
        HDC dc = c->Handle();
        EXPECT_EQ(GetMapMode(dc), MM_ANISOTROPIC);
        POINT corner{preview->PaperWidth(), preview->PaperHeight()};
        LPtoDP(dc, &corner, 1);
        EXPECT_NEAR(corner.x, preview->PaperPixelWidth(), 1) << units;
        EXPECT_NEAR(corner.y, preview->PaperPixelHeight(), 1) << units;
        // 8 points tall in logical units: 8/72 inch.
        const int expected = ConvertUnit(8 * 1000 / 72, 96, mmHiEnglish, units, Screen->PixelsPerInch());
        EXPECT_NEAR(-c->Font()->Height(), expected, expected / 20 + 2) << units;
        EXPECT_EQ(c->Font()->Name(), "Arial");
        preview->EndDoc();
    }
}

TEST_F(DocumentTest, AbortWhileRecordingDropsThePagesAndKeepsTheState) {
    std::vector<std::string> log;
    preview->BeginDoc();
    preview->AddPage(A4Page({}).get());
    Trace(preview, log);
    preview->Abort();
    preview->Abort();  // once only
    EXPECT_TRUE(preview->Aborted());
    EXPECT_EQ(preview->State(), psRecording);
    EXPECT_EQ(preview->TotalPages(), 0);
    EXPECT_EQ(preview->Canvas(), nullptr);
    preview->EndDoc();
    EXPECT_EQ(preview->State(), psIdle);
    EXPECT_EQ(log, (std::vector<std::string>{"abort 1/1", "change 1/0", "end-page 1/0", "end 1/0"}));
    // The next document starts clean.
    preview->BeginDoc();
    EXPECT_FALSE(preview->Aborted());
    preview->EndDoc();
}

TEST_F(DocumentTest, FailureInsideADocumentLeavesThePreviewIdleForTheNext) {
    struct Case {
        const char* what;
        std::function<void(TPrintPreview*, bool&)> arm;  // the flag makes the handler throw
        std::function<void(TPrintPreview*)> run;
    } const cases[] = {
        {"OnBeginDoc",
         [](TPrintPreview* p, bool& f) {
             p->OnBeginDoc = [&f](TObject*) {
                 if (f) throw EConvertError("x");
             };
         },
         [](TPrintPreview* p) { p->BeginDoc(); }},
        {"OnNewPage",
         [](TPrintPreview* p, bool& f) {
             p->OnNewPage = [&f](TObject*) {
                 if (f) throw EConvertError("x");
             };
         },
         [](TPrintPreview* p) { p->BeginDoc(); }},
        {"OnEndPage",
         [](TPrintPreview* p, bool& f) {
             p->OnEndPage = [&f](TObject*) {
                 if (f) throw EConvertError("x");
             };
         },
         [](TPrintPreview* p) {
             p->BeginDoc();
             p->NewPage();
         }},
        {"OnEndDoc",
         [](TPrintPreview* p, bool& f) {
             p->OnEndDoc = [&f](TObject*) {
                 if (f) throw EConvertError("x");
             };
         },
         [](TPrintPreview* p) {
             p->BeginDoc();
             p->EndDoc();
         }},
        {"corrupt page", [](TPrintPreview*, bool&) {},
         [](TPrintPreview* p) {
             p->BeginDoc();
             TMetafile empty;
             p->AddPage(&empty);
         }},
    };
    for (const Case& c : cases) {
        bool fail = true;
        c.arm(preview, fail);
        EXPECT_ANY_THROW(c.run(preview)) << c.what;
        if (preview->State() != psIdle) {
            // A failure in the caller's own code: Abort and EndDoc end it.
            preview->Abort();
            preview->EndDoc();
        }
        EXPECT_EQ(preview->State(), psIdle) << c.what;
        EXPECT_EQ(preview->Canvas(), nullptr) << c.what;
        EXPECT_FALSE(preview->Direct()) << c.what;
        fail = false;
        preview->BeginDoc();
        preview->AddPage(A4Page({}).get());
        preview->EndDoc();
        EXPECT_EQ(preview->State(), psIdle) << c.what;
        EXPECT_EQ(preview->TotalPages(), 1) << c.what;
        EXPECT_FALSE(preview->Aborted()) << c.what;
    }
}

TEST_F(DocumentTest, PaperTypesSizesAndOrientation) {
    std::vector<int> zooms;
    Record(1);
    preview->SetPaperType(pA5);
    EXPECT_EQ(preview->PaperWidth(), 14800);
    EXPECT_EQ(preview->PaperHeight(), 21000);
    preview->SetOrientation(poLandscape);
    EXPECT_EQ(preview->PaperWidth(), 21000);
    EXPECT_EQ(preview->PaperHeight(), 14800);
    EXPECT_GT(preview->PaperPixelWidth(), preview->PaperPixelHeight());
    preview->SetPaperType(pLetter);  // in the landscape orientation
    EXPECT_EQ(preview->PaperWidth(), 27940);
    EXPECT_EQ(preview->PaperHeight(), 21590);
    // A size is matched by its portrait pair.
    preview->SetPaperSize(29700, 21000);
    EXPECT_EQ(preview->PaperType(), pA4);
    preview->SetOrientation(poPortrait);
    preview->SetPaperSize(0, 5);
    EXPECT_EQ(preview->PaperWidth(), 1);
    EXPECT_EQ(preview->PaperHeight(), 5);
    EXPECT_EQ(preview->PaperType(), pCustom);
    EXPECT_GE(preview->PaperPixelWidth(), 1);
    EXPECT_GE(preview->Zoom(), 1);
    preview->SetPaperTypeByID(256);
    EXPECT_EQ(preview->PaperType(), pCustom);
    EXPECT_EQ(preview->PaperWidth(), 1);  // pCustom keeps the size
    preview->SetPaperTypeByID(9);
    EXPECT_EQ(preview->PaperType(), pA4);
    preview->SetPaperTypeByID(49);
    EXPECT_EQ(preview->PaperType(), pCustom);
    // Nothing changes while a document is made.
    preview->BeginDoc();
    preview->SetPaperType(pA3);
    preview->SetOrientation(poLandscape);
    preview->SetPaperSize(10000, 10000);
    EXPECT_EQ(preview->PaperType(), pCustom);
    EXPECT_EQ(preview->Orientation(), poPortrait);
    preview->EndDoc();
}

// Large paper is kept whole in every unit (A2 is 42000 x 59400 in 0.01 mm).
TEST_F(DocumentTest, PaperUpToA2FitsInEveryUnit) {
    for (TUnits units : {mmPixel, mmLoMetric, mmHiMetric, mmLoEnglish, mmHiEnglish, mmTWIPS, mmPoints}) {
        preview->SetUnits(units);
        preview->SetPaperType(pA2);
        const int w = preview->PaperWidth(), h = preview->PaperHeight();
        EXPECT_EQ(w, ConvertUnit(4200, 96, mmLoMetric, units, Screen->PixelsPerInch())) << units;
        EXPECT_EQ(h, ConvertUnit(5940, 96, mmLoMetric, units, Screen->PixelsPerInch())) << units;
        preview->SetPaperType(pA4);
        preview->SetPaperSize(w, h);
        EXPECT_EQ(preview->PaperWidth(), w) << units;
        EXPECT_EQ(preview->PaperHeight(), h) << units;
        preview->SetPaperSize(w, h + h / 50 + 1);  // no longer a table size
        EXPECT_EQ(preview->PaperHeight(), h + h / 50 + 1) << units;
        EXPECT_EQ(preview->PaperType(), pCustom) << units;
    }
}

TEST_F(DocumentTest, UnitsConvertThePaperBothWays) {
    struct Case {
        TUnits units;
        int width, height;
    } const cases[] = {{mmLoMetric, 2100, 2970},
                       {mmHiEnglish, 8268, 11693},
                       {mmTWIPS, 11906, 16838},
                       {mmPoints, 595, 842},
                       {mmHiMetric, 21000, 29700}};
    for (const Case& c : cases) {
        preview->SetUnits(c.units);
        EXPECT_EQ(preview->PaperWidth(), c.width) << c.units;
        EXPECT_EQ(preview->PaperHeight(), c.height) << c.units;
        EXPECT_EQ(preview->PaperType(), pA4) << c.units;
    }
    // A custom paper is converted from the old unit to the new.
    preview->SetPaperSize(15000, 20000);
    preview->SetUnits(mmLoMetric);
    EXPECT_EQ(preview->PaperWidth(), 1500);
    EXPECT_EQ(preview->PaperHeight(), 2000);
    const TPoint p = preview->ConvertXY(1500, 2000, mmLoMetric, mmHiEnglish);
    EXPECT_EQ(p.x, 5906);
    EXPECT_EQ(p.y, 7874);
    TPoint points[] = {{254, 508}, {0, 25}};
    preview->ConvertPoints(points, mmLoMetric, mmLoEnglish);
    EXPECT_EQ(points[0].x, 100);
    EXPECT_EQ(points[0].y, 200);
    EXPECT_EQ(points[1].y, 10);
}

TEST_F(DocumentTest, PaintGraphicExScalesKeepsProportionAndCentres) {
    // 100 x 200 screen pixels: in 0.01 mm at the screen's resolution.
    TBitmap graphic;
    graphic.SetSize(100, 200);
    const int gw = preview->ConvertValue(100, mmPixel, mmHiMetric);
    const int gh = preview->ConvertValue(200, mmPixel, mmHiMetric);
    struct Case {
        const char* what;
        TRect rect;
        bool center, onlyShrink, proportional;
        TRect expected;
    } const cases[] = {
        // Half as wide as the rectangle and as tall: as tall, centred across.
        {"half as wide", Rect(0, 0, gh, gh), true, false, true, Rect(gh / 4, 0, gh / 4 + gw, gh)},
        {"not centred", Rect(100, 100, 100 + gh, 100 + gh), false, false, true,
         Rect(100, 100, 100 + gw, 100 + gh)},
        {"twice as large", Rect(0, 0, 2 * gw, 4 * gh), true, false, true, Rect(0, gh, 2 * gw, 3 * gh)},
        {"fits, only shrink", Rect(0, 0, 2 * gw, 2 * gh), true, true, true,
         Rect(gw / 2, gh / 2, gw / 2 + gw, gh / 2 + gh)},
        {"shrunk", Rect(0, 0, gw / 2, gh), true, true, true, Rect(0, gh / 4, gw / 2, gh / 4 + gh / 2)},
        {"stretched", Rect(10, 20, 1010, 520), true, false, false, Rect(10, 20, 1010, 520)},
    };
    int page = 0;
    void* passed = nullptr;
    int marker = 0;
    preview->OnPrintDir = [&](TObject*, TCanvas*, const TRect&, int p, void* pvFA, int, int, int, int) {
        page = p;
        passed = pvFA;
    };
    preview->BeginDoc();
    for (const Case& c : cases) {
        TRect placed{};
        preview->PaintGraphicEx(c.rect, &graphic, placed, &marker, 7, c.center, c.onlyShrink, c.proportional);
        EXPECT_NEAR(placed.left, c.expected.left, 1) << c.what;
        EXPECT_NEAR(placed.top, c.expected.top, 1) << c.what;
        EXPECT_NEAR(placed.right, c.expected.right, 1) << c.what;
        EXPECT_NEAR(placed.bottom, c.expected.bottom, 1) << c.what;
        EXPECT_EQ(page, 7) << c.what;
        EXPECT_EQ(passed, &marker) << c.what;
    }
    preview->EndDoc();
}

}  // namespace
