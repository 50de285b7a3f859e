// TControl, the control canvas, the control action link and TGraphicControl.
// The windowed half is in WinControl.cpp.
#include "classlib/win/Controls.h"

#include <algorithm>

#include "classlib/Exceptions.h"
#include "classlib/Scope.h"
#include "classlib/StrUtils.h"
#include "classlib/win/Forms.h"
#include "classlib/win/Menus.h"
#include "classlib/win/WideText.h"

namespace cl {

namespace {

TControl* g_captureControl = nullptr;
std::vector<TControlCanvas*> g_canvasesWithDC;

}  // namespace

std::string GetShortHint(const std::string& hint) {
    const size_t bar = hint.find('|');
    return bar == std::string::npos ? hint : hint.substr(0, bar);
}

std::string GetLongHint(const std::string& hint) {
    const size_t bar = hint.find('|');
    return bar == std::string::npos ? hint : hint.substr(bar + 1);
}

bool IsAccel(WORD charCode, const std::string& caption) {
    for (size_t i = 0; i + 1 < caption.size(); ++i) {
        if (caption[i] != '&') continue;
        if (caption[i + 1] == '&') {
            ++i;
            continue;
        }
        const wchar_t wc = static_cast<wchar_t>(charCode);
        const std::string key = FromWide(std::wstring_view(&wc, 1));
        return key.size() == 1 && AnsiUpperChar(key[0]) == AnsiUpperChar(caption[i + 1]);
    }
    return false;
}

// ---- Capture and hit tests ---------------------------------------------------
TControl* GetCaptureControl() {
    HWND capture = GetCapture();
    TWinControl* owner = TWinControl::FindControl(capture);
    if (owner && g_captureControl && g_captureControl->Parent() == owner) return g_captureControl;
    return owner;
}

void SetCaptureControl(TControl* control) {
    ReleaseCapture();
    g_captureControl = nullptr;
    if (!control) return;
    if (auto* w = dynamic_cast<TWinControl*>(control)) {
        SetCapture(w->Handle());
    } else if (control->Parent()) {
        // A windowless control holds the mouse through its parent's window.
        SetCapture(control->Parent()->Handle());
        g_captureControl = control;
    }
}

TControl* FindDragTarget(TPoint screenPos, bool allowDisabled) {
    HWND wnd = WindowFromPoint(screenPos);
    TWinControl* win = nullptr;
    while (wnd && !(win = TWinControl::FindControl(wnd))) wnd = GetParent(wnd);
    if (!win) return nullptr;
    if (TControl* child = win->ControlAtPos(win->ScreenToClient(screenPos), allowDisabled)) return child;
    return win;
}

// ---- TControlCanvas ----------------------------------------------------------
CL_CLASS_INFO(TControlCanvas)

TControlCanvas::~TControlCanvas() {
    FreeHandle();
}

void TControlCanvas::SetControl(TControl* control) {
    if (control_ == control) return;
    FreeHandle();
    control_ = control;
}

void TControlCanvas::CreateHandle() {
    if (!control_) return;
    auto* win = dynamic_cast<TWinControl*>(control_);
    TWinControl* host = win ? win : control_->Parent();
    if (!host) return;
    HWND wnd = host->Handle();
    HDC dc = GetDCEx(wnd, nullptr, DCX_CACHE | DCX_CLIPSIBLINGS);
    if (!dc) throw EOutOfResources("Out of system resources");
    if (!win) {
        // A windowless control draws on its parent's window, moved to its
        // place and clipped to it.
        SetViewportOrgEx(dc, control_->Left(), control_->Top(), nullptr);
        IntersectClipRect(dc, 0, 0, control_->Width(), control_->Height());
    }
    ownDC_ = dc;
    ownWnd_ = wnd;
    g_canvasesWithDC.push_back(this);
    SetHandle(dc);
}

void TControlCanvas::FreeHandle() noexcept {
    if (!ownDC_) return;
    try {
        SetHandle(nullptr);
    } catch (...) {
        // Detaching only deselects this canvas's own objects; the context
        // is released below either way.
    }
    ReleaseDC(ownWnd_, ownDC_);
    ownDC_ = nullptr;
    ownWnd_ = nullptr;
    std::erase(g_canvasesWithDC, this);
}

void TControlCanvas::FreeDeviceContexts() noexcept {
    while (!g_canvasesWithDC.empty()) g_canvasesWithDC.back()->FreeHandle();
}

// ---- TControlActionLink ------------------------------------------------------
CL_CLASS_INFO(TControlActionLink)

TControlActionLink::TControlActionLink(TControl* client) : client_(client) {}

namespace {
TCustomAction* AsCustomAction(TBasicAction* a) {
    return dynamic_cast<TCustomAction*>(a);
}
}  // namespace

bool TControlActionLink::IsCaptionLinked() const {
    auto* a = AsCustomAction(action_);
    return a && client_->Caption() == a->Caption();
}
bool TControlActionLink::IsEnabledLinked() const {
    auto* a = AsCustomAction(action_);
    return a && client_->Enabled() == a->Enabled();
}
bool TControlActionLink::IsHintLinked() const {
    auto* a = AsCustomAction(action_);
    return a && client_->Hint() == a->Hint();
}
bool TControlActionLink::IsVisibleLinked() const {
    auto* a = AsCustomAction(action_);
    return a && client_->Visible() == a->Visible();
}
void TControlActionLink::SetCaption(const std::string& value) {
    client_->SetCaption(value);
}
void TControlActionLink::SetEnabled(bool value) {
    client_->SetEnabled(value);
}
void TControlActionLink::SetHint(const std::string& value) {
    client_->SetHint(value);
}
void TControlActionLink::SetVisible(bool value) {
    client_->SetVisible(value);
}

// ---- TControl ----------------------------------------------------------------
namespace {
TPropInfo ShowHintProp() {
    return StoredWhen(Prop("ShowHint", &TControl::ShowHint, &TControl::SetShowHint),
                      &TControl::IsShowHintStored);
}
}  // namespace

CL_CLASS_INFO(TControl, Prop("Left", &TControl::Left, &TControl::SetLeft),
              Prop("Top", &TControl::Top, &TControl::SetTop),
              Prop("Width", &TControl::Width, &TControl::SetWidth),
              Prop("Height", &TControl::Height, &TControl::SetHeight),
              EnumProp("Align", {"alNone", "alTop", "alBottom", "alLeft", "alRight", "alClient"},
                       &TControl::Align, &TControl::SetAlign),
              SetOfProp("Anchors", {"akLeft", "akTop", "akRight", "akBottom"}, &TControl::Anchors,
                        &TControl::SetAnchors),
              Prop("Constraints", &TControl::Constraints, &TControl::SetConstraints),
              Prop("Caption", &TControl::Caption, &TControl::SetCaption),
              Prop("Color", &TControl::Color, &TControl::SetColor),
              Prop("Cursor", &TControl::Cursor, &TControl::SetCursor),
              Prop("Enabled", &TControl::Enabled, &TControl::SetEnabled),
              Prop("Font", &TControl::Font, &TControl::SetFont),
              Prop("Hint", &TControl::Hint, &TControl::SetHint),
              Prop("HelpContext", &TControl::HelpContext, &TControl::SetHelpContext),
              Prop("ParentColor", &TControl::ParentColor, &TControl::SetParentColor),
              Prop("ParentFont", &TControl::ParentFont, &TControl::SetParentFont),
              Prop("ParentShowHint", &TControl::ParentShowHint, &TControl::SetParentShowHint),
              Prop("PopupMenu", &TControl::PopupMenu, &TControl::SetPopupMenu), ShowHintProp(),
              Prop("Visible", &TControl::Visible, &TControl::SetVisible),
              EnumProp("BiDiMode",
                       {"bdLeftToRight", "bdRightToLeft", "bdRightToLeftNoAlign", "bdRightToLeftReadingOnly"},
                       &TControl::BiDiMode, &TControl::SetBiDiMode),
              Prop("ParentBiDiMode", &TControl::ParentBiDiMode, &TControl::SetParentBiDiMode),
              Prop("DragCursor", &TControl::DragCursor, &TControl::SetDragCursor),
              EnumProp("DragKind", {"dkDrag", "dkDock"}, &TControl::DragKind, &TControl::SetDragKind),
              EnumProp("DragMode", {"dmManual", "dmAutomatic"}, &TControl::DragMode, &TControl::SetDragMode))

TControl::TControl(TComponent* owner)
    : TComponent(owner),
      constraints_(std::make_unique<TSizeConstraints>(this)),
      font_(std::make_unique<TFont>()) {
    font_->OnChange = [this](TObject*) { FontChanged(); };
}

// ---- TSizeConstraints ----------------------------------------------------------------
CL_CLASS_INFO(TSizeConstraints,
              Prop("MaxHeight", &TSizeConstraints::MaxHeight, &TSizeConstraints::SetMaxHeight),
              Prop("MaxWidth", &TSizeConstraints::MaxWidth, &TSizeConstraints::SetMaxWidth),
              Prop("MinHeight", &TSizeConstraints::MinHeight, &TSizeConstraints::SetMinHeight),
              Prop("MinWidth", &TSizeConstraints::MinWidth, &TSizeConstraints::SetMinWidth))

namespace {

int Constrain(int size, int minimum, int maximum) {
    if (maximum > 0) size = std::min(size, maximum);
    return std::max(size, minimum);
}

}  // namespace

int TSizeConstraints::ConstrainWidth(int width) const {
    return Constrain(width, minWidth_, maxWidth_);
}

int TSizeConstraints::ConstrainHeight(int height) const {
    return Constrain(height, minHeight_, maxHeight_);
}

void TSizeConstraints::Set(int& limit, int value) {
    value = std::max(value, 0);
    if (value == limit) return;
    limit = value;
    if (control_)
        control_->SetBounds(control_->Left(), control_->Top(), control_->Width(), control_->Height());
}

void TSizeConstraints::Assign(TPersistent* source) {
    auto* other = dynamic_cast<TSizeConstraints*>(source);
    if (!other) return TPersistent::Assign(source);
    SetMinWidth(other->minWidth_);
    SetMinHeight(other->minHeight_);
    SetMaxWidth(other->maxWidth_);
    SetMaxHeight(other->maxHeight_);
}

// ---- TControl -------------------------------------------------------------------------
TControl::~TControl() {
    ControlTearDown();
}

void TControl::BeforeDestruction() {
    Destroying();
    ControlTearDown();
    TComponent::BeforeDestruction();
}

void TControl::ControlTearDown() noexcept {
    if (tornDown_) return;
    tornDown_ = true;
    // The hooks' owners may go before the control: none runs from here on.
    windowHooks_.Close();
    if (TApplication* app = TApplicationRef::Existing()) app->ControlDestroyed(this);
    ForgetDrag();
    if (g_captureControl == this) SetCaptureControl(nullptr);
    if (parent_) {
        try {
            parent_->RemoveControl(this);
        } catch (...) {
            // Leaving the parent only re-lays out the siblings; the control
            // goes away whatever that raised.
        }
    }
    actionLink_.reset();
}

void TControl::SetName(const std::string& name) {
    // A control whose text still is its name follows a rename, as a
    // control placed at design time does.
    const bool changeText =
        (controlStyle_ & csSetCaption) && !(ComponentState() & csLoading) && Name() == GetText();
    TComponent::SetName(name);
    if (changeText) SetText(name);
}

void TControl::SetParent(TWinControl* parent) {
    if (parent == parent_) return;
    if (parent == this) throw EInvalidOperation("A control cannot have itself as its parent");
    if (parent_) parent_->RemoveControl(this);
    if (parent) parent->InsertControl(this);
}

TComponent* TControl::GetParentComponent() const {
    return parent_;
}

void TControl::Show() {
    if (parent_) parent_->ShowControl(this);
    SetVisible(true);
}

void TControl::SetBounds(int left, int top, int width, int height) {
    width = std::max(constraints_->ConstrainWidth(width), 0);
    height = std::max(constraints_->ConstrainHeight(height), 0);
    if (left == left_ && top == top_ && width == width_ && height == height_) return;
    const bool sized = width != width_ || height != height_;
    Invalidate();
    left_ = left;
    top_ = top;
    width_ = width;
    height_ = height;
    UpdateAnchorRules();
    Invalidate();
    RequestAlign();
    if (sized && !(ComponentState() & csLoading)) Resize();
}

TRect TControl::ClientRect() {
    return Rect(0, 0, width_, height_);
}

void TControl::SetClientSize(int width, int height) {
    const TRect client = ClientRect();
    SetBounds(left_, top_, width_ - client.right + width, height_ - client.bottom + height);
}

TPoint TControl::ClientOrigin() {
    if (!parent_) return Point(left_, top_);
    const TPoint p = parent_->ClientOrigin();
    return Point(p.x + left_, p.y + top_);
}

void TControl::SetAlign(TAlign value) {
    if (value == align_) return;
    align_ = value;
    if (parent_) parent_->AlignControl(this);
}

void TControl::SetAnchors(TAnchors value) {
    if (value == anchors_) return;
    anchors_ = value;
    UpdateAnchorRules();
}

void TControl::UpdateAnchorRules() {
    if (!parent_ || parent_->aligning_) return;
    anchorBounds_ = BoundsRect();
    const TRect pr = parent_->ClientRect();
    anchorParentSize_ = SIZE{pr.right, pr.bottom};
}

void TControl::Anchor(int parentWidth, int parentHeight) {
    if (anchorParentSize_.cx <= 0 || anchorParentSize_.cy <= 0) return;
    const TRect b = anchorBounds_;
    int l = b.left, t = b.top, w = b.right - b.left, h = b.bottom - b.top;
    const int dx = parentWidth - anchorParentSize_.cx;
    const int dy = parentHeight - anchorParentSize_.cy;
    if (anchors_ & akRight) {
        if (anchors_ & akLeft)
            w += dx;
        else
            l += dx;
    } else if (!(anchors_ & akLeft)) {
        // Neither side: the centre keeps its proportion of the width.
        l = MulDiv(b.left + w / 2, parentWidth, anchorParentSize_.cx) - w / 2;
    }
    if (anchors_ & akBottom) {
        if (anchors_ & akTop)
            h += dy;
        else
            t += dy;
    } else if (!(anchors_ & akTop)) {
        t = MulDiv(b.top + h / 2, parentHeight, anchorParentSize_.cy) - h / 2;
    }
    SetBounds(l, t, w, h);
}

void TControl::RequestAlign() {
    // While the parent places its children it asks nobody.
    if (align_ != alNone && parent_ && !parent_->aligning_) parent_->AlignControl(this);
}

void TControl::SetVisible(bool value) {
    if (value == visible_) return;
    if (!value) Invalidate();
    visible_ = value;
    VisibleChanged();
    Perform(CM_VISIBLECHANGED, value, 0);
    RequestAlign();
}

void TControl::VisibleChanged() {
    Invalidate();
}

void TControl::SetEnabled(bool value) {
    if (value == enabled_) return;
    enabled_ = value;
    EnabledChanged();
    Perform(CM_ENABLEDCHANGED, 0, 0);
}

void TControl::EnabledChanged() {
    Invalidate();
}

void TControl::SetColor(TColor value) {
    if (value != color_) {
        color_ = value;
        parentColor_ = false;
        Perform(CM_COLORCHANGED, 0, 0);
    } else {
        parentColor_ = false;
    }
}

void TControl::SetParentColor(bool value) {
    if (value == parentColor_) return;
    parentColor_ = value;
    if (value && parent_) Perform(CM_PARENTCOLORCHANGED, 0, 0);
}

void TControl::AdoptParentColor(TColor color) {
    SetColor(color);
    parentColor_ = true;
}

void TControl::SetParentFont(bool value) {
    if (value == parentFont_) return;
    parentFont_ = value;
    if (value && parent_) Perform(CM_PARENTFONTCHANGED, 0, 0);
}

TBiDiMode TControl::BiDiMode() const {
    return parentBiDiMode_ && parent_ ? parent_->BiDiMode() : biDiMode_;
}

void TControl::SetBiDiMode(TBiDiMode value) {
    const TBiDiMode before = BiDiMode();
    biDiMode_ = value;
    parentBiDiMode_ = false;
    if (value != before) BiDiModeChanged();
}

void TControl::SetParentBiDiMode(bool value) {
    if (value == parentBiDiMode_) return;
    const TBiDiMode before = BiDiMode();
    parentBiDiMode_ = value;
    if (BiDiMode() != before) BiDiModeChanged();
}

void TControl::BiDiModeChanged() {
    Perform(CM_BIDIMODECHANGED, 0, 0);
    Invalidate();
    if (auto* win = dynamic_cast<TWinControl*>(this))
        for (TControl* c : win->controls_)
            if (c->parentBiDiMode_) c->BiDiModeChanged();
}

UINT TControl::DrawTextBiDiModeFlags(UINT flags) const {
    if (UseRightToLeftAlignment()) {
        if (flags & DT_RIGHT)
            flags &= ~DT_RIGHT;
        else if (!(flags & DT_CENTER))
            flags |= DT_RIGHT;
    }
    if (UseRightToLeftReading()) flags |= DT_RTLREADING;
    return flags;
}

void TControl::FontChanged() {
    if (!adoptingFont_) parentFont_ = false;
    Perform(CM_FONTCHANGED, 0, 0);
}

void TControl::AdoptParentFont(TFont* font) {
    {
        const FlagScope adopting(adoptingFont_);
        font_->Assign(font);
    }
    parentFont_ = true;
}

void TControl::SetText(const std::string& value) {
    if (GetText() == value) return;
    SetTextValue(value);
    Perform(CM_TEXTCHANGED, 0, 0);
}

void TControl::SetShowHint(bool value) {
    parentShowHint_ = false;
    if (value == showHint_) return;
    showHint_ = value;
    Perform(CM_SHOWHINTCHANGED, 0, 0);
}

void TControl::SetParentShowHint(bool value) {
    if (value == parentShowHint_) return;
    parentShowHint_ = value;
    if (value && parent_) Perform(CM_PARENTSHOWHINTCHANGED, 0, 0);
}

void TControl::SetCursor(TCursor value) {
    if (value == cursor_) return;
    cursor_ = value;
    Perform(CM_CURSORCHANGED, 0, 0);
    // A control under the pointer shows its new cursor at once.
    POINT p;
    if (GetCapture() || !GetCursorPos(&p) || FindDragTarget(p, false) != this) return;
    TWinControl* host = dynamic_cast<TWinControl*>(this);
    if (!host) host = parent_;
    if (host && host->HandleAllocated())
        host->Perform(WM_SETCURSOR, reinterpret_cast<WPARAM>(host->WindowHandle()),
                      MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
}

void TControl::SetPopupMenu(TPopupMenu* value) {
    if (value == popupMenu_) return;
    popupMenu_ = value;
    if (value) value->FreeNotification(this);
}

TBasicAction* TControl::Action() const {
    return actionLink_ ? actionLink_->Action() : nullptr;
}

void TControl::SetAction(TBasicAction* value) {
    if (!value) {
        actionLink_.reset();
        return;
    }
    if (!actionLink_) actionLink_ = std::make_unique<TControlActionLink>(this);
    actionLink_->SetAction(value);
    ActionChange(value, (ComponentState() & csLoading) != 0);
    value->FreeNotification(this);
}

void TControl::ActionChange(TObject* sender, bool checkDefaults) {
    auto* a = dynamic_cast<TCustomAction*>(sender);
    if (!a) return;
    if (!checkDefaults || Caption().empty()) SetCaption(a->Caption());
    if (!checkDefaults || enabled_) SetEnabled(a->Enabled());
    if (!checkDefaults || hint_.empty()) SetHint(a->Hint());
    if (!checkDefaults || visible_) SetVisible(a->Visible());
}

void TControl::Notification(TComponent* component, TOperation operation) {
    TComponent::Notification(component, operation);
    if (operation != opRemove) return;
    if (component == popupMenu_) popupMenu_ = nullptr;
    if (actionLink_ && component == actionLink_->Action()) actionLink_.reset();
}

bool TControl::MouseCapture() const {
    return GetCaptureControl() == this;
}

void TControl::SetMouseCapture(bool value) {
    if (value == MouseCapture()) return;
    SetCaptureControl(value ? this : nullptr);
}

LRESULT TControl::Perform(UINT msg, WPARAM wParam, LPARAM lParam) {
    TMessage m{msg, wParam, lParam, 0};
    WindowProc(m);
    return m.Result;
}

void TControl::WindowProc(TMessage& m) {
    if (ComponentState() & csDestroying) {
        WndProc(m);
        return;
    }
    // A hook cannot keep a window's end from the control, which must let
    // go of the handle.
    const bool swallowable = m.Msg != WM_DESTROY && m.Msg != WM_NCDESTROY;
    // The control may be freed inside; the list then stops on its own.
    // A drag's mouse and keys go to the drag before anything else.
    if (HandleDragMessage(m)) return;
    windowHooks_.Dispatch(m, swallowable, [this](TMessage& msg) { WndProc(msg); });
}

void TControl::DefaultHandler(TMessage&) {}

void TControl::Invalidate() {
    if (!visible_ || !parent_ || !parent_->HandleAllocated()) return;
    const TRect r = BoundsRect();
    InvalidateRect(parent_->WindowHandle(), &r, !(controlStyle_ & csOpaque));
}

void TControl::Repaint() {
    Invalidate();
    Update();
}

void TControl::Update() {
    if (parent_) parent_->Update();
}

void TControl::BringToFront() {
    if (!parent_) return;
    auto& list = parent_->controls_;
    std::erase(list, this);
    list.push_back(this);
    RaiseWindow(HWND_TOP);
    Invalidate();
}

void TControl::SendToBack() {
    if (!parent_) return;
    auto& list = parent_->controls_;
    std::erase(list, this);
    list.insert(list.begin(), this);
    RaiseWindow(HWND_BOTTOM);
    Invalidate();
}

void TControl::RaiseWindow(HWND place) {
    // A windowed control's window has a place among its siblings' windows
    // too, which decides which of two overlapping ones is seen.
    auto* win = dynamic_cast<TWinControl*>(this);
    if (win && win->HandleAllocated())
        SetWindowPos(win->WindowHandle(), place, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void TControl::Click() {
    if (OnClick)
        OnClick(this);
    else if (actionLink_ && actionLink_->Action())
        actionLink_->Execute();
}

void TControl::DblClick() {
    if (OnDblClick) OnDblClick(this);
}

void TControl::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    if (OnMouseDown) OnMouseDown(this, button, shift, x, y);
}

void TControl::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    if (OnMouseUp) OnMouseUp(this, button, shift, x, y);
}

void TControl::MouseMove(TShiftState shift, int x, int y) {
    if (OnMouseMove) OnMouseMove(this, shift, x, y);
}

void TControl::Resize() {
    if (OnResize) OnResize(this);
}

void TControl::WndProc(TMessage& m) {
    switch (m.Msg) {
        case WM_MOUSEMOVE:
        case WM_LBUTTONDOWN:
        case WM_LBUTTONUP:
        case WM_LBUTTONDBLCLK:
        case WM_RBUTTONDOWN:
        case WM_RBUTTONUP:
        case WM_RBUTTONDBLCLK:
        case WM_MBUTTONDOWN:
        case WM_MBUTTONUP:
        case WM_MBUTTONDBLCLK:
            HandleMouseMessage(m);
            return;
        case WM_CONTEXTMENU:
            HandleContextMenu(m);
            return;
        case CM_PARENTCOLORCHANGED:
            if (parentColor_ && (m.WParam || parent_))
                AdoptParentColor(m.WParam ? static_cast<TColor>(m.LParam) : parent_->Color());
            return;
        case CM_PARENTFONTCHANGED:
            if (parentFont_ && (m.WParam || parent_))
                AdoptParentFont(m.WParam ? reinterpret_cast<TFont*>(m.LParam) : parent_->Font());
            return;
        case CM_PARENTSHOWHINTCHANGED:
            if (parentShowHint_ && parent_ && showHint_ != parent_->ShowHint()) {
                showHint_ = parent_->ShowHint();
                Perform(CM_SHOWHINTCHANGED, 0, 0);
            }
            return;
        case CM_COLORCHANGED:
        case CM_FONTCHANGED:
        case CM_ENABLEDCHANGED:
            Invalidate();
            return;
        case CM_HITTEST:
            m.Result = HTCLIENT;
            return;
    }
    DefaultHandler(m);
}

void TControl::HandleMouseMessage(TMessage& m) {
    // The system's own processing first, as the window class expects.
    DefaultHandler(m);
    if (m.Msg == WM_MOUSEMOVE) {
        if (TApplication* app = TApplicationRef::Existing()) app->HintMouseMessage(this, m);
    }
    const bool stdEvents = !(controlStyle_ & csNoStdEvents);
    const TShiftState shift = KeysToShiftState(static_cast<WORD>(m.WParam));
    const int x = m.XPos(), y = m.YPos();
    switch (m.Msg) {
        case WM_MOUSEMOVE:
            if (stdEvents) MouseMove(shift, x, y);
            break;
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK:
            if (controlStyle_ & csCaptureMouse) SetMouseCapture(true);
            if (m.Msg == WM_LBUTTONDBLCLK) {
                if ((controlStyle_ & csClickEvents) && (controlStyle_ & csDoubleClicks)) DblClick();
            } else if (controlStyle_ & csClickEvents) {
                controlState_ |= csClicked;
            }
            if (stdEvents) MouseDown(mbLeft, shift | (m.Msg == WM_LBUTTONDBLCLK ? ssDouble : 0), x, y);
            if (dragMode_ == dmAutomatic && m.Msg == WM_LBUTTONDOWN && !Dragging()) BeginDrag(false);
            break;
        case WM_LBUTTONUP:
            if (controlStyle_ & csCaptureMouse) SetMouseCapture(false);
            if (controlState_ & csClicked) {
                controlState_ &= ~csClicked;
                const TRect client = ClientRect();
                if (PtInRect(&client, Point(x, y))) Click();
            }
            if (stdEvents) MouseUp(mbLeft, shift, x, y);
            break;
        case WM_RBUTTONDOWN:
        case WM_RBUTTONDBLCLK:
            if (stdEvents) MouseDown(mbRight, shift | (m.Msg == WM_RBUTTONDBLCLK ? ssDouble : 0), x, y);
            break;
        case WM_RBUTTONUP:
            if (stdEvents) MouseUp(mbRight, shift, x, y);
            break;
        case WM_MBUTTONDOWN:
        case WM_MBUTTONDBLCLK:
            if (stdEvents) MouseDown(mbMiddle, shift | (m.Msg == WM_MBUTTONDBLCLK ? ssDouble : 0), x, y);
            break;
        case WM_MBUTTONUP:
            if (stdEvents) MouseUp(mbMiddle, shift, x, y);
            break;
    }
}

void TControl::HandleContextMenu(TMessage& m) {
    if (m.Result != 0) return;
    TPopupMenu* menu = GetPopupMenu();
    if (menu && menu->AutoPopup()) {
        TPoint p = Point(m.XPos(), m.YPos());
        // (-1, -1): the menu key; the menu opens at the control's corner.
        if (p.x == -1 && p.y == -1) p = ClientToScreen(Point(0, 0));
        menu->SetPopupComponent(this);
        menu->Popup(p.x, p.y);
        m.Result = 1;
        return;
    }
    DefaultHandler(m);
}

// ---- TGraphicControl ---------------------------------------------------------
CL_CLASS_INFO(TGraphicControl)

TGraphicControl::TGraphicControl(TComponent* owner)
    : TControl(owner), canvas_(std::make_unique<TControlCanvas>()) {
    canvas_->SetControl(this);
}

TGraphicControl::~TGraphicControl() {
    canvas_->FreeHandle();
}

void TGraphicControl::WndProc(TMessage& m) {
    if (m.Msg == WM_PAINT) {
        // The parent paints its windowless children with its own context,
        // moved to the child's origin and clipped to it.
        if (m.WParam && !(ComponentState() & csDestroying)) {
            canvas_->FreeHandle();
            const CanvasDCScope lent(*canvas_, reinterpret_cast<HDC>(m.WParam));
            Paint();
        }
        return;
    }
    TControl::WndProc(m);
}

}  // namespace cl
