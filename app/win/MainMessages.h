#pragma once
// The messages other parts of the program send or post to the main window
// (all with WParam 0), and the window's handle.  Editors and dialogs include
// this rather than Main.h.

#include <windows.h>

constexpr UINT WM_USER_WIZARD_STEP = WM_USER + 1;         // posted: run the page-changed handler again
constexpr UINT WM_USER_ERROR_LIST = WM_USER + 5;          // posted: refill ErrListBox
constexpr UINT WM_USER_CLOSE_FOR_UPDATE = WM_USER + 6;    // posted: close for an update
constexpr UINT WM_USER_CHECK_UPDATE = WM_USER + 7;        // posted: the online update check
constexpr UINT WM_USER_AUTO_UPDATE = WM_USER + 8;         // posted: LParam non-zero checks at start
constexpr UINT WM_USER_CLOSE_NO_SAVE = WM_USER + 9;       // posted: close without the save prompt
constexpr UINT WM_USER_NEW_NO_SAVE = WM_USER + 10;        // posted: new statement without the prompt
constexpr UINT WM_USER_END_OF_SELECTION = WM_USER + 11;   // posted: the end-of-selection dialog
constexpr UINT WM_USER_EDITOR_KEY = WM_USER + 100;        // posted: key, 1 << 16, shift << 24
constexpr UINT WM_USER_EDITOR_EXIT = WM_USER + 101;       // sent: a field editor lost the focus
constexpr UINT WM_USER_CHECKBOX_CLICK = WM_USER + 102;    // sent: field number (+$10000 ticked)
constexpr UINT WM_USER_FIND_FORM_CHILD = WM_USER + 200;   // query, result 0
constexpr UINT WM_USER_FIND_FORM_CHILD2 = WM_USER + 201;  // query, result 0
constexpr UINT WM_USER_ENTITY_KIND = WM_USER + 202;       // query: rb0_2_1's ItemIndex
constexpr UINT WM_USER_FORM_SELECTED = WM_USER + 203;     // sent: 1 when CurrentFormName is selected

// The main window's handle while it exists (nullptr before and after), the
// target of every message above.  The engine keeps its own copy,
// MainWindowHandle, for the two it sends.
extern HWND MainFormHandle;
