#pragma once
// Message boxes and the file dialogs, through the wide API with the
// program's Windows-1250 text converted.  Tests replace the message box
// and the file dialogs with hooks so that nothing waits for a user.

#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>

#include "classlib/Component.h"

namespace cl {

// The window the program's dialogs belong to: the active form when it is
// shown, else the active window.
HWND DialogOwner();

// ---- Message boxes -----------------------------------------------------
// The one path of every message box of the class library: the hook when
// set, else MessageBoxW.  owner may be nullptr.  Returns the IDxxx.
int ShowMessageBox(HWND owner, const std::string& text, const std::string& caption, UINT flags);

// Test seam: called instead of MessageBoxW with the same arguments (text
// and caption in Windows-1250); an empty function restores the real box.
using TMessageBoxHook =
    std::function<int(HWND owner, const std::string& text, const std::string& caption, UINT flags)>;
void SetMessageBoxHook(TMessageBoxHook hook);

enum TMsgDlgType { mtWarning, mtError, mtInformation, mtConfirmation, mtCustom };
enum TMsgDlgBtn : uint16_t {
    mbYes = 1 << 0,
    mbNo = 1 << 1,
    mbOK = 1 << 2,
    mbCancel = 1 << 3,
    mbAbort = 1 << 4,
    mbRetry = 1 << 5,
    mbIgnore = 1 << 6,
    mbAll = 1 << 7,
    mbNoToAll = 1 << 8,
    mbYesToAll = 1 << 9,
    mbHelp = 1 << 10,
};
using TMsgDlgButtons = uint16_t;
constexpr TMsgDlgButtons mbYesNoCancel = mbYes | mbNo | mbCancel;
constexpr TMsgDlgButtons mbOKCancel = mbOK | mbCancel;
constexpr TMsgDlgButtons mbAbortRetryIgnore = mbAbort | mbRetry | mbIgnore;

// A message box owned by the active form with the type's caption and icon
// ("Ostrzeżenie", "Błąd", "Informacja", "Potwierdzenie"; the application's
// title for mtCustom) and the system button set nearest to buttons.
// Returns the mrXxx of the button pressed.
int MessageDlg(const std::string& msg, TMsgDlgType type, TMsgDlgButtons buttons, int helpCtx);

// ---- File dialogs ----------------------------------------------------------
enum TOpenOption : uint32_t {
    ofReadOnly = 1u << 0,
    ofOverwritePrompt = 1u << 1,
    ofHideReadOnly = 1u << 2,
    ofNoChangeDir = 1u << 3,
    ofShowHelp = 1u << 4,
    ofNoValidate = 1u << 5,
    ofAllowMultiSelect = 1u << 6,
    ofExtensionDifferent = 1u << 7,
    ofPathMustExist = 1u << 8,
    ofFileMustExist = 1u << 9,
    ofCreatePrompt = 1u << 10,
    ofShareAware = 1u << 11,
    ofNoReadOnlyReturn = 1u << 12,
    ofNoTestFileCreate = 1u << 13,
    ofNoNetworkButton = 1u << 14,
    ofNoLongNames = 1u << 15,
    ofOldStyleDialog = 1u << 16,
    ofNoDereferenceLinks = 1u << 17,
    ofEnableIncludeNotify = 1u << 18,
    ofEnableSizing = 1u << 19,
    ofDontAddToRecent = 1u << 20,
    ofForceShowHidden = 1u << 21,
};
using TOpenOptions = uint32_t;

class TOpenDialog : public TComponent {
    CL_CLASS(TOpenDialog, TComponent)
public:
    explicit TOpenDialog(TComponent* owner);

    // "Description|*.ext|Description|*.a;*.b"
    const std::string& Filter() const { return filter_; }
    void SetFilter(const std::string& value) { filter_ = value; }
    // 1-based.
    int FilterIndex() const { return filterIndex_; }
    void SetFilterIndex(int value) { filterIndex_ = value; }
    // Without the dot; added to a name typed without an extension.
    const std::string& DefaultExt() const { return defaultExt_; }
    void SetDefaultExt(const std::string& value) { defaultExt_ = value; }
    const std::string& InitialDir() const { return initialDir_; }
    void SetInitialDir(const std::string& value) { initialDir_ = value; }
    const std::string& FileName() const { return fileName_; }
    void SetFileName(const std::string& value) { fileName_ = value; }
    const std::string& Title() const { return title_; }
    void SetTitle(const std::string& value) { title_ = value; }
    // Default: ofHideReadOnly, ofEnableSizing.
    TOpenOptions Options() const { return options_; }
    void SetOptions(TOpenOptions value) { options_ = value; }
    int HelpContext() const { return helpContext_; }
    void SetHelpContext(int value) { helpContext_ = value; }

    // Shows the dialog owned by the active form; true when the user chose a
    // file (FileName and FilterIndex then hold the choice).
    virtual bool Execute();
    // The OFN_xxx flags of the options.
    static DWORD OptionsToFlags(TOpenOptions options);

protected:
    bool DoExecute(bool save);

private:
    std::string filter_;
    int filterIndex_ = 1;
    std::string defaultExt_;
    std::string initialDir_;
    std::string fileName_;
    std::string title_;
    TOpenOptions options_ = ofHideReadOnly | ofEnableSizing;
    int helpContext_ = 0;
};

class TSaveDialog : public TOpenDialog {
    CL_CLASS(TSaveDialog, TOpenDialog)
public:
    using TOpenDialog::TOpenDialog;
    bool Execute() override;
};

// Test seam: called instead of the system's file dialog (save tells which);
// it may read and set the dialog's properties and answers as Execute does.
using TFileDialogHook = std::function<bool(TOpenDialog& dialog, bool save)>;
void SetFileDialogHook(TFileDialogHook hook);

}  // namespace cl
