#include "app/win/FieldPainter.h"

#include <cmath>
#include <functional>
#include <unordered_map>
#include <vector>

#include "classlib/Scope.h"
#include "engine/calc1.h"

using namespace cl;

namespace {

// Editor kinds that cover the template's lines under their value.
bool HasWhiteBox(uint8_t editType) {
    return editType == 6 || editType == 8 || editType == 9 || editType == 10;
}

constexpr uint8_t kCellEdit = 8;  // one character per printed cell

// No value the program keeps is longer than kLongestText: the editors and
// the statement file stop there.  A longer one can only come from damage,
// and is painted as far as that, so that fitting it cannot hold the window up.
constexpr size_t kLongestPainted = kLongestText;

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

// The largest font height, at most full, in which the text fits whole; the
// smallest height when none does.  The font is left at some height.
int SearchFit(TCanvas& canvas, const std::string& text, const TRect& rect, UINT flags, int full) {
    TFont& font = *canvas.Font();
    if (full <= 1 || Fits(canvas, text, rect, flags)) return full;
    int fits = 1, tooLarge = full;
    while (tooLarge - fits > 1) {
        const int mid = (fits + tooLarge) / 2;
        font.SetHeight(-mid);
        if (Fits(canvas, text, rect, flags))
            fits = mid;
        else
            tooLarge = mid;
    }
    return fits;
}

// Fits found on the screen, by text, box size, full height and flags: a
// value changes far less often than the sheet is painted, and fitting a
// long text measures all of it several times over.
struct FitKey {
    std::string text;
    int width, height, full;
    UINT flags;
    bool operator==(const FitKey&) const = default;
};

struct FitKeyHash {
    size_t operator()(const FitKey& k) const {
        size_t h = std::hash<std::string>()(k.text);
        for (const size_t part : {static_cast<size_t>(k.width), static_cast<size_t>(k.height),
                                  static_cast<size_t>(k.full), static_cast<size_t>(k.flags)})
            h = h * 31 + part;
        return h;
    }
};

class FitMemory {
public:
    const int* Find(const FitKey& key) const {
        const auto it = fits_.find(key);
        return it == fits_.end() ? nullptr : &it->second;
    }
    void Keep(FitKey key, int height) {
        // Bounded: past the limits it starts afresh.
        if (fits_.size() >= kMaxFits || textBytes_ + key.text.size() > kMaxTextBytes) {
            fits_.clear();
            textBytes_ = 0;
        }
        textBytes_ += key.text.size();
        fits_.emplace(std::move(key), height);
    }

private:
    static constexpr size_t kMaxFits = 4096;
    static constexpr size_t kMaxTextBytes = 8u << 20;
    std::unordered_map<FitKey, int, FitKeyHash> fits_;
    size_t textBytes_ = 0;
};

// The screen measures alike every time; a printer or a recorded page may
// not, and is fitted each time.
bool MeasuresAsTheScreen(HDC dc) {
    return GetDeviceCaps(dc, TECHNOLOGY) == DT_RASDISPLAY && GetMapMode(dc) == MM_TEXT;
}

// The font at the largest height, at most the current one, in which the
// text fits whole; the smallest height when none does.
void ShrinkToFit(TCanvas& canvas, const std::string& text, const TRect& rect, UINT flags) {
    static FitMemory memory;
    TFont& font = *canvas.Font();
    const int full = font.Height() < 0 ? -font.Height() : font.Height();
    const bool remembered = MeasuresAsTheScreen(canvas.Handle());
    FitKey key{remembered ? text : std::string(), rect.right - rect.left, rect.bottom - rect.top, full,
               flags};
    const int* known = remembered ? memory.Find(key) : nullptr;
    const int fits = known ? *known : SearchFit(canvas, text, rect, flags, full);
    if (remembered && !known) memory.Keep(std::move(key), fits);
    if (fits != full) font.SetHeight(-fits);
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
                int fontSize, int cellWidth, double fontScale) {
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
    // A printed page scaled from A4 takes its values' sizes with it, to a
    // fraction of a point.
    if (fontScale != 1.0)
        font.SetHeight(-static_cast<int>(std::lround(fontSize * fontScale * font.PixelsPerInch() / 72.0)));
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
    const std::string cut = text.size() > kLongestPainted ? text.substr(0, kLongestPainted) : std::string();
    const std::string& shown = cut.empty() ? text : cut;
    ShrinkToFit(canvas, shown, rect, flags);
    if (DrawOnOneLine(canvas, shown, rect, flags)) return;
    TRect box = rect;
    canvas.DrawText(shown, box, flags);
}
