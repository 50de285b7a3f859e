// Replays the statement fuzzer's committed corpus in both builds: every
// input reads without harm, whatever the reader makes of it.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

#include "fuzz/StatementInput.h"

namespace {

TEST(StatementCorpus, EveryInputReadsWithoutHarm) {
    // Under Wine "/" is drive Z:.
    const std::filesystem::path folder =
        std::filesystem::path(SPRAW_SOURCE_DIR) / "fuzz" / "corpus" / "statement";
    int inputs = 0;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        std::ifstream file(entry.path(), std::ios::binary);
        const std::vector<uint8_t> bytes{std::istreambuf_iterator<char>(file),
                                         std::istreambuf_iterator<char>()};
        EXPECT_TRUE(statementfake::LoadStatementBytes(bytes.data(), bytes.size())) << entry.path();
        ++inputs;
    }
    EXPECT_GE(inputs, 50);
}

}  // namespace
