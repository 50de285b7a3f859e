#include "persistence/win/Placemnt.h"

#include <algorithm>
#include <utility>

#include "classlib/Filer.h"
#include "classlib/Scope.h"
#include "classlib/win/Registry.h"

using namespace cl;

namespace {

TScreenInfo CurrentScreen() {
    return {GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN), Screen->PixelsPerInch()};
}

TWindowPlace ToPlace(const WINDOWPLACEMENT& wp) {
    const RECT& r = wp.rcNormalPosition;
    return {wp.flags,
            wp.showCmd,
            {wp.ptMinPosition.x, wp.ptMinPosition.y},
            {wp.ptMaxPosition.x, wp.ptMaxPosition.y},
            {r.left, r.top, r.right, r.bottom}};
}

WINDOWPLACEMENT FromPlace(const TWindowPlace& p) {
    WINDOWPLACEMENT wp{};
    wp.length = sizeof wp;
    wp.flags = p.flags;
    wp.showCmd = p.showCmd;
    wp.ptMinPosition = {p.minPosition.x, p.minPosition.y};
    wp.ptMaxPosition = {p.maxPosition.x, p.maxPosition.y};
    wp.rcNormalPosition = {p.normalPosition.left, p.normalPosition.top, p.normalPosition.right,
                           p.normalPosition.bottom};
    return wp;
}

// The form's placement; showCmd 0 while it is hidden, so that setting it
// back shows nothing.
WINDOWPLACEMENT PlacementOf(HWND wnd) {
    WINDOWPLACEMENT wp{};
    wp.length = sizeof wp;
    GetWindowPlacement(wnd, &wp);
    if (!IsWindowVisible(wnd)) wp.showCmd = SW_HIDE;
    return wp;
}

// The section a component's values go to when none is set.
std::string DefaultSection(const TComponent* c) {
    if (!c) return "";
    if (dynamic_cast<const TCustomForm*>(c)) return c->ClassName();
    if (auto* control = dynamic_cast<const TControl*>(c)) {
        if (TCustomForm* form = GetParentForm(const_cast<TControl*>(control)))
            return form->ClassName() + c->Name();
        return (control->Parent() ? control->Parent()->Name() : std::string()) + c->Name();
    }
    if (dynamic_cast<const TCustomForm*>(c->Owner())) return c->Owner()->ClassName() + "." + c->Name();
    return c->Name();
}

}  // namespace

// ---- TWinMinMaxInfo -----------------------------------------------------------------------
CL_CLASS_INFO(TWinMinMaxInfo, Prop("MaxPosLeft", &TWinMinMaxInfo::MaxPosLeft, &TWinMinMaxInfo::SetMaxPosLeft),
              Prop("MaxPosTop", &TWinMinMaxInfo::MaxPosTop, &TWinMinMaxInfo::SetMaxPosTop),
              Prop("MaxSizeHeight", &TWinMinMaxInfo::MaxSizeHeight, &TWinMinMaxInfo::SetMaxSizeHeight),
              Prop("MaxSizeWidth", &TWinMinMaxInfo::MaxSizeWidth, &TWinMinMaxInfo::SetMaxSizeWidth),
              Prop("MaxTrackHeight", &TWinMinMaxInfo::MaxTrackHeight, &TWinMinMaxInfo::SetMaxTrackHeight),
              Prop("MaxTrackWidth", &TWinMinMaxInfo::MaxTrackWidth, &TWinMinMaxInfo::SetMaxTrackWidth),
              Prop("MinTrackHeight", &TWinMinMaxInfo::MinTrackHeight, &TWinMinMaxInfo::SetMinTrackHeight),
              Prop("MinTrackWidth", &TWinMinMaxInfo::MinTrackWidth, &TWinMinMaxInfo::SetMinTrackWidth))

bool TWinMinMaxInfo::DefaultMinMaxInfo() const {
    return std::all_of(std::begin(values_), std::end(values_), [](int v) { return v == 0; });
}

void TWinMinMaxInfo::Set(int index, int value) {
    if (values_[index] == value) return;
    values_[index] = value;
    if (owner_) owner_->MinMaxInfoChanged();
}

void TWinMinMaxInfo::Assign(TPersistent* source) {
    auto* other = dynamic_cast<TWinMinMaxInfo*>(source);
    if (!other) return TPersistent::Assign(source);
    if (std::equal(std::begin(values_), std::end(values_), std::begin(other->values_))) return;
    std::copy(std::begin(other->values_), std::end(other->values_), std::begin(values_));
    if (owner_) owner_->MinMaxInfoChanged();
}

// ---- TFormPlacement -----------------------------------------------------------------------
CL_CLASS_INFO(TFormPlacement, Prop("Active", &TFormPlacement::Active, &TFormPlacement::SetActive),
              Prop("IniFileName", &TFormPlacement::IniFileName, &TFormPlacement::SetIniFileName),
              Prop("IniSection", &TFormPlacement::IniSection, &TFormPlacement::SetIniSection),
              Prop("MinMaxInfo", &TFormPlacement::MinMaxInfo, &TFormPlacement::SetMinMaxInfo),
              SetOfProp("Options", {"fpState", "fpPosition", "fpActiveControl"}, &TFormPlacement::Options,
                        &TFormPlacement::SetOptions),
              Prop("PreventResize", &TFormPlacement::PreventResize, &TFormPlacement::SetPreventResize),
              EnumProp("RegistryRoot",
                       {"prCurrentUser", "prLocalMachine", "prCurrentConfig", "prClassesRoot", "prUsers",
                        "prDynData"},
                       &TFormPlacement::RegistryRoot, &TFormPlacement::SetRegistryRoot),
              Prop("UseRegistry", &TFormPlacement::UseRegistry, &TFormPlacement::SetUseRegistry),
              Prop("Version", &TFormPlacement::Version, &TFormPlacement::SetVersion))

TFormPlacement::TFormPlacement(TComponent* owner)
    : TComponent(owner),
      minMaxInfo_(std::make_unique<TWinMinMaxInfo>(this)),
      winHook_(new TFsWindowHook(this)) {
    winHook_->SetActive(false);
    winHook_->AfterMessage = [this](TObject*, TMessage& m, bool& handled) { HookAfterMessage(m, handled); };
    if (TCustomForm* form = Form()) {
        options_ = fpState | fpPosition;
        defMaximize_ = (form->BorderIcons() & biMaximize) != 0;
    }
}

TFormPlacement::~TFormPlacement() {
    UnchainEvents();
    while (!links_.empty()) links_.back()->SetStorage(nullptr);
}

void TFormPlacement::BeforeDestruction() {
    Destroying();
    UnchainEvents();
    TComponent::BeforeDestruction();
}

TCustomForm* TFormPlacement::Form() const {
    return dynamic_cast<TCustomForm*>(Owner());
}

std::string TFormPlacement::EffectiveIniFileName() const {
    if (!iniFileName_.empty()) return iniFileName_;
    if (useRegistry_) return DefaultRegKeyName(Application->Title(), Application->ExeName());
    return DefaultIniFileName(Application->ExeName());
}

std::unique_ptr<TCustomIniFile> TFormPlacement::OpenIniFile(bool reading) const {
    if (!useRegistry_) return std::make_unique<TIniFile>(EffectiveIniFileName());
    static const HKEY kRoots[] = {HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE, HKEY_CURRENT_CONFIG,
                                  HKEY_CLASSES_ROOT, HKEY_USERS,         HKEY_DYN_DATA};
    return std::make_unique<TRegIniFile>(EffectiveIniFileName(), kRoots[registryRoot_], reading);
}

std::string TFormPlacement::EffectiveIniSection() const {
    return iniSection_.empty() ? DefaultSection(Owner()) : iniSection_;
}

void TFormPlacement::Loaded() {
    const bool loading = (ComponentState() & csLoading) != 0;
    TComponent::Loaded();
    TCustomForm* form = Form();
    if (!loading || !form) return;
    defMaximize_ = (form->BorderIcons() & biMaximize) != 0;
    ChainEvents();
    if (preventResize_) UpdatePreventResize();
    UpdateWinHook();
}

void TFormPlacement::Notification(TComponent* component, TOperation operation) {
    TComponent::Notification(component, operation);
    if (operation == opRemove && component == winHook_) winHook_ = nullptr;
}

// ---- The form's events --------------------------------------------------------------------
void TFormPlacement::ChainEvents() {
    TCustomForm* form = Form();
    if (chained_ || !form) return;
    chained_ = true;
    saveFormShow_ = std::exchange(form->OnShow, [this](TObject* s) { FormShow(s); });
    saveFormCloseQuery_ = std::exchange(form->OnCloseQuery,
                                        [this](TObject* s, bool& canClose) { FormCloseQuery(s, canClose); });
    saveFormDestroy_ = std::exchange(form->OnDestroy, [this](TObject* s) { FormDestroy(s); });
}

void TFormPlacement::UnchainEvents() noexcept {
    if (!chained_) return;
    chained_ = false;
    TCustomForm* form = Form();
    // A form that is going is left alone: nothing of it runs its events again.
    if (!form || (form->ComponentState() & csDestroying)) return;
    form->OnShow = std::move(saveFormShow_);
    form->OnCloseQuery = std::move(saveFormCloseQuery_);
    form->OnDestroy = std::move(saveFormDestroy_);
}

void TFormPlacement::FormShow(TObject* sender) {
    if (active_) {
        try {
            RestoreFormPlacement();
        } catch (...) {
            // The window opens all the same; the user hears what failed.
            Application->HandleException(this);
        }
    }
    // A copy: the handler may free this component.
    if (const TNotifyEvent own = saveFormShow_) own(sender);
}

void TFormPlacement::FormCloseQuery(TObject* sender, bool& canClose) {
    if (const TCloseQueryEvent own = saveFormCloseQuery_) own(sender, canClose);
    TCustomForm* form = Form();
    if (!canClose || !active_ || !form || !form->HandleAllocated()) return;
    try {
        SaveFormPlacement();
    } catch (...) {
        // The close goes on; the user hears that the settings were not kept.
        Application->HandleException(this);
    }
}

void TFormPlacement::FormDestroy(TObject* sender) {
    if (active_ && !saved_) {
        const FlagScope<bool> destroying(destroying_, true);
        try {
            SaveFormPlacement();
        } catch (...) {
            Application->HandleException(this);
        }
    }
    if (const TNotifyEvent own = saveFormDestroy_) own(sender);
}

// ---- Save and restore ---------------------------------------------------------------------
void TFormPlacement::SaveFormPlacement() {
    if (active_ && !restored_) return;
    ini_ = OpenIniFile(false);
    const ScopeExit close([this] { ini_.reset(); });
    ini_->WriteInteger(EffectiveIniSection(), "FormVersion", version_);
    SavePlacement();
    Save();
    saved_ = true;
    ini_->UpdateFile();
}

void TFormPlacement::RestoreFormPlacement() {
    saved_ = false;
    {
        ini_ = OpenIniFile(true);
        const ScopeExit close([this] { ini_.reset(); });
        const std::string section = EffectiveIniSection();
        if (ini_->ReadInteger(section, "FormVersion", 0) >= version_) {
            RestorePlacement();
            restored_ = true;
            Restore();
            TCustomForm* form = Form();
            if ((options_ & fpActiveControl) && form) {
                auto* control = dynamic_cast<TWinControl*>(
                    form->FindComponent(IniReadString(*ini_, section, "ActiveControl", "")));
                if (control && control->CanFocus()) form->SetActiveControl(control);
            }
        }
        restored_ = true;
    }
    UpdatePlacement();
}

void TFormPlacement::Save() {
    if (OnSavePlacement) OnSavePlacement(this);
}

void TFormPlacement::Restore() {
    if (OnRestorePlacement) OnRestorePlacement(this);
}

std::string TFormPlacement::DoReadString(const std::string& section, const std::string& ident,
                                         const std::string& def) {
    if (ini_) return IniReadString(*ini_, section, ident, def);
    return IniReadString(*OpenIniFile(true), section, ident, def);
}

void TFormPlacement::DoWriteString(const std::string& section, const std::string& ident,
                                   const std::string& value) {
    if (ini_) return IniWriteString(*ini_, section, ident, value);
    const std::unique_ptr<TCustomIniFile> ini = OpenIniFile(false);
    IniWriteString(*ini, section, ident, value);
    ini->UpdateFile();
}

void TFormPlacement::DoEraseSection(const std::string& section) {
    if (ini_) return ini_->EraseSection(section);
    const std::unique_ptr<TCustomIniFile> ini = OpenIniFile(false);
    ini->EraseSection(section);
    ini->UpdateFile();
}

void TFormPlacement::NotifyLinks(bool save) {
    // A copy: a link may leave the list while it is told.
    const std::vector<TPlacementLink*> links = links_;
    for (TPlacementLink* link : links) {
        if (save)
            link->SaveToIni();
        else
            link->LoadFromIni();
    }
}

void TFormPlacement::SavePlacement() {
    TCustomForm* form = Form();
    if (!form) return;
    if (form->HandleAllocated() && (options_ & (fpState | fpPosition))) {
        WINDOWPLACEMENT wp{};
        wp.length = sizeof wp;
        GetWindowPlacement(form->WindowHandle(), &wp);
        if (form == Application->MainForm() && IsIconic(Application->Handle())) wp.showCmd = SW_SHOWMINIMIZED;
        const std::string section = EffectiveIniSection();
        WritePlacementKeys(*ini_, section, ToPlace(wp), CurrentScreen(), destroying_);
        if ((options_ & fpActiveControl) && form->ActiveControl())
            IniWriteString(*ini_, section, "ActiveControl", form->ActiveControl()->Name());
    }
    NotifyLinks(true);
}

void TFormPlacement::RestorePlacement() {
    TCustomForm* form = Form();
    const bool loadState = (options_ & fpState) != 0, loadPosition = (options_ & fpPosition) != 0;
    if (!form || (!loadState && !loadPosition)) return;
    HWND wnd = form->Handle();
    const WINDOWPLACEMENT current = PlacementOf(wnd);
    TCustomForm* main = Application->MainForm();
    TPlacementForm facts;
    facts.sizeable = form->BorderStyle() == bsSizeable || form->BorderStyle() == bsSizeToolWin;
    facts.centred = form->Position() == poScreenCenter || form->Position() == poDesktopCenter;
    facts.mainForm = form == main;
    // A normal main form placed by the system starts maximised; one kept on top does not.
    facts.defaultMaximized =
        (!main || form == main) && form->FormStyle() == fsNormal && form->Position() == poDefault;
    facts.bounds = {form->Left(), form->Top(), form->Left() + form->Width(), form->Top() + form->Height()};
    const TStoredPlacement stored =
        ReadPlacementKeys(*ini_, EffectiveIniSection(), ToPlace(current), facts.bounds, CurrentScreen());
    const TRestorePlan plan = PlanRestore(stored, facts, loadState, loadPosition);
    if (plan.setPlacement) {
        if (plan.toDesigned) form->SetPosition(poDesigned);
        const WINDOWPLACEMENT wp = FromPlace(plan.place);
        SetWindowPlacement(wnd, &wp);
    }
    if (plan.setState) {
        if (plan.minimizeApplication) {
            // The application minimises its main form once the form is up;
            // the read ends here.
            form->SetWindowState(wsNormal);
            PostMessageW(Application->Handle(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
            return;
        }
        form->SetWindowState(plan.state == psMaximized ? wsMaximized : wsNormal);
        form->Update();
    }
    NotifyLinks(false);
}

// ---- Placement limits ---------------------------------------------------------------------
void TFormPlacement::SetPreventResize(bool value) {
    if (value == preventResize_) return;
    preventResize_ = value;
    if (ComponentState() & csLoading) return;
    UpdatePreventResize();
    UpdatePlacement();
    UpdateWinHook();
}

void TFormPlacement::MinMaxInfoChanged() {
    if (ComponentState() & csLoading) return;
    UpdatePlacement();
    UpdateWinHook();
}

void TFormPlacement::UpdatePreventResize() {
    TCustomForm* form = Form();
    if (!form || form->BorderStyle() == bsDialog || !defMaximize_) return;
    TBorderIcons icons = form->BorderIcons();
    icons = preventResize_ ? (icons & ~biMaximize) : (icons | biMaximize);
    form->SetBorderIcons(icons);
}

void TFormPlacement::UpdateWinHook() {
    if (!winHook_) return;
    TCustomForm* form = Form();
    winHook_->SetWinControl(form);
    winHook_->SetActive(form && (preventResize_ || !minMaxInfo_->DefaultMinMaxInfo()));
}

void TFormPlacement::UpdatePlacement() {
    TCustomForm* form = Form();
    if (!form || !form->HandleAllocated() || (form->ComponentState() & csLoading) || preventResize_ ||
        !minMaxInfo_->DefaultMinMaxInfo())
        return;
    int cx = 0, cy = 0;
    switch (form->BorderStyle()) {
        case bsSingle:
        case bsToolWindow:
            cx = GetSystemMetrics(SM_CXBORDER);
            cy = GetSystemMetrics(SM_CYBORDER);
            break;
        case bsSizeable:
        case bsSizeToolWin:
            cx = GetSystemMetrics(SM_CXFRAME);
            cy = GetSystemMetrics(SM_CYFRAME);
            break;
        case bsDialog:
            cx = GetSystemMetrics(SM_CXDLGFRAME);
            cy = GetSystemMetrics(SM_CYDLGFRAME);
            break;
        case bsNone:
            break;
    }
    WINDOWPLACEMENT wp = PlacementOf(form->WindowHandle());
    wp.ptMaxPosition = {-cx, -cy};
    SetWindowPlacement(form->WindowHandle(), &wp);
}

void TFormPlacement::HookAfterMessage(TMessage& m, bool& handled) {
    TCustomForm* form = Form();
    if (!form) return;
    switch (m.Msg) {
        case WM_GETMINMAXINFO: {
            auto* info = reinterpret_cast<MINMAXINFO*>(m.LParam);
            if (preventResize_) {
                if (!form->HandleAllocated() || !IsWindowVisible(form->WindowHandle())) return;
                info->ptMinTrackSize = {form->Width(), form->Height()};
                info->ptMaxTrackSize = info->ptMinTrackSize;
            } else {
                const TWinMinMaxInfo& limits = *minMaxInfo_;
                auto put = [](LONG& member, int value) {
                    if (value != 0) member = value;
                };
                put(info->ptMinTrackSize.x, limits.MinTrackWidth());
                put(info->ptMinTrackSize.y, limits.MinTrackHeight());
                put(info->ptMaxTrackSize.x, limits.MaxTrackWidth());
                put(info->ptMaxTrackSize.y, limits.MaxTrackHeight());
                put(info->ptMaxSize.x, limits.MaxSizeWidth());
                put(info->ptMaxSize.y, limits.MaxSizeHeight());
                put(info->ptMaxPosition.x, limits.MaxPosLeft());
                put(info->ptMaxPosition.y, limits.MaxPosTop());
            }
            m.Result = 1;
            handled = true;
            return;
        }
        case WM_NCHITTEST:
            // The sizing borders, HTLEFT to HTBOTTOMRIGHT, are no borders.
            if (preventResize_ && m.Result >= HTLEFT && m.Result <= HTBOTTOMRIGHT) {
                m.Result = HTNOWHERE;
                handled = true;
            }
            return;
        case WM_INITMENUPOPUP:
            if (preventResize_ && HIWORD(m.LParam)) {  // the window menu
                const auto menu = reinterpret_cast<HMENU>(m.WParam);
                EnableMenuItem(menu, SC_SIZE, MF_BYCOMMAND | MF_GRAYED);
                EnableMenuItem(menu, SC_MAXIMIZE, MF_BYCOMMAND | MF_GRAYED);
                m.Result = 1;
                handled = true;
            }
            return;
    }
}

// ---- TPlacementLink ------------------------------------------------------------------------
CL_CLASS_INFO(TPlacementLink)

TPlacementLink::~TPlacementLink() {
    SetStorage(nullptr);
}

void TPlacementLink::SetStorage(TFormPlacement* value) {
    if (value == storage_) return;
    if (storage_) std::erase(storage_->links_, this);
    storage_ = value;
    if (storage_) storage_->links_.push_back(this);
}

std::string TPlacementLink::Section() const {
    return storage_ ? storage_->EffectiveIniSection() : std::string();
}

void TPlacementLink::SaveToIni() {
    if (OnSave) OnSave(this);
}

void TPlacementLink::LoadFromIni() {
    if (OnLoad) OnLoad(this);
}

// ---- TFormStorage -------------------------------------------------------------------------
CL_CLASS_INFO(TFormStorage, Prop("StoredProps", &TFormStorage::StoredProps, &TFormStorage::SetStoredProps),
              Prop("StoredValues", &TFormStorage::StoredValues, &TFormStorage::SetStoredValues))

TFormStorage::TFormStorage(TComponent* owner)
    : TFormPlacement(owner), storedValues_(std::make_unique<TStoredValues>(this)) {}

TFormStorage::~TFormStorage() = default;

void TFormStorage::SetStoredProps(TStrings* value) {
    if (value)
        storedProps_.Assign(value);
    else
        storedProps_.Clear();
    if (!(ComponentState() & csLoading)) ResolveStoredProps();
}

void TFormStorage::Loaded() {
    const bool loading = (ComponentState() & csLoading) != 0;
    TFormPlacement::Loaded();
    if (loading) ResolveStoredProps();
}

void TFormStorage::DefineProperties(TFiler& filer) {
    TFormPlacement::DefineProperties(filer);
    // Asked before the list is written: the names as they are now.
    if (dynamic_cast<TWriter*>(&filer)) UpdateStoredList(Owner(), storedProps_, false);
}

void TFormStorage::ResolveStoredProps() {
    UpdateStoredList(Owner(), storedProps_, true);
    for (int i = 0; i < storedProps_.Count(); ++i)
        static_cast<TComponent*>(storedProps_.Objects(i))->FreeNotification(this);
}

void TFormStorage::Notification(TComponent* component, TOperation operation) {
    TFormPlacement::Notification(component, operation);
    if (operation != opRemove || !component) return;
    for (int i = storedProps_.Count() - 1; i >= 0; --i)
        if (storedProps_.Objects(i) == component) storedProps_.Delete(i);
}

std::unique_ptr<TPropsStorage> TFormStorage::MakeStorage() {
    auto storage = std::make_unique<TPropsStorage>();
    storage->Section = EffectiveIniSection();
    storage->Root = Owner();
    storage->OnReadString = [this](const std::string& section, const std::string& item,
                                   const std::string& def) { return DoReadString(section, item, def); };
    storage->OnWriteString = [this](const std::string& section, const std::string& item,
                                    const std::string& value) { DoWriteString(section, item, value); };
    storage->OnEraseSection = [this](const std::string& section) { DoEraseSection(section); };
    return storage;
}

void TFormStorage::SaveProperties() {
    MakeStorage()->StoreProperties(storedProps_);
}

void TFormStorage::RestoreProperties() {
    MakeStorage()->LoadProperties(storedProps_);
}

void TFormStorage::SavePlacement() {
    TFormPlacement::SavePlacement();
    SaveProperties();
    const std::string section = EffectiveIniSection();
    storedValues_->SaveValues([this, &section](const std::string& key, const std::string& value) {
        DoWriteString(section, key, value);
    });
}

void TFormStorage::RestorePlacement() {
    TFormPlacement::RestorePlacement();
    SetRestored(true);
    RestoreProperties();
    const std::string section = EffectiveIniSection();
    storedValues_->RestoreValues([this, &section](const std::string& key, const std::string& def) {
        return DoReadString(section, key, def);
    });
}

// ---- Wiring -------------------------------------------------------------------------------
namespace {

// The component named and loaded as a stored layout loads it: now, or with
// the form when the form's layout is being read.
template <class T>
T* AddLoaded(TCustomForm& form, const std::string& name, const std::function<void(T&)>& setUp) {
    T* c = new T(&form);
    try {
        c->SetName(name);
        setUp(*c);
        if (!(form.ComponentState() & csReading)) LoadComponentTree(*c, [] {});
    } catch (...) {
        c->Free();
        throw;
    }
    return c;
}

}  // namespace

TFormStorage* AddFormStorage(TCustomForm& form, const std::string& name,
                             std::initializer_list<const char*> storedProps) {
    return AddLoaded<TFormStorage>(form, name, [storedProps](TFormStorage& s) {
        for (const char* entry : storedProps) s.StoredProps()->Add(entry);
    });
}

TFormPlacement* AddFormPlacement(TCustomForm& form, const std::string& name) {
    return AddLoaded<TFormPlacement>(form, name, [](TFormPlacement&) {});
}
