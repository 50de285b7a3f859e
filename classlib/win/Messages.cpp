#include "classlib/win/Messages.h"

#include <memory>

#include "classlib/StrUtils.h"
#include "classlib/win/WideText.h"

namespace cl {

namespace {

bool KeyDown(int vk) {
    return GetKeyState(vk) < 0;
}

// The context bit of WM_KEYDOWN / WM_SYSKEYDOWN key data: Alt is held.
constexpr LPARAM kAltMask = 0x20000000;

struct KeyName {
    WORD key;
    const char* name;
};

// The class library's names of the keys that are neither letters, digits
// nor function keys.
constexpr KeyName kKeyNames[] = {
    {VK_BACK, "BkSp"},  {VK_TAB, "Tab"},     {VK_ESCAPE, "Esc"}, {VK_RETURN, "Enter"}, {VK_SPACE, "Space"},
    {VK_PRIOR, "PgUp"}, {VK_NEXT, "PgDn"},   {VK_END, "End"},    {VK_HOME, "Home"},    {VK_LEFT, "Left"},
    {VK_UP, "Up"},      {VK_RIGHT, "Right"}, {VK_DOWN, "Down"},  {VK_INSERT, "Ins"},   {VK_DELETE, "Del"},
};

struct Modifier {
    TShortCut bit;
    const char* prefix;
};
constexpr Modifier kModifiers[] = {{scShift, "Shift+"}, {scCtrl, "Ctrl+"}, {scAlt, "Alt+"}};

std::string KeyToText(WORD key) {
    if ((key >= '0' && key <= '9') || (key >= 'A' && key <= 'Z'))
        return std::string(1, static_cast<char>(key));
    if (key >= VK_F1 && key <= VK_F24) return "F" + IntToStr(key - VK_F1 + 1);
    for (const KeyName& k : kKeyNames)
        if (k.key == key) return k.name;
    // Anything else is named by the keyboard layout.
    const UINT scan = MapVirtualKeyW(key, MAPVK_VK_TO_VSC);
    if (scan == 0) return "";
    wchar_t name[64] = {};
    const int n = GetKeyNameTextW(static_cast<LONG>(scan << 16), name, 64);
    return n > 0 ? FromWide(std::wstring_view(name, static_cast<size_t>(n))) : "";
}

// Hidden utility windows keep their method in GWLP_USERDATA.  A window
// freed by its own method (a timer freed in its OnTimer) keeps the method
// alive until the method returns.
struct UtilMethod {
    std::function<void(TMessage&)> method;
    int depth = 0;
    bool dead = false;
};

LRESULT CALLBACK UtilWndProc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp) {
    auto* util = reinterpret_cast<UtilMethod*>(GetWindowLongPtrW(wnd, GWLP_USERDATA));
    // Messages of CreateWindowEx arrive before the method is attached.
    if (!util) return DefWindowProcW(wnd, msg, wp, lp);
    TMessage m{msg, wp, lp, 0};
    ++util->depth;
    ExceptionBarrier(nullptr, [&] { util->method(m); });
    if (--util->depth == 0 && util->dead) delete util;
    return m.Result;
}

const wchar_t kUtilClass[] = L"ClUtilWindow";

void RegisterUtilClass() {
    static const bool registered = [] {
        WNDCLASSW wc{};
        wc.lpfnWndProc = UtilWndProc;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = kUtilClass;
        return RegisterClassW(&wc) != 0;
    }();
    (void)registered;
}

}  // namespace

TShiftState KeysToShiftState(WORD keys) {
    TShiftState s = 0;
    if (keys & MK_SHIFT) s |= ssShift;
    if (keys & MK_CONTROL) s |= ssCtrl;
    if (keys & MK_LBUTTON) s |= ssLeft;
    if (keys & MK_RBUTTON) s |= ssRight;
    if (keys & MK_MBUTTON) s |= ssMiddle;
    if (KeyDown(VK_MENU)) s |= ssAlt;
    return s;
}

TShiftState KeyDataToShiftState(LPARAM keyData) {
    TShiftState s = 0;
    if (KeyDown(VK_SHIFT)) s |= ssShift;
    if (KeyDown(VK_CONTROL)) s |= ssCtrl;
    if (keyData & kAltMask) s |= ssAlt;
    return s;
}

TShiftState KeyboardStateToShiftState() {
    TShiftState s = 0;
    if (KeyDown(VK_SHIFT)) s |= ssShift;
    if (KeyDown(VK_CONTROL)) s |= ssCtrl;
    if (KeyDown(VK_MENU)) s |= ssAlt;
    if (KeyDown(VK_LBUTTON)) s |= ssLeft;
    if (KeyDown(VK_RBUTTON)) s |= ssRight;
    if (KeyDown(VK_MBUTTON)) s |= ssMiddle;
    return s;
}

TShortCut ShortCut(WORD key, TShiftState shift) {
    if (key & 0xFF00) return scNone;
    TShortCut sc = key;
    if (shift & ssShift) sc |= scShift;
    if (shift & ssCtrl) sc |= scCtrl;
    if (shift & ssAlt) sc |= scAlt;
    return sc;
}

void ShortCutToKey(TShortCut shortCut, WORD& key, TShiftState& shift) {
    key = shortCut & 0xFF;
    shift = 0;
    if (shortCut & scShift) shift |= ssShift;
    if (shortCut & scCtrl) shift |= ssCtrl;
    if (shortCut & scAlt) shift |= ssAlt;
}

TShortCut ShortCutFromKeyMessage(WPARAM key, LPARAM keyData) {
    return ShortCut(static_cast<WORD>(key & 0xFF), KeyDataToShiftState(keyData));
}

std::string ShortCutToText(TShortCut shortCut) {
    const std::string name = KeyToText(shortCut & 0xFF);
    if (name.empty()) return "";
    std::string text;
    for (const Modifier& m : kModifiers)
        if (shortCut & m.bit) text += m.prefix;
    return text + name;
}

TShortCut TextToShortCut(std::string_view text) {
    TShortCut mods = 0;
    for (bool found = true; found;) {
        found = false;
        for (const Modifier& m : kModifiers) {
            const std::string_view p = m.prefix;
            if (text.size() > p.size() && SameText(text.substr(0, p.size()), p)) {
                mods |= m.bit;
                text.remove_prefix(p.size());
                found = true;
            }
        }
    }
    if (text.empty()) return scNone;
    // Every key the text form can name: try them all in order.
    for (int key = 8; key <= 255; ++key)
        if (SameText(KeyToText(static_cast<WORD>(key)), text)) return static_cast<TShortCut>(key | mods);
    return scNone;
}

HWND AllocateHWnd(std::function<void(TMessage&)> method) {
    RegisterUtilClass();
    HWND wnd = CreateWindowExW(WS_EX_TOOLWINDOW, kUtilClass, L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                               GetModuleHandleW(nullptr), nullptr);
    if (!wnd) return nullptr;
    auto holder = std::make_unique<UtilMethod>();
    holder->method = std::move(method);
    SetWindowLongPtrW(wnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(holder.release()));
    return wnd;
}

void DeallocateHWnd(HWND wnd) noexcept {
    if (!wnd) return;
    auto* util = reinterpret_cast<UtilMethod*>(GetWindowLongPtrW(wnd, GWLP_USERDATA));
    SetWindowLongPtrW(wnd, GWLP_USERDATA, 0);
    DestroyWindow(wnd);
    if (util && util->depth > 0)
        util->dead = true;
    else
        delete util;
}

// ---- Window timers ---------------------------------------------------------------------
namespace {
TWindowTimers g_systemTimers;
TWindowTimers* g_timers = &g_systemTimers;
}  // namespace

bool TWindowTimers::Set(HWND wnd, UINT_PTR id, UINT ms) {
    return SetTimer(wnd, id, ms, nullptr) != 0;
}

void TWindowTimers::Kill(HWND wnd, UINT_PTR id) {
    KillTimer(wnd, id);
}

TWindowTimers& WindowTimers() {
    return *g_timers;
}

void SetWindowTimers(TWindowTimers* timers) {
    g_timers = timers ? timers : &g_systemTimers;
}

}  // namespace cl
