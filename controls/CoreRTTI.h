#pragma once
// The registry of type information generated at run time: each record is
// counted by its users and freed, with the type data it owns, when the
// last one lets go.  The list is shared between threads.  (The program
// generates no type information; the data frameworks may.)

#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "classlib/TypeInfo.h"

struct TGeneratedTypeInfo {
    std::string Name;
    cl::TTypeKind Kind = cl::tkInteger;
    // Owned with the record: an enumeration's base type when it is another
    // type, a class type's class information.
    std::unique_ptr<TGeneratedTypeInfo> BaseType;
    std::unique_ptr<cl::TClassInfo> ClassType;
};

class TGeneratedTypes {
public:
    TGeneratedTypes() = default;
    // Frees every record still registered.
    ~TGeneratedTypes();
    TGeneratedTypes(const TGeneratedTypes&) = delete;
    TGeneratedTypes& operator=(const TGeneratedTypes&) = delete;

    // The process's registry, made on first use.
    static TGeneratedTypes& Instance();

    // Registers the record with a count of 1.
    TGeneratedTypeInfo* Add(std::unique_ptr<TGeneratedTypeInfo> info);
    // Unknown records are ignored.
    void AddRef(const TGeneratedTypeInfo* info);
    void Release(const TGeneratedTypeInfo* info);
    int Count() const;

private:
    struct Entry {
        std::unique_ptr<TGeneratedTypeInfo> info;
        int refs;
    };
    mutable std::mutex lock_;
    std::vector<Entry> entries_;
};
