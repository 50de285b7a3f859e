// Replays the form-block fuzzer's committed corpus in both builds: every
// input loads without harm to the registry.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "fuzz/FormBlockInput.h"
#include "tests/support/Files.h"

namespace {

TEST(FormBlockCorpus, EveryInputLoadsAndLeavesTheRegistryIntact) {
    int inputs = 0;
    const std::string corpus = cltest::SourceFile("fuzz/corpus/formblock");
    for (const auto& entry : std::filesystem::directory_iterator(cltest::PathOf(corpus))) {
        const std::string bytes = cltest::ReadBytes(cl::Utf16ToCp1250(entry.path().u16string()));
        EXPECT_TRUE(
            fuzzinput::LoadStatementBlocks(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size()))
            << entry.path();
        ++inputs;
    }
    EXPECT_GE(inputs, 6);
}

}  // namespace
