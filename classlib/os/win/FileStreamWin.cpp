#include <windows.h>

#include <algorithm>
#include <array>

#include "classlib/Encoding.h"
#include "classlib/Exceptions.h"
#include "classlib/FileStream.h"

namespace cl {

namespace {

// Indexed by the access mode (low nibble) and the share flag (second nibble).
constexpr std::array<DWORD, 3> kAccess = {GENERIC_READ, GENERIC_WRITE, GENERIC_READ | GENERIC_WRITE};
constexpr std::array<DWORD, 5> kShare = {0, 0, FILE_SHARE_READ, FILE_SHARE_WRITE,
                                         FILE_SHARE_READ | FILE_SHARE_WRITE};

// The system's text for an error code, without the closing period and line break.
std::string SystemMessage(DWORD code) {
    wchar_t* text = nullptr;
    const DWORD n = FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
        code, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    std::u16string message(reinterpret_cast<const char16_t*>(text), n);
    LocalFree(text);
    while (!message.empty() && (message.back() <= u' ' || message.back() == u'.')) message.pop_back();
    return Utf16ToCp1250(message);
}

HANDLE AsHandle(intptr_t h) {
    return reinterpret_cast<HANDLE>(h);
}

}  // namespace

TFileStream::TFileStream(const std::string& fileName, uint32_t mode) : fileName_(fileName) {
    const bool create = (mode & fmCreate) == fmCreate;
    const uint32_t access = create ? fmOpenReadWrite : mode & 0x0F;
    const uint32_t share = (mode & 0xF0) >> 4;
    HANDLE h = INVALID_HANDLE_VALUE;
    if (access < kAccess.size() && share < kShare.size()) {
        const std::u16string name = Cp1250ToUtf16(fileName);
        h = CreateFileW(reinterpret_cast<const wchar_t*>(name.c_str()), kAccess[access], kShare[share],
                        nullptr, create ? CREATE_ALWAYS : OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    } else {
        SetLastError(ERROR_INVALID_PARAMETER);
    }
    if (h == INVALID_HANDLE_VALUE) {
        const std::string reason = SystemMessage(GetLastError());
        if (create) throw EFCreateError("Cannot create file \"" + fileName + "\". " + reason);
        throw EFOpenError("Cannot open file \"" + fileName + "\". " + reason);
    }
    handle_ = reinterpret_cast<intptr_t>(h);
}

TFileStream::~TFileStream() {
    CloseHandle(AsHandle(handle_));
}

int32_t TFileStream::Read(void* buffer, int32_t count) {
    DWORD done = 0;
    if (count <= 0 || !ReadFile(AsHandle(handle_), buffer, static_cast<DWORD>(count), &done, nullptr))
        return 0;
    return static_cast<int32_t>(done);
}

int32_t TFileStream::Write(const void* buffer, int32_t count) {
    DWORD done = 0;
    if (count <= 0 || !WriteFile(AsHandle(handle_), buffer, static_cast<DWORD>(count), &done, nullptr))
        return 0;
    return static_cast<int32_t>(done);
}

int64_t TFileStream::Seek(int64_t offset, TSeekOrigin origin) {
    static constexpr DWORD kMethod[] = {FILE_BEGIN, FILE_CURRENT, FILE_END};
    LARGE_INTEGER distance, result;
    distance.QuadPart = offset;
    if (!SetFilePointerEx(AsHandle(handle_), distance, &result, kMethod[origin]))
        throw EStreamError("Stream seek error");
    return result.QuadPart;
}

void TFileStream::SetSize(int64_t size) {
    if (size < 0) throw EWriteError("Stream write error");
    const int64_t position = Position();
    Seek(size, soBeginning);
    if (!SetEndOfFile(AsHandle(handle_))) {
        Seek(position, soBeginning);
        throw EWriteError("Stream write error");
    }
    Seek(std::min(position, size), soBeginning);
}

}  // namespace cl
