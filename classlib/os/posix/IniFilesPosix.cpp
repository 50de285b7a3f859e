// The profile calls emulated on the file: "[Section]" lines start sections,
// "key=value" lines hold values, names match without case, blanks around
// names and values are dropped.  Every call reads the file and every
// change writes it back whole, other lines untouched, with CR LF line ends.
#include <sys/stat.h>

#include "classlib/Encoding.h"
#include "classlib/Exceptions.h"
#include "classlib/IniFiles.h"
#include "classlib/StrUtils.h"
#include "classlib/StringList.h"

namespace cl {

namespace {

bool IsSectionLine(const std::string& line, std::string& name) {
    const std::string t = Trim(line);
    if (t.empty() || t[0] != '[') return false;
    name = Trim(t.substr(1, t.find(']') - 1));
    return true;
}

bool IsKeyLine(const std::string& line, std::string& key, std::string& value) {
    const std::string t = Trim(line);
    const size_t eq = t.find('=');
    if (t.empty() || t[0] == '[' || t[0] == ';' || eq == std::string::npos) return false;
    key = Trim(t.substr(0, eq));
    value = Trim(t.substr(eq + 1));
    return true;
}

// The lines of the first section of that name: [first, end), first being
// the line after the header.  False when there is no such section.
bool FindSection(const TStringList& lines, std::string_view section, int& first, int& end) {
    std::string name;
    first = -1;
    for (int i = 0; i < lines.Count(); ++i) {
        if (!IsSectionLine(lines.Get(i), name)) continue;
        if (first >= 0) {
            end = i;
            return true;
        }
        if (AnsiSameText(name, section)) first = i + 1;
    }
    end = lines.Count();
    return first >= 0;
}

int FindKey(const TStringList& lines, int first, int end, std::string_view ident, std::string& value) {
    std::string key;
    for (int i = first; i < end; ++i)
        if (IsKeyLine(lines.Get(i), key, value) && AnsiSameText(key, ident)) return i;
    return -1;
}

bool Exists(const std::string& fileName) {
    struct stat st;
    return stat(Cp1250ToUtf8(fileName).c_str(), &st) == 0;
}

// A missing file reads as empty.  False when the file exists but cannot be
// read: reads then see it empty, and writes must not overwrite it.
bool Load(const std::string& fileName, TStringList& lines) {
    try {
        lines.LoadFromFile(fileName);
        return true;
    } catch (const EStreamError&) {
        lines.Clear();
        return !Exists(fileName);
    }
}

bool Save(const std::string& fileName, const TStringList& lines) {
    try {
        lines.SaveToFile(fileName);
        return true;
    } catch (const EStreamError&) {
        return false;
    }
}

}  // namespace

std::string TIniFile::ReadString(std::string_view section, std::string_view ident,
                                 std::string_view def) const {
    TStringList lines;
    Load(fileName_, lines);
    int first, end;
    std::string value;
    if (FindSection(lines, section, first, end) && FindKey(lines, first, end, ident, value) >= 0) {
        // One pair of matching quotes goes, as the profile calls do it.
        if (value.size() >= 2 && (value[0] == '"' || value[0] == '\'') && value.back() == value[0])
            value = value.substr(1, value.size() - 2);
        return value;
    }
    // The profile calls drop trailing blanks of the default too.
    while (!def.empty() && def.back() == ' ') def.remove_suffix(1);
    return std::string(def);
}

void TIniFile::WriteLine(std::string_view section, std::string_view ident, std::string_view value) {
    TStringList lines;
    if (!Load(fileName_, lines)) WriteError();
    const std::string line = std::string(ident) + "=" + std::string(value);
    int first, end;
    std::string old;
    if (!FindSection(lines, section, first, end)) {
        lines.Add("[" + std::string(section) + "]");
        lines.Add(line);
    } else if (const int at = FindKey(lines, first, end, ident, old); at >= 0) {
        // The key keeps its spelling in the file, as the profile calls keep it.
        lines.Put(at, lines.Names(at) + "=" + std::string(value));
    } else {
        // After the section's last non-blank line, so blank separators stay before the next section.
        while (end > first && Trim(lines.Get(end - 1)).empty()) --end;
        lines.Insert(end, line);
    }
    if (!Save(fileName_, lines)) WriteError();
}

void TIniFile::RemoveSection(std::string_view section) {
    TStringList lines;
    Load(fileName_, lines);
    int first, end;
    if (!FindSection(lines, section, first, end)) return;
    for (int i = end - 1; i >= first - 1; --i) lines.Delete(i);
    if (!Save(fileName_, lines)) WriteError();
}

void TIniFile::RemoveKey(std::string_view section, std::string_view ident) {
    TStringList lines;
    Load(fileName_, lines);
    int first, end;
    std::string value;
    if (!FindSection(lines, section, first, end)) return;
    const int at = FindKey(lines, first, end, ident, value);
    if (at < 0) return;
    lines.Delete(at);
    if (!Save(fileName_, lines)) WriteError();
}

void TIniFile::ReadSection(std::string_view section, TStrings& strings) const {
    TStringList lines, keys;
    Load(fileName_, lines);
    int first, end;
    std::string key, value;
    if (FindSection(lines, section, first, end)) {
        for (int i = first; i < end; ++i)
            if (IsKeyLine(lines.Get(i), key, value)) keys.Add(key);
    }
    strings.Assign(keys);
}

void TIniFile::ReadSections(TStrings& strings) const {
    TStringList lines, sections;
    Load(fileName_, lines);
    std::string name;
    for (int i = 0; i < lines.Count(); ++i)
        if (IsSectionLine(lines.Get(i), name)) sections.Add(name);
    strings.Assign(sections);
}

// Nothing is cached: every change is already on the disk.
void TIniFile::UpdateFile() {}

}  // namespace cl
