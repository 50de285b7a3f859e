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

TFileFault FaultOf(DWORD error) {
    switch (error) {
        case ERROR_FILE_EXISTS:
        case ERROR_ALREADY_EXISTS:
            return TFileFault::Exists;
        case ERROR_PATH_NOT_FOUND:
        case ERROR_INVALID_DRIVE:
        case ERROR_BAD_NETPATH:
            return TFileFault::NoFolder;
        case ERROR_DISK_FULL:
        case ERROR_HANDLE_DISK_FULL:
            return TFileFault::DiskFull;
        case ERROR_WRITE_PROTECT:
            return TFileFault::WriteProtected;
        case ERROR_ACCESS_DENIED:
            return TFileFault::AccessDenied;
        case ERROR_SHARING_VIOLATION:
        case ERROR_LOCK_VIOLATION:
        case ERROR_USER_MAPPED_FILE:
            return TFileFault::InUse;
        default:
            return TFileFault::Other;
    }
}

#else

std::string SystemName(const std::string& name) {
    return cl::Cp1250ToUtf8(name);
}

TFileFault FaultOf(int error) {
    switch (error) {
        case EEXIST:
            return TFileFault::Exists;
        case ENOENT:
        case ENOTDIR:
            return TFileFault::NoFolder;
        case EISDIR:
            return TFileFault::IsFolder;
        case ENOSPC:
        case EDQUOT:
            return TFileFault::DiskFull;
        case EROFS:
            return TFileFault::WriteProtected;
        case EACCES:
        case EPERM:
            return TFileFault::AccessDenied;
        case ETXTBSY:
        case EBUSY:
            return TFileFault::InUse;
        default:
            return TFileFault::Other;
    }
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

int TFileReplaceSteps::WriteNewFile(const std::string& Name, std::string_view Bytes, TFileFault& Fault) {
    HANDLE h = CreateFileW(WideName(Name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) {
        Fault = FaultOf(GetLastError());
        return 1;
    }
    bool written = true;
    for (size_t done = 0; written && done < Bytes.size();) {
        DWORD n = 0;
        const auto chunk = static_cast<DWORD>(std::min<size_t>(Bytes.size() - done, 1u << 20));
        written = WriteFile(h, Bytes.data() + done, chunk, &n, nullptr) && n > 0;
        done += n;
    }
    written = written && FlushFileBuffers(h);
    if (!written) Fault = FaultOf(GetLastError());
    const bool closed = CloseHandle(h);
    if (written && !closed) Fault = FaultOf(GetLastError());
    return written && closed ? 0 : 2;
}

bool TFileReplaceSteps::MoveOver(const std::string& Source, const std::string& Target, TFileFault& Fault) {
    if (MoveFileExW(WideName(Source).c_str(), WideName(Target).c_str(),
                    MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return true;
    Fault = FaultOf(GetLastError());
    return false;
}

#else

int TFileReplaceSteps::WriteNewFile(const std::string& Name, std::string_view Bytes, TFileFault& Fault) {
    const int fd = open(SystemName(Name).c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0) {
        Fault = FaultOf(errno);
        return 1;
    }
    bool written = true;
    for (size_t done = 0; written && done < Bytes.size();) {
        const ssize_t n = write(fd, Bytes.data() + done, Bytes.size() - done);
        if (n < 0 && errno == EINTR) continue;
        written = n > 0;
        if (written) done += static_cast<size_t>(n);
    }
    written = written && fsync(fd) == 0;
    if (!written) Fault = FaultOf(errno);
    const bool closed = close(fd) == 0;
    if (written && !closed) Fault = FaultOf(errno);
    return written && closed ? 0 : 2;
}

bool TFileReplaceSteps::MoveOver(const std::string& Source, const std::string& Target, TFileFault& Fault) {
    if (rename(SystemName(Source).c_str(), SystemName(Target).c_str()) != 0) {
        Fault = FaultOf(errno);
        return false;
    }
    FlushFolderOf(Target);
    return true;
}

#endif

TFileReplaceSteps& SystemFileSteps() {
    static TFileReplaceSteps steps;
    return steps;
}

TReplaceResult WriteFileReplacing(const std::string& FileName, std::string_view Bytes,
                                  TFileReplaceSteps& Steps) {
    // Windows refuses to replace a read-only file; a POSIX rename would not,
    // so the check is made here for both.
    const int32_t attr = cl::FileGetAttr(FileName);
    if (attr != -1 && (attr & cl::faDirectory)) return {1, TFileFault::IsFolder};
    if (attr != -1 && (attr & cl::faReadOnly)) return {1, TFileFault::ReadOnlyFile};
    RemoveStaleTemporaries(FileName);
    // A name still taken (another writer's, or a stale one that could not
    // go) is passed over: the numbers run out only with the folder's room.
    for (uint64_t n = 1;; ++n) {
        const std::string temporary = FileName + std::string(kTemporaryMark) + std::to_string(n);
        TFileFault fault = TFileFault::None;
        int code = Steps.WriteNewFile(temporary, Bytes, fault);
        if (code == 1 && fault == TFileFault::Exists) continue;
        if (code == 0 && !Steps.MoveOver(temporary, FileName, fault)) code = 2;
        // Code 1 made no file; the name may be another writer's by now.
        if (code == 2) cl::RemoveFile(temporary);
        return {code, fault};
    }
}
