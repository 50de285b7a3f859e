#pragma once
// TCustomMaskEdit: an edit whose text follows an edit mask.
//
// A mask has up to three fields separated by ';': the mask itself, '0'
// when the literals are not part of Text (anything else: they are), and
// the character shown in blank positions ('_' by default).  Mask
// characters: 0 digit, 9 optional digit, # optional digit or sign, L/l
// letter, A/a letter or digit, C/c any character (the upper-case ones are
// required), > upper case and < lower case for what follows (<> neither),
// \ the next character as a literal, _ a blank literal; anything else is a
// literal.  Typing overwrites one position at a time and steps over the
// literals; Backspace and Delete blank positions.

#include <string>
#include <vector>

#include "classlib/Exceptions.h"
#include "classlib/win/StdCtrls.h"

namespace cl {

class EDBEditError : public Exception {
public:
    using Exception::Exception;
    const char* ClassName() const override { return "EDBEditError"; }
};

class TCustomMaskEdit : public TCustomEdit {
    CL_CLASS(TCustomMaskEdit, TCustomEdit)
public:
    explicit TCustomMaskEdit(TComponent* owner);

    // Setting it re-reads the current text through the new mask.
    const std::string& EditMask() const { return editMask_; }
    void SetEditMask(const std::string& value);
    bool IsMasked() const { return !positions_.empty(); }
    // What the window shows: literals and the blank character included.
    // (Text is the value: blanks as spaces, literals only when saved.)
    std::string EditText() const;
    void SetEditText(const std::string& value);

    // With a masked, modified text: a required position left blank
    // focuses the edit and raises EDBEditError (leaving the edit does it).
    virtual void ValidateEdit();
    // Whether value fills every required position; pos is the first that
    // it does not.
    bool Validate(const std::string& value, int& pos) const;
    // Back to the text the edit had when it was entered.
    void Reset();

    void WndProc(TMessage& message) override;

protected:
    std::string GetText() const override;
    void SetTextValue(const std::string& value) override;
    void CreateWnd() override;
    void KeyDown(WORD& key, TShiftState shift) override;
    void KeyPress(char& key) override;
    void WMPaste(TMessage& message) override;
    void WMCut(TMessage& message) override;
    // Beeps and raises EDBEditError.
    virtual void ValidateError();

private:
    enum TCaseConversion { ccNone, ccUpper, ccLower };
    struct MaskPosition {
        char ch;  // the literal, or the mask character of an input position
        bool literal;
        bool required;
        TCaseConversion conversion;
    };
    int MaxChars() const { return static_cast<int>(positions_.size()); }
    // The first input position at or after pos (MaxChars when none).
    int NextInput(int pos) const;
    // The last input position before pos (-1 when none).
    int PrevInput(int pos) const;
    bool IsValidChar(char c, int pos) const;
    char Converted(char c, int pos) const;
    // The mask's empty text with value's characters put in by position
    // (or one by one into the input positions when literals are not saved).
    std::string Formatted(const std::string& value) const;
    // Selects the character at pos with the caret before it.
    void SetCursor(int pos);
    void CheckCursor();
    void CharKeys(char c);
    void DeleteKeys(WORD key);
    void ReplaceRange(int start, int stop, const std::string& s);

    std::string editMask_;
    std::vector<MaskPosition> positions_;
    bool saveLiterals_ = true;
    char blank_ = '_';
    std::string oldValue_;
    bool reEnter_ = false;
};

class TMaskEdit : public TCustomMaskEdit {
    CL_CLASS(TMaskEdit, TCustomMaskEdit)
public:
    using TCustomMaskEdit::TCustomMaskEdit;
};

}  // namespace cl
