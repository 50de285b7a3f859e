// Sprawozdawca.exe used with the keyboard alone, keys posted where the
// focus is as a user presses them: the wizard answered for an audited
// business (Tab, arrows, Space, access keys, Enter), the changed answer's
// warning refused by Enter, the forms reached, a value typed and saved;
// the print dialog, whose step buttons stay drawn as the focus passes
// through their edits, and its help.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "classlib/win/GdiHandles.h"
#include "engine/calc1.h"
#include "tests/app/win/InstalledProgramTest.h"
#include "tests/app/win/SheetFields.h"
#include "tests/driver/TreeViews.h"
#include "tests/support/Files.h"
#include "tests/support/TinyHttpServer.h"

namespace {

using namespace e2e;
using Lines = std::vector<std::string>;

// The screen's pixels under a window, row by row.
std::vector<COLORREF> ScreenPixels(HWND wnd) {
    RECT r{};
    GetWindowRect(wnd, &r);
    const cl::WindowDC screen(nullptr);
    std::vector<COLORREF> pixels;
    for (int y = r.top; y < r.bottom; ++y)
        for (int x = r.left; x < r.right; ++x) pixels.push_back(GetPixel(screen.get(), x, y));
    return pixels;
}

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

    // The message box on the screen, answered by Enter on its focused button.
    TMessageBoxView AnswerByEnter() {
        HWND box = program_->WaitForMessageBox(5000);
        EXPECT_TRUE(box) << program_->Describe();
        if (!box) return {};
        const TMessageBoxView view = ReadMessageBox(box);
        pressed_ = GetDlgCtrlID(FocusOf(box));
        PostKey(FocusOf(box), VK_RETURN);
        EXPECT_TRUE(WaitUntil([&] { return !IsWindow(box) || !IsWindowVisible(box); }, 5000));
        Idle();
        return view;
    }

    // The top of the preview's sheet in the preview's client area: below 0
    // when the page is scrolled down.
    static int SheetTop(HWND preview) {
        RECT r{};
        GetWindowRect(SheetOf(preview), &r);
        MapWindowPoints(nullptr, preview, reinterpret_cast<POINT*>(&r), 2);
        return r.top;
    }

    int pressed_ = 0;  // the id of the button Enter pressed
    cltest::ClosedPort updateServer_{SPRAW_E2E_PORT, 60000};
};

TEST_F(KeyboardE2eTest, TheWizardAnsweredForAnAuditedBusinessWithTheKeyboardAlone) {
    // "&Dalej >" is the default button: Enter from wherever the focus starts.
    Key(VK_RETURN);
    ASSERT_TRUE(Visible("Wiz0_2")) << FocusName();
    // Tab reaches the entity-kind question at its first answer.
    ASSERT_TRUE(TabTo("rb0_2_1") || FocusedItem("rb0_2_1") >= 0) << FocusName();
    EXPECT_EQ(FocusedItem("rb0_2_1"), 0);
    EXPECT_EQ(GroupItemIndex(Named("rb0_2_1")), -1) << "the focus answers nothing";
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

    // The documents: boxes ticked with Space, the variants by Tab and
    // arrows, and back over a variant group with Shift+Tab to its chosen item.
    ASSERT_TRUE(TabTo("cb1_1_1"));
    const struct {
        WORD key;
        bool shift;
        const char* focus;  // a control, or the group whose item has the focus
        int item;
    } steps[] = {
        {VK_SPACE, false, "cb1_1_1", -1}, {VK_TAB, false, "cb1_1_2", -1},   {VK_SPACE, false, "cb1_1_2", -1},
        {VK_TAB, false, "rb1_1_2", 0},    {VK_DOWN, false, "rb1_1_2", 1},   {VK_TAB, false, "cb1_1_3", -1},
        {VK_SPACE, false, "cb1_1_3", -1}, {VK_TAB, false, "rb1_1_3", 0},    {VK_SPACE, false, "rb1_1_3", 0},
        {VK_TAB, false, "cb1_1_4", -1},   {VK_SPACE, false, "cb1_1_4", -1}, {VK_TAB, true, "rb1_1_3", 0},
        {VK_TAB, true, "cb1_1_3", -1},    {VK_TAB, true, "rb1_1_2", 1},
    };
    for (const auto& s : steps) {
        if (s.shift)
            Shifted(s.key);
        else
            Key(s.key);
        if (s.item < 0)
            EXPECT_EQ(FocusName(), s.focus);
        else
            EXPECT_EQ(FocusedItem(s.focus), s.item) << s.focus << " " << FocusName();
    }
    EXPECT_EQ(GroupItemIndex(Named("rb1_1_2")), 1);
    Key(VK_RETURN);
    ASSERT_TRUE(Visible("Wiz100_1")) << FocusName();
    Lines titles;
    for (const char* form : {"bil", "rachzsp", "rachppb", "zestzf"}) titles.push_back(FindFormTitle(form));
    EXPECT_EQ(TreeTexts(Named("XcTreeView2")), titles);

    // Back to the audit question by its step; the other answer; Enter on
    // the warning is No: the forms stay and so does the old answer.
    ASSERT_TRUE(TabTo("XcTreeView1"));
    Keys({VK_UP, VK_UP});
    ASSERT_TRUE(Visible("Wiz1_0")) << FocusName();
    Alt('N');
    Key(VK_RETURN);
    const TMessageBoxView warning = AnswerByEnter();
    EXPECT_EQ(warning.Caption, "Ostrzeżenie");
    EXPECT_EQ(warning.Text,
              "Wprowadzone zmiany spowodują modyfikację listy dobranych formularzy!\r"
              "Czy na pewno akceptujesz te zmiany?");
    EXPECT_EQ(pressed_, IDNO);
    EXPECT_EQ(TreeTexts(Named("XcTreeView2")), titles);
    EXPECT_TRUE(IsChecked(Named("cb1_0_1")));
    for (int i = 0; i < 3 && !Visible("Wiz100_1"); ++i) Key(VK_RETURN);
    ASSERT_TRUE(Visible("Wiz100_1")) << FocusName();

    // The forms: the balance sheet shown, the keyboard on its sheet.
    Alt('F');
    ASSERT_TRUE(Visible("TabSheet2"));
    EXPECT_EQ(FocusName(), "PrintPreview");
    // PageDown turns to page 2; Enter opens its first field; Shift+Tab
    // goes back over the page's edge to the last amount of page 1.
    Keys({VK_NEXT, VK_RETURN});
    Shifted(VK_TAB);
    EXPECT_EQ(AnswerByEnter().Text, "Przejście do poprzedniej strony.");
    PostText(Focus(), "1234,5");
    Key(VK_ESCAPE);
    EXPECT_EQ(FocusName(), "PrintPreview");
    // Shift+Enter opens the page's last field: the same amount again.
    Shifted(VK_RETURN);
    PostText(Focus(), "1234,5");
    Key(VK_RETURN);
    EXPECT_EQ(AnswerByEnter().Text, "Przejście do następnej strony.");
    Key(VK_ESCAPE);

    // Ctrl+S: the save dialog, the file's name typed, the report's OK by Enter.
    const std::string path = cltest::DataFolderName() + "sprawozdania\\klawiatura.spr";
    program_->PostShortcut(Focus(), 'S', {VK_CONTROL});
    HWND dialog = program_->WaitForFileDialog(10000);
    ASSERT_TRUE(dialog) << program_->Describe();
    ASSERT_TRUE(AnswerFileDialog(dialog, path));
    Idle();
    EXPECT_EQ(AnswerByEnter().Caption, "Zapis sprawozdania");
    const std::string saved = cltest::ReadBytes(path);
    const double amount = 1234.5;
    EXPECT_NE(saved.find(std::string(reinterpret_cast<const char*>(&amount), sizeof amount)),
              std::string::npos);
}

TEST_F(KeyboardE2eTest, AFormChosenWithTheMouseTakesTheKeyboardAndOpensAtItsTop) {
    ClickToForms({{"cb1_2_1", -1}, {"cb1_2_2", -1}, {"rb1_2_2", 1}});
    HWND preview = Named("PrintPreview"), forms = Named("XcTreeView2");
    ASSERT_EQ(TreeCount(forms), 2);
    // The balance sheet's page 2 scrolled to its bottom with the keyboard.
    ASSERT_EQ(FocusName(), "PrintPreview");
    Key(VK_NEXT);
    program_->PostShortcut(Focus(), VK_END, {VK_CONTROL});
    Idle();
    ASSERT_LT(SheetTop(preview), -100) << "a page longer than the view";
    // The profit and loss account clicked in the list.
    ASSERT_TRUE(ClickTreeItem(forms, TreeItems(forms).at(1).Handle));
    Idle();
    EXPECT_EQ(FocusName(), "PrintPreview");
    EXPECT_GE(SheetTop(preview), 0);
    // PageDown is the sheet's, not the list's next form.
    Key(VK_NEXT);
    EXPECT_EQ(TreeSelectedIndex(forms), 1);
    EXPECT_EQ(FocusName(), "PrintPreview");
}

TEST_F(KeyboardE2eTest, ThePrintDialogAndItsHelpByKeys) {
    ClickToForms({{"cb1_2_1", -1}});
    program_->PostShortcut(Focus(), 'D', {VK_CONTROL});
    HWND dialog = program_->WaitForName("Print1Dlg", 5000);
    ASSERT_TRUE(dialog) << program_->Describe();
    Idle();
    // The focus starts on the chosen scope; the arrows choose another.
    EXPECT_EQ(FocusName(), "rb1");
    const struct {
        WORD key;
        const char* checked;
    } scopes[] = {{VK_DOWN, "rb2"}, {VK_DOWN, "rb3"}, {VK_DOWN, "rb4"}, {VK_DOWN, "rb1"}, {VK_UP, "rb4"}};
    for (const auto& s : scopes) {
        Key(s.key);
        EXPECT_EQ(FocusName(), s.checked);
        EXPECT_TRUE(IsChecked(Named(s.checked))) << s.checked;
    }
    // The corrections' step buttons as drawn before any edit had the focus.
    std::vector<HWND> buttons;
    for (const char* edit : {"XcSpinEdit1", "XcSpinEdit2", "XcSpinEdit3", "XcSpinEdit4"})
        buttons.push_back(GetWindow(Named(edit), GW_CHILD));
    std::vector<std::vector<COLORREF>> drawn;
    for (HWND button : buttons) drawn.push_back(ScreenPixels(button));
    ASSERT_GT(std::set<COLORREF>(drawn[0].begin(), drawn[0].end()).size(), 2u) << "a button is drawn";
    // Tab leaves the group for the first correction; Shift+Tab comes back
    // to the chosen scope.
    Key(VK_TAB);
    EXPECT_NE(FocusName(), "rb1");
    Shifted(VK_TAB);
    EXPECT_EQ(FocusName(), "rb4");
    // The help by Tab and Space; Esc closes it from its text.
    ASSERT_TRUE(TabTo("HelpBtn"));
    // The focus went through every correction: their buttons stay drawn.
    for (size_t i = 0; i < buttons.size(); ++i)
        EXPECT_TRUE(ScreenPixels(buttons[i]) == drawn[i]) << "the button of XcSpinEdit" << i + 1;
    Key(VK_SPACE);
    HWND help = program_->WaitForName("Print1_hDlg", 5000);
    ASSERT_TRUE(help) << program_->Describe();
    Idle();
    ASSERT_TRUE(TabTo("XcRichEdit1"));
    Key(VK_ESCAPE);
    EXPECT_TRUE(WaitUntil([&] { return !program_->FindByName("Print1_hDlg"); }, 5000));
    Idle();
    // Esc again: the dialog closes with nothing printed.
    EXPECT_TRUE(program_->FindByName("Print1Dlg"));
    Key(VK_ESCAPE);
    EXPECT_TRUE(WaitUntil([&] { return !program_->FindByName("Print1Dlg"); }, 5000));
    Idle();
    EXPECT_FALSE(program_->FindMessageBox());
    EXPECT_FALSE(program_->FindFileDialog());
}

TEST_F(KeyboardE2eTest, TheAboutBoxStartsOnOkAndEscClosesTheLicenceFromItsText) {
    PostAltKey(main_, 'O');
    HWND about = program_->WaitForName("About1Dlg", 5000);
    ASSERT_TRUE(about) << program_->Describe();
    Idle();
    EXPECT_EQ(FocusName(), "OKButton");
    // Space here is OK's, not the update box's.
    Shifted(VK_TAB);
    EXPECT_EQ(FocusName(), "LicButton");
    Key(VK_SPACE);
    ASSERT_TRUE(program_->WaitForName("LicDlg", 5000)) << program_->Describe();
    Idle();
    ASSERT_TRUE(TabTo("Memo1"));
    Key(VK_ESCAPE);
    EXPECT_TRUE(WaitUntil([&] { return !program_->FindByName("LicDlg"); }, 5000));
    Idle();
    Key(VK_TAB);
    Key(VK_SPACE);
    EXPECT_TRUE(WaitUntil([&] { return !program_->FindByName("About1Dlg"); }, 5000));
    Idle();
    // OK closed it; the update box stayed ticked.
    PostAltKey(main_, 'O');
    about = program_->WaitForName("About1Dlg", 5000);
    ASSERT_TRUE(about);
    Idle();
    EXPECT_TRUE(IsChecked(Named("XcCheckBox1")));
}

}  // namespace
