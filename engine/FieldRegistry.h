#pragma once
// The registry of field values: entry n of DataValues refers to the value
// object of field n.  TFieldValue is what the registry and the rules need
// of a value object (its storage, its shared slot, its number, the store
// of a computed value); TDataValue (calc1) builds the typed store on it.
// Kept apart so the recalculation reads and writes values without the
// store that runs it.

#include <array>
#include <cstdint>

#include "classlib/Component.h"
#include "classlib/Variant.h"

class TFieldValue : public cl::TObject {
    CL_CLASS(TFieldValue, cl::TObject)

    // Registers itself in DataValues[FieldID], replacing any earlier entry
    // (a number outside the registry is never registered).
    TFieldValue(uint16_t SharedSlot, uint16_t FieldID);
    // Unregisters itself when the entry is still its own.
    ~TFieldValue() override;

    // The shared slot's value when SharedSlot is 1 or 2, else Value.
    const cl::Variant& GetValue() const;  // inline below: every operand of every sum
    // The store of a computed value: no conversion, check or event.
    void AssignComputed(const cl::Variant& V);

    uint16_t SharedSlot() const { return sharedSlot_; }
    uint16_t FieldID() const { return fieldID_; }

    cl::Variant Value;  // the field's own value

protected:
    cl::Variant& Storage();

private:
    uint16_t sharedSlot_;
    uint16_t fieldID_;
};

// Registry entries 0..1116: entry n is the value object of field n; entry 0
// belongs to the form-block reader's scratch value while it exists.
constexpr int kRegistryHigh = 1116;
inline bool InRegistry(int FieldID) {
    return FieldID >= 0 && FieldID <= kRegistryHigh;
}

extern std::array<TFieldValue*, kRegistryHigh + 1> DataValues;  // not owning
extern cl::Variant SharedValues[3];                             // slots 1 and 2; entry 0 is unused
extern bool DataModified;

inline const cl::Variant& TFieldValue::GetValue() const {
    return sharedSlot_ == 1 || sharedSlot_ == 2 ? SharedValues[sharedSlot_] : Value;
}

// Starts an empty statement: not modified, shared values and registry
// cleared.  The value objects stay with their forms.
void ResetAll();
