#include "persistence/FsProps.h"

#include <cfloat>
#include <cmath>
#include <vector>

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
            // Extended and Comp have 18 digits; Currency's 19th is beyond
            // the number formatter, and no stored property is a currency.
            return 18;
    }
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

// ---- Entries ------------------------------------------------------------------------
void TPropsStorage::ForEachEntry(TStrings& list, const std::function<void(const TPropInfo&)>& each) {
    for (int i = 0; i < list.Count(); ++i) {
        std::string component, property;
        auto* c = static_cast<TComponent*>(list.Objects(i));
        if (!c || !SplitStoredEntry(list.Strings(i), component, property)) continue;
        const TPropInfo* prop = GetPropInfo(*c, property);
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

// ---- One property ---------------------------------------------------------------------
void TPropsStorage::StoreAnyProperty(const TPropInfo& prop) {
    std::string text;
    if (!AObject || !PropertyText(prop, text)) return;
    if (text.empty() && prop.Kind != tkString && prop.Kind != tkChar) return;
    WriteString(Section, GetItemName(prop.Name), Trim(text));
}

void TPropsStorage::LoadAnyProperty(const TPropInfo& prop) {
    std::string current;
    if (!AObject || prop.IsReadOnly() || !PropertyText(prop, current)) return;
    const bool emptyAllowed = prop.Kind == tkString || prop.Kind == tkChar || prop.Kind == tkClass;
    const std::string text = Trim(ReadString(Section, GetItemName(prop.Name), current));
    // Nothing stored for a value without a text form: nothing to set.
    if (current.empty() && !emptyAllowed && text.empty()) return;
    SetPropertyText(prop, text);
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
        case tkClass: {
            if (SameText(text, kNullReference)) {
                prop.SetObject(obj, nullptr);
                return;
            }
            // A reference through another owner would need the application's
            // forms; it is left as it is.
            if (text.find('.') != std::string::npos) return;
            TComponent* c = Root ? Root->FindComponent(text) : nullptr;
            if (c && !c->InheritsFrom(*prop.PropClass())) return;
            prop.SetObject(obj, c);
            return;
        }
    }
}
