#pragma once
// One input of the GIF fuzzer: read, decode every frame, write, read again.
// Whatever the bytes, nothing may crash, and what was read must write to a
// file that reads back with the same frames.

#include <cstdint>

#include "classlib/Exceptions.h"
#include "frameworks/GifFile.h"
#include "frameworks/GifLzw.h"

namespace fuzzinput {

// False when a file that was read did not survive writing.
inline bool ExerciseGif(const uint8_t* data, size_t size) {
    TGifFile file;
    try {
        ReadGif(data, size, file);
        // Frames above 2^16 pixels are left out: their size check has a unit
        // test, smaller frames take every path of the decoder, and
        // allocating and zero-filling megabytes per input would slow
        // fuzzing many times over.
        for (const TGifFrame& f : file.frames)
            if (int64_t{f.data->width} * f.data->height <= int64_t{1} << 16)
                DecodeGifFrame(*f.data, f.interlaced);
    } catch (const cl::Exception&) {
        return true;
    }
    if (file.frames.empty()) return true;
    PrepareGifForWrite(file);
    const std::vector<uint8_t> bytes = WriteGif(file);
    TGifFile again;
    try {
        ReadGif(bytes.data(), bytes.size(), again);
    } catch (const cl::Exception&) {
        return false;
    }
    if (again.frames.size() != file.frames.size()) return false;
    for (size_t i = 0; i < file.frames.size(); ++i)
        if (!file.frames[i].data->raw.empty() && again.frames[i].data->raw != file.frames[i].data->raw)
            return false;
    // A single frame is written without the loop extension.
    const bool loopKept = again.looping == (file.looping && file.frames.size() > 1);
    return loopKept && again.header->comment == file.header->comment;
}

}  // namespace fuzzinput
