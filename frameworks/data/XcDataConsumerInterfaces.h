#pragma once
// The capabilities of data consumers and their extensions, each an interface
// identified by its GUID.

#include <cstdint>
#include <string>
#include <string_view>

#include "classlib/Component.h"
#include "frameworks/data/XcDataInterfaces.h"

class IXcDataConsumer : public virtual IInterface {
public:
    static constexpr TGUID IID = {
        0xB2F18D03, 0xF615, 0x4AA2, {0xA5, 0x1A, 0x74, 0xD3, 0x30, 0xC0, 0x5C, 0x0E}};

    // The owner control (component); may be null.
    virtual cl::TComponent* CLComponent() = 0;
    virtual bool AttributeApplies(int32_t attribute) = 0;
};

class IXcDataConsumerItemSelect : public virtual IInterface {
public:
    static constexpr TGUID IID = {
        0xF11554AE, 0x263D, 0x4C04, {0xBC, 0xDB, 0x79, 0xF0, 0x4D, 0xE8, 0x96, 0x09}};

    virtual TIntfPtr<IXcDataItem> GetItem() = 0;
    virtual void SetItem(IXcDataItem* item) = 0;
};

// The provider tells its registered consumers of every change.
class IXcDataProviderNotify : public virtual IInterface {
public:
    static constexpr TGUID IID = {
        0x5B9D1847, 0x6D35, 0x4D9C, {0x8B, 0xC2, 0x20, 0x54, 0x99, 0x7A, 0xB1, 0x20}};

    virtual void DataProviderChanging(IXcDataProvider* provider, TXcDataChangeReason reason,
                                      IInterface* source) = 0;
    virtual void DataProviderChanged(IXcDataProvider* provider, TXcDataChangeReason reason,
                                     IInterface* source) = 0;
    virtual TIntfPtr<IXcDataConsumer> Consumer() = 0;
};

// Clients linked to a consumer, and notices passed on to its extensions.
class IXcDataConsumerServerNotify : public virtual IInterface {
public:
    static constexpr TGUID IID = {
        0xD1AAAFDF, 0xBEB1, 0x44DB, {0xB8, 0xD8, 0xA6, 0x00, 0x80, 0xCE, 0xF3, 0xC7}};

    virtual void Notify(IInterface* client, int32_t value) = 0;
    virtual void AddClient(IInterface* client) = 0;
    virtual void RemoveClient(IInterface* client) = 0;
};

class IXcDataConsumerProvider : public virtual IInterface {
public:
    static constexpr TGUID IID = {
        0x1F01D2E5, 0x2ACB, 0x4B84, {0xAF, 0xE6, 0x67, 0xE5, 0x63, 0xFB, 0x47, 0x0B}};

    virtual IXcDataProvider* GetProvider() = 0;
};

// A flat list of the visible part of the item tree, one entry per item in
// display order.  An entry's flags: bits 0-23 the level (0 at the root),
// bit 29 expanded (its children follow it), bit 30 can have children,
// bit 31 has children.
class IXcDataConsumerViewList : public virtual IInterface {
public:
    static constexpr TGUID IID = {
        0xF3A78F68, 0xD998, 0x4877, {0x8C, 0x73, 0x1E, 0x0D, 0x29, 0x87, 0x80, 0x8D}};

    static constexpr uint32_t kLevelMask = 0x00FFFFFF;
    static constexpr uint32_t kExpanded = 1u << 29;
    static constexpr uint32_t kCanHaveChildren = 1u << 30;
    static constexpr uint32_t kHasChildren = 1u << 31;

    virtual int GetAutoExpandLevel() = 0;
    virtual void SetAutoExpandLevel(int value) = 0;
    virtual bool GetExpandOnNewItem() = 0;
    virtual void SetExpandOnNewItem(bool value) = 0;
    virtual int GetLevelIndent() = 0;
    virtual void SetLevelIndent(int value) = 0;

    // Parent index -1: a root entry.
    virtual void AddItem(int parentIndex, IXcDataItem* item, int expandLevels) = 0;
    virtual void AddChildItem(int parentIndex, IXcDataItem* item) = 0;
    virtual void InsertItem(int index, int parentIndex, IXcDataItem* item) = 0;
    // Entries for the visible items of items at index, which moves past them.
    virtual void AddChildren(int& index, IXcDataItems* items, int expandLevels) = 0;
    virtual void DeleteItem(int index) = 0;
    virtual void CollapseItem(int index) = 0;
    virtual void SetFlags(int index, uint32_t value, uint32_t mask) = 0;
    virtual void ToggleItem(int index) = 0;

    virtual int IndexOfItem(IXcDataItem* item) = 0;
    virtual int IndexOfID(std::string_view id) = 0;
    virtual int ChildIndexOfItem(IXcDataItem* item) = 0;
    virtual int ChildIndexOfID(std::string_view id) = 0;
    virtual int ItemLevel(int index) = 0;
    virtual bool ItemIsExpanded(int index) = 0;
    virtual bool ItemHasChildren(int index) = 0;
    virtual TIntfPtr<IXcDataItem> ItemParent(int index) = 0;
    virtual int ItemParentIndex(int index) = 0;
    virtual TIntfPtr<IXcDataItem> SubItem(int index, int n) = 0;
    virtual int SubItemIndex(int index, int n) = 0;
    virtual int Count() = 0;
    // The entry's item, ID and whole flag word.
    virtual TIntfPtr<IXcDataItem> Item(int index) = 0;
    virtual std::string ItemID(int index) = 0;
    virtual uint32_t ItemFlags(int index) = 0;

    virtual void RebuildView() = 0;
    virtual void ClearView() = 0;
    // Expands the ancestors down to item's parent; EXCLDataConsumer
    // "ViewList out of sync" when an expanded parent lacks the item.
    virtual void MakeItemVisible(IXcDataItem* item) = 0;
};
