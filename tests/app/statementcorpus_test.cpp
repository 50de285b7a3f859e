// Replays the statement fuzzer's committed corpus in both builds: every
// input reads without harm, whatever the reader makes of it.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "fuzz/StatementInput.h"
#include "tests/support/Files.h"

namespace {

TEST(StatementCorpus, EveryInputReadsWithoutHarm) {
    int inputs = 0;
    const std::string corpus = cltest::SourceFile("fuzz/corpus/statement");
    for (const auto& entry : std::filesystem::directory_iterator(cltest::PathOf(corpus))) {
        const std::string bytes = cltest::ReadBytes(cl::Utf16ToCp1250(entry.path().u16string()));
        EXPECT_TRUE(
            statementfake::LoadStatementBytes(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size()))
            << entry.path();
        ++inputs;
    }
    EXPECT_GE(inputs, 50);
}

}  // namespace
