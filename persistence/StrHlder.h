#pragma once
// TStrHolder: a component that keeps a list of lines in its window's stored
// layout, enciphered under a key, with macros: names written after the
// macro character in the lines ("%Name").  The program places one on the
// main window and never reads it.
//
// The stored form: the published properties (KeyString and Strings are
// never stored as such), then two properties it defines: "InternalVer"
// (always written as 1) and "StrData" (the key, then every line encoded
// under it), through the class library's component writer and reader.
// WriteStrData and ReadStrData build and take the "StrData" list;
// StrDataStored says whether a writer writes it.

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "classlib/Collection.h"
#include "classlib/Component.h"
#include "classlib/Filer.h"
#include "classlib/StringList.h"
#include "classlib/Variant.h"

class TStrHolder;
class TMacros;

// The macro text event: Text starts as the value's text and may be replaced.
using TMacroTextEvent = std::function<void(cl::TObject* Sender, cl::Variant& Data, std::string& Text)>;

// One macro: a name of the lines and the value that stands for it.
class TMacro : public cl::TPersistent {
    CL_CLASS(TMacro, cl::TPersistent)

    explicit TMacro(TMacros* collection) : collection_(collection) {}

    const std::string& Name() const { return name_; }
    // A name another macro of the collection has (without regard to case)
    // raises EStringListError "String list does not allow duplicates".
    void SetName(const std::string& value);
    const cl::Variant& Value() const { return value_; }
    void SetValue(const cl::Variant& value) { value_ = value; }
    // The value is stored only when it holds something.
    bool IsValueStored() const { return !value_.IsEmpty(); }
    TMacros* Collection() const { return collection_; }

    void Assign(cl::TPersistent* source) override;
    // What stands for the macro: the value's text, as OnGetText may change it.
    std::string Text();

    TMacroTextEvent OnGetText;

private:
    TMacros* collection_;
    std::string name_;
    cl::Variant value_;
};

// The macros of a string holder, in the order their names first appear.
class TMacros : public cl::TCollection {
    CL_CLASS(TMacros, cl::TCollection)

    explicit TMacros(TStrHolder* owner) : owner_(owner) {}
    ~TMacros() override;

    int Count() const override { return static_cast<int>(items_.size()); }
    // Raises EListError out of range.
    TMacro* Items(int index) const override;
    // A new macro without a name, at the end.
    TMacro* Add() override;
    void Delete(int index);
    void Clear() override;
    // Without regard to case; -1 or nullptr when there is none.
    int IndexOf(std::string_view name) const;
    TMacro* FindMacro(std::string_view name) const;

    // Copies the names and values of source (another TMacros).
    void Assign(cl::TPersistent* source) override;

protected:
    cl::TPersistent* GetOwner() const override;

private:
    TStrHolder* owner_;
    std::vector<std::unique_ptr<TMacro>> items_;
};

// The macros of a text in order: a macro character outside quotes (" or ')
// and not doubled starts a name that runs to the next delimiter outside
// quotes; a doubled one is a literal character (a span without a name); a
// name in quotes is taken without them.  The delimiters are control
// characters, blanks, punctuation and the macro character itself.
struct TMacroSpan {
    size_t Start, End;  // the characters [Start, End) of the text
    std::string Name;   // "" for a doubled macro character
};
std::vector<TMacroSpan> FindMacroSpans(std::string_view text, char macroChar);
// The macro names of text, each once (the first spelling kept).
std::vector<std::string> FindMacroNames(std::string_view text, char macroChar);

class TStrHolder : public cl::TComponent {
    CL_CLASS(TStrHolder, cl::TComponent)

    explicit TStrHolder(cl::TComponent* owner);
    ~TStrHolder() override;

    int Capacity() const { return capacity_; }
    void SetCapacity(int value) { capacity_ = value; }
    char MacroChar() const { return macroChar_; }
    // A new character finds the macros again.
    void SetMacroChar(char value);
    TMacros* Macros() const { return macros_.get(); }
    void SetMacros(TMacros* value) { macros_->Assign(value); }
    cl::TDuplicates Duplicates() const { return strings_.Duplicates(); }
    void SetDuplicates(cl::TDuplicates value) { strings_.SetDuplicates(value); }
    // Stored only within "StrData".
    const std::string& KeyString() const { return keyString_; }
    void SetKeyString(const std::string& value) { keyString_ = value; }
    bool Sorted() const { return strings_.Sorted(); }
    void SetSorted(bool value) { strings_.SetSorted(value); }
    // Stored only within "StrData".
    cl::TStrings* Strings() { return &strings_; }
    void SetStrings(cl::TStrings* value);

    // From another string holder or a list of strings: the lines.
    void Assign(cl::TPersistent* source) override;
    void Assign(const cl::TStrings& source) { strings_.Assign(source); }
    // Copies the lines into dest.
    void AssignTo(cl::TStrings& dest) const { dest.Assign(strings_); }

    // The lines as one text (CR LF after each) with every macro replaced:
    // OnExpandMacros fires first, so a handler may set the macros' values,
    // then each macro's Text stands in for it; a doubled macro character
    // gives one.  The lines themselves stay as they are.
    std::string ExpandMacros();

    // ---- The stored form -------------------------------------------------
    static constexpr int kInternalVer = 1;
    // "StrData": the key, then every line as XorEncodeHex under the key.
    void WriteStrData(cl::TStrings& data) const;
    // Takes "StrData" written by a stream of internalVer (0 when the stream
    // has no "InternalVer"): from 1 on each line is XorDecodeHex under the
    // key, before that XorShortStr under the key's first 255 characters.
    // The macros stay as they were read.
    void ReadStrData(const cl::TStrings& data, int internalVer);
    // Whether a writer writes "StrData": the lines or the key differ from
    // the ancestor's; without an ancestor, when there is either.
    bool StrDataStored(const TStrHolder* ancestor) const;
    // "InternalVer" and "StrData" (when there are lines or a key); the
    // macros stay as they were read.
    void DefineProperties(cl::TFiler& filer) override;

    cl::TNotifyEvent OnChange;
    cl::TNotifyEvent OnChanging;
    cl::TNotifyEvent OnExpandMacros;

protected:
    // Into a list of strings: the lines.
    void AssignTo(cl::TPersistent* dest) override;

private:
    void Changing();
    void Changed();
    // The macros become the names of the lines; a macro that stays keeps its value.
    void RecreateMacros();

    int capacity_ = 0;
    char macroChar_ = '%';
    std::string keyString_;
    cl::TStringList strings_;
    std::unique_ptr<TMacros> macros_;
    bool reading_ = false;
    // The "InternalVer" of the stream being read (0 for one without it).
    int streamVer_ = 0;
};
