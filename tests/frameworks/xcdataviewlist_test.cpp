// The view list: operation sequences against the entries they leave.
#include "frameworks/data/XcDataViewList.h"

#include <gtest/gtest.h>

#include <sstream>

#include "frameworks/data/XcExceptions.h"
#include "tests/frameworks/DataTestSupport.h"

namespace {

using IView = IXcDataConsumerViewList;

// Hides its item from views.
class THidden : public TXcDataItemAggregatedObject, public IXcDataItemVisibility {
    CL_CLASS(THidden, TXcDataItemAggregatedObject)
    using TXcDataItemAggregatedObject::TXcDataItemAggregatedObject;
    bool Visible() override { return false; }
    bool GetInterface(const TGUID& iid, void** obj) override {
        if (iid == IXcDataItemVisibility::IID) return Answer<IXcDataItemVisibility>(obj);
        return false;
    }
};
CL_CLASS_INFO(THidden)

// A provider's tree (items whose ID starts with "h" hidden, every list
// managed) and a consumer with a view list.
class ViewFixture {
public:
    ViewFixture(const char* spec, int autoExpand, bool expandOnNew) {
        tree.Build(provider.Roots(), spec);
        for (auto& [path, item] : tree.items) {
            if (item->ID()[0] == 'h') CreateExtension<THidden>(*item);
            if (item->IndexOfImplClass(TXcBaseDataItemSubItems::StaticClassInfo()) >= 0)
                CreateExtension<TXcBaseDataItemsListManagement>(SubItemsOf(*item));
        }
        consumer->SetProvider(&provider);
        view = Query<IView>(consumer);
        view->SetAutoExpandLevel(autoExpand);
        view->SetExpandOnNewItem(expandOnNew);
        view->RebuildView();
    }
    ~ViewFixture() {
        view.reset();
        consumer->SetProvider(nullptr);
    }

    IXcDataItem* Item(const std::string& path) { return tree.items.at(path); }
    // The list path names: the root for "", else the item's sub-list.
    TXcBaseDataItems& List(const std::string& path) {
        return path.empty() ? static_cast<TXcBaseDataItems&>(provider.Roots())
                            : SubItemsOf(*tree.items.at(path));
    }
    TIntfPtr<IXcDataItemsManagement> Manage(const std::string& path) {
        return Query<IXcDataItemsManagement>(static_cast<IXcDataItems*>(&List(path)));
    }

    // "toggle a", "collapse a", "delete a" (view operations on a's entry),
    // "show a/b" (MakeItemVisible), "insert 1 0 a/b" (InsertItem),
    // "children 1 a" (AddChildren of a's sub-list at 1), "remove a/b",
    // "add a/n" (a new item n through a's list management), "clear a".
    void Run(const std::string& op) {
        std::istringstream in(op);
        std::string verb, path;
        in >> verb;
        if (verb == "insert" || verb == "children") {
            int index = 0, parent = 0;
            in >> index;
            if (verb == "insert") in >> parent;
            in >> path;
            if (verb == "insert")
                view->InsertItem(index, parent, Item(path));
            else
                view->AddChildren(index, &List(path), 0);
            return;
        }
        in >> path;
        const std::string parent = path.find('/') == std::string::npos ? "" : path.substr(0, path.rfind('/'));
        if (verb == "toggle") view->ToggleItem(view->IndexOfItem(Item(path)));
        if (verb == "collapse") view->CollapseItem(view->IndexOfItem(Item(path)));
        if (verb == "delete") view->DeleteItem(view->IndexOfItem(Item(path)));
        if (verb == "show") view->MakeItemVisible(Item(path));
        if (verb == "remove") Manage(parent)->Remove(Item(path));
        if (verb == "clear") Manage(path)->Clear();
        if (verb == "add") {
            TIntfPtr<TXcBaseDataItem> item = New<TXcBaseDataItem>(static_cast<IXcDataItems*>(&List(parent)));
            item->SetID(path.substr(path.rfind('/') + 1));
            Manage(parent)->Add(item.get());
        }
    }

    // "id:level:bits", bits E (expanded), C (can have children), H (has children).
    std::string Entries() {
        std::string text;
        for (int i = 0; i < view->Count(); ++i) {
            const uint32_t flags = view->ItemFlags(i);
            text += (i ? " " : "") + view->ItemID(i) + ":" + std::to_string(flags & IView::kLevelMask) + ":" +
                    (flags & IView::kExpanded ? "E" : "") + (flags & IView::kCanHaveChildren ? "C" : "") +
                    (flags & IView::kHasChildren ? "H" : "");
        }
        return text;
    }

    TFakeProvider provider;
    TTreeBuilder tree;
    TIntfPtr<TXcDataConsumer> consumer = New<TXcDataConsumer>(nullptr, std::vector<int32_t>{3});
    TIntfPtr<IView> view;
};

struct ViewCase {
    const char* what;
    const char* tree;
    int autoExpand;
    bool expandOnNew;
    std::vector<std::string> ops;
    const char* entries;
};

const ViewCase kViewCases[] = {
    {"roots only", "a{b{c}},x", 0, false, {}, "a:0:CH x:0:"},
    {"one level expanded", "a{b{c}},x", 1, false, {}, "a:0:ECH b:1:CH x:0:"},
    {"all levels expanded", "a{b{c}},x", 5, false, {}, "a:0:ECH b:1:ECH c:2: x:0:"},
    {"an empty sub-list can have children", "a{},x", 1, false, {}, "a:0:C x:0:"},
    {"hidden items are skipped", "a,h1{b},x", 1, false, {}, "a:0: x:0:"},
    {"toggle expands one level", "a{b{c}},x", 0, false, {"toggle a"}, "a:0:ECH b:1:CH x:0:"},
    {"toggle twice collapses", "a{b{c}},x", 0, false, {"toggle a", "toggle a"}, "a:0:CH x:0:"},
    {"toggle without children", "a{b{c}},x", 0, false, {"toggle x"}, "a:0:CH x:0:"},
    {"collapse takes only the contiguous deeper entries",
     "a{b},c{d}",
     1,
     false,
     {"collapse a"},
     "a:0:CH c:0:ECH d:1:"},
    {"deleting an entry takes its subtree", "a{b{c}},x", 5, false, {"delete a"}, "x:0:"},
    {"the only child deleted", "a{b},x", 1, false, {"remove a/b"}, "a:0:C x:0:"},
    {"the first of two children deleted", "a{b,c}", 1, false, {"remove a/b"}, "a:0:ECH c:1:"},
    {"the last of two children deleted", "a{b,c},x", 1, false, {"remove a/c"}, "a:0:ECH b:1: x:0:"},
    {"a root deleted", "a{b},x", 1, false, {"remove a"}, "x:0:"},
    {"added under an expanded parent", "a{b},x", 1, false, {"add a/n"}, "a:0:ECH b:1: n:1: x:0:"},
    {"added under a collapsed parent", "a{},x", 0, false, {"add a/n"}, "a:0:CH x:0:"},
    {"added and expanded", "a{},x", 0, true, {"add a/n"}, "a:0:ECH n:1: x:0:"},
    {"added under an unseen parent", "a{b{}},x", 0, true, {"add a/b/n"}, "a:0:ECH b:1:ECH n:2: x:0:"},
    {"added at the root", "a{b},x", 0, false, {"add n"}, "a:0:CH x:0: n:0:"},
    {"made visible", "a{b{c}},x", 0, false, {"show a/b/c"}, "a:0:ECH b:1:ECH c:2: x:0:"},
    {"a sub-list cleared", "a{b,c},x", 1, false, {"clear a"}, "a:0:C x:0:"},
    {"inserted without parent", "a{b},x", 0, false, {"insert 0 -1 a/b"}, "b:0: a:0:CH x:0:"},
    {"inserted under a parent", "a{b},x", 0, false, {"insert 1 0 a/b"}, "a:0:ECH b:1: x:0:"},
    {"children added at index 0 are roots", "a{b},x", 0, false, {"children 0 a"}, "b:0: a:0:CH x:0:"},
    {"children added after an entry are its", "a{b},x", 0, false, {"children 1 a"}, "a:0:ECH b:1: x:0:"},
};

TEST(ViewList, OperationSequencesLeaveTheExpectedEntries) {
    for (const ViewCase& c : kViewCases) {
        SCOPED_TRACE(c.what);
        ViewFixture fixture(c.tree, c.autoExpand, c.expandOnNew);
        for (const std::string& op : c.ops) fixture.Run(op);
        EXPECT_EQ(fixture.Entries(), c.entries);
        EXPECT_EQ(fixture.provider.consumerDepth, 0);
    }
}

TEST(ViewList, QueriesReadLevelsParentsAndChildren) {
    ViewFixture fixture("a{b,c{d}},x", 5, false);
    IView& view = *fixture.view;
    ASSERT_EQ(fixture.Entries(), "a:0:ECH b:1: c:1:ECH d:2: x:0:");
    EXPECT_EQ(view.ItemParentIndex(3), 2);
    EXPECT_EQ(view.ItemParentIndex(4), -1);
    EXPECT_EQ(view.ItemParent(1).get(), fixture.Item("a"));
    EXPECT_EQ(view.ChildIndexOfID("C"), 1);
    EXPECT_EQ(view.ChildIndexOfItem(fixture.Item("x")), 1);
    EXPECT_EQ(view.SubItemIndex(0, 1), 2);
    EXPECT_EQ(view.SubItemIndex(0, 2), -1);
    EXPECT_EQ(view.SubItem(2, 0).get(), fixture.Item("a/c/d"));
    EXPECT_EQ(MessageOf<EXCLDataConsumer>([&] { view.ItemLevel(5); }), "List index out of bounds (5)");
}

TEST(ViewList, AnExpandedParentWithoutTheItemIsOutOfSync) {
    ViewFixture fixture("a{b},x", 1, false);
    // Added behind the provider's back: no broadcast, no entry.
    TXcBaseDataItem& quiet = AddItem(fixture.List("a"), "q");
    EXPECT_EQ(MessageOf<EXCLDataConsumer>([&] { fixture.view->MakeItemVisible(&quiet); }),
              "ViewList out of sync");
}

}  // namespace
