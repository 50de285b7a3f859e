#pragma once
// TStoredValues: named values a form storage keeps in its section beside
// the properties.  Each is written under its name as the text of its
// value (after OnSave may change it), hex-enciphered with XorEncodeHex
// when it has a key, and read back the reverse way (then OnRestore), as a
// string.  The program's forms hold none.

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "classlib/Collection.h"
#include "classlib/Component.h"
#include "classlib/Variant.h"

class TStoredValue;
class TStoredValues;

using TStoredValueEvent = std::function<void(TStoredValue* Sender, cl::Variant& Value)>;
// Writes a value under a key of the storage's section / reads it with a default.
using TStoredValueWriter = std::function<void(const std::string& Key, const std::string& Value)>;
using TStoredValueReader = std::function<std::string(const std::string& Key, const std::string& Default)>;

class TStoredValue : public cl::TPersistent {
    CL_CLASS(TStoredValue, cl::TPersistent)

    explicit TStoredValue(TStoredValues* collection) : collection_(collection) {}

    const std::string& Name() const { return name_; }
    // A name another value of the collection has (without regard to case)
    // raises EStringListError "String list does not allow duplicates".
    void SetName(const std::string& value);
    const cl::Variant& Value() const { return value_; }
    void SetValue(const cl::Variant& value) { value_ = value; }
    const std::string& KeyString() const { return keyString_; }
    void SetKeyString(const std::string& value) { keyString_ = value; }
    TStoredValues* Collection() const { return collection_; }

    // Nothing for a value without a name.
    void Save(const TStoredValueWriter& write);
    void Restore(const TStoredValueReader& read);

    void Assign(cl::TPersistent* source) override;

    TStoredValueEvent OnSave;
    TStoredValueEvent OnRestore;

private:
    std::string Encoded(const cl::Variant& value) const;

    TStoredValues* collection_;
    std::string name_;
    cl::Variant value_;
    std::string keyString_;
};

class TStoredValues : public cl::TCollection {
    CL_CLASS(TStoredValues, cl::TCollection)

    explicit TStoredValues(cl::TPersistent* owner = nullptr) : owner_(owner) {}
    ~TStoredValues() override;

    int Count() const override { return static_cast<int>(items_.size()); }
    // Raises EListError out of range.
    TStoredValue* Items(int index) const override;
    // A new value without a name, at the end.
    TStoredValue* Add() override;
    void Delete(int index);
    void Clear() override;
    // Without regard to case; -1 or nullptr when there is none.
    int IndexOf(std::string_view name) const;
    TStoredValue* FindValue(std::string_view name) const;

    void SaveValues(const TStoredValueWriter& write);
    void RestoreValues(const TStoredValueReader& read);

    // Copies the names, values and keys of source (another TStoredValues).
    void Assign(cl::TPersistent* source) override;

protected:
    cl::TPersistent* GetOwner() const override { return owner_; }

private:
    cl::TPersistent* owner_;
    std::vector<std::unique_ptr<TStoredValue>> items_;
};
