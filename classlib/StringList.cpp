#include "classlib/StringList.h"

#include <algorithm>

#include "classlib/Exceptions.h"
#include "classlib/FileStream.h"
#include "classlib/Filer.h"
#include "classlib/StrUtils.h"

namespace cl {

namespace {

// Runs body between BeginUpdate and EndUpdate, also when it raises.
template <class Body>
void Updating(TStrings& strings, Body body) {
    strings.BeginUpdate();
    try {
        body();
    } catch (...) {
        strings.EndUpdate();
        throw;
    }
    strings.EndUpdate();
}

}  // namespace

CL_CLASS_INFO(TStrings)
CL_CLASS_INFO(TStringList)

void TStrings::IndexError(int index) {
    throw EStringListError("List index out of bounds (" + std::to_string(index) + ")");
}

int TStrings::CompareStrings(std::string_view a, std::string_view b) const {
    return AnsiCompareText(a, b);
}

void TStrings::Put(int index, const std::string& s) {
    void* object = GetObject(index);
    Delete(index);
    InsertObject(index, s, object);
}

void* TStrings::GetObject(int index) const {
    return nullptr;
}

void TStrings::PutObject(int index, void* object) {}

void TStrings::InsertObject(int index, const std::string& s, void* object) {
    Insert(index, s);
    PutObject(index, object);
}

int TStrings::Add(const std::string& s) {
    const int index = Count();
    Insert(index, s);
    return index;
}

int TStrings::AddObject(const std::string& s, void* object) {
    const int index = Add(s);
    PutObject(index, object);
    return index;
}

void TStrings::AddStrings(const TStrings& strings) {
    Updating(*this, [&] {
        for (int i = 0; i < strings.Count(); ++i) AddObject(strings.Get(i), strings.GetObject(i));
    });
}

void TStrings::Assign(const TStrings& source) {
    if (&source == this) return;
    Updating(*this, [&] {
        Clear();
        AddStrings(source);
    });
}

void TStrings::Assign(TPersistent* source) {
    if (auto* lines = dynamic_cast<TStrings*>(source)) return Assign(*lines);
    TPersistent::Assign(source);
}

int TStrings::IndexOf(std::string_view s) const {
    for (int i = 0; i < Count(); ++i)
        if (CompareStrings(Get(i), s) == 0) return i;
    return -1;
}

int TStrings::IndexOfName(std::string_view name) const {
    for (int i = 0; i < Count(); ++i) {
        const std::string line = Get(i);
        const size_t eq = line.find('=');
        if (eq != std::string::npos && CompareStrings(std::string_view(line).substr(0, eq), name) == 0)
            return i;
    }
    return -1;
}

int TStrings::IndexOfObject(void* object) const {
    for (int i = 0; i < Count(); ++i)
        if (GetObject(i) == object) return i;
    return -1;
}

std::string TStrings::Names(int index) const {
    const std::string line = Get(index);
    const size_t eq = line.find('=');
    return eq == std::string::npos ? std::string() : line.substr(0, eq);
}

std::string TStrings::Values(std::string_view name) const {
    const int index = IndexOfName(name);
    if (index < 0) return {};
    const std::string line = Get(index);
    return line.substr(line.find('=') + 1);
}

void TStrings::SetValues(std::string_view name, std::string_view value) {
    const int index = IndexOfName(name);
    std::string line = std::string(name) + "=" + std::string(value);
    if (value.empty()) {
        if (index >= 0) Delete(index);
    } else if (index < 0) {
        Add(line);
    } else {
        Put(index, line);
    }
}

std::string TStrings::Text() const {
    std::string text;
    for (int i = 0; i < Count(); ++i) {
        text += Get(i);
        text += "\r\n";
    }
    return text;
}

void TStrings::SetText(std::string_view text) {
    Updating(*this, [&] {
        Clear();
        size_t start = 0;
        while (start < text.size()) {
            const size_t end = std::min(text.find_first_of("\r\n", start), text.size());
            Add(std::string(text.substr(start, end - start)));
            start = end;
            if (start < text.size() && text[start] == '\r') ++start;
            if (start < text.size() && text[start] == '\n') ++start;
        }
    });
}

void TStrings::DefineProperties(TFiler& filer) {
    filer.DefineProperty(
        "Strings",
        [this](TReader& reader) {
            Updating(*this, [&] {
                Clear();
                reader.ReadListBegin();
                while (!reader.EndOfList()) Add(reader.ReadString());
                reader.ReadListEnd();
            });
        },
        [this](TWriter& writer) {
            writer.WriteListBegin();
            for (int i = 0; i < Count(); ++i) writer.WriteString(Get(i));
            writer.WriteListEnd();
        },
        Count() > 0);
}

void TStrings::LoadFromStream(TStream& stream) {
    std::string data;
    std::vector<char> chunk(0x10000);
    for (int32_t n; (n = stream.Read(chunk.data(), static_cast<int32_t>(chunk.size()))) > 0;)
        data.append(chunk.data(), static_cast<size_t>(n));
    SetText(data);
}

void TStrings::SaveToStream(TStream& stream) const {
    const std::string text = Text();
    for (size_t done = 0; done < text.size();) {
        const auto n = static_cast<int32_t>(std::min<size_t>(text.size() - done, 0x40000000));
        stream.WriteBuffer(text.data() + done, n);
        done += static_cast<size_t>(n);
    }
}

void TStrings::LoadFromFile(const std::string& fileName) {
    TFileStream file(fileName, fmOpenRead | fmShareDenyWrite);
    LoadFromStream(file);
}

void TStrings::SaveToFile(const std::string& fileName) const {
    TFileStream file(fileName, fmCreate);
    SaveToStream(file);
}

void TStrings::BeginUpdate() {
    // The state change sees the count before the increment, so it still notifies.
    if (updateCount_ == 0) SetUpdateState(true);
    ++updateCount_;
}

void TStrings::EndUpdate() {
    if (updateCount_ > 0 && --updateCount_ == 0) SetUpdateState(false);
}

void TStringList::Check(int index) const {
    if (index < 0 || index >= Count()) IndexError(index);
}

std::string TStringList::Get(int index) const {
    Check(index);
    return items_[index].text;
}

void TStringList::Put(int index, const std::string& s) {
    if (sorted_) throw EStringListError("Operation not allowed on sorted list");
    Check(index);
    Changing();
    items_[index].text = s;
    Changed();
}

void* TStringList::GetObject(int index) const {
    Check(index);
    return items_[index].object;
}

void TStringList::PutObject(int index, void* object) {
    Check(index);
    Changing();
    items_[index].object = object;
    Changed();
}

void TStringList::Insert(int index, const std::string& s) {
    InsertObject(index, s, nullptr);
}

void TStringList::InsertObject(int index, const std::string& s, void* object) {
    if (sorted_) throw EStringListError("Operation not allowed on sorted list");
    if (index != Count()) Check(index);
    InsertItem(index, s, object);
}

void TStringList::InsertItem(int index, const std::string& s, void* object) {
    Changing();
    items_.insert(items_.begin() + index, Item{s, object});
    Changed();
}

void TStringList::Delete(int index) {
    Check(index);
    Changing();
    items_.erase(items_.begin() + index);
    Changed();
}

void TStringList::Clear() {
    if (items_.empty()) return;
    Changing();
    items_.clear();
    Changed();
}

int TStringList::Add(const std::string& s) {
    return AddObject(s, nullptr);
}

int TStringList::AddObject(const std::string& s, void* object) {
    int index = Count();
    if (sorted_ && Find(s, index)) {
        if (duplicates_ == dupIgnore) return index;
        if (duplicates_ == dupError) throw EStringListError("String list does not allow duplicates");
    }
    InsertItem(index, s, object);
    return index;
}

int TStringList::IndexOf(std::string_view s) const {
    if (!sorted_) return TStrings::IndexOf(s);
    int index;
    return Find(s, index) ? index : -1;
}

bool TStringList::Find(std::string_view s, int& index) const {
    bool found = false;
    int lo = 0, hi = Count() - 1;
    while (lo <= hi) {
        const int mid = (lo + hi) / 2;
        const int c = CompareStrings(items_[mid].text, s);
        if (c < 0) {
            lo = mid + 1;
        } else {
            hi = mid - 1;
            if (c == 0) {
                found = true;
                // Without dupAccept the match is unique: stop at it.
                if (duplicates_ != dupAccept) lo = mid;
            }
        }
    }
    index = lo;
    return found;
}

void TStringList::Sort() {
    if (Count() < 2) return;
    Changing();
    std::stable_sort(items_.begin(), items_.end(),
                     [this](const Item& a, const Item& b) { return CompareStrings(a.text, b.text) < 0; });
    Changed();
}

void TStringList::SetSorted(bool sorted) {
    if (sorted == sorted_) return;
    if (sorted) Sort();
    sorted_ = sorted;
}

void TStringList::SetCaseSensitive(bool caseSensitive) {
    if (caseSensitive == caseSensitive_) return;
    caseSensitive_ = caseSensitive;
    if (sorted_) Sort();
}

int TStringList::CompareStrings(std::string_view a, std::string_view b) const {
    return caseSensitive_ ? AnsiCompareStr(a, b) : AnsiCompareText(a, b);
}

void TStringList::SetUpdateState(bool updating) {
    if (updating)
        Changing();
    else
        Changed();
}

void TStringList::Changing() {
    if (UpdateCount() == 0 && OnChanging) OnChanging(*this);
}

void TStringList::Changed() {
    if (UpdateCount() == 0 && OnChange) OnChange(*this);
}

}  // namespace cl
