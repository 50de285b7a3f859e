// TImage: a picture painted on the parent's context.
#include "classlib/win/ExtCtrls.h"

namespace cl {

CL_CLASS_INFO(TImage, Prop("AutoSize", &TImage::AutoSize, &TImage::SetAutoSize),
              Prop("Center", &TImage::Center, &TImage::SetCenter),
              Prop("Proportional", &TImage::Proportional, &TImage::SetProportional),
              Prop("Stretch", &TImage::Stretch, &TImage::SetStretch),
              Prop("Transparent", &TImage::Transparent, &TImage::SetTransparent))

TImage::TImage(TComponent* owner) : TGraphicControl(owner), picture_(std::make_unique<TPicture>()) {
    controlStyle_ |= csReplicatable;
    picture_->OnChange = [this](TObject*) { PictureChanged(); };
    SetBounds(0, 0, 105, 105);
}

TImage::~TImage() {
    // The picture may still report changes while it goes.
    picture_->OnChange = nullptr;
}

void TImage::PictureChanged() {
    if (ComponentState() & csDestroying) return;
    // Icons and metafiles draw with their own transparency.  Setting the
    // flag reports a change again; the second round finds it equal.
    TGraphic* graphic = picture_->Graphic();
    if (graphic && !dynamic_cast<TIcon*>(graphic) && !dynamic_cast<TMetafile*>(graphic) &&
        graphic->Transparent() != transparent_)
        graphic->SetTransparent(transparent_);
    if (autoSize_ && picture_->Width() > 0 && picture_->Height() > 0)
        SetBounds(Left(), Top(), picture_->Width(), picture_->Height());
    Invalidate();
}

void TImage::SetAutoSize(bool value) {
    if (value == autoSize_) return;
    autoSize_ = value;
    if (value) PictureChanged();
}

void TImage::SetCenter(bool value) {
    if (value == center_) return;
    center_ = value;
    Invalidate();
}

void TImage::SetProportional(bool value) {
    if (value == proportional_) return;
    proportional_ = value;
    Invalidate();
}

void TImage::SetStretch(bool value) {
    if (value == stretch_) return;
    stretch_ = value;
    Invalidate();
}

void TImage::SetTransparent(bool value) {
    if (value == transparent_) return;
    transparent_ = value;
    PictureChanged();
}

TRect TImage::DestRect() const {
    int w = picture_->Width();
    int h = picture_->Height();
    const int cw = Width();
    const int ch = Height();
    if (stretch_ || (proportional_ && (w > cw || h > ch))) {
        if (proportional_ && w > 0 && h > 0) {
            // The side that reaches the bounds first decides the scale.
            if (static_cast<int64_t>(cw) * h <= static_cast<int64_t>(ch) * w) {
                h = MulDiv(h, cw, w);
                w = cw;
            } else {
                w = MulDiv(w, ch, h);
                h = ch;
            }
        } else {
            w = cw;
            h = ch;
        }
    }
    int x = 0;
    int y = 0;
    if (center_) {
        x = (cw - w) / 2;
        y = (ch - h) / 2;
    }
    return Rect(x, y, x + w, y + h);
}

void TImage::Paint() {
    Canvas()->StretchDraw(DestRect(), picture_->Graphic());
}

}  // namespace cl
