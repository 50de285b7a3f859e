#pragma once
// A small component-stream writer and reader: named properties with typed
// values, nested in lists and collections.  Objects stream their published
// properties through these and add properties of their own by writing the
// name and the value themselves.  The byte form is this program's own:
//   name   = length byte, then the bytes
//   value  = type byte, then Int32 (4 bytes, little-endian), Int64 (8
//            bytes), Currency (its 8-byte count of ten-thousandths),
//            Extended (the 10 bytes of an 80-bit float, little-endian),
//            LString (Int32 length, then the bytes), Ident (a name), Set (the
//            members' names, then an empty name); False, True, Nil, Null
//            (end of a list) carry nothing; List and Collection are followed
//            by their contents and a Null.  A variant is the value of its
//            kind, Nil when empty and Null when null.
//   component = its class name, its properties and a Null, then the
//            components written inside it, each the same way, and a Null.
// Only the value kinds its users need are here: integers, Booleans,
// enumerations, sets, characters (a string of one), floats, strings,
// variants, references to components, nested objects.

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "classlib/Collection.h"
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
    vaBinary = 10,
    vaSet = 11,
    vaLString = 12,
    vaNil = 13,
    vaCollection = 14,
    vaInt64 = 19,
    vaCurrency = 20,
};

class TReader;
class TWriter;

// What DefineProperties is handed: the writer or the reader at work.
class TFiler {
public:
    virtual ~TFiler() = default;
    // A property read with read and written with write; a writer leaves it
    // out when it has no data.
    virtual void DefineProperty(std::string_view name, const std::function<void(TReader&)>& read,
                                const std::function<void(TWriter&)>& write, bool hasData) = 0;
    // The same with a Binary value: read gets the bytes in a stream, write
    // puts them into one.
    virtual void DefineBinaryProperty(std::string_view name, const std::function<void(TStream&)>& read,
                                      const std::function<void(TStream&)>& write, bool hasData) = 0;
};

class TWriter : public TFiler {
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
    // Strings, Booleans, integers, floats and currencies by their kind; a
    // value of another kind raises EWriteError.
    void WriteVariant(const Variant& value);
    // A Binary value (Int32 length, then the bytes): the bytes write puts
    // into a stream.
    void WriteBinary(const std::function<void(TStream&)>& write);

    // Every published property that has a setter and is stored: integers, Booleans,
    // enumerations, sets, characters, floats, strings, variants, component
    // references (by name) and the properties of nested objects (under
    // "Name.").  A published property of another kind raises EWriteError.
    void WriteProperties(TObject& obj);

    // Components are written inside the tree of this root: each names the
    // children it writes with it by GetChildren(proc, root).
    TComponent* Root() const { return root_; }
    void SetRoot(TComponent* root) { root_ = root; }
    // The component and, inside it, its children; the root is the
    // component itself when none is set.
    void WriteComponent(TComponent& component);

    // Also written by WriteProperties: a published collection (a Collection
    // value: a List of each item's properties, then a Null) and, after the
    // published properties, those the object defines that have data.
    void DefineProperty(std::string_view name, const std::function<void(TReader&)>& read,
                        const std::function<void(TWriter&)>& write, bool hasData) override;
    void DefineBinaryProperty(std::string_view name, const std::function<void(TStream&)>& read,
                              const std::function<void(TStream&)>& write, bool hasData) override;

private:
    void WriteProperty(TObject& obj, const TPropInfo& prop);
    void WriteCollection(TCollection& collection);
    void WriteName(std::string_view name);

    TStream& stream_;
    std::string propPath_;
    TComponent* root_ = nullptr;
    // What the object being written defines, written after its published
    // properties.
    std::vector<std::pair<std::string, std::function<void()>>>* defined_ = nullptr;
};

class TReader : public TFiler {
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
    Variant ReadVariant();
    // The bytes of a Binary value handed to read in a stream.
    void ReadBinary(const std::function<void(TStream&)>& read);

    // Reads a value into obj's published property of that name, or one it
    // defines; a dotted name reaches into a nested object.  A name obj has
    // not raises EReadError "Property %s does not exist".
    void ReadPropValue(TObject& obj, std::string_view name);
    // Named values into obj's properties up to the end of the list, which
    // it reads too.
    void ReadProperties(TObject& obj);

    void DefineProperty(std::string_view name, const std::function<void(TReader&)>& read,
                        const std::function<void(TWriter&)>& write, bool hasData) override;
    void DefineBinaryProperty(std::string_view name, const std::function<void(TStream&)>& read,
                              const std::function<void(TStream&)>& write, bool hasData) override;

private:
    [[noreturn]] static void InvalidValue();
    std::string ReadName();
    void ReadCollection(TCollection& collection);

    TStream& stream_;
    TComponent* root_ = nullptr;
    // The defined property being looked for, and whether it was found.
    std::string_view wanted_;
    bool found_ = false;
};

}  // namespace cl
