#include "tests/driver/Driver.h"

#include <shlobj.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <stdexcept>
#include <thread>

#include "classlib/win/WideText.h"

namespace e2e {

namespace {

// Other processes' windows answer within this time or count as hung.
constexpr UINT kSendTimeoutMs = 2000;

LPARAM KeyData(WORD vk, bool up) {
    LPARAM data = 1 | static_cast<LPARAM>(MapVirtualKeyW(vk, MAPVK_VK_TO_VSC) << 16);
    if (up) data |= static_cast<LPARAM>(0xC0000000u);
    return data;
}

BOOL CALLBACK Collect(HWND wnd, LPARAM list) {
    reinterpret_cast<std::vector<HWND>*>(list)->push_back(wnd);
    return TRUE;
}

std::vector<HWND> Enumerate(HWND parent) {
    std::vector<HWND> found;
    if (parent)
        EnumChildWindows(parent, Collect, reinterpret_cast<LPARAM>(&found));
    else
        EnumWindows(Collect, reinterpret_cast<LPARAM>(&found));
    return found;
}

}  // namespace

std::string WinePath(std::string_view unixPath) {
    std::string path = "Z:" + std::string(unixPath);
    std::replace(path.begin(), path.end(), '/', '\\');
    return path;
}

bool WaitUntil(const std::function<bool()>& done, int ms, int pollMs) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
    while (!done()) {
        if (std::chrono::steady_clock::now() > end) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(pollMs));
    }
    return true;
}

// ---- Reading windows ----------------------------------------------------------------
std::string ComponentName(HWND wnd) {
    const auto atom = static_cast<ATOM>(reinterpret_cast<UINT_PTR>(GetPropW(wnd, L"ClName")));
    if (!atom) return "";
    wchar_t buffer[256];
    const UINT n = GlobalGetAtomNameW(atom, buffer, 256);
    return cl::FromWide(std::wstring_view(buffer, n));
}

std::string WindowText(HWND wnd) {
    // WM_GETTEXT reaches a control of another process (GetWindowText would
    // give only the window's stored name).
    DWORD_PTR length = 0;
    if (!SendMessageTimeoutW(wnd, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, kSendTimeoutMs, &length))
        return "";
    std::wstring text(length + 1, L'\0');
    DWORD_PTR copied = 0;
    if (!SendMessageTimeoutW(wnd, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()),
                             SMTO_ABORTIFHUNG, kSendTimeoutMs, &copied))
        return "";
    text.resize(std::min<size_t>(copied, length));
    return cl::FromWide(text);
}

std::string ClassName(HWND wnd) {
    wchar_t buffer[256];
    const int n = GetClassNameW(wnd, buffer, 256);
    return cl::FromWide(std::wstring_view(buffer, static_cast<size_t>(std::max(0, n))));
}

std::vector<HWND> Descendants(HWND wnd) {
    return Enumerate(wnd);
}

std::string DescribeWindows(DWORD processId) {
    std::string out;
    auto line = [&out](HWND wnd, int depth) {
        RECT r{};
        GetWindowRect(wnd, &r);
        out += std::string(static_cast<size_t>(depth) * 2, ' ') + ClassName(wnd) + " '" + ComponentName(wnd) +
               "' \"" + WindowText(wnd) + "\"" + (IsWindowVisible(wnd) ? "" : " hidden") + " (" +
               std::to_string(r.left) + "," + std::to_string(r.top) + " " + std::to_string(r.right - r.left) +
               "x" + std::to_string(r.bottom - r.top) + ")\n";
    };
    for (HWND top : Enumerate(nullptr)) {
        DWORD pid = 0;
        GetWindowThreadProcessId(top, &pid);
        if (pid != processId) continue;
        line(top, 0);
        for (HWND child : Enumerate(top)) {
            int depth = 0;
            for (HWND p = child; p && p != top; p = GetParent(p)) ++depth;
            line(child, depth);
        }
    }
    return out;
}

TMessageBoxView ReadMessageBox(HWND box) {
    TMessageBoxView view;
    view.Caption = WindowText(box);
    for (HWND child : Enumerate(box)) {
        const std::string cls = ClassName(child);
        if (cls == "Static") {
            const std::string text = WindowText(child);
            if (!text.empty()) view.Text = text;
        } else if (cls == "Button") {
            view.Buttons.emplace_back(GetDlgCtrlID(child), WindowText(child));
        }
    }
    return view;
}

// ---- Input --------------------------------------------------------------------------
void PostClick(HWND wnd, int x, int y) {
    PostMessageW(wnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
    PostMessageW(wnd, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
}

void PostKey(HWND wnd, WORD vk) {
    PostMessageW(wnd, WM_KEYDOWN, vk, KeyData(vk, false));
    PostMessageW(wnd, WM_KEYUP, vk, KeyData(vk, true));
}

void PostShortcut(HWND wnd, WORD vk, std::initializer_list<BYTE> modifiers, int holdMs) {
    const DWORD programThread = GetWindowThreadProcessId(wnd, nullptr);
    const DWORD self = GetCurrentThreadId();
    const bool attached = AttachThreadInput(self, programThread, TRUE) != FALSE;
    BYTE saved[256], held[256];
    GetKeyboardState(saved);
    std::copy(std::begin(saved), std::end(saved), held);
    for (BYTE m : modifiers) held[m] = 0x80;
    SetKeyboardState(held);
    PostKey(wnd, vk);
    // The program reads the state while it handles the key, some time later.
    std::this_thread::sleep_for(std::chrono::milliseconds(holdMs));
    SetKeyboardState(saved);
    if (attached) AttachThreadInput(self, programThread, FALSE);
}

void PressButton(HWND box, int id) {
    // As the button's own click tells its dialog.
    PostMessageW(box, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(box, id)));
}

// ---- Files ---------------------------------------------------------------------------------
namespace fs = std::filesystem;

namespace {

fs::path PathOf(const std::string& name) {
    return fs::path(cl::ToWide(name));
}

std::string NameOf(const fs::path& path) {
    return cl::FromWide(path.wstring());
}

}  // namespace

std::string DocumentsFolder() {
    wchar_t buffer[MAX_PATH];
    if (FAILED(SHGetFolderPathW(nullptr, CSIDL_PERSONAL, nullptr, SHGFP_TYPE_CURRENT, buffer))) return "";
    return cl::FromWide(buffer) + "\\";
}

std::string ReadFileBytes(const std::string& name) {
    std::ifstream in(PathOf(name), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

TInstalledCopy::TInstalledCopy(const std::string& exeFolder, const std::string& installedFolder) {
    std::random_device random;
    const fs::path root = fs::temp_directory_path() / ("spraw_e2e_" + std::to_string(random()));
    const fs::path program = root / "Sprawozdawca";
    fs::create_directories(program);
    fs::create_directories(root / "praca");
    fs::copy_file(PathOf(exeFolder) / "Sprawozdawca.exe", program / "Sprawozdawca.exe");
    for (const char* tree : {"pi", "frm"})
        fs::copy(PathOf(installedFolder) / tree, program / tree, fs::copy_options::recursive);
    root_ = NameOf(root);
    folder_ = NameOf(program) + "\\";
    work_ = NameOf(root / "praca");
}

TInstalledCopy::~TInstalledCopy() {
    std::error_code ignored;
    fs::remove_all(PathOf(root_), ignored);
}

void TInstalledCopy::Remove(const std::string& relative) const {
    fs::remove(PathOf(folder_ + relative));
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

bool TProgram::WaitForIdle(int ms) const {
    return WaitForInputIdle(info_.hProcess, static_cast<DWORD>(ms)) == 0;
}

void TProgram::Kill() {
    if (!Running()) return;
    TerminateProcess(info_.hProcess, 1);
    WaitForSingleObject(info_.hProcess, 5000);
}

std::vector<HWND> TProgram::TopWindows() const {
    std::vector<HWND> mine;
    for (HWND wnd : Enumerate(nullptr)) {
        DWORD pid = 0;
        GetWindowThreadProcessId(wnd, &pid);
        if (pid == ProcessId()) mine.push_back(wnd);
    }
    return mine;
}

HWND TProgram::FindByName(const std::string& name, bool visibleOnly) const {
    for (HWND top : TopWindows()) {
        std::vector<HWND> candidates = Enumerate(top);
        candidates.insert(candidates.begin(), top);
        for (HWND wnd : candidates)
            if ((!visibleOnly || IsWindowVisible(wnd)) && ComponentName(wnd) == name) return wnd;
    }
    return nullptr;
}

HWND TProgram::WaitForName(const std::string& name, int ms, bool visibleOnly) const {
    HWND found = nullptr;
    WaitUntil([&] { return (found = FindByName(name, visibleOnly)) != nullptr; }, ms);
    return found;
}

HWND TProgram::FindMessageBox() const {
    for (HWND wnd : TopWindows())
        if (IsWindowVisible(wnd) && ClassName(wnd) == "#32770") return wnd;
    return nullptr;
}

HWND TProgram::WaitForMessageBox(int ms) const {
    HWND found = nullptr;
    WaitUntil([&] { return (found = FindMessageBox()) != nullptr; }, ms);
    return found;
}

}  // namespace e2e
