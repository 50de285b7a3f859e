#pragma once
// The licence text the licence viewer shows: the installed file's lines, or
// when the file is missing or cannot be read whole, three lines of one
// blank and a line saying so (nothing of a half-read file).

#include <string>
#include <vector>

#include "classlib/Streams.h"

// The fallback's last line (the program's own text, spelling and all).
inline constexpr const char* kLicenceMissing =
    "Brak lub uszkodzenie pliku \"LICENCJA.TXT\" zawierającego treść licencji. Proszę się skontaktować z "
    "dostwcą programu.";

// ProgramFolder + "pi\LICENCJA.txt".
std::string LicenceFileName();
std::vector<std::string> LicenceLines(const std::string& fileName);
// From the stream's position to its end; lines end at CR LF, LF or CR.
std::vector<std::string> LicenceLines(cl::TStream& stream);
