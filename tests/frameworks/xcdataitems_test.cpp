// Data items: path and ID lookups, IDs, deletion, lifetimes.
#include <gtest/gtest.h>

#include <algorithm>

#include "frameworks/data/XcExceptions.h"
#include "tests/frameworks/DataTestSupport.h"

namespace {

// Root: a{b{c},x}, x, Żaba.  Lookups start at the root list or at the
// sub-list of an item (by path) and name the item they should find.
struct PathCase {
    const char* from;  // "" for the root list, else the item whose sub-list
    const char* path;
    const char* found;  // item path in the tree, "" for none
};

const PathCase kPathCases[] = {
    {"", "a/b", "a/b"},     {"", "a\\b", "a/b"},
    {"", "a/b/c", "a/b/c"}, {"", "A/B", "a/b"},
    {"", "żABA", "Żaba"},   {"", "a/", "a"},
    {"", "/a", "a"},        {"", "//a/x", "a/x"},
    {"", "..", ""},         {"", "../a", ""},
    {"", "q/a", ""},                          // an unknown first segment ends the lookup
    {"", "a/q", ""},        {"", "x/c", ""},  // x has no sub-items
    {"", "", ""},           {"", "/", ""},
    {"a", "x", "a/x"},      {"a", "../x", "x"},
    {"a", "/a", "a"},       {"a", "/x", "x"},
    {"a", "..", ""},        {"a/b", "../../x", "x"},
    {"a/b", "../x", "a/x"}, {"a/b", "/a/b/c", "a/b/c"},
};

class ItemsTest : public ::testing::Test {
protected:
    void SetUp() override {
        tree.Build(provider.Roots(), "a{b{c},x},x,Żaba");
        provider.log.clear();
    }

    IXcDataItems& ListAt(const std::string& from) {
        if (from.empty()) return provider.Roots();
        return SubItemsOf(*tree.items.at(from));
    }
    IXcDataItem* ItemAt(const std::string& path) {
        return path.empty() ? nullptr : static_cast<IXcDataItem*>(tree.items.at(path));
    }

    std::vector<std::string> asked;  // outlives the items that write to it
    TFakeProvider provider;
    TTreeBuilder tree;
};

TEST_F(ItemsTest, PathLookupsFollowSegmentsParentsAndTheRoot) {
    for (const PathCase& c : kPathCases) {
        SCOPED_TRACE(std::string(c.from) + " : " + c.path);
        EXPECT_EQ(ListAt(c.from).GetItemByPath(c.path).get(), ItemAt(c.found));
    }
}

TEST_F(ItemsTest, PathLookupsWithoutProviderTreatTheTopListAsRoot) {
    TIntfPtr<TXcDataItemsList> roots = New<TXcDataItemsList>();
    TTreeBuilder local;
    local.Build(*roots, "a{b},x");
    EXPECT_EQ(SubItemsOf(*local.items.at("a")).GetItemByPath("/x").get(), local.items.at("x"));
}

TEST_F(ItemsTest, FindByIDSearchesTheListThenSubListsLastItemFirst) {
    TTreeBuilder local;
    TIntfPtr<TXcDataItemsList> roots = New<TXcDataItemsList>();
    local.Build(*roots, "p{q{t}},r{t},s");
    struct {
        const char* id;
        bool recursive;
        const char* found;
    } cases[] = {
        {"t", true, "r/t"}, {"T", true, "r/t"}, {"t", false, ""},
        {"q", true, "p/q"}, {"s", false, "s"},  {"z", true, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.id);
        IXcDataItem* expected = *c.found ? local.items.at(c.found) : nullptr;
        EXPECT_EQ(roots->FindByID(c.id, c.recursive).get(), expected);
    }
}

TEST(ItemIDs, AreThirtyTwoUpperCaseHexDigitsOfTheGuidBytesInMemoryOrder) {
    EXPECT_EQ(GuidToHex(IXcDataProvider::IID), "7DA1A762211E7E42861DC92FBB9B09A6");
    TIntfPtr<TXcBaseDataItem> first = New<TXcBaseDataItem>(nullptr);
    TIntfPtr<TXcBaseDataItem> second = New<TXcBaseDataItem>(nullptr);
    const auto hexDigit = [](char c) { return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F'); };
    EXPECT_EQ(first->ID().size(), 32u);
    EXPECT_TRUE(std::all_of(first->ID().begin(), first->ID().end(), hexDigit)) << first->ID();
    EXPECT_NE(first->ID(), second->ID());
}

// An item extension with a say in the item's deletion.
class TDeleteGuard : public TXcDataItemAggregatedObject, public IXcDataItemExtensionNotify {
    CL_CLASS(TDeleteGuard, TXcDataItemAggregatedObject)

    TDeleteGuard(TXcBaseDataItem& owner, bool allow, std::vector<std::string>& log)
        : TXcDataItemAggregatedObject(owner), allow_(allow), log_(log) {}
    void ItemDestroying() override { log_.push_back("destroying"); }
    bool CanDeleteItem() override {
        log_.push_back(allow_ ? "yes" : "no");
        return allow_;
    }
    bool GetInterface(const TGUID& iid, void** obj) override {
        if (iid == IXcDataItemExtensionNotify::IID) return Answer<IXcDataItemExtensionNotify>(obj);
        return false;
    }

private:
    bool allow_;
    std::vector<std::string>& log_;
};
CL_CLASS_INFO(TDeleteGuard)

class TOtherGuard : public TDeleteGuard {
    CL_CLASS(TOtherGuard, TDeleteGuard)
    using TDeleteGuard::TDeleteGuard;
};
CL_CLASS_INFO(TOtherGuard)

TEST_F(ItemsTest, AnItemAnExtensionRefusesStaysAndNothingIsBroadcast) {
    TXcBaseDataItem& x = *tree.items.at("x");
    CreateExtension<TDeleteGuard>(x, false, asked);
    CreateExtension<TOtherGuard>(x, true, asked);  // never asked: the first refusal ends the test
    auto manage = Query<IXcDataItemsManagement>(static_cast<IXcDataItems*>(&provider.Roots()));
    EXPECT_EQ(MessageOf<EXCLDataItems>([&] { manage->Delete(1); }), "Item cannot be deleted");
    EXPECT_EQ(asked, std::vector<std::string>{"no"});
    EXPECT_EQ(provider.Roots().IndexOf(&x), 1);
    EXPECT_TRUE(provider.log.empty());
}

TEST_F(ItemsTest, DeletingBroadcastsAroundTheRemovalAndTheItemHearsItGo) {
    TXcBaseDataItem& x = *tree.items.at("x");
    CreateExtension<TDeleteGuard>(x, true, asked);
    auto manage = Query<IXcDataItemsManagement>(static_cast<IXcDataItems*>(&provider.Roots()));
    manage->Remove(&x);  // the list held the only reference
    EXPECT_EQ(asked, (std::vector<std::string>{"yes", "destroying"}));
    EXPECT_EQ(provider.log, (std::vector<std::string>{"changing 1", "changed 1"}));
    EXPECT_EQ(provider.Roots().GetCount(), 2);
}

TEST_F(ItemsTest, IndexErrorsNameTheIndex) {
    EXPECT_EQ(MessageOf<EXCLDataItems>([&] { provider.Roots().GetItem(3); }), "List index out of bounds (3)");
    EXPECT_EQ(MessageOf<EXCLDataItems>([&] { provider.Roots().GetItem(-1); }),
              "List index out of bounds (-1)");
    const int path[] = {0, 0, 0};
    EXPECT_EQ(provider.Roots().GetItemByIndexPath(path).get(), ItemAt("a/b/c"));
}

TEST_F(ItemsTest, ItemsAndListsHeldPastTheirOwnersNoLongerPointIntoThem) {
    TIntfPtr<TXcBaseDataItem> c = tree.items.at("a/b/c");
    TIntfPtr<TXcBaseDataItems> underB = &SubItemsOf(*tree.items.at("a/b"));
    auto manage = Query<IXcDataItemsManagement>(static_cast<IXcDataItems*>(&provider.Roots()));
    manage->Clear();  // a goes, and with it b, which held underB
    EXPECT_EQ(underB->GetParent(), nullptr);
    EXPECT_EQ(underB->GetItemByPath("../x").get(), nullptr);
    EXPECT_EQ(c->GetItems().get(), static_cast<IXcDataItems*>(underB.get()));
    underB.reset();
    EXPECT_EQ(c->GetItems(), nullptr);
    EXPECT_EQ(c->GetIndex(), -1);
    EXPECT_EQ(provider.log, (std::vector<std::string>{"changing 3", "changed 3"}));
}

TEST_F(ItemsTest, AddingAnItemAlreadyInAListRaises) {
    auto manage = Query<IXcDataItemsManagement>(static_cast<IXcDataItems*>(&provider.Roots()));
    EXPECT_EQ(MessageOf<EXCLDataItems>([&] { manage->Add(ItemAt("x")); }), "Item is already in a list");
    TIntfPtr<TXcBaseDataItem> fresh = New<TXcBaseDataItem>(static_cast<IXcDataItems*>(&provider.Roots()));
    EXPECT_EQ(manage->Add(fresh.get()), 3);
    EXPECT_EQ(provider.log, (std::vector<std::string>{"changing 0", "changed 0"}));
}

}  // namespace
