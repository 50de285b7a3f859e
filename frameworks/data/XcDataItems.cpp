#include "frameworks/data/XcDataItems.h"

#include <algorithm>

#include "classlib/Scope.h"
#include "classlib/StrUtils.h"
#include "frameworks/data/XcExceptions.h"

void RaiseItemIndexError(int index) {
    throw EXCLDataItems("List index out of bounds (" + cl::IntToStr(index) + ")");
}

void NotifyChanging(IXcDataProvider* provider, TXcDataChangeReason reason, IInterface* source) {
    if (provider) provider->Changing(reason, source);
}

void NotifyChanged(IXcDataProvider* provider, TXcDataChangeReason reason, IInterface* source) {
    if (provider) provider->Changed(reason, source);
}

bool IsItemVisible(IXcDataItem* item, IXcDataConsumer* consumer) {
    if (auto visibility = Query<IXcDataItemVisibility>(item); visibility && !visibility->Visible())
        return false;
    if (auto visibility = Query<IXcDataItemConsumerVisibility>(item);
        visibility && !visibility->VisibleTo(consumer))
        return false;
    return true;
}

namespace {

constexpr std::string_view kPathSeparators = "\\/";

// The item of that ID in list, last to first; null when none.
TIntfPtr<IXcDataItem> FindInList(IXcDataItems& list, std::string_view id) {
    for (int i = list.GetCount(); i-- > 0;) {
        TIntfPtr<IXcDataItem> item = list.GetItem(i);
        if (cl::AnsiSameText(item->GetID(), id)) return item;
    }
    return {};
}

// The root list of list's tree: the provider's, or the topmost parent's.
TIntfPtr<IXcDataItems> RootOf(TIntfPtr<IXcDataItems> list) {
    if (IXcDataProvider* provider = list->GetProvider())
        if (TIntfPtr<IXcDataItems> root = provider->GetItems()) return root;
    while (TIntfPtr<IXcDataItem> parent = list->GetParent()) {
        TIntfPtr<IXcDataItems> up = parent->GetItems();
        if (!up) break;
        list = up;
    }
    return list;
}

// Keeps the writer's property path empty inside a nested list of our own.
class EmptyPropPath {
public:
    explicit EmptyPropPath(cl::TWriter& writer) : writer_(writer), saved_(writer.PropPath()) {
        writer_.SetPropPath("");
    }
    ~EmptyPropPath() { writer_.SetPropPath(std::move(saved_)); }

private:
    cl::TWriter& writer_;
    std::string saved_;
};

}  // namespace

// ---- Extension bases ----------------------------------------------------

CL_CLASS_INFO(TXcDataItemAggregatedObject)

TXcDataItemAggregatedObject::TXcDataItemAggregatedObject(TXcBaseDataItem& owner)
    : TAggregatedPersistentEx(owner), item_(&owner) {}

int32_t TXcDataItemAggregatedObject::QueryInterface(const TGUID& iid, void** obj) {
    if (iid == IXcDataItemExtensionNotify::IID) {
        *obj = nullptr;
        return GetInterface(iid, obj) ? XC_S_OK : XC_E_NOINTERFACE;
    }
    return TAggregatedPersistentEx::QueryInterface(iid, obj);
}

CL_CLASS_INFO(TXcDataItemsAggregatedObject)

TXcDataItemsAggregatedObject::TXcDataItemsAggregatedObject(TXcBaseDataItems& owner)
    : TAggregatedPersistentEx(owner), items_(&owner) {}

// ---- TXcBaseDataItem ----------------------------------------------------

CL_CLASS_INFO(TXcBaseDataItem, Prop("ID", &TXcBaseDataItem::ID, &TXcBaseDataItem::SetID))

TXcBaseDataItem::TXcBaseDataItem(IXcDataItems* owner) {
    SetOwnerList(owner);
}

void TXcBaseDataItem::AfterConstruction() {
    InitID();
    TExtensibleInterfacedPersistent::AfterConstruction();
}

void TXcBaseDataItem::InitID() {
    id_ = GuidToHex(CreateGuid());
}

void TXcBaseDataItem::SetOwnerList(IXcDataItems* owner) {
    owner_ = owner;
    ownerHold_ = owner && owner->IsDynamic() ? owner : nullptr;
}

TIntfPtr<IXcDataItems> TXcBaseDataItem::GetItems() {
    return owner_;
}

int TXcBaseDataItem::GetIndex() {
    return owner_ ? owner_->IndexOf(this) : -1;
}

IXcDataProvider* TXcBaseDataItem::Provider() {
    return owner_ ? owner_->GetProvider() : nullptr;
}

bool TXcBaseDataItem::ContainsItem(IXcDataItem* item, bool recursive) {
    TIntfPtr<IXcDataItems> sub = Query<IXcDataItems>(static_cast<IXcDataItem*>(this));
    if (!sub) return false;
    for (int i = 0, n = sub->GetCount(); i < n; ++i) {
        TIntfPtr<IXcDataItem> child = sub->GetItem(i);
        if (SameObject(child.get(), item)) return true;
        if (recursive && child->ContainsItem(item, true)) return true;
    }
    return false;
}

bool TXcBaseDataItem::CanDelete() {
    for (int i = 0; i < ExtensionCount(); ++i)
        if (auto notify = Query<IXcDataItemExtensionNotify>(Extension(i)); notify && !notify->CanDeleteItem())
            return false;
    return true;
}

bool TXcBaseDataItem::GetInterface(const TGUID& iid, void** obj) {
    if (iid == IXcDataItem::IID) return Answer<IXcDataItem>(obj);
    return TExtensibleInterfacedPersistent::GetInterface(iid, obj);
}

void TXcBaseDataItem::BeforeDestruction() {
    for (int i = 0; i < ExtensionCount(); ++i)
        if (auto notify = Query<IXcDataItemExtensionNotify>(Extension(i))) notify->ItemDestroying();
    TExtensibleInterfacedPersistent::BeforeDestruction();
}

void TXcBaseDataItem::WriteDefinedProperties(cl::TWriter& writer) {
    TExtensibleInterfacedPersistent::WriteDefinedProperties(writer);
    TIntfPtr<IXcDataItems> sub = Query<IXcDataItems>(static_cast<IXcDataItem*>(this));
    auto* list = dynamic_cast<TXcBaseDataItems*>(sub.get());
    if (!list || !cl::IsClassRegistered(list->ClassInfo())) return;
    writer.WritePropName("SubItems");
    EmptyPropPath inside(writer);
    WriteClassElementBegin(writer, list->ClassName());
    list->WriteState(writer);
}

bool TXcBaseDataItem::ReadDefinedProperty(cl::TReader& reader, const std::string& name) {
    if (!cl::SameText(name, "SubItems"))
        return TExtensibleInterfacedPersistent::ReadDefinedProperty(reader, name);
    reader.ReadListBegin();
    if (reader.NextValue() == cl::vaNull || !cl::SameText(reader.ReadPropName(), "ClassName"))
        throw cl::EReadError("Missing ClassName property");
    const cl::TPersistentClass cls = cl::FindClass(reader.ReadString());
    if (!cls.Info->InheritsFrom(TXcBaseDataItems::StaticClassInfo()))
        throw cl::EReadError("Invalid class type");
    const int index = IndexOfImplClass(TXcBaseDataItemSubItems::StaticClassInfo());
    auto& ext = index >= 0 ? static_cast<TXcBaseDataItemSubItems&>(*Extension(index))
                           : CreateExtension<TXcBaseDataItemSubItems>(*this);
    if (&ext.SubItems().ClassInfo() != cls.Info)
        ext.SetSubItems(AdoptCreated<TXcBaseDataItems>(cls.Create(this)));
    ext.SubItems().ReadState(reader);
    return true;
}

// ---- TXcBaseDataItems ---------------------------------------------------

CL_CLASS_INFO(TXcBaseDataItems)

TXcBaseDataItems::TXcBaseDataItems(IXcDataItem* parent) : parent_(parent) {
    if (!parent) return;
    if (TIntfPtr<IXcDataItems> up = parent->GetItems(); up && up->IsDynamic()) parentHold_ = parent;
}

IXcDataProvider* TXcBaseDataItems::GetProvider() {
    if (!parent_) return provider_;
    TIntfPtr<IXcDataItems> up = parent_->GetItems();
    return up ? up->GetProvider() : nullptr;
}

void TXcBaseDataItems::DetachParent() {
    parent_ = nullptr;
    parentHold_ = nullptr;
}

TIntfPtr<IXcDataItem> TXcBaseDataItems::GetItem(int index) {
    if (index < 0 || index >= GetCount()) RaiseItemIndexError(index);
    return &ItemAt(index);
}

TIntfPtr<IXcDataItem> TXcBaseDataItems::GetItemByPath(std::string_view path) {
    TIntfPtr<IXcDataItems> list(this);
    while (list && !path.empty()) {
        const size_t separator = path.find_first_of(kPathSeparators);
        const std::string_view segment = path.substr(0, separator);
        path = separator == std::string_view::npos ? std::string_view() : path.substr(separator + 1);
        if (segment == "..") {
            TIntfPtr<IXcDataItem> parent = list->GetParent();
            if (!parent) return {};
            list = parent->GetItems();
        } else if (segment.empty()) {
            list = RootOf(list);
        } else {
            TIntfPtr<IXcDataItem> found = FindInList(*list, segment);
            if (!found || path.empty()) return found;
            list = Query<IXcDataItems>(found);
        }
    }
    return {};
}

TIntfPtr<IXcDataItem> TXcBaseDataItems::GetItemByIndexPath(std::span<const int> indices) {
    TIntfPtr<IXcDataItems> list(this);
    TIntfPtr<IXcDataItem> item;
    for (int index : indices) {
        if (!list) return {};
        item = list->GetItem(index);
        list = Query<IXcDataItems>(item);
    }
    return item;
}

TIntfPtr<IXcDataItems> TXcBaseDataItems::RootItems() {
    return RootOf(this);
}

int TXcBaseDataItems::IndexOf(IXcDataItem* item) {
    for (int i = 0, n = GetCount(); i < n; ++i)
        if (SameObject(static_cast<IXcDataItem*>(&ItemAt(i)), item)) return i;
    return -1;
}

TIntfPtr<IXcDataItem> TXcBaseDataItems::FindByID(std::string_view id, bool recursive) {
    if (TIntfPtr<IXcDataItem> found = FindInList(*this, id)) return found;
    if (!recursive) return {};
    for (int i = GetCount(); i-- > 0;) {
        TIntfPtr<IXcDataItems> sub = Query<IXcDataItems>(static_cast<IXcDataItem*>(&ItemAt(i)));
        if (auto search = Query<IXcDataItemsSearch>(sub))
            if (TIntfPtr<IXcDataItem> found = search->FindByID(id, true)) return found;
    }
    return {};
}

bool TXcBaseDataItems::IsStreamableItem(TXcBaseDataItem& item) {
    return cl::IsClassRegistered(item.ClassInfo());
}

bool TXcBaseDataItems::GetInterface(const TGUID& iid, void** obj) {
    if (iid == IXcDataItems::IID) return Answer<IXcDataItems>(obj);
    if (iid == IXcDataItemsSearch::IID) return Answer<IXcDataItemsSearch>(obj);
    return TExtensibleInterfacedPersistent::GetInterface(iid, obj);
}

void TXcBaseDataItems::WriteDefinedProperties(cl::TWriter& writer) {
    TExtensibleInterfacedPersistent::WriteDefinedProperties(writer);
    bool any = false;
    for (int i = 0, n = GetCount(); i < n && !any; ++i) any = IsStreamableItem(ItemAt(i));
    if (!any) return;
    writer.WritePropName("Items");
    writer.WriteValue(cl::vaCollection);
    EmptyPropPath inside(writer);
    for (int i = 0, n = GetCount(); i < n; ++i) {
        TXcBaseDataItem& item = ItemAt(i);
        if (!IsStreamableItem(item)) continue;
        WriteClassElementBegin(writer, item.ClassName());
        item.WriteState(writer);
    }
    writer.WriteListEnd();
}

bool TXcBaseDataItems::ReadDefinedProperty(cl::TReader& reader, const std::string& name) {
    if (!cl::SameText(name, "Items"))
        return TExtensibleInterfacedPersistent::ReadDefinedProperty(reader, name);
    ReadClassCollection(reader, TXcBaseDataItem::StaticClassInfo(), [&](cl::TPersistentClass cls) {
        TIntfPtr<TXcBaseDataItem> item = AdoptCreated<TXcBaseDataItem>(cls.Create(this));
        InternalAdd(*item);
        item->ReadState(reader);
    });
    return true;
}

// ---- TXcDataItemsList ---------------------------------------------------

CL_CLASS_INFO(TXcDataItemsList)

TXcDataItemsList::~TXcDataItemsList() {
    for (auto& item : items_) item->SetOwnerList(nullptr);
}

TXcBaseDataItem& TXcDataItemsList::ItemAt(int index) {
    if (index < 0 || index >= GetCount()) RaiseItemIndexError(index);
    return *items_[index];
}

void TXcDataItemsList::InternalAdd(TXcBaseDataItem& item) {
    items_.emplace_back(&item);
    item.SetOwnerList(this);
}

void TXcDataItemsList::InternalDelete(int index) {
    if (index < 0 || index >= GetCount()) RaiseItemIndexError(index);
    TIntfPtr<TXcBaseDataItem> item = items_[index];
    items_.erase(items_.begin() + index);
    item->SetOwnerList(nullptr);
}

void TXcDataItemsList::InternalMove(int curIndex, int newIndex) {
    if (curIndex < 0 || curIndex >= GetCount()) RaiseItemIndexError(curIndex);
    if (newIndex < 0 || newIndex >= GetCount()) RaiseItemIndexError(newIndex);
    auto first = items_.begin();
    if (curIndex < newIndex)
        std::rotate(first + curIndex, first + curIndex + 1, first + newIndex + 1);
    else
        std::rotate(first + newIndex, first + curIndex, first + curIndex + 1);
}

// ---- TXcBaseDataItemSubItems --------------------------------------------

CL_CLASS_INFO(TXcBaseDataItemSubItems)

TXcBaseDataItemSubItems::TXcBaseDataItemSubItems(TXcBaseDataItem& owner)
    : TXcDataItemAggregatedObject(owner), items_(New<TXcDataItemsList>(static_cast<IXcDataItem*>(&owner))) {}

TXcBaseDataItemSubItems::~TXcBaseDataItemSubItems() {
    items_->DetachParent();
}

void TXcBaseDataItemSubItems::SetSubItems(TIntfPtr<TXcBaseDataItems> items) {
    items_->DetachParent();
    items_ = std::move(items);
}

bool TXcBaseDataItemSubItems::GetInterface(const TGUID& iid, void** obj) {
    if (iid == IXcDataItems::IID) {
        IXcDataItems* list = items_.get();
        list->AddRef();
        *obj = list;
        return true;
    }
    return false;
}
