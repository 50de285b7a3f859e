#pragma once
// TStrHolder: a component that holds a list of lines.  The program places
// one on the main window and never reads it, so only the lines, the key
// and the capacity are here (no macros, no stream format).

#include <string>

#include "classlib/Component.h"
#include "classlib/StringList.h"

class TStrHolder : public cl::TComponent {
    CL_CLASS(TStrHolder, cl::TComponent)

    explicit TStrHolder(cl::TComponent* owner) : TComponent(owner) {}

    int Capacity() const { return capacity_; }
    void SetCapacity(int value) { capacity_ = value; }
    const std::string& KeyString() const { return keyString_; }
    void SetKeyString(const std::string& value) { keyString_ = value; }
    cl::TStrings& Strings() { return strings_; }

private:
    int capacity_ = 0;
    std::string keyString_;
    cl::TStringList strings_;
};
