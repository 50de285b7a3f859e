// The paper read back from the printer's device mode: a known paper code,
// a user size, and a device mode that names no paper the preview knows.
#include <gtest/gtest.h>
#include <windows.h>

#include "tests/preview/win/PreviewSupport.h"

namespace {

using namespace cl;
using previewtest::PreviewTest;

// Writes the paper fields into the printer's device mode and puts the
// original back afterwards.
class DeviceModePaper {
public:
    DeviceModePaper() {
        std::string device, driver, port;
        Printer()->GetPrinter(device, driver, port, block_);
        saved_ = *Lock();
        GlobalUnlock(block_);
    }
    ~DeviceModePaper() {
        *Lock() = saved_;
        GlobalUnlock(block_);
    }
    void Set(DWORD fields, short code, short width, short length, const wchar_t* form) {
        DEVMODEW* dm = Lock();
        dm->dmFields = (dm->dmFields & ~DWORD{DM_PAPERSIZE | DM_PAPERWIDTH | DM_PAPERLENGTH | DM_FORMNAME |
                                              DM_ORIENTATION}) |
                       fields;
        dm->dmPaperSize = code;
        dm->dmPaperWidth = width;
        dm->dmPaperLength = length;
        lstrcpynW(dm->dmFormName, form, CCHFORMNAME);
        GlobalUnlock(block_);
    }

private:
    DEVMODEW* Lock() { return static_cast<DEVMODEW*>(GlobalLock(block_)); }
    HGLOBAL block_ = nullptr;
    DEVMODEW saved_{};
};

TEST_F(PreviewTest, PaperComesFromTheDeviceModeUnlessItNamesNone) {
    ASSERT_TRUE(PrinterInstalled());
    const struct {
        const char* what;
        DWORD fields;
        short code, width, length;
        TPaperType type;
        int paperWidth, paperHeight;  // 0.1 mm
        const char* formName;
    } cases[] = {
        {"a paper of the table", DM_PAPERSIZE | DM_FORMNAME, DMPAPER_A4, 0, 0, pA4, 2100, 2970, "Inny"},
        {"an unknown code with a size", DM_PAPERSIZE | DM_PAPERWIDTH | DM_PAPERLENGTH | DM_FORMNAME, 999,
         1230, 2340, pCustom, 1230, 2340, "Inny"},
        {"a user size", DM_PAPERSIZE | DM_PAPERWIDTH | DM_PAPERLENGTH | DM_FORMNAME, DMPAPER_USER, 1230, 2340,
         pCustom, 1230, 2340, "Inny"},
        {"no code, a size", DM_PAPERWIDTH | DM_PAPERLENGTH | DM_FORMNAME, 0, 1000, 1500, pCustom, 1000, 1500,
         "Inny"},
        // These say nothing about the paper: A5 stays, the form is still read.
        {"an unknown code without a size", DM_PAPERSIZE | DM_FORMNAME, 999, 0, 0, pA5, 1480, 2100, "Inny"},
        {"a user size of nothing", DM_PAPERSIZE | DM_FORMNAME, DMPAPER_USER, 0, 0, pA5, 1480, 2100, "Inny"},
        {"no code, no size", DM_FORMNAME, 0, 0, 0, pA5, 1480, 2100, "Inny"},
        {"an unknown code, no length", DM_PAPERSIZE | DM_PAPERWIDTH | DM_FORMNAME, 999, 1230, 0, pA5, 1480,
         2100, "Inny"},
        {"an unknown code, no form", DM_PAPERSIZE, 999, 0, 0, pA5, 1480, 2100, "A5"},
    };
    DeviceModePaper deviceMode;
    preview->SetUnits(mmLoMetric);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        preview->SetPaperType(pA5);
        preview->SetFormName("A5");
        deviceMode.Set(c.fields, c.code, c.width, c.length, L"Inny");
        preview->GetPrinterOptions();
        EXPECT_EQ(preview->PaperType(), c.type);
        EXPECT_EQ(preview->PaperWidth(), c.paperWidth);
        EXPECT_EQ(preview->PaperHeight(), c.paperHeight);
        EXPECT_EQ(preview->PrinterFormName(), c.formName);
    }
}

}  // namespace
