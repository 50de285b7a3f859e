#pragma once
// One input of the animated-cursor fuzzer: walk, write, walk again.
// Whatever the bytes, nothing may crash, and what was read must write to a
// file that reads back the same (an empty "seq " chunk is not written, so
// its steps then become the icons).

#include <cstdint>

#include "classlib/Exceptions.h"
#include "frameworks/AniFile.h"

namespace fuzzinput {

// False when a file that was read did not survive writing.
inline bool ExerciseAni(const uint8_t* data, size_t size) {
    TAniFile ani;
    try {
        ReadAni(data, size, ani);
        for (int64_t step = -1; step <= ani.stepCount && step < 64; ++step) AniStepAt(ani, step);
        for (const TAniIcon& icon : ani.icons) AniIconEntryFor(icon, 32);
    } catch (const cl::Exception&) {
        return true;
    }
    if (ani.icons.empty()) return true;
    const std::vector<uint8_t> bytes = WriteAni(ani);
    TAniFile again;
    try {
        ReadAni(bytes.data(), bytes.size(), again);
    } catch (const cl::Exception&) {
        return false;
    }
    if (again.icons.size() != ani.icons.size()) return false;
    for (size_t i = 0; i < ani.icons.size(); ++i)
        if (again.icons[i].bytes != ani.icons[i].bytes) return false;
    return again.title == ani.title && again.author == ani.author && again.rates == ani.rates &&
           again.sequence == ani.sequence && (ani.sequence.empty() || again.stepCount == ani.stepCount);
}

}  // namespace fuzzinput
