#include "frameworks/XcDynControlValues.h"

#include "classlib/StrUtils.h"

bool XcVariantToBoolean(const cl::Variant& value) {
    if (value.VarType() == cl::varBoolean) return value.AsRawBool();
    // No number, date or currency reads "TRUE": only a text can.
    if (value.IsString()) return cl::AnsiUpperCase(value.AsRawString()) == "TRUE";
    return false;
}
