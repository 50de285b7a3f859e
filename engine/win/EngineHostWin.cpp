#include "engine/win/EngineHostWin.h"

#include <windows.h>

#include "classlib/win/Forms.h"

bool TWindowEngineHost::AskYesNo(const std::string& Text, const std::string& Caption) {
    return cl::Application->MessageBox(Text, Caption, MB_YESNO) == IDYES;
}

bool TWindowEngineHost::IsCurrentFormSelected() {
    HWND main = static_cast<HWND>(MainWindowHandle);
    // No main window yet (or any more): nothing is selected.
    if (!main || !IsWindow(main)) return false;
    return SendMessageW(main, WM_USER_IS_FORM_SELECTED, 0, 0) == 1;
}

void TWindowEngineHost::NotifyErrorList() {
    HWND main = static_cast<HWND>(MainWindowHandle);
    if (main) PostMessageW(main, WM_USER_REFILL_ERRORS, 0, 0);
}
