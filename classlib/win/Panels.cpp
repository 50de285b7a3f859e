// TPanel, TBevel and TSplitter.
#include "classlib/win/Panels.h"

#include <algorithm>

#include "classlib/win/GdiHandles.h"

namespace cl {

void Frame3D(TCanvas* canvas, TRect& rect, TColor topColor, TColor bottomColor, int width) {
    canvas->Pen()->SetWidth(1);
    canvas->Pen()->SetStyle(psSolid);
    for (int i = 0; i < width; ++i) {
        const int l = rect.left, t = rect.top, r = rect.right - 1, b = rect.bottom - 1;
        canvas->Pen()->SetColor(topColor);
        const TPoint topLeft[] = {Point(l, b), Point(l, t), Point(r, t)};
        canvas->Polyline(topLeft);
        canvas->Pen()->SetColor(bottomColor);
        // Down to the bottom-right corner and on past the bottom-left one.
        const TPoint bottomRight[] = {Point(r, t), Point(r, b), Point(l - 1, b)};
        canvas->Polyline(bottomRight);
        InflateRect(&rect, -1, -1);
    }
}

// ---- TCustomPanel ------------------------------------------------------------------
CL_CLASS_INFO(TCustomPanel)

CL_CLASS_INFO(TPanel,
              EnumProp("Alignment", {"taLeftJustify", "taRightJustify", "taCenter"}, &TPanel::Alignment,
                       &TPanel::SetAlignment),
              EnumProp("BevelInner", {"bvNone", "bvLowered", "bvRaised", "bvSpace"}, &TPanel::BevelInner,
                       &TPanel::SetBevelInner),
              EnumProp("BevelOuter", {"bvNone", "bvLowered", "bvRaised", "bvSpace"}, &TPanel::BevelOuter,
                       &TPanel::SetBevelOuter),
              Prop("BevelWidth", &TPanel::BevelWidth, &TPanel::SetBevelWidth),
              Prop("BorderWidth", &TPanel::BorderWidth, &TPanel::SetBorderWidth),
              Prop("FullRepaint", &TPanel::FullRepaint, &TPanel::SetFullRepaint))

TCustomPanel::TCustomPanel(TComponent* owner) : TCustomControl(owner) {
    SetControlStyle(csAcceptsControls | csCaptureMouse | csClickEvents | csSetCaption | csOpaque |
                    csDoubleClicks | csReplicatable);
    SetBounds(0, 0, 185, 41);
    SetColor(clBtnFace);
}

void TCustomPanel::Changed(bool layout) {
    Invalidate();
    if (layout) Realign();
}

void TCustomPanel::SetAlignment(TAlignment value) {
    if (value == alignment_) return;
    alignment_ = value;
    Changed(false);
}

void TCustomPanel::SetBevelInner(TBevelCut value) {
    if (value == bevelInner_) return;
    bevelInner_ = value;
    Changed(true);
}

void TCustomPanel::SetBevelOuter(TBevelCut value) {
    if (value == bevelOuter_) return;
    bevelOuter_ = value;
    Changed(true);
}

void TCustomPanel::SetBevelWidth(int value) {
    if (value < 1) value = 1;
    if (value == bevelWidth_) return;
    bevelWidth_ = value;
    Changed(true);
}

void TCustomPanel::SetBorderWidth(int value) {
    if (value < 0) value = 0;
    if (value == borderWidth_) return;
    borderWidth_ = value;
    Changed(true);
}

void TCustomPanel::SetBorderStyle(TBorderStyle value) {
    if (value == borderStyle_) return;
    borderStyle_ = value;
    RecreateWnd();
}

void TCustomPanel::SetFullRepaint(bool value) {
    if (value == fullRepaint_) return;
    fullRepaint_ = value;
    RecreateWnd();
}

void TCustomPanel::CreateParams(TCreateParams& p) {
    TCustomControl::CreateParams(p);
    if (borderStyle_ == bsSingle) p.ExStyle |= WS_EX_CLIENTEDGE;
    if (!fullRepaint_) p.WindowClass.style &= ~(CS_HREDRAW | CS_VREDRAW);
}

void TCustomPanel::AdjustClientRect(TRect& rect) {
    TCustomControl::AdjustClientRect(rect);
    int inset = borderWidth_;
    if (bevelOuter_ != bvNone) inset += bevelWidth_;
    if (bevelInner_ != bvNone) inset += bevelWidth_;
    InflateRect(&rect, -inset, -inset);
}

void TCustomPanel::Paint() {
    TCanvas* c = Canvas();
    TRect r = ClientRect();
    auto bevel = [&](TBevelCut cut) {
        if (cut == bvNone) return;
        TColor top = Color(), bottom = Color();
        if (cut == bvRaised) top = clBtnHighlight, bottom = clBtnShadow;
        if (cut == bvLowered) top = clBtnShadow, bottom = clBtnHighlight;
        Frame3D(c, r, top, bottom, bevelWidth_);
    };
    bevel(bevelOuter_);
    Frame3D(c, r, Color(), Color(), borderWidth_);
    bevel(bevelInner_);
    c->Brush()->SetColor(Color());
    c->FillRect(r);
    const std::string caption = Caption();
    if (caption.empty()) return;
    static constexpr UINT kAlign[] = {DT_LEFT, DT_RIGHT, DT_CENTER};
    c->Font()->Assign(Font());
    c->Brush()->SetStyle(bsClear);
    c->DrawText(caption, r, DT_EXPANDTABS | DT_SINGLELINE | DT_VCENTER | kAlign[alignment_]);
}

void TCustomPanel::WndProc(TMessage& m) {
    TCustomControl::WndProc(m);
    if (m.Msg == CM_TEXTCHANGED) Invalidate();
}

// ---- TBevel ------------------------------------------------------------------------
CL_CLASS_INFO(TBevel,
              EnumProp("Shape",
                       {"bsBox", "bsFrame", "bsTopLine", "bsBottomLine", "bsLeftLine", "bsRightLine",
                        "bsSpacer"},
                       &TBevel::Shape, &TBevel::SetShape),
              EnumProp("Style", {"bsLowered", "bsRaised"}, &TBevel::Style, &TBevel::SetStyle))

TBevel::TBevel(TComponent* owner) : TGraphicControl(owner) {
    SetControlStyle(ControlStyle() | csReplicatable);
    SetBounds(0, 0, 50, 50);
}

void TBevel::SetShape(TBevelShape value) {
    if (value == shape_) return;
    shape_ = value;
    Invalidate();
}

void TBevel::SetStyle(TBevelStyle value) {
    if (value == style_) return;
    style_ = value;
    Invalidate();
}

void TBevel::Paint() {
    TCanvas* c = Canvas();
    // A lowered bevel has its shadow first (top, left), a raised one its light.
    const TColor first = style_ == bsLowered ? clBtnShadow : clBtnHighlight;
    const TColor second = style_ == bsLowered ? clBtnHighlight : clBtnShadow;
    const int w = Width(), h = Height();
    auto line = [&](TColor colour, int x1, int y1, int x2, int y2) {
        c->Pen()->SetColor(colour);
        c->MoveTo(x1, y1);
        c->LineTo(x2, y2);
    };
    TRect r = Rect(0, 0, w, h);
    switch (shape_) {
        case bsBox:
            Frame3D(c, r, first, second, 1);
            break;
        case bsFrame: {
            // Etched: a frame in one colour with one in the other a pixel in.
            TRect outer = Rect(0, 0, w - 1, h - 1);
            Frame3D(c, outer, first, first, 1);
            TRect inner = Rect(1, 1, w, h);
            Frame3D(c, inner, second, second, 1);
            break;
        }
        case bsTopLine:
            line(first, 0, 0, w, 0);
            line(second, 0, 1, w, 1);
            break;
        case bsBottomLine:
            line(first, 0, h - 2, w, h - 2);
            line(second, 0, h - 1, w, h - 1);
            break;
        case bsLeftLine:
            line(first, 0, 0, 0, h);
            line(second, 1, 0, 1, h);
            break;
        case bsRightLine:
            line(first, w - 2, 0, w - 2, h);
            line(second, w - 1, 0, w - 1, h);
            break;
        case bsSpacer:
            break;
    }
}

// ---- TSplitter -----------------------------------------------------------------------
CL_CLASS_INFO(TSplitter, Prop("MinSize", &TSplitter::MinSize, &TSplitter::SetMinSize),
              EnumProp("ResizeStyle", {"rsNone", "rsLine", "rsUpdate", "rsPattern"}, &TSplitter::ResizeStyle,
                       &TSplitter::SetResizeStyle),
              Prop("Beveled", &TSplitter::Beveled, &TSplitter::SetBeveled))

TSplitter::TSplitter(TComponent* owner) : TGraphicControl(owner) {
    SetBounds(0, 0, 3, 100);
    SetAlign(alLeft);
}

TSplitter::~TSplitter() {
    if (lineDC_) ReleaseDC(Parent() ? Parent()->WindowHandle() : nullptr, lineDC_);
    if (lineBrush_) DeleteObject(lineBrush_);
}

void TSplitter::SetAlign(TAlign value) {
    TControl::SetAlign(value);
    SetCursor(value == alTop || value == alBottom ? crVSplit : crHSplit);
}

void TSplitter::SetBeveled(bool value) {
    if (value == beveled_) return;
    beveled_ = value;
    Invalidate();
}

bool TSplitter::CanResize(int& newSize) {
    bool accept = true;
    if (OnCanResize) OnCanResize(this, newSize, accept);
    return accept;
}

void TSplitter::Moved() {
    if (OnMoved) OnMoved(this);
}

void TSplitter::Paint() {
    TCanvas* c = Canvas();
    TRect r = Rect(0, 0, Width(), Height());
    c->Brush()->SetColor(Color());
    c->FillRect(r);
    if (beveled_) Frame3D(c, r, clBtnHighlight, clBtnShadow, 1);
}

TControl* TSplitter::FindControl() const {
    TWinControl* parent = Parent();
    if (!parent) return nullptr;
    for (int i = 0; i < parent->ControlCount(); ++i) {
        TControl* c = parent->Controls(i);
        if (c == this || !c->Visible() || c->Align() != Align()) continue;
        const bool touches = (Align() == alLeft && c->Left() + c->Width() == Left()) ||
                             (Align() == alRight && c->Left() == Left() + Width()) ||
                             (Align() == alTop && c->Top() + c->Height() == Top()) ||
                             (Align() == alBottom && c->Top() == Top() + Height());
        if (touches) return c;
    }
    return nullptr;
}

int TSplitter::ControlSize() const {
    return Vertical() ? control_->Width() : control_->Height();
}

int TSplitter::SizeAt(int x, int y) const {
    const int delta = Vertical() ? x - downPos_.x : y - downPos_.y;
    // The splitter follows its control: pulling it away from a control on
    // the right or bottom makes that one smaller.
    const int size = ControlSize() + (Align() == alLeft || Align() == alTop ? delta : -delta);
    return std::max(minSize_, std::min(size, maxSize_));
}

void TSplitter::ApplySize(int size) {
    if (size == ControlSize()) return;
    if (Vertical())
        control_->SetWidth(size);
    else
        control_->SetHeight(size);
}

void TSplitter::DrawLine() {
    if (!lineDC_) return;
    const int dx = Vertical() ? lineOffset_ : 0, dy = Vertical() ? 0 : lineOffset_;
    const SelectedObject brush(lineDC_, lineBrush_);
    PatBlt(lineDC_, Left() + dx, Top() + dy, Width(), Height(), PATINVERT);
    lineVisible_ = !lineVisible_;
}

void TSplitter::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    TGraphicControl::MouseDown(button, shift, x, y);
    if (button != mbLeft || control_ || !(control_ = FindControl())) return;
    downPos_ = Point(x, y);
    // What the control may take: all but the other controls along the same
    // axis (the splitter among them) and MinSize left for the rest.
    TWinControl* parent = Parent();
    int others = 0;
    for (int i = 0; i < parent->ControlCount(); ++i) {
        TControl* c = parent->Controls(i);
        if (c == control_ || !c->Visible()) continue;
        if (Vertical() && (c->Align() == alLeft || c->Align() == alRight)) others += c->Width();
        if (!Vertical() && (c->Align() == alTop || c->Align() == alBottom)) others += c->Height();
    }
    maxSize_ = (Vertical() ? parent->ClientWidth() : parent->ClientHeight()) - minSize_ - others;
    newSize_ = ControlSize();
    lineOffset_ = 0;
    if (resizeStyle_ == rsLine || resizeStyle_ == rsPattern) {
        lineDC_ = GetDCEx(parent->Handle(), nullptr, DCX_CACHE | DCX_CLIPSIBLINGS | DCX_LOCKWINDOWUPDATE);
        if (resizeStyle_ == rsPattern) {
            // Every other pixel, as the system draws a dragged frame.
            static const WORD kPattern[8] = {0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA};
            const OwnedBitmap bits(CreateBitmap(8, 8, 1, 1, kPattern));
            lineBrush_ = CreatePatternBrush(bits.get());
        } else {
            lineBrush_ = CreateSolidBrush(RGB(255, 255, 255));
        }
        DrawLine();
    }
}

void TSplitter::MouseMove(TShiftState shift, int x, int y) {
    TGraphicControl::MouseMove(shift, x, y);
    if (!control_) return;
    int size = SizeAt(x, y);
    if (size == newSize_ || !CanResize(size)) return;
    newSize_ = size;
    if (resizeStyle_ == rsUpdate) {
        ApplySize(size);
        return;
    }
    if (lineVisible_) DrawLine();
    const int delta = size - ControlSize();
    lineOffset_ = Align() == alLeft || Align() == alTop ? delta : -delta;
    DrawLine();
}

void TSplitter::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    if (control_ && button == mbLeft) {
        // The release point decides, whatever moves came before it.
        int size = SizeAt(x, y);
        if (CanResize(size)) newSize_ = size;
        EndDrag();
    }
    TGraphicControl::MouseUp(button, shift, x, y);
}

void TSplitter::EndDrag() {
    if (lineVisible_) DrawLine();
    if (lineDC_) ReleaseDC(Parent()->WindowHandle(), lineDC_);
    if (lineBrush_) DeleteObject(lineBrush_);
    lineDC_ = nullptr;
    lineBrush_ = nullptr;
    lineVisible_ = false;
    ApplySize(newSize_);
    control_ = nullptr;
    Moved();
}

}  // namespace cl
