#pragma once
// Helpers of the window-layer tests: owning pointers that Free, pumping
// messages until something happens, posted keys and mouse clicks, held
// modifier keys, screen pixels and bounds of controls, a system EDIT as a
// control, a popup menu that records where it opens, and answered message
// boxes.

#include <windows.h>

#include <chrono>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "classlib/win/Controls.h"
#include "classlib/win/Dialogs.h"
#include "classlib/win/Forms.h"
#include "classlib/win/GdiHandles.h"
#include "classlib/win/Menus.h"

namespace cltest {

struct FreeDeleter {
    void operator()(cl::TObject* obj) const { cl::Free(obj); }
};
template <class T>
using Owned = std::unique_ptr<T, FreeDeleter>;

template <class T, class... Args>
Owned<T> Make(Args&&... args) {
    return Owned<T>(cl::Construct<T>(std::forward<Args>(args)...));
}

// Handles messages until done() holds or the time is up; answers done().
inline bool PumpUntil(const std::function<bool()>& done, int ms = 2000) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
    while (!done()) {
        if (std::chrono::steady_clock::now() > end) return false;
        cl::Application->ProcessMessages();
        Sleep(1);
    }
    return true;
}

// Handles what is queued now and what that brings on within a moment.
inline void Pump(int ms = 50) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
    do {
        cl::Application->ProcessMessages();
        Sleep(1);
    } while (std::chrono::steady_clock::now() < end);
}

inline LPARAM KeyData(WORD vk, bool up) {
    const UINT scan = MapVirtualKeyW(vk, MAPVK_VK_TO_VSC);
    LPARAM data = 1 | static_cast<LPARAM>(scan << 16);
    if (up) data |= static_cast<LPARAM>(0xC0000000u);
    return data;
}

// A key press as the system queues it: key down, then key up.
inline void PostKey(HWND wnd, WORD vk) {
    PostMessageW(wnd, WM_KEYDOWN, vk, KeyData(vk, false));
    PostMessageW(wnd, WM_KEYUP, vk, KeyData(vk, true));
}

inline void PostClick(HWND wnd, int x, int y) {
    PostMessageW(wnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
    PostMessageW(wnd, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
}

// Modifier keys held in the thread's keyboard state while it lives.
class HeldKeys {
public:
    explicit HeldKeys(std::initializer_list<int> keys) {
        GetKeyboardState(saved_);
        BYTE state[256];
        std::copy(std::begin(saved_), std::end(saved_), state);
        for (int k : keys) state[k] = 0x80;
        SetKeyboardState(state);
    }
    ~HeldKeys() { SetKeyboardState(saved_); }
    HeldKeys(const HeldKeys&) = delete;
    HeldKeys& operator=(const HeldKeys&) = delete;

private:
    BYTE saved_[256];
};

// The screen pixel at a client point of a window.
inline COLORREF PixelOf(HWND wnd, int x, int y) {
    const cl::WindowDC dc(wnd);
    return GetPixel(dc.get(), x, y);
}

inline COLORREF PixelOf(cl::TWinControl* control, int x, int y) {
    return PixelOf(control->Handle(), x, y);
}

// "left,top,width,height"
inline std::string Bounds(cl::TControl* c) {
    return std::to_string(c->Left()) + "," + std::to_string(c->Top()) + "," + std::to_string(c->Width()) +
           "," + std::to_string(c->Height());
}

// A popup menu that records where it was asked to open instead of opening.
class TRecordingPopup : public cl::TPopupMenu {
public:
    using TPopupMenu::TPopupMenu;
    void Popup(int x, int y) override { shownAt.push_back(cl::Point(x, y)); }
    std::vector<cl::TPoint> shownAt;
};

// A system EDIT window under a windowed control.
class TTestEdit : public cl::TWinControl {
public:
    explicit TTestEdit(cl::TComponent* owner) : TWinControl(owner) {
        SetControlStyle(ControlStyle() & ~cl::csSetCaption);
        SetTabStop(true);
        SetBounds(0, 0, 120, 21);
        WindowHooks().Add([this](cl::TMessage& m, bool&) {
            if (m.Msg == WM_CHAR) chars += static_cast<wchar_t>(m.WParam);
        });
    }
    std::wstring chars;  // every WM_CHAR the window got

protected:
    void CreateParams(cl::TCreateParams& p) override {
        TWinControl::CreateParams(p);
        CreateSubClass(p, L"EDIT");
        p.Style |= ES_AUTOHSCROLL | WS_BORDER;
    }
};

// Answers every message box with a fixed button and records it.
struct MessageBoxRecord {
    HWND owner;
    std::string text;
    std::string caption;
    UINT flags;
};

class AnsweredMessageBoxes {
public:
    explicit AnsweredMessageBoxes(int answer = IDOK) {
        cl::SetMessageBoxHook(
            [this, answer](HWND owner, const std::string& text, const std::string& caption, UINT flags) {
                boxes.push_back({owner, text, caption, flags});
                return answer;
            });
    }
    ~AnsweredMessageBoxes() { cl::SetMessageBoxHook(nullptr); }
    AnsweredMessageBoxes(const AnsweredMessageBoxes&) = delete;
    AnsweredMessageBoxes& operator=(const AnsweredMessageBoxes&) = delete;

    std::vector<MessageBoxRecord> boxes;
};

}  // namespace cltest
