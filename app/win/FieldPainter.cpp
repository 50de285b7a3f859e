#include "app/win/FieldPainter.h"

#include <vector>

#include "classlib/Scope.h"

using namespace cl;

namespace {

// Editor kinds that cover the template's lines under their value.
bool HasWhiteBox(uint8_t editType) {
    return editType == 6 || editType == 8 || editType == 9 || editType == 10;
}

constexpr uint8_t kCellEdit = 8;  // one character per printed cell

UINT HorizontalFlag(uint8_t alignment) {
    switch (alignment) {
        case taRightJustify:
            return DT_RIGHT;
        case taCenter:
            return DT_CENTER;
        default:
            return DT_LEFT;
    }
}

// DT_VCENTER acts on single lines only: a centred field's text starts at
// the top, and the generated rectangles are made for that.
UINT VerticalFlag(uint8_t layout) {
    switch (layout) {
        case tlCenter:
            return DT_VCENTER;
        case tlBottom:
            return DT_BOTTOM | DT_SINGLELINE;
        default:
            return DT_TOP;
    }
}

// Whole within rect: as wide at most, and no taller unless it is one line
// (a line's descent may reach below a rectangle made for the baseline).
bool Fits(TCanvas& canvas, const std::string& text, const TRect& rect, UINT flags) {
    // Measured from the top: where the text sits does not change its size.
    TRect need = Rect(rect.left, rect.top, rect.right, rect.top);
    canvas.DrawText(text, need, (flags & ~static_cast<UINT>(DT_VCENTER | DT_BOTTOM)) | DT_CALCRECT);
    const int height = need.bottom - need.top;
    return need.right - need.left <= rect.right - rect.left &&
           (height <= rect.bottom - rect.top || height <= canvas.TextHeight(text));
}

// The largest font height, at most the current one, in which the text fits
// whole; the smallest height when none does.
void ShrinkToFit(TCanvas& canvas, const std::string& text, const TRect& rect, UINT flags) {
    TFont& font = *canvas.Font();
    const int full = font.Height() < 0 ? -font.Height() : font.Height();
    if (full <= 1 || Fits(canvas, text, rect, flags)) return;
    int fits = 1, tooLarge = full;
    while (tooLarge - fits > 1) {
        const int mid = (fits + tooLarge) / 2;
        font.SetHeight(-mid);
        if (Fits(canvas, text, rect, flags))
            fits = mid;
        else
            tooLarge = mid;
    }
    font.SetHeight(-fits);
}

// One character per cell along the mask: "0", "9" and "a" take the next
// character into the next cell; "\" takes the next character (the mask's
// literal) into a box as wide as it.  The mask ends at its first ";".
void PaintCells(TCanvas& canvas, const std::string& mask, const std::string& text, const TRect& rect,
                int cellWidth, UINT vertical) {
    int x = rect.left;
    size_t next = 0;
    for (size_t m = 0; m < mask.size() && mask[m] != ';' && next < text.size(); ++m) {
        const char c = mask[m];
        int width = 0;
        if (c == '0' || c == '9' || c == 'a') {
            width = cellWidth;
        } else if (c == '\\') {
            ++m;  // the literal itself takes no character of its own
            width = canvas.TextWidth(text.substr(next, 1));
        } else {
            continue;
        }
        TRect cell = Rect(x, rect.top, x + width, rect.bottom);
        canvas.DrawText(text.substr(next++, 1), cell, DT_CENTER | vertical | DT_NOPREFIX);
        x += width;
    }
}

// A text on one line is placed here as DrawText would place it, and each
// glyph goes where the device measured it.  Wine's PostScript driver would
// otherwise space the glyphs by the font's own widths, wider than the
// device's, so a right-aligned amount ran past its box and the clip cut its
// last digit.  False for a text DrawText must break into lines.
bool DrawOnOneLine(TCanvas& canvas, const std::string& text, const TRect& rect, UINT flags) {
    if (text.find_first_of("\r\n\t") != std::string::npos) return false;
    const std::vector<int> advances = canvas.TextAdvances(text);
    int width = 0;
    for (int a : advances) width += a;
    if (advances.size() != text.size() || (!(flags & DT_SINGLELINE) && width > rect.right - rect.left))
        return false;
    const int height = canvas.TextHeight(text);
    const int x = flags & DT_RIGHT    ? rect.right - width
                  : flags & DT_CENTER ? rect.left + (rect.right - rect.left - width) / 2
                                      : rect.left;
    int y = rect.top;  // DrawText centres and bottom-aligns single lines only
    if (flags & DT_SINGLELINE)
        y = flags & DT_BOTTOM    ? rect.bottom - height
            : flags & DT_VCENTER ? rect.top + (rect.bottom - rect.top - height) / 2
                                 : rect.top;
    canvas.TextOutPlaced(rect, x, y, text, advances);
    return true;
}

}  // namespace

void PaintField(TCanvas& canvas, const TEField& field, const std::string& text, const TRect& rect,
                int fontSize, int cellWidth) {
    if (text.empty()) return;
    TFont& font = *canvas.Font();
    const std::string name = font.Name();
    const int height = font.Height();
    const TFontStyles style = font.Style();
    const TColor color = font.Color();
    const ScopeExit restore([&] {
        font.SetName(name);
        font.SetHeight(height);
        font.SetStyle(style);
        font.SetColor(color);
    });

    canvas.Pen()->SetWidth(0);
    canvas.Pen()->SetColor(clWhite);
    canvas.Brush()->SetStyle(bsSolid);
    canvas.Brush()->SetColor(clWhite);
    font.SetName("Arial");
    font.SetSize(fontSize);
    font.SetColor(static_cast<TColor>(field.FontColor));
    font.SetStyle(fsBold);

    const UINT vertical = VerticalFlag(field.Layout);
    if (HasWhiteBox(field.EditType)) canvas.Rectangle(rect);
    if (field.EditType == kCellEdit) {
        PaintCells(canvas, std::string(field.EditMask), text, rect, cellWidth, vertical);
        return;
    }
    // Without DT_NOPREFIX an "&" in a company's name would vanish into an underline.
    const UINT flags = HorizontalFlag(field.Alignment) | vertical | DT_WORDBREAK | DT_NOPREFIX;
    ShrinkToFit(canvas, text, rect, flags);
    if (DrawOnOneLine(canvas, text, rect, flags)) return;
    TRect box = rect;
    canvas.DrawText(text, box, flags);
}
