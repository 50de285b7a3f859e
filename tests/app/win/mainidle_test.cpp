// The main window's idle updates: the selection status and the statement's
// name in the caption, the commands' enable rules while a statement loads,
// a form is added or pages render, and the zoom commands' limits.
#include <gtest/gtest.h>

#include "tests/app/win/MainFormFixture.h"

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

}  // namespace
