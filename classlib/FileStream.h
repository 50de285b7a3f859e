#pragma once
// A stream over a file.  The file name is Windows-1250 text; the Windows
// build opens it through the wide API, so any code page works.

#include <cstdint>
#include <string>

#include "classlib/Streams.h"

namespace cl {

constexpr uint32_t fmCreate = 0xFF00;
constexpr uint32_t fmOpenRead = 0x0000;
constexpr uint32_t fmOpenWrite = 0x0001;
constexpr uint32_t fmOpenReadWrite = 0x0002;
constexpr uint32_t fmShareExclusive = 0x0010;
constexpr uint32_t fmShareDenyWrite = 0x0020;
constexpr uint32_t fmShareDenyNone = 0x0040;

class TFileStream : public TStream {
public:
    // fmCreate (with an optional share flag) creates or truncates the file;
    // otherwise an access mode or'ed with a share flag opens an existing one.
    // Raises EFCreateError / EFOpenError with the system's message.
    TFileStream(const std::string& fileName, uint32_t mode);
    ~TFileStream() override;

    int32_t Read(void* buffer, int32_t count) override;
    int32_t Write(const void* buffer, int32_t count) override;
    int64_t Seek(int64_t offset, TSeekOrigin origin) override;
    void SetSize(int64_t size) override;

    const std::string& FileName() const { return fileName_; }

private:
    std::string fileName_;
    intptr_t handle_;  // HANDLE in the Windows build, a descriptor in the native one
};

}  // namespace cl
