#pragma once
// One input of the form-block reader: bytes read as a shared block followed
// by the blocks of all eight forms, into a statement that has them all.
// Whatever the bytes, the reader must not crash and every field must stay
// registered as the object its form owns.

#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "engine/FormCatalogue.h"
#include "engine/ValueStream.h"
#include "engine/calc1.h"

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

// Loads the bytes; false when the registry was harmed.
inline bool LoadStatementBlocks(const uint8_t* data, size_t size) {
    for (TemFrm* form : Statement())
        for (TDataValue* value : form->Values) value->Value = cl::Variant();
    cl::TMemoryStream stream;
    if (size > 0) stream.WriteBuffer(data, static_cast<int32_t>(size));
    stream.SetPosition(0);
    LoadSharedValues(stream);
    for (TemFrm* form : Statement()) form->LoadFromStream(stream);
    return RegistryIntact() && stream.Position() <= stream.Size();
}

}  // namespace fuzzinput
