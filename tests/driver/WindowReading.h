#pragma once
// Reading the windows of another process, as a user sees them: component
// names (the global atom in the window property L"ClName" that every
// class-library control carries), texts, classes, the window tree, message
// boxes, check marks of check boxes and radio buttons, the items of radio
// groups and list boxes.
//
// Text crosses as Windows-1250, as everywhere in the program.

#include <windows.h>

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace e2e {

// A path of the build tree as Wine spells it (Z: is the Unix root).
std::string WinePath(std::string_view unixPath);

// Sends a message without pointers (or with those the system carries across
// processes) to a window of any process; fallback when the window does not
// answer within a few seconds.
LRESULT Ask(HWND wnd, UINT message, WPARAM wParam = 0, LPARAM lParam = 0, LRESULT fallback = 0);

std::string ComponentName(HWND wnd);  // "" when the window has none
std::string WindowText(HWND wnd);
std::string ClassName(HWND wnd);
// The window's class is className, in any case ("Button" is "BUTTON").
bool HasClass(HWND wnd, const wchar_t* className);
// Every window below wnd, depth first; below nullptr: the top-level windows.
std::vector<HWND> Descendants(HWND wnd);
// One line per window below the top-level windows of the process: class,
// name, text, visibility and bounds (for a test's failure message).
std::string DescribeWindows(DWORD processId);

struct TMessageBoxView {
    std::string Caption;
    std::string Text;
    std::vector<std::pair<int, std::string>> Buttons;  // control id, caption
};
TMessageBoxView ReadMessageBox(HWND box);

// ---- Buttons ----------------------------------------------------------------------
// BST_UNCHECKED, BST_CHECKED or BST_INDETERMINATE of a check box or radio button.
int CheckState(HWND button);
inline bool IsChecked(HWND button) {
    return CheckState(button) == BST_CHECKED;
}
// The radio buttons of a radio group in item order (down each column, the
// columns from left to right).
std::vector<HWND> GroupItems(HWND group);
// The checked item of a radio group; -1 when none is.
int GroupItemIndex(HWND group);

// ---- List boxes ----------------------------------------------------------------
std::vector<std::string> ListItems(HWND list);
// The selected item; -1 when none is.
int ListItemIndex(HWND list);

}  // namespace e2e
