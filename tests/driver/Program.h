#pragma once
// The program under test: an installed copy of Sprawozdawca.exe in a fresh
// folder, and the running program started as a user starts it (its own
// process, a working folder of the test's choice), with what it shows found
// by component name or caption, and its idle moments waited for.

#include <windows.h>

#include <chrono>
#include <initializer_list>
#include <string>
#include <vector>

namespace e2e {

// The program as installed, copied into a fresh folder under the temporary
// folder: Sprawozdawca.exe from exeFolder and the installed tree (pi\,
// frm\) from installedFolder; a separate empty working folder beside it.
// Both are removed afterwards.
class TInstalledCopy {
public:
    TInstalledCopy(const std::string& exeFolder, const std::string& installedFolder);
    ~TInstalledCopy();
    TInstalledCopy(const TInstalledCopy&) = delete;
    TInstalledCopy& operator=(const TInstalledCopy&) = delete;

    // The program's folder, with a trailing backslash.
    const std::string& Folder() const { return folder_; }
    const std::string& WorkFolder() const { return work_; }
    std::string Exe() const { return folder_ + "Sprawozdawca.exe"; }
    // Deletes an installed file (a name relative to the program's folder).
    void Remove(const std::string& relative) const;

private:
    std::string root_, folder_, work_;
};

class TProgram {
public:
    // Starts exe (a Windows path) with workDir as its working folder;
    // throws std::runtime_error when it cannot.
    TProgram(const std::string& exe, const std::string& workDir);
    // Ends the program if it still runs, so that a failed test never leaves it behind.
    ~TProgram();
    TProgram(const TProgram&) = delete;
    TProgram& operator=(const TProgram&) = delete;

    DWORD ProcessId() const { return info_.dwProcessId; }
    HANDLE Process() const { return info_.hProcess; }
    // When CreateProcess returned.
    std::chrono::steady_clock::time_point Started() const { return started_; }
    bool Running() const;
    bool WaitForExit(int ms) const;
    // Waits until the program has handled everything it was given and waits
    // for the user: its thread answers a sent message before and after a
    // quiet moment in which it used no processor time.  A modal loop (a
    // message box, a dialog) waiting for input counts as idle.  False when
    // ms pass first or the program ended.
    bool WaitForIdle(int ms = 10000) const;
    void Kill();

    // Top-level windows of the process, visible or not.
    std::vector<HWND> TopWindows() const;
    // A window of the process (top-level or child) with that component name.
    HWND FindByName(const std::string& name, bool visibleOnly = true) const;
    HWND WaitForName(const std::string& name, int ms, bool visibleOnly = true) const;
    // A shown button of the process with that caption, exactly ("&Dalej >"),
    // message boxes' and dialogs' buttons included.
    HWND FindButton(const std::string& caption) const;
    HWND WaitForButton(const std::string& caption, int ms) const;
    // A visible message box or dialog of the process (class "#32770"), or nullptr.
    HWND FindMessageBox() const;
    HWND WaitForMessageBox(int ms) const;
    // A visible standard file dialog of the process, or nullptr.
    HWND FindFileDialog() const;
    HWND WaitForFileDialog(int ms) const;
    // A key pressed with modifiers (VK_CONTROL, VK_SHIFT, VK_MENU) held: the
    // program reads shortcuts from its keyboard state, which posted keys do
    // not change, so the driver joins the program's input and holds that
    // state until the program has handled the key.
    void PostShortcut(HWND wnd, WORD vk, std::initializer_list<BYTE> modifiers) const;
    std::string Describe() const;

private:
    // Processor time the program's thread has used, in 100 ns.
    ULONGLONG ThreadTime() const;

    PROCESS_INFORMATION info_{};
    HANDLE job_ = nullptr;
    std::chrono::steady_clock::time_point started_;
};

}  // namespace e2e
