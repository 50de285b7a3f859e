// The main window's creation: the wizard's answer pages get their controls
// when they first show, or one page at each idle moment of the shown
// window before, and those finish loading then; the hidden parts get their
// windows likewise; the user's files lose their read-only and hidden
// attributes.
#include <gtest/gtest.h>

#include <iterator>
#include <string>

#include "app/UserFolders.h"
#include "classlib/win/WideText.h"
#include "engine/calc1.h"
#include "tests/app/win/MainFormFixture.h"
#include "tests/support/Files.h"

namespace {

using namespace cl;
using maintest::MainFormTest;

TEST_F(MainFormTest, AnswerPagesGetTheirControlsWhenTheyFirstShow) {
    EXPECT_EQ(form_->XcScrollBox3->Parent(), nullptr);
    EXPECT_EQ(form_->rb1_1_2->Parent(), nullptr);
    EXPECT_EQ(form_->cb1_1_1->Parent(), form_->XcScrollBox3) << "inside its box from the start";
    {
        // Straight to the page, past the wizard's rules.
        TEventPause pause(form_->XcWizard1->OnActivePageChanging);
        form_->XcWizard1->SetActivePage(form_->Wiz1_1);
    }
    cltest::Pump();
    EXPECT_EQ(form_->XcScrollBox3->Parent(), form_->Wiz1_1);
    for (TControl* group : {form_->rb1_1_2, form_->rb1_1_3}) EXPECT_EQ(group->Parent(), form_->XcScrollBox3);
    EXPECT_TRUE(form_->rb1_1_2->HandleAllocated());
    EXPECT_EQ(form_->rb0_2_1->Parent(), nullptr) << "another page's";
}

TEST_F(MainFormTest, AnswerPageHeadingsFitTheirCaptionsOnceTheirPageShows) {
    const std::pair<TXcWizardCustomPage*, const char*> headings[] = {
        {form_->Wiz0_2, "XcStaticText2"}, {form_->Wiz1_0, "XcStaticText3"}, {form_->Wiz1_1, "XcStaticText4"},
        {form_->Wiz1_2, "XcStaticText5"}, {form_->Wiz2_1, "XcStaticText6"},
    };
    for (const auto& [page, name] : headings) {
        auto* heading = dynamic_cast<TControl*>(form_->FindComponent(name));
        ASSERT_NE(heading, nullptr) << name;
        EXPECT_EQ(heading->Width(), 560) << name << ": as built, until its page shows";
        {
            TEventPause pause(form_->XcWizard1->OnActivePageChanging);
            form_->XcWizard1->SetActivePage(page);
        }
        cltest::Pump();
        // The caption's extent in the heading's bold font, and two border
        // widths on either side.
        const ScreenDC screen;
        const SelectedObject font(screen.get(), heading->Font()->Handle());
        const std::wstring caption = ToWide(heading->Caption());
        SIZE extent{};
        GetTextExtentPoint32W(screen.get(), caption.c_str(), static_cast<int>(caption.size()), &extent);
        EXPECT_EQ(heading->Width(), extent.cx + 4 * GetSystemMetrics(SM_CXBORDER)) << name;
        EXPECT_EQ(heading->Height(), extent.cy + 4 * GetSystemMetrics(SM_CYBORDER)) << name;
        EXPECT_LT(heading->Width(), 560) << name;
        EXPECT_EQ(heading->ComponentState() & csLoading, 0) << name;
    }
}

// Idle moments after the first fill the waiting pages one at a time, in
// the wizard's order, hidden: nothing else of the wizard changes.
TEST_F(MainFormTest, IdleMomentsAfterTheFirstFillTheWaitingPagesOneAtATimeLeavingThemHidden) {
    ASSERT_TRUE(Application->OnIdle);
    const std::pair<TXcWizardCustomPage*, TControl*> pages[] = {
        {form_->Wiz0_2, form_->XcScrollBox1}, {form_->Wiz1_0, form_->XcScrollBox2},
        {form_->Wiz1_1, form_->XcScrollBox3}, {form_->Wiz1_2, form_->XcScrollBox4},
        {form_->Wiz2_1, form_->XcScrollBox5},
    };
    TXcWizardCustomPage* const active = form_->XcWizard1->ActivePage();
    for (TWinControl* hidden :
         std::initializer_list<TWinControl*>{form_->Wiz0_2, form_->Wiz100_1, form_->TabSheet2,
                                             form_->XcWizard1->ButtonControl(bkBack), form_->Chb_aktualiz})
        EXPECT_FALSE(hidden->HandleAllocated()) << hidden->Name();
    bool first = true;
    Application->OnIdle(Application.Get(), first);
    EXPECT_TRUE(first) << "the start's own idle moment fills nothing";
    for (size_t filled = 0; filled <= std::size(pages); ++filled) {
        SCOPED_TRACE(filled);
        for (size_t i = 0; i < std::size(pages); ++i) {
            EXPECT_EQ(pages[i].second->Parent(), i < filled ? pages[i].first : nullptr);
            EXPECT_FALSE(pages[i].first->Visible());
        }
        EXPECT_EQ(form_->XcWizard1->ActivePage(), active);
        EXPECT_EQ(form_->rb0_2_1->ItemIndex(), -1);
        bool done = true;
        Application->OnIdle(Application.Get(), done);
        EXPECT_FALSE(done) << "another moment is wanted while a window waits";
    }
    EXPECT_EQ(form_->rb1_1_2->Parent(), form_->XcScrollBox3);
    EXPECT_TRUE(form_->rb1_1_2->HandleAllocated());
    EXPECT_EQ(form_->rb1_1_2->ComponentState() & csLoading, 0);
    // Then the last page, the buttons the first page hides and the forms
    // sheet get their windows, hidden; the setting's box never does.
    bool done = false;
    for (int moments = 0; !done && moments < 20; ++moments) {
        done = true;
        Application->OnIdle(Application.Get(), done);
    }
    EXPECT_TRUE(done);
    for (TWinControl* made : std::initializer_list<TWinControl*>{
             form_->Wiz100_1, form_->XcRichEdit2, form_->XcWizard1->ButtonControl(bkBack),
             form_->XcWizard1->ButtonControl(bkFinish), form_->TabSheet2, form_->PrintPreview,
             form_->ErrListBox})
        EXPECT_TRUE(made->HandleAllocated()) << made->Name();
    EXPECT_FALSE(IsWindowVisible(form_->TabSheet2->WindowHandle()));
    EXPECT_FALSE(IsWindowVisible(form_->XcWizard1->ButtonControl(bkBack)->WindowHandle()));
    EXPECT_FALSE(form_->Chb_aktualiz->HandleAllocated());
    EXPECT_EQ(form_->XcWizard1->ActivePage(), active);
    EXPECT_EQ(form_->XcPageControl1->ActivePage(), form_->TabSheet1);
}

TEST_F(MainFormTest, TheLastPagesTextIsReadWhenThePageFirstShows) {
    EXPECT_FALSE(form_->XcRichEdit2->HandleAllocated());
    {
        TEventPause pause(form_->XcWizard1->OnActivePageChanging);
        form_->XcWizard1->SetActivePage(form_->Wiz100_1);
    }
    cltest::Pump();
    ASSERT_TRUE(form_->XcRichEdit2->HandleAllocated());
    // The test's folder holds no program files: the viewer names the one it missed.
    const std::string text = form_->XcRichEdit2->Text();
    EXPECT_NE(text.find("pi\\k_s02.rtf"), std::string::npos) << text;
}

using MainCreateFiles = cltest::DataFolderTest;

TEST_F(MainCreateFiles, TheSettingsRznAndTheAnswerSnapshotAreMadeWritableAndVisible) {
    InitFolders();
    SetSettingsLocation(DataFolder, Application->ExeName());
    const std::string files[] = {GetSettingsFileName(), DataFolder + "rzn.ini", DataFolder + "p.gpi"};
    constexpr DWORD kLocked = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN;
    for (const std::string& name : files) {
        cltest::WriteBytes(name, "");
        ASSERT_TRUE(SetFileAttributesW(ToWide(name).c_str(), kLocked)) << name;
    }
    cltest::AnsweredMessageBoxes answers;
    auto* form = Construct<TMainForm>(Application.Get());
    for (const std::string& name : files)
        EXPECT_EQ(GetFileAttributesW(ToWide(name).c_str()) & kLocked, 0u) << name;
    form->Free();
}

}  // namespace
