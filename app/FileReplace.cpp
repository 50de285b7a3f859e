#include "app/FileReplace.h"

#include <algorithm>
#include <cstdint>

#include "classlib/Encoding.h"
#include "classlib/FileUtils.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#endif

namespace {

// Temporary names tried beside the target before giving up.
constexpr int kTemporaryNames = 100;

#ifdef _WIN32

std::wstring WideName(const std::string& name) {
    const std::u16string wide = cl::Cp1250ToUtf16(name);
    return std::wstring(wide.begin(), wide.end());
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

}  // namespace

#ifdef _WIN32

int TFileReplaceSteps::WriteNewFile(const std::string& Name, std::string_view Bytes) {
    HANDLE h = CreateFileW(WideName(Name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) return 1;
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
    if (fd < 0) return 1;
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
    for (int n = 1; n <= kTemporaryNames; ++n) {
        const std::string temporary = FileName + ".~" + std::to_string(n);
        if (cl::FileGetAttr(temporary) != -1) continue;  // someone else's
        int result = Steps.WriteNewFile(temporary, Bytes);
        if (result == 0 && !Steps.MoveOver(temporary, FileName)) result = 2;
        // Result 1 made no file; the name may be another writer's by now.
        if (result == 2) cl::RemoveFile(temporary);
        return result;
    }
    return 1;
}
