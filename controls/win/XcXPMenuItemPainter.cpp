#include "controls/win/XcXPMenuItemPainter.h"

#include "classlib/win/GdiHandles.h"
#include "classlib/win/WideText.h"
#include "controls/win/XcXCLUtils.h"

using namespace cl;

namespace {

constexpr TColor kFrameOutline = 0x00666666;  // RGB(102, 102, 102)

bool IsMenuWindow(HWND wnd) {
    wchar_t name[16] = {};
    return wnd && GetClassNameW(wnd, name, 16) > 0 && std::wstring_view(name) == L"#32768";
}

// The menu bar's colour: the system's with flat menus, else the button face.
TColor MenuBarColor() {
    BOOL flat = FALSE;
    SystemParametersInfoW(SPI_GETFLATMENU, 0, &flat, 0);
    return flat ? clMenuBar : clBtnFace;
}

void Line(TCanvas* canvas, int x1, int y1, int x2, int y2) {
    canvas->MoveTo(x1, y1);
    canvas->LineTo(x2, y2);
}

}  // namespace

CL_CLASS_INFO(TXcXPMenuItemPainter,
              Prop("ImageBackgroundColor", &TXcXPMenuItemPainter::ImageBackgroundColor,
                   &TXcXPMenuItemPainter::SetImageBackgroundColor),
              Prop("SelectionFrameBrush", &TXcXPMenuItemPainter::SelectionFrameBrush),
              Prop("SelectionFramePen", &TXcXPMenuItemPainter::SelectionFramePen),
              Prop("ShadowColor", &TXcXPMenuItemPainter::ShadowColor, &TXcXPMenuItemPainter::SetShadowColor),
              Prop("SeparatorColor", &TXcXPMenuItemPainter::SeparatorColor,
                   &TXcXPMenuItemPainter::SetSeparatorColor),
              Prop("CheckedImageBackColor", &TXcXPMenuItemPainter::CheckedImageBackColor,
                   &TXcXPMenuItemPainter::SetCheckedImageBackColor),
              Prop("CheckedImageBackColorSelected", &TXcXPMenuItemPainter::CheckedImageBackColorSelected,
                   &TXcXPMenuItemPainter::SetCheckedImageBackColorSelected))

TXcXPMenuItemPainter::TXcXPMenuItemPainter(TComponent* owner)
    : TXcCustomMenuItemPainter(owner),
      selectionBrush_(std::make_unique<TBrush>()),
      selectionPen_(std::make_unique<TPen>()),
      shadowColor_(0x009D8D88),
      separatorColor_(0x00A6A6A6),
      checkedBack_(0x00D8D5D4),
      checkedBackSelected_(0x00B59285) {
    SetImageBackgroundColor(0x00D1D8D8);
    selectionBrush_->SetColor(0x00D2BDB6);
    selectionPen_->SetColor(0x006A240A);
}

TXcXPMenuItemPainter::~TXcXPMenuItemPainter() = default;

TXcMenuMargins TXcXPMenuItemPainter::ImageMargins() {
    TXcMenuMargins m = TXcCustomMenuItemPainter::ImageMargins();
    m.Left += 3;
    m.Top += 4;
    m.Right += 4;
    m.Bottom += 4;
    return m;
}

int TXcXPMenuItemPainter::TextMargin() {
    return TXcCustomMenuItemPainter::TextMargin() + 2;
}

TRect TXcXPMenuItemPainter::CheckMarkRect(const TRect& column) {
    return Rect(column.left - 2, column.top, column.right - 2, column.bottom - 1);
}

TRect TXcXPMenuItemPainter::TextRect(const TRect& column) {
    return Rect(column.left, column.top, column.right, column.bottom - 1);
}

TPoint TXcXPMenuItemPainter::ImagePosition(const TRect& image) {
    // Towards the item's outer edge: the left one, or the right one right to left.
    return Point(RightToLeft() ? image.left + 3 : image.left - 3, image.top);
}

void TXcXPMenuItemPainter::Measure(TMenuItem* item, TCanvas* canvas, int& width, int& height) {
    TXcCustomMenuItemPainter::Measure(item, canvas, width, height);
    height = item->IsLine() ? 3 : height + 2;
}

void TXcXPMenuItemPainter::Paint(TMenuItem* item, TCanvas* canvas, const TRect& rect, TOwnerDrawState state) {
    const bool barItem = Settings().MenuBar() && item->Parent() == Settings().Menu()->Items();
    if (!barItem && !(ComponentState() & csDesigning))
        DrawMenuWindowFrame(canvas->Handle(), rect, (state & ODS_SELECTED) != 0);
    TXcCustomMenuItemPainter::Paint(item, canvas, rect, state);
}

void TXcXPMenuItemPainter::DrawMenuWindowFrame(HDC itemDC, const TRect& rect, bool selected) {
    // Through the menu window's own context: the desktop's would leave
    // nothing on the screen.  The window's border lies outside the item
    // context's client area on Windows; under Wine the client area is the
    // whole window and the item rectangles start past the border.
    HWND wnd = WindowFromDC(itemDC);
    if (!IsMenuWindow(wnd)) return;
    RECT window{};
    GetWindowRect(wnd, &window);
    POINT client{0, 0};
    ClientToScreen(wnd, &client);
    const int ox = client.x - window.left, oy = client.y - window.top;
    const TXcBox item{rect.left + ox, rect.top + oy, rect.right + ox, rect.bottom + oy};
    const int width = window.right - window.left;
    // Right to left the column ends as far from the window's right edge.
    const bool rtl = RightToLeft();
    const int imageColumnEnd = (rtl ? Mirrored(item, 0, width).Left : item.Left) + ImageColumnEnd(Metrics());
    const WindowDC dc(wnd, GetWindowDC(wnd));
    if (!dc) return;
    TCanvas frame(dc.get());
    for (const TXcFrameStroke& s : XPDropDownFrame(width, window.bottom - window.top, item, imageColumnEnd,
                                                   rect.left == 0, selected, rtl)) {
        TColor ink = clWhite;
        switch (s.Ink) {
            case fiOutline:
                ink = kFrameOutline;
                break;
            case fiWhite:
                break;
            case fiImageBack:
                ink = ImageBackgroundColor();
                break;
            case fiSelectionPen:
                ink = selectionPen_->Color();
                break;
            case fiSelectionBrush:
                ink = selectionBrush_->Color();
                break;
        }
        frame.Brush()->SetColor(ink);
        const TRect r = Rect(s.Box.Left, s.Box.Top, s.Box.Right, s.Box.Bottom);
        if (s.Outline)
            frame.FrameRect(r);
        else
            frame.FillRect(r);
    }
}

void TXcXPMenuItemPainter::Prepare(TMenuItem* item, const TRect& rect, bool noFill, TOwnerDrawState state) {
    // The backgrounds below paint everything; the rectangle is never filled here.
    Canvas()->Brush()->SetColor(clNone);
    TXcCustomMenuItemPainter::Prepare(item, rect, noFill, state);
}

void TXcXPMenuItemPainter::DrawItemBackground(const TRect& r) {
    TCanvas* c = Canvas();
    if (!IsBarItem()) {
        c->Brush()->SetColor(clWhite);
        c->FillRect(r);
        return;
    }
    if (State() & ODS_HOTLIGHT) {
        c->Brush()->Assign(selectionBrush_.get());
        c->Pen()->Assign(selectionPen_.get());
        c->Rectangle(r);
        return;
    }
    c->Brush()->SetColor(MenuBarColor());
    c->FillRect(r);
}

void TXcXPMenuItemPainter::DrawImageBackground(const TRect& r) {
    TCanvas* c = Canvas();
    c->Brush()->SetColor(ImageBackgroundColor());
    c->FillRect(Rect(r.left, r.top, r.right, r.bottom + 1));
}

void TXcXPMenuItemPainter::DrawSelectionFrame(const TRect& r) {
    TCanvas* c = Canvas();
    // The selected item keeps the menu's text colour on the light selection.
    c->Font()->SetColor(clMenuText);
    if (IsBarItem()) {
        c->Brush()->SetColor(clSilver);
        c->Pen()->SetStyle(psSolid);
        c->Pen()->SetColor(clGray);
        c->Rectangle(r);
        return;
    }
    // From the window's left edge to past the item's right one; the clip
    // keeps it to the item, the frame in the border does the sides.
    const int right = r.right + 4;
    c->Brush()->Assign(selectionBrush_.get());
    c->FillRect(Rect(0, r.top, right - 1, r.bottom - 2));
    c->Pen()->Assign(selectionPen_.get());
    Line(c, 0, r.top, right, r.top);
    Line(c, 0, r.bottom - 2, right, r.bottom - 2);
}

void TXcXPMenuItemPainter::DrawCheckedImageBack(const TRect& r) {
    TCanvas* c = Canvas();
    c->Pen()->Assign(selectionPen_.get());
    c->Brush()->SetColor(Selected() ? checkedBackSelected_ : checkedBack_);
    c->Rectangle(r.left, r.top + 1, r.right - 3, r.bottom - 2);
}

void TXcXPMenuItemPainter::DrawImage(int x, int y) {
    if (!Selected()) {
        TXcCustomMenuItemPainter::DrawImage(x, y);
        return;
    }
    // The shadow: every pixel unlike the image's bottom-left one, one pixel
    // down and right; the image itself one pixel up and left.
    TBitmap shadow;
    Settings().Images()->GetBitmap(ImageIndex(), &shadow);
    HDC dc = shadow.Canvas()->Handle();
    const COLORREF back = GetPixel(dc, 0, shadow.Height() - 1);
    const COLORREF ink = static_cast<COLORREF>(ColorToRGB(shadowColor_));
    for (int row = 0; row < shadow.Height(); ++row)
        for (int col = 0; col < shadow.Width(); ++col)
            if (GetPixel(dc, col, row) != back) SetPixel(dc, col, row, ink);
    DrawBitmapTransparent(Canvas(), x + 1, y + 1, &shadow, static_cast<TColor>(back));
    TXcCustomMenuItemPainter::DrawImage(x - 1, y - 1);
}

void TXcXPMenuItemPainter::DrawSeparator(const TRect& r) {
    TCanvas* c = Canvas();
    c->Pen()->SetStyle(psSolid);
    c->Pen()->SetWidth(1);
    c->Pen()->SetColor(separatorColor_);
    const int indent = ImageColumnEnd(Metrics()) + TextMargin();
    if (RightToLeft())
        Line(c, r.left, r.top + 1, r.right - indent, r.top + 1);
    else
        Line(c, r.left + indent, r.top + 1, r.right, r.top + 1);
}
