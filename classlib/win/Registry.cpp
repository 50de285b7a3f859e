#include "classlib/win/Registry.h"

#include <memory>
#include <vector>

#include "classlib/Exceptions.h"
#include "classlib/StrUtils.h"
#include "classlib/StringList.h"
#include "classlib/win/WideText.h"

namespace cl {

namespace {

struct KeyCloser {
    void operator()(HKEY key) const { RegCloseKey(key); }
};
using OwnedKey = std::unique_ptr<std::remove_pointer_t<HKEY>, KeyCloser>;

// The names of a key's subkeys (values false) or values (true).
std::vector<std::wstring> EnumNames(HKEY key, bool values) {
    std::vector<std::wstring> names;
    DWORD longest = 0;
    if (RegQueryInfoKeyW(key, nullptr, nullptr, nullptr, nullptr, values ? nullptr : &longest, nullptr,
                         nullptr, values ? &longest : nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
        return names;
    std::vector<wchar_t> name(longest + 1);
    for (DWORD i = 0;; ++i) {
        DWORD size = static_cast<DWORD>(name.size());
        const LONG result =
            values ? RegEnumValueW(key, i, name.data(), &size, nullptr, nullptr, nullptr, nullptr)
                   : RegEnumKeyExW(key, i, name.data(), &size, nullptr, nullptr, nullptr, nullptr);
        if (result != ERROR_SUCCESS) break;
        names.emplace_back(name.data(), size);
    }
    return names;
}

void FillStrings(const std::vector<std::wstring>& names, TStrings& strings) {
    TStringList list;
    for (const std::wstring& name : names) list.Add(FromWide(name));
    strings.Assign(list);
}

}  // namespace

std::wstring TRegIniFile::KeyPath(std::string_view section) const {
    std::string path = fileName_;
    if (!section.empty()) path += (path.empty() ? "" : "\\") + std::string(section);
    return ToWide(path);
}

HKEY TRegIniFile::OpenSection(std::string_view section, bool create) const {
    const std::wstring path = KeyPath(section);
    HKEY key = nullptr;
    const REGSAM access = readOnly_ ? KEY_READ : KEY_READ | KEY_WRITE;
    const LONG result = create ? RegCreateKeyExW(rootKey_, path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                                                 access, nullptr, &key, nullptr)
                               : RegOpenKeyExW(rootKey_, path.c_str(), 0, access, &key);
    return result == ERROR_SUCCESS ? key : nullptr;
}

void TRegIniFile::WriteError(std::string_view ident) const {
    throw EIniFileException("Failed to set data for '" + std::string(ident) + "'");
}

std::string TRegIniFile::ReadString(std::string_view section, std::string_view ident,
                                    std::string_view def) const {
    const OwnedKey key(OpenSection(section, false));
    if (!key) return std::string(def);
    const std::wstring name = ToWide(ident);
    DWORD type = 0, size = 0;
    if (RegQueryValueExW(key.get(), name.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS)
        return std::string(def);
    std::vector<BYTE> data(size + sizeof(wchar_t));
    if (RegQueryValueExW(key.get(), name.c_str(), nullptr, &type, data.data(), &size) != ERROR_SUCCESS)
        return std::string(def);
    switch (type) {
        case REG_SZ:
        case REG_EXPAND_SZ: {
            std::wstring text(reinterpret_cast<const wchar_t*>(data.data()), size / sizeof(wchar_t));
            // The stored terminator, when there is one, is not part of the text.
            while (!text.empty() && text.back() == L'\0') text.pop_back();
            return FromWide(text);
        }
        case REG_DWORD:
            if (size == sizeof(DWORD)) return IntToStr(*reinterpret_cast<const int32_t*>(data.data()));
            break;
    }
    return std::string(def);
}

void TRegIniFile::WriteString(std::string_view section, std::string_view ident, std::string_view value) {
    if (readOnly_) WriteError(ident);
    const OwnedKey key(OpenSection(section, true));
    if (!key) WriteError(ident);
    const std::wstring name = ToWide(ident), text = ToWide(value);
    if (RegSetValueExW(key.get(), name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                       static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t))) != ERROR_SUCCESS)
        WriteError(ident);
}

void TRegIniFile::ReadSection(std::string_view section, TStrings& strings) const {
    const OwnedKey key(OpenSection(section, false));
    FillStrings(key ? EnumNames(key.get(), true) : std::vector<std::wstring>{}, strings);
}

void TRegIniFile::ReadSections(TStrings& strings) const {
    const OwnedKey key(OpenSection("", false));
    FillStrings(key ? EnumNames(key.get(), false) : std::vector<std::wstring>{}, strings);
}

void TRegIniFile::EraseSection(std::string_view section) {
    if (readOnly_) WriteError(section);
    const OwnedKey parent(OpenSection("", false));
    if (!parent) return;
    const std::wstring name = ToWide(section);
    // The subkey goes with its values and subkeys.
    const LONG result = RegDeleteTreeW(parent.get(), name.c_str());
    if (result != ERROR_SUCCESS && result != ERROR_FILE_NOT_FOUND) WriteError(section);
}

void TRegIniFile::DeleteKey(std::string_view section, std::string_view ident) {
    if (readOnly_) WriteError(ident);
    const OwnedKey key(OpenSection(section, false));
    if (!key) return;
    const LONG result = RegDeleteValueW(key.get(), ToWide(ident).c_str());
    if (result != ERROR_SUCCESS && result != ERROR_FILE_NOT_FOUND) WriteError(ident);
}

}  // namespace cl
