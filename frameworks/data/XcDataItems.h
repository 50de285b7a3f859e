#pragma once
// Data items and item lists: a tree of items, each with a string ID and
// facets given by extensions (text, image, a sub-list), looked up by path or
// ID, streamed with their extensions and sub-lists.

#include <string>
#include <string_view>
#include <vector>

#include "frameworks/data/XcDataInterfaces.h"
#include "frameworks/data/XcExtensible.h"

class TXcBaseDataItem;
class TXcBaseDataItems;

// Base of item extensions.  Queries it cannot answer go to the item, except
// IXcDataItemExtensionNotify: each extension answers that for itself only.
class TXcDataItemAggregatedObject : public TAggregatedPersistentEx {
    CL_CLASS(TXcDataItemAggregatedObject, TAggregatedPersistentEx)

    using OwnerType = TXcBaseDataItem;

    explicit TXcDataItemAggregatedObject(TXcBaseDataItem& owner);
    TXcBaseDataItem& Item() const { return *item_; }
    int32_t QueryInterface(const TGUID& iid, void** obj) override;

private:
    TXcBaseDataItem* item_;
};

// Base of item-list extensions.
class TXcDataItemsAggregatedObject : public TAggregatedPersistentEx {
    CL_CLASS(TXcDataItemsAggregatedObject, TAggregatedPersistentEx)

    using OwnerType = TXcBaseDataItems;

    explicit TXcDataItemsAggregatedObject(TXcBaseDataItems& owner);
    TXcBaseDataItems& Items() const { return *items_; }

private:
    TXcBaseDataItems* items_;
};

class TXcBaseDataItem : public TExtensibleInterfacedPersistent, public IXcDataItem {
    CL_CLASS(TXcBaseDataItem, TExtensibleInterfacedPersistent)

    // owner: the list the item is made for (may be null); it is not added.
    explicit TXcBaseDataItem(IXcDataItems* owner);
    const std::string& ID() const { return id_; }
    // Stored unchanged.
    void SetID(const std::string& id) { id_ = id; }

    TIntfPtr<IXcDataItems> GetItems() override;
    int GetIndex() override;
    std::string GetID() override { return id_; }
    bool ContainsItem(IXcDataItem* item, bool recursive) override;

    // True when every extension that answers IXcDataItemExtensionNotify
    // agrees, asked in list order until the first refusal.
    virtual bool CanDelete();
    // Lists set it when they take the item and clear it when they let go,
    // so an item outlives its list without pointing into it.
    void SetOwnerList(IXcDataItems* owner);
    // The owner list's provider; null without one.
    IXcDataProvider* Provider();

    bool GetInterface(const TGUID& iid, void** obj) override;
    // Tells the extensions that answer IXcDataItemExtensionNotify.
    void BeforeDestruction() override;

protected:
    ~TXcBaseDataItem() override = default;
    void AfterConstruction() override;
    // A new ID: the hexadecimal text of a new GUID.
    virtual void InitID();
    void WriteDefinedProperties(cl::TWriter& writer) override;
    bool ReadDefinedProperty(cl::TReader& reader, const std::string& name) override;

private:
    IXcDataItems* owner_ = nullptr;
    TIntfPtr<IXcDataItems> ownerHold_;  // only when the list is dynamic
    std::string id_;
};

class TXcBaseDataItems : public TExtensibleInterfacedPersistent,
                         public IXcDataItems,
                         public IXcDataItemsSearch {
    CL_CLASS(TXcBaseDataItems, TExtensibleInterfacedPersistent)

    TXcBaseDataItems() = default;
    explicit TXcBaseDataItems(IXcDataProvider* provider) : provider_(provider) {}
    explicit TXcBaseDataItems(IXcDataItem* parent);

    TIntfPtr<IXcDataItem> GetItem(int index) override;
    TIntfPtr<IXcDataItem> GetItemByPath(std::string_view path) override;
    TIntfPtr<IXcDataItem> GetItemByIndexPath(std::span<const int> indices) override;
    TIntfPtr<IXcDataItem> GetParent() override { return parent_; }
    // A sub-list's is its parent's, whichever list now holds the parent.
    IXcDataProvider* GetProvider() override;
    void ContextChanged() override {}
    bool IsDynamic() override { return false; }
    int IndexOf(IXcDataItem* item) override;
    TIntfPtr<IXcDataItem> FindByID(std::string_view id, bool recursive) override;

    // Storage: the item at an index, and changes of the list; an index
    // outside the list raises EXCLDataItems "List index out of bounds (%d)".
    virtual TXcBaseDataItem& ItemAt(int index) = 0;
    virtual void InternalAdd(TXcBaseDataItem& item) = 0;
    virtual void InternalDelete(int index) = 0;
    virtual void InternalMove(int curIndex, int newIndex) = 0;
    // An item streams when its class is registered.
    virtual bool IsStreamableItem(TXcBaseDataItem& item);

    // The parent's sub-items extension calls this as it goes.
    void DetachParent();

    bool GetInterface(const TGUID& iid, void** obj) override;

protected:
    ~TXcBaseDataItems() override = default;
    void WriteDefinedProperties(cl::TWriter& writer) override;
    bool ReadDefinedProperty(cl::TReader& reader, const std::string& name) override;
    // The root list of this tree: the provider's, or the topmost parent's.
    TIntfPtr<IXcDataItems> RootItems();

private:
    IXcDataItem* parent_ = nullptr;
    TIntfPtr<IXcDataItem> parentHold_;  // only when the parent's list is dynamic
    IXcDataProvider* provider_ = nullptr;
};

// A list that holds its items, counted.
class TXcDataItemsList : public TXcBaseDataItems {
    CL_CLASS(TXcDataItemsList, TXcBaseDataItems)

    using TXcBaseDataItems::TXcBaseDataItems;
    int GetCount() override { return static_cast<int>(items_.size()); }
    TXcBaseDataItem& ItemAt(int index) override;
    void InternalAdd(TXcBaseDataItem& item) override;
    void InternalDelete(int index) override;
    void InternalMove(int curIndex, int newIndex) override;

protected:
    ~TXcDataItemsList() override;

private:
    std::vector<TIntfPtr<TXcBaseDataItem>> items_;
};

// Gives an item a sub-list: the item answers IXcDataItems with it.
class TXcBaseDataItemSubItems : public TXcDataItemAggregatedObject {
    CL_CLASS(TXcBaseDataItemSubItems, TXcDataItemAggregatedObject)

    // Starts with an empty TXcDataItemsList.
    explicit TXcBaseDataItemSubItems(TXcBaseDataItem& owner);
    ~TXcBaseDataItemSubItems() override;

    TXcBaseDataItems& SubItems() const { return *items_; }
    // Replaces the sub-list; the old one no longer has a parent.
    void SetSubItems(TIntfPtr<TXcBaseDataItems> items);

    bool GetInterface(const TGUID& iid, void** obj) override;

private:
    TIntfPtr<TXcBaseDataItems> items_;
};

// Registry entries.  An item class's factory makes an item for the owner
// list; an item-list class's for the owner item (a root list for none).
template <class T>
cl::TPersistentClass ItemClass() {
    return {&T::StaticClassInfo(), [](cl::TPersistent* owner) -> cl::TPersistent* {
                return New<T>(static_cast<IXcDataItems*>(dynamic_cast<TXcBaseDataItems*>(owner))).Detach();
            }};
}
template <class T>
cl::TPersistentClass ItemsClass() {
    return {&T::StaticClassInfo(), [](cl::TPersistent* owner) -> cl::TPersistent* {
                if (auto* parent = dynamic_cast<TXcBaseDataItem*>(owner))
                    return New<T>(static_cast<IXcDataItem*>(parent)).Detach();
                return New<T>().Detach();
            }};
}

// The provider's broadcasts around a change; nothing without a provider.
void NotifyChanging(IXcDataProvider* provider, TXcDataChangeReason reason, IInterface* source);
void NotifyChanged(IXcDataProvider* provider, TXcDataChangeReason reason, IInterface* source);

// "List index out of bounds (%d)" as EXCLDataItems.
[[noreturn]] void RaiseItemIndexError(int index);
