#pragma once
// The text facet of an item: its caption.

#include <string>

#include "frameworks/data/XcDataItems.h"

class TXcBaseDataItemTextImpl : public TXcDataItemAggregatedObject, public IXcDataItemText {
    CL_CLASS(TXcBaseDataItemTextImpl, TXcDataItemAggregatedObject)

    using TXcDataItemAggregatedObject::TXcDataItemAggregatedObject;

    std::string GetCaption() override { return DoGetCaption(); }
    // A different caption is stored between the provider's broadcasts of an
    // item update.
    void SetCaption(const std::string& caption) override;
    bool Editable() override { return true; }

    bool GetInterface(const TGUID& iid, void** obj) override;

protected:
    virtual std::string DoGetCaption() = 0;
    virtual void DoSetCaption(const std::string& caption) = 0;
};

class TXcDataItemTextImpl : public TXcBaseDataItemTextImpl {
    CL_CLASS(TXcDataItemTextImpl, TXcBaseDataItemTextImpl)

    using TXcBaseDataItemTextImpl::TXcBaseDataItemTextImpl;

protected:
    std::string DoGetCaption() override { return caption_; }
    void DoSetCaption(const std::string& caption) override { caption_ = caption; }

private:
    std::string caption_;
};
