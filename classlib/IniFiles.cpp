#include "classlib/IniFiles.h"

#include "classlib/Exceptions.h"
#include "classlib/NumberFormat.h"
#include "classlib/StrUtils.h"
#include "classlib/StringList.h"

namespace cl {

void TIniFile::WriteError() const {
    throw EIniFileException("Unable to write to " + fileName_);
}

void TIniFile::WriteString(std::string_view section, std::string_view ident, std::string_view value) {
    // A raw line break would end the line and could start a section or key.
    std::string line;
    for (size_t i = 0; i < value.size(); ++i) {
        if (value[i] == '\r' && i + 1 < value.size() && value[i + 1] == '\n') ++i;
        line += (value[i] == '\r' || value[i] == '\n') ? ' ' : value[i];
    }
    WriteLine(section, ident, line);
}

int32_t TCustomIniFile::ReadInteger(std::string_view section, std::string_view ident, int32_t def) const {
    return StrToIntDef(ReadString(section, ident, ""), def);
}

void TCustomIniFile::WriteInteger(std::string_view section, std::string_view ident, int32_t value) {
    WriteString(section, ident, IntToStr(value));
}

bool TCustomIniFile::ReadBool(std::string_view section, std::string_view ident, bool def) const {
    return ReadInteger(section, ident, def ? 1 : 0) != 0;
}

void TCustomIniFile::WriteBool(std::string_view section, std::string_view ident, bool value) {
    WriteString(section, ident, value ? "1" : "0");
}

void TCustomIniFile::ReadSectionValues(std::string_view section, TStrings& strings) const {
    TStringList keys, values;
    ReadSection(section, keys);
    for (int i = 0; i < keys.Count(); ++i)
        values.Add(keys.Get(i) + "=" + ReadString(section, keys.Get(i), ""));
    strings.Assign(values);
}

bool TCustomIniFile::SectionExists(std::string_view section) const {
    TStringList sections;
    ReadSections(sections);
    return sections.IndexOf(section) >= 0;
}

bool TCustomIniFile::ValueExists(std::string_view section, std::string_view ident) const {
    TStringList keys;
    ReadSection(section, keys);
    return keys.IndexOf(ident) >= 0;
}

void TIniFile::EraseSection(std::string_view section) {
    if (SectionExists(section)) RemoveSection(section);
}

void TIniFile::DeleteKey(std::string_view section, std::string_view ident) {
    if (ValueExists(section, ident)) RemoveKey(section, ident);
}

}  // namespace cl
