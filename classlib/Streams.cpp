#include "classlib/Streams.h"

#include <algorithm>
#include <cstring>

#include "classlib/Exceptions.h"
#include "classlib/FileStream.h"

namespace cl {

namespace {

constexpr int32_t kCopyChunk = 0xF000;

// size_t is 32 bits in the Windows build: a larger size must not wrap.
bool FitsInMemory(int64_t size) {
    return static_cast<uint64_t>(size) <= SIZE_MAX / 2;
}

}  // namespace

int64_t TStream::Size() {
    const int64_t position = Seek(0, soCurrent);
    const int64_t size = Seek(0, soEnd);
    Seek(position, soBeginning);
    return size;
}

void TStream::ReadBuffer(void* buffer, int32_t count) {
    if (count < 0 || Read(buffer, count) != count) throw EReadError("Stream read error");
}

void TStream::WriteBuffer(const void* buffer, int32_t count) {
    if (count < 0 || Write(buffer, count) != count) throw EWriteError("Stream write error");
}

int64_t TStream::CopyFrom(TStream& src, int64_t count) {
    if (count < 0) throw EReadError("Stream read error");
    if (count == 0) {
        src.SetPosition(0);
        count = src.Size();
    }
    std::vector<uint8_t> buffer(static_cast<size_t>(std::min<int64_t>(count, kCopyChunk)));
    for (int64_t left = count; left > 0;) {
        const auto n = static_cast<int32_t>(std::min<int64_t>(left, kCopyChunk));
        src.ReadBuffer(buffer.data(), n);
        WriteBuffer(buffer.data(), n);
        left -= n;
    }
    return count;
}

int32_t TMemoryStream::Read(void* buffer, int32_t count) {
    const int64_t size = Size();
    if (count <= 0 || position_ >= size) return 0;
    const auto n = static_cast<int32_t>(std::min<int64_t>(count, size - position_));
    std::memcpy(buffer, data_.data() + position_, static_cast<size_t>(n));
    position_ += n;
    return n;
}

int32_t TMemoryStream::Write(const void* buffer, int32_t count) {
    int64_t end;
    if (count <= 0 || __builtin_add_overflow(position_, count, &end)) return 0;
    if (end > Size()) {
        // A failed allocation is a short write: WriteBuffer reports it.
        if (!FitsInMemory(end)) return 0;
        try {
            data_.resize(static_cast<size_t>(end));
        } catch (const std::exception&) {
            return 0;
        }
    }
    std::memcpy(data_.data() + position_, buffer, static_cast<size_t>(count));
    position_ = end;
    return count;
}

int64_t TMemoryStream::Seek(int64_t offset, TSeekOrigin origin) {
    const int64_t base = origin == soBeginning ? 0 : origin == soCurrent ? position_ : Size();
    int64_t target;
    if (__builtin_add_overflow(base, offset, &target) || target < 0) throw EStreamError("Stream seek error");
    position_ = target;
    return position_;
}

void TMemoryStream::SetSize(int64_t size) {
    if (size < 0) throw EStreamError("Stream seek error");
    if (!FitsInMemory(size)) throw EOutOfMemory("Out of memory");
    try {
        data_.resize(static_cast<size_t>(size));
    } catch (const std::exception&) {
        throw EOutOfMemory("Out of memory");
    }
    position_ = std::min(position_, size);
}

void TMemoryStream::Clear() {
    data_.clear();
    data_.shrink_to_fit();
    position_ = 0;
}

void TMemoryStream::LoadFromStream(TStream& src) {
    src.SetPosition(0);
    SetSize(src.Size());
    position_ = 0;
    CopyFrom(src, Size());
    position_ = 0;
}

void TMemoryStream::LoadFromFile(const std::string& fileName) {
    TFileStream file(fileName, fmOpenRead | fmShareDenyWrite);
    LoadFromStream(file);
}

void TMemoryStream::SaveToStream(TStream& dst) {
    for (int64_t done = 0, size = Size(); done < size;) {
        const auto n = static_cast<int32_t>(std::min<int64_t>(size - done, 0x40000000));
        dst.WriteBuffer(data_.data() + done, n);
        done += n;
    }
}

void TMemoryStream::SaveToFile(const std::string& fileName) {
    TFileStream file(fileName, fmCreate);
    SaveToStream(file);
}

}  // namespace cl
