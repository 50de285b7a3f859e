#include "frameworks/data/win/XcDataItemImage.h"

CL_CLASS_INFO(TXcBaseDataItemImageImpl)

void TXcBaseDataItemImageImpl::SetAlignment(cl::TAlignment value) {
    if (value == DoGetAlignment()) return;
    IXcDataItem* item = &Item();
    NotifyChanging(Item().Provider(), xcrItemUpdated, item);
    DoSetAlignment(value);
    NotifyChanged(Item().Provider(), xcrItemUpdated, item);
}

void TXcBaseDataItemImageImpl::SetIndex(bool selected, int value) {
    if (value == DoGetIndex(selected)) return;
    IXcDataItem* item = &Item();
    NotifyChanging(Item().Provider(), xcrItemUpdated, item);
    DoSetIndex(selected, value);
    NotifyChanged(Item().Provider(), xcrItemUpdated, item);
}

bool TXcBaseDataItemImageImpl::GetInterface(const TGUID& iid, void** obj) {
    if (iid == IXcDataItemImage::IID) return Answer<IXcDataItemImage>(obj);
    return TXcDataItemAggregatedObject::GetInterface(iid, obj);
}

CL_CLASS_INFO(TXcDataItemImageImpl,
              EnumProp("Alignment", {"taLeftJustify", "taRightJustify", "taCenter"},
                       &TXcDataItemImageImpl::GetAlignment, &TXcDataItemImageImpl::SetAlignment),
              Prop("ImageIndex", &TXcDataItemImageImpl::GetImageIndex, &TXcDataItemImageImpl::SetImageIndex),
              Prop("SelectedIndex", &TXcDataItemImageImpl::GetSelectedIndex,
                   &TXcDataItemImageImpl::SetSelectedIndex))
