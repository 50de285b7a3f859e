#pragma once
// One input of the form-block reader: bytes read as a shared block followed
// by the blocks of all eight forms, into a statement that has them all.
// Whatever the bytes, the reader must not crash, every field must stay
// registered as the object its form owns, and what was read must write to
// blocks that read back whole and the same.

#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "engine/FormCatalogue.h"
#include "engine/ValueStream.h"
#include "engine/calc1.h"
#include "fuzz/SameValue.h"

namespace fuzzinput {

inline std::vector<TemFrm*>& Statement() {
    static std::vector<TemFrm*> forms = [] {
        std::vector<TemFrm*> made;
        for (const TFrmFeature& f : FormCatalogue) {
            made.push_back(NewCatalogueForm(f.Index));
        }
        return made;
    }();
    return forms;
}

// False when the registry no longer matches the forms.
inline bool RegistryIntact() {
    if (DataValues[0] != nullptr) return false;
    for (TemFrm* form : Statement())
        for (size_t k = 0; k < form->Values.size(); ++k) {
            const TDataValue* value = form->Values[k];
            const int n = form->FirstID + 1 + static_cast<int>(k);
            if (!value || value->FieldID() != n || DataValues[n] != value) return false;
        }
    return true;
}

inline void ClearStatementValues() {
    SharedValues[1] = SharedValues[2] = cl::Variant();
    for (TemFrm* form : Statement())
        for (TDataValue* value : form->Values)
            if (value) value->Value = cl::Variant();
}

// The shared values, then every value of the first `forms` forms.
inline std::vector<cl::Variant> StatementValues(size_t forms) {
    std::vector<cl::Variant> values = {SharedValues[1], SharedValues[2]};
    for (size_t f = 0; f < forms; ++f)
        for (TDataValue* value : Statement()[f]->Values)
            if (value) values.push_back(value->Value);
    return values;
}

// Writes the shared block and the blocks of the first `forms` forms (the
// others hold nothing) and reads them back into a cleared statement; false
// when they do not read back whole, to their end, as the same values.
inline bool BlocksRoundTrip(size_t forms) {
    const std::vector<cl::Variant> read = StatementValues(forms);
    cl::TMemoryStream written;
    SaveSharedValues(written);
    for (size_t f = 0; f < forms; ++f) Statement()[f]->SaveToStream(written);
    ClearStatementValues();
    written.SetPosition(0);
    bool whole = LoadSharedValues(written);
    for (size_t f = 0; f < forms; ++f) whole = LoadFormBlock(*Statement()[f], written) && whole;
    if (!whole || written.Position() != written.Size()) return false;
    const std::vector<cl::Variant> again = StatementValues(forms);
    for (size_t i = 0; i < read.size(); ++i)
        if (!SameValue(again[i], read[i])) return false;
    return true;
}

// Loads the bytes; false when the registry was harmed or what was read did
// not survive writing.
inline bool LoadStatementBlocks(const uint8_t* data, size_t size) {
    ClearStatementValues();
    cl::TMemoryStream stream;
    if (size > 0) stream.WriteBuffer(data, static_cast<int32_t>(size));
    stream.SetPosition(0);
    LoadSharedValues(stream);
    // The forms whose blocks the bytes reached.
    size_t reached = 0;
    for (TemFrm* form : Statement()) {
        if (stream.Position() >= stream.Size()) break;
        form->LoadFromStream(stream);
        ++reached;
    }
    return RegistryIntact() && stream.Position() <= stream.Size() && BlocksRoundTrip(reached);
}

}  // namespace fuzzinput
