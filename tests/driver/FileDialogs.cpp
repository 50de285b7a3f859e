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

// The only edit of a dialog; nullptr for none or several.
HWND OnlyEdit(HWND dialog) {
    HWND edit = FindWindowExW(dialog, nullptr, L"Edit", nullptr);
    return edit && !FindWindowExW(dialog, edit, L"Edit", nullptr) ? edit : nullptr;
}

bool TypeAndConfirm(HWND dialog, HWND field, const std::string& path) {
    const std::wstring text = cl::ToWide(path);
    if (!Ask(field, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()))) return false;
    PressButton(dialog, IDOK);
    return true;
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
    return field && TypeAndConfirm(dialog, field, path);
}

void CancelFileDialog(HWND dialog) {
    PressButton(dialog, IDCANCEL);
}

bool IsPrintToFilePrompt(HWND wnd) {
    return HasClass(wnd, L"#32770") && !IsFileDialog(wnd) && OnlyEdit(wnd) != nullptr;
}

bool AnswerPrintToFile(HWND prompt, const std::string& path) {
    HWND edit = OnlyEdit(prompt);
    return edit && TypeAndConfirm(prompt, edit, path);
}

}  // namespace e2e
