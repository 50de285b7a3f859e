// The print dialog and the print help: the corrections in tenths of a
// millimetre, the number edits, the scope and values kept in the settings
// file and brought back (a stored choice that cannot print made one that
// can), and the help's text, colour and placement.
#include "app/win/Print1.h"

#include <gtest/gtest.h>

#include <string>

#include "app/UserFolders.h"
#include "app/win/Print1_help.h"
#include "app/win/PrintCorrections.h"
#include "classlib/StrUtils.h"
#include "tests/app/win/FormShowing.h"
#include "tests/app/win/MainFormFixture.h"
#include "tests/app/win/ModalAnswer.h"
#include "tests/support/Files.h"

namespace {

using namespace cl;
using namespace maintest;

TEST(PrintCorrection, IsTheValueInTenthsOfAMillimetreWithHalvesToEven) {
    const struct {
        Extended millimetres;
        int32_t tenths;
    } cases[] = {{1.5L, 15}, {-50, -500}, {50, 500}, {0.25L, 2}, {0.35L, 4}, {-0.05L, 0}, {0, 0}};
    for (const auto& c : cases)
        EXPECT_EQ(CorrectionOf(c.millimetres), c.tenths) << static_cast<double>(c.millimetres);
}

class Print1Test : public MainFormTest {
protected:
    void TearDown() override {
        LeftCorrection = TopCorrection = TextXCorrection = TextYCorrection = 0;
        MainFormTest::TearDown();
    }
    // The dialog run once: `answer` sets it and presses a button.
    void Run(const std::function<void(TPrint1Dlg&)>& answer, bool rb1Enabled = true) {
        auto* dialog = Construct<TPrint1Dlg>(form_);
        dialog->rb1->SetEnabled(rb1Enabled);
        ModalAnswer<TPrint1Dlg> answered(*form_, answer);
        dialog->ShowModal();
        dialog->Free();
        EXPECT_EQ(answered.answered, 1);
    }
    static std::string Section(const std::string& name) {
        const std::string settings = cltest::ReadBytes(GetSettingsFileName());
        const size_t start = settings.find("[" + name + "]");
        if (start == std::string::npos) return "";
        return settings.substr(start, settings.find("\n[", start + 1) - start);
    }
};

TEST_F(Print1Test, EachCorrectionStepsByHalfAMillimetreWithinFiftyShownWithOneDecimal) {
    auto* dialog = Construct<TPrint1Dlg>(form_);
    for (TXcSpinEdit* edit :
         {dialog->XcSpinEdit1, dialog->XcSpinEdit2, dialog->XcSpinEdit3, dialog->XcSpinEdit4}) {
        SCOPED_TRACE(edit->Name());
        EXPECT_EQ(edit->Text(), "0,0");
        edit->UpClick(edit);
        EXPECT_EQ(edit->Text(), "0,5");
        edit->SetValue(49.8L);
        edit->UpClick(edit);
        edit->UpClick(edit);
        EXPECT_EQ(edit->Text(), "50,0");
        edit->SetValue(-49.8L);
        edit->DownClick(edit);
        edit->DownClick(edit);
        EXPECT_EQ(edit->Text(), "-50,0");
    }
    dialog->Free();
}

TEST_F(Print1Test, ConfirmedItStoresTheCorrectionsAndTheSettingsKeepTheChoices) {
    Run([](TPrint1Dlg& d) {
        d.XcSpinEdit2->SetValue(5);  // cancelled: nothing is stored
        d.CancelBtn->Click();
    });
    EXPECT_EQ(TopCorrection, 0);
    Run([](TPrint1Dlg& d) {
        EXPECT_EQ(d.Caption(), "Wydruk");
        EXPECT_TRUE(d.rb1->Checked());
        d.rb3->SetChecked(true);
        d.XcSpinEdit1->SetValue(1.5L);
        d.XcSpinEdit2->SetValue(-50);
        d.XcSpinEdit3->SetText("0,25");  // one decimal: taken as shown, 0,3
        d.XcSpinEdit4->SetValue(1);
        d.OKBtn->Click();
    });
    EXPECT_EQ(LeftCorrection, 15);
    EXPECT_EQ(TopCorrection, -500);
    EXPECT_EQ(TextXCorrection, 3);
    EXPECT_EQ(TextYCorrection, 10);
    const std::string section = Section("TPrint1Dlg");
    size_t at = 0;
    for (const char* key :
         {"FormVersion=0", "NormPos=", "Visible=0", "rb1_Checked=False", "rb2_Checked=False",
          "rb3_Checked=True", "rb4_Checked=False", "XcSpinEdit1_Value=1.5", "XcSpinEdit2_Value=-50",
          "XcSpinEdit3_Value=0.3", "XcSpinEdit4_Value=1"}) {
        at = section.find(key, at);
        EXPECT_NE(at, std::string::npos) << key << " in order in\n" << section;
    }

    Run([](TPrint1Dlg& d) {
        EXPECT_TRUE(d.rb3->Checked());
        EXPECT_EQ(static_cast<double>(d.XcSpinEdit1->Value()), 1.5);
        EXPECT_EQ(d.XcSpinEdit2->Text(), "-50,0");
        EXPECT_EQ(d.XcSpinEdit3->Text(), "0,3");
        d.CancelBtn->Click();
    });
}

TEST_F(Print1Test, AStoredChoiceThatCannotPrintBecomesOneThatCan) {
    const struct {
        const char* what;
        const char* stored;  // rb1..rb4 checked
        bool rb1Enabled;
        int scope;
    } cases[] = {
        {"the current page from the wizard", "TFFF", false, 2},
        {"none checked", "FFFF", true, 1},
        {"none checked, from the wizard", "FFFF", false, 2},
        {"all forms from the wizard", "FFFT", false, 4},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        std::string section = "[TPrint1Dlg]\r\n";
        for (int i = 0; i < 4; ++i)
            section +=
                "rb" + std::to_string(i + 1) + "_Checked=" + (c.stored[i] == 'T' ? "True" : "False") + "\r\n";
        cltest::WriteBytes(GetSettingsFileName(), section);
        int scope = -1;
        Run(
            [&scope](TPrint1Dlg& d) {
                scope = d.Scope();
                d.CancelBtn->Click();
            },
            c.rb1Enabled);
        EXPECT_EQ(scope, c.scope);
    }
}

TEST_F(Print1Test, HelpShowsItsTextOnTheHintColourAndKeepsItsPlacement) {
    ProgramFolder = BuildProgramFolder();
    std::string text;
    TColor color = clNone;
    ModalAnswer<TPrint1_hDlg> help(*form_, [&](TPrint1_hDlg& h) {
        EXPECT_EQ(h.Caption(), "Pomoc");
        text = h.XcRichEdit1->Text();
        color = h.XcRichEdit1->Color();
        // Filling the dialog, otherwise as the viewer comes.
        EXPECT_EQ(h.XcRichEdit1->Align(), alClient);
        EXPECT_EQ(h.XcRichEdit1->BorderStyle(), bsSingle);
        EXPECT_EQ(h.XcRichEdit1->ScrollBars(), ssBoth);
        h.SetBounds(40, 30, 600, 450);
        h.OKBtn->Click();
    });
    Run([](TPrint1Dlg& d) {
        d.HelpBtn->Click();  // modal inside the dialog's own run
        d.CancelBtn->Click();
    });
    EXPECT_EQ(help.answered, 1);
    EXPECT_TRUE(answers_.boxes.empty());
    EXPECT_NE(text.find("Wydruk formularzy"), std::string::npos) << text;
    EXPECT_EQ(color, clInfoBk);
    const std::string section = Section("TPrint1_hDlg");
    EXPECT_NE(section.find("NormPos=40,30,640,480"), std::string::npos) << section;
    // No stored property follows the placement.
    EXPECT_EQ(Trim(section.substr(section.find("Visible="))), "Visible=0") << section;

    auto* again = Construct<TPrint1_hDlg>(form_);
    ModalAnswer<TPrint1_hDlg> reopened(*form_, [](TPrint1_hDlg& h) {
        EXPECT_EQ(h.BoundsRect().right - h.BoundsRect().left, 600);
        EXPECT_EQ(h.Left(), 40);
        h.OKBtn->Click();
    });
    again->ShowModal();
    again->Free();
    EXPECT_EQ(reopened.answered, 1);
}

TEST_F(Print1Test, HelpWithoutItsTextTellsSoAndShowsAnEmptyView) {
    ProgramFolder = cltest::ExeFolder();  // no pi\ here
    std::string text = "?";
    ModalAnswer<TPrint1_hDlg> help(*form_, [&](TPrint1_hDlg& h) {
        text = h.XcRichEdit1->Text();
        h.OKBtn->Click();
    });
    auto* dialog = Construct<TPrint1_hDlg>(form_);
    dialog->ShowModal();
    dialog->Free();
    EXPECT_EQ(text, "");
    EXPECT_EQ(answers_.boxes.size(), 1u);
}

}  // namespace
