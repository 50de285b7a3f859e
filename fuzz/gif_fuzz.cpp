// libFuzzer target: the GIF reader, decoder and writer.
#include <cstdint>
#include <cstdlib>

#include "fuzz/GifInput.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (!fuzzinput::ExerciseGif(data, size)) std::abort();
    return 0;
}
