// Sprawozdawca.exe used with the keyboard alone, keys posted where the
// focus is as a user presses them: the wizard answered for an audited
// business (Tab, arrows, Space, access keys, Enter), the changed answer's
// warning refused by Enter, the forms reached, a value typed and saved;
// the print dialog and its help.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/calc1.h"
#include "tests/app/win/InstalledProgramTest.h"
#include "tests/app/win/SheetFields.h"
#include "tests/support/Files.h"
#include "tests/support/TinyHttpServer.h"

namespace {

using namespace e2e;
using Lines = std::vector<std::string>;

class KeyboardE2eTest : public InstalledProgramTest {
protected:
    void SetUp() override {
        ASSERT_TRUE(updateServer_.Held());
        Start();
    }
    HWND Focus() const { return FocusOf(main_); }
    std::string FocusName() const { return ComponentName(Focus()); }
    void Key(WORD vk) {
        PostKey(Focus(), vk);
        Idle();
    }
    void Keys(std::initializer_list<WORD> keys) {
        for (WORD vk : keys) Key(vk);
    }
    void Shifted(WORD vk) {
        program_->PostShortcut(Focus(), vk, {VK_SHIFT});
        Idle();
    }
    void Alt(WORD vk) {
        PostAltKey(Focus(), vk);
        Idle();
    }
    // Tab until the focus is on name (at most limit presses); false when it never is.
    bool TabTo(const std::string& name, int limit = 12) {
        for (int i = 0; i < limit && FocusName() != name; ++i) Key(VK_TAB);
        return FocusName() == name;
    }
    bool Visible(const char* name) const { return IsWindowVisible(Named(name)) != FALSE; }
    // The radio group's item that has the focus, -1 when none has.
    int FocusedItem(const char* group) const {
        const std::vector<HWND> items = GroupItems(Named(group));
        for (size_t i = 0; i < items.size(); ++i)
            if (items[i] == Focus()) return static_cast<int>(i);
        return -1;
    }

    cltest::ClosedPort updateServer_{SPRAW_E2E_PORT, 60000};
};

TEST_F(KeyboardE2eTest, TheWizardAnsweredForAnAuditedBusinessWithTheKeyboardAlone) {
    // "&Dalej >" is the default button: Enter from wherever the focus starts.
    Key(VK_RETURN);
    ASSERT_TRUE(Visible("Wiz0_2")) << FocusName();
    // Tab reaches the entity-kind question at its first answer.
    ASSERT_TRUE(TabTo("rb0_2_1") || FocusedItem("rb0_2_1") >= 0) << FocusName();
    EXPECT_EQ(FocusedItem("rb0_2_1"), 0);
    Key(VK_DOWN);
    EXPECT_EQ(FocusedItem("rb0_2_1"), 1);
    EXPECT_EQ(GroupItemIndex(Named("rb0_2_1")), 1);
    // "&prowadzącej działalność gospodarczą": its letter alone, the focus on a choice.
    Key('P');
    EXPECT_EQ(GroupItemIndex(Named("rb0_2_1")), 0);
    Key(VK_RETURN);
    ASSERT_TRUE(Visible("Wiz1_0")) << FocusName();

    // Alt with the underlined letter: "&podlega badaniu".
    Alt('N');
    EXPECT_TRUE(IsChecked(Named("cb1_0_2")));
    Alt('P');
    EXPECT_TRUE(IsChecked(Named("cb1_0_1")));
    EXPECT_FALSE(IsChecked(Named("cb1_0_2")));
    EXPECT_EQ(FocusName(), "cb1_0_1");
    Key(VK_RETURN);
    ASSERT_TRUE(Visible("Wiz1_1")) << FocusName();

    // The documents: boxes ticked with Space, the variants by Tab and arrows.
    ASSERT_TRUE(TabTo("cb1_1_1"));
    Key(VK_SPACE);
    Key(VK_TAB);
    EXPECT_EQ(FocusName(), "cb1_1_2");
    Key(VK_SPACE);
    Key(VK_TAB);
    EXPECT_EQ(FocusedItem("rb1_1_2"), 0) << FocusName();
    Key(VK_DOWN);
    EXPECT_EQ(GroupItemIndex(Named("rb1_1_2")), 1);
    Key(VK_TAB);
    EXPECT_EQ(FocusName(), "cb1_1_3");
    Key(VK_SPACE);
    Key(VK_TAB);
    EXPECT_EQ(FocusedItem("rb1_1_3"), 0) << FocusName();
    Key(VK_TAB);
    EXPECT_EQ(FocusName(), "cb1_1_4");
    Key(VK_SPACE);
    // Back over the variant group with Shift+Tab, to its chosen item.
    Shifted(VK_TAB);
    EXPECT_EQ(FocusedItem("rb1_1_3"), 0) << FocusName();
    Shifted(VK_TAB);
    Shifted(VK_TAB);
    EXPECT_EQ(FocusedItem("rb1_1_2"), 1) << FocusName();
    Key(VK_RETURN);
    ASSERT_TRUE(Visible("Wiz100_1")) << FocusName();
    Lines titles;
    for (const char* form : {"bil", "rachzsp", "rachppb", "zestzf"}) titles.push_back(FindFormTitle(form));
    EXPECT_EQ(TreeTexts(Named("XcTreeView2")), titles);
}

}  // namespace
