// The main window's enhanced controls in the test's own process: the page
// control without tabs that a focused user cannot switch, the trees' line
// colours, hot tracking and order, a right click on a step turning the
// wizard's page, the wizard's text viewers, and what the layout keeps.
#include <gtest/gtest.h>

#include "tests/app/win/MainFormFixture.h"
#include "tests/app/win/WizardTestSupport.h"

namespace {

using namespace cl;
using namespace cltest;
using namespace maintest;

TEST_F(MainFormTest, PageControlHasNoTabAndAFocusedUserCannotSwitchIt) {
    TXcPageControl* pages = form_->XcPageControl1;
    HWND wnd = pages->Handle();
    EXPECT_EQ(SendMessageW(wnd, TCM_GETITEMCOUNT, 0, 0), 0);
    EXPECT_EQ(pages->TabPainter(), form_->XcTabDefaultPainter1);
    EXPECT_EQ(form_->TabSheet1->BoundsRect().top, 0);
    EXPECT_EQ(form_->TabSheet1->Width(), pages->ClientWidth()) << "the sheet fills the control";
    pages->SetFocus();
    Pump();
    ASSERT_TRUE(pages->Focused());
    PostKey(wnd, VK_RIGHT);
    PostKey(wnd, VK_LEFT);
    {
        const HeldKeys ctrl({VK_CONTROL});
        PostKey(wnd, VK_TAB);
        Pump();
    }
    PostClick(wnd, 40, 4);
    Pump();
    EXPECT_EQ(pages->ActivePage(), form_->TabSheet1);
}

TEST_F(MainFormTest, TreesShowTheirColoursAndKeepTheFormsInOrder) {
    EXPECT_EQ(SendMessageW(form_->XcTreeView1->Handle(), TVM_GETLINECOLOR, 0, 0), 0x0000FF);
    EXPECT_EQ(SendMessageW(form_->XcTreeView2->Handle(), TVM_GETLINECOLOR, 0, 0), 0x008000);
    for (TXcTreeView* tree : {form_->XcTreeView1, form_->XcTreeView2}) {
        EXPECT_TRUE(GetWindowLongW(tree->Handle(), GWL_STYLE) & TVS_TRACKSELECT) << tree->Name();
        EXPECT_EQ(tree->SortType(), stBoth) << tree->Name();
    }
    EXPECT_TRUE(IsPublishedProp(*form_->XcTreeView1, "Height")) << "kept by the form storage";
    form_->AddSelectedForm("zestzf");
    form_->AddSelectedForm("bil");
    EXPECT_EQ(Forms(*form_), (Names{"zestzf", "bil"}));
    for (TXcImageList* list : {form_->XcImageList1, form_->XcImageList2}) {
        EXPECT_EQ(list->Mode(), imPicture);
        EXPECT_EQ(list->PixelFormat(), pfDevice);
    }
}

TEST_F(MainFormTest, TheWizardsTextViewersFillTheirPanelsWithTheirDefaults) {
    for (TXcRichEdit* viewer : {form_->XcRichEdit1, form_->XcRichEdit2}) {
        // Made 265 x 137; the window's creation has them fill the page's body.
        EXPECT_EQ(viewer->Align(), alClient) << viewer->Name();
        EXPECT_EQ(viewer->Parent()->Name(), viewer->Parent()->Parent()->Name() + "Body");
        EXPECT_EQ(viewer->BorderStyle(), bsSingle) << viewer->Name();
        EXPECT_EQ(viewer->ScrollBars(), ssBoth) << viewer->Name();
        EXPECT_TRUE(viewer->ReadOnly()) << viewer->Name();
        EXPECT_EQ(viewer->Color(), clBtnFace) << viewer->Name();
    }
}

TEST_F(MainFormTest, RightClickOnAStepTurnsTheWizardsPage) {
    Press(*form_, bkNext);
    ASSERT_EQ(ActivePage(*form_), "Wiz0_2");
    TTreeNode* first = form_->XcTreeView1->Items()->GetFirstNode();
    const TRect r = first->DisplayRect(true);
    const LPARAM at = MAKELPARAM((r.left + r.right) / 2, (r.top + r.bottom) / 2);
    PostMessageW(form_->XcTreeView1->Handle(), WM_RBUTTONDOWN, MK_RBUTTON, at);
    PostMessageW(form_->XcTreeView1->Handle(), WM_RBUTTONUP, 0, at);
    Pump();
    EXPECT_EQ(ActivePage(*form_), "Wiz0_1");
    EXPECT_EQ(form_->XcTreeView1->Selected(), first);
}

}  // namespace
