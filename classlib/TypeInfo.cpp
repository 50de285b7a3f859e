#include "classlib/TypeInfo.h"

#include <algorithm>

#include "classlib/Component.h"
#include "classlib/Exceptions.h"
#include "classlib/StrUtils.h"

namespace cl {

namespace {

const char* KindName(TTypeKind kind) {
    static constexpr const char* kNames[] = {"Integer", "Int64",  "Char",    "Enumeration", "Set",
                                             "Float",   "String", "Variant", "Class"};
    return kNames[kind];
}

bool IsOrdinal(TTypeKind kind) {
    return kind == tkInteger || kind == tkInt64 || kind == tkChar || kind == tkEnumeration || kind == tkSet;
}

void RequireKind(const TPropInfo& p, bool fits) {
    if (!fits) throw EPropertyError(std::string("Invalid property type: ") + KindName(p.Kind));
}

template <class Fn>
const Fn& Setter(const Fn& set) {
    if (!set) throw EPropertyError("Property is read-only");
    return set;
}

const TPropInfo& FindPropOrRaise(TObject& obj, std::string_view name) {
    if (const TPropInfo* p = obj.ClassInfo().FindProp(name)) return *p;
    throw EPropertyError("Unknown property: \"" + std::string(name) + "\"");
}

}  // namespace

bool TPropInfo::IsReadOnly() const {
    return !SetOrdFn && !SetFloatFn && !SetStrFn && !SetVariantFn && !SetObjectFn;
}

int64_t TPropInfo::GetOrd(TObject& obj) const {
    RequireKind(*this, IsOrdinal(Kind));
    return GetOrdFn(obj);
}

void TPropInfo::SetOrd(TObject& obj, int64_t value) const {
    RequireKind(*this, IsOrdinal(Kind));
    const auto& set = Setter(SetOrdFn);
    // An enumeration holds only its own values; anything else would be a
    // value the C++ type cannot represent.
    if (Kind == tkEnumeration && (value < 0 || value >= static_cast<int64_t>(EnumNames.size())))
        throw EPropertyError("Invalid property value");
    set(obj, value);
}

long double TPropInfo::GetFloat(TObject& obj) const {
    RequireKind(*this, Kind == tkFloat);
    return GetFloatFn(obj);
}

void TPropInfo::SetFloat(TObject& obj, long double value) const {
    RequireKind(*this, Kind == tkFloat);
    Setter(SetFloatFn)(obj, value);
}

Currency TPropInfo::GetCurr(TObject& obj) const {
    RequireKind(*this, Kind == tkFloat && GetCurrFn);
    return GetCurrFn(obj);
}

void TPropInfo::SetCurr(TObject& obj, Currency value) const {
    RequireKind(*this, Kind == tkFloat && GetCurrFn);
    Setter(SetCurrFn)(obj, value);
}

std::string TPropInfo::GetStr(TObject& obj) const {
    RequireKind(*this, Kind == tkString);
    return GetStrFn(obj);
}

void TPropInfo::SetStr(TObject& obj, std::string value) const {
    RequireKind(*this, Kind == tkString);
    Setter(SetStrFn)(obj, std::move(value));
}

Variant TPropInfo::GetVariant(TObject& obj) const {
    RequireKind(*this, Kind == tkVariant);
    return GetVariantFn(obj);
}

void TPropInfo::SetVariant(TObject& obj, Variant value) const {
    RequireKind(*this, Kind == tkVariant);
    Setter(SetVariantFn)(obj, std::move(value));
}

TObject* TPropInfo::GetObject(TObject& obj) const {
    RequireKind(*this, Kind == tkClass);
    return GetObjectFn(obj);
}

void TPropInfo::SetObject(TObject& obj, TObject* value) const {
    RequireKind(*this, Kind == tkClass);
    const auto& set = Setter(SetObjectFn);
    if (value && !value->InheritsFrom(*PropClass())) throw EPropertyError("Invalid property value");
    set(obj, value);
}

int TPropInfo::EnumValue(std::string_view ident) const {
    for (size_t i = 0; i < EnumNames.size(); ++i)
        if (SameText(EnumNames[i], ident)) return static_cast<int>(i);
    return -1;
}

std::string TPropInfo::EnumName(int64_t value) const {
    if (value < 0 || value >= static_cast<int64_t>(EnumNames.size())) return "";
    return EnumNames[static_cast<size_t>(value)];
}

TClassInfo::TClassInfo(std::string name, const TClassInfo* parent, std::vector<TPropInfo> props)
    : name_(std::move(name)), parent_(parent), props_(std::move(props)) {}

const TPropInfo* TClassInfo::FindProp(std::string_view name) const {
    for (const TClassInfo* c = this; c; c = c->parent_)
        for (const TPropInfo& p : c->props_)
            if (SameText(p.Name, name)) return &p;
    return nullptr;
}

std::vector<const TPropInfo*> TClassInfo::PropList() const {
    std::vector<const TPropInfo*> list = parent_ ? parent_->PropList() : std::vector<const TPropInfo*>{};
    for (const TPropInfo& p : props_) {
        auto same = [&p](const TPropInfo* q) { return SameText(q->Name, p.Name); };
        auto it = std::find_if(list.begin(), list.end(), same);
        if (it != list.end())
            *it = &p;
        else
            list.push_back(&p);
    }
    return list;
}

bool TClassInfo::InheritsFrom(const TClassInfo& other) const {
    for (const TClassInfo* c = this; c; c = c->parent_)
        if (c == &other) return true;
    return false;
}

const TPropInfo* GetPropInfo(TObject& obj, std::string_view name) {
    return obj.ClassInfo().FindProp(name);
}
bool IsPublishedProp(TObject& obj, std::string_view name) {
    return GetPropInfo(obj, name) != nullptr;
}
std::vector<const TPropInfo*> GetPropList(TObject& obj) {
    return obj.ClassInfo().PropList();
}

int64_t GetOrdProp(TObject& obj, std::string_view name) {
    return FindPropOrRaise(obj, name).GetOrd(obj);
}
void SetOrdProp(TObject& obj, std::string_view name, int64_t value) {
    FindPropOrRaise(obj, name).SetOrd(obj, value);
}

long double GetFloatProp(TObject& obj, std::string_view name) {
    return FindPropOrRaise(obj, name).GetFloat(obj);
}
void SetFloatProp(TObject& obj, std::string_view name, long double value) {
    FindPropOrRaise(obj, name).SetFloat(obj, value);
}

std::string GetStrProp(TObject& obj, std::string_view name) {
    return FindPropOrRaise(obj, name).GetStr(obj);
}
void SetStrProp(TObject& obj, std::string_view name, std::string value) {
    FindPropOrRaise(obj, name).SetStr(obj, std::move(value));
}

std::string GetEnumProp(TObject& obj, std::string_view name) {
    const TPropInfo& p = FindPropOrRaise(obj, name);
    RequireKind(p, p.Kind == tkEnumeration);
    return p.EnumName(p.GetOrd(obj));
}

void SetEnumProp(TObject& obj, std::string_view name, std::string_view ident) {
    const TPropInfo& p = FindPropOrRaise(obj, name);
    RequireKind(p, p.Kind == tkEnumeration);
    const int value = p.EnumValue(ident);
    if (value < 0) throw EPropertyError("Invalid property element: " + std::string(ident));
    p.SetOrd(obj, value);
}

Variant GetVariantProp(TObject& obj, std::string_view name) {
    return FindPropOrRaise(obj, name).GetVariant(obj);
}
void SetVariantProp(TObject& obj, std::string_view name, Variant value) {
    FindPropOrRaise(obj, name).SetVariant(obj, std::move(value));
}

TObject* GetObjectProp(TObject& obj, std::string_view name) {
    return FindPropOrRaise(obj, name).GetObject(obj);
}
void SetObjectProp(TObject& obj, std::string_view name, TObject* value) {
    FindPropOrRaise(obj, name).SetObject(obj, value);
}

}  // namespace cl
