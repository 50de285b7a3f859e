// TCustomForm: top-level windows, showing and closing, modal runs, the
// focus record, dialog keys and shortcuts.  The application and the screen
// are in Application.cpp.
#include "classlib/win/Forms.h"

#include <algorithm>

#include "classlib/Scope.h"
#include "classlib/win/DialogKeys.h"
#include "classlib/win/Menus.h"
#include "classlib/win/StdCtrls.h"
#include "classlib/win/WideText.h"

namespace cl {

namespace {

const char kCannotFocus[] = "Cannot focus a disabled or invisible window";

int ShowCommand(TWindowState state) {
    switch (state) {
        case wsMaximized:
            return SW_SHOWMAXIMIZED;
        case wsMinimized:
            return SW_SHOWMINIMIZED;
        default:
            return SW_SHOWNORMAL;
    }
}

struct TaskWindows {
    HWND except;
    std::vector<HWND> disabled;
};

BOOL CALLBACK DisableWindow(HWND wnd, LPARAM lp) {
    auto* list = reinterpret_cast<TaskWindows*>(lp);
    if (wnd != list->except && IsWindowVisible(wnd) && IsWindowEnabled(wnd)) {
        EnableWindow(wnd, FALSE);
        list->disabled.push_back(wnd);
    }
    return TRUE;
}

}  // namespace

// Every visible, enabled top-level window of the thread but except is
// disabled; the list gives them back.
std::vector<HWND> DisableTaskWindows(HWND except) {
    TaskWindows list{except, {}};
    EnumThreadWindows(GetCurrentThreadId(), DisableWindow, reinterpret_cast<LPARAM>(&list));
    return list.disabled;
}

void EnableTaskWindows(const std::vector<HWND>& windows) noexcept {
    for (HWND wnd : windows)
        if (IsWindow(wnd)) EnableWindow(wnd, TRUE);
}

TCustomForm* GetParentForm(TControl* control) {
    if (!control) return nullptr;
    while (control->Parent()) control = control->Parent();
    return dynamic_cast<TCustomForm*>(control);
}

// ---- Construction and destruction ----------------------------------------------
CL_CLASS_INFO(TCustomForm,
              EnumProp("BorderStyle",
                       {"bsNone", "bsSingle", "bsSizeable", "bsDialog", "bsToolWindow", "bsSizeToolWin"},
                       &TCustomForm::BorderStyle, &TCustomForm::SetBorderStyle),
              SetOfProp("BorderIcons", {"biSystemMenu", "biMinimize", "biMaximize", "biHelp"},
                        &TCustomForm::BorderIcons, &TCustomForm::SetBorderIcons),
              Prop("ClientWidth", &TCustomForm::ClientWidth, &TCustomForm::SetClientWidth),
              Prop("ClientHeight", &TCustomForm::ClientHeight, &TCustomForm::SetClientHeight),
              EnumProp("FormStyle", {"fsNormal", "fsStayOnTop"}, &TCustomForm::FormStyle,
                       &TCustomForm::SetFormStyle),
              Prop("KeyPreview", &TCustomForm::KeyPreview, &TCustomForm::SetKeyPreview),
              EnumProp("Position",
                       {"poDesigned", "poDefault", "poDefaultPosOnly", "poDefaultSizeOnly", "poScreenCenter",
                        "poDesktopCenter", "poMainFormCenter", "poOwnerFormCenter"},
                       &TCustomForm::Position, &TCustomForm::SetPosition),
              EnumProp("WindowState", {"wsNormal", "wsMinimized", "wsMaximized"}, &TCustomForm::WindowState,
                       &TCustomForm::SetWindowState))
CL_CLASS_INFO(TForm)

TCustomForm::TCustomForm(TComponent* owner)
    : TWinControl(owner), canvas_(std::make_unique<TControlCanvas>()) {
    canvas_->SetControl(this);
    SetControlStyle(csAcceptsControls | csCaptureMouse | csClickEvents | csSetCaption | csDoubleClicks);
    SetVisible(false);
    SetColor(clBtnFace);
    Font()->SetHeight(-11);
    SetParentFont(false);
    SetBounds(0, 0, 320, 240);
    Screen->AddForm(this);
}

TCustomForm::~TCustomForm() {
    FormTearDown();
}

void TCustomForm::FormTearDown() noexcept {
    if (tornDown_) return;
    tornDown_ = true;
    if (TScreen* screen = TScreenRef::Existing()) screen->RemoveForm(this);
    if (TApplication* app = TApplicationRef::Existing(); app && app->mainForm_ == this)
        app->mainForm_ = nullptr;
    // The window would destroy the menu bar with itself; the menu owns it.
    if (menu_ && HandleAllocated()) ::SetMenu(WindowHandle(), nullptr);
    canvas_->FreeHandle();
}

void TCustomForm::AfterConstruction() {
    if (created_) return;
    created_ = true;
    try {
        DoCreate();
    } catch (...) {
        // The form stands even when its OnCreate failed; the user hears of it.
        Application->HandleException(this);
    }
}

void TCustomForm::BeforeDestruction() {
    Destroying();
    if (!destroyed_) {
        destroyed_ = true;
        try {
            DoDestroy();
        } catch (...) {
            Application->HandleException(this);
        }
    }
    FormTearDown();
    TWinControl::BeforeDestruction();
}

void TCustomForm::DoCreate() {
    if (OnCreate) OnCreate(this);
}

void TCustomForm::DoDestroy() {
    if (OnDestroy) OnDestroy(this);
}

void TCustomForm::DoShow() {
    if (OnShow) OnShow(this);
}

void TCustomForm::DoHide() {
    if (OnHide) OnHide(this);
}

void TCustomForm::DoClose(TCloseAction& action) {
    if (OnClose) OnClose(this, action);
}

void TCustomForm::Activate() {
    if (OnActivate) OnActivate(this);
}

void TCustomForm::Deactivate() {
    if (OnDeactivate) OnDeactivate(this);
}

void TCustomForm::Paint() {
    if (OnPaint) OnPaint(this);
}

void TCustomForm::Notification(TComponent* component, TOperation operation) {
    TWinControl::Notification(component, operation);
    if (operation == opRemove && component == menu_) SetMenu(nullptr);
}

// ---- Window ------------------------------------------------------------------
void TCustomForm::StyleBits(DWORD& style, DWORD& exStyle) const {
    switch (borderStyle_) {
        case bsNone:
            style |= WS_POPUP;
            break;
        case bsSingle:
        case bsToolWindow:
            style |= WS_CAPTION | WS_BORDER;
            break;
        case bsSizeable:
        case bsSizeToolWin:
            style |= WS_CAPTION | WS_THICKFRAME;
            break;
        case bsDialog:
            style |= WS_POPUP | WS_CAPTION;
            exStyle |= WS_EX_DLGMODALFRAME | WS_EX_WINDOWEDGE;
            break;
    }
    if (borderStyle_ == bsToolWindow || borderStyle_ == bsSizeToolWin) exStyle |= WS_EX_TOOLWINDOW;
    if (borderStyle_ != bsNone) {
        if (borderIcons_ & biSystemMenu) style |= WS_SYSMENU;
        if (borderStyle_ == bsSingle || borderStyle_ == bsSizeable) {
            if (borderIcons_ & biMinimize) style |= WS_MINIMIZEBOX;
            if (borderIcons_ & biMaximize) style |= WS_MAXIMIZEBOX;
        }
        if ((borderIcons_ & biHelp) &&
            (borderStyle_ == bsDialog || !(borderIcons_ & (biMinimize | biMaximize))))
            exStyle |= WS_EX_CONTEXTHELP;
    }
    if (formStyle_ == fsStayOnTop) exStyle |= WS_EX_TOPMOST;
}

SIZE TCustomForm::NonClientSize() const {
    DWORD style = WS_CLIPCHILDREN, exStyle = 0;
    StyleBits(style, exStyle);
    RECT r{0, 0, 0, 0};
    AdjustWindowRectEx(&r, style, menu_ != nullptr, exStyle);
    return SIZE{r.right - r.left, r.bottom - r.top};
}

void TCustomForm::CreateParams(TCreateParams& p) {
    TWinControl::CreateParams(p);
    p.Style &= ~(WS_CHILD | WS_CLIPSIBLINGS | WS_VISIBLE | WS_TABSTOP);
    p.ExStyle &= ~WS_EX_CONTROLPARENT;
    StyleBits(p.Style, p.ExStyle);
    TApplication* app = TApplicationRef::Existing();
    TCustomForm* main = app ? app->MainForm() : nullptr;
    // Secondary windows stay above the main window and share its taskbar button.
    p.WndParent = (main && main != this) ? main->Handle() : nullptr;
    if (position_ == poDefault || position_ == poDefaultPosOnly) p.X = p.Y = CW_USEDEFAULT;
    if (position_ == poDefault || position_ == poDefaultSizeOnly) p.Width = p.Height = CW_USEDEFAULT;
    // Made maximised, a window lays its children out once, not again as it shows.
    if (windowState_ == wsMaximized) p.Style |= WS_MAXIMIZE;
    p.Menu = menu_ ? menu_->Handle() : nullptr;
    p.WindowClass.hIcon = LoadIconW(GetModuleHandleW(nullptr), L"MAINICON");
    if (!p.WindowClass.hIcon) p.WindowClass.hIcon = LoadIconW(nullptr, IDI_APPLICATION);
}

void TCustomForm::CreateWnd() {
    TWinControl::CreateWnd();
    if (menu_) menu_->SetWindowHandle(WindowHandle());
}

void TCustomForm::DestroyWnd() {
    if (menu_) {
        ::SetMenu(WindowHandle(), nullptr);
        menu_->SetWindowHandle(nullptr);
    }
    active_ = false;
    TWinControl::DestroyWnd();
}

TRect TCustomForm::ClientRect() {
    if (HandleAllocated()) return TWinControl::ClientRect();
    const SIZE nc = NonClientSize();
    return Rect(0, 0, std::max<int>(0, Width() - nc.cx), std::max<int>(0, Height() - nc.cy));
}

void TCustomForm::SetClientSize(int width, int height) {
    if (HandleAllocated()) {
        TWinControl::SetClientSize(width, height);
        return;
    }
    const SIZE nc = NonClientSize();
    SetBounds(Left(), Top(), width + nc.cx, height + nc.cy);
}

void TCustomForm::SetBorderStyle(TFormBorderStyle value) {
    if (value == borderStyle_) return;
    borderStyle_ = value;
    RecreateWnd();
}

void TCustomForm::SetBorderIcons(TBorderIcons value) {
    if (value == borderIcons_) return;
    borderIcons_ = value;
    RecreateWnd();
}

void TCustomForm::SetFormStyle(TFormStyle value) {
    if (value == formStyle_) return;
    formStyle_ = value;
    if (HandleAllocated())
        SetWindowPos(WindowHandle(), value == fsStayOnTop ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

TWindowState TCustomForm::WindowState() const {
    if (HandleAllocated()) {
        if (IsIconic(WindowHandle())) return wsMinimized;
        if (IsZoomed(WindowHandle())) return wsMaximized;
        if (IsWindowVisible(WindowHandle())) return wsNormal;
    }
    return windowState_;
}

void TCustomForm::SetWindowState(TWindowState value) {
    windowState_ = value;
    if (HandleAllocated() && IsWindowVisible(WindowHandle())) ShowWindow(WindowHandle(), ShowCommand(value));
}

void TCustomForm::SetMenu(TMainMenu* menu) {
    if (menu == menu_) return;
    if (menu_) {
        if (HandleAllocated()) ::SetMenu(WindowHandle(), nullptr);
        menu_->SetWindowHandle(nullptr);
    }
    menu_ = menu;
    if (menu) {
        menu->FreeNotification(this);
        if (HandleAllocated()) {
            ::SetMenu(WindowHandle(), menu->Handle());
            menu->SetWindowHandle(WindowHandle());
        }
    }
    if (HandleAllocated()) DrawMenuBar(WindowHandle());
}

// ---- Showing and closing -----------------------------------------------------
void TCustomForm::VisibleChanged() {
    if (Visible()) {
        if (!created_) AfterConstruction();
        HandleNeeded();
        ShowWindowNow();
    } else if (HandleAllocated() && IsWindowVisible(WindowHandle())) {
        DoHide();
        ShowWindow(WindowHandle(), SW_HIDE);
    }
}

void TCustomForm::ShowWindowNow() {
    try {
        DoShow();
    } catch (...) {
        SetVisible(false);
        throw;
    }
    PlaceOnShow();
    ShowWindow(WindowHandle(), ShowCommand(windowState_));
}

void TCustomForm::PlaceOnShow() {
    if (placed_) return;
    placed_ = true;
    RECT around{0, 0, Screen->Width(), Screen->Height()};
    TCustomForm* main = Application->MainForm();
    TCustomForm* other = nullptr;
    switch (position_) {
        case poScreenCenter:
        case poDesktopCenter:
            break;
        case poOwnerFormCenter:
            other = dynamic_cast<TCustomForm*>(Owner());
            [[fallthrough]];
        case poMainFormCenter:
            if (!other) other = main;
            if (other && other != this && other->HandleAllocated())
                GetWindowRect(other->WindowHandle(), &around);
            break;
        default:
            return;
    }
    const int x = around.left + (around.right - around.left - Width()) / 2;
    const int y = around.top + (around.bottom - around.top - Height()) / 2;
    SetBounds(std::max(x, 0), std::max(y, 0), Width(), Height());
}

void TCustomForm::Show() {
    // Showing a window activates it, which brings it to the top already;
    // on Wine the extra move costs a frame of the start.
    const bool shownBefore = HandleAllocated() && IsWindowVisible(WindowHandle());
    SetVisible(true);
    if (shownBefore) SetWindowPos(WindowHandle(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
}

bool TCustomForm::CloseQuery() {
    bool canClose = true;
    if (OnCloseQuery) OnCloseQuery(this, canClose);
    return canClose;
}

void TCustomForm::Close() {
    if (modal_) {
        modalResult_ = mrCancel;
        return;
    }
    if (!CloseQuery()) return;
    TCloseAction action = caHide;
    DoClose(action);
    if (action == caNone) return;
    if (Application->MainForm() == this) {
        Application->Terminate();
    } else if (action == caHide) {
        Hide();
    } else if (action == caMinimize) {
        SetWindowState(wsMinimized);
    } else {
        Release();
    }
}

void TCustomForm::Release() {
    PostMessageW(Handle(), CM_RELEASE, 0, 0);
}

void TCustomForm::CloseModal() {
    TCloseAction action = caNone;
    if (CloseQuery()) {
        action = caHide;
        DoClose(action);
    }
    if (action == caNone)
        modalResult_ = mrNone;
    else if (action == caFree)
        Release();
}

TModalResult TCustomForm::ShowModal() {
    if (Visible() || !Enabled() || modal_) throw EInvalidOperation("Cannot make a visible window modal");
    if (HWND capture = GetCapture()) SendMessageW(capture, WM_CANCELMODE, 0, 0);
    ReleaseCapture();
    modal_ = true;
    HWND activeWindow = GetActiveWindow();
    const TCursor savedCursor = Screen->Cursor();
    Screen->SetCursor(crDefault);
    // The form is still hidden, so it stays enabled.
    std::vector<HWND> disabled = DisableTaskWindows(nullptr);
    const ScopeExit restore([this, &disabled, &activeWindow, savedCursor] {
        // Enabled again before the form hides, so the system hands the
        // activation back to the window that had it.
        EnableTaskWindows(disabled);
        try {
            Hide();
        } catch (...) {
            // OnHide failed; the window is hidden all the same below.
            if (HandleAllocated()) ShowWindow(WindowHandle(), SW_HIDE);
        }
        if (activeWindow && IsWindow(activeWindow)) SetActiveWindow(activeWindow);
        modal_ = false;
        try {
            Screen->SetCursor(savedCursor);
        } catch (...) {
            // Setting a cursor raises nothing; a failure only leaves the arrow.
        }
    });
    Show();
    modalResult_ = mrNone;
    do {
        Application->HandleMessage();
        if (Application->Terminated())
            modalResult_ = mrCancel;
        else if (modalResult_ != mrNone)
            CloseModal();
    } while (modalResult_ == mrNone);
    if (GetActiveWindow() != WindowHandle()) activeWindow = nullptr;
    return modalResult_;
}

// ---- Activation and focus ----------------------------------------------------
void TCustomForm::SetActive(bool value) {
    active_ = value;
    if (value) {
        if (!activeControl_) activeControl_ = FindNextControl(nullptr, true, true, false);
        SetWindowFocus();
        Screen->SetActiveForm(this);
        Activate();
    } else {
        Deactivate();
    }
}

void TCustomForm::SetWindowFocus() {
    HWND target = activeControl_ ? activeControl_->Handle() : Handle();
    if (GetFocus() != target) ::SetFocus(target);
}

void TCustomForm::SetFocus() {
    if (active_) return;
    if (!Visible() || !Enabled()) throw EInvalidOperation(kCannotFocus);
    SetWindowFocus();
}

void TCustomForm::SetActiveControl(TWinControl* control) {
    if (control == activeControl_) return;
    if (control && !(control != this && GetParentForm(control) == this &&
                     ((ComponentState() & csLoading) || control->CanFocus())))
        throw EInvalidOperation(kCannotFocus);
    activeControl_ = control;
    if (!(ComponentState() & csLoading) && active_) SetWindowFocus();
}

void TCustomForm::FocusControl(TWinControl* control) {
    const bool wasActive = active_;
    SetActiveControl(control);
    if (!wasActive) SetFocus();
}

bool TCustomForm::SetFocusedControl(TWinControl* control) {
    ++focusCount_;
    activeControl_ = control != this ? control : nullptr;
    Screen->SetActiveControl(control);
    Screen->SetActiveForm(this);
    if (control->ControlState() & csFocusing) return false;
    control->SetControlState(control->ControlState() | csFocusing);
    const ScopeExit clear([control] { control->SetControlState(control->ControlState() & ~csFocusing); });
    // A handler that moves the focus elsewhere ends this walk.
    auto send = [this](TWinControl* target, UINT msg) {
        const int count = focusCount_;
        target->Perform(msg, 0, 0);
        return focusCount_ == count;
    };
    if (!focusedControl_) focusedControl_ = this;
    if (focusedControl_ != control) {
        while (focusedControl_ && !focusedControl_->ContainsControl(control)) {
            TWinControl* leaving = focusedControl_;
            focusedControl_ = leaving->Parent();
            if (!send(leaving, CM_EXIT)) return false;
        }
        while (focusedControl_ != control) {
            TWinControl* entering = control;
            while (entering->Parent() != focusedControl_) entering = entering->Parent();
            focusedControl_ = entering;
            if (!send(entering, CM_ENTER)) return false;
        }
        for (TWinControl* p = control->Parent(); p; p = p->Parent())
            if (auto* scrolling = dynamic_cast<TScrollingWinControl*>(p))
                scrolling->AutoScrollInView(control);
        Perform(CM_FOCUSCHANGED, 0, reinterpret_cast<LPARAM>(control));
    }
    return true;
}

void TCustomForm::DefocusControl(TWinControl* control, bool removing) {
    if (removing && control->ContainsControl(focusedControl_)) focusedControl_ = control->Parent();
    if (control->ContainsControl(activeControl_)) {
        if (ComponentState() & csDestroying)
            activeControl_ = nullptr;
        else
            SetActiveControl(nullptr);
    }
    if (TScreen* screen = TScreenRef::Existing(); screen && control->ContainsControl(screen->ActiveControl()))
        screen->SetActiveControl(nullptr);
}

// ---- Keys and shortcuts ------------------------------------------------------
bool TCustomForm::IsShortCut(TMessage& keyMessage) {
    bool handled = false;
    if (OnShortCut) OnShortCut(keyMessage, handled);
    if (handled) return true;
    if (menu_ && menu_->WindowHandle() && menu_->IsShortCut(keyMessage)) return true;
    const TShortCut shortCut = ShortCutFromKeyMessage(keyMessage.WParam, keyMessage.LParam);
    for (int i = 0; i < ComponentCount(); ++i)
        if (auto* list = dynamic_cast<TCustomActionList*>(Components(i)); list && list->IsShortCut(shortCut))
            return true;
    return false;
}

void TCustomForm::UpdateActions() {
    for (int i = 0; i < ComponentCount(); ++i)
        if (auto* list = dynamic_cast<TCustomActionList*>(Components(i))) list->UpdateActions();
}

void TCustomForm::HandleDialogKey(TMessage& m) {
    if (GetKeyState(VK_MENU) >= 0) {
        switch (m.WParam) {
            case VK_TAB:
                if (GetKeyState(VK_CONTROL) >= 0) {
                    SelectNext(activeControl_, GetKeyState(VK_SHIFT) >= 0, true);
                    m.Result = 1;
                    return;
                }
                break;
            case VK_LEFT:
            case VK_RIGHT:
            case VK_UP:
            case VK_DOWN:
                if (activeControl_ && activeControl_->Parent()) {
                    const bool forward = m.WParam == VK_RIGHT || m.WParam == VK_DOWN;
                    // Within a radio group the arrows choose too.
                    if (TWinControl* radio = NextRadioButton(activeControl_, forward))
                        SelectRadioButton(radio);
                    else if (!dynamic_cast<TRadioButton*>(activeControl_))
                        activeControl_->Parent()->SelectNext(activeControl_, forward, false);
                    m.Result = 1;
                }
                return;
        }
    }
    Broadcast(m);
}

// ---- Menus ---------------------------------------------------------------------
bool TCustomForm::HandleMenuMessage(TMessage& m) {
    if (!menu_) return false;
    switch (m.Msg) {
        case WM_COMMAND:
            // From the menu (0) or an accelerator (1), not from a control.
            return m.LParam == 0 && HIWORD(m.WParam) <= 1 && menu_->DispatchCommand(LOWORD(m.WParam));
        case WM_INITMENUPOPUP:
            menu_->DispatchPopup(reinterpret_cast<HMENU>(m.WParam));
            return false;
        case WM_DRAWITEM: {
            const auto* dis = reinterpret_cast<const DRAWITEMSTRUCT*>(m.LParam);
            if (dis->CtlType != ODT_MENU || !menu_->DrawItem(*dis)) return false;
            m.Result = TRUE;
            return true;
        }
        case WM_MEASUREITEM: {
            auto* mis = reinterpret_cast<MEASUREITEMSTRUCT*>(m.LParam);
            if (mis->CtlType != ODT_MENU || !menu_->MeasureItem(*mis)) return false;
            m.Result = TRUE;
            return true;
        }
        case WM_MENUCHAR:
            return menu_->OwnerDraw() && menu_->ProcessMenuChar(m);
        case WM_MENUSELECT: {
            const UINT flags = HIWORD(m.WParam);
            TMenuItem* item = nullptr;
            if (!(flags == 0xFFFF && m.LParam == 0)) {
                item = (flags & MF_POPUP)
                           ? menu_->FindItem(reinterpret_cast<UINT_PTR>(GetSubMenu(
                                                 reinterpret_cast<HMENU>(m.LParam), LOWORD(m.WParam))),
                                             fkHandle)
                           : menu_->FindItem(LOWORD(m.WParam), fkCommand);
            }
            Application->SetHint(item ? GetLongHint(item->Hint()) : "");
            return false;
        }
    }
    return false;
}

void TCustomForm::PaintWindow(HDC dc) {
    canvas_->FreeHandle();
    const CanvasDCScope lent(*canvas_, dc);
    Paint();
}

void TCustomForm::WndProc(TMessage& m) {
    switch (m.Msg) {
        case WM_CLOSE:
            Close();
            return;
        case WM_ACTIVATE:
            // Minimised (high word set): no focus to hand out.
            if (HIWORD(m.WParam) == 0 || LOWORD(m.WParam) == WA_INACTIVE)
                SetActive(LOWORD(m.WParam) != WA_INACTIVE);
            return;
        case WM_SETFOCUS:
            // The system focuses the frame itself when the form comes back
            // (restored from the task bar): the control that had the focus
            // gets it back, and the form does not forget it.
            if (activeControl_ && activeControl_->CanFocus() && !IsIconic(WindowHandle())) {
                ::SetFocus(activeControl_->Handle());
                return;
            }
            break;
        case WM_SIZE:
            if (m.WParam == SIZE_MAXIMIZED)
                windowState_ = wsMaximized;
            else if (m.WParam == SIZE_MINIMIZED)
                windowState_ = wsMinimized;
            else if (m.WParam == SIZE_RESTORED)
                windowState_ = wsNormal;
            break;
        case WM_QUERYENDSESSION:
            m.Result = CloseQuery();
            return;
        case CM_DIALOGKEY:
            HandleDialogKey(m);
            return;
        case CM_RELEASE:
            Free();
            return;
        case WM_COMMAND:
        case WM_INITMENUPOPUP:
        case WM_DRAWITEM:
        case WM_MEASUREITEM:
        case WM_MENUCHAR:
        case WM_MENUSELECT:
            if (HandleMenuMessage(m)) return;
            break;
    }
    TWinControl::WndProc(m);
}

}  // namespace cl
