// libFuzzer target: the shared block and the form blocks of a statement file.
#include <cstdint>
#include <cstdlib>

#include "fuzz/FormBlockInput.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (!fuzzinput::LoadStatementBlocks(data, size)) std::abort();
    return 0;
}
