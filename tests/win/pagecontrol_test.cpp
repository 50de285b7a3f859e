// Page control and tab set: hidden tabs (the pages then fill the control),
// the change events of clicks and SelectNextPage (none from code), page
// bookkeeping, and the tab set's refusable change with its painted tabs.
#include "classlib/win/PageControl.h"

#include <gtest/gtest.h>

#include "classlib/win/Forms.h"
#include "classlib/win/TabSet.h"
#include "tests/win/FormsTestSupport.h"

namespace {

using namespace cl;
using namespace cltest;

struct PagesForm {
    Owned<TForm> form = Make<TForm>(nullptr);
    TPageControl* pages;
    std::vector<TTabSheet*> sheets;

    explicit PagesForm(int count = 3) {
        form->SetBounds(100, 100, 400, 300);
        pages = new TPageControl(form.get());
        pages->SetName("XcPageControl1");
        pages->SetBounds(10, 10, 300, 200);
        pages->SetParent(form.get());
        for (int i = 0; i < count; ++i) {
            auto* sheet = new TTabSheet(form.get());
            sheet->SetName("TabSheet" + std::to_string(i + 1));
            sheet->SetCaption("Strona " + std::to_string(i + 1));
            sheet->SetPageControl(pages);
            sheets.push_back(sheet);
        }
    }
    int WindowTabs() const { return static_cast<int>(SendMessageW(pages->Handle(), TCM_GETITEMCOUNT, 0, 0)); }
};

TEST(PageControlTabs, HiddenTabsLeaveTheWholeControlToThePages) {
    struct Case {
        const char* name;
        bool visible[3];
        bool hideBeforeWindow;
        int tabs;
        bool fills;  // the active page covers the whole control
    };
    const Case cases[] = {
        {"all shown", {true, true, true}, false, 3, false},
        {"one shown", {false, true, false}, false, 1, false},
        {"all hidden", {false, false, false}, false, 0, true},
        {"all hidden before the window", {false, false, false}, true, 0, true},
    };
    for (const Case& c : cases) {
        PagesForm f;
        if (!c.hideBeforeWindow) f.form->Show();
        for (int i = 0; i < 3; ++i) f.sheets[static_cast<size_t>(i)]->SetTabVisible(c.visible[i]);
        if (c.hideBeforeWindow) f.form->Show();
        EXPECT_EQ(f.WindowTabs(), c.tabs) << c.name;
        // The program switches hidden pages from code.
        f.pages->SetActivePage(f.sheets[2]);
        TTabSheet* active = f.sheets[2];
        EXPECT_TRUE(active->Visible()) << c.name;
        EXPECT_FALSE(f.sheets[0]->Visible()) << c.name;
        const TRect client = f.pages->ClientRect();
        const std::string whole = "0,0," + std::to_string(client.right) + "," + std::to_string(client.bottom);
        if (c.fills) {
            EXPECT_EQ(Bounds(active), whole) << c.name;
            EXPECT_EQ(f.pages->TabIndex(), -1) << c.name;
        } else {
            EXPECT_GT(active->Top(), 10) << c.name << ": below the tabs";
            EXPECT_LT(active->Height(), client.bottom - 10) << c.name;
        }
        EXPECT_EQ(active->TabIndex(), c.visible[2] ? c.tabs - 1 : -1) << c.name;
    }
}

TEST(PageControlTabs, ShowingTheTabsAgainMakesRoomForThem) {
    PagesForm f(2);
    f.form->Show();
    for (TTabSheet* s : f.sheets) s->SetTabVisible(false);
    EXPECT_EQ(f.sheets[0]->Top(), 0);
    f.sheets[1]->SetTabVisible(true);
    EXPECT_EQ(f.WindowTabs(), 1);
    EXPECT_GT(f.sheets[0]->Top(), 10);
    EXPECT_EQ(f.pages->TabIndex(), -1) << "the active page's tab is still hidden";
    f.pages->SetActivePage(f.sheets[1]);
    EXPECT_EQ(f.pages->TabIndex(), 0);
}

TEST(PageControlEvents, UserChangesAskAndReportCodeChangesDoNot) {
    struct Case {
        const char* how;
        bool allow;
        int expectedPage;
        const char* events;
    };
    const Case cases[] = {
        {"code", true, 1, ""},
        {"code", false, 1, ""},
        {"click", true, 1, "changing,change:1"},
        {"click", false, 0, "changing"},
        {"next", true, 1, "changing,change:1"},
        {"next", false, 0, "changing"},
        {"previous", true, 2, "changing,change:2"},
    };
    for (const Case& c : cases) {
        PagesForm f;
        f.form->Show();
        ASSERT_EQ(f.pages->ActivePage(), f.sheets[0]);
        std::string events;
        f.pages->OnChanging = [&](TObject*, bool& allow) {
            events += events.empty() ? "changing" : ",changing";
            allow = c.allow;
        };
        f.pages->OnChange = [&](TObject*) {
            events += ",change:" + std::to_string(f.pages->ActivePageIndex());
        };
        const std::string how = c.how;
        if (how == "code") {
            f.pages->SetActivePage(f.sheets[1]);
        } else if (how == "click") {
            const TRect r = f.pages->TabRect(1);
            PostClick(f.pages->Handle(), (r.left + r.right) / 2, (r.top + r.bottom) / 2);
            Pump();
        } else {
            f.pages->SelectNextPage(how == "next");
        }
        EXPECT_EQ(f.pages->ActivePageIndex(), c.expectedPage) << how << " " << c.allow;
        EXPECT_EQ(f.pages->TabIndex(), c.expectedPage) << how << " " << c.allow;
        EXPECT_EQ(events, c.events) << how << " " << c.allow;
        for (size_t i = 0; i < f.sheets.size(); ++i)
            EXPECT_EQ(f.sheets[i]->Visible(), static_cast<int>(i) == c.expectedPage) << how;
    }
}

TEST(PageControlPages, OrderRemovalAndNamesFollowThePages) {
    PagesForm f;
    f.form->Show();
    f.sheets[2]->SetPageIndex(0);
    EXPECT_EQ(f.pages->Pages(0), f.sheets[2]);
    EXPECT_EQ(f.sheets[0]->PageIndex(), 1);
    EXPECT_EQ(f.pages->PageCount(), 3);
    EXPECT_THROW(f.pages->Pages(3), EListError);
    f.sheets[1]->SetTabVisible(false);
    EXPECT_EQ(f.pages->FindNextPage(f.sheets[0], true, true), f.sheets[2])
        << "wraps, skipping the hidden tab";
    EXPECT_EQ(f.pages->FindNextPage(f.sheets[0], true, false), f.sheets[1]);
    // The active page goes: the next one with a tab takes its place.
    f.pages->SetActivePage(f.sheets[0]);
    f.sheets[0]->Free();
    EXPECT_EQ(f.pages->PageCount(), 2);
    EXPECT_EQ(f.pages->ActivePage(), f.sheets[2]);
    EXPECT_TRUE(f.sheets[2]->Visible());
    // A test driver finds the sheet by its name.
    wchar_t name[64] = {};
    const auto atom =
        static_cast<ATOM>(reinterpret_cast<UINT_PTR>(GetPropW(f.sheets[2]->Handle(), L"ClName")));
    GlobalGetAtomNameW(atom, name, 64);
    EXPECT_STREQ(name, L"TabSheet3");
}

TEST(PageControlStyle, RecreatedWindowKeepsPagesAndActivePage) {
    PagesForm f;
    f.form->Show();
    f.pages->SetActivePage(f.sheets[1]);
    const HWND old = f.pages->Handle();
    f.pages->SetStyle(tsButtons);
    f.pages->SetTabPosition(tpBottom);
    EXPECT_NE(f.pages->Handle(), old);
    EXPECT_TRUE(GetWindowLongW(f.pages->Handle(), GWL_STYLE) & TCS_BUTTONS);
    EXPECT_EQ(f.WindowTabs(), 3);
    EXPECT_EQ(f.pages->ActivePage(), f.sheets[1]);
    EXPECT_EQ(f.pages->TabIndex(), 1);
    EXPECT_EQ(f.sheets[1]->Caption(), "Strona 2");
}

// ---- Tab set -------------------------------------------------------------------
struct TabSetForm {
    Owned<TForm> form = Make<TForm>(nullptr);
    TTabSet* tabs;

    TabSetForm() {
        form->SetBounds(100, 100, 400, 200);
        tabs = new TTabSet(form.get());
        tabs->SetName("PageNavigator");
        tabs->SetBounds(0, 100, 300, 21);
        tabs->SetParent(form.get());
        for (const char* s : {"1", "2", "3"}) tabs->Tabs()->Add(s);
        tabs->SetTabIndex(0);
    }
};

TEST(TabSet, OnChangeDecidesThenOnClickFollows) {
    struct Case {
        const char* how;
        bool allow;
        int expected;
        const char* events;
    };
    const Case cases[] = {
        {"code", true, 2, "change:2,click"},
        {"code", false, 0, "change:2"},
        {"click", true, 2, "change:2,click"},
        {"click", false, 0, "change:2"},
    };
    for (const Case& c : cases) {
        TabSetForm f;
        f.form->Show();
        std::string events;
        f.tabs->OnChange = [&](TObject*, int newTab, bool& allow) {
            events += "change:" + std::to_string(newTab);
            allow = c.allow;
        };
        f.tabs->OnClick = [&](TObject*) { events += ",click"; };
        if (std::string(c.how) == "code") {
            f.tabs->SetTabIndex(2);
        } else {
            const TRect r = f.tabs->ItemRect(2);
            PostClick(f.tabs->Handle(), (r.left + r.right) / 2, r.bottom / 2);
            Pump();
        }
        EXPECT_EQ(f.tabs->TabIndex(), c.expected) << c.how << " " << c.allow;
        EXPECT_EQ(events, c.events) << c.how << " " << c.allow;
    }
}

TEST(TabSet, IndexStaysWithinTheTabs) {
    TabSetForm f;
    int changes = 0;
    f.tabs->OnChange = [&](TObject*, int, bool&) { ++changes; };
    f.tabs->SetTabIndex(0);
    EXPECT_EQ(changes, 0) << "the same tab again is no change";
    EXPECT_THROW(f.tabs->SetTabIndex(3), EListError);
    EXPECT_THROW(f.tabs->SetTabIndex(-2), EListError);
    f.tabs->SetTabIndex(2);
    // Deleting the last tab moves the index quietly to the new last one.
    f.tabs->Tabs()->Delete(2);
    EXPECT_EQ(f.tabs->TabIndex(), 1);
    f.tabs->Tabs()->Clear();
    EXPECT_EQ(f.tabs->TabIndex(), -1);
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(f.tabs->ItemAtPos(Point(10, 5)), -1);
}

TEST(TabSet, TabsArePaintedInTheirColoursAlongTheTopEdge) {
    TabSetForm f;
    f.tabs->SetSelectedColor(clYellow);
    f.tabs->SetUnselectedColor(clAqua);
    f.tabs->SetBackgroundColor(clGreen);
    f.tabs->SetTabIndex(1);
    f.form->Show();
    f.tabs->Repaint();
    auto pixel = [&](int x, int y) { return PixelOf(f.form.get(), f.tabs->Left() + x, f.tabs->Top() + y); };
    const TRect selected = f.tabs->ItemRect(1);
    const TRect unselected = f.tabs->ItemRect(0);
    const TRect last = f.tabs->ItemRect(2);
    struct Probe {
        const char* what;
        int x, y;
        COLORREF colour;
    };
    const Probe probes[] = {
        {"selected tab", selected.left + 3, 3, RGB(255, 255, 0)},
        {"selected tab opens the edge", (selected.left + selected.right) / 2, 0, RGB(255, 255, 0)},
        {"unselected tab", unselected.left + 3, 3, RGB(0, 255, 255)},
        {"edge over an unselected tab", (unselected.left + unselected.right) / 2, 0,
         static_cast<COLORREF>(ColorToRGB(clWindowFrame))},
        {"background after the tabs", last.right + 20, 10, RGB(0, 128, 0)},
    };
    for (const Probe& p : probes) EXPECT_EQ(pixel(p.x, p.y), p.colour) << p.what;
    EXPECT_EQ(f.tabs->ItemAtPos(Point((selected.left + selected.right) / 2, 5)), 1);
}

}  // namespace
