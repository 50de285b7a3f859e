// The main window's creation: the wizard's answer pages get their controls
// when they first show; the user's files lose their read-only and hidden
// attributes.
#include <gtest/gtest.h>

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
