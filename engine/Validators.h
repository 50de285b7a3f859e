#pragma once
// The two field validators of the field table.  A validator is called with
// the value about to be stored and OK = True; it may clear OK and may
// replace the value.

#include "classlib/Variant.h"

using TFieldValidator = void (*)(cl::Variant& V, bool& OK);

// Amounts: empty, or text or a value that converts to a number.
void Kwota2_ValChange(cl::Variant& V, bool& OK);
// Dates: "dd.mm.yyyy" of a day the calendar has; the empty date mask becomes "".
void DataUr_ValChange(cl::Variant& V, bool& OK);
