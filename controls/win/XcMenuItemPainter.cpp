#include "controls/win/XcMenuItemPainter.h"

#include <algorithm>

#include "classlib/Exceptions.h"
#include "classlib/win/GdiHandles.h"
#include "controls/win/XcAccelText.h"
#include "controls/win/XcXCLUtils.h"

using namespace cl;

namespace {

constexpr UINT kTextFlags = DT_SINGLELINE | DT_EXPANDTABS;

TXcBox BoxOf(const TRect& r) {
    return {r.left, r.top, r.right, r.bottom};
}

TRect RectOf(const TXcBox& b) {
    return Rect(b.Left, b.Top, b.Right, b.Bottom);
}

// The size of a caption drawn on one line with its tabs expanded ("&"
// marks an access key and takes no room).
SIZE CaptionSize(TCanvas* canvas, const std::string& text) {
    TRect r = Rect(0, 0, 0, 0);
    canvas->DrawText(text.empty() ? " " : text, r, kTextFlags | DT_CALCRECT);
    return SIZE{text.empty() ? 0 : r.right - r.left, r.bottom - r.top};
}

// The texts of the item's visible siblings (the item among them).
TXcSiblingTexts SiblingTexts(TCanvas* canvas, TMenuItem* item) {
    TXcSiblingTexts t;
    TMenuItem* parent = item->Parent();
    for (int i = 0, n = parent ? parent->Count() : 0; i < n; ++i) {
        TMenuItem* s = parent->Items(i);
        if (!s->Visible() || s->IsLine()) continue;
        t.WidestCaption = std::max<int>(t.WidestCaption, CaptionSize(canvas, s->Caption()).cx);
        if (s->ShortCut() != scNone) {
            t.AnyShortCut = true;
            t.WidestShortCut = std::max(t.WidestShortCut, canvas->TextWidth(ShortCutToText(s->ShortCut())));
        }
        if (s->Count() > 0) t.AnySubItems = true;
    }
    t.EightBlanks = canvas->TextWidth("        ");
    t.TwoBlanks = canvas->TextWidth("  ");
    return t;
}

// The client height of the window a device context draws on.
int WindowHeightOf(HDC dc) {
    RECT r{};
    if (HWND wnd = WindowFromDC(dc)) GetClientRect(wnd, &r);
    return r.bottom - r.top;
}

}  // namespace

CL_CLASS_INFO(TXcCustomMenuItemPainter)

TXcCustomMenuItemPainter::TXcCustomMenuItemPainter(TComponent* owner) : TComponent(owner) {}

TXcCustomMenuItemPainter::~TXcCustomMenuItemPainter() = default;

TXcMenuSettings& TXcCustomMenuItemPainter::Settings() const {
    if (!menu_) throw EInvalidOperation("The menu item painter serves no menu");
    return *menu_;
}

bool TXcCustomMenuItemPainter::Disabled() const {
    return (state_ & (ODS_DISABLED | ODS_GRAYED)) != 0 || (item_ && !item_->Enabled());
}

bool TXcCustomMenuItemPainter::Checked() const {
    return (state_ & ODS_CHECKED) != 0 || (item_ && item_->Checked());
}

bool TXcCustomMenuItemPainter::IsBarItem() const {
    return item_ && menu_ && menu_->MenuBar() && item_->Parent() == menu_->Menu()->Items();
}

bool TXcCustomMenuItemPainter::HasImage(TCustomImageList* list, int index) {
    return list && index >= 0 && index < list->Count();
}

// ---- Sizes -------------------------------------------------------------------------------
int TXcCustomMenuItemPainter::CheckMarkHeight() {
    return Settings().ShowCheckMarks() ? GetSystemMetrics(SM_CYMENUCHECK) : 0;
}

int TXcCustomMenuItemPainter::CheckMarkWidth() {
    return Settings().ShowCheckMarks() ? GetSystemMetrics(SM_CXMENUCHECK) : 0;
}

int TXcCustomMenuItemPainter::ImageHeight() {
    const TXcMenuSettings& s = Settings();
    if (s.ImageSize()->Height() > 0) return s.ImageSize()->Height();
    return s.Images() ? s.Images()->Height() : 0;
}

int TXcCustomMenuItemPainter::ImageWidth() {
    const TXcMenuSettings& s = Settings();
    if (s.ImageSize()->Width() > 0) return s.ImageSize()->Width();
    return s.Images() ? s.Images()->Width() : 0;
}

int TXcCustomMenuItemPainter::TextMargin() {
    return Settings().TextMargin();
}

TXcMenuMargins TXcCustomMenuItemPainter::ImageMargins() {
    return Settings().ImageMargin()->Value();
}

bool TXcCustomMenuItemPainter::UseDisabledShadow() {
    return !Selected() || GetNearestColor(canvas_->Handle(), ColorToRGB(clGrayText)) ==
                              GetNearestColor(canvas_->Handle(), ColorToRGB(clHighlight));
}

TColor TXcCustomMenuItemPainter::DisabledTextColor() {
    return Selected() ? clGrayText : clBtnShadow;
}

TXcMenuItemMetrics TXcCustomMenuItemPainter::Metrics() {
    TXcMenuItemMetrics m;
    m.CheckWidth = CheckMarkWidth();
    m.CheckHeight = CheckMarkHeight();
    m.ImageWidth = ImageWidth();
    m.ImageHeight = ImageHeight();
    m.ImageMargin = ImageMargins();
    m.TextMargin = TextMargin();
    m.LeftMargin = static_cast<int>(leftMargin_);
    return m;
}

// ---- Measuring ---------------------------------------------------------------------------
void TXcCustomMenuItemPainter::Measure(TMenuItem* item, TCanvas* canvas, int& width, int& height) {
    canvas_ = canvas;
    Prepare(item, Rect(0, 0, 0, 0), true, 0);
    if (IsBarItem()) {
        width = TextMargin() + canvas->TextWidth(StripHotkey(item->Caption()));
        height = std::max<int>(GetSystemMetrics(SM_CYMENU), CaptionSize(canvas, item->Caption()).cy);
        return;
    }
    MeasureDropDown(width, height);
}

void TXcCustomMenuItemPainter::MeasureDropDown(int& width, int& height) {
    const TXcMenuItemMetrics m = Metrics();
    width = DropDownWidth(m, SiblingTexts(canvas_, item_));
    if (item_->IsLine())
        height = SeparatorHeight(canvas_->TextHeight("-"));
    else
        height = DropDownHeight(m, GetSystemMetrics(SM_CYMENU), CaptionSize(canvas_, item_->Caption()).cy);
}

// ---- Painting ----------------------------------------------------------------------------
void TXcCustomMenuItemPainter::Prepare(TMenuItem* item, const TRect& rect, bool noFill,
                                       TOwnerDrawState state) {
    item_ = item;
    itemRect_ = rect;
    // The item's own bitmap, unless OnGetItemParams gives another glyph.
    glyph_ = item->Bitmap()->Empty() ? nullptr : item->Bitmap();
    numGlyphs_ = 1;
    TXcMenuSettings& s = Settings();
    if (s.OnGetItemParams) {
        TColor color = canvas_->Brush()->Color();
        s.OnGetItemParams(s.Menu(), item, state, canvas_->Font(), color, glyph_, numGlyphs_);
        canvas_->Brush()->SetColor(color);
    }
    state_ = state;
    if (!noFill && canvas_->Brush()->Color() != clNone) canvas_->FillRect(rect);
    imageIndex_ = item->ImageIndex();
    if (s.OnGetImageIndex) s.OnGetImageIndex(s.Menu(), item, state, imageIndex_);
}

void TXcCustomMenuItemPainter::Paint(TMenuItem* item, TCanvas* canvas, const TRect& rect,
                                     TOwnerDrawState state) {
    canvas_ = canvas;
    Prepare(item, rect, false, state);
    const bool bar = IsBarItem();
    const bool checkMarks = Settings().ShowCheckMarks();
    const bool rtl = RightToLeft();
    TRect check = rect, column = rect, image = rect, text = rect;
    if (!bar) {
        TXcDropDownColumns c = DropDownColumns(BoxOf(rect), Metrics());
        if (rtl) c = MirroredColumns(c, BoxOf(rect));
        check = RectOf(c.Check);
        column = RectOf(c.ImageColumn);
        image = RectOf(c.Image);
        text = RectOf(c.Text);
    }
    DrawItemBackground(rect);
    if (!bar && leftMargin_ > 0) {
        const int strip = static_cast<int>(leftMargin_);
        const int height = WindowHeightOf(canvas->Handle());
        DrawLeftMargin(rtl ? Rect(rect.right - strip, 0, rect.right, height)
                           : Rect(rect.left, 0, rect.left + strip, height));
    }
    if (!bar) {
        if (checkMarks) DrawCheckMarkBackground(CheckMarkRect(check));
        DrawImageBackground(column);
    }
    DrawTextBackground(text);
    if (Selected()) DrawSelectionFrame(rect);
    if (Checked() && checkMarks && !bar) DrawCheckMark(CheckMarkRect(check));
    PaintImage(column, image);
    PaintText(text, rect);
}

void TXcCustomMenuItemPainter::PaintImage(const TRect& column, const TRect& image) {
    const bool checkedBack = Checked() && !Settings().ShowCheckMarks();
    auto back = [&] {
        if (checkedBack)
            DrawCheckedImageBack(column);
        else
            DrawNotCheckedImageBack(column);
    };
    const TPoint at = ImagePosition(image);
    if (HasImage(Settings().Images(), imageIndex_)) {
        back();
        if (Disabled())
            DrawDisabledImage(at.x, at.y);
        else
            DrawImage(at.x, at.y);
    } else if (glyph_ && !glyph_->Empty() && !item_->IsLine()) {
        back();
        if (Disabled())
            DrawDisabledGlyph(at.x, at.y);
        else
            DrawGlyph(at.x, at.y);
    } else if (checkedBack && !item_->IsLine()) {
        DrawCheckedImageBack(column);
        DrawCheckMark(column);
    }
}

void TXcCustomMenuItemPainter::PaintText(const TRect& textColumn, const TRect& item) {
    if (item_->IsLine()) {
        DrawSeparator(item);
        return;
    }
    const bool bar = IsBarItem();
    // Right to left: aligned to the right, read from the right.
    const bool rtl = RightToLeft();
    const UINT side = rtl ? DT_RIGHT | DT_RTLREADING : DT_LEFT;
    canvas_->Brush()->SetStyle(bsClear);
    TRect r = TextRect(textColumn);
    if (!bar && rtl)
        r.right -= TextMargin();
    else if (!bar)
        r.left += TextMargin();
    UINT flags = kTextFlags | (bar ? DT_CENTER | (rtl ? DT_RTLREADING : 0) : side);
    if (state_ & ODS_NOACCEL) flags |= DT_HIDEPREFIX;
    DrawItemText(r, item_->Caption(), flags);
    if (bar || item_->ShortCut() == scNone || item_->Count() > 0) return;
    TRect shortCut = r;
    const int column = ShortCutColumn(Metrics(), SiblingTexts(canvas_, item_));
    if (rtl)
        shortCut.right = item.right - column;
    else
        shortCut.left = item.left + column;
    DrawItemText(shortCut, ShortCutToText(item_->ShortCut()), kTextFlags | side | DT_NOPREFIX);
}

bool TXcCustomMenuItemPainter::RightToLeft() const {
    const TMenu* menu = Settings().Menu();
    return menu && menu->IsRightToLeft();
}

void TXcCustomMenuItemPainter::DrawItemText(TRect r, const std::string& text, UINT flags) {
    switch (Settings().TextVAlignment()) {
        case vaTop:
            break;
        case vaMiddle: {
            TRect calc = r;
            const int h = canvas_->DrawText(text, calc, flags | DT_CALCRECT);
            r.top += (r.bottom - r.top + 1 - h) / 2;
            break;
        }
        case vaBottom:
            flags |= DT_BOTTOM;
            break;
    }
    if (!Disabled()) {
        DrawAccelText(*canvas_, text, r, flags);
        return;
    }
    if (UseDisabledShadow()) {
        TRect shadow = r;
        OffsetRect(&shadow, 1, 1);
        canvas_->Font()->SetColor(clBtnHighlight);
        DrawAccelText(*canvas_, text, shadow, flags);
    }
    canvas_->Font()->SetColor(DisabledTextColor());
    DrawAccelText(*canvas_, text, r, flags);
}

void TXcCustomMenuItemPainter::DrawSeparator(const TRect& r) {
    const int middle = (r.top + r.bottom) / 2;
    TPen* pen = canvas_->Pen();
    pen->SetStyle(psSolid);
    pen->SetWidth(1);
    pen->SetColor(clBtnShadow);
    canvas_->MoveTo(r.left - 1, middle - 1);
    canvas_->LineTo(r.right, middle - 1);
    pen->SetColor(clBtnHighlight);
    canvas_->MoveTo(r.left, middle);
    canvas_->LineTo(r.right, middle);
}

void TXcCustomMenuItemPainter::DrawLeftMargin(const TRect& r) {
    if (OnDrawLeftMargin) {
        OnDrawLeftMargin(this, canvas_, r);
        return;
    }
    TRect band = r;
    band.right = std::max(band.left, band.right - 3);
    FillRectGradient(canvas_, band, static_cast<TColor>(0x00FF0000), static_cast<TColor>(0x003F0000),
                     fdTopToBottom, 32);
    const TColor edges[] = {clBtnFace, clBtnShadow, clBtnHighlight};
    for (int i = 0; i < 3; ++i) {
        const int x = r.right - 3 + i;
        if (x < r.left) continue;
        canvas_->Pen()->SetColor(edges[i]);
        canvas_->MoveTo(x, r.top);
        canvas_->LineTo(x, r.bottom);
    }
}

void TXcCustomMenuItemPainter::DrawCheckMark(const TRect& r) {
    const int w = GetSystemMetrics(SM_CXMENUCHECK), h = GetSystemMetrics(SM_CYMENUCHECK);
    // The system's glyph, black on white in a monochrome bitmap.
    TBitmap mark;
    mark.SetMonochrome(true);
    mark.SetSize(w, h);
    RECT glyph{0, 0, w, h};
    DrawFrameControl(mark.Canvas()->Handle(), &glyph, DFC_MENU,
                     item_->RadioItem() ? DFCS_MENUBULLET : DFCS_MENUCHECK);
    int y = r.top;
    switch (Settings().TextVAlignment()) {
        case vaTop:
            break;
        case vaMiddle:
            y = r.top + (r.bottom - r.top - h) / 2;
            break;
        case vaBottom:
            y = r.bottom - h;
            break;
    }
    const int x = r.left + (r.right - r.left - w) / 2;
    // The black pixels take the font's colour; the white ones leave the item.
    HDC dc = canvas_->Handle();
    const OwnedBrush ink(CreateSolidBrush(ColorToRGB(canvas_->Font()->Color())));
    const SelectedObject brush(dc, ink.get());
    const COLORREF oldText = SetTextColor(dc, RGB(0, 0, 0));
    const COLORREF oldBack = SetBkColor(dc, RGB(255, 255, 255));
    constexpr DWORD kBrushWhereSourceBlack = 0x00B8074A;
    BitBlt(dc, x, y, w, h, mark.Canvas()->Handle(), 0, 0, kBrushWhereSourceBlack);
    SetTextColor(dc, oldText);
    SetBkColor(dc, oldBack);
}

// ---- Images and glyphs -------------------------------------------------------------------
void TXcCustomMenuItemPainter::DrawImage(int x, int y) {
    TXcMenuSettings& s = Settings();
    int hot = imageIndex_;
    if (Selected() && s.OnGetHotImageIndex) s.OnGetHotImageIndex(s.Menu(), item_, state_, hot);
    if (Selected() && HasImage(s.HotImages(), hot))
        s.HotImages()->Draw(canvas_, x, y, hot);
    else
        s.Images()->Draw(canvas_, x, y, imageIndex_);
}

void TXcCustomMenuItemPainter::DrawDisabledImage(int x, int y) {
    TXcMenuSettings& s = Settings();
    int disabled = imageIndex_;
    if (s.OnGetDisabledImageIndex) s.OnGetDisabledImageIndex(s.Menu(), item_, state_, disabled);
    if (HasImage(s.DisabledImages(), disabled)) {
        s.DisabledImages()->Draw(canvas_, x, y, disabled);
        return;
    }
    DrawImageListItemDisabled(s.Images(), canvas_, x, y, imageIndex_, UseDisabledShadow(), clBtnHighlight,
                              DisabledTextColor());
}

std::unique_ptr<TBitmap> TXcCustomMenuItemPainter::GlyphCell() {
    auto cell = std::make_unique<TBitmap>();
    auto* strip = dynamic_cast<TBitmap*>(glyph_);
    if (!strip || numGlyphs_ < 2 || numGlyphs_ > 5) {
        cell->Assign(glyph_);
        return cell;
    }
    int index = 0;
    if (Disabled())
        index = 1;
    else if (Checked())
        index = 3;
    else if (Selected())
        index = 2;
    if (index >= numGlyphs_) index = 0;
    CopyImageGridCell(strip, cell.get(), numGlyphs_, 1, index);
    return cell;
}

void TXcCustomMenuItemPainter::DrawGlyph(int x, int y) {
    std::unique_ptr<TBitmap> cell = GlyphCell();
    if (Checked() && !Settings().ShowCheckMarks())
        DrawBitmapTransparent(canvas_, x, y, cell.get(), cell->TransparentColor());
    else
        canvas_->Draw(x, y, cell.get());
}

void TXcCustomMenuItemPainter::DrawDisabledGlyph(int x, int y) {
    std::unique_ptr<TBitmap> cell = GlyphCell();
    if (cell->Empty()) return;
    // A silhouette: black where the glyph is, white where it is transparent.
    TBitmap silhouette;
    silhouette.SetMonochrome(true);
    silhouette.SetSize(cell->Width(), cell->Height());
    HDC source = cell->Canvas()->Handle();
    const COLORREF oldBack =
        SetBkColor(source, ColorToRGB(cell->Monochrome() ? clWhite : cell->TransparentColor()));
    BitBlt(silhouette.Canvas()->Handle(), 0, 0, cell->Width(), cell->Height(), source, 0, 0, SRCCOPY);
    SetBkColor(source, oldBack);
    // Embossed: the highlight one pixel down and right, then the shadow.
    const TColor shade = Selected() ? clGrayText : clBtnShadow;
    std::unique_ptr<TBitmap> embossed =
        MakeDisabledBitmap(&silhouette, clBlack, clMenu, UseDisabledShadow(), shade, clBtnHighlight);
    DrawBitmapTransparent(canvas_, x, y, embossed.get(), clMenu);
}
