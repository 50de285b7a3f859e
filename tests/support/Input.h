#pragma once
// Keyboard and mouse input posted as the system queues it, for windows of
// the test's own process and of a program the driver runs alike, text on
// the clipboard, and modifier keys held in the calling thread's keyboard
// state.

#include <windows.h>

#include <algorithm>
#include <initializer_list>
#include <iterator>
#include <string>

namespace cltest {

// The LParam of a key message: one repeat, the scan code, and for a key
// going up the previous-state and transition bits.
inline LPARAM KeyData(WORD vk, bool up) {
    const UINT scan = MapVirtualKeyW(vk, MAPVK_VK_TO_VSC);
    LPARAM data = 1 | static_cast<LPARAM>(scan << 16);
    if (up) data |= static_cast<LPARAM>(0xC0000000u);
    return data;
}

// A key press: key down, then key up.
inline void PostKey(HWND wnd, WORD vk) {
    PostMessageW(wnd, WM_KEYDOWN, vk, KeyData(vk, false));
    PostMessageW(wnd, WM_KEYUP, vk, KeyData(vk, true));
}

// A key pressed with Alt held, as the system queues it (WM_SYSKEYDOWN with
// the context bit): how a menu's access key reaches a window.
inline void PostAltKey(HWND wnd, WORD vk) {
    constexpr LPARAM kAltHeld = 0x20000000;
    PostMessageW(wnd, WM_SYSKEYDOWN, vk, KeyData(vk, false) | kAltHeld);
    PostMessageW(wnd, WM_SYSKEYUP, vk, KeyData(vk, true) | kAltHeld);
}

// A left click at client coordinates.
inline void PostClick(HWND wnd, int x, int y) {
    PostMessageW(wnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
    PostMessageW(wnd, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
}

// The clipboard holding text, as a user copies it: what a paste then
// inserts, in any process of the session.
inline bool SetClipboardText(HWND owner, const std::wstring& text) {
    if (!OpenClipboard(owner)) return false;
    EmptyClipboard();
    HGLOBAL data = GlobalAlloc(GMEM_MOVEABLE, (text.size() + 1) * sizeof(wchar_t));
    bool set = false;
    if (void* bytes = data ? GlobalLock(data) : nullptr) {
        std::copy(text.c_str(), text.c_str() + text.size() + 1, static_cast<wchar_t*>(bytes));
        GlobalUnlock(data);
        set = SetClipboardData(CF_UNICODETEXT, data) != nullptr;
    }
    if (data && !set) GlobalFree(data);
    CloseClipboard();
    return set;
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

}  // namespace cltest
