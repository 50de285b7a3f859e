// TApplication (message loop, key pre-dispatch, idle processing, hints,
// exception reports) and TScreen (cursors, forms, the active control).
#include <algorithm>
#include <cstdlib>
#include <utility>

#include "classlib/Scope.h"
#include "classlib/StrUtils.h"
#include "classlib/win/Dialogs.h"
#include "classlib/win/Forms.h"
#include "classlib/win/GdiHandles.h"
#include "classlib/win/WideText.h"

namespace cl {

namespace {

TApplication* g_application = nullptr;
TScreen* g_screen = nullptr;

const char kUnexpectedError[] = "Wystąpił nieoczekiwany błąd programu.";

constexpr UINT_PTR kHintShowTimer = 1;
constexpr UINT_PTR kHintHideTimer = 2;
const wchar_t kHintClass[] = L"ClHintWindow";

void FreeGlobals() {
    // The application owns the forms it made; they go before the screen.
    FreeAndNil(g_application);
    FreeAndNil(g_screen);
}

void FreeGlobalsAtExit() {
    static const bool registered = [] { return std::atexit(FreeGlobals) == 0; }();
    (void)registered;
}

// A control's hint, or the nearest parent's when it has none.
std::string InheritedHint(TControl* control) {
    for (TControl* c = control; c; c = c->Parent())
        if (!c->Hint().empty()) return c->Hint();
    return "";
}

HFONT HintFont() {
    static HFONT font = [] {
        NONCLIENTMETRICSW ncm{};
        ncm.cbSize = sizeof ncm;
        SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof ncm, &ncm, 0);
        return CreateFontIndirectW(&ncm.lfStatusFont);
    }();
    return font;
}

// The hint window keeps its text as the window text and its colour in
// GWLP_USERDATA.
void PaintHint(HWND wnd, HDC dc) {
    RECT r;
    GetClientRect(wnd, &r);
    const OwnedBrush brush(CreateSolidBrush(static_cast<COLORREF>(GetWindowLongPtrW(wnd, GWLP_USERDATA))));
    FillRect(dc, &r, brush.get());
    wchar_t text[1024] = {};
    GetWindowTextW(wnd, text, 1024);
    const SelectedObject font(dc, HintFont());
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(COLOR_INFOTEXT));
    InflateRect(&r, -2, -2);
    DrawTextW(dc, text, -1, &r, DT_LEFT | DT_NOPREFIX | DT_WORDBREAK);
}

LRESULT CALLBACK HintWndProc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
        case WM_PAINT: {
            PAINTSTRUCT ps;
            PaintHint(wnd, BeginPaint(wnd, &ps));
            EndPaint(wnd, &ps);
            return 0;
        }
        case WM_NCHITTEST:
            return HTTRANSPARENT;
    }
    return DefWindowProcW(wnd, msg, wp, lp);
}

HWND MakeHintWindow() {
    static const bool registered = [] {
        WNDCLASSW wc{};
        wc.style = CS_SAVEBITS;
        wc.lpfnWndProc = HintWndProc;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        wc.lpszClassName = kHintClass;
        return RegisterClassW(&wc) != 0;
    }();
    (void)registered;
    return CreateWindowExW(WS_EX_TOOLWINDOW | WS_EX_TOPMOST | WS_EX_NOACTIVATE, kHintClass, L"",
                           WS_POPUP | WS_BORDER, 0, 0, 0, 0, nullptr, nullptr, GetModuleHandleW(nullptr),
                           nullptr);
}

}  // namespace

TApplication* TApplicationRef::Get() {
    if (!g_application) {
        FreeGlobalsAtExit();
        g_application = new TApplication(nullptr);
    }
    return g_application;
}

TApplication* TApplicationRef::Existing() {
    return g_application;
}

TScreen* TScreenRef::Get() {
    if (!g_screen) {
        FreeGlobalsAtExit();
        g_screen = new TScreen(nullptr);
    }
    return g_screen;
}

TScreen* TScreenRef::Existing() {
    return g_screen;
}

void HandleCurrentException(TObject* sender) noexcept {
    try {
        Application->HandleException(sender);
    } catch (...) {
        // Making the application failed; there is nobody left to tell.
    }
}

// ---- TApplication ------------------------------------------------------------------
CL_CLASS_INFO(TApplication)

TApplication::TApplication(TComponent* owner) : TComponent(owner) {
    std::string name = ExeName();
    name = name.substr(name.find_last_of("\\/:") + 1);
    title_ = name.substr(0, name.rfind('.'));
}

TApplication::~TApplication() {
    if (handle_) DeallocateHWnd(handle_);
    if (hintWnd_) DestroyWindow(hintWnd_);
}

void TApplication::BeforeDestruction() {
    mainForm_ = nullptr;
    TComponent::BeforeDestruction();
}

void TApplication::Initialize() {
    Handle();
    Screen->PixelsPerInch();
}

void TApplication::FormCreated(TCustomForm* form) {
    if (mainForm_) return;
    mainForm_ = form;
    form->HandleNeeded();
}

HWND TApplication::Handle() {
    if (!handle_) {
        handle_ = AllocateHWnd([this](TMessage& m) { WndProc(m); });
        SetWindowTextW(handle_, ToWide(title_).c_str());
    }
    return handle_;
}

void TApplication::SetTitle(const std::string& value) {
    title_ = value;
    if (handle_) SetWindowTextW(handle_, ToWide(title_).c_str());
}

bool TApplication::HelpCommand(UINT command, ULONG_PTR data) {
    bool callHelp = true;
    bool shown = false;
    if (OnHelp) shown = OnHelp(command, data, callHelp);
    if (!callHelp) return shown;
    if (helpFile_.empty()) return false;
    HWND owner = mainForm_ && mainForm_->HandleAllocated() ? mainForm_->WindowHandle() : Handle();
    return WinHelpW(owner, ToWide(helpFile_).c_str(), command, data) != 0;
}

std::string TApplication::ExeName() const {
    std::wstring buf(MAX_PATH, L'\0');
    for (;;) {
        const DWORD n = GetModuleFileNameW(nullptr, buf.data(), static_cast<DWORD>(buf.size()));
        if (n < buf.size()) {
            buf.resize(n);
            return FromWide(buf);
        }
        buf.resize(buf.size() * 2);
    }
}

void TApplication::Run() {
    const FlagScope running(running_);
    if (!mainForm_) return;
    if (showMainForm_) {
        if (mainForm_->WindowState() == wsMinimized)
            Minimize();
        else
            mainForm_->Show();
    }
    do {
        try {
            HandleMessage();
        } catch (...) {
            HandleException(this);
        }
    } while (!terminated_);
}

void TApplication::Terminate() {
    PostQuitMessage(0);
}

void TApplication::ProcessMessages() {
    MSG msg;
    while (ProcessMessage(msg)) {
    }
}

void TApplication::HandleMessage() {
    MSG msg;
    if (!ProcessMessage(msg)) Idle();
}

bool TApplication::ProcessMessage(MSG& msg) {
    if (!PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) return false;
    if (msg.message == WM_QUIT) {
        terminated_ = true;
        return true;
    }
    bool handled = false;
    if (OnMessage) OnMessage(msg, handled);
    if (!handled && !IsHintMsg(msg) && !IsKeyMsg(msg)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return true;
}

bool TApplication::IsKeyMsg(MSG& msg) {
    if (msg.message < WM_KEYFIRST || msg.message > WM_KEYLAST) return false;
    HWND wnd = GetCapture();
    if (!wnd) {
        // The nearest window of ours: a system control's inner window
        // (the edit of a combo box) has none of its own.
        wnd = msg.hwnd;
        while (wnd && !TWinControl::FindControl(wnd)) wnd = GetParent(wnd);
    } else if (!TWinControl::FindControl(wnd)) {
        return false;
    }
    if (!wnd) return false;
    return SendMessageW(wnd, CN_BASE + msg.message, msg.wParam, msg.lParam) != 0;
}

bool TApplication::IsHintMsg(MSG& msg) {
    if (!hintActive_) return false;
    switch (msg.message) {
        case WM_KEYDOWN:
        case WM_SYSKEYDOWN:
        case WM_LBUTTONDOWN:
        case WM_RBUTTONDOWN:
        case WM_MBUTTONDOWN:
        case WM_NCLBUTTONDOWN:
        case WM_NCRBUTTONDOWN:
        case WM_ACTIVATEAPP:
            CancelHint();
            break;
    }
    return false;
}

void TApplication::Idle() {
    DoMouseIdle();
    bool done = true;
    try {
        SetHint(GetLongHint(InheritedHint(mouseControl_)));
        if (OnIdle) OnIdle(this, done);
        if (done) {
            // Actions of the forms the user can reach; a handler may free a form.
            const int count = Screen->FormCount();
            std::vector<TCustomForm*> forms;
            for (int i = 0; i < count; ++i) forms.push_back(Screen->Forms(i));
            for (TCustomForm* form : forms) {
                if (!std::count(Screen->forms_.begin(), Screen->forms_.end(), form)) continue;
                HWND wnd = form->WindowHandle();
                if (wnd && IsWindowVisible(wnd) && IsWindowEnabled(wnd)) form->UpdateActions();
            }
        }
    } catch (...) {
        HandleException(this);
    }
    if (done) WaitMessage();
}

void TApplication::DoMouseIdle() {
    POINT p;
    TControl* control = GetCursorPos(&p) ? FindDragTarget(p, true) : nullptr;
    if (control == mouseControl_) return;
    // While a control holds the mouse, only it hears of entering and leaving.
    TControl* capture = GetCaptureControl();
    TControl* old = mouseControl_;
    mouseControl_ = control;
    if (old && (!capture || old == capture)) old->Perform(CM_MOUSELEAVE, 0, reinterpret_cast<LPARAM>(old));
    if (control && (!capture || control == capture))
        control->Perform(CM_MOUSEENTER, 0, reinterpret_cast<LPARAM>(control));
}

void TApplication::ControlDestroyed(TControl* control) noexcept {
    if (mouseControl_ == control) mouseControl_ = nullptr;
    if (hintControl_ == control) CancelHint();
}

bool TApplication::IsShortCut(TMessage& keyMessage) {
    bool handled = false;
    if (OnShortCut) OnShortCut(keyMessage, handled);
    if (handled) return true;
    return mainForm_ && mainForm_->HandleAllocated() && IsWindowEnabled(mainForm_->WindowHandle()) &&
           mainForm_->IsShortCut(keyMessage);
}

void TApplication::WndProc(TMessage& m) {
    switch (m.Msg) {
        case WM_TIMER:
            KillTimer(handle_, m.WParam);
            if (m.WParam == kHintShowTimer) {
                POINT p;
                if (GetCursorPos(&p)) ActivateHint(p);
            } else if (m.WParam == kHintHideTimer) {
                HideHintWindow();
            }
            return;
        case WM_SYSCOMMAND:
            switch (m.WParam & 0xFFF0) {
                case SC_MINIMIZE:
                    Minimize();
                    return;
                case SC_RESTORE:
                    Restore();
                    return;
            }
            break;
        case CM_APPKEYDOWN: {
            TMessage key{WM_KEYDOWN, m.WParam, m.LParam, 0};
            m.Result = IsShortCut(key) ? 1 : 0;
            return;
        }
    }
    m.Result = DefWindowProcW(handle_, m.Msg, m.WParam, m.LParam);
}

void TApplication::BringToFront() {
    TCustomForm* form = Screen->ActiveForm();
    if (!form) form = mainForm_;
    if (form && form->HandleAllocated()) SetForegroundWindow(form->WindowHandle());
}

void TApplication::Minimize() {
    if (mainForm_ && mainForm_->HandleAllocated()) ShowWindow(mainForm_->WindowHandle(), SW_MINIMIZE);
}

void TApplication::Restore() {
    if (mainForm_ && mainForm_->HandleAllocated()) ShowWindow(mainForm_->WindowHandle(), SW_RESTORE);
}

// ---- Exceptions and message boxes ---------------------------------------------------
void TApplication::HandleException(TObject* sender) noexcept {
    try {
        if (HWND capture = GetCapture()) SendMessageW(capture, WM_CANCELMODE, 0, 0);
        const std::exception_ptr current = std::current_exception();
        if (!current) return;
        auto report = [&](Exception& e) {
            if (OnException)
                OnException(sender, e);
            else
                ShowException(e);
        };
        try {
            std::rethrow_exception(current);
        } catch (EAbort&) {
            // The silent abort: the user was told already, or chose to stop.
        } catch (Exception& e) {
            report(e);
        } catch (...) {
            Exception generic(kUnexpectedError);
            report(generic);
        }
    } catch (...) {
        // The report itself failed (its handler raised, or the box could
        // not be shown); nothing may leave the barrier.
    }
}

void TApplication::ShowException(const Exception& e) {
    std::string text = e.Message();
    // The class library ends a message that ends in a letter with a full stop.
    if (!text.empty() && static_cast<unsigned char>(text.back()) > '.') text += '.';
    MessageBox(text, title_, MB_OK | MB_ICONSTOP);
}

int TApplication::MessageBox(const std::string& text, const std::string& caption, UINT flags) {
    HWND owner = nullptr;
    if (TCustomForm* form = Screen->ActiveForm();
        form && form->HandleAllocated() && IsWindowVisible(form->WindowHandle()))
        owner = form->WindowHandle();
    if (!owner) owner = GetActiveWindow();
    if (!owner && mainForm_ && mainForm_->HandleAllocated()) owner = mainForm_->WindowHandle();
    const std::vector<HWND> disabled = DisableTaskWindows(nullptr);
    const ScopeExit enable([&disabled, owner] {
        EnableTaskWindows(disabled);
        if (owner && IsWindow(owner)) SetActiveWindow(owner);
    });
    return ShowMessageBox(owner, text, caption, flags);
}

// ---- Hints ---------------------------------------------------------------------------
void TApplication::SetHint(const std::string& value) {
    if (value == hint_) return;
    hint_ = value;
    if (OnHint) OnHint(this);
}

void TApplication::SetShowHint(bool value) {
    if (value == showHint_) return;
    showHint_ = value;
    if (!value) CancelHint();
}

void TApplication::StartHintTimer(UINT id, int ms) {
    SetTimer(Handle(), id, static_cast<UINT>(std::max(ms, 1)), nullptr);
}

void TApplication::HintMouseMessage(TControl* control, TMessage& message) {
    if (!showHint_) return;
    if (control == hintControl_) {
        if (!hintActive_) return;
        const TPoint p = Point(message.XPos(), message.YPos());
        if (PtInRect(&hintCursorRect_, p)) return;
        HideHintWindow();
        return;
    }
    CancelHint();
    hintControl_ = control;
    if (control->ShowHint() && !GetShortHint(InheritedHint(control)).empty())
        StartHintTimer(kHintShowTimer, hintPause_);
}

void TApplication::ActivateHint(TPoint cursorPos) {
    TControl* control = FindDragTarget(cursorPos, false);
    if (!control || control != hintControl_ || !control->ShowHint()) return;
    THintInfo info;
    info.HintControl = control;
    info.HintPos = Point(cursorPos.x, cursorPos.y + GetSystemMetrics(SM_CYCURSOR) * 3 / 4);
    info.HintMaxWidth = Screen->Width();
    info.HintColor = hintColor_;
    info.CursorRect = control->ClientRect();
    info.CursorPos = control->ScreenToClient(cursorPos);
    info.HintStr = GetShortHint(InheritedHint(control));
    if (control->Perform(CM_HINTSHOW, 0, reinterpret_cast<LPARAM>(&info)) != 0 || info.HintStr.empty())
        return;
    if (!hintWnd_) hintWnd_ = MakeHintWindow();
    if (!hintWnd_) return;
    const std::wstring text = ToWide(info.HintStr);
    SetWindowTextW(hintWnd_, text.c_str());
    SetWindowLongPtrW(hintWnd_, GWLP_USERDATA, static_cast<LONG_PTR>(ColorToRGB(info.HintColor)));
    RECT r{0, 0, info.HintMaxWidth, 0};
    {
        const WindowDC dc(hintWnd_);
        const SelectedObject font(dc.get(), HintFont());
        DrawTextW(dc.get(), text.c_str(), -1, &r, DT_CALCRECT | DT_LEFT | DT_NOPREFIX | DT_WORDBREAK);
    }
    hintCursorRect_ = info.CursorRect;
    hintActive_ = true;
    SetWindowPos(hintWnd_, HWND_TOPMOST, info.HintPos.x, info.HintPos.y, r.right + 6, r.bottom + 6,
                 SWP_NOACTIVATE | SWP_SHOWWINDOW);
    InvalidateRect(hintWnd_, nullptr, TRUE);
    StartHintTimer(kHintHideTimer, info.HideTimeout > 0 ? info.HideTimeout : hintHidePause_);
}

void TApplication::HideHintWindow() {
    if (hintWnd_) ShowWindow(hintWnd_, SW_HIDE);
    hintActive_ = false;
}

void TApplication::CancelHint() {
    if (handle_) {
        KillTimer(handle_, kHintShowTimer);
        KillTimer(handle_, kHintHideTimer);
    }
    HideHintWindow();
    hintControl_ = nullptr;
}

// ---- TScreen ----------------------------------------------------------------------------
CL_CLASS_INFO(TScreen)

namespace {

struct SystemCursor {
    TCursor index;
    const wchar_t* id;
};

// The class library's own drag and split cursors are stood in for by the
// nearest system cursors.
const SystemCursor kSystemCursors[] = {
    {crDefault, IDC_ARROW},
    {crArrow, IDC_ARROW},
    {crCross, IDC_CROSS},
    {crIBeam, IDC_IBEAM},
    {crSizeNESW, IDC_SIZENESW},
    {crSizeNS, IDC_SIZENS},
    {crSizeNWSE, IDC_SIZENWSE},
    {crSizeWE, IDC_SIZEWE},
    {crUpArrow, IDC_UPARROW},
    {crHourGlass, IDC_WAIT},
    {crDrag, IDC_ARROW},
    {crNoDrop, IDC_NO},
    {crHSplit, IDC_SIZEWE},
    {crVSplit, IDC_SIZENS},
    {crMultiDrag, IDC_ARROW},
    {crSQLWait, IDC_WAIT},
    {crNo, IDC_NO},
    {crAppStart, IDC_APPSTARTING},
    {crHelp, IDC_HELP},
    {crHandPoint, IDC_HAND},
    {crSizeAll, IDC_SIZEALL},
};

}  // namespace

namespace {

// The screen's forms are the program's global components.
TComponent* FindScreenForm(std::string_view name) {
    TScreen* screen = TScreenRef::Existing();
    if (!screen || name.empty()) return nullptr;
    for (int i = 0; i < screen->FormCount(); ++i)
        if (SameText(screen->Forms(i)->Name(), name)) return screen->Forms(i);
    return nullptr;
}

}  // namespace

TScreen::TScreen(TComponent* owner) : TComponent(owner) {
    for (const SystemCursor& c : kSystemCursors)
        cursors_[c.index] = {nullptr, false, [id = c.id] { return LoadCursorW(nullptr, id); }};
    cursors_[crNone] = {nullptr, false, nullptr};
    RegisterFindGlobalComponentProc(&FindScreenForm);
}

TScreen::~TScreen() {
    UnregisterFindGlobalComponentProc(&FindScreenForm);
    for (auto& [index, entry] : cursors_)
        if (entry.owned && entry.cursor) DestroyCursor(entry.cursor);
}

int TScreen::PixelsPerInch() const {
    return ScreenLogPixels();
}

void TScreen::SetCursor(TCursor value) {
    if (value == cursor_) return;
    cursor_ = value;
    if (value == crDefault) {
        // The window under the pointer chooses its own cursor again.
        POINT p;
        HWND wnd = GetCursorPos(&p) ? WindowFromPoint(p) : nullptr;
        if (wnd && GetWindowThreadProcessId(wnd, nullptr) == GetCurrentThreadId()) {
            const LRESULT hit = SendMessageW(wnd, WM_NCHITTEST, 0, MAKELPARAM(p.x, p.y));
            SendMessageW(wnd, WM_SETCURSOR, reinterpret_cast<WPARAM>(wnd), MAKELPARAM(hit, WM_MOUSEMOVE));
            return;
        }
    }
    ::SetCursor(Cursors(value));
}

HCURSOR TScreen::Cursors(TCursor index) const {
    auto it = cursors_.find(index);
    if (it != cursors_.end() && it->second.load) {
        it->second.cursor = std::exchange(it->second.load, nullptr)();
        if (!it->second.cursor) {
            cursors_.erase(it);
            it = cursors_.end();
        }
    }
    if (it != cursors_.end()) return it->second.cursor;
    return index == crDefault ? nullptr : Cursors(crDefault);
}

void TScreen::SetCursors(TCursor index, HCURSOR cursor) {
    const auto it = cursors_.find(index);
    if (it != cursors_.end()) {
        if (it->second.cursor == cursor) return;
        if (it->second.owned && it->second.cursor) DestroyCursor(it->second.cursor);
        cursors_.erase(it);
    }
    if (cursor) cursors_[index] = {cursor, true, nullptr};
}

void TScreen::SetCursorLoader(TCursor index, std::function<HCURSOR()> load) {
    SetCursors(index, nullptr);
    if (load) cursors_[index] = {nullptr, true, std::move(load)};
}

TCustomForm* TScreen::Forms(int index) const {
    if (index < 0 || index >= FormCount())
        throw EListError("List index out of bounds (" + IntToStr(index) + ")");
    return forms_[static_cast<size_t>(index)];
}

TFont* TScreen::MenuFont() {
    if (!menuFont_) {
        menuFont_ = std::make_unique<TFont>();
        NONCLIENTMETRICSW ncm{};
        ncm.cbSize = sizeof ncm;
        if (SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof ncm, &ncm, 0)) {
            const OwnedFont font(CreateFontIndirectW(&ncm.lfMenuFont));
            if (font) menuFont_->SetHandle(font.get());
        }
    }
    return menuFont_.get();
}

void TScreen::AddForm(TCustomForm* form) {
    forms_.push_back(form);
}

void TScreen::RemoveForm(TCustomForm* form) noexcept {
    std::erase(forms_, form);
    if (activeForm_ == form) activeForm_ = nullptr;
    if (activeControl_ && GetParentForm(activeControl_) == form) activeControl_ = nullptr;
}

void TScreen::SetActiveControl(TWinControl* control) {
    if (control == activeControl_) return;
    activeControl_ = control;
    if (OnActiveControlChange) OnActiveControlChange(this);
}

void TScreen::SetActiveForm(TCustomForm* form) {
    if (form == activeForm_) return;
    activeForm_ = form;
    if (OnActiveFormChange) OnActiveFormChange(this);
}

}  // namespace cl
