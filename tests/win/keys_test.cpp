// Key pre-dispatch of the message loop: dialog keys, shortcuts and actions
// before the focused control, characters after it, key preview, focus
// events.
#include <gtest/gtest.h>

#include "classlib/win/ActnList.h"
#include "classlib/win/Forms.h"
#include "classlib/win/Menus.h"
#include "tests/win/FormsTestSupport.h"

namespace {

using namespace cl;
using namespace cltest;

struct TwoEdits {
    Owned<TForm> form = Make<TForm>(nullptr);
    TTestEdit* first = new TTestEdit(form.get());
    TTestEdit* second = new TTestEdit(form.get());

    TwoEdits() {
        first->SetParent(form.get());
        second->SetParent(form.get());
        second->SetTop(40);
        form->Show();
        first->SetFocus();
        Pump();
    }
};

TEST(KeyPreDispatch, TabMovesFocusWithoutCharacterThenNextControlGetsCharacters) {
    TwoEdits f;
    ASSERT_TRUE(f.first->Focused());
    PostKey(f.first->Handle(), VK_TAB);
    Pump();
    EXPECT_TRUE(f.second->Focused());
    EXPECT_EQ(f.first->chars, L"");
    PostKey(f.second->Handle(), 'A');
    Pump();
    EXPECT_EQ(f.second->chars, L"a");
    EXPECT_EQ(f.second->Text(), "a");
}

TEST(KeyPreDispatch, ShiftTabMovesFocusBackwards) {
    TwoEdits f;
    f.second->SetFocus();
    Pump();
    ASSERT_TRUE(f.second->Focused());
    {
        HeldKeys shift{VK_SHIFT};
        PostKey(f.second->Handle(), VK_TAB);
        Pump();
    }
    EXPECT_TRUE(f.first->Focused());
}

TEST(KeyPreDispatch, ShortcutReachesActionOverFocusedEdit) {
    TwoEdits f;
    auto* list = new TActionList(f.form.get());
    auto* save = new TAction(f.form.get());
    save->SetActionList(list);
    save->SetShortCut(ShortCut('S', ssCtrl));
    int executed = 0;
    save->OnExecute = [&](TObject*) { ++executed; };
    {
        HeldKeys ctrl{VK_CONTROL};
        PostKey(f.first->Handle(), 'S');
        Pump();
    }
    EXPECT_EQ(executed, 1);
    EXPECT_EQ(f.first->chars, L"");
}

TEST(KeyPreDispatch, DisabledActionLeavesShortcutToControl) {
    TwoEdits f;
    auto* list = new TActionList(f.form.get());
    auto* save = new TAction(f.form.get());
    save->SetActionList(list);
    save->SetShortCut(ShortCut('S', ssCtrl));
    int executed = 0;
    save->OnExecute = [&](TObject*) { ++executed; };
    save->OnUpdate = [&](TObject*) { save->SetEnabled(false); };
    {
        HeldKeys ctrl{VK_CONTROL};
        PostKey(f.first->Handle(), 'S');
        Pump();
    }
    EXPECT_EQ(executed, 0);
    // Ctrl+S translates to the control character 0x13.
    EXPECT_EQ(f.first->chars, L"\x13");
}

TEST(KeyPreDispatch, MainMenuShortcutClicksItem) {
    TwoEdits f;
    auto* menu = new TMainMenu(f.form.get());
    auto* file = new TMenuItem(f.form.get());
    file->SetCaption("&Plik");
    auto* item = new TMenuItem(f.form.get());
    item->SetCaption("&Nowe");
    item->SetShortCut(ShortCut('N', ssCtrl));
    int clicks = 0;
    item->OnClick = [&](TObject*) { ++clicks; };
    file->Add(item);
    menu->Items()->Add(file);
    f.form->SetMenu(menu);
    {
        HeldKeys ctrl{VK_CONTROL};
        PostKey(f.first->Handle(), 'N');
        Pump();
    }
    EXPECT_EQ(clicks, 1);
}

TEST(KeyPreDispatch, KeyPreviewLetsFormSwallowKey) {
    std::vector<WORD> seen;
    TwoEdits f;
    f.form->SetKeyPreview(true);
    f.form->OnKeyDown = [&](TObject*, WORD& key, TShiftState) {
        seen.push_back(key);
        if (key == 'X') key = 0;
    };
    PostKey(f.first->Handle(), 'X');
    PostKey(f.first->Handle(), 'Y');
    Pump();
    EXPECT_EQ(seen, (std::vector<WORD>{'X', 'Y'}));
    // TranslateMessage made a character of both keys; the swallowed key
    // down still produced one, which the edit gets.
    EXPECT_EQ(f.first->Text(), "xy");
}

TEST(KeyPreDispatch, KeyPressCanReplaceCharacterInWindows1250) {
    TwoEdits f;
    f.first->OnKeyPress = [](TObject*, char& key) {
        if (key == 'a') key = static_cast<char>(0xB9);  // ą in Windows-1250
        if (key == 'b') key = 0;
    };
    PostKey(f.first->Handle(), 'A');
    PostKey(f.first->Handle(), 'B');
    PostKey(f.first->Handle(), 'C');
    Pump();
    EXPECT_EQ(f.first->Text(),
              "\xB9"
              "c");
}

TEST(Focus, EnterAndExitFollowTheFocus) {
    std::vector<std::string> events;
    TwoEdits f;
    f.first->OnExit = [&](TObject*) { events.push_back("exit first"); };
    f.second->OnEnter = [&](TObject*) { events.push_back("enter second"); };
    f.second->SetFocus();
    Pump();
    EXPECT_EQ(events, (std::vector<std::string>{"exit first", "enter second"}));
    EXPECT_EQ(f.form->ActiveControl(), f.second);
    EXPECT_EQ(Screen->ActiveControl(), f.second);
}

TEST(Focus, HiddenControlCannotTakeFocus) {
    TwoEdits f;
    f.second->SetVisible(false);
    EXPECT_FALSE(f.second->CanFocus());
    EXPECT_THROW(f.second->SetFocus(), EInvalidOperation);
}

TEST(Focus, TabSkipsControlsWithoutTabStopAndFollowsTabOrder) {
    TwoEdits f;
    auto* third = new TTestEdit(f.form.get());
    third->SetParent(f.form.get());
    third->SetTop(80);
    third->SetTabOrder(0);
    f.second->SetTabStop(false);
    f.first->SetFocus();
    Pump();
    PostKey(f.first->Handle(), VK_TAB);
    Pump();
    // Order now: third, first, second; second is no tab stop.
    EXPECT_TRUE(third->Focused());
}

}  // namespace
