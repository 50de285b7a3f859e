#include "app/UpdateCheck.h"

#include <algorithm>
#include <charconv>
#include <cstdint>

#include "app/UserFolders.h"
#include "classlib/Exceptions.h"
#include "classlib/FileStream.h"
#include "classlib/FileUtils.h"
#include "classlib/StrUtils.h"

std::string UpdateFileName() {
    return UpdateFolder + cl::PathDelim + "upgr.id_";
}

std::string ToggleHttpPrefix(std::string_view url) {
    constexpr std::string_view kPrefix = "http://";
    if (url.substr(0, kPrefix.size()) == kPrefix) return std::string(url.substr(kPrefix.size()));
    return std::string(kPrefix) + std::string(url);
}

namespace {

// Only three short lines matter; a larger download is cut here.
constexpr int32_t kMaxRead = 64 * 1024;

std::string ReadHead(const std::string& fileName) {
    cl::TFileStream file(fileName, cl::fmOpenRead | cl::fmShareDenyWrite);
    std::string bytes(kMaxRead, '\0');
    bytes.resize(static_cast<size_t>(std::max(0, file.Read(bytes.data(), kMaxRead))));
    return bytes;
}

// The first three lines (CR LF, LF or CR end a line); missing lines are empty.
void SplitLines(std::string_view text, std::string (&lines)[3]) {
    size_t at = 0;
    for (std::string& line : lines) {
        const size_t end = std::min(text.find_first_of("\r\n", at), text.size());
        line = std::string(text.substr(at, end - at));
        at = end;
        if (at < text.size() && text[at] == '\r') ++at;
        if (at < text.size() && text[at] == '\n') ++at;
    }
}

bool ParseBuild(const std::string& line, int64_t& build) {
    const std::string digits = cl::Trim(line);
    if (digits.empty() ||
        !std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return false;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), build);
    return error == std::errc() && end == digits.data() + digits.size();
}

}  // namespace

int ParseUpdateFile(const std::string& fileName, std::string& info) {
    info.clear();
    std::string lines[3];
    try {
        SplitLines(ReadHead(fileName), lines);
    } catch (const cl::EStreamError&) {
        return kNoUpdateInfo;
    }
    int64_t build = 0;
    if (!ParseBuild(lines[0], build)) return kNoUpdateInfo;
    // A newer build without news on line 3 is no offer.
    if (build <= kProgramBuild || lines[2].empty()) return kNoUpdate;
    info = lines[2];
    return kUpdateAvailable;
}
