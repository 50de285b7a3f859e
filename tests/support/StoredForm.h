#pragma once
// An object's stored form as the class library's component writer writes
// it, read back by its reader, and looked into.

#include <cstdint>
#include <string>

#include "classlib/Filer.h"

namespace cltest {

inline std::string Written(cl::TObject& obj) {
    cl::TMemoryStream stream;
    cl::TWriter writer(stream);
    writer.WriteProperties(obj);
    writer.WriteListEnd();
    return std::string(static_cast<const char*>(stream.Memory()), stream.Size());
}

// References are looked up among root's components.
inline void ReadInto(cl::TComponent* root, cl::TObject& obj, const std::string& stored) {
    cl::TMemoryStream stream;
    stream.WriteBuffer(stored.data(), static_cast<int32_t>(stored.size()));
    stream.SetPosition(0);
    cl::TReader reader(stream);
    reader.SetRoot(root);
    reader.ReadProperties(obj);
}

// Whether the stored form holds the property: its name with its length byte.
inline bool Holds(const std::string& stored, const std::string& name) {
    return stored.find(static_cast<char>(name.size()) + name) != std::string::npos;
}

}  // namespace cltest
