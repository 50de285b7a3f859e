#pragma once
// The capabilities of data providers, items and contexts, each an interface
// identified by its GUID, and the change reasons a provider broadcasts.

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "classlib/ClassRegistry.h"
#include "frameworks/data/XcInterface.h"

class IXcDataConsumer;
class IXcDataContext;
class IXcDataContexts;
class IXcDataItem;
class IXcDataItems;
class IXcDataProviderNotify;

// Passed with a provider's changing and changed broadcasts.
enum TXcDataChangeReason : uint8_t {
    xcrItemAdded = 0,
    xcrItemDeleted = 1,
    xcrItemUpdated = 2,
    xcrItemsUpdated = 3,  // list-wide, image lists included
    xcrProviderDestroying = 4,
    xcrContextAdded = 5,
    xcrContextRemoved = 6,
    xcrViewChanged = 8,
};

// What owns the root items and contexts.  No provider is part of the
// program; these are the operations its consumers and items call.
class IXcDataProvider : public virtual IInterface {
public:
    static constexpr TGUID IID = {
        0x62A7A17D, 0x1E21, 0x427E, {0x86, 0x1D, 0xC9, 0x2F, 0xBB, 0x9B, 0x09, 0xA6}};

    // Clients hear every broadcast until they unregister; a client may
    // unregister (itself or another) while it is being told.
    virtual void RegisterChangeNotify(IXcDataProviderNotify* client) = 0;
    virtual void UnregisterChangeNotify(IXcDataProviderNotify* client) = 0;
    // The root items of the current context (of the provider when none is).
    virtual TIntfPtr<IXcDataItems> GetItems() = 0;
    // The current consumer and context, pushed and selected around a read.
    virtual void PushConsumer(IXcDataConsumer* consumer) = 0;
    virtual void PopConsumer() noexcept = 0;
    virtual void SelectContext(IXcDataContext* context) = 0;
    virtual void ReleaseContext() noexcept = 0;
    virtual void Changing(TXcDataChangeReason reason, IInterface* source) = 0;
    virtual void Changed(TXcDataChangeReason reason, IInterface* source) = 0;
    // The extensions every consumer of this provider needs.
    virtual std::vector<cl::TPersistentClass> ConsumerExtensionClasses() = 0;
};

class IXcDataItems : public virtual IInterface {
public:
    static constexpr TGUID IID = {
        0x93747660, 0x24FB, 0x4294, {0xBF, 0x4E, 0xC7, 0xF8, 0x8E, 0xA2, 0x39, 0x83}};

    virtual int GetCount() = 0;
    // EXCLDataItems "List index out of bounds (%d)" outside 0..count-1.
    virtual TIntfPtr<IXcDataItem> GetItem(int index) = 0;
    // IDs separated by "\" or "/"; ".." is the parent's list, a leading
    // separator the root.  Null when the path names no item.
    virtual TIntfPtr<IXcDataItem> GetItemByPath(std::string_view path) = 0;
    // One index per level, from this list down.
    virtual TIntfPtr<IXcDataItem> GetItemByIndexPath(std::span<const int> indices) = 0;
    // The item whose sub-list this is; null at the root.
    virtual TIntfPtr<IXcDataItem> GetParent() = 0;
    // Not counted: the provider outlives its items or says it goes.
    virtual IXcDataProvider* GetProvider() = 0;
    virtual void ContextChanged() = 0;
    // A dynamic list is held by its items and parent rather than holding them.
    virtual bool IsDynamic() = 0;
    virtual int IndexOf(IXcDataItem* item) = 0;
};

class IXcDataItem : public virtual IInterface {
public:
    static constexpr TGUID IID = {
        0xC965CF64, 0xA1F2, 0x44A4, {0xB8, 0x56, 0x3A, 0x4E, 0xC6, 0xB6, 0x93, 0xE1}};

    // The list that holds the item; null once no list holds it.
    virtual TIntfPtr<IXcDataItems> GetItems() = 0;
    virtual int GetIndex() = 0;
    virtual std::string GetID() = 0;
    // item is in this item's sub-list (recursive: at any depth below).
    virtual bool ContainsItem(IXcDataItem* item, bool recursive) = 0;
};

class IXcDataContext : public virtual IInterface {
public:
    static constexpr TGUID IID = {
        0xF226D92A, 0x3493, 0x4EF8, {0x9C, 0xE6, 0x03, 0x73, 0x57, 0xEB, 0x0C, 0xEA}};

    // The list that holds the context; null once no list holds it.
    virtual TIntfPtr<IXcDataContexts> Contexts() = 0;
    virtual std::string Name() = 0;
};

class IXcDataContexts : public virtual IInterface {
public:
    static constexpr TGUID IID = {
        0xBA5DC787, 0x29C6, 0x40FA, {0x95, 0x42, 0xF0, 0xA1, 0xE9, 0x2A, 0x2B, 0x30}};

    virtual IXcDataProvider* Provider() = 0;
    // The context whose sub-contexts these are; null for a provider's.
    virtual TIntfPtr<IXcDataContext> Ancestor() = 0;
    virtual int GetCount() = 0;
    virtual TIntfPtr<IXcDataContext> GetContext(int index) = 0;
    // The path rules of item lookup, over context names.
    virtual TIntfPtr<IXcDataContext> GetContextByName(std::string_view path) = 0;
    virtual int IndexOf(IXcDataContext* context) = 0;
};

class IXcDataItemText : public virtual IInterface {
public:
    static constexpr TGUID IID = {
        0x94FA56D9, 0x281B, 0x4252, {0xB4, 0x6D, 0x15, 0xE7, 0xBA, 0xDA, 0x70, 0xDA}};

    virtual std::string GetCaption() = 0;
    virtual void SetCaption(const std::string& caption) = 0;
    virtual bool Editable() = 0;
};

// An item that does something when the control showing it is clicked.
class IXcDataItemAction : public virtual IInterface {
public:
    static constexpr TGUID IID = {
        0x65CDCDB8, 0xB9AF, 0x4F1B, {0x8E, 0x24, 0x38, 0x37, 0x44, 0xA5, 0xEA, 0xF1}};

    // True when the click was handled (the control does nothing more).
    virtual bool Execute() = 0;
};

class IXcDataItemsSearch : public virtual IInterface {
public:
    static constexpr TGUID IID = {
        0x0F5BDC79, 0x893B, 0x45C9, {0x94, 0xE9, 0xC2, 0xB2, 0xFD, 0x4A, 0xBF, 0xE7}};

    // This list (last item first), then with recursive the sub-lists, last
    // item's first and depth first.  IDs compare as AnsiSameText.
    virtual TIntfPtr<IXcDataItem> FindByID(std::string_view id, bool recursive) = 0;
};

class IXcDataItemsManagement : public virtual IInterface {
public:
    static constexpr TGUID IID = {
        0x76611CC0, 0x9DCD, 0x4394, {0x8B, 0x6E, 0x1A, 0xDE, 0xF1, 0x94, 0x2B, 0xC3}};

    virtual int Add(IXcDataItem* item) = 0;
    virtual TIntfPtr<IXcDataItem> New() = 0;
    virtual void Clear() = 0;
    // Raise EXCLDataItems "Item cannot be deleted" when the item refuses.
    virtual void Delete(int index) = 0;
    virtual void Remove(IXcDataItem* item) = 0;
};

class IXcDataManagedContext : public virtual IInterface {
public:
    static constexpr TGUID IID = {
        0x530367D8, 0x601C, 0x4E36, {0xB5, 0xF0, 0x35, 0x71, 0x60, 0x49, 0x7C, 0x50}};

    virtual TIntfPtr<IXcDataContext> ManagedContext() = 0;
};

// Answered by an item extension for itself only: the item asks each of its
// extensions in turn.
class IXcDataItemExtensionNotify : public virtual IInterface {
public:
    static constexpr TGUID IID = {
        0x7067F5C1, 0x05DC, 0x4DAC, {0xA5, 0x95, 0xAF, 0x91, 0x51, 0x69, 0x5F, 0xBB}};

    virtual void ItemDestroying() = 0;
    virtual bool CanDeleteItem() = 0;
};

// The two visibility interfaces an item may answer; one that answers
// neither is visible.
class IXcDataItemVisibility : public virtual IInterface {
public:
    static constexpr TGUID IID = {
        0x09EBDED8, 0x502E, 0x4C2E, {0x98, 0x42, 0x31, 0x28, 0x50, 0xFF, 0x33, 0x58}};

    virtual bool Visible() = 0;
};

class IXcDataItemConsumerVisibility : public virtual IInterface {
public:
    static constexpr TGUID IID = {
        0x5BD81E0B, 0xDAD2, 0x4560, {0x94, 0x3A, 0x20, 0x5E, 0x0F, 0xF2, 0xA9, 0x7F}};

    virtual bool VisibleTo(IXcDataConsumer* consumer) = 0;
};

// The visibility test of views: hidden only when an answered interface says so.
bool IsItemVisible(IXcDataItem* item, IXcDataConsumer* consumer);
