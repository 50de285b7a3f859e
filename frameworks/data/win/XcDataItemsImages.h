#pragma once
// The image lists of an item list: normal, hot and disabled images.

#include <algorithm>
#include <memory>

#include "frameworks/data/XcDataItems.h"
#include "frameworks/data/win/XcDataDrawInterfaces.h"

class TXcBaseDataItemsImagesImpl : public TXcDataItemsAggregatedObject, public IXcDataItemsImages {
    CL_CLASS(TXcBaseDataItemsImagesImpl, TXcDataItemsAggregatedObject)

    enum TKind { ikDisabled, ikHot, ikImages };

    using TXcDataItemsAggregatedObject::TXcDataItemsAggregatedObject;

    // A different list is stored between the provider's broadcasts of a
    // list-wide update.
    cl::TCustomImageList* GetDisabledImages() override { return DoGetImages(ikDisabled); }
    void SetDisabledImages(cl::TCustomImageList* value) override { SetImagesOf(ikDisabled, value); }
    cl::TCustomImageList* GetHotImages() override { return DoGetImages(ikHot); }
    void SetHotImages(cl::TCustomImageList* value) override { SetImagesOf(ikHot, value); }
    cl::TCustomImageList* GetImages() override { return DoGetImages(ikImages); }
    void SetImages(cl::TCustomImageList* value) override { SetImagesOf(ikImages, value); }

    bool GetInterface(const TGUID& iid, void** obj) override;

protected:
    virtual cl::TCustomImageList* DoGetImages(TKind kind) = 0;
    virtual void DoSetImages(TKind kind, cl::TCustomImageList* value) = 0;
    void SetImagesOf(TKind kind, cl::TCustomImageList* value);
};

class TXcCustomDataItemsImages : public TXcBaseDataItemsImagesImpl {
    CL_CLASS(TXcCustomDataItemsImages, TXcBaseDataItemsImagesImpl)

    explicit TXcCustomDataItemsImages(TXcBaseDataItems& owner);
    ~TXcCustomDataItemsImages() override;

protected:
    cl::TCustomImageList* DoGetImages(TKind kind) override { return images_[kind]; }
    void DoSetImages(TKind kind, cl::TCustomImageList* value) override;

private:
    // Told when an image list goes, which then no longer is one of ours.
    class TWatcher;
    std::unique_ptr<TWatcher> watcher_;
    cl::TCustomImageList* images_[3] = {};
};
