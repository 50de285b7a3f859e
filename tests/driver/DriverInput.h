#pragma once
// Input to another process's windows as a user gives it: keys and clicks
// posted as the system queues them, clicks only where a user could click
// (a shown, enabled window), list items, and message box buttons.

#include <windows.h>

#include <string>

#include "tests/support/Input.h"

namespace e2e {

using cltest::KeyData;
using cltest::PostAltKey;
using cltest::PostClick;
using cltest::PostKey;

// Characters typed into a window (Windows-1250), one WM_CHAR each, as the
// message loop makes them from key presses.
void PostText(HWND wnd, const std::string& text);
// A click at the middle of a control; false, and nothing posted, when the
// control is hidden or disabled (a user could not click it).
bool Click(HWND control);
// A click on a list box's item, scrolled into view first; false when the
// list is hidden or disabled or has no such item.
bool ClickListItem(HWND list, int index);
// Presses a dialog's button by its id (IDYES, IDNO, IDOK, ...), as the
// button's own click tells its dialog.
void PressButton(HWND dialog, int id);

}  // namespace e2e
