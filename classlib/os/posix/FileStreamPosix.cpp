#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "classlib/Encoding.h"
#include "classlib/Exceptions.h"
#include "classlib/FileStream.h"

namespace cl {

// The native build has no share modes; names are stored as UTF-8.
TFileStream::TFileStream(const std::string& fileName, uint32_t mode) : fileName_(fileName) {
    static constexpr int kAccess[] = {O_RDONLY, O_WRONLY, O_RDWR};
    const bool create = (mode & fmCreate) == fmCreate;
    const uint32_t access = mode & 0x0F;
    int fd = -1;
    if (create) {
        fd = open(Cp1250ToUtf8(fileName).c_str(), O_RDWR | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    } else if (access < std::size(kAccess) && (mode & 0xF0) <= fmShareDenyNone) {
        fd = open(Cp1250ToUtf8(fileName).c_str(), kAccess[access] | O_CLOEXEC);
    } else {
        errno = EINVAL;
    }
    if (fd < 0) {
        const std::string reason = std::strerror(errno);
        if (create) throw EFCreateError("Cannot create file \"" + fileName + "\". " + reason);
        throw EFOpenError("Cannot open file \"" + fileName + "\". " + reason);
    }
    handle_ = fd;
}

TFileStream::~TFileStream() {
    close(static_cast<int>(handle_));
}

int32_t TFileStream::Read(void* buffer, int32_t count) {
    if (count <= 0) return 0;
    const ssize_t n = read(static_cast<int>(handle_), buffer, static_cast<size_t>(count));
    return n < 0 ? 0 : static_cast<int32_t>(n);
}

int32_t TFileStream::Write(const void* buffer, int32_t count) {
    if (count <= 0) return 0;
    const ssize_t n = write(static_cast<int>(handle_), buffer, static_cast<size_t>(count));
    return n < 0 ? 0 : static_cast<int32_t>(n);
}

int64_t TFileStream::Seek(int64_t offset, TSeekOrigin origin) {
    static constexpr int kWhence[] = {SEEK_SET, SEEK_CUR, SEEK_END};
    const off_t result = lseek(static_cast<int>(handle_), offset, kWhence[origin]);
    if (result < 0) throw EStreamError("Stream seek error");
    return result;
}

void TFileStream::SetSize(int64_t size) {
    const int64_t position = Position();
    if (size < 0 || ftruncate(static_cast<int>(handle_), size) != 0) throw EWriteError("Stream write error");
    Seek(std::min(position, size), soBeginning);
}

}  // namespace cl
