// TCheckListBox: states and enabling that follow their items through
// insertions, deletions, sorting and a new window; clicks on the box and
// the space bar stepping the state; the box drawn for each state.
#include <gtest/gtest.h>

#include "classlib/win/CheckLst.h"
#include "classlib/win/Forms.h"
#include "tests/win/FormsTestSupport.h"

namespace {

using namespace cl;
using namespace cltest;

struct Fixture {
    Owned<TForm> form = Make<TForm>(nullptr);
    TCheckListBox* list = new TCheckListBox(form.get());
    Fixture() {
        form->SetBounds(50, 50, 300, 250);
        list->SetBounds(10, 10, 200, 150);
        list->SetParent(form.get());
    }
    // "state/enabled" per item: "1e 0d 2e".
    std::string States() const {
        std::string s;
        for (int i = 0; i < list->Items()->Count(); ++i)
            s += (i ? " " : "") + std::to_string(list->State(i)) + (list->ItemEnabled(i) ? "e" : "d");
        return s;
    }
};

TEST(CheckListBox, StatesFollowTheirItems) {
    struct Case {
        const char* what;
        std::function<void(TCheckListBox*)> change;
        const char* items;
        const char* states;
    };
    // Before each change: a(checked) b(disabled) c(grayed).
    const Case cases[] = {
        {"insert first", [](TCheckListBox* l) { l->Items()->Insert(0, "x"); }, "x a b c", "0e 1e 0d 2e"},
        {"delete middle", [](TCheckListBox* l) { l->Items()->Delete(1); }, "a c", "1e 2e"},
        {"add", [](TCheckListBox* l) { l->Items()->Add("d"); }, "a b c d", "1e 0d 2e 0e"},
        {"clear and add", [](TCheckListBox* l) { l->Items()->Clear(), l->Items()->Add("n"); }, "n", "0e"},
        {"new window", [](TCheckListBox* l) { l->RecreateWnd(); }, "a b c", "1e 0d 2e"},
        {"sorted", [](TCheckListBox* l) { l->SetSorted(true), l->Items()->Add("0"); }, "0 a b c",
         "0e 1e 0d 2e"},
    };
    for (const Case& c : cases) {
        Fixture f;
        f.list->HandleNeeded();
        for (const char* item : {"a", "b", "c"}) f.list->Items()->Add(item);
        f.list->SetChecked(0, true);
        f.list->SetItemEnabled(1, false);
        f.list->SetState(2, cbGrayed);
        c.change(f.list);
        std::string items;
        for (int i = 0; i < f.list->Items()->Count(); ++i) items += (i ? " " : "") + f.list->Items()->Get(i);
        EXPECT_EQ(items, c.items) << c.what;
        EXPECT_EQ(f.States(), c.states) << c.what;
    }
}

TEST(CheckListBox, StatesSetBeforeTheWindowExistsAreKept) {
    Fixture f;
    f.list->Items()->Add("a");
    f.list->Items()->Add("b");
    f.list->SetChecked(1, true);
    f.form->Show();
    EXPECT_EQ(f.States(), "0e 1e");
    EXPECT_THROW(f.list->SetChecked(2, true), EListError);
    EXPECT_THROW(f.list->State(-1), EListError);
}

TEST(CheckListBox, ClicksOnTheBoxAndSpaceStepTheState) {
    Fixture f;
    for (const char* item : {"a", "b", "c"}) f.list->Items()->Add(item);
    f.list->SetItemEnabled(2, false);
    f.list->SetAllowGrayed(true);
    int clickChecks = 0;
    f.list->OnClickCheck = [&](TObject*) { ++clickChecks; };
    f.form->Show();
    Pump();
    const HWND wnd = f.list->Handle();
    const TRect item1 = f.list->ItemRect(1);
    const TRect item2 = f.list->ItemRect(2);
    const int y1 = (item1.top + item1.bottom) / 2;
    PostClick(wnd, 6, y1);                              // unchecked -> grayed
    PostClick(wnd, 80, y1);                             // on the text: selects only
    PostClick(wnd, 6, (item2.top + item2.bottom) / 2);  // disabled
    Pump(100);
    EXPECT_EQ(f.States(), "0e 2e 0d");
    EXPECT_EQ(f.list->ItemIndex(), 2);
    f.list->SetItemIndex(1);
    f.list->SetFocus();
    PostMessageW(wnd, WM_CHAR, ' ', 0);  // grayed -> checked
    Pump(100);
    EXPECT_EQ(f.States(), "0e 1e 0d");
    EXPECT_EQ(clickChecks, 2);
}

TEST(CheckListBox, DrawsACheckMarkOnlyInCheckedBoxes) {
    Fixture f;
    f.list->Items()->Add("a");
    f.list->Items()->Add("b");
    f.list->SetChecked(1, true);
    f.form->Show();
    Pump();
    auto darkPixels = [&](int index) {
        const TRect r = f.list->ItemRect(index);
        int dark = 0;
        for (int x = r.left + 4; x < r.left + 13; ++x)
            for (int y = r.top + 4; y < r.bottom - 4; ++y)
                if (GetRValue(PixelOf(f.list, x, y)) < 64) ++dark;
        return dark;
    };
    EXPECT_EQ(darkPixels(0), 0);
    EXPECT_GT(darkPixels(1), 4);
}

}  // namespace
