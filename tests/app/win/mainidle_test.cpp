// The main window's idle updates: the selection status and the statement's
// name in the caption, the commands' enable rules while a statement loads,
// a form is added or pages render, the zoom commands' limits, and the
// end-of-selection dialog for a finished selection of no form.
#include <gtest/gtest.h>

#include "app/win/k_konc1.h"
#include "tests/app/win/MainFormFixture.h"
#include "tests/app/win/ModalAnswer.h"
#include "tests/app/win/WizardTestSupport.h"

namespace {

using namespace cl;
using maintest::MainFormTest;

TEST_F(MainFormTest, IdleShowsTheSelectionStatusAndTheStatementInTheCaption) {
    form_->Oprogramie1Update(form_->Oprogramie1);
    EXPECT_EQ(form_->XcStaticText1->Caption(), "Dobór nie zakończony");
    EXPECT_EQ(form_->XcStaticText1->Color(), clRed);
    EXPECT_EQ(form_->Caption(), "Sprawozdawca - bez nazwy");
    StatementHeader.FileName = "C:\\Dokumenty\\_ZT\\sprawozdania\\Firma 2024.spr";
    form_->Oprogramie1Update(form_->Oprogramie1);
    EXPECT_EQ(form_->Caption(), "Sprawozdawca - C:\\Dokumenty\\_ZT\\sprawozdania\\Firma 2024.spr");
    // A caption that does not start with the title is someone else's.
    form_->SetCaption("Wydruk");
    form_->Oprogramie1Update(form_->Oprogramie1);
    EXPECT_EQ(form_->Caption(), "Wydruk");
}

TEST_F(MainFormTest, CommandsWaitWhileAStatementLoadsAFormIsAddedOrPagesRender) {
    const struct {
        const char* what;
        bool* flag;
    } busy[] = {
        {"loading", &LoadingStatement}, {"adding a form", &AddingForm}, {"rendering", &form_->Rendering}};
    TAction* const whenIdle[] = {form_->Nowerozliczenie1, form_->Wczytajrozliczenie1, form_->Zapiszjako1,
                                 form_->Oprogramie1};
    AnswersModified = true;
    form_->UpdateActions();
    for (TAction* a : whenIdle) EXPECT_TRUE(a->Enabled()) << a->Name();
    EXPECT_TRUE(form_->Zapisacrozliczenie1->Enabled());
    for (const auto& b : busy) {
        SCOPED_TRACE(b.what);
        {
            TBusyFlag set(*b.flag);
            form_->UpdateActions();
            for (TAction* a : whenIdle) EXPECT_FALSE(a->Enabled()) << a->Name();
            EXPECT_FALSE(form_->Zapisacrozliczenie1->Enabled());
        }
        EXPECT_FALSE(*b.flag);
    }
    AnswersModified = false;
    form_->UpdateActions();
    EXPECT_FALSE(form_->Zapisacrozliczenie1->Enabled()) << "nothing to save";
    // No selected form, no finished selection: no forms mode, no printing.
    EXPECT_FALSE(form_->Twojeformularze1->Enabled());
    EXPECT_FALSE(form_->Wydruk1->Enabled());
    EXPECT_FALSE(form_->XcTreeView2->Enabled());
    EXPECT_TRUE(form_->Doborformularzy1->Enabled());
    EXPECT_TRUE(form_->FileExit1->Enabled());
}

TEST_F(MainFormTest, ZoomInAndOutAreOfferedOnlyWithinTheZoomLimits) {
    TPrintPreview& preview = *form_->PrintPreview;
    const struct {
        int zoom;
        bool in, out;
    } cases[] = {{preview.ZoomMin(), true, false}, {100, true, true}, {preview.ZoomMax(), false, true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.zoom);
        preview.SetZoom(c.zoom);
        ASSERT_EQ(preview.Zoom(), c.zoom);
        form_->UpdateActions();
        EXPECT_EQ(form_->Powiekszenie1->Enabled(), c.in);
        EXPECT_EQ(form_->Pomniejszenie1->Enabled(), c.out);
        for (TAction* always : {form_->Jedendojeden1, form_->FitToWidth1, form_->Fittoheight1})
            EXPECT_TRUE(always->Enabled()) << always->Name();
    }
}

// Its "Zacznij od &początku" starts the selection over.
TEST_F(MainFormTest, AFinishedSelectionOfNoFormBringsTheEndOfSelectionDialog) {
    maintest::ModalAnswer<Tk_konc1Dlg> dialog(*form_, [](Tk_konc1Dlg& d) { d.Button1->Click(); });
    maintest::Walk(*form_, {{}, {{"rb0_2_1", 1}}, {{"cb2_1_1", 1}}});
    ASSERT_EQ(maintest::ActivePage(*form_), "Wiz100_1");
    form_->UpdateActions();
    cltest::Pump();
    EXPECT_EQ(dialog.answered, 0) << "a form is selected";
    form_->XcTreeView2->Items()->Clear();
    form_->UpdateActions();
    EXPECT_TRUE(cltest::PumpUntil([&] { return dialog.answered == 1; }));
    cltest::Pump();
    EXPECT_EQ(maintest::ActivePage(*form_), "Wiz0_2");
    EXPECT_FALSE(form_->IsSelectionFinished());
}

}  // namespace
