// Replays the GIF and animated-cursor fuzzers' committed corpora in both
// builds: every input is read without harm, and what reads writes back.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

#include "fuzz/AniInput.h"
#include "fuzz/GifInput.h"

namespace {

std::filesystem::path CorpusFolder(const char* name) {
    // Under Wine "/" is drive Z:.
    return std::filesystem::path(SPRAW_SOURCE_DIR) / "fuzz" / "corpus" / name;
}

template <class Exercise>
int Replay(const char* corpus, Exercise exercise) {
    int inputs = 0;
    for (const auto& entry : std::filesystem::directory_iterator(CorpusFolder(corpus))) {
        std::ifstream file(entry.path(), std::ios::binary);
        const std::vector<uint8_t> bytes{std::istreambuf_iterator<char>(file),
                                         std::istreambuf_iterator<char>()};
        EXPECT_TRUE(exercise(bytes.data(), bytes.size())) << entry.path();
        ++inputs;
    }
    return inputs;
}

TEST(CodecCorpus, EveryGifInputReadsAndWritesBack) {
    EXPECT_GE(Replay("gif", fuzzinput::ExerciseGif), 5);
}

TEST(CodecCorpus, EveryAniInputReadsAndWritesBack) {
    EXPECT_GE(Replay("ani", fuzzinput::ExerciseAni), 4);
}

}  // namespace
