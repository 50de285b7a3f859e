// libFuzzer target: the animated-cursor reader and writer.
#include <cstdint>
#include <cstdlib>

#include "fuzz/AniInput.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (!fuzzinput::ExerciseAni(data, size)) std::abort();
    return 0;
}
