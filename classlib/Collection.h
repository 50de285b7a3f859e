#pragma once
// TCollection: the common face of a list of persistent items that its
// owner makes and frees (status panels, macros, stored values), so that a
// collection can be walked, filled and emptied without knowing its item class.

#include "classlib/Component.h"

namespace cl {

class TCollection : public TPersistent {
    CL_CLASS(TCollection, TPersistent)

    virtual int Count() const = 0;
    // EListError out of range.
    virtual TPersistent* Items(int index) const = 0;
    // A new item with its defaults, at the end.
    virtual TPersistent* Add() = 0;
    virtual void Clear() = 0;
};

}  // namespace cl
