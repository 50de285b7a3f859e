#include "controls/win/CoreFileUtils.h"

#include <vector>

#include "classlib/win/WideText.h"

std::string ModuleFileName(HMODULE module) {
    std::wstring name(MAX_PATH, L'\0');
    for (;;) {
        const DWORD n = GetModuleFileNameW(module, name.data(), static_cast<DWORD>(name.size()));
        if (n == 0) return std::string();
        if (n < name.size()) {
            name.resize(n);
            return cl::FromWide(name);
        }
        name.resize(name.size() * 2);
    }
}

std::optional<VS_FIXEDFILEINFO> FileVersionInfo(const std::string& fileName) {
    const std::wstring file = cl::ToWide(fileName);
    DWORD handle = 0;
    const DWORD size = GetFileVersionInfoSizeW(file.c_str(), &handle);
    if (size == 0) return std::nullopt;
    std::vector<uint8_t> data(size);
    if (!GetFileVersionInfoW(file.c_str(), 0, size, data.data())) return std::nullopt;
    void* root = nullptr;
    UINT length = 0;
    if (!VerQueryValueW(data.data(), L"\\", &root, &length) || length < sizeof(VS_FIXEDFILEINFO))
        return std::nullopt;
    return *static_cast<const VS_FIXEDFILEINFO*>(root);
}
