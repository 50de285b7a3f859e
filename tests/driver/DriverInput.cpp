#include "tests/driver/DriverInput.h"

#include "classlib/win/WideText.h"
#include "tests/driver/WindowReading.h"

namespace e2e {

namespace {

bool Clickable(HWND wnd) {
    return wnd && IsWindowVisible(wnd) && IsWindowEnabled(wnd);
}

}  // namespace

void PostText(HWND wnd, const std::string& text) {
    for (wchar_t c : cl::ToWide(text)) PostMessageW(wnd, WM_CHAR, c, 1);
}

bool Click(HWND control) {
    if (!Clickable(control)) return false;
    RECT r{};
    GetClientRect(control, &r);
    PostClick(control, (r.left + r.right) / 2, (r.top + r.bottom) / 2);
    return true;
}

bool ClickListItem(HWND list, int index) {
    if (!Clickable(list) || index < 0 || index >= Ask(list, LB_GETCOUNT)) return false;
    // Items of one height, as the program's lists have: the item's place
    // follows from the first item shown.
    RECT client{};
    GetClientRect(list, &client);
    const LRESULT height = Ask(list, LB_GETITEMHEIGHT);
    if (height <= 0) return false;
    const LRESULT shown = (client.bottom - client.top) / height;
    const LRESULT top = Ask(list, LB_GETTOPINDEX);
    if (index < top || index >= top + shown) Ask(list, LB_SETTOPINDEX, static_cast<WPARAM>(index));
    const LRESULT row = index - Ask(list, LB_GETTOPINDEX);
    PostClick(list, (client.left + client.right) / 2, static_cast<int>(row * height + height / 2));
    return true;
}

void PressButton(HWND dialog, int id) {
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

}  // namespace e2e
