// libFuzzer target: whole statement files, read through a wizard in outline
// that selects forms by the page rules, so form blocks reach real forms.
#include <cstdint>
#include <cstdlib>

#include "fuzz/StatementInput.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (!statementfake::LoadStatementBytes(data, size)) std::abort();
    return 0;
}
