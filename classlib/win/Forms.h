#pragma once
// Forms, the application (message loop, idle processing, exception
// handling) and the screen (cursors, forms, the active form and control).

#include <windows.h>

#include <exception>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "classlib/Exceptions.h"
#include "classlib/win/Controls.h"

namespace cl {

class TMainMenu;

enum TBorderIconFlag : uint8_t { biSystemMenu = 1, biMinimize = 2, biMaximize = 4, biHelp = 8 };
using TBorderIcons = uint8_t;
enum TPosition {
    poDesigned,
    poDefault,
    poDefaultPosOnly,
    poDefaultSizeOnly,
    poScreenCenter,
    poDesktopCenter,
    poMainFormCenter,
    poOwnerFormCenter
};
enum TWindowState { wsNormal, wsMinimized, wsMaximized };
enum TFormStyle { fsNormal, fsStayOnTop };
enum TCloseAction { caNone, caHide, caFree, caMinimize };

using TCloseEvent = std::function<void(TObject* Sender, TCloseAction& Action)>;
using TCloseQueryEvent = std::function<void(TObject* Sender, bool& CanClose)>;
// Msg is the WM_KEYDOWN; Handled true takes the key.
using TShortCutEvent = std::function<void(TMessage& Msg, bool& Handled)>;

// ---- Scrolling controls --------------------------------------------------
enum TScrollBarKind { sbHorizontal, sbVertical };

class TScrollingWinControl;

// One of a scrolling control's window scroll bars: the range it scrolls
// over (the children's extent with AutoScroll), the position, the steps.
class TControlScrollBar : public TPersistent {
    CL_CLASS(TControlScrollBar, TPersistent)
public:
    TControlScrollBar(TScrollingWinControl* control, TScrollBarKind kind);

    TScrollBarKind Kind() const { return kind_; }
    // 0 .. Range - the client extent; moving it scrolls the children.
    int Position() const { return position_; }
    void SetPosition(int value);
    // Setting the range switches AutoScroll off.
    int Range() const { return range_; }
    void SetRange(int value);
    int Increment() const { return increment_; }
    void SetIncrement(int value) { increment_ = value; }
    // Added to the children's extent by AutoScroll.
    int Margin() const { return margin_; }
    void SetMargin(int value);
    bool Visible() const { return visible_; }
    void SetVisible(bool value);
    // The thumb scrolls while it is dragged.
    bool Tracking() const { return tracking_; }
    void SetTracking(bool value) { tracking_ = value; }
    // Visible and the range exceeds the client extent.
    bool IsScrollBarVisible();
    // The client extent along the bar.
    int ControlSize();
    // WM_HSCROLL / WM_VSCROLL of the control's own bar.
    void ScrollMessage(TMessage& message);

private:
    friend class TScrollingWinControl;
    void DoSetRange(int value);
    void Update();

    TScrollingWinControl* control_;
    TScrollBarKind kind_;
    int position_ = 0;
    int range_ = 0;
    int increment_ = 8;
    int margin_ = 0;
    bool visible_ = true;
    bool tracking_ = false;
};

class TScrollingWinControl : public TWinControl {
    CL_CLASS(TScrollingWinControl, TWinControl)
public:
    explicit TScrollingWinControl(TComponent* owner);
    ~TScrollingWinControl() override;

    bool AutoScroll() const { return autoScroll_; }
    void SetAutoScroll(bool value);
    TControlScrollBar* HorzScrollBar() { return horz_.get(); }
    TControlScrollBar* VertScrollBar() { return vert_.get(); }
    // Nested pairs hold the automatic range still.
    void DisableAutoRange() { ++autoRangeCount_; }
    void EnableAutoRange();
    // Scrolls so that the control (a descendant) is in view.
    void ScrollInView(TControl* control);
    // With AutoScroll, scrolls a focused descendant into view.
    virtual void AutoScrollInView(TControl* control);

    void WndProc(TMessage& message) override;

protected:
    void CreateWnd() override;
    void AlignControls(TControl* control, TRect& rect) override;
    // The children are laid out on the scrolled extent.
    void AdjustClientRect(TRect& rect) override;

private:
    friend class TControlScrollBar;
    void CalcAutoRange();
    void UpdateScrollBars();

    std::unique_ptr<TControlScrollBar> horz_;
    std::unique_ptr<TControlScrollBar> vert_;
    bool autoScroll_ = true;
    int autoRangeCount_ = 0;
    bool updatingScrollBars_ = false;
};

class TScrollBox : public TScrollingWinControl {
    CL_CLASS(TScrollBox, TScrollingWinControl)
public:
    explicit TScrollBox(TComponent* owner);
    // bsSingle (the default) draws a sunken edge; bsNone none.
    TBorderStyle BorderStyle() const { return borderStyle_; }
    void SetBorderStyle(TBorderStyle value);

    void WndProc(TMessage& message) override;

protected:
    void CreateParams(TCreateParams& params) override;
    // Focused, the box scrolls by keys: arrows by a line, PageUp/PageDown
    // by a page (sideways with Shift), Home/End to the left/right edge (to
    // the top/bottom with Ctrl).
    void KeyDown(WORD& key, TShiftState shift) override;

private:
    TBorderStyle borderStyle_ = bsSingle;
};

// ---- Forms -------------------------------------------------------------
// A top-level window.  Its constructor builds its components; OnCreate
// runs after that, from AfterConstruction (Construct<T>() and
// Application->CreateForm do it; a form shown without it gets it then).
// Free a form with Free() or Release(), never delete it.
class TCustomForm : public TWinControl {
    CL_CLASS(TCustomForm, TWinControl)
public:
    explicit TCustomForm(TComponent* owner);
    ~TCustomForm() override;
    // Fires OnCreate once.
    virtual void AfterConstruction();
    // Fires OnDestroy while the form is still whole.
    void BeforeDestruction() override;

    TFormBorderStyle BorderStyle() const { return borderStyle_; }
    void SetBorderStyle(TFormBorderStyle value);
    TBorderIcons BorderIcons() const { return borderIcons_; }
    void SetBorderIcons(TBorderIcons value);
    TPosition Position() const { return position_; }
    void SetPosition(TPosition value) { position_ = value; }
    TWindowState WindowState() const;
    void SetWindowState(TWindowState value);
    TFormStyle FormStyle() const { return formStyle_; }
    void SetFormStyle(TFormStyle value);
    bool KeyPreview() const { return keyPreview_; }
    void SetKeyPreview(bool value) { keyPreview_ = value; }
    TWinControl* ActiveControl() const { return activeControl_; }
    // Focuses the control when the form is active; EInvalidOperation when
    // it cannot take the focus.
    void SetActiveControl(TWinControl* control);
    TMainMenu* Menu() const { return menu_; }
    void SetMenu(TMainMenu* menu);
    TModalResult ModalResult() const { return modalResult_; }
    void SetModalResult(TModalResult value) { modalResult_ = value; }
    bool Active() const { return active_; }
    bool Modal() const { return modal_; }
    TCanvas* Canvas() { return canvas_.get(); }

    // Shows the form and brings it to the front.
    void Show();
    void Hide() { SetVisible(false); }
    // Asks OnCloseQuery, then OnClose decides: hide, free, minimise, or
    // nothing; closing the main form ends the application, closing a modal
    // form sets ModalResult to mrCancel.
    void Close();
    // Shows the form with every other window of the application disabled
    // until ModalResult is set; returns it.
    TModalResult ShowModal();
    // Frees the form once the messages under way are done.
    void Release();
    virtual bool CloseQuery();
    // The form's shortcuts: OnShortCut, the main menu, the action lists.
    virtual bool IsShortCut(TMessage& keyMessage);
    // Runs the update of every action of the form's action lists.
    void UpdateActions();
    // Makes control the focused one of the form (raising EInvalidOperation
    // when it cannot be focused) and focuses its window when the form is active.
    void FocusControl(TWinControl* control);
    // Moves the form's focus record when a control gets the focus: OnExit
    // and OnEnter along the way, CM_FOCUSCHANGED to every control.
    bool SetFocusedControl(TWinControl* control);
    // Forgets control (and what it contains) as the active control.
    void DefocusControl(TWinControl* control, bool removing);

    // Activates the form (EInvalidOperation when it is hidden or disabled).
    void SetFocus() override;
    void SetClientSize(int width, int height) override;
    TRect ClientRect() override;
    void WndProc(TMessage& message) override;

    TNotifyEvent OnCreate;
    TNotifyEvent OnShow;
    TNotifyEvent OnHide;
    TNotifyEvent OnActivate;
    TNotifyEvent OnDeactivate;
    TCloseQueryEvent OnCloseQuery;
    TCloseEvent OnClose;
    TNotifyEvent OnDestroy;
    TNotifyEvent OnPaint;
    TShortCutEvent OnShortCut;

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateWnd() override;
    void DestroyWnd() override;
    void VisibleChanged() override;
    void PaintWindow(HDC dc) override;
    void Notification(TComponent* component, TOperation operation) override;
    virtual void DoCreate();
    virtual void DoDestroy();
    virtual void DoShow();
    virtual void DoHide();
    virtual void DoClose(TCloseAction& action);
    virtual void Activate();
    virtual void Deactivate();
    virtual void Paint();

private:
    friend class TApplication;
    void ShowWindowNow();
    void PlaceOnShow();
    void SetActive(bool value);
    void SetWindowFocus();
    void CloseModal();
    void HandleDialogKey(TMessage& m);
    void StyleBits(DWORD& style, DWORD& exStyle) const;
    SIZE NonClientSize() const;
    bool HandleMenuMessage(TMessage& m);
    void FormTearDown() noexcept;

    TFormBorderStyle borderStyle_ = bsSizeable;
    TBorderIcons borderIcons_ = biSystemMenu | biMinimize | biMaximize;
    TPosition position_ = poDesigned;
    TWindowState windowState_ = wsNormal;
    TFormStyle formStyle_ = fsNormal;
    bool keyPreview_ = false;
    TWinControl* activeControl_ = nullptr;
    TWinControl* focusedControl_ = nullptr;
    int focusCount_ = 0;
    TMainMenu* menu_ = nullptr;
    TModalResult modalResult_ = mrNone;
    bool active_ = false;
    bool modal_ = false;
    bool created_ = false;
    bool destroyed_ = false;
    bool placed_ = false;
    bool tornDown_ = false;
    std::unique_ptr<TControlCanvas> canvas_;
};

class TForm : public TCustomForm {
    CL_CLASS(TForm, TCustomForm)
public:
    using TCustomForm::TCustomForm;
};

// The form (or any component) of class T made as the class library makes
// it: constructed, then AfterConstruction (a form's OnCreate).
template <class T, class... Args>
T* Construct(Args&&... args) {
    T* obj = new T(std::forward<Args>(args)...);
    if constexpr (std::is_base_of_v<TCustomForm, T>) {
        try {
            obj->AfterConstruction();
        } catch (...) {
            obj->Free();
            throw;
        }
    }
    return obj;
}

// The form a control sits on, or nullptr.
TCustomForm* GetParentForm(TControl* control);

// For modal runs: disables every visible, enabled top-level window of the
// thread but except, and gives back the list to enable again.
std::vector<HWND> DisableTaskWindows(HWND except);
void EnableTaskWindows(const std::vector<HWND>& windows) noexcept;

// ---- Application -----------------------------------------------------------
using TExceptionEvent = std::function<void(TObject* Sender, Exception& E)>;
using TIdleEvent = std::function<void(TObject* Sender, bool& Done)>;
// Handled true: the message is not translated or dispatched.
using TMessageEvent = std::function<void(MSG& Msg, bool& Handled)>;

class TApplication : public TComponent {
    CL_CLASS(TApplication, TComponent)
public:
    explicit TApplication(TComponent* owner);
    ~TApplication() override;
    void BeforeDestruction() override;

    void Initialize();
    // Creates a form owned by the application; the first one becomes the
    // main form.  ref is set before OnCreate runs.
    template <class T>
    void CreateForm(T*& ref) {
        T* form = new T(this);
        ref = form;
        form->AfterConstruction();
        FormCreated(form);
    }
    // Shows the main form and handles messages until it closes.
    void Run();
    // Ends Run (and every modal loop) by posting WM_QUIT.
    void Terminate();
    bool Terminated() const { return terminated_; }
    // Handles every message in the queue (re-entrant), then returns.
    void ProcessMessages();
    // Handles one message, or idles (action updates, then waits) when there is none.
    void HandleMessage();

    // Inside a catch block: reports the exception being handled through
    // OnException, or in an error box; EAbort is silent.  Never throws.
    void HandleException(TObject* sender) noexcept;
    // The message in an error box with the application's title.
    void ShowException(const Exception& e);
    // A message box owned by the active form; text and caption are
    // Windows-1250; returns the IDxxx of the button.
    int MessageBox(const std::string& text, const std::string& caption, UINT flags);

    const std::string& Title() const { return title_; }
    void SetTitle(const std::string& value);
    // The program's file name (Windows-1250).
    std::string ExeName() const;
    // The hidden application window.
    HWND Handle();
    TCustomForm* MainForm() const { return mainForm_; }
    bool ShowMainForm() const { return showMainForm_; }
    void SetShowMainForm(bool value) { showMainForm_ = value; }
    void BringToFront();
    void Minimize();
    void Restore();

    // The long hint of the control under the pointer; OnHint fires on a change.
    const std::string& Hint() const { return hint_; }
    void SetHint(const std::string& value);
    bool ShowHint() const { return showHint_; }
    void SetShowHint(bool value);
    int HintPause() const { return hintPause_; }
    void SetHintPause(int ms) { hintPause_ = ms; }
    int HintHidePause() const { return hintHidePause_; }
    void SetHintHidePause(int ms) { hintHidePause_ = ms; }
    TColor HintColor() const { return hintColor_; }
    void SetHintColor(TColor value) { hintColor_ = value; }
    void CancelHint();
    // A control's mouse message: tracks the control under the pointer for hints.
    void HintMouseMessage(TControl* control, TMessage& message);
    // The short hint window currently shown (for tests), or nullptr.
    HWND HintWindow() const { return hintWnd_; }

    // The shortcut reached no form: OnShortCut, then the main form.
    bool IsShortCut(TMessage& keyMessage);

    // Help: a HELP_xxx command with its data (HELP_CONTEXT and
    // HELP_CONTEXTPOPUP take a context number).  OnHelp answers first;
    // unless it clears CallHelp, the system's help shows HelpFile (nothing
    // without one).  True when the help was shown.
    bool HelpCommand(UINT command, ULONG_PTR data);
    bool HelpContext(int context) { return HelpCommand(HELP_CONTEXT, static_cast<ULONG_PTR>(context)); }
    const std::string& HelpFile() const { return helpFile_; }
    void SetHelpFile(const std::string& value) { helpFile_ = value; }
    std::function<bool(UINT Command, ULONG_PTR Data, bool& CallHelp)> OnHelp;

    TExceptionEvent OnException;
    TIdleEvent OnIdle;
    TNotifyEvent OnHint;
    TMessageEvent OnMessage;
    TShortCutEvent OnShortCut;

    // Forgets a control that goes away (mouse, hint).
    void ControlDestroyed(TControl* control) noexcept;

private:
    friend class TCustomForm;
    void FormCreated(TCustomForm* form);
    bool ProcessMessage(MSG& msg);
    void Idle();
    void DoMouseIdle();
    bool IsKeyMsg(MSG& msg);
    bool IsHintMsg(MSG& msg);
    void WndProc(TMessage& m);
    void ActivateHint(TPoint cursorPos);
    void HideHintWindow();
    void StartHintTimer(UINT id, int ms);

    std::string title_;
    HWND handle_ = nullptr;
    TCustomForm* mainForm_ = nullptr;
    bool showMainForm_ = true;
    bool terminated_ = false;
    bool running_ = false;
    std::string hint_;
    bool showHint_ = true;
    int hintPause_ = 500;
    int hintHidePause_ = 2500;
    TColor hintColor_ = clInfoBk;
    std::string helpFile_;
    TControl* mouseControl_ = nullptr;
    TControl* hintControl_ = nullptr;
    TRect hintCursorRect_{};
    HWND hintWnd_ = nullptr;
    std::wstring hintText_;
    bool hintActive_ = false;
};

// ---- Screen ----------------------------------------------------------------
class TScreen : public TComponent {
    CL_CLASS(TScreen, TComponent)
public:
    explicit TScreen(TComponent* owner);
    ~TScreen() override;

    int PixelsPerInch() const;
    int Width() const { return GetSystemMetrics(SM_CXSCREEN); }
    int Height() const { return GetSystemMetrics(SM_CYSCREEN); }

    // The cursor shown over every control of the program until it is set
    // back to crDefault.
    TCursor Cursor() const { return cursor_; }
    void SetCursor(TCursor value);
    // A cursor by index; an index without one gives the arrow.
    HCURSOR Cursors(TCursor index) const;
    // Registers a cursor the program loaded (the screen frees it); nullptr removes it.
    void SetCursors(TCursor index, HCURSOR cursor);
    // Registers a cursor made the first time it is asked for (the screen
    // frees it); a loader that makes none leaves the index to the arrow.
    void SetCursorLoader(TCursor index, std::function<HCURSOR()> load);

    int FormCount() const { return static_cast<int>(forms_.size()); }
    TCustomForm* Forms(int index) const;
    int CustomFormCount() const { return FormCount(); }
    TCustomForm* CustomForms(int index) const { return Forms(index); }
    TWinControl* ActiveControl() const { return activeControl_; }
    TCustomForm* ActiveForm() const { return activeForm_; }
    TCustomForm* ActiveCustomForm() const { return activeForm_; }
    // The system's menu font.
    TFont* MenuFont();

    TNotifyEvent OnActiveControlChange;
    TNotifyEvent OnActiveFormChange;

private:
    friend class TCustomForm;
    friend class TApplication;
    void AddForm(TCustomForm* form);
    void RemoveForm(TCustomForm* form) noexcept;
    void SetActiveControl(TWinControl* control);
    void SetActiveForm(TCustomForm* form);

    // A cursor is loaded the first time it is asked for: a program uses few.
    struct CursorEntry {
        HCURSOR cursor;
        bool owned;
        std::function<HCURSOR()> load;
    };
    TCursor cursor_ = crDefault;
    mutable std::map<TCursor, CursorEntry> cursors_;
    std::vector<TCustomForm*> forms_;
    TWinControl* activeControl_ = nullptr;
    TCustomForm* activeForm_ = nullptr;
    std::unique_ptr<TFont> menuFont_;
};

// The global Application and Screen: made on first use, so they may be
// used from any unit's start-up code; freed when the program ends.
struct TApplicationRef {
    TApplication* operator->() const { return Get(); }
    TApplication& operator*() const { return *Get(); }
    operator TApplication*() const { return Get(); }
    static TApplication* Get();
    // The application when it exists (nullptr before first use and after the end).
    static TApplication* Existing();
};
struct TScreenRef {
    TScreen* operator->() const { return Get(); }
    TScreen& operator*() const { return *Get(); }
    operator TScreen*() const { return Get(); }
    static TScreen* Get();
    static TScreen* Existing();
};
inline constexpr TApplicationRef Application{};
inline constexpr TScreenRef Screen{};

}  // namespace cl
