// The wizard pages' decorations: titles, header, panel, image, and the
// edge-drawing routine they and the wizard share.
#include "classlib/Scope.h"
#include "controls/XcResources.h"
#include "controls/win/XcWizard.h"
#include "controls/win/XcWizardEdges.h"

using namespace cl;

namespace {

// One pass of solid lines in color along the sides of r.
void EdgePass(TCanvas& canvas, const TRect& r, unsigned sides, TColor color) {
    TPen* pen = canvas.Pen();
    pen->SetColor(color);
    pen->SetStyle(psSolid);
    pen->SetMode(pmCopy);
    pen->SetWidth(1);
    if (sides & esLeft) {
        canvas.MoveTo(r.left, r.top);
        canvas.LineTo(r.left, r.bottom);
    }
    if (sides & esTop) {
        canvas.MoveTo(r.left, r.top);
        canvas.LineTo(r.right, r.top);
    }
    if (sides & esRight) {
        canvas.MoveTo(r.right - 1, r.top);
        canvas.LineTo(r.right - 1, r.bottom);
    }
    if (sides & esBottom) {
        canvas.MoveTo(r.left, r.bottom - 1);
        canvas.LineTo(r.right, r.bottom - 1);
    }
}

void Shrink(TRect& r, unsigned sides, int by) {
    if (sides & esLeft) r.left += by;
    if (sides & esTop) r.top += by;
    if (sides & esRight) r.right -= by;
    if (sides & esBottom) r.bottom -= by;
}

void FillWith(TCanvas& canvas, const TRect& r, TColor color) {
    canvas.Brush()->SetColor(color);
    canvas.Brush()->SetStyle(bsSolid);
    canvas.FillRect(r);
}

}  // namespace

void DrawWizardEdges(TCanvas& canvas, TRect& r, unsigned sides, TXcWizardEdgeStyle style) {
    switch (style) {
        case TXcWizardEdgeStyle::Etched:
            EdgePass(canvas, Rect(r.left + 1, r.top + 1, r.right, r.bottom), sides, clBtnHighlight);
            EdgePass(canvas, Rect(r.left, r.top, r.right - 1, r.bottom - 1), sides, clBtnShadow);
            Shrink(r, sides, 2);
            break;
        case TXcWizardEdgeStyle::Single:
            EdgePass(canvas, r, sides, clWindowFrame);
            Shrink(r, sides, 1);
            break;
        case TXcWizardEdgeStyle::None:
            break;
    }
}

// ---- Graphic objects --------------------------------------------------------------
CL_CLASS_INFO(TXcWizardGraphicObject,
              Prop("Color", &TXcWizardGraphicObject::Color, &TXcWizardGraphicObject::SetColor),
              Prop("Visible", &TXcWizardGraphicObject::Visible, &TXcWizardGraphicObject::SetVisible))
CL_CLASS_INFO(TXcWizardPageObject)

void TXcWizardGraphicObject::SetColor(TColor value) {
    if (value == color_) return;
    color_ = value;
    ColorChanged();
}

void TXcWizardGraphicObject::SetVisible(bool value) {
    if (value == visible_) return;
    visible_ = value;
    VisibleChanged();
}

void TXcWizardPageObject::DoChange() {
    if (page_) page_->Invalidate();
}

// ---- Title ----------------------------------------------------------------------------
CL_CLASS_INFO(TXcWizardPageTitle, Prop("Text", &TXcWizardPageTitle::Text, &TXcWizardPageTitle::SetText),
              Prop("AnchorPlacement", &TXcWizardPageTitle::AnchorPlacement,
                   &TXcWizardPageTitle::SetAnchorPlacement),
              SetOfProp("Anchors", {"akLeft", "akTop", "akRight", "akBottom"}, &TXcWizardPageTitle::Anchors,
                        &TXcWizardPageTitle::SetAnchors),
              Prop("Indent", &TXcWizardPageTitle::Indent, &TXcWizardPageTitle::SetIndent),
              EnumProp("Alignment", {"taLeftJustify", "taRightJustify", "taCenter"},
                       &TXcWizardPageTitle::Alignment, &TXcWizardPageTitle::SetAlignment),
              Prop("Font", &TXcWizardPageTitle::Font, &TXcWizardPageTitle::SetFont))

TXcWizardPageTitle::TXcWizardPageTitle() : font_(std::make_unique<TFont>()) {
    color_ = clNone;
    font_->OnChange = [this](TObject*) { DoChange(); };
}

void TXcWizardPageTitle::SetHeader(TXcWizardPageHeader* header) {
    header_ = header;
    if (header_ && header_->WizardPage()) header_->AdoptPageFont();
}

void TXcWizardPageTitle::SetText(const std::string& value) {
    if (value == text_) return;
    text_ = value;
    DoChange();
}

void TXcWizardPageTitle::SetAnchors(TAnchors value) {
    if (value == anchors_) return;
    anchors_ = value;
    DoChange();
}

void TXcWizardPageTitle::SetAnchorPlacement(int value) {
    if (value == anchorPlacement_) return;
    anchorPlacement_ = value;
    DoChange();
}

void TXcWizardPageTitle::SetIndent(int value) {
    if (value == indent_) return;
    indent_ = value;
    DoChange();
}

void TXcWizardPageTitle::SetAlignment(TAlignment value) {
    if (value == alignment_) return;
    alignment_ = value;
    DoChange();
}

void TXcWizardPageTitle::SetFont(TFont* value) {
    if (header_ && header_->ParentFont()) return;
    font_->Assign(value);
}

void TXcWizardPageTitle::DoChange() {
    if (header_) header_->DoChange();
}

void TXcWizardPageTitle::GetTextRect(TCanvas& canvas, const TRect& r, TRect& textRect) {
    canvas.SetFont(font_.get());
    const SIZE extent = canvas.TextExtent(text_);
    TRect t = Rect(r.left, r.top, r.left + extent.cx, r.top + extent.cy);
    if (anchors_ & akLeft) OffsetRect(&t, anchorPlacement_, 0);
    if (anchors_ & akTop) OffsetRect(&t, 0, anchorPlacement_);
    if (anchors_ & akRight) t.right = r.right - anchorPlacement_;
    if (anchors_ & akBottom) t.bottom = r.bottom - anchorPlacement_;
    t.left += indent_;
    t.right -= indent_;
    if (t.right > r.right) t.right = r.right;
    if (t.bottom > r.bottom) t.bottom = r.bottom;
    textRect = t;
}

void TXcWizardPageTitle::Paint(TCanvas& canvas, TRect& r) {
    if (!visible_ || !header_ || !header_->WizardPage()) return;
    TRect t;
    GetTextRect(canvas, r, t);
    if (color_ != clNone) FillWith(canvas, t, color_);
    canvas.Brush()->SetStyle(bsClear);
    const UINT align = alignment_ == taRightJustify ? DT_RIGHT : alignment_ == taCenter ? DT_CENTER : DT_LEFT;
    TRect text = t;
    canvas.DrawText(text_, text, DT_WORDBREAK | DT_NOPREFIX | align);
    if (XcWizardDesigning(*header_->WizardPage())) {
        // Where the text goes shows in a designer, even without text.
        TPen* pen = canvas.Pen();
        pen->SetColor(static_cast<TColor>(0x00FFD8CE));
        pen->SetStyle(psDot);
        pen->SetMode(pmXor);
        pen->SetWidth(1);
        canvas.Rectangle(t);
        pen->SetMode(pmCopy);
        pen->SetStyle(psSolid);
    }
    r.top = t.bottom;
}

// ---- Header -----------------------------------------------------------------------------
CL_CLASS_INFO(TXcWizardPageHeader,
              Prop("Height", &TXcWizardPageHeader::Height, &TXcWizardPageHeader::SetHeight),
              Prop("ParentFont", &TXcWizardPageHeader::ParentFont, &TXcWizardPageHeader::SetParentFont),
              Prop("ImageIndex", &TXcWizardPageHeader::ImageIndex, &TXcWizardPageHeader::SetImageIndex),
              Prop("ImageOffset", &TXcWizardPageHeader::ImageOffset, &TXcWizardPageHeader::SetImageOffset),
              EnumProp("ImageAlignment", {"iaLeft", "iaRight"}, &TXcWizardPageHeader::ImageAlignment,
                       &TXcWizardPageHeader::SetImageAlignment),
              Prop("ShowDivider", &TXcWizardPageHeader::ShowDivider, &TXcWizardPageHeader::SetShowDivider),
              Prop("Title", &TXcWizardPageHeader::Title), Prop("Subtitle", &TXcWizardPageHeader::Subtitle))

TXcWizardPageHeader::TXcWizardPageHeader(TXcWizardCustomPage* page)
    : TXcWizardPageObject(page),
      title_(std::make_unique<TXcWizardPageTitle>()),
      subtitle_(std::make_unique<TXcWizardPageTitle>()) {
    color_ = clWindow;
    title_->text_ = rsWizardPageTitle;
    title_->anchors_ = akLeft | akTop | akRight;
    title_->font_->SetSize(12);
    title_->font_->SetStyle(fsBold);
    subtitle_->text_ = rsWizardPageSubtitle;
    subtitle_->anchors_ = akLeft | akTop | akRight | akBottom;
    title_->SetHeader(this);
    subtitle_->SetHeader(this);
}

TXcWizardPageHeader::~TXcWizardPageHeader() = default;

void TXcWizardPageHeader::SetHeight(int value) {
    if (value == height_) return;
    height_ = value;
    if (page_) page_->Realign();
    DoChange();
}

void TXcWizardPageHeader::SetParentFont(bool value) {
    if (value == parentFont_) return;
    parentFont_ = value;
    AdoptPageFont();
    DoChange();
}

void TXcWizardPageHeader::SetImageIndex(int value) {
    if (value == imageIndex_) return;
    imageIndex_ = value;
    DoChange();
}

void TXcWizardPageHeader::SetImageOffset(int value) {
    if (value == imageOffset_) return;
    imageOffset_ = value;
    DoChange();
}

void TXcWizardPageHeader::SetImageAlignment(TXcWizardImageLeftRight value) {
    if (value == imageAlignment_) return;
    imageAlignment_ = value;
    DoChange();
}

void TXcWizardPageHeader::SetShowDivider(bool value) {
    if (value == showDivider_) return;
    showDivider_ = value;
    DoChange();
}

void TXcWizardPageHeader::VisibleChanged() {
    if (page_) page_->Realign();
    DoChange();
}

void TXcWizardPageHeader::AdoptPageFont() {
    if (!parentFont_ || !page_) return;
    for (TXcWizardPageTitle* title : {title_.get(), subtitle_.get()}) {
        TFont* font = title->Font();
        font->SetName(page_->Font()->Name());
        font->SetCharset(page_->Font()->Charset());
    }
}

void TXcWizardPageHeader::GetImageRect(TCustomImageList* images, TRect& r, TRect& imageRect) {
    const int w = images->Width(), h = images->Height();
    imageRect = Rect(r.left, r.top, r.left + w, r.top + h);
    OffsetRect(&imageRect, 0, (r.bottom - r.top - h) / 2);
    if (imageAlignment_ == iaRight) {
        OffsetRect(&imageRect, (r.right - r.left) - w - 4 - imageOffset_, 0);
        r.right = imageRect.left;
    } else if (imageAlignment_ == iaLeft) {
        OffsetRect(&imageRect, imageOffset_, 0);
        r.left = imageRect.right;
    }
}

void TXcWizardPageHeader::Paint(TCanvas& canvas, TRect& r) {
    if (!visible_) return;
    TRect header = Rect(r.left, r.top, r.right, r.top + height_);
    FillWith(canvas, header, color_);
    if (page_) {
        if (showDivider_) {
            TRect edge = header;
            DrawWizardEdges(canvas, edge, esBottom, TXcWizardEdgeStyle::Etched);
        }
        TRect text = header;
        TXcWizard* wizard = page_->Wizard();
        TCustomImageList* images = wizard ? wizard->HeaderImages() : nullptr;
        if (images && imageIndex_ >= 0 && images->Count() > imageIndex_) {
            TRect image;
            GetImageRect(images, text, image);
            images->Draw(&canvas, image.left, image.top, imageIndex_, true);
        }
        title_->Paint(canvas, text);
        subtitle_->Paint(canvas, text);
    }
    r.top += height_;
}

// ---- Panel ------------------------------------------------------------------------------
CL_CLASS_INFO(TXcWizardPagePanel,
              Prop("BorderWidth", &TXcWizardPagePanel::BorderWidth, &TXcWizardPagePanel::SetBorderWidth))

TXcWizardPagePanel::TXcWizardPagePanel(TXcWizardCustomPage* page) : TXcWizardPageObject(page) {
    visible_ = false;
}

void TXcWizardPagePanel::SetBorderWidth(uint16_t value) {
    if (value == borderWidth_) return;
    borderWidth_ = value;
    DoChange();
}

void TXcWizardPagePanel::Paint(TCanvas& canvas, TRect& r) {
    if (!visible_ || borderWidth_ == 0) return;
    TRect frame = r;
    InflateRect(&frame, -borderWidth_, -borderWidth_);
    DrawWizardEdges(canvas, frame, kXcWizardAllEdges, TXcWizardEdgeStyle::Etched);
    if (color_ == clNone) return;
    InflateRect(&frame, -2, -2);
    FillWith(canvas, frame, color_);
}

// ---- Image ------------------------------------------------------------------------------
CL_CLASS_INFO(TXcWizardImage, Prop("Picture", &TXcWizardImage::Picture, &TXcWizardImage::SetPicture),
              EnumProp("Alignment", {"iaLeft", "iaRight", "iaCenter", "iaStretch"},
                       &TXcWizardImage::Alignment, &TXcWizardImage::SetAlignment),
              EnumProp("Layout", {"ilTop", "ilBottom", "ilCenter", "ilStretch", "ilTile"},
                       &TXcWizardImage::Layout, &TXcWizardImage::SetLayout),
              Prop("Transparent", &TXcWizardImage::Transparent, &TXcWizardImage::SetTransparent))

TXcWizardImage::TXcWizardImage() : picture_(std::make_unique<TPicture>()) {
    picture_->OnChange = [this](TObject*) { Changed(); };
}

TXcWizardImage::~TXcWizardImage() {
    picture_->OnChange = nullptr;
}

void TXcWizardImage::Changed() {
    if (OnChange) OnChange(this);
}

void TXcWizardImage::SetAlignment(TXcWizardImageAlignment value) {
    if (value == alignment_) return;
    alignment_ = value;
    Changed();
}

void TXcWizardImage::SetLayout(TXcWizardImageLayout value) {
    if (value == layout_) return;
    layout_ = value;
    Changed();
}

void TXcWizardImage::SetTransparent(bool value) {
    if (value == transparent_) return;
    transparent_ = value;
    Changed();
}

void TXcWizardImage::PaintIn(TCanvas& canvas, const TRect& r) {
    TGraphic* graphic = picture_->Graphic();
    if (!graphic) return;
    const int gw = graphic->Width(), gh = graphic->Height();
    const int w = r.right - r.left, h = r.bottom - r.top;
    if (layout_ == ilTile) {
        // A picture without area cannot tile: nothing is painted.
        if (gw <= 0 || gh <= 0 || w <= 0 || h <= 0) return;
        TBitmap tiles;
        tiles.SetSize(w, h);
        TCanvas* tc = tiles.Canvas();
        tc->Brush()->SetColor(canvas.Brush()->Color());
        tc->FillRect(Rect(0, 0, w, h));
        for (int y = 0; y < h; y += gh)
            for (int x = 0; x < w; x += gw) tc->Draw(x, y, graphic);
        canvas.Draw(r.left, r.top, &tiles);
        return;
    }
    TRect d = r;
    if (w > gw) {
        switch (alignment_) {
            case iaRight:
                d.left += w - gw;
                break;
            case iaCenter:
                d.left += (w - gw) / 2;
                d.right -= (w - gw) / 2;
                break;
            case iaLeft:
                d.right = d.left + gw;
                break;
            case iaStretch:
                break;
        }
    }
    if (h > gh) {
        switch (layout_) {
            case ilBottom:
                d.top += h - gh;
                break;
            case ilCenter:
                d.top += (h - gh) / 2;
                d.bottom -= (h - gh) / 2;
                break;
            case ilTop:
                d.bottom = d.top + gh;
                break;
            default:
                break;
        }
    }
    if (!dynamic_cast<TMetafile*>(graphic) && !dynamic_cast<TIcon*>(graphic))
        graphic->SetTransparent(transparent_);
    if (alignment_ == iaStretch || layout_ == ilStretch)
        canvas.StretchDraw(d, graphic);
    else
        canvas.Draw(d.left, d.top, graphic);
}
