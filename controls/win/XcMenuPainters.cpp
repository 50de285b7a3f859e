#include "controls/win/XcMenuPainters.h"

#include <algorithm>

#include "controls/win/XcXPMenuItemPainter.h"

using namespace cl;

namespace {

// Does any sibling of the item (the item among them) carry a check?
bool AnySiblingChecked(TMenuItem* item) {
    TMenuItem* parent = item ? item->Parent() : nullptr;
    for (int i = 0, n = parent ? parent->Count() : 0; i < n; ++i)
        if (parent->Items(i)->Visible() && parent->Items(i)->Checked()) return true;
    return false;
}

void Edge(TCanvas* canvas, TRect r, UINT edge) {
    DrawEdge(canvas->Handle(), &r, edge, BF_RECT);
}

}  // namespace

// ---- Standard ----------------------------------------------------------------------------
CL_CLASS_INFO(TXcStandardMenuItemPainter, Prop("LeftMargin", &TXcStandardMenuItemPainter::LeftMargin,
                                               &TXcStandardMenuItemPainter::SetLeftMargin))

int TXcStandardMenuItemPainter::TextMargin() {
    return TXcCustomMenuItemPainter::TextMargin() + 2;
}

int TXcStandardMenuItemPainter::ImageWidth() {
    const int width = TXcCustomMenuItemPainter::ImageWidth();
    return AnySiblingChecked(Item()) ? std::max(width, GetSystemMetrics(SM_CXMENUCHECK)) : width;
}

// ---- Owner draw --------------------------------------------------------------------------
CL_CLASS_INFO(TXcOwnerDrawMenuItemPainter)

void TXcOwnerDrawMenuItemPainter::Measure(TMenuItem* item, TCanvas* canvas, int& width, int& height) {
    TXcMenuSettings& s = Settings();
    if (s.OnMeasureItem) s.OnMeasureItem(s.Menu(), item, width, height);
}

void TXcOwnerDrawMenuItemPainter::Paint(TMenuItem* item, TCanvas* canvas, const TRect& rect,
                                        TOwnerDrawState state) {
    TXcMenuSettings& s = Settings();
    if (s.OnDrawItem) s.OnDrawItem(s.Menu(), item, rect, state);
}

// ---- Button frames -----------------------------------------------------------------------
CL_CLASS_INFO(TXcBtnMenuItemPainter,
              Prop("LeftMargin", &TXcBtnMenuItemPainter::LeftMargin, &TXcBtnMenuItemPainter::SetLeftMargin),
              Prop("Lowered", &TXcBtnMenuItemPainter::Lowered, &TXcBtnMenuItemPainter::SetLowered))

TXcBtnMenuItemPainter::TXcBtnMenuItemPainter(TComponent* owner, bool lowered)
    : TXcCustomMenuItemPainter(owner), lowered_(lowered) {}

TXcMenuMargins TXcBtnMenuItemPainter::ImageMargins() {
    TXcMenuMargins m = TXcCustomMenuItemPainter::ImageMargins();
    m.Top += 1;
    m.Bottom += 1;
    return m;
}

void TXcBtnMenuItemPainter::DrawSelectionFrame(const TRect& r) {
    Edge(Canvas(), r, lowered_ ? BDR_SUNKENOUTER : BDR_RAISEDINNER);
}

// ---- Office ------------------------------------------------------------------------------
CL_CLASS_INFO(TXcOfficeMenuItemPainter, Prop("LeftMargin", &TXcOfficeMenuItemPainter::LeftMargin,
                                             &TXcOfficeMenuItemPainter::SetLeftMargin))

TXcMenuMargins TXcOfficeMenuItemPainter::ImageMargins() {
    TXcMenuMargins m = TXcCustomMenuItemPainter::ImageMargins();
    m.Left += 1;
    m.Top += 2;
    m.Right += 3;
    m.Bottom += 2;
    return m;
}

int TXcOfficeMenuItemPainter::TextMargin() {
    return TXcCustomMenuItemPainter::TextMargin() + 3;
}

TRect TXcOfficeMenuItemPainter::CheckMarkRect(const TRect& column) {
    return Rect(column.left + 2, column.top, column.right, column.bottom - 1);
}

TRect TXcOfficeMenuItemPainter::TextRect(const TRect& column) {
    return Rect(column.left, column.top, column.right, column.bottom - 1);
}

void TXcOfficeMenuItemPainter::DrawItemBackground(const TRect& r) {
    if (!IsBarItem() || !(State() & (ODS_HOTLIGHT | ODS_SELECTED))) return;
    Canvas()->Brush()->SetColor(ImageBackgroundColor());
    Canvas()->FillRect(r);
    if (!Selected()) Edge(Canvas(), r, BDR_RAISEDINNER);
}

void TXcOfficeMenuItemPainter::DrawSelectionFrame(const TRect& r) {
    if (IsBarItem()) {
        Edge(Canvas(), r, BDR_SUNKENOUTER);
        return;
    }
    if (!HasImage(Settings().Images(), ImageIndex())) return;
    const TXcDropDownColumns c = DropDownColumns({r.left, r.top, r.right, r.bottom}, Metrics());
    Edge(Canvas(), Rect(c.ImageColumn.Left, c.ImageColumn.Top, c.ImageColumn.Right, c.ImageColumn.Bottom),
         BDR_RAISEDINNER);
}

void TXcOfficeMenuItemPainter::DrawCheckedImageBack(const TRect& r) {
    Canvas()->Brush()->SetColor(ImageBackgroundColor());
    Canvas()->FillRect(r);
    Edge(Canvas(), r, BDR_SUNKENOUTER);
}

void TXcOfficeMenuItemPainter::DrawItemText(TRect r, const std::string& text, UINT flags) {
    if (IsBarItem()) Canvas()->Font()->SetColor(clMenuText);
    TXcCustomMenuItemPainter::DrawItemText(r, text, flags);
}

// ---- Factory -----------------------------------------------------------------------------
std::unique_ptr<TXcCustomMenuItemPainter, void (*)(TXcCustomMenuItemPainter*)> CreateMenuItemPainter(
    TXcMenuStyle style, TXcMenuSettings* menu) {
    TXcCustomMenuItemPainter* painter = nullptr;
    switch (style) {
        case msOwnerDraw:
            painter = new TXcOwnerDrawMenuItemPainter(nullptr);
            break;
        case msBtnLowered:
        case msBtnRaised:
            painter = new TXcBtnMenuItemPainter(nullptr, style == msBtnLowered);
            break;
        case msOffice:
            painter = new TXcOfficeMenuItemPainter(nullptr);
            break;
        case msXP:
            painter = new TXcXPMenuItemPainter(nullptr);
            break;
        default:
            painter = new TXcStandardMenuItemPainter(nullptr);
            break;
    }
    painter->SetMenu(menu);
    return {painter, [](TXcCustomMenuItemPainter* p) { Free(p); }};
}
