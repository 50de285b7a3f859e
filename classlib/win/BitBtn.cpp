// TBitBtn: an owner-drawn BUTTON painting its frame, glyph and caption.
#include <algorithm>

#include "classlib/win/Buttons.h"
#include "classlib/win/Forms.h"
#include "classlib/win/GdiHandles.h"
#include "classlib/win/WideText.h"

namespace cl {

namespace {

struct KindInfo {
    const char* caption;
    TModalResult result;
};
const KindInfo kKinds[] = {
    {"", mrNone},           // bkCustom
    {"OK", mrOk},           // bkOK
    {"Cancel", mrCancel},   // bkCancel
    {"&Help", mrNone},      // bkHelp
    {"&Yes", mrYes},        // bkYes
    {"&No", mrNo},          // bkNo
    {"&Close", mrNone},     // bkClose
    {"Abort", mrAbort},     // bkAbort
    {"&Retry", mrRetry},    // bkRetry
    {"&Ignore", mrIgnore},  // bkIgnore
    {"&All", mrAll},        // bkAll
};

// A monochrome mask of a glyph image: 1 where the source has the
// transparent colour, 0 where the glyph is.
struct GlyphMask {
    OwnedDC dc;
    OwnedBitmap bitmap;
    SelectedObject selected;
    GlyphMask(HDC target, HDC source, const RECT& src, COLORREF transparent)
        : dc(CreateCompatibleDC(target)),
          bitmap(CreateBitmap(src.right - src.left, src.bottom - src.top, 1, 1, nullptr)),
          selected(dc.get(), bitmap.get()) {
        const COLORREF oldBk = SetBkColor(source, transparent);
        BitBlt(dc.get(), 0, 0, src.right - src.left, src.bottom - src.top, source, src.left, src.top,
               SRCCOPY);
        SetBkColor(source, oldBk);
    }
};

// Mono sources expand to black (0) and white (1) on the target.
struct MonoColours {
    HDC dc;
    COLORREF text, bk;
    explicit MonoColours(HDC target)
        : dc(target), text(SetTextColor(target, RGB(0, 0, 0))), bk(SetBkColor(target, RGB(255, 255, 255))) {}
    ~MonoColours() {
        SetTextColor(dc, text);
        SetBkColor(dc, bk);
    }
};

void DrawTransparent(HDC target, int x, int y, HDC source, const RECT& src, COLORREF transparent) {
    const int w = src.right - src.left, h = src.bottom - src.top;
    GlyphMask mask(target, source, src, transparent);
    MonoColours colours(target);
    // target ^ glyph, cleared where the glyph is, ^ glyph again: the glyph
    // where it is, the target elsewhere.
    BitBlt(target, x, y, w, h, source, src.left, src.top, SRCINVERT);
    BitBlt(target, x, y, w, h, mask.dc.get(), 0, 0, SRCAND);
    BitBlt(target, x, y, w, h, source, src.left, src.top, SRCINVERT);
}

// The glyph's shape in a highlight one pixel down and right under the same
// shape in a shadow colour.
void DrawEmbossed(HDC target, int x, int y, HDC source, const RECT& src, COLORREF transparent) {
    const GlyphMask mask(target, source, src, transparent);
    DrawEmbossedMask(target, x, y, src.right - src.left, src.bottom - src.top, mask.dc.get());
}

}  // namespace

CL_CLASS_INFO(TBitBtn,
              EnumProp("Kind",
                       {"bkCustom", "bkOK", "bkCancel", "bkHelp", "bkYes", "bkNo", "bkClose", "bkAbort",
                        "bkRetry", "bkIgnore", "bkAll"},
                       &TBitBtn::Kind, &TBitBtn::SetKind),
              EnumProp("Layout", {"blGlyphLeft", "blGlyphRight", "blGlyphTop", "blGlyphBottom"},
                       &TBitBtn::Layout, &TBitBtn::SetLayout),
              Prop("NumGlyphs", &TBitBtn::NumGlyphs, &TBitBtn::SetNumGlyphs),
              Prop("Margin", &TBitBtn::Margin, &TBitBtn::SetMargin),
              Prop("Spacing", &TBitBtn::Spacing, &TBitBtn::SetSpacing))

TBitBtn::TBitBtn(TComponent* owner) : TButton(owner), glyph_(std::make_unique<TBitmap>()) {
    glyph_->OnChange = [this](TObject*) { Invalidate(); };
}

TBitBtn::~TBitBtn() {
    glyph_->OnChange = nullptr;
}

void TBitBtn::CreateParams(TCreateParams& p) {
    TButton::CreateParams(p);
    p.Style |= BS_OWNERDRAW;
}

void TBitBtn::SetGlyph(TBitmap* value) {
    glyph_->Assign(value);
    Invalidate();
}

void TBitBtn::SetNumGlyphs(int value) {
    value = std::clamp(value, 1, 4);
    if (value == numGlyphs_) return;
    numGlyphs_ = value;
    Invalidate();
}

void TBitBtn::SetKind(TBitBtnKind value) {
    if (value == kind_) return;
    if (value != bkCustom) {
        SetDefault(value == bkOK || value == bkYes);
        SetCancel(value == bkCancel || value == bkNo);
        if (!(ComponentState() & csLoading) || Caption().empty()) SetCaption(kKinds[value].caption);
        SetModalResult(kKinds[value].result);
    }
    kind_ = value;
    Invalidate();
}

void TBitBtn::SetLayout(TButtonLayout value) {
    if (value == layout_) return;
    layout_ = value;
    Invalidate();
}

void TBitBtn::SetMargin(int value) {
    if (value == margin_ || value < -1) return;
    margin_ = value;
    Invalidate();
}

void TBitBtn::SetSpacing(int value) {
    if (value == spacing_) return;
    spacing_ = value;
    Invalidate();
}

void TBitBtn::Click() {
    if (kind_ == bkClose) {
        if (TCustomForm* form = GetParentForm(this)) {
            form->Close();
            return;
        }
    }
    TButton::Click();
}

void TBitBtn::SetButtonStyle(bool isDefault) {
    // The window stays owner-drawn; only the painting changes.
    if (isDefault == isFocused_) return;
    isFocused_ = isDefault;
    Invalidate();
}

void TBitBtn::DrawItem(const DRAWITEMSTRUCT& item) {
    HDC dc = item.hDC;
    TCanvas canvas(dc);
    TRect r = ClientRect();
    const bool isDown = (item.itemState & ODS_SELECTED) != 0;
    const bool isDefault = (item.itemState & ODS_FOCUS) != 0;
    const bool disabled = (item.itemState & ODS_DISABLED) != 0 || !Enabled();
    // DrawFrameControl has no default-button look: a dark frame around it.
    if (isFocused_ || isDefault) {
        canvas.Pen()->SetColor(clWindowFrame);
        canvas.Brush()->SetStyle(bsClear);
        canvas.Rectangle(r);
        InflateRect(&r, -1, -1);
    }
    if (isDown) {
        canvas.Pen()->SetColor(clBtnShadow);
        canvas.Brush()->SetColor(clBtnFace);
        canvas.Rectangle(r);
        InflateRect(&r, -1, -1);
    } else {
        DrawFrameControl(dc, &r, DFC_BUTTON,
                         DFCS_BUTTONPUSH | DFCS_ADJUSTRECT | (disabled ? DFCS_INACTIVE : 0));
    }
    if (isFocused_) {
        r = ClientRect();
        InflateRect(&r, -1, -1);
    }
    if (isDown) OffsetRect(&r, 1, 1);

    // Glyph and caption placed by Layout, Margin and Spacing.
    canvas.SetFont(Font());
    const std::string caption = Caption();
    TRect textBounds = Rect(0, 0, r.right - r.left, 0);
    SIZE textSize{0, 0};
    if (!caption.empty()) {
        canvas.DrawText(caption, textBounds, DT_CALCRECT);
        textSize = SIZE{textBounds.right - textBounds.left, textBounds.bottom - textBounds.top};
    }
    const bool hasGlyph = !glyph_->Empty();
    const SIZE glyphSize = hasGlyph ? SIZE{glyph_->Width() / numGlyphs_, glyph_->Height()} : SIZE{0, 0};
    const SIZE clientSize{r.right - r.left, r.bottom - r.top};
    const bool horizontal = layout_ == blGlyphLeft || layout_ == blGlyphRight;
    POINT glyphPos{0, 0}, textPos{0, 0};
    if (horizontal) {
        glyphPos.y = (clientSize.cy - glyphSize.cy + 1) / 2;
        textPos.y = (clientSize.cy - textSize.cy + 1) / 2;
    } else {
        glyphPos.x = (clientSize.cx - glyphSize.cx + 1) / 2;
        textPos.x = (clientSize.cx - textSize.cx + 1) / 2;
    }
    // Margin -1 centres; Spacing -1 spreads the free space evenly.
    const int clientExtent = horizontal ? clientSize.cx : clientSize.cy;
    const int glyphExtent = horizontal ? glyphSize.cx : glyphSize.cy;
    const int textExtent = horizontal ? textSize.cx : textSize.cy;
    int spacing = (textSize.cx == 0 || glyphSize.cx == 0) ? 0 : spacing_;
    int margin = margin_;
    if (margin == -1 && spacing == -1) {
        margin = (clientExtent - glyphExtent - textExtent) / 3;
        spacing = margin;
    } else if (margin == -1) {
        margin = (clientExtent - (glyphExtent + spacing + textExtent) + 1) / 2;
    } else if (spacing == -1) {
        spacing = (clientExtent - (margin + glyphExtent) - textExtent) / 2;
    }
    switch (layout_) {
        case blGlyphLeft:
            glyphPos.x = margin;
            textPos.x = glyphPos.x + glyphSize.cx + spacing;
            break;
        case blGlyphRight:
            glyphPos.x = clientSize.cx - margin - glyphSize.cx;
            textPos.x = glyphPos.x - spacing - textSize.cx;
            break;
        case blGlyphTop:
            glyphPos.y = margin;
            textPos.y = glyphPos.y + glyphSize.cy + spacing;
            break;
        case blGlyphBottom:
            glyphPos.y = clientSize.cy - margin - glyphSize.cy;
            textPos.y = glyphPos.y - spacing - textSize.cy;
            break;
    }

    if (hasGlyph) {
        // Images side by side: up, disabled, down.
        int image = 0;
        if (disabled && numGlyphs_ >= 2)
            image = 1;
        else if (isDown && numGlyphs_ >= 3)
            image = 2;
        const RECT src{image * glyphSize.cx, 0, (image + 1) * glyphSize.cx, glyphSize.cy};
        const COLORREF transparent = static_cast<COLORREF>(ColorToRGB(glyph_->TransparentColor())) & 0xFFFFFF;
        HDC source = glyph_->Canvas()->Handle();
        const int x = r.left + glyphPos.x, y = r.top + glyphPos.y;
        if (disabled && numGlyphs_ < 2)
            DrawEmbossed(dc, x, y, source, src, transparent);
        else
            DrawTransparent(dc, x, y, source, src, transparent);
    }
    if (!caption.empty()) {
        OffsetRect(&textBounds, r.left + textPos.x, r.top + textPos.y);
        canvas.Brush()->SetStyle(bsClear);
        if (disabled) {
            OffsetRect(&textBounds, 1, 1);
            canvas.Font()->SetColor(clBtnHighlight);
            canvas.DrawText(caption, textBounds, DT_CENTER | DT_VCENTER);
            OffsetRect(&textBounds, -1, -1);
            canvas.Font()->SetColor(clBtnShadow);
        }
        canvas.DrawText(caption, textBounds, DT_CENTER | DT_VCENTER);
    }
    if (isFocused_ && isDefault) {
        r = ClientRect();
        InflateRect(&r, -4, -4);
        canvas.Pen()->SetColor(clWindowFrame);
        canvas.Brush()->SetColor(clBtnFace);
        DrawFocusRect(canvas.Handle(), &r);
    }
}

void TBitBtn::WndProc(TMessage& m) {
    switch (m.Msg) {
        case CN_DRAWITEM:
            DrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(m.LParam));
            m.Result = TRUE;
            return;
        case WM_LBUTTONDBLCLK:
            // A quick second click presses the button again.
            DefaultHandler(m);
            return;
        case CM_FONTCHANGED:
        case CM_ENABLEDCHANGED:
        case CM_TEXTCHANGED:
            TButton::WndProc(m);
            Invalidate();
            return;
    }
    TButton::WndProc(m);
}

}  // namespace cl
