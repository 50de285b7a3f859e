#include <windows.h>

#include <string>
#include <vector>

#include "classlib/IniFiles.h"
#include "classlib/StringList.h"

namespace cl {

namespace {

// Calls fill(buffer, size) with a growing buffer until the result fits.
// The profile calls report truncation by returning size - slack.
template <class Fill>
std::vector<char> ReadGrowing(DWORD slack, Fill fill) {
    std::vector<char> buffer(4096);
    for (;;) {
        const DWORD size = static_cast<DWORD>(buffer.size());
        const DWORD n = fill(buffer.data(), size);
        if (n + slack < size) {
            buffer.resize(n);
            return buffer;
        }
        buffer.resize(buffer.size() * 2);
    }
}

// A list of NUL-terminated names, as the profile calls return them.
void SplitNames(const std::vector<char>& names, TStrings& strings) {
    TStringList list;
    for (size_t start = 0; start < names.size();) {
        const std::string name(names.data() + start);
        list.Add(name);
        start += name.size() + 1;
    }
    strings.Assign(list);
}

}  // namespace

std::string TIniFile::ReadString(std::string_view section, std::string_view ident,
                                 std::string_view def) const {
    const std::string s(section), k(ident), d(def);
    const std::vector<char> value = ReadGrowing(1, [&](char* buffer, DWORD size) {
        return GetPrivateProfileStringA(s.c_str(), k.c_str(), d.c_str(), buffer, size, fileName_.c_str());
    });
    return std::string(value.begin(), value.end());
}

void TIniFile::WriteLine(std::string_view section, std::string_view ident, std::string_view value) {
    const std::string s(section), k(ident), v(value);
    if (!WritePrivateProfileStringA(s.c_str(), k.c_str(), v.c_str(), fileName_.c_str())) WriteError();
}

void TIniFile::RemoveSection(std::string_view section) {
    const std::string s(section);
    if (!WritePrivateProfileStringA(s.c_str(), nullptr, nullptr, fileName_.c_str())) WriteError();
}

void TIniFile::RemoveKey(std::string_view section, std::string_view ident) {
    const std::string s(section), k(ident);
    if (!WritePrivateProfileStringA(s.c_str(), k.c_str(), nullptr, fileName_.c_str())) WriteError();
}

void TIniFile::ReadSection(std::string_view section, TStrings& strings) const {
    const std::string s(section);
    SplitNames(ReadGrowing(2,
                           [&](char* buffer, DWORD size) {
                               return GetPrivateProfileStringA(s.c_str(), nullptr, "", buffer, size,
                                                               fileName_.c_str());
                           }),
               strings);
}

void TIniFile::ReadSections(TStrings& strings) const {
    SplitNames(ReadGrowing(2,
                           [&](char* buffer, DWORD size) {
                               return GetPrivateProfileSectionNamesA(buffer, size, fileName_.c_str());
                           }),
               strings);
}

void TIniFile::UpdateFile() {
    // All three NULL flushes the system's cache of the file.
    WritePrivateProfileStringA(nullptr, nullptr, nullptr, fileName_.c_str());
}

}  // namespace cl
