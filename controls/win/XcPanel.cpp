#include "controls/win/XcPanel.h"

#include <algorithm>

#include "classlib/Scope.h"
#include "classlib/win/Forms.h"
#include "controls/win/XcMouseTimer.h"
#include "controls/win/XcThemes.h"

using namespace cl;

// ---- TXcArrangeSettings ------------------------------------------------------------
CL_CLASS_INFO(TXcArrangeSettings,
              Prop("AutoArrange", &TXcArrangeSettings::AutoArrange, &TXcArrangeSettings::SetAutoArrange),
              EnumProp("AutoSize", {"asNone", "asWidth", "asHeight", "asBoth"}, &TXcArrangeSettings::AutoSize,
                       &TXcArrangeSettings::SetAutoSize),
              Prop("WrapControls", &TXcArrangeSettings::WrapControls, &TXcArrangeSettings::SetWrapControls),
              Prop("BorderLeft", &TXcArrangeSettings::BorderLeft, &TXcArrangeSettings::SetBorderLeft),
              Prop("BorderTop", &TXcArrangeSettings::BorderTop, &TXcArrangeSettings::SetBorderTop),
              Prop("DistanceVertical", &TXcArrangeSettings::DistanceVertical,
                   &TXcArrangeSettings::SetDistanceVertical),
              Prop("DistanceHorizontal", &TXcArrangeSettings::DistanceHorizontal,
                   &TXcArrangeSettings::SetDistanceHorizontal),
              Prop("ShowNotVisibleAtDesignTime", &TXcArrangeSettings::ShowNotVisibleAtDesignTime,
                   &TXcArrangeSettings::SetShowNotVisibleAtDesignTime),
              Prop("MaxWidth", &TXcArrangeSettings::MaxWidth, &TXcArrangeSettings::SetMaxWidth))

TPersistent* TXcArrangeSettings::GetOwner() const {
    return owner_;
}

template <class T>
void TXcArrangeSettings::Store(T& field, T value) {
    if (field == value) return;
    field = value;
    Rearrange();
}

void TXcArrangeSettings::Rearrange() {
    if (owner_) owner_->Rearrange();
}

void TXcArrangeSettings::SetAutoArrange(bool value) {
    if (value == autoArrange_) return;
    autoArrange_ = value;
    if (value) Rearrange();
}

void TXcArrangeSettings::SetAutoSize(TXcAutoSizePanel value) {
    if (value == params_.autoSize) return;
    params_.autoSize = value;
    if (value != asNone) Rearrange();
}

void TXcArrangeSettings::SetWrapControls(bool value) {
    Store(params_.wrapControls, value);
}
void TXcArrangeSettings::SetBorderLeft(int value) {
    Store(params_.borderLeft, value);
}
void TXcArrangeSettings::SetBorderTop(int value) {
    Store(params_.borderTop, value);
}
void TXcArrangeSettings::SetDistanceVertical(int value) {
    Store(params_.distanceVertical, value);
}
void TXcArrangeSettings::SetDistanceHorizontal(int value) {
    Store(params_.distanceHorizontal, value);
}
void TXcArrangeSettings::SetShowNotVisibleAtDesignTime(bool value) {
    Store(showNotVisibleAtDesignTime_, value);
}
void TXcArrangeSettings::SetMaxWidth(int value) {
    Store(params_.maxWidth, value);
}

void TXcArrangeSettings::Assign(TPersistent* source) {
    auto* other = dynamic_cast<TXcArrangeSettings*>(source);
    if (!other) return TPersistent::Assign(source);
    autoArrange_ = other->autoArrange_;
    showNotVisibleAtDesignTime_ = other->showNotVisibleAtDesignTime_;
    params_ = other->params_;
    Rearrange();
}

// ---- TXcPanel ----------------------------------------------------------------------
XC_CLASS_INFO(TXcPanel,
              EnumProp("Alignment", {"taLeftJustify", "taRightJustify", "taCenter"}, &TXcPanel::Alignment,
                       &TXcPanel::SetAlignment),
              EnumProp("BevelInner", {"bvNone", "bvLowered", "bvRaised", "bvSpace"}, &TXcPanel::BevelInner,
                       &TXcPanel::SetBevelInner),
              EnumProp("BevelOuter", {"bvNone", "bvLowered", "bvRaised", "bvSpace"}, &TXcPanel::BevelOuter,
                       &TXcPanel::SetBevelOuter),
              Prop("BevelWidth", &TXcPanel::BevelWidth, &TXcPanel::SetBevelWidth),
              Prop("BorderWidth", &TXcPanel::BorderWidth, &TXcPanel::SetBorderWidth),
              Prop("ArrangeSettings", &TXcPanel::ArrangeSettings, &TXcPanel::SetArrangeSettings),
              Prop("FlatBorder", &TXcPanel::FlatBorder, &TXcPanel::SetFlatBorder),
              Prop("FlatBorderColor", &TXcPanel::FlatBorderColor, &TXcPanel::SetFlatBorderColor),
              Prop("HotColor", &TXcPanel::HotColor, &TXcPanel::SetHotColor),
              Prop("Movable", &TXcPanel::Movable, &TXcPanel::SetMovable),
              Prop("MultiLine", &TXcPanel::MultiLine, &TXcPanel::SetMultiLine),
              Prop("Sizeable", &TXcPanel::Sizeable, &TXcPanel::SetSizeable),
              Prop("Transparent", &TXcPanel::Transparent, &TXcPanel::SetTransparent))

TXcPanel::TXcPanel(TComponent* owner)
    : TXcCustomPanel(owner), arrangeSettings_(std::make_unique<TXcArrangeSettings>(this)) {
    IncludeThemeStyle(this, csNeedsBorderPaint | csParentBackground);
}

TXcPanel::~TXcPanel() = default;

void TXcPanel::BeforeDestruction() {
    Destroying();
    if (sizing_) {
        sizing_ = false;
        Screen->SetCursor(crDefault);
    }
    TXcCustomPanel::BeforeDestruction();
}

bool TXcPanel::IsTransparent() const {
    return transparent_ && !ThemeServicesOf().ThemesEnabled();
}

void TXcPanel::SetTransparent(bool value) {
    if (value == transparent_) return;
    transparent_ = value;
    if (!ThemeServicesOf().ThemesEnabled()) RecreateWnd();
    Invalidate();
}

void TXcPanel::SetFlatBorder(bool value) {
    if (value == flatBorder_) return;
    flatBorder_ = value;
    Invalidate();
}

void TXcPanel::SetFlatBorderColor(TColor value) {
    if (value == flatBorderColor_) return;
    flatBorderColor_ = value;
    Invalidate();
}

void TXcPanel::SetMultiLine(bool value) {
    if (value == multiLine_) return;
    multiLine_ = value;
    Invalidate();
}

void TXcPanel::SetSizeable(bool value) {
    if (value == sizeable_) return;
    sizeable_ = value;
    Invalidate();
}

void TXcPanel::CreateParams(TCreateParams& p) {
    TXcCustomPanel::CreateParams(p);
    if (IsTransparent()) {
        if (!Designing()) p.ExStyle |= WS_EX_TRANSPARENT;
        SetControlStyle(ControlStyle() & ~csOpaque);
    } else {
        if (!Designing()) p.ExStyle &= ~WS_EX_TRANSPARENT;
        SetControlStyle(ControlStyle() | csOpaque);
    }
}

bool TXcPanel::DoEraseBackground(HDC dc) {
    if (IsTransparent()) return true;
    return TXcCustomPanel::DoEraseBackground(dc);
}

void TXcPanel::SetBounds(int left, int top, int width, int height) {
    const int oldWidth = Width(), oldHeight = Height();
    TXcCustomPanel::SetBounds(left, top, width, height);
    if (IsTransparent()) Invalidate();
    if (Width() == oldWidth && Height() == oldHeight) return;
    if (OnResizeParent) {
        OnResizeParent(this, Left(), Top(), Width(), Height());
    } else if (auto* parent = dynamic_cast<TXcPanel*>(Parent())) {
        parent->Rearrange();
    }
}

void TXcPanel::Paint() {
    if (OnPaint) {
        OnPaint(this);
        return;
    }
    TCanvas* c = Canvas();
    TRect r = ClientRect();
    c->Brush()->SetColor(Color());
    if (IsTransparent())
        c->Brush()->SetStyle(bsClear);
    else
        DrawThemedBackground(this, *c, r);
    if (flatBorder_) {
        c->Brush()->SetColor(flatBorderColor_);
        c->FrameRect(r);
    } else {
        auto bevel = [&](TBevelCut cut) {
            if (cut == bvNone) return;
            TColor top = Color(), bottom = Color();
            if (cut == bvRaised) top = clBtnHighlight, bottom = clBtnShadow;
            if (cut == bvLowered) top = clBtnShadow, bottom = clBtnHighlight;
            Frame3D(c, r, top, bottom, BevelWidth());
        };
        bevel(BevelOuter());
        Frame3D(c, r, Color(), Color(), BorderWidth());
        bevel(BevelInner());
    }
    PaintCaption(*c);
    if (sizeable_) PaintSizeGrip(*c);
}

void TXcPanel::PaintCaption(TCanvas& c) {
    const std::string caption = Caption();
    if (caption.empty()) return;
    SetBkMode(c.Handle(), TRANSPARENT);
    c.SetFont(Font());
    if (!Enabled()) c.Font()->SetColor(clGrayText);
    int inset = BorderWidth();
    if (BevelOuter() != bvNone) inset += BevelWidth();
    if (BevelInner() != bvNone) inset += BevelWidth();
    TRect r = ClientRect();
    InflateRect(&r, -inset, -inset);
    static constexpr UINT kAlignments[] = {DT_LEFT, DT_RIGHT, DT_CENTER};
    const UINT flags = DrawTextBiDiModeFlags(DT_EXPANDTABS | (multiLine_ ? DT_WORDBREAK : DT_SINGLELINE) |
                                             kAlignments[Alignment()]);
    TRect text = r;
    c.DrawText(caption, text, flags | DT_CALCRECT);
    const int textWidth = text.right - text.left, textHeight = text.bottom - text.top;
    text.top = (Height() - textHeight) / 2;
    text.bottom = text.top + textHeight;
    if (Alignment() == taRightJustify) {
        text.right = Width() - inset;
        text.left = text.right - textWidth;
    } else if (Alignment() == taCenter) {
        text.left = (Width() - textWidth) / 2;
        text.right = text.left + textWidth;
    }
    c.DrawText(caption, text, flags);
}

void TXcPanel::PaintSizeGrip(TCanvas& c) {
    const int bevel = BevelWidth();
    const int right = ClientWidth() - bevel - 2, bottom = ClientHeight() - bevel - 2;
    const TRect r =
        Rect(right - GetSystemMetrics(SM_CXVSCROLL), bottom - GetSystemMetrics(SM_CYHSCROLL), right, bottom);
    TXcThemeServices& themes = ThemeServicesOf();
    if (themes.ThemesEnabled()) {
        // The status bar's gripper (STATUS, SP_GRIPPER).
        themes.DrawElement(c.Handle(), themes.GetElementDetails(L"STATUS", 3, 0), r);
        return;
    }
    TFont* font = c.Font();
    font->SetName("Marlett");
    font->SetCharset(DEFAULT_CHARSET);
    font->SetSize(12);
    font->SetStyle(0);
    font->SetColor(clBtnShadow);
    c.Brush()->SetStyle(bsClear);
    c.TextOut(r.left, r.top, "o");
}

void TXcPanel::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    TXcCustomPanel::MouseDown(button, shift, x, y);
    if (!sizeable_ || button != mbLeft || !InSizeGrip(x, y) || Designing()) return;
    sizing_ = true;
    lastSizingPoint_ = Point(x, y);
    SetMouseCapture(true);
    Screen->SetCursor(crSizeNWSE);
}

void TXcPanel::MouseMove(TShiftState shift, int x, int y) {
    TXcCustomPanel::MouseMove(shift, x, y);
    if (sizing_) {
        const int width = Width() + x - lastSizingPoint_.x;
        const int height = Height() + y - lastSizingPoint_.y;
        if (width < 2 || height < 2) return;
        lastSizingPoint_ = Point(x, y);
        SetBounds(Left(), Top(), width, height);
        Update();
    } else if (sizeable_) {
        SetCursor(InSizeGrip(x, y) ? crSizeNWSE : crDefault);
    }
}

void TXcPanel::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    if (sizing_) {
        sizing_ = false;
        SetMouseCapture(false);
        Screen->SetCursor(crDefault);
    }
    TXcCustomPanel::MouseUp(button, shift, x, y);
}

void TXcPanel::MouseEnter(TControl* control) {
    if (MouseOver()) return;
    if (!Designing() && control == this) {
        savedColor_ = Color();
        if (!IsTransparent()) {
            SetColor(hotColor_);
            MouseTimer().Attach(this);
        }
    }
    TXcCustomPanel::MouseEnter(control);
}

void TXcPanel::MouseLeave(TControl* control) {
    if (!MouseOver()) return;
    if (!Designing() && control == this && !IsTransparent()) {
        SetColor(savedColor_);
        MouseTimer().Detach(this);
    }
    TXcCustomPanel::MouseLeave(control);
}

void TXcPanel::TextChanged() {
    Invalidate();
}

void TXcPanel::Resize() {
    TXcCustomPanel::Resize();
    Rearrange();
    if (!IsTransparent() || nudging_) return;
    // What shows through a transparent panel is painted again when its
    // width goes up by one and back.
    const FlagScope nudging(nudging_);
    const int width = Width();
    SetWidth(width + 1);
    SetWidth(width);
}

void TXcPanel::Loaded() {
    TXcCustomPanel::Loaded();
    Rearrange();
}

void TXcPanel::AlignControls(TControl* control, TRect& rect) {
    TXcCustomPanel::AlignControls(control, rect);
    Rearrange();
}

bool TXcPanel::DoBeforeMove(int x, int y) {
    bool allow = true;
    if (OnBeforeMove) OnBeforeMove(this, x, y, allow);
    return allow;
}

void TXcPanel::DoAfterMove() {
    if (OnAfterMove) OnAfterMove(this);
}

void TXcPanel::WndProc(TMessage& m) {
    switch (m.Msg) {
        case WM_NCHITTEST: {
            TXcCustomPanel::WndProc(m);
            if (!movable_ || Designing()) return;
            const TPoint p = ScreenToClient(Point(m.XPos(), m.YPos()));
            if (p.x >= 6 && p.y >= 6 && p.x < Width() - 5 && p.y < Height() - 5 && DoBeforeMove(p.x, p.y)) {
                // The window manager moves a window by its caption.
                m.Result = HTCAPTION;
                moving_ = true;
            }
            return;
        }
        case WM_EXITSIZEMOVE:
            TXcCustomPanel::WndProc(m);
            if (moving_) {
                moving_ = false;
                DoAfterMove();
            }
            return;
    }
    TXcCustomPanel::WndProc(m);
}

void TXcPanel::Rearrange() {
    if (arrangeSettings_ && arrangeSettings_->AutoArrange() && !(ComponentState() & csLoading))
        ArrangeControls();
}

void TXcPanel::EnableArrange() {
    if (arrangeLock_ > 0 && --arrangeLock_ == 0) Rearrange();
}

void TXcPanel::ArrangeControls() {
    if (arrangeLock_ >= 1 || arranging_ || ControlCount() == 0 ||
        (ComponentState() & (csLoading | csReading | csDestroying)))
        return;
    const FlagScope arranging(arranging_);
    std::vector<TWinControl*> windowed;
    int widest = 0;
    for (int i = 0; i < ControlCount(); ++i) {
        auto* child = dynamic_cast<TWinControl*>(Controls(i));
        if (!child) continue;
        // A child panel arranges by its own settings.
        if (auto* panel = dynamic_cast<TXcPanel*>(child)) panel->Rearrange();
        widest = std::max(widest, child->Width());
        windowed.push_back(child);
    }
    std::sort(windowed.begin(), windowed.end(),
              [](TWinControl* a, TWinControl* b) { return a->TabOrder() < b->TabOrder(); });
    // In tab order from 0; a gap ends the walk.
    std::vector<TXcArrangedChild> places;
    for (TWinControl* child : windowed) {
        if (child->TabOrder() != static_cast<int>(places.size())) break;
        const bool placed =
            child->Visible() || (Designing() && arrangeSettings_->ShowNotVisibleAtDesignTime());
        places.push_back({child->Width(), child->Height(), placed});
    }
    const TXcArrangedSize size =
        ArrangeChildren(arrangeSettings_->Params(), Width(), Height(), widest, false, places);
    for (size_t i = 0; i < places.size(); ++i)
        if (places[i].placed)
            windowed[i]->SetBounds(places[i].left, places[i].top, windowed[i]->Width(),
                                   windowed[i]->Height());
    if (size.width == Width() && size.height == Height()) return;
    SetBounds(Left(), Top(), size.width, size.height);
    // The focused control may sit on what moved.
    if (HWND focus = GetFocus()) InvalidateRect(focus, nullptr, TRUE);
}
