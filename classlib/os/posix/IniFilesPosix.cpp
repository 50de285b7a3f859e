// The profile calls emulated on the file: "[Section]" lines start sections,
// "key=value" lines hold values, names match without case, blanks around
// names and values are dropped.  Every call reads the file; its lines are
// parsed again only when its bytes changed.  Every change writes it back
// whole, other lines untouched, with CR LF line ends.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <vector>

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

// One line as the profile calls see it.
struct TIniLine {
    enum Kind { Other, Section, Key } kind = Other;
    std::string name, value;  // trimmed; value for keys only
};

// The file's bytes; empty when it is missing or cannot be read.
std::string ReadBytes(const std::string& systemName) {
    std::string bytes;
    const int fd = open(systemName.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return bytes;
    char chunk[4096];
    for (;;) {
        const ssize_t n = read(fd, chunk, sizeof chunk);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) bytes.clear();
        if (n <= 0) break;
        bytes.append(chunk, static_cast<size_t>(n));
    }
    close(fd);
    return bytes;
}

// The lines of the first section of that name, [first, end); false when
// there is none.
bool FindSection(const std::vector<TIniLine>& lines, std::string_view section, size_t& first, size_t& end) {
    for (size_t i = 0; i < lines.size(); ++i) {
        if (lines[i].kind != TIniLine::Section || !AnsiSameText(lines[i].name, section)) continue;
        first = i + 1;
        for (end = first; end < lines.size() && lines[end].kind != TIniLine::Section;) ++end;
        return true;
    }
    return false;
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

// A window's settings are read key by key, and parsing the whole file again
// for each key was most of the work.  The bytes tell whether the file
// changed (a time stamp may not: a file rewritten within the same clock
// tick keeps it).
struct TIniFile::TParsedFile {
    std::string systemName;  // the file's name as the system takes it
    bool parsed = false;
    std::string bytes;
    std::vector<TIniLine> lines;
};

const TIniFile::TParsedFile& TIniFile::Parsed() const {
    if (!parsed_) {
        parsed_ = std::make_shared<TParsedFile>();
        parsed_->systemName = Cp1250ToUtf8(fileName_);
    }
    TParsedFile& file = *parsed_;
    std::string bytes = ReadBytes(file.systemName);
    if (file.parsed && file.bytes == bytes) return file;
    TStringList text;
    text.SetText(bytes);
    file.lines.assign(static_cast<size_t>(text.Count()), {});
    for (int i = 0; i < text.Count(); ++i) {
        TIniLine& line = file.lines[static_cast<size_t>(i)];
        if (IsSectionLine(text.Get(i), line.name))
            line.kind = TIniLine::Section;
        else if (IsKeyLine(text.Get(i), line.name, line.value))
            line.kind = TIniLine::Key;
    }
    file.bytes = std::move(bytes);
    file.parsed = true;
    return file;
}

std::string TIniFile::ReadString(std::string_view section, std::string_view ident,
                                 std::string_view def) const {
    const std::vector<TIniLine>& lines = Parsed().lines;
    size_t first = 0, end = 0;
    if (FindSection(lines, section, first, end)) {
        for (size_t i = first; i < end; ++i) {
            if (lines[i].kind != TIniLine::Key || !AnsiSameText(lines[i].name, ident)) continue;
            std::string value = lines[i].value;
            // One pair of matching quotes goes, as the profile calls do it.
            if (value.size() >= 2 && (value[0] == '"' || value[0] == '\'') && value.back() == value[0])
                value = value.substr(1, value.size() - 2);
            return value;
        }
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
    const std::vector<TIniLine>& lines = Parsed().lines;
    TStringList keys;
    size_t first = 0, end = 0;
    if (FindSection(lines, section, first, end)) {
        for (size_t i = first; i < end; ++i)
            if (lines[i].kind == TIniLine::Key) keys.Add(lines[i].name);
    }
    strings.Assign(keys);
}

void TIniFile::ReadSections(TStrings& strings) const {
    TStringList sections;
    for (const TIniLine& line : Parsed().lines)
        if (line.kind == TIniLine::Section) sections.Add(line.name);
    strings.Assign(sections);
}

// Every change is already on the disk; the parsed copy follows the bytes.
void TIniFile::UpdateFile() {}

}  // namespace cl
