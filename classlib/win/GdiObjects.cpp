// Colours and the font, pen and brush objects with their lazily made handles.
#include <algorithm>
#include <iterator>
#include <utility>

#include "classlib/win/GdiHandles.h"
#include "classlib/win/Graphics.h"
#include "classlib/win/WideText.h"

namespace cl {

TColor ColorToRGB(TColor color) {
    if (color < 0) return static_cast<TColor>(GetSysColor(color & 0xFF));
    return color;
}

int ScreenLogPixels() {
    static const int ppi = [] {
        const WindowDC screen(nullptr);
        const int value = screen ? GetDeviceCaps(screen.get(), LOGPIXELSY) : 96;
        return value > 0 ? value : 96;
    }();
    return ppi;
}

// ---- TGraphicsObject ------------------------------------------------------

CL_CLASS_INFO(TGraphicsObject)

TGraphicsObject::~TGraphicsObject() {
    if (handle_) DeleteObject(handle_);
}

HGDIOBJ TGraphicsObject::CachedHandle() {
    if (!handle_) {
        handle_ = MakeHandle();
        if (!handle_) throw EOutOfResources("Out of system resources");
    }
    return handle_;
}

void TGraphicsObject::Changed() {
    // The old handle may still be selected into a canvas's context; the
    // canvas lets go of it in OnChange, so it is deleted only afterwards.
    const OwnedGdiObject<HGDIOBJ> old(std::exchange(handle_, nullptr));
    if (OnChange) OnChange(this);
}

// ---- TFont ----------------------------------------------------------------

CL_CLASS_INFO(TFont, Prop("Charset", &TFont::Charset, &TFont::SetCharset),
              Prop("Color", &TFont::Color, &TFont::SetColor),
              Prop("Height", &TFont::Height, &TFont::SetHeight), Prop("Name", &TFont::Name, &TFont::SetName),
              EnumProp("Pitch", {"fpDefault", "fpVariable", "fpFixed"}, &TFont::Pitch, &TFont::SetPitch),
              Prop("Size", &TFont::Size, &TFont::SetSize),
              SetOfProp("Style", {"fsBold", "fsItalic", "fsUnderline", "fsStrikeOut"}, &TFont::Style,
                        &TFont::SetStyle))

TFont::TFont() : pixelsPerInch_(ScreenLogPixels()) {
    height_ = -MulDiv(8, pixelsPerInch_, 72);
}

void TFont::Assign(TPersistent* source) {
    auto* font = dynamic_cast<TFont*>(source);
    if (!font) return TGraphicsObject::Assign(source);
    name_ = font->name_;
    height_ =
        pixelsPerInch_ != font->pixelsPerInch_ ? -MulDiv(font->Size(), pixelsPerInch_, 72) : font->height_;
    style_ = font->style_;
    color_ = font->color_;
    charset_ = font->charset_;
    pitch_ = font->pitch_;
    Changed();
}

void TFont::SetHandle(HFONT font) {
    LOGFONTW lf{};
    if (!font || GetObjectW(font, sizeof lf, &lf) != sizeof lf) throw EInvalidGraphic("Invalid font handle");
    name_ = FromWide(std::wstring_view(lf.lfFaceName, wcsnlen(lf.lfFaceName, LF_FACESIZE)));
    height_ = lf.lfHeight;
    style_ = (lf.lfWeight >= FW_BOLD ? fsBold : 0) | (lf.lfItalic ? fsItalic : 0) |
             (lf.lfUnderline ? fsUnderline : 0) | (lf.lfStrikeOut ? fsStrikeOut : 0);
    charset_ = lf.lfCharSet;
    switch (lf.lfPitchAndFamily & 3) {
        case FIXED_PITCH:
            pitch_ = fpFixed;
            break;
        case VARIABLE_PITCH:
            pitch_ = fpVariable;
            break;
        default:
            pitch_ = fpDefault;
    }
    Changed();
}

void TFont::SetName(const std::string& name) {
    if (name.empty() || name == name_) return;
    name_ = name;
    Changed();
}

void TFont::SetHeight(int height) {
    if (height == height_) return;
    height_ = height;
    Changed();
}

int TFont::Size() const {
    return -MulDiv(height_, 72, pixelsPerInch_);
}

void TFont::SetSize(int size) {
    SetHeight(-MulDiv(size, pixelsPerInch_, 72));
}

void TFont::SetPixelsPerInch(int ppi) {
    if (ppi > 0) pixelsPerInch_ = ppi;
}

void TFont::SetStyle(TFontStyles style) {
    if (style == style_) return;
    style_ = style;
    Changed();
}

void TFont::SetColor(TColor color) {
    if (color == color_) return;
    color_ = color;
    Changed();
}

void TFont::SetCharset(TFontCharset charset) {
    if (charset == charset_) return;
    charset_ = charset;
    Changed();
}

void TFont::SetPitch(TFontPitch pitch) {
    if (pitch == pitch_) return;
    pitch_ = pitch;
    Changed();
}

LOGFONTW TFont::LogFont() const {
    LOGFONTW lf{};
    lf.lfHeight = height_;
    lf.lfWeight = (style_ & fsBold) ? FW_BOLD : FW_NORMAL;
    lf.lfItalic = (style_ & fsItalic) ? 1 : 0;
    lf.lfUnderline = (style_ & fsUnderline) ? 1 : 0;
    lf.lfStrikeOut = (style_ & fsStrikeOut) ? 1 : 0;
    lf.lfCharSet = charset_;
    lf.lfOutPrecision = OUT_DEFAULT_PRECIS;
    lf.lfClipPrecision = CLIP_DEFAULT_PRECIS;
    lf.lfQuality = DEFAULT_QUALITY;
    static constexpr BYTE kPitch[] = {DEFAULT_PITCH, VARIABLE_PITCH, FIXED_PITCH};
    lf.lfPitchAndFamily = kPitch[pitch_];
    const std::wstring face = ToWide(name_);
    std::copy_n(face.begin(), std::min<size_t>(face.size(), LF_FACESIZE - 1), lf.lfFaceName);
    return lf;
}

HGDIOBJ TFont::MakeHandle() {
    const LOGFONTW lf = LogFont();
    return CreateFontIndirectW(&lf);
}

TEXTMETRICW ScreenTextMetrics(TFont& font) {
    const WindowDC screen(nullptr);
    const SelectedObject selected(screen.get(), font.Handle());
    TEXTMETRICW metrics{};
    GetTextMetricsW(screen.get(), &metrics);
    return metrics;
}

SIZE ScreenTextExtent(TFont& font, const std::string& text) {
    const WindowDC screen(nullptr);
    const SelectedObject selected(screen.get(), font.Handle());
    const std::wstring wide = ToWide(text);
    SIZE size{};
    GetTextExtentPoint32W(screen.get(), wide.c_str(), static_cast<int>(wide.size()), &size);
    return size;
}

// ---- TPen -----------------------------------------------------------------

CL_CLASS_INFO(
    TPen, Prop("Color", &TPen::Color, &TPen::SetColor),
    EnumProp("Mode",
             {"pmBlack", "pmWhite", "pmNop", "pmNot", "pmCopy", "pmNotCopy", "pmMergePenNot", "pmMaskPenNot",
              "pmMergeNotPen", "pmMaskNotPen", "pmMerge", "pmNotMerge", "pmMask", "pmNotMask", "pmXor",
              "pmNotXor"},
             &TPen::Mode, &TPen::SetMode),
    EnumProp("Style", {"psSolid", "psDash", "psDot", "psDashDot", "psDashDotDot", "psClear", "psInsideFrame"},
             &TPen::Style, &TPen::SetStyle),
    Prop("Width", &TPen::Width, &TPen::SetWidth))

int PenModeToRop2(TPenMode mode) {
    static constexpr int kRop2[] = {
        R2_BLACK,       R2_WHITE,      R2_NOP,         R2_NOT,        R2_COPYPEN,  R2_NOTCOPYPEN,
        R2_MERGEPENNOT, R2_MASKPENNOT, R2_MERGENOTPEN, R2_MASKNOTPEN, R2_MERGEPEN, R2_NOTMERGEPEN,
        R2_MASKPEN,     R2_NOTMASKPEN, R2_XORPEN,      R2_NOTXORPEN,
    };
    static_assert(std::size(kRop2) == pmNotXor + 1);
    return kRop2[mode];
}

void TPen::Assign(TPersistent* source) {
    auto* pen = dynamic_cast<TPen*>(source);
    if (!pen) return TGraphicsObject::Assign(source);
    color_ = pen->color_;
    width_ = pen->width_;
    style_ = pen->style_;
    mode_ = pen->mode_;
    Changed();
}

void TPen::SetColor(TColor color) {
    if (color == color_) return;
    color_ = color;
    Changed();
}

void TPen::SetWidth(int width) {
    if (width < 0 || width == width_) return;
    width_ = width;
    Changed();
}

void TPen::SetStyle(TPenStyle style) {
    if (style == style_) return;
    style_ = style;
    Changed();
}

void TPen::SetMode(TPenMode mode) {
    if (mode == mode_) return;
    mode_ = mode;
    Changed();
}

HGDIOBJ TPen::MakeHandle() {
    static constexpr UINT kStyle[] = {PS_SOLID,      PS_DASH, PS_DOT,        PS_DASHDOT,
                                      PS_DASHDOTDOT, PS_NULL, PS_INSIDEFRAME};
    LOGPEN lp{kStyle[style_], POINT{width_, 0}, static_cast<COLORREF>(ColorToRGB(color_))};
    return CreatePenIndirect(&lp);
}

// ---- TBrush ---------------------------------------------------------------

CL_CLASS_INFO(TBrush, Prop("Color", &TBrush::Color, &TBrush::SetColor),
              EnumProp("Style",
                       {"bsSolid", "bsClear", "bsHorizontal", "bsVertical", "bsFDiagonal", "bsBDiagonal",
                        "bsCross", "bsDiagCross"},
                       &TBrush::Style, &TBrush::SetStyle))

TBrush::TBrush() = default;
TBrush::~TBrush() = default;

void TBrush::Assign(TPersistent* source) {
    auto* brush = dynamic_cast<TBrush*>(source);
    if (!brush) return TGraphicsObject::Assign(source);
    color_ = brush->color_;
    style_ = brush->style_;
    if (brush->bitmap_) {
        auto copy = std::make_unique<TBitmap>();
        copy->Assign(brush->bitmap_.get());
        bitmap_ = std::move(copy);
    } else {
        bitmap_.reset();
    }
    Changed();
}

void TBrush::SetColor(TColor color) {
    const TBrushStyle style = color == clNone ? bsClear : style_ == bsClear ? bsSolid : style_;
    if (color == color_ && style == style_) return;
    color_ = color;
    style_ = style;
    Changed();
}

void TBrush::SetStyle(TBrushStyle style) {
    if (style == style_) return;
    style_ = style;
    Changed();
}

void TBrush::SetBitmap(TBitmap* bitmap) {
    if (bitmap) {
        auto copy = std::make_unique<TBitmap>();
        copy->Assign(bitmap);
        bitmap_ = std::move(copy);
    } else {
        bitmap_.reset();
    }
    Changed();
}

HGDIOBJ TBrush::MakeHandle() {
    if (bitmap_ && !bitmap_->Empty()) return CreatePatternBrush(bitmap_->Handle());
    LOGBRUSH lb{BS_SOLID, static_cast<COLORREF>(ColorToRGB(color_)), 0};
    switch (style_) {
        case bsSolid:
            break;
        case bsClear:
            lb.lbStyle = BS_HOLLOW;
            break;
        default:
            static constexpr ULONG_PTR kHatch[] = {HS_HORIZONTAL, HS_VERTICAL, HS_FDIAGONAL,
                                                   HS_BDIAGONAL,  HS_CROSS,    HS_DIAGCROSS};
            lb.lbStyle = BS_HATCHED;
            lb.lbHatch = kHatch[style_ - bsHorizontal];
    }
    return CreateBrushIndirect(&lb);
}

}  // namespace cl
