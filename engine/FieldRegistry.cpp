#include "engine/FieldRegistry.h"

std::array<TFieldValue*, kRegistryHigh + 1> DataValues{};
cl::Variant SharedValues[3];
bool DataModified = false;

CL_CLASS_INFO(TFieldValue)

TFieldValue::TFieldValue(uint16_t SharedSlot, uint16_t FieldID) : sharedSlot_(SharedSlot), fieldID_(FieldID) {
    if (InRegistry(fieldID_)) DataValues[fieldID_] = this;
}

TFieldValue::~TFieldValue() {
    // A later object of the same number (another copy of the form, or the
    // registry rebuilt after ResetAll) keeps its entry.
    if (InRegistry(fieldID_) && DataValues[fieldID_] == this) DataValues[fieldID_] = nullptr;
}

cl::Variant& TFieldValue::Storage() {
    return sharedSlot_ == 1 || sharedSlot_ == 2 ? SharedValues[sharedSlot_] : Value;
}

void TFieldValue::AssignComputed(const cl::Variant& V) {
    Storage() = V;
    DataModified = true;
}

void ResetAll() {
    DataModified = false;
    SharedValues[1] = cl::Variant();
    SharedValues[2] = cl::Variant();
    DataValues.fill(nullptr);
}
