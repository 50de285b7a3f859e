#pragma once
// A consumer extension holding one selected item.

#include <string>

#include "frameworks/data/XcDataConsumer.h"

class TXcDataConsumerItemSelect : public TXcDataConsumerAggregatedObject, public IXcDataConsumerItemSelect {
    CL_CLASS(TXcDataConsumerItemSelect, TXcDataConsumerAggregatedObject)

    using TXcDataConsumerAggregatedObject::TXcDataConsumerAggregatedObject;

    // The selected item's ID (the pending one while the owner loads).
    std::string ItemID() const;
    // By ID, found (recursively) in the current context's items; ""
    // selects none.  Raises EXCLDataConsumer "Item not found in the
    // selected context", or "You must specify a provider before setting the
    // item" without a provider unless the owner is loading.
    void SetItemID(const std::string& id);

    TIntfPtr<IXcDataItem> GetItem() override { return selected_; }
    void SetItem(IXcDataItem* item) override;

    void ProviderGoing() override { selected_ = nullptr; }
    // An item about to be deleted takes the selection with it when it is,
    // or directly contains, the selected one.
    void ProviderChanging(IXcDataProvider* provider, TXcDataChangeReason reason, IInterface* source) override;
    void Fixup() override;

    bool GetInterface(const TGUID& iid, void** obj) override;

private:
    TIntfPtr<IXcDataItem> selected_;
    std::string pendingID_;
    bool pending_ = false;
};
