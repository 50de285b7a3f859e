// libFuzzer target: a window's section of the settings file read into the
// properties of a component and into a window's placement.
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "fuzz/SettingsInput.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const std::string scratch =
        (std::filesystem::temp_directory_path() / ("settings_fuzz_" + std::to_string(getpid()) + ".ini"))
            .string();
    if (!fuzzinput::ExerciseSettings(data, size, scratch)) std::abort();
    return 0;
}
