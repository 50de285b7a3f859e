#include "controls/win/XcStaticText.h"

#include "classlib/win/WideText.h"
#include "controls/win/XcTextMeasure.h"
#include "controls/win/XcThemes.h"

using namespace cl;

// ---- TXcTextMargins -------------------------------------------------------------
CL_CLASS_INFO(TXcTextMargins, Prop("X", &TXcTextMargins::X, &TXcTextMargins::SetX),
              Prop("Y", &TXcTextMargins::Y, &TXcTextMargins::SetY))

void TXcTextMargins::SetX(int16_t value) {
    if (value == x_) return;
    x_ = value;
    if (OnChange) OnChange();
}

void TXcTextMargins::SetY(int16_t value) {
    if (value == y_) return;
    y_ = value;
    if (OnChange) OnChange();
}

void TXcTextMargins::Assign(TPersistent* source) {
    auto* other = dynamic_cast<TXcTextMargins*>(source);
    if (!other) return TPersistent::Assign(source);
    x_ = other->x_;
    y_ = other->y_;
    if (OnChange) OnChange();
}

// ---- TXcCustomStaticText -----------------------------------------------------------
XC_CLASS_INFO(TXcCustomStaticText)

CL_CLASS_INFO(TXcStaticText,
              EnumProp("Alignment", {"taLeftJustify", "taRightJustify", "taCenter"},
                       &TXcStaticText::Alignment, &TXcStaticText::SetAlignment),
              Prop("AutoSize", &TXcStaticText::AutoSize, &TXcStaticText::SetAutoSize),
              EnumProp("BorderStyle", {"sbsNone", "sbsSingle", "sbsSunken"}, &TXcStaticText::BorderStyle,
                       &TXcStaticText::SetBorderStyle),
              Prop("FocusControl", &TXcStaticText::FocusControl, &TXcStaticText::SetFocusControl),
              Prop("HotTrack", &TXcStaticText::HotTrack, &TXcStaticText::SetHotTrack),
              Prop("HotTrackFont", &TXcStaticText::HotTrackFont, &TXcStaticText::SetHotTrackFont),
              SetOfProp("HotTrackFontOptions",
                        {"hoFollowFont", "hoPreserveCharSet", "hoPreserveColor", "hoPreserveHeight",
                         "hoPreserveName", "hoPreservePitch", "hoPreserveStyle"},
                        &TXcStaticText::HotTrackFontOptions, &TXcStaticText::SetHotTrackFontOptions),
              EnumProp("Layout", {"tlTop", "tlCenter", "tlBottom"}, &TXcStaticText::Layout,
                       &TXcStaticText::SetLayout),
              Prop("ShowAccelChar", &TXcStaticText::ShowAccelChar, &TXcStaticText::SetShowAccelChar),
              Prop("TextMargins", &TXcStaticText::TextMargins, &TXcStaticText::SetTextMargins),
              Prop("WordWrap", &TXcStaticText::WordWrap, &TXcStaticText::SetWordWrap))

TXcCustomStaticText::TXcCustomStaticText(TComponent* owner)
    : TXcWinControl(owner),
      savedFont_(std::make_unique<TFont>()),
      hotTrackFont_(std::make_unique<TFont>()),
      textMargins_(std::make_unique<TXcTextMargins>()) {
    SetControlStyle(csCaptureMouse | csClickEvents | csSetCaption | csOpaque | csDoubleClicks |
                    csReplicatable);
    IncludeThemeStyle(this, csParentBackground);
    textMargins_->OnChange = [this] { Invalidate(); };
    SetBounds(Left(), Top(), 65, 17);
}

TXcCustomStaticText::~TXcCustomStaticText() = default;

void TXcCustomStaticText::CreateParams(TCreateParams& p) {
    TXcWinControl::CreateParams(p);
    CreateSubClass(p, L"STATIC");
    p.Style |= SS_NOTIFY | SS_OWNERDRAW;
}

void TXcCustomStaticText::SetAlignment(TAlignment value) {
    if (value == alignment_) return;
    alignment_ = value;
    Invalidate();
}

void TXcCustomStaticText::SetLayout(TTextLayout value) {
    if (value == layout_) return;
    layout_ = value;
    Invalidate();
}

void TXcCustomStaticText::SetAutoSize(bool value) {
    if (value == autoSize_) return;
    autoSize_ = value;
    if (value) AdjustBounds();
}

void TXcCustomStaticText::SetBorderStyle(TStaticBorderStyle value) {
    if (value == borderStyle_) return;
    borderStyle_ = value;
    Invalidate();
}

void TXcCustomStaticText::SetFocusControl(TWinControl* value) {
    if (value == focusControl_) return;
    if (focusControl_) RemoveFreeNotification(focusControl_);
    focusControl_ = value;
    if (value) value->FreeNotification(this);
}

void TXcCustomStaticText::SetShowAccelChar(bool value) {
    if (value == showAccelChar_) return;
    showAccelChar_ = value;
    Invalidate();
}

void TXcCustomStaticText::SetWordWrap(bool value) {
    if (value == wordWrap_) return;
    wordWrap_ = value;
    AdjustBounds();
    Invalidate();
}

void TXcCustomStaticText::SetHotTrackFontOptions(TXcTrackFontOptions value) {
    if (value == hotTrackFontOptions_) return;
    hotTrackFontOptions_ = value;
    CopyFontAttributes(hotTrackFont_.get(), Font(), value);
}

UINT TXcCustomStaticText::TextFlags() const {
    // By reading order: left to right, right to left.
    static constexpr UINT kAlignments[2][3] = {{DT_LEFT, DT_RIGHT, DT_CENTER},
                                               {DT_RIGHT, DT_LEFT, DT_CENTER}};
    static constexpr UINT kLayouts[] = {DT_TOP, DT_VCENTER, DT_BOTTOM};
    UINT flags = kAlignments[UseRightToLeftAlignment()][alignment_] | DT_EXPANDTABS | kLayouts[layout_];
    if (!showAccelChar_) flags |= DT_NOPREFIX;
    if (wordWrap_) flags |= DT_WORDBREAK;
    return flags;
}

void TXcCustomStaticText::Loaded() {
    TXcWinControl::Loaded();
    AdjustBounds();
}

void TXcCustomStaticText::Notification(TComponent* component, TOperation operation) {
    TXcWinControl::Notification(component, operation);
    if (operation == opRemove && component == focusControl_) focusControl_ = nullptr;
}

bool TXcCustomStaticText::WantKey(WORD charCode, LPARAM keyData) {
    if (focusControl_ && Enabled() && showAccelChar_ && IsAccel(charCode, Caption()) &&
        (KeyDataToShiftState(keyData) & ssAlt)) {
        if (focusControl_->CanFocus()) focusControl_->SetFocus();
        return true;
    }
    return TXcWinControl::WantKey(charCode, keyData);
}

bool TXcCustomStaticText::DoEraseBackground(HDC) {
    // DrawItem paints every pixel.
    return true;
}

void TXcCustomStaticText::MouseEnter(TControl* control) {
    if ((ComponentState() & csDesigning) || MouseOver()) return;
    if (hotTrack_) {
        savedFont_->Assign(Font());
        Font()->Assign(hotTrackFont_.get());
    }
    TXcWinControl::MouseEnter(control);
}

void TXcCustomStaticText::MouseLeave(TControl* control) {
    if (!MouseOver()) return;
    if (hotTrack_) Font()->Assign(savedFont_.get());
    TXcWinControl::MouseLeave(control);
}

void TXcCustomStaticText::FontChanged() {
    AdjustBounds();
    CopyFontAttributes(hotTrackFont_.get(), Font(), hotTrackFontOptions_);
}

void TXcCustomStaticText::TextChanged() {
    AdjustBounds();
    Invalidate();
}

void TXcCustomStaticText::AdjustBounds() {
    if ((ComponentState() & csLoading) || !autoSize_ || !HandleAllocated()) return;
    const std::string caption = Caption();
    int width, height;
    if (wordWrap_) {
        const TRect r = ScreenMeasureText(*Font(), caption, ClientRect(), TextFlags());
        width = r.right - r.left;
        height = r.bottom - r.top;
    } else {
        const SIZE extent = ScreenTextExtent(*Font(), caption);
        width = extent.cx + GetSystemMetrics(SM_CXBORDER) * 4;
        height = extent.cy + GetSystemMetrics(SM_CYBORDER) * 4;
    }
    SetBounds(Left(), Top(), width, height);
}

void TXcCustomStaticText::DrawItem(const DRAWITEMSTRUCT& item) {
    HDC dc = item.hDC;
    const OwnedBrush brush(CreateSolidBrush(static_cast<COLORREF>(ColorToRGB(Color()))));
    TRect r = item.rcItem;
    DrawThemedBackgroundBrush(this, dc, r, true, brush.get());
    if (borderStyle_ != sbsNone)
        DrawEdge(dc, &r, BDR_SUNKENOUTER,
                 BF_RECT | BF_ADJUST | (borderStyle_ == sbsSingle ? BF_MONO : BF_SOFT));
    const std::wstring text = ToWide(Caption());
    const UINT flags = TextFlags();
    const SelectedObject font(dc, Font()->Handle());
    TRect place = r;
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &place, flags | DT_CALCRECT);
    const int textWidth = place.right - place.left, textHeight = place.bottom - place.top;
    const int x = textMargins_->X(), y = textMargins_->Y();
    switch (layout_) {
        case tlTop:
            place.top += y;
            break;
        case tlCenter:
            place.top = (ClientHeight() - textHeight) / 2;
            break;
        case tlBottom:
            place.top = ClientHeight() - textHeight - y;
            break;
    }
    switch (alignment_) {
        case taLeftJustify:
            place.left += x;
            break;
        case taRightJustify:
            place.left = Width() - textWidth - x;
            break;
        case taCenter:
            place.left = (Width() - textWidth) / 2;
            break;
    }
    place.right = place.left + textWidth;
    place.bottom = place.top + textHeight;
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, static_cast<COLORREF>(ColorToRGB(Font()->Color())));
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &place, flags);
}

void TXcCustomStaticText::WndProc(TMessage& m) {
    switch (m.Msg) {
        case CN_DRAWITEM:
            DrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(m.LParam));
            m.Result = TRUE;
            return;
        case WM_SIZE:
            TXcWinControl::WndProc(m);
            Invalidate();
            return;
    }
    TXcWinControl::WndProc(m);
}
