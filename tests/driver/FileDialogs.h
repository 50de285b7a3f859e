#pragma once
// The standard file dialogs (open and save, the system's common dialog)
// of another process: recognised by their file name field, answered with a
// path as a user types it, or cancelled.  And Wine's prompt for the file a
// printer on the port FILE: writes a job to ("Wydrukuj do pliku").

#include <windows.h>

#include <string>

namespace e2e {

// A dialog with a file name field.
bool IsFileDialog(HWND wnd);
// The text of the file name field.
std::string FileDialogName(HWND dialog);
// Types path (Windows-1250) into the file name field and presses the
// dialog's Open or Save button; false when the dialog has no such field.
bool AnswerFileDialog(HWND dialog, const std::string& path);
void CancelFileDialog(HWND dialog);

// A dialog that is no file dialog and has one edit: the file name of a
// print job (its caption "Wydrukuj do pliku" in the Polish locale).
bool IsPrintToFilePrompt(HWND wnd);
// Types path into the prompt's edit and presses OK; false when it has none.
bool AnswerPrintToFile(HWND prompt, const std::string& path);

}  // namespace e2e
