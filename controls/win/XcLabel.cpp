#include "controls/win/XcLabel.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "classlib/win/GdiHandles.h"
#include "classlib/win/WideText.h"
#include "controls/win/XcBaseUtilsWin.h"
#include "controls/win/XcThemes.h"
#include "frameworks/data/XcDataItemSelect.h"
#include "frameworks/data/win/XcDataDrawInterfaces.h"

using namespace cl;

namespace {

// The attribute every label's consumer carries.
constexpr int32_t kLabelAttribute = 2;
// The rotated drawing takes at most this many characters.
constexpr size_t kMaxRotatedText = 4096;

constexpr UINT kAlignments[] = {DT_LEFT, DT_RIGHT, DT_CENTER};
constexpr UINT kEllipses[] = {0, DT_WORD_ELLIPSIS, DT_PATH_ELLIPSIS, DT_END_ELLIPSIS};

// The shadow's offset from the text.
POINT ShadowOffset(TShadowPosition pos, int size) {
    switch (pos) {
        case spLeftTop:
            return {-size, -size};
        case spLeftBottom:
            return {-size, size};
        case spRightTop:
            return {size, -size};
        case spRightBottom:
            break;
    }
    return {size, size};
}

// The selected item of the consumer's provider (the consumer entered).
TIntfPtr<IXcDataItem> SelectedItem(TXcDataConsumer& consumer) {
    auto select = Query<IXcDataConsumerItemSelect>(static_cast<IXcDataConsumer*>(&consumer));
    return select ? select->GetItem() : nullptr;
}

}  // namespace

XC_CLASS_INFO(TXcCustomLabel)

CL_CLASS_INFO(TXcLabel,
              EnumProp("Alignment", {"taLeftJustify", "taRightJustify", "taCenter"}, &TXcLabel::Alignment,
                       &TXcLabel::SetAlignment),
              Prop("Angle", &TXcLabel::Angle, &TXcLabel::SetAngle),
              Prop("AutoOpenURL", &TXcLabel::AutoOpenURL, &TXcLabel::SetAutoOpenURL),
              Prop("AutoSize", &TXcLabel::AutoSize, &TXcLabel::SetAutoSize),
              Prop("FocusControl", &TXcLabel::FocusControl, &TXcLabel::SetFocusControl),
              Prop("FrameColor", &TXcLabel::FrameColor, &TXcLabel::SetFrameColor),
              Prop("HotTrack", &TXcLabel::HotTrack, &TXcLabel::SetHotTrack),
              Prop("HotTrackFont", &TXcLabel::HotTrackFont, &TXcLabel::SetHotTrackFont),
              SetOfProp("HotTrackFontOptions",
                        {"hoFollowFont", "hoPreserveCharSet", "hoPreserveColor", "hoPreserveHeight",
                         "hoPreserveName", "hoPreservePitch", "hoPreserveStyle"},
                        &TXcLabel::HotTrackFontOptions, &TXcLabel::SetHotTrackFontOptions),
              Prop("ImageIndex", &TXcLabel::ImageIndex, &TXcLabel::SetImageIndex),
              Prop("Images", &TXcLabel::Images, &TXcLabel::SetImages),
              EnumProp("Layout", {"tlTop", "tlCenter", "tlBottom"}, &TXcLabel::Layout, &TXcLabel::SetLayout),
              Prop("Margin", &TXcLabel::Margin, &TXcLabel::SetMargin), Prop("Provider", &TXcLabel::Provider),
              Prop("RoundedFrame", &TXcLabel::RoundedFrame, &TXcLabel::SetRoundedFrame),
              Prop("ShadowColor", &TXcLabel::ShadowColor, &TXcLabel::SetShadowColor),
              EnumProp("ShadowPos", {"spLeftTop", "spLeftBottom", "spRightBottom", "spRightTop"},
                       &TXcLabel::ShadowPos, &TXcLabel::SetShadowPos),
              Prop("ShadowSize", &TXcLabel::ShadowSize, &TXcLabel::SetShadowSize),
              Prop("ShowAccelChar", &TXcLabel::ShowAccelChar, &TXcLabel::SetShowAccelChar),
              Prop("ShowFocus", &TXcLabel::ShowFocus, &TXcLabel::SetShowFocus),
              Prop("Spacing", &TXcLabel::Spacing, &TXcLabel::SetSpacing),
              EnumProp("TextEllipsis", {"teNone", "teWordEllipsis", "tePathEllipsis", "teEndEllipsis"},
                       &TXcLabel::TextEllipsis, &TXcLabel::SetTextEllipsis),
              Prop("Transparent", &TXcLabel::Transparent, &TXcLabel::SetTransparent),
              Prop("URL", &TXcLabel::URL, &TXcLabel::SetURL),
              Prop("WordWrap", &TXcLabel::WordWrap, &TXcLabel::SetWordWrap))

TXcCustomLabel::TXcCustomLabel(TComponent* owner)
    : TXcGraphicControl(owner),
      consumer_(New<TXcDataConsumer>(this, std::vector<int32_t>{kLabelAttribute})),
      imageChangeLink_(std::make_unique<TChangeLink>()),
      hotTrackFont_(std::make_unique<TFont>()),
      savedFont_(std::make_unique<TFont>()) {
    controlStyle_ |= csOpaque | csReplicatable;
    if (ThemeServicesOf().ThemesEnabled()) controlStyle_ &= ~csOpaque;
    SetBounds(Left(), Top(), 65, 17);
    imageChangeLink_->OnChange = [this](TObject*) { Invalidate(); };
    // The provider's changes (its data, the selected item) change the text.
    consumer_->OnChanged = [this](TXcDataConsumer&, TXcConsumerChangeReason reason) {
        // Without a provider the text is the caption: only the provider's
        // own coming or going can change it.
        if (!Connected() && reason != xccProvider) return;
        Remeasure();
        Invalidate();
    };
}

TXcCustomLabel::~TXcCustomLabel() {
    consumer_->OnChanged = nullptr;
    try {
        consumer_->SetProvider(nullptr);
    } catch (...) {
        // Leaving a provider raises nothing the label could answer; the
        // reference goes below all the same.
    }
    consumer_.reset();
}

// ---- Properties ------------------------------------------------------------------------
void TXcCustomLabel::SetAlignment(TAlignment value) {
    if (value == alignment_) return;
    alignment_ = value;
    Invalidate();
}

void TXcCustomLabel::SetAutoSize(bool value) {
    if (value == autoSize_) return;
    autoSize_ = value;
    Remeasure();
}

void TXcCustomLabel::SetLayout(TTextLayout value) {
    if (value == layout_) return;
    layout_ = value;
    Invalidate();
}

void TXcCustomLabel::SetWordWrap(bool value) {
    if (value == wordWrap_) return;
    wordWrap_ = value;
    Remeasure();
    Invalidate();
}

void TXcCustomLabel::SetShowAccelChar(bool value) {
    if (value == showAccelChar_) return;
    showAccelChar_ = value;
    Invalidate();
}

void TXcCustomLabel::SetTransparent(bool value) {
    if (value || ThemeServicesOf().ThemesEnabled())
        controlStyle_ &= ~csOpaque;
    else
        controlStyle_ |= csOpaque;
    Invalidate();
}

void TXcCustomLabel::SetFocusControl(TWinControl* value) {
    if (value == focusControl_) return;
    if (focusControl_) RemoveFreeNotification(focusControl_);
    focusControl_ = value;
    if (value) value->FreeNotification(this);
}

void TXcCustomLabel::SetShowFocus(bool value) {
    if (value == showFocus_) return;
    showFocus_ = value;
    Invalidate();
}

void TXcCustomLabel::SetShadowColor(TColor value) {
    if (value == shadowColor_) return;
    shadowColor_ = value;
    Invalidate();
}

void TXcCustomLabel::SetShadowSize(uint8_t value) {
    if (value == shadowSize_) return;
    shadowSize_ = value;
    Remeasure();
    Invalidate();
}

void TXcCustomLabel::SetShadowPos(TShadowPosition value) {
    if (value == shadowPos_) return;
    shadowPos_ = value;
    Invalidate();
}

void TXcCustomLabel::SetAngle(int value) {
    if (value < -360 || value > 360) return;
    value = (value % 360 + 360) % 360;
    if (value == angle_) return;
    angle_ = value;
    Remeasure();
    Invalidate();
}

void TXcCustomLabel::SetImages(TCustomImageList* value) {
    if (value == images_) return;
    if (images_) {
        images_->UnRegisterChanges(imageChangeLink_.get());
        RemoveFreeNotification(images_);
    }
    images_ = value;
    if (images_) {
        images_->RegisterChanges(imageChangeLink_.get());
        images_->FreeNotification(this);
    }
    Disconnect();
    Remeasure();
    Invalidate();
}

void TXcCustomLabel::SetImageIndex(int value) {
    if (value == imageIndex_) return;
    imageIndex_ = value;
    if (ImageShown()) Disconnect();
    Remeasure();
    Invalidate();
}

void TXcCustomLabel::SetSpacing(int value) {
    if (value == spacing_) return;
    spacing_ = value;
    Remeasure();
    Invalidate();
}

void TXcCustomLabel::SetHotTrackFontOptions(TXcTrackFontOptions value) {
    if (value == hotTrackFontOptions_) return;
    hotTrackFontOptions_ = value;
    CopyFontAttributes(hotTrackFont_.get(), Font(), value);
}

void TXcCustomLabel::SetTextEllipsis(TXcTextEllipsis value) {
    if (value == textEllipsis_) return;
    textEllipsis_ = value;
    Invalidate();
}

void TXcCustomLabel::SetFrameColor(TColor value) {
    if (value == frameColor_) return;
    frameColor_ = value;
    Invalidate();
}

void TXcCustomLabel::SetRoundedFrame(int value) {
    if (value == roundedFrame_ || value < 0 || value >= Height() / 2) return;
    roundedFrame_ = value;
    Invalidate();
}

void TXcCustomLabel::SetMargin(int value) {
    value = std::max(value, 0);
    if (marginLeft_ == value && marginTop_ == value && marginRight_ == value && marginBottom_ == value)
        return;
    marginLeft_ = marginTop_ = marginRight_ = marginBottom_ = value;
    Remeasure();
    Invalidate();
}

void TXcCustomLabel::SetBounds(int left, int top, int width, int height) {
    needsMeasuring_ = left != Left() || top != Top() || width != Width() || height != Height();
    TXcGraphicControl::SetBounds(left, top, width, height);
}

// ---- Life --------------------------------------------------------------------------------
void TXcCustomLabel::Loaded() {
    TXcGraphicControl::Loaded();
    consumer_->Loaded();
    Remeasure();
}

void TXcCustomLabel::Notification(TComponent* component, TOperation operation) {
    TXcGraphicControl::Notification(component, operation);
    if (operation != opRemove) return;
    if (component == focusControl_) focusControl_ = nullptr;
    if (component == images_) {
        images_ = nullptr;
        Remeasure();
        Invalidate();
    }
}

void TXcCustomLabel::Remeasure() {
    needsMeasuring_ = true;
    AdjustBounds();
}

void TXcCustomLabel::Disconnect() {
    if (Connected()) consumer_->SetProvider(nullptr);
}

// ---- Text --------------------------------------------------------------------------------
std::string TXcCustomLabel::GetLabelText() {
    if (!Connected()) return Caption();
    const TXcDataConsumerScope entered(*consumer_);
    if (auto text = Query<IXcDataItemText>(SelectedItem(*consumer_))) return text->GetCaption();
    return Caption();
}

int TXcCustomLabel::GetImageWidth() {
    return Connected() || !ImageShown() ? 0 : images_->Width();
}

int TXcCustomLabel::GetImageHeight() {
    return Connected() || !ImageShown() ? 0 : images_->Height();
}

void TXcCustomLabel::DrawLabelText(TRect& rect, UINT flags) {
    if (Connected())
        DoProviderDraw(rect, flags);
    else
        DoDrawText(rect, flags);
}

void TXcCustomLabel::DoProviderDraw(TRect& rect, UINT flags) {
    {
        const TXcDataConsumerScope entered(*consumer_);
        if (auto renderer = Query<IXcDataItemRenderer>(SelectedItem(*consumer_))) {
            TCanvas& canvas = *Canvas();
            canvas.Brush()->SetColor(Color());
            canvas.SetFont(Font());
            if (flags & DT_CALCRECT) {
                const SIZE size = renderer->Measure(canvas);
                rect.right = rect.left + size.cx;
                rect.bottom = rect.top + size.cy;
            } else {
                renderer->Draw(canvas, rect, Enabled() ? TXcItemDrawState{0} : TXcItemDrawState{xdsDisabled});
            }
            return;
        }
    }
    DoDrawText(rect, flags);
}

void TXcCustomLabel::DoDrawText(TRect& rect, UINT flags) {
    std::string text = GetLabelText();
    const bool measuring = (flags & DT_CALCRECT) != 0;
    // An empty caption still measures one line high, and a lone "&" (no
    // character to underline) as wide as "& ".
    if (measuring && (text.empty() || (showAccelChar_ && text == "&"))) text += ' ';
    if (!showAccelChar_) flags |= DT_NOPREFIX;
    flags = DrawTextBiDiModeFlags(flags | kEllipses[textEllipsis_]);
    TCanvas& canvas = *Canvas();
    canvas.SetFont(Font());
    TColor textColor = GetDefaultFontColor();
    TShadowPosition pos = shadowPos_;
    int size = shadowSize_;
    TColor shadowColor = shadowColor_;
    if (!Enabled()) {
        if (size == 0) {
            pos = spRightBottom;
            size = 1;
        }
        textColor = clGrayText;
        shadowColor = clBtnHighlight;
    }
    const bool image = ImageShown();
    if (image) rect.left += images_->Width() + spacing_;
    if (angle_ != 0)
        DrawRotated(text, rect, flags, textColor, pos, size, shadowColor);
    else
        DrawShadowed(text, rect, flags, textColor, pos, size, shadowColor);
    if (image && !measuring) {
        int y = marginTop_;
        if (layout_ == tlCenter)
            y = (Height() - images_->Height()) / 2;
        else if (layout_ == tlBottom)
            y = Height() - images_->Height() - marginBottom_;
        images_->Draw(&canvas, marginLeft_, std::max(y, marginTop_), imageIndex_, Enabled());
    }
}

int TXcCustomLabel::DrawShadowed(const std::string& text, TRect& rect, UINT flags, TColor textColor,
                                 TShadowPosition pos, int size, TColor shadowColor) {
    TCanvas& canvas = *Canvas();
    TRect shadow = rect;
    if (size > 0) {
        const POINT offset = ShadowOffset(pos, size);
        OffsetRect(&shadow, offset.x, offset.y);
        canvas.Font()->SetColor(shadowColor);
        canvas.DrawText(text, shadow, flags);
    }
    canvas.Font()->SetColor(textColor);
    int height = canvas.DrawText(text, rect, flags);
    if (size > 0) {
        height += size;
        UnionRect(&rect, &rect, &shadow);
    }
    return height;
}

int TXcCustomLabel::DrawRotated(const std::string& text, TRect& rect, UINT flags, TColor textColor,
                                TShadowPosition pos, int size, TColor shadowColor) {
    TCanvas& canvas = *Canvas();
    LOGFONTW lf{};
    GetObjectW(Font()->Handle(), sizeof lf, &lf);
    lf.lfEscapement = lf.lfOrientation = angle_ * 10;
    lf.lfOutPrecision = OUT_TT_ONLY_PRECIS;
    const OwnedFont rotated(CreateFontIndirectW(&lf));
    const std::wstring wide = ToWide(text.substr(0, kMaxRotatedText));
    HDC dc = canvas.Handle();
    const SelectedObject font(dc, rotated.get());
    SIZE extent{};
    GetTextExtentPoint32W(dc, wide.c_str(), static_cast<int>(wide.size()), &extent);
    // The text runs along (cos, -sin) from its start point, its cells
    // hanging along (sin, cos); the start is placed so that the corner of
    // the bounding box nearest the origin meets the rectangle's.
    const double radians = angle_ * 10 * std::numbers::pi / 1800;
    const double c = std::cos(radians), s = std::sin(radians);
    const double xs[] = {0, extent.cx * c, extent.cy * s, extent.cx * c + extent.cy * s};
    const double ys[] = {0, -extent.cx * s, extent.cy * c, -extent.cx * s + extent.cy * c};
    const auto [minX, maxX] = std::minmax_element(std::begin(xs), std::end(xs));
    const auto [minY, maxY] = std::minmax_element(std::begin(ys), std::end(ys));
    const int boxWidth = static_cast<int>(std::lround(*maxX - *minX));
    const int boxHeight = static_cast<int>(std::lround(*maxY - *minY));
    if (flags & DT_CALCRECT) {
        rect.right = rect.left + boxWidth;
        rect.bottom = rect.top + boxHeight;
        return boxHeight;
    }
    const int x = rect.left - static_cast<int>(std::lround(*minX));
    const int y = rect.top - static_cast<int>(std::lround(*minY));
    SetBkMode(dc, TRANSPARENT);
    if (size > 0) {
        const POINT offset = ShadowOffset(pos, size);
        SetTextColor(dc, static_cast<COLORREF>(ColorToRGB(shadowColor)));
        TextOutW(dc, x + offset.x, y + offset.y, wide.c_str(), static_cast<int>(wide.size()));
    }
    SetTextColor(dc, static_cast<COLORREF>(ColorToRGB(textColor)));
    TextOutW(dc, x, y, wide.c_str(), static_cast<int>(wide.size()));
    return boxHeight;
}

// ---- Painting and size -----------------------------------------------------------------
void TXcCustomLabel::DrawCutCornerFrame(const TRect& rect) {
    TCanvas& canvas = *Canvas();
    canvas.Pen()->SetColor(frameColor_);
    const int l = rect.left, t = rect.top, r = rect.right - 1, b = rect.bottom - 1, c = roundedFrame_;
    const TPoint points[] = {Point(l + c, t), Point(r - c, t), Point(r, t + c),
                             Point(r, b - c), Point(r - c, b), Point(l + c, b),
                             Point(l, b - c), Point(l, t + c), Point(l + c, t)};
    canvas.Polygon(points);
}

void TXcCustomLabel::Paint() {
    TCanvas& canvas = *Canvas();
    const TRect client = ClientRect();
    const bool transparent = Transparent();
    canvas.Brush()->SetColor(Color());
    canvas.Brush()->SetStyle(bsSolid);
    if (!transparent && (roundedFrame_ == 0 || frameColor_ == clNone))
        DrawThemedBackground(this, canvas, client);
    else if (transparent)
        canvas.Brush()->SetStyle(bsClear);
    if (frameColor_ != clNone) {
        if (roundedFrame_ > 0) {
            DrawCutCornerFrame(client);
            if (!transparent)
                ExtFloodFill(canvas.Handle(), client.left + 1, client.top + roundedFrame_,
                             static_cast<COLORREF>(ColorToRGB(frameColor_)), FLOODFILLBORDER);
        } else {
            const TColor saved = canvas.Brush()->Color();
            canvas.Brush()->SetColor(frameColor_);
            canvas.FrameRect(client);
            canvas.Brush()->SetColor(saved);
        }
    }
    // The background is done: the text (and its shadow) goes on it without
    // a box of its own.
    canvas.Brush()->SetStyle(bsClear);

    TRect text = client;
    text.left += marginLeft_ + 1;
    text.top += marginTop_;
    text.right -= marginRight_ + 1;
    text.bottom -= marginBottom_;
    const UINT flags = DT_EXPANDTABS | (wordWrap_ ? DT_WORDBREAK : 0) | kAlignments[alignment_];
    if (layout_ != tlTop) {
        TRect measured = text;
        DrawLabelText(measured, flags | DT_CALCRECT);
        const int dy = Height() - measured.bottom;
        OffsetRect(&text, 0, layout_ == tlBottom ? dy : dy / 2);
    }
    text.left = marginLeft_;
    DrawLabelText(text, flags);
    if (showFocus_ && focusControl_ && focused_ && !(ComponentState() & csDesigning)) {
        InflateRect(&text, 1, 0);
        canvas.Brush()->SetColor(Color());
        canvas.Brush()->SetStyle(bsSolid);
        DrawFocusRect(canvas.Handle(), &text);
    }
}

void TXcCustomLabel::AdjustBounds() {
    if ((ComponentState() & csLoading) || !autoSize_ || !needsMeasuring_) {
        needsMeasuring_ = false;
        return;
    }
    TRect r = ClientRect();
    r.left += 1;
    r.right -= 1;
    {
        const ScreenDC screen;
        const CanvasDCScope lent(*Canvas(), screen.get());
        if (angle_ != 0) {
            DrawRotated(GetLabelText(), r,
                        kAlignments[alignment_] | DT_CALCRECT | DT_EXPANDTABS | DT_WORDBREAK, Font()->Color(),
                        shadowPos_, 0, shadowColor_);
        } else {
            r.left += marginLeft_;
            r.top += marginTop_;
            r.right -= marginRight_;
            r.bottom -= marginBottom_;
            DrawLabelText(r, DT_CALCRECT | DT_EXPANDTABS | (wordWrap_ ? DT_WORDBREAK : 0));
            r.left -= marginLeft_;
            r.top -= marginTop_;
            r.right += marginRight_;
            r.bottom += marginBottom_;
        }
    }
    InflateRect(&r, 1, 0);
    int x = Left();
    if (ImageShown()) r.bottom = std::max<int>(r.bottom, r.top + GetImageHeight());
    // Right-to-left aligned, the left-justified text keeps its right edge.
    const bool rightEdge = alignment_ == (UseRightToLeftAlignment() ? taLeftJustify : taRightJustify);
    if (rightEdge && !ImageShown()) x += Width() - r.right;
    SetBounds(x, Top(), r.right, r.bottom);
    needsMeasuring_ = false;
}

// ---- Mouse, keys, focus ----------------------------------------------------------------
void TXcCustomLabel::Click() {
    bool handled = false;
    if (Connected()) {
        const TXcDataConsumerScope entered(*consumer_);
        if (auto action = Query<IXcDataItemAction>(SelectedItem(*consumer_))) handled = action->Execute();
    }
    if (handled) return;
    TXcGraphicControl::Click();
    if (autoOpenURL_ && !url_.empty()) ShellOpen(url_);
}

bool TXcCustomLabel::WantKey(WORD charCode, LPARAM keyData) {
    if (focusControl_ && Enabled() && showAccelChar_ && (KeyDataToShiftState(keyData) & ssAlt) &&
        IsAccel(charCode, GetLabelText())) {
        if (focusControl_->CanFocus()) focusControl_->SetFocus();
        return true;
    }
    return TXcGraphicControl::WantKey(charCode, keyData);
}

void TXcCustomLabel::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    TXcGraphicControl::MouseDown(button, shift, x, y);
    if (button == mbRight) UpdateTracking();
}

void TXcCustomLabel::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    TXcGraphicControl::MouseUp(button, shift, x, y);
    UpdateTracking();
}

void TXcCustomLabel::MouseEnter(TControl* control) {
    if ((ComponentState() & csDesigning) || MouseOver() || !Enabled() || !IsThreadWindowActive()) return;
    if (hotTrack_) {
        savedFont_->Assign(Font());
        Font()->Assign(hotTrackFont_.get());
    }
    TXcGraphicControl::MouseEnter(control);
}

void TXcCustomLabel::MouseLeave(TControl* control) {
    if (!MouseOver()) return;
    if (hotTrack_) Font()->Assign(savedFont_.get());
    TXcGraphicControl::MouseLeave(control);
}

void TXcCustomLabel::UpdateTracking() {
    POINT p{};
    const bool over = GetCursorPos(&p) && FindDragTarget(p, true) == this && IsThreadWindowActive();
    if (over == MouseOver()) return;
    if (over)
        MouseEnter(this);
    else
        MouseLeave(this);
}

void TXcCustomLabel::FocusChanged(TWinControl* focused) {
    const bool value = focusControl_ && focused == focusControl_;
    if (value == focused_) return;
    focused_ = value;
    if (showFocus_) Invalidate();
}

void TXcCustomLabel::TextChanged() {
    Disconnect();
    Remeasure();
    Invalidate();
}

void TXcCustomLabel::FontChanged() {
    Remeasure();
    CopyFontAttributes(hotTrackFont_.get(), Font(), hotTrackFontOptions_);
}

void TXcCustomLabel::EnabledChanged() {
    TXcGraphicControl::EnabledChanged();
    UpdateTracking();
}

void TXcCustomLabel::VisibleChanged() {
    TXcGraphicControl::VisibleChanged();
    if (Visible()) UpdateTracking();
}
