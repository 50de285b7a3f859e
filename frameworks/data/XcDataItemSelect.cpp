#include "frameworks/data/XcDataItemSelect.h"

#include "frameworks/data/XcExceptions.h"

CL_CLASS_INFO(TXcDataConsumerItemSelect,
              Prop("Item", &TXcDataConsumerItemSelect::ItemID, &TXcDataConsumerItemSelect::SetItemID))

std::string TXcDataConsumerItemSelect::ItemID() const {
    if (pending_) return pendingID_;
    return selected_ ? selected_->GetID() : std::string();
}

void TXcDataConsumerItemSelect::SetItemID(const std::string& id) {
    if (id == ItemID()) return;
    if (id.empty()) {
        pending_ = false;
        selected_ = nullptr;
        return;
    }
    TXcDataConsumer& consumer = Consumer();
    if (!consumer.Provider()) {
        if (!consumer.OwnerLoading())
            throw EXCLDataConsumer("You must specify a provider before setting the item");
        pendingID_ = id;
        pending_ = true;
        SetWaitingForFixup(true);
        return;
    }
    TIntfPtr<IXcDataItem> found;
    {
        TXcDataConsumerScope entered(consumer);
        if (auto search = Query<IXcDataItemsSearch>(consumer.Provider()->GetItems()))
            found = search->FindByID(id, true);
        if (!found) throw EXCLDataConsumer("Item not found in the selected context");
    }
    pending_ = false;
    selected_ = std::move(found);
}

void TXcDataConsumerItemSelect::SetItem(IXcDataItem* item) {
    pending_ = false;
    selected_ = item;
}

void TXcDataConsumerItemSelect::ProviderChanging(IXcDataProvider* provider, TXcDataChangeReason reason,
                                                 IInterface* source) {
    if (reason != xcrItemDeleted || !selected_) return;
    TXcDataConsumerScope entered(Consumer());
    TIntfPtr<IXcDataItem> deleted = Query<IXcDataItem>(source);
    if (deleted &&
        (SameObject(deleted.get(), selected_.get()) || deleted->ContainsItem(selected_.get(), false)))
        selected_ = nullptr;
}

void TXcDataConsumerItemSelect::Fixup() {
    if (!Consumer().Provider()) return;  // still waiting: applied once a provider comes
    SetWaitingForFixup(false);
    if (!pending_) return;
    pending_ = false;
    SetItemID(std::exchange(pendingID_, {}));
}

bool TXcDataConsumerItemSelect::GetInterface(const TGUID& iid, void** obj) {
    if (iid == IXcDataConsumerItemSelect::IID) return Answer<IXcDataConsumerItemSelect>(obj);
    return TXcDataConsumerAggregatedObject::GetInterface(iid, obj);
}
