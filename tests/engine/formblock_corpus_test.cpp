// Replays the form-block fuzzer's committed corpus in both builds: every
// input loads without harm to the registry.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

#include "fuzz/FormBlockInput.h"

namespace {

std::filesystem::path CorpusFolder() {
    // Under Wine "/" is drive Z:.
    return std::filesystem::path(SPRAW_SOURCE_DIR) / "fuzz" / "corpus" / "formblock";
}

TEST(FormBlockCorpus, EveryInputLoadsAndLeavesTheRegistryIntact) {
    int inputs = 0;
    for (const auto& entry : std::filesystem::directory_iterator(CorpusFolder())) {
        std::ifstream file(entry.path(), std::ios::binary);
        const std::vector<uint8_t> bytes{std::istreambuf_iterator<char>(file),
                                         std::istreambuf_iterator<char>()};
        EXPECT_TRUE(fuzzinput::LoadStatementBlocks(bytes.data(), bytes.size())) << entry.path();
        ++inputs;
    }
    EXPECT_GE(inputs, 6);
}

}  // namespace
