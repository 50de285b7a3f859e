#pragma once
// The end-to-end test driver: starts the real Sprawozdawca.exe as a user
// would (its own process, a working folder of the test's choice), finds its
// windows by the component name every control carries (the global atom in
// the window property L"ClName"), reads texts, posts clicks and keys,
// reads and answers message boxes, and always ends the program.
//
// Text crosses as Windows-1250, as everywhere in the program.

#include <winsock2.h>
// After the socket library's header, which must come first (the tests serve HTTP).
#include <windows.h>

#include <chrono>
#include <functional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace e2e {

// A path of the build tree as Wine spells it (Z: is the Unix root).
std::string WinePath(std::string_view unixPath);

// Waits until done() holds or ms pass; answers done().
bool WaitUntil(const std::function<bool()>& done, int ms, int pollMs = 10);

// ---- Reading windows (of any process) --------------------------------------------
std::string ComponentName(HWND wnd);  // "" when the window has none
std::string WindowText(HWND wnd);
std::string ClassName(HWND wnd);
// Every window below wnd, depth first.
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

// ---- Input -------------------------------------------------------------------------
// A left click at client coordinates, posted as the system queues it.
void PostClick(HWND wnd, int x, int y);
// A key press (down and up) posted to the window.
void PostKey(HWND wnd, WORD vk);
// A key pressed with modifiers (VK_CONTROL, VK_SHIFT, VK_MENU) held: the
// program reads shortcuts from its keyboard state, which posted keys do not
// change, so the driver joins the program's input and sets that state while
// the program handles the key.
void PostShortcut(HWND wnd, WORD vk, std::initializer_list<BYTE> modifiers, int holdMs = 300);
// Presses a message box's button by its id (IDYES, IDNO, IDOK, ...).
void PressButton(HWND box, int id);

// ---- Files ----------------------------------------------------------------------------
// The user's Documents folder (the program's data folder "_ZT\" is under it),
// with a trailing backslash.
std::string DocumentsFolder();
std::string ReadFileBytes(const std::string& name);

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

// ---- The program ---------------------------------------------------------------------
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
    // The program's thread waits for input with nothing queued.
    bool WaitForIdle(int ms) const;
    void Kill();

    // Top-level windows of the process, visible or not.
    std::vector<HWND> TopWindows() const;
    // A window of the process (top-level or child) with that component name.
    HWND FindByName(const std::string& name, bool visibleOnly = true) const;
    HWND WaitForName(const std::string& name, int ms, bool visibleOnly = true) const;
    // A visible message box of the process (class "#32770"), or nullptr.
    HWND FindMessageBox() const;
    HWND WaitForMessageBox(int ms) const;
    std::string Describe() const { return DescribeWindows(ProcessId()); }

private:
    PROCESS_INFORMATION info_{};
    HANDLE job_ = nullptr;
    std::chrono::steady_clock::time_point started_;
};

}  // namespace e2e
