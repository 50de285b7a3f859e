#include "persistence/StrHlder.h"

#include <algorithm>
#include <utility>

#include "classlib/Exceptions.h"
#include "classlib/Scope.h"
#include "classlib/StrUtils.h"
#include "persistence/FsStrUtils.h"

using namespace cl;

CL_CLASS_INFO(TMacro, Prop("Name", &TMacro::Name, &TMacro::SetName),
              StoredWhen(Prop("Value", &TMacro::Value, &TMacro::SetValue), &TMacro::IsValueStored))

CL_CLASS_INFO(TMacros)

CL_CLASS_INFO(TStrHolder, Prop("Capacity", &TStrHolder::Capacity, &TStrHolder::SetCapacity),
              Prop("MacroChar", &TStrHolder::MacroChar, &TStrHolder::SetMacroChar),
              Prop("Macros", &TStrHolder::Macros, &TStrHolder::SetMacros),
              EnumProp("Duplicates", {"dupIgnore", "dupAccept", "dupError"}, &TStrHolder::Duplicates,
                       &TStrHolder::SetDuplicates),
              NeverStored(Prop("KeyString", &TStrHolder::KeyString, &TStrHolder::SetKeyString)),
              Prop("Sorted", &TStrHolder::Sorted, &TStrHolder::SetSorted),
              NeverStored(Prop("Strings", &TStrHolder::Strings, &TStrHolder::SetStrings)))

// ---- TMacro ----------------------------------------------------------------------------
void TMacro::SetName(const std::string& value) {
    if (value == name_) return;
    if (collection_ && !value.empty() && !AnsiSameText(value, name_) && collection_->IndexOf(value) >= 0)
        throw EStringListError("String list does not allow duplicates");
    name_ = value;
}

std::string TMacro::Text() {
    std::string text = value_.IsEmpty() ? std::string() : value_.ToString();
    if (OnGetText) OnGetText(this, value_, text);
    return text;
}

void TMacro::Assign(TPersistent* source) {
    if (auto* other = dynamic_cast<TMacro*>(source)) {
        SetName(other->name_);
        value_ = other->value_;
        return;
    }
    TPersistent::Assign(source);
}

// ---- TMacros ---------------------------------------------------------------------------
TMacros::~TMacros() = default;

TMacro* TMacros::Items(int index) const {
    if (index < 0 || index >= Count()) throw EListError("List index out of bounds (" + IntToStr(index) + ")");
    return items_[static_cast<size_t>(index)].get();
}

TMacro* TMacros::Add() {
    items_.push_back(std::make_unique<TMacro>(this));
    return items_.back().get();
}

void TMacros::Delete(int index) {
    Items(index);  // checks the index
    items_.erase(items_.begin() + index);
}

void TMacros::Clear() {
    items_.clear();
}

int TMacros::IndexOf(std::string_view name) const {
    for (int i = 0; i < Count(); ++i)
        if (AnsiSameText(items_[static_cast<size_t>(i)]->Name(), name)) return i;
    return -1;
}

TMacro* TMacros::FindMacro(std::string_view name) const {
    const int i = IndexOf(name);
    return i < 0 ? nullptr : items_[static_cast<size_t>(i)].get();
}

void TMacros::Assign(TPersistent* source) {
    auto* other = dynamic_cast<TMacros*>(source);
    if (!other) return TPersistent::Assign(source);
    if (other == this) return;
    Clear();
    for (const auto& item : other->items_) Add()->Assign(item.get());
}

TPersistent* TMacros::GetOwner() const {
    return owner_;
}

// ---- Finding the names -----------------------------------------------------------------
namespace {

bool IsQuote(char c) {
    return c == '"' || c == '\'';
}

bool IsDelimiter(char c, char macroChar) {
    constexpr std::string_view kPunctuation = ";,.:!?+-*/\\|=<>()[]{}&^~@#$`";
    const auto u = static_cast<unsigned char>(c);
    return u <= ' ' || c == macroChar || kPunctuation.find(c) != std::string_view::npos;
}

}  // namespace

std::vector<TMacroSpan> FindMacroSpans(std::string_view text, char macroChar) {
    std::vector<TMacroSpan> spans;
    char quote = 0;
    size_t i = 0;
    while (i < text.size()) {
        const char c = text[i];
        if (quote) {
            if (c == quote) quote = 0;
            ++i;
        } else if (IsQuote(c)) {
            quote = c;
            ++i;
        } else if (c != macroChar) {
            ++i;
        } else if (i + 1 < text.size() && text[i + 1] == macroChar) {
            spans.push_back({i, i + 2, ""});  // a literal macro character
            i += 2;
        } else {
            size_t end = i + 1;
            for (char inner = 0; end < text.size(); ++end) {
                const char d = text[end];
                if (inner) {
                    if (d == inner) inner = 0;
                } else if (IsQuote(d)) {
                    inner = d;
                } else if (IsDelimiter(d, macroChar)) {
                    break;
                }
            }
            std::string name(text.substr(i + 1, end - i - 1));
            if (name.size() >= 2 && IsQuote(name.front()) && name.back() == name.front())
                name = name.substr(1, name.size() - 2);
            // A lone macro character names nothing and stays as it is.
            if (!name.empty()) spans.push_back({i, end, std::move(name)});
            i = end;
        }
    }
    return spans;
}

std::vector<std::string> FindMacroNames(std::string_view text, char macroChar) {
    std::vector<std::string> names;
    for (TMacroSpan& span : FindMacroSpans(text, macroChar)) {
        const std::string& name = span.Name;
        const bool known = std::any_of(names.begin(), names.end(),
                                       [&name](const std::string& n) { return AnsiSameText(n, name); });
        if (!name.empty() && !known) names.push_back(std::move(span.Name));
    }
    return names;
}

// ---- TStrHolder ------------------------------------------------------------------------
TStrHolder::TStrHolder(TComponent* owner) : TComponent(owner), macros_(std::make_unique<TMacros>(this)) {
    strings_.OnChanging = [this](TStringList&) { Changing(); };
    strings_.OnChange = [this](TStringList&) { Changed(); };
}

TStrHolder::~TStrHolder() {
    // The list's events reach into this object; none may run from here on.
    strings_.OnChanging = nullptr;
    strings_.OnChange = nullptr;
}

void TStrHolder::SetMacroChar(char value) {
    if (value == macroChar_) return;
    macroChar_ = value;
    RecreateMacros();
}

void TStrHolder::SetStrings(TStrings* value) {
    if (value) strings_.Assign(*value);
}

void TStrHolder::Assign(TPersistent* source) {
    if (auto* other = dynamic_cast<TStrHolder*>(source)) return strings_.Assign(other->strings_);
    if (auto* lines = dynamic_cast<TStrings*>(source)) return strings_.Assign(*lines);
    TComponent::Assign(source);
}

void TStrHolder::AssignTo(TPersistent* dest) {
    if (auto* lines = dynamic_cast<TStrings*>(dest)) return lines->Assign(strings_);
    TComponent::AssignTo(dest);
}

std::string TStrHolder::ExpandMacros() {
    if (OnExpandMacros) OnExpandMacros(this);
    const std::string text = strings_.Text();
    std::string expanded;
    size_t done = 0;
    for (const TMacroSpan& span : FindMacroSpans(text, macroChar_)) {
        expanded.append(text, done, span.Start - done);
        done = span.End;
        if (span.Name.empty()) {
            expanded += macroChar_;
        } else if (TMacro* macro = macros_->FindMacro(span.Name)) {
            expanded += macro->Text();
        } else {
            // A name the macros do not know (the lines were read from a
            // stream since): it stays as written.
            expanded.append(text, span.Start, span.End - span.Start);
        }
    }
    return expanded + text.substr(done);
}

void TStrHolder::Changing() {
    if (OnChanging) OnChanging(this);
}

void TStrHolder::Changed() {
    RecreateMacros();
    if (OnChange) OnChange(this);
}

void TStrHolder::RecreateMacros() {
    if (reading_ || (ComponentState() & csReading)) return;
    TMacros found(this);
    for (const std::string& name : FindMacroNames(strings_.Text(), macroChar_)) {
        TMacro* macro = found.Add();
        macro->SetName(name);
        if (const TMacro* old = macros_->FindMacro(name)) macro->SetValue(old->Value());
    }
    macros_->Assign(&found);
}

void TStrHolder::WriteStrData(TStrings& data) const {
    data.BeginUpdate();
    ScopeExit end([&data] { data.EndUpdate(); });
    data.Clear();
    data.Add(keyString_);
    for (int i = 0; i < strings_.Count(); ++i) data.Add(XorEncodeHex(keyString_, strings_.Get(i)));
}

void TStrHolder::ReadStrData(const TStrings& data, int internalVer) {
    FlagScope reading(reading_);
    strings_.BeginUpdate();
    ScopeExit end([this] { strings_.EndUpdate(); });
    strings_.Clear();
    keyString_ = data.Count() > 0 ? data.Get(0) : std::string();
    const std::string shortKey = keyString_.substr(0, 255);
    for (int i = 1; i < data.Count(); ++i)
        strings_.Add(internalVer >= 1 ? XorDecodeHex(keyString_, data.Get(i))
                                      : XorShortStr(shortKey, data.Get(i)));
}

bool TStrHolder::StrDataStored(const TStrHolder* ancestor) const {
    if (!ancestor) return strings_.Count() > 0 || !keyString_.empty();
    if (ancestor->keyString_ != keyString_ || ancestor->strings_.Count() != strings_.Count()) return true;
    for (int i = 0; i < strings_.Count(); ++i)
        if (ancestor->strings_.Get(i) != strings_.Get(i)) return true;
    return false;
}

void TStrHolder::DefineProperties(TFiler& filer) {
    TComponent::DefineProperties(filer);
    filer.DefineProperty(
        "InternalVer", [this](TReader& reader) { streamVer_ = reader.ReadInteger(); },
        [](TWriter& writer) { writer.WriteInteger(kInternalVer); }, StrDataStored(nullptr));
    filer.DefineProperty(
        "StrData",
        [this](TReader& reader) {
            TStringList data;
            reader.ReadListBegin();
            while (!reader.EndOfList()) data.Add(reader.ReadString());
            reader.ReadListEnd();
            ReadStrData(data, streamVer_);
        },
        [this](TWriter& writer) {
            TStringList data;
            WriteStrData(data);
            writer.WriteListBegin();
            for (int i = 0; i < data.Count(); ++i) writer.WriteString(data.Get(i));
            writer.WriteListEnd();
        },
        StrDataStored(nullptr));
}
