#include "app/FileReplace.h"

#include <algorithm>
#include <cstdint>

#include "classlib/Encoding.h"
#include "classlib/FileUtils.h"
#include "classlib/StrUtils.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#endif

namespace {

constexpr std::string_view kTemporaryMark = ".~";

#ifdef _WIN32

std::wstring WideName(const std::string& name) {
    const std::u16string wide = cl::Cp1250ToUtf16(name);
    return std::wstring(wide.begin(), wide.end());
}

// The name is taken by a file or a folder.
bool NameTaken(DWORD error) {
    return error == ERROR_FILE_EXISTS || error == ERROR_ALREADY_EXISTS;
}

#else

std::string SystemName(const std::string& name) {
    return cl::Cp1250ToUtf8(name);
}

// A rename is on the disk once its folder is.
void FlushFolderOf(const std::string& name) {
    const std::string folder = cl::ExtractFilePath(name);
    const int fd =
        open(folder.empty() ? "." : SystemName(folder).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;  // the move itself is done; only its durability is unsure
    fsync(fd);
    close(fd);
}

#endif

// Removes the temporary files of FileName that a save killed before its
// move left behind: they are ours by name, and hold nothing the user saved
// under the real name.  One that a running save still holds open cannot be
// removed on Windows, and is passed over.
void RemoveStaleTemporaries(const std::string& FileName) {
    const std::string folder = cl::ExtractFilePath(FileName);
    const std::string stem = FileName.substr(folder.size()) + std::string(kTemporaryMark);
    for (const cl::TSearchRec& found : cl::FindFiles(FileName + std::string(kTemporaryMark) + "*", 0)) {
        const std::string& name = found.Name;
        // Windows matches the mask against short names too: only "<name>.~<digits>" is ours.
        const bool ours = name.size() > stem.size() &&
                          cl::AnsiSameText(std::string_view(name).substr(0, stem.size()), stem) &&
                          name.find_first_not_of("0123456789", stem.size()) == std::string::npos;
        if (ours) cl::RemoveFile(folder + name);
    }
}

}  // namespace

#ifdef _WIN32

int TFileReplaceSteps::WriteNewFile(const std::string& Name, std::string_view Bytes) {
    HANDLE h = CreateFileW(WideName(Name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) return NameTaken(GetLastError()) ? kNameTaken : 1;
    bool written = true;
    for (size_t done = 0; written && done < Bytes.size();) {
        DWORD n = 0;
        const auto chunk = static_cast<DWORD>(std::min<size_t>(Bytes.size() - done, 1u << 20));
        written = WriteFile(h, Bytes.data() + done, chunk, &n, nullptr) && n > 0;
        done += n;
    }
    written = written && FlushFileBuffers(h);
    const bool closed = CloseHandle(h);
    return written && closed ? 0 : 2;
}

bool TFileReplaceSteps::MoveOver(const std::string& Source, const std::string& Target) {
    return MoveFileExW(WideName(Source).c_str(), WideName(Target).c_str(),
                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
}

#else

int TFileReplaceSteps::WriteNewFile(const std::string& Name, std::string_view Bytes) {
    const int fd = open(SystemName(Name).c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0) return errno == EEXIST ? kNameTaken : 1;
    bool written = true;
    for (size_t done = 0; written && done < Bytes.size();) {
        const ssize_t n = write(fd, Bytes.data() + done, Bytes.size() - done);
        if (n < 0 && errno == EINTR) continue;
        written = n > 0;
        if (written) done += static_cast<size_t>(n);
    }
    written = written && fsync(fd) == 0;
    const bool closed = close(fd) == 0;
    return written && closed ? 0 : 2;
}

bool TFileReplaceSteps::MoveOver(const std::string& Source, const std::string& Target) {
    if (rename(SystemName(Source).c_str(), SystemName(Target).c_str()) != 0) return false;
    FlushFolderOf(Target);
    return true;
}

#endif

TFileReplaceSteps& SystemFileSteps() {
    static TFileReplaceSteps steps;
    return steps;
}

int WriteFileReplacing(const std::string& FileName, std::string_view Bytes, TFileReplaceSteps& Steps) {
    // Windows refuses to replace a read-only file; a POSIX rename would not,
    // so the check is made here for both.
    const int32_t attr = cl::FileGetAttr(FileName);
    if (attr != -1 && (attr & (cl::faReadOnly | cl::faDirectory))) return 1;
    RemoveStaleTemporaries(FileName);
    // A name still taken (another writer's, or a stale one that could not
    // go) is passed over: the numbers run out only with the folder's room.
    for (uint64_t n = 1;; ++n) {
        const std::string temporary = FileName + std::string(kTemporaryMark) + std::to_string(n);
        int code = Steps.WriteNewFile(temporary, Bytes);
        if (code == TFileReplaceSteps::kNameTaken) continue;
        if (code == 0 && !Steps.MoveOver(temporary, FileName)) code = 2;
        // Code 1 made no file; the name may be another writer's by now.
        if (code == 2) cl::RemoveFile(temporary);
        return code;
    }
}
