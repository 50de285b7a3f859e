#include "app/win/EEdits.h"

#include <cmath>

#include "app/win/Main.h"
#include "engine/calc1.h"

using namespace cl;

namespace {

// Off before any editor exists: Enter, Esc and the arrows belong to the
// main window and to the edit's own caret, not to the library's shortcuts.
const bool kNumericShortcutsOff = [] {
    NcEnterAsTab = false;
    NcEscUndo = false;
    NcArrowsMove = false;
    return true;
}();

constexpr LPARAM kKeyMarker = 0x10000;
constexpr int kFontSize = 8;

// Hidden, tooltip-coloured, in its parent's font, at the rectangle's top
// left and one pixel wider than it.  The parent itself comes last
// (ShowOn): a control gets its window when it gets a parent, and on Wine
// every later change of a live window costs a good part of a millisecond.
void Place(TWinControl& editor, const TWinControl& parent, const TRect& r) {
    editor.SetVisible(false);
    editor.SetColor(clInfoBk);
    editor.Font()->Assign(parent.Font());
    editor.SetBounds(r.left, r.top, r.right - r.left + 1, editor.Height());
}

// Complete: on its parent over the other controls there (the preview's
// sheet), and seen.  Raised while still hidden, which costs nothing to redraw.
void ShowOn(TWinControl& editor, TWinControl* parent) {
    editor.SetParent(parent);
    editor.BringToFront();
    editor.SetVisible(true);
}

// In a field taller than the control the font grows in proportion and the
// control takes the field's height (an edit then no longer sizes itself
// to its font); in a lower one both stay as they are.
void GrowToField(TWinControl& editor, const TRect& r) {
    if (auto* edit = dynamic_cast<TCustomEdit*>(&editor)) edit->SetAutoSize(true);
    editor.Font()->SetSize(kFontSize);
    const int h = r.bottom - r.top;
    if (editor.Height() >= h) return;
    const int size = static_cast<int>(std::trunc(kFontSize * (static_cast<double>(h) / editor.Height())));
    if (size <= kFontSize) return;
    if (auto* edit = dynamic_cast<TCustomEdit*>(&editor)) edit->SetAutoSize(false);
    editor.Font()->SetSize(size);
    editor.SetHeight(h);
}

// The numeric editors show nothing while the field is empty, take the
// tooltip colour while focused, and hold no more than a field: their keys
// are filtered, a paste is not.  Set before the text, so that a value
// leaves the Null state rather than being hidden by it.
void PrepareNumeric(TNcBaseNumericEdit& editor) {
    editor.SetNull(true);
    editor.SetNullStr("");
    editor.SetColorFocus(clInfoBk);
    editor.SetMaxLength(kLongestText);
}

}  // namespace

void PostEditorKey(WORD key, TShiftState shift) {
    PostMessageW(MainFormHandle, WM_USER_EDITOR_KEY, 0,
                 key | kKeyMarker | (static_cast<LPARAM>(shift) << 24));
}

bool IsPreDispatchedKey(TEditorKeys keys, WORD key, TShiftState shift) {
    switch (key) {
        case VK_TAB:
        case VK_ESCAPE:
            return true;
        case VK_RETURN:
            return keys == ekTabEnterEsc || (shift & ssCtrl);
        default:
            return false;
    }
}

bool IsKeyDownKey(TEditorKeys keys, WORD key, TShiftState shift) {
    return key != VK_TAB && IsPreDispatchedKey(keys, key, shift);
}

void PlaceEditor(TWinControl& editor, const TRect& R) {
    editor.SetLeft(R.left);
    editor.SetTop(R.top);
    editor.SetWidth(R.right - R.left + 1);
    if (dynamic_cast<TEMemo*>(&editor)) {
        editor.Font()->SetSize(kFontSize);
        editor.SetHeight(R.bottom - R.top);
    } else {
        GrowToField(editor, R);
    }
}

void EditorGoes(TWinControl* editor) {
    if (OpenEditor.Editor == editor) OpenEditor = {};
}

CL_CLASS_INFO(TEEdit)
CL_CLASS_INFO(TEMemo)
CL_CLASS_INFO(TEMaskEdit)
CL_CLASS_INFO(TEIntEdit)
CL_CLASS_INFO(TEFloatEdit)
CL_CLASS_INFO(TEChBox)

TEEdit::TEEdit(TComponent* AOwner, TWinControl* AParent, const TRect& R, const std::string& AText)
    : TFieldEditor(AOwner) {
    Place(*this, *AParent, R);
    SetMaxLength(kLongestText);
    SetText(AText);
    InstallHandlers();
    GrowToField(*this, R);
    ShowOn(*this, AParent);
}

TEMemo::TEMemo(TComponent* AOwner, TWinControl* AParent, const TRect& R, const std::string& AText)
    : TFieldEditor(AOwner) {
    Place(*this, *AParent, R);
    SetMaxLength(kLongestText);
    SetText(AText);
    InstallHandlers();
    Font()->SetSize(kFontSize);
    SetHeight(R.bottom - R.top);
    ShowOn(*this, AParent);
}

TEMaskEdit::TEMaskEdit(TComponent* AOwner, TWinControl* AParent, const TRect& R, const std::string& AText,
                       const std::string& AEditMask)
    : TFieldEditor(AOwner) {
    Place(*this, *AParent, R);
    SetMaxLength(kLongestText);  // without a mask; a mask takes only its own length
    SetText(AText);
    InstallHandlers();
    GrowToField(*this, R);
    // After the text and the size: the mask reads the text in.
    SetEditMask(AEditMask);
    ShowOn(*this, AParent);
}

TEIntEdit::TEIntEdit(TComponent* AOwner, TWinControl* AParent, const TRect& R, const std::string& AText)
    : TFieldEditor(AOwner) {
    Place(*this, *AParent, R);
    PrepareNumeric(*this);
    SetAsString(AText);
    InstallHandlers();
    GrowToField(*this, R);
    ShowOn(*this, AParent);
}

TEFloatEdit::TEFloatEdit(TComponent* AOwner, TWinControl* AParent, const TRect& R, const std::string& AText,
                         uint8_t ADecimals)
    : TFieldEditor(AOwner) {
    Place(*this, *AParent, R);
    PrepareNumeric(*this);
    SetDecimalPlaces(ADecimals);
    SetAsString(AText);
    InstallHandlers();
    GrowToField(*this, R);
    ShowOn(*this, AParent);
}

void TEFloatEdit::Reopen(const TRect& R, const std::string& AText, uint8_t ADecimals) {
    SetShowPosSign(false);
    // The sign's colour of the last value, which an empty one keeps.
    if (Parent()) Font()->SetColor(Parent()->Font()->Color());
    // Null, as a new editor starts; its empty text is not written into the
    // window first where another one follows (each write of a focused
    // edit costs Wine several server calls).
    if (AText == WindowText())
        SetNull(true);
    else
        SetNullFlag(true);
    floatValue_ = 0;
    SetDecimalPlaces(ADecimals);
    SetAsString(AText);
    SetBounds(R.left, R.top, R.right - R.left + 1, Height());
    GrowToField(*this, R);
    // A text equal to the last one is not written again, and what was typed
    // and undone leaves its marks.
    ClearUndo();
    SetModified(false);
    SelectAll();
}

TEChBox::TEChBox(TComponent* AOwner, TWinControl* AParent, const TRect& R, const std::string& AText)
    : TFieldEditor(AOwner) {
    Place(*this, *AParent, R);
    SetCaption(AText);
    OnClick = nullptr;
    InstallHandlers();
    Font()->SetStyle(fsBold);
    GrowToField(*this, R);
    ShowOn(*this, AParent);
}

void TEChBox::ClickNotify(TObject*) {
    SendMessageW(MainFormHandle, WM_USER_CHECKBOX_CLICK, 0, Tag() + (Checked() ? kKeyMarker : 0));
}
