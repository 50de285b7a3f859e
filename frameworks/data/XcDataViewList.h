#pragma once
// A consumer extension keeping a flat list of the visible part of the item
// tree: one entry per shown item in display order, with its level and its
// expanded / can-have-children / has-children bits.

#include <string>
#include <string_view>
#include <vector>

#include "frameworks/data/XcDataConsumer.h"

class TXcCustomDataConsumerViewList : public TXcDataConsumerAggregatedObject, public IXcDataConsumerViewList {
    CL_CLASS(TXcCustomDataConsumerViewList, TXcDataConsumerAggregatedObject)

    using TXcDataConsumerAggregatedObject::TXcDataConsumerAggregatedObject;

    int GetAutoExpandLevel() override { return autoExpandLevel_; }
    void SetAutoExpandLevel(int value) override { autoExpandLevel_ = value; }
    bool GetExpandOnNewItem() override { return expandOnNewItem_; }
    void SetExpandOnNewItem(bool value) override { expandOnNewItem_ = value; }
    int GetLevelIndent() override { return levelIndent_; }
    // A different indent tells the consumer of a view change.
    void SetLevelIndent(int value) override;

    void AddItem(int parentIndex, IXcDataItem* item, int expandLevels) override;
    void AddChildItem(int parentIndex, IXcDataItem* item) override;
    void InsertItem(int index, int parentIndex, IXcDataItem* item) override;
    void AddChildren(int& index, IXcDataItems* items, int expandLevels) override;
    // Removes the entry with the entries below it; a parent left without
    // children loses its expanded and has-children bits.
    void DeleteItem(int index) override;
    void CollapseItem(int index) override;
    void SetFlags(int index, uint32_t value, uint32_t mask) override;
    void ToggleItem(int index) override;

    int IndexOfItem(IXcDataItem* item) override;
    int IndexOfID(std::string_view id) override;
    int ChildIndexOfItem(IXcDataItem* item) override;
    int ChildIndexOfID(std::string_view id) override;
    int ItemLevel(int index) override;
    bool ItemIsExpanded(int index) override;
    bool ItemHasChildren(int index) override;
    TIntfPtr<IXcDataItem> ItemParent(int index) override;
    int ItemParentIndex(int index) override;
    TIntfPtr<IXcDataItem> SubItem(int index, int n) override;
    int SubItemIndex(int index, int n) override;
    int Count() override { return static_cast<int>(entries_.size()); }
    TIntfPtr<IXcDataItem> Item(int index) override;
    std::string ItemID(int index) override;
    uint32_t ItemFlags(int index) override;

    void RebuildView() override;
    void ClearView() override { entries_.clear(); }
    void MakeItemVisible(IXcDataItem* item) override;

    // Rebuilt at once when the consumer has a provider.
    void AfterConstruction() override;
    void ProviderGoing() override { ClearView(); }
    void ProviderSet() override { RebuildView(); }
    void ContextChanged() override { RebuildView(); }
    void ConsumerChanged(IInterface* client, int32_t value) override { RebuildView(); }
    // Item deleted, added, and list-wide changes, between Enter and Leave.
    void ProviderChanging(IXcDataProvider* provider, TXcDataChangeReason reason, IInterface* source) override;
    void ProviderChanged(IXcDataProvider* provider, TXcDataChangeReason reason, IInterface* source) override;

    bool GetInterface(const TGUID& iid, void** obj) override;

private:
    struct TEntry {
        std::string ID;
        uint32_t Flags;
        TIntfPtr<IXcDataItem> Item;
    };

    TEntry& At(int index);
    int Level(int index) { return static_cast<int>(At(index).Flags & kLevelMask); }
    int LastDescendant(int index);
    void RemoveDescendants(int index);
    // Adds the children of the entry's item after it.
    void Expand(int index, int expandLevels);
    void ItemAdded(IXcDataItem* item);
    void ListChanged(IXcDataItems* list);

    int autoExpandLevel_ = 0;
    bool expandOnNewItem_ = false;
    int levelIndent_ = 16;
    std::vector<TEntry> entries_;
};

class TXcDataConsumerViewList : public TXcCustomDataConsumerViewList {
    CL_CLASS(TXcDataConsumerViewList, TXcCustomDataConsumerViewList)

    using TXcCustomDataConsumerViewList::TXcCustomDataConsumerViewList;
};
