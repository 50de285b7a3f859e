#include "classlib/ClassRegistry.h"

#include <string>
#include <vector>

#include "classlib/Exceptions.h"
#include "classlib/StrUtils.h"

namespace cl {

namespace {

// Filled at start-up on the user-interface thread and only read afterwards.
std::vector<TPersistentClass>& Registry() {
    static std::vector<TPersistentClass> classes;
    return classes;
}

}  // namespace

void RegisterPersistentClass(TPersistentClass cls) {
    if (!cls || !cls.Create) throw EStreamError("Cannot register a class without information and factory");
    if (TPersistentClass known = GetClass(cls.Info->ClassName())) {
        if (known.Info == cls.Info) return;
        throw EStreamError("A class named " + cls.Info->ClassName() + " already exists");
    }
    Registry().push_back(cls);
}

TPersistentClass GetClass(std::string_view name) {
    for (const TPersistentClass& cls : Registry())
        if (SameText(cls.Info->ClassName(), name)) return cls;
    return {};
}

TPersistentClass FindClass(std::string_view name) {
    TPersistentClass cls = GetClass(name);
    if (!cls) throw EReadError("Class " + std::string(name) + " not found");
    return cls;
}

bool IsClassRegistered(const TClassInfo& info) {
    return GetClass(info.ClassName()).Info == &info;
}

}  // namespace cl
