#include <windows.h>

#include "classlib/FileUtils.h"
#include "classlib/win/WideText.h"

namespace cl {

namespace {

DWORD AttributesOf(const std::string& name) {
    return GetFileAttributesW(ToWide(name).c_str());
}

}  // namespace

bool FileExists(const std::string& name) {
    const DWORD attr = AttributesOf(name);
    return attr != INVALID_FILE_ATTRIBUTES && !(attr & FILE_ATTRIBUTE_DIRECTORY);
}

bool DirectoryExists(const std::string& name) {
    const DWORD attr = AttributesOf(name);
    return attr != INVALID_FILE_ATTRIBUTES && (attr & FILE_ATTRIBUTE_DIRECTORY);
}

bool CreateDir(const std::string& name) {
    return CreateDirectoryW(ToWide(name).c_str(), nullptr) != 0;
}

bool RemoveFile(const std::string& name) {
    return DeleteFileW(ToWide(name).c_str()) != 0;
}

int32_t FileGetAttr(const std::string& name) {
    const DWORD attr = AttributesOf(name);
    return attr == INVALID_FILE_ATTRIBUTES ? -1 : static_cast<int32_t>(attr);
}

bool FileSetAttr(const std::string& name, uint32_t attr) {
    return SetFileAttributesW(ToWide(name).c_str(), attr) != 0;
}

std::string ExpandFileName(const std::string& name) {
    const std::wstring wide = ToWide(name);
    std::wstring full(MAX_PATH, L'\0');
    for (;;) {
        const DWORD n = GetFullPathNameW(wide.c_str(), static_cast<DWORD>(full.size()), full.data(), nullptr);
        if (n == 0) return name;
        if (n < full.size()) {
            full.resize(n);
            return FromWide(full);
        }
        full.resize(n);
    }
}

std::string ExtractFilePath(std::string_view name) {
    const size_t at = name.find_last_of("\\:");
    return at == std::string_view::npos ? std::string() : std::string(name.substr(0, at + 1));
}

std::vector<TSearchRec> FindFiles(const std::string& mask, uint32_t attr) {
    const DWORD excluded = ~attr & (faHidden | faSysFile | faVolumeID | faDirectory);
    std::vector<TSearchRec> found;
    WIN32_FIND_DATAW data;
    HANDLE h = FindFirstFileW(ToWide(mask).c_str(), &data);
    if (h == INVALID_HANDLE_VALUE) return found;
    do {
        if (data.dwFileAttributes & excluded) continue;
        found.push_back({FromWide(data.cFileName), data.dwFileAttributes,
                         static_cast<int64_t>(data.nFileSizeHigh) << 32 | data.nFileSizeLow});
    } while (FindNextFileW(h, &data));
    FindClose(h);
    return found;
}

}  // namespace cl
