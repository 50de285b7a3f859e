#include "classlib/Filer.h"

#include "classlib/Exceptions.h"
#include "classlib/Scope.h"
#include "classlib/StrUtils.h"

namespace cl {

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

void TWriter::WriteBoolean(bool value) {
    WriteValue(value ? vaTrue : vaFalse);
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
        case tkEnumeration:
            WritePropName(prop.Name);
            if (prop.EnumNames.size() == 2 && prop.EnumNames[0] == "False")
                WriteBoolean(prop.GetOrd(obj) != 0);
            else
                WriteIdent(prop.EnumName(prop.GetOrd(obj)));
            break;
        case tkString:
            WritePropName(prop.Name);
            WriteString(prop.GetStr(obj));
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
        case tkEnumeration:
            if (NextValue() == vaIdent) {
                const int value = prop->EnumValue(ReadIdent());
                if (value < 0) InvalidValue();
                prop->SetOrd(*target, value);
            } else {
                prop->SetOrd(*target, ReadBoolean() ? 1 : 0);
            }
            break;
        case tkString:
            prop->SetStr(*target, ReadString());
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
