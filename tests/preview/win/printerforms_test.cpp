// The printer's paper forms and device mode as the preview uses them: with
// a spooler of the test's own (Wine's AddForm and DeleteForm do nothing)
// and with Wine's.
#include "preview/win/PrinterForms.h"

#include <gtest/gtest.h>
#include <windows.h>
#include <winspool.h>

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "classlib/StringList.h"
#include "tests/preview/win/PreviewSupport.h"

namespace {

using namespace cl;
using namespace cltest;
using previewtest::PreviewTest;

// Forms kept in a list; Add can be told to report success without keeping
// the form, as Wine's spooler does.
class FakeForms : public TPrinterForms {
public:
    bool Installed() override { return installed; }
    bool Enum(std::vector<TPrinterForm>& out) override {
        out = forms;
        return enumWorks;
    }
    bool Get(const std::string& name, TPrinterForm& form) override {
        const auto it = Find(name);
        if (it == forms.end()) return false;
        form = *it;
        return true;
    }
    bool Add(const TPrinterForm& form) override {
        added.push_back(form.Name);
        if (Find(form.Name) != forms.end()) return false;
        if (keepsAdded) forms.push_back(form);
        return true;
    }
    bool Delete(const std::string& name) override {
        deleted.push_back(name);
        const auto it = Find(name);
        if (it == forms.end()) return false;
        forms.erase(it);
        return true;
    }

    std::vector<TPrinterForm> forms = {
        {"Za mały", 10, 297000}, {"Moja A4", 210000, 297000}, {"A4", 210000, 297000}, {"A5", 148000, 210000}};
    bool installed = true;
    bool enumWorks = true;
    bool keepsAdded = true;
    std::vector<std::string> added;
    std::vector<std::string> deleted;

private:
    std::vector<TPrinterForm>::iterator Find(const std::string& name) {
        return std::find_if(forms.begin(), forms.end(),
                            [&](const TPrinterForm& f) { return f.Name == name; });
    }
};

class FormsTest : public PreviewTest {
protected:
    void SetUp() override {
        PreviewTest::SetUp();
        SetPrinterForms(&fake);
        preview->OnAutoCustomForm = [this](TObject*, const std::string& name, TOperation op) {
            events.push_back((op == opInsert ? "+" : "-") + name);
        };
    }
    void TearDown() override {
        form.reset();  // the preview goes while the fake spooler is still in place
        SetPrinterForms(nullptr);
    }

    FakeForms fake;
    std::vector<std::string> events;
};

TEST_F(FormsTest, FormNamesLeaveOutTinyForms) {
    TStringList list;
    list.Add("stare");
    EXPECT_TRUE(preview->GetFormNames(list));
    EXPECT_EQ(list.Text(), "Moja A4\r\nA4\r\nA5\r\n");
    fake.enumWorks = false;
    EXPECT_FALSE(preview->GetFormNames(list));
    EXPECT_EQ(list.Count(), 0);
    // Without a printer the caller's list stays as it was, and no form is looked for.
    fake.enumWorks = true;
    fake.installed = false;
    list.Add("stare");
    EXPECT_FALSE(preview->GetFormNames(list));
    EXPECT_EQ(list.Text(), "stare\r\n");
    preview->SetPaperSize(15000, 20000);
    EXPECT_EQ(preview->GetFormName(), "");
    EXPECT_TRUE(fake.added.empty());
}

TEST_F(FormsTest, FormNameIsTheFirstFormOfThePapersSize) {
    EXPECT_EQ(preview->GetFormName(), "Moja A4");
    EXPECT_EQ(preview->PrinterFormName(), "Moja A4");
    EXPECT_TRUE(fake.added.empty());
    // A new paper forgets it.
    preview->SetPaperType(pA5);
    EXPECT_EQ(preview->PrinterFormName(), "");
    EXPECT_EQ(preview->GetFormName(), "A5");
    // Landscape paper is matched by its portrait pair.
    preview->SetOrientation(poLandscape);
    preview->SetPaperType(pA4);
    EXPECT_EQ(preview->GetFormName(), "Moja A4");
}

TEST_F(FormsTest, CustomPaperGetsAFormOfItsOwnAndLosesItWithThePreview) {
    preview->SetPaperSize(15000, 20000);
    EXPECT_EQ(preview->GetFormName(), "150mm x 200mm");
    EXPECT_EQ(preview->AutoFormName(), "150mm x 200mm");
    EXPECT_EQ(events, (std::vector<std::string>{"+150mm x 200mm"}));
    TPrinterForm made;
    ASSERT_TRUE(fake.Get("150mm x 200mm", made));
    EXPECT_EQ(made.Width, 150000);
    EXPECT_EQ(made.Height, 200000);
    // Another custom paper replaces it.
    preview->SetPaperSize(16000, 20000);
    EXPECT_EQ(preview->GetFormName(), "160mm x 200mm");
    EXPECT_EQ(events, (std::vector<std::string>{"+150mm x 200mm", "-150mm x 200mm", "+160mm x 200mm"}));
    EXPECT_FALSE(fake.Get("150mm x 200mm", made));
    form.reset();
    EXPECT_EQ(fake.deleted.back(), "160mm x 200mm");
    EXPECT_FALSE(fake.Get("160mm x 200mm", made));
    EXPECT_EQ(events.size(), 3u);  // no event while the preview goes
}

TEST_F(FormsTest, FormTheSpoolerDidNotKeepIsNotUsed) {
    fake.keepsAdded = false;
    preview->SetPaperSize(15000, 20000);
    EXPECT_EQ(preview->GetFormName(), "");
    EXPECT_EQ(fake.added, (std::vector<std::string>{"150mm x 200mm"}));
    EXPECT_EQ(preview->AutoFormName(), "");
    EXPECT_TRUE(events.empty());
    EXPECT_FALSE(preview->AddNewForm("Nowy", 10000, 10000));
}

TEST_F(FormsTest, RemovingAFormForgetsIt) {
    preview->SetPaperSize(15000, 20000);
    preview->GetFormName();
    EXPECT_FALSE(preview->RemoveForm("150MM X 200MM"));  // the spooler's names are exact
    EXPECT_TRUE(preview->RemoveForm("150mm x 200mm"));
    EXPECT_EQ(preview->PrinterFormName(), "");
    EXPECT_EQ(preview->AutoFormName(), "");
    EXPECT_EQ(events.back(), "-150mm x 200mm");
    EXPECT_FALSE(preview->RemoveForm("Nie ma"));
}

TEST_F(FormsTest, ChoosingAFormTakesItsSize) {
    preview->SetUnits(mmLoMetric);
    preview->SetFormName("A5");
    EXPECT_EQ(preview->PaperType(), pA5);
    EXPECT_EQ(preview->PaperWidth(), 1480);
    EXPECT_EQ(preview->PaperHeight(), 2100);
    EXPECT_EQ(preview->PrinterFormName(), "A5");
    preview->SetOrientation(poLandscape);
    preview->SetFormName("Moja A4");
    EXPECT_EQ(preview->PaperWidth(), 2970);
    EXPECT_EQ(preview->PaperHeight(), 2100);
    EXPECT_EQ(preview->PrinterFormName(), "Moja A4");
    int w = 0, h = 0;
    EXPECT_TRUE(preview->GetFormSize("A5", w, h));
    EXPECT_EQ(w, 1480);
    EXPECT_EQ(h, 2100);
    // Unknown and empty forms change nothing.
    preview->SetFormName("Nie ma");
    fake.forms.push_back({"Pusty", 0, 0});
    preview->SetFormName("Pusty");
    EXPECT_EQ(preview->PrinterFormName(), "Moja A4");
}

// The device mode of Wine's printer, written and read back.
DEVMODEW DeviceMode() {
    std::string device, driver, port;
    HGLOBAL block = nullptr;
    Printer()->GetPrinter(device, driver, port, block);
    DEVMODEW copy = *static_cast<DEVMODEW*>(GlobalLock(block));
    GlobalUnlock(block);
    return copy;
}

TEST_F(FormsTest, PrinterOptionsGoIntoTheDeviceMode) {
    preview->SetPaperType(pA5);
    preview->SetOrientation(poLandscape);
    preview->SetPrinterOptions();
    DEVMODEW dm = DeviceMode();
    EXPECT_EQ(dm.dmFields & (DM_PAPERSIZE | DM_PAPERWIDTH | DM_PAPERLENGTH | DM_FORMNAME | DM_ORIENTATION),
              DWORD{DM_PAPERSIZE | DM_FORMNAME | DM_ORIENTATION});
    EXPECT_EQ(dm.dmPaperSize, DMPAPER_A5);
    EXPECT_EQ(dm.dmOrientation, DMORIENT_LANDSCAPE);
    EXPECT_EQ(std::wstring(dm.dmFormName), L"A5");

    // A custom paper by width and length in 0.1 mm, portrait pair; its form's
    // name cut to what the field holds.
    const std::string longName(40, 'x');
    fake.forms.push_back({longName, 123000, 234000});
    preview->SetOrientation(poPortrait);
    preview->SetPaperSize(12300, 23400);
    preview->SetPrinterOptions();
    dm = DeviceMode();
    EXPECT_EQ(dm.dmFields & (DM_PAPERSIZE | DM_PAPERWIDTH | DM_PAPERLENGTH | DM_FORMNAME),
              DWORD{DM_PAPERWIDTH | DM_PAPERLENGTH | DM_FORMNAME});
    EXPECT_EQ(dm.dmPaperWidth, 1230);
    EXPECT_EQ(dm.dmPaperLength, 2340);
    EXPECT_EQ(dm.dmOrientation, DMORIENT_PORTRAIT);
    EXPECT_EQ(std::wstring(dm.dmFormName), std::wstring(31, L'x'));

    // Another preview reads them back.
    auto* other = new TPrintPreview(form.get());
    other->SetUnits(mmLoMetric);
    other->GetPrinterOptions();
    EXPECT_EQ(other->PaperType(), pCustom);
    EXPECT_EQ(other->PaperWidth(), 1230);
    EXPECT_EQ(other->PaperHeight(), 2340);
    EXPECT_EQ(other->PrinterFormName(), std::string(31, 'x'));

    preview->SetPaperType(pA5);
    preview->SetOrientation(poLandscape);
    preview->SetPrinterOptions();
    other->GetPrinterOptions();
    EXPECT_EQ(other->PaperType(), pA5);
    EXPECT_EQ(other->Orientation(), poLandscape);
    EXPECT_EQ(other->PaperWidth(), 2100);
    EXPECT_EQ(other->PaperHeight(), 1480);
    EXPECT_EQ(other->PrinterFormName(), "A5");

    // Back to the tests' A4 portrait.
    preview->SetOrientation(poPortrait);
    preview->SetPaperType(pA4);
    preview->SetPrinterOptions();
}

// Wine's own spooler.
using WineFormsTest = PreviewTest;

TEST_F(WineFormsTest, FormNamesAreEveryFormTheSpoolerCounts) {
    std::string device, driver, port;
    HGLOBAL block = nullptr;
    Printer()->GetPrinter(device, driver, port, block);
    std::wstring name = ToWide(device);
    HANDLE printer = nullptr;
    ASSERT_TRUE(OpenPrinterW(name.data(), &printer, nullptr));
    DWORD needed = 0, count = 0;
    EnumFormsW(printer, 1, nullptr, 0, &needed, &count);
    std::vector<BYTE> buffer(needed);
    ASSERT_TRUE(EnumFormsW(printer, 1, buffer.data(), needed, &needed, &count));
    ClosePrinter(printer);
    const auto* info = reinterpret_cast<const FORM_INFO_1W*>(buffer.data());
    int large = 0;
    for (DWORD i = 0; i < count; ++i) large += info[i].Size.cx > 10 && info[i].Size.cy > 10;
    // The buffer holds the names after the records: far fewer records than
    // its size would make room for.
    EXPECT_LT(count, needed / sizeof(FORM_INFO_1W));

    TStringList list;
    EXPECT_TRUE(preview->GetFormNames(list));
    EXPECT_EQ(list.Count(), large);
    EXPECT_GE(list.IndexOf("A4"), 0);
    EXPECT_GE(list.IndexOf("Letter"), 0);
    EXPECT_EQ(preview->GetFormName(), "A4");
    int w = 0, h = 0;
    EXPECT_TRUE(preview->GetFormSize("A4", w, h));
    EXPECT_EQ(w, 21000);
    EXPECT_EQ(h, 29700);
}

// Wine's AddForm reports success and keeps nothing: a custom paper gets no
// form, and the preview says so instead of naming one the printer lacks.
TEST_F(WineFormsTest, AFormTheSpoolerDoesNotKeepIsNeverUsed) {
    int inserted = 0;
    preview->OnAutoCustomForm = [&](TObject*, const std::string&, TOperation op) {
        inserted += op == opInsert;
    };
    preview->SetPaperSize(15000, 20000);
    EXPECT_EQ(preview->GetFormName(), "");
    EXPECT_EQ(preview->AutoFormName(), "");
    EXPECT_EQ(inserted, 0);
    int w = 0, h = 0;
    EXPECT_FALSE(preview->GetFormSize("150mm x 200mm", w, h));
    EXPECT_FALSE(preview->AddNewForm("Próbny", 10000, 10000));
    EXPECT_FALSE(preview->GetFormSize("Próbny", w, h));
}

}  // namespace
