#pragma once
// The class registry: the classes a stream may name, found by name so that a
// reader can make one.  Classes are registered by an explicit call at
// start-up; a self-registering static in a static library would be dropped
// by the linker.

#include <string_view>

#include "classlib/Component.h"

namespace cl {

// Makes one object of the class.  What the owner is, and who holds the new
// object, is the rule of the class's family (an extension joins its owner's
// list, an item is made for its list); the family's reader knows it.
using TPersistentFactory = TPersistent* (*)(TPersistent* owner);

// A class as a value: its information and its factory.
struct TPersistentClass {
    const TClassInfo* Info = nullptr;
    TPersistentFactory Create = nullptr;

    explicit operator bool() const { return Info != nullptr; }
};

// Registering a class again does nothing; another class under a registered
// name (without regard to case) raises EStreamError.
void RegisterPersistentClass(TPersistentClass cls);
// The registered class of that name, without regard to case; empty when none.
TPersistentClass GetClass(std::string_view name);
// As GetClass, but a name not registered raises EReadError "Class %s not found".
TPersistentClass FindClass(std::string_view name);
// True when exactly this class is registered.
bool IsClassRegistered(const TClassInfo& info);

}  // namespace cl
