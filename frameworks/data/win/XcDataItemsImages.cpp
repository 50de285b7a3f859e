#include "frameworks/data/win/XcDataItemsImages.h"

CL_CLASS_INFO(TXcBaseDataItemsImagesImpl)

void TXcBaseDataItemsImagesImpl::SetImagesOf(TKind kind, cl::TCustomImageList* value) {
    if (value == DoGetImages(kind)) return;
    IXcDataItems* list = &Items();
    NotifyChanging(Items().GetProvider(), xcrItemsUpdated, list);
    DoSetImages(kind, value);
    NotifyChanged(Items().GetProvider(), xcrItemsUpdated, list);
}

bool TXcBaseDataItemsImagesImpl::GetInterface(const TGUID& iid, void** obj) {
    if (iid == IXcDataItemsImages::IID) return Answer<IXcDataItemsImages>(obj);
    return TXcDataItemsAggregatedObject::GetInterface(iid, obj);
}

class TXcCustomDataItemsImages::TWatcher : public cl::TComponent {
public:
    explicit TWatcher(TXcCustomDataItemsImages& facet) : TComponent(nullptr), facet_(facet) {}

protected:
    void Notification(cl::TComponent* component, cl::TOperation operation) override {
        TComponent::Notification(component, operation);
        if (operation != cl::opRemove) return;
        for (TKind kind : {ikDisabled, ikHot, ikImages})
            if (facet_.images_[kind] == component) facet_.SetImagesOf(kind, nullptr);
    }

private:
    TXcCustomDataItemsImages& facet_;
};

CL_CLASS_INFO(TXcCustomDataItemsImages,
              Prop("DisabledImages", &TXcCustomDataItemsImages::GetDisabledImages,
                   &TXcCustomDataItemsImages::SetDisabledImages),
              Prop("HotImages", &TXcCustomDataItemsImages::GetHotImages,
                   &TXcCustomDataItemsImages::SetHotImages),
              Prop("Images", &TXcCustomDataItemsImages::GetImages, &TXcCustomDataItemsImages::SetImages))

TXcCustomDataItemsImages::TXcCustomDataItemsImages(TXcBaseDataItems& owner)
    : TXcBaseDataItemsImagesImpl(owner), watcher_(std::make_unique<TWatcher>(*this)) {}

TXcCustomDataItemsImages::~TXcCustomDataItemsImages() = default;

void TXcCustomDataItemsImages::DoSetImages(TKind kind, cl::TCustomImageList* value) {
    cl::TCustomImageList* old = images_[kind];
    images_[kind] = value;
    const bool stillUsed = old && std::find(std::begin(images_), std::end(images_), old) != std::end(images_);
    if (old && !stillUsed) watcher_->RemoveFreeNotification(old);
    if (value) watcher_->FreeNotification(value);
}
