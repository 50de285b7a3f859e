#include "engine/calc1.h"

#include <new>

#include "classlib/StrUtils.h"
#include "engine/EngineHost.h"
#include "engine/Recalc.h"
#include "engine/ValueConversion.h"

TRz_NaglRec StatementHeader;

namespace {

std::string settingsDataFolder;
std::string settingsProgramPath;

// The row of a field number, or nullptr outside the table.
const TEField* RowOf(int field) {
    return TEFieldTable.Contains(field) ? &TEFieldTable[field] : nullptr;
}

}  // namespace

CL_CLASS_INFO(TDataValue)
CL_CLASS_INFO(TemFrm)

// ---------------------------------------------------------------- TDataValue

TDataValue::TDataValue(uint16_t SharedSlot, TemFrm* Owner, uint16_t FieldID)
    : TFieldValue(SharedSlot, FieldID), owner_(Owner) {}

void TDataValue::SetValue(const cl::Variant& V) {
    if (!owner_) return;
    const cl::TFormatSettings& fs = cl::FormatSettings();
    const TEField* row = RowOf(FieldID());
    const int32_t dataType = row ? row->DataType : kDataString;

    cl::Variant newV = V;
    bool failed = false;
    if (newV.IsString() && ConvertsTypedText(dataType)) {
        try {
            newV = ConvertTypedText(V.AsRawString(), dataType, fs);
        } catch (const cl::EConvertError&) {
            failed = true;  // keeps the typed text; the user is asked below
        }
    }
    // A text the statement file's reader would take for damage is never
    // kept, whatever way it came in: no answer could store it.
    if (newV.IsString() && newV.AsRawString().size() > static_cast<size_t>(kLongestText)) cl::Abort();
    if (!failed && !newV.IsEmpty() && GetValue().SameTypeAndValue(newV)) return;

    bool ok = !failed;
    if (!failed && Validator) Validator(newV, ok);
    if (!ok && GetEngineHost().AskYesNo("Nieprawidłowa wartość pola. Poprawić?", "Uwaga")) cl::Abort();

    Storage() = newV;
    DataModified = true;
    if (OnChanged) OnChanged(this);
    Recalculate(FieldID());
    if (OnDataPaint && owner_) OnDataPaint(this, GetValue());
}

// -------------------------------------------------------------------- TemFrm

TemFrm::TemFrm(std::string Name, std::string Title, std::string TemplateName, int32_t PageCount,
               int32_t Index, uint16_t FirstID, uint16_t LastID, int32_t FormNo)
    : Name(std::move(Name)),
      Title(std::move(Title)),
      TemplateName(std::move(TemplateName)),
      PageCount(PageCount),
      Index(Index),
      FirstID(FirstID),
      LastID(LastID),
      FormNo(FormNo) {}

TemFrm::~TemFrm() {
    FreeDataTab(Values);
}

TDataValue* TemFrm::ValueOf(uint16_t Field) const {
    if (Field <= FirstID) return nullptr;
    const size_t k = Field - FirstID - 1u;
    return k < Values.size() ? Values[k] : nullptr;
}

cl::Variant TemFrm::GetValue(uint16_t Field) const {
    const TDataValue* value = ValueOf(Field);
    return value ? value->GetValue() : cl::Variant();
}

bool TemFrm::SetValue(uint16_t Field, const cl::Variant& V) {
    TDataValue* value = ValueOf(Field);
    if (!value) return true;
    try {
        value->SetValue(V);
        return true;
    } catch (const std::exception&) {
        // The caller keeps its editor open; the silent abort after the
        // correction prompt is the usual way here.
        return false;
    }
}

bool TemFrm::SetValueAsText(uint16_t Field, const std::string& S) {
    return SetValue(Field, cl::Variant(S));
}

std::string TemFrm::GetValueText(uint16_t Field) const {
    const TEField* row = RowOf(Field);
    const TDataValue* value = ValueOf(Field);
    if (!row || !value) return "";
    return DisplayText(value->GetValue(), row->DataType, row->NumPrecision, cl::FormatSettings());
}

// ---------------------------------------------------------- free operations

TemFrm* NewCatalogueForm(int Row) {
    const TFrmFeature& f = FormCatalogue[Row];
    auto* form = new TemFrm(std::string(f.Name), std::string(f.Title), std::string(f.TemplateName),
                            f.PageCount, f.Index, f.FirstID, f.LastID, Row);
    try {
        form->Values = CreateDataTab(f, form);
    } catch (...) {
        cl::Free(form);
        throw;
    }
    return form;
}

TDataTab CreateDataTab(const TFrmFeature& Feature, TemFrm* Owner) {
    TDataTab tab(Feature.LastID > Feature.FirstID ? Feature.LastID - Feature.FirstID - 1 : 0, nullptr);
    try {
        for (size_t k = 0; k < tab.size(); ++k) {
            const int n = Feature.FirstID + 1 + static_cast<int>(k);
            const TEField* row = RowOf(n);
            if (!row) continue;
            tab[k] = new TDataValue(row->SharedIdx, Owner, row->DataIdx);
            tab[k]->Validator = row->OnChange;
        }
    } catch (const std::bad_alloc&) {
        // Nothing half-built stays registered.
        FreeDataTab(tab);
        throw EInvalidEFieldData("Brak pamięci do utworzenia struktur danych formularza.");
    }
    return tab;
}

void FreeDataTab(TDataTab& Tab) {
    for (TDataValue*& value : Tab) cl::FreeAndNil(value);
    Tab.clear();
}

std::string FindFormTitle(std::string_view Name) {
    for (const TFrmFeature& row : FormCatalogue)
        if (cl::SameText(row.Name, Name)) return std::string(row.Title);
    return "";
}

void SetSettingsLocation(std::string DataFolder, std::string ProgramPath) {
    settingsDataFolder = std::move(DataFolder);
    settingsProgramPath = std::move(ProgramPath);
}

std::string GetSettingsFileName() {
    const size_t slash = settingsProgramPath.find_last_of("\\/:");
    std::string name =
        slash == std::string::npos ? settingsProgramPath : settingsProgramPath.substr(slash + 1);
    const size_t dot = name.rfind('.');
    if (dot != std::string::npos) name.erase(dot);
    return settingsDataFolder + name + ".kon";
}
