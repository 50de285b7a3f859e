#pragma once
// The field editors (unit EEdits): six small controls the main window
// places over a field of the shown page while the user types its value.
// Each is built from the field's rectangle in the preview's pixels,
// coloured as a tooltip, its font grown to fill a taller field, and shown
// only once complete.  None acts on Tab, Enter or Esc itself: it posts
// them to the main window (WM_USER+100), which stores the value and moves
// on after the editor has finished its own key handling.
//
// The unit switches the numeric edits' Enter-as-Tab, Esc-undo and
// arrows-move options off at start, so those keys keep their plain
// meaning in the amount and integer editors.

#include <string>

#include "app/win/MainMessages.h"
#include "classlib/win/Mask.h"
#include "classlib/win/StdCtrls.h"
#include "controls/numeric/win/NcKitNumEdit.h"

// Which keys an editor hands to the main window from its key pre-dispatch.
enum TEditorKeys {
    ekTabEnterEsc,      // Tab, Enter, Esc
    ekTabCtrlEnterEsc,  // the memo: Tab, Ctrl+Enter, Esc (a plain Enter breaks the line)
};

// Posts key with the shift state to the main window as WM_USER+100:
// LParam = key | $10000 | shift << 24.
void PostEditorKey(WORD key, cl::TShiftState shift);
// Whether key with shift is one the editor hands over from its key
// pre-dispatch (CN_KEYDOWN), and from its OnKeyDown (no Tab there).
bool IsPreDispatchedKey(TEditorKeys keys, WORD key, cl::TShiftState shift);
bool IsKeyDownKey(TEditorKeys keys, WORD key, cl::TShiftState shift);
// Moves an editor over R (the preview's pixels) and sizes it as its
// construction does: when the layout of the sheet changes under it.
void PlaceEditor(cl::TWinControl& editor, const cl::TRect& R);
// The editor goes: OpenEditor no longer names it.
void EditorGoes(cl::TWinControl* editor);

// What every editor adds to its control: the keys handed over (consumed,
// so no character follows), OnKeyDown and OnExit installed, and
// OpenEditor let go of however the editor is freed.
template <class Base, TEditorKeys Keys>
class TFieldEditor : public Base {
public:
    explicit TFieldEditor(cl::TComponent* owner) : Base(owner) {}
    ~TFieldEditor() override { EditorGoes(this); }

    void WndProc(cl::TMessage& m) override {
        if (m.Msg == cl::CN_KEYDOWN) {
            const WORD key = LOWORD(m.WParam);
            const cl::TShiftState shift = cl::KeyDataToShiftState(m.LParam);
            if (IsPreDispatchedKey(Keys, key, shift)) {
                PostEditorKey(key, shift);
                m.WParam = 0;
                m.Result = 1;
                return;
            }
        }
        Base::WndProc(m);
    }
    void BeforeDestruction() override {
        EditorGoes(this);
        Base::BeforeDestruction();
    }

protected:
    void InstallHandlers() {
        this->OnKeyDown = [](cl::TObject*, WORD& key, cl::TShiftState shift) {
            if (!IsKeyDownKey(Keys, key, shift)) return;
            PostEditorKey(key, shift);
            key = 0;
        };
        this->OnExit = [](cl::TObject*) { SendMessageW(MainFormHandle, WM_USER_EDITOR_EXIT, 0, 0); };
    }
};

// EditType 1: text.
class TEEdit : public TFieldEditor<cl::TEdit, ekTabEnterEsc> {
    CL_CLASS(TEEdit, cl::TEdit)
public:
    TEEdit(cl::TComponent* AOwner, cl::TWinControl* AParent, const cl::TRect& R, const std::string& AText);
};

// EditType 11: several lines.
class TEMemo : public TFieldEditor<cl::TMemo, ekTabCtrlEnterEsc> {
    CL_CLASS(TEMemo, cl::TMemo)
public:
    TEMemo(cl::TComponent* AOwner, cl::TWinControl* AParent, const cl::TRect& R, const std::string& AText);
};

// EditType 8 and 9: text through the field's mask (dates).
class TEMaskEdit : public TFieldEditor<cl::TMaskEdit, ekTabEnterEsc> {
    CL_CLASS(TEMaskEdit, cl::TMaskEdit)
public:
    TEMaskEdit(cl::TComponent* AOwner, cl::TWinControl* AParent, const cl::TRect& R, const std::string& AText,
               const std::string& AEditMask);
};

// EditType 10: a whole number; empty while it holds none (Null).
class TEIntEdit : public TFieldEditor<TNcIntEdit, ekTabEnterEsc> {
    CL_CLASS(TEIntEdit, TNcIntEdit)
public:
    TEIntEdit(cl::TComponent* AOwner, cl::TWinControl* AParent, const cl::TRect& R, const std::string& AText);
};

// EditType 6: an amount with ADecimals decimals; empty while it holds none.
class TEFloatEdit : public TFieldEditor<TNcFloatEdit, ekTabEnterEsc> {
    CL_CLASS(TEFloatEdit, TNcFloatEdit)
public:
    TEFloatEdit(cl::TComponent* AOwner, cl::TWinControl* AParent, const cl::TRect& R,
                const std::string& AText, uint8_t ADecimals);
    // Moves to another amount field and becomes what a new editor built
    // there with the same arguments would be: nothing to undo, not
    // modified, the whole text selected (as a new one is on entering), no
    // "+" typed.  Spares Wine the destruction of one window and the making
    // of the next on every Tab.
    void Reopen(const cl::TRect& R, const std::string& AText, uint8_t ADecimals);
};

// EditType 4: a tick; Tag holds the field number.  The main window
// attaches ClickNotify as OnClick once the initial state is set.
class TEChBox : public TFieldEditor<cl::TCheckBox, ekTabEnterEsc> {
    CL_CLASS(TEChBox, cl::TCheckBox)
public:
    TEChBox(cl::TComponent* AOwner, cl::TWinControl* AParent, const cl::TRect& R, const std::string& AText);
    // Sends WM_USER+102: the field number, plus $10000 when ticked.
    void ClickNotify(cl::TObject* Sender);
};
