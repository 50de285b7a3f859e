#pragma once
// Adding, clearing and deleting the items of a list, between the provider's
// broadcasts.

#include "frameworks/data/XcDataItems.h"

class TXcBaseDataItemsManagement : public TXcDataItemsAggregatedObject, public IXcDataItemsManagement {
    CL_CLASS(TXcBaseDataItemsManagement, TXcDataItemsAggregatedObject)

    using TXcDataItemsAggregatedObject::TXcDataItemsAggregatedObject;

    bool GetInterface(const TGUID& iid, void** obj) override;
};

class TXcBaseDataItemsListManagement : public TXcBaseDataItemsManagement {
    CL_CLASS(TXcBaseDataItemsListManagement, TXcBaseDataItemsManagement)

    using TXcBaseDataItemsManagement::TXcBaseDataItemsManagement;

    // The item must be a TXcBaseDataItem held by no list (EXCLDataItems).
    int Add(IXcDataItem* item) override;
    // Left to providers: raises EXCLDataItems "Abstract Error".
    TIntfPtr<IXcDataItem> New() override;
    void Clear() override;
    void Delete(int index) override;
    void Remove(IXcDataItem* item) override;
};
