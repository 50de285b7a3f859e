#pragma once
// Conversions of the values the dynamic controls exchange.

#include "classlib/Variant.h"

// A Boolean Variant gives its value, a text is true when it reads "TRUE"
// in any case; anything else (Null and Empty too) is false.  Never raises.
bool XcVariantToBoolean(const cl::Variant& value);
