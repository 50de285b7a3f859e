#include "persistence/StoredValues.h"

#include "classlib/Exceptions.h"
#include "classlib/StrUtils.h"
#include "persistence/FsStrUtils.h"

using namespace cl;

CL_CLASS_INFO(TStoredValue, Prop("Name", &TStoredValue::Name, &TStoredValue::SetName),
              Prop("Value", &TStoredValue::Value, &TStoredValue::SetValue),
              Prop("KeyString", &TStoredValue::KeyString, &TStoredValue::SetKeyString))

CL_CLASS_INFO(TStoredValues)

// ---- TStoredValue ------------------------------------------------------------------------
void TStoredValue::SetName(const std::string& value) {
    if (value == name_) return;
    if (collection_ && !value.empty() && !AnsiSameText(value, name_) && collection_->IndexOf(value) >= 0)
        throw EStringListError("String list does not allow duplicates");
    name_ = value;
}

std::string TStoredValue::Encoded(const Variant& value) const {
    const std::string text = value.ToString();
    return keyString_.empty() ? text : XorEncodeHex(keyString_, text);
}

void TStoredValue::Save(const TStoredValueWriter& write) {
    if (name_.empty()) return;
    Variant saved = value_;
    if (OnSave) OnSave(this, saved);
    write(name_, Encoded(saved));
}

void TStoredValue::Restore(const TStoredValueReader& read) {
    if (name_.empty()) return;
    // A missing key gives the current value's text back.
    const std::string text = read(name_, Encoded(value_));
    Variant restored(keyString_.empty() ? text : XorDecodeHex(keyString_, text));
    if (OnRestore) OnRestore(this, restored);
    value_ = restored;
}

void TStoredValue::Assign(TPersistent* source) {
    if (auto* other = dynamic_cast<TStoredValue*>(source)) {
        SetName(other->name_);
        value_ = other->value_;
        keyString_ = other->keyString_;
        return;
    }
    TPersistent::Assign(source);
}

// ---- TStoredValues ---------------------------------------------------------------------
TStoredValues::~TStoredValues() = default;

TStoredValue* TStoredValues::Items(int index) const {
    if (index < 0 || index >= Count()) throw EListError("List index out of bounds (" + IntToStr(index) + ")");
    return items_[static_cast<size_t>(index)].get();
}

TStoredValue* TStoredValues::Add() {
    items_.push_back(std::make_unique<TStoredValue>(this));
    return items_.back().get();
}

void TStoredValues::Delete(int index) {
    Items(index);  // checks the index
    items_.erase(items_.begin() + index);
}

void TStoredValues::Clear() {
    items_.clear();
}

int TStoredValues::IndexOf(std::string_view name) const {
    for (int i = 0; i < Count(); ++i)
        if (AnsiSameText(items_[static_cast<size_t>(i)]->Name(), name)) return i;
    return -1;
}

TStoredValue* TStoredValues::FindValue(std::string_view name) const {
    const int i = IndexOf(name);
    return i < 0 ? nullptr : items_[static_cast<size_t>(i)].get();
}

void TStoredValues::SaveValues(const TStoredValueWriter& write) {
    for (const auto& item : items_) item->Save(write);
}

void TStoredValues::RestoreValues(const TStoredValueReader& read) {
    for (const auto& item : items_) item->Restore(read);
}

void TStoredValues::Assign(TPersistent* source) {
    auto* other = dynamic_cast<TStoredValues*>(source);
    if (!other) return TPersistent::Assign(source);
    if (other == this) return;
    Clear();
    for (const auto& item : other->items_) Add()->Assign(item.get());
}
