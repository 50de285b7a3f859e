#pragma once
// The engine's blocks in the statement file: the variant record, the
// value record of one field (TDataValue::SaveToStream), the block of one
// form's values (TemFrm::SaveToStream) and the block of the shared values.
// Little-endian, at the stream's position.  The readers stop quietly at the
// end of the stream and never read or allocate beyond what it holds.

#include "classlib/Streams.h"
#include "classlib/Variant.h"

// u16 type code; for numbers, booleans and strings an i32 size and the data.
void WriteVariant(const cl::Variant& V, cl::TStream& Stream);
// Unassigned for a code the record does not carry data for; a single
// becomes a double.
void ReadVariant(cl::TStream& Stream, cl::Variant& V);

// i32 2, then the variant records of shared slots 1 and 2.
void SaveSharedValues(cl::TStream& Stream);
// Reads up to two records (as many as the count says); more stay unread.
void LoadSharedValues(cl::TStream& Stream);
