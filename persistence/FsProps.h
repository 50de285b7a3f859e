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
//                    (Single 7, Double 15, Extended 18 digits) and "."
//                    whatever the locale's separator
//   String           the text, trimmed; written even when empty
//   Variant          the value's text; read back as a string
//   Component        its Name, "(null)" for none
// A text that does not read as the property's kind leaves the property as
// it is, and so does a missing key.  Other object properties (string lists,
// collections, nested objects) and component references qualified by
// another owner are neither stored nor loaded.

#include <functional>
#include <string>

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

    // Every entry of list (see UpdateStoredList) whose component is
    // attached and has the property.  Loading runs each entry under its own
    // guard: a failure leaves that property as it was and the rest load.
    void StoreProperties(cl::TStrings& list);
    void LoadProperties(cl::TStrings& list);

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
    // The text form of the property's value; false for kinds that are not stored.
    bool PropertyText(const cl::TPropInfo& prop, std::string& text);
    void SetPropertyText(const cl::TPropInfo& prop, const std::string& text);
};
