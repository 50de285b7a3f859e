#pragma once
// A field's typed text to its value, and a value to the text shown in the
// field, both by the field's DataType (a variant type code).

#include <cstdint>
#include <string>

#include "classlib/FormatSettings.h"
#include "classlib/Variant.h"

// Whether typed text is converted for DataType (strings are kept as typed).
bool ConvertsTypedText(int32_t DataType);
// Removes the blanks, and for numbers the thousands separator, then
// converts: integers, floats (as double), dates, booleans (empty is False),
// date-times; an empty number or date is Unassigned.  Raises EConvertError
// when the text does not convert.
cl::Variant ConvertTypedText(const std::string& Text, int32_t DataType, const cl::TFormatSettings& Fs);
// The text a field shows: numbers with grouped thousands and NumPrecision
// decimals, dates in the short date format, booleans as "X"; '' for Empty,
// Null, an unknown DataType or a value that does not convert.
std::string DisplayText(const cl::Variant& V, int32_t DataType, int32_t NumPrecision,
                        const cl::TFormatSettings& Fs);
