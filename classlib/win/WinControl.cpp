// TWinControl and TCustomControl: windows made on demand and subclassed,
// children, alignment, focus, keys and the reflection of child
// notifications.
#include <algorithm>
#include <unordered_map>

#include "classlib/Exceptions.h"
#include "classlib/Scope.h"
#include "classlib/StrUtils.h"
#include "classlib/win/Controls.h"
#include "classlib/win/DialogKeys.h"
#include "classlib/win/Forms.h"
#include "classlib/win/Menus.h"
#include "classlib/win/WideText.h"

namespace cl {

namespace {

const wchar_t kObjectProp[] = L"ClObject";
const wchar_t kNameProp[] = L"ClName";

// The control whose window CreateWindowEx is making: the creation hook
// subclasses that window before its first message.
TWinControl* g_creating = nullptr;
HHOOK g_creationHook = nullptr;
int g_dispatchDepth = 0;
UINT g_nextChildId = 0;

// The control of each subclassed window, kept here besides the window's
// property: on Wine GetPropW is a round trip to the server, and every
// message of every control looks its control up.  Never destroyed: windows
// may still go while the program's statics are destroyed.
class TControlsByWindow {
public:
    void Set(HWND wnd, TWinControl* control) {
        AcquireSRWLockExclusive(&lock_);
        const ScopeExit release([this] { ReleaseSRWLockExclusive(&lock_); });
        map_[wnd] = control;
    }
    void Erase(HWND wnd) noexcept {
        AcquireSRWLockExclusive(&lock_);
        map_.erase(wnd);
        ReleaseSRWLockExclusive(&lock_);
    }
    TWinControl* Find(HWND wnd) noexcept {
        AcquireSRWLockShared(&lock_);
        const auto it = map_.find(wnd);
        TWinControl* control = it == map_.end() ? nullptr : it->second;
        ReleaseSRWLockShared(&lock_);
        return control;
    }

private:
    SRWLOCK lock_ = SRWLOCK_INIT;
    std::unordered_map<HWND, TWinControl*> map_;
};
TControlsByWindow& ControlsByWindow() {
    static auto* controls = new TControlsByWindow;
    return *controls;
}

UINT NextChildId() {
    g_nextChildId = g_nextChildId % 0xFFFE + 1;
    return g_nextChildId;
}

}  // namespace

LRESULT CALLBACK ControlWndProc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp) {
    TWinControl* control = ControlsByWindow().Find(wnd);
    if (!control) return DefWindowProcW(wnd, msg, wp, lp);
    TMessage m{msg, wp, lp, 0};
    ++g_dispatchDepth;
    ExceptionBarrier(control, [&] { control->WindowProc(m); });
    // Contexts that control canvases took while drawing outside WM_PAINT
    // live until the outermost message is done.
    if (--g_dispatchDepth == 0) TControlCanvas::FreeDeviceContexts();
    return m.Result;
}

LRESULT CALLBACK CreationHook(int code, WPARAM wp, LPARAM lp) {
    if (code == HCBT_CREATEWND && g_creating && !g_creating->handle_) {
        TWinControl* control = g_creating;
        g_creating = nullptr;
        ExceptionBarrier(control, [&] { control->AttachHandle(reinterpret_cast<HWND>(wp)); });
    }
    return CallNextHookEx(g_creationHook, code, wp, lp);
}

// ---- Creation and destruction ------------------------------------------------
CL_CLASS_INFO(TWinControl, Prop("TabOrder", &TWinControl::TabOrder, &TWinControl::SetTabOrder),
              Prop("TabStop", &TWinControl::TabStop, &TWinControl::SetTabStop),
              Prop("Ctl3D", &TWinControl::Ctl3D, &TWinControl::SetCtl3D),
              Prop("ParentCtl3D", &TWinControl::ParentCtl3D, &TWinControl::SetParentCtl3D),
              EnumProp("ImeMode",
                       {"imDisable", "imClose", "imOpen", "imDontCare", "imSAlpha", "imAlpha", "imHira",
                        "imSKata", "imKata", "imChinese", "imSHanguel", "imHanguel"},
                       &TWinControl::ImeMode, &TWinControl::SetImeMode),
              Prop("ImeName", &TWinControl::ImeName, &TWinControl::SetImeName))

TWinControl::TWinControl(TComponent* owner) : TControl(owner), brush_(std::make_unique<TBrush>()) {
    brush_->SetColor(Color());
}

TWinControl::~TWinControl() {
    WinTearDown();
}

void TWinControl::BeforeDestruction() {
    WinTearDown();
    TControl::BeforeDestruction();
}

void TWinControl::WinTearDown() noexcept {
    if (winTornDown_) return;
    winTornDown_ = true;
    Destroying();
    RemoveFocus(true);
    if (handle_) {
        // The children's windows go with this one; each detaches itself
        // in its WM_NCDESTROY.
        HWND wnd = handle_;
        DestroyWindow(wnd);
        DetachHandle();
    }
    // A windowed control frees the controls it holds, whoever owns them.
    while (!controls_.empty()) {
        TControl* child = controls_.back();
        try {
            RemoveControl(child);
        } catch (...) {
            // Removal re-lays out nothing here (this control is being
            // destroyed); the child goes in any case.
        }
        if (!controls_.empty() && controls_.back() == child) controls_.pop_back();
        child->Free();
    }
}

void TWinControl::SetName(const std::string& name) {
    TControl::SetName(name);
    if (handle_) SetNameProperty();
}

HWND TWinControl::Handle() {
    if (!handle_) {
        if (parent_) parent_->HandleNeeded();
        if (!handle_) CreateHandle();
    }
    return handle_;
}

TWinControl* TWinControl::FindControl(HWND wnd) {
    if (!wnd) return nullptr;
    DWORD pid = 0;
    GetWindowThreadProcessId(wnd, &pid);
    if (pid != GetCurrentProcessId()) return nullptr;
    return ControlsByWindow().Find(wnd);
}

void TWinControl::CreateParams(TCreateParams& p) {
    p = TCreateParams{};
    p.Caption = text_;
    p.Style = WS_CHILD | WS_CLIPSIBLINGS;
    if (controlStyle_ & csAcceptsControls) {
        p.Style |= WS_CLIPCHILDREN;
        p.ExStyle |= WS_EX_CONTROLPARENT;
    }
    if (!Enabled()) p.Style |= WS_DISABLED;
    if (tabStop_) p.Style |= WS_TABSTOP;
    if (Visible()) p.Style |= WS_VISIBLE;
    p.X = left_;
    p.Y = top_;
    p.Width = width_;
    p.Height = height_;
    p.WndParent = parent_ ? parent_->Handle() : nullptr;
    p.WindowClass.style = CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS;
    p.WindowClass.lpfnWndProc = DefWindowProcW;
    p.WindowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    p.WindowClass.hInstance = GetModuleHandleW(nullptr);
    p.WinClassName = ToWide(ClassName());
}

namespace {

bool SystemClassInfo(const wchar_t* className, WNDCLASSW& wc) {
    return GetClassInfoW(nullptr, className, &wc) || GetClassInfoW(GetModuleHandleW(nullptr), className, &wc);
}

}  // namespace

void TWinControl::CreateSubClass(TCreateParams& params, const wchar_t* className) {
    WNDCLASSW wc{};
    if (!SystemClassInfo(className, wc))
        throw EOSError("Window class " + FromWide(className) + " is not registered");
    params.WindowClass = wc;
    params.WinClassName = className;
    systemClass_ = true;
}

void TWinControl::CreateWnd() {
    systemClass_ = false;
    TCreateParams p;
    CreateParams(p);
    WNDCLASSW system{};
    const bool ownStyle = systemClass_ && SystemClassInfo(p.WinClassName.c_str(), system) &&
                          system.style != p.WindowClass.style;
    if (ownStyle) {
        // A window has its class's style: a system class with a style of the
        // control's own (a redraw style dropped) is registered again under
        // a name of ours, with the system class's window procedure.
        p.WinClassName += L"." + std::to_wstring(p.WindowClass.style);
        p.WindowClass.hInstance = GetModuleHandleW(nullptr);
    }
    if (!systemClass_ || ownStyle) {
        WNDCLASSW existing{};
        if (!GetClassInfoW(p.WindowClass.hInstance, p.WinClassName.c_str(), &existing)) {
            p.WindowClass.lpszClassName = p.WinClassName.c_str();
            if (!RegisterClassW(&p.WindowClass))
                throw EOSError("Cannot register window class " + ClassName());
        }
    }
    CreateWindowHandle(p);
    // System controls draw their text in the control's font.
    SendMessageW(handle_, WM_SETFONT, reinterpret_cast<WPARAM>(Font()->Handle()), FALSE);
}

void TWinControl::CreateWindowHandle(const TCreateParams& p) {
    if (!g_creationHook)
        g_creationHook = SetWindowsHookExW(WH_CBT, CreationHook, nullptr, GetCurrentThreadId());
    HMENU menu =
        (p.Style & WS_CHILD) ? reinterpret_cast<HMENU>(static_cast<UINT_PTR>(NextChildId())) : p.Menu;
    const std::wstring caption = ToWide(p.Caption);
    g_creating = this;
    HWND wnd = CreateWindowExW(p.ExStyle, p.WinClassName.c_str(), caption.c_str(), p.Style, p.X, p.Y, p.Width,
                               p.Height, p.WndParent, menu, GetModuleHandleW(nullptr), p.Param);
    g_creating = nullptr;
    if (!wnd) {
        DetachHandle();
        throw EOSError("Error creating window " + ClassName());
    }
    // Without the hook (it could not be set) the window is subclassed now.
    if (handle_ != wnd) AttachHandle(wnd);
}

void TWinControl::AttachHandle(HWND wnd) {
    handle_ = wnd;
    SetPropW(wnd, kObjectProp, this);
    ControlsByWindow().Set(wnd, this);
    SetNameProperty();
    defWndProc_ = reinterpret_cast<WNDPROC>(GetWindowLongPtrW(wnd, GWLP_WNDPROC));
    SetWindowLongPtrW(wnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(ControlWndProc));
}

void TWinControl::DetachHandle() noexcept {
    if (!handle_) return;
    if (IsWindow(handle_)) {
        if (reinterpret_cast<WNDPROC>(GetWindowLongPtrW(handle_, GWLP_WNDPROC)) == ControlWndProc)
            SetWindowLongPtrW(handle_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(defWndProc_));
        RemovePropW(handle_, kObjectProp);
    }
    ControlsByWindow().Erase(handle_);
    RemoveNameProperty();
    handle_ = nullptr;
}

void TWinControl::SetNameProperty() noexcept {
    RemoveNameProperty();
    if (!handle_ || Name().empty()) return;
    nameAtom_ = GlobalAddAtomW(ToWide(Name()).c_str());
    if (nameAtom_) SetPropW(handle_, kNameProp, reinterpret_cast<HANDLE>(static_cast<UINT_PTR>(nameAtom_)));
}

void TWinControl::RemoveNameProperty() noexcept {
    if (handle_ && IsWindow(handle_)) RemovePropW(handle_, kNameProp);
    if (nameAtom_) GlobalDeleteAtom(nameAtom_);
    nameAtom_ = 0;
}

void TWinControl::CreateHandle() {
    if (handle_) return;
    {
        controlState_ |= csCreating;
        const ScopeExit created([this] { controlState_ &= ~csCreating; });
        CreateWnd();
    }
    // Children keep their places in the new window.
    const std::vector<TControl*> children = controls_;
    for (TControl* c : children) {
        auto* w = dynamic_cast<TWinControl*>(c);
        if (w && !w->handle_ && w->MadeWithParent()) w->CreateHandle();
        c->UpdateAnchorRules();
    }
    Realign();
}

void TWinControl::DestroyHandle() {
    if (!handle_) return;
    controlState_ |= csDestroyingHandle;
    const ScopeExit destroyed([this] { controlState_ &= ~csDestroyingHandle; });
    for (TControl* c : controls_)
        if (auto* w = dynamic_cast<TWinControl*>(c)) w->DestroyHandle();
    DestroyWnd();
}

void TWinControl::DestroyWnd() {
    text_ = GetText();
    HWND wnd = handle_;
    DestroyWindow(wnd);
    DetachHandle();
}

void TWinControl::RecreateWnd() {
    if (!handle_) return;
    const bool hadFocus = ContainsControl(TWinControl::FindControl(GetFocus()));
    const bool shown = IsWindowVisible(handle_) != FALSE;
    DestroyHandle();
    HandleNeeded();
    // A child shows through WS_VISIBLE; a top-level window is shown apart.
    if (shown && !(GetWindowLongW(handle_, GWL_STYLE) & WS_CHILD)) ShowWindow(handle_, SW_SHOW);
    if (hadFocus && CanFocus()) ::SetFocus(handle_);
}

std::string TWinControl::GetText() const {
    if (!handle_) return text_;
    const LRESULT len = SendMessageW(handle_, WM_GETTEXTLENGTH, 0, 0);
    std::wstring buf(static_cast<size_t>(len) + 1, L'\0');
    const LRESULT got = SendMessageW(handle_, WM_GETTEXT, buf.size(), reinterpret_cast<LPARAM>(buf.data()));
    buf.resize(static_cast<size_t>(std::max<LRESULT>(got, 0)));
    return FromWide(buf);
}

void TWinControl::SetTextValue(const std::string& value) {
    if (handle_)
        SendMessageW(handle_, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(ToWide(value).c_str()));
    else
        text_ = value;
}

void TWinControl::VisibleChanged() {
    if (!Visible()) RemoveFocus(false);
    if (handle_) {
        SetWindowPos(handle_, nullptr, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE |
                         (Visible() ? SWP_SHOWWINDOW : SWP_HIDEWINDOW));
    } else if (Visible() && parent_ && parent_->handle_) {
        CreateHandle();
    }
}

void TWinControl::ShowControl(TControl*) {
    if (parent_) parent_->ShowControl(this);
}

void TWinControl::EnabledChanged() {
    if (!Enabled()) RemoveFocus(false);
    if (handle_) EnableWindow(handle_, Enabled());
}

void TWinControl::RemoveFocus(bool removing) {
    if (TCustomForm* form = GetParentForm(this)) form->DefocusControl(this, removing);
}

// ---- Children ------------------------------------------------------------------
TControl* TWinControl::Controls(int index) const {
    if (index < 0 || index >= ControlCount())
        throw EListError("List index out of bounds (" + IntToStr(index) + ")");
    return controls_[static_cast<size_t>(index)];
}

bool TWinControl::ContainsControl(TControl* control) const {
    while (control && control != this) control = control->Parent();
    return control != nullptr;
}

TControl* TWinControl::FindChildControl(const std::string& name) const {
    for (TControl* c : controls_)
        if (SameText(c->Name(), name)) return c;
    return nullptr;
}

TControl* TWinControl::ControlAtPos(TPoint p, bool allowDisabled, bool allowWinControls) {
    for (auto it = controls_.rbegin(); it != controls_.rend(); ++it) {
        TControl* c = *it;
        if (!allowWinControls && dynamic_cast<TWinControl*>(c)) continue;
        if (!c->Visible() || (!c->Enabled() && !allowDisabled)) continue;
        const TRect r = c->BoundsRect();
        if (!PtInRect(&r, p)) continue;
        if (c->Perform(CM_HITTEST, 0, MAKELPARAM(p.x - c->Left(), p.y - c->Top())) != 0) return c;
    }
    return nullptr;
}

void TWinControl::InsertControl(TControl* control) {
    if (control->parent_ == this) return;
    control->parent_ = this;
    controls_.push_back(control);
    auto* win = dynamic_cast<TWinControl*>(control);
    if (win) tabList_.push_back(win);
    control->Perform(CM_PARENTCOLORCHANGED, 0, 0);
    control->Perform(CM_PARENTFONTCHANGED, 0, 0);
    control->Perform(CM_PARENTSHOWHINTCHANGED, 0, 0);
    if (win) win->Perform(CM_PARENTCTL3DCHANGED, 0, 0);
    control->UpdateAnchorRules();
    if (handle_) {
        if (win) {
            if (win->MadeWithParent()) win->CreateHandle();
        } else {
            control->Invalidate();
        }
    }
    Perform(CM_CONTROLCHANGE, reinterpret_cast<WPARAM>(control), 1);
    if (control->Align() != alNone) AlignControl(control);
}

void TWinControl::RemoveControl(TControl* control) {
    if (control->parent_ != this) return;
    Perform(CM_CONTROLCHANGE, reinterpret_cast<WPARAM>(control), 0);
    if (auto* win = dynamic_cast<TWinControl*>(control)) {
        win->RemoveFocus(true);
        win->DestroyHandle();
        std::erase(tabList_, win);
    } else {
        control->Invalidate();
    }
    if (GetCaptureControl() == control) SetCaptureControl(nullptr);
    std::erase(controls_, control);
    control->parent_ = nullptr;
    if (control->Align() != alNone) Realign();
}

void TWinControl::Broadcast(TMessage& m) {
    const std::vector<TControl*> children = controls_;
    for (TControl* c : children) {
        if (std::find(controls_.begin(), controls_.end(), c) == controls_.end()) continue;
        c->WindowProc(m);
        if (m.Result != 0) return;
    }
}

void TWinControl::NotifyControls(UINT msg) {
    TMessage m{msg, 0, 0, 0};
    Broadcast(m);
}

// ---- Bounds and alignment ------------------------------------------------------
TRect TWinControl::ClientRect() {
    if (handle_) {
        RECT r;
        GetClientRect(handle_, &r);
        return r;
    }
    return TControl::ClientRect();
}

TPoint TWinControl::ClientOrigin() {
    if (handle_) {
        POINT p{0, 0};
        ::ClientToScreen(handle_, &p);
        return p;
    }
    return TControl::ClientOrigin();
}

void TWinControl::SetBounds(int left, int top, int width, int height) {
    if (!handle_ || IsIconic(handle_)) {
        TControl::SetBounds(left, top, width, height);
        return;
    }
    width = std::max(Constraints()->ConstrainWidth(width), 0);
    height = std::max(Constraints()->ConstrainHeight(height), 0);
    if (left == left_ && top == top_ && width == width_ && height == height_) return;
    // WM_WINDOWPOSCHANGED brings the window's real bounds back (UpdateBounds).
    SetWindowPos(handle_, nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
    UpdateBounds();
    UpdateAnchorRules();
    RequestAlign();
}

void TWinControl::UpdateBounds() {
    if (!handle_) return;
    RECT r;
    if (IsIconic(handle_)) {
        WINDOWPLACEMENT wp{};
        wp.length = sizeof wp;
        GetWindowPlacement(handle_, &wp);
        r = wp.rcNormalPosition;
    } else {
        GetWindowRect(handle_, &r);
        if (GetWindowLongW(handle_, GWL_STYLE) & WS_CHILD)
            MapWindowPoints(HWND_DESKTOP, GetParent(handle_), reinterpret_cast<POINT*>(&r), 2);
    }
    left_ = r.left;
    top_ = r.top;
    width_ = r.right - r.left;
    height_ = r.bottom - r.top;
}

void TWinControl::EnableAlign() {
    if (alignLevel_ > 0 && --alignLevel_ == 0 && (controlState_ & csAlignmentNeeded)) Realign();
}

void TWinControl::Realign() {
    AlignControl(nullptr);
}

void TWinControl::AlignControl(TControl* control) {
    if (ComponentState() & csDestroying) return;
    if (alignLevel_ > 0 || aligning_) {
        controlState_ |= csAlignmentNeeded;
        return;
    }
    controlState_ &= ~csAlignmentNeeded;
    TRect r = ClientRect();
    AdjustClientRect(r);
    AlignControls(control, r);
}

namespace {

// Whether c1 goes before c2 among the controls of one alignment.
bool AlignsBefore(TControl* c1, TControl* c2, TAlign align) {
    switch (align) {
        case alTop:
            return c1->Top() < c2->Top();
        case alBottom:
            return c1->Top() + c1->Height() >= c2->Top() + c2->Height();
        case alLeft:
            return c1->Left() < c2->Left();
        case alRight:
            return c1->Left() + c1->Width() >= c2->Left() + c2->Width();
        default:
            return false;
    }
}

}  // namespace

void TWinControl::AlignControls(TControl* control, TRect& rect) {
    const FlagScope aligning(aligning_);
    // Top edges first, then bottom, left, right, and the client fills the rest.
    for (TAlign align : {alTop, alBottom, alLeft, alRight, alClient}) {
        std::vector<TControl*> list;
        if (control && control->Align() == align && control->Visible()) list.push_back(control);
        for (TControl* c : controls_) {
            if (c == control || c->Align() != align || !c->Visible()) continue;
            size_t j = 0;
            while (j < list.size() && !AlignsBefore(c, list[j], align)) ++j;
            list.insert(list.begin() + static_cast<std::ptrdiff_t>(j), c);
        }
        for (TControl* c : list) {
            const int w = rect.right - rect.left, h = rect.bottom - rect.top;
            switch (align) {
                case alTop:
                    c->SetBounds(rect.left, rect.top, w, c->Height());
                    rect.top += c->Height();
                    break;
                case alBottom:
                    c->SetBounds(rect.left, rect.bottom - c->Height(), w, c->Height());
                    rect.bottom -= c->Height();
                    break;
                case alLeft:
                    c->SetBounds(rect.left, rect.top, c->Width(), h);
                    rect.left += c->Width();
                    break;
                case alRight:
                    c->SetBounds(rect.right - c->Width(), rect.top, c->Width(), h);
                    rect.right -= c->Width();
                    break;
                default:
                    c->SetBounds(rect.left, rect.top, w, h);
                    break;
            }
        }
    }
    const TRect client = ClientRect();
    for (TControl* c : controls_)
        if (c->Align() == alNone && c->Anchors() != (akLeft | akTop)) c->Anchor(client.right, client.bottom);
}

void TWinControl::ScrollBy(int dx, int dy) {
    if (dx == 0 && dy == 0) return;
    // Moved as the parent places them: no anchor rules change, nobody re-aligns.
    const FlagScope aligning(aligning_);
    const std::vector<TControl*> children = controls_;
    for (TControl* c : children) {
        c->SetBounds(c->left_ + dx, c->top_ + dy, c->width_, c->height_);
        OffsetRect(&c->anchorBounds_, dx, dy);
    }
    Invalidate();
}

void TWinControl::Invalidate() {
    if (handle_) InvalidateRect(handle_, nullptr, !(controlStyle_ & csOpaque));
}

void TWinControl::Update() {
    if (handle_) UpdateWindow(handle_);
}

bool TWinControl::Showing() const {
    return handle_ && IsWindowVisible(handle_);
}

// ---- Focus and tab order -------------------------------------------------------
bool TWinControl::Focused() const {
    return handle_ && GetFocus() == handle_;
}

bool TWinControl::CanFocus() {
    TCustomForm* form = GetParentForm(this);
    if (!form) return false;
    for (TWinControl* c = this; c && c != form; c = c->parent_)
        if (!c->Visible() || !c->Enabled()) return false;
    return true;
}

void TWinControl::SetFocus() {
    if (TCustomForm* form = GetParentForm(this))
        form->FocusControl(this);
    else
        ::SetFocus(Handle());
}

int TWinControl::TabOrder() const {
    if (!parent_) return -1;
    const auto& list = parent_->tabList_;
    return static_cast<int>(std::find(list.begin(), list.end(), this) - list.begin());
}

void TWinControl::SetTabOrder(int value) {
    if (!parent_) return;
    auto& list = parent_->tabList_;
    const int count = static_cast<int>(list.size());
    value = std::clamp(value, 0, count - 1);
    std::erase(list, this);
    list.insert(list.begin() + value, this);
}

void TWinControl::SetTabStop(bool value) {
    if (value == tabStop_) return;
    tabStop_ = value;
    if (handle_) {
        const LONG style = GetWindowLongW(handle_, GWL_STYLE);
        SetWindowLongW(handle_, GWL_STYLE, value ? (style | WS_TABSTOP) : (style & ~WS_TABSTOP));
    }
    Perform(CM_TABSTOPCHANGED, 0, 0);
}

void TWinControl::SetCtl3D(bool value) {
    parentCtl3D_ = false;
    if (value == ctl3D_) return;
    ctl3D_ = value;
    Ctl3DChanged();
}

void TWinControl::SetParentCtl3D(bool value) {
    if (value == parentCtl3D_) return;
    parentCtl3D_ = value;
    AdoptParentCtl3D();
}

void TWinControl::AdoptParentCtl3D() {
    if (!parentCtl3D_ || !Parent() || Parent()->Ctl3D() == ctl3D_) return;
    ctl3D_ = Parent()->Ctl3D();
    Ctl3DChanged();
}

void TWinControl::Ctl3DChanged() {
    Perform(CM_CTL3DCHANGED, 0, 0);
    NotifyControls(CM_PARENTCTL3DCHANGED);
}

void TWinControl::GetChildren(const TGetChildProc& proc, TComponent* root) {
    for (TControl* child : controls_)
        if (child->Owner() == root) proc(child);
}

void TWinControl::GetTabOrderList(std::vector<TWinControl*>& list) {
    for (TWinControl* c : tabList_) {
        list.push_back(c);
        c->GetTabOrderList(list);
    }
}

TWinControl* TWinControl::FindNextControl(TWinControl* current, bool goForward, bool checkTabStop,
                                          bool checkParent) {
    std::vector<TWinControl*> list;
    GetTabOrderList(list);
    if (list.empty()) return nullptr;
    const int count = static_cast<int>(list.size());
    int start = static_cast<int>(std::find(list.begin(), list.end(), current) - list.begin());
    if (start == count) start = goForward ? count - 1 : 0;
    int i = start;
    do {
        i = goForward ? (i + 1) % count : (i + count - 1) % count;
        TWinControl* c = list[static_cast<size_t>(i)];
        if (c->CanFocus() && (!checkTabStop || IsTabStopOf(c)) && (!checkParent || c->Parent() == this))
            return c;
    } while (i != start);
    return nullptr;
}

void TWinControl::SelectNext(TWinControl* current, bool goForward, bool checkTabStop) {
    TWinControl* next = FindNextControl(current, goForward, checkTabStop, !checkTabStop);
    if (!next) return;
    if (TCustomForm* form = GetParentForm(next))
        form->SetActiveControl(next);
    else
        next->SetFocus();
}

void TWinControl::SelectFirst() {
    TWinControl* first = FindNextControl(nullptr, true, true, false);
    if (!first) first = FindNextControl(nullptr, true, false, false);
    if (!first) return;
    if (TCustomForm* form = GetParentForm(this)) form->SetActiveControl(first);
}

// ---- Keys ----------------------------------------------------------------------------
void TWinControl::KeyDown(WORD& key, TShiftState shift) {
    if (OnKeyDown) OnKeyDown(this, key, shift);
}

void TWinControl::KeyUp(WORD& key, TShiftState shift) {
    if (OnKeyUp) OnKeyUp(this, key, shift);
}

void TWinControl::KeyPress(char& key) {
    if (OnKeyPress) OnKeyPress(this, key);
}

void TWinControl::DoEnter() {
    if (OnEnter) OnEnter(this);
}

void TWinControl::DoExit() {
    if (OnExit) OnExit(this);
}

bool TWinControl::DoKeyDown(TMessage& m) {
    TCustomForm* form = GetParentForm(this);
    if (form && form != this && form->KeyPreview() && form->DoKeyDown(m)) return true;
    if (controlStyle_ & csNoStdEvents) return false;
    WORD key = static_cast<WORD>(m.WParam);
    KeyDown(key, KeyDataToShiftState(m.LParam));
    if (key == 0) return true;
    m.WParam = key;
    return false;
}

bool TWinControl::DoKeyUp(TMessage& m) {
    TCustomForm* form = GetParentForm(this);
    if (form && form != this && form->KeyPreview() && form->DoKeyUp(m)) return true;
    if (controlStyle_ & csNoStdEvents) return false;
    WORD key = static_cast<WORD>(m.WParam);
    KeyUp(key, KeyDataToShiftState(m.LParam));
    if (key == 0) return true;
    m.WParam = key;
    return false;
}

bool TWinControl::DoKeyPress(TMessage& m) {
    TCustomForm* form = GetParentForm(this);
    if (form && form != this && form->KeyPreview() && form->DoKeyPress(m)) return true;
    if (controlStyle_ & csNoStdEvents) return false;
    // The program sees the character in Windows-1250.
    const wchar_t wc = static_cast<wchar_t>(m.WParam);
    const std::string narrow = FromWide(std::wstring_view(&wc, 1));
    const char original = narrow.empty() ? '?' : narrow[0];
    char key = original;
    KeyPress(key);
    if (key == 0) return true;
    if (key != original) m.WParam = static_cast<WPARAM>(ToWide(std::string(1, key))[0]);
    return false;
}

bool TWinControl::IsMenuKey(TMessage& m) {
    for (TWinControl* c = this; c; c = c->parent_) {
        TPopupMenu* menu = c->GetPopupMenu();
        if (menu && menu->WindowHandle() && menu->IsShortCut(m)) return true;
    }
    if (TCustomForm* form = GetParentForm(this); form && form->IsShortCut(m)) return true;
    return Application->IsShortCut(m);
}

void TWinControl::CNKeyDown(TMessage& m) {
    m.Result = 1;
    if (IsMenuKey(m)) return;
    if (Perform(CM_CHILDKEY, m.WParam, reinterpret_cast<LPARAM>(this)) != 0) return;
    UINT mask = 0;
    switch (m.WParam) {
        case VK_TAB:
            mask = DLGC_WANTTAB;
            break;
        case VK_LEFT:
        case VK_RIGHT:
        case VK_UP:
        case VK_DOWN:
            mask = DLGC_WANTARROWS;
            break;
        case VK_RETURN:
        case VK_EXECUTE:
        case VK_ESCAPE:
        case VK_CANCEL:
            mask = DLGC_WANTALLKEYS;
            break;
    }
    // A dialog key the control does not want goes to the form: Tab moves
    // the focus, Enter and Esc press the default and cancel buttons.
    if (mask && Perform(CM_WANTSPECIALKEY, m.WParam, 0) == 0 &&
        (DialogCodeFor(this, static_cast<WORD>(m.WParam)) & mask) == 0) {
        TCustomForm* form = GetParentForm(this);
        if (form && form->Perform(CM_DIALOGKEY, m.WParam, m.LParam) != 0) return;
    }
    m.Result = 0;
}

void TWinControl::CNChar(TMessage& m) {
    m.Result = 1;
    if (m.Msg == CN_SYSCHAR) {
        TCustomForm* form = GetParentForm(this);
        m.Result = (m.WParam != VK_SPACE && form) ? form->Perform(CM_DIALOGCHAR, m.WParam, m.LParam) : 0;
        return;
    }
    if ((Perform(WM_GETDLGCODE, 0, 0) & DLGC_WANTCHARS) == 0) {
        TCustomForm* form = GetParentForm(this);
        if (form && form->Perform(CM_DIALOGCHAR, m.WParam, m.LParam) != 0) return;
    }
    m.Result = 0;
}

// ---- Messages --------------------------------------------------------------------------
void TWinControl::ReflectToChild(TMessage& m, HWND child) {
    TWinControl* control = FindControl(child);
    if (control && control != this) {
        m.Result = control->Perform(CN_BASE + m.Msg, m.WParam, m.LParam);
        return;
    }
    DefaultHandler(m);
}

bool TWinControl::HandleSetCursor(TMessage& m) {
    if (reinterpret_cast<HWND>(m.WParam) != handle_ || LOWORD(m.LParam) != HTCLIENT) return false;
    TCursor cursor = Screen->Cursor();
    if (cursor == crDefault) {
        POINT p;
        GetCursorPos(&p);
        ::ScreenToClient(handle_, &p);
        if (TControl* child = ControlAtPos(p, false)) cursor = child->Cursor();
        if (cursor == crDefault) cursor = Cursor();
    }
    if (cursor == crDefault) return false;
    ::SetCursor(Screen->Cursors(cursor));
    m.Result = 1;
    return true;
}

bool TWinControl::IsControlMouseMsg(TMessage& m) {
    TControl* control = nullptr;
    if (GetCapture() == handle_) {
        TControl* captured = GetCaptureControl();
        if (captured && captured->Parent() == this) control = captured;
    } else {
        control = ControlAtPos(Point(m.XPos(), m.YPos()), false);
    }
    if (!control) return false;
    const LPARAM pos = MAKELPARAM(m.XPos() - control->Left(), m.YPos() - control->Top());
    m.Result = control->Perform(m.Msg, m.WParam, pos);
    // The window's own processing still runs (a right button up makes
    // WM_CONTEXTMENU there).
    if (m.Result == 0 && handle_) DefWindowProcW(handle_, m.Msg, m.WParam, m.LParam);
    return true;
}

void TWinControl::DefaultHandler(TMessage& m) {
    if (!handle_) return;
    m.Result =
        CallWindowProcW(defWndProc_ ? defWndProc_ : DefWindowProcW, handle_, m.Msg, m.WParam, m.LParam);
}

void TWinControl::PaintWindow(HDC dc) {
    if (!systemClass_) return;
    TMessage m{WM_PAINT, reinterpret_cast<WPARAM>(dc), 0, 0};
    DefaultHandler(m);
}

void TWinControl::PaintHandler(TMessage& m) {
    HDC dc = reinterpret_cast<HDC>(m.WParam);
    PAINTSTRUCT ps{};
    HWND painted = nullptr;
    const ScopeExit endPaint([&ps, &painted] {
        if (painted) EndPaint(painted, &ps);
    });
    if (!dc) {
        dc = BeginPaint(handle_, &ps);
        painted = handle_;
    }
    {
        const int saved = SaveDC(dc);
        const ScopeExit restore([dc, saved] { RestoreDC(dc, saved); });
        PaintWindow(dc);
    }
    PaintControls(dc);
}

void TWinControl::PaintBuffered(TMessage& m) {
    PAINTSTRUCT ps{};
    HDC dc = BeginPaint(handle_, &ps);
    const ScopeExit endPaint([&] { EndPaint(handle_, &ps); });
    const RECT& r = ps.rcPaint;
    const int width = r.right - r.left, height = r.bottom - r.top;
    if (width <= 0 || height <= 0) return;
    const OwnedBitmap bitmap(CreateCompatibleBitmap(dc, width, height));
    if (!bitmap) throw EOutOfResources("Out of system resources");
    const MemoryDC memory(bitmap.get());
    // The buffer stands for the update rectangle: client coordinates are
    // moved onto it.
    SetWindowOrgEx(memory.get(), r.left, r.top, nullptr);
    Perform(WM_ERASEBKGND, reinterpret_cast<WPARAM>(memory.get()), reinterpret_cast<LPARAM>(memory.get()));
    TMessage paint{WM_PAINT, reinterpret_cast<WPARAM>(memory.get()), 0, 0};
    PaintHandler(paint);
    BitBlt(dc, r.left, r.top, width, height, memory.get(), r.left, r.top, SRCCOPY);
    m.Result = 0;
}

void TWinControl::PaintControls(HDC dc) {
    const std::vector<TControl*> children = controls_;
    for (TControl* c : children) {
        if (dynamic_cast<TWinControl*>(c) || !c->Visible()) continue;
        const TRect r = c->BoundsRect();
        if (!RectVisible(dc, &r)) continue;
        const int saved = SaveDC(dc);
        const ScopeExit restore([dc, saved] { RestoreDC(dc, saved); });
        OffsetViewportOrgEx(dc, r.left, r.top, nullptr);
        IntersectClipRect(dc, 0, 0, r.right - r.left, r.bottom - r.top);
        c->Perform(WM_PAINT, reinterpret_cast<WPARAM>(dc), 0);
    }
}

void TWinControl::WndProc(TMessage& m) {
    switch (m.Msg) {
        case CM_PARENTCTL3DCHANGED:
            AdoptParentCtl3D();
            return;
        case WM_SETFOCUS: {
            TCustomForm* form = GetParentForm(this);
            if (form && !form->SetFocusedControl(this)) return;
            break;
        }
        case WM_KILLFOCUS:
            if (controlState_ & csFocusing) return;
            break;
        case WM_KEYDOWN:
        case WM_SYSKEYDOWN:
            if (DoKeyDown(m)) return;
            break;
        case WM_KEYUP:
        case WM_SYSKEYUP:
            if (DoKeyUp(m)) return;
            break;
        case WM_CHAR:
            if (DoKeyPress(m)) return;
            break;
        case CN_KEYDOWN:
        case CN_SYSKEYDOWN:
            CNKeyDown(m);
            return;
        case CN_CHAR:
        case CN_SYSCHAR:
            CNChar(m);
            return;
        case WM_COMMAND:
        case WM_HSCROLL:
        case WM_VSCROLL:
        case WM_CHARTOITEM:
        case WM_VKEYTOITEM:
        case WM_CTLCOLORMSGBOX:
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORLISTBOX:
        case WM_CTLCOLORBTN:
        case WM_CTLCOLORDLG:
        case WM_CTLCOLORSCROLLBAR:
        case WM_CTLCOLORSTATIC:
            if (m.LParam) {
                ReflectToChild(m, reinterpret_cast<HWND>(m.LParam));
                return;
            }
            break;
        case WM_NOTIFY:
            ReflectToChild(m, reinterpret_cast<NMHDR*>(m.LParam)->hwndFrom);
            return;
        case WM_DRAWITEM: {
            auto* dis = reinterpret_cast<DRAWITEMSTRUCT*>(m.LParam);
            if (dis->CtlType != ODT_MENU) {
                ReflectToChild(m, dis->hwndItem);
                return;
            }
            break;
        }
        case WM_DELETEITEM:
            ReflectToChild(m, reinterpret_cast<DELETEITEMSTRUCT*>(m.LParam)->hwndItem);
            return;
        case WM_COMPAREITEM:
            ReflectToChild(m, reinterpret_cast<COMPAREITEMSTRUCT*>(m.LParam)->hwndItem);
            return;
        case WM_MEASUREITEM: {
            auto* mis = reinterpret_cast<MEASUREITEMSTRUCT*>(m.LParam);
            if (mis->CtlType != ODT_MENU) {
                // A list box measures its items while it is being created,
                // before GetDlgItem can find it.
                HWND child = GetDlgItem(handle_, static_cast<int>(mis->CtlID));
                TWinControl* control = FindControl(child);
                if (!control && g_creating) control = g_creating;
                if (control && control != this) {
                    m.Result = control->Perform(CN_MEASUREITEM, m.WParam, m.LParam);
                    return;
                }
            }
            break;
        }
        case CN_CTLCOLORMSGBOX:
        case CN_CTLCOLOREDIT:
        case CN_CTLCOLORLISTBOX:
        case CN_CTLCOLORBTN:
        case CN_CTLCOLORDLG:
        case CN_CTLCOLORSCROLLBAR:
        case CN_CTLCOLORSTATIC:
            m.Result = CtlColor(reinterpret_cast<HDC>(m.WParam));
            return;
        case WM_ERASEBKGND:
            if (!systemClass_) {
                RECT r;
                GetClientRect(handle_, &r);
                FillRect(reinterpret_cast<HDC>(m.WParam), &r, brush_->Handle());
                m.Result = 1;
                return;
            }
            break;
        case WM_PAINT:
            if (!systemClass_) {
                if (doubleBuffered_ && !m.WParam)
                    PaintBuffered(m);
                else
                    PaintHandler(m);
                return;
            }
            break;
        case WM_PRINTCLIENT:
            // Painting into a caller's context (a print or a snapshot of the
            // window) leaves that context's state as it found it.
            if (!systemClass_ && m.WParam && (!(m.LParam & PRF_CHECKVISIBLE) || Visible())) {
                HDC dc = reinterpret_cast<HDC>(m.WParam);
                const int saved = SaveDC(dc);
                const ScopeExit restore([&] { RestoreDC(dc, saved); });
                PaintHandler(m);
                return;
            }
            break;
        case WM_WINDOWPOSCHANGED:
            UpdateBounds();
            break;
        case WM_SIZE:
            DefaultHandler(m);
            UpdateBounds();
            Realign();
            if (!(ComponentState() & csLoading)) Resize();
            return;
        case WM_SETCURSOR:
            if (HandleSetCursor(m)) return;
            break;
        case WM_CONTEXTMENU:
            if (m.Result == 0) {
                const TPoint p = Point(m.XPos(), m.YPos());
                if (!(p.x == -1 && p.y == -1)) {
                    if (TControl* child = ControlAtPos(ScreenToClient(p), false)) {
                        m.Result = child->Perform(WM_CONTEXTMENU, m.WParam, m.LParam);
                        if (m.Result != 0) return;
                    }
                }
            }
            break;
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
            if (IsControlMouseMsg(m)) return;
            break;
        case WM_SYSCOLORCHANGE:
            NotifyControls(CM_SYSCOLORCHANGE);
            break;
        case WM_NCDESTROY:
            DefaultHandler(m);
            DetachHandle();
            return;
        case CM_COLORCHANGED:
            brush_->SetColor(Color());
            NotifyControls(CM_PARENTCOLORCHANGED);
            break;
        case CM_FONTCHANGED:
            if (handle_) SendMessageW(handle_, WM_SETFONT, reinterpret_cast<WPARAM>(Font()->Handle()), TRUE);
            NotifyControls(CM_PARENTFONTCHANGED);
            break;
        case CM_SHOWHINTCHANGED:
            NotifyControls(CM_PARENTSHOWHINTCHANGED);
            return;
        case CM_DIALOGKEY:
        case CM_DIALOGCHAR:
        case CM_FOCUSCHANGED:
            Broadcast(m);
            return;
        case CM_CHILDKEY:
            if (parent_) m.Result = parent_->Perform(m.Msg, m.WParam, m.LParam);
            return;
        case CM_ENTER:
            DoEnter();
            return;
        case CM_EXIT:
            DoExit();
            return;
    }
    TControl::WndProc(m);
}

LRESULT TWinControl::CtlColor(HDC dc) {
    SetTextColor(dc, static_cast<COLORREF>(ColorToRGB(Font()->Color())));
    SetBkColor(dc, static_cast<COLORREF>(ColorToRGB(brush_->Color())));
    return reinterpret_cast<LRESULT>(brush_->Handle());
}

// ---- TCustomControl --------------------------------------------------------------
CL_CLASS_INFO(TCustomControl)

TCustomControl::TCustomControl(TComponent* owner)
    : TWinControl(owner), canvas_(std::make_unique<TControlCanvas>()) {
    canvas_->SetControl(this);
}

TCustomControl::~TCustomControl() {
    canvas_->FreeHandle();
}

void TCustomControl::WndProc(TMessage& m) {
    if (m.Msg == WM_ERASEBKGND) {
        // Paint covers the whole client area; erasing first would flicker.
        m.Result = 1;
        return;
    }
    TWinControl::WndProc(m);
}

void TCustomControl::PaintWindow(HDC dc) {
    canvas_->FreeHandle();
    const CanvasDCScope lent(*canvas_, dc);
    controlState_ |= csCustomPaint;
    const ScopeExit clear([this] { controlState_ &= ~csCustomPaint; });
    Paint();
}

}  // namespace cl
