#include "tests/driver/DriverInput.h"

namespace e2e {

namespace {

constexpr UINT kSendTimeoutMs = 2000;

bool Clickable(HWND wnd) {
    return wnd && IsWindowVisible(wnd) && IsWindowEnabled(wnd);
}

LRESULT Ask(HWND wnd, UINT message, WPARAM wParam, LPARAM lParam) {
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutW(wnd, message, wParam, lParam, SMTO_ABORTIFHUNG, kSendTimeoutMs, &result))
        return LB_ERR;
    return static_cast<LRESULT>(result);
}

}  // namespace

bool Click(HWND control) {
    if (!Clickable(control)) return false;
    RECT r{};
    GetClientRect(control, &r);
    PostClick(control, (r.left + r.right) / 2, (r.top + r.bottom) / 2);
    return true;
}

bool ClickListItem(HWND list, int index) {
    if (!Clickable(list) || index < 0 || index >= Ask(list, LB_GETCOUNT, 0, 0)) return false;
    // Items of one height, as the program's lists have: the item's place
    // follows from the first item shown.
    RECT client{};
    GetClientRect(list, &client);
    const LRESULT height = Ask(list, LB_GETITEMHEIGHT, 0, 0);
    if (height <= 0) return false;
    const LRESULT shown = (client.bottom - client.top) / height;
    const LRESULT top = Ask(list, LB_GETTOPINDEX, 0, 0);
    if (index < top || index >= top + shown) Ask(list, LB_SETTOPINDEX, static_cast<WPARAM>(index), 0);
    const LRESULT row = index - Ask(list, LB_GETTOPINDEX, 0, 0);
    PostClick(list, (client.left + client.right) / 2, static_cast<int>(row * height + height / 2));
    return true;
}

void PressButton(HWND dialog, int id) {
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

}  // namespace e2e
