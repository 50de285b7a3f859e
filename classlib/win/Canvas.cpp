// The canvas: a device context with the canvas's font, pen and brush
// selected lazily before each drawing call.
#include <utility>

#include "classlib/win/GdiHandles.h"
#include "classlib/win/Graphics.h"
#include "classlib/win/WideText.h"

namespace cl {

namespace {

// What a drawing call needs selected besides the context itself.
constexpr TCanvasState kPenBrush = csHandleValid | csPenValid | csBrushValid;
constexpr TCanvasState kFontBrush = csHandleValid | csFontValid | csBrushValid;
constexpr TCanvasState kAll = csHandleValid | csFontValid | csPenValid | csBrushValid;

int Len(const std::wstring& w) {
    return static_cast<int>(w.size());
}

}  // namespace

CL_CLASS_INFO(TCanvas)

TCanvas::TCanvas()
    : font_(std::make_unique<TFont>()), pen_(std::make_unique<TPen>()), brush_(std::make_unique<TBrush>()) {
    // A changed object's old handle is deleted after OnChange, so it is
    // deselected here first.
    auto deselect = [this](TCanvasStateFlag flag, HGDIOBJ& old) {
        if (!(state_ & flag)) return;
        SelectObject(dc_, old);
        old = nullptr;
        state_ &= ~flag;
    };
    font_->OnChange = [this, deselect](TObject*) { deselect(csFontValid, oldFont_); };
    pen_->OnChange = [this, deselect](TObject*) { deselect(csPenValid, oldPen_); };
    brush_->OnChange = [this, deselect](TObject*) { deselect(csBrushValid, oldBrush_); };
}

TCanvas::TCanvas(HDC dc) : TCanvas() {
    SetHandle(dc);
}

TCanvas::~TCanvas() {
    DeselectHandles();
}

void TCanvas::Lock() {
    lock_.lock();
    ++lockCount_;
}

bool TCanvas::TryLock() {
    if (!lock_.try_lock()) return false;
    ++lockCount_;
    return true;
}

void TCanvas::Unlock() {
    --lockCount_;
    lock_.unlock();
}

HDC TCanvas::Handle() {
    RequiredState(csHandleValid);
    return dc_;
}

void TCanvas::SetHandle(HDC dc) {
    if (dc == dc_) return;
    DeselectHandles();
    dc_ = dc;
    state_ = dc ? csHandleValid : 0;
}

void TCanvas::DeselectHandles() noexcept {
    if (!dc_) return;
    // Restore what the context had, so a foreign context is left as found.
    for (HGDIOBJ* old : {&oldFont_, &oldPen_, &oldBrush_}) {
        if (*old) SelectObject(dc_, std::exchange(*old, nullptr));
    }
    state_ &= csHandleValid;
}

void TCanvas::RequiredState(TCanvasState required) {
    const TCanvasState needed = required & ~state_;
    if (!needed) return;
    if (needed & csHandleValid) {
        CreateHandle();
        if (!dc_) throw EInvalidOperation("Canvas does not allow drawing");
    }
    if (needed & csFontValid) SelectFont();
    if (needed & csPenValid) SelectPen();
    if (needed & csBrushValid) SelectBrush();
}

void TCanvas::SelectFont() {
    HGDIOBJ prev = SelectObject(dc_, font_->Handle());
    if (!oldFont_) oldFont_ = prev;
    SetTextColor(dc_, ColorToRGB(font_->Color()));
    state_ |= csFontValid;
}

void TCanvas::SelectPen() {
    HGDIOBJ prev = SelectObject(dc_, pen_->Handle());
    if (!oldPen_) oldPen_ = prev;
    SetROP2(dc_, PenModeToRop2(pen_->Mode()));
    state_ |= csPenValid;
}

void TCanvas::SelectBrush() {
    HBRUSH brush = brush_->Handle();
    UnrealizeObject(brush);
    HGDIOBJ prev = SelectObject(dc_, brush);
    if (!oldBrush_) oldBrush_ = prev;
    // Text backgrounds and hatch gaps follow the brush: opaque only when solid.
    const COLORREF color = ColorToRGB(brush_->Color());
    if (brush_->Style() == bsSolid) {
        SetBkColor(dc_, color);
        SetBkMode(dc_, OPAQUE);
    } else {
        SetBkColor(dc_, ~color & 0xFFFFFF);
        SetBkMode(dc_, TRANSPARENT);
    }
    state_ |= csBrushValid;
}

TPoint TCanvas::PenPos() {
    RequiredState(csHandleValid);
    TPoint p{};
    GetCurrentPositionEx(dc_, &p);
    return p;
}

void TCanvas::MoveTo(int x, int y) {
    RequiredState(csHandleValid);
    MoveToEx(dc_, x, y, nullptr);
}

void TCanvas::LineTo(int x, int y) {
    RequiredState(kPenBrush);
    ::LineTo(dc_, x, y);
}

void TCanvas::Rectangle(int x1, int y1, int x2, int y2) {
    RequiredState(kPenBrush);
    ::Rectangle(dc_, x1, y1, x2, y2);
}

void TCanvas::Ellipse(int x1, int y1, int x2, int y2) {
    RequiredState(kPenBrush);
    ::Ellipse(dc_, x1, y1, x2, y2);
}

void TCanvas::RoundRect(int x1, int y1, int x2, int y2, int x3, int y3) {
    RequiredState(kPenBrush);
    ::RoundRect(dc_, x1, y1, x2, y2, x3, y3);
}

void TCanvas::Polygon(std::span<const TPoint> points) {
    RequiredState(kPenBrush);
    ::Polygon(dc_, points.data(), static_cast<int>(points.size()));
}

void TCanvas::Polyline(std::span<const TPoint> points) {
    RequiredState(kPenBrush);
    ::Polyline(dc_, points.data(), static_cast<int>(points.size()));
}

void TCanvas::FillRect(const TRect& r) {
    RequiredState(csHandleValid | csBrushValid);
    ::FillRect(dc_, &r, brush_->Handle());
}

void TCanvas::FrameRect(const TRect& r) {
    RequiredState(csHandleValid | csBrushValid);
    ::FrameRect(dc_, &r, brush_->Handle());
}

void TCanvas::TextOut(int x, int y, const std::string& text) {
    RequiredState(kFontBrush);
    const std::wstring w = ToWide(text);
    ExtTextOutW(dc_, x, y, 0, nullptr, w.c_str(), Len(w), nullptr);
    SIZE size{};
    GetTextExtentPoint32W(dc_, w.c_str(), Len(w), &size);
    MoveToEx(dc_, x + size.cx, y, nullptr);
}

void TCanvas::TextRect(const TRect& r, int x, int y, const std::string& text) {
    RequiredState(kFontBrush);
    const std::wstring w = ToWide(text);
    const UINT options = ETO_CLIPPED | (brush_->Style() != bsClear ? ETO_OPAQUE : 0);
    ExtTextOutW(dc_, x, y, options, &r, w.c_str(), Len(w), nullptr);
}

void TCanvas::TextRect(const TRect& r, const std::string& text, UINT format) {
    RequiredState(kFontBrush);
    if (brush_->Style() != bsClear) ::FillRect(dc_, &r, brush_->Handle());
    std::wstring w = ToWide(text);
    TRect box = r;
    const UINT clipOnly = ~static_cast<UINT>(DT_NOCLIP | DT_CALCRECT | DT_MODIFYSTRING);
    ::DrawTextW(dc_, w.data(), Len(w), &box, format & clipOnly);
}

int TCanvas::DrawText(const std::string& text, TRect& r, UINT format) {
    RequiredState(kFontBrush);
    std::wstring w = ToWide(text);
    // The string is not writable beyond its end, so it may not be modified.
    return ::DrawTextW(dc_, w.data(), Len(w), &r, format & ~static_cast<UINT>(DT_MODIFYSTRING));
}

SIZE TCanvas::TextExtent(const std::string& text) {
    RequiredState(csHandleValid | csFontValid);
    const std::wstring w = ToWide(text);
    SIZE size{};
    GetTextExtentPoint32W(dc_, w.c_str(), Len(w), &size);
    return size;
}

std::vector<int> TCanvas::TextAdvances(const std::string& text) {
    RequiredState(csHandleValid | csFontValid);
    const std::wstring w = ToWide(text);
    std::vector<int> ends(w.size());
    SIZE size{};
    if (w.empty() || !GetTextExtentExPointW(dc_, w.c_str(), Len(w), 0, nullptr, ends.data(), &size))
        return {};
    for (size_t i = ends.size(); i-- > 1;) ends[i] -= ends[i - 1];
    return ends;
}

void TCanvas::TextOutPlaced(const TRect& r, int x, int y, const std::string& text,
                            std::span<const int> advances) {
    RequiredState(kFontBrush);
    const std::wstring w = ToWide(text);
    if (advances.size() != w.size()) throw EInvalidOperation("Text and advances differ in length");
    const UINT align = SetTextAlign(dc_, TA_LEFT | TA_TOP | TA_NOUPDATECP);
    ExtTextOutW(dc_, x, y, ETO_CLIPPED, &r, w.c_str(), Len(w), advances.data());
    SetTextAlign(dc_, align);
}

void TCanvas::Draw(int x, int y, TGraphic* graphic) {
    if (!graphic || graphic->Empty()) return;
    RequiredState(kAll);
    graphic->Draw(*this, Rect(x, y, x + graphic->Width(), y + graphic->Height()));
}

void TCanvas::StretchDraw(const TRect& r, TGraphic* graphic) {
    if (!graphic || graphic->Empty()) return;
    RequiredState(kAll);
    graphic->Draw(*this, r);
}

void TCanvas::CopyRect(const TRect& dest, TCanvas* source, const TRect& src) {
    RequiredState(kFontBrush);
    source->RequiredState(kFontBrush);
    StretchBlt(dc_, dest.left, dest.top, dest.right - dest.left, dest.bottom - dest.top, source->dc_,
               src.left, src.top, src.right - src.left, src.bottom - src.top, copyMode_);
}

TColor TCanvas::Pixels(int x, int y) {
    RequiredState(csHandleValid);
    return static_cast<TColor>(GetPixel(dc_, x, y));
}

void TCanvas::SetPixels(int x, int y, TColor color) {
    RequiredState(csHandleValid | csPenValid);
    SetPixel(dc_, x, y, ColorToRGB(color));
}

TRect TCanvas::ClipRect() {
    RequiredState(csHandleValid);
    TRect r{};
    GetClipBox(dc_, &r);
    return r;
}

void TCanvas::SetClipRect(const TRect& r) {
    RequiredState(csHandleValid);
    SelectClipRgn(dc_, nullptr);
    IntersectClipRect(dc_, r.left, r.top, r.right, r.bottom);
}

void TCanvas::ResetClip() {
    RequiredState(csHandleValid);
    SelectClipRgn(dc_, nullptr);
}

void DrawEmbossedMask(HDC target, int x, int y, int width, int height, HDC mask) {
    // PSDPxax: the brush where the mask is 0, the target where it is 1; the
    // mask expands to black (0) and white (1) by the text and back colours.
    constexpr DWORD kBrushWhereZero = 0x00B8074A;
    const COLORREF oldText = SetTextColor(target, RGB(0, 0, 0));
    const COLORREF oldBk = SetBkColor(target, RGB(255, 255, 255));
    for (auto [offset, colour] : {std::pair{1, clBtnHighlight}, std::pair{0, clBtnShadow}}) {
        const OwnedBrush brush(CreateSolidBrush(static_cast<COLORREF>(ColorToRGB(colour))));
        const SelectedObject selected(target, brush.get());
        BitBlt(target, x + offset, y + offset, width, height, mask, 0, 0, kBrushWhereZero);
    }
    SetTextColor(target, oldText);
    SetBkColor(target, oldBk);
}

CanvasDCScope::CanvasDCScope(TCanvas& canvas, HDC dc) : canvas_(canvas) {
    canvas.SetHandle(dc);
}

CanvasDCScope::~CanvasDCScope() {
    try {
        canvas_.SetHandle(nullptr);
    } catch (...) {
        // Detaching deselects the canvas's objects only.
    }
}

TClipScope::TClipScope(TCanvas& canvas, const TRect& r)
    : dc_(canvas.Handle()), saved_(CreateRectRgn(0, 0, 0, 0)) {
    // GetClipRgn answers 0 when the context has no clip region.
    if (saved_ && GetClipRgn(dc_, saved_) != 1) {
        DeleteObject(saved_);
        saved_ = nullptr;
    }
    IntersectClipRect(dc_, r.left, r.top, r.right, r.bottom);
}

TClipScope::~TClipScope() {
    SelectClipRgn(dc_, saved_);
    if (saved_) DeleteObject(saved_);
}

}  // namespace cl
