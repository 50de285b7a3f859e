// The printer against Wine's PostScript file printer (tools/wineprinter):
// printer list, device modes, page sizes, jobs written to PostScript files,
// aborted jobs, misuse, and the print set-up dialog.  (Wine's EnumJobs is a
// stub, so jobs are judged by the files they leave.)
#include <gtest/gtest.h>
#include <windows.h>

// The control ids of the common dialogs.
#include <dlgs.h>

#include <atomic>
#include <cstring>
#include <functional>
#include <string>
#include <thread>

#include "classlib/win/PrinterSetupDialog.h"
#include "classlib/win/Printers.h"
#include "classlib/win/WideText.h"
#include "tests/support/PrinterOutput.h"
#include "tests/support/TempFolder.h"

namespace {

using cl::EPrinter;
using cl::TPrinter;
using cltest::CountOf;
using cltest::FileExists;
using cltest::ReadBytes;

const std::string kWinePrinter = "Wine PostScript";

// Lines the two-page job draws; tests/win/printer_ghostscript.sh reads them
// back from the PostScript with Ghostscript.
const std::string kPageOneText = "Strona pierwsza: Zażółć gęślą jaźń";
const std::string kPageTwoText = "Strona druga";

// Changes fields of the printer's device mode in place and hands it back,
// as the print preview does.
void EditDeviceMode(TPrinter& printer, const std::function<void(DEVMODEW&)>& edit) {
    std::string device, driver, port;
    HGLOBAL block = nullptr;
    printer.GetPrinter(device, driver, port, block);
    auto* dm = static_cast<DEVMODEW*>(GlobalLock(block));
    ASSERT_NE(dm, nullptr);
    edit(*dm);
    GlobalUnlock(block);
    printer.SetPrinter(device, driver, port, block);
}

class PrinterTest : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_GE(printer.Printers().IndexOf(kWinePrinter), 0)
            << "the Wine file printer is missing: scripts/wine-run sets it up once tools/wineprinter is "
               "built";
    }
    TPrinter printer;
};

TEST_F(PrinterTest, ListsTheWinePrinterAndSelectsItAsDefault) {
    EXPECT_EQ(printer.Printers().Get(printer.PrinterIndex()), kWinePrinter);
    std::string device, driver, port;
    HGLOBAL block = nullptr;
    printer.GetPrinter(device, driver, port, block);
    EXPECT_EQ(device, kWinePrinter);
    EXPECT_EQ(driver, kWinePrinter);
    EXPECT_EQ(port, "FILE:");
    ASSERT_NE(block, nullptr);
    const auto* dm = static_cast<const DEVMODEW*>(GlobalLock(block));
    EXPECT_EQ(std::wstring(dm->dmDeviceName), cl::ToWide(kWinePrinter));
    EXPECT_EQ(dm->dmPaperSize, DMPAPER_A4);
    EXPECT_EQ(std::wstring(dm->dmFormName), L"A4");
    EXPECT_EQ(dm->dmOrientation, DMORIENT_PORTRAIT);
    GlobalUnlock(block);
}

TEST_F(PrinterTest, DefaultPageIsA4At300Dpi) {
    HDC dc = printer.Handle();
    EXPECT_EQ(GetDeviceCaps(dc, LOGPIXELSX), 300);
    EXPECT_EQ(GetDeviceCaps(dc, LOGPIXELSY), 300);
    EXPECT_EQ(GetDeviceCaps(dc, PHYSICALWIDTH), 2479);
    EXPECT_EQ(GetDeviceCaps(dc, PHYSICALHEIGHT), 3508);
    EXPECT_EQ(GetDeviceCaps(dc, PHYSICALOFFSETX), 75);
    EXPECT_EQ(printer.PageWidth(), 2479 - 2 * 75);
    EXPECT_EQ(printer.PageHeight(), 3508 - 2 * 75);
    EXPECT_EQ(printer.Orientation(), cl::poPortrait);
}

// The print preview writes paper and orientation into the device mode.
TEST_F(PrinterTest, DeviceModePaperAndOrientationGiveThePage) {
    struct Case {
        const char* paper;
        DWORD fields;
        short code, width, length, orientation;
        int physicalWidth, physicalHeight;
    } const cases[] = {
        {"A4", DM_PAPERSIZE, DMPAPER_A4, 0, 0, DMORIENT_PORTRAIT, 2479, 3508},
        {"A4 landscape", DM_PAPERSIZE, DMPAPER_A4, 0, 0, DMORIENT_LANDSCAPE, 3508, 2479},
        {"A5", DM_PAPERSIZE, DMPAPER_A5, 0, 0, DMORIENT_PORTRAIT, 1754, 2479},
        {"A3", DM_PAPERSIZE, DMPAPER_A3, 0, 0, DMORIENT_PORTRAIT, 3508, 4962},
        {"Letter", DM_PAPERSIZE, DMPAPER_LETTER, 0, 0, DMORIENT_PORTRAIT, 2550, 3300},
        // A custom size goes by width and length alone: with DMPAPER_USER Wine gives a wrong page.
        {"150 x 200 mm", DM_PAPERWIDTH | DM_PAPERLENGTH, 0, 1500, 2000, DMORIENT_PORTRAIT, 1771, 2362},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.paper);
        EditDeviceMode(printer, [&](DEVMODEW& dm) {
            dm.dmFields &= ~(DM_PAPERSIZE | DM_PAPERWIDTH | DM_PAPERLENGTH | DM_FORMNAME);
            dm.dmFields |= c.fields | DM_ORIENTATION;
            dm.dmPaperSize = c.code;
            dm.dmPaperWidth = c.width;
            dm.dmPaperLength = c.length;
            dm.dmOrientation = c.orientation;
        });
        HDC dc = printer.Handle();
        EXPECT_EQ(GetDeviceCaps(dc, PHYSICALWIDTH), c.physicalWidth);
        EXPECT_EQ(GetDeviceCaps(dc, PHYSICALHEIGHT), c.physicalHeight);
        EXPECT_EQ(printer.Orientation(),
                  c.orientation == DMORIENT_LANDSCAPE ? cl::poLandscape : cl::poPortrait);
    }
}

TEST_F(PrinterTest, OrientationAndCopiesGoThroughTheDeviceMode) {
    printer.SetOrientation(cl::poLandscape);
    printer.SetCopies(3);
    EXPECT_EQ(printer.PageWidth(), 3508 - 2 * 75);
    EXPECT_EQ(printer.PageHeight(), 2479 - 2 * 75);
    std::string device, driver, port;
    HGLOBAL block = nullptr;
    printer.GetPrinter(device, driver, port, block);
    const auto* dm = static_cast<const DEVMODEW*>(GlobalLock(block));
    EXPECT_EQ(dm->dmOrientation, DMORIENT_LANDSCAPE);
    EXPECT_EQ(dm->dmCopies, 3);
    EXPECT_EQ(dm->dmFields & (DM_ORIENTATION | DM_COPIES), DWORD{DM_ORIENTATION | DM_COPIES});
    GlobalUnlock(block);
    EXPECT_EQ(printer.Copies(), 3);
    printer.SetOrientation(cl::poPortrait);
    EXPECT_EQ(printer.PageWidth(), 2479 - 2 * 75);
}

TEST_F(PrinterTest, SetPrinterTakesAForeignDeviceModeAndNullLoadsDefaults) {
    std::string device, driver, port;
    HGLOBAL own = nullptr;
    printer.GetPrinter(device, driver, port, own);
    const SIZE_T size = GlobalSize(own);
    HGLOBAL foreign = GlobalAlloc(GHND, size);
    std::memcpy(GlobalLock(foreign), GlobalLock(own), size);
    static_cast<DEVMODEW*>(GlobalLock(foreign))->dmOrientation = DMORIENT_LANDSCAPE;
    GlobalUnlock(foreign);
    GlobalUnlock(foreign);
    GlobalUnlock(own);

    printer.SetPrinter(device, driver, port, foreign);
    HGLOBAL now = nullptr;
    printer.GetPrinter(device, driver, port, now);
    EXPECT_EQ(now, foreign);
    EXPECT_EQ(printer.Orientation(), cl::poLandscape);

    printer.SetPrinter(device, driver, port, nullptr);
    EXPECT_EQ(printer.Orientation(), cl::poPortrait);
}

TEST_F(PrinterTest, RefusesADeviceModeBlockTooSmallForItsHeader) {
    HGLOBAL block = GlobalAlloc(GHND, sizeof(DEVMODEW));
    auto* dm = static_cast<DEVMODEW*>(GlobalLock(block));
    dm->dmSize = sizeof(DEVMODEW);
    dm->dmDriverExtra = 4096;  // claims more than the block holds
    GlobalUnlock(block);
    EXPECT_THROW(printer.SetPrinter(kWinePrinter, kWinePrinter, "FILE:", block), EPrinter);
    GlobalFree(block);  // still the caller's
}

TEST_F(PrinterTest, CanvasFontTakesThePrintersResolution) {
    printer.Canvas()->Font()->SetSize(10);
    printer.Canvas()->TextOut(0, 0, "x");
    EXPECT_EQ(printer.Canvas()->Handle(), printer.Handle());
    EXPECT_EQ(printer.Canvas()->Font()->PixelsPerInch(), 300);
    EXPECT_EQ(printer.Canvas()->Font()->Height(), -42);
    EXPECT_EQ(printer.Canvas()->Font()->Size(), 10);
}

TEST_F(PrinterTest, TwoPageJobIsTwoA4PagesOfPostScript) {
    const std::string file = cltest::GhostscriptFolder(L"printer_out") + "two_pages.ps";
    DeleteFileW(cl::ToWide(file).c_str());
    printer.SetTitle("Sprawozdanie próbne");
    printer.SetOutputFile(file);
    printer.BeginDoc();
    EXPECT_TRUE(printer.Printing());
    EXPECT_EQ(printer.PageNumber(), 1);
    HDC jobDc = printer.Handle();
    printer.Canvas()->Font()->SetName("Arial");
    printer.Canvas()->Font()->SetSize(14);
    printer.Canvas()->TextOut(300, 300, kPageOneText);
    printer.NewPage();
    EXPECT_EQ(printer.PageNumber(), 2);
    EXPECT_EQ(printer.Handle(), jobDc);
    printer.Canvas()->TextOut(300, 300, kPageTwoText);
    printer.EndDoc();
    EXPECT_FALSE(printer.Printing());
    EXPECT_FALSE(printer.Aborted());
    EXPECT_EQ(printer.PageNumber(), 0);

    const std::string ps = ReadBytes(file);
    EXPECT_EQ(ps.rfind("%!PS-Adobe-3.0", 0), 0u);
    // A PostScript string with the non-ASCII byte in octal.
    EXPECT_NE(ps.find("%%Title: (Sprawozdanie pr\\363bne)"), std::string::npos);
    EXPECT_NE(ps.find("%%Pages: 2"), std::string::npos);
    EXPECT_EQ(CountOf(ps, "%%Page: "), 2);
    EXPECT_NE(ps.find("/PageSize[595 842]"), std::string::npos);
    EXPECT_NE(ps.find("%%Orientation: Portrait"), std::string::npos);
}

TEST_F(PrinterTest, LandscapeJobIsALandscapePage) {
    cltest::TempFolder folder;
    const std::string file = folder.Name("landscape.ps");
    printer.SetOrientation(cl::poLandscape);
    printer.SetOutputFile(file);
    printer.BeginDoc();
    printer.Canvas()->TextOut(100, 100, "Poziomo");
    printer.EndDoc();
    const std::string ps = ReadBytes(file);
    EXPECT_NE(ps.find("%%Orientation: Landscape"), std::string::npos);
    EXPECT_NE(ps.find("%%Pages: 1"), std::string::npos);
}

TEST_F(PrinterTest, AbortLeavesNoFileAndNoJob) {
    cltest::TempFolder folder;
    const std::string file = folder.Name("aborted.ps");
    printer.SetOutputFile(file);
    printer.BeginDoc();
    printer.Canvas()->TextOut(100, 100, "Porzucone");
    printer.NewPage();
    printer.Abort();
    EXPECT_FALSE(printer.Printing());
    EXPECT_TRUE(printer.Aborted());
    EXPECT_EQ(printer.PageNumber(), 0);
    EXPECT_FALSE(FileExists(file));

    // The next job starts clean: its one page only.
    printer.BeginDoc();
    EXPECT_FALSE(printer.Aborted());
    printer.EndDoc();
    const std::string ps = ReadBytes(file);
    EXPECT_NE(ps.find("%%Pages: 1"), std::string::npos);
    EXPECT_EQ(CountOf(ps, "%%Page: "), 1);
}

TEST_F(PrinterTest, JobThatCannotBeWrittenRaisesAtEndDoc) {
    printer.SetOutputFile("Z:\\nie\\ma\\takiego\\folderu\\x.ps");
    printer.BeginDoc();
    EXPECT_THROW(printer.EndDoc(), EPrinter);
    EXPECT_FALSE(printer.Printing());
}

TEST_F(PrinterTest, MisuseRaisesWithTheReason) {
    struct Case {
        const char* what;
        bool printing;
        std::function<void(TPrinter&)> act;
        const char* message;
    } const cases[] = {
        {"NewPage", false, [](TPrinter& p) { p.NewPage(); }, "Printer is not currently printing"},
        {"EndDoc", false, [](TPrinter& p) { p.EndDoc(); }, "Printer is not currently printing"},
        {"Abort", false, [](TPrinter& p) { p.Abort(); }, "Printer is not currently printing"},
        {"index 99", false, [](TPrinter& p) { p.SetPrinterIndex(99); }, "Printer selected is not valid"},
        {"index -2", false, [](TPrinter& p) { p.SetPrinterIndex(-2); }, "Printer selected is not valid"},
        {"copies 0", false, [](TPrinter& p) { p.SetCopies(0); }, "Number of copies must be 1 to 32767"},
        {"BeginDoc", true, [](TPrinter& p) { p.BeginDoc(); }, "Printing in progress"},
        {"PrinterIndex", true, [](TPrinter& p) { p.SetPrinterIndex(-1); }, "Printing in progress"},
        {"Orientation", true, [](TPrinter& p) { p.SetOrientation(cl::poLandscape); }, "Printing in progress"},
        {"SetPrinter", true, [](TPrinter& p) { p.SetPrinter(kWinePrinter, "", "", nullptr); },
         "Printing in progress"},
        {"Refresh", true, [](TPrinter& p) { p.Refresh(); }, "Printing in progress"},
    };
    cltest::TempFolder folder;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TPrinter p;
        p.SetOutputFile(folder.Name("misuse.ps"));
        if (c.printing) p.BeginDoc();
        try {
            c.act(p);
            ADD_FAILURE() << "no exception";
        } catch (const EPrinter& e) {
            EXPECT_EQ(e.Message(), c.message);
        }
        EXPECT_EQ(p.Printing(), c.printing);
        if (c.printing) p.Abort();
    }
}

TEST_F(PrinterTest, UnknownPrinterIsRefusedAndTheDefaultStays) {
    EXPECT_THROW(printer.SetPrinter("Nie ma takiej drukarki", "", "", nullptr), EPrinter);
    EXPECT_LT(printer.Printers().IndexOf("Nie ma takiej drukarki"), 0);
    EXPECT_EQ(printer.Printers().Get(printer.PrinterIndex()), kWinePrinter);
    EXPECT_GT(printer.PageWidth(), 0);
}

TEST_F(PrinterTest, RefreshKeepsTheSelectedPrinter) {
    printer.SetOrientation(cl::poLandscape);
    const int index = printer.PrinterIndex();
    printer.Refresh();
    EXPECT_EQ(printer.PrinterIndex(), index);
    EXPECT_EQ(printer.Orientation(), cl::poLandscape);
}

TEST(GlobalPrinter, IsOneObject) {
    EXPECT_EQ(cl::Printer(), cl::Printer());
}

// Finds the dialog on the test's thread, lets act work on it, then presses
// the button.
class DialogDriver {
public:
    DialogDriver(std::function<void(HWND)> act, int button)
        : thread_([this, act = std::move(act), button, owner = GetCurrentThreadId()] {
              for (int tries = 0; tries < 500 && !done_; ++tries) {
                  HWND dialog = FindDialog(owner);
                  if (dialog) {
                      act(dialog);
                      PostMessageW(dialog, WM_COMMAND, button, 0);
                      found_ = true;
                      return;
                  }
                  Sleep(10);
              }
          }) {}
    ~DialogDriver() {
        done_ = true;
        thread_.join();
    }
    bool Found() const { return found_; }

private:
    static BOOL CALLBACK TakeDialog(HWND hwnd, LPARAM found) {
        wchar_t cls[16] = {};
        GetClassNameW(hwnd, cls, 16);
        if (std::wstring(cls) != L"#32770" || !IsWindowVisible(hwnd)) return TRUE;
        *reinterpret_cast<HWND*>(found) = hwnd;
        return FALSE;
    }
    static HWND FindDialog(DWORD thread) {
        HWND found = nullptr;
        EnumThreadWindows(thread, TakeDialog, reinterpret_cast<LPARAM>(&found));
        return found;
    }

    std::atomic<bool> done_{false};
    std::atomic<bool> found_{false};
    std::thread thread_;
};

TEST(PrinterSetupDialog, OkAppliesTheChosenOrientationToThePrinter) {
    cl::Printer()->SetOrientation(cl::poPortrait);
    cl::TPrinterSetupDialog dialog(nullptr);
    bool ok = false;
    {
        DialogDriver driver([](HWND dlg) { SendMessageW(GetDlgItem(dlg, rad2), BM_CLICK, 0, 0); }, IDOK);
        ok = dialog.Execute();
        ASSERT_TRUE(driver.Found());
    }
    EXPECT_TRUE(ok);
    EXPECT_EQ(cl::Printer()->Printers().Get(cl::Printer()->PrinterIndex()), kWinePrinter);
    EXPECT_EQ(cl::Printer()->Orientation(), cl::poLandscape);
    EXPECT_EQ(cl::Printer()->PageWidth(), 3508 - 2 * 75);
    cl::Printer()->SetOrientation(cl::poPortrait);
}

TEST(PrinterSetupDialog, CancelChangesNothing) {
    std::string device, driver, port;
    HGLOBAL before = nullptr;
    cl::Printer()->GetPrinter(device, driver, port, before);
    cl::TPrinterSetupDialog dialog(nullptr);
    bool ok = true;
    {
        DialogDriver driver([](HWND dlg) { SendMessageW(GetDlgItem(dlg, rad2), BM_CLICK, 0, 0); }, IDCANCEL);
        ok = dialog.Execute();
        ASSERT_TRUE(driver.Found());
    }
    EXPECT_FALSE(ok);
    HGLOBAL after = nullptr;
    cl::Printer()->GetPrinter(device, driver, port, after);
    EXPECT_EQ(after, before);
    EXPECT_EQ(cl::Printer()->Orientation(), cl::poPortrait);
}

}  // namespace
