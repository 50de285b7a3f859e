#pragma once
// Settings in sections of named values.  TCustomIniFile is what every store
// of them offers; TIniFile keeps them in an INI file: the Windows build
// goes through the system's profile calls (the A forms, which pass
// Windows-1250 bytes through), the native build emulates them on the file
// directly.  Both read values alike: blanks around a value are dropped and
// one pair of surrounding quotes (" or ') is stripped.  The registry's
// store is TRegIniFile (win/Registry.h).

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <utility>

namespace cl {

class TStrings;

class TCustomIniFile {
public:
    explicit TCustomIniFile(std::string fileName) : fileName_(std::move(fileName)) {}
    virtual ~TCustomIniFile() = default;

    // The file, or the key the sections are under.
    const std::string& FileName() const { return fileName_; }

    // Never cut short, however long the value.
    virtual std::string ReadString(std::string_view section, std::string_view ident,
                                   std::string_view def) const = 0;
    // A failed write raises EIniFileException.
    virtual void WriteString(std::string_view section, std::string_view ident, std::string_view value) = 0;
    // Decimal, or hex with "0x" or "$"; anything else gives def.
    virtual int32_t ReadInteger(std::string_view section, std::string_view ident, int32_t def) const;
    virtual void WriteInteger(std::string_view section, std::string_view ident, int32_t value);
    // An integer value: non-zero is true; a missing or non-integer value gives def.
    bool ReadBool(std::string_view section, std::string_view ident, bool def) const;
    void WriteBool(std::string_view section, std::string_view ident, bool value);

    // Replace the contents of strings with the keys of a section, the
    // section names, or the section's "key=value" lines.
    virtual void ReadSection(std::string_view section, TStrings& strings) const = 0;
    virtual void ReadSections(TStrings& strings) const = 0;
    void ReadSectionValues(std::string_view section, TStrings& strings) const;
    bool SectionExists(std::string_view section) const;
    bool ValueExists(std::string_view section, std::string_view ident) const;

    // Removing what is not there does nothing; a failed write raises.
    virtual void EraseSection(std::string_view section) = 0;
    virtual void DeleteKey(std::string_view section, std::string_view ident) = 0;
    // Writes cached changes out.
    virtual void UpdateFile() {}

protected:
    std::string fileName_;
};

class TIniFile : public TCustomIniFile {
public:
    using TCustomIniFile::TCustomIniFile;

    std::string ReadString(std::string_view section, std::string_view ident,
                           std::string_view def) const override;
    // CR and LF in the value are written as blanks, so the value stays on its
    // line.  A failed write raises EIniFileException("Unable to write to %s").
    void WriteString(std::string_view section, std::string_view ident, std::string_view value) override;
    void ReadSection(std::string_view section, TStrings& strings) const override;
    void ReadSections(TStrings& strings) const override;
    void EraseSection(std::string_view section) override;
    void DeleteKey(std::string_view section, std::string_view ident) override;
    // Writes cached changes to the disk (the system may cache profile files).
    void UpdateFile() override;

private:
    // Platform parts behind the checks of the public calls.
    void WriteLine(std::string_view section, std::string_view ident, std::string_view value);
    void RemoveSection(std::string_view section);
    void RemoveKey(std::string_view section, std::string_view ident);
    [[noreturn]] void WriteError() const;

    // The native build keeps the file's lines parsed for as long as its
    // bytes stay the same (IniFilesPosix.cpp); the system caches its own.
    struct TParsedFile;
    const TParsedFile& Parsed() const;
    mutable std::shared_ptr<TParsedFile> parsed_;
};

}  // namespace cl
