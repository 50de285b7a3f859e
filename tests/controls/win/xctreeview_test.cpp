// TXcTreeView in a test window: line colour and item height kept before the
// window, checks and bold through a window recreation, clicks, node menus
// that go with their nodes, the page link, the menu mirror, the
// multi-selection by the mouse and the keys, clicks beside a check box,
// scroll bars that follow the enabled state; and the
// shared destruction test of the enhanced trees and page controls.
#include "controls/win/XcTreeView.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "classlib/win/Forms.h"
#include "classlib/win/Panels.h"
#include "controls/win/XcPageControl.h"
#include "tests/support/ControlDestruction.h"
#include "tests/win/FormsTestSupport.h"

namespace {

using namespace cl;
using namespace cltest;

struct TreeWindow {
    TreeWindow() : form(Make<TForm>(nullptr)) {
        form->SetBounds(60, 60, 320, 300);
        tree = new TXcTreeView(form.get());
        tree->SetBounds(0, 0, 300, 260);
    }
    void Show() {
        tree->SetParent(form.get());
        form->Show();
        Pump();
    }
    TXcTreeNode* Add(const std::string& text, TTreeNode* parent = nullptr) {
        return static_cast<TXcTreeNode*>(tree->Items()->AddChild(parent, text));
    }
    // The item's state bits of the mask.
    UINT State(TTreeNode* node, UINT mask) {
        return static_cast<UINT>(
            SendMessageW(tree->Handle(), TVM_GETITEMSTATE, reinterpret_cast<WPARAM>(node->ItemId()), mask));
    }
    LPARAM Center(TTreeNode* node) {
        const TRect r = node->DisplayRect(true);
        return MAKELPARAM((r.left + r.right) / 2, (r.top + r.bottom) / 2);
    }

    Owned<TForm> form;
    TXcTreeView* tree;
};

TEST(XcTreeView, LineColourAndItemHeightSetBeforeTheWindowReachIt) {
    TreeWindow w;
    EXPECT_EQ(w.tree->LineColor(), clDefault);
    EXPECT_EQ(w.tree->ItemHeight(), 16);
    w.tree->SetLineColor(clRed);
    w.tree->SetItemHeight(20);
    w.Show();
    HWND wnd = w.tree->Handle();
    EXPECT_EQ(SendMessageW(wnd, TVM_GETLINECOLOR, 0, 0), 0x0000FF);
    EXPECT_EQ(SendMessageW(wnd, TVM_GETITEMHEIGHT, 0, 0), 20);
    w.tree->RecreateWnd();
    EXPECT_EQ(SendMessageW(w.tree->Handle(), TVM_GETLINECOLOR, 0, 0), 0x0000FF) << "the next window too";
    EXPECT_EQ(w.tree->LineColor(), clRed);
    w.tree->SetLineColor(clGreen);
    EXPECT_EQ(SendMessageW(w.tree->Handle(), TVM_GETLINECOLOR, 0, 0), 0x008000);

    TreeWindow fresh;
    fresh.Show();
    EXPECT_EQ(fresh.tree->LineColor(), clDefault) << "CLR_DEFAULT of a fresh window";
}

TEST(XcTreeView, ChecksAndBoldSurviveACheckboxesToggle) {
    TreeWindow w;
    TXcTreeNode* a = w.Add("a");
    TXcTreeNode* b = w.Add("b");
    TXcTreeNode* c = w.Add("c", a);
    a->Expand(false);
    a->SetChecked(true);
    b->SetBold(true);
    w.tree->SetCheckboxes(true);
    w.Show();
    ASSERT_TRUE(PumpUntil([&] {
        return SendMessageW(w.tree->Handle(), TVM_GETIMAGELIST, TVSIL_STATE, 0) != 0;
    })) << "the check images come with the first paint";
    EXPECT_EQ(w.State(a, TVIS_STATEIMAGEMASK), INDEXTOSTATEIMAGEMASK(2u));
    EXPECT_EQ(w.State(b, TVIS_STATEIMAGEMASK), INDEXTOSTATEIMAGEMASK(1u));
    EXPECT_TRUE(w.State(b, TVIS_BOLD));
    // The user checks c in the window.
    TVITEMW item{};
    item.mask = TVIF_HANDLE | TVIF_STATE;
    item.hItem = c->ItemId();
    item.state = INDEXTOSTATEIMAGEMASK(2u);
    item.stateMask = TVIS_STATEIMAGEMASK;
    SendMessageW(w.tree->Handle(), TVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&item));
    EXPECT_TRUE(c->Checked());
    w.tree->SetCheckboxes(false);
    w.tree->SetCheckboxes(true);
    // The new window's first paint unchecks every item; the nodes' states
    // are written back after it.
    Pump();
    EXPECT_TRUE(a->Checked());
    EXPECT_FALSE(b->Checked());
    EXPECT_TRUE(c->Checked());
    EXPECT_EQ(w.State(c, TVIS_STATEIMAGEMASK), INDEXTOSTATEIMAGEMASK(2u));
    EXPECT_TRUE(w.State(b, TVIS_BOLD));
    EXPECT_TRUE(SendMessageW(w.tree->Handle(), TVM_GETIMAGELIST, TVSIL_STATE, 0)) << "the check images stay";
}

TEST(XcTreeView, ClicksSelectTheNodeUnderThePointer) {
    struct Case {
        const char* name;
        UINT down, up;
    } const cases[] = {{"right click", WM_RBUTTONDOWN, WM_RBUTTONUP},
                       {"left click", WM_LBUTTONDOWN, WM_LBUTTONUP}};
    for (const Case& c : cases) {
        TreeWindow w;
        w.Add("jeden");
        TXcTreeNode* two = w.Add("dwa");
        w.Add("trzy");
        w.Show();
        int popups = 0;
        two->PopupMenu()->OnPopup = [&popups](TObject*) { ++popups; };
        PostMessageW(w.tree->Handle(), c.down, c.down == WM_RBUTTONDOWN ? MK_RBUTTON : MK_LBUTTON,
                     w.Center(two));
        PostMessageW(w.tree->Handle(), c.up, 0, w.Center(two));
        Pump();
        EXPECT_EQ(w.tree->Selected(), two) << c.name;
        EXPECT_EQ(w.tree->ItemIndex(), 1) << c.name;
        EXPECT_EQ(popups, 0) << c.name << ": a menu without items does not show";
    }
}

TEST(XcTreeView, ALeftClickLeavesTheSelectionToTheControl) {
    // The steps tree's handler cuts the clicked step off and turns to
    // another: the control must not be left selecting an item that went.
    TreeWindow w;
    TXcTreeNode* first = w.Add("jeden");
    w.Add("dwa");
    TXcTreeNode* cut = w.Add("trzy");
    w.Show();
    w.tree->OnChange = [&](TObject*, TTreeNode* node) {
        if (node != cut) return;
        cut->Delete();
        w.tree->SetSelected(first);
    };
    PostClick(w.tree->Handle(), LOWORD(w.Center(cut)), HIWORD(w.Center(cut)));
    Pump();
    EXPECT_EQ(w.tree->Items()->Count(), 2);
    EXPECT_EQ(w.tree->Selected(), first);
}

// Counts the watched components that went.
class TGoneCounter : public TComponent {
public:
    TGoneCounter() : TComponent(nullptr) {}
    void Watch(TComponent* component) {
        component->FreeNotification(this);
        ++watched;
    }
    int watched = 0, gone = 0;

protected:
    void Notification(TComponent* component, TOperation operation) override {
        TComponent::Notification(component, operation);
        gone += operation == opRemove;
    }
};

TEST(XcTreeView, RefillsLeaveNoMenusBehind) {
    TreeWindow w;
    w.Show();
    TGoneCounter menus;
    const int components = w.tree->ComponentCount() + w.form->ComponentCount();
    const int windows = destruction::ControlWindowCount();
    for (int round = 0; round < 200; ++round) {
        w.tree->Items()->Clear();
        for (const char* text : {"Bilans", "Rachunek", "Zestawienie"}) {
            TXcTreeNode* node = w.Add(text);
            if (round % 2 == 0) menus.Watch(node->PopupMenu());
        }
    }
    w.tree->Items()->Clear();
    EXPECT_EQ(menus.watched, 300);
    EXPECT_EQ(menus.gone, 300) << "each menu went with its node";
    EXPECT_EQ(w.tree->ComponentCount() + w.form->ComponentCount(), components);
    // GetGuiResources answers 0 under Wine: the windows are counted instead.
    EXPECT_EQ(destruction::ControlWindowCount(), windows);
}

TEST(XcTreeView, TheLastMatchingPageWins) {
    TreeWindow w;
    auto* pages = new TXcPageControl(w.form.get());
    pages->SetParent(w.form.get());
    std::vector<TTabSheet*> sheets;
    for (const char* caption : {"Bilans", "Rachunek", "BILANS"}) {
        auto* sheet = new TTabSheet(w.form.get());
        sheet->SetCaption(caption);
        sheet->SetPageControl(pages);
        sheets.push_back(sheet);
    }
    w.tree->SetPageControl(pages);
    TTabSheet* reported = nullptr;
    w.tree->OnPageChanged = [&reported](TObject*, TTreeNode*, TTabSheet* page) { reported = page; };
    TXcTreeNode* bilans = w.Add("bilans");
    TXcTreeNode* other = w.Add("Informacja");
    w.Show();
    w.tree->SetSelected(bilans);
    EXPECT_EQ(pages->ActivePage(), sheets[2]);
    EXPECT_EQ(reported, sheets[2]);
    w.tree->SetSelected(other);
    EXPECT_EQ(pages->ActivePage(), sheets[2]) << "no page matches";
    w.tree->OnComparePage = [&](TObject*, TTabSheet* page, TTreeNode*, bool& matches) {
        matches = page == sheets[1];
    };
    w.tree->SetSelected(bilans);
    EXPECT_EQ(pages->ActivePage(), sheets[1]);
    pages->Free();
    EXPECT_EQ(w.tree->PageControl(), nullptr);
}

TEST(XcTreeView, MenuMirrorStripsAccessKeysAndSkipsLines) {
    TreeWindow w;
    auto* menu = new TMainMenu(w.form.get());
    auto item = [&](TMenuItem* parent, const char* caption) {
        auto* i = new TMenuItem(w.form.get());
        i->SetCaption(caption);
        parent->Add(i);
        return i;
    };
    TMenuItem* file = item(menu->Items(), "&Plik");
    TMenuItem* open = item(file, "&Otwórz");
    item(file, "-");
    item(file, "Zapisz &jako");
    item(menu->Items(), "-");
    item(menu->Items(), "");
    item(menu->Items(), "Po&moc");
    std::vector<std::string> clicked;
    open->OnClick = [&clicked](TObject* s) { clicked.push_back(static_cast<TMenuItem*>(s)->Caption()); };
    w.Show();
    w.tree->SetMenu(menu);
    std::vector<std::string> texts;
    for (TTreeNode* n = w.tree->Items()->GetFirstNode(); n; n = n->GetNext())
        texts.push_back(std::to_string(n->Level()) + n->Text());
    EXPECT_EQ(texts, (std::vector<std::string>{"0Plik", "1Otwórz", "1Zapisz jako", "0Pomoc"}));
    w.tree->SetItemIndex(1);
    EXPECT_EQ(clicked, std::vector<std::string>{"&Otwórz"}) << "selecting runs the item";
    item(menu->Items(), "&Okno");
    EXPECT_EQ(w.tree->Items()->Count(), 5) << "the menu's change rebuilds";
    menu->Free();
    EXPECT_EQ(w.tree->Menu(), nullptr);
}

// The screen's pixels of the window's frame below its client area (where a
// horizontal scroll bar shows).
std::vector<COLORREF> BelowClient(HWND wnd) {
    RECT window{}, client{};
    GetWindowRect(wnd, &window);
    GetClientRect(wnd, &client);
    POINT origin{0, 0};
    ClientToScreen(wnd, &origin);
    std::vector<COLORREF> pixels;
    const WindowDC dc(wnd, GetWindowDC(wnd));
    for (int y = origin.y - window.top + client.bottom; y < window.bottom - window.top; ++y)
        for (int x = 0; x < window.right - window.left; ++x) pixels.push_back(GetPixel(dc.get(), x, y));
    return pixels;
}

TEST(XcTreeView, ScrollBarsShowTheEnabledStateAfterARepaint) {
    TreeWindow w;
    w.Show();
    w.Add(std::string(120, 'W'));
    HWND wnd = w.tree->Handle();
    ASSERT_TRUE(GetWindowLongW(wnd, GWL_STYLE) & WS_HSCROLL);
    auto repaint = [wnd] { RedrawWindow(wnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW); };
    repaint();
    const std::vector<COLORREF> enabled = BelowClient(wnd);
    w.tree->SetEnabled(false);
    repaint();
    EXPECT_NE(BelowClient(wnd), enabled);
    w.tree->SetEnabled(true);
    repaint();
    EXPECT_EQ(BelowClient(wnd), enabled);
}

TEST(XcTreeView, MultiSelectionIsOffUnlessAsked) {
    TreeWindow w;
    TXcTreeNode* a = w.Add("a");
    TXcTreeNode* b = w.Add("b");
    w.Show();
    EXPECT_EQ(w.tree->SelectedCount(), -1);
    w.tree->SelectItem(a);
    EXPECT_FALSE(w.tree->IsNodeSelected(a));
    w.tree->SetMultiSelect(true);
    int changes = 0;
    w.tree->OnSelectionChange = [&changes](TObject*) { ++changes; };
    w.tree->SelectItem(a);
    w.tree->SelectItem(b);
    EXPECT_EQ(w.tree->SelectedCount(), 2);
    b->Delete();
    EXPECT_EQ(w.tree->SelectedCount(), 1);
    w.tree->ClearSelection();
    EXPECT_EQ(w.tree->SelectedCount(), 0);
    EXPECT_EQ(changes, 3);
    w.tree->SetItemIndex(-1);
    EXPECT_EQ(w.tree->Selected(), nullptr);
}

TEST(XcTreeView, MultiSelectionFollowsClicksCtrlClicksKeysAndSpace) {
    TreeWindow w;
    TXcTreeNode* a = w.Add("a");
    TXcTreeNode* b = w.Add("b");
    TXcTreeNode* c = w.Add("c");
    w.tree->SetMultiSelect(true);
    w.Show();
    const auto selection = [&] {
        std::string texts;
        for (int i = 0; i < w.tree->SelectedCount(); ++i) texts += w.tree->SelectedItems(i)->Text();
        return texts;
    };
    const auto click = [&](TTreeNode* node) {
        PostClick(w.tree->Handle(), LOWORD(w.Center(node)), HIWORD(w.Center(node)));
        Pump();
    };
    const auto key = [&](WORD vk) {
        PostKey(w.tree->Handle(), vk);
        Pump();
    };
    const struct {
        const char* step;
        std::function<void()> act;
        const char* selection;
    } steps[] = {
        {"a click", [&] { click(a); }, "a"},
        {"Ctrl adds",
         [&] {
             const HeldKeys ctrl{VK_CONTROL};
             click(c);
         },
         "ac"},
        {"Ctrl takes away",
         [&] {
             const HeldKeys ctrl{VK_CONTROL};
             click(a);
         },
         "c"},
        {"a click alone starts afresh", [&] { click(b); }, "b"},
        {"an arrow alone moves it", [&] { key(VK_DOWN); }, "c"},
        {"an arrow with Shift adds",
         [&] {
             const HeldKeys shift{VK_SHIFT};
             key(VK_UP);
         },
         "cb"},
        {"Space takes the focused node away", [&] { key(VK_SPACE); }, "c"},
        {"and adds it again", [&] { key(VK_SPACE); }, "cb"},
    };
    for (const auto& s : steps) {
        s.act();
        EXPECT_EQ(selection(), s.selection) << s.step;
    }
    EXPECT_EQ(w.tree->Selected(), b);
}

TEST(XcTreeView, AClickLeftOfACheckBoxSelectsTheNodeBesideIt) {
    TreeWindow w;
    TXcTreeNode* root = w.Add("korzeń");
    TXcTreeNode* leaf = w.Add("liść", root);
    root->Expand(false);
    w.tree->SetCheckboxes(true);
    w.Show();
    const TRect label = leaf->DisplayRect(true);
    const int y = (label.top + label.bottom) / 2;
    // A point that hits no node, with the node 16 pixels further right.
    int x = -1;
    for (int at = 0; at < label.left && x < 0; ++at)
        if (!w.tree->GetNodeAt(at, y) && w.tree->GetNodeAt(at + 16, y) == leaf) x = at;
    ASSERT_GE(x, 0);
    for (const UINT down : {WM_LBUTTONDOWN, WM_RBUTTONDOWN}) {
        SCOPED_TRACE(down == WM_LBUTTONDOWN ? "left" : "right");
        w.tree->SetSelected(root);
        PostMessageW(w.tree->Handle(), down, down == WM_LBUTTONDOWN ? MK_LBUTTON : MK_RBUTTON,
                     MAKELPARAM(x, y));
        PostMessageW(w.tree->Handle(), down + 1, 0, MAKELPARAM(x, y));
        Pump();
        EXPECT_EQ(w.tree->Selected(), leaf);
    }
}

// The window timers the controls start and stop, as text; ticked by hand.
class RecordedTimers : public TWindowTimers {
public:
    explicit RecordedTimers(HWND watched) : watched_(watched) { SetWindowTimers(this); }
    ~RecordedTimers() override { SetWindowTimers(nullptr); }
    bool Set(HWND wnd, UINT_PTR id, UINT ms) override {
        if (wnd == watched_) log += "set " + std::to_string(id) + " " + std::to_string(ms) + "; ";
        return true;
    }
    void Kill(HWND wnd, UINT_PTR id) override {
        if (wnd == watched_) log += "kill " + std::to_string(id) + "; ";
    }
    std::string log;

private:
    HWND watched_;
};

TEST(XcTreeView, DragNearAnEdgeScrollsEvery200Ms) {
    TreeWindow w;
    for (int i = 0; i < 60; ++i) w.Add("węzeł " + std::to_string(i));
    w.tree->SetAutoDragScroll(true);
    w.tree->SetBounds(0, 0, 300, 200);
    std::string dropped;
    w.tree->OnDragOver = [](TObject*, TObject*, int, int, TDragState, bool&) {};
    w.tree->OnDragDrop = [&](TObject*, TObject*, int x, int y) { dropped = std::to_string(y); };
    auto* source = new TPanel(w.form.get());
    source->SetParent(w.form.get());
    source->SetBounds(0, 210, 300, 40);
    source->OnMouseDown = [source](TObject*, TMouseButton, TShiftState, int, int) {
        source->BeginDrag(false, 4);
    };
    TObject* endedOn = source;
    source->OnEndDrag = [&](TObject*, TObject* target, int, int) { endedOn = target; };
    w.Show();
    // The real pointer away from the window: the drag starts there and the
    // posted moves are the only ones.
    SetCursorPos(0, 0);
    Pump();
    HWND panel = source->Handle();
    HWND wnd = w.tree->Handle();
    RecordedTimers timers(wnd);
    // A tree point as the panel, which holds the mouse, gets it.
    auto at = [&](int y) {
        const TPoint p = source->ScreenToClient(w.tree->ClientToScreen(Point(100, y)));
        return MAKELPARAM(p.x, p.y);
    };
    auto moveTo = [&](int y) {
        PostMessageW(panel, WM_MOUSEMOVE, MK_LBUTTON, at(y));
        Pump(0);
    };
    auto top = [&] {
        const auto item =
            reinterpret_cast<HTREEITEM>(SendMessageW(wnd, TVM_GETNEXTITEM, TVGN_FIRSTVISIBLE, 0));
        for (TTreeNode* n = w.tree->Items()->GetFirstNode(); n; n = n->GetNext())
            if (n->ItemId() == item) return n->AbsoluteIndex();
        return -1;
    };
    auto tick = [&](int times) {
        for (int i = 0; i < times; ++i) SendMessageW(wnd, WM_TIMER, 100, 0);
    };
    const int bottomEdge = w.tree->ClientHeight() - 19;

    PostMessageW(panel, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10));
    Pump(0);
    ASSERT_TRUE(source->Dragging());
    moveTo(bottomEdge);
    EXPECT_EQ(timers.log, "set 100 200; ") << "near the bottom: a line every 200 ms";
    EXPECT_EQ(GetCursor(), Screen->Cursors(crDrag)) << "accepted";
    tick(3);
    EXPECT_EQ(top(), 3);
    moveTo(20);
    EXPECT_EQ(timers.log, "set 100 200; kill 100; ") << "20 from the top stops it";
    tick(1);
    EXPECT_EQ(top(), 3) << "a tick already queued";
    moveTo(19);
    tick(2);
    EXPECT_EQ(top(), 1) << "up";
    PostMessageW(panel, WM_LBUTTONUP, 0, at(19));
    Pump(0);
    EXPECT_EQ(timers.log, "set 100 200; kill 100; set 100 200; kill 100; ") << "the drop stops it";
    EXPECT_EQ(dropped, "19");
    EXPECT_EQ(endedOn, w.tree);
    EXPECT_FALSE(source->Dragging());

    // Esc cancels: the tree stops, nothing is dropped.
    timers.log.clear();
    dropped.clear();
    PostMessageW(panel, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10));
    Pump(0);
    moveTo(bottomEdge);
    w.tree->OnDragOver = [](TObject*, TObject*, int, int, TDragState, bool& accept) { accept = false; };
    moveTo(bottomEdge + 1);
    EXPECT_EQ(GetCursor(), Screen->Cursors(crNoDrop)) << "refused";
    PostMessageW(panel, WM_KEYDOWN, VK_ESCAPE, 0);
    Pump(0);
    EXPECT_EQ(timers.log, "set 100 200; kill 100; ");
    EXPECT_EQ(dropped, "");
    EXPECT_EQ(endedOn, nullptr);
    EXPECT_FALSE(source->Dragging());
}

}  // namespace

namespace cltest {
namespace {

ControlFactory FilledTree() {
    return {"TXcTreeView", [](cl::TComponent* owner, cl::TWinControl* host) -> cl::TControl* {
                auto* tree = new TXcTreeView(owner);
                tree->SetBounds(8, 8, 120, 60);
                tree->SetParent(host);
                cl::TTreeNode* root = tree->Items()->AddChild(nullptr, "korzeń");
                static_cast<TXcTreeNode*>(tree->Items()->AddChild(root, "liść"))->PopupMenu();
                root->Expand(false);
                tree->SetCheckboxes(true);
                return tree;
            }};
}

ControlFactory PagesWithPainter() {
    return {"TXcPageControl", [](cl::TComponent* owner, cl::TWinControl* host) -> cl::TControl* {
                auto* pages = new TXcPageControl(owner);
                pages->SetBounds(8, 8, 200, 120);
                pages->SetParent(host);
                auto* sheet = new cl::TTabSheet(owner);
                sheet->SetCaption("Strona");
                sheet->SetPageControl(pages);
                pages->SetTabPainter(new TXcTabDefaultPainter(owner));
                return pages;
            }};
}

INSTANTIATE_TEST_SUITE_P(TreesAndPages, ControlDestruction,
                         ::testing::Values(FilledTree(), PagesWithPainter()), ControlName);

}  // namespace
}  // namespace cltest
