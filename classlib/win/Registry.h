#pragma once
// TRegIniFile: settings sections kept in the registry.  The file name is
// the path of a key under a root key ("Software\Firma\Program"); a section
// is a subkey of it and a value a named string value of that subkey.
// Integers are written as their decimal text, so every value reads back as
// a string; a DWORD value put there by hand reads as its decimal text.

#include <windows.h>

#include <string>
#include <string_view>

#include "classlib/IniFiles.h"

namespace cl {

class TRegIniFile : public TCustomIniFile {
public:
    // readOnly opens the keys for reading only; a write then raises.
    explicit TRegIniFile(std::string keyName, HKEY rootKey = HKEY_CURRENT_USER, bool readOnly = false)
        : TCustomIniFile(std::move(keyName)), rootKey_(rootKey), readOnly_(readOnly) {}

    HKEY RootKey() const { return rootKey_; }

    // A missing key or value gives def.
    std::string ReadString(std::string_view section, std::string_view ident,
                           std::string_view def) const override;
    // A value that cannot be written raises EIniFileException.
    void WriteString(std::string_view section, std::string_view ident, std::string_view value) override;
    void ReadSection(std::string_view section, TStrings& strings) const override;
    void ReadSections(TStrings& strings) const override;
    // The section's subkey with everything in it.
    void EraseSection(std::string_view section) override;
    void DeleteKey(std::string_view section, std::string_view ident) override;

private:
    // The key of section ("" for the file's own key), or nullptr when it
    // cannot be opened; create makes a missing one.
    HKEY OpenSection(std::string_view section, bool create) const;
    std::wstring KeyPath(std::string_view section) const;
    [[noreturn]] void WriteError(std::string_view ident) const;

    HKEY rootKey_;
    bool readOnly_;
};

}  // namespace cl
