#pragma once
// The main menu of another process's window, chosen from the keyboard as a
// user chooses an item: Alt with the entry's access key opens the entry,
// the item's access key chooses the item.  (The menu itself cannot be read
// from another process under Wine.)

#include <windows.h>

#include "tests/driver/Program.h"

namespace e2e {

// Alt+entryKey on wnd, then itemKey in the open menu; waits for the
// program to be idle after.  Keys are capital letters ('S', 'J').
bool ChooseMenuItem(const TProgram& program, HWND wnd, char entryKey, char itemKey);

}  // namespace e2e
