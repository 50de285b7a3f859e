#pragma once
// Byte streams: the abstract TStream and the growable in-memory stream.

#include <bit>
#include <cstdint>
#include <string>
#include <type_traits>
#include <vector>

namespace cl {

enum TSeekOrigin { soBeginning, soCurrent, soEnd };

class TStream {
public:
    TStream() = default;
    TStream(const TStream&) = delete;
    TStream& operator=(const TStream&) = delete;
    virtual ~TStream() = default;

    // Transfer up to count bytes and return how many moved; a negative
    // count moves nothing.  Never raise.
    virtual int32_t Read(void* buffer, int32_t count) = 0;
    virtual int32_t Write(const void* buffer, int32_t count) = 0;
    // Returns the new position.  A target before the start raises EStreamError.
    virtual int64_t Seek(int64_t offset, TSeekOrigin origin) = 0;
    virtual int64_t Size();
    // Truncates or extends; a position beyond the new end moves to it.
    virtual void SetSize(int64_t size) = 0;

    int64_t Position() { return Seek(0, soCurrent); }
    void SetPosition(int64_t position) { Seek(position, soBeginning); }

    // Raise EReadError / EWriteError unless exactly count bytes move.
    void ReadBuffer(void* buffer, int32_t count);
    void WriteBuffer(const void* buffer, int32_t count);
    // Copies count bytes from src's position; count 0 copies all of src
    // from its start.  Raises on a short read.
    int64_t CopyFrom(TStream& src, int64_t count);

    // Little-endian values of the files, read and written as they lie in memory.
    template <class T>
    T ReadValue() {
        static_assert(std::is_trivially_copyable_v<T> && std::endian::native == std::endian::little);
        T value;
        ReadBuffer(&value, sizeof value);
        return value;
    }
    template <class T>
    void WriteValue(const T& value) {
        static_assert(std::is_trivially_copyable_v<T> && std::endian::native == std::endian::little);
        WriteBuffer(&value, sizeof value);
    }
};

class TMemoryStream : public TStream {
public:
    int32_t Read(void* buffer, int32_t count) override;
    int32_t Write(const void* buffer, int32_t count) override;
    int64_t Seek(int64_t offset, TSeekOrigin origin) override;
    int64_t Size() override { return static_cast<int64_t>(data_.size()); }
    // Bytes added by growing are zero.
    void SetSize(int64_t size) override;

    void* Memory() { return data_.data(); }
    const void* Memory() const { return data_.data(); }
    void Clear();
    // Replace the contents with all of src (or the file); the position goes to 0.
    void LoadFromStream(TStream& src);
    void LoadFromFile(const std::string& fileName);
    // Write the whole contents, whatever the position.
    void SaveToStream(TStream& dst);
    void SaveToFile(const std::string& fileName);

private:
    std::vector<uint8_t> data_;
    int64_t position_ = 0;
};

}  // namespace cl
