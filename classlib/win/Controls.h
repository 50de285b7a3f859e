#pragma once
// Controls: TControl (bounds, alignment, colour, font, text, hints, mouse),
// TWinControl (a control over a window of its own: creation on demand,
// subclassing, focus and keys, reflection of child notifications),
// TGraphicControl (windowless, painted and fed with the mouse by its
// parent) and TCustomControl (a window painted on a canvas).
//
// Every window carries two properties: L"ClObject", the TWinControl*, and
// L"ClName", a global atom holding the component's name, so that a test
// driver in another process can find a control by name.

#include <windows.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "classlib/Component.h"
#include "classlib/WndProcHooks.h"
#include "classlib/win/ActnList.h"
#include "classlib/win/Graphics.h"
#include "classlib/win/Messages.h"

namespace cl {

class TControl;
class TWinControl;
class TPopupMenu;
class TCustomForm;

// ---- Small types -----------------------------------------------------------
enum TAlign { alNone, alTop, alBottom, alLeft, alRight, alClient };

enum TAnchorKind : uint8_t { akLeft = 1, akTop = 2, akRight = 4, akBottom = 8 };
using TAnchors = uint8_t;

enum TMouseButton { mbLeft, mbRight, mbMiddle };

// Reading order: left to right, or right to left (aligned to the right,
// reading right to left, or both).
enum TBiDiMode { bdLeftToRight, bdRightToLeft, bdRightToLeftNoAlign, bdRightToLeftReadingOnly };

// How a drag begins (by a call, or by a press of the left button), and what it is.
enum TDragMode { dmManual, dmAutomatic };
enum TDragKind { dkDrag, dkDock };

// Horizontal placement of a control's text.
enum TAlignment { taLeftJustify, taRightJustify, taCenter };

// The modes of an input method editor.
enum TImeMode {
    imDisable,
    imClose,
    imOpen,
    imDontCare,
    imSAlpha,
    imAlpha,
    imHira,
    imSKata,
    imKata,
    imChinese,
    imSHanguel,
    imHanguel
};

// Border of a form; windowed controls with a border use the first two.
enum TFormBorderStyle { bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow, bsSizeToolWin };
using TBorderStyle = TFormBorderStyle;

// A cursor is an index into Screen->Cursors(); the negative ones are the
// system's cursors, positive ones the program registers.
using TCursor = int;
constexpr TCursor crDefault = 0;
constexpr TCursor crNone = -1;
constexpr TCursor crArrow = -2;
constexpr TCursor crCross = -3;
constexpr TCursor crIBeam = -4;
constexpr TCursor crSizeNESW = -6;
constexpr TCursor crSizeNS = -7;
constexpr TCursor crSizeNWSE = -8;
constexpr TCursor crSizeWE = -9;
constexpr TCursor crUpArrow = -10;
constexpr TCursor crHourGlass = -11;
constexpr TCursor crDrag = -12;
constexpr TCursor crNoDrop = -13;
constexpr TCursor crHSplit = -14;
constexpr TCursor crVSplit = -15;
constexpr TCursor crMultiDrag = -16;
constexpr TCursor crSQLWait = -17;
constexpr TCursor crNo = -18;
constexpr TCursor crAppStart = -19;
constexpr TCursor crHelp = -20;
constexpr TCursor crHandPoint = -21;
constexpr TCursor crSizeAll = -22;

// The results of a modal form or a message box (the system's IDxxx values).
using TModalResult = int;
constexpr TModalResult mrNone = 0;
constexpr TModalResult mrOk = IDOK;
constexpr TModalResult mrCancel = IDCANCEL;
constexpr TModalResult mrAbort = IDABORT;
constexpr TModalResult mrRetry = IDRETRY;
constexpr TModalResult mrIgnore = IDIGNORE;
constexpr TModalResult mrYes = IDYES;
constexpr TModalResult mrNo = IDNO;
constexpr TModalResult mrAll = mrNo + 1;
constexpr TModalResult mrNoToAll = mrAll + 1;
constexpr TModalResult mrYesToAll = mrNoToAll + 1;

enum TControlStyleFlag : uint32_t {
    csAcceptsControls = 1u << 0,
    csCaptureMouse = 1u << 1,
    csClickEvents = 1u << 2,
    csFramed = 1u << 3,
    csSetCaption = 1u << 4,
    csOpaque = 1u << 5,
    csDoubleClicks = 1u << 6,
    csFixedWidth = 1u << 7,
    csFixedHeight = 1u << 8,
    csNoStdEvents = 1u << 9,
    csReplicatable = 1u << 10,
    csActionClient = 1u << 11,
    csMenuEvents = 1u << 12,
    // Theme style bits of the enhanced controls: the control paints its
    // parent's background behind itself / draws its themed border itself.
    csParentBackground = 1u << 13,
    csNeedsBorderPaint = 1u << 14,
};
using TControlStyle = uint32_t;

enum TControlStateFlag : uint32_t {
    csLButtonDown = 1u << 0,
    csClicked = 1u << 1,
    csAlignmentNeeded = 1u << 2,
    csFocusing = 1u << 3,
    csCreating = 1u << 4,
    csPaintCopy = 1u << 5,
    csCustomPaint = 1u << 6,
    csDestroyingHandle = 1u << 7,
};
using TControlState = uint32_t;

// A drag comes over a control (enter), moves on it, or leaves it (also
// when the drag ends over it).
enum TDragState { dsDragEnter, dsDragLeave, dsDragMove };

using TMouseEvent =
    std::function<void(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y)>;
using TDragOverEvent =
    std::function<void(TObject* Sender, TObject* Source, int X, int Y, TDragState State, bool& Accept)>;
using TDragDropEvent = std::function<void(TObject* Sender, TObject* Source, int X, int Y)>;
// Target: the control that took the drop; nullptr when none did.
using TEndDragEvent = std::function<void(TObject* Sender, TObject* Target, int X, int Y)>;
using TMouseMoveEvent = std::function<void(TObject* Sender, TShiftState Shift, int X, int Y)>;
using TKeyEvent = std::function<void(TObject* Sender, WORD& Key, TShiftState Shift)>;
// Key is the Windows-1250 character.
using TKeyPressEvent = std::function<void(TObject* Sender, char& Key)>;

// What CM_HINTSHOW hands a control (LParam) before its hint shows; the
// control may change the text, the position or the rectangle the pointer
// may move in, or answer non-zero to show nothing.
struct THintInfo {
    TControl* HintControl = nullptr;
    TPoint HintPos{};  // screen coordinates of the hint window
    int HintMaxWidth = 0;
    TColor HintColor = clInfoBk;
    TRect CursorRect{};     // client coordinates of HintControl
    TPoint CursorPos{};     // client coordinates of HintControl
    int ReshowTimeout = 0;  // ms; 0: none
    int HideTimeout = 0;    // ms; 0: the application's HintHidePause
    std::string HintStr;
};

// The text before / after the first '|' of a hint ("short|long").
std::string GetShortHint(const std::string& hint);
std::string GetLongHint(const std::string& hint);
// The character (UTF-16, as WM_CHAR / CM_DIALOGCHAR carry it) is the access
// key marked with "&" in the Windows-1250 caption, without regard to case.
bool IsAccel(WORD charCode, const std::string& caption);

// ---- Control canvas ----------------------------------------------------
// A canvas that asks its control for a device context when drawn on
// outside painting (a graphic control's one is its parent's, moved to the
// control's origin and clipped to it).  Such contexts are released after
// the message that made them.
class TControlCanvas : public TCanvas {
    CL_CLASS(TControlCanvas, TCanvas)
public:
    TControlCanvas() = default;
    ~TControlCanvas() override;

    TControl* Control() const { return control_; }
    void SetControl(TControl* control);
    // Releases a context this canvas got for itself.
    void FreeHandle() noexcept;
    // Releases every context control canvases got for themselves.
    static void FreeDeviceContexts() noexcept;

protected:
    void CreateHandle() override;

private:
    TControl* control_ = nullptr;
    HDC ownDC_ = nullptr;
    HWND ownWnd_ = nullptr;
};

// ---- Action link of controls ---------------------------------------------
class TControlActionLink : public TActionLink {
    CL_CLASS(TControlActionLink, TActionLink)
public:
    explicit TControlActionLink(TControl* client);

protected:
    bool IsCaptionLinked() const override;
    bool IsEnabledLinked() const override;
    bool IsHintLinked() const override;
    bool IsVisibleLinked() const override;
    void SetCaption(const std::string& value) override;
    void SetEnabled(bool value) override;
    void SetHint(const std::string& value) override;
    void SetVisible(bool value) override;

    TControl* client_;
};

// ---- TControl ----------------------------------------------------------
// Limits of a control's width and height; 0 leaves a limit open.  A
// change puts the control's size within them at once.
class TSizeConstraints : public TPersistent {
    CL_CLASS(TSizeConstraints, TPersistent)
public:
    explicit TSizeConstraints(TControl* control = nullptr) : control_(control) {}

    int MaxHeight() const { return maxHeight_; }
    void SetMaxHeight(int value) { Set(maxHeight_, value); }
    int MaxWidth() const { return maxWidth_; }
    void SetMaxWidth(int value) { Set(maxWidth_, value); }
    int MinHeight() const { return minHeight_; }
    void SetMinHeight(int value) { Set(minHeight_, value); }
    int MinWidth() const { return minWidth_; }
    void SetMinWidth(int value) { Set(minWidth_, value); }
    // The size within the limits (a maximum below the minimum gives way).
    int ConstrainWidth(int width) const;
    int ConstrainHeight(int height) const;
    void Assign(TPersistent* source) override;

private:
    void Set(int& limit, int value);
    TControl* control_;
    int maxHeight_ = 0, maxWidth_ = 0, minHeight_ = 0, minWidth_ = 0;
};

class TControl : public TComponent {
    CL_CLASS(TControl, TComponent)
public:
    explicit TControl(TComponent* owner);
    ~TControl() override;
    void BeforeDestruction() override;
    // With csSetCaption, a control whose text is its old name takes the new one.
    void SetName(const std::string& name) override;

    TWinControl* Parent() const { return parent_; }
    virtual void SetParent(TWinControl* parent);
    TComponent* GetParentComponent() const override;

    // Bounds in the parent's client coordinates (a form: the screen's).
    int Left() const { return left_; }
    int Top() const { return top_; }
    int Width() const { return width_; }
    int Height() const { return height_; }
    void SetLeft(int value) { SetBounds(value, top_, width_, height_); }
    void SetTop(int value) { SetBounds(left_, value, width_, height_); }
    void SetWidth(int value) { SetBounds(left_, top_, value, height_); }
    void SetHeight(int value) { SetBounds(left_, top_, width_, value); }
    virtual void SetBounds(int left, int top, int width, int height);
    TRect BoundsRect() const { return Rect(left_, top_, left_ + width_, top_ + height_); }
    void SetBoundsRect(const TRect& r) { SetBounds(r.left, r.top, r.right - r.left, r.bottom - r.top); }
    virtual TRect ClientRect();
    int ClientWidth() { return ClientRect().right; }
    int ClientHeight() { return ClientRect().bottom; }
    void SetClientWidth(int value) { SetClientSize(value, ClientHeight()); }
    void SetClientHeight(int value) { SetClientSize(ClientWidth(), value); }
    virtual void SetClientSize(int width, int height);
    // Screen position of the client area's origin.
    virtual TPoint ClientOrigin();
    TPoint ClientToScreen(TPoint p) { return Point(p.x + ClientOrigin().x, p.y + ClientOrigin().y); }
    TPoint ScreenToClient(TPoint p) { return Point(p.x - ClientOrigin().x, p.y - ClientOrigin().y); }

    TAlign Align() const { return align_; }
    void SetAlign(TAlign value);
    TAnchors Anchors() const { return anchors_; }
    void SetAnchors(TAnchors value);
    TSizeConstraints* Constraints() const { return constraints_.get(); }
    void SetConstraints(TSizeConstraints* value) { constraints_->Assign(value); }

    bool Visible() const { return visible_; }
    void SetVisible(bool value);
    // Visible, after the parent has brought it into view (ShowControl).
    void Show();
    void Hide() { SetVisible(false); }
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool value);

    TColor Color() const { return color_; }
    void SetColor(TColor value);
    bool ParentColor() const { return parentColor_; }
    void SetParentColor(bool value);
    TFont* Font() const { return font_.get(); }
    void SetFont(TFont* value) { font_->Assign(value); }
    bool ParentFont() const { return parentFont_; }
    void SetParentFont(bool value);
    // The reading order: the control's own, or with ParentBiDiMode (the
    // default) its parent's.  A change repaints the controls it reaches.
    TBiDiMode BiDiMode() const;
    void SetBiDiMode(TBiDiMode value);
    bool ParentBiDiMode() const { return parentBiDiMode_; }
    void SetParentBiDiMode(bool value);
    bool UseRightToLeftReading() const { return BiDiMode() != bdLeftToRight; }
    bool UseRightToLeftAlignment() const { return BiDiMode() == bdRightToLeft; }
    // DrawText flags for the reading order: aligned to the other side
    // (centre kept) when right-to-left aligned, with DT_RTLREADING when
    // read right to left.
    UINT DrawTextBiDiModeFlags(UINT flags) const;

    // Caption and Text are one property, in Windows-1250.
    std::string Caption() const { return GetText(); }
    void SetCaption(const std::string& value) { SetText(value); }
    std::string Text() const { return GetText(); }
    void SetText(const std::string& value);

    const std::string& Hint() const { return hint_; }
    void SetHint(const std::string& value) { hint_ = value; }
    // The help topic of the control (of a form: the form's); 0 for none.
    int HelpContext() const { return helpContext_; }
    void SetHelpContext(int value) { helpContext_ = value; }
    bool ShowHint() const { return showHint_; }
    void SetShowHint(bool value);
    bool ParentShowHint() const { return parentShowHint_; }
    void SetParentShowHint(bool value);
    // ShowHint is stored only when it is not the parent's: it is written
    // after ParentShowHint, which reading it would clear.
    bool IsShowHintStored() const { return !parentShowHint_; }

    TCursor Cursor() const { return cursor_; }
    void SetCursor(TCursor value);
    TPopupMenu* PopupMenu() const { return popupMenu_; }
    void SetPopupMenu(TPopupMenu* value);
    // Links the control to an action: it mirrors its caption, enabled state,
    // hint and visibility, and a click executes it.
    TBasicAction* Action() const;
    void SetAction(TBasicAction* value);

    TControlStyle ControlStyle() const { return controlStyle_; }
    void SetControlStyle(TControlStyle value) { controlStyle_ = value; }
    TControlState ControlState() const { return controlState_; }
    void SetControlState(TControlState value) { controlState_ = value; }
    bool MouseCapture() const;
    void SetMouseCapture(bool value);

    // Sends the message through WindowProc and returns its result.
    LRESULT Perform(UINT msg, WPARAM wParam, LPARAM lParam);
    // The message entry point: WndProc with the window hooks around it.
    // While the control is being destroyed only WndProc runs.
    void WindowProc(TMessage& message);
    // Watch or answer this control's messages without deriving from it:
    //   token = c->WindowHooks().Add([](TMessage& m, bool& handled) {...}, hpAfter);
    //   c->WindowHooks().Remove(token);
    // The hooks live on the control, so they outlast a recreated window;
    // WM_DESTROY and WM_NCDESTROY reach the control whatever a hook answers.
    TWndProcHooks<TMessage>& WindowHooks() { return windowHooks_; }
    virtual void WndProc(TMessage& message);
    // What a message no handler took gets: nothing here, the original
    // window procedure in a windowed control.
    virtual void DefaultHandler(TMessage& message);

    virtual void Invalidate();
    // Paints at once.
    void Repaint();
    virtual void Update();
    void Refresh() { Repaint(); }
    // Last (first) among the parent's controls; a windowed control's window
    // goes over (under) its siblings' windows as well.
    void BringToFront();
    void SendToBack();

    virtual void Click();
    virtual void DblClick();

    // Drag and drop, begun in code (from OnMouseDown, say).  The control
    // takes the mouse; once the pointer has moved more than threshold
    // pixels (-1: the system's drag distance), or at once when immediate,
    // the control under the pointer hears of the drag through DragOver and
    // the cursor shows DragCursor where it is accepted, crNoDrop elsewhere.
    // Releasing the left button drops on an accepting control (DragDrop);
    // Esc, the right button or losing the mouse cancels.  Either way the
    // control under the pointer hears dsDragLeave, and this one DoEndDrag.
    void BeginDrag(bool immediate, int threshold = -1);
    // Ends the drag this control began, dropping (when accepted) or not.
    void EndDrag(bool drop);
    bool Dragging() const;
    TCursor DragCursor() const { return dragCursor_; }
    void SetDragCursor(TCursor value) { dragCursor_ = value; }
    // dmAutomatic begins a drag with every press of the left button.
    TDragMode DragMode() const { return dragMode_; }
    void SetDragMode(TDragMode value) { dragMode_ = value; }
    // Docking is not part of the library: a dkDock control drags as dkDrag.
    TDragKind DragKind() const { return dragKind_; }
    void SetDragKind(TDragKind value) { dragKind_ = value; }
    // The drop: OnDragDrop.
    virtual void DragDrop(TObject* source, int x, int y);

    TNotifyEvent OnClick;
    TNotifyEvent OnDblClick;
    TMouseEvent OnMouseDown;
    TMouseEvent OnMouseUp;
    TMouseMoveEvent OnMouseMove;
    TNotifyEvent OnResize;
    TDragOverEvent OnDragOver;
    TDragDropEvent OnDragDrop;
    TEndDragEvent OnEndDrag;

protected:
    virtual std::string GetText() const { return text_; }
    virtual void SetTextValue(const std::string& value) { text_ = value; }
    virtual void MouseDown(TMouseButton button, TShiftState shift, int x, int y);
    virtual void MouseUp(TMouseButton button, TShiftState shift, int x, int y);
    virtual void MouseMove(TShiftState shift, int x, int y);
    virtual void Resize();
    // A drag over the control: Accept is what OnDragOver answers (it starts
    // true), false without OnDragOver.
    virtual void DragOver(TObject* source, int x, int y, TDragState state, bool& accept);
    // The drag this control began ended: OnEndDrag.
    virtual void DoEndDrag(TObject* target, int x, int y);
    // The pop-up menu a right click shows: PopupMenu here.
    virtual TPopupMenu* GetPopupMenu() const { return popupMenu_; }
    // The action's properties arrive (all of them when it is linked).
    virtual void ActionChange(TObject* sender, bool checkDefaults);
    void Notification(TComponent* component, TOperation operation) override;
    // Asks the parent to lay out its children again.
    void RequestAlign();
    // Remembers where the control stands for anchoring to its parent.
    void UpdateAnchorRules();
    // Hides and shows windows; windowless controls only repaint.
    virtual void VisibleChanged();
    // Enables the window; windowless controls only repaint.
    virtual void EnabledChanged();

    std::string text_;
    TControlStyle controlStyle_ = csCaptureMouse | csClickEvents | csSetCaption | csDoubleClicks;
    TControlState controlState_ = 0;

private:
    friend class TWinControl;
    friend class TControlActionLink;
    // Puts a windowed control's window at place among its siblings' (HWND_TOP, HWND_BOTTOM).
    void RaiseWindow(HWND place);
    void ControlTearDown() noexcept;
    void FontChanged();
    void HandleMouseMessage(TMessage& m);
    void HandleContextMenu(TMessage& m);
    // A message of the drag this control began; false when it is not one.
    bool HandleDragMessage(TMessage& m);
    // A control that goes takes no further part in a drag.
    void ForgetDrag() noexcept;
    // The drag comes to a screen point; it ends, dropping or not.
    static void DragTo(TPoint p);
    static void FinishDrag(bool drop);
    void AdoptParentColor(TColor color);
    void AdoptParentFont(TFont* font);
    // Tells (CM_BIDIMODECHANGED) and repaints this control and the children
    // that follow its reading order.
    void BiDiModeChanged();
    // Moves the control by the anchor rules after its parent resized.
    void Anchor(int parentWidth, int parentHeight);

    TWinControl* parent_ = nullptr;
    int left_ = 0, top_ = 0, width_ = 0, height_ = 0;
    TAlign align_ = alNone;
    TAnchors anchors_ = akLeft | akTop;
    std::unique_ptr<TSizeConstraints> constraints_;
    TRect anchorBounds_{};
    SIZE anchorParentSize_{};
    bool visible_ = true;
    bool enabled_ = true;
    TColor color_ = clWindow;
    bool parentColor_ = true;
    std::unique_ptr<TFont> font_;
    bool parentFont_ = true;
    TBiDiMode biDiMode_ = bdLeftToRight;
    bool parentBiDiMode_ = true;
    bool adoptingFont_ = false;
    std::string hint_;
    int helpContext_ = 0;
    bool showHint_ = false;
    bool parentShowHint_ = true;
    TCursor cursor_ = crDefault;
    TCursor dragCursor_ = crDrag;
    TDragMode dragMode_ = dmManual;
    TDragKind dragKind_ = dkDrag;
    TPopupMenu* popupMenu_ = nullptr;
    std::unique_ptr<TControlActionLink> actionLink_;
    TWndProcHooks<TMessage> windowHooks_;
    bool tornDown_ = false;
};

// ---- TWinControl ----------------------------------------------------------
struct TCreateParams {
    std::string Caption;
    DWORD Style = 0;
    DWORD ExStyle = 0;
    int X = 0, Y = 0, Width = 0, Height = 0;
    HWND WndParent = nullptr;
    HMENU Menu = nullptr;  // a top-level window's menu; children get an identifier
    void* Param = nullptr;
    WNDCLASSW WindowClass{};
    std::wstring WinClassName;
};

class TWinControl : public TControl {
    CL_CLASS(TWinControl, TControl)
public:
    explicit TWinControl(TComponent* owner);
    ~TWinControl() override;
    void BeforeDestruction() override;
    void SetName(const std::string& name) override;

    // The window, created (with the parents' first) when there is none.
    HWND Handle();
    HWND WindowHandle() const { return handle_; }
    bool HandleAllocated() const { return handle_ != nullptr; }
    void HandleNeeded() { Handle(); }
    // Hidden, the control gets its window only when it shows or its handle
    // is asked for: its parent's window is made without it.  A window costs
    // the start of a program of many hidden parts.
    bool HandleWhenShown() const { return handleWhenShown_; }
    void SetHandleWhenShown(bool value) { handleWhenShown_ = value; }
    // Destroys the window (children first) keeping the control's state; a
    // control that had one makes a new one at once.
    void RecreateWnd();
    // The control that owns a window of this process, or nullptr.
    static TWinControl* FindControl(HWND wnd);

    int ControlCount() const { return static_cast<int>(controls_.size()); }
    TControl* Controls(int index) const;
    bool ContainsControl(TControl* control) const;
    // A direct child with that name, without regard to case.
    TControl* FindChildControl(const std::string& name) const;
    // The topmost visible child at a client point (enabled unless
    // allowDisabled; windowed ones only with allowWinControls).
    TControl* ControlAtPos(TPoint p, bool allowDisabled, bool allowWinControls = false);
    void InsertControl(TControl* control);
    void RemoveControl(TControl* control);
    // Sends the message to every child until one answers non-zero.
    void Broadcast(TMessage& message);
    void NotifyControls(UINT msg);

    TRect ClientRect() override;
    TPoint ClientOrigin() override;
    void SetBounds(int left, int top, int width, int height) override;
    void Invalidate() override;
    void Update() override;

    // Alignment of the children; nested Disable/Enable pairs defer it.
    void DisableAlign() { ++alignLevel_; }
    void EnableAlign();
    void Realign();
    // Lays the children out again, control first among those of its alignment.
    void AlignControl(TControl* control);
    // Moves every child by the deltas (the content scrolls).
    void ScrollBy(int dx, int dy);

    bool Focused() const;
    virtual bool CanFocus();
    // Raises EInvalidOperation "Cannot focus a disabled or invisible window".
    virtual void SetFocus();
    int TabOrder() const;
    void SetTabOrder(int value);
    bool TabStop() const { return tabStop_; }
    void SetTabStop(bool value);
    // The sunken three-dimensional look (an edit's border); with
    // ParentCtl3D, the parent's.  Setting it clears ParentCtl3D.  A
    // change reaches the control as CM_CTL3DCHANGED, for the controls
    // whose look it is, then the children that follow it.
    bool Ctl3D() const { return ctl3D_; }
    void SetCtl3D(bool value);
    bool ParentCtl3D() const { return parentCtl3D_; }
    void SetParentCtl3D(bool value);
    // The input method's mode and name as a layout sets them; Polish text
    // is typed without an input method, so nothing switches one.
    TImeMode ImeMode() const { return imeMode_; }
    void SetImeMode(TImeMode value) { imeMode_ = value; }
    const std::string& ImeName() const { return imeName_; }
    void SetImeName(const std::string& value) { imeName_ = value; }
    // The tab order of this control's windowed descendants, depth first.
    void GetTabOrderList(std::vector<TWinControl*>& list);
    TWinControl* FindNextControl(TWinControl* current, bool goForward, bool checkTabStop, bool checkParent);
    void SelectNext(TWinControl* current, bool goForward, bool checkTabStop);
    void SelectFirst();
    // Every child control that root owns, in the order of the children.
    void GetChildren(const TGetChildProc& proc, TComponent* root) override;
    bool Showing() const;

    // The background brush (Color).
    TBrush* Brush() { return brush_.get(); }
    // WM_PAINT paints into an off-screen bitmap first and copies it at once.
    bool DoubleBuffered() const { return doubleBuffered_; }
    void SetDoubleBuffered(bool value) { doubleBuffered_ = value; }
    WNDPROC DefWndProc() const { return defWndProc_; }

    TKeyEvent OnKeyDown;
    TKeyPressEvent OnKeyPress;
    TKeyEvent OnKeyUp;
    TNotifyEvent OnEnter;
    TNotifyEvent OnExit;

    void WndProc(TMessage& message) override;
    void DefaultHandler(TMessage& message) override;

protected:
    // Brings control, a child, into view before it shows; here the parent
    // brings this control into view.
    virtual void ShowControl(TControl* control);
    virtual void CreateParams(TCreateParams& params);
    // For a control over a system window class: creates the window of that
    // class (no class of our own is registered) and subclasses it.
    void CreateSubClass(TCreateParams& params, const wchar_t* className);
    virtual void CreateWnd();
    virtual void CreateWindowHandle(const TCreateParams& params);
    // Saves what the window holds (the text here) before it goes.
    virtual void DestroyWnd();
    void CreateHandle();
    void DestroyHandle();

    std::string GetText() const override;
    void SetTextValue(const std::string& value) override;
    void VisibleChanged() override;
    void EnabledChanged() override;
    // Lets the parent form move its focus away from this control.
    void RemoveFocus(bool removing);

    virtual void AlignControls(TControl* control, TRect& rect);
    // The part of the client area the children are aligned in.
    virtual void AdjustClientRect(TRect& rect) {}
    virtual void PaintWindow(HDC dc);
    // A WM_CTLCOLOR* answer: the context takes the font's colour on this
    // control's background; the result is the background brush.
    LRESULT CtlColor(HDC dc);
    void PaintHandler(TMessage& message);
    void PaintControls(HDC dc);
    // WM_PAINT of a double-buffered control.
    void PaintBuffered(TMessage& message);
    virtual void KeyDown(WORD& key, TShiftState shift);
    virtual void KeyUp(WORD& key, TShiftState shift);
    virtual void KeyPress(char& key);
    virtual void DoEnter();
    virtual void DoExit();
    // True when the key was swallowed (by a handler or the form's preview).
    bool DoKeyDown(TMessage& message);
    bool DoKeyUp(TMessage& message);
    bool DoKeyPress(TMessage& message);
    // The parent form's or an application's shortcut took the key.
    bool IsMenuKey(TMessage& message);
    // A system window class: erasing and painting stay the class's.
    bool IsSystemClass() const { return systemClass_; }

private:
    friend class TControl;
    friend class TCustomForm;
    friend LRESULT CALLBACK ControlWndProc(HWND, UINT, WPARAM, LPARAM);
    friend LRESULT CALLBACK CreationHook(int, WPARAM, LPARAM);
    void AttachHandle(HWND wnd);
    void DetachHandle() noexcept;
    void SetNameProperty() noexcept;
    void RemoveNameProperty() noexcept;
    void UpdateBounds();
    void UpdateShowing();
    // Ctl3D took another value: this control and the children that follow it.
    void Ctl3DChanged();
    // With ParentCtl3D, takes the parent's Ctl3D.
    void AdoptParentCtl3D();
    void CNKeyDown(TMessage& m);
    void CNChar(TMessage& m);
    void ReflectToChild(TMessage& m, HWND child);
    bool HandleSetCursor(TMessage& m);
    bool IsControlMouseMsg(TMessage& m);
    void WinTearDown() noexcept;
    // The parent's new window makes this one's too.
    bool MadeWithParent() const { return Visible() || !handleWhenShown_; }

    HWND handle_ = nullptr;
    WNDPROC defWndProc_ = nullptr;
    ATOM nameAtom_ = 0;
    bool systemClass_ = false;
    bool handleWhenShown_ = false;
    std::vector<TControl*> controls_;
    std::vector<TWinControl*> tabList_;
    bool tabStop_ = false;
    bool ctl3D_ = true;
    bool parentCtl3D_ = true;
    TImeMode imeMode_ = imDontCare;
    std::string imeName_;
    int alignLevel_ = 0;
    bool aligning_ = false;
    std::unique_ptr<TBrush> brush_;
    bool doubleBuffered_ = false;
    bool winTornDown_ = false;
};

// ---- TGraphicControl and TCustomControl ----------------------------------
class TGraphicControl : public TControl {
    CL_CLASS(TGraphicControl, TControl)
public:
    explicit TGraphicControl(TComponent* owner);
    ~TGraphicControl() override;
    TCanvas* Canvas() { return canvas_.get(); }
    void WndProc(TMessage& message) override;

protected:
    virtual void Paint() {}

private:
    std::unique_ptr<TControlCanvas> canvas_;
};

class TCustomControl : public TWinControl {
    CL_CLASS(TCustomControl, TWinControl)
public:
    explicit TCustomControl(TComponent* owner);
    ~TCustomControl() override;
    TCanvas* Canvas() { return canvas_.get(); }
    void WndProc(TMessage& message) override;

protected:
    // Paints on Canvas; the background is not erased first.
    virtual void Paint() {}
    void PaintWindow(HDC dc) override;

private:
    std::unique_ptr<TControlCanvas> canvas_;
};

// ---- Mouse capture and hit tests -----------------------------------------
// The windowless control that holds the mouse through its parent's capture.
TControl* GetCaptureControl();
void SetCaptureControl(TControl* control);
// The control of this process under a screen point: a windowed one, or
// the windowless child there.
TControl* FindDragTarget(TPoint screenPos, bool allowDisabled);

}  // namespace cl
