#include "frameworks/win/XcDynControlEngine.h"

#include <algorithm>
#include <cstdlib>

#include "classlib/Scope.h"
#include "frameworks/data/XcExceptions.h"
#include "frameworks/win/XcDynControlEngineCL.h"

namespace {

TXcDynControlEngine* g_defaultEngine = nullptr;
TXcDynControlEngine* g_ownEngine = nullptr;

void FreeOwnEngine() {
    cl::FreeAndNil(g_ownEngine);
}

// Runs setup on a control just made; a failure frees the control.
template <class Setup>
cl::TControl* SetUp(cl::TControl* control, Setup setup) {
    cl::ScopeExit freeOnFailure([control] { control->Free(); });
    setup(control);
    freeOnFailure.Release();
    return control;
}

}  // namespace

// ---- TXcCustomDynControlEngine -------------------------------------------------------

CL_CLASS_INFO(TXcCustomDynControlEngine)

TXcCustomDynControlEngine::TXcCustomDynControlEngine() = default;

TXcCustomDynControlEngine::~TXcCustomDynControlEngine() {
    if (g_defaultEngine == this) g_defaultEngine = nullptr;
}

void TXcCustomDynControlEngine::RegisterOnDemand() {
    if (registered_) return;
    // Set first: RegisterControls registers through RegisterControl.
    registered_ = true;
    RegisterControls();
}

const TXcControlClassObject* TXcCustomDynControlEngine::GetControlClass(const std::string& kind) {
    RegisterOnDemand();
    for (const Entry& e : registry_)
        if (e.kind == kind) return e.cls.get();
    return nullptr;
}

bool TXcCustomDynControlEngine::IsControlTypeValid(const std::string& kind,
                                                   const TXcControlClassObject& cls) {
    return XcControlClassServesKind(kind, cls);
}

void TXcCustomDynControlEngine::RegisterControl(const std::string& kind, TXcControlClassObject cls) {
    RegisterOnDemand();
    // Checked before anything changes: a refused class leaves the old one.
    if (!IsControlTypeValid(kind, cls))
        throw EXCLException("TXcDynControlEngine.RegisterControl: Unsupported ControlClass \"" + kind + "\"");
    auto made = std::make_unique<TXcControlClassObject>(std::move(cls));
    const auto old =
        std::find_if(registry_.begin(), registry_.end(), [&](const Entry& e) { return e.kind == kind; });
    if (old != registry_.end()) registry_.erase(old);
    registry_.push_back({kind, std::move(made)});
}

cl::TControl* TXcCustomDynControlEngine::CreateControl(const std::string& kind, cl::TComponent* owner,
                                                       cl::TWinControl* parent, const std::string& name) {
    cl::TControl* control;
    if (const TXcControlClassObject* cls = GetControlClass(kind)) {
        control = CreateControlClass(*cls, owner, parent, name);
    } else if (kind == "Form") {
        control = SetUp(cl::Construct<cl::TForm>(owner), [&](cl::TControl* form) {
            if (!name.empty()) form->SetName(name);
        });
    } else {
        throw EXCLException("TXcDynControlEngine.CreateControl: No Registered ControlClass \"" + kind + "\"");
    }
    return SetUp(control, [this](cl::TControl* c) { DoAfterCreateControl(c); });
}

cl::TControl* TXcCustomDynControlEngine::CreateControlClass(const TXcControlClassObject& cls,
                                                            cl::TComponent* owner, cl::TWinControl* parent,
                                                            const std::string& name) {
    cl::TComponent* made = cls.Create(owner);
    auto* control = dynamic_cast<cl::TControl*>(made);
    if (!control) {
        made->Free();
        throw cl::EIntfCastError("SIntfCastError");
    }
    return SetUp(control, [&](cl::TControl* c) {
        XcIntf<IXcDynControl>(c).ControlSetDefaultProperties();
        if (parent) c->SetParent(parent);
        if (!name.empty()) c->SetName(name);
    });
}

void TXcCustomDynControlEngine::DoAfterCreateControl(cl::TControl* control) {
    if (OnAfterCreateControl) OnAfterCreateControl(control);
}

// ---- TXcDynControlEngine -------------------------------------------------------------

CL_CLASS_INFO(TXcDynControlEngine)

cl::TControl* TXcDynControlEngine::CreateLabelControl(cl::TComponent* owner, cl::TWinControl* parent,
                                                      const std::string& name, const std::string& caption,
                                                      cl::TWinControl* focusControl) {
    return SetUp(CreateControl("Label", owner, parent, name), [&](cl::TControl* c) {
        XcIntf<IXcDynControl>(c).ControlSetCaption(caption);
        XcIntf<IXcDynControlLabel>(c).ControlSetFocusControl(focusControl);
    });
}

cl::TControl* TXcDynControlEngine::CreateStaticTextControl(cl::TComponent* owner, cl::TWinControl* parent,
                                                           const std::string& name,
                                                           const std::string& caption) {
    return SetUp(CreateControl("StaticText", owner, parent, name),
                 [&](cl::TControl* c) { XcIntf<IXcDynControl>(c).ControlSetCaption(caption); });
}

cl::TControl* TXcDynControlEngine::CreatePanelControl(cl::TComponent* owner, cl::TWinControl* parent,
                                                      const std::string& name, const std::string& caption,
                                                      cl::TAlign align) {
    return SetUp(CreateControl("Panel", owner, parent, name), [&](cl::TControl* c) {
        XcIntf<IXcDynControl>(c).ControlSetCaption(caption);
        c->SetAlign(align);
    });
}

cl::TControl* TXcDynControlEngine::CreateScrollBoxControl(cl::TComponent* owner, cl::TWinControl* parent,
                                                          const std::string& name) {
    return CreateControl("ScrollBox", owner, parent, name);
}

cl::TControl* TXcDynControlEngine::CreateEditControl(cl::TComponent* owner, cl::TWinControl* parent,
                                                     const std::string& name) {
    return CreateControl("Edit", owner, parent, name);
}

cl::TControl* TXcDynControlEngine::CreateCheckboxControl(cl::TComponent* owner, cl::TWinControl* parent,
                                                         const std::string& name,
                                                         const std::string& caption) {
    return SetUp(CreateControl("CheckBox", owner, parent, name),
                 [&](cl::TControl* c) { XcIntf<IXcDynControl>(c).ControlSetCaption(caption); });
}

cl::TControl* TXcDynControlEngine::CreateComboBoxControl(cl::TComponent* owner, cl::TWinControl* parent,
                                                         const std::string& name, const cl::TStrings* items) {
    return SetUp(CreateControl("ComboBox", owner, parent, name), [&](cl::TControl* c) {
        if (items) XcIntf<IXcDynControlItems>(c).ControlSetItems(*items);
    });
}

cl::TControl* TXcDynControlEngine::CreateGroupBoxControl(cl::TComponent* owner, cl::TWinControl* parent,
                                                         const std::string& name,
                                                         const std::string& caption) {
    return SetUp(CreateControl("GroupBox", owner, parent, name),
                 [&](cl::TControl* c) { XcIntf<IXcDynControl>(c).ControlSetCaption(caption); });
}

cl::TControl* TXcDynControlEngine::CreateImageControl(cl::TComponent* owner, cl::TWinControl* parent,
                                                      const std::string& name) {
    return CreateControl("Image", owner, parent, name);
}

cl::TControl* TXcDynControlEngine::CreateRadioGroupControl(cl::TComponent* owner, cl::TWinControl* parent,
                                                           const std::string& name,
                                                           const std::string& caption,
                                                           const cl::TStrings* items, int itemIndex) {
    return SetUp(CreateControl("RadioGroup", owner, parent, name), [&](cl::TControl* c) {
        XcIntf<IXcDynControl>(c).ControlSetCaption(caption);
        if (items) XcIntf<IXcDynControlItems>(c).ControlSetItems(*items);
        XcIntf<IXcDynControlData>(c).ControlSetValue(cl::Variant(itemIndex));
    });
}

cl::TControl* TXcDynControlEngine::CreateMemoControl(cl::TComponent* owner, cl::TWinControl* parent,
                                                     const std::string& name) {
    return CreateControl("Memo", owner, parent, name);
}

cl::TControl* TXcDynControlEngine::CreateRichEditControl(cl::TComponent* owner, cl::TWinControl* parent,
                                                         const std::string& name) {
    return CreateControl("RichEdit", owner, parent, name);
}

cl::TControl* TXcDynControlEngine::CreateListBoxControl(cl::TComponent* owner, cl::TWinControl* parent,
                                                        const std::string& name, const cl::TStrings* items) {
    return SetUp(CreateControl("ListBox", owner, parent, name), [&](cl::TControl* c) {
        if (items) XcIntf<IXcDynControlItems>(c).ControlSetItems(*items);
    });
}

cl::TControl* TXcDynControlEngine::CreateDateTimeControl(cl::TComponent* owner, cl::TWinControl* parent,
                                                         const std::string& name) {
    return CreateControl("DateTimeEdit", owner, parent, name);
}

cl::TControl* TXcDynControlEngine::CreateDateControl(cl::TComponent* owner, cl::TWinControl* parent,
                                                     const std::string& name) {
    return CreateControl("DateEdit", owner, parent, name);
}

cl::TControl* TXcDynControlEngine::CreateTimeControl(cl::TComponent* owner, cl::TWinControl* parent,
                                                     const std::string& name) {
    return CreateControl("TimeEdit", owner, parent, name);
}

cl::TControl* TXcDynControlEngine::CreateCalculateControl(cl::TComponent* owner, cl::TWinControl* parent,
                                                          const std::string& name) {
    return CreateControl("CalculateEdit", owner, parent, name);
}

cl::TControl* TXcDynControlEngine::CreateSpinControl(cl::TComponent* owner, cl::TWinControl* parent,
                                                     const std::string& name) {
    return CreateControl("SpinEdit", owner, parent, name);
}

cl::TControl* TXcDynControlEngine::CreateDirectoryControl(cl::TComponent* owner, cl::TWinControl* parent,
                                                          const std::string& name) {
    return CreateControl("DirectoryEdit", owner, parent, name);
}

cl::TControl* TXcDynControlEngine::CreateFileNameControl(cl::TComponent* owner, cl::TWinControl* parent,
                                                         const std::string& name) {
    return CreateControl("FileNameEdit", owner, parent, name);
}

cl::TControl* TXcDynControlEngine::CreateButton(cl::TComponent* owner, cl::TWinControl* parent,
                                                const std::string& name, const std::string& caption,
                                                const std::string& hint, cl::TNotifyEvent onClick,
                                                bool isDefault, bool isCancel) {
    return SetUp(CreateControl("Button", owner, parent, name), [&](cl::TControl* c) {
        IXcDynControl& control = XcIntf<IXcDynControl>(c);
        control.ControlSetCaption(caption);
        control.ControlSetHint(hint);
        control.ControlSetOnClick(std::move(onClick));
        // No interface carries them: only a push button has them.
        if (auto* button = dynamic_cast<cl::TButton*>(c)) {
            button->SetDefault(isDefault);
            button->SetCancel(isCancel);
        }
    });
}

cl::TControl* TXcDynControlEngine::CreateRadioButton(cl::TComponent* owner, cl::TWinControl* parent,
                                                     const std::string& name, const std::string& caption) {
    return SetUp(CreateControl("RadioButton", owner, parent, name),
                 [&](cl::TControl* c) { XcIntf<IXcDynControl>(c).ControlSetCaption(caption); });
}

cl::TControl* TXcDynControlEngine::CreateButtonEditControl(cl::TComponent* owner, cl::TWinControl* parent,
                                                           const std::string& name,
                                                           cl::TNotifyEvent onButtonClick) {
    return SetUp(CreateControl("ButtonEdit", owner, parent, name), [&](cl::TControl* c) {
        XcIntf<IXcDynControlButtonEdit>(c).ControlSetOnButtonClick(std::move(onButtonClick));
    });
}

cl::TCustomForm* TXcDynControlEngine::CreateForm(const std::string& caption, const std::string& hint) {
    cl::TCustomForm* form = nullptr;
    SetUp(CreateControl("Form", cl::Application, nullptr, ""), [&](cl::TControl* c) {
        form = dynamic_cast<cl::TCustomForm*>(c);
        if (!form) throw cl::EIntfCastError("SIntfCastError");
        form->SetCaption(caption);
        form->SetHint(hint);
    });
    return form;
}

cl::TControl* TXcDynControlEngine::CreateLabelControlPanel(cl::TComponent* owner, cl::TWinControl* parent,
                                                           const std::string& name,
                                                           const std::string& caption,
                                                           cl::TWinControl* focusControl, bool labelOnTop,
                                                           int labelWidth) {
    if (!focusControl)
        throw EXCLException("TXcDynControlEngine.CreateLabelControlPanel: AFocusControl must be assigned");
    return SetUp(CreatePanelControl(owner, parent, name, "", cl::alNone), [&](cl::TControl* c) {
        auto* panel = dynamic_cast<cl::TWinControl*>(c);
        if (!panel) throw cl::EIntfCastError("SIntfCastError");
        // The layout below starts one pixel in: no bevel may cover it.
        XcIntf<IXcDynControlPanel>(c).ControlSetBorder(cl::bvNone, cl::bvNone, 1, cl::bsNone, 0);
        cl::TControl* label = CreateLabelControl(owner, panel, "", caption, focusControl);
        label->SetLeft(1);
        label->SetTop(1);
        focusControl->SetParent(panel);
        int width, height;
        if (labelOnTop) {
            focusControl->SetBounds(1, label->Height() + 1, focusControl->Width(), focusControl->Height());
            width = std::max(label->Width(), focusControl->Width());
            height = label->Height() + focusControl->Height();
        } else {
            if (labelWidth > 0) label->SetWidth(labelWidth);
            focusControl->SetBounds(label->Width() + 1, 1, focusControl->Width(), focusControl->Height());
            width = label->Width() + focusControl->Width();
            height = std::max(label->Height(), focusControl->Height());
        }
        panel->SetBounds(panel->Left(), panel->Top(), width + 1, height + 1);
    });
}

// ---- The default engine --------------------------------------------------------------

TXcDynControlEngine* DefaultDynControlEngine() {
    if (!g_defaultEngine) {
        if (!g_ownEngine) {
            g_ownEngine = new TXcDynControlEngineCL();
            static const bool freedAtExit = std::atexit(FreeOwnEngine) == 0;
            (void)freedAtExit;
        }
        g_defaultEngine = g_ownEngine;
    }
    return g_defaultEngine;
}

void SetDefaultDynControlEngine(TXcDynControlEngine* engine) {
    if (engine) g_defaultEngine = engine;
}
