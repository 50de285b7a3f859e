#include "tests/driver/FileDialogs.h"

#include <dlgs.h>

#include "classlib/win/WideText.h"
#include "tests/driver/DriverInput.h"
#include "tests/driver/WindowReading.h"

namespace e2e {

namespace {

// The explorer-style dialog's file name is an edit inside the combo box
// cmb13; older templates have the edit edt1.
HWND FileNameField(HWND dialog) {
    if (HWND combo = GetDlgItem(dialog, cmb13)) {
        if (HWND edit = FindWindowExW(combo, nullptr, L"Edit", nullptr)) return edit;
        return combo;
    }
    return GetDlgItem(dialog, edt1);
}

}  // namespace

bool IsFileDialog(HWND wnd) {
    return HasClass(wnd, L"#32770") && FileNameField(wnd) != nullptr;
}

std::string FileDialogName(HWND dialog) {
    HWND field = FileNameField(dialog);
    return field ? WindowText(field) : "";
}

bool AnswerFileDialog(HWND dialog, const std::string& path) {
    HWND field = FileNameField(dialog);
    if (!field) return false;
    const std::wstring text = cl::ToWide(path);
    if (!Ask(field, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()))) return false;
    PressButton(dialog, IDOK);
    return true;
}

void CancelFileDialog(HWND dialog) {
    PressButton(dialog, IDCANCEL);
}

}  // namespace e2e
