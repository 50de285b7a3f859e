// List boxes and combo boxes: items kept by the window and across its
// recreation, sorting, owner drawing, multiple selection, and combo box
// selection by the user with its events.
#include <gtest/gtest.h>

#include "classlib/win/Forms.h"
#include "classlib/win/StdCtrls.h"
#include "classlib/win/WideText.h"
#include "tests/win/FormsTestSupport.h"

namespace {

using namespace cl;
using namespace cltest;

std::string WindowItems(HWND wnd, UINT countMsg, UINT textMsg) {
    std::string all;
    const LRESULT count = SendMessageW(wnd, countMsg, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        wchar_t buf[256] = {};
        SendMessageW(wnd, textMsg, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(buf));
        all += (i ? "|" : "") + FromWide(buf);
    }
    return all;
}

std::string Joined(const TStrings& items) {
    std::string all;
    for (int i = 0; i < items.Count(); ++i) all += (i ? "|" : "") + items.Get(i);
    return all;
}

int g_objects[3];

TEST(ListBox, ItemsAreTheWindowsAndSurviveRecreation) {
    struct Case {
        const char* what;
        std::function<void(TListBox*)> recreate;
    };
    const Case cases[] = {
        {"border", [](TListBox* l) { l->SetBorderStyle(bsNone); }},
        {"multi-select", [](TListBox* l) { l->SetMultiSelect(true); }},
        {"owner draw", [](TListBox* l) { l->SetStyle(lbOwnerDrawFixed); }},
        {"tab width", [](TListBox* l) { l->SetTabWidth(8); }},
        {"explicit", [](TListBox* l) { l->RecreateWnd(); }},
    };
    for (const Case& c : cases) {
        Owned<TForm> form = Make<TForm>(nullptr);
        auto* list = new TListBox(form.get());
        list->SetParent(form.get());
        list->SetName("ErrListBox");
        list->Items()->AddObject("pierwszy", &g_objects[0]);
        list->Items()->AddObject("drugi \xB9\xEA", &g_objects[1]);
        list->Items()->AddObject("trzeci", &g_objects[2]);
        list->SetItemIndex(1);
        const HWND before = list->Handle();
        EXPECT_EQ(WindowItems(before, LB_GETCOUNT, LB_GETTEXT), "pierwszy|drugi \xB9\xEA|trzeci");
        c.recreate(list);
        ASSERT_NE(list->Handle(), before) << c.what;
        EXPECT_EQ(WindowItems(list->Handle(), LB_GETCOUNT, LB_GETTEXT), "pierwszy|drugi \xB9\xEA|trzeci")
            << c.what;
        EXPECT_EQ(Joined(*list->Items()), "pierwszy|drugi \xB9\xEA|trzeci") << c.what;
        for (int i = 0; i < 3; ++i) EXPECT_EQ(list->Items()->GetObject(i), &g_objects[i]) << c.what;
        EXPECT_EQ(list->ItemIndex(), 1) << c.what;
        // The new window carries the name for a test driver.
        wchar_t name[64] = {};
        GlobalGetAtomNameW(static_cast<ATOM>(reinterpret_cast<UINT_PTR>(GetPropW(list->Handle(), L"ClName"))),
                           name, 64);
        EXPECT_EQ(std::wstring(name), L"ErrListBox") << c.what;
    }
}

TEST(ListBox, ItemOperationsGoThroughTheWindow) {
    Owned<TForm> form = Make<TForm>(nullptr);
    auto* list = new TListBox(form.get());
    list->SetParent(form.get());
    TStrings* items = list->Items();
    items->Add("a");
    items->Add("c");
    items->Insert(1, "b");
    items->Put(2, "C");
    EXPECT_EQ(WindowItems(list->Handle(), LB_GETCOUNT, LB_GETTEXT), "a|b|C");
    // What reaches the window by other ways is in Items too.
    SendMessageW(list->Handle(), LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(L"d"));
    EXPECT_EQ(Joined(*items), "a|b|C|d");
    EXPECT_EQ(items->IndexOf("c"), 2);
    EXPECT_EQ(items->IndexOf("x"), -1);
    items->Delete(0);
    EXPECT_EQ(WindowItems(list->Handle(), LB_GETCOUNT, LB_GETTEXT), "b|C|d");
    EXPECT_THROW(items->Get(3), EStringListError);
    EXPECT_THROW(items->Delete(3), EStringListError);
    list->Clear();
    EXPECT_EQ(SendMessageW(list->Handle(), LB_GETCOUNT, 0, 0), 0);
}

TEST(ListBox, ItemsBeforeTheWindowExistGoIntoIt) {
    struct Case {
        bool sorted;
        std::vector<int> indexes;
        const char* items;
    };
    const Case cases[] = {
        {false, {0, 1, 2}, "zeta|alfa|\xB3\xF3\x64\xBC"},
        {true, {0, 0, 1}, "alfa|\xB3\xF3\x64\xBC|zeta"},
    };
    for (const Case& c : cases) {
        Owned<TForm> form = Make<TForm>(nullptr);
        auto* list = new TListBox(form.get());
        list->SetSorted(c.sorted);
        std::vector<int> indexes;
        for (const char* s : {"zeta", "alfa", "\xB3\xF3\x64\xBC"}) indexes.push_back(list->Items()->Add(s));
        EXPECT_EQ(indexes, c.indexes) << c.sorted;
        list->SetItemIndex(2);
        list->SetParent(form.get());
        EXPECT_EQ(WindowItems(list->Handle(), LB_GETCOUNT, LB_GETTEXT), c.items) << c.sorted;
        EXPECT_EQ(list->ItemIndex(), 2);
    }
}

TEST(ListBox, SortedWindowPlacesAddedItems) {
    Owned<TForm> form = Make<TForm>(nullptr);
    auto* list = new TListBox(form.get());
    list->SetParent(form.get());
    list->SetSorted(true);
    EXPECT_EQ(list->Items()->Add("m"), 0);
    EXPECT_EQ(list->Items()->Add("b"), 0);
    EXPECT_EQ(list->Items()->Add("z"), 2);
    EXPECT_EQ(list->Items()->Add("c"), 1);
    EXPECT_EQ(Joined(*list->Items()), "b|c|m|z");
}

TEST(ListBox, OwnerDrawnItemsAreDrawnByTheHandler) {
    std::vector<std::pair<int, bool>> drawn;
    Owned<TForm> form = Make<TForm>(nullptr);
    auto* list = new TListBox(form.get());
    list->SetParent(form.get());
    list->SetStyle(lbOwnerDrawFixed);
    list->SetItemHeight(24);
    list->Items()->Add("one");
    list->Items()->Add("two");
    list->SetItemIndex(1);
    list->OnDrawItem = [&](TWinControl* control, int index, TRect rect, TOwnerDrawState state) {
        EXPECT_EQ(control, list);
        EXPECT_EQ(rect.bottom - rect.top, 24);
        drawn.emplace_back(index, (state & odSelected) != 0);
        auto* box = static_cast<TListBox*>(control);
        box->Canvas()->FillRect(rect);
    };
    form->Show();
    list->Repaint();
    Pump();
    EXPECT_EQ(SendMessageW(list->Handle(), LB_GETITEMHEIGHT, 0, 0), 24);
    EXPECT_EQ(list->ItemRect(1).top, 24);
    ASSERT_GE(drawn.size(), 2u);
    EXPECT_NE(std::find(drawn.begin(), drawn.end(), std::make_pair(0, false)), drawn.end());
    EXPECT_NE(std::find(drawn.begin(), drawn.end(), std::make_pair(1, true)), drawn.end());
}

TEST(ListBox, ClickOnAnItemSelectsItAndFiresOnClick) {
    int clicks = 0;
    Owned<TForm> form = Make<TForm>(nullptr);
    auto* list = new TListBox(form.get());
    list->SetParent(form.get());
    for (const char* s : {"a", "b", "c"}) list->Items()->Add(s);
    list->OnClick = [&](TObject*) { ++clicks; };
    form->Show();
    Pump();
    const TRect r = list->ItemRect(2);
    PostClick(list->Handle(), r.left + 5, (r.top + r.bottom) / 2);
    Pump();
    EXPECT_EQ(list->ItemIndex(), 2);
    EXPECT_EQ(clicks, 1);
    list->SetItemIndex(0);
    EXPECT_EQ(clicks, 1);
}

TEST(ListBox, MultiSelectReadsAndSetsSelections) {
    Owned<TForm> form = Make<TForm>(nullptr);
    auto* list = new TListBox(form.get());
    list->SetParent(form.get());
    list->SetMultiSelect(true);
    for (const char* s : {"a", "b", "c", "d"}) list->Items()->Add(s);
    list->SetSelected(1, true);
    list->SetSelected(3, true);
    EXPECT_EQ(list->SelCount(), 2);
    EXPECT_FALSE(list->Selected(0));
    EXPECT_TRUE(list->Selected(1));
    EXPECT_TRUE(list->Selected(3));
    EXPECT_THROW(list->Selected(9), EListError);
    list->SetTopIndex(0);
    EXPECT_EQ(list->TopIndex(), 0);
}

// ---- Combo box -----------------------------------------------------------------------
struct ComboForm {
    Owned<TForm> form = Make<TForm>(nullptr);
    TComboBox* combo = new TComboBox(form.get());

    explicit ComboForm(TComboBoxStyle style) {
        combo->SetParent(form.get());
        combo->SetStyle(style);
        for (const char* s : {"A4", "A5", "Letter"}) combo->Items()->Add(s);
    }
};

TEST(ComboBox, UserSelectionFiresOnSelectOrElseOnChange) {
    struct Case {
        TComboBoxStyle style;
        bool withOnSelect;
        int selects, changes;
    };
    const Case cases[] = {
        {csDropDownList, false, 0, 1},
        {csDropDownList, true, 1, 0},
        {csDropDown, false, 0, 1},
    };
    for (const Case& c : cases) {
        int selects = 0, changes = 0, clicks = 0;
        ComboForm f(c.style);
        f.combo->OnChange = [&](TObject*) { ++changes; };
        if (c.withOnSelect) f.combo->OnSelect = [&](TObject*) { ++selects; };
        f.combo->OnClick = [&](TObject*) { ++clicks; };
        f.form->Show();
        f.combo->SetItemIndex(0);
        f.combo->SetFocus();
        Pump();
        EXPECT_EQ(changes + selects + clicks, 0);
        PostKey(f.combo->Handle(), VK_DOWN);
        Pump();
        EXPECT_EQ(f.combo->ItemIndex(), 1) << c.style << c.withOnSelect;
        EXPECT_EQ(f.combo->Text(), "A5") << c.style << c.withOnSelect;
        EXPECT_EQ(selects, c.selects) << c.style << c.withOnSelect;
        EXPECT_EQ(changes, c.changes) << c.style << c.withOnSelect;
        EXPECT_EQ(clicks, 1) << c.style << c.withOnSelect;
    }
}

TEST(ComboBox, TextOfADropDownListChoosesTheItem) {
    struct Case {
        const char* text;
        int itemIndex;
        const char* shown;
    };
    const Case cases[] = {{"Letter", 2, "Letter"}, {"a5", 1, "A5"}, {"B5", -1, ""}};
    for (bool withWindow : {false, true}) {
        for (const Case& c : cases) {
            ComboForm f(csDropDownList);
            if (withWindow) f.combo->HandleNeeded();
            f.combo->SetText(c.text);
            EXPECT_EQ(f.combo->ItemIndex(), c.itemIndex) << c.text << withWindow;
            EXPECT_EQ(f.combo->Text(), c.shown) << c.text << withWindow;
        }
    }
}

TEST(ComboBox, ItemsIndexAndTextSurviveRecreation) {
    ComboForm f(csDropDown);
    f.combo->SetItemIndex(2);
    const HWND before = f.combo->Handle();
    f.combo->SetStyle(csDropDownList);
    ASSERT_NE(f.combo->Handle(), before);
    EXPECT_EQ(WindowItems(f.combo->Handle(), CB_GETCOUNT, CB_GETLBTEXT), "A4|A5|Letter");
    EXPECT_EQ(f.combo->ItemIndex(), 2);
    EXPECT_EQ(f.combo->Text(), "Letter");
    f.combo->SetStyle(csDropDown);
    f.combo->SetItemIndex(-1);
    f.combo->SetText("w\xB3\x61sny");
    f.combo->SetSorted(true);
    EXPECT_EQ(f.combo->Text(), "w\xB3\x61sny");
    f.combo->Clear();
    EXPECT_EQ(f.combo->Items()->Count(), 0);
    EXPECT_EQ(f.combo->Text(), "");
}

TEST(ComboBox, DroppingDownFiresOnDropDownAndShowsDropDownCountItems) {
    struct Case {
        int dropDownCount;
        int shown;
    };
    const Case cases[] = {{8, 3}, {2, 2}};
    for (const Case& c : cases) {
        int dropDowns = 0;
        ComboForm f(csDropDownList);
        f.combo->SetDropDownCount(c.dropDownCount);
        f.combo->OnDropDown = [&](TObject*) { ++dropDowns; };
        f.form->Show();
        Pump();
        f.combo->SetDroppedDown(true);
        Pump();
        EXPECT_TRUE(f.combo->DroppedDown());
        EXPECT_EQ(dropDowns, 1);
        COMBOBOXINFO info{};
        info.cbSize = sizeof info;
        ASSERT_TRUE(GetComboBoxInfo(f.combo->Handle(), &info));
        RECT client;
        GetClientRect(info.hwndList, &client);
        EXPECT_EQ(client.bottom / f.combo->ItemHeight(), c.shown) << c.dropDownCount;
        f.combo->SetDroppedDown(false);
        EXPECT_FALSE(f.combo->DroppedDown());
    }
}

}  // namespace
