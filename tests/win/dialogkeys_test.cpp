// The dialog keyboard on a form of the class library's controls, with keys
// posted as a user presses them: Tab into and out of radio groups, arrows
// choosing within a group, access keys of check boxes, radio buttons,
// buttons and labels, Enter and Esc past single- and multi-line texts.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "classlib/win/StdCtrls.h"
#include "tests/win/FormsTestSupport.h"

namespace {

using namespace cl;
using namespace cltest;

template <class T>
T* Add(TForm* form, TWinControl* parent, int top, const std::string& caption = "") {
    auto* c = new T(form);
    c->SetParent(parent);
    c->SetBounds(8, top, 160, 20);
    if (!caption.empty()) c->SetCaption(caption);
    return c;
}

// An edit, a radio group of three made of the group's items, two free
// radio buttons, a check box, a memo and OK / Cancel, in that tab order.
struct DialogForm {
    Owned<TForm> form = Make<TForm>(nullptr);
    TEdit* edit = Add<TEdit>(form.get(), form.get(), 4);
    TRadioGroup* group = Add<TRadioGroup>(form.get(), form.get(), 30);
    TRadioButton* yes = Add<TRadioButton>(form.get(), form.get(), 120, "&tak");
    TRadioButton* no = Add<TRadioButton>(form.get(), form.get(), 144, "&nie");
    TCheckBox* check = Add<TCheckBox>(form.get(), form.get(), 168, "&Bilans");
    TMemo* memo = Add<TMemo>(form.get(), form.get(), 192);
    TButton* ok = Add<TButton>(form.get(), form.get(), 250, "&Wydruk");
    TButton* cancel = Add<TButton>(form.get(), form.get(), 280, "Porzuć");
    int okClicks = 0, cancelClicks = 0;

    DialogForm() {
        form->SetBounds(100, 100, 300, 360);
        group->SetHeight(84);
        for (const char* item : {"&pierwszy", "&drugi", "t&rzeci"}) group->Items()->Add(item);
        ok->SetDefault(true);
        cancel->SetCancel(true);
        ok->OnClick = [this](TObject*) { ++okClicks; };
        cancel->OnClick = [this](TObject*) { ++cancelClicks; };
        form->Show();
        edit->SetFocus();
        Pump();
    }
    TWinControl* Item(int i) const { return group->Buttons(i); }
    TWinControl* Focused() const { return Screen->ActiveControl(); }
    void Press(WORD vk) {
        PostKey(GetFocus(), vk);
        Pump();
    }
    void PressShifted(WORD vk) {
        HeldKeys shift{VK_SHIFT};
        Press(vk);
    }
    void PressAlt(WORD vk) {
        PostAltKey(GetFocus(), vk);
        Pump();
    }
};

TEST(DialogKeys, TabEntersAGroupWithoutAChoiceAtItsFirstButtonWithoutChoosingAndLeavesAfterOneStop) {
    DialogForm f;
    const std::vector<TWinControl*> forward = {f.Item(0), f.yes, f.check, f.memo, f.ok, f.cancel, f.edit};
    for (TWinControl* expected : forward) {
        f.Press(VK_TAB);
        EXPECT_EQ(f.Focused(), expected) << expected->Caption();
    }
    // Entering an unanswered group answers nothing; Space on the entry does.
    EXPECT_EQ(f.group->ItemIndex(), -1);
    EXPECT_FALSE(f.yes->Checked());
    f.Press(VK_TAB);
    f.Press(VK_SPACE);
    EXPECT_EQ(f.group->ItemIndex(), 0);
}

TEST(DialogKeys, TabAndShiftTabEnterAGroupAtItsCheckedButton) {
    DialogForm f;
    f.group->SetItemIndex(2);
    f.no->SetChecked(true);
    f.check->SetFocus();
    Pump();
    const std::vector<TWinControl*> backward = {f.no, f.Item(2), f.edit, f.cancel};
    for (TWinControl* expected : backward) {
        f.PressShifted(VK_TAB);
        EXPECT_EQ(f.Focused(), expected) << expected->Caption();
    }
    EXPECT_EQ(f.group->ItemIndex(), 2);
    EXPECT_TRUE(f.no->Checked());
}

TEST(DialogKeys, ArrowsChooseWithinTheGroupRoundItsEndsAndSkipADisabledButton) {
    DialogForm f;
    f.Press(VK_TAB);
    ASSERT_EQ(f.Focused(), f.Item(0));
    f.Item(1)->SetEnabled(false);
    const struct {
        WORD key;
        int item;
    } steps[] = {{VK_DOWN, 2}, {VK_DOWN, 0}, {VK_UP, 2}, {VK_LEFT, 0}, {VK_RIGHT, 2}};
    for (const auto& s : steps) {
        f.Press(s.key);
        EXPECT_EQ(f.Focused(), f.Item(s.item)) << s.key;
        EXPECT_EQ(f.group->ItemIndex(), s.item) << s.key;
    }
    // Two free radio buttons of the form: the arrows stay with them.
    f.yes->SetFocus();
    Pump();
    f.Press(VK_DOWN);
    EXPECT_EQ(f.Focused(), f.no);
    EXPECT_TRUE(f.no->Checked());
    EXPECT_FALSE(f.yes->Checked());
    f.Press(VK_DOWN);
    EXPECT_EQ(f.Focused(), f.yes);
    EXPECT_TRUE(f.yes->Checked());
}

TEST(DialogKeys, AccessKeysFocusAndClickTheControlWhoseCaptionUnderlinesThem) {
    DialogForm f;
    auto* label = Add<TLabel>(f.form.get(), f.form.get(), 320, "&Uwagi:");
    label->SetFocusControl(f.memo);
    // Alt with the letter works from an edit, which takes plain letters.
    f.PressAlt('D');
    EXPECT_EQ(f.Focused(), f.Item(1));
    EXPECT_EQ(f.group->ItemIndex(), 1);
    EXPECT_EQ(f.edit->Text(), "");
    // A radio button takes no characters: the letter alone is the key.
    const struct {
        WORD key;
        TWinControl* focused;
    } plain[] = {{'R', f.Item(2)}, {'N', f.no}, {'B', f.check}, {'U', f.memo}};
    for (const auto& p : plain) {
        f.Press(p.key);
        EXPECT_EQ(f.Focused(), p.focused) << static_cast<char>(p.key);
    }
    EXPECT_EQ(f.group->ItemIndex(), 2);
    EXPECT_TRUE(f.no->Checked());
    EXPECT_TRUE(f.check->Checked());
    // In the memo the letter is text; Alt+B still toggles the box.
    f.Press('B');
    EXPECT_EQ(f.memo->Text(), "b");
    EXPECT_TRUE(f.check->Checked());
    f.PressAlt('B');
    EXPECT_FALSE(f.check->Checked());
    EXPECT_EQ(f.Focused(), f.check);
    // A push button's key clicks it.
    f.PressAlt('W');
    EXPECT_EQ(f.okClicks, 1);
}

TEST(DialogKeys, EnterAndEscReachTheButtonsUnlessTheFocusedTextKeepsThem) {
    const struct {
        const char* where;
        bool memo, readOnly;
        int okAfterEnter, cancelAfterEsc;
    } cases[] = {
        {"edit", false, false, 1, 1},
        {"memo", true, false, 0, 1},
        {"read-only memo", true, true, 1, 1},
    };
    for (const auto& c : cases) {
        DialogForm f;
        f.memo->SetReadOnly(c.readOnly);
        TWinControl* target = c.memo ? static_cast<TWinControl*>(f.memo) : f.edit;
        target->SetFocus();
        Pump();
        f.Press(VK_RETURN);
        EXPECT_EQ(f.okClicks, c.okAfterEnter) << c.where;
        f.Press(VK_ESCAPE);
        EXPECT_EQ(f.cancelClicks, c.cancelAfterEsc) << c.where;
        EXPECT_EQ(f.Focused(), target) << c.where;
    }
}

}  // namespace
