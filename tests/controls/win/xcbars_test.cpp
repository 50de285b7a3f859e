// The tool bar over an owner-drawn menu and the status bar in a test
// window: buttons following the menu's top-level items, a drop-down that
// the menu paints and whose command reaches its item, a bar freed while
// its drop-down is open, no children written beside a menu; the
// application's hint in one borderless part, panels with controls, and
// both bars' destruction.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "classlib/win/ExtCtrls.h"
#include "classlib/win/Forms.h"
#include "classlib/win/WideText.h"
#include "controls/win/XcStatusBar.h"
#include "controls/win/XcToolBar.h"
#include "frameworks/data/XcExceptions.h"
#include "tests/controls/win/PinnedThemes.h"
#include "tests/support/ControlDestruction.h"
#include "tests/win/FormsTestSupport.h"

namespace {

using namespace cl;
using namespace cltest;

struct BarWithMenu {
    Owned<TForm> form = Make<TForm>(nullptr);
    TXcMainMenu* menu = new TXcMainMenu(form.get());
    TMenuItem* file = NewItem(form.get(), menu->Items(), "&Sprawozdania");
    TMenuItem* create = NewItem(form.get(), file, "&Nowe");
    TMenuItem* load = NewItem(form.get(), file, "&Wczytaj");
    TMenuItem* about = NewItem(form.get(), menu->Items(), "&O programie");
    TXcToolBar* bar = new TXcToolBar(form.get());
    BarWithMenu() {
        form->SetBounds(100, 100, 400, 200);
        bar->SetParent(form.get());
        bar->SetMenu(menu);
        form->Show();
        Pump();
    }
};

// Opens a menu with open(); once its window shows, step runs inside the
// menu's loop.  A menu the step leaves open is ended after two seconds.
void InMenu(const std::function<void(HWND menuWindow)>& step, const std::function<void()>& open) {
    bool done = false;
    int ticks = 0;
    Owned<TTimer> timer(new TTimer(nullptr));
    timer->SetInterval(100);
    timer->SetOnTimer([&](TObject*) {
        HWND wnd = FindWindowW(L"#32768", nullptr);
        if (!done && wnd && IsWindowVisible(wnd)) {
            done = true;
            step(wnd);
        } else if (++ticks > 20) {
            timer->SetEnabled(false);
            EndMenu();
        }
    });
    open();
    EXPECT_TRUE(done) << "the menu did not open";
}

TEST(ToolBarMenu, ANewTopLevelItemAddsAButtonOtherChangesKeepThem) {
    BarWithMenu b;
    ASSERT_EQ(b.bar->ButtonCount(), 2);
    TToolButton* first = b.bar->Buttons(0);
    b.about->SetCaption("&Pomoc");
    NewItem(b.form.get(), b.file, "&Zapisz");
    EXPECT_EQ(b.bar->Buttons(0), first) << "the same number of top-level items";
    NewItem(b.form.get(), b.menu->Items(), "&Widok");
    ASSERT_EQ(b.bar->ButtonCount(), 3);
    EXPECT_EQ(b.bar->Buttons(2)->MenuItem()->Caption(), "&Widok");
    Pump();
    EXPECT_EQ(SendMessageW(b.bar->Handle(), TB_BUTTONCOUNT, 0, 0), 3);
}

TEST(ToolBarMenu, WithoutWrappingTheBarIsAsWideAsItsButtons) {
    BarWithMenu b;
    b.bar->SetAlign(alNone);
    b.bar->SetWrapable(false);
    int width = 0;
    for (int i = 0; i < b.bar->ButtonCount(); ++i) width += b.bar->Buttons(i)->Width();
    EXPECT_EQ(b.bar->Width(), width);
}

TEST(ToolBarMenu, WithAMenuTheBarWritesNoChildrenItsButtonsComeFromTheMenu) {
    BarWithMenu b;
    auto* own = new TTestEdit(b.form.get());
    own->SetParent(b.bar);
    const auto children = [&] {
        std::vector<TComponent*> written;
        b.bar->GetChildren([&](TComponent* child) { written.push_back(child); }, b.form.get());
        return written;
    };
    EXPECT_TRUE(children().empty());
    b.bar->SetMenu(nullptr);
    EXPECT_EQ(children(), std::vector<TComponent*>{own});
}

TEST(ToolBarMenu, TheMenuPaintsTheDropDownAndItsCommandReachesTheItem) {
    BarWithMenu b;
    int measured = 0, drawn = 0, loads = 0;
    b.menu->SetStyle(msOwnerDraw);
    b.menu->OnMeasureItem = [&](TMenu*, TMenuItem*, int& w, int& h) {
        ++measured;
        w = 80;
        h = 18;
    };
    b.menu->OnDrawItem = [&](TMenu*, TMenuItem*, const TRect&, TOwnerDrawState) { ++drawn; };
    b.load->OnClick = [&](TObject*) { ++loads; };
    InMenu(
        [](HWND wnd) {
            PostKey(wnd, VK_DOWN);
            PostKey(wnd, VK_DOWN);
            PostKey(wnd, VK_RETURN);
        },
        [&] { b.bar->Buttons(0)->CheckMenuDropdown(); });
    EXPECT_EQ(loads, 1);
    // The drop-down's access keys through the menu: "W" is the second item's.
    const LRESULT key = SendMessageW(b.bar->Handle(), WM_MENUCHAR, MAKEWPARAM('w', MF_POPUP),
                                     reinterpret_cast<LPARAM>(b.file->Handle()));
    EXPECT_EQ(key, MAKELRESULT(1, MNC_EXECUTE));
    EXPECT_GE(measured, 2);
    EXPECT_GE(drawn, 2);
    EXPECT_EQ(b.file->Count(), 2) << "nothing was moved";
}

TEST(ToolBarMenu, FreeingTheBarWhileItsDropDownIsOpenKeepsTheSubItems) {
    BarWithMenu b;
    HMENU sub = b.file->Handle();
    InMenu(
        [&](HWND) {
            b.bar->Free();
            b.bar = nullptr;
            EndMenu();
        },
        [&] { b.bar->Buttons(0)->CheckMenuDropdown(); });
    Pump();
    ASSERT_EQ(b.file->Count(), 2);
    EXPECT_EQ(b.file->Items(0), b.create);
    EXPECT_EQ(b.file->Items(1), b.load);
    EXPECT_EQ(GetMenuItemCount(sub), 2);
    EXPECT_EQ(b.file->Handle(), sub);
}

// ---- Status bar ----------------------------------------------------------------------------
std::string PartText(HWND bar, int part) {
    const LRESULT info = SendMessageW(bar, SB_GETTEXTLENGTHW, static_cast<WPARAM>(part), 0);
    std::wstring text(LOWORD(info) + 1, L'\0');
    SendMessageW(bar, SB_GETTEXTW, static_cast<WPARAM>(part), reinterpret_cast<LPARAM>(text.data()));
    text.resize(LOWORD(info));
    return FromWide(text);
}

std::vector<int> PartEdges(HWND bar) {
    std::vector<int> edges(8);
    edges.resize(static_cast<size_t>(
        SendMessageW(bar, SB_GETPARTS, edges.size(), reinterpret_cast<LPARAM>(edges.data()))));
    return edges;
}

struct StatusForm {
    Owned<TForm> form = Make<TForm>(nullptr);
    TXcStatusBar* bar = new TXcStatusBar(form.get());
    StatusForm() {
        form->SetBounds(100, 100, 400, 200);
        bar->SetParent(form.get());
        bar->SetAutoHint(true);
        form->Show();
        form->SetFocus();
        Pump();
    }
    ~StatusForm() { Application->SetHint(""); }
};

TEST(StatusBarHint, TheHintLeavesSimpleModeForOneBorderlessPartAndAnEmptyOneComesBack) {
    StatusForm s;
    HWND wnd = s.bar->Handle();
    ASSERT_TRUE(SendMessageW(wnd, SB_ISSIMPLE, 0, 0)) << "no panels: simple mode";
    Application->SetHint("  Nowe sprawozdanie (Ctrl+N) ");
    EXPECT_TRUE(s.bar->HintShown());
    EXPECT_FALSE(SendMessageW(wnd, SB_ISSIMPLE, 0, 0));
    EXPECT_EQ(PartEdges(wnd), std::vector<int>{-1});
    EXPECT_EQ(PartText(wnd, 0), "Nowe sprawozdanie (Ctrl+N)");
    const auto textStyle = [wnd] { return HIWORD(SendMessageW(wnd, SB_GETTEXTLENGTHW, 0, 0)); };
    EXPECT_EQ(textStyle() & (SBT_NOBORDERS | SBT_RTLREADING), SBT_NOBORDERS);
    Application->SetHint("");
    EXPECT_FALSE(s.bar->HintShown());
    EXPECT_TRUE(SendMessageW(wnd, SB_ISSIMPLE, 0, 0));
    // Read from the right in a right-to-left bar.
    s.bar->SetBiDiMode(bdRightToLeftReadingOnly);
    Application->SetHint("Drukuj");
    EXPECT_EQ(textStyle() & (SBT_NOBORDERS | SBT_RTLREADING), SBT_NOBORDERS | SBT_RTLREADING);
}

TEST(StatusBarHint, PanelsAndTheirControlsGoForTheHintAndComeBack) {
    StatusForm s;
    auto* edit = new TTestEdit(s.form.get());
    s.bar->Panels()->Add()->SetWidth(120);
    TXcStatusPanel* second = static_cast<TXcStatusPanel*>(s.bar->Panels()->Add());
    second->SetWidth(150);
    second->SetMarginLeft(5);
    second->SetControl(edit);
    EXPECT_EQ(edit->Parent(), s.bar);
    EXPECT_EQ(edit->Height(), s.bar->ClientHeight() - 4);
    EXPECT_EQ(Bounds(edit), "125,3,120," + std::to_string(s.bar->ClientHeight() - 4));
    Application->SetHint("Wczytaj sprawozdanie");
    EXPECT_FALSE(edit->Visible());
    EXPECT_EQ(PartEdges(s.bar->Handle()), std::vector<int>{-1});
    Application->SetHint("");
    EXPECT_TRUE(edit->Visible());
    EXPECT_EQ(PartEdges(s.bar->Handle()), (std::vector<int>{120, -1}));
    EXPECT_EQ(Bounds(edit), "125,3,120," + std::to_string(s.bar->ClientHeight() - 4)) << "placed again";
}

TEST(StatusBarWindow, WithoutThemesItIsNotRedrawnWholeWhenOnlyItsWidthChanges) {
    WNDCLASSW system{};
    ASSERT_TRUE(GetClassInfoW(nullptr, STATUSCLASSNAMEW, &system));
    for (bool themed : {true, false}) {
        SCOPED_TRACE(themed ? "themes" : "no themes");
        PinnedThemes themes(themed);
        const ThemeServicesScope pinned(themes);
        StatusForm s;
        HWND wnd = s.bar->Handle();
        const auto style = static_cast<UINT>(GetClassLongW(wnd, GCL_STYLE));
        EXPECT_EQ(style, themed ? system.style : system.style & ~CS_HREDRAW);
        // Still the system's status bar.
        EXPECT_TRUE(SendMessageW(wnd, SB_ISSIMPLE, 0, 0));
        Application->SetHint("Drukuj (Ctrl+D)");
        EXPECT_EQ(PartText(wnd, 0), "Drukuj (Ctrl+D)");
    }
}

TEST(StatusBarPanel, TheBarItselfIsRefusedAndAFreedControlLeavesItsPanel) {
    StatusForm s;
    auto* panel = static_cast<TXcStatusPanel*>(s.bar->Panels()->Add());
    auto* edit = new TTestEdit(s.form.get());
    panel->SetControl(edit);
    try {
        panel->SetControl(s.bar);
        ADD_FAILURE() << "no error";
    } catch (const EXCLException& e) {
        EXPECT_EQ(e.Message(), "Invalid control selection");
    }
    EXPECT_EQ(panel->Control(), edit) << "the previous control stays";
    edit->Free();
    EXPECT_EQ(panel->Control(), nullptr);
}

}  // namespace

namespace cltest {
INSTANTIATE_TEST_SUITE_P(Bars, ControlDestruction,
                         ::testing::Values(ControlOf<TXcToolBar>("TXcToolBar"),
                                           ControlOf<TXcStatusBar>("TXcStatusBar")),
                         ControlName);
}  // namespace cltest
