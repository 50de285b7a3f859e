#include "preview/win/PaperPreview.h"

#include "classlib/win/Menus.h"

using namespace cl;

// ---- TPaperPreview -------------------------------------------------------------------
CL_CLASS_INFO(TPaperPreview, Prop("BorderColor", &TPaperPreview::BorderColor, &TPaperPreview::SetBorderColor),
              Prop("BorderSize", &TPaperPreview::BorderSize, &TPaperPreview::SetBorderSize),
              Prop("PaperColor", &TPaperPreview::PaperColor, &TPaperPreview::SetPaperColor),
              Prop("PaperHeight", &TPaperPreview::PaperHeight, &TPaperPreview::SetPaperHeight),
              Prop("PaperWidth", &TPaperPreview::PaperWidth, &TPaperPreview::SetPaperWidth),
              Prop("ShadowColor", &TPaperPreview::ShadowColor, &TPaperPreview::SetShadowColor),
              Prop("ShadowSize", &TPaperPreview::ShadowSize, &TPaperPreview::SetShadowSize))

TPaperPreview::TPaperPreview(TComponent* owner)
    : TCustomControl(owner), buffer_(std::make_unique<TBitmap>()) {
    SetControlStyle(ControlStyle() | csOpaque);
    SetTabStop(false);
    SetBounds(0, 0, 105 + Extra(), 148 + Extra());
}

TPaperPreview::~TPaperPreview() = default;

void TPaperPreview::FrameChanged() {
    frameValid_ = false;
    Invalidate();
}

void TPaperPreview::SetPaperColor(TColor value) {
    if (value == paperColor_) return;
    paperColor_ = value;
    FrameChanged();
}

void TPaperPreview::SetBorderColor(TColor value) {
    if (value == borderColor_) return;
    borderColor_ = value;
    FrameChanged();
}

void TPaperPreview::SetShadowColor(TColor value) {
    if (value == shadowColor_) return;
    shadowColor_ = value;
    FrameChanged();
}

void TPaperPreview::SetBorderSize(int value) {
    if (value == borderSize_) return;
    const int w = PaperWidth(), h = PaperHeight();
    borderSize_ = value;
    SetBounds(Left(), Top(), w + Extra(), h + Extra());
    FrameChanged();
}

void TPaperPreview::SetShadowSize(int value) {
    if (value == shadowSize_) return;
    const int w = PaperWidth(), h = PaperHeight();
    shadowSize_ = value;
    SetBounds(Left(), Top(), w + Extra(), h + Extra());
    FrameChanged();
}

TRect TPaperPreview::GetPageRect() {
    const int b = borderSize_, s = shadowSize_;
    return Rect(b, b, Width() - (b + s), Height() - (b + s));
}

void TPaperPreview::Invalidate() {
    pageValid_ = false;
    changed_.reset();
    TCustomControl::Invalidate();
}

void TPaperPreview::InvalidatePageRect(const TRect& r) {
    if (pageValid_) {
        const OwnedRegion part(CreateRectRgn(r.left, r.top, r.right, r.bottom));
        if (!part) return Invalidate();
        if (!changed_) changed_.reset(CreateRectRgn(0, 0, 0, 0));
        if (!changed_ || CombineRgn(changed_.get(), changed_.get(), part.get(), RGN_OR) == ERROR)
            return Invalidate();
    }
    if (HandleAllocated()) InvalidateRect(Handle(), &r, FALSE);
}

void TPaperPreview::Resize() {
    try {
        // The old image is painted over anyway: not carried into the new one.
        if (buffer_->Width() != Width() || buffer_->Height() != Height()) buffer_->SetSize(0, 0);
        buffer_->SetSize(Width(), Height());
        valid_ = true;
    } catch (const Exception&) {
        // A sheet too large for a bitmap stays unpainted; the preview sees
        // Valid and takes its zoom back.
        valid_ = false;
    }
    frameValid_ = false;
    pageValid_ = false;
    changed_.reset();
    TCustomControl::Resize();
}

void TPaperPreview::PaintFrame() {
    TCanvas& c = *buffer_->Canvas();
    const int w = Width(), h = Height(), b = borderSize_, s = shadowSize_;
    c.Pen()->SetMode(pmCopy);
    if (b > 0) {
        c.Pen()->SetWidth(b);
        c.Pen()->SetStyle(psInsideFrame);
        c.Pen()->SetColor(borderColor_);
        c.Brush()->SetStyle(bsClear);
        c.Rectangle(0, 0, w - s, h - s);
    }
    if (s > 0) {
        c.Brush()->SetStyle(bsSolid);
        c.Brush()->SetColor(shadowColor_);
        c.FillRect(Rect(w - s, s, w, h));
        c.FillRect(Rect(s, h - s, w, h));
        // The corners the offset shadow leaves free show what lies behind.
        c.Brush()->SetColor(Color());
        c.FillRect(Rect(w - s, 0, w, s));
        c.FillRect(Rect(0, h - s, s, h));
    }
}

void TPaperPreview::Paint() {
    if (!valid_) return;
    TCanvas& c = *buffer_->Canvas();
    if (!frameValid_) {
        PaintFrame();
        frameValid_ = true;
        pageValid_ = false;
    }
    if (!pageValid_ || changed_) {
        const TRect page = GetPageRect();
        {
            TClipScope clip(c, page);
            if (pageValid_) ExtSelectClipRgn(c.Handle(), changed_.get(), RGN_AND);
            c.Brush()->SetStyle(bsSolid);
            c.Brush()->SetColor(paperColor_);
            c.FillRect(page);
            if (OnPaint) OnPaint(this, &c, page);
        }
        pageValid_ = true;
        changed_.reset();
    }
    BitBlt(Canvas()->Handle(), 0, 0, Width(), Height(), c.Handle(), 0, 0, SRCCOPY);
}

void TPaperPreview::DrawXorRect(const TRect& r, TColor color, int /*mode*/) {
    TCanvas& c = *Canvas();
    TPen pen;
    pen.Assign(c.Pen());
    TBrush brush;
    brush.Assign(c.Brush());
    c.Pen()->SetMode(pmNotXor);
    c.Pen()->SetStyle(psSolid);
    c.Pen()->SetWidth(0);
    c.Pen()->SetColor(color);
    c.Brush()->SetStyle(bsSolid);
    c.Brush()->SetColor(clWhite);
    c.Rectangle(r);
    c.Pen()->Assign(&pen);
    c.Brush()->Assign(&brush);
}

// ---- TPaperPreviewOptions ------------------------------------------------------------
CL_CLASS_INFO(TPaperPreviewOptions,
              Prop("BorderColor", &TPaperPreviewOptions::BorderColor, &TPaperPreviewOptions::SetBorderColor),
              Prop("BorderWidth", &TPaperPreviewOptions::BorderWidth, &TPaperPreviewOptions::SetBorderWidth),
              Prop("Cursor", &TPaperPreviewOptions::Cursor, &TPaperPreviewOptions::SetCursor),
              Prop("DragCursor", &TPaperPreviewOptions::DragCursor, &TPaperPreviewOptions::SetDragCursor),
              Prop("GrabCursor", &TPaperPreviewOptions::GrabCursor, &TPaperPreviewOptions::SetGrabCursor),
              Prop("PaperColor", &TPaperPreviewOptions::PaperColor, &TPaperPreviewOptions::SetPaperColor),
              Prop("PopupMenu", &TPaperPreviewOptions::PopupMenu, &TPaperPreviewOptions::SetPopupMenu),
              Prop("ShadowColor", &TPaperPreviewOptions::ShadowColor, &TPaperPreviewOptions::SetShadowColor),
              Prop("ShadowWidth", &TPaperPreviewOptions::ShadowWidth, &TPaperPreviewOptions::SetShadowWidth))

void TPaperPreviewOptions::Assign(TPersistent* source) {
    auto* other = dynamic_cast<TPaperPreviewOptions*>(source);
    if (!other) return TPersistent::Assign(source);
    if (other == this) return;
    borderColor_ = other->borderColor_;
    borderWidth_ = other->borderWidth_;
    cursor_ = other->cursor_;
    dragCursor_ = other->dragCursor_;
    grabCursor_ = other->grabCursor_;
    paperColor_ = other->paperColor_;
    popupMenu_ = other->popupMenu_;
    shadowColor_ = other->shadowColor_;
    shadowWidth_ = other->shadowWidth_;
    if (OnChange) OnChange(this);
}

void TPaperPreviewOptions::AssignTo(TPersistent* dest) {
    auto* sheet = dynamic_cast<TPaperPreview*>(dest);
    if (!sheet) return TPersistent::AssignTo(dest);
    sheet->SetPaperColor(paperColor_);
    sheet->SetBorderColor(borderColor_);
    sheet->SetBorderSize(borderWidth_);
    sheet->SetShadowColor(shadowColor_);
    sheet->SetShadowSize(shadowWidth_);
    sheet->SetCursor(cursor_);
    sheet->SetPopupMenu(popupMenu_);
}
