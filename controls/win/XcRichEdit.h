#pragma once
// TXcRichEdit: the rich-text viewer.  The class library's rich edit (its
// RichEdit20W window, its Windows-1250 streaming and its recreation that
// keeps the formatted text) with
//   - loading through the conversions of XcRichEditConversions.h: the
//     file's extension and first bytes choose rich or plain text, and a
//     format the control rejects before taking anything in is tried again
//     in the other one; a file that cannot be opened raises the class
//     library's file error and the old text stays;
//   - the rich edit's version from riched20.dll's file version;
//   - web addresses detected, the undo limit, word selection, zoom, a
//     selection bar and the language options;
//   - the shared edit pop-up menu when it has no PopupMenu of its own, one
//     menu per right click;
//   - saving through the conversions, the stream modes in both directions;
//   - character and paragraph attributes (XcRichEditAttributes.h);
//   - printing, finding and replacing (the system's find and replace
//     dialogs), protected text, and the clipboard kept when it goes;
//   - embedded objects through the object callback (XcRichEditObjects.h),
//     in place when allowed, and a selected object's verbs as the context
//     menu;
//   - on the older control (riched32.dll, version 1) its own line breaks,
//     an insertion the control cut short reported, and its paint kept from
//     nesting.

#include <functional>
#include <memory>
#include <string>

#include "classlib/StringList.h"
#include "classlib/win/RichEdit.h"
#include "controls/XcEditMenuStates.h"
#include "controls/XcRichEditConversions.h"
#include "controls/win/XcEnhancedControl.h"
#include "controls/win/XcRichEditAttributes.h"
#include "controls/win/XcRichEditObjects.h"

// 1 with only riched32.dll; otherwise the minor part of riched20.dll's
// file version divided by 10 (Wine's 5.30 gives 3), 2 when that is 0;
// 0 without a rich edit library.
int XcRichEditVersion();

enum TRichStreamMode : uint8_t { smSelection = 1, smPlainRtf = 2, smNoObjects = 4, smUnicode = 8 };
using TRichStreamModes = uint8_t;  // or'ed TRichStreamMode bits

enum TRichLangOption : uint8_t {
    rlAutoKeyboard = 1,
    rlAutoFont = 2,
    rlImeCancelComplete = 4,
    rlImeAlwaysSendNotify = 8,
};
using TRichLangOptions = uint8_t;

class TXcCustomRichEdit;

// The viewer's lines: the class library's rich edit lines (a line is never
// cut, however long), loaded and saved through the conversions.
class TXcRichEditStrings : public cl::TStrings {
public:
    explicit TXcRichEditStrings(TXcCustomRichEdit* edit) : edit_(edit) {}

    int Count() const override;
    std::string Get(int index) const override;
    void Put(int index, const std::string& s) override;
    // At the start of line index ("s\r"), or at index Count after the end of
    // the last line ("\rs"); "\r\n" on version 1, where an insertion the
    // control cut short raises EOutOfResources "RichEdit line insertion error".
    void Insert(int index, const std::string& s) override;
    void Delete(int index) override;
    void Clear() override;
    std::string Text() const override;
    void SetText(std::string_view text) override;

    // Replaces the whole text (smSelection: the selection) with the file's.
    void LoadFromFile(const std::string& fileName) override;
    void LoadFromStream(cl::TStream& stream) override;
    // The text (smSelection: the selection) through the conversion of the
    // file's extension, or the stream's (the default converter, else rich
    // text unless plain); "Failed to Save Stream" when the control cannot
    // give it.
    void SaveToFile(const std::string& fileName) const override;
    void SaveToStream(cl::TStream& stream) const override;

    TRichStreamFormat Format() const { return format_; }
    void SetFormat(TRichStreamFormat value) { format_ = value; }
    TRichStreamModes Mode() const { return mode_; }
    void SetMode(TRichStreamModes value) { mode_ = value; }

protected:
    void SetUpdateState(bool updating) override;

private:
    cl::TStrings& Base() const;

    TXcCustomRichEdit* edit_;
    TRichStreamFormat format_ = sfDefault;
    TRichStreamModes mode_ = 0;
};

using TXcExRichEdit = TXcEnhanced<cl::TCustomRichEdit>;
using TRichEditURLClickEvent = std::function<void(cl::TObject* Sender, const std::string& URL)>;
using TRichEditResizeEvent = std::function<void(cl::TObject* Sender, const cl::TRect& Rect)>;
using TRichEditProgressEvent = std::function<void(cl::TObject* Sender, int Percent)>;
// Protected text from StartPos to EndPos is about to change; AllowChange
// starts false.
using TRichEditProtectChange =
    std::function<void(cl::TObject* Sender, int StartPos, int EndPos, bool& AllowChange)>;
// The same with the message that would change it.
using TRichEditProtectChangeEx = std::function<void(cl::TObject* Sender, const cl::TMessage& Message,
                                                    int StartPos, int EndPos, bool& AllowChange)>;
// The control goes with data on the clipboard; SaveClipboard (true) keeps it there.
using TRichEditSaveClipboard =
    std::function<void(cl::TObject* Sender, int NumObjects, int NumChars, bool& SaveClipboard)>;
using TRichEditFindEvent = std::function<void(cl::TObject* Sender, const std::string& FindText)>;

enum TRichSearchType : uint8_t { stWholeWord = 1, stMatchCase = 2, stBackward = 4 };
using TRichSearchTypes = uint8_t;

class TXcCustomRichEdit : public TXcExRichEdit {
    CL_CLASS(TXcCustomRichEdit, TXcExRichEdit)
public:
    explicit TXcCustomRichEdit(cl::TComponent* owner);
    ~TXcCustomRichEdit() override;

    TXcRichEditStrings* Lines() const { return lines_.get(); }
    // The class library's lines, which the viewer's lines work through.
    cl::TStrings* BaseLines() const { return TXcExRichEdit::Lines(); }

    // Version 3 and later: the advanced line breaking.
    bool AdvancedTypography() const { return advancedTypography_; }
    void SetAdvancedTypography(bool value);
    // Justifying a paragraph switches AdvancedTypography on.
    bool AutoAdvancedTypography() const { return autoAdvancedTypography_; }
    void SetAutoAdvancedTypography(bool value) { autoAdvancedTypography_ = value; }
    bool AutoURLDetect() const;
    void SetAutoURLDetect(bool value);
    // A selected embedded object's verbs make the context menu.
    bool AutoVerbMenu() const { return autoVerbMenu_; }
    void SetAutoVerbMenu(bool value) { autoVerbMenu_ = value; }
    // The rich edit gets the object callback and may hold embedded objects.
    bool AllowObjects() const { return allowObjects_; }
    void SetAllowObjects(bool value);
    // Embedded objects may activate in place.
    bool AllowInPlace() const { return allowInPlace_; }
    void SetAllowInPlace(bool value) { allowInPlace_ = value; }
    TXcClipboardCommands ClipboardCommands() const { return clipboardCommands_; }
    void SetClipboardCommands(TXcClipboardCommands value) { clipboardCommands_ = value; }
    // The lines' changes in code (put, insert, delete) can be undone.
    bool ForceUndo() const { return forceUndo_; }
    void SetForceUndo(bool value) { forceUndo_ = value; }
    TRichLangOptions LangOptions() const { return langOptions_; }
    void SetLangOptions(TRichLangOptions value);
    // False forbids dragging objects in and out.
    bool OLEDragDrop() const { return oleDragDrop_; }
    void SetOLEDragDrop(bool value);
    // Switching keeps the text (as plain text when switching to it).
    bool PlainText() const { return TXcExRichEdit::PlainText(); }
    void SetPlainText(bool value);
    // A margin left of each line that selects the line.
    bool SelectionBar() const { return selectionBar_; }
    void SetSelectionBar(bool value);
    TRichStreamFormat StreamFormat() const { return lines_->Format(); }
    void SetStreamFormat(TRichStreamFormat value) { lines_->SetFormat(value); }
    TRichStreamModes StreamMode() const { return lines_->Mode(); }
    void SetStreamMode(TRichStreamModes value) { lines_->SetMode(value); }
    // The printed document's name when Print is given none.
    const std::string& Title() const { return title_; }
    void SetTitle(const std::string& value) { title_ = value; }
    // Where Print puts the text on the page, in the printer's pixels; an
    // empty one: the whole printable page.
    cl::TRect PageRect() const { return pageRect_; }
    void SetPageRect(const cl::TRect& value) { pageRect_ = value; }
    // The control's answer once it has a window.
    int UndoLimit() const { return undoLimit_; }
    void SetUndoLimit(int value);
    // The shared edit pop-up menu when PopupMenu is not set.
    bool UseFixedPopup() const { return useFixedPopup_; }
    void SetUseFixedPopup(bool value) { useFixedPopup_ = value; }
    bool WordSelection() const;
    void SetWordSelection(bool value);
    // Percent; 100 before version 3.
    int Zoom() const;
    void SetZoom(int value);

    // Loads and saves go through it instead of the list's choice.
    TXcConversion* DefaultConverter() const { return defaultConverter_; }
    void SetDefaultConverter(TXcConversion* value) { defaultConverter_ = value; }

    // Character attributes of the default text, the selection and the word
    // at the caret; paragraph attributes of the selection's paragraphs.
    TXcTextAttributes* DefAttributes() const { return defAttributes_.get(); }
    void SetDefAttributes(TXcTextAttributes* value) { defAttributes_->Assign(value); }
    TXcTextAttributes* SelAttributes() const { return selAttributes_.get(); }
    void SetSelAttributes(TXcTextAttributes* value) { selAttributes_->Assign(value); }
    TXcTextAttributes* WordAttributes() const { return wordAttributes_.get(); }
    void SetWordAttributes(TXcTextAttributes* value) { wordAttributes_->Assign(value); }
    TXcParaAttributes* Paragraph() const { return paragraph_.get(); }
    void SetParagraph(TXcParaAttributes* value) { paragraph_->Assign(value); }
    // The screen's pixels per inch when the control was made.
    int ScreenLogPixels() const { return screenLogPixels_; }
    // The rectangle of the last resize request (EN_REQUESTRESIZE).
    cl::TRect ResizeRect() const { return resizeRect_; }
    // The callback the control hands the rich edit (made with the control).
    IRichEditOleCallback* ObjectCallback() const { return callback_.Get(); }
    // The rich edit's object interface while the window holds objects.
    IRichEditOle* RichEditOle() const { return ole_.Get(); }

    // Where text first occurs in the range from startPos on (length
    // characters; backward from startPos + length with stBackward); -1 when
    // it does not.
    int FindText(const std::string& text, int startPos, int length, TRichSearchTypes options);
    // The system's find (and replace) dialog for the control, searching
    // from the selection.  Text not found raises OnTextNotFound; the dialog
    // closing, OnCloseFindDialog.
    void FindDialog(const std::string& text);
    void ReplaceDialog(const std::string& text, const std::string& replaceText);
    // The open find or replace dialog, nullptr when none.
    HWND FindDialogWindow() const;
    void CloseFindDialog();
    // The whole text on the printer in one job, page by page; caption names
    // the job (Title when empty).
    virtual void Print(const std::string& caption);

    TRichEditURLClickEvent OnURLClick;
    TRichEditResizeEvent OnResizeRequest;
    TRichEditProgressEvent OnConversionProgress;
    TRichEditProtectChange OnProtectChange;
    TRichEditProtectChangeEx OnProtectChangeEx;
    TRichEditSaveClipboard OnSaveClipboard;
    TRichEditFindEvent OnTextNotFound;
    cl::TNotifyEvent OnCloseFindDialog;
    cl::TNotifyEvent OnHorizontalScroll;
    cl::TNotifyEvent OnVerticalScroll;

    cl::TPopupMenu* GetPopupMenu() const override;
    void WndProc(cl::TMessage& message) override;

protected:
    void CreateParams(cl::TCreateParams& params) override;
    void CreateWnd() override;
    // Closes the find dialog, which goes with the window.
    void DestroyWnd() override;
    void PrepareWindow() override;
    bool UndoableEdits() const override { return forceUndo_; }
    // The search of the find dialog found nothing: OnTextNotFound.
    virtual void TextNotFound(const std::string& findText);
    // EN_REQUESTRESIZE: remembered, then OnResizeRequest.
    virtual void RequestSize(const cl::TRect& rect);
    // The find or replace dialog closed: OnCloseFindDialog.
    virtual void FindDialogClosed();

private:
    friend class TXcRichEditStrings;
    class StreamTarget;
    // The find or replace dialog's data, which must live as long as it does.
    struct FindSession {
        static constexpr size_t kFieldLength = 256;
        // The dialog is gone (or going).
        void Forget() noexcept;
        ~FindSession() { Forget(); }

        FINDREPLACEW request{};
        wchar_t findWhat[kFieldLength] = {};
        wchar_t replaceWith[kFieldLength] = {};
        HWND dialog = nullptr;
    };
    // Opens through open() (openFailure when it cannot), reports the
    // conversion's progress, runs body with the format of the load or save
    // (true: rich text) and closes the conversion.
    void WithConversion(TXcConversion& conversion, const std::function<bool()>& open, const char* openFailure,
                        const std::function<void(bool)>& body);
    // Opens through open(), streams in by the load's format, and puts the
    // caret at the start; on failure the old text comes back.
    void LoadThrough(TXcConversion& conversion, const std::function<bool()>& open);
    // Opens through open() and streams the text out in the save's format.
    void SaveThrough(TXcConversion& conversion, const std::function<bool()>& open);
    void ApplyOptions();
    // The callback handed over, the object interface fetched, the host named.
    void AttachObjects();
    void DetachObjects();
    // The older control's paint with its right edge again.
    void PaintVersion1(cl::TMessage& m);
    // An EM_SETOPTIONS option on or off, when there is a window.
    void SetOption(LPARAM option, bool on);
    void Notify(cl::TMessage& m);
    void OpenFindDialog(bool replace, const std::string& text, const std::string& replaceText);
    // The find dialog's registered message; true when it was the dialog's.
    static UINT FindDialogMessage();
    bool HandleFindMessage(cl::TMessage& m);
    // The dialog's search from the selection; false when nothing was found.
    bool FindNext(const std::string& text, DWORD flags);

    std::unique_ptr<TXcRichEditStrings> lines_;
    std::unique_ptr<TXcTextAttributes> defAttributes_, selAttributes_, wordAttributes_;
    std::unique_ptr<TXcParaAttributes> paragraph_;
    std::unique_ptr<FindSession> find_;
    bool advancedTypography_ = false;
    bool autoAdvancedTypography_ = true;
    bool autoURLDetect_ = true;
    bool forceUndo_ = true;
    int screenLogPixels_ = 96;
    cl::TRect resizeRect_{};
    std::string title_;
    cl::TRect pageRect_{};
    TXcClipboardCommands clipboardCommands_ = kAllClipboardCommands;
    TRichLangOptions langOptions_ = rlAutoFont;
    bool oleDragDrop_ = true;
    bool selectionBar_ = true;
    int undoLimit_ = 100;
    bool useFixedPopup_ = true;
    bool wordSelection_ = true;
    int zoom_ = 100;
    TXcConversion* defaultConverter_ = nullptr;
    bool autoVerbMenu_ = true;
    bool allowObjects_ = true;
    bool allowInPlace_ = true;
    Microsoft::WRL::ComPtr<IRichEditOleCallback> callback_;
    Microsoft::WRL::ComPtr<IRichEditOle> ole_;
    // The last verb menu, freed by the next context menu or with the control.
    mutable cl::TPopupMenu* verbMenu_ = nullptr;
    // A WM_CONTEXTMENU arrived while a right button's release was handled.
    bool contextMenuSeen_ = false;
};

class TXcRichEdit : public TXcCustomRichEdit {
    CL_CLASS(TXcRichEdit, TXcCustomRichEdit)
public:
    using TXcCustomRichEdit::TXcCustomRichEdit;
};
