#include "tests/driver/Program.h"

#include <algorithm>
#include <filesystem>
#include <iterator>
#include <random>
#include <stdexcept>
#include <thread>

#include "classlib/win/WideText.h"
#include "tests/driver/DriverInput.h"
#include "tests/driver/FileDialogs.h"
#include "tests/driver/WindowReading.h"
#include "tests/support/Files.h"
#include "tests/support/MessagePump.h"

namespace e2e {

namespace fs = std::filesystem;

namespace {

std::string NameOf(const fs::path& path) {
    return cl::FromWide(path.wstring());
}

// The system's button or a button class of the class library's own.
bool IsButton(HWND wnd) {
    wchar_t name[256];
    if (GetClassNameW(wnd, name, 256) <= 0) return false;
    CharUpperW(name);
    return wcsstr(name, L"BUTTON") != nullptr;
}

}  // namespace

// ---- TInstalledCopy ---------------------------------------------------------------------
TInstalledCopy::TInstalledCopy(const std::string& exeFolder, const std::string& installedFolder) {
    std::random_device random;
    const fs::path root = fs::temp_directory_path() / ("spraw_e2e_" + std::to_string(random()));
    const fs::path program = root / "Sprawozdawca";
    fs::create_directories(program);
    fs::create_directories(root / "praca");
    fs::copy_file(cltest::PathOf(exeFolder) / "Sprawozdawca.exe", program / "Sprawozdawca.exe");
    for (const char* tree : {"pi", "frm"})
        fs::copy(cltest::PathOf(installedFolder) / tree, program / tree, fs::copy_options::recursive);
    root_ = NameOf(root);
    folder_ = NameOf(program) + "\\";
    work_ = NameOf(root / "praca");
}

TInstalledCopy::~TInstalledCopy() {
    std::error_code ignored;
    fs::remove_all(cltest::PathOf(root_), ignored);
}

void TInstalledCopy::Remove(const std::string& relative) const {
    fs::remove(cltest::PathOf(folder_ + relative));
}

// ---- TProgram ---------------------------------------------------------------------------
TProgram::TProgram(const std::string& exe, const std::string& workDir) {
    // Wine starts the desktop's process for the first program that needs
    // it, as that program's child; made here, it stays out of the job below.
    GetDesktopWindow();
    // A job that ends the program with the test's process, whatever happens;
    // what the program starts itself is not the test's to end.
    job_ = CreateJobObjectW(nullptr, nullptr);
    if (job_) {
        JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits{};
        limits.BasicLimitInformation.LimitFlags =
            JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE | JOB_OBJECT_LIMIT_SILENT_BREAKAWAY_OK;
        SetInformationJobObject(job_, JobObjectExtendedLimitInformation, &limits, sizeof limits);
    }
    std::wstring command = L"\"" + cl::ToWide(exe) + L"\"";
    const std::wstring folder = cl::ToWide(workDir);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    started_ = std::chrono::steady_clock::now();
    if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, CREATE_SUSPENDED, nullptr,
                        folder.c_str(), &startup, &info_))
        throw std::runtime_error("cannot start " + exe + ": error " + std::to_string(GetLastError()));
    if (job_) AssignProcessToJobObject(job_, info_.hProcess);
    ResumeThread(info_.hThread);
}

TProgram::~TProgram() {
    Kill();
    CloseHandle(info_.hThread);
    CloseHandle(info_.hProcess);
    if (job_) CloseHandle(job_);
}

bool TProgram::Running() const {
    return WaitForSingleObject(info_.hProcess, 0) == WAIT_TIMEOUT;
}

bool TProgram::WaitForExit(int ms) const {
    return WaitForSingleObject(info_.hProcess, static_cast<DWORD>(ms)) == WAIT_OBJECT_0;
}

ULONGLONG TProgram::ThreadTime() const {
    FILETIME created, exited, kernel, user;
    if (!GetThreadTimes(info_.hThread, &created, &exited, &kernel, &user)) return 0;
    auto value = [](const FILETIME& t) { return (ULONGLONG(t.dwHighDateTime) << 32) | t.dwLowDateTime; };
    return value(kernel) + value(user);
}

bool TProgram::WaitForIdle(int ms) const {
    // Wine's own input-idle event stays set once the program first waited
    // for input, so it tells only that the message loop has started.
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
    auto left = [&end] {
        return static_cast<int>(std::max<long long>(
            0, std::chrono::duration_cast<std::chrono::milliseconds>(end - std::chrono::steady_clock::now())
                   .count()));
    };
    if (WaitForInputIdle(info_.hProcess, static_cast<DWORD>(ms)) != 0) return false;
    // A sent message is handled only where the thread takes its messages:
    // its answer shows the thread is in a message loop, not inside a
    // handler.  The processor time shows nothing ran in between.
    constexpr int kQuietMs = 30;
    auto answers = [&](HWND wnd) {
        DWORD_PTR ignored = 0;
        return SendMessageTimeoutW(wnd, WM_NULL, 0, 0, SMTO_NORMAL, static_cast<UINT>(std::max(1, left())),
                                   &ignored) != 0;
    };
    while (Running() && left() > 0) {
        // A window of the program's main thread, which runs its windows.
        HWND mine = nullptr;
        for (HWND wnd : TopWindows())
            if (GetWindowThreadProcessId(wnd, nullptr) == info_.dwThreadId) mine = wnd;
        if (!mine) {
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
            continue;
        }
        // Two quiet rounds: a sent message is taken before a posted one, so
        // one answer can come while a posted click still waits, and the
        // processor time counts in ticks coarser than a short handler.
        bool quiet = true;
        for (int round = 0; quiet && round < 2; ++round) {
            const ULONGLONG before = ThreadTime();
            quiet = answers(mine);
            std::this_thread::sleep_for(std::chrono::milliseconds(kQuietMs));
            quiet = quiet && answers(mine) && ThreadTime() == before;
        }
        if (quiet) return true;
    }
    return false;
}

void TProgram::Kill() {
    if (!Running()) return;
    TerminateProcess(info_.hProcess, 1);
    WaitForSingleObject(info_.hProcess, 5000);
}

std::vector<HWND> TProgram::TopWindows() const {
    std::vector<HWND> mine;
    for (HWND wnd : Descendants(nullptr)) {
        DWORD pid = 0;
        GetWindowThreadProcessId(wnd, &pid);
        if (pid == ProcessId()) mine.push_back(wnd);
    }
    return mine;
}

HWND TProgram::FindByName(const std::string& name, bool visibleOnly) const {
    for (HWND top : TopWindows()) {
        std::vector<HWND> candidates = Descendants(top);
        candidates.insert(candidates.begin(), top);
        for (HWND wnd : candidates)
            if ((!visibleOnly || IsWindowVisible(wnd)) && ComponentName(wnd) == name) return wnd;
    }
    return nullptr;
}

HWND TProgram::WaitForName(const std::string& name, int ms, bool visibleOnly) const {
    HWND found = nullptr;
    cltest::WaitUntil([&] { return (found = FindByName(name, visibleOnly)) != nullptr; }, ms);
    return found;
}

HWND TProgram::FindButton(const std::string& caption) const {
    for (HWND top : TopWindows()) {
        if (!IsWindowVisible(top)) continue;
        for (HWND wnd : Descendants(top))
            if (IsButton(wnd) && IsWindowVisible(wnd) && WindowText(wnd) == caption) return wnd;
    }
    return nullptr;
}

HWND TProgram::WaitForButton(const std::string& caption, int ms) const {
    HWND found = nullptr;
    cltest::WaitUntil([&] { return (found = FindButton(caption)) != nullptr; }, ms);
    return found;
}

HWND TProgram::FindMessageBox() const {
    for (HWND wnd : TopWindows())
        if (IsWindowVisible(wnd) && HasClass(wnd, L"#32770")) return wnd;
    return nullptr;
}

HWND TProgram::WaitForMessageBox(int ms) const {
    HWND found = nullptr;
    cltest::WaitUntil([&] { return (found = FindMessageBox()) != nullptr; }, ms);
    return found;
}

HWND TProgram::FindFileDialog() const {
    for (HWND wnd : TopWindows())
        if (IsWindowVisible(wnd) && IsFileDialog(wnd)) return wnd;
    return nullptr;
}

HWND TProgram::WaitForFileDialog(int ms) const {
    HWND found = nullptr;
    cltest::WaitUntil([&] { return (found = FindFileDialog()) != nullptr; }, ms);
    return found;
}

void TProgram::PostShortcut(HWND wnd, WORD vk, std::initializer_list<BYTE> modifiers) const {
    const DWORD programThread = GetWindowThreadProcessId(wnd, nullptr);
    const DWORD self = GetCurrentThreadId();
    const bool attached = AttachThreadInput(self, programThread, TRUE) != FALSE;
    BYTE saved[256], held[256];
    GetKeyboardState(saved);
    std::copy(std::begin(saved), std::end(saved), held);
    for (BYTE m : modifiers) held[m] = 0x80;
    SetKeyboardState(held);
    PostKey(wnd, vk);
    WaitForIdle(5000);
    SetKeyboardState(saved);
    if (attached) AttachThreadInput(self, programThread, FALSE);
}

std::string TProgram::Describe() const {
    return DescribeWindows(ProcessId());
}

}  // namespace e2e
