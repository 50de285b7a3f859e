#pragma once
// Objects in the component writer's stream form, as bytes a test builds,
// compares, looks into and reads back.

#include <cstdint>
#include <functional>
#include <string>

#include "classlib/Filer.h"

namespace cltest {

// What write puts into a stream, then the end of the list.
inline std::string Streamed(const std::function<void(cl::TWriter&)>& write) {
    cl::TMemoryStream stream;
    cl::TWriter writer(stream);
    write(writer);
    writer.WriteListEnd();
    return std::string(static_cast<const char*>(stream.Memory()), stream.Size());
}

// The object's properties as the writer writes them.
inline std::string Written(cl::TObject& obj) {
    return Streamed([&](cl::TWriter& writer) { writer.WriteProperties(obj); });
}

// Hands read a reader over the bytes; references are root's components.
inline void ReadWith(cl::TComponent* root, const std::string& bytes,
                     const std::function<void(cl::TReader&)>& read) {
    cl::TMemoryStream stream;
    stream.WriteBuffer(bytes.data(), static_cast<int32_t>(bytes.size()));
    stream.SetPosition(0);
    cl::TReader reader(stream);
    reader.SetRoot(root);
    read(reader);
}

// Named values into obj's properties.
inline void ReadInto(cl::TComponent* root, cl::TObject& obj, const std::string& bytes) {
    ReadWith(root, bytes, [&](cl::TReader& reader) { reader.ReadProperties(obj); });
}

// Whether the stored form holds the property: its name with its length byte.
inline bool Holds(const std::string& stored, const std::string& name) {
    return stored.find(static_cast<char>(name.size()) + name) != std::string::npos;
}

}  // namespace cltest
