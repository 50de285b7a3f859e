#include "app/LicenceText.h"

#include "app/UserFolders.h"
#include "classlib/Exceptions.h"
#include "classlib/FileStream.h"
#include "classlib/StringList.h"

namespace {

std::vector<std::string> Fallback() {
    return {" ", " ", " ", kLicenceMissing};
}

}  // namespace

std::string LicenceFileName() {
    return ProgramFolder + "pi\\LICENCJA.txt";
}

std::vector<std::string> LicenceLines(const std::string& fileName) {
    try {
        cl::TFileStream file(fileName, cl::fmOpenRead | cl::fmShareDenyWrite);
        return LicenceLines(file);
    } catch (const cl::EStreamError&) {
        return Fallback();
    }
}

std::vector<std::string> LicenceLines(cl::TStream& stream) {
    std::string text;
    try {
        const int64_t size = stream.Size() - stream.Position();
        // A licence is a few kilobytes; anything near 2 GB is not one.
        if (size < 0 || size > 0x7FFFFFFF) return Fallback();
        text.resize(static_cast<size_t>(size));
        // Raises unless every byte arrives: a read failing midway shows
        // the fallback, not the part read before.
        stream.ReadBuffer(text.data(), static_cast<int32_t>(size));
    } catch (const cl::EStreamError&) {
        return Fallback();
    }
    cl::TStringList lines;
    lines.SetText(text);
    std::vector<std::string> result;
    result.reserve(static_cast<size_t>(lines.Count()));
    for (int i = 0; i < lines.Count(); ++i) result.push_back(lines.Strings(i));
    return result;
}
