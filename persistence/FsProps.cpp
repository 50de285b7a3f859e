#include "persistence/FsProps.h"

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <vector>

#include "classlib/Collection.h"
#include "classlib/Exceptions.h"
#include "classlib/NumberFormat.h"
#include "classlib/StrUtils.h"
#include "classlib/Variant.h"
#include "persistence/FsStrUtils.h"

using namespace cl;

namespace {

const char kNullReference[] = "(null)";

int FloatPrecision(TFloatType type) {
    switch (type) {
        case ftSingle:
            return 7;
        case ftDouble:
            return 15;
        default:
            // Extended and Comp; a currency is written exactly (CurrencyText).
            return 18;
    }
}

// A currency in the general format: all its digits (at most 19, so never
// an exponent), the fraction without trailing zeros, "." between.
std::string CurrencyText(Currency value) {
    const int64_t raw = value.Raw();
    // The magnitude of the most negative value does not fit an int64.
    const uint64_t magnitude = raw < 0 ? 0 - static_cast<uint64_t>(raw) : static_cast<uint64_t>(raw);
    std::string text = (raw < 0 ? "-" : "") + std::to_string(magnitude / 10000);
    std::string fraction = std::to_string(magnitude % 10000 + 10000).substr(1);
    while (!fraction.empty() && fraction.back() == '0') fraction.pop_back();
    return fraction.empty() ? text : text + "." + fraction;
}

// The text a currency property was written as, read exactly: a sign,
// digits and at most four decimals after ".".  False for anything else.
bool ExactCurrency(std::string_view text, Currency& value) {
    size_t i = 0;
    bool negative = false;
    if (!text.empty() && (text[0] == '-' || text[0] == '+')) {
        negative = text[0] == '-';
        i = 1;
    }
    const size_t dot = text.find('.', i);
    const std::string_view whole = text.substr(i, dot - i);
    const std::string_view fraction = dot == std::string_view::npos ? "" : text.substr(dot + 1);
    auto digits = [](std::string_view d) {
        return std::all_of(d.begin(), d.end(), [](char c) { return c >= '0' && c <= '9'; });
    };
    if (whole.empty() || whole.size() > 15 || fraction.size() > 4 || !digits(whole) || !digits(fraction))
        return false;
    std::string scaled = std::string(whole) + std::string(fraction) + std::string(4 - fraction.size(), '0');
    if (negative) scaled.insert(0, "-");
    int64_t raw;
    if (!TryStrToInt64(scaled, raw)) return false;
    value = Currency::FromRaw(raw);
    return true;
}

// Converting a value outside a float's range to it is undefined; such a
// text leaves the property alone.
bool FitsFloatType(Extended value, TFloatType type) {
    const Extended magnitude = std::fabs(value);
    switch (type) {
        case ftSingle:
            return magnitude <= FLT_MAX;
        case ftDouble:
            return magnitude <= DBL_MAX;
        default:
            return true;
    }
}

std::string SetText(const TPropInfo& prop, int64_t mask) {
    std::string text = "[";
    for (size_t bit = 0; bit < prop.EnumNames.size() && bit < 64; ++bit) {
        if (!(mask & (int64_t{1} << bit))) continue;
        if (text.size() > 1) text += ',';
        text += prop.EnumNames[bit];
    }
    return text + "]";
}

// False when the text is no bracketed list of the set's identifiers.
bool ParseSet(const TPropInfo& prop, const std::string& text, int64_t& mask) {
    if (text.size() < 2 || text.front() != '[' || text.back() != ']') return false;
    const std::string inner = Trim(std::string_view(text).substr(1, text.size() - 2));
    mask = 0;
    if (inner.empty()) return true;
    size_t from = 0;
    while (true) {
        const size_t comma = inner.find(',', from);
        const std::string ident = Trim(std::string_view(inner).substr(from, comma - from));
        const int bit = prop.EnumValue(ident);
        if (ident.empty() || bit < 0 || bit >= 64) return false;
        mask |= int64_t{1} << bit;
        if (comma == std::string::npos) return true;
        from = comma + 1;
    }
}

bool IsComponentReference(const TPropInfo& prop) {
    const TClassInfo* cls = prop.PropClass();
    return cls && cls->InheritsFrom(TComponent::StaticClassInfo());
}

bool IsStringKind(TTypeKind kind) {
    return kind == tkString || kind == tkChar;
}

std::string ItemKey(int index) {
    return "Item" + IntToStr(index);
}

}  // namespace

CL_CLASS_INFO(TPropsStorage)

bool SplitStoredEntry(const std::string& entry, std::string& component, std::string& property) {
    const size_t dot = entry.find('.');
    if (dot == std::string::npos) return false;
    component = Trim(std::string_view(entry).substr(0, dot));
    property = Trim(std::string_view(entry).substr(dot + 1));
    return !component.empty() && !property.empty();
}

void UpdateStoredList(TComponent* root, TStrings& list, bool fromRoot) {
    for (int i = list.Count() - 1; i >= 0; --i) {
        std::string component, property;
        if (!SplitStoredEntry(list.Strings(i), component, property)) {
            list.Delete(i);
            continue;
        }
        if (fromRoot) {
            TComponent* c = root ? root->FindComponent(component) : nullptr;
            if (!c || !GetPropInfo(*c, property)) {
                list.Delete(i);
                continue;
            }
            list.SetObjects(i, c);
        } else if (auto* c = static_cast<TComponent*>(list.Objects(i))) {
            list.SetStrings(i, c->Name() + "." + property);
        }
    }
}

// ---- TPropInfoList -------------------------------------------------------------------
const TPropInfo* TPropInfoList::Items(int index) const {
    if (index < 0 || index >= Count()) throw EListError("List index out of bounds (" + IntToStr(index) + ")");
    return list_[static_cast<size_t>(index)];
}

const TPropInfo* TPropInfoList::Find(std::string_view name) const {
    for (const TPropInfo* prop : list_)
        if (SameText(prop->Name, name)) return prop;
    return nullptr;
}

void TPropInfoList::Delete(int index) {
    Items(index);  // checks the index
    list_.erase(list_.begin() + index);
}

// ---- Callbacks ------------------------------------------------------------------------
std::string TPropsStorage::ReadString(const std::string& section, const std::string& item,
                                      const std::string& def) {
    return OnReadString ? OnReadString(section, item, def) : std::string();
}

void TPropsStorage::WriteString(const std::string& section, const std::string& item,
                                const std::string& value) {
    if (OnWriteString) OnWriteString(section, item, value);
}

void TPropsStorage::EraseSection(const std::string& section) {
    if (OnEraseSection) OnEraseSection(section);
}

std::string TPropsStorage::GetItemName(const std::string& propName) {
    return Prefix + propName;
}

std::unique_ptr<TPropsStorage> TPropsStorage::CreateStorage() const {
    return std::make_unique<TPropsStorage>();
}

// ---- Entries ------------------------------------------------------------------------
void TPropsStorage::ForEachEntry(TStrings& list, const std::function<void(const TPropInfo&)>& each) {
    for (int i = 0; i < list.Count(); ++i) {
        std::string component, property;
        auto* c = static_cast<TComponent*>(list.Objects(i));
        if (!c || !SplitStoredEntry(list.Strings(i), component, property)) continue;
        const TPropInfo* prop = TPropInfoList(*c).Find(property);
        if (!prop) continue;
        AObject = c;
        Prefix = c->Name() + "_";
        each(*prop);
    }
}

void TPropsStorage::StoreProperties(TStrings& list) {
    ForEachEntry(list, [this](const TPropInfo& prop) { StoreAnyProperty(prop); });
}

void TPropsStorage::LoadProperties(TStrings& list) {
    ForEachEntry(list, [this](const TPropInfo& prop) {
        try {
            LoadAnyProperty(prop);
        } catch (const std::exception&) {
            // A value the property refuses keeps what it had; one bad value
            // must not cost the user every setting after it.
        }
    });
}

void TPropsStorage::StoreObjectProperties() {
    if (!AObject) return;
    const TPropInfoList props(*AObject);
    for (int i = 0; i < props.Count(); ++i) StoreAnyProperty(*props.Items(i));
}

void TPropsStorage::LoadObjectProperties() {
    if (!AObject) return;
    const TPropInfoList props(*AObject);
    for (int i = 0; i < props.Count(); ++i) LoadAnyProperty(*props.Items(i));
}

// ---- One property ---------------------------------------------------------------------
void TPropsStorage::StoreAnyProperty(const TPropInfo& prop) {
    if (!AObject) return;
    std::string text;
    if (!PropertyText(prop, text)) {
        if (prop.Kind != tkClass) return;
        if (TObject* obj = prop.GetObject(*AObject)) StoreObject(prop, *obj);
        return;
    }
    if (text.empty() && !IsStringKind(prop.Kind)) return;
    WriteString(Section, GetItemName(prop.Name), Trim(text));
}

void TPropsStorage::LoadAnyProperty(const TPropInfo& prop) {
    if (!AObject) return;
    std::string current;
    if (!PropertyText(prop, current)) {
        if (prop.Kind != tkClass) return;
        if (TObject* obj = prop.GetObject(*AObject)) LoadObject(prop, *obj);
        return;
    }
    // A value without a text form has nothing to be read as.
    if (prop.IsReadOnly() || (current.empty() && !IsStringKind(prop.Kind))) return;
    SetPropertyText(prop, Trim(ReadString(Section, GetItemName(prop.Name), current)));
}

// ---- Objects ------------------------------------------------------------------------
std::string TPropsStorage::SubSection(const TPropInfo& prop) {
    return Section + "." + GetItemName(prop.Name);
}

std::unique_ptr<TPropsStorage> TPropsStorage::NestedStorage(const std::string& section, TObject& obj) const {
    std::unique_ptr<TPropsStorage> nested = CreateStorage();
    nested->Section = section;
    nested->Root = Root;
    nested->AObject = &obj;
    nested->OnReadString = OnReadString;
    nested->OnWriteString = OnWriteString;
    nested->OnEraseSection = OnEraseSection;
    return nested;
}

void TPropsStorage::StoreObject(const TPropInfo& prop, TObject& obj) {
    const std::string section = SubSection(prop);
    if (auto* lines = dynamic_cast<TStrings*>(&obj)) {
        EraseSection(section);
        WriteString(section, "Count", IntToStr(lines->Count()));
        for (int i = 0; i < lines->Count(); ++i) WriteString(section, ItemKey(i), lines->Get(i));
    } else if (auto* items = dynamic_cast<TCollection*>(&obj)) {
        WriteString(section, "Count", IntToStr(items->Count()));
        for (int i = 0; i < items->Count(); ++i)
            NestedStorage(section + "." + ItemKey(i), *items->Items(i))->StoreObjectProperties();
    } else {
        NestedStorage(section, obj)->StoreObjectProperties();
    }
}

void TPropsStorage::LoadObject(const TPropInfo& prop, TObject& obj) {
    const std::string section = SubSection(prop);
    auto* lines = dynamic_cast<TStrings*>(&obj);
    auto* items = dynamic_cast<TCollection*>(&obj);
    if (!lines && !items) return NestedStorage(section, obj)->LoadObjectProperties();
    // Nothing stored keeps what the object holds.
    int32_t count;
    if (!TryStrToInt(Trim(ReadString(section, "Count", "")), count) || count < 0) return;
    if (lines) {
        TStringList read;
        for (int i = 0; i < count; ++i) read.Add(ReadString(section, ItemKey(i), ""));
        lines->Assign(read);
        return;
    }
    items->Clear();
    for (int i = 0; i < count; ++i)
        NestedStorage(section + "." + ItemKey(i), *items->Add())->LoadObjectProperties();
}

bool TPropsStorage::PropertyText(const TPropInfo& prop, std::string& text) {
    TObject& obj = *AObject;
    switch (prop.Kind) {
        case tkInteger:
        case tkInt64:
            text = IntToStr(prop.GetOrd(obj));
            return true;
        case tkChar:
            text = std::string(1, static_cast<char>(prop.GetOrd(obj)));
            return true;
        case tkEnumeration:
            text = prop.EnumName(prop.GetOrd(obj));
            return true;
        case tkSet:
            text = SetText(prop, prop.GetOrd(obj));
            return true;
        case tkFloat: {
            if (prop.GetCurrFn) {
                text = CurrencyText(prop.GetCurr(obj));
                return true;
            }
            const std::string local =
                FloatToStrF(prop.GetFloat(obj), TFloatFormat::ffGeneral, FloatPrecision(prop.FloatType), 0);
            text = StrReplaceAll(local, std::string(1, FormatSettings().DecimalSeparator), ".");
            return true;
        }
        case tkString:
            text = prop.GetStr(obj);
            return true;
        case tkVariant:
            text = prop.GetVariant(obj).ToString();
            return true;
        case tkClass: {
            if (!IsComponentReference(prop)) return false;
            auto* c = dynamic_cast<TComponent*>(prop.GetObject(obj));
            if (!c) {
                text = kNullReference;
            } else if (c->Owner() == Root || !c->Owner()) {
                text = c->Name();
            } else {
                std::string owner = c->Owner()->Name();
                if (owner.empty()) owner = c->Owner()->ClassName().substr(1);
                text = owner + "." + c->Name();
            }
            return true;
        }
    }
    return false;
}

void TPropsStorage::SetPropertyText(const TPropInfo& prop, const std::string& text) {
    TObject& obj = *AObject;
    switch (prop.Kind) {
        case tkInteger: {
            int32_t value;
            if (TryStrToInt(text, value)) prop.SetOrd(obj, value);
            return;
        }
        case tkInt64: {
            int64_t value;
            if (TryStrToInt64(text, value)) prop.SetOrd(obj, value);
            return;
        }
        case tkChar:
            if (!text.empty()) prop.SetOrd(obj, static_cast<unsigned char>(text[0]));
            return;
        case tkEnumeration: {
            const int value = prop.EnumValue(text);
            if (value >= 0) prop.SetOrd(obj, value);
            return;
        }
        case tkSet: {
            int64_t mask;
            if (ParseSet(prop, text, mask)) prop.SetOrd(obj, mask);
            return;
        }
        case tkFloat: {
            Currency exact;
            if (prop.GetCurrFn && ExactCurrency(text, exact)) return prop.SetCurr(obj, exact);
            const std::string local =
                StrReplaceAll(text, ".", std::string(1, FormatSettings().DecimalSeparator));
            Extended value;
            if (TryStrToFloat(local, value) && FitsFloatType(value, prop.FloatType))
                prop.SetFloat(obj, value);
            return;
        }
        case tkString:
            prop.SetStr(obj, text);
            return;
        case tkVariant:
            prop.SetVariant(obj, Variant(text));
            return;
        case tkClass:
            SetReference(prop, text);
            return;
    }
}

void TPropsStorage::SetReference(const TPropInfo& prop, const std::string& text) {
    if (SameText(text, kNullReference)) return prop.SetObject(*AObject, nullptr);
    const size_t dot = text.find('.');
    TComponent* owner = Root;
    if (dot != std::string::npos) {
        owner = FindGlobalComponent(Trim(std::string_view(text).substr(0, dot)));
        // An owner the program does not have leaves the reference as it is.
        if (!owner) return;
    }
    const std::string name = dot == std::string::npos ? text : Trim(std::string_view(text).substr(dot + 1));
    TComponent* c = owner ? owner->FindComponent(name) : nullptr;
    if (c && !c->InheritsFrom(*prop.PropClass())) return;
    prop.SetObject(*AObject, c);
}
