#pragma once
// Class information and published property tables: each class names itself,
// links to its parent's information and lists the properties it publishes,
// so a property can be read and written by name at run time through the
// class's real getters and setters.

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <type_traits>
#include <utility>
#include <vector>

#include "classlib/Currency.h"
#include "classlib/Variant.h"

namespace cl {

class TObject;
class TClassInfo;

enum TTypeKind { tkInteger, tkInt64, tkChar, tkEnumeration, tkSet, tkFloat, tkString, tkVariant, tkClass };

// The float type decides the precision of a float property's text form.
enum TFloatType { ftSingle, ftDouble, ftExtended, ftComp, ftCurr };

// One published property.  Only the accessor pair of its kind is set; a
// property without a setter is read-only.
struct TPropInfo {
    std::string Name;
    TTypeKind Kind = tkInteger;
    TFloatType FloatType = ftExtended;
    // Identifiers of an enumeration's values (Boolean: False, True), or of a
    // set's elements, whose ordinal value is the bit mask of its members.
    std::vector<std::string> EnumNames;
    // tkClass: the declared class, asked for lazily because a class may
    // publish a property of its own class or of a class derived from it.
    const TClassInfo& (*PropClassFn)() = nullptr;

    std::function<int64_t(TObject&)> GetOrdFn;
    std::function<void(TObject&, int64_t)> SetOrdFn;
    std::function<long double(TObject&)> GetFloatFn;
    std::function<void(TObject&, long double)> SetFloatFn;
    // A currency property also has these: its value exactly, all 19 digits.
    std::function<Currency(TObject&)> GetCurrFn;
    std::function<void(TObject&, Currency)> SetCurrFn;
    std::function<std::string(TObject&)> GetStrFn;
    std::function<void(TObject&, std::string)> SetStrFn;
    std::function<Variant(TObject&)> GetVariantFn;
    std::function<void(TObject&, Variant)> SetVariantFn;
    std::function<TObject*(TObject&)> GetObjectFn;
    std::function<void(TObject&, TObject*)> SetObjectFn;
    // Whether a writer stores the value; none: always.
    std::function<bool(TObject&)> StoredFn;

    bool IsReadOnly() const;
    const TClassInfo* PropClass() const { return PropClassFn ? &PropClassFn() : nullptr; }

    // Typed access; a kind that does not fit raises EPropertyError, and so
    // does a write to a read-only property.  Ordinal access covers Integer,
    // Int64, Char, Enumeration and Set.
    int64_t GetOrd(TObject& obj) const;
    void SetOrd(TObject& obj, int64_t value) const;  // an enumeration checks the range
    long double GetFloat(TObject& obj) const;
    void SetFloat(TObject& obj, long double value) const;
    // Float properties of the currency type only.
    Currency GetCurr(TObject& obj) const;
    void SetCurr(TObject& obj, Currency value) const;
    std::string GetStr(TObject& obj) const;
    void SetStr(TObject& obj, std::string value) const;
    Variant GetVariant(TObject& obj) const;
    void SetVariant(TObject& obj, Variant value) const;
    TObject* GetObject(TObject& obj) const;
    void SetObject(TObject& obj, TObject* value) const;  // value must be of the declared class

    // Enumeration identifiers: the value of an identifier (without regard to
    // case), -1 when there is none; the identifier of a value, "" when out of range.
    int EnumValue(std::string_view ident) const;
    std::string EnumName(int64_t value) const;
};

class TClassInfo {
public:
    TClassInfo(std::string name, const TClassInfo* parent, std::vector<TPropInfo> props);

    const std::string& ClassName() const { return name_; }
    const TClassInfo* Parent() const { return parent_; }
    // The properties this class itself declares, in declaration order.
    const std::vector<TPropInfo>& DeclaredProps() const { return props_; }

    // Searches this class, then its parents, without regard to case.
    const TPropInfo* FindProp(std::string_view name) const;
    // Every published property, the parents' first; a property declared
    // again by a derived class keeps its parent's place.
    std::vector<const TPropInfo*> PropList() const;
    // True for this class and every class derived from other.
    bool InheritsFrom(const TClassInfo& other) const;

private:
    std::string name_;
    const TClassInfo* parent_;
    std::vector<TPropInfo> props_;
};

// Property access by name, as the class library offers it.  A name that the
// object does not publish raises EPropertyError.
const TPropInfo* GetPropInfo(TObject& obj, std::string_view name);  // nullptr when absent
bool IsPublishedProp(TObject& obj, std::string_view name);
std::vector<const TPropInfo*> GetPropList(TObject& obj);
int64_t GetOrdProp(TObject& obj, std::string_view name);
void SetOrdProp(TObject& obj, std::string_view name, int64_t value);
long double GetFloatProp(TObject& obj, std::string_view name);
void SetFloatProp(TObject& obj, std::string_view name, long double value);
std::string GetStrProp(TObject& obj, std::string_view name);
void SetStrProp(TObject& obj, std::string_view name, std::string value);
// An enumeration's value as its identifier; setting by identifier ignores
// case and raises EPropertyError for an identifier the type does not have.
std::string GetEnumProp(TObject& obj, std::string_view name);
void SetEnumProp(TObject& obj, std::string_view name, std::string_view ident);
Variant GetVariantProp(TObject& obj, std::string_view name);
void SetVariantProp(TObject& obj, std::string_view name, Variant value);
TObject* GetObjectProp(TObject& obj, std::string_view name);
void SetObjectProp(TObject& obj, std::string_view name, TObject* value);

// ---- Declaring properties ----------------------------------------------
// Accessors are member-function pointers (getter R() or R() const, setter
// void(V)) or data-member pointers, of the class or of any of its bases.

namespace detail {

template <class A>
struct GetterOf;
template <class C, class R>
struct GetterOf<R (C::*)() const> {
    using Value = std::remove_cvref_t<R>;
    static Value Call(TObject& obj, R (C::*get)() const) { return (static_cast<C&>(obj).*get)(); }
};
template <class C, class R>
struct GetterOf<R (C::*)()> {
    using Value = std::remove_cvref_t<R>;
    static Value Call(TObject& obj, R (C::*get)()) { return (static_cast<C&>(obj).*get)(); }
};
template <class C, class T>
struct GetterOf<T C::*> {
    static_assert(!std::is_function_v<T>, "a getter takes no arguments");
    using Value = T;
    static Value Call(TObject& obj, T C::*field) { return static_cast<C&>(obj).*field; }
};

template <class A>
struct SetterOf;
template <class C, class V>
struct SetterOf<void (C::*)(V)> {
    using Value = std::remove_cvref_t<V>;
    static void Call(TObject& obj, void (C::*set)(V), Value v) { (static_cast<C&>(obj).*set)(std::move(v)); }
};
template <class C, class T>
struct SetterOf<T C::*> {
    static_assert(!std::is_function_v<T>, "a setter returns void and takes the value");
    using Value = T;
    static void Call(TObject& obj, T C::*field, Value v) { static_cast<C&>(obj).*field = std::move(v); }
};

template <class G>
using PropValue = typename GetterOf<G>::Value;

template <class G, class S>
constexpr bool SetterFits() {
    if constexpr (std::is_null_pointer_v<S>)
        return true;
    else
        return std::is_same_v<typename GetterOf<G>::Value, typename SetterOf<S>::Value>;
}

// Reads and writes the property's value as T, whatever the accessor kinds.
template <class T, class G, class S>
std::function<T(TObject&)> Reader(G get) {
    return [get](TObject& obj) { return static_cast<T>(GetterOf<G>::Call(obj, get)); };
}
template <class T, class G, class S>
std::function<void(TObject&, T)> Writer(S set) {
    if constexpr (std::is_null_pointer_v<S>) {
        return nullptr;
    } else {
        using V = typename SetterOf<S>::Value;
        return [set](TObject& obj, T v) { SetterOf<S>::Call(obj, set, static_cast<V>(std::move(v))); };
    }
}

template <class T>
struct IsObjectPointer : std::false_type {};
template <class T>
struct IsObjectPointer<T*> : std::is_base_of<TObject, T> {};

}  // namespace detail

// A property whose kind follows from its C++ type: bool (a Boolean), char,
// integers (Integer; int64_t is Int64), float/double/long double/Currency,
// std::string, Variant, or a pointer to a TObject class.
template <class G, class S = std::nullptr_t>
TPropInfo Prop(std::string name, G get, S set = nullptr) {
    static_assert(detail::SetterFits<G, S>(), "getter and setter disagree on the type");
    using T = detail::PropValue<G>;
    TPropInfo p;
    p.Name = std::move(name);
    if constexpr (std::is_same_v<T, bool>) {
        p.Kind = tkEnumeration;
        p.EnumNames = {"False", "True"};
        p.GetOrdFn = detail::Reader<int64_t, G, S>(get);
        if constexpr (!std::is_null_pointer_v<S>)
            p.SetOrdFn = [set](TObject& obj, int64_t v) { detail::SetterOf<S>::Call(obj, set, v != 0); };
    } else if constexpr (std::is_same_v<T, char>) {
        p.Kind = tkChar;
        p.GetOrdFn = [get](TObject& obj) -> int64_t {
            return static_cast<unsigned char>(detail::GetterOf<G>::Call(obj, get));
        };
        p.SetOrdFn = detail::Writer<int64_t, G, S>(set);
    } else if constexpr (std::is_integral_v<T>) {
        static_assert(sizeof(T) <= 4 || std::is_same_v<T, int64_t>, "Integer or Int64");
        p.Kind = sizeof(T) == 8 ? tkInt64 : tkInteger;
        p.GetOrdFn = detail::Reader<int64_t, G, S>(get);
        p.SetOrdFn = detail::Writer<int64_t, G, S>(set);
    } else if constexpr (std::is_floating_point_v<T>) {
        p.Kind = tkFloat;
        p.FloatType = std::is_same_v<T, float> ? ftSingle : std::is_same_v<T, double> ? ftDouble : ftExtended;
        p.GetFloatFn = detail::Reader<long double, G, S>(get);
        p.SetFloatFn = detail::Writer<long double, G, S>(set);
    } else if constexpr (std::is_same_v<T, Currency>) {
        p.Kind = tkFloat;
        p.FloatType = ftCurr;
        p.GetFloatFn = [get](TObject& obj) { return detail::GetterOf<G>::Call(obj, get).ToExtended(); };
        p.GetCurrFn = detail::Reader<Currency, G, S>(get);
        if constexpr (!std::is_null_pointer_v<S>) {
            p.SetFloatFn = [set](TObject& obj, long double v) {
                detail::SetterOf<S>::Call(obj, set, Currency::FromExtended(v));
            };
            p.SetCurrFn = detail::Writer<Currency, G, S>(set);
        }
    } else if constexpr (std::is_same_v<T, std::string>) {
        p.Kind = tkString;
        p.GetStrFn = detail::Reader<std::string, G, S>(get);
        p.SetStrFn = detail::Writer<std::string, G, S>(set);
    } else if constexpr (std::is_same_v<T, Variant>) {
        p.Kind = tkVariant;
        p.GetVariantFn = detail::Reader<Variant, G, S>(get);
        p.SetVariantFn = detail::Writer<Variant, G, S>(set);
    } else if constexpr (detail::IsObjectPointer<T>::value) {
        using Cls = std::remove_pointer_t<T>;
        p.Kind = tkClass;
        p.PropClassFn = &Cls::StaticClassInfo;
        p.GetObjectFn = detail::Reader<TObject*, G, S>(get);
        if constexpr (!std::is_null_pointer_v<S>)
            p.SetObjectFn = [set](TObject& obj, TObject* v) {
                detail::SetterOf<S>::Call(obj, set, dynamic_cast<Cls*>(v));
            };
    } else {
        static_assert(sizeof(T) == 0, "enumerations and sets are declared with EnumProp and SetOfProp");
    }
    return p;
}

// An enumeration property; idents name the values 0, 1, 2...
template <class G, class S = std::nullptr_t>
TPropInfo EnumProp(std::string name, std::vector<std::string> idents, G get, S set = nullptr) {
    static_assert(detail::SetterFits<G, S>(), "getter and setter disagree on the type");
    static_assert(std::is_enum_v<detail::PropValue<G>>, "an enumeration type");
    TPropInfo p;
    p.Name = std::move(name);
    p.Kind = tkEnumeration;
    p.EnumNames = std::move(idents);
    p.GetOrdFn = detail::Reader<int64_t, G, S>(get);
    p.SetOrdFn = detail::Writer<int64_t, G, S>(set);
    return p;
}

// A set property held as a bit mask (an integer or an enumeration of bit
// values); idents name the elements of bits 0, 1, 2...
template <class G, class S = std::nullptr_t>
TPropInfo SetOfProp(std::string name, std::vector<std::string> idents, G get, S set = nullptr) {
    static_assert(detail::SetterFits<G, S>(), "getter and setter disagree on the type");
    using T = detail::PropValue<G>;
    static_assert(std::is_enum_v<T> || std::is_integral_v<T>, "a bit mask");
    TPropInfo p;
    p.Name = std::move(name);
    p.Kind = tkSet;
    p.EnumNames = std::move(idents);
    p.GetOrdFn = detail::Reader<int64_t, G, S>(get);
    p.SetOrdFn = detail::Writer<int64_t, G, S>(set);
    return p;
}

// A property a writer stores only while stored() of the object says so.
template <class C>
TPropInfo StoredWhen(TPropInfo p, bool (C::*stored)() const) {
    p.StoredFn = [stored](TObject& obj) { return (static_cast<C&>(obj).*stored)(); };
    return p;
}
// A property a writer never stores (it is stored some other way, or not at all).
inline TPropInfo NeverStored(TPropInfo p) {
    p.StoredFn = [](TObject&) { return false; };
    return p;
}

}  // namespace cl

// In a class body: declares the class's information; leaves access public.
//     class TButton : public TWinControl {
//         CL_CLASS(TButton, TWinControl)
//         ...
#define CL_CLASS(Name, Base)                             \
public:                                                  \
    using ClassInfoParent = Base;                        \
    static const ::cl::TClassInfo& StaticClassInfo();    \
    const ::cl::TClassInfo& ClassInfo() const override { \
        return StaticClassInfo();                        \
    }

// In the class's .cpp (in the class's namespace): its published properties.
//     CL_CLASS_INFO(TComponent,
//         Prop("Name", &TComponent::Name, &TComponent::SetName),
//         Prop("Tag", &TComponent::Tag, &TComponent::SetTag))
#define CL_CLASS_INFO(Name, ...)                                                                \
    const ::cl::TClassInfo& Name::StaticClassInfo() {                                           \
        static const ::cl::TClassInfo info = [] {                                               \
            using namespace ::cl;                                                               \
            return TClassInfo(#Name, &Name::ClassInfoParent::StaticClassInfo(), {__VA_ARGS__}); \
        }();                                                                                    \
        return info;                                                                            \
    }
