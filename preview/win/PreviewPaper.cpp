// TPrintPreview: units, paper type, size and orientation.
#include <algorithm>
#include <utility>

#include "preview/win/PvPreview.h"

using namespace cl;

int TPrintPreview::ConvertValue(int value, TUnits from, TUnits to) const {
    const int ppi = Screen->PixelsPerInch();
    return ConvertUnit(value, ppi, from, to, ppi);
}

TPoint TPrintPreview::ConvertXY(int x, int y, TUnits from, TUnits to) const {
    return Point(ConvertValue(x, from, to), ConvertValue(y, from, to));
}

void TPrintPreview::ConvertPoints(std::span<TPoint> points, TUnits from, TUnits to) const {
    for (TPoint& p : points) p = ConvertXY(p.x, p.y, from, to);
}

void TPrintPreview::UpdatePaperPixels() {
    // At least a pixel: the sheet's fitted zoom divides by it.
    paperPixelWidth_ = std::max(1, ConvertValue(paperWidth_, units_, mmPixel));
    paperPixelHeight_ = std::max(1, ConvertValue(paperHeight_, units_, mmPixel));
}

void TPrintPreview::SetUnits(TUnits value) {
    if (value == units_) return;
    int w, h;
    if (paperType_ != pCustom) {
        const TPaperSize& row = PaperSize(paperType_);
        w = ConvertValue(row.Width, row.Unit, value);
        h = ConvertValue(row.Height, row.Unit, value);
        if (orientation_ == poLandscape) std::swap(w, h);
    } else {
        w = ConvertValue(paperWidth_, units_, value);
        h = ConvertValue(paperHeight_, units_, value);
    }
    paperWidth_ = std::clamp(w, 1, kMaxPaperSize);
    paperHeight_ = std::clamp(h, 1, kMaxPaperSize);
    const TUnits old = units_;
    units_ = value;
    if (canvas_) {
        canvas_->Pen()->SetWidth(ConvertValue(canvas_->Pen()->Width(), old, value));
        PrepareCanvas(*canvas_);
    }
    UpdatePaperPixels();
}

void TPrintPreview::SetPaperType(TPaperType value) {
    if (value == paperType_ || state_ != psIdle || value < 0 || value >= kPaperTypeCount) return;
    paperType_ = value;
    printerFormName_.clear();
    if (value != pCustom) {
        const TPaperSize& row = PaperSize(value);
        int w = ConvertValue(row.Width, row.Unit, units_);
        int h = ConvertValue(row.Height, row.Unit, units_);
        if (orientation_ == poLandscape) std::swap(w, h);
        paperWidth_ = std::clamp(w, 1, kMaxPaperSize);
        paperHeight_ = std::clamp(h, 1, kMaxPaperSize);
    }
    UpdatePaperPixels();
    UpdateZoom();
}

void TPrintPreview::SetPaperTypeByID(int code) {
    SetPaperType(PaperTypeByCode(code));
}

void TPrintPreview::SetOrientation(TPrinterOrientation value) {
    if (value == orientation_ || state_ != psIdle) return;
    orientation_ = value;
    std::swap(paperWidth_, paperHeight_);
    UpdatePaperPixels();
    UpdateZoom();
}

void TPrintPreview::SetPaperSize(int width, int height) {
    width = std::clamp(width, 1, kMaxPaperSize);
    height = std::clamp(height, 1, kMaxPaperSize);
    if ((width == paperWidth_ && height == paperHeight_) || state_ != psIdle) return;
    paperWidth_ = width;
    paperHeight_ = height;
    if (orientation_ == poLandscape) std::swap(width, height);
    paperType_ = FindPaperTypeBySize(width, height, units_, Screen->PixelsPerInch());
    printerFormName_.clear();
    UpdatePaperPixels();
    UpdateZoom();
}
