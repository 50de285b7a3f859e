// The licence viewer's text: the installed file line by line, or the
// fallback when the file is missing, is no file, or breaks off mid-read.
#include "app/LicenceText.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/support/Files.h"
#include "tests/support/TempFolder.h"

namespace {

using Lines = std::vector<std::string>;

const Lines kFallback{" ", " ", " ", kLicenceMissing};

TEST(LicenceLines, ReadsTheFileLineByLineOrShowsTheFallback) {
    cltest::TempFolder folder;
    const struct {
        const char* what;
        const char* content;  // nullptr: no file
        Lines lines;
    } cases[] = {
        {"CR LF",
         "Licencja MIT\r\n\r\nCopyright (c) 2026 Autorzy\r\n",
         {"Licencja MIT", "", "Copyright (c) 2026 Autorzy"}},
        {"LF, CR and no break at the end", "a\nb\rc", {"a", "b", "c"}},
        {"Polish letters kept as bytes", "Udziela się zezwolenia\r\n", {"Udziela się zezwolenia"}},
        {"empty file", "", {}},
        {"missing", nullptr, kFallback},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const std::string name = folder.Name(std::string(c.what) + ".txt");
        if (c.content) cltest::WriteBytes(name, c.content);
        EXPECT_EQ(LicenceLines(name), c.lines);
    }
    EXPECT_EQ(LicenceLines(folder.Name("")), kFallback) << "a folder";
}

// A stream that gives half of what it has and then fails.
class BreakingStream : public cl::TMemoryStream {
public:
    int32_t Read(void* buffer, int32_t count) override {
        if (Position() >= Size() / 2) return 0;
        return cl::TMemoryStream::Read(buffer, std::min<int32_t>(count, static_cast<int32_t>(Size() / 2)));
    }
};

TEST(LicenceLines, AReadBreakingOffShowsOnlyTheFallback) {
    BreakingStream stream;
    const std::string text = "Pierwsza linia\r\nDruga linia\r\nTrzecia linia\r\n";
    stream.WriteBuffer(text.data(), static_cast<int32_t>(text.size()));
    stream.Seek(0, cl::soBeginning);
    EXPECT_EQ(LicenceLines(stream), kFallback);
}

}  // namespace
