#pragma once
// TStrings, the abstract list of text lines with an object pointer per
// line, and TStringList, its stand-alone implementation.  A list is a
// persistent object, so a class may publish one as a property.

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "classlib/Component.h"

namespace cl {

class TStream;

class TStrings : public TPersistent {
    CL_CLASS(TStrings, TPersistent)

    TStrings() = default;

    // The core a descendant provides.  Index errors raise
    // EStringListError("List index out of bounds (%d)").
    virtual int Count() const = 0;
    virtual std::string Get(int index) const = 0;
    virtual void Put(int index, const std::string& s);  // keeps the line's object
    virtual void* GetObject(int index) const;           // nullptr unless overridden
    virtual void PutObject(int index, void* object);    // ignored unless overridden
    virtual void Insert(int index, const std::string& s) = 0;
    virtual void InsertObject(int index, const std::string& s, void* object);
    virtual void Delete(int index) = 0;
    virtual void Clear() = 0;

    // Returns the index the line got.
    virtual int Add(const std::string& s);
    virtual int AddObject(const std::string& s, void* object);
    void AddStrings(const TStrings& strings);
    // Copies lines and objects.
    virtual void Assign(const TStrings& source);
    // Another list's lines and objects; any other source as TPersistent
    // says (it may copy itself into the list).
    void Assign(TPersistent* source) override;

    // Case-insensitive (Polish letters included) unless a descendant says otherwise.
    virtual int IndexOf(std::string_view s) const;
    int IndexOfName(std::string_view name) const;
    int IndexOfObject(void* object) const;

    std::string Strings(int index) const { return Get(index); }
    void SetStrings(int index, const std::string& s) { Put(index, s); }
    void* Objects(int index) const { return GetObject(index); }
    void SetObjects(int index, void* object) { PutObject(index, object); }

    // Lines of the form "Name=Value".  Names(i) is empty for a line without '='.
    std::string Names(int index) const;
    std::string Values(std::string_view name) const;
    // Replaces or adds the line; an empty value deletes it.
    void SetValues(std::string_view name, std::string_view value);

    // Every line followed by CR LF.  Setting splits at CR LF, LF or CR;
    // a last line without a break still counts.
    virtual std::string Text() const;
    virtual void SetText(std::string_view text);

    // The lines as the stored property "Strings", a list of strings.
    void DefineProperties(TFiler& filer) override;

    // The stream is read from its position to its end.
    virtual void LoadFromStream(TStream& stream);
    virtual void SaveToStream(TStream& stream) const;
    virtual void LoadFromFile(const std::string& fileName);
    virtual void SaveToFile(const std::string& fileName) const;

    // Nested; the outermost pair brackets the change notifications.
    void BeginUpdate();
    void EndUpdate();

protected:
    virtual void SetUpdateState(bool updating) {}
    int UpdateCount() const { return updateCount_; }
    virtual int CompareStrings(std::string_view a, std::string_view b) const;
    [[noreturn]] static void IndexError(int index);

private:
    int updateCount_ = 0;
};

enum TDuplicates { dupIgnore, dupAccept, dupError };

class TStringList : public TStrings {
    CL_CLASS(TStringList, TStrings)

    using TStringListEvent = std::function<void(TStringList& sender)>;

    int Count() const override { return static_cast<int>(items_.size()); }
    std::string Get(int index) const override;
    void Put(int index, const std::string& s) override;
    void* GetObject(int index) const override;
    void PutObject(int index, void* object) override;
    void Insert(int index, const std::string& s) override;
    void InsertObject(int index, const std::string& s, void* object) override;
    void Delete(int index) override;
    void Clear() override;
    int Add(const std::string& s) override;
    // A sorted list places the line by order and applies Duplicates
    // (dupError raises EStringListError "String list does not allow duplicates").
    int AddObject(const std::string& s, void* object) override;
    int IndexOf(std::string_view s) const override;

    // Binary search of a sorted list: true when found; index is the match
    // or the place the string would go.
    bool Find(std::string_view s, int& index) const;
    void Sort();

    // Insert and Put on a sorted list raise EStringListError.
    bool Sorted() const { return sorted_; }
    void SetSorted(bool sorted);
    TDuplicates Duplicates() const { return duplicates_; }
    void SetDuplicates(TDuplicates duplicates) { duplicates_ = duplicates; }
    bool CaseSensitive() const { return caseSensitive_; }
    void SetCaseSensitive(bool caseSensitive);

    // Fired around every change, or once around an update bracket.
    TStringListEvent OnChanging;
    TStringListEvent OnChange;

protected:
    void SetUpdateState(bool updating) override;
    int CompareStrings(std::string_view a, std::string_view b) const override;
    void Changing();
    void Changed();

private:
    struct Item {
        std::string text;
        void* object;
    };
    void Check(int index) const;
    void InsertItem(int index, const std::string& s, void* object);

    std::vector<Item> items_;
    bool sorted_ = false;
    bool caseSensitive_ = false;
    TDuplicates duplicates_ = dupIgnore;
};

}  // namespace cl
