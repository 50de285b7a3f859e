#pragma once
// The rich edit: a memo over the system's rich edit control (riched20.dll,
// else riched32.dll), whose lines load and save rich text (RTF) or plain
// text through the control's stream messages.  Text crosses as Windows-1250.

#include <windows.h>
// After windows.h, which it needs.
#include <richedit.h>

#include <memory>
#include <string>

#include "classlib/Streams.h"
#include "classlib/win/StdCtrls.h"

namespace cl {

// 2 with riched20.dll, 1 with only riched32.dll, 0 with neither.
int RichEditVersion();
// The process's rich edits are made by riched32.dll, as where riched20.dll
// is missing: for the tests of the older control, before the first rich edit.
void UseOlderRichEditLibrary();

class TCustomRichEdit : public TCustomMemo {
    CL_CLASS(TCustomRichEdit, TCustomMemo)
public:
    explicit TCustomRichEdit(TComponent* owner);
    ~TCustomRichEdit() override;

    // The control's lines; loading and saving go through the stream
    // messages in the format PlainText chooses.
    TStrings* Lines() const { return richLines_.get(); }
    // Lines load and save plain text instead of RTF.
    bool PlainText() const { return plainText_; }
    void SetPlainText(bool value) { plainText_ = value; }
    // False: scroll bars that are not needed show disabled instead of hidden.
    bool HideScrollBars() const { return hideScrollBars_; }
    void SetHideScrollBars(bool value);

    // Selection text through the control (its positions count a line break as one).
    std::string SelText();

    // The contents as RTF (or plain text) from the stream, replacing
    // everything.  RTF the control rejects is read again as plain text;
    // EOutOfResources "Failed to Load Stream" when that fails too.
    void StreamIn(TStream& stream, bool plain);
    // EOutOfResources "Failed to Save Stream" on failure.
    void StreamOut(TStream& stream, bool plain);

    TNotifyEvent OnSelectionChange;

    void WndProc(TMessage& message) override;

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateWnd() override;
    // Keeps the formatted contents and the modified flag for the next window.
    void DestroyWnd() override;
    // A new window, before the contents of the old one come back.
    virtual void PrepareWindow() {}
    // Whether the lines' changes (put, insert, delete) can be undone.
    virtual bool UndoableEdits() const { return false; }
    // The text in Windows-1250 exactly as the control holds it (EM_GETTEXTEX).
    std::string GetText() const override;
    // EN_SELCHANGE: fires OnSelectionChange.
    virtual void SelectionChange();

private:
    class TRichEditStrings;
    void ApplySettings();

    std::unique_ptr<TStrings> richLines_;
    bool plainText_ = false;
    bool hideScrollBars_ = true;
    // The contents (RTF, or plain text for PlainText) and the modified
    // flag kept while the window is recreated.
    std::unique_ptr<TMemoryStream> saved_;
    bool savedModified_ = false;
};

class TRichEdit : public TCustomRichEdit {
    CL_CLASS(TRichEdit, TCustomRichEdit)
public:
    using TCustomRichEdit::TCustomRichEdit;
};

}  // namespace cl
