#pragma once
// Window messages as the class library passes them around: the message
// record, the control notifications (CM_*) and the messages a parent
// reflects to the child control they concern (CN_*), shift states,
// keyboard shortcuts, hidden utility windows, window timers and the
// exception barrier of every window procedure.

#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace cl {

class TObject;

struct TMessage {
    UINT Msg = 0;
    WPARAM WParam = 0;
    LPARAM LParam = 0;
    LRESULT Result = 0;

    WORD WParamLo() const { return LOWORD(WParam); }
    WORD WParamHi() const { return HIWORD(WParam); }
    WORD LParamLo() const { return LOWORD(LParam); }
    WORD LParamHi() const { return HIWORD(LParam); }
    // Signed client coordinates of a mouse message.
    int XPos() const { return static_cast<short>(LOWORD(LParam)); }
    int YPos() const { return static_cast<short>(HIWORD(LParam)); }
};

// ---- Control notifications ---------------------------------------------
// Sent with Perform to a control (never through the system); the numbers
// are the class library's own.
constexpr UINT CM_BASE = 0xB000;
constexpr UINT CM_ACTIVATE = CM_BASE + 0;
constexpr UINT CM_DEACTIVATE = CM_BASE + 1;
constexpr UINT CM_GOTFOCUS = CM_BASE + 2;
constexpr UINT CM_LOSTFOCUS = CM_BASE + 3;
constexpr UINT CM_CANCELMODE = CM_BASE + 4;
constexpr UINT CM_DIALOGKEY = CM_BASE + 5;     // WParam key, LParam key data; non-zero: handled
constexpr UINT CM_DIALOGCHAR = CM_BASE + 6;    // WParam char code, LParam key data; non-zero: handled
constexpr UINT CM_FOCUSCHANGED = CM_BASE + 7;  // LParam the control that got the focus
constexpr UINT CM_PARENTFONTCHANGED = CM_BASE + 8;
constexpr UINT CM_PARENTCOLORCHANGED = CM_BASE + 9;
constexpr UINT CM_HITTEST = CM_BASE + 10;  // LParam the point; zero: not hit
constexpr UINT CM_VISIBLECHANGED = CM_BASE + 11;
constexpr UINT CM_ENABLEDCHANGED = CM_BASE + 12;
constexpr UINT CM_COLORCHANGED = CM_BASE + 13;
constexpr UINT CM_FONTCHANGED = CM_BASE + 14;
constexpr UINT CM_CURSORCHANGED = CM_BASE + 15;
constexpr UINT CM_CTL3DCHANGED = CM_BASE + 16;
constexpr UINT CM_PARENTCTL3DCHANGED = CM_BASE + 17;
constexpr UINT CM_TEXTCHANGED = CM_BASE + 18;
constexpr UINT CM_MOUSEENTER = CM_BASE + 19;  // LParam the control
constexpr UINT CM_MOUSELEAVE = CM_BASE + 20;  // LParam the control
constexpr UINT CM_MENUCHANGED = CM_BASE + 21;
constexpr UINT CM_APPKEYDOWN = CM_BASE + 22;
constexpr UINT CM_APPSYSCOMMAND = CM_BASE + 23;
constexpr UINT CM_BUTTONPRESSED = CM_BASE + 24;
constexpr UINT CM_SHOWINGCHANGED = CM_BASE + 25;
constexpr UINT CM_ENTER = CM_BASE + 26;
constexpr UINT CM_EXIT = CM_BASE + 27;
constexpr UINT CM_WANTSPECIALKEY = CM_BASE + 30;  // WParam key; non-zero: the control takes it
constexpr UINT CM_RELEASE = CM_BASE + 33;
constexpr UINT CM_SHOWHINTCHANGED = CM_BASE + 34;
constexpr UINT CM_PARENTSHOWHINTCHANGED = CM_BASE + 35;
constexpr UINT CM_SYSCOLORCHANGE = CM_BASE + 36;
constexpr UINT CM_WININICHANGE = CM_BASE + 37;
constexpr UINT CM_FONTCHANGE = CM_BASE + 38;
constexpr UINT CM_TABSTOPCHANGED = CM_BASE + 40;
constexpr UINT CM_CONTROLLISTCHANGE = CM_BASE + 44;  // WParam the control, LParam non-zero: inserted
constexpr UINT CM_CHILDKEY = CM_BASE + 46;           // WParam key, LParam the control; non-zero: handled
constexpr UINT CM_HINTSHOW = CM_BASE + 48;           // LParam a THintInfo*; non-zero: no hint
constexpr UINT CM_RECREATEWND = CM_BASE + 51;
constexpr UINT CM_INVALIDATE = CM_BASE + 52;
constexpr UINT CM_SYSFONTCHANGED = CM_BASE + 53;
constexpr UINT CM_CONTROLCHANGE = CM_BASE + 54;  // WParam the control, LParam non-zero: inserted
constexpr UINT CM_CHANGED = CM_BASE + 55;
constexpr UINT CM_BORDERCHANGED = CM_BASE + 59;
constexpr UINT CM_BIDIMODECHANGED = CM_BASE + 60;
constexpr UINT CM_ACTIONUPDATE = CM_BASE + 63;
constexpr UINT CM_ACTIONEXECUTE = CM_BASE + 64;
constexpr UINT CM_HINTSHOWPAUSE = CM_BASE + 65;
constexpr UINT CM_MOUSEWHEEL = CM_BASE + 67;

// ---- Reflected messages ------------------------------------------------
// A parent that receives one of these system messages from a child
// window sends CN_BASE + message to the child's control.
constexpr UINT CN_BASE = 0xBC00;
constexpr UINT CN_CHARTOITEM = CN_BASE + WM_CHARTOITEM;
constexpr UINT CN_COMMAND = CN_BASE + WM_COMMAND;
constexpr UINT CN_COMPAREITEM = CN_BASE + WM_COMPAREITEM;
constexpr UINT CN_CTLCOLORBTN = CN_BASE + WM_CTLCOLORBTN;
constexpr UINT CN_CTLCOLORDLG = CN_BASE + WM_CTLCOLORDLG;
constexpr UINT CN_CTLCOLOREDIT = CN_BASE + WM_CTLCOLOREDIT;
constexpr UINT CN_CTLCOLORLISTBOX = CN_BASE + WM_CTLCOLORLISTBOX;
constexpr UINT CN_CTLCOLORMSGBOX = CN_BASE + WM_CTLCOLORMSGBOX;
constexpr UINT CN_CTLCOLORSCROLLBAR = CN_BASE + WM_CTLCOLORSCROLLBAR;
constexpr UINT CN_CTLCOLORSTATIC = CN_BASE + WM_CTLCOLORSTATIC;
constexpr UINT CN_DELETEITEM = CN_BASE + WM_DELETEITEM;
constexpr UINT CN_DRAWITEM = CN_BASE + WM_DRAWITEM;
constexpr UINT CN_HSCROLL = CN_BASE + WM_HSCROLL;
constexpr UINT CN_MEASUREITEM = CN_BASE + WM_MEASUREITEM;
constexpr UINT CN_PARENTNOTIFY = CN_BASE + WM_PARENTNOTIFY;
constexpr UINT CN_VKEYTOITEM = CN_BASE + WM_VKEYTOITEM;
constexpr UINT CN_VSCROLL = CN_BASE + WM_VSCROLL;
constexpr UINT CN_KEYDOWN = CN_BASE + WM_KEYDOWN;
constexpr UINT CN_KEYUP = CN_BASE + WM_KEYUP;
constexpr UINT CN_CHAR = CN_BASE + WM_CHAR;
constexpr UINT CN_SYSKEYDOWN = CN_BASE + WM_SYSKEYDOWN;
constexpr UINT CN_SYSCHAR = CN_BASE + WM_SYSCHAR;
constexpr UINT CN_NOTIFY = CN_BASE + WM_NOTIFY;

// ---- Shift state ---------------------------------------------------------
// A set of bits in the class library's order (the field editors pack it
// into a message as this byte).
enum TShiftStateFlag : uint8_t {
    ssShift = 1 << 0,
    ssAlt = 1 << 1,
    ssCtrl = 1 << 2,
    ssLeft = 1 << 3,
    ssRight = 1 << 4,
    ssMiddle = 1 << 5,
    ssDouble = 1 << 6,
};
using TShiftState = uint8_t;

// From the MK_xxx flags of a mouse message (Alt read from the keyboard).
TShiftState KeysToShiftState(WORD keys);
// From the key data of a key message: Alt from its context bit, Shift and
// Ctrl from the thread's keyboard state.
TShiftState KeyDataToShiftState(LPARAM keyData);
// From the thread's keyboard state, buttons included.
TShiftState KeyboardStateToShiftState();

// ---- Shortcuts -----------------------------------------------------------
// A virtual key in the low byte plus modifier bits.
using TShortCut = WORD;
constexpr TShortCut scNone = 0;
constexpr TShortCut scShift = 0x2000;
constexpr TShortCut scCtrl = 0x4000;
constexpr TShortCut scAlt = 0x8000;

TShortCut ShortCut(WORD key, TShiftState shift);
void ShortCutToKey(TShortCut shortCut, WORD& key, TShiftState& shift);
// The shortcut of a WM_KEYDOWN / WM_SYSKEYDOWN message as it arrives.
TShortCut ShortCutFromKeyMessage(WPARAM key, LPARAM keyData);
// "Ctrl+N", "Shift+Ctrl+F5", "Del"; "" for none or an unnamed key.
std::string ShortCutToText(TShortCut shortCut);
// The reverse, without regard to case; scNone for text it cannot read.
TShortCut TextToShortCut(std::string_view text);

// ---- Hidden utility windows ---------------------------------------------
// A hidden top-level window whose every message goes to method (which
// answers through Result and calls DefWindowProcW itself for what it does
// not handle).  Exceptions go to the application's handler.
HWND AllocateHWnd(std::function<void(TMessage&)> method);
void DeallocateHWnd(HWND wnd) noexcept;

// ---- Window timers ---------------------------------------------------------
// SetTimer and KillTimer for the library's timers (TTimer and the controls'
// own), through an object a test may replace to see which timers start with
// which periods, and to tick them itself with WM_TIMER.
class TWindowTimers {
public:
    virtual ~TWindowTimers() = default;
    // False when the system has no timer left.
    virtual bool Set(HWND wnd, UINT_PTR id, UINT ms);
    virtual void Kill(HWND wnd, UINT_PTR id);
};
TWindowTimers& WindowTimers();
// timers for the process's timers from now on; nullptr: the system's again.
void SetWindowTimers(TWindowTimers* timers);

// ---- Exception barrier -----------------------------------------------------
// Inside a catch block: hands the exception being handled to
// Application->HandleException(sender).  Never throws.
void HandleCurrentException(TObject* sender) noexcept;

// Runs body; whatever it throws goes to the application's handler, so no
// exception unwinds through the system's frames.
template <class F>
void ExceptionBarrier(TObject* sender, F&& body) noexcept {
    try {
        body();
    } catch (...) {
        HandleCurrentException(sender);
    }
}

}  // namespace cl
