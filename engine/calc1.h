#pragma once
// Field values of the selected forms: one TDataValue per field, owned by its
// form (TemFrm) and registered by field number in DataValues (FieldRegistry);
// the store of a typed value with its correction prompt, which recalculates;
// the statement header and the settings file's name.

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "classlib/Component.h"
#include "classlib/DateTime.h"
#include "classlib/Exceptions.h"
#include "classlib/Streams.h"
#include "classlib/Variant.h"
#include "engine/FieldRegistry.h"
#include "engine/FormCatalogue.h"
#include "engine/Validators.h"

class TemFrm;
class TDataValue;

// Element k holds field FirstID + 1 + k; nullptr where no value object exists.
using TDataTab = std::vector<TDataValue*>;
using TDataPaintEvent = std::function<void(cl::TObject* Sender, const cl::Variant& Value)>;

// The header of the current statement; the shell fills and writes it.
struct TRz_NaglRec {
    std::string FileName;
    cl::TDateTime LoadedAt = 0;  // first stamp of the statement file
    cl::TDateTime SavedAt = 0;   // second stamp
};

class EInvalidEFieldData : public cl::Exception {
public:
    using Exception::Exception;
    const char* ClassName() const override { return "EInvalidEFieldData"; }
};

extern TRz_NaglRec StatementHeader;

// The longest text a field holds: neither its editors nor the typed-value
// store take more, so no statement file the program writes holds a longer
// one, and one that does is damaged.
inline constexpr int32_t kLongestText = 30000;

// The value of one field.
class TDataValue : public TFieldValue {
    CL_CLASS(TDataValue, TFieldValue)

    // Registered in DataValues[FieldID] while it lives (TFieldValue).
    TDataValue(uint16_t SharedSlot, TemFrm* Owner, uint16_t FieldID);

    // The store of a typed value: converts by the field's data type,
    // validates, asks whether to correct an invalid value (Yes raises the
    // silent abort), stores and recalculates.  An equal value of the same
    // type is not stored again; a text longer than kLongestText is refused
    // with the silent abort, unasked.
    void SetValue(const cl::Variant& V);

    virtual void SaveToStream(cl::TStream& Stream);
    virtual void LoadFromStream(cl::TStream& Stream);

    TemFrm* Owner() const { return owner_; }

    cl::TNotifyEvent OnChanged;   // after a typed value is stored
    TDataPaintEvent OnDataPaint;  // after a typed value is stored, with it
    TFieldValidator Validator = nullptr;

private:
    TemFrm* owner_;
};

// A form selected into the current statement; owns its values.
class TemFrm : public cl::TObject {
    CL_CLASS(TemFrm, cl::TObject)

    TemFrm(std::string Name, std::string Title, std::string TemplateName, int32_t PageCount, int32_t Index,
           uint16_t FirstID, uint16_t LastID, int32_t FormNo);
    ~TemFrm() override;

    // Field must be a real field of the form; any other number, or a form
    // without values, reads as Unassigned and stores nothing (result True).
    cl::Variant GetValue(uint16_t Field) const;
    // False when the store raised (the user chose to correct included);
    // nothing passes on.
    bool SetValue(uint16_t Field, const cl::Variant& V);
    bool SetValueAsText(uint16_t Field, const std::string& S);
    std::string GetValueText(uint16_t Field) const;
    const std::string& GetTitle() const { return Title; }

    void SaveToStream(cl::TStream& Stream);
    void LoadFromStream(cl::TStream& Stream);

    // The value object of Field, or nullptr when it is not a field of this
    // form or has none.
    TDataValue* ValueOf(uint16_t Field) const;

    std::string Name;
    std::string Title;
    std::string TemplateName;
    int32_t PageCount;
    int32_t Index;
    TDataTab Values;  // empty until the creator builds it
    uint16_t FirstID;
    uint16_t LastID;
    int32_t FormNo;
};

// The values of the real fields between Feature's sentinels, registered.
// Raises EInvalidEFieldData, with nothing left created, when one fails.
TDataTab CreateDataTab(const TFrmFeature& Feature, TemFrm* Owner);
// Frees every element and empties Tab.
void FreeDataTab(TDataTab& Tab);
// The form of catalogue row Row (1..8) with its value table, as the
// selection makes it; the caller owns it.  Nothing is left when it raises.
TemFrm* NewCatalogueForm(int Row);
// The catalogue title of the form named Name (any letter case), or ''.
std::string FindFormTitle(std::string_view Name);

// The data folder (with its trailing separator) and the program's own path,
// from which GetSettingsFileName is made; the shell sets them at start-up.
void SetSettingsLocation(std::string DataFolder, std::string ProgramPath);
// The data folder followed by the program's file name with ".kon".
std::string GetSettingsFileName();
