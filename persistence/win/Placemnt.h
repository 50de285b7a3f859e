#pragma once
// TFormPlacement keeps a window's placement (where it was, in which state)
// in the settings file between runs; TFormStorage keeps in addition the
// properties its StoredProps names ("Component.Property").  One INI section
// per window, named after the form's class, in the program's settings file
// (or, with UseRegistry, one subkey of a registry key).
//
// Placed on a form and loaded (LoadComponentTree, or AddFormStorage below
// for a window built in code), the component chains itself before the
// form's own OnShow, OnCloseQuery and OnDestroy:
//   - every show restores, before the window appears and before the
//     form's own OnShow;
//   - a close the form's own OnCloseQuery allows saves ("Visible" 0);
//   - destruction saves ("Visible" 1) only when nothing was saved since
//     the restore, and a window never shown writes nothing.
// Freed before its form, it gives the form its handlers back.

#include <memory>
#include <string>
#include <vector>

#include "classlib/IniFiles.h"
#include "classlib/StringList.h"
#include "classlib/win/Forms.h"
#include "persistence/AppUtils.h"
#include "persistence/FsProps.h"
#include "persistence/StoredValues.h"
#include "persistence/win/FsHook.h"

class TFormPlacement;

// Limits of the form's tracking and maximised sizes and maximised
// position; 0 leaves a limit as the system has it.
class TWinMinMaxInfo : public cl::TPersistent {
    CL_CLASS(TWinMinMaxInfo, cl::TPersistent)

    explicit TWinMinMaxInfo(TFormPlacement* owner = nullptr) : owner_(owner) {}

    int MaxPosLeft() const { return values_[0]; }
    int MaxPosTop() const { return values_[1]; }
    int MaxSizeHeight() const { return values_[2]; }
    int MaxSizeWidth() const { return values_[3]; }
    int MaxTrackHeight() const { return values_[4]; }
    int MaxTrackWidth() const { return values_[5]; }
    int MinTrackHeight() const { return values_[6]; }
    int MinTrackWidth() const { return values_[7]; }
    void SetMaxPosLeft(int value) { Set(0, value); }
    void SetMaxPosTop(int value) { Set(1, value); }
    void SetMaxSizeHeight(int value) { Set(2, value); }
    void SetMaxSizeWidth(int value) { Set(3, value); }
    void SetMaxTrackHeight(int value) { Set(4, value); }
    void SetMaxTrackWidth(int value) { Set(5, value); }
    void SetMinTrackHeight(int value) { Set(6, value); }
    void SetMinTrackWidth(int value) { Set(7, value); }

    // All eight are 0.
    bool DefaultMinMaxInfo() const;
    void Assign(cl::TPersistent* source) override;

private:
    void Set(int index, int value);

    TFormPlacement* owner_;
    int values_[8] = {};
};

enum TPlacementOption : uint8_t { fpState = 1, fpPosition = 2, fpActiveControl = 4 };
using TPlacementOptions = uint8_t;

// The registry root a placement with UseRegistry keeps its key under.
enum TPlacementRegRoot { prCurrentUser, prLocalMachine, prCurrentConfig, prClassesRoot, prUsers, prDynData };

// An object that keeps settings of its own beside a window's placement: the
// placement tells it to save after writing its keys and to restore after
// reading them, with its file open (ReadString and WriteString go there).
class TPlacementLink : public cl::TPersistent {
    CL_CLASS(TPlacementLink, cl::TPersistent)

    TPlacementLink() = default;
    ~TPlacementLink() override;

    TFormPlacement* Storage() const { return storage_; }
    // Leaves the former placement's list and joins the new one's.
    void SetStorage(TFormPlacement* value);
    // The placement's section; "" without a placement.
    std::string Section() const;

    cl::TNotifyEvent OnSave;
    cl::TNotifyEvent OnLoad;

protected:
    friend class TFormPlacement;
    virtual void SaveToIni();
    virtual void LoadFromIni();

private:
    TFormPlacement* storage_ = nullptr;
};

class TFormPlacement : public cl::TComponent {
    CL_CLASS(TFormPlacement, cl::TComponent)

    // Options are [fpState, fpPosition] when owner is a form.
    explicit TFormPlacement(cl::TComponent* owner);
    ~TFormPlacement() override;
    void BeforeDestruction() override;

    bool Active() const { return active_; }
    void SetActive(bool value) { active_ = value; }
    // Empty: DefaultIniFileName of the program.
    const std::string& IniFileName() const { return iniFileName_; }
    void SetIniFileName(const std::string& value) { iniFileName_ = value; }
    // Empty: the owner form's class name.
    const std::string& IniSection() const { return iniSection_; }
    void SetIniSection(const std::string& value) { iniSection_ = value; }
    TWinMinMaxInfo* MinMaxInfo() const { return minMaxInfo_.get(); }
    void SetMinMaxInfo(TWinMinMaxInfo* value) { minMaxInfo_->Assign(value); }
    TPlacementOptions Options() const { return options_; }
    void SetOptions(TPlacementOptions value) { options_ = value; }
    // Pins the form's size: no tracking, no sizing borders, no size or
    // maximise command; a sizeable border loses its maximise button.
    bool PreventResize() const { return preventResize_; }
    void SetPreventResize(bool value);
    // A version above the one stored skips the restore until the next save.
    int Version() const { return version_; }
    void SetVersion(int value) { version_ = value; }
    // The registry instead of the settings file: IniFileName, or else
    // DefaultRegKeyName of the application, is a key under RegistryRoot,
    // read-only while restoring.
    bool UseRegistry() const { return useRegistry_; }
    void SetUseRegistry(bool value) { useRegistry_ = value; }
    TPlacementRegRoot RegistryRoot() const { return registryRoot_; }
    void SetRegistryRoot(TPlacementRegRoot value) { registryRoot_ = value; }

    // The file (or registry key) and section the component uses.
    std::string EffectiveIniFileName() const;
    std::string EffectiveIniSection() const;

    // What the chained handlers run; an explicit call works the same.
    // Saving does nothing while Active and not restored in this run.
    void SaveFormPlacement();
    void RestoreFormPlacement();

    // One value of the section, the file open for the call when no save or
    // restore has it open.
    virtual std::string DoReadString(const std::string& section, const std::string& ident,
                                     const std::string& def);
    virtual void DoWriteString(const std::string& section, const std::string& ident,
                               const std::string& value);

    cl::TNotifyEvent OnSavePlacement;
    cl::TNotifyEvent OnRestorePlacement;

protected:
    void Loaded() override;
    void Notification(cl::TComponent* component, cl::TOperation operation) override;
    virtual void SavePlacement();
    virtual void RestorePlacement();
    virtual void Save();
    virtual void Restore();
    cl::TCustomForm* Form() const;
    // The file of the save or restore under way, or nullptr.
    cl::TCustomIniFile* IniFile() const { return ini_.get(); }
    // The settings file, or the registry key read-only for reading.
    std::unique_ptr<cl::TCustomIniFile> OpenIniFile(bool reading) const;
    // Erases a section, the file open for the call when nothing has it open.
    void DoEraseSection(const std::string& section);
    bool Restored() const { return restored_; }
    void SetRestored(bool value) { restored_ = value; }

private:
    friend class TWinMinMaxInfo;
    friend class TPlacementLink;
    void FormShow(cl::TObject* sender);
    void FormCloseQuery(cl::TObject* sender, bool& canClose);
    void FormDestroy(cl::TObject* sender);
    void ChainEvents();
    void UnchainEvents() noexcept;
    void UpdatePreventResize();
    void UpdateWinHook();
    void UpdatePlacement();
    void HookAfterMessage(cl::TMessage& m, bool& handled);
    void MinMaxInfoChanged();
    void NotifyLinks(bool save);

    bool active_ = true;
    std::string iniFileName_;
    std::string iniSection_;
    std::unique_ptr<TWinMinMaxInfo> minMaxInfo_;
    TPlacementOptions options_ = 0;
    bool preventResize_ = false;
    int version_ = 0;
    bool useRegistry_ = false;
    TPlacementRegRoot registryRoot_ = prCurrentUser;

    TFsWindowHook* winHook_;
    std::unique_ptr<cl::TCustomIniFile> ini_;
    std::vector<TPlacementLink*> links_;
    cl::TNotifyEvent saveFormShow_;
    cl::TCloseQueryEvent saveFormCloseQuery_;
    cl::TNotifyEvent saveFormDestroy_;
    bool chained_ = false;
    bool saved_ = false;
    bool restored_ = false;
    bool destroying_ = false;
    bool defMaximize_ = false;  // the form had a maximise button when loaded
};

class TFormStorage : public TFormPlacement {
    CL_CLASS(TFormStorage, TFormPlacement)

    explicit TFormStorage(cl::TComponent* owner);
    ~TFormStorage() override;

    // "Component.Property" entries; at Loaded they are resolved against the
    // owner form and those naming no component or property are dropped,
    // as are a component's entries when it leaves the form.  Written with
    // the component, they name the components as they are called then.
    cl::TStrings* StoredProps() { return &storedProps_; }
    void SetStoredProps(cl::TStrings* value);
    TStoredValues* StoredValues() const { return storedValues_.get(); }
    void SetStoredValues(TStoredValues* value) { storedValues_->Assign(value); }

    virtual void SaveProperties();
    virtual void RestoreProperties();

    // A writer gets the entries turned back into "Component.Property" text.
    void DefineProperties(cl::TFiler& filer) override;

protected:
    void Loaded() override;
    void Notification(cl::TComponent* component, cl::TOperation operation) override;
    void SavePlacement() override;
    void RestorePlacement() override;

private:
    // A storage of the section over this component's file access.
    std::unique_ptr<TPropsStorage> MakeStorage();
    void ResolveStoredProps();

    cl::TStringList storedProps_;
    std::unique_ptr<TStoredValues> storedValues_;
};

// A form built in code gets its component in one line, at the end of its
// constructor, once its own OnShow, OnCloseQuery and OnDestroy are set:
//   FormStorage1 = AddFormStorage(*this, "FormStorage1", {"rb1.Checked", "XcSpinEdit1.Value"});
//   FormPlacement1 = AddFormPlacement(*this, "FormPlacement1");
// The component is loaded at once, or with the form when the form is being
// built inside LoadComponentTree.
TFormStorage* AddFormStorage(cl::TCustomForm& form, const std::string& name,
                             std::initializer_list<const char*> storedProps);
TFormPlacement* AddFormPlacement(cl::TCustomForm& form, const std::string& name);
