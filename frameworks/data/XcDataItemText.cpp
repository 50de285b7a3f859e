#include "frameworks/data/XcDataItemText.h"

CL_CLASS_INFO(TXcBaseDataItemTextImpl)

void TXcBaseDataItemTextImpl::SetCaption(const std::string& caption) {
    if (caption == DoGetCaption()) return;
    IXcDataProvider* provider = Item().Provider();
    NotifyChanging(provider, xcrItemUpdated, static_cast<IXcDataItem*>(&Item()));
    DoSetCaption(caption);
    NotifyChanged(provider, xcrItemUpdated, static_cast<IXcDataItem*>(&Item()));
}

bool TXcBaseDataItemTextImpl::GetInterface(const TGUID& iid, void** obj) {
    if (iid == IXcDataItemText::IID) return Answer<IXcDataItemText>(obj);
    return TXcDataItemAggregatedObject::GetInterface(iid, obj);
}

CL_CLASS_INFO(TXcDataItemTextImpl,
              Prop("Caption", &TXcDataItemTextImpl::GetCaption, &TXcDataItemTextImpl::SetCaption))
