// Every form printed with every field filled: on A4 once without
// corrections, with the margins moved by +5 mm and by -5 mm, and with text
// corrections; on A5 and Letter without corrections and with smaller
// margin and text corrections.  The jobs that tests/app/win/printplacement_ghostscript.sh
// reads back to find each value on its own row of the printed template.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "app/UserFolders.h"
#include "tests/app/win/FormShowing.h"
#include "tests/app/win/MainFormFixture.h"
#include "tests/support/PrinterOutput.h"

namespace {

using namespace cl;
using namespace maintest;

// A value that tells its field and fills it: an amount carries the field's
// number in front of nine more digits (every third one negative), a text
// the number in front of a word a little longer than the field holds at
// its full size (about 1.2 mm a letter against its width in 0.1 mm).
std::string ValueOf(const TEField& field) {
    const int n = field.DataIdx;
    if (field.EditType == ie_currency) return (n % 3 == 0 ? "-" : "") + std::to_string(n) + "987654321,99";
    if (field.EditType == ie_maskedit) return "31.12.2004";
    const std::string word = "T" + std::to_string(n) + "_Zażółć_gęślą_jaźń_Przykładowa_Spółka_z_o.o._Łódź";
    return word.substr(0, std::max<size_t>(8, static_cast<size_t>(field.Width) / 12));
}

class PrintPlacementTest : public MainFormTest {
protected:
    void SetUp() override {
        MainFormTest::SetUp();
        // The engine's own host sees no form selected: no total is
        // recomputed, so every field keeps the value that tells it.
        ProgramFolder = BuildProgramFolder();
        ASSERT_TRUE(PrinterInstalled());
    }
    void TearDown() override {
        // Never a job without a file: the printer's port would ask for one.
        Printer()->SetOutputFile(cltest::GhostscriptFolder(L"printplacement_out") + "stray.ps");
        LeftCorrection = TopCorrection = TextXCorrection = TextYCorrection = 0;
        MainFormTest::TearDown();
    }
};

TEST_F(PrintPlacementTest, EveryFormPrintedFilledOnEachPaperWithEachSetOfCorrections) {
    const struct {
        const char* name;
        int left, top, textX, textY;  // 0.1 mm
        bool a4, other;               // printed on A4, on the other papers
    } cases[] = {
        {"plain", 0, 0, 0, 0, true, true},
        {"margins_plus", 50, 50, 0, 0, true, false},
        {"margins_minus", -50, -50, 0, 0, true, false},
        {"text", 20, -30, 25, 15, true, false},
        {"text_small", -20, 20, 10, 10, false, true},
    };
    const std::string out = cltest::GhostscriptFolder(L"printplacement_out");
    TStrings& papers = *form_->FormComboBox->Items();
    ASSERT_TRUE(form_->PrintPreview->GetFormNames(papers));
    for (const TFrmFeature& row : FormCatalogue) {
        SCOPED_TRACE(row.Name);
        TemFrm* form = ShowForm(*form_, row.Name);
        for (int n = form->FirstID + 1; n < form->LastID; ++n)
            ASSERT_TRUE(form->SetValueAsText(static_cast<uint16_t>(n), ValueOf(TEFieldTable[n]))) << n;
        for (const std::string paper : {"A4", "A5", "Letter"}) {
            ASSERT_GE(papers.IndexOf(paper), 0) << paper;
            form_->FormComboBox->SetItemIndex(papers.IndexOf(paper));
            for (const auto& c : cases) {
                if (!(paper == "A4" ? c.a4 : c.other)) continue;
                LeftCorrection = c.left;
                TopCorrection = c.top;
                TextXCorrection = c.textX;
                TextYCorrection = c.textY;
                const std::string job = out + paper + "_" + c.name + "_" + std::string(row.Name) + ".ps";
                DeleteFileW(cltest::PathOf(job).c_str());
                Printer()->SetOutputFile(job);
                form_->PrintPreview->SetDirectPrint(true);
                EXPECT_TRUE(form_->BuildPrintPages(form, -1));
                form_->PrintPreview->SetDirectPrint(false);
                EXPECT_NE(cltest::ReadBytes(job).find("%%EOF"), std::string::npos) << job;
            }
        }
    }
    EXPECT_TRUE(answers_.boxes.empty());
}

}  // namespace
