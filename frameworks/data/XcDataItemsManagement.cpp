#include "frameworks/data/XcDataItemsManagement.h"

#include "frameworks/data/XcExceptions.h"

CL_CLASS_INFO(TXcBaseDataItemsManagement)

bool TXcBaseDataItemsManagement::GetInterface(const TGUID& iid, void** obj) {
    if (iid == IXcDataItemsManagement::IID) return Answer<IXcDataItemsManagement>(obj);
    return TXcDataItemsAggregatedObject::GetInterface(iid, obj);
}

CL_CLASS_INFO(TXcBaseDataItemsListManagement)

int TXcBaseDataItemsListManagement::Add(IXcDataItem* item) {
    auto* added = dynamic_cast<TXcBaseDataItem*>(item);
    if (!added) throw EXCLDataItems("Item is not a TXcBaseDataItem");
    // An item sits in one list at a time.
    if (TIntfPtr<IXcDataItems> holder = added->GetItems(); holder && holder->IndexOf(item) >= 0)
        throw EXCLDataItems("Item is already in a list");
    TIntfPtr<TXcBaseDataItem> hold(added);
    IXcDataProvider* provider = Items().GetProvider();
    NotifyChanging(provider, xcrItemAdded, item);
    Items().InternalAdd(*added);
    NotifyChanged(provider, xcrItemAdded, item);
    return Items().GetCount() - 1;
}

TIntfPtr<IXcDataItem> TXcBaseDataItemsListManagement::New() {
    throw EXCLDataItems("Abstract Error");
}

void TXcBaseDataItemsListManagement::Clear() {
    IXcDataProvider* provider = Items().GetProvider();
    IXcDataItems* list = &Items();
    NotifyChanging(provider, xcrItemsUpdated, list);
    while (Items().GetCount() > 0) Items().InternalDelete(Items().GetCount() - 1);
    NotifyChanged(provider, xcrItemsUpdated, list);
}

void TXcBaseDataItemsListManagement::Delete(int index) {
    if (index < 0 || index >= Items().GetCount()) RaiseItemIndexError(index);
    // Held through the broadcasts: the list may have had the only reference.
    TIntfPtr<TXcBaseDataItem> item(&Items().ItemAt(index));
    if (!item->CanDelete()) throw EXCLDataItems("Item cannot be deleted");
    IXcDataProvider* provider = Items().GetProvider();
    NotifyChanging(provider, xcrItemDeleted, static_cast<IXcDataItem*>(item.get()));
    // A listener may have taken it out already.
    if (const int now = Items().IndexOf(item.get()); now >= 0) Items().InternalDelete(now);
    NotifyChanged(provider, xcrItemDeleted, static_cast<IXcDataItem*>(item.get()));
}

void TXcBaseDataItemsListManagement::Remove(IXcDataItem* item) {
    Delete(Items().IndexOf(item));
}
