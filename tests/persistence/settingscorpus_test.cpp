// Replays the settings-value fuzzer's committed corpus in both builds (the
// system's profile calls under Wine): every section loads, and what it
// stored loads back unchanged.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "fuzz/SettingsInput.h"
#include "tests/support/Files.h"
#include "tests/support/TempFolder.h"

namespace {

TEST(SettingsCorpus, EverySectionLoadsAndStoresBackUnchanged) {
    cltest::TempFolder folder;
    int inputs = 0;
    const std::string corpus = cltest::SourceFile("fuzz/corpus/settings");
    for (const auto& entry : std::filesystem::directory_iterator(cltest::PathOf(corpus))) {
        const std::string bytes = cltest::ReadBytes(cl::Utf16ToCp1250(entry.path().u16string()));
        // A file of its own each: the system may cache a profile file by name.
        const std::string scratch = folder.Name("input" + std::to_string(++inputs) + ".kon");
        EXPECT_TRUE(fuzzinput::ExerciseSettings(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size(),
                                                scratch))
            << entry.path();
    }
    EXPECT_GE(inputs, 6);
}

}  // namespace
