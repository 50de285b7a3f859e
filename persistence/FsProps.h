#pragma once
// TPropsStorage: published properties of components as text values under
// the keys of one settings section, and back.  It knows no file: reading,
// writing and erasing go through three callbacks the caller sets.
//
// An entry "Component.Property" (split at the first ".", both parts
// trimmed) is stored under the key "Component_Property".  Text forms:
//   Integer, Int64   decimal
//   Char             the character
//   Enumeration      the value's identifier (Boolean: True, False); read
//                    without regard to case
//   Set              "[a,b]", the members' identifiers in ascending order
//   Float            general format with the float type's precision
//                    (Single 7, Double 15, Extended 18, Currency 19 digits,
//                    a currency exactly) and "." whatever the locale's
//                    separator
//   String           the text, trimmed; written even when empty
//   Variant          the value's text; read back as a string
//   Component        its Name, "Owner.Name" when its owner is not the
//                    root (the owner is then looked for among the
//                    program's global components), "(null)" for none
//   String list      the sub-section "<section>.<key>", erased and filled
//                    with "Count" and "Item0", "Item1"...
//   Collection       the sub-section "<section>.<key>" with "Count", each
//                    item's properties in its own sub-section "...<key>.Item<n>"
//   Other object     its properties in the sub-section "<section>.<key>"
// A property of another kind whose text is empty is neither stored nor
// loaded.  A text that does not read as the property's kind leaves the
// property as it is, and so does a missing key.

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "classlib/Component.h"
#include "classlib/StringList.h"
#include "classlib/TypeInfo.h"

using TReadStrEvent = std::function<std::string(const std::string& Section, const std::string& Item,
                                                const std::string& Default)>;
using TWriteStrEvent =
    std::function<void(const std::string& Section, const std::string& Item, const std::string& Value)>;
using TEraseSectEvent = std::function<void(const std::string& Section)>;

// "Component.Property": split at the first ".", both parts trimmed; false
// when either part is empty.
bool SplitStoredEntry(const std::string& entry, std::string& component, std::string& property);

// Upkeep of a list of entries whose objects are the components they name.
// From the last entry to the first: one that does not split is deleted;
// fromRoot attaches the component of root named by the entry, deleting
// the entry when root has no such component or it has no such published
// property; otherwise each attached component's current name is joined
// again with the property part.
void UpdateStoredList(cl::TComponent* root, cl::TStrings& list, bool fromRoot);

// The published properties of one object, in the class's order, searchable
// by name (the class library publishes no method properties).
class TPropInfoList {
public:
    explicit TPropInfoList(cl::TObject& obj) : list_(cl::GetPropList(obj)) {}

    int Count() const { return static_cast<int>(list_.size()); }
    // Raises EListError out of range.
    const cl::TPropInfo* Items(int index) const;
    // Without regard to case; nullptr when there is none.
    const cl::TPropInfo* Find(std::string_view name) const;
    // Leaves a property out (one its owner handles itself).
    void Delete(int index);

private:
    std::vector<const cl::TPropInfo*> list_;
};

class TPropsStorage : public cl::TObject {
    CL_CLASS(TPropsStorage, cl::TObject)

    TPropsStorage() = default;

    // The section the values are read from and written to.
    std::string Section;
    // Put before a property's name to make its key.
    std::string Prefix;
    // The owner of the stored components: component references name its components.
    cl::TComponent* Root = nullptr;
    // The object whose properties are handled now.
    cl::TObject* AObject = nullptr;

    TReadStrEvent OnReadString;
    TWriteStrEvent OnWriteString;
    TEraseSectEvent OnEraseSection;

    // Each calls its callback when it is set; ReadString without one gives "".
    virtual std::string ReadString(const std::string& section, const std::string& item,
                                   const std::string& def);
    virtual void WriteString(const std::string& section, const std::string& item, const std::string& value);
    virtual void EraseSection(const std::string& section);
    // Prefix followed by the name.
    virtual std::string GetItemName(const std::string& propName);
    // A new storage of this storage's class, for a nested object.
    virtual std::unique_ptr<TPropsStorage> CreateStorage() const;

    // Every entry of list (see UpdateStoredList) whose component is
    // attached and has the property.  Loading runs each entry under its own
    // guard: a failure leaves that property as it was and the rest load.
    void StoreProperties(cl::TStrings& list);
    void LoadProperties(cl::TStrings& list);
    // Every published property of AObject, under keys of their bare names.
    void StoreObjectProperties();
    void LoadObjectProperties();

    // One property of AObject: its text form written under its key; a
    // property of an empty text is skipped unless it is a string or a
    // character.
    void StoreAnyProperty(const cl::TPropInfo& prop);
    // Read back with the current text as the default, trimmed, and set when
    // it reads as the property's kind.  Raises what the property's setter raises.
    void LoadAnyProperty(const cl::TPropInfo& prop);

private:
    // each(property) for every entry of list whose component is attached
    // and has the property, with AObject and Prefix set for it.
    void ForEachEntry(cl::TStrings& list, const std::function<void(const cl::TPropInfo&)>& each);
    // The text form of the property's value; false for kinds that are not
    // stored as one text (objects other than component references).
    bool PropertyText(const cl::TPropInfo& prop, std::string& text);
    void SetPropertyText(const cl::TPropInfo& prop, const std::string& text);
    void SetReference(const cl::TPropInfo& prop, const std::string& text);
    // An object property's own sub-section, and a storage over it for obj.
    std::string SubSection(const cl::TPropInfo& prop);
    std::unique_ptr<TPropsStorage> NestedStorage(const std::string& section, cl::TObject& obj) const;
    void StoreObject(const cl::TPropInfo& prop, cl::TObject& obj);
    void LoadObject(const cl::TPropInfo& prop, cl::TObject& obj);
};
