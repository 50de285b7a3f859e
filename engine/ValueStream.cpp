#include "engine/ValueStream.h"

#include <algorithm>
#include <cstring>

#include "engine/calc1.h"

namespace {

using cl::TStream;
using cl::Variant;

int64_t BytesLeft(TStream& s) {
    return std::max<int64_t>(0, s.Size() - s.Position());
}
bool AtEnd(TStream& s) {
    return BytesLeft(s) == 0;
}

// What the stream does not give stays as it was (at its end a stream gives
// nothing).  False when it gave less than the whole value.
template <class T>
bool ReadGuarded(TStream& s, T& value) {
    return s.Read(&value, sizeof value) == sizeof value;
}

// Reads count bytes into an area of capacity bytes and skips the rest, never
// past the end of the stream.  False when the stream held fewer than count.
bool ReadInto(TStream& s, void* area, int32_t capacity, int32_t count) {
    if (count <= 0) return true;
    const int32_t n = std::min(count, capacity);
    const int32_t got = s.Read(area, n);
    const int64_t rest = count > n ? std::min<int64_t>(count - n, BytesLeft(s)) : 0;
    if (rest > 0) s.Seek(rest, cl::soCurrent);
    return got == n && rest == count - n;
}

// The data size a variant record carries for a type code; 0 for codes
// written without data.  Strings have their own length.
int32_t DataSize(uint16_t code) {
    switch (code) {
        case cl::varShortInt:
        case cl::varByte:
            return 1;
        case cl::varSmallint:
        case cl::varBoolean:
        case cl::varWord:
            return 2;
        case cl::varInteger:
        case cl::varSingle:
        case cl::varLongWord:
            return 4;
        case cl::varDouble:
        case cl::varCurrency:
        case cl::varDate:
        case cl::varInt64:
            return 8;
        default:
            return 0;
    }
}

template <class T>
void WriteData(TStream& s, T value) {
    s.WriteValue<int32_t>(sizeof value);
    s.WriteValue(value);
}

template <class T>
T From(const uint8_t* data) {
    T value;
    std::memcpy(&value, data, sizeof value);
    return value;
}

Variant FromData(uint16_t code, const uint8_t* data) {
    switch (code) {
        case cl::varSmallint:
            return Variant::FromSmallint(From<int16_t>(data));
        case cl::varInteger:
            return Variant(From<int32_t>(data));
        case cl::varSingle:
            return Variant(static_cast<double>(From<float>(data)));
        case cl::varDouble:
            return Variant(From<double>(data));
        case cl::varCurrency:
            return Variant(cl::Currency::FromRaw(From<int64_t>(data)));
        case cl::varDate:
            return Variant::FromDate(From<double>(data));
        case cl::varBoolean:
            return Variant(From<uint16_t>(data) != 0);
        case cl::varShortInt:
            return Variant::FromShortInt(From<int8_t>(data));
        case cl::varByte:
            return Variant::FromByte(From<uint8_t>(data));
        case cl::varWord:
            return Variant::FromWord(From<uint16_t>(data));
        case cl::varLongWord:
            return Variant::FromLongWord(From<uint32_t>(data));
        case cl::varInt64:
            return Variant::FromInt64(From<int64_t>(data));
        default:
            return Variant();
    }
}

}  // namespace

void WriteVariant(const Variant& V, TStream& Stream) {
    const uint16_t code = V.VarType();
    Stream.WriteValue(code);
    switch (code) {
        case cl::varSmallint:
            WriteData(Stream, static_cast<int16_t>(V.AsRawInt()));
            break;
        case cl::varInteger:
            WriteData(Stream, static_cast<int32_t>(V.AsRawInt()));
            break;
        case cl::varSingle:
            WriteData(Stream, static_cast<float>(V.AsRawDouble()));
            break;
        case cl::varDouble:
        case cl::varDate:
            WriteData(Stream, V.AsRawDouble());
            break;
        case cl::varCurrency:
            WriteData(Stream, V.AsRawCurrency().Raw());
            break;
        case cl::varBoolean:
            WriteData(Stream, static_cast<uint16_t>(V.AsRawBool() ? 0xFFFF : 0));
            break;
        case cl::varShortInt:
            WriteData(Stream, static_cast<int8_t>(V.AsRawInt()));
            break;
        case cl::varByte:
            WriteData(Stream, static_cast<uint8_t>(V.AsRawInt()));
            break;
        case cl::varWord:
            WriteData(Stream, static_cast<uint16_t>(V.AsRawInt()));
            break;
        case cl::varLongWord:
            WriteData(Stream, static_cast<uint32_t>(V.AsRawInt()));
            break;
        case cl::varInt64:
            WriteData(Stream, V.AsRawInt());
            break;
        case cl::varString: {
            const std::string& text = V.AsRawString();
            Stream.WriteValue(static_cast<int32_t>(text.size()));
            Stream.WriteBuffer(text.data(), static_cast<int32_t>(text.size()));
            break;
        }
        default:
            break;  // the code alone
    }
}

bool ReadVariant(TStream& Stream, Variant& V) {
    V = Variant();
    uint16_t code = 0;
    // Each read is made as far as the stream allows, whole or not.
    bool whole = ReadGuarded(Stream, code);
    if (code == cl::varString) {
        int32_t length = 0;
        whole = ReadGuarded(Stream, length) && whole;
        if (length > kLongestText) {
            // Damage, and reading it would only cost memory and time.
            Stream.Seek(std::min<int64_t>(length, BytesLeft(Stream)), cl::soCurrent);
            return false;
        }
        std::string text;
        // A length beyond the stream gets only the bytes that are there.
        if (length > 0) {
            text.resize(static_cast<size_t>(std::min<int64_t>(length, BytesLeft(Stream))));
            whole = whole && text.size() == static_cast<size_t>(length);
            if (!text.empty()) Stream.Read(text.data(), static_cast<int32_t>(text.size()));
        }
        V = Variant(std::move(text));
        return whole;
    }
    if (DataSize(code) == 0) return whole;  // nothing follows the code
    int32_t size = 0;
    whole = ReadGuarded(Stream, size) && whole;
    uint8_t data[8] = {};
    whole = ReadInto(Stream, data, sizeof data, size) && whole;
    V = FromData(code, data);
    return whole;
}

void SaveSharedValues(TStream& Stream) {
    Stream.WriteValue<int32_t>(2);
    WriteVariant(SharedValues[1], Stream);
    WriteVariant(SharedValues[2], Stream);
}

bool ReadSharedBlock(TStream& Stream, Variant& Slot1, Variant& Slot2) {
    int32_t count = 0;
    if (!ReadGuarded(Stream, count)) return false;
    Variant* slots[] = {&Slot1, &Slot2};
    for (int k = 0; k < 2 && k < count; ++k) {
        Variant read;
        if (!ReadVariant(Stream, read)) return false;
        *slots[k] = std::move(read);
    }
    return true;
}

bool LoadSharedValues(TStream& Stream) {
    return ReadSharedBlock(Stream, SharedValues[1], SharedValues[2]);
}

void TDataValue::SaveToStream(TStream& Stream) {
    WriteVariant(Value, Stream);
    const uint16_t field = FieldID();
    Stream.WriteValue<int32_t>(sizeof field);
    Stream.WriteValue(field);
}

bool LoadValueRecord(TDataValue& Value, TStream& Stream) {
    if (AtEnd(Stream)) return false;
    Variant read;
    const bool whole = ReadVariant(Stream, read);
    if (whole) Value.Value = std::move(read);
    int32_t count = 0;
    const bool counted = Stream.Read(&count, sizeof count) == sizeof count;
    // The stored field number equals ours in every file the writer makes; it
    // is read and dropped, so a file cannot move a value to another field.
    uint16_t stored = 0;
    return ReadInto(Stream, &stored, sizeof stored, count) && counted && whole;
}

void TDataValue::LoadFromStream(TStream& Stream) {
    LoadValueRecord(*this, Stream);
}

void TemFrm::SaveToStream(TStream& Stream) {
    Stream.WriteValue(static_cast<int32_t>(Values.size()));
    for (TDataValue* value : Values) {
        Stream.WriteValue<uint16_t>(value ? 1 : 0);
        if (value) value->SaveToStream(Stream);
    }
}

bool LoadFormBlock(TemFrm& Form, TStream& Stream) {
    int32_t count = 0;
    if (!ReadGuarded(Stream, count)) return false;
    if (count <= 0) return true;
    // Takes the records that have no value object to go to.
    TDataValue scratch(0, nullptr, 0);
    for (int32_t i = 0; i < count; ++i) {
        // A cut leaves the stream at its end: nothing more could be read.
        uint16_t present = 0;
        if (!ReadGuarded(Stream, present)) return false;
        if (present == 0) continue;
        TDataValue* target =
            static_cast<size_t>(i) < Form.Values.size() && Form.Values[i] ? Form.Values[i] : &scratch;
        if (!LoadValueRecord(*target, Stream)) return false;
    }
    return true;
}

void TemFrm::LoadFromStream(TStream& Stream) {
    LoadFormBlock(*this, Stream);
}
