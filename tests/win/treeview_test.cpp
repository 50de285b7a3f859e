// Tree view: sorting by a compare handler, refused collapse and change,
// change events on programmatic selection and on deleting the selected
// node, deletion events on Clear and destruction, nodes surviving window
// recreation, the node under a posted click, and the window's visibility
// after an update.
#include "classlib/win/TreeView.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>

#include "classlib/win/Forms.h"
#include "classlib/win/ImgList.h"
#include "classlib/win/WideText.h"
#include "tests/win/FormsTestSupport.h"

namespace {

using namespace cl;
using namespace cltest;

struct TreeForm {
    Owned<TForm> form = Make<TForm>(nullptr);
    TTreeView* tree;

    TreeForm() {
        form->SetBounds(100, 100, 300, 300);
        tree = new TTreeView(form.get());
        tree->SetBounds(10, 10, 200, 240);
        tree->SetParent(form.get());
    }
};

std::string ItemText(HWND wnd, HTREEITEM item) {
    wchar_t buf[128] = {};
    TVITEMW it{};
    it.mask = TVIF_HANDLE | TVIF_TEXT;
    it.hItem = item;
    it.pszText = buf;
    it.cchTextMax = 128;
    SendMessageW(wnd, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&it));
    return FromWide(buf);
}

// The window's items as "A(B,C),D".
std::string WindowTree(HWND wnd, HTREEITEM parent = nullptr) {
    std::string out;
    auto item = reinterpret_cast<HTREEITEM>(SendMessageW(
        wnd, TVM_GETNEXTITEM, parent ? TVGN_CHILD : TVGN_ROOT, reinterpret_cast<LPARAM>(parent)));
    for (; item; item = reinterpret_cast<HTREEITEM>(
                     SendMessageW(wnd, TVM_GETNEXTITEM, TVGN_NEXT, reinterpret_cast<LPARAM>(item)))) {
        if (!out.empty()) out += ",";
        out += ItemText(wnd, item);
        const std::string kids = WindowTree(wnd, item);
        if (!kids.empty()) out += "(" + kids + ")";
    }
    return out;
}

// The control's nodes in the same notation.
std::string NodeTree(TTreeNode* first) {
    std::string out;
    for (TTreeNode* n = first; n; n = n->GetNextSibling()) {
        if (!out.empty()) out += ",";
        out += n->Text();
        if (n->Count() > 0) out += "(" + NodeTree(n->GetFirstChild()) + ")";
    }
    return out;
}

void* Tag(intptr_t v) {
    return reinterpret_cast<void*>(v);
}
intptr_t TagOf(TTreeNode* n) {
    return reinterpret_cast<intptr_t>(n->Data());
}

TEST(TreeViewSort, SiblingsFollowTheSortTypeAndCompareHandler) {
    struct Case {
        const char* name;
        TSortType sortType;
        bool handler;     // by data, ascending
        bool withWindow;  // nodes added after the window exists
        const char* expected;
    };
    // Texts and data: ("c", 1), ("a", 3), ("b", 2), and under "a": ("y", 2), ("x", 1).
    const Case cases[] = {
        {"data with handler, window", stData, true, true, "c,b,a(x,y)"},
        {"both with handler, window", stBoth, true, true, "c,b,a(x,y)"},
        {"both with handler, no window", stBoth, true, false, "c,b,a(x,y)"},
        {"text without handler", stText, false, true, "a(x,y),b,c"},
        {"both without handler keeps order", stBoth, false, true, "c,a(y,x),b"},
        {"none with handler keeps order", stNone, true, true, "c,a(y,x),b"},
    };
    for (const Case& c : cases) {
        TreeForm f;
        f.tree->SetSortType(c.sortType);
        if (c.handler)
            f.tree->OnCompare = [](TObject*, TTreeNode* a, TTreeNode* b, intptr_t, int& cmp) {
                cmp = TagOf(a) < TagOf(b) ? -1 : TagOf(a) > TagOf(b) ? 1 : 0;
            };
        if (c.withWindow) f.form->Show();
        TTreeNodes* items = f.tree->Items();
        items->AddObject(nullptr, "c", Tag(1));
        TTreeNode* a = items->AddObject(nullptr, "a", Tag(3));
        items->AddObject(nullptr, "b", Tag(2));
        items->AddChildObject(a, "y", Tag(2));
        items->AddChildObject(a, "x", Tag(1));
        if (!c.withWindow) f.form->Show();
        EXPECT_EQ(NodeTree(items->GetFirstNode()), c.expected) << c.name;
        EXPECT_EQ(WindowTree(f.tree->Handle()), c.expected) << c.name;
    }
}

TEST(TreeViewSort, ChangedDataMovesTheNodeAndAlphaSortUsesTheHandler) {
    TreeForm f;
    f.form->Show();
    f.tree->SetSortType(stBoth);
    f.tree->OnCompare = [](TObject*, TTreeNode* a, TTreeNode* b, intptr_t, int& cmp) {
        cmp = static_cast<int>(TagOf(a) - TagOf(b));
    };
    TTreeNodes* items = f.tree->Items();
    TTreeNode* p = items->AddObject(nullptr, "p", Tag(1));
    items->AddObject(nullptr, "q", Tag(2));
    items->AddObject(nullptr, "r", Tag(3));
    p->SetData(Tag(9));
    EXPECT_EQ(WindowTree(f.tree->Handle()), "q,r,p");
    // Descending by a custom order, then back by the handler.
    f.tree->CustomSort(
        [](TTreeNode* a, TTreeNode* b, intptr_t) { return static_cast<int>(TagOf(b) - TagOf(a)); }, 0);
    EXPECT_EQ(WindowTree(f.tree->Handle()), "p,r,q");
    f.tree->AlphaSort();
    EXPECT_EQ(NodeTree(items->GetFirstNode()), "q,r,p");
    EXPECT_EQ(WindowTree(f.tree->Handle()), "q,r,p");
}

TEST(TreeViewExpand, HandlersRefuseEveryWayOfCollapsingAndExpanding) {
    struct Case {
        const char* how;
        bool allow;
        bool expandedAfter;
    };
    // The node starts expanded for the collapsing ways, collapsed for the others.
    const Case cases[] = {
        {"Collapse", false, true}, {"FullCollapse", false, true}, {"Expanded false", false, true},
        {"key Left", false, true}, {"Collapse", true, false},     {"key Left", true, false},
        {"Expand", false, false},  {"FullExpand", false, false},  {"key Right", false, false},
        {"Expand", true, true},    {"key Right", true, true},
    };
    for (const Case& c : cases) {
        const std::string how = c.how;
        const bool collapsing =
            how.find("ollapse") != std::string::npos || how == "key Left" || how == "Expanded false";
        int asked = 0;
        TreeForm f;
        auto handler = [&](TObject*, TTreeNode*, bool& allow) {
            ++asked;
            allow = c.allow;
        };
        f.form->Show();
        TTreeNode* parent = f.tree->Items()->Add(nullptr, "parent");
        f.tree->Items()->AddChild(parent, "child");
        parent->SetExpanded(collapsing);
        ASSERT_EQ(parent->Expanded(), collapsing);
        if (collapsing)
            f.tree->OnCollapsing = handler;
        else
            f.tree->OnExpanding = handler;
        parent->SetSelected(true);
        if (how == "Collapse") {
            parent->Collapse(false);
        } else if (how == "FullCollapse") {
            f.tree->FullCollapse();
        } else if (how == "Expanded false") {
            parent->SetExpanded(false);
        } else if (how == "Expand") {
            parent->Expand(false);
        } else if (how == "FullExpand") {
            f.tree->FullExpand();
        } else {
            PostKey(f.tree->Handle(), how == "key Left" ? VK_LEFT : VK_RIGHT);
            Pump();
        }
        EXPECT_EQ(parent->Expanded(), c.expandedAfter) << how << " allow " << c.allow;
        EXPECT_EQ(asked, 1) << how << " allow " << c.allow;
    }
}

TEST(TreeViewSelection, ChangingHandlerDecidesAndChangeFollowsEverySelection) {
    struct Case {
        const char* how;
        bool allow;
    };
    const Case cases[] = {{"code", true}, {"code", false}, {"click", true}, {"click", false}};
    for (const Case& c : cases) {
        std::vector<TTreeNode*> asked, changed;
        TreeForm f;
        f.form->Show();
        TTreeNode* first = f.tree->Items()->Add(nullptr, "first");
        TTreeNode* second = f.tree->Items()->Add(nullptr, "second");
        first->SetSelected(true);
        f.tree->OnChanging = [&](TObject*, TTreeNode* node, bool& allow) {
            asked.push_back(node);
            allow = c.allow;
        };
        f.tree->OnChange = [&](TObject*, TTreeNode* node) { changed.push_back(node); };
        const std::string how = c.how;
        if (how == "code") {
            f.tree->SetSelected(second);
        } else {
            const TRect r = second->DisplayRect(true);
            PostClick(f.tree->Handle(), (r.left + r.right) / 2, (r.top + r.bottom) / 2);
            Pump();
        }
        EXPECT_EQ(asked, std::vector<TTreeNode*>{second}) << how << " " << c.allow;
        EXPECT_EQ(f.tree->Selected(), c.allow ? second : first) << how << " " << c.allow;
        EXPECT_EQ(changed, c.allow ? std::vector<TTreeNode*>{second} : std::vector<TTreeNode*>{})
            << how << " " << c.allow;
    }
}

TEST(TreeViewDelete, DeletingTheSelectedNodeReportsTheChange) {
    struct Case {
        const char* deleted;
        const char* selected;
        bool withWindow;
        int changes;
        const char* remaining;
    };
    // Nodes: a(a1,a2), b, c.
    const Case cases[] = {
        {"b", "b", true, 1, "a(a1,a2),c"},   {"a", "a2", true, 1, "b,c"},
        {"c", "b", true, 0, "a(a1,a2),b"},   {"b", "b", false, 1, "a(a1,a2),c"},
        {"a1", "a1", false, 1, "a(a2),b,c"},
    };
    for (const Case& c : cases) {
        std::vector<TTreeNode*> changed;
        std::vector<std::string> deleted;
        TreeForm f;
        if (c.withWindow) f.form->Show();
        TTreeNodes* items = f.tree->Items();
        std::map<std::string, TTreeNode*> node;
        node["a"] = items->Add(nullptr, "a");
        node["a1"] = items->AddChild(node["a"], "a1");
        node["a2"] = items->AddChild(node["a"], "a2");
        node["b"] = items->Add(nullptr, "b");
        node["c"] = items->Add(nullptr, "c");
        node[c.selected]->SetSelected(true);
        f.tree->OnChange = [&](TObject*, TTreeNode* n) { changed.push_back(n); };
        f.tree->OnDeletion = [&](TObject*, TTreeNode* n) { deleted.push_back(n->Text()); };
        TTreeNode* dying = node[c.deleted];
        dying->Delete();
        EXPECT_EQ(static_cast<int>(changed.size()), c.changes) << c.deleted;
        if (!changed.empty()) {
            EXPECT_EQ(changed.back(), f.tree->Selected()) << c.deleted;
            EXPECT_NE(f.tree->Selected(), nullptr) << c.deleted;
        }
        EXPECT_EQ(NodeTree(items->GetFirstNode()), c.remaining) << c.deleted;
        if (c.withWindow) {
            EXPECT_EQ(WindowTree(f.tree->Handle()), c.remaining) << c.deleted;
        }
        EXPECT_EQ(deleted.back(), c.deleted) << "the node itself goes after its children";
    }
}

TEST(TreeViewDelete, EveryNodeIsReportedOnceOnClearAndOnDestruction) {
    for (const bool clear : {true, false}) {
        std::multiset<std::string> deleted;
        int changes = 0;
        TreeForm f;
        f.form->Show();
        TTreeNodes* items = f.tree->Items();
        TTreeNode* a = items->Add(nullptr, "a");
        TTreeNode* a1 = items->AddChild(a, "a1");
        items->AddChild(a1, "a11");
        items->Add(nullptr, "b");
        a1->SetSelected(true);
        f.tree->OnDeletion = [&](TObject*, TTreeNode* n) { deleted.insert(n->Text()); };
        f.tree->OnChange = [&](TObject*, TTreeNode* n) {
            ++changes;
            EXPECT_EQ(n, nullptr);
        };
        if (clear) {
            items->Clear();
            EXPECT_EQ(items->Count(), 0);
            EXPECT_EQ(f.tree->Selected(), nullptr);
            EXPECT_EQ(changes, 1);
        } else {
            f.tree->Free();
            EXPECT_EQ(changes, 0) << "no change events from a tree being destroyed";
        }
        EXPECT_EQ(deleted, (std::multiset<std::string>{"a", "a1", "a11", "b"})) << clear;
    }
}

TEST(TreeViewRecreate, NodesKeepTextDataImagesAndStateWithoutEvents) {
    int events = 0;  // outlives the tree, whose destruction reports deletions
    TreeForm f;
    f.form->Show();
    TTreeNodes* items = f.tree->Items();
    TTreeNode* a = items->AddObject(nullptr, "Źródło", Tag(11));
    TTreeNode* a1 = items->AddChildObject(a, "żółw", Tag(12));
    TTreeNode* b = items->AddObject(nullptr, "b", Tag(13));
    items->AddChild(b, "b1");
    a->SetImageIndex(2);
    a->SetSelectedIndex(3);
    a->Expand(false);
    a1->SetSelected(true);
    f.tree->OnDeletion = [&](TObject*, TTreeNode*) { ++events; };
    f.tree->OnChange = [&](TObject*, TTreeNode*) { ++events; };
    f.tree->OnChanging = [&](TObject*, TTreeNode*, bool&) { ++events; };
    const HWND old = f.tree->Handle();
    f.tree->RecreateWnd();
    ASSERT_NE(f.tree->Handle(), old);
    EXPECT_EQ(events, 0);
    EXPECT_EQ(WindowTree(f.tree->Handle()), "Źródło(żółw),b(b1)");
    EXPECT_EQ(items->Item(1), a1);
    EXPECT_EQ(a1->Text(), "żółw");
    EXPECT_EQ(TagOf(a1), 12);
    EXPECT_EQ(f.tree->Selected(), a1);
    EXPECT_TRUE(a->Expanded());
    EXPECT_FALSE(b->Expanded());
    TVITEMW it{};
    it.mask = TVIF_HANDLE | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_PARAM;
    it.hItem = a->ItemId();
    SendMessageW(f.tree->Handle(), TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&it));
    EXPECT_EQ(it.iImage, 2);
    EXPECT_EQ(it.iSelectedImage, 3);
    EXPECT_EQ(items->GetNode(a->ItemId()), a);
}

TEST(TreeViewRecreate, ColoursAndImageListsReachEveryWindow) {
    TreeForm f;
    auto* images = new TImageList(f.form.get());
    f.tree->SetImages(images);
    f.tree->SetColor(static_cast<TColor>(0x00F0CAA6));
    f.tree->Font()->SetColor(clRed);
    f.form->Show();
    for (int pass = 0; pass < 2; ++pass) {
        HWND wnd = f.tree->Handle();
        EXPECT_EQ(SendMessageW(wnd, TVM_GETBKCOLOR, 0, 0), 0x00F0CAA6) << pass;
        EXPECT_EQ(SendMessageW(wnd, TVM_GETTEXTCOLOR, 0, 0), RGB(255, 0, 0)) << pass;
        EXPECT_EQ(reinterpret_cast<HIMAGELIST>(SendMessageW(wnd, TVM_GETIMAGELIST, TVSIL_NORMAL, 0)),
                  images->Handle())
            << pass;
        f.tree->RecreateWnd();
    }
    f.tree->SetColor(clBtnFace);
    EXPECT_EQ(SendMessageW(f.tree->Handle(), TVM_GETBKCOLOR, 0, 0),
              static_cast<LRESULT>(ColorToRGB(clBtnFace)));
    // An image list that goes is dropped.
    images->Free();
    EXPECT_EQ(f.tree->Images(), nullptr);
    EXPECT_EQ(SendMessageW(f.tree->Handle(), TVM_GETIMAGELIST, TVSIL_NORMAL, 0), 0);
}

TEST(TreeViewUpdate, TheWindowDrawsNothingUntilTheLastEndAndKeepsItsVisibility) {
    // Hidden or shown between the calls, the tree ends as the last change left it.
    const struct {
        const char* name;
        bool hiddenBefore, hideMeanwhile, showMeanwhile, shownAfter;
    } cases[] = {
        {"shown throughout", false, false, false, true},
        {"hidden before", true, false, false, false},
        {"hidden meanwhile", false, true, false, false},
        {"shown meanwhile", true, false, true, true},
        {"hidden and shown again meanwhile", false, true, true, true},
    };
    for (const auto& c : cases) {
        TreeForm f;
        f.form->Show();
        f.tree->SetVisible(!c.hiddenBefore);
        const HWND wnd = f.tree->Handle();
        ValidateRect(wnd, nullptr);
        TTreeNodes* items = f.tree->Items();
        items->BeginUpdate();
        items->BeginUpdate();
        items->Add(nullptr, "a");
        if (c.hideMeanwhile) f.tree->SetVisible(false);
        if (c.showMeanwhile) f.tree->SetVisible(true);
        items->EndUpdate();
        // Nested: the first end changes nothing.
        if (!c.showMeanwhile) {
            EXPECT_EQ(IsWindowVisible(wnd), FALSE) << c.name;
        }
        items->Add(nullptr, "b");
        items->EndUpdate();
        EXPECT_EQ(IsWindowVisible(wnd) != FALSE, c.shownAfter) << c.name;
        EXPECT_EQ(f.tree->Visible(), c.shownAfter) << c.name;
        EXPECT_EQ(WindowTree(wnd), "a,b") << c.name;
        if (!c.shownAfter) continue;
        // The whole tree waits to be painted.
        RECT update{}, client{};
        GetUpdateRect(wnd, &update, FALSE);
        GetClientRect(wnd, &client);
        EXPECT_TRUE(EqualRect(&update, &client)) << c.name;
    }
}

TEST(TreeViewHitTest, PostedClickSelectsTheNodeFoundAtThePoint) {
    int clicks = 0;
    TreeForm f;
    f.form->Show();
    TTreeNodes* items = f.tree->Items();
    for (const char* s : {"one", "two", "three"}) items->Add(nullptr, s);
    f.tree->OnClick = [&](TObject*) { ++clicks; };
    for (int i : {2, 0, 1}) {
        TTreeNode* node = items->Item(i);
        const TRect r = node->DisplayRect(true);
        ASSERT_GT(r.bottom, r.top);
        const int x = (r.left + r.right) / 2, y = (r.top + r.bottom) / 2;
        EXPECT_EQ(f.tree->GetNodeAt(x, y), node);
        PostClick(f.tree->Handle(), x, y);
        Pump();
        EXPECT_EQ(f.tree->Selected(), node) << i;
        EXPECT_TRUE(node->Selected());
    }
    EXPECT_EQ(clicks, 3);
    const TRect last = items->Item(2)->DisplayRect(false);
    EXPECT_EQ(f.tree->GetNodeAt(5, last.bottom + 20), nullptr);
}

TEST(TreeViewNodes, NavigationAndIndexesFollowTheTree) {
    TreeForm f;
    TTreeNodes* items = f.tree->Items();
    TTreeNode* a = items->Add(nullptr, "a");
    TTreeNode* a1 = items->AddChild(a, "a1");
    TTreeNode* a2 = items->AddChild(a, "a2");
    TTreeNode* b = items->Add(nullptr, "b");
    TTreeNode* a0 = items->Insert(a1, "a0");
    struct Case {
        TTreeNode* node;
        int index, level, absolute;
        TTreeNode* next;
        TTreeNode* prev;
    };
    const Case cases[] = {
        {a, 0, 0, 0, a0, nullptr}, {a0, 0, 1, 1, a1, a},      {a1, 1, 1, 2, a2, a0},
        {a2, 2, 1, 3, b, a1},      {b, 1, 0, 4, nullptr, a2},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.node->Index(), c.index) << c.node->Text();
        EXPECT_EQ(c.node->Level(), c.level) << c.node->Text();
        EXPECT_EQ(c.node->AbsoluteIndex(), c.absolute) << c.node->Text();
        EXPECT_EQ(c.node->GetNext(), c.next) << c.node->Text();
        EXPECT_EQ(c.node->GetPrev(), c.prev) << c.node->Text();
        EXPECT_EQ(items->Item(c.absolute), c.node);
    }
    EXPECT_EQ(items->Count(), 5);
    EXPECT_EQ(a->Count(), 3);
    EXPECT_EQ(a->Item(2), a2);
    EXPECT_THROW(a->Item(3), EListError);
    EXPECT_THROW(items->Item(5), EListError);
    // Collapsed: the children are not visible.
    EXPECT_EQ(a->getNextVisible(), b);
    EXPECT_EQ(a1->getNextVisible(), nullptr);
    f.form->Show();
    a->Expand(false);
    EXPECT_EQ(a->getNextVisible(), a0);
    EXPECT_EQ(a2->getNextVisible(), b);
    EXPECT_EQ(b->getPrevVisible(), a2);
    EXPECT_TRUE(a->HasChildren());
    EXPECT_FALSE(b->HasChildren());
    f.tree->FullCollapse();
    EXPECT_FALSE(a->Expanded());
    f.tree->FullExpand();
    EXPECT_TRUE(a->Expanded());
}

}  // namespace
