#include "classlib/Filer.h"

#include <climits>
#include <cstring>
#include <limits>

#include "classlib/Exceptions.h"
#include "classlib/Scope.h"
#include "classlib/StrUtils.h"

namespace cl {

namespace {

// The stream holds the 80-bit float both builds have as long double.
static_assert(std::numeric_limits<long double>::digits == 64, "an 80-bit long double");
constexpr int32_t kExtendedSize = 10;

}  // namespace

// ---- TWriter -------------------------------------------------------------

void TWriter::WriteValue(TValueType type) {
    stream_.WriteValue<uint8_t>(type);
}

void TWriter::WriteName(std::string_view name) {
    if (name.size() > 255) throw EWriteError("Name too long: " + std::string(name.substr(0, 32)));
    stream_.WriteValue<uint8_t>(static_cast<uint8_t>(name.size()));
    stream_.WriteBuffer(name.data(), static_cast<int32_t>(name.size()));
}

void TWriter::WritePropName(std::string_view name) {
    WriteName(propPath_ + std::string(name));
}

void TWriter::WriteInteger(int32_t value) {
    WriteValue(vaInt32);
    stream_.WriteValue(value);
}

void TWriter::WriteInt64(int64_t value) {
    WriteValue(vaInt64);
    stream_.WriteValue(value);
}

void TWriter::WriteBoolean(bool value) {
    WriteValue(value ? vaTrue : vaFalse);
}

void TWriter::WriteFloat(long double value) {
    WriteValue(vaExtended);
    unsigned char bytes[sizeof(long double)] = {};
    std::memcpy(bytes, &value, sizeof value);
    stream_.WriteBuffer(bytes, kExtendedSize);
}

void TWriter::WriteString(std::string_view value) {
    WriteValue(vaLString);
    stream_.WriteValue(static_cast<int32_t>(value.size()));
    stream_.WriteBuffer(value.data(), static_cast<int32_t>(value.size()));
}

void TWriter::WriteIdent(std::string_view ident) {
    WriteValue(vaIdent);
    WriteName(ident);
}

void TWriter::WriteVariant(const Variant& value) {
    switch (value.VarType()) {
        case varEmpty:
            return WriteValue(vaNil);
        case varNull:
            return WriteValue(vaNull);
        case varBoolean:
            return WriteBoolean(value.AsRawBool());
        case varCurrency:
            WriteValue(vaCurrency);
            stream_.WriteValue(value.AsRawCurrency().Raw());
            return;
        case varSingle:
        case varDouble:
        case varDate:
            return WriteFloat(value.AsRawDouble());
    }
    if (value.IsString()) return WriteString(value.AsRawString());
    if (value.IsNumeric()) {
        const int64_t number = value.AsRawInt();
        if (number >= INT32_MIN && number <= INT32_MAX) return WriteInteger(static_cast<int32_t>(number));
        return WriteInt64(number);
    }
    throw EWriteError("Cannot write a variant of type " + std::to_string(value.VarType()));
}

void TWriter::WriteBinary(const std::function<void(TStream&)>& write) {
    TMemoryStream bytes;
    write(bytes);
    WriteValue(vaBinary);
    stream_.WriteValue(static_cast<int32_t>(bytes.Size()));
    stream_.WriteBuffer(bytes.Memory(), static_cast<int32_t>(bytes.Size()));
}

void TWriter::WriteProperties(TObject& obj) {
    std::vector<std::pair<std::string, std::function<void()>>> defined;
    if (auto* persistent = dynamic_cast<TPersistent*>(&obj)) {
        auto* outer = defined_;
        defined_ = &defined;
        const ScopeExit restore([this, outer] { defined_ = outer; });
        persistent->DefineProperties(*this);
    }
    for (const TPropInfo* prop : GetPropList(obj)) WriteProperty(obj, *prop);
    for (const auto& [name, write] : defined) {
        WritePropName(name);
        write();
    }
}

void TWriter::WriteComponent(TComponent& component) {
    TComponent* const outerRoot = root_;
    const std::string outerPath = propPath_;
    const ScopeExit restore([&] {
        root_ = outerRoot;
        propPath_ = outerPath;
    });
    if (!root_) root_ = &component;
    propPath_.clear();
    WriteName(component.ClassName());
    WriteProperties(component);
    WriteListEnd();
    component.GetChildren([this](TComponent* child) { WriteComponent(*child); }, root_);
    WriteListEnd();
}

void TWriter::DefineProperty(std::string_view name, const std::function<void(TReader&)>&,
                             const std::function<void(TWriter&)>& write, bool hasData) {
    if (hasData && defined_) defined_->emplace_back(std::string(name), [this, write] { write(*this); });
}

void TWriter::DefineBinaryProperty(std::string_view name, const std::function<void(TStream&)>&,
                                   const std::function<void(TStream&)>& write, bool hasData) {
    if (hasData && defined_) defined_->emplace_back(std::string(name), [this, write] { WriteBinary(write); });
}

void TWriter::WriteCollection(TCollection& collection) {
    WriteValue(vaCollection);
    const std::string saved = propPath_;
    const ScopeExit restore([this, &saved] { propPath_ = saved; });
    propPath_.clear();
    for (int i = 0; i < collection.Count(); ++i) {
        WriteListBegin();
        WriteProperties(*collection.Items(i));
        WriteListEnd();
    }
    WriteListEnd();
}

void TWriter::WriteProperty(TObject& obj, const TPropInfo& prop) {
    if (prop.StoredFn && !prop.StoredFn(obj)) return;
    if (prop.Kind == tkClass) {
        TObject* value = prop.GetObject(obj);
        if (auto* component = dynamic_cast<TComponent*>(value); component || !value) {
            if (prop.IsReadOnly()) return;
            WritePropName(prop.Name);
            if (component && !component->Name().empty())
                WriteIdent(component->Name());
            else
                WriteValue(vaNil);
            return;
        }
        if (auto* collection = dynamic_cast<TCollection*>(value)) {
            WritePropName(prop.Name);
            WriteCollection(*collection);
            return;
        }
        // A nested object: its own properties under this one's name.
        const std::string saved = propPath_;
        propPath_ += prop.Name + ".";
        try {
            WriteProperties(*value);
        } catch (...) {
            propPath_ = saved;
            throw;
        }
        propPath_ = saved;
        return;
    }
    if (prop.IsReadOnly()) return;
    switch (prop.Kind) {
        case tkInteger:
            WritePropName(prop.Name);
            WriteInteger(static_cast<int32_t>(prop.GetOrd(obj)));
            break;
        case tkInt64:
            WritePropName(prop.Name);
            WriteInt64(prop.GetOrd(obj));
            break;
        case tkSet: {
            WritePropName(prop.Name);
            WriteValue(vaSet);
            const int64_t members = prop.GetOrd(obj);
            for (size_t bit = 0; bit < prop.EnumNames.size() && bit < 64; ++bit)
                if (members & (int64_t{1} << bit)) WriteName(prop.EnumNames[bit]);
            WriteName("");
            break;
        }
        case tkEnumeration:
            WritePropName(prop.Name);
            if (prop.EnumNames.size() == 2 && prop.EnumNames[0] == "False")
                WriteBoolean(prop.GetOrd(obj) != 0);
            else
                WriteIdent(prop.EnumName(prop.GetOrd(obj)));
            break;
        case tkChar:
            WritePropName(prop.Name);
            WriteString(std::string(1, static_cast<char>(prop.GetOrd(obj))));
            break;
        case tkFloat:
            WritePropName(prop.Name);
            WriteFloat(prop.GetFloat(obj));
            break;
        case tkString:
            WritePropName(prop.Name);
            WriteString(prop.GetStr(obj));
            break;
        case tkVariant:
            WritePropName(prop.Name);
            WriteVariant(prop.GetVariant(obj));
            break;
        default:
            throw EWriteError("Cannot write property " + prop.Name);
    }
}

// ---- TReader -------------------------------------------------------------

void TReader::InvalidValue() {
    throw EReadError("Invalid property value");
}

TValueType TReader::ReadValue() {
    return static_cast<TValueType>(stream_.ReadValue<uint8_t>());
}

TValueType TReader::NextValue() {
    const TValueType type = ReadValue();
    stream_.Seek(-1, soCurrent);
    return type;
}

void TReader::ReadListBegin() {
    if (ReadValue() != vaList) throw EReadError("Invalid stream format");
}

void TReader::ReadListEnd() {
    if (ReadValue() != vaNull) throw EReadError("Invalid stream format");
}

std::string TReader::ReadName() {
    std::string name(stream_.ReadValue<uint8_t>(), '\0');
    stream_.ReadBuffer(name.data(), static_cast<int32_t>(name.size()));
    return name;
}

std::string TReader::ReadPropName() {
    return ReadName();
}

int32_t TReader::ReadInteger() {
    if (ReadValue() != vaInt32) InvalidValue();
    return stream_.ReadValue<int32_t>();
}

int64_t TReader::ReadInt64() {
    switch (ReadValue()) {
        case vaInt64:
            return stream_.ReadValue<int64_t>();
        case vaInt32:
            return stream_.ReadValue<int32_t>();
        default:
            InvalidValue();
    }
}

bool TReader::ReadBoolean() {
    switch (ReadValue()) {
        case vaFalse:
            return false;
        case vaTrue:
            return true;
        default:
            InvalidValue();
    }
}

long double TReader::ReadFloat() {
    switch (ReadValue()) {
        case vaExtended: {
            unsigned char bytes[sizeof(long double)] = {};
            stream_.ReadBuffer(bytes, kExtendedSize);
            long double value;
            std::memcpy(&value, bytes, sizeof value);
            return value;
        }
        case vaInt32:
            return stream_.ReadValue<int32_t>();
        default:
            InvalidValue();
    }
}

std::string TReader::ReadString() {
    if (ReadValue() != vaLString) InvalidValue();
    const int32_t length = stream_.ReadValue<int32_t>();
    // A length the stream cannot hold is a damaged stream, not a request to
    // allocate that much.
    if (length < 0 || length > stream_.Size() - stream_.Position()) throw EReadError("Stream read error");
    std::string value(static_cast<size_t>(length), '\0');
    stream_.ReadBuffer(value.data(), length);
    return value;
}

std::string TReader::ReadIdent() {
    if (ReadValue() != vaIdent) InvalidValue();
    return ReadName();
}

Variant TReader::ReadVariant() {
    switch (NextValue()) {
        case vaNil:
            ReadValue();
            return Variant();
        case vaNull:
            ReadValue();
            return Variant::Null();
        case vaFalse:
        case vaTrue:
            return Variant(ReadBoolean());
        case vaInt32:
            return Variant(ReadInteger());
        case vaInt64:
            return Variant::FromInt64(ReadInt64());
        case vaCurrency:
            ReadValue();
            return Variant(Currency::FromRaw(stream_.ReadValue<int64_t>()));
        case vaExtended:
            return Variant(static_cast<double>(ReadFloat()));
        case vaLString:
            return Variant(ReadString());
        default:
            InvalidValue();
    }
}

void TReader::ReadBinary(const std::function<void(TStream&)>& read) {
    if (ReadValue() != vaBinary) InvalidValue();
    const int32_t length = stream_.ReadValue<int32_t>();
    if (length < 0 || length > stream_.Size() - stream_.Position()) throw EReadError("Stream read error");
    TMemoryStream bytes;
    bytes.SetSize(length);
    stream_.ReadBuffer(bytes.Memory(), length);
    bytes.SetPosition(0);
    read(bytes);
}

void TReader::DefineProperty(std::string_view name, const std::function<void(TReader&)>& read,
                             const std::function<void(TWriter&)>&, bool) {
    if (found_ || !SameText(name, wanted_)) return;
    found_ = true;
    read(*this);
}

void TReader::DefineBinaryProperty(std::string_view name, const std::function<void(TStream&)>& read,
                                   const std::function<void(TStream&)>&, bool) {
    if (found_ || !SameText(name, wanted_)) return;
    found_ = true;
    ReadBinary(read);
}

void TReader::ReadCollection(TCollection& collection) {
    if (ReadValue() != vaCollection) InvalidValue();
    collection.Clear();
    while (!EndOfList()) {
        ReadListBegin();
        ReadProperties(*collection.Add());
    }
    ReadListEnd();
}

void TReader::ReadPropValue(TObject& obj, std::string_view name) {
    TObject* target = &obj;
    std::string_view rest = name;
    for (size_t dot; (dot = rest.find('.')) != std::string_view::npos; rest.remove_prefix(dot + 1)) {
        const TPropInfo* nested = GetPropInfo(*target, rest.substr(0, dot));
        TObject* inner = nested && nested->Kind == tkClass ? nested->GetObject(*target) : nullptr;
        if (!inner || dynamic_cast<TComponent*>(inner))
            throw EReadError("Property " + std::string(name) + " does not exist");
        target = inner;
    }
    const TPropInfo* prop = GetPropInfo(*target, rest);
    if (!prop) {
        // One the object defines itself.  A defined property may read
        // nested objects in turn: the search is put back afterwards.
        auto* persistent = dynamic_cast<TPersistent*>(target);
        const std::string_view outerWanted = wanted_;
        const bool outerFound = found_;
        const ScopeExit restore([&] {
            wanted_ = outerWanted;
            found_ = outerFound;
        });
        wanted_ = rest;
        found_ = false;
        if (persistent) persistent->DefineProperties(*this);
        if (found_) return;
        throw EReadError("Property " + std::string(name) + " does not exist");
    }
    if (prop->Kind == tkClass && NextValue() == vaCollection) {
        auto* collection = dynamic_cast<TCollection*>(prop->GetObject(*target));
        if (!collection) InvalidValue();
        ReadCollection(*collection);
        return;
    }
    if (prop->IsReadOnly()) throw EReadError("Property " + std::string(name) + " does not exist");
    switch (prop->Kind) {
        case tkInteger:
            prop->SetOrd(*target, ReadInteger());
            break;
        case tkInt64:
            prop->SetOrd(*target, ReadInt64());
            break;
        case tkSet: {
            if (ReadValue() != vaSet) InvalidValue();
            int64_t members = 0;
            for (std::string member; !(member = ReadName()).empty();) {
                const int bit = prop->EnumValue(member);
                if (bit < 0 || bit >= 64) InvalidValue();
                members |= int64_t{1} << bit;
            }
            prop->SetOrd(*target, members);
            break;
        }
        case tkEnumeration:
            if (NextValue() == vaIdent) {
                const int value = prop->EnumValue(ReadIdent());
                if (value < 0) InvalidValue();
                prop->SetOrd(*target, value);
            } else {
                prop->SetOrd(*target, ReadBoolean() ? 1 : 0);
            }
            break;
        case tkChar: {
            const std::string text = ReadString();
            if (text.size() != 1) InvalidValue();
            prop->SetOrd(*target, static_cast<unsigned char>(text[0]));
            break;
        }
        case tkFloat:
            prop->SetFloat(*target, ReadFloat());
            break;
        case tkString:
            prop->SetStr(*target, ReadString());
            break;
        case tkVariant:
            prop->SetVariant(*target, ReadVariant());
            break;
        case tkClass:
            if (NextValue() == vaNil) {
                ReadValue();
                prop->SetObject(*target, nullptr);
            } else {
                const std::string ref = ReadIdent();
                TComponent* found = nullptr;
                if (root_) found = SameText(root_->Name(), ref) ? root_ : root_->FindComponent(ref);
                if (!found) throw EReadError("Unresolved reference " + ref);
                prop->SetObject(*target, found);
            }
            break;
        default:
            throw EReadError("Cannot read property " + std::string(name));
    }
}

void TReader::ReadProperties(TObject& obj) {
    while (!EndOfList()) ReadPropValue(obj, ReadPropName());
    ReadListEnd();
}

}  // namespace cl
