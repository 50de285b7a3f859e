#pragma once
// Two values alike as a statement file holds them: the same type and the
// same data, a NaN alike to itself (its bits are what was stored).

#include <cstring>

#include "classlib/Variant.h"

namespace fuzzinput {

inline bool SameValue(const cl::Variant& a, const cl::Variant& b) {
    switch (a.VarType()) {
        case cl::varSingle:
        case cl::varDouble:
        case cl::varDate: {
            const double x = a.AsRawDouble(), y = b.AsRawDouble();
            return a.VarType() == b.VarType() && std::memcmp(&x, &y, sizeof x) == 0;
        }
        default:
            return a.SameTypeAndValue(b);
    }
}

}  // namespace fuzzinput
