#include "frameworks/data/XcExtensible.h"

#include <algorithm>
#include <cassert>

#include "classlib/Exceptions.h"
#include "classlib/Scope.h"
#include "classlib/StrUtils.h"
#include "frameworks/data/XcExceptions.h"

// ---- TExtensibleInterfacedPersistent -----------------------------------

CL_CLASS_INFO(TExtensibleInterfacedPersistent)

TExtensibleInterfacedPersistent::~TExtensibleInterfacedPersistent() {
    // Freed while references are out: those holders now point at nothing.
    assert(refCount_.load() == 0 || !handedOut_);
}

int32_t TExtensibleInterfacedPersistent::AddRef() {
    return ++refCount_;
}

int32_t TExtensibleInterfacedPersistent::Release() {
    const int32_t left = --refCount_;
    if (left == 0 && !destroying_) {
        destroying_ = true;
        Free();
    }
    return left;
}

bool TExtensibleInterfacedPersistent::GetInterface(const TGUID& iid, void** obj) {
    if (iid == IInterface::IID) return Answer<IInterface>(obj);
    return false;
}

int32_t TExtensibleInterfacedPersistent::QueryInterface(const TGUID& iid, void** obj) {
    *obj = nullptr;
    if (GetInterface(iid, obj)) return XC_S_OK;
    for (size_t i = extensions_.size(); i-- > 0;)
        if (extensions_[i]->GetInterface(iid, obj)) return XC_S_OK;
    return XC_E_NOINTERFACE;
}

void TExtensibleInterfacedPersistent::AddIntfImpl(TAggregatedPersistentEx* ext) {
    if (IndexOfImplClass(ext->ClassInfo()) >= 0)
        throw EXCLException("Implementation of that class already exists");
    extensions_.push_back(ext);
}

void TExtensibleInterfacedPersistent::RemoveIntfImpl(TAggregatedPersistentEx* ext) {
    std::erase(extensions_, ext);
}

int TExtensibleInterfacedPersistent::IndexOfImplClass(const cl::TClassInfo& cls) const {
    for (size_t i = 0; i < extensions_.size(); ++i)
        if (extensions_[i]->InheritsFrom(cls)) return static_cast<int>(i);
    return -1;
}

void TExtensibleInterfacedPersistent::ClearIntfImpl() {
    // Each extension takes itself out of the list as it goes.
    while (!extensions_.empty()) delete extensions_.back();
}

bool TExtensibleInterfacedPersistent::IsStreamableExtension(const TAggregatedPersistentEx& ext) const {
    return cl::IsClassRegistered(ext.ClassInfo());
}

void TExtensibleInterfacedPersistent::BeforeDestruction() {
    // Extensions go while the owner is whole; they may still ask it things.
    ClearIntfImpl();
}

void TExtensibleInterfacedPersistent::WriteState(cl::TWriter& writer) {
    writer.WriteProperties(*this);
    WriteDefinedProperties(writer);
    writer.WriteListEnd();
}

void TExtensibleInterfacedPersistent::ReadState(cl::TReader& reader) {
    TIntfPtr<TExtensibleInterfacedPersistent> hold(this);  // count raised while reading
    while (!reader.EndOfList()) {
        const std::string name = reader.ReadPropName();
        if (!ReadDefinedProperty(reader, name)) reader.ReadPropValue(*this, name);
    }
    reader.ReadListEnd();
}

void TExtensibleInterfacedPersistent::WriteDefinedProperties(cl::TWriter& writer) {
    const auto streamable = [this](TAggregatedPersistentEx* ext) { return IsStreamableExtension(*ext); };
    if (std::none_of(extensions_.begin(), extensions_.end(), streamable)) return;
    writer.WritePropName("Extensions");
    writer.WriteValue(cl::vaCollection);
    // Inside the collection names start afresh.
    std::string path = writer.PropPath();
    cl::ScopeExit restore([&] { writer.SetPropPath(std::move(path)); });
    writer.SetPropPath("");
    for (TAggregatedPersistentEx* ext : extensions_) {
        if (!streamable(ext)) continue;
        WriteClassElementBegin(writer, ext->ClassName());
        writer.WriteProperties(*ext);
        writer.WriteListEnd();
    }
    writer.WriteListEnd();
}

bool TExtensibleInterfacedPersistent::ReadDefinedProperty(cl::TReader& reader, const std::string& name) {
    if (!cl::SameText(name, "Extensions")) return false;
    ReadClassCollection(reader, TAggregatedPersistentEx::StaticClassInfo(), [&](cl::TPersistentClass cls) {
        const int index = IndexOfImplClass(*cls.Info);
        TPersistent* ext = index >= 0 ? extensions_[index] : cls.Create(this);
        reader.ReadProperties(*ext);
    });
    return true;
}

// ---- Collections of named classes --------------------------------------

void ReadClassCollection(cl::TReader& reader, const cl::TClassInfo& base,
                         const std::function<void(cl::TPersistentClass)>& element) {
    if (reader.ReadValue() != cl::vaCollection) throw cl::EReadError("Expected collection");
    while (!reader.EndOfList()) {
        reader.ReadListBegin();
        if (reader.NextValue() != cl::vaNull && cl::SameText(reader.ReadPropName(), "ClassName")) {
            const cl::TPersistentClass cls = cl::FindClass(reader.ReadString());
            if (!cls.Info->InheritsFrom(base)) throw cl::EReadError("Invalid class type");
            element(cls);
        } else {
            throw cl::EReadError("Missing ClassName property");
        }
    }
    reader.ReadListEnd();
}

void WriteClassElementBegin(cl::TWriter& writer, const std::string& className) {
    writer.WriteListBegin();
    writer.WritePropName("ClassName");
    writer.WriteString(className);
}

// ---- Aggregated objects -------------------------------------------------

CL_CLASS_INFO(TAggregatedPersistent)

int32_t TAggregatedPersistent::QueryInterface(const TGUID& iid, void** obj) {
    *obj = nullptr;
    if (GetInterface(iid, obj)) return XC_S_OK;
    return controller_->QueryInterface(iid, obj);
}

CL_CLASS_INFO(TAggregatedPersistentEx)

TAggregatedPersistentEx::TAggregatedPersistentEx(TExtensibleInterfacedPersistent& owner)
    : TAggregatedPersistent(&owner), owner_(&owner) {}

TAggregatedPersistentEx::~TAggregatedPersistentEx() {
    owner_->RemoveIntfImpl(this);
}
