#include "tests/driver/WindowReading.h"

#include <algorithm>

#include "classlib/win/WideText.h"

namespace e2e {

namespace {

// Other processes' windows answer within this time or count as hung.
constexpr UINT kSendTimeoutMs = 2000;

BOOL CALLBACK Collect(HWND wnd, LPARAM list) {
    reinterpret_cast<std::vector<HWND>*>(list)->push_back(wnd);
    return TRUE;
}

}  // namespace

LRESULT Ask(HWND wnd, UINT message, WPARAM wParam, LPARAM lParam, LRESULT fallback) {
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutW(wnd, message, wParam, lParam, SMTO_ABORTIFHUNG, kSendTimeoutMs, &result))
        return fallback;
    return static_cast<LRESULT>(result);
}

std::string WinePath(std::string_view unixPath) {
    std::string path = "Z:" + std::string(unixPath);
    std::replace(path.begin(), path.end(), '/', '\\');
    return path;
}

std::string ComponentName(HWND wnd) {
    const auto atom = static_cast<ATOM>(reinterpret_cast<UINT_PTR>(GetPropW(wnd, L"ClName")));
    if (!atom) return "";
    wchar_t buffer[256];
    const UINT n = GlobalGetAtomNameW(atom, buffer, 256);
    return cl::FromWide(std::wstring_view(buffer, n));
}

std::string WindowText(HWND wnd) {
    // WM_GETTEXT reaches a control of another process (GetWindowText would
    // give only the window's stored name); the system carries the text over.
    const LRESULT length = Ask(wnd, WM_GETTEXTLENGTH);
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    const LRESULT copied = Ask(wnd, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()));
    text.resize(std::min<size_t>(static_cast<size_t>(copied), static_cast<size_t>(length)));
    return cl::FromWide(text);
}

std::string ClassName(HWND wnd) {
    wchar_t buffer[256];
    const int n = GetClassNameW(wnd, buffer, 256);
    return cl::FromWide(std::wstring_view(buffer, static_cast<size_t>(std::max(0, n))));
}

bool HasClass(HWND wnd, const wchar_t* className) {
    wchar_t buffer[256];
    return GetClassNameW(wnd, buffer, 256) > 0 && lstrcmpiW(buffer, className) == 0;
}

std::vector<HWND> Descendants(HWND wnd) {
    std::vector<HWND> found;
    if (wnd)
        EnumChildWindows(wnd, Collect, reinterpret_cast<LPARAM>(&found));
    else
        EnumWindows(Collect, reinterpret_cast<LPARAM>(&found));
    return found;
}

std::string DescribeWindows(DWORD processId) {
    std::string out;
    auto line = [&out](HWND wnd, int depth) {
        RECT r{};
        GetWindowRect(wnd, &r);
        out += std::string(static_cast<size_t>(depth) * 2, ' ') + ClassName(wnd) + " '" + ComponentName(wnd) +
               "' \"" + WindowText(wnd) + "\"" + (IsWindowVisible(wnd) ? "" : " hidden") +
               (IsWindowEnabled(wnd) ? "" : " disabled") + " (" + std::to_string(r.left) + "," +
               std::to_string(r.top) + " " + std::to_string(r.right - r.left) + "x" +
               std::to_string(r.bottom - r.top) + ")\n";
    };
    for (HWND top : Descendants(nullptr)) {
        DWORD pid = 0;
        GetWindowThreadProcessId(top, &pid);
        if (pid != processId) continue;
        line(top, 0);
        for (HWND child : Descendants(top)) {
            int depth = 0;
            for (HWND p = child; p && p != top; p = GetParent(p)) ++depth;
            line(child, depth);
        }
    }
    return out;
}

TMessageBoxView ReadMessageBox(HWND box) {
    TMessageBoxView view;
    view.Caption = WindowText(box);
    for (HWND child : Descendants(box)) {
        const std::string cls = ClassName(child);
        if (cls == "Static") {
            const std::string text = WindowText(child);
            if (!text.empty()) view.Text = text;
        } else if (cls == "Button") {
            view.Buttons.emplace_back(GetDlgCtrlID(child), WindowText(child));
        }
    }
    return view;
}

// ---- Buttons ----------------------------------------------------------------------
int CheckState(HWND button) {
    return static_cast<int>(Ask(button, BM_GETCHECK, 0, 0, BST_UNCHECKED));
}

std::vector<HWND> GroupItems(HWND group) {
    std::vector<HWND> items;
    for (HWND child : Descendants(group))
        if (GetParent(child) == group && HasClass(child, L"Button")) items.push_back(child);
    // The group lays its items out down each column.
    auto place = [](HWND wnd) {
        RECT r{};
        GetWindowRect(wnd, &r);
        return std::make_pair(r.left, r.top);
    };
    std::stable_sort(items.begin(), items.end(), [&](HWND a, HWND b) { return place(a) < place(b); });
    return items;
}

int GroupItemIndex(HWND group) {
    const std::vector<HWND> items = GroupItems(group);
    for (size_t i = 0; i < items.size(); ++i)
        if (IsChecked(items[i])) return static_cast<int>(i);
    return -1;
}

// ---- List boxes ----------------------------------------------------------------
std::vector<std::string> ListItems(HWND list) {
    // LB_GETTEXT is among the messages the system carries across processes.
    std::vector<std::string> items;
    const LRESULT count = Ask(list, LB_GETCOUNT, 0, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        const LRESULT length = Ask(list, LB_GETTEXTLEN, static_cast<WPARAM>(i), 0, LB_ERR);
        if (length == LB_ERR) break;
        std::wstring text(static_cast<size_t>(length) + 1, L'\0');
        const LRESULT copied =
            Ask(list, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text.data()), LB_ERR);
        text.resize(copied == LB_ERR ? 0 : std::min<size_t>(static_cast<size_t>(copied), text.size()));
        items.push_back(cl::FromWide(text));
    }
    return items;
}

int ListItemIndex(HWND list) {
    return static_cast<int>(Ask(list, LB_GETCURSEL, 0, 0, LB_ERR));
}

}  // namespace e2e
