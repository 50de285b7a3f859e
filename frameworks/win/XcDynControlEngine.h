#pragma once
// The dynamic control engine: builds controls from a kind name ("Edit",
// "CheckBox", "Label"...) through a registry of control classes, so that
// code can ask for a control without naming its class and drive it through
// the capability interfaces (frameworks/win/XcDynControlInterfaces.h).
//
// A step that fails while a control is being built frees the control, so
// nothing half made stays on its owner.

#include <functional>
#include <memory>
#include <string>
#include <type_traits>
#include <vector>

#include "classlib/Component.h"
#include "classlib/Exceptions.h"
#include "classlib/win/Controls.h"
#include "classlib/win/Forms.h"
#include "frameworks/XcDynControlClass.h"
#include "frameworks/win/XcDynControlInterfaces.h"

// The class object of control class T, with the interfaces T implements.
template <class T>
TXcControlClassObject XcControlClass() {
    static_assert(std::is_base_of_v<cl::TControl, T>, "a control class");
    auto implemented = []<class... I>(TXcInterfaceList<I...>) {
        std::vector<TGUID> ids;
        (..., (std::is_base_of_v<I, T> ? ids.push_back(I::IID) : void()));
        return ids;
    };
    return TXcControlClassObject(
        T::StaticClassInfo(), [](cl::TComponent* owner) -> cl::TComponent* { return new T(owner); },
        implemented(TXcDynControlInterfaces{}));
}

// The control's interface I; a control without it raises EIntfCastError
// "SIntfCastError".
template <class I>
I& XcIntf(cl::TControl* control) {
    if (I* intf = dynamic_cast<I*>(control)) return *intf;
    throw cl::EIntfCastError("SIntfCastError");
}

using TXcAfterCreateControlEvent = std::function<void(cl::TControl* Control)>;

// The registry of kinds and the creation of controls from it.  The first
// creation, registration or lookup fills the registry (RegisterControls).
class TXcCustomDynControlEngine : public cl::TPersistent {
    CL_CLASS(TXcCustomDynControlEngine, cl::TPersistent)
public:
    TXcCustomDynControlEngine();
    ~TXcCustomDynControlEngine() override;

    // A control of the kind's class; the kind "Form", when no class is
    // registered for it, gives a plain form (parent ignored).  An unknown
    // kind raises EXCLException.
    virtual cl::TControl* CreateControl(const std::string& kind, cl::TComponent* owner,
                                        cl::TWinControl* parent, const std::string& name);
    // A control of the class with its default properties, parent (when
    // given) and name (when not empty); a class without IXcDynControl
    // raises EIntfCastError.
    virtual cl::TControl* CreateControlClass(const TXcControlClassObject& cls, cl::TComponent* owner,
                                             cl::TWinControl* parent, const std::string& name);
    // Whether the class implements what the kind is driven through.
    virtual bool IsControlTypeValid(const std::string& kind, const TXcControlClassObject& cls);
    // Registers the class for the kind (case-sensitive), replacing the
    // kind's class; a class that does not serve the kind raises
    // EXCLException and leaves the registry as it was.
    virtual void RegisterControl(const std::string& kind, TXcControlClassObject cls);
    // The kind's class, nullptr when none is registered.
    const TXcControlClassObject* GetControlClass(const std::string& kind);

    // Runs after each control CreateControl made.
    TXcAfterCreateControlEvent OnAfterCreateControl;

protected:
    virtual void DoAfterCreateControl(cl::TControl* control);
    // Fills the registry; nothing here.
    virtual void RegisterControls() {}

private:
    void RegisterOnDemand();

    struct Entry {
        std::string kind;
        std::unique_ptr<TXcControlClassObject> cls;
    };
    std::vector<Entry> registry_;
    bool registered_ = false;
};

// The engine with a creator for each kind, which sets the control's
// properties through its interfaces; a control without an interface its
// creator uses raises EIntfCastError and is freed.
class TXcDynControlEngine : public TXcCustomDynControlEngine {
    CL_CLASS(TXcDynControlEngine, TXcCustomDynControlEngine)
public:
    cl::TControl* CreateLabelControl(cl::TComponent* owner, cl::TWinControl* parent, const std::string& name,
                                     const std::string& caption, cl::TWinControl* focusControl);
    cl::TControl* CreateStaticTextControl(cl::TComponent* owner, cl::TWinControl* parent,
                                          const std::string& name, const std::string& caption);
    cl::TControl* CreatePanelControl(cl::TComponent* owner, cl::TWinControl* parent, const std::string& name,
                                     const std::string& caption, cl::TAlign align);
    cl::TControl* CreateScrollBoxControl(cl::TComponent* owner, cl::TWinControl* parent,
                                         const std::string& name);
    cl::TControl* CreateEditControl(cl::TComponent* owner, cl::TWinControl* parent, const std::string& name);
    cl::TControl* CreateCheckboxControl(cl::TComponent* owner, cl::TWinControl* parent,
                                        const std::string& name, const std::string& caption);
    // items may be nullptr.
    cl::TControl* CreateComboBoxControl(cl::TComponent* owner, cl::TWinControl* parent,
                                        const std::string& name, const cl::TStrings* items);
    cl::TControl* CreateGroupBoxControl(cl::TComponent* owner, cl::TWinControl* parent,
                                        const std::string& name, const std::string& caption);
    cl::TControl* CreateImageControl(cl::TComponent* owner, cl::TWinControl* parent, const std::string& name);
    // The value is the item index (an integer Variant).
    cl::TControl* CreateRadioGroupControl(cl::TComponent* owner, cl::TWinControl* parent,
                                          const std::string& name, const std::string& caption,
                                          const cl::TStrings* items, int itemIndex);
    cl::TControl* CreateMemoControl(cl::TComponent* owner, cl::TWinControl* parent, const std::string& name);
    cl::TControl* CreateRichEditControl(cl::TComponent* owner, cl::TWinControl* parent,
                                        const std::string& name);
    cl::TControl* CreateListBoxControl(cl::TComponent* owner, cl::TWinControl* parent,
                                       const std::string& name, const cl::TStrings* items);
    cl::TControl* CreateDateTimeControl(cl::TComponent* owner, cl::TWinControl* parent,
                                        const std::string& name);
    cl::TControl* CreateDateControl(cl::TComponent* owner, cl::TWinControl* parent, const std::string& name);
    cl::TControl* CreateTimeControl(cl::TComponent* owner, cl::TWinControl* parent, const std::string& name);
    cl::TControl* CreateCalculateControl(cl::TComponent* owner, cl::TWinControl* parent,
                                         const std::string& name);
    cl::TControl* CreateSpinControl(cl::TComponent* owner, cl::TWinControl* parent, const std::string& name);
    cl::TControl* CreateDirectoryControl(cl::TComponent* owner, cl::TWinControl* parent,
                                         const std::string& name);
    cl::TControl* CreateFileNameControl(cl::TComponent* owner, cl::TWinControl* parent,
                                        const std::string& name);
    // Default and Cancel reach a button of the class library's TButton kind.
    cl::TControl* CreateButton(cl::TComponent* owner, cl::TWinControl* parent, const std::string& name,
                               const std::string& caption, const std::string& hint, cl::TNotifyEvent onClick,
                               bool isDefault, bool isCancel);
    cl::TControl* CreateRadioButton(cl::TComponent* owner, cl::TWinControl* parent, const std::string& name,
                                    const std::string& caption);
    cl::TControl* CreateButtonEditControl(cl::TComponent* owner, cl::TWinControl* parent,
                                          const std::string& name, cl::TNotifyEvent onButtonClick);
    // A form owned by the application.
    cl::TCustomForm* CreateForm(const std::string& caption, const std::string& hint);
    // A borderless panel holding a label for the focus control and the
    // control itself, the label above it or at its left (labelWidth > 0
    // sets the label's width then).  No focus control raises EXCLException.
    cl::TControl* CreateLabelControlPanel(cl::TComponent* owner, cl::TWinControl* parent,
                                          const std::string& name, const std::string& caption,
                                          cl::TWinControl* focusControl, bool labelOnTop = true,
                                          int labelWidth = 0);
};

// The engine for code that names none: the one set last, else a
// TXcDynControlEngineCL made on first use and freed at exit.
TXcDynControlEngine* DefaultDynControlEngine();
// Makes engine the default; nullptr is ignored.  The caller keeps its
// engine, which stops being the default when it is freed.
void SetDefaultDynControlEngine(TXcDynControlEngine* engine);
