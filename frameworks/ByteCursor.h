#pragma once
// Reading untrusted bytes: every read is checked against what is left and
// a short one raises EReadError "Stream read error".

#include <cstddef>
#include <cstdint>
#include <cstring>

#include "classlib/Exceptions.h"

[[noreturn]] inline void StreamReadError() {
    throw cl::EReadError("Stream read error");
}

class TByteCursor {
public:
    TByteCursor(const uint8_t* data, size_t size) : data_(data), size_(size) {}

    size_t Left() const { return size_ - pos_; }
    bool AtEnd() const { return pos_ >= size_; }
    size_t Position() const { return pos_; }

    uint8_t Byte() {
        if (AtEnd()) StreamReadError();
        return data_[pos_++];
    }
    // The next count bytes, or EReadError when fewer are left.
    const uint8_t* Take(uint64_t count) {
        if (count > Left()) StreamReadError();
        const uint8_t* p = data_ + pos_;
        pos_ += static_cast<size_t>(count);
        return p;
    }
    void Skip(uint64_t count) { Take(count); }

private:
    const uint8_t* data_;
    size_t size_;
    size_t pos_ = 0;
};

inline uint16_t Le16(const uint8_t* p) {
    return static_cast<uint16_t>(p[0] | p[1] << 8);
}
inline uint32_t Le32(const uint8_t* p) {
    return p[0] | p[1] << 8 | p[2] << 16 | static_cast<uint32_t>(p[3]) << 24;
}
