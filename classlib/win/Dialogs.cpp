#include "classlib/win/Dialogs.h"

#include <commdlg.h>

#include <vector>

#include "classlib/win/Forms.h"
#include "classlib/win/WideText.h"

namespace cl {

namespace {

TMessageBoxHook g_messageBoxHook;
TFileDialogHook g_fileDialogHook;

struct TypeLook {
    const char* caption;
    UINT icon;
};
// Indexed by TMsgDlgType; mtCustom takes the application's title.
constexpr TypeLook kTypeLooks[] = {
    {"Ostrzeżenie", MB_ICONWARNING},
    {"Błąd", MB_ICONERROR},
    {"Informacja", MB_ICONINFORMATION},
    {"Potwierdzenie", MB_ICONQUESTION},
    {"", 0},
};

struct ButtonSet {
    TMsgDlgButtons needs;
    UINT style;
};
// The first system button set that holds all its buttons wins.
constexpr ButtonSet kButtonSets[] = {
    {mbYesNoCancel, MB_YESNOCANCEL},
    {mbYes | mbNo, MB_YESNO},
    {mbAbortRetryIgnore, MB_ABORTRETRYIGNORE},
    {mbRetry | mbCancel, MB_RETRYCANCEL},
    {mbOKCancel, MB_OKCANCEL},
};

struct OptionFlag {
    TOpenOptions option;
    DWORD flag;
};
constexpr OptionFlag kOptionFlags[] = {
    {ofReadOnly, OFN_READONLY},
    {ofOverwritePrompt, OFN_OVERWRITEPROMPT},
    {ofHideReadOnly, OFN_HIDEREADONLY},
    {ofNoChangeDir, OFN_NOCHANGEDIR},
    {ofShowHelp, OFN_SHOWHELP},
    {ofNoValidate, OFN_NOVALIDATE},
    {ofAllowMultiSelect, OFN_ALLOWMULTISELECT},
    {ofExtensionDifferent, OFN_EXTENSIONDIFFERENT},
    {ofPathMustExist, OFN_PATHMUSTEXIST},
    {ofFileMustExist, OFN_FILEMUSTEXIST},
    {ofCreatePrompt, OFN_CREATEPROMPT},
    {ofShareAware, OFN_SHAREAWARE},
    {ofNoReadOnlyReturn, OFN_NOREADONLYRETURN},
    {ofNoTestFileCreate, OFN_NOTESTFILECREATE},
    {ofNoNetworkButton, OFN_NONETWORKBUTTON},
    {ofNoLongNames, OFN_NOLONGNAMES},
    {ofNoDereferenceLinks, OFN_NODEREFERENCELINKS},
    {ofEnableIncludeNotify, OFN_ENABLEINCLUDENOTIFY},
    {ofEnableSizing, OFN_ENABLESIZING},
    {ofDontAddToRecent, OFN_DONTADDTORECENT},
    {ofForceShowHidden, OFN_FORCESHOWHIDDEN},
};

}  // namespace

HWND DialogOwner() {
    TScreen* screen = TScreenRef::Existing();
    TCustomForm* form = screen ? screen->ActiveForm() : nullptr;
    if (form && form->HandleAllocated() && IsWindowVisible(form->WindowHandle())) return form->WindowHandle();
    return GetActiveWindow();
}

int ShowMessageBox(HWND owner, const std::string& text, const std::string& caption, UINT flags) {
    if (g_messageBoxHook) return g_messageBoxHook(owner, text, caption, flags);
    return MessageBoxW(owner, ToWide(text).c_str(), ToWide(caption).c_str(), flags);
}

void SetMessageBoxHook(TMessageBoxHook hook) {
    g_messageBoxHook = std::move(hook);
}

int MessageDlg(const std::string& msg, TMsgDlgType type, TMsgDlgButtons buttons, int helpCtx) {
    const TypeLook& look = kTypeLooks[type];
    UINT style = MB_OK;
    for (const ButtonSet& set : kButtonSets)
        if ((buttons & set.needs) == set.needs) {
            style = set.style;
            break;
        }
    if (buttons & mbHelp) style |= MB_HELP;
    const std::string caption = type == mtCustom ? Application->Title() : std::string(look.caption);
    return Application->MessageBox(msg, caption, style | look.icon);
}

void SetFileDialogHook(TFileDialogHook hook) {
    g_fileDialogHook = std::move(hook);
}

// ---- TOpenDialog ---------------------------------------------------------------
CL_CLASS_INFO(
    TOpenDialog, Prop("DefaultExt", &TOpenDialog::DefaultExt, &TOpenDialog::SetDefaultExt),
    Prop("FileName", &TOpenDialog::FileName, &TOpenDialog::SetFileName),
    Prop("Filter", &TOpenDialog::Filter, &TOpenDialog::SetFilter),
    Prop("FilterIndex", &TOpenDialog::FilterIndex, &TOpenDialog::SetFilterIndex),
    Prop("HelpContext", &TOpenDialog::HelpContext, &TOpenDialog::SetHelpContext),
    Prop("InitialDir", &TOpenDialog::InitialDir, &TOpenDialog::SetInitialDir),
    SetOfProp("Options",
              {"ofReadOnly",         "ofOverwritePrompt",    "ofHideReadOnly",        "ofNoChangeDir",
               "ofShowHelp",         "ofNoValidate",         "ofAllowMultiSelect",    "ofExtensionDifferent",
               "ofPathMustExist",    "ofFileMustExist",      "ofCreatePrompt",        "ofShareAware",
               "ofNoReadOnlyReturn", "ofNoTestFileCreate",   "ofNoNetworkButton",     "ofNoLongNames",
               "ofOldStyleDialog",   "ofNoDereferenceLinks", "ofEnableIncludeNotify", "ofEnableSizing",
               "ofDontAddToRecent",  "ofForceShowHidden"},
              &TOpenDialog::Options, &TOpenDialog::SetOptions),
    Prop("Title", &TOpenDialog::Title, &TOpenDialog::SetTitle))
CL_CLASS_INFO(TSaveDialog)

TOpenDialog::TOpenDialog(TComponent* owner) : TComponent(owner) {}

DWORD TOpenDialog::OptionsToFlags(TOpenOptions options) {
    DWORD flags = (options & ofOldStyleDialog) ? 0 : OFN_EXPLORER;
    for (const OptionFlag& f : kOptionFlags)
        if (options & f.option) flags |= f.flag;
    return flags;
}

bool TOpenDialog::Execute() {
    return DoExecute(false);
}

bool TSaveDialog::Execute() {
    return DoExecute(true);
}

bool TOpenDialog::DoExecute(bool save) {
    if (g_fileDialogHook) return g_fileDialogHook(*this, save);
    // "a|b|c|d" becomes "a\0b\0c\0d\0\0".
    std::wstring filter = ToWide(filter_);
    for (wchar_t& c : filter)
        if (c == L'|') c = L'\0';
    filter.append(2, L'\0');
    std::vector<wchar_t> file(0x10000, L'\0');
    const std::wstring name = ToWide(fileName_);
    std::copy_n(name.begin(), std::min(name.size(), file.size() - 1), file.begin());
    const std::wstring dir = ToWide(initialDir_);
    const std::wstring title = ToWide(title_);
    const std::wstring ext = ToWide(defaultExt_);

    OPENFILENAMEW ofn{};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = DialogOwner();
    ofn.lpstrFilter = filter_.empty() ? nullptr : filter.c_str();
    ofn.nFilterIndex = static_cast<DWORD>(filterIndex_);
    ofn.lpstrFile = file.data();
    ofn.nMaxFile = static_cast<DWORD>(file.size());
    ofn.lpstrInitialDir = dir.empty() ? nullptr : dir.c_str();
    ofn.lpstrTitle = title.empty() ? nullptr : title.c_str();
    ofn.lpstrDefExt = ext.empty() ? nullptr : ext.c_str();
    ofn.Flags = OptionsToFlags(options_);

    const std::vector<HWND> disabled = DisableTaskWindows(ofn.hwndOwner);
    const BOOL ok = save ? GetSaveFileNameW(&ofn) : GetOpenFileNameW(&ofn);
    EnableTaskWindows(disabled);
    if (!ok) return false;
    fileName_ = FromWide(file.data());
    filterIndex_ = static_cast<int>(ofn.nFilterIndex);
    options_ &= ~static_cast<TOpenOptions>(ofReadOnly | ofExtensionDifferent);
    if (ofn.Flags & OFN_READONLY) options_ |= ofReadOnly;
    if (ofn.Flags & OFN_EXTENSIONDIFFERENT) options_ |= ofExtensionDifferent;
    return true;
}

}  // namespace cl
