// Printing from the main window to Wine's PostScript file printer, with the
// print dialog answered as a user answers it: the jobs and pages of each
// scope, where the templates and the values go on A4 and on A5, a failed
// job told with the forms after it still printed, a broken template, and
// the command's enabling.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

#include "app/UserFolders.h"
#include "app/win/Print1.h"
#include "engine/win/EngineHostWin.h"
#include "tests/app/win/DrawnTexts.h"
#include "tests/app/win/FormShowing.h"
#include "tests/app/win/MainFormFixture.h"
#include "tests/app/win/ModalAnswer.h"
#include "tests/app/win/WizardTestSupport.h"
#include "tests/support/Files.h"
#include "tests/support/TempFolder.h"

namespace {

using namespace cl;
using namespace maintest;
using Pages = std::vector<std::pair<std::string, int>>;  // form, page

class PrintTest : public MainFormTest {
protected:
    void SetUp() override {
        MainFormTest::SetUp();
        SetEngineHost(&host_);
        ProgramFolder = BuildProgramFolder();
        ASSERT_TRUE(PrinterInstalled());
        Printer()->SetOutputFile(folder_.Name("job.ps"));
        // Every job and every page drawn, as the window's handlers see them.
        TPrintPreview& p = *form_->PrintPreview;
        p.OnBeginDoc = [&p, shown = p.OnBeginDoc, this](TObject* s) {
            if (p.DirectPrint()) ++jobs_;
            shown(s);
        };
        p.OnPrintDir = [draw = p.OnPrintDir, this](TObject* s, TCanvas* c, const TRect& r, int page,
                                                   void* form, int rx, int ry, int ox, int oy) {
            printed_.emplace_back(static_cast<TemFrm*>(form)->Name, page);
            pageRects_.push_back(r);
            if (failForm_ == static_cast<TemFrm*>(form)->Name) throw Exception("Drukarka nie odpowiada.");
            draw(s, c, r, page, form, rx, ry, ox, oy);
        };
    }
    void TearDown() override {
        // Never a job without a file: the printer's port would ask for one.
        Printer()->SetOutputFile(folder_.Name("stray.ps"));
        LeftCorrection = TopCorrection = TextXCorrection = TextYCorrection = 0;
        MainFormTest::TearDown();
        SetEngineHost(nullptr);
    }
    // Two forms, bil shown on its second page.
    void ShowTwoForms() {
        ShowForm(*form_, "rachzsp");
        ShowForm(*form_, "bil");
        form_->PrintPreview->SetCurrentPage(2);
        answers_.boxes.clear();
    }
    // The print command with the dialog confirmed on `scope` and the
    // corrections in mm: left and top margin, vertical text position.
    void Print(int scope, double textY = 0, double left = 0, double top = 0) {
        ModalAnswer<TPrint1Dlg> answer(*form_, [=](TPrint1Dlg& d) {
            TXcRadioButton* const scopes[] = {d.rb1, d.rb2, d.rb3, d.rb4};
            scopes[scope - 1]->SetChecked(true);
            d.XcSpinEdit1->SetValue(left);
            d.XcSpinEdit2->SetValue(top);
            d.XcSpinEdit4->SetValue(textY);
            d.OKBtn->Click();
        });
        form_->Wydruk1->Execute();
        EXPECT_EQ(answer.answered, 1);
    }
    // The values of a page drawn as printing draws them over the template
    // placed at `played`, on a canvas of 0.01 mm as the printer's is.
    Drawing DrawnOver(TemFrm* form, int page, const TRect& played) {
        TMetafile drawing;
        drawing.SetWidth(2100);
        drawing.SetHeight(2970);
        {
            TMetafileCanvas canvas(&drawing, nullptr);
            canvas.Font()->SetPixelsPerInch(2540);
            form_->PrintPreviewPrinDir(form_->PrintPreview, &canvas, played, page, form);
        }
        return Read(drawing.Handle());
    }
    Pages PagesOf(const std::string& form) const {
        Pages pages;
        for (const TFrmFeature& row : FormCatalogue)
            if (row.Name == form)
                for (int n = 1; n <= row.PageCount; ++n) pages.emplace_back(form, n);
        return pages;
    }
    void ExpectIdle() {
        EXPECT_EQ(form_->PrintPreview->State(), psIdle);
        EXPECT_FALSE(form_->PrintPreview->DirectPrint());
        EXPECT_FALSE(form_->Rendering);
        EXPECT_FALSE(Printer()->Printing());
        form_->Wydruk1->Update();
        EXPECT_TRUE(form_->Wydruk1->Enabled());
    }

    TWindowEngineHost host_;
    cltest::TempFolder folder_;
    int jobs_ = 0;
    Pages printed_;
    std::vector<TRect> pageRects_;
    std::string failForm_;
};

TEST_F(PrintTest, EachScopePrintsItsFormsAsAJobEachWithTheirPages) {
    ShowTwoForms();
    Pages bil = PagesOf("bil"), all = PagesOf("rachzsp");
    all.insert(all.end(), bil.begin(), bil.end());
    const struct {
        int scope;
        int jobs;
        Pages pages;
    } cases[] = {
        {1, 1, {{"bil", 2}}},
        {2, 1, bil},
        {3, 1, bil},
        {4, 2, all},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.scope);
        jobs_ = 0;
        printed_.clear();
        Print(c.scope);
        EXPECT_EQ(jobs_, c.jobs);
        EXPECT_EQ(printed_, c.pages);
        ExpectIdle();
    }
    EXPECT_TRUE(answers_.boxes.empty());
    EXPECT_EQ(cltest::ReadBytes(folder_.Name("job.ps")).rfind("%!PS-Adobe-3.0", 0), 0u);
}

TEST_F(PrintTest, ATextCorrectionMovesTheValuesAndNotTheTemplate) {
    ShowTwoForms();
    TemFrm* bil = SelectedForm(*form_, "bil");
    ASSERT_TRUE(bil->SetValueAsText(10, "1 234,50"));
    Print(2);
    Print(2, 1.0);
    ASSERT_EQ(pageRects_.size(), 4u);
    EXPECT_EQ(TextYCorrection, 10);
    EXPECT_TRUE(EqualRect(&pageRects_[0], &pageRects_[2]));  // the template stays put

    // The values drawn over page 1 with the corrections of each run.
    auto draw = [&](int textY) {
        TextYCorrection = textY;
        TMetafile page;
        page.SetWidth(2100);
        page.SetHeight(2970);
        {
            TMetafileCanvas canvas(&page, nullptr);
            form_->PrintPreviewPrinDir(form_->PrintPreview, &canvas, pageRects_[0], 1, bil);
        }
        return Read(page.Handle()).texts;
    };
    const std::vector<DrawnText> plain = draw(0), raised = draw(10);
    ASSERT_EQ(plain.size(), raised.size());
    ASSERT_GE(plain.size(), 3u);  // the amount and its totals
    for (size_t i = 0; i < plain.size(); ++i) {
        EXPECT_EQ(raised[i].text, plain[i].text);
        EXPECT_EQ(raised[i].x, plain[i].x);
        EXPECT_EQ(raised[i].y, plain[i].y - 100);  // 1 mm in the preview's 0.01 mm
    }
}

std::vector<LONG> Edges(const RECT& r) {
    return {r.left, r.top, r.right, r.bottom};
}

bool HasBox(const std::vector<RECT>& boxes, const RECT& expected) {
    return std::any_of(boxes.begin(), boxes.end(), [&](const RECT& b) { return EqualRect(&b, &expected); });
}

// Worked by hand from the field table and the catalogue (0.01 mm of A4; a
// metafile keeps a box's right and bottom inclusive):
//   bil 10, page 1: x 653, w 196, y 754 - 35, h 35; print 1, 0.94, 0, 90:
//     top Round(0.94 x 719) + 90 = 766, bottom + Round(0.94 x 35) = 799
//   bil 157, page 2: x 653, w 196, y 488 - 35, h 35; print 1, 0.94, 0, 87:
//     top Round(0.94 x 453) + 87 = 513, bottom 546
//   rachzsp 363: x 1421, y 667, w 299, h 34; screen 0.96, 1.022, 40, -72,
//     print 0.999, 0.945, 5, 85: left Round(0.95904 x 1421) + 45 = 1408,
//     right + Round(0.95904 x 299) = 1695, top Round(0.96579 x 667) + 13 = 657,
//     bottom + Round(0.96579 x 34) = 690
// and moved by the margins, 5 mm right and 3 mm up.  The templates go
// where the same corrections take the sheet's corners: rachzsp's x
// 0.999 x (0 - 40) + 45 = 5.04 and 0.999 x 2060 + 45 = 2102.94, y
// 0.945 x 72 + 13 = 81.04 and 0.945 x 3042 + 13 = 2887.69; bil's y 90 and
// 90 + 0.94 x 2970 = 2881.8.
TEST_F(PrintTest, OnA4EachValueStandsAtItsPrintRectangleMovedByTheMargins) {
    ShowTwoForms();
    TemFrm* bil = SelectedForm(*form_, "bil");
    TemFrm* rachzsp = SelectedForm(*form_, "rachzsp");
    for (auto [form, field] : {std::pair{bil, 10}, {bil, 157}, {rachzsp, 363}})
        ASSERT_TRUE(form->SetValueAsText(static_cast<uint16_t>(field), "1 234,50"));
    Print(4, 0, 5.0, -3.0);
    ASSERT_EQ(printed_, (Pages{{"rachzsp", 1}, {"bil", 1}, {"bil", 2}}));
    EXPECT_EQ(Edges(pageRects_[0]), (std::vector<LONG>{550, 510, 21529, 28577}));
    EXPECT_EQ(Edges(pageRects_[1]), (std::vector<LONG>{500, 600, 21500, 28518}));
    EXPECT_TRUE(HasBox(DrawnOver(rachzsp, 1, pageRects_[0]).boxes, RECT{14580, 6270, 17449, 6599}));
    EXPECT_TRUE(HasBox(DrawnOver(bil, 1, pageRects_[1]).boxes, RECT{7030, 7360, 8989, 7689}));
    EXPECT_TRUE(HasBox(DrawnOver(bil, 2, pageRects_[2]).boxes, RECT{7030, 4830, 8989, 5159}));
}

// On A5 the A4 page is scaled by 148 / 210 into the paper moved by the
// margins: 209.31 mm high, 0.34 mm below the paper's moved top.  bil's
// template lies on it as on A4, 90 x 7.0475 = 6.34 mm lower; its value's
// box keeps its place on the template at the template's scale, and so does
// its font: 7 points are 246.9 x 19675 / 27918 = 174.0 in 0.01 mm.
TEST_F(PrintTest, OnOtherPaperTheTemplateAndTheValuesScaleFromA4) {
    ShowTwoForms();
    TemFrm* bil = SelectedForm(*form_, "bil");
    ASSERT_TRUE(bil->SetValueAsText(10, "1 234,50"));
    form_->PrintPreview->GetFormNames(*form_->FormComboBox->Items());
    form_->FormComboBox->SetItemIndex(form_->FormComboBox->Items()->IndexOf("A5"));
    Print(2, 0, 5.0, -3.0);
    ASSERT_EQ(pageRects_.size(), 2u);
    EXPECT_EQ(Edges(pageRects_[0]), (std::vector<LONG>{500, 368, 15300, 20043}));

    const Drawing a5 = DrawnOver(bil, 1, pageRects_[0]);
    // (6530, 7660 - 900) x 14800 / 21000 and x 19675 / 27918, to the unit.
    const RECT expected{500 + 4602, 368 + 4764, 500 + 5983 - 1, 368 + 4997 - 1};
    EXPECT_TRUE(std::any_of(a5.boxes.begin(), a5.boxes.end(), [&](const RECT& b) {
        return std::abs(b.left - expected.left) <= 1 && std::abs(b.top - expected.top) <= 1 &&
               std::abs(b.right - expected.right) <= 1 && std::abs(b.bottom - expected.bottom) <= 1;
    }));
    const Drawing a4 = DrawnOver(bil, 1, Rect(0, 900, 21000, 28818));
    for (const auto& [drawing, height] : {std::pair{&a4, -247}, {&a5, -174}}) {
        ASSERT_EQ(drawing->texts.size(), 3u);  // the amount and its totals
        for (const DrawnText& t : drawing->texts) {
            EXPECT_EQ(t.font.lfHeight, height);
            EXPECT_EQ(std::wstring(t.font.lfFaceName), L"Arial");
        }
    }
}

// Each form is a job of its own: the first one failing, the next still prints.
TEST_F(PrintTest, AFailedJobIsToldAndTheFormsAfterItStillPrint) {
    ShowTwoForms();
    failForm_ = "rachzsp";
    Print(4);
    EXPECT_EQ(printed_, (Pages{{"rachzsp", 1}, {"bil", 1}, {"bil", 2}}));
    EXPECT_EQ(jobs_, 2);
    ASSERT_EQ(answers_.boxes.size(), 1u);
    EXPECT_EQ(answers_.boxes[0].text, "Drukarka nie odpowiada.");
    EXPECT_NE(cltest::ReadBytes(folder_.Name("job.ps")).find("%%EOF"), std::string::npos);
    ExpectIdle();

    // A template that cannot be read is told as the templates' failure.
    failForm_.clear();
    answers_.boxes.clear();
    ProgramFolder = folder_.Name("");
    CreateDirectoryW(cltest::PathOf(folder_.Name("frm")).c_str(), nullptr);
    cltest::WriteBytes(folder_.Name("frm\\bil_1.emf"), "to nie jest metaplik");
    Print(2);
    ASSERT_EQ(answers_.boxes.size(), 1u);
    EXPECT_EQ(
        answers_.boxes[0].text,
        "Wczytanie formularzy nie powiodło się, przyczyną może być nadmierne obciążenie pamięci komputera.");
    ExpectIdle();
}

TEST_F(PrintTest, PrintingIsOfferedOnTheFormsSheetAndFromTheWizardTheCurrentPageIsNot) {
    form_->Wydruk1->Update();
    EXPECT_FALSE(form_->Wydruk1->Enabled());
    ShowTwoForms();
    form_->Wydruk1->Update();
    EXPECT_TRUE(form_->Wydruk1->Enabled());
    Print(1);  // stored: the current page

    form_->ShowWizardMode(nullptr);
    form_->Wydruk1->Update();
    EXPECT_FALSE(form_->Wydruk1->Enabled());
    bool rb1Enabled = true, rb2Checked = false;
    ModalAnswer<TPrint1Dlg> answer(*form_, [&](TPrint1Dlg& d) {
        rb1Enabled = d.rb1->Enabled();
        rb2Checked = d.rb2->Checked();
        d.CancelBtn->Click();
    });
    jobs_ = 0;
    form_->Wydruk1Execute(nullptr);
    EXPECT_EQ(answer.answered, 1);
    EXPECT_FALSE(rb1Enabled);
    EXPECT_TRUE(rb2Checked);
    EXPECT_EQ(jobs_, 0);
}

}  // namespace
