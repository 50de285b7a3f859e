#pragma once
// A small component-stream writer and reader: named properties with typed
// values, nested in lists and collections.  Objects stream their published
// properties through these and add properties of their own by writing the
// name and the value themselves.  The byte form is this program's own:
//   name   = length byte, then the bytes
//   value  = type byte, then Int32 (4 bytes, little-endian), Int64 (8
//            bytes), Extended (the 10 bytes of an 80-bit float,
//            little-endian), LString (Int32 length, then the bytes), Ident (a
//            name), Set (the members' names, then an empty name); False,
//            True, Nil, Null (end of a list) carry nothing; List and
//            Collection are followed by their contents and a Null.
// Only the value kinds its users need are here: integers, Booleans,
// enumerations, sets, characters (a string of one), floats, strings,
// references to components, nested objects.

#include <cstdint>
#include <string>
#include <string_view>

#include "classlib/Component.h"
#include "classlib/Streams.h"

namespace cl {

enum TValueType : uint8_t {
    vaNull = 0,
    vaList = 1,
    vaInt32 = 4,
    vaExtended = 5,
    vaIdent = 7,
    vaFalse = 8,
    vaTrue = 9,
    vaSet = 11,
    vaLString = 12,
    vaNil = 13,
    vaCollection = 14,
    vaInt64 = 19,
};

class TWriter {
public:
    explicit TWriter(TStream& stream) : stream_(stream) {}
    TWriter(const TWriter&) = delete;
    TWriter& operator=(const TWriter&) = delete;

    // Put before every property name written: "Font." while a nested
    // object's properties are written.  An object that writes a collection
    // empties it for the collection's elements and puts it back afterwards.
    const std::string& PropPath() const { return propPath_; }
    void SetPropPath(std::string path) { propPath_ = std::move(path); }

    void WriteValue(TValueType type);
    void WriteListBegin() { WriteValue(vaList); }
    void WriteListEnd() { WriteValue(vaNull); }
    // PropPath + name; a name longer than 255 bytes raises EWriteError.
    void WritePropName(std::string_view name);
    void WriteInteger(int32_t value);
    void WriteInt64(int64_t value);
    void WriteBoolean(bool value);
    void WriteFloat(long double value);
    void WriteString(std::string_view value);
    void WriteIdent(std::string_view ident);

    // Every published property that has a setter and is stored: integers, Booleans,
    // enumerations, sets, characters, floats, strings, component references
    // (by name) and the properties of nested objects (under "Name.").  A
    // published property of another kind raises EWriteError.
    void WriteProperties(TObject& obj);

private:
    void WriteProperty(TObject& obj, const TPropInfo& prop);
    void WriteName(std::string_view name);

    TStream& stream_;
    std::string propPath_;
};

class TReader {
public:
    explicit TReader(TStream& stream) : stream_(stream) {}
    TReader(const TReader&) = delete;
    TReader& operator=(const TReader&) = delete;

    // Component references are looked up among the root's components.
    TComponent* Root() const { return root_; }
    void SetRoot(TComponent* root) { root_ = root; }

    // A short stream raises EReadError "Stream read error" everywhere.
    TValueType ReadValue();
    TValueType NextValue();
    bool EndOfList() { return NextValue() == vaNull; }
    // Each raises EReadError "Invalid stream format" on another value type.
    void ReadListBegin();
    void ReadListEnd();
    std::string ReadPropName();
    // Each raises EReadError "Invalid property value" on another value type.
    int32_t ReadInteger();
    // An Int64, or an Int32.
    int64_t ReadInt64();
    bool ReadBoolean();
    // An Extended, or an Int32 as the float of its value.
    long double ReadFloat();
    std::string ReadString();
    std::string ReadIdent();

    // Reads a value into obj's published property of that name; a dotted
    // name reaches into a nested object.  A name obj does not publish
    // raises EReadError "Property %s does not exist".
    void ReadPropValue(TObject& obj, std::string_view name);
    // Named values into obj's published properties up to the end of the
    // list, which it reads too.
    void ReadProperties(TObject& obj);

private:
    [[noreturn]] static void InvalidValue();
    std::string ReadName();

    TStream& stream_;
    TComponent* root_ = nullptr;
};

}  // namespace cl
