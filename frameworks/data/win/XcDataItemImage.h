#pragma once
// The image facet of an item: which image it shows, selected or not, and how
// it is aligned.

#include "frameworks/data/XcDataItems.h"
#include "frameworks/data/win/XcDataDrawInterfaces.h"

class TXcBaseDataItemImageImpl : public TXcDataItemAggregatedObject, public IXcDataItemImage {
    CL_CLASS(TXcBaseDataItemImageImpl, TXcDataItemAggregatedObject)

    using TXcDataItemAggregatedObject::TXcDataItemAggregatedObject;

    // A different value is stored between the provider's broadcasts of an
    // item update.
    cl::TAlignment GetAlignment() override { return DoGetAlignment(); }
    void SetAlignment(cl::TAlignment value) override;
    int GetImageIndex() override { return DoGetIndex(false); }
    void SetImageIndex(int value) override { SetIndex(false, value); }
    int GetSelectedIndex() override { return DoGetIndex(true); }
    void SetSelectedIndex(int value) override { SetIndex(true, value); }

    bool GetInterface(const TGUID& iid, void** obj) override;

protected:
    virtual cl::TAlignment DoGetAlignment() = 0;
    virtual void DoSetAlignment(cl::TAlignment value) = 0;
    virtual int DoGetIndex(bool selected) = 0;
    virtual void DoSetIndex(bool selected, int value) = 0;

private:
    void SetIndex(bool selected, int value);
};

class TXcDataItemImageImpl : public TXcBaseDataItemImageImpl {
    CL_CLASS(TXcDataItemImageImpl, TXcBaseDataItemImageImpl)

    using TXcBaseDataItemImageImpl::TXcBaseDataItemImageImpl;

protected:
    cl::TAlignment DoGetAlignment() override { return alignment_; }
    void DoSetAlignment(cl::TAlignment value) override { alignment_ = value; }
    int DoGetIndex(bool selected) override { return selected ? selectedIndex_ : imageIndex_; }
    void DoSetIndex(bool selected, int value) override { (selected ? selectedIndex_ : imageIndex_) = value; }

private:
    cl::TAlignment alignment_ = cl::taLeftJustify;
    int imageIndex_ = 0;
    int selectedIndex_ = 0;
};
