// Actions and their clients: execution rules, the list's handlers,
// shortcuts, and menu items and controls that mirror an action.
#include <gtest/gtest.h>

#include "classlib/win/ActnList.h"
#include "classlib/win/Forms.h"
#include "classlib/win/Menus.h"
#include "tests/win/FormsTestSupport.h"

namespace {

using namespace cl;
using namespace cltest;

struct ActionSetup {
    Owned<TComponent> owner{new TComponent(nullptr)};
    TActionList* list = new TActionList(owner.get());
    TAction* action = new TAction(owner.get());
    int executed = 0;
    int updated = 0;
    ActionSetup() {
        action->SetActionList(list);
        action->OnExecute = [this](TObject*) { ++executed; };
        action->OnUpdate = [this](TObject*) { ++updated; };
    }
};

TEST(ActionExecute, UpdatesFirstAndRunsOnlyWhenEnabled) {
    ActionSetup s;
    EXPECT_TRUE(s.action->Execute());
    EXPECT_EQ(s.updated, 1);
    EXPECT_EQ(s.executed, 1);
    s.action->OnUpdate = [&](TObject*) { s.action->SetEnabled(false); };
    EXPECT_FALSE(s.action->Execute());
    EXPECT_EQ(s.executed, 1);
}

TEST(ActionExecute, ListHandlersMayTakeTheActionFirst) {
    ActionSetup s;
    bool take = true;
    TBasicAction* seen = nullptr;
    s.list->OnExecute = [&](TBasicAction* a, bool& handled) {
        seen = a;
        handled = take;
    };
    s.list->OnUpdate = [&](TBasicAction*, bool& handled) { handled = take; };
    EXPECT_TRUE(s.action->Execute());
    EXPECT_EQ(seen, s.action);
    EXPECT_EQ(s.executed, 0);
    EXPECT_EQ(s.updated, 0);
    take = false;
    EXPECT_TRUE(s.action->Execute());
    EXPECT_EQ(s.executed, 1);
    EXPECT_EQ(s.updated, 1);
}

TEST(ActionList, ShortcutExecutesItsActionOnly) {
    ActionSetup s;
    auto* other = new TAction(s.owner.get());
    other->SetActionList(s.list);
    other->SetShortCut(ShortCut('W', ssCtrl));
    s.action->SetShortCut(ShortCut('S', ssCtrl));
    EXPECT_TRUE(s.list->IsShortCut(ShortCut('S', ssCtrl)));
    EXPECT_EQ(s.executed, 1);
    EXPECT_FALSE(s.list->IsShortCut(ShortCut('S', ssCtrl | ssShift)));
    EXPECT_FALSE(s.list->IsShortCut(scNone));
    s.action->SetEnabled(false);
    s.action->OnUpdate = nullptr;
    EXPECT_FALSE(s.list->IsShortCut(ShortCut('S', ssCtrl)));
    EXPECT_EQ(s.executed, 1);
    EXPECT_EQ(s.list->ActionCount(), 2);
    EXPECT_EQ(other->Index(), 1);
}

TEST(ActionList, FreedActionLeavesItsListAndFreedListReleasesActions) {
    ActionSetup s;
    auto* other = new TAction(s.owner.get());
    other->SetActionList(s.list);
    other->Free();
    EXPECT_EQ(s.list->ActionCount(), 1);
    s.list->Free();
    EXPECT_EQ(s.action->ActionList(), nullptr);
    EXPECT_TRUE(s.action->Execute());
}

TEST(ActionClients, MenuItemMirrorsTheAction) {
    ActionSetup s;
    s.action->SetCaption("&Zapisz sprawozdanie");
    s.action->SetShortCut(ShortCut('S', ssCtrl));
    s.action->SetHint("Zapis");
    auto* item = new TMenuItem(s.owner.get());
    item->SetAction(s.action);
    EXPECT_EQ(item->Caption(), "&Zapisz sprawozdanie");
    EXPECT_EQ(item->ShortCut(), ShortCut('S', ssCtrl));
    EXPECT_EQ(item->Hint(), "Zapis");
    struct Case {
        std::function<void()> change;
        std::function<bool()> mirrored;
    };
    const Case cases[] = {
        {[&] { s.action->SetEnabled(false); }, [&] { return !item->Enabled(); }},
        {[&] { s.action->SetChecked(true); }, [&] { return item->Checked(); }},
        {[&] { s.action->SetVisible(false); }, [&] { return !item->Visible(); }},
        {[&] { s.action->SetCaption("&Zapisz"); }, [&] { return item->Caption() == "&Zapisz"; }},
        {[&] { s.action->SetShortCut(ShortCut('Z', ssCtrl)); },
         [&] { return item->ShortCut() == ShortCut('Z', ssCtrl); }},
        {[&] { s.action->SetImageIndex(3); }, [&] { return item->ImageIndex() == 3; }},
    };
    for (size_t i = 0; i < std::size(cases); ++i) {
        cases[i].change();
        EXPECT_TRUE(cases[i].mirrored()) << i;
    }
}

TEST(ActionClients, ClientWithItsOwnCaptionStopsFollowingTheCaption) {
    ActionSetup s;
    s.action->SetCaption("&Drukuj");
    auto* item = new TMenuItem(s.owner.get());
    item->SetAction(s.action);
    item->SetCaption("Drukuj teraz");
    s.action->SetCaption("&Wydruk");
    EXPECT_EQ(item->Caption(), "Drukuj teraz");
    s.action->SetEnabled(false);
    EXPECT_FALSE(item->Enabled());
}

TEST(ActionClients, ClickExecutesTheActionAndFreedActionUnlinks) {
    ActionSetup s;
    auto* item = new TMenuItem(s.owner.get());
    item->SetAction(s.action);
    item->Click();
    EXPECT_EQ(s.executed, 1);
    s.action->Free();
    EXPECT_EQ(item->Action(), nullptr);
    item->Click();
    EXPECT_EQ(s.executed, 1);
}

TEST(ActionClients, ControlMirrorsCaptionEnabledAndVisibilityAndClickExecutes) {
    ActionSetup s;
    Owned<TForm> form = Make<TForm>(nullptr);
    auto* pad = new TCustomControl(form.get());
    pad->SetParent(form.get());
    s.action->SetCaption("&Koniec");
    pad->SetAction(s.action);
    EXPECT_EQ(pad->Caption(), "&Koniec");
    s.action->SetEnabled(false);
    EXPECT_FALSE(pad->Enabled());
    s.action->SetEnabled(true);
    s.action->SetVisible(false);
    EXPECT_FALSE(pad->Visible());
    s.action->SetVisible(true);
    pad->Click();
    EXPECT_EQ(s.executed, 1);
    // A handler of the control's own wins over the action.
    int own = 0;
    pad->OnClick = [&](TObject*) { ++own; };
    pad->Click();
    EXPECT_EQ(own, 1);
    EXPECT_EQ(s.executed, 1);
}

}  // namespace
