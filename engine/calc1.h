#pragma once
// Field values of the selected forms: one TDataValue per field, owned by its
// form (TemFrm) and registered by field number in DataValues; the store of a
// typed value with its correction prompt; the engine's globals.

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "classlib/Component.h"
#include "classlib/DateTime.h"
#include "classlib/Exceptions.h"
#include "classlib/List.h"
#include "classlib/Streams.h"
#include "classlib/Variant.h"
#include "engine/FormCatalogue.h"
#include "engine/Validators.h"

class TemFrm;
class TDataValue;

// Element k holds field FirstID + 1 + k; nullptr where no value object exists.
using TDataTab = std::vector<TDataValue*>;
using TDataPaintEvent = std::function<void(cl::TObject* Sender, const cl::Variant& Value)>;

// An item of the shared error list.
struct ErrorRec {
    std::string Text;  // Windows-1250, shown in the error list box
    uint8_t Kind;      // items are deleted by kind
};

// Kind of the errors a recalculation reports; cleared when the next one starts.
constexpr uint8_t kRecalcErrorKind = 1;

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

// Registry entries 0..1116: entry n is the value object of field n; entry 0
// belongs to the form-block reader's scratch value while it exists.
constexpr int kRegistryHigh = 1116;
inline bool InRegistry(int FieldID) {
    return FieldID >= 0 && FieldID <= kRegistryHigh;
}

extern std::array<TDataValue*, kRegistryHigh + 1> DataValues;  // not owning
extern cl::Variant SharedValues[3];                            // slots 1 and 2; entry 0 is unused
extern bool DataModified;
extern cl::TList* ErrorList;         // of ErrorRec*; created and freed by the main window
extern void* MainWindowHandle;       // the main window's HWND, for the host
extern std::string CurrentFormName;  // the form the selected-form question is about
extern TRz_NaglRec StatementHeader;

// The value of one field.
class TDataValue : public cl::TObject {
    CL_CLASS(TDataValue, cl::TObject)

    // Registers itself in DataValues[FieldID], replacing any earlier entry
    // (a number outside the registry is never registered).
    TDataValue(uint16_t SharedSlot, TemFrm* Owner, uint16_t FieldID);
    // Unregisters itself when the entry is still its own.
    ~TDataValue() override;

    // The shared slot's value when SharedSlot is 1 or 2, else Value.
    const cl::Variant& GetValue() const;
    // The store of a typed value: converts by the field's data type,
    // validates, asks whether to correct an invalid value (Yes raises the
    // silent abort), stores and recalculates.  An equal value of the same
    // type is not stored again.
    void SetValue(const cl::Variant& V);
    // The store of a computed value: no conversion, check or event.
    void AssignComputed(const cl::Variant& V);

    virtual void SaveToStream(cl::TStream& Stream);
    virtual void LoadFromStream(cl::TStream& Stream);

    uint16_t SharedSlot() const { return sharedSlot_; }
    TemFrm* Owner() const { return owner_; }
    uint16_t FieldID() const { return fieldID_; }

    cl::Variant Value;            // the field's own value
    cl::TNotifyEvent OnChanged;   // after a typed value is stored
    TDataPaintEvent OnDataPaint;  // after a typed value is stored, with it
    TFieldValidator Validator = nullptr;

private:
    cl::Variant& Storage();

    uint16_t sharedSlot_;
    TemFrm* owner_;
    uint16_t fieldID_;
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
// The catalogue title of the form named Name (any letter case), or ''.
std::string FindFormTitle(std::string_view Name);
// Starts an empty statement: not modified, shared values and registry
// cleared.  The value objects stay with their forms.
void ResetAll();
// Removes and disposes the items of Kind (every item for 0); with Notify,
// refills the error list box when any went.
void ClearErrors(uint8_t Kind, bool Notify);
void NotifyErrors();
// Adds an item to ErrorList (nothing while the main window has none).
void AddError(uint8_t Kind, std::string Text);

// The data folder (with its trailing separator) and the program's own path,
// from which GetSettingsFileName is made; the shell sets them at start-up.
void SetSettingsLocation(std::string DataFolder, std::string ProgramPath);
// The data folder followed by the program's file name with ".kon".
std::string GetSettingsFileName();
