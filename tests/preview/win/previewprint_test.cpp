// Printing through the preview to Wine's PostScript file printer: stored
// pages as one job, progress and abort, failures inside the job, direct
// printing with PaintGraphicEx, and the paper written into the printer.
// tests/preview/win/preview_ghostscript.sh reads the two-page job back.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <utility>
#include <vector>

#include "tests/preview/win/PreviewSupport.h"
#include "tests/support/PrinterOutput.h"
#include "tests/support/TempFolder.h"

namespace {

using namespace cl;
using namespace cltest;
using previewtest::A4Page;
using previewtest::PageDrawing;
using previewtest::PreviewTest;

class PrintTest : public PreviewTest {
protected:
    void SetUp() override {
        PreviewTest::SetUp();
        ASSERT_TRUE(PrinterInstalled());
        file = folder.Name("job.ps");
        Printer()->SetOutputFile(file);
    }
    void TearDown() override {
        // Never a job without a file: the printer's port would ask for one.
        Printer()->SetOutputFile(folder.Name("stray.ps"));
        PreviewTest::TearDown();
    }

    TempFolder folder;
    std::string file;
};

TEST_F(PrintTest, TwoPagesAreTwoA4PagesOfPostScript) {
    file = GhostscriptFolder(L"preview_print_out") + "two_pages.ps";
    DeleteFileW(ToWide(file).c_str());
    Printer()->SetOutputFile(file);
    Record(2);  // page n has n black squares from (10 mm, 10 mm)
    preview->SetPrintJobTitle("Podgląd próbny");
    int after = 0;
    preview->OnAfterPrint = [&](TObject*) { ++after; };
    preview->Print();
    EXPECT_EQ(after, 1);
    EXPECT_EQ(preview->State(), psIdle);
    EXPECT_EQ(Printer()->Title(), "");
    const std::string ps = ReadBytes(file);
    EXPECT_EQ(ps.rfind("%!PS-Adobe-3.0", 0), 0u);
    EXPECT_NE(ps.find("%%Title: (Podgl"), std::string::npos);
    EXPECT_NE(ps.find("%%Pages: 2"), std::string::npos);
    EXPECT_EQ(CountOf(ps, "%%Page: "), 2);
    EXPECT_NE(ps.find("/PageSize[595 842]"), std::string::npos);
}

TEST_F(PrintTest, ProgressReportsBeforeAndAfterEveryPage) {
    Record(3);
    std::vector<std::pair<int, int>> reports;
    preview->OnPrintProgress = [&](TObject*, int page, int percent, bool&) {
        reports.emplace_back(page, percent);
    };
    std::vector<int> printed;
    TRect pageRect{};
    int resX = 0, offsX = 0;
    preview->OnPrint = [&](TObject*, TCanvas*, int page, const TRect& r, int rx, int, int ox, int) {
        printed.push_back(page);
        pageRect = r;
        resX = rx;
        offsX = ox;
    };
    preview->Print();
    EXPECT_EQ(reports,
              (std::vector<std::pair<int, int>>{{1, 0}, {1, 33}, {2, 33}, {2, 67}, {3, 67}, {3, 100}}));
    EXPECT_EQ(printed, (std::vector<int>{1, 2, 3}));
    // The sheet's corner at the printable area's offset; A4 at 300 dpi.
    EXPECT_EQ(resX, 300);
    EXPECT_EQ(offsX, -75);
    EXPECT_EQ(pageRect.left, -75);
    EXPECT_EQ(pageRect.top, -75);
    EXPECT_EQ(pageRect.right - pageRect.left, 2480);
    EXPECT_EQ(pageRect.bottom - pageRect.top, 3508);
    EXPECT_EQ(CountOf(ReadBytes(file), "%%Page: "), 3);
}

TEST_F(PrintTest, AbortOnTheFirstReportPrintsNothing) {
    Record(2);
    int reports = 0, aborts = 0, after = 0, printed = 0;
    preview->OnPrintProgress = [&](TObject*, int, int, bool& abortIt) {
        ++reports;
        abortIt = true;
    };
    preview->OnAbort = [&](TObject*) { ++aborts; };
    preview->OnAfterPrint = [&](TObject*) { ++after; };
    preview->OnPrint = [&](TObject*, TCanvas*, int, const TRect&, int, int, int, int) { ++printed; };
    preview->Print();
    EXPECT_EQ(reports, 1);
    EXPECT_EQ(aborts, 1);
    EXPECT_EQ(after, 1);
    EXPECT_EQ(printed, 0);
    EXPECT_TRUE(preview->Aborted());
    EXPECT_EQ(preview->State(), psIdle);
    EXPECT_FALSE(Printer()->Printing());
    EXPECT_FALSE(FileExists(file));
}

TEST_F(PrintTest, FailureInThePrintEventLeavesThePreviewAbleToPrintAgain) {
    Record(2);
    int after = 0;
    preview->OnAfterPrint = [&](TObject*) { ++after; };
    preview->OnPrint = [&](TObject*, TCanvas*, int page, const TRect&, int, int, int, int) {
        if (page == 2) throw EConvertError("Błąd rysowania");
    };
    EXPECT_THROW(preview->Print(), EConvertError);
    EXPECT_EQ(after, 1);
    EXPECT_EQ(preview->State(), psIdle);
    EXPECT_TRUE(preview->Aborted());
    EXPECT_FALSE(Printer()->Printing());
    EXPECT_FALSE(FileExists(file));

    preview->OnPrint = nullptr;
    preview->Print();
    EXPECT_EQ(after, 2);
    EXPECT_FALSE(preview->Aborted());
    EXPECT_EQ(CountOf(ReadBytes(file), "%%Page: "), 2);
}

TEST_F(PrintTest, PrinterErrorLeavesThePreviewIdle) {
    Record(1);
    Printer()->SetOutputFile("Z:\\nie\\ma\\takiego\\folderu\\wydruk.ps");
    int after = 0;
    preview->OnAfterPrint = [&](TObject*) { ++after; };
    EXPECT_THROW(preview->Print(), EPrinter);
    EXPECT_EQ(after, 1);
    EXPECT_EQ(preview->State(), psIdle);
    EXPECT_FALSE(Printer()->Printing());

    preview->SetDirectPrint(true);
    preview->BeginDoc();
    EXPECT_THROW(preview->EndDoc(), EPrinter);
    EXPECT_EQ(preview->State(), psIdle);
    EXPECT_FALSE(preview->Direct());
    EXPECT_EQ(preview->Canvas(), nullptr);

    Printer()->SetOutputFile(file);
    preview->BeginDoc();
    preview->EndDoc();
    EXPECT_EQ(CountOf(ReadBytes(file), "%%Page: "), 1);
}

TEST_F(PrintTest, PageRangeIsClampedToTheDocument) {
    Record(3);
    struct Case {
        int from, to, pages;
    } const cases[] = {{0, 99, 3}, {2, 9, 2}, {3, 2, 0}, {-5, 1, 1}, {4, 9, 0}};
    for (const Case& c : cases) {
        DeleteFileW(ToWide(file).c_str());
        int before = 0;
        preview->OnBeforePrint = [&](TObject*) { ++before; };
        preview->PrintPages(c.from, c.to);
        EXPECT_EQ(before, c.pages ? 1 : 0) << c.from << ".." << c.to;
        if (c.pages)
            EXPECT_EQ(CountOf(ReadBytes(file), "%%Page: "), c.pages) << c.from << ".." << c.to;
        else
            EXPECT_FALSE(FileExists(file)) << c.from << ".." << c.to;
    }
}

TEST_F(PrintTest, PrinterOptionsGiveThePrintersOwnPage) {
    Record(1);
    preview->SetPaperType(pA5);
    TRect pageRect{};
    preview->OnPrint = [&](TObject*, TCanvas*, int, const TRect& r, int, int, int, int) { pageRect = r; };
    preview->Print();
    // A5 written into the printer: 148 x 210 mm.
    EXPECT_NE(ReadBytes(file).find("/PageSize[420 595]"), std::string::npos);
    EXPECT_EQ(pageRect.right - pageRect.left, 1748);
    EXPECT_EQ(pageRect.bottom - pageRect.top, 2480);

    // The printer's paper, whatever the preview's says.
    preview->SetPaperType(pA4);
    preview->SetPrinterOptions();
    preview->SetPaperType(pA3);
    preview->SetUsePrinterOptions(true);
    preview->Print();
    EXPECT_NE(ReadBytes(file).find("/PageSize[595 842]"), std::string::npos);
    const TRect physical = Rect(-75, -75, 2479 - 75, 3508 - 75);
    EXPECT_TRUE(EqualRect(&pageRect, &physical));
}

// A custom paper goes to the printer by width and length: the job's device
// context has its size.  (Wine's PostScript driver still heads the file
// with its default page size: its generic PPD knows no custom size.)
TEST_F(PrintTest, CustomAndLandscapePaperReachThePrinter) {
    struct Case {
        const char* what;
        int width, height;  // 0.01 mm
        TPrinterOrientation orientation;
        int physicalWidth, physicalHeight;  // 300 dpi
        const char* orientationLine;
    } const cases[] = {
        {"custom 150 x 200 mm", 15000, 20000, poPortrait, 1771, 2362, "%%Orientation: Portrait"},
        {"A4 landscape", 29700, 21000, poLandscape, 3508, 2479, "%%Orientation: Landscape"},
        {"custom landscape", 20000, 15000, poLandscape, 2362, 1771, "%%Orientation: Landscape"},
    };
    SIZE physical{};
    preview->OnPrint = [&](TObject*, TCanvas* canvas, int, const TRect&, int, int, int, int) {
        physical = {GetDeviceCaps(canvas->Handle(), PHYSICALWIDTH),
                    GetDeviceCaps(canvas->Handle(), PHYSICALHEIGHT)};
    };
    for (const Case& c : cases) {
        preview->SetOrientation(c.orientation);
        preview->SetPaperSize(c.width, c.height);
        Record(1);
        preview->Print();
        EXPECT_EQ(physical.cx, c.physicalWidth) << c.what;
        EXPECT_EQ(physical.cy, c.physicalHeight) << c.what;
        EXPECT_NE(ReadBytes(file).find(c.orientationLine), std::string::npos) << c.what;
    }
}

TEST_F(PrintTest, DirectPrintingPlacesEveryPageAndCountsThem) {
    Record(1);
    PageDrawing d;
    d.black = {Rect(1000, 1000, 20000, 28700)};
    auto page = A4Page(d);
    std::vector<int> pages;
    int resY = 0, offsY = 0;
    TRect placed{};
    preview->OnPrintDir = [&](TObject*, TCanvas* canvas, const TRect& r, int p, void*, int, int ry, int,
                              int oy) {
        pages.push_back(p);
        resY = ry;
        offsY = oy;
        placed = r;
        canvas->Font()->SetSize(12);
        canvas->TextOut(r.left + 2000, r.top + 2000, "Wartość pola");
    };
    int totalInEndPage = 0;
    preview->OnEndPage = [&](TObject*) { totalInEndPage = preview->TotalPages(); };
    preview->SetDirectPrint(true);
    preview->BeginDoc();
    EXPECT_EQ(preview->State(), psPrinting);
    EXPECT_TRUE(preview->Direct());
    EXPECT_TRUE(Printer()->Printing());
    TRect drawRect{};
    for (int n = 1; n <= 3; ++n) {
        if (n > 1) preview->NewPage();
        preview->PaintGraphicEx(preview->GetPaperRect(), page.get(), drawRect, nullptr, n, true, false, true);
    }
    EXPECT_EQ(preview->TotalPages(), 2);  // the pages begun before the last
    preview->EndDoc();
    EXPECT_EQ(preview->DirectPageCount(), 3);
    EXPECT_EQ(totalInEndPage, 2);
    EXPECT_FALSE(preview->Direct());
    EXPECT_EQ(preview->TotalPages(), 1);  // the stored page again
    EXPECT_EQ(preview->State(), psIdle);
    EXPECT_EQ(pages, (std::vector<int>{1, 2, 3}));
    EXPECT_EQ(resY, 300);
    EXPECT_EQ(offsY, -75);
    EXPECT_NEAR(placed.right - placed.left, 21000, 60);
    const std::string ps = ReadBytes(file);
    EXPECT_EQ(CountOf(ps, "%%Page: "), 3);
    EXPECT_NE(ps.find("/PageSize[595 842]"), std::string::npos);
}

TEST_F(PrintTest, FailureWhilePrintingDirectlyDropsTheJobAndEndsTheDocument) {
    auto page = A4Page({});
    bool fail = true;
    preview->OnPrintDir = [&](TObject*, TCanvas*, const TRect&, int, void*, int, int, int, int) {
        if (fail) throw EConvertError("Błąd");
    };
    preview->SetDirectPrint(true);
    preview->BeginDoc();
    TRect drawRect{};
    EXPECT_THROW(
        preview->PaintGraphicEx(preview->GetPaperRect(), page.get(), drawRect, nullptr, 1, true, false, true),
        EConvertError);
    EXPECT_EQ(preview->State(), psIdle);
    EXPECT_FALSE(preview->Direct());
    EXPECT_EQ(preview->Canvas(), nullptr);
    EXPECT_FALSE(Printer()->Printing());
    EXPECT_FALSE(FileExists(file));
    // The caller's own clean-up finds nothing left to do.
    preview->Abort();
    preview->EndDoc();

    fail = false;
    preview->BeginDoc();
    preview->PaintGraphicEx(preview->GetPaperRect(), page.get(), drawRect, nullptr, 1, true, false, true);
    preview->EndDoc();
    EXPECT_EQ(CountOf(ReadBytes(file), "%%Page: "), 1);
}

// After an abort the document runs on as before, on a canvas that prints
// nothing: pages are counted and graphics placed.
TEST_F(PrintTest, AbortWhilePrintingDirectlyDropsTheJob) {
    preview->SetDirectPrint(true);
    int aborts = 0, drawn = 0;
    preview->OnAbort = [&](TObject*) { ++aborts; };
    preview->OnPrintDir = [&](TObject*, TCanvas* canvas, const TRect& r, int, void*, int, int, int, int) {
        ++drawn;
        canvas->TextOut(r.left, r.top, "Wartość");
    };
    const TRect half = Rect(0, 0, 10500, 29700);
    auto page = A4Page({});
    TRect before{}, after{};
    preview->BeginDoc();
    preview->PaintGraphicEx(half, page.get(), before, nullptr, 1, true, false, true);
    preview->NewPage();
    preview->Abort();
    EXPECT_EQ(aborts, 1);
    EXPECT_FALSE(Printer()->Printing());
    EXPECT_EQ(preview->State(), psPrinting);
    EXPECT_EQ(preview->TotalPages(), 1);
    preview->PaintGraphicEx(half, page.get(), after, nullptr, 2, true, false, true);
    EXPECT_TRUE(EqualRect(&after, &before));
    EXPECT_EQ(drawn, 2);
    preview->NewPage();
    EXPECT_EQ(preview->TotalPages(), 2);
    ASSERT_NE(preview->Canvas(), nullptr);
    EXPECT_EQ(GetMapMode(preview->Canvas()->Handle()), MM_ANISOTROPIC);
    preview->EndDoc();
    EXPECT_EQ(preview->DirectPageCount(), 3);
    EXPECT_EQ(preview->State(), psIdle);
    EXPECT_EQ(preview->Canvas(), nullptr);
    EXPECT_FALSE(FileExists(file));
}

}  // namespace
